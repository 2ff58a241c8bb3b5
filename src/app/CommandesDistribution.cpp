#include "app/CommandesDistribution.h"

#include "app/CommandesResultats.h"
#include "app/Dossiers.h"
#include "base/FichierTexte.h"
#include "interface/Messages.h"
#include "results/ExportCSV.h"

#include <filesystem>

namespace orv {

namespace fs = std::filesystem;

void CommandeDistribution(Orvelle& o, Controle c) {
    if (c != Controle::Histogrammes) return;
    bool& affichee = o.resultats.distributionAffichee;
    affichee = !affichee;
    o.controles.Coche(Controle::Histogrammes, affichee);
    return;
}

bool ExporteGraphique(Orvelle& o, FormatGraphique format,
                      const std::function<std::string()>& rendu) {
    const auto& t = o.textes;
    const bool png = format == FormatGraphique::PNG;
    const std::string extension = png ? ".png" : ".svg";
    const std::string filtre = "*" + extension + "|*" + extension + "|" + t.Msg(msg::TousFichiers);
    const std::string propose = (fs::path(DossierExport(o)) / (NomBaseExport(o.images.cheminImage) +
                                                               "_distribution" + extension))
                                    .string();
    const auto choisi = o.plateforme.ChoisitFichierAEnregistrer(
        t.Mnu(png ? mnu::ExporterPNG : mnu::ExporterSVG), filtre, propose);
    if (!choisi || choisi->empty()) return false;
    NoteDossierTravaux(o, *choisi);
    std::string chemin = *choisi;
    if (fs::path(chemin).extension().empty()) chemin += extension;
    if (FichierExiste(chemin) &&
        !o.plateforme.QuestionOKAnnuler(t.Msg(msg::Ecraser), chemin, Icone::Question))
        return false;
    const Ecriture e = EcritAtomique(chemin, rendu());
    if (!e)
        o.plateforme.Message(t.Msg(msg::ErreurFichier) + " : " + e.erreur, {}, Icone::Exclamation);
    return static_cast<bool>(e);
}

} // namespace orv
