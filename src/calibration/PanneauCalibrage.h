// The calibration panel Frame(7): its commands (bout(21)..bout(27), bout(44)),
// "Valider" (bout(20)), the stored calibrations of Zelk.Cal in ListCalib, the
// correction box Frame(14), the resolution and pointing options, and the
// opening of the calibration file in the user's text editor.
#pragma once

#include "base/Parametres.h"
#include "calibration/Calibrage.h"
#include "calibration/EtatCalibrage.h"
#include "interface/Interface.h"

#include <string>

namespace orv {

// Commands of the panel: button index - 21, and the correction box.
inline constexpr int CommandeCorrection = 23;

// What the panel's commands read from the rest of the program and from the
// boxes the user typed in.
struct ContextePanneau {
    const Parametres& parametres;
    ImageMontree image;
    int longueurPixels = 0;      // the measure's last segment, in pixel units
    std::string fichier;         // full path of the calibration file
    bool loupeActive = false;    // the magnifier button can be pressed
    std::string texteCalibrage;  // TBox(0)
    std::string texteCorrection; // TBox(1)
};

// Full path of the calibration file, in the program folder.
std::string CheminCalibrage(const std::string& dossierProgramme);

// MnuEDit(4) "Etalonnage/Résolution": opens the panel.
void Calibrage_Ouvre(Interface& ui, EtatCalibrage& c);
// bout(19) "Quitter calibrage".
void Calibrage_Ferme(Interface& ui);
// Runs one panel command (bout(21 + commande), or 23 for bout(44)).
void EtapeCadreCalibrage(Interface& ui, EtatCalibrage& c, const ContextePanneau& x, int commande);
// bout(20) "Valider", and Enter in TBox(0).
void ValideCadreCalibrage(Interface& ui, EtatCalibrage& c, const ContextePanneau& x);

// Stores the current factor under the comment typed in TBox(0).
void Calibrage_Sauve(Interface& ui, EtatCalibrage& c, const ContextePanneau& x);
// Fills ListCalib from the file.
void Calibrage_Charge(Interface& ui, EtatCalibrage& c, const std::string& fichier);
// A row of ListCalib was clicked.
void ChoisitCalibrageListe(Interface& ui, EtatCalibrage& c, int ligne);

// The correction box's "Appliquer" (`applique`) multiplies the factor by the
// coefficient typed in the box; "Annuler" restores the factor the box was
// opened with.
void FermeCorrection(Interface& ui, EtatCalibrage& c, const ContextePanneau& x, bool applique);

// Optn(1) "Ind. Dim." / Optn(2) "Ind. Res.": the resolution mode (asked first
// while the grid has lines, `lignes`; refused while a measure is half
// entered); Optn(3) "Calibrage / longueur" / Optn(4) "Calibrage / graduations"
// / "Calibrage / période des graduations": the pointing option of command 2.
// False for another control.
bool ClicOption(Interface& ui, EtatCalibrage& c, Parametres& p, ImageMontree im, bool lignes,
                bool mesureInachevee, Controle option);

// bout(6) "Editer le fichier de calibrage".
void Editeur(Interface& ui, const std::string& fichier);

} // namespace orv
