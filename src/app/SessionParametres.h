// The settings file seen from the main window: reading it at start-up and
// showing what it holds in the controls, writing it on demand.
#pragma once

#include "base/FichierTexte.h"
#include "base/Parametres.h"

#include <string>

namespace orv {

class Orvelle;

// Zelk.dat in the program folder (REPPROG), whatever the file says of it.
std::string CheminParametres(const Orvelle& o);

// Reads the settings file into `o.parametres` and sets the controls that show
// them (option buttons, check marks, the scanner label), the start-up function
// and the calibration coefficient. A missing file is created silently from the
// settings in memory. True when a file was read.
bool LitParametres(Orvelle& o);

// The settings as the file records them: the welcome, retrace and caliper
// choices come from their controls, the calibration is the factor in use.
Parametres ParametresAEcrire(const Orvelle& o);

// Replaces the settings file. A failure is shown to the user and returned.
Ecriture SauveParametres(Orvelle& o);

} // namespace orv
