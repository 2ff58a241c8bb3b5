// Where the program keeps its settings, calibration and language files.
#pragma once

#include <optional>
#include <string>

namespace orv {

struct SourcesDossier {
    std::optional<std::string> optionHome; // --home DIR
    std::string varOrvelleHome;            // ORVELLE_HOME
    std::string dossierExecutable;
    bool executableInscriptible = false;
    std::string varXdgDataHome; // XDG_DATA_HOME
    std::string varHome;        // HOME
};

// The program folder: the `--home` option, else ORVELLE_HOME, else the
// executable's folder when it is writable (portable use), else the user's data
// folder (XDG_DATA_HOME or ~/.local/share, then "orvelle"). Nothing when none.
std::optional<std::string> ChoisitDossierProgramme(const SourcesDossier& s);

// The same from the real environment; the folder is created when missing.
std::optional<std::string> DossierProgramme(const std::optional<std::string>& optionHome,
                                            const std::string& dossierExecutable);

// The folder of the files shipped with the program (warning texts, language
// files, sample images): beside the executable in "data", the installed
// share/orvelle, or the source tree's data folder of a development build.
std::string DossierDonnees(const std::string& dossierExecutable, const std::string& dossierSource);

} // namespace orv
