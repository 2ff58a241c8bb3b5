// The pointing on the image box: the window hands every press, move, release
// and key of the box to these routes (through app/), in twips of the box; they
// decide what the event does (measure, count, zoom, drag, cancel...), leave the
// result in the grid, the marks layer, the controls and EtatMesure::pointage,
// and return what the program must follow up (values written, a change of
// the view...).
#pragma once

#include "images/Vue.h"
#include "interface/Controle.h"
#include "interface/Interface.h"
#include "measure/ContexteMesure.h"
#include "measure/EtatMesure.h"
#include "measure/SuitesMesure.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orv {

// Mouse on the box. `doubleClic` marks the second press of a double click
// (it ends a broken line; elsewhere it is an ordinary press). After a release
// the window looks at `pointage.menuContextuel`: when set, it shows that menu
// at that point and answers with ChoixMenuContextuel or FermeMenuContextuel.
SuitesMesure ClicImage(Interface& ui, EtatMesure& m, const ContexteMesure& c, Bouton bouton,
                       Modificateurs mods, PointTwips p, bool doubleClic = false);
void SuitSouris(Interface& ui, EtatMesure& m, const ContexteMesure& c, Bouton boutons,
                Modificateurs mods, PointTwips p);
SuitesMesure RelacheImage(Interface& ui, EtatMesure& m, const ContexteMesure& c, Bouton bouton,
                          Modificateurs mods, PointTwips p);

// Keys of the box. The window hands over only the keys typed while the box
// has the focus: never those of a text box, a dialog or a menu.
SuitesMesure ToucheEnfoncee(Interface& ui, EtatMesure& m, const ContexteMesure& c, Touche touche,
                            Modificateurs mods);
void ToucheRelachee(Interface& ui, EtatPointage& p, Touche touche, Modificateurs mods);
// The box lost the keyboard: the keys held are taken as released (Z and C no
// longer zoom), and the Ctrl under way toggles nothing.
void ToucheOubliees(EtatPointage& p);
// While the image drag is on, the status bar says how to leave it.
void AfficheModeGlisse(Interface& ui, const EtatPointage& p);

// The answer of a context menu: one of its entries (std::nullopt for any
// other control), or the menu closed without a choice.
std::optional<SuitesMesure> ChoixMenuContextuel(Interface& ui, EtatMesure& m,
                                                const ContexteMesure& c, Controle entree);
void FermeMenuContextuel(Interface& ui, EtatMesure& m, const ContexteMesure& c);

// "Eff.Arr.", the Backspace key and the "<=" button alike: the last value
// goes, and its marks leave the view.
SuitesMesure EffaceDerniereValeur(Interface& ui, EtatMesure& m, const Parametres& p);

// Cancels the segment or the figure under way (Esc, "Annuler/Retracer", and
// any command that must stop a measure): values already written stay.
// `versionImage` names the picture shown.
void AnnuleSegment(Interface& ui, EtatMesure& m, std::uint64_t versionImage);

// The key help: the message-table lines " Espace : grille" ... " E : mode 3D,
// épaisseur", the magnifier line followed by " / L" (the key that does the
// same on keyboards without "<>"), one per line.
std::string AideTouches(const TablesTextes& textes);

} // namespace orv
