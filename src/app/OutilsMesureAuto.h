// What the window's measures from the picture share (app/MesureAuto.cpp,
// app/RevueSpores.cpp): conversions between picture units and the engine's
// pixels, the pixels of the picture shown, the texts of a refusal; and the
// steps of a search the pointing calls. Not for use outside these two files.
#pragma once

#include "app/MesureAuto.h"
#include "base/Nombres.h"
#include "contour/Contour.h"
#include "interface/Messages.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <optional>
#include <string>

namespace orv::mesureauto {

// Colours of the review (16-colour palette): the region searched, a spore
// kept, a spore rejected.
inline constexpr int kCouleurZone = 9;
inline constexpr int kCouleurGardee = 10;
inline constexpr int kCouleurRejetee = 12;

// Below this length (pixels) an outline has too few pixels to be measured
// to a fraction of one: such spores are measured at a higher magnification.
inline constexpr double kLongueurMin = 20;

inline contour::Point VersPixels(PointImage p) {
    return {p.x / UnitesImageParPixel, p.y / UnitesImageParPixel};
}

// A point of the outline as a clicked point is kept: picture units.
inline PointImage VersUnites(contour::Point p) {
    return {Arrondi32(p.x * UnitesImageParPixel), Arrondi32(p.y * UnitesImageParPixel)};
}

inline SegmentTrace Segment(contour::Point a, contour::Point b) {
    const PointImage pa = VersUnites(a), pb = VersUnites(b);
    return {pa.x, pa.y, pb.x, pb.y};
}

inline contour::VuePixels VueDe(const VuePixelsImage& v) {
    return {v.pixels, v.largeur, v.hauteur, v.pas};
}

// The pixels of the picture shown, when the image box has decoded all of it.
inline std::optional<VuePixelsImage> PixelsVus(const Orvelle& o) {
    const Vue& vue = o.images.vue;
    if (!vue.ImageChargee() || o.images.cheminImage.empty()) return std::nullopt;
    auto v = o.plateforme.PixelsAffiches(o.images.cheminImage);
    if (!v || !v->pixels || v->largeur != vue.LargeurPixels() || v->hauteur != vue.HauteurPixels())
        return std::nullopt;
    return v;
}

// The longest spore looked for: half the shorter side of what is searched.
inline double LongueurMax(int largeur, int hauteur) {
    return std::max(2 * kLongueurMin, std::min(largeur, hauteur) / 2.0);
}

// A text of the tables with its %1, %2... filled in.
inline std::string Remplit(std::string modele, std::initializer_list<std::string> valeurs) {
    int i = 1;
    for (const std::string& v : valeurs) {
        const std::string marque = "%" + std::to_string(i++);
        if (const auto p = modele.find(marque); p != std::string::npos)
            modele.replace(p, marque.size(), v);
    }
    return modele;
}

inline std::string TexteRefus(const Interface& ui, contour::Refus r) {
    using R = contour::Refus;
    switch (r) {
    case R::Coupee:
        return ui.Mnu(mnu::RefusCoupee);
    case R::Accolees:
        return ui.Mnu(mnu::RefusAccolees);
    case R::Amas:
        return ui.Mnu(mnu::RefusAmas);
    case R::Floue:
        return ui.Mnu(mnu::RefusFloue);
    case R::Debris:
        return ui.Mnu(mnu::RefusDebris);
    case R::HorsTaille:
        return ui.Mnu(mnu::RefusHorsTaille);
    case R::Aucun:
    case R::Introuvable:
        break;
    }
    return ui.Mnu(mnu::RefusIntrouvable);
}

// Whether `q` lies inside the ellipse grown by `marge` (1: the ellipse itself).
inline bool Dans(const contour::Ellipse& e, contour::Point q, double marge) {
    const double t = e.angle * std::numbers::pi / 180;
    const double dx = q.x - e.centre.x, dy = q.y - e.centre.y;
    const double u = (dx * std::cos(t) + dy * std::sin(t)) / (e.demiGrandAxe * marge);
    const double v = (-dx * std::sin(t) + dy * std::cos(t)) / (e.demiPetitAxe * marge);
    return u * u + v * v <= 1;
}

// Back to ordinary measuring: no region, search or review left.
void Termine(Orvelle& o);
// The region is drawn: the search is prepared for the window to run.
void LanceRecherche(Orvelle& o, contour::Rectangle zone);
// Find all asked: the region to draw, unless something forbids it (said).
void CommenceZone(Orvelle& o);
// A click in the review: the spore under it is rejected or taken back; a
// click beside every spore measures the one there, if any, and adds it.
void ClicRevue(Orvelle& o, PointImage point);

} // namespace orv::mesureauto
