#include "contour/Accroche.h"

#include "contour/Gris.h"
#include "contour/Paroi.h"

#include <cmath>
#include <optional>

namespace orv::contour {

namespace {

constexpr double kPas = 0.25;

// The edge near `p` looking outwards along `u`: the profile averaged over a
// band three pixels wide, so that one noisy row does not make the edge.
std::optional<Point> Bord(const VuePixels& v, Point p, Point u, const OptionsAccroche& o) {
    const Point n{-u.y, u.x};
    Profil pr;
    pr.pas = kPas;
    // Room beyond the reach for the contrast measured on either side.
    const double marge = 3.5;
    pr.debut = -o.portee - marge;
    const int k = static_cast<int>(std::floor(2 * (o.portee + marge) / kPas)) + 1;
    pr.g.resize(static_cast<std::size_t>(k));
    for (int i = 0; i < k; ++i) {
        const double d = pr.debut + i * kPas;
        float s = 0;
        for (int b = -1; b <= 1; ++b)
            s += GrisBilineaire(v, p.x + d * u.x + b * n.x, p.y + d * u.y + b * n.y);
        pr.g[static_cast<std::size_t>(i)] = s / 3;
    }
    const auto b = BordExterieur(pr, -o.portee, o.portee, o.contrasteMin);
    if (!b) return std::nullopt;
    return Point{p.x + b->position * u.x, p.y + b->position * u.y};
}

} // namespace

Accroche AccrocheBord(const VuePixels& image, Point p0, Point p1, const OptionsAccroche& options) {
    Accroche a{p0, p1, false, false};
    const double l = std::hypot(p1.x - p0.x, p1.y - p0.y);
    if (image.Vide() || l < 1) return a;
    const Point u{(p1.x - p0.x) / l, (p1.y - p0.y) / l};
    // Each end looks outwards, away from the other.
    if (const auto b = Bord(image, p1, u, options)) {
        a.p1 = *b;
        a.p1Deplace = true;
    }
    if (const auto b = Bord(image, p0, {-u.x, -u.y}, options)) {
        a.p0 = *b;
        a.p0Deplace = true;
    }
    return a;
}

} // namespace orv::contour
