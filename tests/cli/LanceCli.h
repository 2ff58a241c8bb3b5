// orvelle-cli run as a user runs it, from the tests: its exit code, what it
// wrote on stdout and on stderr.
#pragma once

#include "base/Cp1252.h"
#include "base/FichierTexte.h"
#include "support/DossierEssai.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace orv::test {

inline int Lignes(const std::string& t) {
    return static_cast<int>(std::count(t.begin(), t.end(), '\n'));
}

struct ResultatCli {
    int code = -1;
    std::string sortie, erreurs;
};

// Runs orvelle-cli in the C locale; its outputs go through files in `dossier`.
inline ResultatCli LanceCli(const std::filesystem::path& dossier, const std::string& arguments) {
    const auto out = dossier / "stdout", err = dossier / "stderr";
    const std::string commande = "LC_ALL=C '" + std::string(ORVELLE_CLI) + "' " + arguments +
                                 " >'" + out.string() + "' 2>'" + err.string() + "'";
    const int statut = std::system(commande.c_str());
    return {WIFEXITED(statut) ? WEXITSTATUS(statut) : -1, Lit(out), Lit(err)};
}

// An export file's lines against the program's own export of the same work;
// the first line holds the clock.
inline void AttendMemeExport(const std::filesystem::path& f, std::vector<std::string> attendues) {
    auto lignes = DecoupeLignes(DepuisCp1252(Lit(f)));
    ASSERT_FALSE(lignes.empty());
    lignes.erase(lignes.begin());
    attendues.erase(attendues.begin());
    EXPECT_EQ(lignes, attendues);
}

} // namespace orv::test
