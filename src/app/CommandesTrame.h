// The grid file's commands: saving and loading the work from the File menu,
// the automatic save and the full-grid save ("TrameSav.trm"), and "maj grille"
// that recomputes every line with the current calibration.
#pragma once

#include "app/FichierTrame.h"
#include "interface/Controle.h"

#include <optional>
#include <string>

namespace orv {

class Orvelle;

enum class ResultatChargement {
    Charge,
    Refuse,   // resolution mode of the file differs (message 176)
    Absent,   // no such file
    Malforme, // read, but not whole or not sound: nothing loaded
};

// Writes the grid file for the current grid; no dialog. A failed write is said
// (the file it would have replaced stays whole); false then. The file becomes
// the work's grid file.
bool SauveTrame(Orvelle& o, const std::string& chemin);
// Writer of the grid's automatic and full-grid saves : a
// relative name is taken in the data folder. The work's grid file stays as it was.
bool SauveTrameAutomatique(Orvelle& o, const std::string& chemin);

// The grid holds measures that its grid file (if any) does not hold.
bool TravailNonSauve(const Orvelle& o);
// The quit question: with measures not saved, "Oui" saves them through the save
// dialog, "Non" leaves them, "Annuler" stays; otherwise message 161. True when
// the program may end.
bool ConfirmeQuitter(Orvelle& o);

// Reads a grid file into the grid (an empty path means "mesure.trm"). The file
// is read and checked whole first: a refused file is said and leaves the grid,
// the loader and the factors as they were.
ResultatChargement ChargeTrame(Orvelle& o, const std::string& chemin);
// The same for a file already read; `chemin` names it (FicTrame).
ResultatChargement ChargeTrameLue(Orvelle& o, const Trame& t, const std::string& chemin);

// The user's text for a refused file.
std::string MessageErreurTrame(const Orvelle& o, const std::string& chemin, const ErreurTrame& e);

// The name proposed by the save dialog: FicTrame, else the image shown, else
// "mesures", cut before its first "." and followed by ".trm".
std::string NomProposeTrame(const Orvelle& o);

// The file the work was read from or last saved to, while its folder exists.
std::optional<std::string> FichierDuTravail(const Orvelle& o);
// "Sauver la Trame": a work that has its file is written back to it; a new
// work asks for a name as "Sauver la trame sous..." does. True when written.
bool SauverTrame(Orvelle& o);
// "Sauver la trame sous...": the save dialog (the work's own file proposed,
// else a name in the folder last used for works), the overwrite question,
// then the chosen file becomes the work's. True when written.
bool SauverTrameSous(Orvelle& o);
// The question asked before the grid's data is replaced by a file's (message
// 185 and 106); true when the grid is empty or the user said Yes.
bool RemplacementAccepte(Orvelle& o);
// File > "Charger la trame": question when the grid holds data, open
// dialog, ChargeTrame, then the first image shown with the marks of its lines.
void ChargerTrame(Orvelle& o);
// Loads a grid file named from outside (the command line, the desktop), then
// shows its first image, as "Charger la trame" does after its dialog. True
// when the file was read; it is then first in the recent grid files.
bool OuvreTrame(Orvelle& o, const std::string& chemin);
// "maj grille": every line recomputed from its points with the factors and
// the resolution mode in force (the work replayed as its grid file holds it,
// without going through the file's text). Refused while a measure is half
// entered (its values would be lost).
void MajGrille(Orvelle& o);

// File > save, save as, open the work; Tools > "maj grille".
void CommandeTrame(Orvelle& o, Controle c);

} // namespace orv
