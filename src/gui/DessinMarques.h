// Paints the marks layer (crosses, segments, ellipses, rectangles, texts) over
// the view: picture units are turned into the box's pixels through the view's
// geometry, so the marks follow every zoom and pan.
#pragma once

#include "images/Vue.h"
#include "measure/Marques.h"

#include <QRectF>

#include <vector>

class QFontMetricsF;
class QPainter;

namespace orv {

// Half the width of a point cross, in twips.
inline constexpr double DemiCroixTwips = 100.0;

// Box pixels (device-independent) of a picture point.
QPointF VersPixels(const Vue& vue, PointImage p);

// Draws the marks that fall in `zone` (box pixels) and around it.
void DessineMarques(QPainter& p, const std::vector<Marque>& marques, const Vue& vue,
                    const QRectF& zone);

// The box pixels a set of marks covers, pen and text included.
QRectF EtendueMarques(const std::vector<Marque>& marques, const Vue& vue,
                      const QFontMetricsF& police);

} // namespace orv
