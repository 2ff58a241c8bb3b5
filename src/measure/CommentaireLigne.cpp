#include "measure/CommentaireLigne.h"

#include "base/Nombres.h"
#include "base/Texte.h"
#include "interface/Interface.h"
#include "interface/Messages.h"
#include "measure/EtatMesure.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

constexpr std::uint32_t kCouleurCommentaire = 0xC0C000;

} // namespace

int LigneMaxCommentaire(const EtatMesure& m) {
    return std::min(m.LigneCourante - 1, m.GrilleRef.Lignes() - 1);
}

bool OuvreCommentaire(Interface& ui, EtatMesure& m, int ligne) {
    if (LigneMaxCommentaire(m) < 1) return false;
    m.commentaire.ouvert = true;
    auto& c = ui.controles;
    c.Couleur(Controle::CadreCommentaire, kCouleurCommentaire);
    c.Texte(Controle::LegendeCommentaire, ui.Msg(msg::EntrezCommentaire));
    ChargeCommentaire(ui, m, ligne);
    ui.OuvreCadre(Controle::CadreCommentaire, ProprietaireCadre::CommentaireLigne);
    return true;
}

void ChargeCommentaire(Interface& ui, EtatMesure& m, int ligne) {
    auto& e = m.commentaire;
    if (!e.ouvert) return;
    e.ligne = std::clamp(ligne, 1, std::max(1, LigneMaxCommentaire(m)));
    const auto& g = m.GrilleRef;
    const int cols = g.Colonnes();
    // The colour function has no "img" column: its image is in the mark record.
    const std::string image =
        m.NumFonction == fonction::Couleur
            ? std::to_string(m.TraceLignes[static_cast<size_t>(e.ligne)].image)
            : Trim(g.Texte(e.ligne, cols - 2));
    auto& c = ui.controles;
    c.Texte(Controle::CadreCommentaire, "--- img " + image + " :");
    c.Texte(Controle::TexteCommentaire, g.Texte(e.ligne, cols - 1));
    c.Texte(Controle::NumeroCommentaire, std::to_string(e.ligne));
}

void NumeroCommentaireSaisi(Interface& ui, EtatMesure& m, const std::string& texte) {
    const double v = LitDecimal(texte);
    ChargeCommentaire(ui, m, v < 1 || !std::isfinite(v) ? 1 : static_cast<int>(std::min(v, 1e6)));
}

void ValideCommentaire(Interface& ui, EtatMesure& m, const std::string& texte) {
    const auto& e = m.commentaire;
    if (!e.Ouvert()) return;
    // The grid may have lost the line while the panel was open.
    if (e.Ligne() <= LigneMaxCommentaire(m)) {
        auto& g = m.GrilleRef;
        g.FixeTexte(e.Ligne(), g.Colonnes() - 1, SurUneLigne(texte));
    }
    FermeCommentaire(ui, m);
}

void FermeCommentaire(Interface& ui, EtatMesure& m) {
    m.commentaire.ouvert = false;
    m.commentaire.ligne = 0;
    ui.FermeCadre(Controle::CadreCommentaire);
}

} // namespace orv
