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
    o.controles.Actif("MnuFonc", 6, true);
    o.controles.Actif("MnuFonc", 7, true);
}

// The common end of every switch: empty grid, new function, new layout.
void Bascule(Orvelle& o, int numero) {
    RAZ_Grille_total(o);
    o.mesure.NumFonction = numero;
    o.controles.Visible("bout", 42, true);
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
    o.controles.Texte("TBox", 6, "0");
    o.controles.Actif("bout", 9, false);
    Bascule(o, numero);
    o.mesure.Etape = 1;
}

void Densite(Orvelle& o, int numero) {
    if (GrilleOccupee(o) && !ConfirmeEffacement(o)) return;
    o.mesure.ModeDensite = true;
    o.controles.Texte("TBox", 6, "0");
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
    o.controles.Actif("MnuFonc", 6, false);
    o.controles.Actif("MnuFonc", 7, false);
    o.mesure.NbSegments = 1;
    RAZ_Grille_total(o);
    o.controles.Visible("TBox", 4, false);
    EnteteGrille(o, 20);
}

} // namespace

bool ClicMenuFonction(Orvelle& o, const std::string& famille, int index) {
    if (famille == "MnuFonc") {
        switch (index) {
        case 1:
        case 2:
        case 3:
            EntreeSimple(o, index);
            return true;
        case 20:
            Tintaval(o);
            return true;
        case 4:
        case 5:
        case 6:
        case 7:
        case 21:
            return true; // submenu heads
        default:
            return false;
        }
    }
    if (famille == "Cyst" && index >= 1 && index <= 3) {
        Cystides(o, index + 3);
        return true;
    }
    if (famille == "Mncp" && index >= 1 && index <= 2) {
        Comptage(o, index + 9);
        return true;
    }
    if (famille == "MnDens" && index >= 1 && index <= 2) {
        Densite(o, index + 12);
        return true;
    }
    if (famille == "Mnusurf" && index >= 1 && index <= 3) {
        Surface(o, index);
        return true;
    }
    // "Perso 1" and "perso 2" have no function behind them.
    return famille == "MnPers" || famille == "MnPers1";
}

} // namespace orv
