// The settings file Zelk.dat: one "KEY = value" line per setting, read into and
// written from the typed `Parametres`. The key table in the .cpp is the one place
// that knows each key's text, how its value is read and how it is written.
#pragma once

#include "base/FichierTexte.h"
#include "base/Parametres.h"

#include <istream>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

inline constexpr std::string_view NomFichierParametres = "Zelk.dat";

// What the writer needs besides the settings themselves.
struct ContexteParametres {
    std::string titre;            // first line: the program's one-line description
    std::string dossierProgramme; // written for information, never read back
    char separateur = ',';        // decimal separator of the user's locale
};

struct LectureParametres {
    std::set<std::string> cles;        // known keys applied, upper case
    std::vector<std::string> rejetees; // lines of a known key whose value was unusable
};

// Reads settings lines over `p`: what the file does not hold keeps its value.
// Unknown keys, lines without "=" and unusable values are skipped; when a key
// occurs twice the last occurrence wins.
LectureParametres LitParametresDepuis(std::istream& in, Parametres& p);
LectureParametres LitParametresDepuis(const std::vector<std::string>& lignes, Parametres& p);
// Nothing when the file cannot be opened.
// Nothing when the file is missing, not a regular file or too big
// (`defaut` says which).
std::optional<LectureParametres> LitFichierParametres(const std::string& chemin, Parametres& p,
                                                      DefautLecture* defaut = nullptr);

// The 25 lines of the file, in order (UTF-8, without line ends).
std::vector<std::string> LignesParametres(const Parametres& p, const ContexteParametres& ctx);
// The file's bytes (CP1252, CR LF) to a stream, or atomically to a file.
void EcritParametres(std::ostream& out, const Parametres& p, const ContexteParametres& ctx);
Ecriture EcritFichierParametres(const std::string& chemin, const Parametres& p,
                                const ContexteParametres& ctx);

} // namespace orv
