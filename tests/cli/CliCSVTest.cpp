// orvelle-cli on exports made by the core: "export" writes what the program's
// export writes after importing its input, "results" prints the results text,
// and refused inputs exit 2 with one line and write nothing.
#include "LanceCli.h"
#include "app/CommandesMesure.h"
#include "app/CommandesResultats.h"
#include "app/Fenetre.h"
#include "base/Cp1252.h"
#include "base/FichierTexte.h"
#include "base/Texte.h"
#include "interface/TableControles.h"
#include "measure/Fonctions.h"
#include "measure/Grille.h"
#include "results/ExportCSV.h"
#include "results/ImportCSV.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

namespace orv {
namespace {

namespace fs = std::filesystem;
using test::Lignes;
using test::Lit;

class CliCSVTest : public ::testing::Test {
protected:
    void SetUp() override {
        dossier = fs::temp_directory_path() / ("orvelle_cli_csv_" + std::to_string(::getpid()));
        fs::remove_all(dossier);
        fs::create_directories(dossier / "home");
        fs::create_directories(dossier / "travail");
        home = (dossier / "home").string();
    }
    void TearDown() override { fs::remove_all(dossier); }

    test::ResultatCli Lance(const std::string& arguments) {
        return test::LanceCli(dossier, arguments);
    }

    // A started window with `n` spores 2D measured.
    std::unique_ptr<Orvelle> Fenetre(int n) {
        auto o = std::make_unique<Orvelle>(p, (dossier / "fenetre").string());
        fs::create_directories(dossier / "fenetre");
        Demarrage(*o);
        Activation(*o);
        for (int i = 0; i < n; ++i) {
            AjouteValeur(*o, 9.0 + (i * 7 % 11) * 0.5);
            AjouteValeur(*o, 5.0 + (i * 5 % 7) * 0.25);
        }
        return o;
    }
    std::string Entree(int n, const std::string& nom = "spores.csv") {
        auto o = Fenetre(n);
        o->mesure.GrilleRef.FixeTexte(1, 6, "hyalines; lisses");
        const std::string f = (dossier / "travail" / nom).string();
        EXPECT_TRUE(EcritFichierExport(f, *o, {"01/01/2024", "08:00:00"}));
        return f;
    }

