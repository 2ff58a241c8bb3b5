// The snap of a drag's ends to the outline: each end moves along the drag's
// direction to the wall's outer side (where the grey rises fastest from a
// dark wall to the medium, outwards from the segment, on a band three
// pixels wide) when one is within reach and clear; otherwise it stays
// exactly where the user put it. The end lands on the edge as the picture
// shows it: at a spore's narrow end that is a tenth of a pixel or two inside
// the one-click outline, which takes off the pull blur gives a curved edge.
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
