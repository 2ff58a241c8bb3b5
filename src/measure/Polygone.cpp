// The polygon (function 16, "Polygone auto" or "Polygone ouvert"): a first
// click on an anchor P0 inside the outline, then the outline's vertices; a
// right click ends it. The surface is the shoelace surface of the outline as
// clicked, right for concave outlines too, the perimeter the sum of its sides.
//
// "Auto" closes the outline: the right click is its last corner (on a corner
// already marked it adds none), and the outline closes on its first vertex.
// A first click outside the outline that joins its two ends without crossing
// a side was the outline's first corner, not an anchor: the user started on
// the outline, and the polygon is the same as with an anchor inside.
// "Ouvert" takes the right click as the last vertex and closes through the
// anchor: its sides from the anchor are not counted in the perimeter.
//
// The line's record keeps, as the grid file stores it: segment 1 = (P0.x,
// P0.y, S x 1000, P x 1000), segment 2 = (1 for "auto", 0 for "ouvert", 0, 0).
#include "base/Nombres.h"
#include "measure/ComportementPointage.h"
#include "measure/Geometrie.h"

#include <cmath>
#include <vector>

namespace orv {

namespace {

std::int32_t Millieme(double v) {
    return Arrondi32(v * 1000);
}

double Surface(const ActionPointage& a, const std::vector<PointImage>& contour) {
    const double e = Echelle(a.ctx);
    return std::fabs(AireContour(contour)) * e * e;
}

// Sides from vertex `debut` on, closed or not.
double Perimetre(const ActionPointage& a, const std::vector<PointImage>& s, size_t debut,
                 bool ferme) {
    double p = 0;
    for (size_t i = debut + 1; i < s.size(); ++i) p += DistanceMicrons(a.ctx, s[i - 1], s[i]);
    if (ferme && s.size() > debut + 1) p += DistanceMicrons(a.ctx, s.back(), s[debut]);
    return p;
}

// The first click is a corner of the outline s[1..] rather than its anchor.
bool PremierClicSommet(const std::vector<PointImage>& s) {
    const PointImage p0 = s.front();
    const std::vector<PointImage> contour(s.begin() + 1, s.end());
    if (DansContour(p0, contour)) return false;
    // Joined between the outline's ends, it must cross none of its sides.
    for (size_t i = 1; i < contour.size(); ++i)
        if (SeCoupent(contour.back(), p0, contour[i - 1], contour[i]) ||
            SeCoupent(p0, contour.front(), contour[i - 1], contour[i]))
            return false;
    return true;
}

void Affiche(ActionPointage& a) {
    const auto& r = a.m.pointage.ResultatsSurface;
    Lecture(a.ui, "S= " + TexteValeur(a, r[1]) + " P=" + TexteValeur(a, r[2]));
}

void AjouteSommet(ActionPointage& a, PointImage pk) {
    auto& p = a.m.pointage;
    auto& s = p.Sommets;
    MarqueEnCours(a.m, MarqueLigne(s.back(), pk, 2), 1);
    s.push_back(pk);
    // Under way: the outline as far as it goes, closed through the anchor.
    p.ResultatsSurface[1] = Surface(a, s);
    p.ResultatsSurface[2] = Perimetre(a, s, 1, false);
    Affiche(a);
}

void Termine(ActionPointage& a) {
    auto& p = a.m.pointage;
    const std::vector<PointImage> s = p.Sommets;
    const PointImage p0 = s.front();
    const bool automatique = a.m.PolygoneAuto;
    double surface = p.ResultatsSurface[1], per = p.ResultatsSurface[2];
    if (automatique) {
        const bool coin = PremierClicSommet(s);
        const size_t debut = coin ? 0 : 1;
        surface =
            Surface(a, std::vector<PointImage>(s.begin() + static_cast<long>(debut), s.end()));
        per = Perimetre(a, s, debut, true);
        MarqueEnCours(a.m, MarqueLigne(s.back(), s[debut], 2), 1);
        p.ResultatsSurface[1] = surface;
        p.ResultatsSurface[2] = per;
        Affiche(a);
    }
    const double rm = per != 0 ? 2 * surface / per : 0.0;
    const double f = surface != 0 ? per / surface : 0.0;
    p.Sommets.clear();
    Provisoires(a.m, {});

    const int ligne = a.m.LigneCourante;
    if (!EcritValeur(a, surface, SegmentTrace{p0.x, p0.y, Millieme(surface), Millieme(per)}))
        return;
    if (!EcritValeur(a, per, SegmentTrace{automatique ? 1 : 0, 0, 0, 0})) return;
    EcritCellule(a.m, ligne, 3, TexteValeur(a, rm));
    EcritCellule(a.m, ligne, 4, TexteValeur(a, f));
}

// A right click on a vertex already marked: the user shows where the outline
// ends, not a new corner.
bool SurUnSommet(const ActionPointage& a, const EvenementImage& e) {
    for (const PointImage v : a.m.pointage.Sommets)
        if (v == e.image || DansTolerance(a.ctx.parametres, VersBoite(a.ctx.vue, v), e.twips))
            return true;
    return false;
}

class Polygone final : public ComportementPointage {
public:
    void Presse(ActionPointage& a, const EvenementImage& e) const override {
        auto& p = a.m.pointage;
        auto& s = p.Sommets;
        if (e.bouton == Bouton::Droit) {
            if (s.size() < 2) return; // no outline yet
            if (!a.m.PolygoneAuto || !SurUnSommet(a, e)) AjouteSommet(a, e.image);
            Termine(a);
            return;
        }
        if (e.bouton != Bouton::Gauche) return;
        if (s.empty()) {
            s.push_back(e.image);
            p.PointDepart = e.image;
            p.ResultatsSurface.fill(0);
            MarqueEnCours(a.m, MarqueCroix(e.image, 1), 1);
            NumeroLigne(a.m, e.image);
        } else if (s.size() == 1) {
            s.push_back(e.image); // P1: the first vertex of the outline
            MarqueEnCours(a.m, MarqueLigne(s[0], e.image, 2), 1);
        } else {
            AjouteSommet(a, e.image);
        }
    }

    void Suit(ActionPointage& a, const EvenementImage& e) const override {
        const auto& s = a.m.pointage.Sommets;
        if (s.empty()) return;
        Provisoires(a.m, {MarqueLigne(s.back(), e.image, 2)});
    }
};

} // namespace

const ComportementPointage& PointagePolygone() {
    static const Polygone p;
    return p;
}

} // namespace orv
