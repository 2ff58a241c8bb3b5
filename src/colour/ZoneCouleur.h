// The colour function's controls: the sample zone's size (menu Lrg, scroll
// bar and its label), the "Calibré" box, and the colour panel
// and options menu shown while the function is active.
#pragma once

#include "colour/EtatCouleur.h"
#include "interface/Controle.h"
#include "interface/Interface.h"

namespace orv {

inline constexpr int ZonesCouleur = 6; // size indexes 1..6, sides 2..64

// Lrg(i): the side 2^i, its menu entry ticked alone, the scroll bar at i and
// the label "s" + "x" + "s". False (nothing changed) for an index outside 1..6.
bool ChoisitTailleZone(Interface& ui, EtatCouleur& e, int i);
// The scroll bar moved to `valeur`.
void DefileTailleZone(Interface& ui, EtatCouleur& e, int valeur);

// Colours > "charger un fichier scanner": the non-calibrated mode, the box
// enabled and unticked.
void ModeNonCalibre(Interface& ui, EtatCouleur& e);

// The colour panel and the colour options menu show while function 20 is
// active; the notes dialog of a colour file does not outlive it.
void MontreModeCouleur(Interface& ui, EtatCouleur& e, bool actif);

} // namespace orv
