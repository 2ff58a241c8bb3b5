#include "calibration/FichierCalibrage.h"

#include "base/FichierTexte.h"
#include "base/Nombres.h"
#include "base/Texte.h"

#include <filesystem>
#include <sstream>
#include <system_error>

namespace orv {

std::vector<std::string> FichierCalibrage::Entete(const std::string& ligne2) {
    return {Avertissement, ligne2, ""};
}

std::string FichierCalibrage::Ligne(const std::string& commentaire, double facteur,
                                    char separateur) {
    // One stored calibration is one line, whatever was pasted into the comment.
    return SurUneLigne(commentaire) + " = " + NombreFichierExact(facteur, separateur);
}

std::vector<std::string> FichierCalibrage::LitEntrees(std::istream& in) {
    std::vector<std::string> entrees;
    for (auto& ligne : LitLignes(in)) {
        const std::string t = Trim(ligne);
        if (!t.empty() && t.find('=') != std::string::npos) entrees.push_back(t);
    }
    return entrees;
}

std::optional<std::vector<std::string>> FichierCalibrage::LitEntrees(const std::string& chemin) {
    const auto lu = LitFichier(chemin, LimiteFichierTexte);
    if (!lu) return std::nullopt;
    std::istringstream in(*lu.octets);
    return LitEntrees(in);
}

std::string FichierCalibrage::TexteValeur(const std::string& ligne) {
    const auto egal = ligne.find('=');
    if (egal == std::string::npos) return {};
    return Trim(std::string_view(ligne).substr(egal + 1));
}

std::optional<double> FichierCalibrage::Valeur(const std::string& ligne) {
    return LitNombreStrict(TexteValeur(ligne));
}

void FichierCalibrage::Ecrit(std::ostream& out, const std::vector<std::string>& lignes) {
    out << TexteFichier(lignes);
}

Ecriture FichierCalibrage::Ajoute(const std::string& chemin, const std::string& ligne,
                                  const std::string& ligne2Entete, bool& cree) {
    cree = false;
    std::vector<std::string> lignes;
    if (auto existantes = LitLignesFichier(chemin)) {
        lignes = std::move(*existantes);
    } else {
        // A file that is there but cannot be read is not replaced by a new one.
        std::error_code ec;
        if (std::filesystem::exists(chemin, ec)) return {false, chemin};
        lignes = Entete(ligne2Entete);
        cree = true;
    }
    lignes.push_back(ligne);
    return EcritLignesFichier(chemin, lignes);
}

} // namespace orv
