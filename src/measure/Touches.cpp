// Keys of the image box, the cancellation of a measure under way, and the key
// help shown to the user.
#include "app/Orvelle.h"
#include "base/Texte.h"
#include "images/CommandesVue.h"
#include "interface/Messages.h"
#include "measure/Grille.h"
#include "measure/OutilsPointage.h"
#include "measure/Pointage.h"

#include <algorithm>

namespace orv {

namespace {

// Marks of lines `de`..`a` whose value is still in the grid (what "retrace" draws).
std::vector<MarqueTrace> MarquesVisibles(const Orvelle& o, int de, int a) {
    std::vector<MarqueTrace> r;
    const auto& traces = o.mesure.TraceLignes;
    for (int l = std::max(de, 1); l <= a && l < static_cast<int>(traces.size()); ++l)
        for (const auto& mt : traces[static_cast<size_t>(l)].marques)
            if (!o.GrilleRef.Texte(l, mt.valeur).empty()) r.push_back(mt);
    return r;
}

bool MemeMarque(const MarqueTrace& x, const MarqueTrace& y) {
    return x.marque.genre == y.marque.genre && x.marque.a == y.marque.a &&
           x.marque.b == y.marque.b && x.marque.texte == y.marque.texte;
}

} // namespace

void EffaceDerniereValeur(Orvelle& o) {
    const int ligne = o.mesure.LigneCourante;
    auto avant = MarquesVisibles(o, ligne - 1, ligne);
    OublieMesureEnCours(o);
    EffaceArriere(o);
    for (const auto& reste : MarquesVisibles(o, ligne - 1, ligne)) {
        auto it = std::find_if(avant.begin(), avant.end(),
                               [&](const MarqueTrace& m) { return MemeMarque(m, reste); });
        if (it != avant.end()) avant.erase(it);
    }
    RetireFixes(o, avant);
}

void AnnuleSegment(Orvelle& o) {
    auto& p = o.pointage;
    // A count under way is part of the measure: its crosses and its display go.
    if ((o.mesure.ModeComptage || o.mesure.ModeDensite) && !p.marquesEnCours.empty())
        o.controles.Texte(Controle::TexteComptage, "0");
    OublieMesureEnCours(o);
    p.IgnoreRelache = true;
    o.controles.Visible(Controle::CadreMesure, true);
    MemoriseCle(o);
}

void AfficheModeGlisse(Orvelle& o) {
    // Said while the image drag is on: every drag then moves the picture.
    if (o.pointage.etatGlisse) Statut(o, o.textes.Mnu(mnu::ModeGlisse));
}

void ToucheEnfoncee(Orvelle& o, Touche touche, Modificateurs mods) {
    Synchronise(o);
    auto& p = o.pointage;
    // Only Ctrl pressed and released alone toggles the drag (not Ctrl+A, not a
    // drag made while Ctrl is held).
    p.ctrlSeul = touche == Touche::Ctrl;
    switch (touche) {
    case Touche::Retour:
        EffaceDerniereValeur(o);
        break;
    case Touche::Espace: {
        const bool visible = !o.controles(Controle::CadreStatistiques).visible;
        o.controles.Visible(Controle::CadreStatistiques, visible);
        if (o.recalculeStatistiques) o.recalculeStatistiques(o);
        break;
    }
    case Touche::Z:
        p.ZoomPoint = true;
        break;
    case Touche::C:
    case Touche::PageSuivante:
        p.CentrePoint = true;
        break;
    case Touche::Chevrons:
    case Touche::L:
        BasculeChampLoupe(o.images);
        break;
    case Touche::Echap:
        p.ZoomPoint = false;
        p.CentrePoint = false;
        AnnuleSegment(o);
        break;
    case Touche::Ctrl:
        p.GlisseImage = true;
        break;
    case Touche::V:
        p.ToucheV = true;
        break;
    case Touche::W:
        p.ToucheW = true;
        break;
    case Touche::G:
        p.ToucheG = true;
        p.PositionGrille = (p.PositionGrille + 1) % 4;
        break;
    case Touche::E:
        p.ToucheE = true;
        break;
    case Touche::Maj:
    case Touche::Alt:
    case Touche::Autre:
        break;
    }
    // After every key the pointer is slow exactly while Shift is held.
    p.Pantographe = mods.maj || touche == Touche::Maj;
    MemoriseCle(o);
}

void ToucheRelachee(Orvelle& o, Touche touche, Modificateurs) {
    auto& p = o.pointage;
    switch (touche) {
    case Touche::Z:
        p.ZoomPoint = false;
        break;
    case Touche::C:
    case Touche::PageSuivante:
        p.CentrePoint = false;
        break;
    case Touche::Maj:
        p.Pantographe = false;
        break;
    case Touche::Ctrl:
        // Ctrl toggles the image drag: pressed and released once it stays on,
        // a second time it goes off. A release whose press the box did not see
        // (Ctrl+A in a text box, then a click on the image) changes nothing.
        if (p.ctrlSeul) {
            p.etatGlisse = !p.etatGlisse;
            if (p.etatGlisse)
                AfficheModeGlisse(o);
            else
                Statut(o, o.textes.Msg(55));
        }
        p.ctrlSeul = false;
        p.GlisseImage = p.etatGlisse;
        break;
    case Touche::Alt:
        p.GlisseGrille = !p.GlisseGrille;
        break;
    case Touche::V:
        p.ToucheV = false;
        break;
    case Touche::W:
        p.ToucheW = false;
        break;
    case Touche::G:
        p.ToucheG = false;
        break;
    case Touche::E:
        p.ToucheE = false;
        break;
    default:
        break;
    }
}

void ToucheOubliees(Orvelle& o) {
    auto& p = o.pointage;
    p.ZoomPoint = p.CentrePoint = false;
    p.ToucheE = p.ToucheV = p.ToucheW = p.ToucheG = false;
    p.Pantographe = false;
    p.ctrlSeul = false;
    p.GlisseImage = p.etatGlisse;
}

std::string AideTouches(const Orvelle& o) {
    std::string r;
    for (int i = 2; i <= 11; ++i) {
        if (i > 2) r += FinDeLigne;
        r += o.textes.Msg(i);
        if (i == 7) r += " / L";
    }
    return r;
}

} // namespace orv
