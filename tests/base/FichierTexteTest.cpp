#include "base/FichierTexte.h"
#include "base/Cp1252.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

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
}

TEST(FichierTexte, LignesCrLfOuLf) {
    EXPECT_EQ(DecoupeLignes("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(DecoupeLignes("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(DecoupeLignes("").empty());
    std::istringstream in(VersCp1252("clé = é\r\n"));
    EXPECT_EQ(LitLignes(in), (std::vector<std::string>{"clé = é"}));
}

TEST(FichierTexte, EcritureAtomiqueEnCp1252) {
    const auto dossier = std::filesystem::temp_directory_path() / "orvelle_fichiertexte";
    std::filesystem::create_directories(dossier);
    const std::string chemin = (dossier / "f.txt").string();
    ASSERT_TRUE(EcritLignesFichier(chemin, {"N°", "fin"}));
    std::ifstream in(chemin, std::ios::binary);
    const std::string octets((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(octets, std::string("N\xB0\r\nfin\r\n"));
    EXPECT_FALSE(std::filesystem::exists(chemin + ".tmp~"));
    // A folder that does not exist: refused with a reason, nothing written.
    const auto r = EcritLignesFichier((dossier / "absent" / "f.txt").string(), {"x"});
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.erreur.empty());
    std::filesystem::remove_all(dossier);
}

} // namespace
} // namespace orv
