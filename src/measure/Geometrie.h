// The plane geometry of the measures, free of any view or grid: triangle
// surface and angle, polygon outlines, density outlines, and the caliper's
// perpendicular.
#pragma once

#include "images/Vue.h"

#include <vector>

namespace orv {

// Heron's formula on three side lengths; a flat or impossible triangle gives 0.
double AireTriangle(double a, double b, double c);
// Angle in degrees, 0 to 180, at `sommet` between the sides towards a and b
// (an obtuse angle is itself, not its supplement); 0 when a side is empty.
double AngleSommet(PointImage sommet, PointImage a, PointImage b);

// Polygon outlines, closed from their last vertex to their first, in the
// points' units. The shoelace surface, signed by the direction of travel: a
// concave outline counts its recesses out whatever point the user starts on.
double AireContour(const std::vector<PointImage>& contour);
// True when p lies strictly inside the outline (even-odd rule); a point on a
// side is not inside.
bool DansContour(PointImage p, const std::vector<PointImage>& contour);
// True when the segments a-b and c-d cross at a point inside both.
bool SeCoupent(PointImage a, PointImage b, PointImage c, PointImage d);

// Density outlines, in picture units, from the first point to the pointer.
// Ellipse: centred on the first point, radius r = |pointer - centre| along its
// longer axis, the other axis r times the aspect |dy / dx| (or its inverse), as
// the window draws an ellipse mark (centre, pointer); the surface is
// Int(r^2 * aspect * 3.1416) with the aspect taken at most 1.
double SurfaceEllipse(PointImage centre, PointImage pointeur);
// Rectangle between two opposite corners: |dx * dy|.
double SurfaceRectangle(PointImage coin, PointImage pointeur);

// Caliper: the foot of the width segment that starts at `appui` and crosses
// the length axis A-B at a right angle, reaching the guide line (parallel to
// A-B) through `pointeur`. A zero-length axis counts as vertical.
PointImage PiedPalmer(PointImage a, PointImage b, PointImage appui, PointImage pointeur);
// The guide line through a point: the length segment moved across its axis
// onto the point, lengthened by a quarter at each end.
void GuidePalmer(PointImage a, PointImage b, PointImage point, PointImage& debut, PointImage& fin);

} // namespace orv
