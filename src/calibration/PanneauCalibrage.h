// The calibration panel: its commands (the numbered buttons and "Objectif"),
// "Valider", the stored calibrations of Zelk.Cal in its list, the
// correction box, the resolution and pointing options, and the
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
    std::string texteCalibrage;  // the panel's text box
    std::string texteCorrection; // the correction box's text
};

// Full path of the calibration file, in the program folder.
std::string CheminCalibrage(const std::string& dossierProgramme);

// Edit > "Etalonnage/Résolution": opens the panel.
void Calibrage_Ouvre(Interface& ui, EtatCalibrage& c);
// "Quitter calibrage".
void Calibrage_Ferme(Interface& ui);
// Runs one panel command (numbered as its buttons, "Objectif" last).
void EtapeCadreCalibrage(Interface& ui, EtatCalibrage& c, const ContextePanneau& x, int commande);
// "Valider", and Enter in the panel's text box.
void ValideCadreCalibrage(Interface& ui, EtatCalibrage& c, const ContextePanneau& x);

// Stores the current factor under the comment typed in the panel's text box.
void Calibrage_Sauve(Interface& ui, EtatCalibrage& c, const ContextePanneau& x);
// Fills ListCalib from the file.
void Calibrage_Charge(Interface& ui, EtatCalibrage& c, const std::string& fichier);
// A row of ListCalib was clicked.
void ChoisitCalibrageListe(Interface& ui, EtatCalibrage& c, int ligne);

// The correction box's "Appliquer" (`applique`) multiplies the factor by the
// coefficient typed in the box; "Annuler" restores the factor the box was
// opened with.
void FermeCorrection(Interface& ui, EtatCalibrage& c, const ContextePanneau& x, bool applique);

// "Ind. Dim." / "Ind. Res.": the resolution mode (asked first
// while the grid has lines, `lignes`; refused while a measure is half
// entered); "Calibrage / longueur" / "Calibrage / graduations"
// / "Calibrage / période des graduations": the pointing option of command 2.
// False for another control.
bool ClicOption(Interface& ui, EtatCalibrage& c, Parametres& p, ImageMontree im, bool lignes,
                bool mesureInachevee, Controle option);

// "Editer le fichier de calibrage".
void Editeur(Interface& ui, const std::string& fichier);

} // namespace orv
