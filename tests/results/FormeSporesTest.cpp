#include "results/FormeSpores.h"
#include "app/CommandesMesure.h"
#include "app/CommandesResultats.h"
#include "app/Fenetre.h"
#include "app/Orvelle.h"
#include "measure/Grille.h"
#include "results/Statistiques.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <string>

namespace orv {
namespace {

using C = ClasseForme;

TEST(FormeSporesTest, EachLimitBelongsToTheClassAboveIt) {
    struct Cas {
        double q;
        ClasseForme attendue;
    };
    const Cas cas[] = {
        {0.95, C::Globuleuse},
        {1.00, C::Globuleuse},
        {1.049, C::Globuleuse},
        {1.05, C::Subglobuleuse},
        {1.149, C::Subglobuleuse},
        {1.15, C::LargementEllipsoide},
        {1.299, C::LargementEllipsoide},
        {1.30, C::Ellipsoide},
        {1.599, C::Ellipsoide},
        {1.60, C::Oblongue},
        {1.999, C::Oblongue},
        {2.00, C::Cylindrique},
        {3.5, C::Cylindrique},
        // L / l on a limit, a hair under it in binary: still on it.
        {11.5 / 10.0, C::LargementEllipsoide},
        {1.6 - 1e-12, C::Oblongue},
    };
    for (const auto& c : cas) EXPECT_EQ(ClasseDeQ(c.q), c.attendue) << c.q;
}

class FormeSporesSession : public ::testing::Test {
protected:
    FormeSporesSession() {
        o.textes.RemplitMessages();
        o.mesure.NumFonction = 2;
        SelectionneFonction(o);
    }
    void Spore(double longueur, double largeur) {
        AjouteValeur(o, longueur);
        AjouteValeur(o, largeur);
    }
    const std::string avertissement = "Moins de 20 spores mesurées";
    test::PlateformeFactice p;
    Orvelle o{p, "."};
};

// The results say it; the notation, pasted into descriptions and exported, never does.
TEST_F(FormeSporesSession, ResultsWarnBelowTwentySpores) {
    for (int i = 0; i < 19; ++i) Spore(12, 10);
    EXPECT_NE(ConstruitTexteResultats(o).find("\r\n" + avertissement), std::string::npos);
    EXPECT_EQ(Notation(o).find(avertissement), std::string::npos);
    Clic(o, Controle::CopieNotation);
    EXPECT_EQ(o.controles.Texte(Controle::BarreEtat).rfind(avertissement, 0), 0u);
    Spore(12, 10);
    EXPECT_EQ(ConstruitTexteResultats(o).find(avertissement), std::string::npos);
}

TEST_F(FormeSporesSession, ResultsTextGivesTheClassesOfTheMeanAndOfTheDeciles) {
    // Q: three of 1.2, fourteen of 1.45, three of 1.7: mean 1.45, D1 1.2, D9 1.7.
    for (int i = 0; i < 3; ++i) Spore(12, 10);
    for (int i = 0; i < 14; ++i) Spore(14.5, 10);
    for (int i = 0; i < 3; ++i) Spore(17, 10);
    // The classes do not wait for "Calc..stat.": the statistics grid may be frozen.
    BasculeCalculStatistiques(o.resultats, false);
    const std::string t = ConstruitTexteResultats(o);
    EXPECT_NE(t.find("\r\nForme, Q moyen 1,45 : ellipsoïde\r\n"), std::string::npos) << t;
    EXPECT_NE(t.find("\r\nForme, Q de D1 à D9 1,20-1,70 : largement ellipsoïde à oblongue\r\n"),
              std::string::npos)
        << t;
}

} // namespace
} // namespace orv
