#include "measure/ChangementFonction.h"

#include "app/Orvelle.h"
#include "measure/Fonctions.h"
#include "measure/Grille.h"

namespace orv {

namespace {

// "effacer la grille  ?"; true for Yes.
bool ConfirmeEffacement(Orvelle& o) {
    const auto& t = o.textes;
    return o.plateforme.QuestionOuiNon(t.Msg(190) + t.Msg(188) + " ?");
}

bool GrilleOccupee(const Orvelle& o) {
    return o.mesure.LigneCourante > 1;
}

void ReactiveMenus(Orvelle& o) {
    o.controles.Actif(Controle::MenuComptage, true);
    o.controles.Actif(Controle::MenuDensite, true);
}

// The common end of every switch: empty grid, new function, new layout.
void Bascule(Orvelle& o, int numero) {
    RAZ_Grille_total(o);
    o.mesure.NumFonction = numero;
    o.controles.Visible(Controle::CopieNotation, true);
    SelectionneFonction(o);
}

// Mesure segment, Spores 2D, Spores 3D: the active entry again does nothing.
void EntreeSimple(Orvelle& o, int numero) {
    if (o.mesure.NumFonction == numero) return;
    if (GrilleOccupee(o) && !ConfirmeEffacement(o)) return;
    ReactiveMenus(o);
    Bascule(o, numero);
}

// Cystidia: the active entry again empties the grid without a question; another
// entry always asks, even on an empty grid.
void Cystides(Orvelle& o, int numero) {
    if (o.mesure.NumFonction != numero && !ConfirmeEffacement(o)) return;
    ReactiveMenus(o);
    Bascule(o, numero);
}

void Comptage(Orvelle& o, int numero) {
    if (o.mesure.NumFonction == numero) return;
    if (GrilleOccupee(o) && !ConfirmeEffacement(o)) return;
    o.mesure.ModeComptage = true;
    o.controles.Texte(Controle::TexteComptage, "0");
    o.controles.Actif(Controle::BoutonComptage, false);
    Bascule(o, numero);
    o.mesure.Etape = 1;
}

void Densite(Orvelle& o, int numero) {
    if (GrilleOccupee(o) && !ConfirmeEffacement(o)) return;
    o.mesure.ModeDensite = true;
    o.controles.Texte(Controle::TexteComptage, "0");
    Bascule(o, numero);
}

void Surface(Orvelle& o, int entree) {
    if (GrilleOccupee(o) && !ConfirmeEffacement(o)) return;
    auto& m = o.mesure;
    m.ModeTriangle = entree == 1;
    m.ModePolygone = entree != 1;
    if (entree != 1) m.PolygoneAuto = entree == 2;
    Bascule(o, entree == 1 ? 15 : 16);
}

// The colour function is entered from the start-up setting or from a grid or
// CSV file that names it; its menu entry only restarts it when it is active.
void Tintaval(Orvelle& o) {
    if (o.mesure.NumFonction != 20) {
        if (GrilleOccupee(o)) ConfirmeEffacement(o);
        return;
    }
    // A grid of colour samples is not emptied without the user's word.
    if (GrilleOccupee(o) && !ConfirmeEffacement(o)) return;
    o.controles.Actif(Controle::MenuComptage, false);
    o.controles.Actif(Controle::MenuDensite, false);
    o.mesure.NbSegments = 1;
    RAZ_Grille_total(o);
    o.controles.Visible(Controle::Texte4, false);
    EnteteGrille(o, 20);
}

} // namespace

bool ClicMenuFonction(Orvelle& o, Controle c) {
    using C = Controle;
    switch (c) {
    case C::FonctionSegment:
        EntreeSimple(o, 1);
        return true;
    case C::FonctionSpores2D:
        EntreeSimple(o, 2);
        return true;
    case C::FonctionSpores3D:
        EntreeSimple(o, 3);
        return true;
    case C::FonctionTintaval:
        Tintaval(o);
        return true;
    case C::FonctionCystides3:
    case C::FonctionCystides4:
    case C::FonctionCystides5:
        Cystides(o, c == C::FonctionCystides3 ? 4 : c == C::FonctionCystides4 ? 5 : 6);
        return true;
    case C::FonctionComptage1:
    case C::FonctionComptage2:
        Comptage(o, c == C::FonctionComptage1 ? 10 : 11);
        return true;
    case C::FonctionDensiteEllipse:
    case C::FonctionDensiteRectangle:
        Densite(o, c == C::FonctionDensiteEllipse ? 13 : 14);
        return true;
    case C::FonctionTriangle:
        Surface(o, 1);
        return true;
    case C::FonctionPolygoneAuto:
        Surface(o, 2);
        return true;
    case C::FonctionPolygoneOuvert:
        Surface(o, 3);
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

} // namespace orv
