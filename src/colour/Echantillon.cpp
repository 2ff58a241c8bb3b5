#include "colour/Echantillon.h"

#include "base/Nombres.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace orv {

namespace {

// The sRGB primaries to CIE XYZ (D65), as the sRGB standard gives them.
constexpr double kM[3][3] = {{0.4124564, 0.3575761, 0.1804375},
                             {0.2126729, 0.7151522, 0.0721750},
                             {0.0193339, 0.1191920, 0.9503041}};

// The sRGB transfer curve undone: a channel 0..1 to linear light.
double Lineaire(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double F(double t) {
    constexpr double d = 6.0 / 29.0;
    return t > d * d * d ? std::cbrt(t) : t / (3 * d * d) + 4.0 / 29.0;
}

// A value as a cell shows it: rounded to `decimales`, never "-0".
std::string Texte(double v, int decimales, char separateur) {
    const double p = std::pow(10.0, decimales);
    double r = std::round(v * p) / p;
    if (r == 0) r = 0;
    return FormatNombre(r, decimales == 0 ? "###0" : "###0." + std::string(decimales, '0'),
                        separateur);
}

} // namespace

Lab LabDepuisSRVB(double r, double v, double b) {
    const double lin[3] = {Lineaire(r), Lineaire(v), Lineaire(b)};
    double xyz[3], blanc[3];
    for (int i = 0; i < 3; ++i) {
        xyz[i] = kM[i][0] * lin[0] + kM[i][1] * lin[1] + kM[i][2] * lin[2];
        // D65 white is where the matrix takes sRGB white: greys get a* = b* = 0 exactly.
        blanc[i] = kM[i][0] + kM[i][1] + kM[i][2];
    }
    const double fx = F(xyz[0] / blanc[0]), fy = F(xyz[1] / blanc[1]), fz = F(xyz[2] / blanc[2]);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

ZonePixels ZoneEchantillon(int cote, double xPixel, double yPixel, int largeurImage,
                           int hauteurImage) {
    if (cote < 1 || !std::isfinite(xPixel) || !std::isfinite(yPixel)) return {};
    // The nearest whole-pixel square: its left edge at x - cote/2, rounded.
    const double gauche = std::floor(xPixel - cote / 2.0 + 0.5);
    const double haut = std::floor(yPixel - cote / 2.0 + 0.5);
    const double x0 = std::max(gauche, 0.0), y0 = std::max(haut, 0.0);
    const double x1 = std::min(gauche + cote, static_cast<double>(largeurImage));
    const double y1 = std::min(haut + cote, static_cast<double>(hauteurImage));
    if (x1 <= x0 || y1 <= y0) return {};
    return {static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
            static_cast<int>(y1 - y0)};
}

std::optional<Echantillon> Echantillonne(const EchantillonsImage& pixels, int cote) {
    const size_t n = pixels.rvb.size() / 3;
    if (n == 0) return std::nullopt;
    constexpr double kMax = 65535.0;
    double somme[3] = {0, 0, 0};
    std::vector<double> L(n);
    for (size_t i = 0; i < n; ++i) {
        const double r = pixels.rvb[3 * i] / kMax, v = pixels.rvb[3 * i + 1] / kMax,
                     b = pixels.rvb[3 * i + 2] / kMax;
        somme[0] += r;
        somme[1] += v;
        somme[2] += b;
        L[i] = LabDepuisSRVB(r, v, b).L;
    }
    const double N = static_cast<double>(n);
    Echantillon e;
    e.lab = LabDepuisSRVB(somme[0] / N, somme[1] / N, somme[2] / N);
    e.R = somme[0] / N * 255;
    e.V = somme[1] / N * 255;
    e.B = somme[2] / N * 255;
    double moyenne = 0;
    for (double l : L) moyenne += l;
    moyenne /= N;
    double ecarts = 0;
    for (double l : L) ecarts += (l - moyenne) * (l - moyenne);
    e.S = std::sqrt(ecarts / N);
    e.pixels = static_cast<int>(n);
    e.zone =
        static_cast<std::int64_t>(cote) * cote == static_cast<std::int64_t>(n) ? cote : e.pixels;
    return e;
}

std::array<std::string, 8> CellulesEchantillon(const Echantillon& e, char separateur) {
    return {Texte(e.R, 0, separateur),     Texte(e.V, 0, separateur),
            Texte(e.B, 0, separateur),     Texte(e.lab.L, 2, separateur),
            Texte(e.lab.a, 2, separateur), Texte(e.lab.b, 2, separateur),
            std::to_string(e.zone),        Texte(e.S, 2, separateur)};
}

} // namespace orv
