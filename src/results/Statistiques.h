// The statistics grid GrilleRefP under the measurement grid: the moment
// statistics of every value column (lines 1-7, with the lines of the extremes
// in the "index" column and highlighted in GrilleRef), the order statistics
// (lines 8-11) and the volume of 3D spores.
#pragma once

#include "base/Parametres.h"
#include "interface/Interface.h"
#include "measure/EtatMesure.h"
#include "results/EtatResultats.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// Colours of the grids (&HBBGGRR).
inline constexpr std::uint32_t CouleurGrilles = 0xC0FFC0;      // light green
inline constexpr std::uint32_t CouleurStatArretees = 0xE0E0E0; // light grey
inline constexpr std::uint32_t CouleurMinimum = 0x00FF00;      // green
inline constexpr std::uint32_t CouleurMaximum = 0x00FFFF;      // yellow

// The statistics grid has at least this many lines (0-11).
inline constexpr int LignesStatistiques = 12;

// Labels of lines 1 to 11, in column 0, as built in.
inline constexpr const char* LibellesStatistiques[] = {
    "Moy", "Min", "Max", "Sigma", "Diss", "Kurt", "m/s", "N=", "D1", "médiane", "D9"};
// The label of line k + 1 in the current language: the words come from the
// text tables, the symbols stay.
std::string LibelleStatistique(const TablesTextes& t, int k);

// A statistic of value column c as the statistics grid shows it: one format
// for the whole column, the column's own (a count's statistics keep the
// decimals of the pattern: a mean of counts is seldom whole).
std::string TexteStatistique(const EtatMesure& m, const Parametres& p, char sep, int c,
                             double valeur);

// Recomputes lines 0-7 and the "index" column of GrilleRefP, the lines of the
// extremes and, for spores 3D, VolApprox and SigmaVol. Nothing while the
// automatic statistics are off; false then.
bool StatColonnes(const Interface& ui, const EtatMesure& m, EtatResultats& r, const Parametres& p);
// The measurement grid shows what StatColonnes found: the counted cells in
// green, each column's minimum and maximum highlighted.
void SurligneExtremes(const EtatResultats& r, GrilleTexte& g);

// The values of column c that the order statistics, the dominante and the
// distribution plots count: finished lines, above SeuilOrdre (above zero for
// densities, which keep their full precision: PleinePrecision).
std::vector<double> ValeursOrdre(const EtatMesure& m, int c);
bool PleinePrecision(const EtatMesure& m, int c);

// Count, median and deciles of value column c (1..NbColStat, within the
// result vectors) into r; another column changes nothing.
void Cdecile(const EtatMesure& m, EtatResultats& r, int c);

// Lines 8-11 of GrilleRefP ("N=", "D1", "médiane", "D9") for columns
// 1..NbColStat. Runs whether the automatic statistics are on or not.
void TableDeciles(const Interface& ui, const EtatMesure& m, EtatResultats& r, const Parametres& p);

// Mode estimate of column c over the values the order statistics count.
double Dominante(const EtatMesure& m, int c);

// Both tables at once: what the results read before they are written.
void RecalculeTout(const Interface& ui, const EtatMesure& m, EtatResultats& r, const Parametres& p);

// The grid was emptied: the statistics grid's values and the order
// statistics go.
void RazStatistiques(EtatResultats& r);

// The "Calc..stat." box was clicked: the automatic statistics follow `coche`; the grid's
// colour says whether they are on.
void BasculeCalculStatistiques(EtatResultats& r, bool coche);

} // namespace orv
