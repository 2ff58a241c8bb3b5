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
// files, sample images), found from the executable's folder alone so that a
// moved installation still finds it: "data" beside the executable (a portable
// copy, or the build tree, where it links to the sources' data folder), else
// the installed "../share/orvelle". Empty when there is neither.
std::string DossierDonnees(const std::string& dossierExecutable);

} // namespace orv
