// A grid of texts as the measurement grids use it: rows and columns of cell
// texts, column widths in twips, cell back colours, and the removal of a row.
// Row 0 is the header row. The window shows it through a table model that
// follows the change notifications.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orv {

class GrilleTexte {
public:
    GrilleTexte(int lignes = 1, int colonnes = 1);

    int Lignes() const { return lignes_; }
    int Colonnes() const { return colonnes_; }
    // Changing the size keeps the texts that still fit; new cells are empty.
    void FixeLignes(int n);
    void FixeColonnes(int n);

    const std::string& Texte(int ligne, int colonne) const;
    void FixeTexte(int ligne, int colonne, const std::string& texte);

    int Largeur(int colonne) const; // twips
    void FixeLargeur(int colonne, int twips);

    std::uint32_t CouleurCellule(int ligne, int colonne) const;
    void FixeCouleurCellule(int ligne, int colonne, std::uint32_t couleur);
    std::uint32_t CouleurFond() const { return couleurFond_; }
    void FixeCouleurFond(std::uint32_t couleur);

    // Removes a row; the rows below move up and an empty row is added at the end.
    void SupprimeLigne(int ligne);

    // Current cell (the flex grid's selection).
    int LigneCourante() const { return ligneSel_; }
    int ColonneCourante() const { return colonneSel_; }
    void Selectionne(int ligne, int colonne);

    // Notifications for the view: the layout changed (rows, columns, widths), or
    // one cell changed (text or colour).
    std::function<void()> surStructure;
    std::function<void(int, int)> surCellule;

private:
    struct Cellule {
        std::string texte;
        std::uint32_t couleur = 0;
    };
    bool Dedans(int l, int c) const { return l >= 0 && c >= 0 && l < lignes_ && c < colonnes_; }
    Cellule& At(int l, int c) { return cellules_[static_cast<size_t>(l * colonnes_ + c)]; }
    const Cellule& At(int l, int c) const {
        return cellules_[static_cast<size_t>(l * colonnes_ + c)];
    }
    void Redimensionne(int lignes, int colonnes);

    int lignes_ = 0;
    int colonnes_ = 0;
    std::vector<Cellule> cellules_;
    std::vector<int> largeurs_;
    std::uint32_t couleurFond_ = 0xFFFFFF;
    int ligneSel_ = 0;
    int colonneSel_ = 0;
};

} // namespace orv
