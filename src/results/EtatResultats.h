// The results kept between two computations of the statistics: the order
// statistics of each column, the volume of 3D spores, and whether the results
// frame is shown.
#pragma once

#include <array>

namespace orv {

// Columns 0..8: the widest function has 7 statistics columns.
inline constexpr int ColonnesResultats = 9;

struct EtatResultats {
    std::array<double, ColonnesResultats> NbLignes{};
    std::array<double, ColonnesResultats> D1{};
    std::array<double, ColonnesResultats> Mediane{};
    std::array<double, ColonnesResultats> D9{};
    // Spores 3D only; kept until the next 3D computation.
    double VolApprox = 0;
    double SigmaVol = 0;
};

} // namespace orv
