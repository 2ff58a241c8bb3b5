// The measurement grid at work: writing each pointed value into the current
// line (with the derived columns of the spores), the four-row mirror, and the
// erasing of a value, a line or everything, with the grid's limits.
#pragma once

#include "base/Parametres.h"
#include "interface/Controle.h"
#include "interface/Interface.h"
#include "measure/EtatMesure.h"
#include "measure/SuitesMesure.h"

#include <optional>
#include <string>
#include <vector>

namespace orv {

// Writes a measured value into the current line, measured on loader slot
// `image` with the factor `coef` (0 is written, with a warning). `segment` is
// the mark of the value in picture units, kept in the line's mark record when
// given. Before the first value of lines SAVAUTO + 1, 2 SAVAUTO + 1... the
// grid is saved through `sauvegarde`; a full grid writes nothing, is saved so
// that nothing is lost, and the user is told whether the save worked.
ResultatAjout AjouteValeur(Interface& ui, EtatMesure& m, const Parametres& p,
                           SauvegardeGrille* sauvegarde, double coef, int image, double valeur,
                           std::optional<SegmentTrace> segment = {});

// Writes a whole line at once (a colour sample, whose values come together):
// `cellules` from column 1 on, the comment emptied, `marques` kept in the
// line's mark record and drawn; the grid's limits and saves as AjouteValeur.
ResultatAjout AjouteLigne(Interface& ui, EtatMesure& m, const Parametres& p,
                          SauvegardeGrille* sauvegarde, int image,
                          const std::vector<std::string>& cellules,
                          std::vector<MarqueTrace> marques = {});

// Empties every measure row. Unless silent, a grid that holds something is
// only emptied after the user said Yes; returns true when it was emptied.
bool EffaceGrille(Interface& ui, EtatMesure& m, bool silencieux);
// The clear of a function change: the grid silently, every mark record, the mirror.
void RAZ_Grille_total(Interface& ui, EtatMesure& m);

// Deletes line n (0: the last line, or the line under way); false when there
// was no line to delete. The grid keeps TGRILLE + 1 rows.
bool Efface_ligne(Interface& ui, EtatMesure& m, const Parametres& p, int n);
// Erases the last value entered ("Eff.Arr." key and the "<=" button); false
// when the grid held nothing to erase.
bool EffaceArriere(Interface& ui, EtatMesure& m, const Parametres& p);

// The count under way becomes n, and its box shows it.
void FixeCompte(Interface& ui, EtatMesure& m, long n);

// Shows in MGrille the header and the three lines that end just before line L
// (lines 1 to 3 while L is below 4).
void RafraichitMGrille(EtatMesure& m, int L);
// The line that the mirror follows: the line under way, or the last complete line.
int LigneMiroir(const EtatMesure& m);

// A line selected in the grid: the status bar says "image :" and the name of
// the picture the line was measured on (its "img" column), when it has one;
// `images` are the loader's paths, slot 1 first.
void MontreImageLigne(Interface& ui, const EtatMesure& m, const std::vector<std::string>& images,
                      int ligne);

// Buttons of the grid: "Eff.  ligne" and "Raz gril." ("Raz tout" also empties
// the loader: app/ does it); nothing for another control.
std::optional<SuitesMesure> ClicBoutonGrille(Interface& ui, EtatMesure& m, const Parametres& p,
                                             Controle c);

} // namespace orv
