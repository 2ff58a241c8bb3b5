// The CSV import: any export it accepts, once in the grid, is exported again
// to a file that imports to the same lines (the columns read, the image
// numbers, the comments).
#include "Commun.h"
#include "app/CommandesResultats.h"
#include "results/ExportCSV.h"
#include "results/ImportCSV.h"

#include <sstream>

namespace orv::fuzz {

int ProprieteCSV(const std::uint8_t* donnees, std::size_t taille) {
    PlateformeMuette p;
    auto o = Session(p);
    std::istringstream in(std::string(reinterpret_cast<const char*>(donnees), taille));
    const LectureCSV lu = AnalyseCSV(o->ui, o->mesure, o->parametres, in);
    if (!lu) return 0;
    const TableCSV& a = *lu.table;
    RemplaceGrille(*o, a, "import.csv");
    std::istringstream relu(OctetsExport(o->ui, o->mesure, o->resultats, o->parametres,
                                         ContexteExportDe(*o),
                                         Horodatage{"01/01/2024", "12:00:00"}));
    const LectureCSV deux = AnalyseCSV(o->ui, o->mesure, o->parametres, relu);
    if (!deux) Echec("the export of an imported file is refused");
    const TableCSV& b = *deux.table;
    if (b.fonction.numero != a.fonction.numero || b.lignes.size() != a.lignes.size())
        Echec("the export of an imported file gives another grid");
    const size_t k = static_cast<size_t>(a.fonction.k);
    for (size_t l = 0; l < a.lignes.size(); ++l) {
        const auto& x = a.lignes[l];
        const auto& y = b.lignes[l];
        for (size_t c = 0; c <= k && c < x.size(); ++c)
            if (x[c] != y[c]) Echec("a value does not read back the same");
        if (x.size() >= 2 && a.fonction.numero != 20 && x[x.size() - 2] != y[y.size() - 2])
            Echec("an image number does not read back the same");
        if (x.back() != y.back()) Echec("a comment does not read back the same");
    }
    return 0;
}

} // namespace orv::fuzz

#ifndef ORVELLE_SANS_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    return orv::fuzz::ProprieteCSV(donnees, taille);
}
#endif
