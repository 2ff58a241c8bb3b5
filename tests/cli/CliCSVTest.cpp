// orvelle-cli on exports made by the core: "export" writes what the program's
// export writes after importing its input, "results" prints the results text,
// and refused inputs exit 2 with one line and write nothing.
#include "LanceCli.h"
#include "app/CommandesMesure.h"
#include "app/CommandesResultats.h"
#include "app/Fenetre.h"
#include "base/FichierTexte.h"
#include "measure/Grille.h"
#include "results/ExportCSV.h"
#include "results/ImportCSV.h"
#include "support/DossierEssai.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <memory>
#include <regex>

namespace orv {
namespace {

namespace fs = std::filesystem;
using test::Lignes;
using test::Lit;

class CliCSVTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(dossier / "travail");
        home = (dossier / "home").string();
    }

    test::ResultatCli Lance(const std::string& arguments) {
        return test::LanceCli(dossier, "--home '" + home + "' " + arguments);
    }
    std::string Travail(const std::string& nom) const {
        return (dossier / "travail" / nom).string();
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
    std::string Entree(int n) {
        auto o = Fenetre(n);
        o->mesure.GrilleRef.FixeTexte(1, 6, "hyalines; lisses");
        const std::string f = Travail("spores.csv");
        EXPECT_TRUE(EcritFichierExport(f, *o, {"01/01/2024", "08:00:00"}));
        return f;
    }

    test::DossierEssai dossier{"cli_csv"};
    std::string home;
    test::PlateformeFactice p;
};

TEST_F(CliCSVTest, ExportCommeLeProgramme) {
    const std::string entree = Entree(12), sortie = Travail("copie.csv");
    const auto r = Lance("export '" + entree + "' -o '" + sortie + "' --decimal-separator ,");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(r.erreurs + r.sortie, "");
    // --home creates its folder; settings are read there, never written.
    EXPECT_TRUE(fs::is_directory(home));
    EXPECT_FALSE(fs::exists(fs::path(home) / "Zelk.dat"));

    // The program's import of the same file, then its export; only the clock differs.
    auto o = Fenetre(0);
    ASSERT_TRUE(LitCSV(*o, entree));
    test::AttendMemeExport(sortie, LignesExport(*o, {"x", "y"}));
}

TEST_F(CliCSVTest, SortieParDefautTxtEtRemplacement) {
    const std::string entree = Entree(3);
    const std::string avant = Lit(entree);
    // Beside the input with the export extension: here the input itself.
    auto r = Lance("export '" + entree + "'");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(Lignes(r.erreurs), 1);
    EXPECT_EQ(Lit(entree), avant);

    r = Lance("export '" + entree + "' --txt");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    const std::string txt = Travail("spores.txt");
    // The statistics take the C locale's separator.
    auto lignes = LitLignesFichier(txt);
    ASSERT_TRUE(lignes);
    EXPECT_NE(
        std::find(lignes->begin(), lignes->end(), "médiane\t;10.5\t;5.75\t;1.83\t;181.8\t;\t;"),
        lignes->end());

    // An existing output is kept unless --force.
    std::ofstream(txt, std::ios::binary) << "garder";
    r = Lance("export '" + entree + "' --txt");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(Lit(txt), "garder");
    r = Lance("export '" + entree + "' --txt --force --comment 'lot 7'");
    ASSERT_EQ(r.code, 0);
    lignes = LitLignesFichier(txt);
    ASSERT_TRUE(lignes);
    EXPECT_EQ((*lignes)[7], "lot 7");

    // --force replaces a file, never a FIFO or a link (-o /dev/stdout is a
    // link); -o - writes to the standard output.
    const std::string fifo = Travail("tube.csv"), lien = Travail("lien.csv");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink(txt, lien);
    for (const std::string& cible : {fifo, lien}) {
        r = Lance("export '" + entree + "' -o '" + cible + "' --force");
        EXPECT_EQ(r.code, 1) << cible;
        EXPECT_EQ(Lignes(r.erreurs), 1);
        EXPECT_NE(r.erreurs.find("not a regular file"), std::string::npos);
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_symlink(lien));
    r = Lance("export '" + entree + "' --txt -o -");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_NE(DepuisCp1252(r.sortie).find("médiane\t;10.5"), std::string::npos);
}

TEST_F(CliCSVTest, ResultatsNotationEtDecimales) {
    const std::string entree = Entree(12);
    // D1,9 unless told otherwise, as the window starts.
    auto r = Lance("results '" + entree + "'");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(r.erreurs, "");
    EXPECT_EQ(r.sortie.find('\r'), std::string::npos);
    EXPECT_NE(r.sortie.find("\nLxl: N= 12 ;D1,9; ("), std::string::npos);

    // The settings' format, then --decimals over it.
    std::ofstream(fs::path(home) / "Zelk.dat") << "x\r\nFDECIMAL = ###0.0\r\n";
    r = Lance("--decimal-separator , results '" + entree + "' --notation 3");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_NE(r.sortie.find("\nLxl:N= 12 ; m ± sigma ; ("), std::string::npos);
    EXPECT_NE(r.sortie.find("\nMoy      \t11,3 "), std::string::npos) << r.sortie; // 135.5 / 12
    r = Lance("results '" + entree + "' --decimals 0");
    ASSERT_EQ(r.code, 0);
    EXPECT_NE(r.sortie.find("\nMoy      \t11       \t"), std::string::npos);
}

// The manual page tells what --help tells: every command and option, and the
// notation form used when none is given.
TEST_F(CliCSVTest, ManuelCommeLAide) {
    const auto aide = Lance("--help");
    ASSERT_EQ(aide.code, 0);
    const std::string manuel = Lit(fs::path(ORVELLE_DATA_DIR) / ".." / "docs" / "orvelle-cli.1");
    ASSERT_FALSE(manuel.empty());
    std::smatch m;
    const std::regex commande("\n  ([a-z]+) [A-Z]"), option("--([a-z][a-z-]+)");
    int commandes = 0;
    for (auto it = std::sregex_iterator(aide.sortie.begin(), aide.sortie.end(), commande);
         it != std::sregex_iterator(); ++it, ++commandes)
        EXPECT_NE(manuel.find(".BI " + (*it)[1].str() + " "), std::string::npos) << (*it)[1];
    EXPECT_EQ(commandes, 5); // export, results, colour, detect, graduations
    for (auto it = std::sregex_iterator(aide.sortie.begin(), aide.sortie.end(), option);
         it != std::sregex_iterator(); ++it) {
        std::string nom = (*it)[1].str();
        for (size_t k = 0; (k = nom.find('-', k)) != std::string::npos; k += 2) nom.insert(k, "\\");
        EXPECT_NE(manuel.find("\\-\\-" + nom), std::string::npos) << (*it)[1];
    }
    const std::regex defautAide("--notation N[^]*?default ([1-5])"),
        defautManuel("-notation \" N\"[^]*?Default ([1-5])");
    ASSERT_TRUE(std::regex_search(aide.sortie, m, defautAide));
    const std::string attendu = m[1];
    ASSERT_TRUE(std::regex_search(manuel, m, defautManuel));
    EXPECT_EQ(m[1].str(), attendu);
}

TEST_F(CliCSVTest, EntreesRefuseesSortieCodeDeux) {
    EXPECT_EQ(Lance("--version").sortie.rfind("orvelle-cli ", 0), 0u);
    const auto aide = Lance("--help");
    EXPECT_NE(aide.sortie.find("--home DIR"), std::string::npos);
    EXPECT_EQ(Lance("").sortie, aide.sortie); // no command: the help, not an error
    const std::string valide = Entree(2);
    const auto lignes = *LitLignesFichier(valide);
    auto sansListe = lignes, valeur = lignes;
    std::erase(sansListe, "LISTE=");
    for (auto& l : valeur)
        if (l.rfind("2; ", 0) == 0) l = "2; 1O,00; 5,00; ; ; 0; ; ";
    const std::string malforme = Travail("sans_liste.csv"), mauvais = Travail("valeur.csv"),
                      trame = Travail("travail.trm"), sortie = Travail("sortie.csv"),
                      absent = (dossier / "absent.csv").string();
    ASSERT_TRUE(EcritLignesFichier(malforme, sansListe));
    ASSERT_TRUE(EcritLignesFichier(mauvais, valeur));
    std::ofstream(trame) << "x";

    struct Cas {
        std::string commande, attendu; // attendu: part of the error line
    };
    const Cas cas[] = {
        {"export '" + malforme + "' -o '" + sortie + "'", "LISTE="},
        {"export '" + mauvais + "' -o '" + sortie + "'", "1O,00"},
        {"export '" + absent + "' -o '" + sortie + "'", ""},
        {"export '" + (dossier / "travail").string() + "' -o '" + sortie + "'", ""},
        {"export '" + trame + "' -o '" + sortie + "'", "TRAME="},
        {"results '" + malforme + "'", "LISTE="},
        {"results '" + mauvais + "'", "1O,00"},
        {"results '" + absent + "'", ""},
        {"results", ""},
        {"results '" + valide + "' -o '" + sortie + "'", ""},
        {"results '" + valide + "' --notation 6", ""},
        {"results '" + valide + "' --decimals 3", ""},
        {"export '" + valide + "' --lang ../x -o '" + sortie + "'", ""},
        {"export '" + valide + "' --frobnicate", ""},
        {"export '" + valide + "' extra", ""},
        {"frobnicate", "unknown command 'frobnicate'"},
        {"--home", ""},
    };
    for (const auto& c : cas) {
        const auto r = Lance(c.commande);
        EXPECT_EQ(r.code, 2) << c.commande;
        EXPECT_EQ(Lignes(r.erreurs), 1) << c.commande << ": " << r.erreurs;
        EXPECT_NE(r.erreurs.find(c.attendu), std::string::npos) << r.erreurs;
        EXPECT_EQ(r.sortie, "") << c.commande;
        EXPECT_FALSE(fs::exists(sortie)) << c.commande;
    }
    // Nothing was left beside the inputs either.
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier / "travail"), {}), 4);
}

} // namespace
} // namespace orv
