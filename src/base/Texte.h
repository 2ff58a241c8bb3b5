// Small text helpers shared by every file reader.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orv {

// Blanks and tabs removed at both ends.
std::string Trim(std::string_view s);
// ASCII letters upper-cased (keys of the program's files are ASCII).
std::string Majuscules(std::string_view s);
// Splits at every occurrence of the separator; an empty text gives one field.
std::vector<std::string> Decoupe(std::string_view s, char separateur);
// The text on one line: each line break (CR LF, LF or CR) becomes one blank.
// Comments, paths and messages that end up as one line of a file use it.
std::string SurUneLigne(std::string_view texte);
// A text from a file as a message may quote it: control characters (C0, DEL,
// C1) written as \xNN, so that a message never carries raw control bytes.
std::string Lisible(std::string_view texte);
// A file name as the window shows it: bytes that are not valid UTF-8 and
// control characters (a line break in a name) become U+FFFD, so that a name is
// always one readable line. Only for showing: the path itself is kept as it is.
std::string NomAffichable(std::string_view chemin);
// A path as one line of a text file, and back: the bytes a line cannot hold
// (control characters, bytes that are not valid UTF-8) and "%" are written
// as %XX. A name without them is written as it is.
std::string EchappeChemin(std::string_view chemin);
std::string RetrouveChemin(std::string_view texte);
// The path needs escaping to be one line of a text file.
bool CheminAEchapper(std::string_view chemin);
// "VRAI" or "FAUX", the booleans of the settings file.
std::string VraiFaux(bool valeur);

// Line break of multi-line messages and texts: carriage return, line feed.
inline constexpr std::string_view FinDeLigne = "\r\n";

} // namespace orv
