// The mark record of the grid lines: the segments each line keeps (the grid
// file stores them), the image and zoom it was measured on, and every mark it
// drew, so that "retrace" draws it again.
#pragma once

#include "measure/Marques.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// One segment of a mark, in picture units.
struct SegmentTrace {
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    friend bool operator==(const SegmentTrace&, const SegmentTrace&) = default;
};

// A mark drawn for a line, kept for "retrace": `valeur` is the column of the
// value it belongs to (not drawn once that value is erased); `marque.couleur`
// holds the role, 1 (points, numbers) or 2 (sides), turned into the colour
// chosen with "Couleur1" or "Couleur2" when drawn.
struct MarqueTrace {
    int valeur = 1;
    Marque marque;
};

// Marks of one grid line, kept in step with the grid rows.
struct TraceLigne {
    std::array<SegmentTrace, 17> segments{};
    std::int16_t image = 0; // image slot the line was measured on (0 = none)
    std::int16_t zoom = 0;  // zoom exponent when measured
    std::string texte;      // text of the line's mark; "0" once a value was erased
    // Every mark drawn for the line (crosses, sides, outlines, texts), in picture
    // units; kept in memory only: a line read from a grid file is drawn from its
    // segments.
    std::vector<MarqueTrace> marques;
    // Value 1 is a broken line ("Poly"): its length is not segment 1's. Set for
    // the lines read from a grid file (the marks that tell it are not kept).
    bool ligneBrisee = false;
    // A spore measured on its outline (segments 1 and 2 the axes of the
    // ellipse fitted to it): its marks are that ellipse with its axes, also
    // when the line is read from a grid file. A back-erase into the line ends it.
    bool contour = false;
};

inline constexpr int LignesMax = 255; // the grid never holds more lines

} // namespace orv
