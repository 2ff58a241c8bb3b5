// orvelle-cli run as a user runs it: exit codes, output and error lines.
#include "LanceCli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace orv::test {
namespace {

TEST(OrvelleCli, AideVersionEtErreurs) {
    const auto temp =
        std::filesystem::temp_directory_path() / ("orvelle_cli_" + std::to_string(::getpid()));
    const auto dossier = temp / "home";
    std::filesystem::remove_all(temp);
    std::filesystem::create_directories(temp);
    auto s = LanceCli(temp, "--version");
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.sortie.rfind("orvelle-cli ", 0), 0u);
    s = LanceCli(temp, "--help");
    EXPECT_EQ(s.code, 0);
    EXPECT_NE(s.sortie.find("--home DIR"), std::string::npos);
    // --home creates the folder it names.
    s = LanceCli(temp, "--home " + dossier.string());
    EXPECT_EQ(s.code, 0);
    EXPECT_TRUE(std::filesystem::is_directory(dossier));
    // A command that does not exist: exit 2 and one clear line.
    s = LanceCli(temp, "--home " + dossier.string() + " frobnicate");
    EXPECT_EQ(s.code, 2);
    EXPECT_EQ(Lignes(s.erreurs), 1);
    EXPECT_NE(s.erreurs.find("unknown command 'frobnicate'"), std::string::npos);
    s = LanceCli(temp, "--home");
    EXPECT_EQ(s.code, 2);
    std::filesystem::remove_all(temp);
}

} // namespace
} // namespace orv::test
