// The recent work of the File menu: the grid files and the pictures last
// opened, kept at once in a file of their own beside the settings file
// ("TRAME=" and "IMAGE=" lines, most recent first), so that the next start
// offers them whether or not the settings were saved.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orv {

class Orvelle;

enum class GenreRecent { Trame, Image };

inline constexpr std::string_view NomFichierRecents = "Recents.dat";

// Both lists as the file in the program folder gives them (empty without it).
void LitRecents(Orvelle& o);

// A grid file read or saved, a picture opened: first in its list (by its
// full path).
void NoteRecent(Orvelle& o, GenreRecent genre, const std::string& chemin);

// Entry `index` of a list chosen in the menu: the grid file read as "Charger la
// trame" reads it (the question first when the grid holds data), the picture
// opened as "Ouvrir Image" opens it. A file no longer there is said and leaves
// the list. False when nothing was opened.
bool OuvreRecent(Orvelle& o, GenreRecent genre, std::size_t index);

} // namespace orv
