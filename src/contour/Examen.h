// What becomes of a blob found on the reduced picture: its outline brought to
// a fraction of a pixel, then kept as a spore standing alone in focus, or
// left out with the reason. Shared by the click and the search of a region.
#pragma once

#include "contour/Candidats.h"

namespace orv::contour {

// The reduction of the picture on which blobs are looked for: the shortest
// spore asked for still spans about ten values.
int ReductionPour(double longueurMin);

ResultatContour ExamineCandidat(const VuePixels& image, const ImageGris& g, const Segmentation& s,
                                const Candidat& c, double bruit, const OptionsContour& options);

} // namespace orv::contour
