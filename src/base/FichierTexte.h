// Reading and writing the program's text files: Windows-1252 bytes with CR LF
// line ends on disk, UTF-8 strings in memory. Writes are atomic: a temporary
// file beside the target is written, flushed and renamed over it.
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

// Joins UTF-8 lines into the on-disk form: CP1252, each line ended by CR LF.
std::string TexteFichier(const std::vector<std::string>& lignes);

// Writes bytes to a file atomically.
Ecriture EcritAtomique(const std::string& chemin, const std::string& octets);
// Writes UTF-8 lines as a CP1252 / CR LF file, atomically.
Ecriture EcritLignesFichier(const std::string& chemin, const std::vector<std::string>& lignes);

// True when the file can be opened for reading.
bool FichierExiste(const std::string& chemin);

} // namespace orv
