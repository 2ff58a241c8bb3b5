#include "app/DossierProgramme.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

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

} // namespace
} // namespace orv
