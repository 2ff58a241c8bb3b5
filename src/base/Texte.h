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
// "VRAI" or "FAUX", the booleans of the settings file.
std::string VraiFaux(bool valeur);

// Line break of multi-line messages and texts: carriage return, line feed.
inline constexpr std::string_view FinDeLigne = "\r\n";

} // namespace orv
