#include "images/Vue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace orv {
namespace {

TEST(Vue, LoiDeZoomEtBoutons) {
    Vue v;
    v.FixeImage(2000, 1500);
    v.VueInitiale();
    EXPECT_EQ(v.ExposantZoom(), -2);
    v.BasculePas(); // from e = -2, steps of 2
    for (int i = 0; i < 5; ++i) v.ZoomBouton(1);
    EXPECT_EQ(v.ExposantZoom(), -12);
    EXPECT_NEAR(v.FacteurZoom(), 0.125, 1e-6);
}

// The same two picture points are worth the same pixel units at every zoom,
// origin and box size, and a box distance converts the same way.
TEST(Vue, UnitesPixelsIndependantesDeLaVue) {
    std::mt19937 hasard(7);
    std::uniform_int_distribution<int> taille(200, 9000), exposant(-20, 0), boite(3000, 30000);
    for (int essai = 0; essai < 300; ++essai) {
        Vue v;
        v.FixeImage(taille(hasard), taille(hasard));
        const PointImage a{static_cast<int>(hasard() % 100000),
                           static_cast<int>(hasard() % 100000)};
        const PointImage b{static_cast<int>(hasard() % 100000),
                           static_cast<int>(hasard() % 100000)};
        const double attendu = std::hypot(double(a.x - b.x), double(a.y - b.y)) /
                               (v.LargeurPixels() * UnitesImageParPixel) * LargeurReference;
        v.FixeBoite(boite(hasard), boite(hasard));
        v.FixeExposant(exposant(hasard));
        v.FixeOrigine(static_cast<int>(hasard() % 5000), static_cast<int>(hasard() % 5000));
        EXPECT_NEAR(v.UnitesPixels(a, b, 1.0), attendu, 1e-9 * attendu + 1e-12);
        // Twips -> picture -> pixel units agrees with the box rule d * z / K.
        const PointTwips p{100, 200}, q{4100, 3200};
        const double dTwips = std::hypot(4000.0, 3000.0);
        EXPECT_NEAR(v.UnitesPixels(v.VersImage(p), v.VersImage(q), 2.0),
                    v.UnitesPixelsTwips(dTwips, 2.0),
                    0.01 * v.UnitesPixelsTwips(dTwips, 2.0) + 0.5);
    }
}

TEST(Vue, ArrondiAuPairLePlusProche) {
    Vue v;
    v.FixeImage(1200, 800);
    // A resolution factor that makes one picture unit worth half a pixel unit.
    const double demi = 0.5 * v.LargeurImage() / LargeurReference;
    EXPECT_EQ(v.LongueurPixels({0, 0}, {41, 0}, demi), 20); // 20.5
    EXPECT_EQ(v.LongueurPixels({0, 0}, {0, 43}, demi), 22); // 21.5
    EXPECT_EQ(v.LongueurPixels({10, 10}, {10, 10}, demi), 0);
}

} // namespace
} // namespace orv
