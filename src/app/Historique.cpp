#include "app/Historique.h"

#include "app/CommandesImages.h"
#include "app/CommandesMesure.h"
#include "app/CommandesResultats.h"
#include "app/Orvelle.h"
#include "base/FichierTexte.h"
#include "images/Chargeur.h"
#include "interface/Messages.h"
#include "measure/CommentaireLigne.h"
#include "measure/Grille.h"

#include <algorithm>

namespace orv {

void Historique::Enregistre(PasHistorique avant) {
    annules_.push_back(std::move(avant));
    if (annules_.size() > PasMax) annules_.pop_front();
    refaits_.clear();
}

std::optional<PasHistorique> Historique::Annule(EtatTravail actuel) {
    if (annules_.empty()) return std::nullopt;
    PasHistorique p = std::move(annules_.back());
    annules_.pop_back();
    refaits_.push_back({std::move(actuel), p.cadre, p.nom});
    return p;
}

std::optional<PasHistorique> Historique::Refait(EtatTravail actuel) {
    if (refaits_.empty()) return std::nullopt;
    PasHistorique p = std::move(refaits_.back());
    refaits_.pop_back();
    annules_.push_back({std::move(actuel), p.cadre, p.nom});
    return p;
}

void Historique::PourChaqueEtat(const std::function<void(EtatTravail&)>& f) {
    for (auto* pile : {&annules_, &refaits_})
        for (PasHistorique& p : *pile) f(p.etat);
    if (reference) f(*reference);
}

namespace {

// The rows a step keeps: the header, the complete lines and the line under way.
int Rangees(const EtatMesure& m) {
    return std::clamp(m.LigneCourante, 0, m.GrilleRef.Lignes() - 1) + 1;
}

CadreTravail ReleveCadre(const Orvelle& o) {
    CadreTravail c;
    c.images = o.images.chargeur.ListIMGchar;
    c.facteurs = o.calibrage.CalibrageImage;
    c.tGrille = o.parametres.tGrille;
    c.FicTrame = o.trame.FicTrame;
    c.cheminTrame = o.trame.chemin;
    c.travailSauve = o.trame.travailSauve;
    c.csvImporte = o.resultats.FichierCSVImporte;
    return c;
}

bool MemeTrace(const TraceLigne& a, const TraceLigne& b) {
    return a.segments == b.segments && a.image == b.image && a.zoom == b.zoom &&
           a.texte == b.texte && a.ligneBrisee == b.ligneBrisee && a.contour == b.contour &&
           a.marques.size() == b.marques.size();
}

// The grid of `o` is the one `e` recorded (the frame aside). The headers are
// not compared, nor put back: they follow the function and the language, and
// a language change is no change of the work. The line under way is not
// compared: with no value entered it only keeps what a back-erase left (its
// number), which is no change of the work.
bool MemeGrille(const EtatTravail& e, const Orvelle& o) {
    const EtatMesure& m = o.mesure;
    const GrilleTexte& g = m.GrilleRef;
    if (e.NumFonction != m.NumFonction || e.PolygoneAuto != m.PolygoneAuto || e.Etape != m.Etape ||
        e.LigneCourante != m.LigneCourante || static_cast<int>(e.lignes.size()) != Rangees(m))
        return false;
    const size_t comparees = std::min(e.lignes.size(), static_cast<size_t>(e.LigneCourante));
    for (size_t l = 1; l < comparees; ++l) {
        const auto& ligne = e.lignes[l];
        if (static_cast<int>(ligne.size()) != g.Colonnes()) return false;
        for (size_t c = 0; c < ligne.size(); ++c)
            if (ligne[c] != g.Texte(static_cast<int>(l), static_cast<int>(c))) return false;
        if (!MemeTrace(e.traces[l], m.TraceLignes[l])) return false;
    }
    return true;
}

void RemetGrille(Orvelle& o, const EtatTravail& e) {
    EtatMesure& m = o.mesure;
    if (m.NumFonction != e.NumFonction || m.PolygoneAuto != e.PolygoneAuto) {
        // The columns, prompts and modes of the function the step was in.
        m.NumFonction = e.NumFonction;
        m.PolygoneAuto = e.PolygoneAuto;
        SelectionneFonction(o);
    }
    if (m.commentaire.Ouvert()) FermeCommentaire(o.ui, m);
    GrilleTexte& g = m.GrilleRef;
    g.FixeLignes(e.lignesGrille);
    // Emptied as EffaceGrille empties it, highlights included: the statistics
    // mark the extremes of the lines put back.
    for (int l = 1; l < g.Lignes(); ++l)
        for (int c = 0; c < g.Colonnes(); ++c) {
            g.FixeTexte(l, c, "");
            if (c >= 1) g.FixeCouleurCellule(l, c, g.CouleurFond());
        }
    for (size_t l = 1; l < e.lignes.size(); ++l)
        for (size_t c = 0; c < e.lignes[l].size(); ++c)
            g.FixeTexte(static_cast<int>(l), static_cast<int>(c), e.lignes[l][c]);
    for (size_t c = 0; c < e.largeurs.size(); ++c)
        g.FixeLargeur(static_cast<int>(c), e.largeurs[c]);
    for (size_t l = 0; l < m.TraceLignes.size(); ++l) {
        m.TraceLignes[l] = l < e.traces.size() ? e.traces[l] : TraceLigne{};
        m.ValeursLignes[l] = l < e.valeurs.size() ? e.valeurs[l] : std::array<double, 7>{};
    }
    m.Etape = e.Etape;
    m.LigneCourante = e.LigneCourante;
    m.EtapePrec = e.EtapePrec;
    m.LignePrec = e.LignePrec;
    m.ValeursMesure = {};
    g.Selectionne(m.LigneCourante, 1);
    RafraichitMGrille(o.mesure, LigneMiroir(o.mesure));
}

void RemetCadre(Orvelle& o, const CadreTravail& c) {
    // Whether the grid differs from its file is known for the file as it is now.
    const std::string sauve = o.trame.travailSauve;
    const bool memeFichier = o.trame.chemin == c.cheminTrame;
    o.calibrage.CalibrageImage = c.facteurs;
    o.parametres.tGrille = c.tGrille;
    o.trame.FicTrame = c.FicTrame;
    o.trame.chemin = c.cheminTrame;
    o.trame.travailSauve = memeFichier ? sauve : c.travailSauve;
    o.resultats.FichierCSVImporte = c.csvImporte;
    auto& ch = o.images.chargeur;
    if (ch.ListIMGchar == c.images) return;
    const std::string montree = o.images.cheminImage;
    ch.ListIMGchar = c.images;
    ch.selection = -1;
    ch.selectionMultiple.clear();
    ++ch.version;
    AfficheListeImages(o);
    // The picture shown stays when the loader still holds it; otherwise the
    // work's first picture, or the default one.
    const auto it = std::find(ch.ListIMGchar.begin(), ch.ListIMGchar.end(), montree);
    if (it != ch.ListIMGchar.end()) {
        MontreEmplacement(o, static_cast<int>(it - ch.ListIMGchar.begin()));
    } else if (!ch.ListIMGchar.empty() && FichierExiste(ch.ListIMGchar.front())) {
        MontreEmplacement(o, 0);
    } else if (o.images.IndexImage != 0) {
        AfficheImageParDefaut(o);
    }
}

void Remet(Orvelle& o, const PasHistorique& p) {
    RemetGrille(o, p.etat);
    if (p.cadre) RemetCadre(o, p.etat.cadre);
    // Emptied first: a column the step's function does not count keeps nothing.
    VideStatistiques(o);
    if (o.mesure.LigneCourante > 1) RecalculeStatistiques(o);
    RetraceImageMontree(o);
}

void MontreHistorique(Orvelle& o) {
    auto& c = o.controles;
    auto legende = [](const std::string& commande, const std::string& nom) {
        return nom.empty() ? commande : commande + " " + nom;
    };
    c.Texte(Controle::AnnulerGrille,
            legende(o.textes.Mnu(mnu::AnnulerGrille), o.historique.NomAnnulation()));
    c.Texte(Controle::RefaireGrille,
            legende(o.textes.Mnu(mnu::RefaireGrille), o.historique.NomRetablissement()));
    c.Actif(Controle::AnnulerGrille, o.historique.PeutAnnuler());
    c.Actif(Controle::RefaireGrille, o.historique.PeutRefaire());
}

template <class F> void Reprend(Orvelle& o, F&& pas) {
    // Ctrl+Z: the Ctrl released next was not pressed alone, the image drag stays as it is.
    o.mesure.pointage.ctrlSeul = false;
    if (MesureEnCours(o.mesure)) {
        RefuseMesureEnCours(o.ui);
        return;
    }
    // A change not yet a step becomes one first.
    SuitHistorique(o);
    if (const auto p = pas(ReleveTravail(o))) {
        Remet(o, *p);
        o.historique.reference = ReleveTravail(o);
    }
    MontreHistorique(o);
}

} // namespace

EtatTravail ReleveTravail(const Orvelle& o) {
    const EtatMesure& m = o.mesure;
    const GrilleTexte& g = m.GrilleRef;
    EtatTravail e;
    e.NumFonction = m.NumFonction;
    e.PolygoneAuto = m.PolygoneAuto;
    e.Etape = m.Etape;
    e.LigneCourante = m.LigneCourante;
    e.EtapePrec = m.EtapePrec;
    e.LignePrec = m.LignePrec;
    e.lignesGrille = g.Lignes();
    for (int c = 0; c < g.Colonnes(); ++c) e.largeurs.push_back(g.Largeur(c));
    const int rangees = Rangees(m);
    for (int l = 0; l < rangees; ++l) {
        std::vector<std::string> ligne;
        for (int c = 0; c < g.Colonnes(); ++c) ligne.push_back(g.Texte(l, c));
        e.lignes.push_back(std::move(ligne));
        e.valeurs.push_back(m.ValeursLignes[static_cast<size_t>(l)]);
        e.traces.push_back(m.TraceLignes[static_cast<size_t>(l)]);
    }
    e.cadre = ReleveCadre(o);
    return e;
}

void SuitHistorique(Orvelle& o, const std::string& nom) {
    auto& h = o.historique;
    if (!h.reference) {
        h.reference = ReleveTravail(o);
    } else if (!MesureEnCours(o.mesure) && !MemeGrille(*h.reference, o)) {
        EtatTravail maintenant = ReleveTravail(o);
        const bool cadre = !(maintenant.cadre == h.reference->cadre);
        h.Enregistre({std::move(*h.reference), cadre, nom});
        h.reference = std::move(maintenant);
    } else {
        // The frame changed without the grid (a picture opened, a file saved):
        // no step, but the next one is told from the frame as it is now.
        h.reference->cadre = ReleveCadre(o);
    }
    MontreHistorique(o);
}

void AnnuleGrille(Orvelle& o) {
    Reprend(o, [&](EtatTravail actuel) { return o.historique.Annule(std::move(actuel)); });
}

void RefaitGrille(Orvelle& o) {
    Reprend(o, [&](EtatTravail actuel) { return o.historique.Refait(std::move(actuel)); });
}

} // namespace orv
