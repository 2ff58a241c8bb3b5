// The micrometer calibration by pointing: the user points a segment as for a
// segment measure, the grid line it becomes opens the input dialogue Frame(8),
// and the length entered there gives the factor (micrometres per pixel unit).
// Also the factor's display, the factor kept per image slot, the resolution
// factor and the automatic choice of the number format.
#pragma once

#include <string>

namespace orv {

class Orvelle;

// Procedures of a pointing calibration (TypeCalibrage).
inline constexpr int CalibrageLongueur = 0;
inline constexpr int CalibrageObjectif = 2;    // objective standard, two segments
inline constexpr int CalibrageGraduations = 3; // ocular graduations and objective

// label(5): "Cal.=" and the factor, "###0.0000", followed by "non calibré"
// while no calibration was made or loaded; under it, while a picture is
// shown, the factor as micrometres per pixel of that picture.
void AfficheCalibrage(Orvelle& o);
// A calibration was made this session, or the factor in use is not the
// default 1 (it came from the settings, a grid file or a stored calibration).
bool Calibre(const Orvelle& o);
// Pixel units per pixel of the picture shown (by the resolution mode), and
// micrometres per pixel at the factor in use; 0 without picture.
double UnitesParPixelImage(const Orvelle& o);
double MicronsParPixelImage(const Orvelle& o);
// The factor becomes `facteur`: shown and kept for the image slot shown.
void FixeCalibrage(Orvelle& o, double facteur);

// Factor per image. Showing slot IndexImage makes its factor current; a slot
// created for a new image takes the current factor. Slots outside 0..50 are ignored.
void MontreCalibrageImage(Orvelle& o);
void CalibrageNouvelleImage(Orvelle& o, int slot);

// The resolution factor by the current mode: 1.0 with "Ind. Res." (INDPRES),
// otherwise the picture's width in pixels x 0.001 (1.0 while no picture is shown).
double FacteurResolutionCourant(const Orvelle& o);
void AppliqueResolution(Orvelle& o);

// DECIMAUTO: the number format for an image `largeurPixels` wide at factor
// `facteur`; `actuel` when the factor gives no choice.
std::string FormatAutomatique(double largeurPixels, double facteur, const std::string& actuel);

// Starts a pointing calibration of the given procedure: the next segment
// written to the grid is the calibration segment.
void DemarreCalibrage(Orvelle& o, int type);
// bout(10) "Etalonner": a calibration by length; the button stays red while pending.
void Etalonner(Orvelle& o);
bool CalibrageEnAttente(const Orvelle& o);

// Every value written to the grid (the grid's hook valeurCalibrage): while a
// calibration waits for its segment, that value is the segment and the input
// dialogue opens.
void ValeurCalibrage(Orvelle& o, double valeur);
// Opens the input dialogue for the segment received.
void PasCalibr(Orvelle& o);
// bout(31) "OK" of the input dialogue (after the annotation prompts declined it).
void ValideSaisieCalibrage(Orvelle& o);
// bout(32) "Annule": the calibration ends and its grid line goes.
void AnnuleSaisieCalibrage(Orvelle& o);

} // namespace orv
