// The image header check: any bytes give a size within bounds or nothing, and
// the budget check of that size never overflows.
#include "Commun.h"
#include "images/EnteteImage.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    using namespace orv;
    std::istringstream in(std::string(reinterpret_cast<const char*>(donnees), taille));
    const auto e = LitEnteteImage(in);
    if (!e) return 0;
    if (e->largeur < 1 || e->hauteur < 1) fuzz::Echec("a header gives a side below one pixel");
    const bool refus = RefusBudgetImage(e->largeur, e->hauteur, BudgetImageMoDefaut).has_value();
    if (refus !=
        (MemoireImage(e->largeur, e->hauteur) > (std::uint64_t{BudgetImageMoDefaut} << 20)))
        fuzz::Echec("the budget check disagrees with the memory it computes");
    return 0;
}
