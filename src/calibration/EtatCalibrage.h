// The state of the calibration: the factor in use and one per image slot, the
// resolution factor, the pointing calibration under way, the calibration
// panel's list of stored factors, and the image group that shares one factor.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace orv {

// The procedures of a pointing calibration: a length pointed on the stage
// micrometer; the objective's standard in two segments (its length, then
// the divisions it spans); the ocular graduations against the objective;
// the period of a scale's graduations, found along a segment dragged over
// them, against the value of one division.
enum class ProcedureCalibrage { Longueur, Objectif, Graduations, Periode };

// The grid value that a calibration segment became, waiting for the user's entry.
struct SegmentCalibrage {
    int ligne = 0;          // grid line the value went to
    int etape = 1;          // its column (the line's value number)
    int longueurPixels = 0; // the segment's length in pixel units
    // Periode: the graduations' period found along it, in pixel units.
    double periodeUnites = 0;
};

inline constexpr int SlotsGroupe = 51; // loader indexes 0..50

struct GroupeImages {
    // ListImgMC: full paths of the grouped images, in the order they were added.
    std::vector<std::string> ListImgMC;
    // ListImgIdx: for each row of ListImgMC, the loader index (0-based) of that image.
    std::vector<int> ListImgIdx;
    // One flag per loader index: the item is in the group.
    std::array<bool, SlotsGroupe> EstDansGroupe{};
    int selection = -1; // selected row of ListImgMC
};

struct EtatCalibrage {
    EtatCalibrage() { CalibrageImage.fill(1.0); }

    // Micrometres per pixel unit, the factor in use.
    double CoefCalibrage = 1.0;
    // One factor per image slot (0 the default picture, 1..50 the loader's
    // items), 1 until a factor is given.
    std::array<double, SlotsGroupe> CalibrageImage{};
    // Pixel units per image pixel by the resolution mode (FacteurResolutionCourant).
    double FacteurResolution = 1.0;
    // The image group, and its mode: "retrace" also draws the lines of the
    // group's other images.
    GroupeImages groupe;
    bool ModeGroupe = false;

    bool CalibrageEnCours = false;
    // 0 by length, 2 objective standard (two segments), 3 by graduations;
    // or by the graduations' period.
    ProcedureCalibrage TypeCalibrage = ProcedureCalibrage::Longueur;
    // Calibration segments received since the calibration started.
    int EtapeCalibrage = 0;
    // Last command chosen in the panel (button index - 21; 23 for the correction box).
    int ModeCalibrage = 0;
    // Objective standard: 0 the stage micrometer segment in pixel units, 1 its
    // true length, 2 the ocular segment in pixel units, 3 its division count.
    std::array<double, 4> Lecture{};
    // The segment whose value the input dialogue asks for; nothing while the
    // dialogue waits for no segment.
    std::optional<SegmentCalibrage> segment;
    // The start disabled the magnifier button; the end gives it back.
    bool loupeCoupee = false;
    // The pointing option of command 2 (Longueur, Graduations or Periode, the
    // window mirrors it); nothing until one is chosen.
    std::optional<ProcedureCalibrage> optionPortion;
    // The value of one division typed last for a calibration by the period,
    // offered again (micrometres; a stage micrometer's 0.01 mm at first).
    double DivisionMicrons = 10;
    // The correction box is open.
    bool correctionOuverte = false;
    // Factor taken when the correction box opened, restored by "Annuler".
    double copieCorrection = 0;
    // A factor was calibrated or chosen this session (even one of exactly 1).
    bool calibrageFait = false;

    // ListCalib: the stored calibrations as read from the file, and the chosen row.
    std::vector<std::string> ListCalib;
    int selectionCalib = -1;
};

} // namespace orv
