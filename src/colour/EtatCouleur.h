// The state of the colour function: the sample zone's size, the last sample,
// the calibrated mode, and the colour files (which kind the notes dialog
// writes, the names proposed next).
#pragma once

#include "colour/Echantillon.h"

#include <optional>
#include <string>

namespace orv {

inline constexpr int IndexZoneDefaut = 3; // ZONECOULEUR's default: a side of 8

struct EtatCouleur {
    // The sample zone: a square of TailleZone = 2^IndexZone image pixels.
    int IndexZone = IndexZoneDefaut;
    int TailleZone = 8;
    // The last sample written to the grid.
    std::optional<Echantillon> dernier;
    // "Calibré" (CheckCalibre): the colour chart's mode; unticked, the scanner's.
    bool Calibre = false;
    // Which file the notes dialog's "Valider" writes; both false while it
    // serves something else.
    bool ModeNuancier = false;
    bool ModeScanner = false;
    // File names (no folder): the last scanner calibration saved (FICSCANNER),
    // proposed in a chart's notes; the last colour file saved, proposed next.
    std::string NomFichierScanner;
    std::string NomFichierCouleur;
    // The computer's identifier text; unset, the system's is read (tests set it).
    std::optional<std::string> texteIdMachine;

    bool NotesOuvertes() const { return ModeNuancier || ModeScanner; }
};

} // namespace orv
