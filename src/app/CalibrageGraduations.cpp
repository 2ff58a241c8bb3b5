#include "app/CalibrageGraduations.h"

#include "app/CommandesMesure.h"
#include "base/Nombres.h"
#include "contour/Graduations.h"
#include "images/Vue.h"
#include "measure/OutilsPointage.h"

#include <algorithm>
#include <optional>

namespace orv {

namespace {

using Refus = GraduationsTrouvees::Refus;

GraduationsTrouvees Refuse(Refus r) {
    GraduationsTrouvees g;
    g.refus = r;
    return g;
}

// The pixels of the picture shown, upright as the box shows them; nothing for
// the built-in picture or one that cannot be read as the view has it. The
// platform hands over the picture the box already decoded.
std::optional<PixelsImage> PixelsMontres(Orvelle& o) {
    const Vue& v = o.images.vue;
    if (o.images.cheminImage.empty() || !v.ImageChargee()) return std::nullopt;
    auto p = o.plateforme.LitPixelsImage(o.images.cheminImage);
    if (!p || p->largeur != v.LargeurPixels() || p->hauteur != v.HauteurPixels() ||
        p->pixels.size() != static_cast<std::size_t>(p->largeur) * p->hauteur)
        return std::nullopt;
    return p;
}

contour::Point EnPixels(std::int32_t x, std::int32_t y) {
    return {x / UnitesImageParPixel, y / UnitesImageParPixel};
}

PointImage EnUnites(contour::Point p) {
    return {Arrondi32(p.x * UnitesImageParPixel), Arrondi32(p.y * UnitesImageParPixel)};
}

// The value's marks become the segment snapped to the first and last
// graduations found and a tick on each graduation (the line number stays).
void MarqueGraduations(Orvelle& o, TraceLigne& t, int valeur,
                       const contour::ResultatGraduations& r) {
    auto& marques = t.marques;
    std::erase_if(marques, [&](const MarqueTrace& mt) {
        return mt.valeur == valeur && mt.marque.genre != GenreMarque::Texte;
    });
    const PointImage debut = EnUnites(r.premiere), fin = EnUnites(r.derniere);
    marques.push_back({valeur, MarqueLigne(debut, fin, 2)});
    const int n = std::max(r.divisions, 1);
    for (int k = 0; k <= n; ++k) {
        const contour::Point p{r.premiere.x + (r.derniere.x - r.premiere.x) * k / n,
                               r.premiere.y + (r.derniere.y - r.premiere.y) * k / n};
        Marque g;
        g.genre = GenreMarque::Graduation;
        g.a = EnUnites(p);
        // Across the segment: towards its other end.
        g.b = k < n ? fin : debut;
        g.couleur = 1;
        marques.push_back({valeur, g});
    }
    RetraceImageMontree(o);
}

} // namespace

GraduationsTrouvees ChercheGraduations(Orvelle& o) {
    auto& m = o.mesure;
    const auto ligne = static_cast<std::size_t>(m.LignePrec);
    const auto valeur = static_cast<std::size_t>(m.EtapePrec);
    if (ligne >= m.TraceLignes.size() || valeur < 1 ||
        valeur >= m.TraceLignes[ligne].segments.size())
        return Refuse(Refus::PasDePeriode);
    TraceLigne& t = m.TraceLignes[ligne];
    const SegmentTrace s = t.segments[valeur];
    const auto pixels = PixelsMontres(o);
    if (!pixels) return Refuse(Refus::SansImage);
    const contour::VuePixels vue{pixels->pixels.data(), pixels->largeur, pixels->hauteur,
                                 pixels->largeur};
    const auto r = contour::PeriodeGraduations(vue, EnPixels(s.x1, s.y1), EnPixels(s.x2, s.y2));
    switch (r.refus) {
    case contour::RefusGraduations::HorsImage:
        return Refuse(Refus::HorsImage);
    case contour::RefusGraduations::PasDePeriode:
        return Refuse(Refus::PasDePeriode);
    case contour::RefusGraduations::LigneCourte:
        return Refuse(Refus::LigneCourte);
    case contour::RefusGraduations::Aucun:
        break;
    }
    MarqueGraduations(o, t, static_cast<int>(valeur), r);
    GraduationsTrouvees g;
    g.periodePixels = r.periode;
    g.divisions = r.divisions;
    g.dispersion = r.dispersion;
    return g;
}

} // namespace orv
