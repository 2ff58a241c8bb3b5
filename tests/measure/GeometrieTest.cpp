#include "measure/Geometrie.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orv {
namespace {

TEST(GeometrieTest, HeronSurface) {
    EXPECT_DOUBLE_EQ(AireTriangle(3, 4, 5), 6);
    EXPECT_EQ(AireTriangle(1, 2, 3), 0);  // flat
    EXPECT_EQ(AireTriangle(1, 1, 10), 0); // impossible sides: no NaN
    EXPECT_EQ(AireTriangle(0, 0, 0), 0);
}

TEST(GeometrieTest, AngleAtTheVertexFromZeroTo180) {
    const PointImage p{1000, 1000};
    EXPECT_DOUBLE_EQ(AngleSommet(p, {3000, 1000}, {1000, 4000}), 90);
    EXPECT_DOUBLE_EQ(AngleSommet(p, {3000, 1000}, {0, 2000}), 135); // obtuse, not 45
    EXPECT_DOUBLE_EQ(AngleSommet(p, {3000, 1000}, {0, 1000}), 180);
    EXPECT_EQ(AngleSommet(p, {3000, 1000}, {5000, 1000}), 0);
    EXPECT_EQ(AngleSommet(p, p, {5000, 1000}), 0); // a side of no length
}

TEST(GeometrieTest, EllipseFollowsItsLongerAxis) {
    const PointImage c{1000, 1000};
    // r = 500 along the vertical, 500 x 3/4 across.
    EXPECT_EQ(SurfaceEllipse(c, {1300, 1400}), std::floor(375 * 500 * 3.1416));
    EXPECT_EQ(SurfaceEllipse(c, {1300, 1400}), SurfaceEllipse(c, {1400, 1300}));
    EXPECT_EQ(SurfaceEllipse(c, {1003, 1004}), 58); // 58.905 is cut, not rounded
    EXPECT_EQ(SurfaceEllipse(c, {1000, 1400}), 0);
    EXPECT_EQ(SurfaceEllipse(c, {1400, 1000}), 0);
    EXPECT_EQ(SurfaceRectangle({10, 10}, {0, 40}), 300);
}

TEST(GeometrieTest, CaliperFootAndGuides) {
    // Horizontal axis: only the vertical part of the drag counts.
    EXPECT_EQ(PiedPalmer({0, 0}, {100, 0}, {50, 10}, {80, 60}), (PointImage{50, 60}));
    // A zero-length axis counts as vertical: only the horizontal part counts.
    EXPECT_EQ(PiedPalmer({5, 5}, {5, 5}, {50, 10}, {80, 60}), (PointImage{80, 10}));
    PointImage d, f;
    GuidePalmer({0, 0}, {100, 0}, {30, 40}, d, f);
    EXPECT_EQ(d, (PointImage{-25, 40}));
    EXPECT_EQ(f, (PointImage{125, 40}));
}

} // namespace
} // namespace orv
