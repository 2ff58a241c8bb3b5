#include "cli/PlateformeCli.h"

#include "base/Texte.h"
#include "images/EnteteImage.h"

#ifdef ORVELLE_CLI_PIXELS
#include "gui/LectureZone.h"
#endif

#include <algorithm>
#include <cstdio>

namespace orv::cli {

void PlateformeCli::Message(const std::string& texte, const std::string&, Icone) {
    std::fprintf(stderr, "orvelle-cli: %s\n", SurUneLigne(texte).c_str());
}

bool PlateformeCli::QuestionOuiNon(const std::string& texte, const std::string&, Icone) {
    std::fprintf(stderr, "orvelle-cli: %s: no\n", SurUneLigne(texte).c_str());
    return false;
}

bool PlateformeCli::QuestionOKAnnuler(const std::string& texte, const std::string&, Icone) {
    std::fprintf(stderr, "orvelle-cli: %s: cancel\n", SurUneLigne(texte).c_str());
    return false;
}

std::optional<TailleImage> PlateformeCli::LitTailleImage(const std::string& chemin) {
    const auto e = LitEnteteImageFichier(chemin);
    if (!e) return std::nullopt;
    return TailleImage{e->largeur, e->hauteur};
}

std::optional<PixelsImage> PlateformeCli::LitPixelsImage(const std::string& chemin) {
#ifdef ORVELLE_CLI_PIXELS
    QImage image = LitImageTelleQuelle(QString::fromStdString(chemin));
    if (image.isNull()) return std::nullopt;
    image = image.convertToFormat(QImage::Format_RGB32);
    PixelsImage p;
    p.largeur = image.width();
    p.hauteur = image.height();
    p.pixels.resize(static_cast<size_t>(p.largeur) * static_cast<size_t>(p.hauteur));
    for (int y = 0; y < p.hauteur; ++y) {
        const auto* ligne = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        std::copy(ligne, ligne + p.largeur, p.pixels.begin() + static_cast<long>(y) * p.largeur);
    }
    return p;
#else
    (void)chemin;
    return std::nullopt;
#endif
}

std::optional<EchantillonsImage> PlateformeCli::LitZoneImage(const std::string& chemin,
                                                             ZonePixels zone) {
#ifdef ORVELLE_CLI_PIXELS
    return EchantillonsDe(LitImageTelleQuelle(QString::fromStdString(chemin)), zone);
#else
    (void)chemin;
    (void)zone;
    return std::nullopt;
#endif
}

} // namespace orv::cli
