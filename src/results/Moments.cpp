#include "results/Moments.h"

#include <cmath>

namespace orv {

MomentsColonne CalculeMoments(const std::vector<double>& valeurs) {
    MomentsColonne m;
    double somme = 0;
    for (size_t i = 0; i < valeurs.size(); ++i) {
        const double x = valeurs[i];
        const int ligne = static_cast<int>(i) + 1;
        if (x > m.maximum) {
            m.maximum = x;
            m.ligneMax = ligne;
        }
        if (x > 0 && (m.ligneMin == 0 || x < m.minimum)) {
            m.minimum = x;
            m.ligneMin = ligne;
        }
        if (x != 0) {
            ++m.n;
            somme += x;
        }
    }
    if (m.n == 0) return m;

    // Central moments in a second pass: the raw-sum form loses every digit of
    // the kurtosis of a tight column of large values.
    const double n = m.n;
    m.moyenne = somme / n;
    double c2 = 0, c3 = 0, c4 = 0;
    for (double x : valeurs) {
        if (x == 0) continue;
        const double d = x - m.moyenne;
        c2 += d * d;
        c3 += d * d * d;
        c4 += d * d * d * d;
    }
    m.sigma = std::sqrt(c2 / n);
    if (m.sigma > SigmaMinimal) {
        const double s2 = m.sigma * m.sigma;
        m.dissymetrie = (c3 / n) / (s2 * m.sigma);
        m.kurtosis = (c4 / n) / (s2 * s2);
    }
    return m;
}

VolumeSpore CalculeVolumeSpore(double m1, double m2, double m3, double s1, double s2, double s3) {
    constexpr double kPi = 3.14159;
    VolumeSpore v;
    v.volume = kPi * m1 * m2 * m3 / 6;
    const double a = m1 * m2 * s3, b = m1 * m3 * s2, c = m2 * m3 * s1;
    v.sigma = std::sqrt(a * a + b * b + c * c) * kPi / 6;
    return v;
}

} // namespace orv
