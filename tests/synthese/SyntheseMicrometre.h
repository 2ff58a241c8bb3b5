// Photographs of a stage micrometer made with the period known: dark
// graduations standing on a base line, longer every fifth and tenth, the
// scale turned a few degrees, blurred, under uneven light and noise.
#pragma once

#include "Synthese.h"

namespace orv::synthese {

struct ParametresMicrometre {
    int largeur = 1600, hauteur = 500;
    unsigned graine = 1;
    double periode = 100.3; // pixels between graduations
    int divisions = 13;
    double inclinaison = 2; // degrees of the scale from the x axis, clockwise on the screen
    double epaisseur = 4;   // of a graduation, pixels
    double courte = 60, moyenne = 95,
           longue = 140; // lengths: every graduation, every 5th, every 10th
    double flou = 1.5;
    double transmission = 0.25;
    bool ligneDeBase = true;
    double x0 = 120, y0 = 380; // foot of graduation 0
    Eclairage eclairage;
};

struct Micrometre {
    ImageRVB image;
    ParametresMicrometre parametres;
    // The point of graduation k at height h above the base line, pixels.
    double X(double k, double h) const;
    double Y(double k, double h) const;
};

Micrometre GenereMicrometre(const ParametresMicrometre& p);

// Ten divisions of `periode` pixels, the graduations' lengths following the
// period, the picture just wide enough: the tests' and benchmarks' scale.
ParametresMicrometre DixDivisions(double periode, double inclinaison, double flou, double bruit);

} // namespace orv::synthese
