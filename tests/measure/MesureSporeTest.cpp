#include "ScenarioPointage.h"
#include "app/Fenetre.h"

namespace orv::test {
namespace {

using MesureSporeTest = ScenarioPointage;
using V = std::vector<std::string>;

// Segments in these tests are multiples of 2540 picture units: 1200 pixel units
// each, with a factor of 1.

TEST_F(MesureSporeTest, CaliperMeasuresAcrossTheLength) {
    Choisit(2);
    ASSERT_EQ(o.parametres.modePointage, 2);
    // Length along (3, 4): unit vector (0.6, 0.8), normal (-0.8, 0.6).
    Glisse(1000, 1000, 1000 + 3 * 1016, 1000 + 4 * 1016);
    // Drag across by 2540 and along the axis by 500: only the part across counts.
    const int qx = 5000 - 2032 + 300, qy = 5000 + 1524 + 400;
    Presse(5000, 5000);
    Bouge(qx, qy);
    // Two guides parallel to the length, and the width segment.
    ASSERT_EQ(o.mesure.marques.provisoires.size(), 3u);
    for (size_t i = 0; i < 2; ++i) {
        const auto& g = o.mesure.marques.provisoires[i];
        EXPECT_NEAR((g.b.x - g.a.x) * 4 - (g.b.y - g.a.y) * 3, 0, 10) << "guide " << i;
    }
    EXPECT_EQ(Lecture(), "1200,00");
    Relache(qx, qy);
    EXPECT_EQ(C(1, 2), "1200,00");
    // The width segment kept is the perpendicular: it gives the value back.
    const SegmentTrace& s = o.mesure.TraceLignes[1].segments[2];
    EXPECT_EQ((std::array{s.x1, s.y1, s.x2, s.y2}), (std::array{5000, 5000, 2968, 6524}));
}

// The release ends the width only past the click tolerance (CLIC = 3 pixels,
// 30 twips, Manhattan distance from the press); closer, it is a click and the
// next press ends the width. Before the press, the guide follows the pointer.
TEST_F(MesureSporeTest, CaliperReleaseWithinTheToleranceIsAClick) {
    Choisit(2);
    Glisse(1000, 1000, 6080, 1000);
    Bouge(3000, 4000, Bouton::Aucun);
    ASSERT_EQ(o.mesure.marques.provisoires.size(), 1u);
    EXPECT_EQ(o.mesure.marques.provisoires[0].a.y, 4000);
    EXPECT_EQ(o.mesure.marques.provisoires[0].b.y, 4000);
    Presse(5000, 5000);
    Relache(5010, 5019); // 29 twips
    EXPECT_EQ(C(1, 2), "");
    Clic(5000, 5030); // 30 twips: the width ends here
    EXPECT_EQ(C(1, 2), F(Unites(30)));
}

// The second segment of a 3D spore is the width, the thickness with E held,
// or what the right button's menu says.
TEST_F(MesureSporeTest, Spore3DWidthOrThickness) {
    Choisit(3);
    Glisse(1000, 1000, 6080, 1000); // L = 2400
    ToucheEnfoncee(o, Touche::E, {});
    Glisse(3000, 0, 3000, 1270); // 600, the thickness
    ToucheRelachee(o.ui, o.mesure.pointage, Touche::E, {});
    EXPECT_EQ((V{C(1, 2), C(1, 3), C(1, 4), C(1, 5)}), (V{"", "600,00", "", "4,00"})); // L / e
    EXPECT_EQ(o.mesure.TraceLignes[1].segments[3].y2, 1270);
    RAZ_Grille_total(o);
    const std::pair<Controle, int> choix[] = {{Controle::Choix3DEpaisseur, 3},
                                              {Controle::Choix3DLargeur, 2}};
    for (const auto& [c, colonne] : choix) {
        Glisse(1000, 1000, 6080, 1000);
        Glisse(3000, 0, 3000, 1270, Bouton::Droit);
        ASSERT_TRUE(o.mesure.pointage.menuContextuel.has_value());
        EXPECT_EQ(o.mesure.pointage.menuContextuel->menu, Controle::Menu3D);
        orv::Clic(o, c);
        const int l = o.mesure.LigneCourante - 1;
        EXPECT_EQ((V{C(l, 2), C(l, 3)}), (colonne == 2 ? V{"600,00", ""} : V{"", "600,00"}));
    }
    // E held and the right button: the general menu, whose "Valider" keeps the thickness.
    Glisse(1000, 1000, 6080, 1000);
    ToucheEnfoncee(o, Touche::E, {});
    Glisse(3000, 0, 3000, 1270, Bouton::Droit);
    EXPECT_EQ(o.mesure.pointage.menuContextuel->menu, Controle::MenuSegment);
    orv::Clic(o, Controle::SegmentValider);
    EXPECT_EQ(C(3, 3), "600,00");
    EXPECT_EQ(o.mesure.LigneCourante, 4);
}

// By clicks the broken line ends with the right button and writes the sum of
// its sides, not rounded to whole units; a lone vertex writes nothing.
TEST_F(MesureSporeTest, BrokenLineByClicksEndsWithTheRightButton) {
    o.parametres.modePointage = 1;
    Choisit(2);
    o.mesure.LigneBrisee = true;
    Clic(1000, 1000);
    Clic(1005, 1005, Bouton::Droit); // within the tolerance of the only vertex
    EXPECT_EQ(C(1, 1), "");
    EXPECT_EQ(p.Compte("bip"), 0);
    Clic(2000, 2000);
    Bouge(2500, 2000, Bouton::Aucun);
    const double diagonale = std::hypot(1000, 1000);
    EXPECT_EQ(Lecture(), FormatNombre((diagonale + 500) * kUnitesParImage, "##0.0000", ','));
    Clic(3000, 2000, Bouton::Droit);
    EXPECT_EQ(C(1, 1), F((diagonale + 1000) * kUnitesParImage));
    EXPECT_NE(C(1, 1), F(Unites(diagonale + 1000)));
    EXPECT_EQ(o.mesure.Etape, 2);
    // The width is an ordinary segment.
    Glisse(5000, 5000, 5000, 7540);
    EXPECT_EQ(C(1, 2), "1200,00");
}

TEST_F(MesureSporeTest, BrokenLineByDragsEndsWithADoubleClick) {
    o.mesure.LigneBrisee = true;
    Glisse(1000, 1000, 3540, 1000);
    EXPECT_EQ(C(1, 1), "");         // still open
    Glisse(3540, 1000, 3540, 3540); // from the last vertex: no side of zero length
    Clic(3540, 3540);
    ClicImage(o, Bouton::Gauche, {}, {3540, 3540}, true);
    Relache(3540, 3540);
    EXPECT_EQ(C(1, 1), "2400,00");
    const SegmentTrace& s = o.mesure.TraceLignes[1].segments[1];
    EXPECT_EQ((std::array{s.x2, s.y2}), (std::array{3540, 3540}));
}

} // namespace
} // namespace orv::test
