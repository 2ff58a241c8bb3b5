// One click inside a spore: its outline to a fraction of a pixel on made
// spores of many sizes, shapes, angles and sub-pixel places, under blur and
// noise; and what is refused, with the reason.
#include "contour/Contour.h"

#include "Images.h"
#include "SyntheseSpores.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orv::test {
namespace {

using contour::Refus;

// The outline the engine is to find: the boundary moved out to where the
// grey rises fastest (see SyntheseSpores.h).
double Decalage(const synthese::SporeSeule& s) {
    return synthese::DecalageBordVu(s.paroi, s.flou, s.transmissionParoi, s.transmissionInterieur);
}

synthese::SporeSeule Spore(double l, double w, double angle, double x, double y) {
    synthese::SporeSeule s;
    s.longueur = l;
    s.largeur = w;
    s.angle = angle;
    s.largeurImage = s.hauteurImage = static_cast<int>(l) + 80;
    s.x = s.largeurImage / 2.0 + x;
    s.y = s.hauteurImage / 2.0 + y;
    return s;
}

TEST(TrouveContour, MeasuresTheOutlineToAFractionOfAPixel) {
    struct Cas {
        synthese::SporeSeule s;
        double paroi, flou, bruit, interieur;
    };
    const Cas cas[] = {
        {Spore(60, 36, 0, 0.3, 0.7), 2.5, 1.5, 2, 0.95},
        {Spore(30, 12, 37, 0.5, 0.25), 2, 1.2, 2, 0.95},    // Q 2.5, the smallest
        {Spore(120, 115, -60, 0.1, 0.9), 3, 2, 3, 0.9},     // Q 1.04, the largest
        {Spore(90, 40, 89, 0.75, 0.4), 2.2, 2, 2, 1.0},     // near vertical, blurred
        {Spore(45, 30, -15, 0.2, 0.6), 3, 1.2, 5, 0.88},    // noisy
        {Spore(70, 35, 120, 0.45, 0.05), 2.5, 1.6, 2, 0.7}, // darker inside than the medium
    };
    for (const Cas& c : cas) {
        synthese::SporeSeule s = c.s;
        s.paroi = c.paroi;
        s.flou = c.flou;
        s.bruit = c.bruit;
        s.transmissionInterieur = c.interieur;
        const auto im = synthese::DessineSporeSeule(s);
        const auto r = contour::TrouveContour(Vue(im), {s.x + 3, s.y - 2});
        const std::string nom = std::to_string(s.longueur) + " x " + std::to_string(s.largeur);
        ASSERT_EQ(r.refus, Refus::Aucun) << nom;
        ASSERT_TRUE(r.spore) << nom;
        const auto& m = *r.spore;
        const double l = s.longueur + 2 * Decalage(s), w = s.largeur + 2 * Decalage(s);
        EXPECT_NEAR(m.longueur, l, 0.5) << nom;
        EXPECT_NEAR(m.largeur, w, 0.5) << nom;
        EXPECT_NEAR(m.q, l / w, l / w * (0.5 / l + 0.5 / w)) << nom;
        EXPECT_NEAR(m.ellipse.centre.x, s.x, 0.3) << nom;
        EXPECT_NEAR(m.ellipse.centre.y, s.y, 0.3) << nom;
        if (s.longueur / s.largeur > 1.3) {
            EXPECT_LT(std::abs(std::remainder(m.ellipse.angle - s.angle, 180.0)), 1.5) << nom;
        }
        // An ellipse's Feret diameters are its axes.
        EXPECT_NEAR(m.feretLongueur, l, 0.8) << nom;
        EXPECT_NEAR(m.feretLargeur, w, 0.8) << nom;
        EXPECT_GT(m.score, 0.6) << nom;
        EXPECT_GT(m.completude, 0.9) << nom;
        EXPECT_GT(m.contour.size(), 30u) << nom;
    }
}

TEST(TrouveContour, ReadsRowsThroughTheirStride) {
    // The same spore in a picture whose rows are 37 values apart beyond its width.
    const synthese::SporeSeule s = Spore(50, 30, 25, 0.4, 0.2);
    const auto im = synthese::DessineSporeSeule(s);
    const int pas = im.largeur + 37;
    std::vector<std::uint32_t> large(
        static_cast<std::size_t>(pas) * static_cast<std::size_t>(im.hauteur), 0xFF000000u);
    for (int y = 0; y < im.hauteur; ++y)
        for (int x = 0; x < im.largeur; ++x)
            large[static_cast<std::size_t>(y * pas + x)] =
                im.pixels[static_cast<std::size_t>(y * im.largeur + x)];
    const auto a = contour::TrouveContour(Vue(im), {s.x, s.y});
    const auto b = contour::TrouveContour({large.data(), im.largeur, im.hauteur, pas}, {s.x, s.y});
    ASSERT_TRUE(a.spore && b.spore);
    EXPECT_EQ(b.refus, Refus::Aucun);
    EXPECT_DOUBLE_EQ(b.spore->longueur, a.spore->longueur);
    EXPECT_DOUBLE_EQ(b.spore->largeur, a.spore->largeur);
    EXPECT_DOUBLE_EQ(b.spore->ellipse.centre.x, a.spore->ellipse.centre.x);
}

TEST(TrouveContour, RefusesWithTheReason) {
    // A plain field: nothing to find.
    const auto vide = ChampVide(200, 200);
    EXPECT_EQ(contour::TrouveContour(Vue(vide), {100, 100}).refus, Refus::Introuvable);
    // Outside the picture: nothing either.
    EXPECT_EQ(contour::TrouveContour(Vue(vide), {-1, 100}).refus, Refus::Introuvable);

    // A speck as dark inside as at its edge.
    synthese::SporeSeule tache = Spore(40, 30, 10, 0, 0);
    tache.transmissionInterieur = tache.transmissionParoi;
    tache.guttule = false;
    EXPECT_EQ(
        contour::TrouveContour(Vue(synthese::DessineSporeSeule(tache)), {tache.x, tache.y}).refus,
        Refus::Debris);

    // Cut by the picture's left edge.
    synthese::SporeSeule coupee = Spore(60, 30, 0, 0, 0);
    coupee.x = 12;
    EXPECT_EQ(
        contour::TrouveContour(Vue(synthese::DessineSporeSeule(coupee)), {14, coupee.y}).refus,
        Refus::Coupee);

    // Out of focus, a little or much.
    for (const double flou : {4.5, 7.0}) {
        synthese::SporeSeule floue = Spore(60, 36, 0, 0, 0);
        floue.flou = flou;
        EXPECT_EQ(
            contour::TrouveContour(Vue(synthese::DessineSporeSeule(floue)), {floue.x, floue.y})
                .refus,
            Refus::Floue)
            << flou;
    }

    // Longer than asked for: refused, and given for the caller to show.
    const synthese::SporeSeule longue = Spore(60, 30, 0, 0, 0);
    const auto r = contour::TrouveContour(Vue(synthese::DessineSporeSeule(longue)),
                                          {longue.x, longue.y}, {20, 50, 4});
    EXPECT_EQ(r.refus, Refus::HorsTaille);
    ASSERT_TRUE(r.spore);
    EXPECT_NEAR(r.spore->longueur, 60 + 2 * Decalage(longue), 0.5);
}

} // namespace
} // namespace orv::test
