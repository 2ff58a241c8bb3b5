// JPEG decoding straight into the picture's RGB32 rows with libjpeg-turbo,
// loaded when first needed so that the program builds and runs without it
// (Qt's reader then does the work). It decodes row by row, which lets the
// half-size levels be computed while the rows are still warm, and gives a
// quick reduced picture through the library's scaled decoding.
#pragma once

#include "images/Orientation.h"
#include "pixels/PyramideImage.h"

#include <QImage>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace orv {

class DecodeurJpeg {
public:
    // True when the file starts like a JPEG file.
    static bool EstJpeg(const unsigned char* donnees, std::size_t taille);
    // True when the library could be loaded.
    static bool Disponible();

    struct EnTete {
        int largeur = 0, hauteur = 0;
        bool progressif = false; // several scans: the whole picture is needed first
    };
    // `chemin` is the file's path in the system's encoding.
    static std::optional<EnTete> LitEnTete(const std::string& chemin);

    // The picture reduced by 1/denominateur (2, 4 or 8) into `image`, whose
    // memory is reused when it is large enough. False on failure or when
    // `annule` was raised.
    // `budgetOctets` bounds what the library itself may allocate (0: no bound).
    static bool DecodeReduit(const std::string& chemin, int denominateur, QImage& image,
                             std::shared_ptr<TamponImage>& tampon, const std::atomic<bool>& annule,
                             std::uint64_t budgetOctets = 0);

    // The whole picture into level 0 of `pyramide` (of the header's size), the
    // coarser levels computed as the rows arrive; `progres` hears how many
    // rows of level 0 are ready after each batch. A damaged file gives what
    // could be read; false when nothing could be, or when cancelled.
    // With `niveauxAPart` the coarser levels are computed on a thread of their
    // own (worth it when a core is free). `incomplet` tells whether the file
    // ended before the picture did. With an `orientation` other than 1 the
    // pyramid has the upright size and receives the picture upright; its
    // levels then come once every row is decoded.
    static bool Decode(const std::string& chemin, PyramideImage& pyramide,
                       const std::atomic<bool>& annule,
                       const std::function<void(int lignesPretes)>& progres = {},
                       bool niveauxAPart = true, std::uint64_t budgetOctets = 0,
                       bool* incomplet = nullptr, int orientation = OrientationNormale);
};

} // namespace orv
