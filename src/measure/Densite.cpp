// The surface of a density ("Densité/Ellipse", "Densité/rectangle"): the first
// press gives the centre or a corner, the outline follows the pointer, and a
// release beyond the click tolerance (or the release of a second click) fixes
// it. A surface of 0 is refused and must be drawn again; otherwise it is the
// line's first value and the counting of the elements inside begins.
#include "app/Orvelle.h"
#include "measure/ComportementPointage.h"
#include "measure/Geometrie.h"

namespace orv {

namespace {

bool Ellipse(const Orvelle& o) {
    return o.mesure.NumFonction == 13;
}

// The outline from the first point to the pointer, and its surface in picture units.
Marque Contour(const Orvelle& o, PointImage debut, PointImage pointeur, int role) {
    return {Ellipse(o) ? GenreMarque::Ellipse : GenreMarque::Rectangle, debut, pointeur, role, {}};
}

double SurfaceImage(const Orvelle& o, PointImage debut, PointImage pointeur) {
    return Ellipse(o) ? SurfaceEllipse(debut, pointeur) : SurfaceRectangle(debut, pointeur);
}

double SurfaceMicrons(const Orvelle& o, double surfaceImage) {
    const double e = Echelle(o);
    return surfaceImage * e * e;
}

void Fixe(Orvelle& o, PointImage debut, PointImage fin) {
    auto& p = o.pointage;
    p.SegmentEnCours = false;
    p.ClicSimple = false;
    Provisoires(o, {});
    const double surfaceImage = SurfaceImage(o, debut, fin);
    if (surfaceImage == 0) {
        o.plateforme.Message(o.textes.Msg(216));
        return;
    }
    const double s = SurfaceMicrons(o, surfaceImage);
    Lecture(o, TexteValeur(o, s));
    p.ResultatsSurface[1] = s;
    NumeroLigne(o, debut);
    MarqueEnCours(o, Contour(o, debut, fin, 1), 1);
    if (!EcritValeur(o, s, Segment(debut, fin))) return;
    o.controles.Texte(Controle::TexteComptage, "0");
    p.ClicArme = true;
    Statut(o, o.textes.Msg(73));
}

class Densite final : public ComportementPointage {
public:
    void Presse(Orvelle& o, const EvenementImage& e) const override {
        if (e.bouton != Bouton::Gauche) return;
        if (!o.pointage.SegmentEnCours) CommenceSegment(o, e);
    }

    void Relache(Orvelle& o, const EvenementImage& e) const override {
        auto& p = o.pointage;
        if (!p.SegmentEnCours) return;
        if (DansTolerance(o, DepartBoite(o), e.twips)) {
            p.ClicSimple = true;
            return;
        }
        Fixe(o, p.PointDepart, e.image);
    }

    void Suit(Orvelle& o, const EvenementImage& e) const override {
        const auto& p = o.pointage;
        if (!p.SegmentEnCours) return;
        Provisoires(o, {Contour(o, p.PointDepart, e.image, 1)});
        Lecture(o, TexteValeur(o, SurfaceMicrons(o, SurfaceImage(o, p.PointDepart, e.image))));
    }
};

} // namespace

const ComportementPointage& PointageDensite() {
    static const Densite d;
    return d;
}

} // namespace orv
