#include "app/MenuOptions.h"
#include "app/ControlesDesign.h"
#include "app/Orvelle.h"
#include "app/SessionParametres.h"
#include "base/FichierTexte.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace orv {
namespace {

namespace fs = std::filesystem;

class MenuOptions : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dossier = fs::temp_directory_path() /
                  ("orvelle_options_" + std::string(info->name()) + "_" + std::to_string(getpid()));
        fs::remove_all(dossier);
        fs::create_directories(dossier);
        o = std::make_unique<Orvelle>(p, dossier.string());
        DeclareControles(o->controles);
        o->textes.RemplitMessages();
        for (int i = 2; i <= 6; ++i) o->controles.Actif("F_Img", i, false);
        o->controles.Coche("MnuOpt", 18, true);
        o->GrilleRef.FixeLignes(o->parametres.tGrille + 1);
        o->GrilleRef.FixeColonnes(4);
    }
    void TearDown() override { fs::remove_all(dossier); }

    bool Clic(const std::string& famille, int i) { return ClicMenuOptions(*o, famille, i); }
    std::vector<int> Coches(const std::string& nom) const {
        std::vector<int> v;
        for (int i : o->controles.Indexes(nom))
            if (o->controles(nom, i).coche) v.push_back(i);
        return v;
    }

    test::PlateformeFactice p;
    fs::path dossier;
    std::unique_ptr<Orvelle> o;
};

TEST_F(MenuOptions, ChaqueSousMenuNeCocheQueLEntreeCliquee) {
    const std::vector<std::pair<std::string, int>> clics{
        {"Fdemarrage", 20}, {"mnFormat", 1}, {"TgrilleMax", 0}, {"Pclic", 4},
        {"Mndecim", 2},     {"MnLang", 1},   {"statdef", 1},    {"MNSav", 0},
        {"NoTexp", 5},      {"F_Img", 1},    {"Lrg", 6}};
    for (const auto& [famille, i] : clics) {
        for (int j : o->controles.Indexes(famille)) o->controles.Coche(famille, j, true);
        EXPECT_TRUE(Clic(famille, i)) << famille;
        EXPECT_EQ(Coches(famille), std::vector<int>{i}) << famille;
    }
    EXPECT_EQ(o->parametres.fonctionDemarrage, 20);
    EXPECT_EQ(o->extensionExport, "txt");
    EXPECT_EQ(o->parametres.tGrille, 64);
    EXPECT_EQ(o->parametres.clicDixiemes, 40);
    EXPECT_EQ(o->parametres.fDecimal, "###0.0");
    EXPECT_EQ(o->parametres.langue, "fr");
    EXPECT_EQ(o->parametres.statDef, 1);
    EXPECT_EQ(o->parametres.savAuto, 0);
    EXPECT_EQ(o->NotationEclair, 5);
    EXPECT_EQ(o->parametres.extImg, 1);
    EXPECT_EQ(o->parametres.zoneCouleur, 6);
    // The Options menu never writes the settings file.
    EXPECT_FALSE(FichierExiste(CheminParametres(*o)));
}

TEST_F(MenuOptions, ValeursDesEntrees) {
    Clic("Fdemarrage", 0);
    EXPECT_EQ(o->parametres.fonctionDemarrage, 1);
    Clic("Fdemarrage", 5);
    EXPECT_EQ(o->parametres.fonctionDemarrage, 6);
    Clic("mnFormat", 0);
    EXPECT_EQ(o->extensionExport, "csv");
    Clic("MNSav", 2);
    EXPECT_EQ(o->parametres.savAuto, 20);
    Clic("MnLang", 5);
    EXPECT_EQ(o->parametres.langue, "en");
}

TEST_F(MenuOptions, TailleGrille) {
    Clic("TgrilleMax", 1);
    EXPECT_EQ(o->parametres.tGrille, 128);
    EXPECT_EQ(o->GrilleRef.Lignes(), 129);
    Clic("TgrilleMax", 2);
    EXPECT_EQ(o->parametres.tGrille, 256);
    EXPECT_EQ(o->GrilleRef.Lignes(), 257);

    // Exactly 64 lines fit in the smallest grid.
    o->mesure.LigneCourante = 65;
    Clic("TgrilleMax", 0);
    EXPECT_EQ(o->GrilleRef.Lignes(), 65);
    EXPECT_TRUE(p.appels.empty());
}

