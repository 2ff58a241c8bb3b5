// The period of a stage micrometer's or an eyepiece reticle's graduations
// along a line the user dragged over them: a first estimate from the
// profile's autocorrelation, then every graduation located to a fraction of
// a pixel and a line fitted through their positions. The period is the
// distance between neighbouring graduations measured square to them: a drag
// a few degrees off the scale reads the same period.
#pragma once

#include "contour/Pixels.h"

namespace orv::contour {

struct OptionsGraduations {
    double demiBande = 6; // pixels each side of the line taken in the profile
};

enum class RefusGraduations {
    Aucun,
    HorsImage,    // the line leaves the picture, or is shorter than 8 pixels
    PasDePeriode, // no periodic pattern of dark lines along it
    LigneCourte,  // fewer than two divisions along it
};

struct ResultatGraduations {
    RefusGraduations refus = RefusGraduations::Aucun;
    double periode = 0;     // pixels
    int graduations = 0;    // graduations located
    int divisions = 0;      // from the first to the last of them
    double dispersion = 0;  // standard deviation of their positions about the fitted line, pixels
    double inclinaison = 0; // degrees between the graduations and the square to the line
    // The first and last graduations where they cross the line (to snap the ends to).
    Point premiere, derniere;
};

ResultatGraduations PeriodeGraduations(const VuePixels& image, Point a, Point b,
                                       const OptionsGraduations& options = {});

} // namespace orv::contour
