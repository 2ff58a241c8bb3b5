#include "measure/SporeContour.h"

#include "measure/Fonctions.h"
#include "measure/OutilsPointage.h"

namespace orv {

namespace {

PointImage Debut(const SegmentTrace& s) {
    return {s.x1, s.y1};
}
PointImage Fin(const SegmentTrace& s) {
    return {s.x2, s.y2};
}

Marque MarqueContour(SegmentTrace longueur, SegmentTrace largeur) {
    Marque x{GenreMarque::Contour, Debut(longueur), Fin(longueur), 1, {}};
    x.c = Fin(largeur);
    return x;
}

} // namespace

std::vector<MarqueTrace> MarquesSporeContour(const EtatMesure& m, SegmentTrace longueur,
                                             SegmentTrace largeur) {
    std::vector<MarqueTrace> r;
    if (!m.InsereDim) r.push_back({1, MarqueTexte(Debut(longueur), {}, RoleNumero)});
    r.push_back({1, MarqueLigne(Debut(longueur), Fin(longueur), 1)});
    r.push_back({2, MarqueContour(longueur, largeur)});
    r.push_back({2, MarqueLigne(Debut(largeur), Fin(largeur), 1)});
    return r;
}

bool EcritSporeContour(Interface& ui, EtatMesure& m, const ContexteMesure& c, SegmentTrace longueur,
                       SegmentTrace largeur, SuitesMesure& s) {
    ActionPointage a{ui, m, c, s};
    OublieMesureEnCours(m);
    const PointImage l0 = Debut(longueur), l1 = Fin(longueur);
    const PointImage w0 = Debut(largeur), w1 = Fin(largeur);

    // The length, as ValideSegment writes a pointed one.
    m.LongueurPixels = c.vue.LongueurPixels(l0, l1, c.facteurResolution);
    const double vLongueur = Longueur(c, l0, l1);
    NumeroLigne(m, l0);
    MarqueEnCours(m, MarqueLigne(l0, l1, 1), 1);
    CoteSegment(a, l0, l1, vLongueur);
    if (!EcritValeur(a, vLongueur, longueur)) return false;

    m.LongueurPixels = c.vue.LongueurPixels(w0, w1, c.facteurResolution);
    const double vLargeur = Longueur(c, w0, w1);
    MarqueEnCours(m, MarqueContour(longueur, largeur), 2);
    MarqueEnCours(m, MarqueLigne(w0, w1, 1), 2);
    CoteSegment(a, w0, w1, vLargeur);
    if (!EcritValeur(a, vLargeur, largeur)) return false;

    const int ligne = s.ajouts.back().ligne;
    m.TraceLignes[static_cast<size_t>(ligne)].contour = true;
    EcritCellule(m, ligne, m.GrilleRef.Colonnes() - 1, CommentaireAuto);
    Lecture(ui, TexteValeur(a, vLongueur) + " x " + TexteValeur(a, vLargeur));
    MontreEtapeSuivante(ui, m);
    return true;
}

} // namespace orv
