// The snap of a drag's ends to the outline: each end moves along the drag
// to the wall's outer side when one is within reach, and stays exactly
// where it was otherwise.
#include "contour/Accroche.h"

#include "Images.h"
#include "SyntheseSpores.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

struct SporeCouchee {
    synthese::SporeSeule s;
    synthese::ImageRVB image;
    double demi = 0; // half the outline's length
    SporeCouchee() {
        s.largeurImage = 160;
        s.hauteurImage = 120;
        s.x = 80.3;
        s.y = 60.6;
        s.longueur = 60;
        s.largeur = 36;
        image = synthese::DessineSporeSeule(s);
        demi = s.longueur / 2 + synthese::DecalageBordVu(s.paroi, s.flou, s.transmissionParoi,
                                                         s.transmissionInterieur);
    }
};

TEST(AccrocheBord, MovesEachEndToTheOutlineAlongTheDrag) {
    const SporeCouchee c;
    // Ends inside the spore, outside it, and one each way: always within reach.
    for (const auto& [d0, d1] :
         {std::pair{-3.0, -2.0}, std::pair{2.5, 3.0}, std::pair{-3.5, 2.0}}) {
        const contour::Point a{c.s.x - c.demi - d0, c.s.y}, b{c.s.x + c.demi + d1, c.s.y};
        const auto r = contour::AccrocheBord(Vue(c.image), a, b);
        EXPECT_TRUE(r.p0Deplace);
        EXPECT_TRUE(r.p1Deplace);
        EXPECT_NEAR(r.p0.x, c.s.x - c.demi, 0.3) << d0;
        EXPECT_NEAR(r.p1.x, c.s.x + c.demi, 0.3) << d1;
        // Along the drag only.
        EXPECT_DOUBLE_EQ(r.p0.y, c.s.y);
        EXPECT_DOUBLE_EQ(r.p1.y, c.s.y);
    }
}

TEST(AccrocheBord, KeepsAnEndWhereNoEdgeIsWithinReach) {
    const SporeCouchee c;
    // The far end 9 pixels out in the medium: it stays; the near one moves.
    const contour::Point a{c.s.x - c.demi + 2, c.s.y}, b{c.s.x + c.demi + 9, c.s.y};
    auto r = contour::AccrocheBord(Vue(c.image), a, b);
    EXPECT_TRUE(r.p0Deplace);
    EXPECT_FALSE(r.p1Deplace);
    EXPECT_EQ(r.p1.x, b.x);
    EXPECT_EQ(r.p1.y, b.y);

    // A plain field: both stay exactly.
    const auto vide = ChampVide(160, 120);
    r = contour::AccrocheBord(Vue(vide), {20.25, 30.5}, {120.75, 90.125});
    EXPECT_FALSE(r.p0Deplace);
    EXPECT_FALSE(r.p1Deplace);
    EXPECT_EQ(r.p0.x, 20.25);
    EXPECT_EQ(r.p0.y, 30.5);
    EXPECT_EQ(r.p1.x, 120.75);
    EXPECT_EQ(r.p1.y, 90.125);

    // A drag shorter than a pixel has no direction: nothing moves.
    r = contour::AccrocheBord(Vue(c.image), {c.s.x + c.demi, c.s.y}, {c.s.x + c.demi + 0.5, c.s.y});
    EXPECT_FALSE(r.p0Deplace || r.p1Deplace);
}

} // namespace
} // namespace orv::test
