#include "app/Dossiers.h"

#include "app/Orvelle.h"

#include <filesystem>

namespace orv {

namespace fs = std::filesystem;

namespace {

std::string Dossier(const Orvelle& o, const std::string& dernier, GenreDossier genre) {
    std::error_code e;
    // The program folder is where the settings were seeded from, not a folder
    // the user chose.
    if (!dernier.empty() && dernier != o.dossierProgramme && fs::is_directory(dernier, e))
        return dernier;
    if (std::string d = o.plateforme.DossierUtilisateur(genre); !d.empty()) return d;
    return o.dossierProgramme;
}

std::string DossierDe(const std::string& fichier) {
    return fs::path(fichier).parent_path().string();
}

} // namespace

std::string DossierTravaux(const Orvelle& o) {
    return Dossier(o, o.parametres.repData, GenreDossier::Documents);
}

std::string DossierImages(const Orvelle& o) {
    return Dossier(o, o.parametres.repImage, GenreDossier::Images);
}

void NoteDossierTravaux(Orvelle& o, const std::string& fichier) {
    if (const std::string d = DossierDe(fichier); !d.empty()) o.parametres.repData = d;
}

void NoteDossierImages(Orvelle& o, const std::string& fichier) {
    if (const std::string d = DossierDe(fichier); !d.empty()) o.parametres.repImage = d;
}

} // namespace orv
