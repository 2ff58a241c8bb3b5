// The state of the measure: which function is active and how many values a
// line takes, which value and which line come next, the measurement grid and
// its mirror, the marks of every line and of the measure under way, the
// pointing state, the comment editor, and the pointing options the window
// mirrors in its check boxes.
#pragma once

#include "measure/CommentaireLigne.h"
#include "measure/EtatPointage.h"
#include "measure/GrilleTexte.h"
#include "measure/Marques.h"
#include "measure/NumerosFonctions.h"
#include "measure/Traces.h"

#include <array>
#include <string>

namespace orv {

struct EtatMesure {
    int NumFonction = fonction::Spores2D; // fonction::Numero, as files keep it
    std::string NomFonction;
    int NbSegments = 2;
    int NbSegmentsPrec = 2;
    int NbColStat = 4;
    // Length of the last pointed segment in pixel units, rounded; the calibration
    // divides the true length the user enters by it.
    int LongueurPixels = 0;
    int Etape = 1;
    int LigneCourante = 1;
    bool ModeTriangle = false;
    bool ModePolygone = false;
    bool PolygoneAuto = true;
    bool ModeDensite = false;
    bool ModeComptage = false;
    bool Mode3D = false;
    std::array<double, 7> ValeursMesure{}; // 1..6 used
    // The values of every line as measured, before the display rounds them,
    // kept in step with the rows: a back-erase that reopens a line computes
    // its derived columns from them again.
    std::array<std::array<double, 7>, 257> ValeursLignes{};
    std::array<TraceLigne, 257> TraceLignes{};
    // Descriptors of the measurement functions, slots 0..25: name, count and
    // column headers; column count and widths. Filled by ConstruitTableFonctions.
    std::array<std::string, 26> descripteursFonctions{};
    std::array<std::string, 26> descripteursLargeurs{};
    // The line and value the last value was written to (AjouteValeur).
    int EtapePrec = 1;
    int LignePrec = 1;

    // The measurement grid and its four-row mirror.
    GrilleTexte GrilleRef;
    GrilleTexte MGrille;
    // The marks drawn over the image, and the pointing on the image box.
    CalqueMarques marques;
    EtatPointage pointage;
    // Mark colours, numbers of the 16-colour palette ("Couleur1", "Couleur2"):
    // the first for crosses and numbers, the second for sides and other images.
    int couleur1 = 12;
    int couleur2 = 10;
    // The comment editor of the grid lines.
    CommentaireLigne commentaire;

    // Pointing options; the window shows each in its check box and a click
    // on the box sets it. "Poly": the first value of a line is a broken line.
    bool LigneBrisee = false;
    // "insère dim": a segment's value is printed along it instead of the
    // line number at its start.
    bool InsereDim = false;
};

// A measure is half entered (pointing step 2 or more): the commands that would
// change the picture under it, or take the grid without its line, wait.
inline bool MesureEnCours(const EtatMesure& m) {
    return m.Etape >= 2;
}

} // namespace orv
