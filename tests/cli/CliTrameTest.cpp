// orvelle-cli on grid files saved by the program: "export" writes what the
// program's export writes after loading the file, "results" prints its results
// text, a missing picture is a warning, and a malformed file exits 2 with one
// line and writes nothing.
#include "app/SessionTrame.h"

#include "base/Cp1252.h"
#include "base/FichierTexte.h"
#include "results/ExportCSV.h"
#include "results/TexteResultats.h"

#include <cstdlib>
#include <sstream>
#include <sys/wait.h>

namespace orv::test {
namespace {

std::string Lit(const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

int Lignes(const std::string& t) {
    return static_cast<int>(std::count(t.begin(), t.end(), '\n'));
}

class CliTrameTest : public SessionTrame {
protected:
    struct Resultat {
        int code = -1;
        std::string sortie, erreurs;
    };

    void SetUp() override {
        SessionTrame::SetUp();
        fs::create_directories(dossier / "home");
        home = (dossier / "home").string();
    }

    Resultat Lance(const std::string& arguments) {
        const fs::path out = dossier / "stdout", err = dossier / "stderr";
        const std::string commande = "LC_ALL=C '" + std::string(ORVELLE_CLI) + "' --home '" + home +
                                     "' --decimal-separator , " + arguments + " >'" + out.string() +
                                     "' 2>'" + err.string() + "'";
        const int statut = std::system(commande.c_str());
        return {WIFEXITED(statut) ? WEXITSTATUS(statut) : -1, Lit(out), Lit(err)};
    }

    // Spores 2D on three pictures, saved by the program.
    std::string Travail(bool indPres = false) {
        auto x = Session();
        x->parametres.indPres = indPres;
        std::mt19937 g(21);
        TroisImages(*x, g);
        Choisit(*x, 2);
        MesureGrille(*x, g, 14);
        x->GrilleRef.FixeTexte(1, x->GrilleRef.Colonnes() - 1, "hyalines; lisses é");
        const std::string f = Fichier("travail.trm");
        EXPECT_TRUE(SauveTrame(*x, f));
        return f;
    }
    // The program loading the same file.
    std::unique_ptr<Orvelle> Programme(const std::string& f, bool indPres = false) {
        auto y = Session();
        y->parametres.indPres = indPres;
        y->NotationEclair = 3;
        EXPECT_EQ(ChargeTrame(*y, f), ResultatChargement::Charge);
        return y;
    }

    std::string home;
};

TEST_F(CliTrameTest, ExportAndResultsAsTheProgramGivesThem) {
    const std::string f = Travail();
    const std::string sortie = Fichier("copie.csv");
    auto r = Lance("export '" + f + "' -o '" + sortie + "'");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(r.erreurs, "");
    EXPECT_EQ(r.sortie, "");

    auto y = Programme(f);
    const auto attendues = LignesExport(*y, {"x", "y"});
    const std::string octets = Lit(sortie);
    const auto lignes = DecoupeLignes(DepuisCp1252(octets));
    ASSERT_EQ(lignes.size(), attendues.size());
    for (size_t i = 1; i < lignes.size(); ++i) EXPECT_EQ(lignes[i], attendues[i]) << i;
    EXPECT_NE(octets.find("; hyalines; lisses \xE9; \r\n"), std::string::npos);

    // Default output: beside the input.
    r = Lance("export '" + f + "'");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_TRUE(fs::exists(Fichier("travail.csv")));

    r = Lance("results '" + f + "'");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    std::string texte;
    for (const auto& l : DecoupeLignes(ConstruitTexteResultats(*y))) texte += l + "\n";
    EXPECT_EQ(r.sortie, texte);
}

TEST_F(CliTrameTest, MissingPictureIsAWarningAndTheValuesStay) {
    const std::string f = Travail();
    auto y = Programme(f);
    const auto attendues = LignesExport(*y, {"x", "y"});
    fs::remove(Photo("b.jpg"));
    const std::string sortie = Fichier("sans_b.csv");
    const auto r = Lance("export '" + f + "' -o '" + sortie + "'");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(Lignes(r.erreurs), 1);
    EXPECT_NE(r.erreurs.find(Photo("b.jpg") + " non trouv"), std::string::npos) << r.erreurs;
    const auto lignes = DecoupeLignes(DepuisCp1252(Lit(sortie)));
    ASSERT_EQ(lignes.size(), attendues.size());
    for (size_t i = 1; i < lignes.size(); ++i) EXPECT_EQ(lignes[i], attendues[i]) << i;
}

TEST_F(CliTrameTest, TheFilesResolutionModeIsTaken) {
    const std::string f = Travail(true);
    auto y = Programme(f, true);
    const auto r = Lance("results '" + f + "'");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(r.erreurs, "");
    std::string texte;
    for (const auto& l : DecoupeLignes(ConstruitTexteResultats(*y))) texte += l + "\n";
    EXPECT_EQ(r.sortie, texte);
}

TEST_F(CliTrameTest, MalformedFilesExitTwoAndWriteNothing) {
    const auto bon = *LitLignesFichier(Travail());
    auto point = bon;
    const auto t = std::find(point.begin(), point.end(), "TRAME= ");
    ASSERT_NE(t, point.end());
    const auto n = static_cast<size_t>(t - point.begin()) + 1;
    point[n] = "0;1;1;2;3;4;x5;6;7;8;";
    auto coupe = bon;
    coupe.resize(bon.size() - 2);
    const std::string f1 = Fichier("point.trm"), f2 = Fichier("coupe.trm"),
                      f3 = Fichier("vide.trm");
    ASSERT_TRUE(EcritLignesFichier(f1, point));
    ASSERT_TRUE(EcritLignesFichier(f2, coupe));
    ASSERT_TRUE(EcritLignesFichier(f3, {}));
    const std::string sortie = Fichier("sortie.csv");
    struct Cas {
        std::string commande, attendu;
    };
    const std::vector<Cas> cas = {
        {"export '" + f1 + "' -o '" + sortie + "'", "line " + std::to_string(n + 1) + ": \"x5\""},
        {"results '" + f1 + "'", "\"x5\" is not a valid number"},
        {"export '" + f2 + "' -o '" + sortie + "'", "line " + std::to_string(bon.size() - 1)},
        {"results '" + f3 + "'", "not an Orvelle grid file"},
    };
    for (const auto& c : cas) {
        const auto r = Lance(c.commande);
        EXPECT_EQ(r.code, 2) << c.commande;
        EXPECT_EQ(Lignes(r.erreurs), 1) << r.erreurs;
        EXPECT_NE(r.erreurs.find(c.attendu), std::string::npos) << r.erreurs;
        EXPECT_EQ(r.sortie, "");
        EXPECT_FALSE(fs::exists(sortie));
    }
}

} // namespace
} // namespace orv::test
