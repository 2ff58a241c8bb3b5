// The measurement grid at work: writing each pointed value into the current
// line (with the derived columns of the spores), the four-row mirror, and the
// erasing of a value, a line or everything, with the grid's limits.
#pragma once

#include "interface/Controle.h"
#include "measure/EtatMesure.h"

#include <optional>
#include <string>

namespace orv {

class Orvelle;

// Name of the grid file saved when the grid is full and every SAVAUTO lines,
// and its full path: in the data folder, whatever folder the program started in.
inline constexpr const char* TrameSauvegarde = "TrameSav.trm";
std::string CheminTrameSauvegarde(const Orvelle& o);

// Writes a measured value into the current line. `segment` is the mark of the
// value in picture units, kept in the line's mark record when given.
void AjouteValeur(Orvelle& o, double valeur, std::optional<SegmentTrace> segment = {});

// Text of a cell of GrilleRef (selects it); empty outside the grid.
std::string CelluleGrille(Orvelle& o, int ligne, int colonne);

// Empties every measure row. Unless silent, a grid that holds something is
// only emptied after the user said Yes; returns true when it was emptied.
bool EffaceGrille(Orvelle& o, bool silencieux);
// The clear of a function change: the grid silently, every mark record, the mirror.
void RAZ_Grille_total(Orvelle& o);

// Deletes line n (0: the last line, or the line under way).
void Efface_ligne(Orvelle& o, int n);
// Erases the last value entered ("Eff.Arr." key and the "<=" button).
void EffaceArriere(Orvelle& o);

// Shows in MGrille the header and the three lines that end just before line L
// (lines 1 to 3 while L is below 4).
void RafraichitMGrille(Orvelle& o, int L);
// The line that the mirror follows: the line under way, or the last complete line.
int LigneMiroir(const Orvelle& o);

// A line selected in the grid: the status bar says "image :" and the name of
// the picture the line was measured on (its "img" column), when it has one.
void MontreImageLigne(Orvelle& o, int ligne);

// Buttons of the grid: "Eff.  ligne", "Raz gril." ("Raz tout" also empties
// the loader: the window does it). False for another control.
bool ClicBoutonGrille(Orvelle& o, Controle c);

} // namespace orv
