// The grid file reader: any input it accepts is written back to bytes that
// read to the same work.
#include "Commun.h"
#include "app/FichierTrame.h"

#include <sstream>

namespace orv::fuzz {

int ProprieteTrame(const std::uint8_t* donnees, std::size_t taille) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(donnees), taille));
    const LectureTrame lu = FichierTrame::Lit(in);
    if (!lu) return 0;
    for (char sep : {',', '.'}) {
        std::istringstream relu(FichierTrame::Octets(*lu.trame, sep));
        const LectureTrame deux = FichierTrame::Lit(relu);
        if (!deux) Echec("a grid file written from an accepted one is refused");
        if (!(*deux.trame == *lu.trame)) Echec("a grid file does not read back the same");
    }
    return 0;
}

} // namespace orv::fuzz

#ifndef ORVELLE_SANS_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    return orv::fuzz::ProprieteTrame(donnees, taille);
}
#endif
