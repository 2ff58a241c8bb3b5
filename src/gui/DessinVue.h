// Draws the picture part of the view into the cached view: where in the box
// the picture goes and which part of it, the grid at which the view samples
// each picture it is drawn from, the drawing itself (split into horizontal
// bands drawn at the same time on the available cores), and a pan that moves
// the drawn view and leaves only the uncovered strips to draw.
#pragma once

#include "images/Vue.h"
#include "pixels/PyramideImage.h"
#include "pixels/Reechantillonnage.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>

#include <functional>
#include <optional>
#include <vector>

namespace orv {

struct PlanVue {
    QRectF source;  // full-size pixels of the picture shown
    QRectF cible;   // where they go in the box, in box pixels
    double echelle; // output pixels per full-size pixel
    QPointF coin;   // the full-size picture's point at the box's top-left corner
};

// The part of a picture of `taille` full-size pixels that the view shows in a
// box of `boite` pixels; nothing when the view shows none of it (or its
// geometry is degenerate).
std::optional<PlanVue> Plan(const Vue& vue, QSize taille, QSizeF boite, double dpr);

// A picture the view is drawn from, and where the view's pixels sample it.
struct CoucheVue {
    SourceImage source;
    GrilleEchantillons grille;
};
// The grid of `s` for the plan: each pixel of the view (device pixels)
// samples at its centre, placed to the nearest eighth of a view pixel.
GrilleEchantillons GrillePour(const PlanVue& plan, const SourceImage& s);

// Draws `zone` of `vue` (all of it when empty): the first layer with `fond`
// outside the picture and where its rows are not decoded yet, the next ones
// over it where they have pixels (a preview, then the rows already decoded),
// by `fils` threads at once, the caller's among them (0: as many as the cores
// and the size call for).
// Without a layer the zone is `fond`.
// `surBande` hears of each band (a piece of whole rows) once it is drawn, on
// the calling thread, while the helpers draw others (the marks are drawn over
// a band meanwhile); the bands come in no set order.
void DessineVue(QImage& vue, const std::vector<CoucheVue>& couches, QRgb fond, QRect zone = {},
                int fils = 0, const std::function<void(QRect)>& surBande = {});

// The whole pixels by which a view drawn at grid `avant` moves to show grid
// `apres` (same steps, positions apart by whole pixels to within an eighth
// of one); nothing when it cannot be moved.
std::optional<QPoint> DecalageEntier(const GrilleEchantillons& avant,
                                     const GrilleEchantillons& apres);
// Moves the pixels of `vue` so that pixel (x, y) gets what (x + d.x, y + d.y)
// held, and gives the rectangles left to draw (none when nothing moved, the
// whole view when it moved by its size or more).
std::vector<QRect> Defile(QImage& vue, QPoint d);

} // namespace orv
