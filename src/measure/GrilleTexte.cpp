#include "measure/GrilleTexte.h"

#include <stdexcept>

namespace orv {

namespace {
const std::string kVide;
}

GrilleTexte::GrilleTexte(int lignes, int colonnes) {
    Redimensionne(lignes, colonnes);
}

void GrilleTexte::Redimensionne(int lignes, int colonnes) {
    if (lignes < 0 || colonnes < 0) throw std::logic_error("negative grid size");
    std::vector<Cellule> neuves(static_cast<size_t>(lignes * colonnes));
    for (auto& c : neuves) c.couleur = couleurFond_;
    for (int l = 0; l < std::min(lignes, lignes_); ++l)
        for (int c = 0; c < std::min(colonnes, colonnes_); ++c)
            neuves[static_cast<size_t>(l) * static_cast<size_t>(colonnes) +
                   static_cast<size_t>(c)] = At(l, c);
    cellules_ = std::move(neuves);
    largeurs_.resize(static_cast<size_t>(colonnes), 1000);
    lignes_ = lignes;
    colonnes_ = colonnes;
    if (ligneSel_ >= lignes_) ligneSel_ = lignes_ > 0 ? lignes_ - 1 : 0;
    if (colonneSel_ >= colonnes_) colonneSel_ = colonnes_ > 0 ? colonnes_ - 1 : 0;
    if (surStructure) surStructure();
}

void GrilleTexte::FixeLignes(int n) {
    if (n != lignes_) Redimensionne(n, colonnes_);
}

void GrilleTexte::FixeColonnes(int n) {
    if (n != colonnes_) Redimensionne(lignes_, n);
}

const std::string& GrilleTexte::Texte(int ligne, int colonne) const {
    return Dedans(ligne, colonne) ? At(ligne, colonne).texte : kVide;
}

void GrilleTexte::FixeTexte(int ligne, int colonne, const std::string& texte) {
    if (!Dedans(ligne, colonne)) throw std::out_of_range("grid cell outside the grid");
    auto& c = At(ligne, colonne);
    if (c.texte == texte) return;
    c.texte = texte;
    if (surCellule) surCellule(ligne, colonne);
}

int GrilleTexte::Largeur(int colonne) const {
    return colonne >= 0 && colonne < colonnes_ ? largeurs_[static_cast<size_t>(colonne)] : 0;
}

void GrilleTexte::FixeLargeur(int colonne, int twips) {
    if (colonne < 0 || colonne >= colonnes_)
        throw std::out_of_range("grid column outside the grid");
    if (largeurs_[static_cast<size_t>(colonne)] == twips) return;
    largeurs_[static_cast<size_t>(colonne)] = twips;
    if (surStructure) surStructure();
}

std::uint32_t GrilleTexte::CouleurCellule(int ligne, int colonne) const {
    return Dedans(ligne, colonne) ? At(ligne, colonne).couleur : couleurFond_;
}

void GrilleTexte::FixeCouleurCellule(int ligne, int colonne, std::uint32_t couleur) {
    if (!Dedans(ligne, colonne)) throw std::out_of_range("grid cell outside the grid");
    auto& c = At(ligne, colonne);
    if (c.couleur == couleur) return;
    c.couleur = couleur;
    if (surCellule) surCellule(ligne, colonne);
}

void GrilleTexte::FixeCouleurFond(std::uint32_t couleur) {
    couleurFond_ = couleur;
    if (surStructure) surStructure();
}

void GrilleTexte::SupprimeLigne(int ligne) {
    if (ligne < 0 || ligne >= lignes_) throw std::out_of_range("grid row outside the grid");
    auto debut = cellules_.begin() + ligne * colonnes_;
    cellules_.erase(debut, debut + colonnes_);
    for (int c = 0; c < colonnes_; ++c) {
        Cellule vide;
        vide.couleur = couleurFond_;
        cellules_.push_back(vide);
    }
    if (surStructure) surStructure();
}

void GrilleTexte::Selectionne(int ligne, int colonne) {
    ligneSel_ = ligne;
    colonneSel_ = colonne;
}

} // namespace orv
