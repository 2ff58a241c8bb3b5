#include "calibration/FichierCalibrage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

namespace orv {
namespace {

std::vector<std::string> Lit(const std::string& octets) {
    std::istringstream in(octets);
    return FichierCalibrage::LitEntrees(in);
}

TEST(CalibrageFichier, ReadingKeepsTrimmedLinesWithEquals) {
    const auto e = Lit("ne pas modifier les donn\xE9"
                       "es num\xE9riques !\r\n\r\n\r\n"
                       "abc =  0,5 \r\n"
                       "   \r\n"
                       "sans signe\r\n"
                       "  x = 1.25\n"
                       "A=B=3\r"
                       "=7");
    EXPECT_EQ(e, (std::vector<std::string>{"abc =  0,5", "x = 1.25", "A=B=3", "=7"}));
    EXPECT_EQ(FichierCalibrage::Valeur(e[0]), 0.5);
    EXPECT_EQ(FichierCalibrage::Valeur(e[1]), 1.25);
    // The first "=" splits: the rest is the value, here not a number.
    EXPECT_EQ(FichierCalibrage::TexteValeur(e[2]), "B=3");
    EXPECT_FALSE(FichierCalibrage::Valeur(e[2]));
    EXPECT_EQ(FichierCalibrage::Valeur(e[3]), 7.0);
    EXPECT_TRUE(Lit("").empty());
    EXPECT_EQ(FichierCalibrage::TexteValeur("pas de signe"), "");
}

TEST(CalibrageFichier, StoredLineReadsBackWithEitherSeparator) {
    for (char sep : {',', '.'}) {
        for (double f : {0.25, 1.0, 0.000123, 12345.678}) {
            const std::string ligne = FichierCalibrage::Ligne("obj 40", f, sep);
            std::ostringstream out;
            FichierCalibrage::Ecrit(out, {"h", "", "", ligne});
            const auto e = Lit(out.str());
            ASSERT_EQ(e.size(), 1u) << ligne;
            ASSERT_TRUE(FichierCalibrage::Valeur(e[0])) << ligne;
            EXPECT_DOUBLE_EQ(*FichierCalibrage::Valeur(e[0]), f) << ligne;
        }
    }
    // A line break pasted into a comment cannot make a second line.
    EXPECT_EQ(FichierCalibrage::Ligne("a\r\nb", 2, ','), "a b =  2 ");
}

class CalibrageFichierDisque : public ::testing::Test {
protected:
    void SetUp() override {
        dossier = std::filesystem::temp_directory_path() /
                  ("orvelle_zelkcal_" + std::to_string(::getpid()));
        std::filesystem::remove_all(dossier);
        std::filesystem::create_directories(dossier);
    }
    void TearDown() override { std::filesystem::remove_all(dossier); }
    std::string Octets() const {
        std::ifstream in(chemin(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::string chemin() const { return (dossier / FichierCalibrage::Nom).string(); }
    std::filesystem::path dossier;
};

TEST_F(CalibrageFichierDisque, CreatedWithHeaderThenAppended) {
    bool cree = false;
    ASSERT_TRUE(FichierCalibrage::Ajoute(chemin(), "a = 1", "entête €", cree));
    EXPECT_TRUE(cree);
    EXPECT_EQ(Octets(), "ne pas modifier les donn\xE9"
                        "es num\xE9riques !\r\nent\xEAte \x80\r\n\r\na = 1\r\n");
    ASSERT_TRUE(FichierCalibrage::Ajoute(chemin(), "b = 2", "ignored", cree));
    EXPECT_FALSE(cree);
    EXPECT_EQ(FichierCalibrage::LitEntrees(chemin()), (std::vector<std::string>{"a = 1", "b = 2"}));
    // Lines edited by hand with LF ends are kept, and the file comes back in CR LF.
    std::ofstream(chemin(), std::ios::binary) << "h\n\n\nc = 3\n";
    ASSERT_TRUE(FichierCalibrage::Ajoute(chemin(), "d = 4", "", cree));
    EXPECT_EQ(Octets(), "h\r\n\r\n\r\nc = 3\r\nd = 4\r\n");
    // Names that Windows-1252 cannot write survive the next store, and so do
    // the factors' digits.
    ASSERT_TRUE(FichierCalibrage::Ajoute(chemin(), "objectif Łódź = 0,5", "", cree));
    ASSERT_TRUE(
        FichierCalibrage::Ajoute(chemin(), FichierCalibrage::Ligne("x", 0.1 / 3, ','), "", cree));
    const auto e = *FichierCalibrage::LitEntrees(chemin());
    EXPECT_EQ(e[2], "objectif Łódź = 0,5");
    EXPECT_EQ(FichierCalibrage::Valeur(e[3]), 0.1 / 3);
}

TEST_F(CalibrageFichierDisque, MissingFileAndUnwritableFolder) {
    EXPECT_FALSE(FichierCalibrage::LitEntrees(chemin()));
    bool cree = false;
    const auto e =
        FichierCalibrage::Ajoute((dossier / "absent" / "Zelk.Cal").string(), "a = 1", "", cree);
    EXPECT_FALSE(e);
    EXPECT_FALSE(e.erreur.empty());
}

} // namespace
} // namespace orv
