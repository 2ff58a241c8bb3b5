// Fitting an ellipse to edge points when some of them belong to something
// else (a neighbour touching, an apiculus, debris): a consensus of small
// samples when many points disagree, then the geometric distances minimised
// with weights that give no say to the points far off.
#pragma once

#include "contour/Contour.h"

#include <cstddef>
#include <vector>

namespace orv::contour {

// An ellipse with its sine and cosine worked out once, for the many points
// measured against it.
class RepereEllipse {
public:
    explicit RepereEllipse(const Ellipse& e);
    // Signed distance along the normal, > 0 outside (see DistanceEllipse).
    double Distance(Point p) const;
    // The parameter of the nearest point of the ellipse (to the first order).
    double Parametre(Point p) const;
    // The same to a thousandth of a radian, without the arc tangent: to
    // tell which ray's sector a pixel is in.
    double ParametreApproche(Point p) const;
    Point PointA(double t) const;
    Point Normale(double t) const;
    double Courbure(double t) const;
    // The distance, and the curvature at the nearest point, without a
    // trigonometric function: for the thousands of pixels round a spore.
    double DistanceCourbure(Point p, double& courbure) const;

private:
    Ellipse e_;
    double c_, s_, ia2_, ib2_;
};

// Signed distance from a point to the ellipse along its normal, > 0 outside.
// Exact on the axes and to the first order near the curve: what the fit needs
// for points within a pixel or two of it.
double DistanceEllipse(const Ellipse& e, Point p);

// The point of parameter t (radians) on the ellipse, and its outward unit normal.
Point PointEllipse(const Ellipse& e, double t);
Point NormaleEllipse(const Ellipse& e, double t);
// The parameter of the point of the ellipse nearest to p (to the first order).
double ParametreEllipse(const Ellipse& e, Point p);

struct AjustementEllipse {
    bool valide = false;
    Ellipse ellipse;
    std::vector<double> residus; // signed distance of every point
    std::vector<bool> retenus;   // the points the fit kept
    std::size_t nombreRetenus = 0;
    double rms = 0;     // of the residuals of the points kept
    double echelle = 0; // robust spread of the residuals
};

// At least 6 points; `tours`: how many times the weights are worked out
// again (a rough fit needs two); `consensus`: when many points are off,
// look again from the ellipse most points agree with (a few tenths of a
// millisecond more).
AjustementEllipse AjusteEllipseRobuste(const std::vector<Point>& points, int tours = 5,
                                       bool consensus = true);
// The same from an ellipse already near the points (within a pixel or so of
// most of them): a shorter way there.
AjustementEllipse AjusteEllipseRobuste(const std::vector<Point>& points, const Ellipse& depart);

} // namespace orv::contour
