#include "gui/Lancement.h"

#include "app/Fenetre.h"

namespace orv {

void Lance(Orvelle& etat, FenetrePrincipale& fenetre, const std::string& langue,
           bool diagnosticLangue) {
    etat.langue.demandee = langue;
    etat.langue.diagnosticDemande = diagnosticLangue;
    Demarrage(etat);
    fenetre.AppliqueLangueQt();
}

} // namespace orv
