// The orientation tag's conversions agree with one another: pixels there and
// back, picture units with pixels, zones; and an older grid file's factor
// follows the picture's width where pixel units are a fraction of it.
#include "images/Orientation.h"

#include "app/RepereTrame.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orv {
namespace {

TEST(Orientation, PixelsPointsAndZonesAgree) {
    const TailleImage stockee{3, 2};
    for (int o = 1; o <= 8; ++o) {
        SCOPED_TRACE(o);
        const TailleImage droite = TailleRedressee(stockee, o);
        EXPECT_EQ(droite.largeur, o >= 5 ? 2 : 3);
        const Redressement m = RedressementPixels(o, stockee);
        for (int y = 0; y < stockee.hauteur; ++y)
            for (int x = 0; x < stockee.largeur; ++x) {
                const int u = m.ux * x + m.uy * y + m.u0, v = m.vx * x + m.vy * y + m.v0;
                ASSERT_TRUE(u >= 0 && u < droite.largeur && v >= 0 && v < droite.hauteur);
                int xs = -1, ys = -1;
                PixelStocke(o, stockee, u, v, xs, ys);
                EXPECT_EQ(xs, x);
                EXPECT_EQ(ys, y);
                // The centre of the stored pixel lands on the centre of the upright one.
                const auto centre = [](int i) {
                    return static_cast<std::int32_t>(std::lround((i + 0.5) * UnitesImageParPixel));
                };
                const PointImage p = PointRedresse({centre(x), centre(y)}, o, stockee);
                EXPECT_NEAR(p.x, centre(u), 1);
                EXPECT_NEAR(p.y, centre(v), 1);
            }
        EXPECT_EQ(ZoneStockee({0, 0, droite.largeur, droite.hauteur}, o, stockee),
                  (ZonePixels{0, 0, 3, 2}));
    }
}

TEST(Orientation, OlderFileFactorFollowsTheWidthInIndependentMode) {
    Trame t;
    t.images = {{"/photos/tel.jpg", 2.0, {1600, 1200}, RepereImage::Fichier}};
    ImagesTrame im;
    im.chemins = {"/photos/tel.jpg"};
    im.lues = {{1200, 1600}};
    im.orientations = {6};
    for (const bool indPres : {false, true}) {
        const Trame r = RedresseTrame(t, im, indPres);
        EXPECT_EQ(r.images[0].coefficient, indPres ? 1.5 : 2.0);
        EXPECT_EQ(r.images[0].taille, (TailleImage{1200, 1600}));
        EXPECT_EQ(r.images[0].repere, RepereImage::Redresse);
    }
}

} // namespace
} // namespace orv
