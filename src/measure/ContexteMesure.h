// What the measure reads from the rest of the program when it acts: the view
// of the picture, the loader slot of the picture shown, the calibration and
// resolution factors, and the settings. app/ hands it in with each event; the
// measure never changes it.
#pragma once

#include "base/Parametres.h"
#include "images/Vue.h"
#include "measure/SuitesMesure.h"

#include <cstdint>

namespace orv {

// The snap of a segment's ends to the outline of what it measures, done by
// app/ over the picture's pixels (the measure never reads them): each end may
// move along the segment to the edge near it, or stays where it was pointed.
class AccrocheSegment {
public:
    virtual ~AccrocheSegment() = default;
    virtual void Accroche(PointImage& debut, PointImage& fin) = 0;
};

struct ContexteMesure {
    const Vue& vue;
    std::uint64_t versionVue = 0;   // bumped by every change of zoom, origin or box
    std::uint64_t versionImage = 0; // bumped when another picture is shown
    int image = 0;                  // loader slot of the picture shown (0: none)
    double coef = 1.0;              // micrometres per pixel unit (CoefCalibrage)
    double facteurResolution = 1.0;
    bool modeGroupe = false; // "retrace" also draws the lines of the group's other images
    const Parametres& parametres;
    SauvegardeGrille* sauvegarde = nullptr; // the grid's saves; none: nothing is saved
    // The snap of the segments of the segment function and of the 2D spores
    // (length, and width by caliper or two points); none: no snap.
    AccrocheSegment* accroche = nullptr;
};

} // namespace orv
