#include "gui/DessinCopie.h"

#include "gui/Couleurs.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdint>

namespace orv {

bool DessineSurPixels(PixelsImage& image, const std::vector<DessinImage>& dessins) {
    const auto n =
        static_cast<std::size_t>(image.largeur) * static_cast<std::size_t>(image.hauteur);
    if (image.largeur <= 0 || image.hauteur <= 0 || image.pixels.size() != n) return false;
    // The buffer's 0xFFRRGGBB words are a 32-bit RGB image as they stand: no copy.
    QImage vue(reinterpret_cast<uchar*>(image.pixels.data()), image.largeur, image.hauteur,
               static_cast<qsizetype>(image.largeur) * 4, QImage::Format_RGB32);
    QPainter p(&vue);
    if (!p.isActive()) return false;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (const DessinImage& d : dessins) {
        const QColor couleur = CouleurQt(d.couleur);
        if (d.genre == DessinImage::Genre::Ligne) {
            p.setPen(QPen(couleur, d.epaisseur, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(d.x0, d.y0), QPointF(d.x1, d.y1));
            continue;
        }
        QFont f;
        if (!d.police.empty()) f.setFamily(QString::fromStdString(d.police));
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(d.taillePixels))));
        f.setBold(d.gras);
        p.save();
        p.setFont(f);
        p.setPen(couleur);
        p.translate(d.x0, d.y0);
        p.rotate(d.angle);
        p.drawText(QPointF(0, QFontMetricsF(f).ascent()), QString::fromStdString(d.texte));
        p.restore();
    }
    return p.end();
}

QImage ReduitPixels(const PixelsImage& image, QSize cadre) {
    const int w = image.largeur, h = image.hauteur;
    if (w <= 0 || h <= 0 || cadre.isEmpty() ||
        image.pixels.size() != static_cast<std::size_t>(w) * static_cast<std::size_t>(h))
        return {};
    const QSize t = QSize(w, h).scaled(cadre, Qt::KeepAspectRatio).boundedTo(QSize(w, h));
    const int l = std::max(1, t.width()), hr = std::max(1, t.height());
    QImage r(l, hr, QImage::Format_RGB32);
    // The source columns of each output column: [debuts[x], debuts[x + 1]).
    std::vector<int> debuts(static_cast<std::size_t>(l) + 1);
    for (int x = 0; x <= l; ++x)
        debuts[static_cast<std::size_t>(x)] =
            static_cast<int>(static_cast<std::int64_t>(x) * w / l);
    // The rows of a band summed byte by byte first (a loop the compiler
    // makes vector code of), then each output pixel from its columns. A band
    // of at most 257 rows cannot overflow 16 bits.
    const auto octets = static_cast<std::size_t>(w) * 4;
    std::vector<std::uint16_t> somme(octets);
    for (int y = 0; y < hr; ++y) {
        const int y0 = static_cast<int>(static_cast<std::int64_t>(y) * h / hr);
        const int y1 = static_cast<int>(static_cast<std::int64_t>(y + 1) * h / hr);
        auto* sortie = reinterpret_cast<QRgb*>(r.scanLine(y));
        std::vector<std::uint32_t> total(static_cast<std::size_t>(l) * 4, 0);
        for (int v0 = y0; v0 < y1; v0 += 257) {
            const int v1 = std::min(y1, v0 + 257);
            std::fill(somme.begin(), somme.end(), std::uint16_t{0});
            for (int v = v0; v < v1; ++v) {
                const auto* o = reinterpret_cast<const std::uint8_t*>(
                    image.pixels.data() +
                    static_cast<std::size_t>(v) * static_cast<std::size_t>(w));
                std::uint16_t* s = somme.data();
                for (std::size_t i = 0; i < octets; ++i)
                    s[i] = static_cast<std::uint16_t>(s[i] + o[i]);
            }
            for (int x = 0; x < l; ++x)
                for (int u = debuts[static_cast<std::size_t>(x)];
                     u < debuts[static_cast<std::size_t>(x) + 1]; ++u)
                    for (int c = 0; c < 4; ++c)
                        total[static_cast<std::size_t>(x) * 4 + static_cast<std::size_t>(c)] +=
                            somme[static_cast<std::size_t>(u) * 4 + static_cast<std::size_t>(c)];
        }
        for (int x = 0; x < l; ++x) {
            const auto n = static_cast<std::uint32_t>(
                (debuts[static_cast<std::size_t>(x) + 1] - debuts[static_cast<std::size_t>(x)]) *
                (y1 - y0));
            const std::uint32_t* c = total.data() + static_cast<std::size_t>(x) * 4;
            // Bytes blue, green, red as 0xFFRRGGBB lies in memory here.
            sortie[x] =
                qRgb(static_cast<int>((c[2] + n / 2) / n), static_cast<int>((c[1] + n / 2) / n),
                     static_cast<int>((c[0] + n / 2) / n));
        }
    }
    return r;
}

} // namespace orv
