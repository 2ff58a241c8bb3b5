// The commands of orvelle-cli: a session started as the program starts (its
// settings and language read from the program folder, never written), its work
// loaded from an input file, then exported or summed up on standard output.
#pragma once

#include "cli/PlateformeCli.h"

#include <memory>
#include <optional>
#include <string>

namespace orv {
class Orvelle;
}

namespace orv::cli {

// Exit codes: success, output not written, input missing/unreadable/malformed
// or a wrong command line.
inline constexpr int SortieSucces = 0;
inline constexpr int SortieEcriture = 1;
inline constexpr int SortieEntree = 2;

struct OptionsSession {
    std::string dossier;               // the program folder
    std::string donnees;               // the files shipped with the program (languages)
    std::optional<std::string> langue; // --lang, over the settings' language
    char separateur = '.';             // decimal separator of the numbers written
    int notation = 1;                  // NoTexp form, 1..5 (D1,9, as the window starts)
    std::optional<int> decimales;      // --decimals: 0, 1 or 2
};

// A session: the platform and the main-window state without a window.
struct Session {
    std::unique_ptr<PlateformeCli> plateforme;
    std::unique_ptr<Orvelle> o;
    Session();
    Session(Session&&) noexcept;
    Session& operator=(Session&&) noexcept;
    ~Session();
};

// Settings Zelk.dat of the folder (when there is one), language, start-up
// function, statistics hooks: what the program's start-up puts in place.
Session OuvreSession(const OptionsSession& options);

// Loads the input into the grid: a grid file (.trm) as the program loads it,
// in the file's resolution mode; any other file as an export (CSV or TXT) as
// the import reads it. The error line to show when the input is refused.
std::optional<std::string> ChargeEntree(Orvelle& o, const std::string& entree);

struct OptionsExport {
    std::string entree;
    std::optional<std::string> sortie; // -o; default: beside the input, the export extension
    bool txt = false;                  // --txt: the "txt" form and extension
    bool remplace = false;             // --force: an existing output may be replaced
    std::string commentaire;           // --comment
};

// orvelle-cli export: the exit code; errors are written to standard error.
int CommandeExport(const OptionsSession& session, const OptionsExport& options);
// orvelle-cli colour: the sample of a picture at pixel (x, y) (from the top-left
// corner), side `cote` or the settings' zone, as one line "R V B L a b zone S".
struct OptionsCouleur {
    std::string image;
    double x = 0, y = 0;
    std::optional<int> cote; // --side: 2, 4, 8, 16, 32 or 64
};
int CommandeCouleur(const OptionsSession& session, const OptionsCouleur& options);

// orvelle-cli results: the results text on standard output.
int CommandeResultats(const OptionsSession& session, const std::string& entree);

} // namespace orv::cli
