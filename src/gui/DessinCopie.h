// Draws the annotation on a picture's own pixels (the full-size copy): lines
// and texts, in place, with Qt's painter over the pixel buffer; and the small
// picture of the copy its frame shows.
#pragma once

#include "platform/Plateforme.h"

#include <QImage>
#include <QSize>

#include <vector>

namespace orv {

bool DessineSurPixels(PixelsImage& image, const std::vector<DessinImage>& dessins);

// The picture reduced to fit `cadre` (its proportions kept), each pixel the
// mean of the pixels it covers, read where they lie (no copy of the picture).
QImage ReduitPixels(const PixelsImage& image, QSize cadre);

} // namespace orv
