// Reading an export back into the grid: the "Fonction :" line chooses the
// function, the table after "LISTE=" gives the measure lines (the values read,
// the image numbers and the comments). The whole file is read and checked
// before the grid is touched, so a refused file changes nothing.
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace orv {

class Orvelle;

// Which function a "Fonction :" line names, and the last value column that the
// import requires to hold numbers. The derived columns after it (the volume of
// spores 2D, L/e of spores 3D, "zone" and "S" of the colours) are read as
// they were written, so that statistics and a new export find them again.
struct FonctionCSV {
    int numero = 0;
    bool polygoneAuto = true; // function 16: "Polygone auto" or "Polygone ouvert"
    int k = 0;
};

// The last column of function n that an import requires to hold numbers
// (from column 1): every value column but the derived ones listed above.
int DerniereColonneLue(const Orvelle& o, int n);

// The function named by a line holding "Fonction :": the names of messages
// 56-62 tested in order (a later match wins), else a function's own name
// exactly. Nothing when the line names none.
std::optional<FonctionCSV> FonctionNommee(const Orvelle& o, const std::string& ligne);

// Why a file was refused.
enum class DefautCSV {
    Illisible,        // the file cannot be read
    SansFonction,     // no "Fonction :" line before the table
    FonctionInconnue, // the "Fonction :" line names no function
    SansListe,        // no "LISTE=" line
    Tronque,          // the table ends before its header or its "N mesures" lines
    ValeurInvalide,   // a value that is not a number
    ImageHorsListe,   // an image number that is not a loader slot (0 .. 50)
};

struct ErreurCSV {
    DefautCSV defaut = DefautCSV::Illisible;
    int ligne = 0;     // line of the file (from 1), 0 when none applies
    std::string texte; // the function line or the cell at fault
};

// What the file holds for the grid.
struct TableCSV {
    FonctionCSV fonction;
    int colonnes = 0;                 // columns of the function's grid
    std::vector<std::string> entetes; // cells 0 .. k of the header line
    // One entry per measure line kept, `colonnes` cells each, the comment last.
    std::vector<std::vector<std::string>> lignes;
    int ignorees = 0; // measure lines beyond what the grid holds
};

struct LectureCSV {
    std::optional<TableCSV> table;
    ErreurCSV erreur; // when there is no table
    explicit operator bool() const { return table.has_value(); }
};

// Reads the lines of an export. Only as many measure lines as the grid holds
// (TGRILLE, 255 at most) are kept; the others are counted.
LectureCSV AnalyseCSV(const Orvelle& o, const std::vector<std::string>& lignes);
LectureCSV AnalyseCSV(const Orvelle& o, std::istream& in);
LectureCSV AnalyseFichierCSV(const Orvelle& o, const std::string& chemin);

// Replaces the grid by the table: the function is selected, the lines written,
// the next measure goes after the last one; `chemin` becomes the imported
// file's name. The statistics are recomputed.
void RemplaceGrille(Orvelle& o, const TableCSV& t, const std::string& chemin);

// The user's texts: a refused file, and lines left out of a full grid.
std::string MessageErreurCSV(const Orvelle& o, const std::string& chemin, const ErreurCSV& e);
std::string MessageLignesIgnorees(const Orvelle& o, int lues, int ignorees);

// Reads one file into the grid (an empty path means "mesure.csv"). A refused
// file is said and leaves the grid as it was; false then.
bool LitCSV(Orvelle& o, const std::string& chemin);

// MnuEDit(8) "fich.CSV=> grille": the question when the grid holds data, the
// file dialog, the reading; in every case the green flash " Poursuite des
// mesures déconseillée". True when the grid was replaced by the file's (the
// window then empties the loader: the file's image numbers name no loaded image).
bool ImporteCSV(Orvelle& o);

// The colour of the flash said after every import (measuring on imported
// lines is advised against).
inline constexpr unsigned CouleurDeconseillee = 0x00FF00; // green

} // namespace orv
