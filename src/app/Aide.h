// The help of the main window: the welcome panel and its warning text, the
// key memo and the step-by-step guide shown in the same frame, the parameter
// listing of "Voir Options" and the "A propos ..." panel.
#pragma once

#include "app/Orvelle.h"

#include <string>
#include <vector>

namespace orv {

// The welcome panel with the warning text of the current language (hidden
// while "ignorer au démarrage" is ticked).
void AfficheBienvenue(Orvelle& o);
// "Liste clés" (and F1): the key memo in the help frame.
void AfficheMemoCles(Orvelle& o);
// "Pas à Pas": the calibration guide in the help frame.
void AffichePasAPas(Orvelle& o);
// "fermer": the key memo or the guide goes.
void FermeAide(Orvelle& o);
// "Voir Options": the parameter listing over the image, or hidden when it is shown.
void BasculeListeParametres(Orvelle& o);
// The lines of the listing, items marked "*" being those the settings file keeps.
std::vector<std::string> ListeParametres(Orvelle& o);
// The "A propos ..." panel: version, build date, licence, documentation folder.
void AfficheAPropos(Orvelle& o);
void FermeAPropos(Orvelle& o);

// The Help menu's entries and the help and about frames' buttons.
void CommandeAide(Orvelle& o, Controle c);

} // namespace orv
