// The segment functions (segment, spores, cystidia): a press starts the
// segment, a release beyond the click tolerance ends it; a release within the
// tolerance leaves it open, and the release of a later click ends it. A
// segment ended with the right button waits for the context menu's answer.
#include "app/Orvelle.h"
#include "measure/ComportementPointage.h"
#include "measure/Pointage.h"

namespace orv {

namespace {

class SegmentLibre final : public ComportementPointage {
public:
    void Presse(Orvelle& o, const EvenementImage& e) const override {
        Statut(o, o.textes.Msg(163));
        if (!o.pointage.SegmentEnCours) CommenceSegment(o, e);
    }

    void Relache(Orvelle& o, const EvenementImage& e) const override {
        auto& p = o.pointage;
        if (!p.SegmentEnCours || p.enAttente) return;
        if (DansTolerance(o, DepartBoite(o), e.twips)) {
            p.ClicSimple = true;
            return;
        }
        TermineSegment(o, e, p.PointDepart, e.image);
    }

    void Suit(Orvelle& o, const EvenementImage& e) const override {
        const auto& p = o.pointage;
        if (!p.SegmentEnCours || p.enAttente) return;
        Provisoires(o, {MarqueLigne(p.PointDepart, e.image, 1)});
        Lecture(o, TexteValeur(o, Longueur(o, p.PointDepart, e.image)));
    }
};

bool SecondSegment3D(const Orvelle& o) {
    return o.mesure.NumFonction == 3 && o.mesure.Etape == 2;
}

} // namespace

const ComportementPointage& PointageSegment() {
    static const SegmentLibre s;
    return s;
}

void TermineSegment(Orvelle& o, const EvenementImage& e, PointImage debut, PointImage fin) {
    auto& p = o.pointage;
    const bool epaisseur = SecondSegment3D(o) && p.ToucheE;
    if (e.bouton == Bouton::Droit) {
        // The segment stays shown and open until the menu decides.
        p.enAttente = SegmentEnAttente{debut, fin, Longueur(o, debut, fin), epaisseur};
        const bool choix3D = SecondSegment3D(o) && !p.ToucheE;
        p.menuContextuel = MenuContextuel{choix3D ? "pop3D" : "PopEtalon", e.twips};
        Provisoires(o, {MarqueLigne(debut, fin, 1)});
        return;
    }
    ValideSegment(o, debut, fin, epaisseur);
}

void ValideSegment(Orvelle& o, PointImage debut, PointImage fin, bool epaisseur) {
    auto& m = o.mesure;
    auto& p = o.pointage;
    p.SegmentEnCours = false;
    p.ClicSimple = false;
    p.enAttente.reset();
    p.menuContextuel.reset();
    Provisoires(o, {});

    const bool epaisseur3D = epaisseur && m.NumFonction == 3 && m.Etape == 2;
    if (epaisseur3D) m.Etape = 3; // the thickness column; the line still ends here
    // The calibration reads the segment's whole pixel units.
    m.LongueurPixels = o.vue.LongueurPixels(debut, fin, o.FacteurResolution);
    const double valeur = Longueur(o, debut, fin);
    if (m.Etape == 1) NumeroLigne(o, debut);
    MarqueEnCours(o, MarqueLigne(debut, fin, 1), m.Etape);
    MarqueEnCours(o, MarqueCroix(fin, 1), m.Etape);
    CoteSegment(o, debut, fin, valeur);
    Lecture(o, TexteValeur(o, valeur));
    if (!EcritValeur(o, valeur, Segment(debut, fin)) && epaisseur3D) m.Etape = 2;
}

void ChoixMenuContextuel(Orvelle& o, const std::string& famille, int index) {
    Synchronise(o);
    auto& p = o.pointage;
    p.menuContextuel.reset();
    if (!p.enAttente) return;
    const SegmentEnAttente s = *p.enAttente;
    p.enAttente.reset();
    Provisoires(o, {});
    if (famille == "PopOrg" && (index == 1 || index == 4)) {
        ValideSegment(o, s.a, s.b, s.epaisseur);
    } else if (famille == "PopOrg" && index == 5) {
        AnnuleSegment(o);
    } else if (famille == "PopExt" && (index == 1 || index == 2)) {
        ValideSegment(o, s.a, s.b, index == 2);
    }
    // Any other entry, or the menu closed: nothing is written and the segment
    // stays open from its start, so that its end can be pointed again.
    MemoriseCle(o);
}

} // namespace orv
