#include "ScenarioPointage.h"
#include "app/Fenetre.h"
#include "colour/Palette.h"
#include "measure/Grille.h"
#include "measure/OutilsPointage.h"

#include <random>

namespace orv::test {
namespace {

using PointageTest = ScenarioPointage;

// The drag writes the length with its marks: a cross at the end and the line
// number at the start, or with "insère dim" the value along the segment.
TEST_F(PointageTest, DragWritesTheLengthWithItsMarks) {
    for (const bool insereDim : {false, true}) {
        SCOPED_TRACE(insereDim);
        RAZ_Grille_total(o);
        o.mesure.InsereDim = insereDim;
        Glisse(1000, 1000, 3540, 1000);
        EXPECT_EQ(C(1, 1), "1200,00");
        const SegmentTrace& s = o.mesure.TraceLignes[1].segments[1];
        EXPECT_EQ((std::array{s.x1, s.y1, s.x2, s.y2}), (std::array{1000, 1000, 3540, 1000}));
        EXPECT_TRUE(CroixFixeEn({3540, 1000}));
        ASSERT_EQ(Compte(GenreMarque::Texte), 1);
        for (const auto& m : o.mesure.marques.fixes)
            if (m.genre == GenreMarque::Texte) {
                EXPECT_EQ(m.texte, insereDim ? "1200,00" : "1");
                EXPECT_EQ(m.a, (insereDim ? PointImage{2270, 1000} : PointImage{1000, 1000}));
            }
        EXPECT_TRUE(o.mesure.marques.provisoires.empty());
        EXPECT_EQ(Lecture(), "1200,00");
        EXPECT_EQ(o.mesure.LigneCourante, 2);
    }
}

// After each drag or click the status bar says what comes next: the next
// column of the line (a 3D spore's width or, E held, its thickness), which
// corner of the triangle.
TEST_F(PointageTest, EachPromptSaysTheNextStep) {
    const struct {
        int fonction;
        std::vector<std::string> invites; // at the start, then after each drag
    } cas[] = {
        {1, {"Longueur", "Longueur"}},
        {2, {"Long.", "Larg.", "Long."}},
        {3, {"long.", "larg. (E : épais.)", "long."}},
        {5, {"Long.", "L.base", "L.col", "L+", "Long."}},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.fonction);
        Choisit(k.fonction);
        for (size_t i = 0; i < k.invites.size(); ++i) {
            if (i > 0) Glisse(1000, 1000 + 500 * int(i), 5000, 1000 + 500 * int(i));
            EXPECT_EQ(o.controles.Texte(Controle::BarreEtat),
                      "pointer maintenant : " + k.invites[i])
                << i;
        }
    }
    Choisit(15);
    for (const char* coin : {"1/3", "2/3", "3/3", "1/3"}) {
        EXPECT_EQ(o.controles.Texte(Controle::BarreEtat),
                  std::string("Marquer un point (") + coin + ")");
        Clic(1000 + 2000 * (coin[0] - '0'), 1000 + 1500 * (coin[0] == '2'));
    }
}

TEST_F(PointageTest, ClickToleranceKeepsTheSegmentOpen) {
    o.parametres.clicDixiemes = 20; // CLIC = 2: 20 twips
    Presse(5000, 5000);
    Relache(5008, 5008); // 16 twips: a click, not a segment
    EXPECT_EQ(C(1, 1), "");
    EXPECT_TRUE(o.mesure.pointage.SegmentEnCours);
    // The next click ends the segment begun by the first one.
    Clic(7540, 5000);
    EXPECT_EQ(C(1, 1), "1200,00");
    EXPECT_EQ(o.mesure.TraceLignes[1].segments[1].x1, 5000);
    Presse(5000, 6000);
    Relache(5012, 6010); // 22 twips: ends
    EXPECT_EQ(C(2, 1), F(Unites(std::hypot(12, 10))));
    EXPECT_FALSE(o.mesure.pointage.SegmentEnCours);
}

// The rubber band follows the pointer; Esc cancels the segment and its
// release, and between two measures does not swallow the next one.
TEST_F(PointageTest, RubberBandThenEscape) {
    Presse(1000, 1000);
    Bouge(3540, 1000);
    ASSERT_EQ(o.mesure.marques.provisoires.size(), 1u);
    EXPECT_EQ(o.mesure.marques.provisoires[0].a, (PointImage{1000, 1000}));
    EXPECT_EQ(o.mesure.marques.provisoires[0].b, (PointImage{3540, 1000}));
    EXPECT_EQ(Lecture(), "1200,00");
    EXPECT_EQ(o.controles.Texte(Controle::BarreEtat), o.textes.Msg(163));
    Frappe(Touche::Echap);
    EXPECT_FALSE(o.mesure.pointage.SegmentEnCours);
    EXPECT_TRUE(o.mesure.marques.provisoires.empty());
    Relache(3540, 1000);
    EXPECT_EQ(C(1, 1), "");
    EXPECT_TRUE(o.mesure.marques.fixes.empty());
    Frappe(Touche::Echap);
    Glisse(4000, 4000, 4000, 6540);
    EXPECT_EQ(C(1, 1), "1200,00");
    EXPECT_EQ(o.mesure.TraceLignes[1].segments[1].y1, 4000);
}

TEST_F(PointageTest, BackspaceErasesTheLastValueAndItsMarks) {
    Choisit(2);
    Glisse(1000, 1000, 6080, 1000); // length
    Glisse(3000, 0, 3000, 2540);    // width
    ASSERT_TRUE(CroixFixeEn({3000, 2540}));
    Frappe(Touche::Retour);
    EXPECT_EQ(C(1, 1), "2400,00");
    EXPECT_EQ(C(1, 2), "");
    EXPECT_EQ(o.mesure.Etape, 2);
    EXPECT_FALSE(CroixFixeEn({3000, 2540}));
    EXPECT_TRUE(CroixFixeEn({6080, 1000}));
    // Pointed again, the width shows once.
    Glisse(3000, 0, 3000, 1270);
    EXPECT_EQ(C(1, 2), "600,00");
    EXPECT_EQ(Compte(GenreMarque::Croix), 2);
    // "<=" is the same command; an emptied grid takes every mark away.
    orv::Clic(o, Controle::EffaceArriere);
    EXPECT_FALSE(CroixFixeEn({3000, 1270}));
    p.reponses.push_back(true);
    orv::Clic(o, Controle::RazGrille);
    EXPECT_TRUE(o.mesure.marques.fixes.empty());
}

TEST_F(PointageTest, MarkColoursChosenFromThePalette) {
    Glisse(1000, 1000, 3540, 1000);
    p.couleurs = {9, std::nullopt};
    orv::Clic(o, Controle::Couleur1);
    orv::Clic(o, Controle::Couleur1); // closed without a choice: nothing changes
    EXPECT_EQ(o.mesure.couleur1, 9);
    EXPECT_EQ(o.controles(Controle::Couleur1).couleur, CouleurPalette(9));
    ASSERT_FALSE(o.mesure.marques.fixes.empty());
    for (const auto& m : o.mesure.marques.fixes) EXPECT_EQ(m.couleur, 9);
}

TEST_F(PointageTest, RightButtonAsksTheContextMenu) {
    Glisse(1000, 1000, 3540, 1000, Bouton::Droit);
    ASSERT_TRUE(o.mesure.pointage.menuContextuel.has_value());
    EXPECT_EQ(o.mesure.pointage.menuContextuel->menu, Controle::MenuSegment);
    EXPECT_EQ(o.mesure.pointage.menuContextuel->position, (PointTwips{3540, 1000}));
    EXPECT_EQ(C(1, 1), "");
    orv::Clic(o, Controle::SegmentValider);
    EXPECT_EQ(C(1, 1), "1200,00");
    EXPECT_FALSE(o.mesure.pointage.menuContextuel.has_value());
    // "Reprendre": nothing written, the end is pointed again from the same start.
    Glisse(1000, 3000, 2000, 3000, Bouton::Droit);
    orv::Clic(o, Controle::SegmentReprendre);
    EXPECT_EQ(C(2, 1), "");
    Clic(1000, 5540);
    EXPECT_EQ(C(2, 1), "1200,00");
    // "Annuler/Retracer" cancels; a closed menu leaves the segment unwritten.
    Glisse(1000, 3000, 2000, 3000, Bouton::Droit);
    orv::Clic(o, Controle::SegmentAnnuler);
    EXPECT_FALSE(o.mesure.pointage.SegmentEnCours);
    EXPECT_TRUE(o.mesure.pointage.IgnoreRelache);
    Glisse(1000, 3000, 2000, 3000, Bouton::Droit);
    FermeMenuContextuel(o);
    EXPECT_EQ(C(3, 1), "");
    EXPECT_EQ(o.mesure.LigneCourante, 3);
}

// No picture, or a function changed while a segment is under way: nothing written.
TEST_F(PointageTest, NoPictureOrStaleSegmentNoMeasure) {
    Presse(1000, 1000);
    Bouge(2000, 1000);
    Choisit(2);
    Relache(3540, 1000);
    EXPECT_TRUE(o.mesure.marques.provisoires.empty());
    o.images.vue.FixeImage(0, 0);
    Glisse(1000, 1000, 3540, 1000);
    EXPECT_EQ(C(1, 1), "");
    EXPECT_TRUE(o.mesure.marques.fixes.empty());
}

TEST_F(PointageTest, ZoomAndCentreKeysMoveTheViewOnly) {
    ToucheEnfoncee(o, Touche::Z, {});
    Clic(1000, 1000);
    EXPECT_EQ(o.images.vue.ExposantZoom(), -1);
    Clic(1000, 1000, Bouton::Droit);
    EXPECT_EQ(o.images.vue.ExposantZoom(), 0);
    ToucheRelachee(o.ui, o.mesure.pointage, Touche::Z, {});
    EXPECT_FALSE(o.mesure.pointage.ZoomPoint);
    o.images.vue.FixeOrigine(0, 0);
    ToucheEnfoncee(o, Touche::C, {});
    Clic(kLargeurImage / 2 + 1000, kHauteurImage / 2);
    EXPECT_EQ(o.images.vue.OrigineX(), 1000);
    ToucheRelachee(o.ui, o.mesure.pointage, Touche::C, {});
    EXPECT_EQ(C(1, 1), "");
    EXPECT_FALSE(o.mesure.pointage.SegmentEnCours);
    // Z pressed while a drag is under way: the drag still ends its segment,
    // and leaves no rubber band behind.
    Presse(1000, 1000);
    ToucheEnfoncee(o, Touche::Z, {});
    Relache(3540, 1000);
    ToucheRelachee(o.ui, o.mesure.pointage, Touche::Z, {});
    Bouge(5000, 5000, Bouton::Aucun);
    EXPECT_EQ(C(1, 1), "1200,00");
    EXPECT_TRUE(o.mesure.marques.provisoires.empty());
}

TEST_F(PointageTest, CtrlTogglesTheImageDrag) {
    const Modificateurs ctrl{false, true, false};
    Frappe(Touche::Ctrl);
    EXPECT_TRUE(o.mesure.pointage.GlisseImage);
    Glisse(5000, 5000, 4000, 5000);
    EXPECT_EQ(o.images.vue.OrigineX(), 1000); // the picture followed the pointer
    EXPECT_EQ(C(1, 1), "");
    EXPECT_NE(o.controles.Texte(Controle::BarreEtat).find("Ctrl pour revenir"), std::string::npos);
    Frappe(Touche::Ctrl);
    EXPECT_FALSE(o.mesure.pointage.GlisseImage);
    Glisse(5000, 5000, 5000, 7540);
    EXPECT_EQ(C(1, 1), "1200,00");
    // Ctrl+A, a release whose press went elsewhere, a drag with Ctrl held, or
    // the box losing the keyboard while Ctrl is down: the drag state stays off.
    ToucheEnfoncee(o, Touche::Ctrl, ctrl);
    Frappe(Touche::Autre, ctrl);
    ToucheRelachee(o.ui, o.mesure.pointage, Touche::Ctrl, {});
    ToucheRelachee(o.ui, o.mesure.pointage, Touche::Ctrl, {});
    ToucheEnfoncee(o, Touche::Ctrl, ctrl);
    Glisse(5000, 5000, 6000, 5000);
    EXPECT_EQ(o.images.vue.OrigineX(), 0); // moved while held
    ToucheRelachee(o.ui, o.mesure.pointage, Touche::Ctrl, {});
    ToucheEnfoncee(o, Touche::Ctrl, ctrl);
    ToucheOubliees(o.mesure.pointage);
    ToucheRelachee(o.ui, o.mesure.pointage, Touche::Ctrl, {});
    EXPECT_FALSE(o.mesure.pointage.GlisseImage);
    Glisse(5000, 5000, 5000, 7540);
    EXPECT_EQ(C(2, 1), "1200,00");
}

TEST_F(PointageTest, KeysOfTheTable) {
    for (const bool visible : {true, false}) {
        Frappe(Touche::Espace);
        EXPECT_EQ(o.resultats.statistiquesAffichees, visible);
        EXPECT_EQ(o.controles(Controle::CadreStatistiques).visible, visible);
    }
    for (int attendu : {1, 2, 3, 0}) {
        Frappe(Touche::G);
        EXPECT_EQ(o.mesure.pointage.PositionGrille, attendu);
    }
    ASSERT_EQ(o.images.loupe.champ, 1000);
    Frappe(Touche::Chevrons);
    EXPECT_EQ(o.images.loupe.champ, 500);
    Frappe(Touche::L);
    EXPECT_EQ(o.images.loupe.champ, 1000);
}

// 20.4 pixel units with a factor of 0.5 give 10, not 10.2; and the same two
// picture points give the same value at every zoom, origin and box size.
TEST_F(PointageTest, LengthsAreWholeUnitsTimesTheFactorAtEveryView) {
    o.images.vue.FixeImage(275, 100);
    o.images.vue.FixeBoite(12000, 9000);
    o.parametres.clicDixiemes = 10;
    o.calibrage.CoefCalibrage = 0.5;
    const PointImage a = o.images.vue.VersImage({1000, 1000}),
                     b = o.images.vue.VersImage({1019, 1005});
    ASSERT_NEAR(o.images.vue.UnitesPixels(a, b, 1.0), 20.4, 0.001);
    Glisse(1000, 1000, 1019, 1005);
    EXPECT_EQ(C(1, 1), "10,00");
    std::mt19937 alea(20240611);
    auto entier = [&](int bas, int haut) {
        return std::uniform_int_distribution<int>(bas, haut)(alea);
    };
    o.images.vue.FixeImage(960, 720);
    // 9124.35 pixel units: far enough from a half that the twip a pointer lands on
    // cannot change the rounding.
    const PointImage pa{3000, 2000}, pb{21000, 9000};
    const std::string attendu = F(Unites(std::hypot(18000, 7000)) * 0.5);
    for (int ligne = 2; ligne < 40; ++ligne) {
        const int boite = entier(6000, 30000);
        o.images.vue.FixeBoite(boite, entier(4000, 20000));
        // Zoomed in enough that one twip is well below a pixel unit.
        const int eMax = static_cast<int>(
            std::floor(std::log(0.07 * boite / 12000.0) / std::log(Vue::BaseZoom())));
        o.images.vue.FixeExposant(entier(eMax - 12, eMax));
        const double parTwip = o.images.vue.ImageParTwip();
        o.images.vue.FixeOrigine(pa.x - static_cast<int>(entier(0, boite) * parTwip),
                                 pa.y - static_cast<int>(entier(0, 4000) * parTwip));
        const PointTwips ta = VersBoite(o.images.vue, pa), tb = VersBoite(o.images.vue, pb);
        Presse(ta.x, ta.y);
        Bouge(entier(0, boite), entier(0, 4000));
        Relache(tb.x, tb.y);
        ASSERT_EQ(C(ligne, 1), attendu) << "box " << boite << ", e " << o.images.vue.ExposantZoom();
    }
}

} // namespace
} // namespace orv::test
