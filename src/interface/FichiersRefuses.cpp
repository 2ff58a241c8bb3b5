#include "interface/FichiersRefuses.h"

#include "base/Texte.h"
#include "interface/Messages.h"

namespace orv {

std::string TexteFichierNonLu(const TablesTextes& t, const std::string& chemin, DefautLecture d,
                              std::size_t limite) {
    const std::string debut = t.Mnu(mnu::FichierNonLu) + NomAffichable(chemin);
    switch (d) {
    case DefautLecture::PasOrdinaire:
        return debut + t.Mnu(mnu::PasFichierOrdinaire);
    case DefautLecture::TropGros:
        return debut + t.Mnu(mnu::FichierTropGros) +
               std::to_string((limite + (1u << 20) - 1) >> 20);
    case DefautLecture::Aucun:
    case DefautLecture::Absent:
        break;
    }
    return {};
}

} // namespace orv
