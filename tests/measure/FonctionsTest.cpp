#include "measure/Fonctions.h"
#include "app/CommandesMesure.h"
#include "app/Orvelle.h"
#include "interface/TableControles.h"
#include "measure/ChangementFonction.h"
#include "measure/Grille.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace orv {
namespace {

class FonctionsTest : public ::testing::Test {
protected:
    FonctionsTest() {
        o.textes.RemplitMessages();
        AppliqueFonctionDemarrage(o);
    }
    void Choisit(int n) {
        o.mesure.NumFonction = n;
        SelectionneFonction(o);
    }
    std::vector<std::string> Entetes() const {
        std::vector<std::string> v;
        for (int c = 0; c < o.mesure.GrilleRef.Colonnes(); ++c)
            v.push_back(o.mesure.GrilleRef.Texte(0, c));
        return v;
    }
    // Two complete segment lines in the grid.
    void DeuxLignes() {
        AjouteValeur(o, 3);
        AjouteValeur(o, 4);
    }

    test::PlateformeFactice p;
    Orvelle o{p, "."};
};

using V = std::vector<std::string>;

// The three grids of a function agree: one statistics column per value column,
// the mirror with the same headers; the number before the names ends them.
TEST_F(FonctionsTest, TheThreeGridsAgreeForEveryFunction) {
    for (int n : {1, 2, 3, 4, 5, 6, 10, 11, 13, 14, 15, 16, 20}) {
        SCOPED_TRACE(n);
        Choisit(n);
        EXPECT_FALSE(o.mesure.NomFonction.empty());
        const V e = Entetes();
        EXPECT_EQ(e.front(), "N°");
        EXPECT_EQ(e.back(), "comment");
        EXPECT_EQ(o.resultats.GrilleRefP.Colonnes(), o.mesure.GrilleRef.Colonnes());
        EXPECT_EQ(o.mesure.MGrille.Colonnes(), o.mesure.GrilleRef.Colonnes());
        EXPECT_EQ(o.mesure.MGrille.Texte(0, 1), e[1]);
    }
}

// The colour function's widths have no closing "$": the comment column keeps
// the width it had.
TEST_F(FonctionsTest, WidthsWithoutClosingDollarKeepTheCommentWidth) {
    o.mesure.GrilleRef.FixeColonnes(10);
    o.mesure.GrilleRef.FixeLargeur(9, 777);
    LargeursGrille(o, 20);
    EXPECT_EQ(o.mesure.GrilleRef.Colonnes(), 10);
    EXPECT_EQ(o.mesure.GrilleRef.Largeur(9), 777);
    EXPECT_EQ(o.resultats.GrilleRefP.Largeur(9), 777);
}

TEST_F(FonctionsTest, SelectionSetsCountsRowsAndCaption) {
    EXPECT_EQ(o.mesure.NumFonction, 2); // start-up setting 0
    EXPECT_EQ(o.mesure.NomFonction, "mesure Spore 2D");

    o.parametres.tGrille = 64;
    o.parametres.utilisateur = "Jeanne";
    Choisit(3);
    EXPECT_EQ(o.mesure.NbSegmentsPrec, 2);
    EXPECT_TRUE(o.mesure.Mode3D);
    EXPECT_TRUE(o.controles(Controle::SegmentLongueur).visible);
    EXPECT_EQ(o.mesure.GrilleRef.Lignes(), 65);
    EXPECT_EQ(o.mesure.MGrille.Lignes(), 4);
    EXPECT_EQ(o.controles.Texte(Controle::Fenetre), "Orvelle  /  Jeanne");

    Choisit(5);
    EXPECT_FALSE(o.mesure.Mode3D);
    EXPECT_FALSE(o.controles(Controle::SegmentLongueur).visible);
    // The colour function keeps the previous count as its back-erase count.
    Choisit(20);
    EXPECT_EQ(o.mesure.NbSegmentsPrec, 4);
}

// The triangle prompts for its corners, not with the previous function's prompt.
TEST_F(FonctionsTest, TrianglePromptsForItsCorners) {
    Choisit(13);
    Choisit(15);
    EXPECT_EQ(o.controles.Texte(Controle::BarreEtat), "Marquer un point");
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

    EXPECT_THROW(TableFonctions(o, 26), std::out_of_range);
    EXPECT_THROW(TableLargeurs(o, -1), std::out_of_range);
    EXPECT_EQ(TableFonctions(o, 7), "");
    // A slot without a function (a grid file naming none) leaves the layout as it was.
    o.mesure.NumFonction = 0;
    SelectionneFonction(o);
    EXPECT_EQ(o.mesure.GrilleRef.Texte(0, 1), "R");
    o.mesure.NumFonction = 26;
    EXPECT_THROW(SelectionneFonction(o), std::out_of_range);
}

TEST_F(FonctionsTest, NamesFollowTheMessageTable) {
    o.textes.Fixe(Table::MSG, 147, "misura Spora 2D$7$Lung.$Larg.$Q$V$img$commento$");
    Choisit(2);
    EXPECT_EQ(o.mesure.NomFonction, "misura Spora 2D");
    EXPECT_EQ(o.mesure.GrilleRef.Texte(0, 1), "Lung.");
    // A language text with more headers than columns must not break the grid.
    o.textes.Fixe(Table::MSG, 146, "x$4$a$b$c$d$e$f$g$");
    Choisit(1);
    EXPECT_EQ(Entetes(), (V{"N°", "a", "b", "c"}));
}

TEST_F(FonctionsTest, SameEntryAgainDoesNothingForSimpleEntriesAndCounting) {
    for (int i = 0; i < 60; ++i) AjouteValeur(o, 5);
    // No question queued: any question would fail the test.
    EXPECT_TRUE(ClicMenuFonction(o, Controle::FonctionSpores2D));
    EXPECT_EQ(o.mesure.LigneCourante, 31);

    p.reponses = {true};
    ClicMenuFonction(o, Controle::FonctionComptage1);
    for (int i = 0; i < 3; ++i) AjouteValeur(o, 5);
    EXPECT_TRUE(ClicMenuFonction(o, Controle::FonctionComptage1));
    EXPECT_EQ(o.mesure.LigneCourante, 4);
    EXPECT_EQ(p.Compte("question"), 1);
}

TEST_F(FonctionsTest, CystidiaRules) {
    // Another entry asks even on an empty grid.
    p.reponses = {true};
    ClicMenuFonction(o, Controle::FonctionCystides4);
    EXPECT_EQ(p.Textes("question"), V{"effacer la grille  ?"});
    EXPECT_EQ(o.mesure.NumFonction, 5);
    // The same entry empties the grid without a question.
    for (int i = 0; i < 8; ++i) AjouteValeur(o, 2);
    ClicMenuFonction(o, Controle::FonctionCystides4);
    EXPECT_EQ(o.mesure.LigneCourante, 1);
    EXPECT_EQ(o.mesure.GrilleRef.Texte(1, 1), "");
    EXPECT_EQ(p.Compte("question"), 1);
}

TEST_F(FonctionsTest, NoChangesNothing) {
    DeuxLignes();
    const std::string avant = o.mesure.GrilleRef.Texte(1, 1);
    for (Controle famille :
         {Controle::FonctionSegment, Controle::FonctionCystides3, Controle::FonctionComptage2,
          Controle::FonctionDensiteRectangle, Controle::FonctionPolygoneOuvert}) {
        p.reponses = {false};
        EXPECT_TRUE(ClicMenuFonction(o, famille));
        EXPECT_EQ(o.mesure.NumFonction, 2) << static_cast<int>(famille);
        EXPECT_EQ(o.mesure.LigneCourante, 2) << static_cast<int>(famille);
        EXPECT_EQ(o.mesure.GrilleRef.Texte(1, 1), avant) << static_cast<int>(famille);
        EXPECT_FALSE(o.mesure.ModeComptage || o.mesure.ModeDensite || o.mesure.ModePolygone);
        EXPECT_EQ(o.controles.Texte(Controle::TexteComptage), "");
    }
    EXPECT_EQ(p.Compte("question"), 5);
}

TEST_F(FonctionsTest, DensityAndSurfaceEntriesSetTheirModes) {
    ClicMenuFonction(o, Controle::FonctionDensiteEllipse);
    EXPECT_TRUE(o.mesure.ModeDensite);
    EXPECT_EQ(o.controles.Texte(Controle::TexteComptage), "0");
    EXPECT_TRUE(o.controles(Controle::CopieNotation).visible);
    // The same density entry asks once the grid holds a line.
    AjouteValeur(o, 1);
    AjouteValeur(o, 2);
    AjouteValeur(o, 3);
    p.reponses = {true};
    ClicMenuFonction(o, Controle::FonctionDensiteEllipse);
    EXPECT_EQ(p.Compte("question"), 1);
    EXPECT_EQ(o.mesure.LigneCourante, 1);

    ClicMenuFonction(o, Controle::FonctionPolygoneOuvert);
    EXPECT_EQ(o.mesure.NomFonction, "Polygone ouvert");
    EXPECT_FALSE(o.mesure.ModeDensite); // no longer routed to the density routine
    EXPECT_TRUE(o.mesure.ModePolygone);
    EXPECT_FALSE(o.mesure.PolygoneAuto);
    ClicMenuFonction(o, Controle::FonctionPolygoneAuto);
    EXPECT_EQ(o.mesure.NomFonction, "Polygone auto");
    ClicMenuFonction(o, Controle::FonctionTriangle);
    EXPECT_TRUE(o.mesure.ModeTriangle);
    EXPECT_FALSE(o.mesure.ModePolygone);
    EXPECT_TRUE(o.mesure.PolygoneAuto);
    EXPECT_EQ(o.mesure.NumFonction, 15);

    ClicMenuFonction(o, Controle::FonctionComptage2);
    EXPECT_TRUE(o.mesure.ModeComptage);
    EXPECT_FALSE(o.controles(Controle::BoutonComptage).actif);
    ClicMenuFonction(o, Controle::FonctionSegment);
    EXPECT_FALSE(o.mesure.ModeComptage);
}

TEST_F(FonctionsTest, TintavalEntry) {
    // From another function: the question is asked, then nothing changes.
    DeuxLignes();
    p.reponses = {true};
    ClicMenuFonction(o, Controle::FonctionTintaval);
    EXPECT_EQ(o.mesure.NumFonction, 2);
    EXPECT_EQ(o.mesure.LigneCourante, 2);
    EXPECT_EQ(p.Compte("question"), 1);

    Choisit(20);
    ClicMenuFonction(o, Controle::FonctionTintaval);
    EXPECT_FALSE(o.controles(Controle::MenuComptage).actif);
    EXPECT_FALSE(o.controles(Controle::MenuDensite).actif);
    EXPECT_FALSE(o.controles(Controle::Texte4).visible);
    EXPECT_EQ(o.mesure.NbSegments, 1);
    EXPECT_EQ(o.mesure.NomFonction, "tintaval");
    ClicMenuFonction(o, Controle::FonctionSpores3D);
    EXPECT_TRUE(o.controles(Controle::MenuComptage).actif);
    EXPECT_TRUE(o.controles(Controle::MenuDensite).actif);
}

TEST_F(FonctionsTest, PersoEntriesAndOtherMenus) {
    EXPECT_TRUE(ClicMenuFonction(o, Controle::Perso1));
    EXPECT_TRUE(ClicMenuFonction(o, Controle::Perso2));
    EXPECT_EQ(o.mesure.NumFonction, 2);
    EXPECT_FALSE(ClicMenuFonction(o, Controle::SauverTrame));
    EXPECT_EQ(p.Compte("question"), 0);
}

} // namespace
} // namespace orv
