// Applying a language: the language file of the current language replaces
// table entries and captions, then the captions that come from the tables are
// put in place again.
#pragma once

#include "results/ImportCSV.h"

#include <optional>
#include <string>
#include <vector>

namespace orv {

class Orvelle;

// Zelk2_<language>.lng of the current language: the program folder's own
// file first, else the one shipped with the program; the program folder's
// path when neither exists.
std::string CheminFichierLangue(const Orvelle& o);
// The same for any language code; nothing when no file exists for it.
std::optional<std::string> FichierLangueTrouve(const Orvelle& o, const std::string& code);

// The language of the desktop session, from the locale variables in their
// order of precedence (LC_ALL, LC_MESSAGES, LANG): "de" for "de_DE.UTF-8".
// Nothing for an unset, "C" or "POSIX" locale.
std::optional<std::string> LangueBureau(const char* lcAll, const char* lcMessages,
                                        const char* lang);

// Puts the built-in French back (tables, and the captions the previous
// language changed), reads the language file of `o.parametres.langue` when
// there is one, then re-captions from the tables; French without a file of
// its own is the window as it starts.
void AppliqueLangue(Orvelle& o);
// After a language change: the functions' names, the grids' headers and the
// prompt follow it.
void SuitLangue(Orvelle& o);
// The captions the program composes from the tables and shows for a while
// (the scanner file, the annotated copy's frame), in the language of the moment.
void RecomposeLegendes(Orvelle& o);

// The function names of every language whose file is found (program folder
// or shipped), for reading exports written in any of them.
std::vector<NomsLangue> NomsDesLangues(const Orvelle& o);

// The captions taken from the tables at every language application.
void RecaptionneDepuisTables(Orvelle& o);

} // namespace orv
