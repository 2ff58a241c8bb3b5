// The state the active measuring function sets and the pointing counters: which
// function is active, how many values a line takes, which value and which line
// come next, the values of the measure under way and the marks of every line.
#pragma once

#include "measure/Marques.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// One segment of a mark, in picture units.
struct SegmentTrace {
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    friend bool operator==(const SegmentTrace&, const SegmentTrace&) = default;
};

// A mark drawn for a line, kept for "retrace": `valeur` is the column of the
// value it belongs to (not drawn once that value is erased); `marque.couleur`
// holds the role, 1 (points, numbers) or 2 (sides), turned into the colour
// chosen with "Couleur1" or "Couleur2" when drawn.
struct MarqueTrace {
    int valeur = 1;
    Marque marque;
};

// Marks of one grid line, kept in step with the grid rows.
struct TraceLigne {
    std::array<SegmentTrace, 17> segments{};
    std::int16_t image = 0; // image slot the line was measured on (0 = none)
    std::int16_t zoom = 0;  // zoom exponent when measured
    std::string texte;      // text of the line's mark; "0" once a value was erased
    // Every mark drawn for the line (crosses, sides, outlines, texts), in picture
    // units; kept in memory only: a line read from a grid file is drawn from its
    // segments.
    std::vector<MarqueTrace> marques;
    // Value 1 is a broken line ("Poly"): its length is not segment 1's. Set for
    // the lines read from a grid file (the marks that tell it are not kept).
    bool ligneBrisee = false;
};

inline constexpr int LignesMax = 255; // the grid never holds more lines

struct EtatMesure {
    int NumFonction = 2;
    std::string NomFonction;
    int NbSegments = 2;
    int NbSegmentsPrec = 2;
    int NbColStat = 4;
    // Length of the last pointed segment in pixel units, rounded; the calibration
    // divides the true length the user enters by it.
    int LongueurPixels = 0;
    int Etape = 1;
    int LigneCourante = 1;
    bool ModeTriangle = false;
    bool ModePolygone = false;
    bool PolygoneAuto = true;
    bool ModeDensite = false;
    bool ModeComptage = false;
    bool Mode3D = false;
    std::array<double, 7> ValeursMesure{}; // 1..6 used
    // The values of every line as measured, before the display rounds them,
    // kept in step with the rows: a back-erase that reopens a line computes
    // its derived columns from them again.
    std::array<std::array<double, 7>, 257> ValeursLignes{};
    std::array<TraceLigne, 257> TraceLignes{};
    // Descriptors of the measurement functions, slots 0..25: name, count and
    // column headers; column count and widths. Filled by ConstruitTableFonctions.
    std::array<std::string, 26> descripteursFonctions{};
    std::array<std::string, 26> descripteursLargeurs{};
    // Remembered by AjouteValeur for the back-erase.
    int EtapePrec = 1;
    int LignePrec = 1;
};

// A measure is half entered (pointing step 2 or more): the commands that would
// change the picture under it, or take the grid without its line, wait.
inline bool MesureEnCours(const EtatMesure& m) {
    return m.Etape >= 2;
}

} // namespace orv
