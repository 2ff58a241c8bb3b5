#include "measure/ChangementFonction.h"

#include "interface/Messages.h"
#include "measure/Fonctions.h"
#include "measure/Grille.h"

namespace orv {

namespace {

// One menu click: whom it tells, the measure it changes, the settings it
// reads, and what it did.
struct Entree {
    Interface& ui;
    EtatMesure& m;
    const Parametres& p;
    SuitesMesure suites;
};

// "effacer la grille  ?"; true for Yes.
bool ConfirmeEffacement(Entree& e) {
    return e.ui.plateforme.QuestionOuiNon(e.ui.Msg(msg::Effacer) + e.ui.Msg(msg::LaGrille) + " ?");
}

bool GrilleOccupee(const Entree& e) {
    return e.m.LigneCourante > 1;
}

void ReactiveMenus(Entree& e) {
    e.ui.controles.Actif(Controle::MenuComptage, true);
    e.ui.controles.Actif(Controle::MenuDensite, true);
}

void Vide(Entree& e) {
    RAZ_Grille_total(e.ui, e.m);
    e.suites.grilleVidee = true;
}

// The common end of every switch: empty grid, new function, new layout.
void Bascule(Entree& e, int numero) {
    Vide(e);
    e.m.NumFonction = numero;
    e.ui.controles.Visible(Controle::CopieNotation, true);
    SelectionneFonction(e.ui, e.m, e.p);
    e.suites.fonctionChoisie = true;
}

// Mesure segment, Spores 2D, Spores 3D: the active entry again does nothing.
void EntreeSimple(Entree& e, int numero) {
    if (e.m.NumFonction == numero) return;
    if (GrilleOccupee(e) && !ConfirmeEffacement(e)) return;
    ReactiveMenus(e);
    Bascule(e, numero);
}

// Cystidia: the active entry again empties the grid without a question; another
// entry always asks, even on an empty grid.
void Cystides(Entree& e, int numero) {
    if (e.m.NumFonction != numero && !ConfirmeEffacement(e)) return;
    ReactiveMenus(e);
    Bascule(e, numero);
}

void Comptage(Entree& e, int numero) {
    if (e.m.NumFonction == numero) return;
    if (GrilleOccupee(e) && !ConfirmeEffacement(e)) return;
    e.m.ModeComptage = true;
    FixeCompte(e.ui, e.m, 0);
    e.ui.controles.Actif(Controle::BoutonComptage, false);
    Bascule(e, numero);
    e.m.Etape = 1;
}

void Densite(Entree& e, int numero) {
    if (GrilleOccupee(e) && !ConfirmeEffacement(e)) return;
    e.m.ModeDensite = true;
    FixeCompte(e.ui, e.m, 0);
    Bascule(e, numero);
}

void Surface(Entree& e, int entree) {
    if (GrilleOccupee(e) && !ConfirmeEffacement(e)) return;
    auto& m = e.m;
    m.ModeTriangle = entree == 1;
    m.ModePolygone = entree != 1;
    if (entree != 1) m.PolygoneAuto = entree == 2;
    Bascule(e, entree == 1 ? fonction::Triangle : fonction::Polygone);
}

// The colour function is entered from the start-up setting or from a grid or
// CSV file that names it; its menu entry only restarts it when it is active,
// and otherwise says how to reach it.
void Tintaval(Entree& e) {
    if (e.m.NumFonction != fonction::Couleur) {
        const auto& c = e.ui.controles;
        e.ui.plateforme.Message(
            e.ui.Mnu(mnu::TintavalAuDemarrage) + c.Texte(Controle::MenuOptions) + " > " +
            c.Texte(Controle::MenuFonctionDemarrage) + " > " +
            c.Texte(Controle::DemarrageTintaval) + ", " + e.ui.Msg(msg::QuitterRelancer));
        return;
    }
    // A grid of colour samples is not emptied without the user's word.
    if (GrilleOccupee(e) && !ConfirmeEffacement(e)) return;
    e.ui.controles.Actif(Controle::MenuComptage, false);
    e.ui.controles.Actif(Controle::MenuDensite, false);
    e.m.NbSegments = 1;
    Vide(e);
    e.ui.controles.Visible(Controle::Texte4, false);
    EnteteGrille(e.ui, e.m, fonction::Couleur);
}

// The entry's work; false for an entry of another menu.
bool Entre(Entree& e, Controle c) {
    using C = Controle;
    switch (c) {
    case C::FonctionSegment:
        EntreeSimple(e, fonction::Segment);
        return true;
    case C::FonctionSpores2D:
        EntreeSimple(e, fonction::Spores2D);
        return true;
    case C::FonctionSpores3D:
        EntreeSimple(e, fonction::Spores3D);
        return true;
    case C::FonctionTintaval:
        Tintaval(e);
        return true;
    case C::FonctionCystides3:
    case C::FonctionCystides4:
    case C::FonctionCystides5:
        Cystides(e, c == C::FonctionCystides3   ? fonction::Cystides3
                    : c == C::FonctionCystides4 ? fonction::Cystides4
                                                : fonction::Cystides5);
        return true;
    case C::FonctionComptage1:
    case C::FonctionComptage2:
        Comptage(e, c == C::FonctionComptage1 ? fonction::Comptage1 : fonction::Comptage2);
        return true;
    case C::FonctionDensiteEllipse:
    case C::FonctionDensiteRectangle:
        Densite(e, c == C::FonctionDensiteEllipse ? fonction::DensiteEllipse
                                                  : fonction::DensiteRectangle);
        return true;
    case C::FonctionTriangle:
        Surface(e, 1);
        return true;
    case C::FonctionPolygoneAuto:
        Surface(e, 2);
        return true;
    case C::FonctionPolygoneOuvert:
        Surface(e, 3);
        return true;
    case C::MenuCystides:
    case C::MenuPerso:
    case C::MenuComptage:
    case C::MenuDensite:
    case C::MenuSurface:
    // "Perso 1" and "perso 2" have no function behind them.
    case C::Perso1:
    case C::Perso2:
        return true;
    default:
        return false;
    }
}

} // namespace

std::optional<SuitesMesure> ClicMenuFonction(Interface& ui, EtatMesure& m, const Parametres& p,
                                             Controle c) {
    Entree e{ui, m, p, {}};
    if (!Entre(e, c)) return std::nullopt;
    return e.suites;
}

} // namespace orv
