// The grid file and the grid: the window's work gathered as a grid file, and a
// grid file put back into the grid, every line recomputed from its points
// exactly as it was measured (its image's factor, size and resolution factor;
// pixel units never depend on the zoom or the box).
#pragma once

#include "app/FichierTrame.h"

#include <string>
#include <vector>

namespace orv {

class Orvelle;

// The images of the loader with their factors and sizes, and the complete
// lines 1 .. LigneCourante - 1 with their points, cells and comments.
Trame ConstruitTrame(Orvelle& o);

// Where an image named by a file is: the path itself when it exists, else the
// file of that name in the image folder (REPIMAGE). `trouvee` false when
// neither exists; the path read is then kept, so that saving again loses nothing.
std::string SitueImage(const Orvelle& o, const std::string& chemin, bool& trouvee);

// What a load did beyond the grid, for the user.
struct BilanTrame {
    bool ecranCorrige = false;             // the factors were counted on another box width
    std::vector<std::string> introuvables; // image paths found nowhere
    int lignesChargees = 0;
    int lignesIgnorees = 0; // beyond the grid's 255 lines or its size
    int imagesIgnorees = 0; // beyond the loader's 50 images
};

// Replaces the grid, the loader list and the factors by the file's work; the
// file must have been read whole. Says nothing: see AnnonceBilan.
BilanTrame RemplaceParTrame(Orvelle& o, const Trame& t);
// Message 210, message 209 for the missing images, and what was left out.
void AnnonceBilan(Orvelle& o, const BilanTrame& b);

// Said when a file names more images than the loader holds.
inline constexpr const char* ImagesNonChargees =
    " images de la trame non chargées (le chargeur en contient 50 au maximum)";

} // namespace orv
