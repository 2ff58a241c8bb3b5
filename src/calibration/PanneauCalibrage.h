// The calibration panel Frame(7): its commands (bout(21)..bout(27), bout(44)),
// "Valider" (bout(20)), the stored calibrations of Zelk.Cal in ListCalib, the
// correction box Frame(14), the resolution and pointing options, and the
// opening of the calibration file in the user's text editor.
#pragma once

#include "interface/Controle.h"

#include <string>

namespace orv {

class Orvelle;

// Commands of the panel: button index - 21, and the correction box.
inline constexpr int CommandeCorrection = 23;

// Full path of the calibration file, in the program folder.
std::string CheminCalibrage(const Orvelle& o);

// MnuEDit(4) "Etalonnage/Résolution": opens the panel.
void Calibrage_Ouvre(Orvelle& o);
// bout(19) "Quitter calibrage".
void Calibrage_Ferme(Orvelle& o);
// Runs one panel command (bout(21 + commande), or 23 for bout(44)).
void EtapeCadreCalibrage(Orvelle& o, int commande);
// bout(20) "Valider", and Enter in TBox(0).
void ValideCadreCalibrage(Orvelle& o);

// Stores the current factor under the comment of TBox(0).
void Calibrage_Sauve(Orvelle& o);
// Fills ListCalib from the file.
void Calibrage_Charge(Orvelle& o);
// A row of ListCalib was clicked.
void ListCalib_Click(Orvelle& o, int ligne);

// Command1(0) applies the correction coefficient of TBox(1), Command1(1) "Annuler"
// restores the factor the box was opened with.
void Command1_Click(Orvelle& o, int index);

// Optn(1) "Ind. Dim." / Optn(2) "Ind. Res.": the resolution mode; Optn(3)
// "Calibrage / longueur" / Optn(4) "Calibrage / graduations": the pointing
// option of command 2. False for another index.
bool ClicOption(Orvelle& o, Controle c);

// bout(6) "Editer le fichier de calibrage".
void Editeur(Orvelle& o);

} // namespace orv
