// What the CSV export keeps between two exports: the user's comment printed in
// the header, whether the comment frame serves the export, and the
// clock that dates each export.
#pragma once

#include <functional>
#include <string>

namespace orv {

// The comment frame edits a grid line's comment, or the export comment before "Export
// grille sous ...".
enum class ModeCadre10 { Commentaire, Export };

// The first line of an export: the system's short date and time forms.
struct Horodatage {
    std::string date;  // "dd/mm/yyyy"
    std::string heure; // "hh:mm:ss"
};

struct EtatExport {
    std::string commentaire; // the export comment, empty at start
    ModeCadre10 modeCadre10 = ModeCadre10::Commentaire;
    // Tests fix the clock; unset, the local time is used.
    std::function<Horodatage()> horloge;
};

} // namespace orv
