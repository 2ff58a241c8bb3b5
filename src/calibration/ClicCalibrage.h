// The calibration's entry from the main window: one dispatch for the buttons,
// options and menu entries that belong to the calibration and the image group,
// and the start-up wiring (the grid's hook, the controls that follow the modes).
#pragma once

#include <string>

namespace orv {

class Orvelle;

// A click on a control of the calibration: bout(6), (10), (19)-(27), (31),
// (32), (44); Optn(1)-(4); Command1(0), (1); MnuEDit(4); BoutMC(0)-(4);
// chkMC(0), (1); cmdChargeMC; Mntool(3), (6). False when the control is not
// one of them. The annotation prompts claim bout(31) and bout(32) first.
bool ClicCalibrage(Orvelle& o, const std::string& famille, int index);

// Run once at start-up, after the settings were read: every value written to
// the grid reaches the calibration, and the controls follow the modes.
void InstalleCalibrage(Orvelle& o);

} // namespace orv
