// orvelle-cli run as a user runs it: exit codes, output and error lines.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace {

struct Sortie {
    int code = -1;
    std::string texte; // stdout and stderr together
};

Sortie Lance(const std::string& arguments) {
    const std::string commande = std::string(ORVELLE_CLI) + " " + arguments + " 2>&1";
    Sortie s;
    FILE* f = ::popen(commande.c_str(), "r");
    if (!f) return s;
    std::array<char, 512> buf{};
    while (std::fgets(buf.data(), buf.size(), f)) s.texte += buf.data();
    const int statut = ::pclose(f);
    s.code = WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
    return s;
}

TEST(OrvelleCli, AideVersionEtErreurs) {
    const auto dossier = std::filesystem::temp_directory_path() / "orvelle_cli_home";
    std::filesystem::remove_all(dossier);
    auto s = Lance("--version");
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.texte.rfind("orvelle-cli ", 0), 0u);
    s = Lance("--help");
    EXPECT_EQ(s.code, 0);
    EXPECT_NE(s.texte.find("--home DIR"), std::string::npos);
    // --home creates the folder it names.
    s = Lance("--home " + dossier.string());
    EXPECT_EQ(s.code, 0);
    EXPECT_TRUE(std::filesystem::is_directory(dossier));
    // A command that does not exist: exit 2 and one clear line.
    s = Lance("--home " + dossier.string() + " frobnicate");
    EXPECT_EQ(s.code, 2);
    EXPECT_NE(s.texte.find("unknown command 'frobnicate'"), std::string::npos);
    s = Lance("--home");
    EXPECT_EQ(s.code, 2);
    std::filesystem::remove_all(dossier);
}

} // namespace
