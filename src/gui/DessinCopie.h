// Draws the annotation on a picture's own pixels (the full-size copy): lines
// and texts, in place, with Qt's painter over the pixel buffer.
#pragma once

#include "platform/Plateforme.h"

#include <vector>

namespace orv {

bool DessineSurPixels(PixelsImage& image, const std::vector<DessinImage>& dessins);

} // namespace orv
