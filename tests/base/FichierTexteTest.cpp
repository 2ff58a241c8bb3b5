#include "base/FichierTexte.h"
#include "base/Cp1252.h"
#include "base/Texte.h"
#include "support/DossierEssai.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <signal.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orv {
namespace {

TEST(Cp1252, AllerRetour) {
    const std::string texte = "épais. N° µm € « » œ";
    const std::string octets = VersCp1252(texte);
    EXPECT_EQ(octets.size(), 20u);
    EXPECT_EQ(static_cast<unsigned char>(octets[0]), 0xE9);
    EXPECT_EQ(DepuisCp1252(octets), texte);
    // Text already in UTF-8 is kept as it is.
    EXPECT_EQ(DepuisCp1252(texte), texte);
    // A character outside the code page becomes '?'.
    EXPECT_EQ(VersCp1252("→"), "?");
    // The five bytes the code page leaves undefined come back as they were.
    const std::string indefinis = "a\x81\x8D\x8F\x90\x9D";
    EXPECT_EQ(VersCp1252(DepuisCp1252(indefinis)), indefinis);
}

TEST(FichierTexte, Utf8QuandCp1252NePeutEcrire) {
    // What Windows-1252 can spell stays single bytes; anything else makes the
    // whole file UTF-8 rather than "?", and reads back the same.
    EXPECT_EQ(TexteFichier({"é", "x"}), "\xE9\r\nx\r\n");
    for (const std::vector<std::string>& lignes :
         {std::vector<std::string>{"REPIMAGE= /photos/写真", "é"},
          std::vector<std::string>{"Łukasz", "objectif Łódź = 0,5"},
          // "ë°°" in Windows-1252 bytes is valid UTF-8: the file must not be read so.
          std::vector<std::string>{"a;ë°°"}}) {
        std::istringstream in(TexteFichier(lignes));
        EXPECT_EQ(LitLignes(in), lignes);
    }
}

TEST(FichierTexte, LignesCrLfOuLf) {
    EXPECT_EQ(DecoupeLignes("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(DecoupeLignes("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(DecoupeLignes("").empty());
    std::istringstream in(VersCp1252("clé = é\r\n"));
    EXPECT_EQ(LitLignes(in), (std::vector<std::string>{"clé = é"}));
}

// A picture's name may hold a line break or bytes that are not UTF-8: escaped
// it is one clean line that reads back to the same bytes; shown, it is one
// line with U+FFFD in their place.
TEST(Texte, CheminsQuiNeTiennentPasSurUneLigne) {
    for (const std::string nom : {"/p/a\nb.jpg", "/p/caf\xE9.jpg", "/p/\xC3", "/p/x\r\x7F.png",
                                  "/p/100%.jpg", "/p/épais µm.jpg", "/p/\xED\xA0\x80.jpg"}) {
        const std::string e = EchappeChemin(nom);
        EXPECT_EQ(RetrouveChemin(e), nom) << e;
        EXPECT_FALSE(CheminAEchapper(e)) << e;
        EXPECT_FALSE(CheminAEchapper(NomAffichable(nom))) << nom;
    }
    EXPECT_FALSE(CheminAEchapper("/p/épais µm.jpg"));
    EXPECT_EQ(EchappeChemin("/p/épais µm.jpg"), "/p/épais µm.jpg");
    EXPECT_TRUE(CheminAEchapper("/p/caf\xE9.jpg"));
    EXPECT_EQ(NomAffichable("a\nb\xE9"), "a\xEF\xBF\xBD"
                                         "b\xEF\xBF\xBD");
}

namespace fs = std::filesystem;

using test::Lit;

using Dossier = test::DossierEssai;

TEST(FichierTexte, EcritureEnCp1252OuRefusDit) {
    const Dossier dossier{"fichiertexte"};
    ASSERT_TRUE(EcritLignesFichier(dossier / "f.txt", {"N°", "fin"}));
    EXPECT_EQ(Lit(dossier / "f.txt"), "N\xB0\r\nfin\r\n");
    const auto r = EcritLignesFichier(dossier / "absent/f.txt", {"x"});
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.erreur.empty());
}

TEST(FichierTexte, EcritureAtomiqueSansLienNiResteNiPermissionsPerdues) {
    const Dossier dossier{"fichiertexte"};
    const std::string cible = dossier / "export.csv", victime = dossier / "victime";
    std::ofstream(victime) << "intact";
    // Links planted at the old fixed temporary name and at the target itself.
    fs::create_symlink(victime, cible + ".tmp~");
    fs::create_symlink(victime, cible);
    ASSERT_TRUE(EcritAtomique(cible, "nouveau"));
    EXPECT_EQ(Lit(victime), "intact");
    EXPECT_FALSE(fs::is_symlink(cible));
    EXPECT_EQ(Lit(cible), "nouveau");
    // A private file stays private.
    ::chmod(cible.c_str(), 0600);
    ASSERT_TRUE(EcritAtomique(cible, "encore"));
    struct stat st {};
    ::stat(cible.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    // A failed rename (the target is a folder) leaves no temporary file behind.
    fs::create_directories(dossier / "dossier");
    EXPECT_FALSE(EcritAtomique(dossier / "dossier", "x"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier), {}),
              4); // victime, cible, lien, dossier
}

// Something that is not a regular file in a file's place: never read (a FIFO
// without a writer would block the open for ever), never replaced.
TEST(FichierTexte, FifoEtFichierTropGrosNiLusNiRemplaces) {
    const Dossier dossier{"fichiertexte"};
    const std::string fifo = dossier / "Recents.dat";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(LitFichier(fifo, LimiteFichierTexte).defaut, DefautLecture::PasOrdinaire);
    DefautLecture d{};
    EXPECT_EQ(FluxFichier::Ouvre(fifo, &d), nullptr);
    EXPECT_EQ(d, DefautLecture::PasOrdinaire);
    EXPECT_FALSE(FichierExiste(fifo));
    EXPECT_TRUE(PasFichierOrdinaire(fifo));
    EXPECT_FALSE(EcritAtomique(fifo, "x"));
    EXPECT_TRUE(PasFichierOrdinaire(fifo)); // still the FIFO
    EXPECT_FALSE(LitLignesFichier(dossier / "dossier-absent").has_value());
    EXPECT_EQ(LitFichier(dossier / "absent", 10).defaut, DefautLecture::Absent);

    const std::string gros = dossier / "gros";
    ASSERT_TRUE(EcritAtomique(gros, std::string(1001, 'x')));
    EXPECT_EQ(LitFichier(gros, 1000).defaut, DefautLecture::TropGros);
    EXPECT_EQ(LitFichier(gros, 1001).octets->size(), 1001u);
    const auto f = FluxFichier::Ouvre(gros);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Taille(), 1001u);
    std::string debut(4, '\0');
    f->Flux().read(debut.data(), 4);
    EXPECT_EQ(debut, "xxxx");
}

// A writer killed at any moment leaves the whole old file or the whole new one.
TEST(FichierTexte, EcrivainTueNeLaissePasDeFichierMele) {
    const Dossier dossier{"fichiertexte"};
    const std::string cible = dossier / "trame.trm";
    const std::string a(300000, 'a'), b(200000, 'b');
    ASSERT_TRUE(EcritAtomique(cible, a));
    std::mt19937 gen(9);
    std::uniform_int_distribution<int> attente(0, 3000);
    for (int essai = 0; essai < 100; ++essai) {
        const pid_t enfant = ::fork();
        ASSERT_GE(enfant, 0);
        if (enfant == 0) {
            for (int i = 0;; ++i) EcritAtomique(cible, i % 2 ? a : b);
        }
        ::usleep(static_cast<useconds_t>(attente(gen)));
        ::kill(enfant, SIGKILL);
        ::waitpid(enfant, nullptr, 0);
        const std::string lu = Lit(cible);
        ASSERT_TRUE(lu == a || lu == b) << "essai " << essai << ", " << lu.size() << " octets";
    }
}

} // namespace
} // namespace orv
