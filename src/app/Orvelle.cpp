#include "app/Orvelle.h"

namespace orv {

Orvelle::Orvelle(Plateforme& p, std::string dossier)
    : plateforme(p), dossierProgramme(std::move(dossier)) {}

} // namespace orv
