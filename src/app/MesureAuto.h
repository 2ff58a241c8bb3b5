// Measuring from the picture in the window: a drag's ends snapped to the
// spore's outline, a spore measured by one click inside it, and every spore
// standing alone in a region found, then reviewed by the user before it
// becomes a grid line. The outline engine (contour/) reads the pixels the
// image box decoded (Plateforme::PixelsAffiches); the measure writes the
// lines from their points (measure/SporeContour.h), so that files, exports
// and orvelle-cli give the same values. Nothing here records undo steps: the
// history follows the grid (app/Historique.h).
#pragma once

#include "app/EtatMesureAuto.h"
#include "app/Orvelle.h"
#include "measure/ContexteMesure.h"

#include <optional>

namespace orv {

// The snap of the pointing (measure/ContexteMesure.h) over the picture shown:
// ends move along the segment to the outline's edge within a few screen
// pixels, to a fraction of a pixel of the picture, or stay where they were
// pointed.
class AccrocheImage final : public AccrocheSegment {
public:
    explicit AccrocheImage(const Orvelle& o) : o_(o) {}
    // The option is ticked, a picture is shown and no calibration is pointed.
    bool Active() const;
    // How far an end may move, pixels of the picture: four screen pixels
    // at the view's zoom, from 4 to 12.
    double Portee() const;
    void Accroche(PointImage& debut, PointImage& fin) override;

private:
    const Orvelle& o_;
};

// The image box's mouse and keys while a region is drawn, searched or
// reviewed: true when the event was taken here (the measure must not see
// it). The view keys (Z, C, the image drag) keep working throughout.
bool ClicMesureAuto(Orvelle& o, Bouton bouton, PointTwips p);
bool SuitMesureAuto(Orvelle& o, Bouton boutons, PointTwips p);
bool RelacheMesureAuto(Orvelle& o, Bouton bouton, PointTwips p);
bool ToucheMesureAuto(Orvelle& o, Touche touche);

// After a release the measure took: in the one-click mode of Spores 2D, a
// click (a release within the tolerance of its press) measures the spore
// under the press instead of opening a segment.
SuitesMesure ApresRelacheUnClic(Orvelle& o, const ContexteMesure& c, Bouton bouton);

// The spore around a picture point measured on its outline and written as
// a Spores 2D line; what it was refused for is said. True when written.
bool MesureSporeEn(Orvelle& o, const ContexteMesure& c, PointImage p, SuitesMesure& s);

// The Function menu's entries and the snap's box (CaseAccroche).
void CommandeMesureAuto(Orvelle& o, Controle c);

// The search's life, as the window runs it: the task to start (taken once),
// its progress, and its end. A result of a search stopped or given up is
// dropped; an end always frees the way for the next search.
std::optional<TacheRecherche> PrendTacheRecherche(Orvelle& o);
void ProgressionRecherche(Orvelle& o, std::uint64_t numero, int pourcent);
void FinRecherche(Orvelle& o, std::uint64_t numero, contour::ResultatRecherche r);
// The review's spores (not rejected) written as grid lines in reading order,
// comment "auto", up to the grid's size (what did not fit is said).
void AccepteRevue(Orvelle& o);
// Esc: the rectangle, the search or the review given up; nothing written.
void AbandonneMesureAuto(Orvelle& o);

// After every command and event: a picture or a function changed under a
// search or a review ends it (said), and the menu entries follow the state.
void VeilleMesureAuto(Orvelle& o);

} // namespace orv
