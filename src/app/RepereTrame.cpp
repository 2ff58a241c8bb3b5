#include "app/RepereTrame.h"

#include "app/Historique.h"
#include "app/Orvelle.h"
#include "images/Orientation.h"

namespace orv {

namespace {

bool Connue(TailleImage t) {
    return t.largeur > 0 && t.hauteur > 0;
}

bool Vide(const SegmentTrace& s) {
    return s.x1 == 0 && s.y1 == 0 && s.x2 == 0 && s.y2 == 0;
}

// Segment k (from 1) of a line of function `fonction`: its two points, but
// for a polygon, whose first segment holds its anchor then its surface and
// perimeter, and whose second its mode.
void RedresseSegment(SegmentTrace& s, int k, int fonction, int orientation, TailleImage stockee) {
    if (Vide(s)) return;
    const PointImage a = PointRedresse({s.x1, s.y1}, orientation, stockee);
    if (fonction == fonction::Polygone) {
        if (k == 1) s = {a.x, a.y, s.x2, s.y2};
        return;
    }
    const PointImage b = PointRedresse({s.x2, s.y2}, orientation, stockee);
    s = {a.x, a.y, b.x, b.y};
}

// Pixel units are a fraction of the picture's width without the resolution
// factor: the factor follows the width, so that values stay.
double FacteurRedresse(double facteur, bool indPres, int orientation, TailleImage stockee) {
    if (!indPres || stockee.largeur <= 0) return facteur;
    return facteur * TailleRedressee(stockee, orientation).largeur / stockee.largeur;
}

} // namespace

Trame RedresseTrame(const Trame& t, const ImagesTrame& im, bool indPres) {
    Trame r = t;
    for (size_t k = 0; k < r.images.size(); ++k) {
        ImageTrame& image = r.images[k];
        const TailleImage lue = k < im.lues.size() ? im.lues[k] : TailleImage{};
        // A picture not found keeps its frame until it is.
        if (image.repere == RepereImage::Redresse || !Connue(lue)) continue;
        image.repere = RepereImage::Redresse;
        const int orientation = k < im.orientations.size() ? im.orientations[k] : 1;
        if (OrientationValide(orientation) == OrientationNormale) continue;
        // The points were taken on the size recorded, else on the picture's own.
        const TailleImage stockee =
            Connue(image.taille) ? image.taille : TailleRedressee(lue, orientation);
        for (LigneTrame& l : r.lignes) {
            if (l.image != static_cast<int>(k) + 1) continue;
            for (size_t s = 0; s < l.segments.size(); ++s)
                RedresseSegment(l.segments[s], static_cast<int>(s) + 1, r.fonction, orientation,
                                stockee);
        }
        image.coefficient = FacteurRedresse(image.coefficient, indPres, orientation, stockee);
        if (Connue(image.taille)) image.taille = TailleRedressee(image.taille, orientation);
    }
    return r;
}

namespace {

// The lines of `chemin`'s slots among `traces` (of a work whose loader holds
// `images`) turned upright, and their factors with them.
template <class Traces>
void RedresseTraces(Traces& traces, int lignes, const std::vector<std::string>& images,
                    std::array<double, SlotsGroupe>& facteurs, int fonction,
                    const std::string& chemin, bool indPres, int orientation, TailleImage stockee) {
    for (size_t k = 0; k < images.size(); ++k) {
        if (images[k] != chemin) continue;
        const int slot = static_cast<int>(k) + 1;
        for (int l = 1; l < lignes && l < static_cast<int>(traces.size()); ++l) {
            TraceLigne& t = traces[static_cast<size_t>(l)];
            if (t.image != slot) continue;
            for (int s = 1; s < static_cast<int>(t.segments.size()); ++s)
                RedresseSegment(t.segments[static_cast<size_t>(s)], s, fonction, orientation,
                                stockee);
            t.marques.clear(); // drawn again from the segments
        }
        if (slot < SlotsGroupe) {
            double& f = facteurs[static_cast<size_t>(slot)];
            f = FacteurRedresse(f, indPres, orientation, stockee);
        }
    }
}

} // namespace

void RedresseLignesImage(Orvelle& o, const std::string& chemin) {
    auto& ch = o.images.chargeur;
    if (!ch.repereFichier.count(chemin)) return;
    const auto lue = o.plateforme.LitTailleImage(chemin);
    if (!lue) return;
    ch.repereFichier.erase(chemin);
    const int orientation = o.plateforme.LitOrientationImage(chemin);
    if (OrientationValide(orientation) == OrientationNormale) return;
    const TailleImage stockee = TailleRedressee(*lue, orientation);
    const bool indPres = o.parametres.indPres;
    auto& m = o.mesure;
    RedresseTraces(m.TraceLignes, m.LigneCourante, ch.ListIMGchar, o.calibrage.CalibrageImage,
                   m.NumFonction, chemin, indPres, orientation, stockee);
    // The steps of the history hold the same lines: a change of frame is no
    // change of the work, and an undo never brings the old frame back.
    o.historique.PourChaqueEtat([&](EtatTravail& e) {
        RedresseTraces(e.traces, e.LigneCourante, e.cadre.images, e.cadre.facteurs, e.NumFonction,
                       chemin, indPres, orientation, stockee);
    });
}

} // namespace orv
