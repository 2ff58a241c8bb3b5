#include "ScenarioPointage.h"
#include "app/Fenetre.h"
#include "measure/ChangementFonction.h"

#include <random>

namespace orv::test {
namespace {

using V = std::vector<std::string>;

class ComptageTest : public ScenarioPointage {
protected:
    ComptageTest() { FixeEchelle(0.01); }
    std::string Affiche() const { return o.controles.Texte(Controle::TexteComptage); }
    void Compte(int n) {
        for (int i = 0; i < n; ++i) Clic(1000 + 300 * i, 2000);
    }
    void Valide() { Clic(9000, 9000, Bouton::Droit); }
};

// A count is a whole number; Esc drops the count under way.
TEST_F(ComptageTest, SimpleCountValidatedByTheRightButton) {
    orv::Clic(o, Controle::FonctionComptage1);
    Compte(3);
    Frappe(Touche::Echap);
    EXPECT_EQ(Affiche(), "0");
    EXPECT_TRUE(o.mesure.marques.fixes.empty());
    Compte(4);
    EXPECT_EQ(Affiche(), "4");
    EXPECT_EQ(o.controles.Texte(Controle::BarreEtat), o.textes.Msg(55));
    EXPECT_EQ(ScenarioPointage::Compte(GenreMarque::Croix), 4);
    Valide();
    EXPECT_EQ((V{C(1, 1), C(1, 2), Affiche()}), (V{"4", "1", "0"}));
    EXPECT_EQ(o.mesure.LigneCourante, 2);
}

TEST_F(ComptageTest, TwoClassesWriteAPlusTwoB) {
    orv::Clic(o, Controle::FonctionComptage2);
    const auto& t = o.textes;
    EXPECT_EQ(o.controles.Texte(Controle::BarreEtat), t.Msg(202) + t.Msg(204));
    Compte(7);
    Valide();
    EXPECT_EQ(t.Msg(55), t.Msg(202) + t.Msg(203)); // now class B
    Compte(3);
    Valide();
    EXPECT_EQ((V{C(1, 1), C(1, 2), C(1, 3), C(1, 4)}), (V{"7", "3", "13", "1"}));
    for (int c = 1; c <= 4; ++c) EXPECT_EQ(o.mesure.MGrille.Texte(1, c), C(1, c)) << c;
    EXPECT_EQ(t.Msg(55), t.Msg(202) + t.Msg(204)); // back to class A
    // Crosses of class A in colour 1, of class B in colour 2.
    int c1 = 0, c2 = 0;
    for (const auto& m : o.mesure.marques.fixes)
        if (m.genre == GenreMarque::Croix) (m.couleur == o.mesure.couleur1 ? c1 : c2)++;
    EXPECT_EQ((std::array{c1, c2}), (std::array{7, 3}));
    // A counter made to hold a huge number: A + 2B stays a sound sum.
    for (int i = 0; i < 2; ++i) {
        o.mesure.pointage.compte = 9'000'000'000'000'000'000;
        Valide();
    }
    EXPECT_EQ(C(2, 3), "3000000000");
}

// Only press-release pairs count; clicks that zoom the view do not.
TEST_F(ComptageTest, OnlyPressReleasePairsCount) {
    orv::Clic(o, Controle::FonctionComptage1);
    Presse(1000, 1000);
    Bouge(1400, 1000);
    Presse(1400, 1000); // a second press before any release
    EXPECT_EQ(Affiche(), "1");
    Relache(1400, 1000);
    Clic(2000, 1000);
    ToucheEnfoncee(o, Touche::Z, {});
    Clic(3000, 1000);
    ToucheRelachee(o.ui, o.mesure.pointage, Touche::Z, {});
    EXPECT_EQ(Affiche(), "2");
    EXPECT_EQ(o.images.vue.ExposantZoom(), -1);
}

TEST_F(ComptageTest, DensityInARectangle) {
    orv::Clic(o, Controle::FonctionDensiteRectangle);
    Glisse(1000, 1000, 5000, 1000); // flat: refused
    EXPECT_EQ(p.Textes("message"), V{" surface nulle ! Retracer le cadre"});
    EXPECT_EQ(C(1, 1), "");
    Glisse(1000, 1000, 2000, 3000); // 10 x 20 µm
    EXPECT_EQ(C(1, 1), "200,00");
    EXPECT_EQ(Lecture(), "200,00");
    EXPECT_EQ(o.controles.Texte(Controle::BarreEtat), o.textes.Msg(73));
    Compte(5);
    Clic(1500, 1500, Bouton::Droit);
    EXPECT_EQ((V{C(1, 2), C(1, 3), C(1, 4), C(1, 5)}), (V{"5", "0,0250", "0,158", "1"}));
    EXPECT_EQ(o.mesure.LigneCourante, 2);
    EXPECT_EQ(o.mesure.Etape, 1);
    EXPECT_EQ(Affiche(), "0");
}

// Nb/S and Nb/L show at least three significant digits at every scale (with a
// factor of 1 the surfaces are huge and the densities tiny), checked against
// the count over the rectangle's surface computed from its corners.
TEST_F(ComptageTest, DensitiesAgreeWithThePlainFormulaToThreeDigits) {
    std::mt19937 gen(13);
    std::uniform_int_distribution<int> coin(500, 9000), cote(300, 8000), nombre(0, 12);
    std::uniform_real_distribution<double> exposant(-3, 0.5);
    auto proche = [](const std::string& cellule, double attendu) {
        if (attendu == 0) return LitDecimal(cellule) == 0;
        const double unite = std::pow(10, std::floor(std::log10(attendu)) - 2);
        return std::fabs(LitDecimal(cellule) - attendu) <= unite / 2 * (1 + 1e-9);
    };
    orv::Clic(o, Controle::FonctionDensiteRectangle);
    for (int ligne = 1; ligne <= 30; ++ligne) {
        const double e = std::pow(10, exposant(gen)); // µm per picture unit
        FixeEchelle(e);
        const int x = coin(gen), y = coin(gen), dx = cote(gen), dy = cote(gen), n = nombre(gen);
        Glisse(x, y, x + dx, y + dy);
        Compte(n);
        Clic(x, y, Bouton::Droit);
        ASSERT_EQ(o.mesure.LigneCourante, ligne + 1);
        const double parSurface = n / (double(dx) * dy * e * e);
        EXPECT_EQ(C(ligne, 2), std::to_string(n)) << ligne;
        EXPECT_TRUE(proche(C(ligne, 3), parSurface)) << ligne << ": " << C(ligne, 3);
        EXPECT_TRUE(proche(C(ligne, 4), std::sqrt(parSurface))) << ligne << ": " << C(ligne, 4);
    }
}

} // namespace
} // namespace orv::test
