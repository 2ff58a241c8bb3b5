// Where the file dialogs start: the folder last used for that kind of file,
// then the user's documents or pictures, never the program's own folder
// (hidden under ~/.local/share once installed).
#pragma once

#include <string>

namespace orv {

class Orvelle;

// Grid files, exports and charts.
std::string DossierTravaux(const Orvelle& o);
// Pictures.
std::string DossierImages(const Orvelle& o);
// The folder of a file just chosen in a dialog becomes that kind's folder.
void NoteDossierTravaux(Orvelle& o, const std::string& fichier);
void NoteDossierImages(Orvelle& o, const std::string& fichier);

} // namespace orv
