// The language file reader and the application of its entries to the text
// tables and captions.
#include "Commun.h"
#include "app/FichierLangue.h"

#include <sstream>

namespace orv::fuzz {

int ProprieteLangue(const std::uint8_t* donnees, std::size_t taille) {
    static PlateformeMuette p;
    static const auto modele = Session(p);
    std::istringstream in(std::string(reinterpret_cast<const char*>(donnees), taille));
    const FichierLangue f = FichierLangue::Lit(in);
    TablesTextes textes = modele->textes;
    Controles controles = modele->controles;
    AppliqueEntrees(f, textes, controles);
    return 0;
}

} // namespace orv::fuzz

#ifndef ORVELLE_SANS_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    return orv::fuzz::ProprieteLangue(donnees, taille);
}
#endif
