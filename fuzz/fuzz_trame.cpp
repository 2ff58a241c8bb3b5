// The grid file reader: any input it accepts is written back to bytes that
// read to the same work.
#include "Commun.h"
#include "app/FichierTrame.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    using namespace orv;
    std::istringstream in(std::string(reinterpret_cast<const char*>(donnees), taille));
    const LectureTrame lu = FichierTrame::Lit(in);
    if (!lu) return 0;
    for (char sep : {',', '.'}) {
        std::istringstream relu(FichierTrame::Octets(*lu.trame, sep));
        const LectureTrame deux = FichierTrame::Lit(relu);
        if (!deux) fuzz::Echec("a grid file written from an accepted one is refused");
        if (!(*deux.trame == *lu.trame)) fuzz::Echec("a grid file does not read back the same");
    }
    return 0;
}
