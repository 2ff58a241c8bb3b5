// The results with the rest of the work: the statistics after each change of
// the grid, the results and export commands, the CSV import that replaces
// the grid, each with the state of `o`.
#pragma once

#include "app/Orvelle.h"
#include "interface/Controle.h"
#include "results/ExportCSV.h"
#include "results/ImportCSV.h"

#include <string>
#include <vector>

namespace orv {

// Both statistics tables, and the measurement grid's highlights.
void RecalculeStatistiques(Orvelle& o);
// The grid was emptied: the statistics go with it.
void VideStatistiques(Orvelle& o);
// The statistics frame shown or hidden (the window mirrors the state).
void MontreStatistiques(Orvelle& o, bool visible);

// The results text, the notation (statistics refreshed first).
std::string ConstruitTexteResultats(Orvelle& o);
std::string Notation(Orvelle& o);

// The export with the pictures, factors and folders of `o`.
ContexteExport ContexteExportDe(const Orvelle& o);
std::string DossierExport(const Orvelle& o);
std::vector<std::string> LignesExport(Orvelle& o, const Horodatage& h);
Ecriture EcritFichierExport(const std::string& chemin, Orvelle& o, const Horodatage& h);
bool ExporteCSV(Orvelle& o, bool avecDialogue);

// Replaces the grid by the table: the function is selected, the lines written,
// the next measure goes after the last one; `chemin` becomes the imported
// file's name. The statistics are recomputed.
void RemplaceGrille(Orvelle& o, const TableCSV& t, const std::string& chemin);
// Reads one file into the grid (an empty path means "mesure.csv"). A refused
// file is said and leaves the grid as it was; false then.
bool LitCSV(Orvelle& o, const std::string& chemin);
// MnuEDit(8) "fich.CSV=> grille": the question when the grid holds data, the
// file dialog, the reading; in every case the green flash " Poursuite des
// mesures déconseillée". True when the grid was replaced by the file's (the
// loader is then emptied: the file's image numbers name no loaded image).
bool ImporteCSV(Orvelle& o);

// Clicks of the results and statistics commands: bout(39) show/hide,
// bout(42) copy the notation, bout(43) rebuild, MnuEDit(7) copy the results,
// cmdStat, Check(3). False for another control.
bool ClicResultats(Orvelle& o, Controle c);
// MnuEDit 1, 2 and Bout_dial 28-30 while Frame(10) is in export mode. False
// for any other control: Bout_dial then belongs to the comment editor.
bool ClicExport(Orvelle& o, Controle c);

} // namespace orv
