// The broken line ("Poly" ticked, first value of a line): every click adds a
// vertex, and so does the release of a drag; the length is the sum of the
// sides, not rounded to whole units. It ends with a right click (the click
// adds its point first) or a double click (the vertices so far); a click
// within the tolerance of the last vertex adds nothing, so that the next side
// can be dragged from there.
#include "app/Orvelle.h"
#include "base/Nombres.h"
#include "measure/ComportementPointage.h"

#include <cmath>

namespace orv {

namespace {

constexpr const char* kMotifLigne = "##0.0000";

double Valeur(const Orvelle& o, double unitesImage) {
    return unitesImage * Echelle(o);
}

double Cote(PointImage a, PointImage b) {
    return std::hypot(static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y);
}

void AjouteSommet(Orvelle& o, PointImage s) {
    auto& p = o.pointage;
    const PointImage dernier = p.Sommets.back();
    p.cumulLigneBrisee += Cote(dernier, s);
    p.Sommets.push_back(s);
    MarqueEnCours(o, MarqueLigne(dernier, s, 1), 1);
    MarqueEnCours(o, MarqueCroix(s, 1), 1);
}

void Termine(Orvelle& o) {
    auto& p = o.pointage;
    if (p.Sommets.size() < 2) return; // no side yet: nothing to write
    const PointImage premier = p.Sommets.front();
    const PointImage dernier = p.Sommets.back();
    const double valeur = Valeur(o, p.cumulLigneBrisee);
    p.Sommets.clear();
    p.cumulLigneBrisee = 0;
    p.ClicSimple = false;
    Provisoires(o, {});
    Lecture(o, FormatNombre(valeur, kMotifLigne, o.Sep()));
    EcritValeur(o, valeur, Segment(premier, dernier));
}

class LigneBrisee final : public ComportementPointage {
public:
    void Presse(Orvelle& o, const EvenementImage& e) const override {
        auto& p = o.pointage;
        Statut(o, o.textes.Msg(163));
        if (p.Sommets.empty()) {
            p.Sommets.push_back(e.image);
            p.cumulLigneBrisee = 0;
            p.PointDepart = e.image;
            NumeroLigne(o, e.image);
            MarqueEnCours(o, MarqueCroix(e.image, 1), 1);
            return;
        }
        if (e.doubleClic) {
            Termine(o);
            return;
        }
        if (!DansTolerance(o, VersBoite(o, p.Sommets.back()), e.twips)) AjouteSommet(o, e.image);
        if (e.bouton == Bouton::Droit) Termine(o);
    }

    void Relache(Orvelle& o, const EvenementImage& e) const override {
        auto& p = o.pointage;
        if (p.Sommets.empty()) return;
        const bool clic = DansTolerance(o, p.pression.twips, e.twips);
        if (clic || DansTolerance(o, VersBoite(o, p.Sommets.back()), e.twips)) {
            p.ClicSimple = false; // read and cleared: a click adds its vertex at the press
            return;
        }
        AjouteSommet(o, e.image);
    }

    void Suit(Orvelle& o, const EvenementImage& e) const override {
        const auto& p = o.pointage;
        if (p.Sommets.empty()) return;
        Provisoires(o, {MarqueLigne(p.Sommets.back(), e.image, 1)});
        const double total = p.cumulLigneBrisee + Cote(p.Sommets.back(), e.image);
        Lecture(o, FormatNombre(Valeur(o, total), kMotifLigne, o.Sep()));
    }
};

} // namespace

const ComportementPointage& PointageLigneBrisee() {
    static const LigneBrisee l;
    return l;
}

} // namespace orv
