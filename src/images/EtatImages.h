// The state of the images subsystem: the picture shown and the view of it, the
// magnifier, the loader and the loader slot of the picture shown. Its rules
// (images/CommandesVue.h, images/Chargeur.h) take it beside what they tell the user.
#pragma once

#include "images/EtatChargeur.h"
#include "images/EtatRepertoire.h"
#include "images/Vue.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orv {

struct EtatImages {
    // The picture shown (empty path: the built-in default picture) and its geometry.
    Vue vue;
    std::string cheminImage;
    std::uint64_t versionImage = 0; // bumped when another picture is shown
    std::uint64_t versionVue = 0;   // bumped when zoom, origin or box size change
    struct {
        bool active = true; // the magnifier follows the pointer
        int champ = 1000;   // side of the magnified square, twips (1000 or 500)
    } loupe;
    // The image loader: one slot per loaded image.
    EtatChargeur chargeur;
    // The folder browser that adds to the loader and removes from it.
    EtatRepertoire repertoire;
    // Slot of the picture shown (1..50), 0 while it is in none; measures
    // record it, and its calibration factor is the current one.
    int IndexImage = 0;
    // The picture shown before the one being decoded: a picture whose decoding
    // fails gives the view back to it, as it was.
    struct ImageMontree {
        std::string chemin;
        int IndexImage = 0;
        Vue vue;
    };
    std::optional<ImageMontree> precedente;
};

} // namespace orv
