// Reading an export back into the grid: the "Fonction :" line chooses the
// function, the table after "LISTE=" gives the measure lines (the values read,
// the image numbers and the comments). The whole file is read and checked
// before the grid is touched, so a refused file changes nothing.
#pragma once

#include "base/Parametres.h"
#include "interface/Interface.h"
#include "measure/EtatMesure.h"

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace orv {

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
int DerniereColonneLue(const EtatMesure& m, int n);

// The names a language gives the functions: its tables, and the captions of
// the two polygon entries ("auto", "ouvert").
struct NomsLangue {
    TablesTextes textes;
    std::string polygones[2];
};

// The function named by a line holding "Fonction :": the names of messages
// 56-62 tested in order (a later match wins), else a function's own name
// exactly; in the interface language, then in French, then in each of
// `langues` (an export may come from a colleague in any language). Nothing
// when the line names none.
std::optional<FonctionCSV> FonctionNommee(const Interface& ui, const EtatMesure& m,
                                          const std::string& ligne,
                                          const std::vector<NomsLangue>& langues = {});

// The largest value a table may hold, in µm (µm², µm³): beyond, it cannot be
// a measure.
inline constexpr double ValeurMaxCSV = 1e9;

// Why a file was refused.
enum class DefautCSV {
    Illisible,        // the file cannot be read
    SansFonction,     // no "Fonction :" line before the table
    FonctionInconnue, // the "Fonction :" line names no function
    SansListe,        // no "LISTE=" line
    Tronque,          // the table ends before its header or its "N mesures" lines
    ValeurInvalide,   // a value that is not a number, or too large for a measure
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
// `langues`: the other languages whose function names are known.
LectureCSV AnalyseCSV(const Interface& ui, const EtatMesure& m, const Parametres& p,
                      const std::vector<std::string>& lignes,
                      const std::vector<NomsLangue>& langues = {});
LectureCSV AnalyseCSV(const Interface& ui, const EtatMesure& m, const Parametres& p,
                      std::istream& in, const std::vector<NomsLangue>& langues = {});
LectureCSV AnalyseFichierCSV(const Interface& ui, const EtatMesure& m, const Parametres& p,
                             const std::string& chemin,
                             const std::vector<NomsLangue>& langues = {});

// The user's texts: a refused file, and lines left out of a full grid.
std::string MessageErreurCSV(const TablesTextes& t, const std::string& chemin, const ErreurCSV& e);
std::string MessageLignesIgnorees(const TablesTextes& t, int lues, int ignorees);

// The colour of the flash said after every import (measuring on imported
// lines is advised against).
inline constexpr unsigned CouleurDeconseillee = 0x00FF00; // green

} // namespace orv
