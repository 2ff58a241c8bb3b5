// Reading and writing the program's text files: Windows-1252 bytes with CR LF
// line ends on disk (UTF-8 when a text holds a character that Windows-1252
// lacks), UTF-8 strings in memory. Writes are atomic: a temporary file of a
// unique name beside the target is written, synced and renamed over it.
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace orv {

struct Ecriture {
    bool ok = true;
    std::string erreur; // why the write failed, for the user
    explicit operator bool() const { return ok; }
};

// Splits a text at CR LF, LF or a lone CR. A final line end does not make an
// empty last line.
std::vector<std::string> DecoupeLignes(std::string_view texte);

// Reads a whole stream of CP1252 (or UTF-8) text into UTF-8 lines.
std::vector<std::string> LitLignes(std::istream& in);
// Same from a file; nothing when it cannot be opened.
std::optional<std::vector<std::string>> LitLignesFichier(const std::string& chemin);

// Joins UTF-8 lines into the on-disk form, each line ended by CR LF:
// Windows-1252, or UTF-8 when a line holds a character that Windows-1252
// cannot write (a "?" would replace it for good; readers take a valid UTF-8
// file as such).
std::string TexteFichier(const std::vector<std::string>& lignes);

// Writes bytes to a file atomically: a temporary file of a unique name in the
// target's folder (created exclusively, never through a link), the replaced
// file's permissions, synced, renamed over the target, the folder synced.
// On any failure the temporary file is removed and the target left whole.
Ecriture EcritAtomique(const std::string& chemin, const std::string& octets);
// Writes UTF-8 lines as TexteFichier forms them, atomically.
Ecriture EcritLignesFichier(const std::string& chemin, const std::vector<std::string>& lignes);

// True when the file can be opened for reading.
bool FichierExiste(const std::string& chemin);

} // namespace orv
