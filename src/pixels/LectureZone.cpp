#include "pixels/LectureZone.h"

#include "base/FichierTexte.h"
#include "base/Texte.h"
#include "images/EnteteImage.h"
#include "images/Orientation.h"
#include "pixels/DecodeurJpeg.h"

#include <QFile>
#include <QImageReader>
#include <QRect>
#include <QRgba64>

#include <algorithm>
#include <atomic>
#include <cstdint>
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

std::optional<ImageStockee> LitImageStockee(const std::string& chemin, int budgetMo) {
    const auto entete = LitEnteteImageFichier(chemin);
    if (entete && RefusBudgetImage(entete->largeur, entete->hauteur, budgetMo)) return std::nullopt;
    ImageStockee r;
    r.orientation = entete ? entete->orientation : OrientationNormale;
    const std::uint64_t budget = static_cast<std::uint64_t>(std::max(budgetMo, BudgetImageMoMini))
                                 << 20;
    if (entete && entete->format == FormatImage::Jpeg && DecodeurJpeg::Disponible()) {
        const std::atomic<bool> jamais{false};
        try {
            if (DecodeurJpeg::DecodeReduit(chemin, 1, r.image, r.tampon, jamais, budget)) return r;
        } catch (const std::bad_alloc&) {
            return std::nullopt;
        }
        // Otherwise Qt's reader has a go (CMYK pictures, for instance).
    }
    QImageReader::setAllocationLimit(std::max(budgetMo, BudgetImageMoMini));
    // Opened by its bytes, and only a regular file.
    const auto fichier = OuvreFichierLecture(chemin);
    if (!fichier) return std::nullopt;
    QImageReader lecteur(fichier.get());
    lecteur.setAutoTransform(false); // the tag read above is the one applied
    if (const QSize t = lecteur.size();
        t.isValid() && RefusBudgetImage(t.width(), t.height(), budgetMo))
        return std::nullopt;
    r.image = lecteur.read();
    if (r.image.isNull()) return std::nullopt;
    return r;
}

QImage Redresse(const QImage& stockee, int orientation) {
    const QImage source = stockee.format() == QImage::Format_RGB32
                              ? stockee
                              : stockee.convertToFormat(QImage::Format_RGB32);
    if (OrientationValide(orientation) == OrientationNormale || source.isNull()) return source;
    const TailleImage s{source.width(), source.height()};
    const TailleImage d = TailleRedressee(s, orientation);
    QImage r(d.largeur, d.hauteur, QImage::Format_RGB32);
    if (r.isNull()) return r;
    const Redressement m = RedressementPixels(orientation, s);
    auto* base = reinterpret_cast<std::uint32_t*>(r.bits());
    for (int y = 0; y < s.hauteur; ++y)
        CopieRedressee(reinterpret_cast<const std::uint32_t*>(source.constScanLine(y)), y,
                       s.largeur, m, base, r.bytesPerLine() / 4);
    return r;
}

std::optional<EchantillonsImage> EchantillonsDe(const QImage& stockee, ZonePixels zone,
                                                int orientation) {
    if (stockee.isNull()) return std::nullopt;
    const TailleImage s{stockee.width(), stockee.height()};
    const TailleImage d = TailleRedressee(s, orientation);
    const QRect r =
        QRect(zone.x, zone.y, zone.largeur, zone.hauteur).intersected({0, 0, d.largeur, d.hauteur});
    if (r.isEmpty()) return std::nullopt;
    const ZonePixels lue = ZoneStockee({r.x(), r.y(), r.width(), r.height()}, orientation, s);
    // 16 bits a channel whatever the file's depth: an 8-bit v reads v * 257.
    const QImage z =
        stockee.copy(lue.x, lue.y, lue.largeur, lue.hauteur).convertToFormat(QImage::Format_RGBX64);
    EchantillonsImage e;
    e.zone = {r.x(), r.y(), r.width(), r.height()};
    e.rvb.reserve(static_cast<size_t>(r.width()) * static_cast<size_t>(r.height()) * 3);
    for (int v = r.top(); v <= r.bottom(); ++v)
        for (int u = r.left(); u <= r.right(); ++u) {
            int x = 0, y = 0;
            PixelStocke(orientation, s, u, v, x, y);
            const QRgba64 c =
                reinterpret_cast<const QRgba64*>(z.constScanLine(y - lue.y))[x - lue.x];
            e.rvb.push_back(c.red());
            e.rvb.push_back(c.green());
            e.rvb.push_back(c.blue());
        }
    return e;
}

std::optional<EchantillonsImage> LitZoneFichier(const std::string& chemin, ZonePixels zone,
                                                int budgetMo) {
    const auto image = LitImageStockee(chemin, budgetMo);
    if (!image) return std::nullopt;
    return EchantillonsDe(image->image, zone, image->orientation);
}

} // namespace orv
