#include "calibration/FichierCalibrage.h"
#include "support/DossierEssai.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace orv {
namespace {

using Fc = FichierCalibrage;

std::vector<std::string> Lit(const std::string& octets) {
    std::istringstream in(octets);
    return Fc::LitEntrees(in);
}

TEST(CalibrageFichier, ReadingKeepsTrimmedLinesWithEquals) {
    const auto e = Lit("ne pas modifier les donn\xE9"
                       "es num\xE9riques !\r\n\r\n\r\nabc =  0,5 \r\n   \r\nsans signe\r\n"
                       "  x = 1.25\nA=B=3\r=7");
    EXPECT_EQ(e, (std::vector<std::string>{"abc =  0,5", "x = 1.25", "A=B=3", "=7"}));
    EXPECT_EQ(Fc::Valeur(e[0]), 0.5);
    EXPECT_EQ(Fc::Valeur(e[1]), 1.25);
    // The first "=" splits: the rest is the value, here not a number.
    EXPECT_EQ(Fc::TexteValeur(e[2]), "B=3");
    EXPECT_FALSE(Fc::Valeur(e[2]));
    EXPECT_EQ(Fc::Valeur(e[3]), 7.0);
    EXPECT_EQ(Fc::TexteValeur("pas de signe"), "");
}

TEST(CalibrageFichier, StoredLineReadsBackWithEitherSeparator) {
    for (char sep : {',', '.'})
        for (double f : {0.25, 0.000123, 12345.678}) {
            const std::string ligne = Fc::Ligne("obj 40", f, sep);
            std::ostringstream out;
            Fc::Ecrit(out, {"h", "", "", ligne});
            const auto e = Lit(out.str());
            ASSERT_EQ(e.size(), 1u) << ligne;
            EXPECT_EQ(Fc::Valeur(e[0]), f) << ligne;
        }
    // A line break pasted into a comment cannot make a second line.
    EXPECT_EQ(Fc::Ligne("a\r\nb", 2, ','), "a b =  2 ");
}

TEST(CalibrageFichier, CreatedWithHeaderThenAppendedAndRefusals) {
    const test::DossierEssai dossier{"zelkcal"};
    const std::string chemin = (dossier / Fc::Nom).string();
    const auto octets = [&] { return test::Lit(chemin); };
    EXPECT_FALSE(Fc::LitEntrees(chemin));
    bool cree = false;
    ASSERT_TRUE(Fc::Ajoute(chemin, "a = 1", "entête €", cree));
    EXPECT_TRUE(cree);
    EXPECT_EQ(octets(), "ne pas modifier les donn\xE9"
                        "es num\xE9riques !\r\nent\xEAte \x80\r\n\r\na = 1\r\n");
    // Lines edited by hand with LF ends are kept, and the file comes back in CR LF.
    std::ofstream(chemin, std::ios::binary) << "h\n\n\nc = 3\n";
    ASSERT_TRUE(Fc::Ajoute(chemin, "d = 4", "ignored", cree));
    EXPECT_FALSE(cree);
    EXPECT_EQ(octets(), "h\r\n\r\n\r\nc = 3\r\nd = 4\r\n");

    const auto e = Fc::Ajoute((dossier / "absent" / "Zelk.Cal").string(), "a = 1", "", cree);
    EXPECT_FALSE(e);
    EXPECT_FALSE(e.erreur.empty());
}

} // namespace
} // namespace orv
