// The image header check: any bytes give a size within bounds (and an
// orientation of 1 to 8) or nothing, and the budget check of that size never
// overflows.
#include "Commun.h"
#include "images/EnteteImage.h"

#include <sstream>

namespace orv::fuzz {

int ProprieteEnteteImage(const std::uint8_t* donnees, std::size_t taille) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(donnees), taille));
    const auto e = LitEnteteImage(in);
    if (!e) return 0;
    if (e->largeur < 1 || e->hauteur < 1) Echec("a header gives a side below one pixel");
    if (e->orientation < 1 || e->orientation > 8) Echec("an orientation outside 1..8");
    const bool refus = RefusBudgetImage(e->largeur, e->hauteur, BudgetImageMoDefaut).has_value();
    if (refus !=
        (MemoireImage(e->largeur, e->hauteur) > (std::uint64_t{BudgetImageMoDefaut} << 20)))
        Echec("the budget check disagrees with the memory it computes");
    return 0;
}

} // namespace orv::fuzz

#ifndef ORVELLE_SANS_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    return orv::fuzz::ProprieteEnteteImage(donnees, taille);
}
#endif
