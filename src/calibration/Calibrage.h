// The micrometer calibration by pointing: the user points a segment as for a
// segment measure, the grid line it becomes opens the input line,
// and the length entered there gives the factor (micrometres per pixel unit);
// or the segment is dragged along the scale, the graduations' period found
// along it, and the value of one division entered gives the factor.
// Also the factor's display, the factor kept per image slot, the resolution
// factor and the automatic choice of the number format.
#pragma once

#include "base/Parametres.h"
#include "calibration/EtatCalibrage.h"
#include "interface/Interface.h"

#include <string>

namespace orv {

struct EtatMesure;

// (The procedures of a pointing calibration are ProcedureCalibrage, in
// calibration/EtatCalibrage.h.)

// The picture shown as the calibration sees it: its slot (IndexImage) and its
// width in pixels, 0 while no picture is shown.
struct ImageMontree {
    int slot = -1;
    int largeurPixels = 0;
};

// The grid value that a calibration segment became, to be taken out of the
// grid by the caller once the calibration is over with it: the whole line,
// or the last value; and the marks drawn again when some are committed.
struct RetraitSegment {
    enum class Genre { Aucun, Ligne, Arriere };
    Genre genre = Genre::Aucun;
    int ligne = 0;
    bool retrace = false; // the value was still in the grid
};

// The factor's label: "Cal.=" and the factor, "###0.0000", followed by "non calibré"
// while no calibration was made or loaded; under it, while a picture is
// shown, the factor as micrometres per pixel of that picture.
void AfficheCalibrage(Interface& ui, const EtatCalibrage& c, const Parametres& p, ImageMontree im);
// A calibration was made this session, or the factor in use is not the
// default 1 (it came from the settings, a grid file or a stored calibration).
bool Calibre(const EtatCalibrage& c);
// Pixel units per pixel of the picture shown (by the resolution mode), and
// micrometres per pixel at the factor in use; 0 without picture.
double UnitesParPixelImage(bool indPres, int largeurPixels);
double MicronsParPixelImage(const EtatCalibrage& c, bool indPres, int largeurPixels);
// The factor becomes `facteur`: shown and kept for the image slot shown.
void FixeCalibrage(Interface& ui, EtatCalibrage& c, const Parametres& p, ImageMontree im,
                   double facteur);

// Factor per image. Showing slot `im.slot` makes its factor current; a slot
// created for a new image takes the current factor. Slots outside 0..50 are ignored.
void MontreCalibrageImage(Interface& ui, EtatCalibrage& c, const Parametres& p, ImageMontree im);
void CalibrageNouvelleImage(EtatCalibrage& c, int slot);

// The resolution factor by the current mode: 1.0 with "Ind. Res." (INDPRES),
// otherwise the picture's width in pixels x 0.001 (1.0 while no picture is shown).
double FacteurResolutionCourant(bool indPres, int largeurPixels);
void AppliqueResolution(Interface& ui, EtatCalibrage& c, const Parametres& p, ImageMontree im);

// DECIMAUTO: the number format for an image `largeurPixels` wide at factor
// `facteur`; `actuel` when the factor gives no choice.
std::string FormatAutomatique(double largeurPixels, double facteur, const std::string& actuel);

// Starts a pointing calibration of the given procedure: the next segment
// written to the grid is the calibration segment. `longueurPixels` is the
// measure's last segment, offered in the input box.
void DemarreCalibrage(Interface& ui, EtatCalibrage& c, const Parametres& p, ImageMontree im,
                      int longueurPixels, ProcedureCalibrage type);
// "Etalonner": a calibration by length; the button stays red while pending.
void Etalonner(Interface& ui, EtatCalibrage& c, const Parametres& p, ImageMontree im,
               int longueurPixels);
bool CalibrageEnAttente(const EtatCalibrage& c);
// A calibration waits for its segment: the next value written to the grid is it.
bool AttendSegment(const EtatCalibrage& c);

// Every value written to the grid: while a calibration waits for its segment,
// the value the measure `m` just wrote is the segment and the input dialogue
// opens. `objectif` is the text of the objective box.
void ValeurCalibrage(Interface& ui, EtatCalibrage& c, const EtatMesure& m, const Parametres& p,
                     ImageMontree im, const std::string& objectif);
// Opens the input dialogue for the segment received.
void PasCalibr(Interface& ui, EtatCalibrage& c, const Parametres& p, ImageMontree im,
               const std::string& objectif);
// What the graduation finder saw along the segment of a calibration by the
// period (app/ runs it over the picture shown and hands the numbers here).
struct GraduationsTrouvees {
    enum class Refus {
        Aucun,
        SansImage,    // no picture shown, or its pixels could not be read
        HorsImage,    // the segment leaves the picture, or is shorter than 8 pixels
        PasDePeriode, // no regular run of graduations along it
        LigneCourte,  // fewer than two divisions along it
    };
    Refus refus = Refus::Aucun;
    double periodePixels = 0; // pixels of the picture, square to the graduations
    int divisions = 0;        // from the first graduation found to the last
    double dispersion = 0;    // of their positions about the fitted line, pixels
};

// The value the measure `m` just wrote is the segment of a calibration by the
// period, `g` what was found along it on the picture `im`: a refusal is said,
// the calibration ends and the factor stays (the caller takes the segment's
// value out); otherwise the input line shows what was found and asks the
// value of one division, the last one typed offered.
RetraitSegment PeriodeCalibrage(Interface& ui, EtatCalibrage& c, const EtatMesure& m,
                                ImageMontree im, const GraduationsTrouvees& g);

// "OK" of the input line (after the annotation prompts declined
// it), with the texts of the input box and the objective box.
RetraitSegment ValideSaisieCalibrage(Interface& ui, EtatCalibrage& c, Parametres& p,
                                     const EtatMesure& m, ImageMontree im,
                                     const std::string& saisie, const std::string& objectif);
// "Annule": the calibration ends and its grid line goes.
RetraitSegment AnnuleSaisieCalibrage(Interface& ui, EtatCalibrage& c, const EtatMesure& m);

} // namespace orv
