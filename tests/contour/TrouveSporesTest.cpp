// Finding every spore that stands alone in a made field (touching ones, cut
// ones, out-of-focus ones, specks and a hypha around), the reasons counted,
// the reading order, the region searched, and stopping when asked.
#include "contour/TrouveSpores.h"

#include "Images.h"
#include "SyntheseSpores.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>

namespace orv::test {
namespace {

synthese::Champ Champ() {
    synthese::ParametresChamp p;
    p.largeur = 1000;
    p.hauteur = 800;
    p.graine = 4;
    p.seules = 12;
    p.paires = 2;
    p.amas = 1;
    p.coupees = 2;
    p.floues = 1;
    p.debris = 6;
    return synthese::GenereChamp(p);
}

const synthese::SporeVraie* Verite(const synthese::Champ& c, contour::Point p) {
    for (const auto& s : c.spores)
        if (std::hypot(s.x - p.x, s.y - p.y) < s.largeur / 3) return &s;
    return nullptr;
}

TEST(TrouveSpores, FindsEverySporeStandingAloneAndNothingElse) {
    const auto c = Champ();
    contour::OptionsRecherche o;
    o.longueurMin = 20;
    o.longueurMax = 200;
    const auto r = contour::TrouveSpores(Vue(c.image), o);
    ASSERT_FALSE(r.interrompue);
    int seules = 0;
    for (const auto& s : c.spores) seules += s.Seule();
    ASSERT_GE(seules, 10);
    EXPECT_EQ(static_cast<int>(r.spores.size()), seules);
    for (const auto& m : r.spores) {
        const auto* v = Verite(c, m.ellipse.centre);
        ASSERT_NE(v, nullptr) << m.ellipse.centre.x << " " << m.ellipse.centre.y;
        EXPECT_TRUE(v->Seule()) << m.ellipse.centre.x << " " << m.ellipse.centre.y;
        EXPECT_NEAR(m.longueur, v->longueur, 0.6);
        EXPECT_NEAR(m.largeur, v->largeur, 0.6);
    }
    // Two pairs and a cluster of three: three groups left out as touching;
    // two spores cut by the edges (the hypha that crosses one may add one).
    EXPECT_EQ(r.ecartees.accolees + r.ecartees.amas, 3);
    EXPECT_GE(r.ecartees.coupees, 2);
    EXPECT_GE(r.ecartees.debris, 3);
}

TEST(TrouveSpores, ARegionIsSearchedAloneAndWhatItsEdgeCutsIsCounted) {
    const auto c = Champ();
    // The left half: the spores across its right edge are cut.
    contour::OptionsRecherche o;
    o.longueurMin = 20;
    o.longueurMax = 200;
    o.zone = contour::Rectangle{0, 0, 500, 800};
    const auto r = contour::TrouveSpores(Vue(c.image), o);
    int attendues = 0;
    for (const auto& s : c.spores)
        if (s.Seule() && s.x + s.longueur / 2 + 2 < 500) ++attendues;
    EXPECT_EQ(static_cast<int>(r.spores.size()), attendues);
    for (const auto& m : r.spores) EXPECT_LT(m.ellipse.centre.x, 500);

    // A region reaching out of the picture is searched where it is inside.
    o.zone = contour::Rectangle{-100, -100, 2000, 2000};
    EXPECT_EQ(contour::TrouveSpores(Vue(c.image), o).zone.largeur, 1000);
}

TEST(TrouveSpores, NotchedStrokesWithNoLighterInsideAreNoTouchingSpores) {
    // A "7" and an "L" in thick dark strokes, as the numbers printed beside
    // a field's spores: notched blobs with no lighter inside.
    synthese::Plan t(400, 200, 1.0f);
    auto trait = [&](int x0, int y0, int x1, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) t.At(x, y) = 0.5f;
    };
    trait(60, 60, 120, 64);
    trait(116, 60, 120, 140);
    trait(260, 60, 264, 140);
    trait(260, 136, 320, 140);
    synthese::FlouGaussien(t, 1.5);
    std::mt19937 alea(3);
    const auto image = synthese::Compose(t, synthese::Eclairage{}, alea);
    contour::OptionsRecherche o;
    o.longueurMin = 20;
    o.longueurMax = 200;
    const auto r = contour::TrouveSpores(Vue(image), o);
    EXPECT_TRUE(r.spores.empty());
    EXPECT_EQ(r.ecartees.accolees + r.ecartees.amas, 0);
    EXPECT_EQ(r.ecartees.debris, 2);
}

TEST(TrouveSpores, StopsWhenAsked) {
    const auto c = Champ();
    std::atomic<bool> arret{true};
    contour::OptionsRecherche o;
    o.arret = &arret;
    auto r = contour::TrouveSpores(Vue(c.image), o);
    EXPECT_TRUE(r.interrompue);
    EXPECT_TRUE(r.spores.empty());

    // The progress runs from 0 to 1 without going back; false stops.
    std::vector<double> etapes;
    o.arret = nullptr;
    o.progression = [&](double f) {
        etapes.push_back(f);
        return true;
    };
    r = contour::TrouveSpores(Vue(c.image), o);
    EXPECT_FALSE(r.interrompue);
    ASSERT_GE(etapes.size(), 3u);
    EXPECT_EQ(etapes.front(), 0.0);
    EXPECT_EQ(etapes.back(), 1.0);
    EXPECT_TRUE(std::is_sorted(etapes.begin(), etapes.end()));
    int appels = 0;
    o.progression = [&](double) { return ++appels < 3; };
    r = contour::TrouveSpores(Vue(c.image), o);
    EXPECT_TRUE(r.interrompue);
    EXPECT_EQ(appels, 3);
}

TEST(RangeEnLecture, RowsFromTheTopEachFromTheLeft) {
    auto spore = [](double x, double y) {
        contour::MesureSpore m;
        m.ellipse = {{x, y}, 30, 20, 0}; // 40 pixels high
        return m;
    };
    // Two rows whose centres wander by up to 15 pixels, then one spore alone
    // below; a spore a little higher but further right stays in its place.
    std::vector<contour::MesureSpore> s{spore(300, 95), spore(150, 208), spore(100, 110),
                                        spore(50, 195), spore(200, 100), spore(10, 300)};
    contour::RangeEnLecture(s);
    const std::vector<std::pair<double, double>> attendu{{100, 110}, {200, 100}, {300, 95},
                                                         {50, 195},  {150, 208}, {10, 300}};
    ASSERT_EQ(s.size(), attendu.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        EXPECT_EQ(s[i].ellipse.centre.x, attendu[i].first) << i;
        EXPECT_EQ(s[i].ellipse.centre.y, attendu[i].second) << i;
    }
}

} // namespace
} // namespace orv::test
