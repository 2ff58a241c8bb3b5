// The moment statistics of one grid column (mean, extremes, standard
// deviation, skewness, kurtosis) and the approximate volume of a 3D spore.
#pragma once

#include <vector>

namespace orv {

// An empty cell and a zero value both mean "no value": they are not counted.
struct MomentsColonne {
    int n = 0; // values other than zero
    double moyenne = 0;
    double sigma = 0;       // population standard deviation
    double dissymetrie = 0; // skewness, 0 while sigma <= 0.001
    double kurtosis = 0;    // not in excess form: about 3 for a normal sample
    // Extremes of the values above zero; 0 and line 0 when there is none.
    double minimum = 0;
    double maximum = 0;
    int ligneMin = 0; // 1-based position in the list
    int ligneMax = 0;
};

// Values of one column, element i being grid line i + 1. The first of equal
// extremes wins.
MomentsColonne CalculeMoments(const std::vector<double>& valeurs);

// Below this standard deviation the shape statistics and m/s are not given.
inline constexpr double SigmaMinimal = 0.001;

struct VolumeSpore {
    double volume = 0; // VolApprox
    double sigma = 0;  // SigmaVol
};

// Ellipsoid volume pi.L.l.e/6 from the means of length, width and thickness,
// with the first-order propagation of their standard deviations. Pi is taken
// as 3.14159, the value the volumes of the grid use.
VolumeSpore CalculeVolumeSpore(double m1, double m2, double m3, double s1, double s2, double s3);

} // namespace orv
