// The notation mycologists publish spore sizes with, for instance
// "(8.1)9.0-11.2(12.5)": one block per measuring function in one of five
// forms chosen under "Notation éclair" (NoTexp), read from the statistics grid.
#pragma once

#include "base/Parametres.h"
#include "interface/Interface.h"
#include "measure/EtatMesure.h"
#include "results/EtatResultats.h"

#include <string>
#include <utility>

namespace orv {

// What a notation reads: the statistics grid and order statistics, the
// active function, the number format.
struct SourceNotation {
    const Interface& ui;
    const EtatMesure& mesure;
    const EtatResultats& resultats;
    const Parametres& parametres;
};

// Deciles need eleven values: below, "m ± sigma" is used instead.
inline constexpr int FormeMoyenneSigma = 3;

// The mean give or take `facteur` sigmas of column c, in the column's format
// (the range that replaces the deciles below eleven values). A bound never
// goes beyond the column's extremes: a length of -0.2 µm or a range wider
// than the values would mislead.
std::pair<std::string, std::string> BornesMoyenneSigma(const SourceNotation& s, int c,
                                                       double facteur = 1);

// Caption of NoTexp(v) ("D1,9" ... "d1, Dominante, d9"); empty outside 1..5.
std::string LibelleNotation(const Controles& c, int v);

// The part of one column: " (min)low-high(max)"; only "(max)" for a form
// outside 1..5.
std::string FragmentColonne(const SourceNotation& s, int v, int c);
// "header : N= n ;marker; (min)low-high(max)", the notation of segments.
std::string LigneNotation(const SourceNotation& s, int v, int c);
// Length x width of spores 2D on one line, then the ratio Q in the same form.
std::string NotationLxl(const SourceNotation& s, int v);

// The notation of the active function, statistics refreshed first; empty for
// the counts, densities and colours.
std::string Notation(const Interface& ui, const EtatMesure& m, EtatResultats& r,
                     const Parametres& p);

} // namespace orv
