#include "app/Documentation.h"

#include "base/FichierTexte.h"
#include "interface/Messages.h"

namespace orv {

std::string NomGuide(Guide g, const std::string& langue) {
    return (g == Guide::Utilisateur ? "ZelkA_" : "Doc2_") + langue + ".pdf";
}

std::optional<std::string> CheminGuide(Guide g, const std::string& langue,
                                       const std::vector<std::string>& dossiers) {
    std::vector<std::string> langues{langue};
    if (langue != "fr") langues.push_back("fr");
    for (const auto& l : langues)
        for (const auto& d : dossiers) {
            if (d.empty()) continue;
            const std::string chemin = d + "/" + NomGuide(g, l);
            if (FichierExiste(chemin)) return chemin;
        }
    return std::nullopt;
}

void OuvreGuide(Orvelle& o, Guide g) {
    const auto chemin = CheminGuide(g, o.parametres.langue, {o.dossierProgramme, o.dossierDonnees});
    if (chemin) {
        if (o.plateforme.OuvreDocument(*chemin)) return;
        // The file is sound: nothing on the desktop shows PDF files. Where it
        // is, for the user to open it some other way.
        o.plateforme.Message(o.textes.Mnu(mnu::SansLecteurPdf) + *chemin, {}, Icone::Information);
        return;
    }
    // "pb chargement fic.aide", then the file the user would look for.
    o.controles.Texte(Controle::BarreEtat,
                      o.textes.Mnu(mnu::ChargementAide) + " " + NomGuide(g, o.parametres.langue));
}

} // namespace orv
