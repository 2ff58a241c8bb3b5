// The settings reader: whatever it takes from a file is written back to a
// file that reads to the same settings.
#include "Commun.h"
#include "app/FichierParametres.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    using namespace orv;
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
        fuzz::Echec("settings do not read back the same");
    return 0;
}
