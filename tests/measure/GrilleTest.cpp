#include "measure/Grille.h"
#include "app/CommandesImages.h"
#include "app/CommandesResultats.h"
#include "app/Fenetre.h"
#include "measure/ScenarioPointage.h"

#include <random>
#include <vector>

namespace orv {
namespace {

using V = std::vector<std::string>;

class GrilleTest : public test::ScenarioPointage {
protected:
    GrilleTest() {
        o.images.IndexImage = 0;
        Choisit(2);
    }
    void Valeurs(std::initializer_list<double> v) {
        for (double x : v) AjouteValeur(o, x);
    }
    // A writer of the grid file that records the line under way when it was called.
    struct Ecrivain final : SauvegardeGrille {
        GrilleTest& t;
        bool reussit = true;
        explicit Ecrivain(GrilleTest& x) : t(x) {}
        std::string Chemin() const override { return CheminTrameSauvegarde(t.o); }
        bool Sauve(const std::string& chemin) override {
            t.sauvegardes.push_back({chemin, t.o.mesure.LigneCourante, t.o.mesure.Etape});
            return reussit;
        }
    };
    void Ecrit(double v) {
        SuitesMesure s;
        s.ajouts.push_back(orv::AjouteValeur(o.ui, o.mesure, o.parametres, &ecrivain,
                                             o.calibrage.CoefCalibrage, o.images.IndexImage, v));
        Suivre(o, s);
    }

