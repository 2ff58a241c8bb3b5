#include "cli/PlateformeCli.h"

#include "base/Texte.h"
#include "images/EnteteImage.h"
#include "images/Orientation.h"

#ifdef ORVELLE_CLI_PIXELS
#include "pixels/LectureZone.h"
#endif

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
