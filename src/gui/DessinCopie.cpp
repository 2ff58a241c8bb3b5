#include "gui/DessinCopie.h"

#include "gui/Couleurs.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

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

} // namespace orv
