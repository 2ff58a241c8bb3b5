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
constexpr const char* kLibelle = "lblCommentaire";

} // namespace

int CommentaireLigne::LigneMax(const Orvelle& o) {
    return std::min(o.mesure.LigneCourante - 1, o.GrilleRef.Lignes() - 1);
}

bool CommentaireLigne::Ouvre(Orvelle& o, int ligne) {
    if (LigneMax(o) < 1) return false;
    ouvert_ = true;
    auto& c = o.controles;
    c.Couleur("Frame", 10, kCouleurCommentaire);
    if (c.Existe(kLibelle)) c.Texte(kLibelle, SansIndex, o.textes.Msg(102));
    Charge(o, ligne);
    c.Visible("Frame", 10, true);
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
    c.Texte("Frame", 10, "--- img " + image + " :");
    c.Texte("TBox", 3, g.Texte(ligne_, cols - 1));
    c.Texte("Text4", SansIndex, std::to_string(ligne_));
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
        g.FixeTexte(ligne_, g.Colonnes() - 1, SurUneLigne(o.controles.Texte("TBox", 3)));
    }
    Annule(o);
}

void CommentaireLigne::Annule(Orvelle& o) {
    ouvert_ = false;
    ligne_ = 0;
    o.controles.Visible("Frame", 10, false);
}

void CommentaireLigne::Efface(Orvelle& o) {
    if (ouvert_) o.controles.Texte("TBox", 3, "");
}

bool CommentaireLigne::Clic(Orvelle& o, int index) {
    if (!ouvert_) return false;
    switch (index) {
    case 28:
        Valide(o);
        return true;
    case 29:
        Annule(o);
        return true;
    case 30:
        Efface(o);
        return true;
    default:
        return false;
    }
}

} // namespace orv
