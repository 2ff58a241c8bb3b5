// The graduations' period along a drag over a made micrometer: to a
// hundredth of a pixel whatever the period, blur, noise and slant of the
// drag; the first and last graduations; and the refusals.
#include "contour/Graduations.h"

#include "Images.h"
#include "SyntheseMicrometre.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace orv::test {
namespace {

using contour::RefusGraduations;

struct Cas {
    double periode, inclinaison, flou, bruit, derive; // derive: degrees of the drag off the scale
};

synthese::Micrometre Echelle(const Cas& c) {
    auto p = synthese::DixDivisions(c.periode, c.inclinaison, c.flou, c.bruit);
    p.hauteur = 700;
    p.y0 = 330;
    return synthese::GenereMicrometre(p);
}

// From before graduation 0 to past graduation k, across the short ones.
std::pair<contour::Point, contour::Point> Trait(const synthese::Micrometre& m, double k,
                                                double derive) {
    const auto& p = m.parametres;
    const double d = (k + 0.6) * p.periode * std::tan(derive * std::numbers::pi / 180);
    const double h0 = 0.5 * p.courte - d / 2, h1 = h0 + d;
    return {{m.X(-0.3, h0), m.Y(-0.3, h0)}, {m.X(k + 0.3, h1), m.Y(k + 0.3, h1)}};
}

TEST(PeriodeGraduations, FindsThePeriodToAHundredthOfAPixel) {
    for (const Cas c :
         {Cas{100.3, 0, 1.5, 3, 0}, Cas{23.77, 2, 1.2, 2, 1.5}, Cas{61.05, -3.5, 2.5, 5, -2.5},
          Cas{45.5, 1, 2, 4, 3}, Cas{88.2, 10, 1, 3, -1}}) {
        const auto m = Echelle(c);
        const int k = c.derive == 0 ? 10 : 6;
        const auto [a, b] = Trait(m, k, c.derive);
        const auto r = contour::PeriodeGraduations(Vue(m.image), a, b);
        ASSERT_EQ(r.refus, RefusGraduations::Aucun) << c.periode;
        EXPECT_NEAR(r.periode, c.periode, 0.02) << c.periode;
        EXPECT_EQ(r.divisions, k) << c.periode;
        EXPECT_EQ(r.graduations, k + 1) << c.periode;
        EXPECT_LT(r.dispersion, 0.1) << c.periode;
        EXPECT_NEAR(std::abs(r.inclinaison), std::abs(c.derive), 0.3) << c.periode;
        // The first and last graduations, where they cross the drag.
        const double h0 = 0.5 * m.parametres.courte;
        EXPECT_LT(
            std::abs(
                (r.premiere.x - m.X(0, h0)) * std::cos(c.inclinaison * std::numbers::pi / 180) +
                (r.premiere.y - m.Y(0, h0)) * std::sin(c.inclinaison * std::numbers::pi / 180)),
            0.15)
            << c.periode;
        EXPECT_NEAR(std::hypot(r.derniere.x - r.premiere.x, r.derniere.y - r.premiere.y),
                    k * c.periode / std::cos(c.derive * std::numbers::pi / 180), 0.2)
            << c.periode;
    }
}

TEST(PeriodeGraduations, RefusesWithTheReason) {
    const auto m = Echelle({50.2, 0, 1.5, 3, 0});
    // Across one division only: two graduations.
    auto [a, b] = Trait(m, 1, 0);
    EXPECT_EQ(contour::PeriodeGraduations(Vue(m.image), a, b).refus, RefusGraduations::LigneCourte);
    // Along the empty medium above the scale.
    const double h = 3 * m.parametres.longue;
    EXPECT_EQ(
        contour::PeriodeGraduations(Vue(m.image), {m.X(0, h), m.Y(0, h)}, {m.X(8, h), m.Y(8, h)})
            .refus,
        RefusGraduations::PasDePeriode);
    // Out of the picture, or shorter than 8 pixels.
    EXPECT_EQ(contour::PeriodeGraduations(Vue(m.image), {-20, 100}, {300, 100}).refus,
              RefusGraduations::HorsImage);
    EXPECT_EQ(contour::PeriodeGraduations(Vue(m.image), {100, 100}, {105, 100}).refus,
              RefusGraduations::HorsImage);
}

} // namespace
} // namespace orv::test
