// A spore measured on its outline, as the grid keeps it: an ordinary Spores
// 2D line whose two segments are the axes of the ellipse fitted to the
// outline (each value from its two picture points, as a pointed segment's,
// Q and V following), with the comment "auto", drawn as that ellipse with its
// axes. The outline itself comes from app/, which reads the picture.
#pragma once

#include "interface/Interface.h"
#include "measure/ContexteMesure.h"
#include "measure/EtatMesure.h"
#include "measure/SuitesMesure.h"

#include <vector>

namespace orv {

// The comment of the lines measured on their outline, whatever the language:
// it is data of the work, read back by every reader (orvelle-cli's too).
inline constexpr const char* CommentaireAuto = "auto";

// The marks of such a line in role colours: its number at the start of the
// length axis (unless "insère dim"), the length axis with value 1, the
// ellipse and the width axis with value 2.
std::vector<MarqueTrace> MarquesSporeContour(const EtatMesure& m, SegmentTrace longueur,
                                             SegmentTrace largeur);

// Writes the spore as the next line of the grid: the function must be Spores
// 2D with no line half measured (the caller checks both). False when the grid
// did not take it (the grid says why); `s` gets what was written.
bool EcritSporeContour(Interface& ui, EtatMesure& m, const ContexteMesure& c, SegmentTrace longueur,
                       SegmentTrace largeur, SuitesMesure& s);

} // namespace orv
