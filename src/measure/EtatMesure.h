// The state the active measuring function sets and the pointing counters: which
// function is active, how many values a line takes, which value and which line
// come next, the values of the measure under way and the marks of every line.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace orv {

// One segment of a mark, in picture units.
struct SegmentTrace {
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// Marks of one grid line, kept in step with the grid rows.
struct TraceLigne {
    std::array<SegmentTrace, 17> segments{};
    std::int16_t image = 0; // image slot the line was measured on (0 = none)
    std::int16_t zoom = 0;  // zoom exponent when measured
    std::string texte;      // text of the line's mark; "0" once a value was erased
};

inline constexpr int LignesMax = 255; // the grid never holds more lines

struct EtatMesure {
    int NumFonction = 2;
    std::string NomFonction;
    int NbSegments = 2;
    int NbSegmentsPrec = 2;
    int NbColStat = 4;
    int Etape = 1;
    int LigneCourante = 1;
    bool ModeTriangle = false;
    bool ModePolygone = false;
    bool PolygoneAuto = true;
    bool ModeDensite = false;
    bool ModeComptage = false;
    bool Mode3D = false;
    std::array<double, 7> ValeursMesure{}; // 1..6 used
    std::array<TraceLigne, 257> TraceLignes{};
    // Descriptors of the measurement functions, slots 0..25: name, count and
    // column headers; column count and widths. Filled by ConstruitTableFonctions.
    std::array<std::string, 26> descripteursFonctions{};
    std::array<std::string, 26> descripteursLargeurs{};
    // Remembered by AjouteValeur for the back-erase.
    int EtapePrec = 1;
    int LignePrec = 1;
};

} // namespace orv
