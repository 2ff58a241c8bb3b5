// The state of the results: the statistics grid, the order statistics of each
// column, the volume of 3D spores, the notation and export choices, and the
// statistics options the window mirrors.
#pragma once

#include "measure/GrilleTexte.h"
#include "results/EtatExport.h"

#include <array>
#include <string>

namespace orv {

// Columns 0..8: the widest function has 7 statistics columns.
inline constexpr int ColonnesResultats = 9;

struct EtatResultats {
    // The statistics grid under the measurement grid.
    GrilleTexte GrilleRefP;
    std::array<double, ColonnesResultats> NbLignes{};
    std::array<double, ColonnesResultats> D1{};
    std::array<double, ColonnesResultats> Mediane{};
    std::array<double, ColonnesResultats> D9{};
    // Mean and sigma of each column as computed (the grid shows them rounded).
    std::array<double, ColonnesResultats> Moyenne{};
    std::array<double, ColonnesResultats> Sigma{};
    // Spores 3D only; kept until the next 3D computation.
    double VolApprox = 0;
    double SigmaVol = 0;
    // The lines of each column's extremes, 0 where the column has none, and
    // the last line the statistics counted: the measurement grid highlights them.
    std::array<int, ColonnesResultats> ligneMin{};
    std::array<int, ColonnesResultats> ligneMax{};
    int colonnesStat = 0;
    int derniereLigne = 0;

    // The "Calc..stat." box: the statistics follow each value.
    bool calculAutomatique = true;
    // The statistics frame is shown (the window mirrors it).
    bool statistiquesAffichees = false;
    // The distribution panel ("Histogrammes") is shown.
    bool distributionAffichee = false;

    // Quick notation form, the ticked `NoTexp` entry (1..5); 0 while none is
    // ticked. It starts at "D1,9", the "(min) D1-D9 (max)" form mycologists publish.
    int NotationEclair = 1;
    // The CSV export: its comment, the comment frame's export mode, its clock;
    // the extension of the file ("csv" or "txt").
    EtatExport exportCSV;
    std::string extensionExport = "csv";
    // Full path of the last imported CSV file, empty until one.
    std::string FichierCSVImporte;
};

} // namespace orv
