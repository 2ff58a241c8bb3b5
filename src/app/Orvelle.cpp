#include "app/Orvelle.h"

namespace orv {

Orvelle::Orvelle(Plateforme& p, std::string dossier)
    : plateforme(p), dossierProgramme(std::move(dossier)), REPPROG(dossierProgramme) {
    CalibrageImage.fill(1.0);
}

bool Orvelle::DemandeFermeture() {
    return plateforme.QuestionOuiNon(textes.Msg(161),
                                     controles.Existe("frmMesure") ? controles.Texte("frmMesure")
                                                                   : std::string(),
                                     Icone::Question);
}

} // namespace orv
