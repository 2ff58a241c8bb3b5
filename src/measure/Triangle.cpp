// The triangle (function 15): three clicks P1, P2, P3. The line receives the
// surface, the "peri." of the three sides and the angle at P1 (0 to 180
// degrees), all from the three points (MesureTriangle), as a grid file
// recomputes them.
#include "measure/ComportementPointage.h"

namespace orv {

namespace {

class Triangle final : public ComportementPointage {
public:
    void Presse(ActionPointage& a, const EvenementImage& e) const override {
        if (e.bouton != Bouton::Gauche) return;
        auto& p = a.m.pointage;
        auto& s = p.Sommets;
        const PointImage pt = e.image;
        MarqueEnCours(a.m, MarqueCroix(pt, 1), 1);
        if (s.empty()) {
            s.push_back(pt);
            p.PointDepart = pt;
            p.ResultatsSurface.fill(0);
            NumeroLigne(a.m, pt);
            return;
        }
        const PointImage p1 = s.front();
        MarqueEnCours(a.m, MarqueLigne(p1, pt, 2), 1);
        if (s.size() == 1) {
            s.push_back(pt);
            return;
        }
        const PointImage p2 = s[1];
        MarqueEnCours(a.m, MarqueLigne(p2, pt, 1), 1);
        s.clear();
        Provisoires(a.m, {});

        const ValeursTriangle v =
            MesureTriangle(a.ctx.vue, a.ctx.coef, a.ctx.facteurResolution, p1, p2, pt);
        p.ResultatsSurface[1] = v.surface;
        p.ResultatsSurface[2] = v.perimetre;
        Lecture(a.ui, "S=" + TexteValeur(a, v.surface) + " Deg =" + TexteValeur(a, v.angle));

        const int ligne = a.m.LigneCourante;
        if (!EcritValeur(a, v.surface, Segment(p1, p2))) return;
        if (!EcritValeur(a, v.perimetre, Segment(p1, pt))) return;
        EcritCellule(a.m, ligne, 3, TexteValeur(a, v.angle));
    }

    void Suit(ActionPointage& a, const EvenementImage& e) const override {
        const auto& s = a.m.pointage.Sommets;
        if (s.empty()) return;
        std::vector<Marque> v{MarqueLigne(s.front(), e.image, 2)};
        if (s.size() == 2) v.push_back(MarqueLigne(s[1], e.image, 1));
        Provisoires(a.m, std::move(v));
    }
};

} // namespace

const ComportementPointage& PointageTriangle() {
    static const Triangle t;
    return t;
}

} // namespace orv
