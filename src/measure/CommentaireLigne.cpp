#include "measure/CommentaireLigne.h"

#include "app/Orvelle.h"
#include "base/Nombres.h"
#include "base/Texte.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

constexpr std::uint32_t kCouleurCommentaire = 0xC0C000;
// Label of the panel, when the window declares it.

} // namespace

int CommentaireLigne::LigneMax(const Orvelle& o) {
    return std::min(o.mesure.LigneCourante - 1, o.GrilleRef.Lignes() - 1);
}

bool CommentaireLigne::Ouvre(Orvelle& o, int ligne) {
    if (LigneMax(o) < 1) return false;
    ouvert_ = true;
    auto& c = o.controles;
    c.Couleur(Controle::CadreCommentaire, kCouleurCommentaire);
    c.Texte(Controle::LegendeCommentaire, o.textes.Msg(102));
    Charge(o, ligne);
    c.Visible(Controle::CadreCommentaire, true);
    return true;
}

void CommentaireLigne::Charge(Orvelle& o, int ligne) {
    ligne_ = std::clamp(ligne, 1, std::max(1, LigneMax(o)));
    const auto& g = o.GrilleRef;
    const int cols = g.Colonnes();
    // The colour function has no "img" column: its image is in the mark record.
    const std::string image =
        o.mesure.NumFonction == 20
            ? std::to_string(o.mesure.TraceLignes[static_cast<size_t>(ligne_)].image)
            : Trim(g.Texte(ligne_, cols - 2));
    auto& c = o.controles;
    c.Texte(Controle::CadreCommentaire, "--- img " + image + " :");
    c.Texte(Controle::TexteCommentaire, g.Texte(ligne_, cols - 1));
    c.Texte(Controle::NumeroCommentaire, std::to_string(ligne_));
}

void CommentaireLigne::Defile(Orvelle& o, int valeur) {
    if (ouvert_) Charge(o, valeur);
}

void CommentaireLigne::NumeroSaisi(Orvelle& o, const std::string& texte) {
    if (!ouvert_) return;
    const double v = LitDecimal(texte);
    Charge(o, v < 1 || !std::isfinite(v) ? 1 : static_cast<int>(std::min(v, 1e6)));
}

void CommentaireLigne::Valide(Orvelle& o) {
    if (!ouvert_) return;
    // The grid may have lost the line while the panel was open.
    if (ligne_ <= LigneMax(o)) {
        auto& g = o.GrilleRef;
        g.FixeTexte(ligne_, g.Colonnes() - 1,
                    SurUneLigne(o.controles.Texte(Controle::TexteCommentaire)));
    }
    Annule(o);
}

void CommentaireLigne::Annule(Orvelle& o) {
    ouvert_ = false;
    ligne_ = 0;
    o.controles.Visible(Controle::CadreCommentaire, false);
}

void CommentaireLigne::Efface(Orvelle& o) {
    if (ouvert_) o.controles.Texte(Controle::TexteCommentaire, "");
}

bool CommentaireLigne::Clic(Orvelle& o, Controle c) {
    if (!ouvert_) return false;
    switch (c) {
    case Controle::CommentaireValider:
        Valide(o);
        return true;
    case Controle::CommentaireAnnuler:
        Annule(o);
        return true;
    case Controle::CommentaireRaz:
        Efface(o);
        return true;
    default:
        return false;
    }
}

} // namespace orv
