// The broken line ("Poly" ticked, first value of a line): every click adds a
// vertex, and so does the release of a drag; the length is the sum of the
// sides, not rounded to whole units. It ends with a right click (the click
// adds its point first) or a double click (the vertices so far); a click
// within the tolerance of the last vertex adds nothing, so that the next side
// can be dragged from there.
#include "base/Nombres.h"
#include "interface/Messages.h"
#include "measure/ComportementPointage.h"

#include <cmath>

namespace orv {

namespace {

constexpr const char* kMotifLigne = "##0.0000";

double Valeur(const ActionPointage& a, double unitesImage) {
    return unitesImage * Echelle(a.ctx);
}

double Cote(PointImage a, PointImage b) {
    return std::hypot(static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y);
}

void AjouteSommet(ActionPointage& a, PointImage s) {
    auto& p = a.m.pointage;
    const PointImage dernier = p.Sommets.back();
    p.cumulLigneBrisee += Cote(dernier, s);
    p.Sommets.push_back(s);
    MarqueEnCours(a.m, MarqueLigne(dernier, s, 1), 1);
    MarqueEnCours(a.m, MarqueCroix(s, 1), 1);
}

void Termine(ActionPointage& a) {
    auto& p = a.m.pointage;
    if (p.Sommets.size() < 2) return; // no side yet: nothing to write
    const PointImage premier = p.Sommets.front();
    const PointImage dernier = p.Sommets.back();
    const double valeur = Valeur(a, p.cumulLigneBrisee);
    p.Sommets.clear();
    p.cumulLigneBrisee = 0;
    p.ClicSimple = false;
    Provisoires(a.m, {});
    Lecture(a.ui, FormatNombre(valeur, kMotifLigne, a.ui.Sep()));
    EcritValeur(a, valeur, Segment(premier, dernier));
}

class LigneBrisee final : public ComportementPointage {
public:
    void Presse(ActionPointage& a, const EvenementImage& e) const override {
        auto& p = a.m.pointage;
        a.ui.Statut(a.ui.Msg(msg::PointerExtremite));
        if (p.Sommets.empty()) {
            p.Sommets.push_back(e.image);
            p.cumulLigneBrisee = 0;
            p.PointDepart = e.image;
            NumeroLigne(a.m, e.image);
            MarqueEnCours(a.m, MarqueCroix(e.image, 1), 1);
            return;
        }
        if (e.doubleClic) {
            Termine(a);
            return;
        }
        if (!DansTolerance(a.ctx.parametres, VersBoite(a.ctx.vue, p.Sommets.back()), e.twips))
            AjouteSommet(a, e.image);
        if (e.bouton == Bouton::Droit) Termine(a);
    }

    void Relache(ActionPointage& a, const EvenementImage& e) const override {
        auto& p = a.m.pointage;
        if (p.Sommets.empty()) return;
        const bool clic = DansTolerance(a.ctx.parametres, p.pression.twips, e.twips);
        if (clic ||
            DansTolerance(a.ctx.parametres, VersBoite(a.ctx.vue, p.Sommets.back()), e.twips)) {
            p.ClicSimple = false; // read and cleared: a click adds its vertex at the press
            return;
        }
        AjouteSommet(a, e.image);
    }

    void Suit(ActionPointage& a, const EvenementImage& e) const override {
        const auto& p = a.m.pointage;
        if (p.Sommets.empty()) return;
        Provisoires(a.m, {MarqueLigne(p.Sommets.back(), e.image, 1)});
        const double total = p.cumulLigneBrisee + Cote(p.Sommets.back(), e.image);
        Lecture(a.ui, FormatNombre(Valeur(a, total), kMotifLigne, a.ui.Sep()));
    }
};

} // namespace

const ComportementPointage& PointageLigneBrisee() {
    static const LigneBrisee l;
    return l;
}

} // namespace orv
