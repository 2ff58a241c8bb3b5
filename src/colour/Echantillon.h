// A colour sample: the square zone of the picture that a click takes, the mean
// colour of its pixels in R V B and CIE 1976 L*a*b*, and how uniform it is.
//
// The zone is the square of `cote` image pixels whose centre is the nearest a
// square of whole pixels can come to the clicked point; the part outside the
// picture is left out, so a zone at an edge averages only the pixels inside.
// R, V, B are the means of each channel on the 0-255 scale (16-bit pictures
// are scaled, not cut to 8 bits). L*, a*, b* are those of the mean colour, read
// as sRGB: its transfer curve, the sRGB primaries to XYZ, D65 white. S is the
// standard deviation of the L* of the zone's pixels (0 for a uniform zone).
#pragma once

#include "platform/Plateforme.h"

#include <array>
#include <optional>
#include <string>

namespace orv {

struct Lab {
    double L = 0, a = 0, b = 0;
};

// L*a*b* of an sRGB colour whose channels run from 0 to 1.
Lab LabDepuisSRVB(double r, double v, double b);

// The zone of side `cote` centred on the point (xPixel, yPixel) (image pixels
// from the top-left corner of the picture, pixel i covering [i, i + 1)),
// clipped to a picture of the given size; empty when nothing of it is inside.
ZonePixels ZoneEchantillon(int cote, double xPixel, double yPixel, int largeurImage,
                           int hauteurImage);

struct Echantillon {
    double R = 0, V = 0, B = 0; // 0-255
    Lab lab;
    // The "zone" column: the side of the square, in image pixels; for a zone
    // cut by the picture's edge, the number of pixels it averaged instead
    // (the side alone would claim pixels that were never read).
    int zone = 0;
    double S = 0;   // standard deviation of L* over the zone
    int pixels = 0; // pixels averaged (fewer than the side squared at an edge)
};

// The sample of the pixels read for a zone of side `cote`; nothing when no
// pixel was read.
std::optional<Echantillon> Echantillonne(const EchantillonsImage& pixels, int cote);

// The grid cells of a sample, columns "R" ... "S": R V B whole, L a b and S to
// two decimals, the zone's side; `separateur` is the decimal separator.
std::array<std::string, 8> CellulesEchantillon(const Echantillon& e, char separateur);

} // namespace orv
