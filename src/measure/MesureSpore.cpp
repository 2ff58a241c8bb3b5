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
#include "interface/Messages.h"
#include "measure/ComportementPointage.h"
#include "measure/Geometrie.h"

namespace orv {

namespace {

// The line's length segment, the axis of the caliper.
void AxeLongueur(const EtatMesure& m, PointImage& a, PointImage& b) {
    const int ligne = m.LigneCourante;
    const auto& traces = m.TraceLignes;
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
    void Presse(ActionPointage& a, const EvenementImage& e) const override { PresseSegment(a, e); }

    void Relache(ActionPointage& a, const EvenementImage& e) const override {
        if (!FinDeSegment(a, e)) return;
        const auto& p = a.m.pointage;
        PointImage debut, fin;
        AxeLongueur(a.m, debut, fin);
        TermineSegment(a, e, p.PointDepart, PiedPalmer(debut, fin, p.PointDepart, e.image));
    }

    void Suit(ActionPointage& a, const EvenementImage& e) const override {
        const auto& p = a.m.pointage;
        if (p.enAttente) return;
        PointImage debut, fin;
        AxeLongueur(a.m, debut, fin);
        if (!p.SegmentEnCours) {
            // Before the press, the guide through the pointer helps to aim.
            Provisoires(a.m, {Guide(debut, fin, e.image)});
            return;
        }
        const PointImage pied = PiedPalmer(debut, fin, p.PointDepart, e.image);
        Provisoires(a.m, {Guide(debut, fin, p.PointDepart), Guide(debut, fin, e.image),
                          MarqueLigne(p.PointDepart, pied, 1)});
        Lecture(a.ui, TexteValeur(a, Longueur(a.ctx, p.PointDepart, pied)));
    }
};

} // namespace

const ComportementPointage& PointagePalmer() {
    static const Palmer p;
    return p;
}

} // namespace orv
