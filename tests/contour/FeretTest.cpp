// The Feret diameters of outlines that are not ellipses: a capsule and a
// lemon with its two points, in any direction.
#include "contour/Feret.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace orv::contour {
namespace {

constexpr double kPi = std::numbers::pi;

// Points round a shape given by its radius in each direction, turned by
// `angle` degrees about (x, y).
template <class Rayon> std::vector<Point> Contour(double x, double y, double angle, Rayon rayon) {
    std::vector<Point> p;
    const double t = angle * kPi / 180;
    for (int i = 0; i < 200; ++i) {
        const double phi = 2 * kPi * i / 200, r = rayon(phi);
        p.push_back({x + r * std::cos(phi + t), y + r * std::sin(phi + t)});
    }
    return p;
}

TEST(FeretContour, GreatestDiameterAndTheExtentSquareToIt) {
    // A capsule 60 long and 20 wide: two half-discs of radius 10 on a 40 x 20
    // rectangle.
    const auto capsule = [](double phi) {
        const double c = std::abs(std::cos(phi)), s = std::abs(std::sin(phi));
        if (2 * s >= c) return 10 / s; // the flat sides
        // The cap: from its centre (20, 0), the ray's far crossing.
        const double b = 20 * c;
        return b + std::sqrt(b * b - 400 + 100);
    };
    // A lemon: an ellipse 50 x 30 drawn out to a point at each end.
    const auto citron = [](double phi) {
        const double c = std::cos(phi), s = std::sin(phi);
        const double r = 1 / std::sqrt(c * c / 625 + s * s / 225);
        return r * (1 + 0.12 * std::pow(std::abs(c), 8));
    };
    for (const double angle : {0.0, 33.0, 90.0, -71.0}) {
        const Feret f = FeretContour(Contour(100, 50, angle, capsule), {100, 50});
        EXPECT_NEAR(f.longueur, 60, 0.5) << angle;
        EXPECT_NEAR(f.largeur, 20, 0.5) << angle;
        const Feret g = FeretContour(Contour(10, 80, angle, citron), {10, 80});
        EXPECT_NEAR(g.longueur, 2 * 25 * 1.12, 0.6) << angle;
        EXPECT_NEAR(g.largeur, 30, 0.5) << angle;
    }
}

} // namespace
} // namespace orv::contour
