// What an image file's header says, read without decoding the picture: its
// format and size (JPEG SOF, PNG IHDR, GIF screen, BMP info header, TIFF first
// directory), and whether the file visibly ends before its pixels do. Both the
// window and orvelle-cli take a picture's size from here, and every decoding
// path checks the memory a picture needs against the budget here before it
// allocates anything.
#pragma once

#include "base/Parametres.h"

#include <cstdint>
#include <istream>
#include <optional>
#include <string>

namespace orv {

enum class FormatImage { Jpeg, Png, Gif, Bmp, Tiff };

struct EnteteImage {
    FormatImage format = FormatImage::Jpeg;
    int largeur = 0, hauteur = 0; // pixels as stored, both at least 1
    // The orientation tag (images/Orientation.h) of a JPEG's EXIF block or of
    // a TIFF's first directory; 1 when there is none. Every decoding path
    // applies this one, so that the view, the samples and the copies agree.
    int orientation = 1;
    // The file ends before the pixel data its header announces (uncompressed
    // BMP, PNG without its end chunk, GIF cut inside its first picture).
    bool tronque = false;
};

// Reads the header from a stream positioned at the file's start (it seeks
// within it); nothing when the data is not a picture of these formats or its
// header is malformed. A malformed orientation tag reads as 1.
std::optional<EnteteImage> LitEnteteImage(std::istream& in);
std::optional<EnteteImage> LitEnteteImageFichier(const std::string& chemin);

// Bytes a picture takes once shown: its 32-bit pixels and the half-size
// levels under it (a third more).
std::uint64_t MemoireImage(std::int64_t largeur, std::int64_t hauteur);
// The refusal of a picture over the budget, giving its size and the limit;
// nothing when it fits. `modele` is the text of the tables (menu text 249),
// %1 x %2 the size, %3 the megabytes it needs, %4 the limit; without one,
// the numbers alone.
std::optional<std::string> RefusBudgetImage(std::int64_t largeur, std::int64_t hauteur,
                                            int budgetMo, const std::string& modele = {});

} // namespace orv