TEST_F(MenuOptions, TailleGrilleQuiPerdraitDesLignesRefusee) {
    o->GrilleRef.FixeTexte(100, 1, "12,5");
    o->mesure.LigneCourante = 101;
    EXPECT_TRUE(Clic("TgrilleMax", 0));
    ASSERT_EQ(p.Textes("message"),
              std::vector<std::string>{"  La table actuelle contient des données"});
    EXPECT_EQ(o->parametres.tGrille, 256);
    EXPECT_EQ(o->GrilleRef.Lignes(), 257);
    EXPECT_EQ(o->GrilleRef.Texte(100, 1), "12,5");

    // A line under way counts too.
    o->mesure.LigneCourante = 65;
    o->mesure.Etape = 2;
    EXPECT_FALSE(ClicTailleGrille(*o, 0));
    EXPECT_EQ(o->parametres.tGrille, 256);
    EXPECT_TRUE(ClicTailleGrille(*o, 1));
    EXPECT_EQ(o->parametres.tGrille, 128);
}

TEST_F(MenuOptions, Decimales) {
    Clic("Mndecim", 0);
    EXPECT_TRUE(o->parametres.decimAuto);
    EXPECT_EQ(o->parametres.fDecimal, "###0.00");
    // A fixed format is a choice of its own: the automatic one ends.
    Clic("Mndecim", 1);
    EXPECT_FALSE(o->parametres.decimAuto);
    EXPECT_EQ(o->parametres.fDecimal, "###0");
    Clic("Mndecim", 3);
    EXPECT_EQ(o->parametres.fDecimal, "###0.00");
}

TEST_F(MenuOptions, LangueAppliqueeAChaqueClic) {
    // Even French re-captions the entries that come from the tables.
    EXPECT_EQ(o->controles.Texte("statdef", 1), "Nuage pts");
    Clic("MnLang", 1);
    EXPECT_EQ(o->controles.Texte("statdef", 1), "Nuages Pts***");
}

TEST_F(MenuOptions, MachineRapide) {
    o->controles.Coche("Check", 2, true);
    o->controles.Coche("Check", 3, true);
    SelectionneModePointage(*o, 2);

    EXPECT_TRUE(Clic("MnuOpt", 18));
    EXPECT_FALSE(o->controles("MnuOpt", 18).coche);
    EXPECT_FALSE(o->machineRapide);
    EXPECT_FALSE(o->controles("Optn", 5).actif);
    EXPECT_FALSE(o->controles("Optn", 5).coche);
    EXPECT_TRUE(o->controles("Optn", 6).coche);
    EXPECT_EQ(o->parametres.modePointage, 1);
    EXPECT_FALSE(o->controles("Check", 2).coche);
    EXPECT_FALSE(o->controles("Check", 3).coche);

    EXPECT_TRUE(Clic("MnuOpt", 18));
    EXPECT_TRUE(o->controles("MnuOpt", 18).coche);
    EXPECT_TRUE(o->machineRapide);
    EXPECT_TRUE(o->controles("Optn", 5).actif);
    // Turning it back on chooses nothing for the user.
    EXPECT_TRUE(o->controles("Optn", 6).coche);
    EXPECT_EQ(o->parametres.modePointage, 1);
}

TEST_F(MenuOptions, ImageParDefautNonImplantee) {
    const Parametres avant = o->parametres;
    p.reponses = {false, true};
    EXPECT_TRUE(Clic("MnuOpt", 15));
    EXPECT_EQ(p.Compte("message"), 0);
    EXPECT_TRUE(Clic("MnuOpt", 15));
    ASSERT_EQ(p.appels.size(), 3u);
    for (int i : {0, 1}) {
        EXPECT_EQ(p.appels[i].genre, "question");
        EXPECT_EQ(p.appels[i].texte, "image actuelle comme image par défaut ? ");
        EXPECT_EQ(p.appels[i].titre, "** non implanté **!");
    }
    EXPECT_EQ(p.Textes("message"), std::vector<std::string>{"** non implanté **!"});
    EXPECT_EQ(o->parametres.repImage, avant.repImage);
}

TEST_F(MenuOptions, EntreesRefusees) {
    Clic("F_Img", 1);
    // A disabled format cannot be chosen.
    EXPECT_FALSE(Clic("F_Img", 3));
    EXPECT_EQ(o->parametres.extImg, 1);
    EXPECT_EQ(Coches("F_Img"), std::vector<int>{1});
    EXPECT_FALSE(ClicZoneCouleur(*o, 7));
    EXPECT_EQ(o->parametres.zoneCouleur, 3);
    // Items that are not entries of these submenus, or have nothing to do.
    EXPECT_FALSE(Clic("F_Img", 9));
    EXPECT_FALSE(Clic("MnuOpt", 1));
    EXPECT_FALSE(Clic("MnuOpt", 99));
    EXPECT_FALSE(Clic("Pclic", 0));
    EXPECT_FALSE(Clic("MnuFIC", 8));
    EXPECT_EQ(o->parametres.clicDixiemes, 30);
}

} // namespace
} // namespace orv
