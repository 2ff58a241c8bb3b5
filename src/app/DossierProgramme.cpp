#include "app/DossierProgramme.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace orv {

namespace fs = std::filesystem;

std::optional<std::string> ChoisitDossierProgramme(const SourcesDossier& s) {
    if (s.optionHome && !s.optionHome->empty()) return *s.optionHome;
    if (!s.varOrvelleHome.empty()) return s.varOrvelleHome;
    if (!s.dossierExecutable.empty() && s.executableInscriptible) return s.dossierExecutable;
    if (!s.varXdgDataHome.empty()) return s.varXdgDataHome + "/orvelle";
    if (!s.varHome.empty()) return s.varHome + "/.local/share/orvelle";
    return std::nullopt;
}

std::optional<std::string> DossierProgramme(const std::optional<std::string>& optionHome,
                                            const std::string& dossierExecutable) {
    auto env = [](const char* nom) {
        const char* v = std::getenv(nom);
        return std::string(v ? v : "");
    };
    SourcesDossier s;
    s.optionHome = optionHome;
    s.varOrvelleHome = env("ORVELLE_HOME");
    s.dossierExecutable = dossierExecutable;
    s.executableInscriptible =
        !dossierExecutable.empty() && ::access(dossierExecutable.c_str(), W_OK) == 0;
    s.varXdgDataHome = env("XDG_DATA_HOME");
    s.varHome = env("HOME");
    auto choix = ChoisitDossierProgramme(s);
    if (!choix) return std::nullopt;
    std::error_code ec;
    fs::create_directories(*choix, ec);
    if (!fs::is_directory(*choix, ec)) return std::nullopt;
    return fs::absolute(*choix, ec).lexically_normal().string();
}

std::string DossierDonnees(const std::string& dossierExecutable) {
    if (dossierExecutable.empty()) return {};
    const fs::path exe(dossierExecutable);
    std::error_code ec;
    for (const fs::path& p : {exe / "data", exe / ".." / "share" / "orvelle"})
        if (fs::is_directory(p, ec)) return p.lexically_normal().string();
    return {};
}

} // namespace orv
