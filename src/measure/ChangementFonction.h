// The "Fonction" menu: the entries that switch the measurement function, each
// with its own rule for asking before the grid is emptied.
#pragma once

#include "base/Parametres.h"
#include "interface/Controle.h"
#include "interface/Interface.h"
#include "measure/EtatMesure.h"
#include "measure/SuitesMesure.h"

#include <optional>

namespace orv {

// A click on an entry of the "Fonction" menu: what it did (the grid emptied,
// a function chosen), nothing when it changed nothing; std::nullopt for an
// entry of another menu.
std::optional<SuitesMesure> ClicMenuFonction(Interface& ui, EtatMesure& m, const Parametres& p,
                                             Controle c);

} // namespace orv
