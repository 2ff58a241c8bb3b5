#include "gui/DessinVue.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

namespace orv {

namespace {

// Below this many output pixels one thread is quicker than two.
constexpr qint64 PixelsParBande = 250'000;
// Pieces of the view per thread drawing it.
constexpr int BandesParFil = 4;

// The pieces of one view being drawn: the next one to take, and those done.
struct Partage {
    explicit Partage(int n) : faites(static_cast<std::size_t>(n)) {}
    std::atomic<int> suivante{0};
    std::vector<std::atomic<bool>> faites;
};

// Threads kept for drawing views: started once, they sleep between views.
// A helper reaches the drawing only through a piece it took, and the caller
// waits for every piece taken, so the drawing outlives every use of it;
// a helper that wakes after the last piece was taken touches only the shared
// counter, which it holds.
class Aides {
public:
    static void Lance(int n, const std::shared_ptr<Partage>& p, std::function<void(int)> dessine) {
        // Never destroyed: its threads sleep until the program ends.
        static Aides* aides = new Aides;
        aides->Travail(n, p, std::move(dessine));
    }

private:
    void Travail(int n, const std::shared_ptr<Partage>& p, std::function<void(int)> dessine) {
        {
            std::lock_guard l(verrou_);
            for (; nombre_ < n; ++nombre_) std::thread([this] { Boucle(); }).detach();
            partage_ = p;
            dessine_ = std::make_shared<std::function<void(int)>>(std::move(dessine));
            ++numero_;
        }
        reveil_.notify_all();
    }
    void Boucle() {
        std::uint64_t vu = 0;
        for (;;) {
            std::shared_ptr<Partage> p;
            std::shared_ptr<std::function<void(int)>> dessine;
            {
                std::unique_lock l(verrou_);
                reveil_.wait(l, [&] { return numero_ != vu; });
                vu = numero_;
                p = partage_;
                dessine = dessine_;
            }
            const int n = static_cast<int>(p->faites.size());
            for (int b; (b = p->suivante.fetch_add(1)) < n;) {
                (*dessine)(b);
                auto& faite = p->faites[static_cast<std::size_t>(b)];
                faite.store(true, std::memory_order_release);
                faite.notify_one();
            }
        }
    }
    std::mutex verrou_;
    std::condition_variable reveil_;
    int nombre_ = 0; // threads started
    std::uint64_t numero_ = 0;
    std::shared_ptr<Partage> partage_;
    std::shared_ptr<std::function<void(int)>> dessine_;
};
// How finely the view's pixels are placed over the picture: near enough to
// the exact place to be invisible, coarse enough that a pan by whole pixels
// finds the view it moves already drawn.
constexpr int Huitiemes = 8;

std::int64_t DivisionBasse(std::int64_t a, std::int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

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
    if (!std::isfinite(sx) || !std::isfinite(sy)) return std::nullopt;
    const QRectF visible(sx, sy, boite.width() * k, boite.height() * k);
    const QRectF source = visible.intersected(QRectF(0, 0, taille.width(), taille.height()));
    if (source.isEmpty()) return std::nullopt;
    return PlanVue{source,
                   QRectF((source.x() - sx) / k, (source.y() - sy) / k, source.width() / k,
                          source.height() / k),
                   dpr / k, QPointF(sx, sy)};
}

GrilleEchantillons GrillePour(const PlanVue& plan, const SourceImage& s) {
    // Level pixels per pixel of the view, each way.
    const double pasX = 1 / (plan.echelle * s.facteurX), pasY = 1 / (plan.echelle * s.facteurY);
    GrilleEchantillons g = GrilleEchantillons::Depuis(plan.coin.x() / s.facteurX,
                                                      plan.coin.y() / s.facteurY, pasX, pasY);
    // The first pixel's place to the nearest eighth of a step: a pan by whole
    // pixels then gives the same places, shifted.
    auto place = [](std::int64_t x0, std::int64_t pas) {
        if (pas <= 0) return x0;
        const auto n = static_cast<std::int64_t>(
            std::llround(static_cast<double>(x0) * Huitiemes / static_cast<double>(pas)));
        return DivisionBasse(n * pas, Huitiemes);
    };
    g.x0 = place(g.x0, g.pasX);
    g.y0 = place(g.y0, g.pasY);
    return g;
}

void DessineVue(QImage& vue, const std::vector<CoucheVue>& couches, QRgb fond, QRect zone, int fils,
                const std::function<void(QRect)>& surBande) {
    zone = zone.isEmpty() ? vue.rect() : zone.intersected(vue.rect());
    if (zone.isEmpty()) return;
    auto dessine = [&](const QRect& bande) {
        if (couches.empty()) {
            for (int y = bande.top(); y <= bande.bottom(); ++y)
                std::fill_n(reinterpret_cast<QRgb*>(vue.scanLine(y)) + bande.left(), bande.width(),
                            fond);
            return;
        }
        bool premiere = true;
        for (const CoucheVue& c : couches) {
            if (c.source.image)
                Reechantillonne(*c.source.image, c.source.lignes, c.grille, vue, bande,
                                premiere ? std::optional<QRgb>(fond) : std::nullopt);
            premiere = false;
        }
    };
    const qint64 pixels = qint64(zone.width()) * zone.height();
    const int coeurs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (fils <= 0)
        fils =
            static_cast<int>(std::clamp<qint64>(pixels / PixelsParBande, 1, std::min(coeurs, 4)));
    // Cut finer than the threads and handed out one piece at a time: a helper
    // that starts late (waking an idle core can take a millisecond or more)
    // draws fewer pieces instead of holding the view back.
    const int bandes = fils == 1 ? 1 : std::clamp(fils * BandesParFil, 1, zone.height());
    auto bande = [&](int b) {
        const int debut = zone.top() + zone.height() * b / bandes,
                  fin = zone.top() + zone.height() * (b + 1) / bandes;
        return QRect(zone.left(), debut, zone.width(), fin - debut);
    };
    auto partage = std::make_shared<Partage>(bandes);
    std::vector<char> miennes(static_cast<std::size_t>(bandes), 0);
    if (fils > 1) Aides::Lance(fils - 1, partage, [&](int b) { dessine(bande(b)); });
    for (int b; (b = partage->suivante.fetch_add(1)) < bandes;) {
        dessine(bande(b));
        miennes[static_cast<std::size_t>(b)] = 1;
        if (surBande) surBande(bande(b));
    }
    // The helpers' pieces, each once it is drawn (none is taken after this).
    for (int b = 0; b < bandes; ++b)
        if (!miennes[static_cast<std::size_t>(b)]) {
            partage->faites[static_cast<std::size_t>(b)].wait(false, std::memory_order_acquire);
            if (surBande) surBande(bande(b));
        }
}

std::optional<QPoint> DecalageEntier(const GrilleEchantillons& avant,
                                     const GrilleEchantillons& apres) {
    if (avant.pasX != apres.pasX || avant.pasY != apres.pasY || avant.pasX <= 0 || avant.pasY <= 0)
        return std::nullopt;
    auto entier = [](std::int64_t d, std::int64_t pas) -> std::optional<int> {
        const double n = std::round(static_cast<double>(d) / static_cast<double>(pas));
        if (std::abs(n) > 1e6) return std::nullopt;
        const auto e = static_cast<std::int64_t>(n);
        if (std::llabs(d - e * pas) * Huitiemes > pas) return std::nullopt;
        return static_cast<int>(e);
    };
    const auto dx = entier(apres.x0 - avant.x0, avant.pasX);
    const auto dy = entier(apres.y0 - avant.y0, avant.pasY);
    if (!dx || !dy) return std::nullopt;
    return QPoint(*dx, *dy);
}

std::vector<QRect> Defile(QImage& vue, QPoint d) {
    const QRect tout = vue.rect();
    if (d.isNull() || vue.isNull()) return {};
    if (std::abs(d.x()) >= tout.width() || std::abs(d.y()) >= tout.height()) return {tout};
    const int w = tout.width(), h = tout.height();
    const int l = w - std::abs(d.x()); // pixels of a row that stay
    const int xDe = std::max(d.x(), 0), xA = std::max(-d.x(), 0);
    const auto octets = static_cast<std::size_t>(l) * 4;
    auto copie = [&](int y) {
        std::memmove(vue.scanLine(y) + xA * 4, vue.constScanLine(y + d.y()) + xDe * 4, octets);
    };
    if (d.y() >= 0)
        for (int y = 0; y < h - d.y(); ++y) copie(y);
    else
        for (int y = h - 1; y >= -d.y(); --y) copie(y);
    std::vector<QRect> reste;
    // The rows uncovered whole, then the columns beside the rows kept.
    const QRect lignes = d.y() > 0 ? QRect(0, h - d.y(), w, d.y()) : QRect(0, 0, w, -d.y());
    if (d.y() != 0) reste.push_back(lignes);
    const int y0 = std::max(-d.y(), 0), hauteur = h - std::abs(d.y());
    if (d.x() > 0) reste.emplace_back(w - d.x(), y0, d.x(), hauteur);
    if (d.x() < 0) reste.emplace_back(0, y0, -d.x(), hauteur);
    return reste;
}

} // namespace orv
