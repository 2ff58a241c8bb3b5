#include "gui/DessinVue.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <thread>

namespace orv {

namespace {

// Below this many output pixels one thread is quicker than two.
constexpr qint64 PixelsParBande = 250'000;

} // namespace

std::optional<PlanVue> Plan(const Vue& vue, QSize taille, QSizeF boite, double dpr) {
    if (taille.isEmpty() || boite.isEmpty()) return std::nullopt;
    // Picture units across the whole picture, and per full-size pixel.
    const double w = vue.EchelleImage() * vue.LargeurBoite();
    const double u = w / taille.width();
    // Full-size pixels per pixel of the box.
    const double k = vue.ImageParTwip() * TwipsParPixelEcran / u;
    if (!(u > 0) || !(k > 0) || !std::isfinite(k) || !std::isfinite(u)) return std::nullopt;
    const double sx = vue.OrigineX() / u, sy = vue.OrigineY() / u;
    const QRectF visible(sx, sy, boite.width() * k, boite.height() * k);
    const QRectF source = visible.intersected(QRectF(0, 0, taille.width(), taille.height()));
    if (source.isEmpty()) return std::nullopt;
    return PlanVue{source,
                   QRectF((source.x() - sx) / k, (source.y() - sy) / k, source.width() / k,
                          source.height() / k),
                   dpr / k};
}

void DessineVue(QImage& vue, const std::optional<PlanVue>& plan,
                const std::vector<SourceImage>& sources, const QColor& fond, int bandes) {
    const double dpr = vue.devicePixelRatio();
    {
        // The background only where the picture does not go.
        QPainter p(&vue);
        QRegion reste(QRect(QPoint(0, 0), vue.deviceIndependentSize().toSize()));
        if (plan) reste -= plan->cible.toAlignedRect().adjusted(1, 1, -1, -1);
        p.setClipRegion(reste);
        p.fillRect(vue.rect(), fond);
    }
    if (!plan) return;
    // Taken once, here: the threads only write the rows of their own band.
    uchar* const base = vue.bits();
    const qsizetype pas = vue.bytesPerLine();
    const int largeur = vue.width();
    const QImage::Format format = vue.format();
    auto dessine = [&](int debut, int fin) { // rows of `vue`, device pixels
        QImage bande(base + debut * pas, largeur, fin - debut, pas, format);
        bande.setDevicePixelRatio(dpr);
        QPainter p(&bande);
        p.translate(0, -debut / dpr);
        for (const SourceImage& s : sources) DessineSource(p, s, plan->cible, plan->source);
    };
    const qint64 pixels = qint64(vue.width()) * vue.height();
    const int coeurs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (bandes <= 0)
        bandes =
            static_cast<int>(std::clamp<qint64>(pixels / PixelsParBande, 1, std::min(coeurs, 4)));
    bandes = std::clamp(bandes, 1, std::max(1, vue.height()));
    if (bandes == 1) {
        dessine(0, vue.height());
        return;
    }
    std::vector<std::jthread> fils; // joined on every way out
    const int h = vue.height();
    for (int b = 1; b < bandes; ++b)
        fils.emplace_back(dessine, h * b / bandes, h * (b + 1) / bandes);
    dessine(0, h / bandes);
}

} // namespace orv
