#include "measure/Fonctions.h"
#include "app/Fenetre.h"
#include "measure/ChangementFonction.h"
#include "measure/Grille.h"
#include "measure/ScenarioPointage.h"

#include <stdexcept>

namespace orv {
namespace {

using V = std::vector<std::string>;

class FonctionsTest : public test::ScenarioPointage {
protected:
    FonctionsTest() { AppliqueFonctionDemarrage(o); }
    V Entetes() const {
        V v;
        for (int c = 0; c < o.mesure.GrilleRef.Colonnes(); ++c)
            v.push_back(o.mesure.GrilleRef.Texte(0, c));
        return v;
    }
    void Valeurs(int n) {
        for (int i = 0; i < n; ++i) AjouteValeur(o, 3 + i);
    }
};

// The three grids of a function agree: one statistics column per value column,
// the mirror with the same headers; the number before the names ends them.
TEST_F(FonctionsTest, TheThreeGridsAgreeForEveryFunction) {
    for (int n : {1, 2, 3, 4, 5, 6, 10, 11, 13, 14, 15, 16, 20}) {
        SCOPED_TRACE(n);
        Choisit(n);
        EXPECT_FALSE(o.mesure.NomFonction.empty());
        const V e = Entetes();
        EXPECT_EQ((V{e.front(), e.back()}), (V{"N°", "comment"}));
        EXPECT_EQ(o.resultats.GrilleRefP.Colonnes(), o.mesure.GrilleRef.Colonnes());
        EXPECT_EQ(o.mesure.MGrille.Colonnes(), o.mesure.GrilleRef.Colonnes());
        EXPECT_EQ(o.mesure.MGrille.Texte(0, 1), e[1]);
    }
    // The colour function's widths have no closing "$": the comment column
    // keeps the width it had.
    o.mesure.GrilleRef.FixeColonnes(10);
    o.mesure.GrilleRef.FixeLargeur(9, 777);
    LargeursGrille(o, 20);
    EXPECT_EQ(o.mesure.GrilleRef.Colonnes(), 10);
    EXPECT_EQ(o.mesure.GrilleRef.Largeur(9), 777);
    EXPECT_EQ(o.resultats.GrilleRefP.Largeur(9), 777);
}

TEST_F(FonctionsTest, SelectionSetsCountsRowsAndCaption) {
    EXPECT_EQ(o.mesure.NomFonction, "mesure Spore 2D"); // start-up setting 0
    o.parametres.tGrille = 64;
    Choisit(3);
    EXPECT_EQ(o.mesure.NbSegmentsPrec, 2);
    EXPECT_TRUE(o.mesure.Mode3D);
    EXPECT_TRUE(o.controles(Controle::SegmentLongueur).visible);
    EXPECT_EQ(o.mesure.GrilleRef.Lignes(), 65);
    EXPECT_EQ(o.mesure.MGrille.Lignes(), 4);
    Choisit(5);
    EXPECT_FALSE(o.mesure.Mode3D);
    EXPECT_FALSE(o.controles(Controle::SegmentLongueur).visible);
    // The colour function keeps the previous count as its back-erase count.
    Choisit(20);
    EXPECT_EQ(o.mesure.NbSegmentsPrec, 4);
    // The triangle prompts for its corners, not with the previous function's prompt.
    Choisit(13);
    Choisit(15);
    EXPECT_EQ(o.controles.Texte(Controle::BarreEtat), "Marquer un point (1/3)");
}

TEST_F(FonctionsTest, StartUpSettingAndOutOfRangeSlots) {
    for (int reglage : {0, 7, 99, -3}) {
        o.parametres.fonctionDemarrage = reglage;
        AppliqueFonctionDemarrage(o);
        EXPECT_EQ(o.mesure.NumFonction, 2) << reglage;
    }
    o.parametres.fonctionDemarrage = 20;
    AppliqueFonctionDemarrage(o);
    EXPECT_EQ(o.mesure.NomFonction, "tintaval");
    EXPECT_THROW(TableFonctions(o.mesure, 26), std::out_of_range);
    EXPECT_THROW(TableLargeurs(o.mesure, -1), std::out_of_range);
    // A slot without a function (a grid file naming none) leaves the layout as it was.
    Choisit(0);
    EXPECT_EQ(o.mesure.GrilleRef.Texte(0, 1), "R");
    EXPECT_THROW(Choisit(26), std::out_of_range);
}

// A language text with more headers than columns must not break the grid.
TEST_F(FonctionsTest, NamesFollowTheMessageTable) {
    o.textes.Fixe(Table::MSG, 146, "x$4$a$b$c$d$e$f$g$");
    Choisit(1);
    EXPECT_EQ(Entetes(), (V{"N°", "a", "b", "c"}));
}

// The same simple entry, or the same count, again: nothing happens, no question.
TEST_F(FonctionsTest, SameEntryAgainDoesNothingForSimpleEntriesAndCounting) {
    Valeurs(60);
    orv::Clic(o, Controle::FonctionSpores2D);
    EXPECT_EQ(o.mesure.LigneCourante, 31);
    p.reponses = {true};
    orv::Clic(o, Controle::FonctionComptage1);
    Valeurs(3);
    orv::Clic(o, Controle::FonctionComptage1);
    EXPECT_EQ(o.mesure.LigneCourante, 4);
    EXPECT_EQ(p.Compte("question"), 1);
}

TEST_F(FonctionsTest, CystidiaRules) {
    // Another entry asks even on an empty grid.
    p.reponses = {true};
    orv::Clic(o, Controle::FonctionCystides4);
    EXPECT_EQ(p.Textes("question"), V{"effacer la grille  ?"});
    EXPECT_EQ(o.mesure.NumFonction, 5);
    // The same entry empties the grid without a question.
    Valeurs(8);
    orv::Clic(o, Controle::FonctionCystides4);
    EXPECT_EQ(o.mesure.LigneCourante, 1);
    EXPECT_EQ(o.mesure.GrilleRef.Texte(1, 1), "");
    EXPECT_EQ(p.Compte("question"), 1);
}

// "No" to the question changes nothing; the personal entries and other menus
// change nothing either.
TEST_F(FonctionsTest, NoChangesNothing) {
    Valeurs(2);
    const std::string avant = o.mesure.GrilleRef.Texte(1, 1);
    for (Controle famille :
         {Controle::FonctionSegment, Controle::FonctionCystides3, Controle::FonctionComptage2,
          Controle::FonctionDensiteRectangle, Controle::FonctionPolygoneOuvert, Controle::Perso1,
          Controle::Perso2}) {
        SCOPED_TRACE(static_cast<int>(famille));
        p.reponses = {false};
        orv::Clic(o, famille);
        EXPECT_EQ(o.mesure.NumFonction, 2);
        EXPECT_EQ(o.mesure.LigneCourante, 2);
        EXPECT_EQ(o.mesure.GrilleRef.Texte(1, 1), avant);
        EXPECT_FALSE(o.mesure.ModeComptage || o.mesure.ModeDensite || o.mesure.ModePolygone);
        EXPECT_EQ(o.controles.Texte(Controle::TexteComptage), "");
    }
    EXPECT_EQ(p.Compte("question"), 5);
}

TEST_F(FonctionsTest, DensityAndSurfaceEntriesSetTheirModes) {
    orv::Clic(o, Controle::FonctionDensiteEllipse);
    EXPECT_TRUE(o.mesure.ModeDensite);
    EXPECT_EQ(o.controles.Texte(Controle::TexteComptage), "0");
    EXPECT_TRUE(o.controles(Controle::CopieNotation).visible);
    // The same density entry asks once the grid holds a line.
    Valeurs(3);
    p.reponses = {true};
    orv::Clic(o, Controle::FonctionDensiteEllipse);
    EXPECT_EQ(p.Compte("question"), 1);
    EXPECT_EQ(o.mesure.LigneCourante, 1);
    const struct {
        Controle entree;
        int numero;
        bool polygone, triangle, automatique;
    } cas[] = {{Controle::FonctionPolygoneOuvert, 16, true, false, false},
               {Controle::FonctionPolygoneAuto, 16, true, false, true},
               {Controle::FonctionTriangle, 15, false, true, true}};
    for (const auto& c : cas) {
        orv::Clic(o, c.entree);
        EXPECT_FALSE(o.mesure.ModeDensite); // no longer routed to the density routine
        EXPECT_EQ((std::vector{o.mesure.NumFonction == c.numero, o.mesure.ModePolygone,
                               o.mesure.ModeTriangle, o.mesure.PolygoneAuto}),
                  (std::vector{true, c.polygone, c.triangle, c.automatique}))
            << c.numero << c.automatique;
    }
    orv::Clic(o, Controle::FonctionComptage2);
    EXPECT_TRUE(o.mesure.ModeComptage);
    EXPECT_FALSE(o.controles(Controle::BoutonComptage).actif);
    orv::Clic(o, Controle::FonctionSegment);
    EXPECT_FALSE(o.mesure.ModeComptage);
}

TEST_F(FonctionsTest, TintavalEntry) {
    // From another function nothing changes, and the user reads how to reach it.
    Valeurs(2);
    orv::Clic(o, Controle::FonctionTintaval);
    EXPECT_EQ(o.mesure.NumFonction, 2);
    EXPECT_EQ(o.mesure.LigneCourante, 2);
    EXPECT_EQ(p.Compte("question"), 0);
    EXPECT_EQ(p.Textes("message"),
              V{"Tintaval démarre avec Orvelle : Options > Fonction de démarrage > Tintaval, "
                "quitter et relancer Orvelle"});
    Choisit(20);
    orv::Clic(o, Controle::FonctionTintaval);
    EXPECT_FALSE(o.controles(Controle::MenuComptage).actif);
    EXPECT_FALSE(o.controles(Controle::MenuDensite).actif);
    EXPECT_FALSE(o.controles(Controle::Texte4).visible);
    EXPECT_EQ(o.mesure.NbSegments, 1);
    orv::Clic(o, Controle::FonctionSpores3D);
    EXPECT_TRUE(o.controles(Controle::MenuComptage).actif);
    EXPECT_TRUE(o.controles(Controle::MenuDensite).actif);
}

} // namespace
} // namespace orv
