// The pointing behaviours the image box delegates to, one per family of
// measuring functions: each turns presses, releases and moves into points,
// provisional drawing and grid values. They hold no state of their own: the
// state lives in EtatMesure::pointage, so that a cancellation anywhere reaches it.
#pragma once

#include "measure/OutilsPointage.h"

namespace orv {

class ComportementPointage {
public:
    virtual ~ComportementPointage() = default;
    virtual void Presse(ActionPointage& a, const EvenementImage& e) const = 0;
    virtual void Relache(ActionPointage&, const EvenementImage&) const {}
    // A move of the pointer, button held or not.
    virtual void Suit(ActionPointage&, const EvenementImage&) const {}
};

// Segment functions: a press starts, a release (or a second click) ends.
const ComportementPointage& PointageSegment();
// Spore width across the length segment (option "Palmer").
const ComportementPointage& PointagePalmer();
// Broken line ("Poly"), the first value of a line.
const ComportementPointage& PointageLigneBrisee();
const ComportementPointage& PointageComptage();
// The surface of a density (ellipse or rectangle); its counting is PointageComptage.
const ComportementPointage& PointageDensite();
const ComportementPointage& PointageTriangle();
const ComportementPointage& PointagePolygone();

// The segment ends at `fin`: with the right button the window is asked for a
// context menu, otherwise the value is written. Shared by the segment and the
// caliper.
void TermineSegment(ActionPointage& a, const EvenementImage& e, PointImage debut, PointImage fin);
// Writes a segment's value with its marks (cross at the end, line number or
// dimension); `epaisseur` takes a 3D spore's second segment as the thickness.
void ValideSegment(ActionPointage& a, PointImage debut, PointImage fin, bool epaisseur);

} // namespace orv
