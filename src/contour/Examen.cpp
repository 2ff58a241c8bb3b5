#include "contour/Examen.h"

#include "contour/Affinage.h"

#include <algorithm>
#include <cmath>

namespace orv::contour {

int ReductionPour(double longueurMin) {
    return std::clamp(static_cast<int>(std::floor(longueurMin / 10)), 1, 4);
}

ResultatContour ExamineCandidat(const VuePixels& image, const ImageGris& g, const Segmentation& s,
                                const Candidat& c, double bruit, const OptionsContour& options) {
    ResultatContour r;
    if (c.refus != Refus::Aucun) {
        r.refus = c.refus;
        return r;
    }
    // The blob's edge lies within a reduced value or so of the wall's outer side.
    const double ecart = 1.5 * g.reduction + 2;
    const Affinage a = AffineSpore(image, c.ellipse, ecart, bruit, options);
    if (!a.valide) {
        r.refus = Refus::Debris;
        return r;
    }
    // Whatever the blob holds well beyond the outline found is stuck to the
    // spore: a neighbour, or a speck as large as a good part of it.
    const double part = PartHorsEllipse(s, g, c, a.mesure.ellipse, 3 + 1.5 * g.reduction);
    if (part > 0.12) {
        r.refus = part > 1.2 || c.trous >= 3 ? Refus::Amas : Refus::Accolees;
        return r;
    }
    r.refus = a.refus;
    if (a.refus == Refus::Aucun || a.refus == Refus::HorsTaille) r.spore = a.mesure;
    return r;
}

} // namespace orv::contour
