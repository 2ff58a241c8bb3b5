#include "cli/PlateformeCli.h"

#include "base/Texte.h"
#include "images/EnteteImage.h"
#include "images/Orientation.h"

#ifdef ORVELLE_CLI_PIXELS
#include "pixels/LectureZone.h"
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
    return TailleRedressee({e->largeur, e->hauteur}, e->orientation);
}

int PlateformeCli::LitOrientationImage(const std::string& chemin) {
    const auto e = LitEnteteImageFichier(chemin);
    return e ? e->orientation : OrientationNormale;
}

std::optional<PixelsImage> PlateformeCli::LitPixelsImage(const std::string& chemin) {
#ifdef ORVELLE_CLI_PIXELS
    // Upright, decoded and held to the budget as the window's box does it, so
    // that points found here are the window's picture points.
    const auto stockee = LitImageStockee(chemin, budgetMo_);
    if (!stockee) return std::nullopt;
    const QImage image = Redresse(stockee->image, stockee->orientation);
    if (image.isNull()) return std::nullopt;
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
    return LitZoneFichier(chemin, zone, budgetMo_);
#else
    (void)chemin;
    (void)zone;
    return std::nullopt;
#endif
}

} // namespace orv::cli
