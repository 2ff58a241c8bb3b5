#include "pixels/LectureZone.h"

#include "base/FichierTexte.h"
#include "base/Texte.h"

#include <QImageReader>
#include <QRect>
#include <QRgba64>

#include <unistd.h>

namespace orv {

std::unique_ptr<QFile> OuvreFichierLecture(const std::string& chemin) {
    const int fd = OuvreDescripteurLecture(chemin);
    if (fd < 0) return nullptr;
    auto f = std::make_unique<QFile>();
    if (!f->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return nullptr;
    }
    return f;
}

QString NomQt(const std::string& chemin) {
    return QString::fromStdString(NomAffichable(chemin));
}

QImage LitImageTelleQuelle(const std::string& chemin) {
    const auto f = OuvreFichierLecture(chemin);
    if (!f) return {};
    QImageReader lecteur(f.get());
    lecteur.setAutoTransform(false);
    return lecteur.read();
}

std::optional<EchantillonsImage> EchantillonsDe(const QImage& image, ZonePixels zone) {
    const QRect r = QRect(zone.x, zone.y, zone.largeur, zone.hauteur).intersected(image.rect());
    if (image.isNull() || r.isEmpty()) return std::nullopt;
    // 16 bits a channel whatever the file's depth: an 8-bit v reads v * 257.
    const QImage z = image.copy(r).convertToFormat(QImage::Format_RGBX64);
    EchantillonsImage e;
    e.zone = {r.x(), r.y(), r.width(), r.height()};
    e.rvb.reserve(static_cast<size_t>(r.width()) * static_cast<size_t>(r.height()) * 3);
    for (int y = 0; y < z.height(); ++y) {
        const auto* ligne = reinterpret_cast<const QRgba64*>(z.constScanLine(y));
        for (int x = 0; x < z.width(); ++x) {
            e.rvb.push_back(ligne[x].red());
            e.rvb.push_back(ligne[x].green());
            e.rvb.push_back(ligne[x].blue());
        }
    }
    return e;
}

} // namespace orv
