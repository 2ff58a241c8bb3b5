// The polygon (function 16, "Polygone auto" or "Polygone ouvert"): a first
// click on an anchor P0 inside the outline, then the outline's vertices; the
// surface is the fan of triangles from P0, the perimeter the sum of the sides.
// A right click ends it: "auto" closes on the first vertex (the click position
// is not used), "ouvert" takes the click position as the last vertex.
//
// The line's record keeps, as the grid file stores it: segment 1 = (P0.x,
// P0.y, S x 1000, P x 1000), segment 2 = (1 for "auto", 0 for "ouvert", 0, 0).
#include "app/Orvelle.h"
#include "measure/ComportementPointage.h"
#include "measure/Geometrie.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orv {

namespace {

std::int32_t Millieme(double v) {
    constexpr double lim = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::lround(std::clamp(v * 1000, -lim, lim)));
}

void Affiche(Orvelle& o) {
    const auto& r = o.pointage.ResultatsSurface;
    Lecture(o, "S= " + TexteValeur(o, r[1]) + " P=" + TexteValeur(o, r[2]));
}

void AjouteSommet(Orvelle& o, PointImage pk) {
    auto& p = o.pointage;
    auto& r = p.ResultatsSurface;
    const PointImage p0 = p.Sommets.front();
    const PointImage precedent = p.Sommets.back();
    r[1] += AireTriangle(DistanceMicrons(o, p0, precedent), DistanceMicrons(o, p0, pk),
                         DistanceMicrons(o, precedent, pk));
    r[2] += DistanceMicrons(o, precedent, pk);
    p.Sommets.push_back(pk);
    MarqueEnCours(o, MarqueLigne(precedent, pk, 2), 1);
    Affiche(o);
}

void Termine(Orvelle& o) {
    auto& p = o.pointage;
    const PointImage p0 = p.Sommets.front();
    const double s = p.ResultatsSurface[1];
    const double per = p.ResultatsSurface[2];
    const double rm = per != 0 ? 2 * s / per : 0.0;
    const double f = s != 0 ? per / s : 0.0;
    p.Sommets.clear();
    Provisoires(o, {});
    const bool automatique = o.mesure.PolygoneAuto;

    const int ligne = o.mesure.LigneCourante;
    if (!EcritValeur(o, s, SegmentTrace{p0.x, p0.y, Millieme(s), Millieme(per)})) return;
    if (!EcritValeur(o, per, SegmentTrace{automatique ? 1 : 0, 0, 0, 0})) return;
    EcritCellule(o, ligne, 3, TexteValeur(o, rm));
    EcritCellule(o, ligne, 4, TexteValeur(o, f));
}

class Polygone final : public ComportementPointage {
public:
    void Presse(Orvelle& o, const EvenementImage& e) const override {
        auto& p = o.pointage;
        auto& s = p.Sommets;
        if (e.bouton == Bouton::Droit) {
            if (s.size() < 2) return; // no outline yet
            AjouteSommet(o, o.mesure.PolygoneAuto ? s[1] : e.image);
            Termine(o);
            return;
        }
        if (e.bouton != Bouton::Gauche) return;
        if (s.empty()) {
            s.push_back(e.image);
            p.PointDepart = e.image;
            p.ResultatsSurface.fill(0);
            MarqueEnCours(o, MarqueCroix(e.image, 1), 1);
            NumeroLigne(o, e.image);
        } else if (s.size() == 1) {
            s.push_back(e.image); // P1: the first vertex of the outline
            MarqueEnCours(o, MarqueLigne(s[0], e.image, 2), 1);
        } else {
            AjouteSommet(o, e.image);
        }
    }

    void Suit(Orvelle& o, const EvenementImage& e) const override {
        const auto& s = o.pointage.Sommets;
        if (s.empty()) return;
        Provisoires(o, {MarqueLigne(s.back(), e.image, 2)});
    }
};

} // namespace

const ComportementPointage& PointagePolygone() {
    static const Polygone p;
    return p;
}

} // namespace orv
