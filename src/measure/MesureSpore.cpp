// The caliper ("Palmer"): the width of a spore measured across its length.
//
// Once the length segment A-B of the line is written, the user presses on one
// side of the spore and drags to the other side. Two guide lines parallel to
// A-B follow: one through the press point, one through the pointer; the width
// is the distance between them, i.e. the part of the drag that runs across the
// length axis (the part along the axis does not count). The width segment
// kept for the line goes from the press point, at a right angle to A-B, to the
// guide line through the release point, and its length is the value written,
// so the marks give the value back. A zero-length A-B counts as vertical.
// With the key E held (spores 3D) the width is the thickness; a right-button
// release asks the same context menus as any segment.
#include "app/Orvelle.h"
#include "measure/ComportementPointage.h"
#include "measure/Geometrie.h"

namespace orv {

namespace {

// The line's length segment, the axis of the caliper.
void AxeLongueur(const Orvelle& o, PointImage& a, PointImage& b) {
    const int ligne = o.mesure.LigneCourante;
    const auto& traces = o.mesure.TraceLignes;
    SegmentTrace s{};
    if (ligne >= 1 && ligne < static_cast<int>(traces.size()))
        s = traces[static_cast<size_t>(ligne)].segments[1];
    a = {s.x1, s.y1};
    b = {s.x2, s.y2};
}

Marque Guide(PointImage a, PointImage b, PointImage par) {
    PointImage d, f;
    GuidePalmer(a, b, par, d, f);
    return MarqueLigne(d, f, 2);
}

class Palmer final : public ComportementPointage {
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
        PointImage a, b;
        AxeLongueur(o, a, b);
        TermineSegment(o, e, p.PointDepart, PiedPalmer(a, b, p.PointDepart, e.image));
    }

    void Suit(Orvelle& o, const EvenementImage& e) const override {
        const auto& p = o.pointage;
        if (p.enAttente) return;
        PointImage a, b;
        AxeLongueur(o, a, b);
        if (!p.SegmentEnCours) {
            // Before the press, the guide through the pointer helps to aim.
            Provisoires(o, {Guide(a, b, e.image)});
            return;
        }
        const PointImage pied = PiedPalmer(a, b, p.PointDepart, e.image);
        Provisoires(o, {Guide(a, b, p.PointDepart), Guide(a, b, e.image),
                        MarqueLigne(p.PointDepart, pied, 1)});
        Lecture(o, TexteValeur(o, Longueur(o, p.PointDepart, pied)));
    }
};

} // namespace

const ComportementPointage& PointagePalmer() {
    static const Palmer p;
    return p;
}

} // namespace orv
