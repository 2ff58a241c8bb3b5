// The results window: a text gathering the image name, one summary line per
// column, the statistics table, the volume of 3D spores and the notation,
// shown in TBox(8) over the image and copied to the clipboard on request.
#pragma once

#include "interface/Controle.h"

#include <string>

namespace orv {

class Orvelle;

// The text, statistics refreshed first.
std::string ConstruitTexteResultats(Orvelle& o);
// Rebuilds the text of TBox(8) and shows the results frame.
void TexteResultats(Orvelle& o);
// Edit menu "Copie d'écran": the results text on the clipboard.
void CopieResultats(Orvelle& o);

// Clicks of the results and statistics commands: bout(39) show/hide,
// bout(42) copy the notation, bout(43) rebuild, MnuEDit(7) copy the results,
// cmdStat, Check(3). False for another control.
bool ClicResultats(Orvelle& o, Controle c);

} // namespace orv
