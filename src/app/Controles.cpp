#include "app/Controles.h"

#include <stdexcept>

namespace orv {

void Controles::Declare(const std::string& nom, int index, const std::string& texte, bool visible) {
    auto [it, neuf] = etats_.try_emplace({nom, index});
    if (!neuf) throw std::logic_error("control declared twice: " + nom);
    it->second.texte = texte;
    it->second.visible = visible;
}

bool Controles::Existe(const std::string& nom, int index) const {
    return etats_.count({nom, index}) != 0;
}

const EtatControle& Controles::operator()(const std::string& nom, int index) const {
    auto it = etats_.find({nom, index});
    if (it == etats_.end())
        throw std::logic_error("unknown control: " + nom + "(" + std::to_string(index) + ")");
    return it->second;
}

EtatControle& Controles::Acces(const std::string& nom, int index) {
    auto it = etats_.find({nom, index});
    if (it == etats_.end())
        throw std::logic_error("unknown control: " + nom + "(" + std::to_string(index) + ")");
    return it->second;
}

void Controles::Signale(const std::string& nom, int index) {
    if (surChangement) surChangement({nom, index});
}

void Controles::Texte(const std::string& nom, int index, const std::string& texte) {
    auto& e = Acces(nom, index);
    if (e.texte == texte) return;
    e.texte = texte;
    Signale(nom, index);
}

void Controles::Visible(const std::string& nom, int index, bool visible) {
    auto& e = Acces(nom, index);
    if (e.visible == visible) return;
    e.visible = visible;
    Signale(nom, index);
}

void Controles::Actif(const std::string& nom, int index, bool actif) {
    auto& e = Acces(nom, index);
    actif = actif && e.disponible;
    if (e.actif == actif) return;
    e.actif = actif;
    Signale(nom, index);
}

void Controles::Indisponible(const std::string& nom, int index) {
    Acces(nom, index).disponible = false;
    Actif(nom, index, false);
}

void Controles::Coche(const std::string& nom, int index, bool coche) {
    auto& e = Acces(nom, index);
    if (e.coche == coche) return;
    e.coche = coche;
    Signale(nom, index);
}

void Controles::Couleur(const std::string& nom, int index, std::optional<std::uint32_t> couleur) {
    auto& e = Acces(nom, index);
    if (e.couleur == couleur) return;
    e.couleur = couleur;
    Signale(nom, index);
}

void Controles::CocheSeul(const std::string& nom, int index) {
    for (int i : Indexes(nom)) Coche(nom, i, i == index);
}

std::vector<int> Controles::Indexes(const std::string& nom) const {
    std::vector<int> v;
    for (auto it = etats_.lower_bound({nom, SansIndex - 1});
         it != etats_.end() && it->first.first == nom; ++it)
        v.push_back(it->first.second);
    return v;
}

} // namespace orv
