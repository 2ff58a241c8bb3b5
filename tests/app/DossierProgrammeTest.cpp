#include "app/DossierProgramme.h"
#include "support/DossierEssai.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orv {
namespace {

namespace fs = std::filesystem;

TEST(DossierProgramme, OrdreDePriorite) {
    SourcesDossier s;
    s.optionHome = "/opt/h";
    s.varOrvelleHome = "/env/h";
    s.dossierExecutable = "/usr/bin";
    s.executableInscriptible = true;
    s.varXdgDataHome = "/xdg";
    s.varHome = "/home/u";
    EXPECT_EQ(ChoisitDossierProgramme(s), "/opt/h");
    s.optionHome.reset();
    EXPECT_EQ(ChoisitDossierProgramme(s), "/env/h");
    s.varOrvelleHome.clear();
    EXPECT_EQ(ChoisitDossierProgramme(s), "/usr/bin");
    // An installed program cannot write beside itself: the user's data folder.
    s.executableInscriptible = false;
    EXPECT_EQ(ChoisitDossierProgramme(s), "/xdg/orvelle");
    s.varXdgDataHome.clear();
    EXPECT_EQ(ChoisitDossierProgramme(s), "/home/u/.local/share/orvelle");
    s.varHome.clear();
    EXPECT_FALSE(ChoisitDossierProgramme(s).has_value());
}

// Shipped files are found from the executable's folder alone: "data" beside
// it (a portable copy, the build tree), else the installed ../share/orvelle.
TEST(DossierProgramme, DonneesPresDeLExecutable) {
    const test::DossierEssai racine{"donnees"};
    const fs::path bin = racine / "bin";
    fs::create_directories(bin);
    EXPECT_EQ(DossierDonnees(bin.string()), "");
    EXPECT_EQ(DossierDonnees(""), "");
    fs::create_directories(racine / "share" / "orvelle");
    EXPECT_EQ(DossierDonnees(bin.string()), (racine / "share" / "orvelle").string());
    fs::create_directories(bin / "data");
    EXPECT_EQ(DossierDonnees(bin.string()), (bin / "data").string());
}

} // namespace
} // namespace orv
