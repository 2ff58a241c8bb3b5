#include "interface/Controles.h"

#include "interface/TableControles.h"

#include <stdexcept>

namespace orv {

Controles::Controles() {
    for (const auto& d : TableControles()) {
        auto& e = etats_[Rang(d.controle)];
        e.texte = d.genre == Genre::Separateur ? "" : d.texte;
        e.visible = d.visible;
    }
}

size_t Controles::Rang(Controle c) {
    const auto i = static_cast<size_t>(c);
    if (i >= static_cast<size_t>(NombreControles)) throw std::out_of_range("not a control");
    return i;
}

void Controles::Signale(Controle c) {
    if (surChangement) surChangement(c);
}

void Controles::Texte(Controle c, const std::string& texte) {
    auto& e = etats_[Rang(c)];
    if (e.texte == texte) return;
    e.texte = texte;
    Signale(c);
}

void Controles::Visible(Controle c, bool visible) {
    auto& e = etats_[Rang(c)];
    if (e.visible == visible) return;
    e.visible = visible;
    Signale(c);
}

void Controles::Actif(Controle c, bool actif) {
    auto& e = etats_[Rang(c)];
    actif = actif && e.disponible;
    if (e.actif == actif) return;
    e.actif = actif;
    Signale(c);
}

void Controles::Indisponible(Controle c) {
    etats_[Rang(c)].disponible = false;
    Actif(c, false);
}

void Controles::Infobulle(Controle c, const std::string& texte) {
    auto& e = etats_[Rang(c)];
    if (e.infobulle == texte) return;
    e.infobulle = texte;
    Signale(c);
}

void Controles::Coche(Controle c, bool coche) {
    auto& e = etats_[Rang(c)];
    if (e.coche == coche) return;
    e.coche = coche;
    Signale(c);
}

void Controles::Couleur(Controle c, std::optional<std::uint32_t> couleur) {
    auto& e = etats_[Rang(c)];
    if (e.couleur == couleur) return;
    e.couleur = couleur;
    Signale(c);
}

void Controles::CocheSeul(Controle c) {
    for (Controle x : MemeFamille(c)) Coche(x, x == c);
}

} // namespace orv
