// orvelle-cli: the program's core without a window, for batch work and scripts.
#include "app/DossierProgramme.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char* const kAide =
    "usage: orvelle-cli [--home DIR] [--version] [--help]\n"
    "\n"
    "Orvelle's measuring core without a window.\n"
    "\n"
    "options:\n"
    "  --home DIR   program folder (settings Zelk.dat, calibrations, language files);\n"
    "               default: ORVELLE_HOME, else the executable's folder when writable,\n"
    "               else ~/.local/share/orvelle\n"
    "  --version    print the version and exit\n"
    "  --help       print this help and exit\n";

std::string DossierExecutable() {
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    std::string chemin(buf, static_cast<size_t>(n));
    const auto p = chemin.rfind('/');
    return p == std::string::npos ? std::string() : chemin.substr(0, p);
}

int Erreur(const std::string& message) {
    std::fprintf(stderr, "orvelle-cli: %s\n", message.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::optional<std::string> home;
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--version") {
            std::printf("orvelle-cli %s\n", ORVELLE_VERSION);
            return 0;
        }
        if (a == "--help" || a == "-h") {
            std::fputs(kAide, stdout);
            return 0;
        }
        if (a == "--home") {
            if (i + 1 >= argc) return Erreur("--home needs a folder");
            home = argv[++i];
        } else if (a.rfind("--home=", 0) == 0) {
            home = a.substr(7);
        } else {
            arguments.push_back(a);
        }
    }
    const auto dossier = orv::DossierProgramme(home, DossierExecutable());
    if (!dossier)
        return Erreur("no program folder could be found or created; give one with --home DIR");
    if (arguments.empty()) {
        std::fputs(kAide, stdout);
        return 0;
    }
    return Erreur("unknown command '" + arguments.front() + "' (see --help)");
}
