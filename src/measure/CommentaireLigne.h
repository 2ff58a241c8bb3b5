// The comment editor of the grid lines (panel Frame(10)): opened on a line from
// the "comment" column, moves from line to line, stores, drops or empties the
// comment. The comment lives in the grid's last column only: the grid file and
// the exports read it from there; the line's mark record keeps its own text.
#pragma once

#include "interface/Controle.h"

#include <string>

namespace orv {

class Orvelle;

class CommentaireLigne {
public:
    // Opens the panel on a line, kept between 1 and the last complete line.
    // False (nothing shown) while the grid holds no complete line.
    bool Ouvre(Orvelle& o, int ligne);
    bool Ouvert() const { return ouvert_; }
    // The line being edited (0 while closed).
    int Ligne() const { return ouvert_ ? ligne_ : 0; }
    // Highest line the editor may reach: the last complete line.
    static int LigneMax(const Orvelle& o);

    // The scroll bar VScroll2 moved to `valeur`; the edit of the line left is dropped.
    void Defile(Orvelle& o, int valeur);
    // The line number typed in Text4 (a text below 1, or not a number, gives 1).
    void NumeroSaisi(Orvelle& o, const std::string& texte);

    // Bout_dial(28) "Valider": the text of TBox(3) becomes the line's comment
    // (a line break becomes a blank, the grid file keeps one line per comment)
    // and the panel closes.
    void Valide(Orvelle& o);
    // Bout_dial(29) "annuler": the edit is dropped and the panel closes.
    void Annule(Orvelle& o);
    // Bout_dial(30) "Raz commentaire": empties the edit; "Valider" stores it.
    void Efface(Orvelle& o);

    // A click on a button of the panel while it edits a line comment; false
    // when the button is not the editor's or the panel is not in that mode.
    bool Clic(Orvelle& o, Controle c);

private:
    void Charge(Orvelle& o, int ligne);
    bool ouvert_ = false;
    int ligne_ = 0;
};

} // namespace orv
