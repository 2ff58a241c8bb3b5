// orvelle-cli on grid files saved by the program: what the program gives from
// them, a missing picture as a warning, older files, and malformed ones refused.
#include "app/SessionTrame.h"

#include "LanceCli.h"

#include "app/CommandesResultats.h"
#include "base/FichierTexte.h"
#include "results/ExportCSV.h"
#include "results/TexteResultats.h"

namespace orv::test {
namespace {

class CliTrameTest : public SessionTrame {
protected:
    void SetUp() override {
        SessionTrame::SetUp();
        fs::create_directories(dossier / "home");
        home = (dossier / "home").string();
    }

    ResultatCli Lance(const std::string& arguments) {
        return LanceCli(dossier, "--home '" + home + "' --decimal-separator , " + arguments);
    }

    // Spores 2D on three pictures, saved by the program.
    std::string Travail(bool indPres = false) {
        auto x = Session();
        x->parametres.indPres = indPres;
        std::mt19937 g(21);
        TroisImages(*x, g);
        Choisit(*x, 2);
        MesureGrille(*x, g, 14);
        x->mesure.GrilleRef.FixeTexte(1, x->mesure.GrilleRef.Colonnes() - 1, "hyalines; lisses é");
        const std::string f = Fichier("travail.trm");
        EXPECT_TRUE(SauveTrame(*x, f));
        return f;
    }
    // The program loading the same file.
    std::unique_ptr<Orvelle> Programme(const std::string& f, bool indPres = false) {
        auto y = Session();
        y->parametres.indPres = indPres;
        EXPECT_EQ(ChargeTrame(*y, f), ResultatChargement::Charge);
        return y;
    }

