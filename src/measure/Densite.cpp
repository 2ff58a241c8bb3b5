// The surface of a density ("Densité/Ellipse", "Densité/rectangle"): the first
// press gives the centre or a corner, the outline follows the pointer, and a
// release beyond the click tolerance (or the release of a second click) fixes
// it. A surface of 0 is refused and must be drawn again; otherwise it is the
// line's first value and the counting of the elements inside begins.
#include "interface/Messages.h"
#include "measure/ComportementPointage.h"
#include "measure/Geometrie.h"
#include "measure/NumerosFonctions.h"

namespace orv {

namespace {

bool Ellipse(const ActionPointage& a) {
    return a.m.NumFonction == fonction::DensiteEllipse;
}

// The outline from the first point to the pointer, and its surface in picture units.
Marque Contour(const ActionPointage& a, PointImage debut, PointImage pointeur, int role) {
    return {Ellipse(a) ? GenreMarque::Ellipse : GenreMarque::Rectangle, debut, pointeur, role, {}};
}

double SurfaceImage(const ActionPointage& a, PointImage debut, PointImage pointeur) {
    return Ellipse(a) ? SurfaceEllipse(debut, pointeur) : SurfaceRectangle(debut, pointeur);
}

double SurfaceMicrons(const ActionPointage& a, double surfaceImage) {
    const double e = Echelle(a.ctx);
    return surfaceImage * e * e;
}

void Fixe(ActionPointage& a, PointImage debut, PointImage fin) {
    auto& p = a.m.pointage;
    p.SegmentEnCours = false;
    p.ClicSimple = false;
    Provisoires(a.m, {});
    const double surfaceImage = SurfaceImage(a, debut, fin);
    if (surfaceImage == 0) {
        a.ui.plateforme.Message(a.ui.Msg(msg::SurfaceNulle));
        return;
    }
    const double s = SurfaceMicrons(a, surfaceImage);
    Lecture(a.ui, TexteValeur(a, s));
    p.ResultatsSurface[1] = s;
    NumeroLigne(a.m, debut);
    MarqueEnCours(a.m, Contour(a, debut, fin, 1), 1);
    if (!EcritValeur(a, s, Segment(debut, fin))) return;
    a.ui.controles.Texte(Controle::TexteComptage, "0");
    p.ClicArme = true;
    a.ui.Statut(a.ui.Msg(msg::CompterValider));
}

class Densite final : public ComportementPointage {
public:
    void Presse(ActionPointage& a, const EvenementImage& e) const override {
        if (e.bouton != Bouton::Gauche) return;
        if (!a.m.pointage.SegmentEnCours) CommenceSegment(a, e);
    }

    void Relache(ActionPointage& a, const EvenementImage& e) const override {
        if (FinDeSegment(a, e)) Fixe(a, a.m.pointage.PointDepart, e.image);
    }

    void Suit(ActionPointage& a, const EvenementImage& e) const override {
        const auto& p = a.m.pointage;
        if (!p.SegmentEnCours) return;
        Provisoires(a.m, {Contour(a, p.PointDepart, e.image, 1)});
        Lecture(a.ui, TexteValeur(a, SurfaceMicrons(a, SurfaceImage(a, p.PointDepart, e.image))));
    }
};

} // namespace

const ComportementPointage& PointageDensite() {
    static const Densite d;
    return d;
}

} // namespace orv
