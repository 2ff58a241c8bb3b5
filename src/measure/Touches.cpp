// Keys of the image box, the cancellation of a measure under way, and the key
// help shown to the user.
#include "base/Texte.h"
#include "interface/Messages.h"
#include "measure/Grille.h"
#include "measure/OutilsPointage.h"
#include "measure/Pointage.h"

#include <algorithm>

namespace orv {

namespace {

// Marks of lines `de`..`a` whose value is still in the grid (what "retrace" draws).
std::vector<MarqueTrace> MarquesVisibles(const EtatMesure& m, int de, int a) {
    std::vector<MarqueTrace> r;
    const auto& traces = m.TraceLignes;
    for (int l = std::max(de, 1); l <= a && l < static_cast<int>(traces.size()); ++l)
        for (const auto& mt : traces[static_cast<size_t>(l)].marques)
            if (!m.GrilleRef.Texte(l, mt.valeur).empty()) r.push_back(mt);
    return r;
}

bool MemeMarque(const MarqueTrace& x, const MarqueTrace& y) {
    return x.marque.genre == y.marque.genre && x.marque.a == y.marque.a &&
           x.marque.b == y.marque.b && x.marque.c == y.marque.c && x.marque.texte == y.marque.texte;
}

} // namespace

SuitesMesure EffaceDerniereValeur(Interface& ui, EtatMesure& m, const Parametres& p) {
    const int ligne = m.LigneCourante;
    auto avant = MarquesVisibles(m, ligne - 1, ligne);
    OublieMesureEnCours(m);
    SuitesMesure s;
    s.effacement = EffaceArriere(ui, m, p);
    for (const auto& reste : MarquesVisibles(m, ligne - 1, ligne)) {
        auto it = std::find_if(avant.begin(), avant.end(),
                               [&](const MarqueTrace& t) { return MemeMarque(t, reste); });
        if (it != avant.end()) avant.erase(it);
    }
    RetireFixes(m, avant);
    return s;
}

void AnnuleSegment(Interface& ui, EtatMesure& m, std::uint64_t versionImage) {
    auto& p = m.pointage;
    // A count under way is part of the measure: its crosses and its display go.
    if ((m.ModeComptage || m.ModeDensite) && !p.marquesEnCours.empty()) FixeCompte(ui, m, 0);
    OublieMesureEnCours(m);
    p.IgnoreRelache = true;
    ui.controles.Visible(Controle::CadreMesure, true);
    MemoriseCle(m, versionImage);
}

void AfficheModeGlisse(Interface& ui, const EtatPointage& p) {
    // Said while the image drag is on: every drag then moves the picture.
    if (p.etatGlisse) ui.Statut(ui.Mnu(mnu::ModeGlisse));
}

SuitesMesure ToucheEnfoncee(Interface& ui, EtatMesure& m, const ContexteMesure& c, Touche touche,
                            Modificateurs) {
    Synchronise(ui, m, c.versionImage);
    SuitesMesure s;
    auto& p = m.pointage;
    // Only Ctrl pressed and released alone toggles the drag (not Ctrl+A, not a
    // drag made while Ctrl is held).
    p.ctrlSeul = touche == Touche::Ctrl;
    switch (touche) {
    case Touche::Retour:
        s = EffaceDerniereValeur(ui, m, c.parametres);
        break;
    case Touche::Espace:
        s.basculeStatistiques = true;
        break;
    case Touche::Z:
        p.ZoomPoint = true;
        break;
    case Touche::C:
    case Touche::PageSuivante:
        p.CentrePoint = true;
        break;
    case Touche::Chevrons:
    case Touche::L:
        s.vue = DemandeVue{DemandeVue::Genre::ChampLoupe, {}};
        break;
    case Touche::Echap:
        p.ZoomPoint = false;
        p.CentrePoint = false;
        AnnuleSegment(ui, m, c.versionImage);
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
    case Touche::Entree:
    case Touche::Autre:
        break;
    }
    MemoriseCle(m, c.versionImage);
    return s;
}

void ToucheRelachee(Interface& ui, EtatPointage& p, Touche touche, Modificateurs) {
    switch (touche) {
    case Touche::Z:
        p.ZoomPoint = false;
        break;
    case Touche::C:
    case Touche::PageSuivante:
        p.CentrePoint = false;
        break;
    case Touche::Ctrl:
        // Ctrl toggles the image drag: pressed and released once it stays on,
        // a second time it goes off. A release whose press the box did not see
        // (Ctrl+A in a text box, then a click on the image) changes nothing.
        if (p.ctrlSeul) {
            p.etatGlisse = !p.etatGlisse;
            if (p.etatGlisse)
                AfficheModeGlisse(ui, p);
            else
                ui.Statut(ui.Msg(msg::InviteFonction));
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

void ToucheOubliees(EtatPointage& p) {
    p.ZoomPoint = p.CentrePoint = false;
    p.ToucheE = p.ToucheV = p.ToucheW = p.ToucheG = false;
    p.ctrlSeul = false;
    p.GlisseImage = p.etatGlisse;
}

std::string AideTouches(const TablesTextes& textes) {
    std::string r;
    for (int i = msg::AideTouches; i <= msg::AideTouchesFin; ++i) {
        if (i > msg::AideTouches) r += FinDeLigne;
        r += textes.Msg(i);
        if (i == msg::AideToucheLoupe) r += " / L";
    }
    return r;
}

} // namespace orv
