// The "Fonction" menu: the entries that switch the measurement function, each
// with its own rule for asking before the grid is emptied.
#pragma once

#include "interface/Controle.h"

namespace orv {

class Orvelle;

// A click on an entry of the "Fonction" menu. True when the entry belongs to
// that menu, whether or not it changed anything; false for any other entry.
bool ClicMenuFonction(Orvelle& o, Controle c);

} // namespace orv
