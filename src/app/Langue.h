// Applying a language: the language file of the current language replaces
// table entries and captions, then the captions that come from the tables are
// put in place again.
#pragma once

#include <string>

namespace orv {

class Orvelle;

// REPPROG/Zelk2_<language>.lng
std::string CheminFichierLangue(const Orvelle& o);

// Reads the language file of `o.parametres.langue` when there is one, then
// re-captions from the tables. Nothing is reset to French first: what the
// file does not set keeps the text of the previous language.
void AppliqueLangue(Orvelle& o);

// The captions taken from the tables at every language application.
void RecaptionneDepuisTables(Orvelle& o);

} // namespace orv
