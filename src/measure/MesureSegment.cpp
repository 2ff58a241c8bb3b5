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
        p.menuContextuel =
            MenuContextuel{choix3D ? Controle::Menu3D : Controle::MenuSegment, e.twips};
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
    m.LongueurPixels = o.images.vue.LongueurPixels(debut, fin, o.FacteurResolution);
    const double valeur = Longueur(o, debut, fin);
    if (m.Etape == 1) NumeroLigne(o, debut);
    MarqueEnCours(o, MarqueLigne(debut, fin, 1), m.Etape);
    MarqueEnCours(o, MarqueCroix(fin, 1), m.Etape);
    CoteSegment(o, debut, fin, valeur);
    Lecture(o, TexteValeur(o, valeur));
    if (!EcritValeur(o, valeur, Segment(debut, fin)) && epaisseur3D) m.Etape = 2;
}

namespace {

void Repond(Orvelle& o, std::optional<Controle> entree) {
    Synchronise(o);
    auto& p = o.pointage;
    p.menuContextuel.reset();
    if (!p.enAttente) return;
    const SegmentEnAttente s = *p.enAttente;
    p.enAttente.reset();
    Provisoires(o, {});
    using C = Controle;
    if (entree == C::SegmentLongueur || entree == C::SegmentValider) {
        ValideSegment(o, s.a, s.b, s.epaisseur);
    } else if (entree == C::SegmentAnnuler) {
        AnnuleSegment(o);
    } else if (entree == C::Choix3DLargeur || entree == C::Choix3DEpaisseur) {
        ValideSegment(o, s.a, s.b, entree == C::Choix3DEpaisseur);
    }
    // Any other entry, or the menu closed: nothing is written and the segment
    // stays open from its start, so that its end can be pointed again.
    MemoriseCle(o);
}

} // namespace

bool ChoixMenuContextuel(Orvelle& o, Controle entree) {
    using C = Controle;
    switch (entree) {
    case C::SegmentLongueur:
    case C::SegmentReprendre:
    case C::SegmentCumul:
    case C::SegmentValider:
    case C::SegmentAnnuler:
    case C::Choix3DLargeur:
    case C::Choix3DEpaisseur:
        Repond(o, entree);
        return true;
    default:
        return false;
    }
}

void FermeMenuContextuel(Orvelle& o) {
    Repond(o, std::nullopt);
}

} // namespace orv
