// What the distribution plots show, computed without the window: the
// histogram of one value column (Freedman-Diaconis bins) with its mean,
// median and deciles, and the length x width points of spores.
#pragma once

#include "measure/EtatMesure.h"

#include <utility>
#include <vector>

namespace orv {

struct Histogramme {
    int n = 0;
    double debut = 0;   // left edge of the first bin
    double largeur = 0; // width of every bin
    std::vector<int> effectifs;
    // From the statistics' own rules (Deciles, Moments): the median of the
    // order statistics, deciles 0 below 11 values.
    double moyenne = 0;
    double mediane = 0;
    double d1 = 0;
    double d9 = 0;
    double minimum = 0;
    double maximum = 0;
};

// Bins of width 2 IQR / cbrt(n) from the smallest value; with no spread
// between the quartiles, ceil(log2 n) + 1 bins over the range; with no range
// at all (one value, or all equal), one bin round the value. Never more than
// 60 bins: a few outliers far off do not make a comb.
// `pleinePrecision`: densities, every value above zero at full precision.
Histogramme Distribution(const std::vector<double>& valeurs, bool pleinePrecision = false);

// The histogram of value column c, over the values the order statistics count.
Histogramme DistributionColonne(const EtatMesure& m, int c);

// The value columns that get a histogram: 1..NbColStat within the grid.
std::vector<int> ColonnesDistribution(const EtatMesure& m);

// (length, width) of every finished line with both, for the spore functions
// (2 and 3); empty for the others.
std::vector<std::pair<double, double>> PointsLongueurLargeur(const EtatMesure& m);

} // namespace orv
