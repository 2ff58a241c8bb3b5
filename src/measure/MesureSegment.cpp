// The segment functions (segment, spores, cystidia): a press starts the
// segment, a release beyond the click tolerance ends it; a release within the
// tolerance leaves it open, and the release of a later click ends it. A
// segment ended with the right button waits for the context menu's answer.
#include "measure/ComportementPointage.h"
#include "measure/Fonctions.h"
#include "measure/Pointage.h"

namespace orv {

namespace {

class SegmentLibre final : public ComportementPointage {
public:
    void Presse(ActionPointage& a, const EvenementImage& e) const override { PresseSegment(a, e); }

    void Relache(ActionPointage& a, const EvenementImage& e) const override {
        if (FinDeSegment(a, e)) TermineSegment(a, e, a.m.pointage.PointDepart, e.image);
    }

    void Suit(ActionPointage& a, const EvenementImage& e) const override {
        const auto& p = a.m.pointage;
        if (!p.SegmentEnCours || p.enAttente) return;
        Provisoires(a.m, {MarqueLigne(p.PointDepart, e.image, 1)});
        Lecture(a.ui, TexteValeur(a, Longueur(a.ctx, p.PointDepart, e.image)));
    }
};

bool SecondSegment3D(const EtatMesure& m) {
    return m.NumFonction == fonction::Spores3D && m.Etape == 2;
}

// The segments whose ends go to the outline when the snap is on.
bool Accrochable(const EtatMesure& m) {
    return m.NumFonction == fonction::Segment || m.NumFonction == fonction::Spores2D;
}

} // namespace

const ComportementPointage& PointageSegment() {
    static const SegmentLibre s;
    return s;
}

void TermineSegment(ActionPointage& a, const EvenementImage& e, PointImage debut, PointImage fin) {
    auto& p = a.m.pointage;
    // The points kept (and the marks drawn) are where the ends went.
    if (a.ctx.accroche && Accrochable(a.m)) a.ctx.accroche->Accroche(debut, fin);
    const bool epaisseur = SecondSegment3D(a.m) && p.ToucheE;
    if (e.bouton == Bouton::Droit) {
        // The segment stays shown and open until the menu decides.
        p.enAttente = SegmentEnAttente{debut, fin, Longueur(a.ctx, debut, fin), epaisseur};
        const bool choix3D = SecondSegment3D(a.m) && !p.ToucheE;
        p.menuContextuel =
            MenuContextuel{choix3D ? Controle::Menu3D : Controle::MenuSegment, e.twips};
        Provisoires(a.m, {MarqueLigne(debut, fin, 1)});
        return;
    }
    ValideSegment(a, debut, fin, epaisseur);
}

void ValideSegment(ActionPointage& a, PointImage debut, PointImage fin, bool epaisseur) {
    auto& m = a.m;
    auto& p = m.pointage;
    p.SegmentEnCours = false;
    p.ClicSimple = false;
    p.enAttente.reset();
    p.menuContextuel.reset();
    Provisoires(m, {});

    const bool epaisseur3D = epaisseur && m.NumFonction == fonction::Spores3D && m.Etape == 2;
    if (epaisseur3D) m.Etape = 3; // the thickness column; the line still ends here
    // The calibration reads the segment's whole pixel units.
    m.LongueurPixels = a.ctx.vue.LongueurPixels(debut, fin, a.ctx.facteurResolution);
    const double valeur = Longueur(a.ctx, debut, fin);
    if (m.Etape == 1) NumeroLigne(m, debut);
    MarqueEnCours(m, MarqueLigne(debut, fin, 1), m.Etape);
    MarqueEnCours(m, MarqueCroix(fin, 1), m.Etape);
    CoteSegment(a, debut, fin, valeur);
    Lecture(a.ui, TexteValeur(a, valeur));
    if (!EcritValeur(a, valeur, Segment(debut, fin)) && epaisseur3D) m.Etape = 2;
}

namespace {

void Repond(ActionPointage& a, std::optional<Controle> entree) {
    Synchronise(a.ui, a.m, a.ctx.versionImage);
    auto& p = a.m.pointage;
    p.menuContextuel.reset();
    if (!p.enAttente) return;
    const SegmentEnAttente s = *p.enAttente;
    p.enAttente.reset();
    Provisoires(a.m, {});
    using C = Controle;
    if (entree == C::SegmentLongueur || entree == C::SegmentValider) {
        ValideSegment(a, s.a, s.b, s.epaisseur);
    } else if (entree == C::SegmentAnnuler) {
        AnnuleSegment(a.ui, a.m, a.ctx.versionImage);
    } else if (entree == C::Choix3DLargeur || entree == C::Choix3DEpaisseur) {
        ValideSegment(a, s.a, s.b, entree == C::Choix3DEpaisseur);
    }
    // Any other entry, or the menu closed: nothing is written and the segment
    // stays open from its start, so that its end can be pointed again.
    MemoriseCle(a.m, a.ctx.versionImage);
}

} // namespace

std::optional<SuitesMesure> ChoixMenuContextuel(Interface& ui, EtatMesure& m,
                                                const ContexteMesure& c, Controle entree) {
    using C = Controle;
    switch (entree) {
    case C::SegmentLongueur:
    case C::SegmentReprendre:
    case C::SegmentCumul:
    case C::SegmentValider:
    case C::SegmentAnnuler:
    case C::Choix3DLargeur:
    case C::Choix3DEpaisseur: {
        SuitesMesure s;
        ActionPointage a{ui, m, c, s};
        Repond(a, entree);
        MontreEtapeSuivante(ui, m);
        return s;
    }
    default:
        return std::nullopt;
    }
}

void FermeMenuContextuel(Interface& ui, EtatMesure& m, const ContexteMesure& c) {
    SuitesMesure s;
    ActionPointage a{ui, m, c, s};
    Repond(a, std::nullopt);
}

} // namespace orv
