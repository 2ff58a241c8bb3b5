// The calibration file reader: the stored lines it keeps are written back
// (with the header) to a file that gives the same lines and values.
#include "Commun.h"
#include "calibration/FichierCalibrage.h"

#include <cmath>
#include <sstream>

namespace orv::fuzz {

int ProprieteCalibrage(const std::uint8_t* donnees, std::size_t taille) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(donnees), taille));
    const auto entrees = FichierCalibrage::LitEntrees(in);
    auto lignes = FichierCalibrage::Entete("");
    lignes.insert(lignes.end(), entrees.begin(), entrees.end());
    std::ostringstream out;
    FichierCalibrage::Ecrit(out, lignes);
    std::istringstream relu(out.str());
    const auto deux = FichierCalibrage::LitEntrees(relu);
    if (deux != entrees) Echec("stored calibrations do not read back the same");
    for (const auto& e : entrees) {
        const auto v = FichierCalibrage::Valeur(e);
        if (v && !std::isfinite(*v)) Echec("a stored calibration reads as no finite number");
        // A factor stored again reads back exactly.
        if (v && FichierCalibrage::Valeur(FichierCalibrage::Ligne("c", *v, ',')) != v)
            Echec("a stored factor loses digits");
    }
    return 0;
}

} // namespace orv::fuzz

#ifndef ORVELLE_SANS_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    return orv::fuzz::ProprieteCalibrage(donnees, taille);
}
#endif
