// The main window's own behaviour: the start-up sequence, what each activation
// does, the quit confirmation and the dispatch of every click (menu items,
// buttons, check boxes, option buttons) to the subsystem that handles it.
#pragma once

#include "app/Aide.h"
#include "app/Orvelle.h"

#include <string>
#include <vector>

namespace orv {

// Start-up sequence, run once when the window is created.
void Demarrage(Orvelle& o);
// Every activation of the window (the first one also empties the grid).
void Activation(Orvelle& o);
// The pictures and grid files named on the command line, opened once the
// first activation has emptied the grid, so that they stay loaded.
void OuvreFichiersDeDemarrage(Orvelle& o, const std::vector<std::string>& chemins);
// The quit confirmation (unsaved measures are offered a save first): true
// when the program may end.
bool DemandeQuitter(Orvelle& o);
// A click on a menu item, button, check box or option button. Check boxes and
// option buttons arrive with their new state already in the registry.
void Clic(Orvelle& o, Controle c);
// The active function ticked in the Fonction menu and named, with the work's
// grid file, in the window title: "Orvelle – Spores 2D – travail.trm".
void MontreFonctionActive(Orvelle& o);
// The tips that come from the text tables, in the language of the moment.
void Infobulles(Orvelle& o);
// A cell of the measurement grid was selected (row, column of GrilleRef).
void SelectionneCellule(Orvelle& o, int ligne, int colonne);

} // namespace orv
