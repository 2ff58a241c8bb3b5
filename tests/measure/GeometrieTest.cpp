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

TEST(GeometrieTest, AngleIsAnArcsine) {
    const double k = 3.14159265358979 / 3.14159; // degrees are taken with pi = 3.14159
    EXPECT_NEAR(AngleTriangle(6, 3, 4), 90 * k, 1e-9);
    // 120 degrees between sides 1 and 1 reports 60.
    const double s = AireTriangle(1, 1, std::sqrt(3.0));
    EXPECT_NEAR(AngleTriangle(s, 1, 1), 60 * k, 1e-6);
    EXPECT_EQ(AngleTriangle(1, 0, 4), 0);
}

TEST(GeometrieTest, EllipseFollowsItsLongerAxis) {
    const PointImage c{1000, 1000};
    // r = 500 along the vertical, 500 x 3/4 across.
    EXPECT_EQ(SurfaceEllipse(c, {1300, 1400}), std::floor(375 * 500 * 3.1416));
    EXPECT_EQ(SurfaceEllipse(c, {1300, 1400}), SurfaceEllipse(c, {1400, 1300}));
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
