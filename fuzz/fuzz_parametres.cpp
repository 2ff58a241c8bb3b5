// The settings reader: whatever it takes from a file is written back to a
// file that reads to the same settings.
#include "Commun.h"
#include "app/FichierParametres.h"

#include <sstream>

namespace orv::fuzz {

int ProprieteParametres(const std::uint8_t* donnees, std::size_t taille) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(donnees), taille));
    Parametres p;
    LitParametresDepuis(in, p);
    const ContexteParametres ctx{"Logiciel de mesure de spores", "/prog", ','};
    std::ostringstream out;
    EcritParametres(out, p, ctx);
    std::istringstream relu(out.str());
    Parametres q;
    LitParametresDepuis(relu, q);
    if (LignesParametres(q, ctx) != LignesParametres(p, ctx))
        Echec("settings do not read back the same");
    return 0;
}

} // namespace orv::fuzz

#ifndef ORVELLE_SANS_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    return orv::fuzz::ProprieteParametres(donnees, taille);
}
#endif
