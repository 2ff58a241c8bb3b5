// What a measure command or a pointing event did that the rest of the program
// follows up: each value handed to the grid and what became of it, the erasing
// or emptying of the grid, a function chosen, and the change of view a press or
// a key asks for. The measure says what happened; app/ saves the grid file,
// recomputes the statistics, hands the value to a calibration waiting for its
// segment and moves the view.
#pragma once

#include "images/Vue.h"

#include <optional>
#include <string>
#include <vector>

namespace orv {

// The grid file writer, implemented in app/: the grid saves itself through it
// before the first value of every SAVAUTO-th line, and when it is full.
class SauvegardeGrille {
public:
    virtual ~SauvegardeGrille() = default;
    // Where these saves go.
    virtual std::string Chemin() const = 0;
    // Writes the grid file at `chemin`; false (said) when nothing was written.
    virtual bool Sauve(const std::string& chemin) = 0;
};

enum class EtatAjout {
    Ecrite,       // written into the current line
    GrillePleine, // the grid's size is reached: nothing written, the grid saved (said)
    Refusee,      // the grid has no room for the line (said)
};

// A value handed to the grid (AjouteValeur).
struct ResultatAjout {
    EtatAjout etat = EtatAjout::Refusee;
    int ligne = 0; // the line it went to, and its value number (column)
    int etape = 0;
    double valeur = 0;
    int longueurPixels = 0; // the last pointed segment's whole pixel units at that time

    bool Ecrite() const { return etat == EtatAjout::Ecrite; }
};

// A change of the view asked for by a press or a key; the view is not the
// measure's to change.
struct DemandeVue {
    enum class Genre {
        ZoomCentre, // Z + click: zoom centred on `point`, `mode` 1 in, 2 out
        Recentre,   // C + click: `point` comes to the centre of the box
        Deplace,    // a drag of the image by (`point.x`, `point.y`) twips
        ChampLoupe, // "<>": the magnified square 1000 <-> 500 twips
    };
    Genre genre = Genre::Recentre;
    PointTwips point;
    int mode = 1;
};

struct SuitesMesure {
    std::vector<ResultatAjout> ajouts; // in the order they were handed over
    bool effacement = false;           // a value or a line was erased
    bool grilleVidee = false;          // every line was emptied
    bool fonctionChoisie = false;      // a function was chosen: its columns are laid out
    bool basculeStatistiques = false;  // Space: the statistics frame shown or hidden
    std::optional<DemandeVue> vue;
    // The colour function: a sample asked at this picture point.
    std::optional<PointImage> echantillon;

    void Ajoute(const SuitesMesure& s) {
        ajouts.insert(ajouts.end(), s.ajouts.begin(), s.ajouts.end());
        effacement = effacement || s.effacement;
        grilleVidee = grilleVidee || s.grilleVidee;
        fonctionChoisie = fonctionChoisie || s.fonctionChoisie;
        basculeStatistiques = basculeStatistiques || s.basculeStatistiques;
        if (s.vue) vue = s.vue;
        if (s.echantillon) echantillon = s.echantillon;
    }
};

} // namespace orv