    struct Sauvegarde {
        std::string chemin;
        int ligne, etape;
    };
    std::vector<Sauvegarde> sauvegardes;
    Ecrivain ecrivain{*this};
};

TEST_F(GrilleTest, Spore3DEndsAfterWidthOrThickness) {
    Choisit(3);
    Valeurs({12, 6}); // width
    EXPECT_EQ((V{C(1, 2), C(1, 3), C(1, 5)}), (V{"6,00", "", ""}));
    AjouteValeur(o, 12);
    o.mesure.Etape = 3; // the pointing marks the second segment as the thickness
    AjouteValeur(o, 4);
    EXPECT_EQ((V{C(2, 2), C(2, 3), C(2, 4)}), (V{"", "4,00", ""}));
    EXPECT_EQ(o.mesure.LigneCourante, 3);
    // Back-erase reopens the line at its second value, whichever it was.
    EffaceArriere(o);
    EXPECT_EQ(o.mesure.LigneCourante, 2);
    EXPECT_EQ(o.mesure.Etape, 2);
    EXPECT_EQ((V{C(2, 1), C(2, 3)}), (V{"12,00", ""}));
    AjouteValeur(o, 3);
    EXPECT_EQ(C(2, 4), "4,00");
}

// Q, V and L/e from the values as measured, whatever the display rounds, also
// when a back-erase reopens a line; checked against the plain formulas.
TEST_F(GrilleTest, DerivedColumnsComeFromTheValuesAsMeasured) {
    o.parametres.fDecimal = "###0.0";
    std::mt19937 gen(12);
    std::uniform_real_distribution<double> longueur(0.4, 30), rapport(1.0, 3.0);
    auto f = [](double v) { return FormatNombre(v, "###0.0", ','); };
    for (int fonction : {2, 3}) {
        Choisit(fonction);
        for (int ligne = 1; ligne <= 40; ++ligne) {
            SCOPED_TRACE(std::to_string(fonction) + " line " + std::to_string(ligne));
            const double L = longueur(gen), l = L / rapport(gen);
            Valeurs({L, ligne % 3 == 0 ? l + 1 : l});
            if (ligne % 3 == 0) { // the width pointed again
                EffaceArriere(o);
                AjouteValeur(o, l);
            }
            ASSERT_EQ(o.mesure.LigneCourante, ligne + 1);
            EXPECT_EQ(C(ligne, 1), f(L));
            if (fonction == 2)
                EXPECT_EQ((V{C(ligne, 3), C(ligne, 4)}), (V{f(L / l), f(3.14159 * L * l * l / 6)}));
            else
                EXPECT_EQ(C(ligne, 4), f(L / l));
        }
    }
    // The thickness of a 3D spore gives L/e alike.
    AjouteValeur(o, 1.04);
    o.mesure.Etape = 3;
    AjouteValeur(o, 0.46);
    EXPECT_EQ(C(41, 5), f(1.04 / 0.46));
}

TEST_F(GrilleTest, SelectingALineNamesItsPicture) {
    o.images.chargeur.ListIMGchar = {"/photos/asque.jpg", "/photos/spores 2.png"};
    for (int img : {2, 1}) {
        o.images.IndexImage = img;
        Valeurs({10, 5});
    }
    EXPECT_EQ((V{C(1, 0), C(1, 5)}), (V{"1", "2"}));
    SelectionneCellule(o, 1, 2);
    EXPECT_EQ(o.controles.Texte(Controle::BarreEtat), "image : spores 2.png");
    SelectionneCellule(o, 2, 1);
    EXPECT_EQ(o.controles.Texte(Controle::BarreEtat), "image : asque.jpg");
}

TEST_F(GrilleTest, ZeroValueAndZeroCoefficientAreWrittenButSignalled) {
    AjouteValeur(o, 0);
    EXPECT_EQ(p.Compte("bip"), 1);
    o.calibrage.CoefCalibrage = 0;
    AjouteValeur(o, 0);
    EXPECT_EQ(p.Textes("message"), V{"Attention. Coefficient de calibrage = 0 "});
    EXPECT_EQ((V{C(1, 1), C(1, 2), C(1, 3)}), (V{"0,00", "0,00", ""})); // no ratio on a zero width
    EXPECT_EQ(o.mesure.LigneCourante, 2);
    // A width too small for a ratio leaves Q empty but still gives V.
    o.calibrage.CoefCalibrage = 1;
    Valeurs({10, 0.01});
    EXPECT_EQ((V{C(2, 3), C(2, 4)}), (V{"", "0,0"}));
}

TEST_F(GrilleTest, BackErase) {
    EffaceArriere(o); // nothing to erase
    EXPECT_EQ(o.mesure.LigneCourante + o.mesure.Etape, 2);
    AjouteValeur(o, 7, SegmentTrace{1, 2, 3, 4});
    EffaceArriere(o); // the only value of line 1: the line goes
    EXPECT_EQ(C(1, 1), "");
    EXPECT_EQ(o.mesure.LigneCourante + o.mesure.Etape, 2);
    // After a completed line: the line reopens at its last value.
    o.images.IndexImage = 2;
    AjouteValeur(o, 10);
    EXPECT_FALSE(o.controles(Controle::StockN).actif); // a measure is under way
    AjouteValeur(o, 5);
    EXPECT_TRUE(o.controles(Controle::StockN).actif);
    EXPECT_EQ(o.mesure.ValeursMesure[1], 0);
    EffaceArriere(o);
    EXPECT_EQ(o.mesure.LigneCourante, 1);
    EXPECT_EQ(o.mesure.Etape, 2);
    EXPECT_EQ(C(1, 1), "10,00");
    for (int c = 2; c < 7; ++c) EXPECT_EQ(C(1, c), "") << c;
    EXPECT_FALSE(o.controles(Controle::StockN).actif);
    // Mid-line: the value and its marks go, the line before is untouched.
    AjouteValeur(o, 5);
    AjouteValeur(o, 8, SegmentTrace{5, 6, 7, 8});
    EffaceArriere(o);
    EXPECT_EQ(o.mesure.LigneCourante, 2);
    EXPECT_EQ(o.mesure.Etape, 1);
    EXPECT_EQ(C(2, 1), "");
    EXPECT_EQ(o.mesure.TraceLignes[2].image, 0);
    EXPECT_EQ(o.mesure.TraceLignes[2].segments[1].x2, 0);
    EXPECT_EQ(C(1, 3), "2,00");
}

TEST_F(GrilleTest, DeletingALineRenumbersAndMovesTheMarks) {
    Choisit(1);
    for (int i = 1; i <= 5; ++i) AjouteValeur(o, i, SegmentTrace{i * 100, 0, 0, 0});
    Efface_ligne(o, 3);
    EXPECT_EQ(o.mesure.LigneCourante, 5);
    EXPECT_EQ((V{C(3, 0), C(3, 1), C(4, 0), C(4, 1), C(5, 1)}), (V{"3", "4,00", "4", "5,00", ""}));
    for (int l : {3, 4, 5})
        EXPECT_EQ(o.mesure.TraceLignes[l].segments[1].x1, l < 5 ? 100 * (l + 1) : 0) << l;
    EXPECT_EQ(o.mesure.GrilleRef.Lignes(), o.parametres.tGrille + 1);
    // bout(15): the last line.
    orv::Clic(o, Controle::EffaceLigne);
    EXPECT_EQ(o.mesure.LigneCourante, 4);
    EXPECT_EQ((V{C(3, 1), C(4, 1)}), (V{"4,00", ""}));
}

TEST_F(GrilleTest, DeletingTheLineUnderWayRestartsItInPlace) {
    Valeurs({10, 5, 9});
    Efface_ligne(o, 0);
    EXPECT_EQ(o.mesure.LigneCourante, 2);
    EXPECT_EQ(o.mesure.Etape, 1);
    EXPECT_EQ((V{C(1, 1), C(2, 1)}), (V{"10,00", ""}));
    // A line under way below a deleted line moves up with its number.
    AjouteValeur(o, 11);
    Efface_ligne(o, 1);
    EXPECT_EQ(o.mesure.LigneCourante, 1);
    EXPECT_EQ(o.mesure.Etape, 2);
    EXPECT_EQ((V{C(1, 0), C(1, 1)}), (V{"1", "11,00"}));
    AjouteValeur(o, 2);
    EXPECT_EQ(C(1, 3), "5,50");
}

// The grid never passes its last line (tGrille, 255 at most): the value that
// finds it full saves the grid file and says where, or says it was not saved.
TEST_F(GrilleTest, FullGridIsSavedOrTheUserIsTold) {
    o.parametres.savAuto = 0;
    o.parametres.repData = "/donnees";
    for (int taille : {64, 255}) {
        SCOPED_TRACE(taille);
        o.parametres.tGrille = taille;
        Choisit(1);
        sauvegardes.clear();
        p.Oublie();
        ecrivain.reussit = true;
        for (int i = 0; i <= taille; ++i) Ecrit(i < taille ? 1.5 : 9);
        ASSERT_EQ(sauvegardes.size(), 1u);
        EXPECT_EQ(sauvegardes[0].chemin, "/donnees/TrameSav.trm");
        EXPECT_EQ(p.Textes("message"), V{" grille pleine- trame sauvée : /donnees/TrameSav.trm"});
        EXPECT_EQ(o.mesure.LigneCourante, taille + 1);
        EXPECT_EQ((V{C(taille, 1), C(taille + 1, 0)}), (V{"1,50", ""}));
        EXPECT_EQ(o.mesure.GrilleRef.Lignes(), taille + 1);
        // A writer that fails: the grid is full and was not saved.
        p.Oublie();
        ecrivain.reussit = false;
        Ecrit(9);
        const auto messages = p.Textes("message");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].rfind("grille pleine", 0), 0u);
        EXPECT_NE(messages[0].find("non sauvée"), std::string::npos);
        // Erasing the last line makes room again.
        EffaceArriere(o);
        Ecrit(3);
        EXPECT_EQ(C(taille, 1), "3,00");
    }
}

