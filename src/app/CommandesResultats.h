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
// Edit > "fich.CSV=> grille": the question when the grid holds data, the
// file dialog, the reading; in every case the green flash " Poursuite des
// mesures déconseillée". True when the grid was replaced by the file's (the
// loader is then emptied: the file's image numbers name no loaded image).
bool ImporteCSV(Orvelle& o);

// The results and statistics commands: show or hide the results, copy the
// notation, show the results again, Edit > copy the results, the order
// statistics button, the "Calc. stat." box.
void CommandeResultats(Orvelle& o, Controle c);
// Edit > "Export grille sous ..." (the comment frame opened for the export's
// comment, taken from colour notes or a comment edit) and "Export grille".
void CommandeExport(Orvelle& o, Controle c);
// "Valider" of the comment frame while the export owns it: the comment kept,
// the export written.
void ValideExport(Orvelle& o);

} // namespace orv
