// The colour files written from a grid of colour samples: a colour chart
// (".Nua", measured in calibrated mode) or a scanner calibration (".Scn",
// non-calibrated), each preceded by the notes the user completes in the notes
// dialog (the comment frame). Windows-1252 text, CR LF, ";" after every cell.
#pragma once

#include "colour/EtatCouleur.h"
#include "interface/Interface.h"

#include <string>
#include <vector>

namespace orv {

// The notes templates, one item per line (CR LF between lines).
std::string NotesNuancier(const std::string& nomImage, const std::string& nomScanner, bool calibre);
std::string NotesScanner();

// The computer's identifier written after "ID=": a digest of the machine's
// identifier text (/etc/machine-id), so that files of one computer match
// without giving the identifier itself away. Empty text: "inconnu".
std::string IdentifiantMachine(const std::string& idMachine);

// What a colour file holds besides the notes.
struct ContenuCouleur {
    std::string date, heure;                      // "dd/mm/yyyy", "hh:mm:ss"
    std::string notes;                            // the comment frame's text as the user left it
    std::vector<std::string> entetes;             // grid row 0, every column
    std::vector<std::vector<std::string>> lignes; // the measures, every column
    std::string identifiant;
};

// The file's lines (without their CR LF).
std::vector<std::string> LignesFichierCouleur(const ContenuCouleur& c, bool calibre);

// Colours > save the chart, or validate the scanner calibration: the mode set, then the notes
// dialog opened with its template. Refused with message 130 on an empty grid
// (`mesures` = 0) and flash 178 while a measure is half entered; false then.
bool PrepareNotes(Interface& ui, EtatCouleur& e, bool nuancier, int mesures, bool mesureEnCours,
                  const std::string& nomImage);

// The dialog's "Valider" with a colour mode set: asks message 218 / 217 when
// the mode does not fit, then the save dialog (starting in `dossier`), message
// 116 before replacing a file, and writes the file atomically. The name of the
// file written, or nothing (the dialog then stays open with the notes).
std::optional<std::string> EcritFichierCouleur(Interface& ui, EtatCouleur& e,
                                               const std::string& dossier, const ContenuCouleur& c);

// The dialog's "annuler": hidden, both modes cleared.
void FermeNotes(Interface& ui, EtatCouleur& e);

} // namespace orv
