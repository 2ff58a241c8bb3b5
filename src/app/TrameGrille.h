// The grid file and the grid: the window's work gathered as a grid file, and a
// grid file put back into the grid, every line recomputed from its points
// exactly as it was measured (its image's factor, size and resolution factor;
// pixel units never depend on the zoom or the box).
#pragma once

#include "app/FichierTrame.h"

#include <optional>
#include <string>
#include <vector>

namespace orv {

class Orvelle;
class TablesTextes;

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

// Where the file's pictures are, and the size each one's header gives now,
// upright (0 x 0 when it is not found or not readable), with its orientation tag.
struct ImagesTrame {
    std::vector<std::string> chemins;
    std::vector<TailleImage> lues;
    std::vector<int> orientations;         // 1 when not found
    std::vector<std::string> introuvables; // paths as the file names them
};
ImagesTrame SitueImagesTrame(const Orvelle& o, const Trame& t);

// What must be known before anything changes: every cell that the grid holds
// as a number is one (or empty), counts are whole numbers a click can reach,
// and every line recomputed from its points has its picture's size (read from
// the picture, else recorded in the file). The first fault, naming the line.
std::optional<ErreurTrame> VerifieTrame(const Orvelle& o, const Trame& t, const ImagesTrame& im);

// Pictures found whose size is not the one the file recorded, one text each
// ("a.jpg : 1600 x 1200 (enregistrée : 800 x 600)").
std::vector<std::string> TaillesChangees(const Trame& t, const ImagesTrame& im,
                                         const TablesTextes& textes);
// The question asked then: Yes recomputes the lines on the pictures' present
// size, No keeps the values measured on the recorded size.
std::string QuestionTaillesChangees(const std::vector<std::string>& changees,
                                    const TablesTextes& textes);

// Replaces the grid, the loader list and the factors by the file's work; the
// file must have been read whole and checked (VerifieTrame). Each line is
// recomputed on its picture's present size (`taillesLues`), or on the size the
// file recorded where it recorded one. Says nothing: see AnnonceBilan.
BilanTrame RemplaceParTrame(Orvelle& o, const Trame& t, const ImagesTrame& im, bool taillesLues);
BilanTrame RemplaceParTrame(Orvelle& o, const Trame& t);
// Message 210, message 209 for the missing images, and what was left out.
void AnnonceBilan(Orvelle& o, const BilanTrame& b);

} // namespace orv
