// The polygon (function 16, "Polygone auto" or "Polygone ouvert"): a first
// click on an anchor P0 inside the outline, then the outline's vertices; the
// surface is the fan of triangles from P0, the perimeter the sum of the sides.
// A right click ends it: "auto" closes on the first vertex (the click position
// is not used), "ouvert" takes the click position as the last vertex.
//
// The line's record keeps, as the grid file stores it: segment 1 = (P0.x,
// P0.y, S x 1000, P x 1000), segment 2 = (1 for "auto", 0 for "ouvert", 0, 0).
#include "base/Nombres.h"
#include "measure/ComportementPointage.h"
#include "measure/Geometrie.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orv {

namespace {

std::int32_t Millieme(double v) {
    return Arrondi32(v * 1000);
}

void Affiche(ActionPointage& a) {
    const auto& r = a.m.pointage.ResultatsSurface;
    Lecture(a.ui, "S= " + TexteValeur(a, r[1]) + " P=" + TexteValeur(a, r[2]));
}

void AjouteSommet(ActionPointage& a, PointImage pk) {
    auto& p = a.m.pointage;
    auto& r = p.ResultatsSurface;
    const PointImage p0 = p.Sommets.front();
    const PointImage precedent = p.Sommets.back();
    r[1] += AireTriangle(DistanceMicrons(a.ctx, p0, precedent), DistanceMicrons(a.ctx, p0, pk),
                         DistanceMicrons(a.ctx, precedent, pk));
    r[2] += DistanceMicrons(a.ctx, precedent, pk);
    p.Sommets.push_back(pk);
    MarqueEnCours(a.m, MarqueLigne(precedent, pk, 2), 1);
    Affiche(a);
}

void Termine(ActionPointage& a) {
    auto& p = a.m.pointage;
    const PointImage p0 = p.Sommets.front();
    const double s = p.ResultatsSurface[1];
    const double per = p.ResultatsSurface[2];
    const double rm = per != 0 ? 2 * s / per : 0.0;
    const double f = s != 0 ? per / s : 0.0;
    p.Sommets.clear();
    Provisoires(a.m, {});
    const bool automatique = a.m.PolygoneAuto;

    const int ligne = a.m.LigneCourante;
    if (!EcritValeur(a, s, SegmentTrace{p0.x, p0.y, Millieme(s), Millieme(per)})) return;
    if (!EcritValeur(a, per, SegmentTrace{automatique ? 1 : 0, 0, 0, 0})) return;
    EcritCellule(a.m, ligne, 3, TexteValeur(a, rm));
    EcritCellule(a.m, ligne, 4, TexteValeur(a, f));
}

class Polygone final : public ComportementPointage {
public:
    void Presse(ActionPointage& a, const EvenementImage& e) const override {
        auto& p = a.m.pointage;
        auto& s = p.Sommets;
        if (e.bouton == Bouton::Droit) {
            if (s.size() < 2) return; // no outline yet
            AjouteSommet(a, a.m.PolygoneAuto ? s[1] : e.image);
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
