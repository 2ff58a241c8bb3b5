// The snap of a drag's ends to the outline: each end moves along the drag's
// direction to the wall's outer side (where the grey rises fastest from a
// dark wall to the medium, outwards from the segment) when one is within
// reach and clear; otherwise it stays exactly where the user put it.
#pragma once

#include "contour/Pixels.h"

namespace orv::contour {

struct OptionsAccroche {
    double portee = 4;        // pixels each way along the drag
    double contrasteMin = 12; // grey levels from the wall to the medium
};

struct Accroche {
    Point p0, p1;
    bool p0Deplace = false, p1Deplace = false;
};

// Ends in picture pixels; a drag shorter than a pixel moves nothing.
Accroche AccrocheBord(const VuePixels& image, Point p0, Point p1,
                      const OptionsAccroche& options = {});

} // namespace orv::contour
