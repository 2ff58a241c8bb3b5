// The state of the image loader: the loaded paths (one slot each), the list the
// user sees, the dimension check of opened pictures and the annotated-copy
// save frame. The operations are in images/Chargeur.h.
#pragma once

#include "platform/Plateforme.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace orv {

// The loader holds 50 images at most: slots 1 to 50, as many as the table of
// per-slot calibrations.
inline constexpr int ImagesMax = 50;

struct EtatChargeur {
    // ListIMGchar: full paths in loading order; slot = index + 1.
    std::vector<std::string> ListIMGchar;
    int selection = -1;                 // selected item of ListIMGchar, -1 while none
    std::vector<int> selectionMultiple; // items selected together (group commands), increasing
    // ListImgAff: the file names the user sees (the group's in group mode).
    std::vector<std::string> ListImgAff;
    // Slots that no grid line uses, as last listed for the removal mode.
    std::vector<int> inutilisees;

    // Dimension check: the size of the first picture opened.
    std::optional<TailleImage> premiereImage;

    // Pictures whose lines, read from a grid file written before orientation
    // tags were applied, still hold points of the picture as stored (it was
    // not found to turn them upright): app/RepereTrame.h.
    std::set<std::string> repereFichier;

    // The save frame of the annotated copy ("DialogueBis"): the picture it
    // holds (nothing: the plain picture shown).
    std::optional<PixelsImage> apercu;

    // Bumped at every change of the lists and of the copy's frame; the window
    // rebuilds its list widgets when it changed.
    std::uint64_t version = 0;
};

} // namespace orv
