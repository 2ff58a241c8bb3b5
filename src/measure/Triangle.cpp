// The triangle (function 15): three clicks P1, P2, P3. The line receives the
// surface, the "peri." of the three sides and the angle at P1 (0 to 180
// degrees), all from the three points (MesureTriangle), as a grid file
// recomputes them.
#include "app/Orvelle.h"
#include "measure/ComportementPointage.h"

namespace orv {

namespace {

class Triangle final : public ComportementPointage {
public:
    void Presse(Orvelle& o, const EvenementImage& e) const override {
        if (e.bouton != Bouton::Gauche) return;
        auto& p = o.pointage;
        auto& s = p.Sommets;
        const PointImage pt = e.image;
        MarqueEnCours(o, MarqueCroix(pt, 1), 1);
        if (s.empty()) {
            s.push_back(pt);
            p.PointDepart = pt;
            p.ResultatsSurface.fill(0);
            NumeroLigne(o, pt);
            return;
        }
        const PointImage p1 = s.front();
        MarqueEnCours(o, MarqueLigne(p1, pt, 2), 1);
        if (s.size() == 1) {
            s.push_back(pt);
            return;
        }
        const PointImage p2 = s[1];
        MarqueEnCours(o, MarqueLigne(p2, pt, 1), 1);
        s.clear();
        Provisoires(o, {});

        const ValeursTriangle v = MesureTriangle(o, p1, p2, pt);
        p.ResultatsSurface[1] = v.surface;
        p.ResultatsSurface[2] = v.perimetre;
        Lecture(o, "S=" + TexteValeur(o, v.surface) + " Deg =" + TexteValeur(o, v.angle));

        const int ligne = o.mesure.LigneCourante;
        if (!EcritValeur(o, v.surface, Segment(p1, p2))) return;
        if (!EcritValeur(o, v.perimetre, Segment(p1, pt))) return;
        EcritCellule(o, ligne, 3, TexteValeur(o, v.angle));
    }

    void Suit(Orvelle& o, const EvenementImage& e) const override {
        const auto& s = o.pointage.Sommets;
        if (s.empty()) return;
        std::vector<Marque> m{MarqueLigne(s.front(), e.image, 2)};
        if (s.size() == 2) m.push_back(MarqueLigne(s[1], e.image, 1));
        Provisoires(o, std::move(m));
    }
};

} // namespace

const ComportementPointage& PointageTriangle() {
    static const Triangle t;
    return t;
}

} // namespace orv
