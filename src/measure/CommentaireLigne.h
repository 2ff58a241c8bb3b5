// The comment editor of the grid lines (the comment frame): opened on a line from
// the "comment" column, moves from line to line, stores, drops or empties the
// comment. The comment lives in the grid's last column only: the grid file and
// the exports read it from there; the line's mark record keeps its own text.
#pragma once

#include "interface/Controle.h"

#include <string>

namespace orv {

struct EtatMesure;
struct Interface;

// Whether the editor is open, and on which line.
struct CommentaireLigne {
    bool ouvert = false;
    int ligne = 0;

    bool Ouvert() const { return ouvert; }
    // The line being edited (0 while closed).
    int Ligne() const { return ouvert ? ligne : 0; }
};

// Highest line the editor may reach: the last complete line.
int LigneMaxCommentaire(const EtatMesure& m);

// Opens the panel on a line, kept between 1 and the last complete line.
// False (nothing shown) while the grid holds no complete line.
bool OuvreCommentaire(Interface& ui, EtatMesure& m, int ligne);
// Shows line `ligne` (kept within the reachable lines) in the open panel; the
// edit of the line left is dropped.
void ChargeCommentaire(Interface& ui, EtatMesure& m, int ligne);
// The line number typed in Text4 (a text below 1, or not a number, gives 1).
void NumeroCommentaireSaisi(Interface& ui, EtatMesure& m, const std::string& texte);

// "Valider": `texte`, what the frame's text box holds, becomes the line's
// comment (a line break becomes a blank, the grid file keeps one line per
// comment) and the panel closes.
void ValideCommentaire(Interface& ui, EtatMesure& m, const std::string& texte);
// "annuler": the edit is dropped and the panel closes.
void FermeCommentaire(Interface& ui, EtatMesure& m);

} // namespace orv
