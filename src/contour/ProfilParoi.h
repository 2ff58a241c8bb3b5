// A spore's mean profile across its wall: the pixels of a ring round the
// outline, each divided by the medium's level beside it (uneven light
// multiplies what the spore lets through), binned by their distance to the
// outline. Pixels taken whole, not interpolated, blur the profile by nothing
// but their own size.
#pragma once

#include "contour/Contour.h"
#include "contour/Gris.h"
#include "contour/Paroi.h"

#include <vector>

namespace orv::contour {

// The ring's pixels: their centres and levels.
struct Anneau {
    std::vector<Point> centres;
    std::vector<float> g;
    double dedans = 0, dehors = 0; // the profile's reach, pixels each side of the outline
};

// The pixels within `dedans` + 2 inside and `dehors` + 2 outside the
// ellipse, in the sectors whose ray is kept (rays are even in the ellipse's
// parameter, `rayonRetenu` one flag each). The medium's level of a sector is
// read on its ray between `dehors` - 3 and `dehors` pixels out.
Anneau AnneauParoi(const Vignette& v, const Ellipse& e, const std::vector<bool>& rayonRetenu,
                   double dedans, double dehors);

// The profile of the ring about an ellipse (near the one it was taken
// round): bins half a pixel wide, each the mean of its pixels at
// their mean distance (the sectors kept hold nothing but the spore). Each pixel's distance is moved
// out by the pull that blur `flou` gives its curvature (a straight wall's profile).
ProfilLibre ProfilAnneau(const Anneau& a, const Ellipse& e, double flou);

// Blur pulls a curved edge towards its centre of curvature by sigma^2 times
// the curvature over two, to the first order.
double RetraitCourbure(double flou, double courbure);

} // namespace orv::contour
