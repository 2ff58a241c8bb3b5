// Every spore standing alone in a region of the picture (or all of it),
// measured on its outline, in reading order; what was left out counted by
// reason. Meant to run away from the window's thread: it reports its
// progress and stops when asked, and keeps no state of its own.
#pragma once

#include "contour/Contour.h"

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

namespace orv::contour {

struct OptionsRecherche {
    std::optional<Rectangle> zone;              // nothing: the whole picture
    double longueurMin = 20, longueurMax = 300; // pixels
    double flouMax = 4;
    // Called now and then from the calling thread with the fraction done
    // (0 to 1); returning false stops the search.
    std::function<bool(double)> progression;
    // Read often, from every thread at work: true stops the search.
    const std::atomic<bool>* arret = nullptr;
};

// How many blobs were left out, by reason.
struct Ecartees {
    int coupees = 0, accolees = 0, amas = 0, floues = 0, debris = 0, horsTaille = 0;
    int Total() const { return coupees + accolees + amas + floues + debris + horsTaille; }
};

struct ResultatRecherche {
    std::vector<MesureSpore> spores; // in reading order
    Ecartees ecartees;
    bool interrompue = false; // stopped before the end: no spore is given
    Rectangle zone;           // the rectangle searched, inside the picture
};

// A region reaching out of the picture is searched where it is inside.
ResultatRecherche TrouveSpores(const VuePixels& image, const OptionsRecherche& options = {});

// Reading order: rows from the top, each from the left. A row gathers the
// spores whose centres lie within half a typical spore's height (the median
// of their heights) below the first centre of the row.
void RangeEnLecture(std::vector<MesureSpore>& spores);

} // namespace orv::contour
