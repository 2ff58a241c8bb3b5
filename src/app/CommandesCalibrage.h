// The calibration at work in the program: each window command of the
// calibration panel, its input dialogue, its options and the image group
// handed to their rules with what they read from the other subsystems (the
// picture shown, the measure's last segment, the text boxes the user typed
// in), and what follows elsewhere: the grid value of a calibration segment
// taken out, the grid recomputed after a change of resolution mode, the marks
// drawn again after a change of group mode.
#pragma once

#include "app/Orvelle.h"
#include "calibration/Calibrage.h"
#include "calibration/PanneauCalibrage.h"

#include <optional>
#include <string>

namespace orv {

// The picture shown as the calibration sees it: the slot and the view's
// width (the width label's while the view has none).
ImageMontree ImageDe(const Orvelle& o);

// The rules of calibration/Calibrage.h with the state of `o`.
void AfficheCalibrage(Orvelle& o);

double UnitesParPixelImage(const Orvelle& o);
double MicronsParPixelImage(const Orvelle& o);
void FixeCalibrage(Orvelle& o, double facteur);
void MontreCalibrageImage(Orvelle& o);

double FacteurResolutionCourant(const Orvelle& o);
void AppliqueResolution(Orvelle& o);
void Etalonner(Orvelle& o);

// A value was written to the grid: a calibration waiting for its segment takes it.
void ValeurCalibrage(Orvelle& o);
// "OK" and "Annule" of the input dialogue; the segment's grid value goes.
void ValideSaisieCalibrage(Orvelle& o);
void AnnuleSaisieCalibrage(Orvelle& o);

// The image group with the state of `o`.
// The group button and Tools > "Groupage MC": shows or hides the group panel.
void BasculePanneauGroupe(Orvelle& o);
// The group panel's buttons (">", "<", ">>", "<<", "OK") and its boxes
// "mode MC" and "Img MC" (their new state is in the registry): the group or
// its mode changes, the marks are drawn again, the list shows the group.
void CommandeGroupe(Orvelle& o, Controle c);

// The group mode as the "mode MC" box shows it.

// The calibration panel (calibration/PanneauCalibrage.h) with the state of
// `o`, the boxes the user typed in and the calibration file of its folder.
ContextePanneau ContextePanneauDe(const Orvelle& o);

void EtapeCadreCalibrage(Orvelle& o, int commande);
void ValideCadreCalibrage(Orvelle& o);

// The resolution options ("Ind. Dim.", "Ind. Res.") and the pointing options
// of the calibration panel; after a change of resolution mode every grid line
// is recomputed.
void CommandeOptionCalibrage(Orvelle& o, Controle c);
void Editeur(Orvelle& o);

// The calibration panel's buttons, the correction box, the image group's
// panel and their menu entries (app/TableCommandes.cpp routes them here).
void CommandeCalibrage(Orvelle& o, Controle c);

// Run once at start-up, after the settings were read: the controls follow the modes.
void InstalleCalibrage(Orvelle& o);

} // namespace orv
