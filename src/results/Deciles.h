// The order statistics of one grid column (count, first decile, median,
// ninth decile) and the "dominante", the mode estimate of one notation form.
#pragma once

#include <vector>

namespace orv {

// Order statistics work on values rounded to four decimals, as the pattern
// "00000.0000" writes them.
double ArrondiOrdre(double valeur);

// Values at or below this are left out of the order statistics (empty cells,
// zeros, rounding noise).
inline constexpr double SeuilOrdre = 0.0001;

// Deciles need this many values.
inline constexpr int ValeursDeciles = 11;

struct StatistiquesOrdre {
    int n = 0;
    double mediane = 0; // 0 when there is no value
    double d1 = 0;      // deciles: 0 below 11 values
    double d9 = 0;
};

// Deciles by linear interpolation at the rank p.(N + 1), p = 0.1 and 0.9.
// Values are rounded to four decimals and those at or below SeuilOrdre left
// out, unless `pleinePrecision`: densities, often far below a ten-thousandth,
// keep every digit and every value above zero.
StatistiquesOrdre CalculeOrdre(const std::vector<double>& valeurs, bool pleinePrecision = false);

// The mode estimate, the middle of the densest region of the sorted values
// (the half-sample mode): pass after pass, the values narrow to the shortest
// run that holds half of them, until three or fewer are left; of three, the
// middle of the closer pair. Equally short runs give way to the middle ones,
// so that the estimate does not lean to one end. No value gives 0.
double DominanteValeurs(std::vector<double> valeurs);

} // namespace orv
