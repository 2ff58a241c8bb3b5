// What a rule uses to talk to the user: the platform (message boxes,
// questions, dialogs, clipboard), the window's controls and the text tables.
// Rules take it beside the state they read and change; it holds no state of
// the program itself.
#pragma once

#include "interface/Controles.h"
#include "interface/TablesTextes.h"
#include "platform/Plateforme.h"

#include <string>

namespace orv {

struct Interface {
    Plateforme& plateforme;
    Controles& controles;
    TablesTextes& textes;

    // Decimal separator of the user's locale.
    char Sep() const { return plateforme.SeparateurDecimal(); }
    const std::string& Msg(int n) const { return textes.Msg(n); }
    const std::string& Mnu(int n) const { return textes.Mnu(n); }
    // The status bar's prompt.
    void Statut(const std::string& texte) { controles.Texte(Controle::BarreEtat, texte); }
};

} // namespace orv
