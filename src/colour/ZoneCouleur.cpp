#include "colour/ZoneCouleur.h"

#include "colour/FichierCouleur.h"

#include <cmath>
#include <string>

namespace orv {

namespace {

constexpr Controle kEntreesZone[] = {Controle::ZoneCouleur1, Controle::ZoneCouleur2,
                                     Controle::ZoneCouleur3, Controle::ZoneCouleur4,
                                     Controle::ZoneCouleur5, Controle::ZoneCouleur6};

} // namespace

bool ChoisitTailleZone(Interface& ui, EtatCouleur& e, int i) {
    if (i < 1 || i > ZonesCouleur) return false;
    e.IndexZone = i;
    e.TailleZone = static_cast<int>(std::pow(2.0, i)); // exact up to 2^6
    auto& c = ui.controles;
    c.CocheSeul(kEntreesZone[i - 1]);
    c.Texte(Controle::DefilementZoneCouleur, std::to_string(i));
    const std::string s = std::to_string(e.TailleZone);
    c.Texte(Controle::LegendeZoneCouleur, s + "x" + s);
    return true;
}

void DefileTailleZone(Interface& ui, EtatCouleur& e, int valeur) {
    ChoisitTailleZone(ui, e, valeur);
}

void ModeNonCalibre(Interface& ui, EtatCouleur& e) {
    e.Calibre = false;
    ui.controles.Actif(Controle::CaseCalibre, true);
    ui.controles.Coche(Controle::CaseCalibre, false);
}

void MontreModeCouleur(Interface& ui, EtatCouleur& e, bool actif) {
    ui.controles.Visible(Controle::CadreCharte, actif);
    ui.controles.Visible(Controle::MenuCouleurs, actif);
    if (!actif && e.NotesOuvertes()) FermeNotes(ui, e);
}

} // namespace orv
