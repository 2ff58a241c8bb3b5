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

// The frames several commands share: the input line (CadreSaisie, "OK",
// "Annule") and the comment frame (CadreCommentaire, "Valider", "annuler",
// "Raz"). The rule that opens one says whose it is; their buttons answer that
// owner alone (app/TableCommandes.cpp), never a mode flag.
enum class ProprietaireCadre {
    Aucun,
    Annotation,
    Calibrage,
    CommentaireLigne,
    Export,
    NotesCouleur
};
struct CadresPartages {
    ProprietaireCadre saisie = ProprietaireCadre::Aucun;
    ProprietaireCadre commentaire = ProprietaireCadre::Aucun;
};

struct Interface {
    Plateforme& plateforme;
    Controles& controles;
    TablesTextes& textes;
    CadresPartages& cadres;

    // Decimal separator of the user's locale.
    char Sep() const { return plateforme.SeparateurDecimal(); }
    const std::string& Msg(int n) const { return textes.Msg(n); }
    const std::string& Mnu(int n) const { return textes.Mnu(n); }
    // The status bar's prompt.
    void Statut(const std::string& texte) { controles.Texte(Controle::BarreEtat, texte); }

    // A shared frame (CadreSaisie or CadreCommentaire) shown as `p`'s, or
    // hidden and no one's.
    void OuvreCadre(Controle cadre, ProprietaireCadre p) {
        Proprietaire(cadre) = p;
        controles.Visible(cadre, true);
    }
    void FermeCadre(Controle cadre) {
        Proprietaire(cadre) = ProprietaireCadre::Aucun;
        controles.Visible(cadre, false);
    }
    ProprietaireCadre& Proprietaire(Controle cadre) {
        return cadre == Controle::CadreSaisie ? cadres.saisie : cadres.commentaire;
    }
};

} // namespace orv
