// The results window: a text gathering the image name, one summary line per
// column, the statistics table, the volume of 3D spores and the notation,
// shown in the results frame over the image and copied to the clipboard on request.
#pragma once

#include "base/Parametres.h"
#include "interface/Interface.h"
#include "measure/EtatMesure.h"
#include "results/EtatResultats.h"

#include <string>

namespace orv {

// The text, statistics refreshed first; `cheminImage` is the picture shown.
std::string ConstruitTexteResultats(const Interface& ui, const EtatMesure& m, EtatResultats& r,
                                    const Parametres& p, const std::string& cheminImage);
// Rebuilds the results text and shows the results frame; returns the text.
std::string AfficheResultats(Interface& ui, const EtatMesure& m, EtatResultats& r,
                             const Parametres& p, const std::string& cheminImage);

} // namespace orv
