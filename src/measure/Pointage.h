// The pointing on the image box: the window hands every press, move, release
// and key of the box to these routes, in twips of the box; they decide what
// the event does (measure, count, zoom, drag, cancel...) and leave the result
// in the grid, the marks layer, the controls and Orvelle::pointage.
#pragma once

#include "images/Vue.h"
#include "interface/Controle.h"
#include "measure/EtatPointage.h"

#include <string>

namespace orv {

class Orvelle;

// Mouse on the box. `doubleClic` marks the second press of a double click
// (it ends a broken line; elsewhere it is an ordinary press). After a release
// the window looks at `o.pointage.menuContextuel`: when set, it shows that
// menu at that point and answers with ChoixMenuContextuel.
void ClicImage(Orvelle& o, Bouton bouton, Modificateurs mods, PointTwips p,
               bool doubleClic = false);
void SuitSouris(Orvelle& o, Bouton boutons, Modificateurs mods, PointTwips p);
void RelacheImage(Orvelle& o, Bouton bouton, Modificateurs mods, PointTwips p);

// Routes one press (`enfonce`) or release to the routine of the active
// function; only while a picture is shown.
void AiguilleMesure(Orvelle& o, PointTwips p, Bouton bouton, bool enfonce, Modificateurs mods = {},
                    bool doubleClic = false);

// Keys of the box. The window hands over only the keys typed while the box
// has the focus: never those of a text box, a dialog or a menu.
void ToucheEnfoncee(Orvelle& o, Touche touche, Modificateurs mods);
void ToucheRelachee(Orvelle& o, Touche touche, Modificateurs mods);
// The box lost the keyboard: the keys held are taken as released (Z and C no
// longer zoom), and the Ctrl under way toggles nothing.
void ToucheOubliees(Orvelle& o);
// While the image drag is on, the status bar says how to leave it.
void AfficheModeGlisse(Orvelle& o);

// The answer of a context menu: one of its entries (false for any other
// control), or the menu closed without a choice.
bool ChoixMenuContextuel(Orvelle& o, Controle entree);
void FermeMenuContextuel(Orvelle& o);

// "Eff.Arr.", the Backspace key and the "<=" button alike: the last value
// goes, and its marks leave the view.
void EffaceDerniereValeur(Orvelle& o);

// Cancels the segment or the figure under way (Esc, "Annuler/Retracer", and
// any command that must stop a measure): values already written stay.
void AnnuleSegment(Orvelle& o);

// The key help: the message-table lines " Espace : grille" ... " E : mode 3D,
// épaisseur", the magnifier line followed by " / L" (the key that does the
// same on keyboards without "<>"), one per line.
std::string AideTouches(const Orvelle& o);

} // namespace orv