TEST_F(GrilleTest, AutomaticSaveOnTheFirstValueOfLines11And21) {
    o.parametres.savAuto = 10;
    for (int i = 0; i < 25 * 2; ++i) Ecrit(4);
    ASSERT_EQ(sauvegardes.size(), 2u);
    EXPECT_EQ(sauvegardes[0].ligne, 11);
    EXPECT_EQ(sauvegardes[1].ligne, 21);
    EXPECT_EQ(sauvegardes[0].etape, 1);
    EXPECT_EQ(C(11, 1), "4,00"); // the value is still written
    EXPECT_TRUE(p.Textes("message").empty());
    // A period of one saves before every new line.
    RAZ_Grille_total(o);
    sauvegardes.clear();
    o.parametres.savAuto = 1;
    for (int i = 0; i < 4 * 2; ++i) Ecrit(4);
    EXPECT_EQ(sauvegardes.size(), 3u);
}

TEST_F(GrilleTest, ClearingAsksFirst) {
    Valeurs({10});
    AjouteValeur(o, 5, SegmentTrace{9, 9, 9, 9});
    o.mesure.GrilleRef.FixeCouleurCellule(1, 1, 0x00FF00);
    p.reponses = {false, true};
    EXPECT_FALSE(EffaceGrille(o, false));
    EXPECT_EQ(C(1, 1), "10,00");
    EXPECT_EQ(p.Textes("question"), V{"effacer  la grille  ? "});
    orv::Clic(o, Controle::RazGrille);
    EXPECT_EQ((V{C(0, 1), C(1, 0), C(1, 1)}), (V{"Long.", "", ""})); // headers stay
    EXPECT_EQ(o.mesure.GrilleRef.CouleurCellule(1, 1), 0xC0FFC0u);
    EXPECT_EQ(o.mesure.LigneCourante, 1);
    EXPECT_EQ(o.mesure.TraceLignes[1].segments[2].x1, 0);
    // An empty grid is cleared without a question.
    EXPECT_TRUE(EffaceGrille(o, false));
    EXPECT_EQ(p.Compte("question"), 2);

    // "Raz tout" is the image commands', and asks for the grid and the image list.
    Valeurs({10, 5});
    o.images.chargeur.ListIMGchar = {"/photos/a.jpg"};
    p.Oublie();
    p.reponses = {false, true};
    orv::Clic(o, Controle::RazTout);
    EXPECT_EQ(C(1, 1), "10,00");
    EXPECT_EQ(o.images.chargeur.ListIMGchar.size(), 1u);
    orv::Clic(o, Controle::RazTout);
    EXPECT_EQ(C(1, 1), "");
    EXPECT_TRUE(o.images.chargeur.ListIMGchar.empty());
    EXPECT_EQ(p.Textes("question")[0], "effacer  la grille  &  la liste d'images  ? ");
}

