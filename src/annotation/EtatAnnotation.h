// The state of the annotation: which reference or text is under way and the
// step of its prompts, what the user chose last (kept until the program
// closes, so that a series of figures gets identical bars), the marks drawn
// on the view, and the full-size copy's drawings waiting to be made on it.
#pragma once

#include "images/Vue.h"
#include "measure/Marques.h"
#include "platform/Plateforme.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// Where the input line of a scale bar or a text stands.
enum class EtapeSaisie { Aucune, Longueur, Unite };

struct EtatAnnotation {
    // Modes, exclusive in use.
    bool ModeReferenceSimple = false;
    bool ModeOrienteeTrace = false;  // waiting for the drag that gives the direction
    bool ModeOrienteeSaisie = false; // direction known, length and unit being entered
    bool ModeTexte = false;
    // Step of the prompts: the length (or the text) asked, then the unit
    // (the next "OK" draws).
    EtapeSaisie EtatSaisie = EtapeSaisie::Aucune;
    // Press and release points of the reference under way.
    PointImage PointReference;
    PointImage FinReference;
    bool glisse = false; // the oriented drag is under way (button held)

    // Kept from one reference to the next.
    double LongueurReference = 10; // micrometres
    std::string unite;             // empty: none typed yet, "microns" is offered
    int TailleTrace = 1;           // pen size on the copy: 1, 2 or 5
    PoliceTexte police;            // of the labels and texts
    bool ReferenceSurImage = false;

    // The marks on the view, in picture units; they last until the view is
    // redrawn (a cancelled prompt) or another picture is shown.
    std::vector<Marque> marques;
    std::uint64_t version = 0;
    std::uint64_t versionImage = 0; // of the picture they were drawn on

    // The full-size copy: drawings to make on it, and whether it holds the
    // picture already (the drawings then accumulate on it).
    std::vector<DessinImage> dessinsCopie;
    bool CopieImageChargee = false;
};

} // namespace orv
