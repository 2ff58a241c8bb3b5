// The robust ellipse fit: the ellipse back from points round it, its angle
// and axes as the engine states them, and the points of a neighbour left out.
#include "contour/AjusteEllipse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace orv::contour {
namespace {

constexpr double kPi = std::numbers::pi;

std::vector<Point> Points(const Ellipse& e, int n, double bruit, std::mt19937& g) {
    std::normal_distribution<double> b(0, bruit);
    std::vector<Point> p;
    for (int i = 0; i < n; ++i) {
        const Point q = PointEllipse(e, 2 * kPi * i / n), m = NormaleEllipse(e, 2 * kPi * i / n);
        const double d = b(g);
        p.push_back({q.x + d * m.x, q.y + d * m.y});
    }
    return p;
}

double EcartAngle(double a, double b) {
    return std::abs(std::remainder(a - b, 180.0));
}

TEST(AjusteEllipse, GivesBackTheEllipseOfNoisyPoints) {
    std::mt19937 g(3);
    for (const Ellipse e : {Ellipse{{50.3, 40.7}, 30, 12, 0}, Ellipse{{10, 10}, 20, 19, 45},
                            Ellipse{{200.5, 100.25}, 60, 24, -80}, Ellipse{{0, 0}, 15, 6, 89.5},
                            Ellipse{{7, 3}, 40, 39.5, -30}}) {
        const auto r = AjusteEllipseRobuste(Points(e, 150, 0.1, g));
        ASSERT_TRUE(r.valide);
        EXPECT_NEAR(r.ellipse.centre.x, e.centre.x, 0.05);
        EXPECT_NEAR(r.ellipse.centre.y, e.centre.y, 0.05);
        EXPECT_NEAR(r.ellipse.demiGrandAxe, e.demiGrandAxe, 0.05);
        EXPECT_NEAR(r.ellipse.demiPetitAxe, e.demiPetitAxe, 0.05);
        // The angle only means something for an ellipse that is not a circle.
        if (e.demiGrandAxe - e.demiPetitAxe > 2) {
            EXPECT_LT(EcartAngle(r.ellipse.angle, e.angle), 0.5) << e.angle;
        }
        EXPECT_GT(r.ellipse.angle, -90);
        EXPECT_LE(r.ellipse.angle, 90);
        EXPECT_LT(r.rms, 0.2);
        EXPECT_GE(r.nombreRetenus, 140u);
    }
}

TEST(AjusteEllipse, LeavesOutANeighboursArc) {
    std::mt19937 g(5);
    const Ellipse e{{100, 100}, 40, 25, 20};
    std::vector<Point> p = Points(e, 160, 0.1, g);
    // A quarter of the rays found a neighbour's edge 3 to 6 pixels out.
    for (std::size_t i = 20; i < 60; ++i) {
        const Point m = NormaleEllipse(e, 2 * kPi * static_cast<double>(i) / 160);
        const double d = 4.5 + 1.5 * std::sin(static_cast<double>(i));
        p[i] = {p[i].x + d * m.x, p[i].y + d * m.y};
    }
    const auto r = AjusteEllipseRobuste(p);
    ASSERT_TRUE(r.valide);
    EXPECT_NEAR(r.ellipse.demiGrandAxe, e.demiGrandAxe, 0.1);
    EXPECT_NEAR(r.ellipse.demiPetitAxe, e.demiPetitAxe, 0.1);
    EXPECT_NEAR(r.ellipse.centre.x, e.centre.x, 0.1);
    for (std::size_t i = 22; i < 58; ++i) EXPECT_FALSE(r.retenus[i]) << i;
    EXPECT_LE(r.nombreRetenus, 125u);
}

TEST(AjusteEllipse, AxesAreTheEndsOfBothDiameters) {
    const Ellipse e{{10, 20}, 5, 2, 90};
    const AxesEllipse a = Axes(e);
    // Major axis along y (clockwise on the screen from x), minor along x.
    EXPECT_NEAR(std::hypot(a.grand1.x - a.grand0.x, a.grand1.y - a.grand0.y), 10, 1e-9);
    EXPECT_NEAR(a.grand0.x, 10, 1e-9);
    EXPECT_NEAR(std::abs(a.grand0.y - 20), 5, 1e-9);
    EXPECT_NEAR(std::abs(a.petit0.x - 10), 2, 1e-9);
    EXPECT_NEAR(a.petit0.y, 20, 1e-9);
    EXPECT_NEAR(DistanceEllipse(e, {10, 26}), 1, 1e-9);
    EXPECT_NEAR(DistanceEllipse(e, {11.5, 20}), -0.5, 1e-9);
}

} // namespace
} // namespace orv::contour
