#include "measure/Geometrie.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace orv {

namespace {

constexpr double kPiSurface = 3.1416;

std::int32_t Arrondi(double v) {
    constexpr double lim = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::lround(std::clamp(v, -lim, lim)));
}

struct Axe {
    double ux, uy; // unit vector along the length
    double nx, ny; // unit normal
};

Axe AxeDe(PointImage a, PointImage b) {
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    const double l = std::hypot(dx, dy);
    if (l == 0) return {0, 1, -1, 0};
    return {dx / l, dy / l, -dy / l, dx / l};
}

} // namespace

double AireTriangle(double a, double b, double c) {
    const double p = (a + b + c) / 2;
    const double produit = p * (p - a) * (p - b) * (p - c);
    return produit > 0 ? std::sqrt(produit) : 0.0;
}

double AngleSommet(PointImage sommet, PointImage a, PointImage b) {
    const double ax = static_cast<double>(a.x) - sommet.x, ay = static_cast<double>(a.y) - sommet.y;
    const double bx = static_cast<double>(b.x) - sommet.x, by = static_cast<double>(b.y) - sommet.y;
    if ((ax == 0 && ay == 0) || (bx == 0 && by == 0)) return 0;
    // atan2 of the cross and dot products: exact at 0, 90 and 180 degrees alike.
    return std::atan2(std::fabs(ax * by - ay * bx), ax * bx + ay * by) * 180 / std::numbers::pi;
}

double AireContour(const std::vector<PointImage>& contour) {
    double double_aire = 0;
    for (size_t i = 0; i < contour.size(); ++i) {
        const PointImage a = contour[i], b = contour[(i + 1) % contour.size()];
        double_aire += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
    }
    return double_aire / 2;
}

bool DansContour(PointImage p, const std::vector<PointImage>& contour) {
    if (contour.size() < 3) return false;
    bool dedans = false;
    for (size_t i = 0, j = contour.size() - 1; i < contour.size(); j = i++) {
        const PointImage a = contour[i], b = contour[j];
        const double px = p.x, py = p.y;
        // On a side: not inside.
        const double croix = (static_cast<double>(b.x) - a.x) * (py - a.y) -
                             (static_cast<double>(b.y) - a.y) * (px - a.x);
        if (croix == 0 && px >= std::min(a.x, b.x) && px <= std::max(a.x, b.x) &&
            py >= std::min(a.y, b.y) && py <= std::max(a.y, b.y))
            return false;
        if ((a.y > p.y) != (b.y > p.y)) {
            const double x = a.x + (py - a.y) * (static_cast<double>(b.x) - a.x) /
                                       (static_cast<double>(b.y) - a.y);
            if (px < x) dedans = !dedans;
        }
    }
    return dedans;
}

namespace {

// Which side of the line o-a the point b lies on: -1, 0 or 1.
int Orientation(PointImage o, PointImage a, PointImage b) {
    const double c = (static_cast<double>(a.x) - o.x) * (static_cast<double>(b.y) - o.y) -
                     (static_cast<double>(a.y) - o.y) * (static_cast<double>(b.x) - o.x);
    return (c > 0) - (c < 0);
}

} // namespace

bool SeCoupent(PointImage a, PointImage b, PointImage c, PointImage d) {
    const int o1 = Orientation(a, b, c), o2 = Orientation(a, b, d);
    const int o3 = Orientation(c, d, a), o4 = Orientation(c, d, b);
    return o1 * o2 < 0 && o3 * o4 < 0;
}

namespace {

// Semi-axes of the density ellipse.
void DemiAxes(PointImage centre, PointImage pointeur, double& rx, double& ry) {
    const double dx = std::fabs(static_cast<double>(pointeur.x) - centre.x);
    const double dy = std::fabs(static_cast<double>(pointeur.y) - centre.y);
    const double r = std::hypot(dx, dy);
    if (dx == 0 || dy == 0) {
        rx = dx == 0 ? 0 : r;
        ry = dy == 0 ? 0 : r;
        return;
    }
    if (dy <= dx) {
        rx = r;
        ry = r * dy / dx;
    } else {
        rx = r * dx / dy;
        ry = r;
    }
}

} // namespace

double SurfaceEllipse(PointImage centre, PointImage pointeur) {
    double rx = 0, ry = 0;
    DemiAxes(centre, pointeur, rx, ry);
    return std::floor(rx * ry * kPiSurface);
}

double SurfaceRectangle(PointImage coin, PointImage pointeur) {
    return std::fabs((static_cast<double>(pointeur.x) - coin.x) *
                     (static_cast<double>(pointeur.y) - coin.y));
}

PointImage PiedPalmer(PointImage a, PointImage b, PointImage appui, PointImage pointeur) {
    const Axe axe = AxeDe(a, b);
    const double d = (static_cast<double>(pointeur.x) - appui.x) * axe.nx +
                     (static_cast<double>(pointeur.y) - appui.y) * axe.ny;
    return {Arrondi(appui.x + d * axe.nx), Arrondi(appui.y + d * axe.ny)};
}

void GuidePalmer(PointImage a, PointImage b, PointImage point, PointImage& debut, PointImage& fin) {
    const Axe axe = AxeDe(a, b);
    double l = std::hypot(static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y);
    // Projection of the point on the axis, and its offset across it.
    const double px = static_cast<double>(point.x) - a.x;
    const double py = static_cast<double>(point.y) - a.y;
    const double d = px * axe.nx + py * axe.ny;
    double t0 = -0.25 * l, t1 = 1.25 * l;
    if (l == 0) {
        // No axis: a short line centred on the point.
        l = 1000;
        const double t = px * axe.ux + py * axe.uy;
        t0 = t - l / 2;
        t1 = t + l / 2;
    }
    debut = {Arrondi(a.x + t0 * axe.ux + d * axe.nx), Arrondi(a.y + t0 * axe.uy + d * axe.ny)};
    fin = {Arrondi(a.x + t1 * axe.ux + d * axe.nx), Arrondi(a.y + t1 * axe.uy + d * axe.ny)};
}

} // namespace orv
