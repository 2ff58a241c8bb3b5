// The shape vocabulary of spore descriptions: the class of a length/width
// ratio Q, the classes of the mean Q and of the D1-D9 range for the results
// text, and the warning that goes with a notation resting on too few spores.
#pragma once

#include "base/Parametres.h"
#include "interface/Interface.h"
#include "measure/EtatMesure.h"
#include "results/EtatResultats.h"

#include <string>

namespace orv {

// Each limit belongs to the class above it: a range "1.05-1.15" reads
// [1.05, 1.15), so 1.05 is subglobose and 2.00 cylindrical. A ratio below 1
// (the width pointed first) counts as globose.
enum class ClasseForme {
    Globuleuse,          // Q < 1.05
    Subglobuleuse,       // 1.05 <= Q < 1.15
    LargementEllipsoide, // 1.15 <= Q < 1.30
    Ellipsoide,          // 1.30 <= Q < 1.60
    Oblongue,            // 1.60 <= Q < 2.00
    Cylindrique,         // Q >= 2.00
};

ClasseForme ClasseDeQ(double q);
// The class's name in the interface language.
std::string NomClasse(const TablesTextes& t, ClasseForme c);

// A description rests on at least this many spores (30 is better).
inline constexpr int SporesConseillees = 20;

// The column of Q for the spore functions (2 and 3); 0 for any other.
int ColonneQ(int fonction);

// Lines of the results text: the class of the mean Q and, once there are
// deciles, of the D1-D9 range, both from Q as measured. Empty for other
// functions or without spores.
std::string TexteFormes(const Interface& ui, const EtatMesure& m);

// The line the notation of spores ends with while fewer than 20 were
// measured; empty otherwise.
std::string AvertissementEffectif(const Interface& ui, const EtatMesure& m, const EtatResultats& r);

} // namespace orv