    fs::path dossier;
    std::string home;
    test::PlateformeFactice p;
};

TEST_F(CliCSVTest, ExportCommeLeProgramme) {
    const std::string entree = Entree(12);
    const std::string sortie = (dossier / "travail" / "copie.csv").string();
    const auto r = Lance("export '" + entree + "' -o '" + sortie + "' --home '" + home +
                         "' --decimal-separator ,");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(r.erreurs, "");
    EXPECT_EQ(r.sortie, "");

    // The program's import of the same file, then its export.
    auto o = Fenetre(0);
    ASSERT_TRUE(LitCSV(*o, entree));
    const auto attendues = LignesExport(*o, {"x", "y"});
    const auto lignes = DecoupeLignes(DepuisCp1252(Lit(sortie)));
    ASSERT_EQ(lignes.size(), attendues.size());
    for (size_t i = 1; i < lignes.size(); ++i) EXPECT_EQ(lignes[i], attendues[i]) << i;
    EXPECT_EQ(lignes[5], "CSV importé : spores.csv");
    // Settings are read, never written.
    EXPECT_FALSE(fs::exists(fs::path(home) / "Zelk.dat"));
}

TEST_F(CliCSVTest, SortieParDefautTxtEtRemplacement) {
    const std::string entree = Entree(3);
    const std::string avant = Lit(entree);
    // Beside the input with the export extension: here the input itself.
    auto r = Lance("--home '" + home + "' export '" + entree + "'");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(Lignes(r.erreurs), 1);
    EXPECT_NE(r.erreurs.find("input itself"), std::string::npos);
    EXPECT_EQ(Lit(entree), avant);

    r = Lance("export '" + entree + "' --txt --home '" + home + "'");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    const fs::path txt = dossier / "travail" / "spores.txt";
    const auto lignes = LitLignesFichier(txt.string());
    ASSERT_TRUE(lignes);
    // Cells are copied as shown; the statistics take the C locale's separator.
    EXPECT_NE(std::find(lignes->begin(), lignes->end(),
                        "1\t;9,00\t;5,00\t;1,80\t;117,8\t;0\t;hyalines; lisses\t;"),
              lignes->end());
    EXPECT_NE(
        std::find(lignes->begin(), lignes->end(), "médiane\t;10.5\t;5.75\t;1.83\t;181.8\t;\t;"),
        lignes->end());

    // An existing output is kept unless --force.
    { std::ofstream(txt, std::ios::binary) << "garder"; }
    r = Lance("export '" + entree + "' --txt --home '" + home + "'");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(Lignes(r.erreurs), 1);
    EXPECT_EQ(Lit(txt), "garder");
    r = Lance("export '" + entree + "' --txt --force --home '" + home + "' --comment 'lot 7'");
    ASSERT_EQ(r.code, 0);
    const auto remplace = LitLignesFichier(txt.string());
    ASSERT_TRUE(remplace);
    EXPECT_EQ((*remplace)[7], "lot 7");
}

TEST_F(CliCSVTest, ResultatsNotationEtDecimales) {
    const std::string entree = Entree(12);
    // D1,9 unless told otherwise, as the window starts.
    auto r = Lance("results '" + entree + "' --home '" + home + "'");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(r.erreurs, "");
    EXPECT_EQ(r.sortie.find('\r'), std::string::npos);
    EXPECT_NE(r.sortie.find("\nLxl: N= 12 ;D1,9; ("), std::string::npos);
    EXPECT_NE(r.sortie.find("\nMoy      \t11."), std::string::npos);

    // The settings' format, then --decimals over it.
    { std::ofstream(fs::path(home) / "Zelk.dat") << "x\r\nFDECIMAL = ###0.0\r\n"; }
    r = Lance("--decimal-separator , --home '" + home + "' results '" + entree + "' --notation 3");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_NE(r.sortie.find("\nLxl:N= 12 ; m ± sigma ; ("), std::string::npos);
    const auto moy = r.sortie.find("\nMoy      \t");
    ASSERT_NE(moy, std::string::npos);
    const std::string cellule =
        Trim(r.sortie.substr(moy + 11, r.sortie.find('\t', moy + 11) - moy - 11));
    EXPECT_EQ(cellule.size() - cellule.find(','), 2u) << cellule; // one decimal
    r = Lance("--home '" + home + "' results '" + entree + "' --decimals 0");
    ASSERT_EQ(r.code, 0);
    EXPECT_NE(r.sortie.find("\nMoy      \t11       \t"), std::string::npos);
}

TEST_F(CliCSVTest, EntreesRefuseesSortieCodeDeux) {
    const std::string valide = Entree(2);
    auto lignes = *LitLignesFichier(valide);
    std::vector<std::string> sansListe;
    for (const auto& l : lignes)
        if (l != "LISTE=") sansListe.push_back(l);
    const std::string malforme = (dossier / "travail" / "sans_liste.csv").string();
    ASSERT_TRUE(EcritLignesFichier(malforme, sansListe));
    auto valeur = lignes;
    for (auto& l : valeur)
        if (l.rfind("2; ", 0) == 0) l = "2; 1O,00; 5,00; ; ; 0; ; ";
    const std::string mauvais = (dossier / "travail" / "valeur.csv").string();
    ASSERT_TRUE(EcritLignesFichier(mauvais, valeur));
    const std::string trame = (dossier / "travail" / "travail.trm").string();
    { std::ofstream(trame) << "x"; }
    const std::string sortie = (dossier / "travail" / "sortie.csv").string();

    const std::string cas[] = {
        "export '" + malforme + "' -o '" + sortie + "'",
        "export '" + mauvais + "' -o '" + sortie + "'",
        "export '" + (dossier / "absent.csv").string() + "' -o '" + sortie + "'",
        "export '" + (dossier / "travail").string() + "' -o '" + sortie + "'",
        "export '" + trame + "' -o '" + sortie + "'",
        "results '" + malforme + "'",
        "results '" + mauvais + "'",
        "results '" + (dossier / "absent.csv").string() + "'",
        "results",
        "results '" + valide + "' -o '" + sortie + "'",
        "results '" + valide + "' --notation 6",
        "results '" + valide + "' --decimals 3",
        "export '" + valide + "' --lang ../x -o '" + sortie + "'",
        "export '" + valide + "' --frobnicate",
        "export '" + valide + "' extra",
    };
    for (const auto& c : cas) {
        const auto r = Lance("--home '" + home + "' " + c);
        EXPECT_EQ(r.code, 2) << c;
        EXPECT_EQ(Lignes(r.erreurs), 1) << c << ": " << r.erreurs;
        EXPECT_EQ(r.sortie, "") << c;
        EXPECT_FALSE(fs::exists(sortie)) << c;
    }
    EXPECT_NE(Lance("--home '" + home + "' results '" + malforme + "'").erreurs.find("LISTE="),
              std::string::npos);
    EXPECT_NE(Lance("--home '" + home + "' results '" + mauvais + "'").erreurs.find("1O,00"),
              std::string::npos);
    EXPECT_NE(Lance("--home '" + home + "' results '" + trame + "'").erreurs.find("TRAME="),
              std::string::npos);
    // Nothing was left beside the inputs either.
    int fichiers = 0;
    for (const auto& e : fs::directory_iterator(dossier / "travail"))
        fichiers += e.is_regular_file();
    EXPECT_EQ(fichiers, 4);
}

} // namespace
} // namespace orv
