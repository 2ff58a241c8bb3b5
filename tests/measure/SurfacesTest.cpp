#include "ScenarioPointage.h"

#include <algorithm>
#include <random>

namespace orv::test {
namespace {

using V = std::vector<std::string>;

class SurfacesTest : public ScenarioPointage {
protected:
    SurfacesTest() { FixeEchelle(0.01); } // 1000 picture units = 10 µm
    // A square of side 10 µm centred on (5000, 5000), anchor at the centre.
    void Carre() {
        for (const auto& [x, y] :
             {std::pair{5000, 5000}, {4500, 4500}, {5500, 4500}, {5500, 5500}, {4500, 5500}})
            Clic(x, y);
    }
};

// The square closed by the right click: anywhere for the automatic polygon
// (the outline closes on its first vertex), on the first corner for the open
// one. The fan of triangles starts from the first click: the prompt says it
// is the centre.
TEST_F(SurfacesTest, SquarePolygon) {
    for (const bool automatique : {true, false}) {
        SCOPED_TRACE(automatique);
        RAZ_Grille_total(o);
        o.mesure.PolygoneAuto = automatique;
        Choisit(16);
        EXPECT_NE(o.controles.Texte(Controle::BarreEtat).find("centre"), std::string::npos);
        Carre();
        EXPECT_EQ(C(1, 1), "");
        automatique ? Clic(100, 17000, Bouton::Droit) : Clic(4500, 4500, Bouton::Droit);
        // a^2, 4a, a/2, 4/a
        EXPECT_EQ((V{C(1, 1), C(1, 2), C(1, 3), C(1, 4), C(1, 5)}),
                  (V{"100,00", "40,00", "5,00", "0,40", "1"}));
        const auto& s = o.mesure.TraceLignes[1].segments;
        if (automatique) {
            EXPECT_EQ((std::array{s[1].x1, s[1].y1, s[1].x2, s[1].y2}),
                      (std::array{5000, 5000, 100000, 40000}));
        }
        EXPECT_EQ(s[2].x1, automatique ? 1 : 0);
        // The mirror under the image shows every column, Rm and F included.
        for (int c = 1; c <= 5; ++c) EXPECT_EQ(o.mesure.MGrille.Texte(1, c), C(1, c)) << c;
    }
    // Left open, the last side is where the right click is.
    Carre();
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
