// Draws the picture part of the view into the cached view: where in the box
// the picture goes and which part of it, and the drawing itself, split into
// horizontal bands drawn at the same time on the available cores.
#pragma once

#include "images/Vue.h"
#include "pixels/PyramideImage.h"

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QSize>

#include <optional>
#include <vector>

namespace orv {

struct PlanVue {
    QRectF source;  // full-size pixels of the picture shown
    QRectF cible;   // where they go in the box, in box pixels
    double echelle; // output pixels per full-size pixel
};

// The part of a picture of `taille` full-size pixels that the view shows in a
// box of `boite` pixels; nothing when the view shows none of it (or its
// geometry is degenerate).
std::optional<PlanVue> Plan(const Vue& vue, QSize taille, QSizeF boite, double dpr);

// Fills `vue` with `fond` outside the picture, then draws the sources one
// over the other (a preview, then the rows already decoded), in `bandes`
// bands at once (0: as many as the cores and the size call for).
void DessineVue(QImage& vue, const std::optional<PlanVue>& plan,
                const std::vector<SourceImage>& sources, const QColor& fond, int bandes = 0);

} // namespace orv