    std::string home;
};

TEST_F(CliTrameTest, ResultsAndExportAsTheProgramGivesThem) {
    for (bool indPres : {false, true}) {
        const std::string f = Travail(indPres);
        auto r = Lance("results '" + f + "'");
        ASSERT_EQ(r.code, 0) << r.erreurs;
        EXPECT_EQ(r.erreurs, "");
        std::string texte;
        for (const auto& l : DecoupeLignes(ConstruitTexteResultats(*Programme(f, indPres))))
            texte += l + "\n";
        EXPECT_EQ(r.sortie, texte) << indPres;
    }
    // Export's default output: beside the input, nothing on stdout.
    const std::string f = Fichier("travail.trm");
    auto r = Lance("export '" + f + "'");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(r.sortie + r.erreurs, "");
    const auto attendues = LignesExport(*Programme(f, true), {"x", "y"});
    AttendMemeExport(Fichier("travail.csv"), attendues);

    // A missing picture: one warning line, and the values as recorded.
    fs::remove(Photo("b.jpg"));
    r = Lance("export '" + f + "' -o '" + Fichier("sans_b.csv") + "'");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(Lignes(r.erreurs), 1);
    EXPECT_NE(r.erreurs.find(Photo("b.jpg") + " non trouv"), std::string::npos) << r.erreurs;
    AttendMemeExport(Fichier("sans_b.csv"), attendues);
}

// A PNG file as far as any header reader goes: signature and IHDR.
void EntetePng(const std::string& chemin, std::uint32_t l, std::uint32_t h) {
    std::string b("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16);
    for (std::uint32_t v : {l, h})
        for (int k = 3; k >= 0; --k) b += static_cast<char>((v >> (8 * k)) & 0xFF);
    b += std::string("\x08\x02\0\0\0\0\0\0\0", 9);
    std::ofstream(chemin, std::ios::binary) << b;
}

// Grid files written by hand in the older layout (no TAILLES=, no VALEURS=):
// the command line reads each picture's size from its header and gives the
// values the window gives; without the picture and its size it refuses.
TEST_F(CliTrameTest, OlderLayoutTakesEachPicturesSizeFromItsHeader) {
    const std::vector<std::pair<std::string, TailleImage>> photos = {
        {"p800.png", {800, 600}}, {"p1600.png", {1600, 1200}}, {"p3000.png", {3000, 2000}}};
    std::vector<std::string> lignes = {"INDPRES=FAUX", "NBIMAGES= 3", "NBLIGNES= 3",
                                       "NBLGMAX =256", "FONCTION= 1", "CALIBRAGE= "};
    for (int k = 0; k < 3; ++k) lignes.push_back(" 0,1 ");
    lignes.insert(lignes.end(), {"RESH = 1024", "PCTSW = 12000", "IMAGES= "});
    for (const auto& [nom, taille] : photos) {
        EntetePng(Photo(nom), static_cast<std::uint32_t>(taille.largeur),
                  static_cast<std::uint32_t>(taille.hauteur));
        p.images[Photo(nom)] = taille; // what the window reads from the same header
        lignes.push_back(Photo(nom));
    }
    lignes.insert(lignes.end(), {"COMMENT= ", "1;", "2;", "3;", "FIN", "TRAME= "});
    // 100 image pixels (2645.83 picture units) on each picture.
    for (int k = 1; k <= 3; ++k)
        lignes.push_back("0;" + std::to_string(k) + ";1000;1000;3646;1000;");
    const std::string f = Fichier("ancienne.trm");
    ASSERT_TRUE(EcritLignesFichier(f, lignes));

    auto y = Programme(f);
    const std::string sortie = Fichier("ancienne.csv");
    auto r = Lance("export '" + f + "' -o '" + sortie + "'");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    AttendMemeExport(sortie, LignesExport(*y, {"x", "y"}));
    // Outside resolution independence a pixel is 12 pixel units, whatever
    // the picture's width: 100 px x 12 x 0.1 = 120.
    for (int l = 1; l <= 3; ++l) EXPECT_EQ(y->mesure.GrilleRef.Texte(l, 1), "120,00") << l;

    // The pictures now have other sizes than a newer file recorded: said on
    // stderr, the values stay as measured.
    ASSERT_TRUE(SauveTrame(*y, f));
    EntetePng(Photo("p800.png"), 400, 300);
    r = Lance("results '" + f + "'");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_NE(r.erreurs.find("p800.png : 400 x 300 (enregistrée : 800 x 600)"), std::string::npos);
    EXPECT_NE(r.sortie.find("\t120,00"), std::string::npos) << r.sortie;

    // A picture gone, its size never recorded: no value is made up.
    fs::remove(Photo("p1600.png"));
    ASSERT_TRUE(EcritLignesFichier(f, lignes));
    fs::remove(sortie);
    r = Lance("export '" + f + "' -o '" + sortie + "'");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(Lignes(r.erreurs), 1) << r.erreurs;
    EXPECT_NE(r.erreurs.find("p1600.png\" not found and its size is not stored"), std::string::npos)
        << r.erreurs;
    EXPECT_FALSE(fs::exists(sortie));
}

// The reader's refusals are its own tests'; here the line at fault reaches the user.
TEST_F(CliTrameTest, MalformedFileExitsTwoAndWritesNothing) {
    auto lignes = *LitLignesFichier(Travail());
    const auto n =
        static_cast<size_t>(std::find(lignes.begin(), lignes.end(), "TRAME= ") - lignes.begin()) +
        1;
    ASSERT_LT(n, lignes.size());
    lignes[n] = "0;1;1;2;3;4;x5;6;7;8;";
    const std::string f = Fichier("point.trm"), sortie = Fichier("sortie.csv");
    ASSERT_TRUE(EcritLignesFichier(f, lignes));
    const auto r = Lance("export '" + f + "' -o '" + sortie + "'");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(Lignes(r.erreurs), 1) << r.erreurs;
    EXPECT_NE(r.erreurs.find("line " + std::to_string(n + 1) + ": \"x5\""), std::string::npos)
        << r.erreurs;
    EXPECT_EQ(r.sortie, "");
    EXPECT_FALSE(fs::exists(sortie));
}

} // namespace
} // namespace orv::test