TEST_F(GrilleTest, MirrorFollowsTheLastLines) {
    Choisit(1);
    Valeurs({1, 2, 3, 4, 5});
    const auto miroir = [this] {
        return V{o.mesure.MGrille.Texte(0, 1), o.mesure.MGrille.Texte(1, 1),
                 o.mesure.MGrille.Texte(3, 1)};
    };
    EXPECT_EQ(miroir(), (V{"Longueur", "3,00", "5,00"}));
    RafraichitMGrille(o.mesure, 2);
    EXPECT_EQ(miroir(), (V{"Longueur", "1,00", "3,00"}));
    Efface_ligne(o, 0);
    EXPECT_EQ(miroir(), (V{"Longueur", "2,00", "4,00"}));
}

// The statistics, the order statistics too, follow every change of the grid
// while they are shown, and only then.
TEST_F(GrilleTest, StatisticsFollowTheGridWhenShown) {
    o.controles.Visible(Controle::CadreMesure, false);
    const auto moyenne = [this](int c) { return o.resultats.GrilleRefP.Texte(1, c); };
    const auto nombre = [this] { return o.resultats.GrilleRefP.Texte(8, 1); };
    AjouteValeur(o, 10);
    EXPECT_EQ(moyenne(1), "");
    MontreStatistiques(o, true);
    Valeurs({5, 12, 6});
    EXPECT_EQ((V{moyenne(2), nombre()}), (V{"5,50", "2"}));
    Efface_ligne(o, 1);
    EXPECT_EQ((V{moyenne(2), nombre()}), (V{"6,00", "1"}));
    EffaceArriere(o); // the one line left reopened
    EXPECT_EQ((V{moyenne(2), nombre()}), (V{"0,00", "0"}));
    EXPECT_TRUE(o.controles(Controle::CadreMesure).visible);
}

TEST_F(GrilleTest, CommentEditorStoresOneLineInTheCommentColumn) {
    auto& ed = o.mesure.commentaire;
    const auto texte = [this](Controle c) { return o.controles.Texte(c); };
    // The frame's buttons as the window presses them: they answer the editor
    // that opened the frame.
    auto clic = [&](Controle c) { orv::Clic(o, c); };
    EXPECT_FALSE(OuvreCommentaire(o.ui, o.mesure, 1)); // no complete line yet
    for (int img : {1, 4, 2}) {
        o.images.IndexImage = img;
        Valeurs({10, 5});
    }
    AjouteValeur(o, 7); // line 4 under way: not reachable by the editor
    ASSERT_TRUE(OuvreCommentaire(o.ui, o.mesure, 2));
    EXPECT_TRUE(o.controles(Controle::CadreCommentaire).visible);
    EXPECT_EQ((V{texte(Controle::CadreCommentaire), texte(Controle::NumeroCommentaire)}),
              (V{"--- img 4 :", "2"}));
    NumeroCommentaireSaisi(o.ui, o.mesure, "0");
    EXPECT_EQ(texte(Controle::NumeroCommentaire), "1");
    NumeroCommentaireSaisi(o.ui, o.mesure, "abc");
    EXPECT_EQ(ed.Ligne(), 1);
    ChargeCommentaire(o.ui, o.mesure, 9);
    EXPECT_EQ(ed.Ligne(), 3);
    EXPECT_EQ(texte(Controle::CadreCommentaire), "--- img 2 :");
    o.controles.Texte(Controle::TexteCommentaire, "bord\r\nlisse\nhyalin");
    clic(Controle::CommentaireValider);
    EXPECT_EQ(C(3, 6), "bord lisse hyalin");
    EXPECT_FALSE(o.controles(Controle::CadreCommentaire).visible);
    EXPECT_EQ(o.cadres.commentaire, ProprietaireCadre::Aucun); // closed: no one's any more
    // Cancel keeps the stored comment; "Raz" then "Valider" empties it.
    OuvreCommentaire(o.ui, o.mesure, 3);
    EXPECT_EQ(texte(Controle::TexteCommentaire), "bord lisse hyalin");
    o.controles.Texte(Controle::TexteCommentaire, "autre");
    clic(Controle::CommentaireAnnuler);
    EXPECT_EQ(C(3, 6), "bord lisse hyalin");
    OuvreCommentaire(o.ui, o.mesure, 3);
    clic(Controle::CommentaireRaz);
    clic(Controle::CommentaireValider);
    EXPECT_EQ(C(3, 6), "");
    EXPECT_EQ(C(4, 1), "7,00");
}

} // namespace
} // namespace orv
