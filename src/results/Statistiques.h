// The statistics grid GrilleRefP under the measurement grid: the moment
// statistics of every value column (lines 1-7, with the lines of the extremes
// in the "index" column and highlighted in GrilleRef), the order statistics
// (lines 8-11) and the volume of 3D spores.
#pragma once

#include <cstdint>
#include <string>

namespace orv {

class Orvelle;

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
std::string LibelleStatistique(const Orvelle& o, int k);

// A statistic of value column c as the statistics grid shows it: one format
// for the whole column, the column's own (a count's statistics keep the
// decimals of the pattern: a mean of counts is seldom whole).
std::string TexteStatistique(const Orvelle& o, int c, double valeur);

// True while the automatic statistics box Check(3) "Calc..stat." is ticked.
bool StatistiquesAutomatiques(const Orvelle& o);

// Recomputes lines 0-7 and the "index" column of GrilleRefP, the highlight
// colours of GrilleRef and, for spores 3D, VolApprox and SigmaVol. Nothing
// while Check(3) is unticked.
void StatColonnes(Orvelle& o);

// Count, median and deciles of value column c (1..NbColStat, within the
// result vectors) into o.resultats; another column changes nothing.
void Cdecile(Orvelle& o, int c);

// Lines 8-11 of GrilleRefP ("N=", "D1", "médiane", "D9") for columns
// 1..NbColStat. Runs whether Check(3) is ticked or not.
void TableDeciles(Orvelle& o);

// Mode estimate of column c over the values the order statistics count.
double Dominante(const Orvelle& o, int c);

// Both tables at once: what the results read before they are written.
void RecalculeTout(Orvelle& o);

// The grid was emptied: the order statistics go back to 0.
void RazStatistiques(Orvelle& o);

// Check(3) was clicked (its new state already in the registry).
void ClicCalculStatistiques(Orvelle& o);
// cmdStat: refreshes the order statistics.
void ClicCmdStat(Orvelle& o);

} // namespace orv
