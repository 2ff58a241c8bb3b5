#include "images/ChercheSpore.h"

#include "app/Orvelle.h"
#include "calibration/Calibrage.h"
#include "images/Chargeur.h"
#include "images/CommandesVue.h"
#include "measure/Marques.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orv {

namespace {

std::int32_t Arrondi32(double v) {
    if (!std::isfinite(v)) return 0;
    constexpr double bas = std::numeric_limits<std::int32_t>::min();
    constexpr double haut = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::llround(std::clamp(v, bas, haut)));
}

// Counting and density lines keep their point first; the others are centred
// between their first two points.
bool CentreSurPremierPoint(int fonction) {
    return fonction == 10 || fonction == 11 || fonction == 16;
}

} // namespace

void Cherche_spore(Orvelle& o) {
    const auto& g = o.GrilleRef;
    const int ligne = g.LigneCourante();
    if (ligne < 1 || ligne >= g.Lignes() || ligne > LignesMax + 1) return;
    if (g.Texte(ligne, 1).empty()) return; // no measure on that line
    const TraceLigne& trace = o.mesure.TraceLignes[static_cast<std::size_t>(ligne)];

    // 1. The line's own image.
    const int image = trace.image;
    if (image != o.IndexImage) {
        const auto& chemins = o.chargeur.ListIMGchar;
        const bool present = image >= 1 && image <= static_cast<int>(chemins.size()) &&
                             !chemins[static_cast<std::size_t>(image - 1)].empty();
        if (present) {
            // A file gone since leaves the image shown as it is (said by the loader).
            if (MontreEmplacement(o, image - 1)) Retrace(o);
        } else {
            AfficheImageParDefaut(o);
        }
    }
    // 2. The factor of the slot shown.
    MontreCalibrageImage(o);

    // 3-5. The measure at the centre of the box, at its zoom.
    const SegmentTrace& s = trace.segments[1];
    double cx = s.x1, cy = s.y1;
    if (!CentreSurPremierPoint(o.mesure.NumFonction)) {
        cx = (static_cast<double>(s.x1) + s.x2) / 2;
        cy = (static_cast<double>(s.y1) + s.y2) / 2;
    }
    auto& v = o.vue;
    v.FixeExposant(trace.zoom);
    const double k = v.FacteurZoom() * v.EchelleImage() * 0.5;
    v.FixeOrigine(Arrondi32(cx - v.LargeurBoite() * k), Arrondi32(cy - v.HauteurBoite() * k));
    // 6. Thumbnail and view drawn again.
    AfficheVue(o);
}

} // namespace orv
