// The export of the grid with its statistics and notation as a text file that
// a spreadsheet opens as CSV (or TXT), and the edit-menu commands around it:
// "Export grille sous ..." with its comment panel, "Export grille", and the
// dispatch of those entries and of the import.
#pragma once

#include "interface/Controle.h"

#include "base/FichierTexte.h"
#include "results/EtatExport.h"

#include <ostream>
#include <string>
#include <vector>

namespace orv {

class Orvelle;

// Cell separator: "; ", or a tab and ";" for the "txt" extension.
std::string SeparateurExport(const std::string& extension);

// The local date and time in the short forms ("dd/mm/yyyy", "hh:mm:ss").
Horodatage HorodatageLocal();
// The clock of the export (o.exportCSV.horloge), or the local time.
Horodatage HorodatageExport(const Orvelle& o);

// The lines of the export (UTF-8, without line ends), statistics refreshed
// first; the separator follows o.extensionExport.
std::vector<std::string> LignesExport(Orvelle& o, const Horodatage& h);
// The same as the file holds them: Windows-1252, each line ended by CR LF.
std::string OctetsExport(Orvelle& o, const Horodatage& h);
void EcritExport(std::ostream& out, Orvelle& o, const Horodatage& h);
// Writes the export file atomically: a failed write leaves any former file whole.
Ecriture EcritFichierExport(const std::string& chemin, Orvelle& o, const Horodatage& h);

// The volume line of spores 3D ("Vol. Approx.3D = ..."), as the export writes it.
std::string LigneVolume(const Orvelle& o);

// Base name of the export: the name of the image shown (labNomFic) without its
// folder, cut before its first "."; "mesures" when no image is shown.
std::string NomBaseExport(const Orvelle& o);
// Folder of the exports: the data folder, else the program folder.
std::string DossierExport(const Orvelle& o);

// A measure half entered is refused with the flash " mesure inachevée", a grid
// without a line with message 130. True when the export may go on.
bool ExportPossible(Orvelle& o);

// Writes the export to the default file (data folder, base name, export
// extension), which must already exist, or to a file chosen in a save dialog.
// An existing file is only replaced after OK to the overwrite question. True
// when the file was written.
bool ExporteCSV(Orvelle& o, bool avecDialogue);

// MnuEDit(1) "Export grille sous ...": Frame(10) opens in export mode on the
// export comment; "Valider" then exports with the save dialog.
void DemandeExport(Orvelle& o);
// MnuEDit(2) "Export grille": rewrites the default file.
void ExportGrille(Orvelle& o);
// Bout_dial(28) in export mode: keeps the comment, closes the panel, exports.
void ValideExport(Orvelle& o);
// Closes Frame(10) in export mode (Bout_dial(29), or the comment editor
// taking the panel); nothing in the other mode.
void QuitteModeExport(Orvelle& o);

// MnuEDit 1, 2, 8 and Bout_dial 28-30 while Frame(10) is in export mode. False
// for any other control: Bout_dial then belongs to the comment editor.
bool ClicExport(Orvelle& o, Controle c);

} // namespace orv
