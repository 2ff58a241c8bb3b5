#include "ScenarioPointage.h"

#include <cmath>

namespace orv::test {
namespace {

class SurfacesTest : public ScenarioPointage {
protected:
    SurfacesTest() { FixeEchelle(0.01); } // 1000 picture units = 10 µm
    void Polygone(bool automatique) {
        o.mesure.PolygoneAuto = automatique;
        Choisit(16);
    }
    // A square of side 10 µm centred on (5000, 5000), anchor at the centre.
    void Carre() {
        Clic(5000, 5000);
        Clic(4500, 4500);
        Clic(5500, 4500);
        Clic(5500, 5500);
        Clic(4500, 5500);
    }
};

TEST_F(SurfacesTest, SquarePolygonAuto) {
    Polygone(true);
    Carre();
    EXPECT_EQ(C(1, 1), "");
    Clic(100, 17000, Bouton::Droit); // anywhere: the outline closes on its first vertex
    EXPECT_EQ(C(1, 1), "100,00");    // a^2
    EXPECT_EQ(C(1, 2), "40,00");     // 4a
    EXPECT_EQ(C(1, 3), "5,00");      // a/2
    EXPECT_EQ(C(1, 4), "0,40");      // 4/a
    EXPECT_EQ(C(1, 5), "1");
    const auto& s = o.mesure.TraceLignes[1].segments;
    EXPECT_EQ((std::array{s[1].x1, s[1].y1, s[1].x2, s[1].y2}),
              (std::array{5000, 5000, 100000, 40000}));
    EXPECT_EQ(s[2].x1, 1);
    EXPECT_EQ(o.mesure.LigneCourante, 2);
}

TEST_F(SurfacesTest, SquarePolygonOpenClosedByHand) {
    Polygone(false);
    Carre();
    Clic(4500, 4500, Bouton::Droit); // on the first corner again
    EXPECT_EQ(C(1, 1), "100,00");
    EXPECT_EQ(C(1, 2), "40,00");
    EXPECT_EQ(C(1, 3), "5,00");
    EXPECT_EQ(C(1, 4), "0,40");
    EXPECT_EQ(o.mesure.TraceLignes[1].segments[2].x1, 0);

    // Left open, the last side is where the right click is.
    Carre();
    Clic(4500, 5000, Bouton::Droit);
    EXPECT_EQ(C(2, 1), "87,50");
    EXPECT_EQ(C(2, 2), "35,00");
}

TEST_F(SurfacesTest, PolygonLiveReadoutAndEarlyRightClick) {
    Polygone(true);
    Clic(5000, 5000);
    Clic(5000, 5000, Bouton::Droit); // no outline yet: nothing to close
    EXPECT_EQ(o.mesure.Etape, 1);
    Clic(4500, 4500);
    Clic(5500, 4500);
    EXPECT_EQ(o.controles.Texte("label", 9), "S= 25,00 P=10,00");
    Frappe(Touche::Echap);
    EXPECT_TRUE(o.pointage.Sommets.empty());
    EXPECT_TRUE(o.marques.fixes.empty());
    EXPECT_EQ(C(1, 1), "");
}

TEST_F(SurfacesTest, ObtuseTriangleReportsTheSupplement) {
    Choisit(15);
    // Angle at P1 between (+2000, 0) and (-1000, +1000): 135 degrees.
    Clic(1000, 5000);
    Clic(3000, 5000);
    Clic(0, 6000);
    EXPECT_EQ(C(1, 1), "100,00"); // half of 2000 x 1000 picture units, in µm²
    EXPECT_EQ(C(1, 3), F(45 * 3.14159265358979 / 3.14159));
    // "peri." = |P1P2| + |P1P3|, each a whole number of units times the factor.
    const double peri = (Unites(2000) + Unites(std::hypot(1000, 1000))) * o.CoefCalibrage;
    EXPECT_EQ(C(1, 2), F(peri));
    EXPECT_EQ(C(1, 4), "1");
    EXPECT_EQ(o.controles.Texte("label", 9), "S=100,00 Deg =" + C(1, 3));
    EXPECT_EQ(o.mesure.LigneCourante, 2);
    // The three sides and the three crosses are drawn; P2-P3 in colour 1.
    EXPECT_EQ(Compte(GenreMarque::Croix), 3);
    EXPECT_EQ(Compte(GenreMarque::Ligne), 3);
}

TEST_F(SurfacesTest, RightAngleAndFlatTriangle) {
    Choisit(15);
    Clic(1000, 1000);
    Clic(3000, 1000);
    Clic(1000, 4000);
    EXPECT_EQ(C(1, 3), F(90 * 3.14159265358979 / 3.14159));
    EXPECT_EQ(C(1, 1), "300,00");

    // Three points on a line: surface and angle 0, written with a beep.
    Clic(1000, 1000);
    Clic(2000, 1000);
    Clic(3000, 1000);
    EXPECT_EQ(C(2, 1), "0,00");
    EXPECT_EQ(C(2, 3), "0,00");
    EXPECT_GE(p.Compte("bip"), 1);
}

} // namespace
} // namespace orv::test
