#include "interface/TablesTextes.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

int NonVides(const TablesTextes& t, Table table) {
    int n = 0;
    for (int i = 0; i <= TablesTextes::IndexMax(table); ++i)
        if (!t.Lit(table, i).empty()) ++n;
    return n;
}

class TextesFrancais : public ::testing::Test {
protected:
    void SetUp() override { t.RemplitMessages(); }
    TablesTextes t;
};

TEST_F(TextesFrancais, BlancsEtEtoilesGardes) {
    EXPECT_EQ(t.Msg(1), " à propos ...");
    EXPECT_EQ(t.Msg(8), " Ctrl  : déplacer image");
    EXPECT_EQ(t.Msg(70), "Déplacer le carré sur la  zone à mesurer et cliquer à gauche***");
    EXPECT_EQ(t.Msg(69),
              " 1° marquer la surface . 2° clic Gauche = compter ; Clic droit = valider***");
    EXPECT_EQ(t.Msg(101), "alerte ");
    EXPECT_EQ(t.Msg(157), "Problème de chargement du fichier image  ");
    EXPECT_EQ(t.Msg(175), "existe *** ");
    EXPECT_EQ(t.Msg(185), "  La table actuelle contient des données");
    EXPECT_EQ(t.Msg(230), " Fichier de référence ''");
    EXPECT_EQ(t.Msg(231), "'' invalide");
    EXPECT_EQ(t.Mnu(19), "Presser'Alt + G ' pour déplacer la grille ");
    EXPECT_EQ(t.Mnu(102), "Ecran ***");
    EXPECT_EQ(t.Mnu(87), "Segments ***");
    EXPECT_EQ(t.Mstat(10), "   classes de largeur  ");
    EXPECT_EQ(t.Mstat(43), " Puissance du test : ");
    EXPECT_EQ(t.MnuStat(14), "comp.  m, s  / nb");
    EXPECT_EQ(t.MnuStat(47), "**Risque alpha %");
    EXPECT_EQ(t.Tintaval(7), "Calibré");
    EXPECT_EQ(t.Tintaval(36), "données corrigées");
}

TEST_F(TextesFrancais, FiltreDesImagesVerbatim) {
    EXPECT_EQ(t.Msg(128),
              "Fichiers images(*.bmp;*.jpg;*.gif;*.ico;*.dib;*.wmf)|*.bmp;*.jpg;*.gif;*.ico;"
              "*.dib;*.wmf,*.tif|Bitmap (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg|GIF (*.gif)|*.gif|"
              "Icon (*.ico)|*.ico|DIB (*.dib)|*.dib|Windows Meta File (*.wmf)|*.wmf");
    EXPECT_EQ(t.Msg(159), "Tous les fichiers (*.*)|*.*");
}

TEST_F(TextesFrancais, DescripteursDesFonctionsComposes) {
    EXPECT_EQ(t.Msg(141), "mesure Cystide 3 $6$Long.$L.base$L.col$img $comment$");
    EXPECT_EQ(t.Msg(142), "mesure Cystide 4 $7$Long.$L.base$L.col$L+$img $comment$");
    EXPECT_EQ(t.Msg(143), "mesure Cystide 5$8$Long.$L.base$L.col$L+$L++$img $comment$");
    EXPECT_EQ(t.Msg(146), "mesure Segment$4$Longueur$img $comment$");
    EXPECT_EQ(t.Msg(147), "mesure Spore 2D$7$Long.$Larg.$Q$V$img$comment$");
    EXPECT_EQ(t.Msg(148), "mesure Spore 3D$8$long.$larg.$épais.$Q$L$img$comment$");
    // Built from what 56-61 hold at fill time, not after.
    t.Fixe(Table::MSG, 56, "misura Segmento");
    EXPECT_EQ(t.Msg(146), "mesure Segment$4$Longueur$img $comment$");
}

TEST_F(TextesFrancais, EntreesNonListeesVides) {
    for (int i : {0, 12, 19, 53, 134, 234, 255}) EXPECT_EQ(t.Msg(i), "") << i;
    for (int i : {0, 1, 104, 255}) EXPECT_EQ(t.Mnu(i), "") << i;
    EXPECT_EQ(t.Mstat(0), "");
    EXPECT_EQ(t.MnuStat(0), "");
    EXPECT_EQ(t.MnuStat(120), "");
    EXPECT_EQ(t.Tintaval(0), "");
    // Entry counts of the built-in lists, so that no entry is lost on the way.
    EXPECT_EQ(NonVides(t, Table::MSG), 160);
    EXPECT_EQ(NonVides(t, Table::MNU), 105);
    EXPECT_EQ(NonVides(t, Table::MSTAT), 37);
    EXPECT_EQ(NonVides(t, Table::MNUSTAT), 60);
    EXPECT_EQ(NonVides(t, Table::TINTAVAL), 28);
}

TEST(TablesTextes, Bornes) {
    TablesTextes t;
    EXPECT_EQ(TablesTextes::IndexMax(Table::MSG), 255);
    EXPECT_EQ(TablesTextes::IndexMax(Table::MNUSTAT), 120);
    EXPECT_TRUE(t.Fixe(Table::MSG, 255, "dernier"));
    EXPECT_TRUE(t.Fixe(Table::TINTAVAL, 0, "premier"));
    EXPECT_TRUE(t.Fixe(Table::MNUSTAT, 120, "dernier"));
    EXPECT_FALSE(t.Fixe(Table::MSG, 256, "x"));
    EXPECT_FALSE(t.Fixe(Table::MNUSTAT, 121, "x"));
    EXPECT_FALSE(t.Fixe(Table::MNU, -1, "x"));
    EXPECT_EQ(t.Msg(255), "dernier");
    EXPECT_EQ(t.Tintaval(0), "premier");
    EXPECT_EQ(t.MnuStat(120), "dernier");
    EXPECT_EQ(t.MnuStat(121), "");
    EXPECT_EQ(t.Msg(-1), "");
    EXPECT_EQ(t.Msg(256), "");
}

} // namespace
} // namespace orv
