// The calibration's entry from the main window: one dispatch for the buttons,
// options and menu entries that belong to the calibration and the image group,
// and the start-up wiring (the grid's hook, the controls that follow the modes).
#pragma once

#include "interface/Controle.h"

namespace orv {

class Orvelle;

// A click on a control of the calibration panel, its input dialogue, its
// options, the image group or their menu entries. False when the control is
// not one of them.
bool ClicCalibrage(Orvelle& o, Controle c);

// Run once at start-up, after the settings were read: every value written to
// the grid reaches the calibration, and the controls follow the modes.
void InstalleCalibrage(Orvelle& o);

} // namespace orv
