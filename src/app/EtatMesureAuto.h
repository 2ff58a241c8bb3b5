// The state of the measures taken from the picture itself: the one-click
// mode of Spores 2D, and the search for every spore of a region with the
// review of what it found. The rules are in app/MesureAuto.h.
#pragma once

#include "contour/TrouveSpores.h"
#include "images/Vue.h"
#include "platform/Plateforme.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace orv {

// A search handed to the window, to run away from its thread: everything it
// reads is its own (the pixels kept alive by the view's guard).
struct TacheRecherche {
    std::uint64_t numero = 0; // the search it is, for its results to find their way back
    VuePixelsImage image;
    contour::OptionsRecherche options; // the region and lengths; no progress of its own
    std::shared_ptr<std::atomic<bool>> arret;
    // Runs the search on the calling thread; `progression` hears the percentage
    // done each time it changes. A stop asked meanwhile ends it, interrupted.
    contour::ResultatRecherche Execute(const std::function<void(int)>& progression) const;
};

// A spore found by the search, as the user reviews it.
struct SporeTrouvee {
    contour::MesureSpore mesure;
    bool rejetee = false;
};

struct EtatMesureAuto {
    // Spores 2D: a click inside a spore measures it (Function menu).
    bool unClic = false;

    enum class Phase {
        Aucune,
        Zone,      // the rectangle to search is being drawn
        Recherche, // the search runs
        Revue,     // its spores wait for the user's review
    };
    Phase phase = Phase::Aucune;
    // The picture and the function the search belongs to: a change of either
    // ends it, or its review.
    std::uint64_t versionImage = 0;
    int fonction = 0;
    // The press of the rectangle being drawn, or of a click in the review.
    std::optional<PointTwips> appui;
    PointImage coin; // the rectangle's first corner

    // The last search started, and whether its thread still runs (its end
    // is always reported, stopped or not): never two at once.
    std::uint64_t numero = 0;
    bool rechercheActive = false;
    std::shared_ptr<std::atomic<bool>> arret;
    // Waiting for the window to start it (PrendTacheRecherche).
    std::optional<TacheRecherche> tache;

    // What the search found, in reading order, and what it left out.
    contour::Rectangle zone;
    std::vector<SporeTrouvee> revue;
    contour::Ecartees ecartees;
};

} // namespace orv
