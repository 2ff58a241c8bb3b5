#include "gui/Lancement.h"

#include "app/Fenetre.h"

namespace orv {

void Lance(Orvelle& etat, FenetrePrincipale& fenetre, const std::string& langue,
           bool diagnosticLangue) {
    etat.langueDemandee = langue;
    etat.diagnosticLangueDemande = diagnosticLangue;
    Demarrage(etat);
    fenetre.AppliqueLangueQt();
}

} // namespace orv
