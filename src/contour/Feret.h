// The Feret diameters of an outline given by points round it, for spores
// that are not ellipses: the greatest caliper diameter and the extent square
// to it, taken on the outline smoothed by a short Fourier series of its
// radius (so that one noisy point does not make the diameter).
#pragma once

#include "contour/Pixels.h"

#include <vector>

namespace orv::contour {

struct Feret {
    double longueur = 0, largeur = 0;
};

// `centre`: a point inside from which every point of the outline is seen once.
Feret FeretContour(const std::vector<Point>& contour, Point centre);

} // namespace orv::contour
