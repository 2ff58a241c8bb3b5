// The engine's view over a made picture, for the outline engine's tests.
#pragma once

#include "Synthese.h"
#include "contour/Pixels.h"

namespace orv::test {

inline contour::VuePixels Vue(const synthese::ImageRVB& im) {
    return {im.pixels.data(), im.largeur, im.hauteur, im.largeur};
}

// A plain field: the medium under uneven light, with noise.
inline synthese::ImageRVB ChampVide(int largeur, int hauteur, unsigned graine = 1) {
    std::mt19937 alea(graine);
    return synthese::Compose(synthese::Plan(largeur, hauteur, 1.0f), synthese::Eclairage{}, alea);
}

} // namespace orv::test
