// A spore's outline brought to a fraction of a pixel from a rough ellipse
// around it: rays across the wall along the ellipse's normals, the outer edge
// on each, a robust fit, a second pass along the fitted ellipse's own
// normals, then the blur's shift taken off with the mean wall profile.
#pragma once

#include "contour/Contour.h"

namespace orv::contour {

struct Affinage {
    bool valide = false; // an outline was fitted (mesure holds it)
    MesureSpore mesure;
    // Aucun, or why the outline found is not that of a spore standing alone
    // in focus (Debris, Floue, HorsTaille).
    Refus refus = Refus::Introuvable;
};

// `depart`: the rough ellipse, its outline within `ecart` pixels of the
// wall's outer side; `bruit`: the picture's noise (grey levels).
Affinage AffineSpore(const VuePixels& image, const Ellipse& depart, double ecart, double bruit,
                     const OptionsContour& options);

} // namespace orv::contour
