// The export of the grid with its statistics and notation as a text file that
// a spreadsheet opens as CSV (or TXT), and the edit-menu commands around it:
// "Export grille sous ..." with its comment panel, "Export grille", and the
// dispatch of those entries and of the import.
#pragma once

#include "base/FichierTexte.h"
#include "base/Parametres.h"
#include "interface/Interface.h"
#include "measure/EtatMesure.h"
#include "results/EtatExport.h"
#include "results/EtatResultats.h"

#include <ostream>
#include <string>
#include <vector>

namespace orv {

// What the export reads from the rest of the work.
struct ContexteExport {
    std::string cheminImage;         // the picture shown, empty when none
    std::vector<std::string> images; // the loader's pictures, slot 1 first
    std::vector<double> calibrages;  // the factor of each slot, slot 0 first
    std::string dossier;             // folder of the exports (DossierExport)
    std::string cheminTrame;         // the work's grid file, empty when none
};

// Cell separator: "; ", or a tab and ";" for the "txt" extension.
std::string SeparateurExport(const std::string& extension);

// The local date and time in the short forms ("dd/mm/yyyy", "hh:mm:ss").
Horodatage HorodatageLocal();
// The clock of the export (its own when set), or the local time.
Horodatage HorodatageExport(const EtatExport& e);

// The lines of the export (UTF-8, without line ends), statistics refreshed
// first; the separator follows r.extensionExport.
std::vector<std::string> LignesExport(const Interface& ui, const EtatMesure& m, EtatResultats& r,
                                      const Parametres& p, const ContexteExport& x,
                                      const Horodatage& h);
// The same as the file holds them: Windows-1252, each line ended by CR LF.
std::string OctetsExport(const Interface& ui, const EtatMesure& m, EtatResultats& r,
                         const Parametres& p, const ContexteExport& x, const Horodatage& h);
// Writes the export file atomically: a failed write leaves any former file whole.
Ecriture EcritFichierExport(const std::string& chemin, const Interface& ui, const EtatMesure& m,
                            EtatResultats& r, const Parametres& p, const ContexteExport& x,
                            const Horodatage& h);

// The volume line of spores 3D ("Vol. Approx.3D = ..."), as the export writes it.
std::string LigneVolume(const EtatResultats& r, const Parametres& p, char sep);

// Base name of the export: the name of the image shown (labNomFic) without its
// folder, cut before its first "."; "mesures" when no image is shown.
std::string NomBaseExport(const std::string& cheminImage);
// Folder of the exports: the data folder, else the program folder.
std::string DossierExport(const Parametres& p, const std::string& dossierProgramme);

// A measure half entered is refused with the flash " mesure inachevée", a grid
// without a line with message 130. True when the export may go on.
bool ExportPossible(Interface& ui, const EtatMesure& m);

// Writes the export to the default file (export folder, base name, export
// extension), which must already exist, or to a file chosen in a save dialog.
// An existing file is only replaced after OK to the overwrite question. True
// when the file was written.
bool ExporteCSV(Interface& ui, const EtatMesure& m, EtatResultats& r, const Parametres& p,
                const ContexteExport& x, bool avecDialogue);

// Edit > "Export grille sous ...": the comment frame opens in export mode on the
// export comment (the measure's comment editor closed first by the caller).
void OuvreCadreExport(Interface& ui, EtatResultats& r);
// Closes the comment frame in export mode ("annuler", or the comment editor
// taking the panel); nothing in the other mode.
void QuitteModeExport(Interface& ui, EtatResultats& r);

} // namespace orv
