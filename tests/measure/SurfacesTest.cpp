#include "ScenarioPointage.h"

#include <algorithm>
#include <random>

namespace orv::test {
namespace {

using V = std::vector<std::string>;

class SurfacesTest : public ScenarioPointage {
protected:
    SurfacesTest() { FixeEchelle(0.01); } // 1000 picture units = 10 µm
};

// Outlines closed by a right click on their last corner (already marked or
// not), measured as clicked: a square of side 10 µm and a C of 30 µm with a
// 20 x 10 notch (700 µm², 160 µm), whose anchor may sit where it does not see
// every side, or be the outline's first corner. The open polygon's right click
// is on its first corner again.
TEST_F(SurfacesTest, PolygonOutlines) {
    using P = std::vector<std::pair<int, int>>;
    const P carre{{4500, 4500}, {5500, 4500}, {5500, 5500}, {4500, 5500}};
    const P c{{2000, 2000}, {5000, 2000}, {5000, 3000}, {3000, 3000},
              {3000, 4000}, {5000, 4000}, {5000, 5000}, {2000, 5000}};
    auto avec = [](std::pair<int, int> premier, P contour, std::pair<int, int> droit) {
        contour.insert(contour.begin(), premier);
        contour.push_back(droit);
        return contour;
    };
    const struct {
        const char* cas;
        bool automatique;
        P clics; // the last one with the right button
        V attendu;
    } cas[] = {
        {"centre",
         true,
         avec({5000, 5000}, carre, carre.back()),
         {"100,00", "40,00", "5,00", "0,40"}},
        {"last corner by the right click",
         true,
         avec({5000, 5000}, P(carre.begin(), carre.end() - 1), carre.back()),
         {"100,00", "40,00", "5,00", "0,40"}},
        {"corner first",
         true,
         P{carre[0], carre[1], carre[2], carre[3], carre[3]},
         {"100,00", "40,00", "5,00", "0,40"}},
        {"C, anchor in its back",
         true,
         avec({2500, 3500}, c, c.back()),
         {"700,00", "160,00", "8,75", "0,23"}},
        {"C, anchor in its notch",
         true,
         avec({4000, 3500}, c, c.back()),
         {"700,00", "160,00", "8,75", "0,23"}},
        {"C, corner first", true, P(c.begin(), c.end()), {"700,00", "160,00", "8,75", "0,23"}},
        {"open, centre",
         false,
         avec({5000, 5000}, carre, carre.front()),
         {"100,00", "40,00", "5,00", "0,40"}},
        {"open, C", false, avec({2500, 3500}, c, c.front()), {"700,00", "160,00", "8,75", "0,23"}},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.cas);
        RAZ_Grille_total(o);
        o.mesure.PolygoneAuto = k.automatique;
        Choisit(16);
        for (size_t i = 0; i + 1 < k.clics.size(); ++i) Clic(k.clics[i].first, k.clics[i].second);
        EXPECT_EQ(C(1, 1), "");
        Clic(k.clics.back().first, k.clics.back().second, Bouton::Droit);
        EXPECT_EQ((V{C(1, 1), C(1, 2), C(1, 3), C(1, 4)}), k.attendu);
        const auto& s = o.mesure.TraceLignes[1].segments;
        EXPECT_EQ(
            (std::array{s[1].x1, s[1].y1, s[1].x2, s[1].y2, s[2].x1}),
            (std::array{k.clics[0].first, k.clics[0].second,
                        static_cast<int>(LitDecimal(k.attendu[0]) * 1000),
                        static_cast<int>(LitDecimal(k.attendu[1]) * 1000), k.automatique ? 1 : 0}));
        // The mirror under the image shows every column, Rm and F included.
        for (int col = 1; col <= 4; ++col)
            EXPECT_EQ(o.mesure.MGrille.Texte(1, col), C(1, col)) << col;
    }
    // Left open, the last side is where the right click is.
    Clic(5000, 5000);
    for (const auto& [x, y] : carre) Clic(x, y);
    Clic(4500, 5000, Bouton::Droit);
    EXPECT_EQ((V{C(2, 1), C(2, 2)}), (V{"87,50", "35,00"}));
}

TEST_F(SurfacesTest, PolygonLiveReadoutAndEarlyRightClick) {
    o.mesure.PolygoneAuto = true;
    Choisit(16);
    Clic(5000, 5000);
    Clic(5000, 5000, Bouton::Droit); // no outline yet: nothing to close
    EXPECT_EQ(o.mesure.Etape, 1);
    Clic(4500, 4500);
    Clic(5500, 4500);
    EXPECT_EQ(Lecture(), "S= 25,00 P=10,00");
    Frappe(Touche::Echap);
    EXPECT_TRUE(o.mesure.pointage.Sommets.empty());
    EXPECT_TRUE(o.mesure.marques.fixes.empty());
    EXPECT_EQ(C(1, 1), "");
}

// Law of cosines at P1, shoelace surface, each side in whole units; three
// points on a line give surface and angle 0, written with a beep.
TEST_F(SurfacesTest, TriangleAgreesWithPlainFormulas) {
    std::mt19937 gen(15);
    std::uniform_int_distribution<int> point(0, 20000);
    std::uniform_real_distribution<double> echelle(0.001, 0.05);
    Choisit(15);
    int obtus = 0;
    for (int ligne = 1; ligne <= 30; ++ligne) {
        const double e = echelle(gen); // µm per picture unit
        FixeEchelle(e);
        const int x1 = point(gen), y1 = point(gen), x2 = point(gen), y2 = point(gen),
                  x3 = point(gen), y3 = point(gen);
        Clic(x1, y1);
        Clic(x2, y2);
        Clic(x3, y3);
        ASSERT_EQ(o.mesure.LigneCourante, ligne + 1);
        const double a = std::hypot(x2 - x1, y2 - y1), b = std::hypot(x3 - x1, y3 - y1),
                     c = std::hypot(x3 - x2, y3 - y2);
        const double angle =
            std::acos(std::clamp((a * a + b * b - c * c) / (2 * a * b), -1.0, 1.0)) * 180 /
            3.14159265358979;
        const double surface =
            std::fabs((x2 - x1) * double(y3 - y1) - (x3 - x1) * double(y2 - y1)) / 2 * e * e;
        obtus += angle > 90;
        EXPECT_NEAR(LitDecimal(C(ligne, 3)), angle, 0.0051) << ligne;
        EXPECT_NEAR(LitDecimal(C(ligne, 1)), surface, 0.0051 + surface * 1e-9) << ligne;
        EXPECT_EQ(C(ligne, 2), F((Unites(a) + Unites(b) + Unites(c)) * o.calibrage.CoefCalibrage))
            << ligne;
        EXPECT_EQ(o.mesure.MGrille.Texte(std::min(ligne, 3), 3), C(ligne, 3)); // the mirror too
    }
    EXPECT_GE(obtus, 5); // the cases hold obtuse angles
    for (int x : {1000, 2000, 3000}) Clic(x, 1000);
    EXPECT_EQ((V{C(31, 1), C(31, 3)}), (V{"0,00", "0,00"}));
    EXPECT_EQ(p.Compte("bip"), 1);
}

} // namespace
} // namespace orv::test
