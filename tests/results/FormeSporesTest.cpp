#include "results/FormeSpores.h"
#include "app/CommandesResultats.h"
#include "app/Fenetre.h"
#include "measure/Grille.h"
#include "measure/ScenarioPointage.h"
#include "results/Statistiques.h"

namespace orv {
namespace {

using C = ClasseForme;

TEST(FormeSporesTest, EachLimitBelongsToTheClassAboveIt) {
    const std::pair<double, ClasseForme> limites[] = {{1.05, C::Subglobuleuse},
                                                      {1.15, C::LargementEllipsoide},
                                                      {1.30, C::Ellipsoide},
                                                      {1.60, C::Oblongue},
                                                      {2.00, C::Cylindrique}};
    ClasseForme avant = C::Globuleuse;
    EXPECT_EQ(ClasseDeQ(0.95), avant);
    for (const auto& [q, classe] : limites) {
        EXPECT_EQ(ClasseDeQ(q - 0.001), avant) << q;
        EXPECT_EQ(ClasseDeQ(q), classe) << q;
        avant = classe;
    }
    EXPECT_EQ(ClasseDeQ(3.5), C::Cylindrique);
    // L / l on a limit, a hair under it in binary: still on it.
    EXPECT_EQ(ClasseDeQ(11.5 / 10.0), C::LargementEllipsoide);
    EXPECT_EQ(ClasseDeQ(1.6 - 1e-12), C::Oblongue);
}

// Below 20 spores the results say so; the notation, pasted into descriptions
// and exported, never does. The results give the classes of the mean Q and of
// its deciles, without waiting for "Calc..stat." (the grid may be frozen).
using FormeSporesSession = test::ScenarioPointage;

TEST_F(FormeSporesSession, ResultsWarnBelowTwentySporesAndGiveTheClasses) {
    Choisit(2);
    const std::string avertissement = "Moins de 20 spores mesurées";
    // Q: three of 1.2, fourteen of 1.45, three of 1.7: mean 1.45, D1 1.2, D9 1.7.
    for (int i = 0; i < 20; ++i) {
        if (i == 19) {
            EXPECT_NE(ConstruitTexteResultats(o).find("\r\n" + avertissement), std::string::npos);
            EXPECT_EQ(Notation(o).find(avertissement), std::string::npos);
            orv::Clic(o, Controle::CopieNotation);
            EXPECT_EQ(o.controles.Texte(Controle::BarreEtat).rfind(avertissement, 0), 0u);
        }
        AjouteValeur(o, i < 3 ? 12 : i < 17 ? 14.5 : 17);
        AjouteValeur(o, 10);
    }
    BasculeCalculStatistiques(o.resultats, false);
    const std::string t = ConstruitTexteResultats(o);
    EXPECT_EQ(t.find(avertissement), std::string::npos);
    EXPECT_NE(t.find("\r\nForme, Q moyen 1,45 : ellipsoïde\r\n"), std::string::npos) << t;
    EXPECT_NE(t.find("\r\nForme, Q de D1 à D9 1,20-1,70 : largement ellipsoïde à oblongue\r\n"),
              std::string::npos)
        << t;
}

// The class comes from Q as measured, whatever decimals the grid shows: 1.27
// shown "1" or "1,3" is broadly ellipsoid (and its Q is said with the two
// decimals of the limits).
TEST_F(FormeSporesSession, ClassFromTheMeasuredQ) {
    for (const char* format : {"###0", "###0.0"}) {
        SCOPED_TRACE(format);
        o.parametres.fDecimal = format;
        RAZ_Grille_total(o);
        Choisit(2);
        for (int i = 0; i < 11; ++i) {
            AjouteValeur(o, 12.7);
            AjouteValeur(o, 10);
        }
        const std::string t = ConstruitTexteResultats(o);
        EXPECT_NE(t.find("\r\nForme, Q moyen 1,27 : largement ellipsoïde\r\n"), std::string::npos)
            << t;
        EXPECT_NE(t.find("\r\nForme, Q de D1 à D9 1,27-1,27 : largement ellipsoïde\r\n"),
                  std::string::npos)
            << t;
    }
}

} // namespace
} // namespace orv
