#include "images/Orientation.h"

#include <cmath>
#include <utility>

namespace orv {

int OrientationValide(int orientation) {
    return orientation >= 1 && orientation <= 8 ? orientation : OrientationNormale;
}

bool EchangeCotes(int orientation) {
    return OrientationValide(orientation) >= 5;
}

TailleImage TailleRedressee(TailleImage stockee, int orientation) {
    if (EchangeCotes(orientation)) std::swap(stockee.largeur, stockee.hauteur);
    return stockee;
}

namespace {

// The same rule for pixels (extent W - 1, H - 1: pixel indexes) and for
// points (extent W, H: picture units).
struct Affine {
    long long ux, uy, u0, vx, vy, v0;
};

Affine Regle(int orientation, long long w, long long h) {
    switch (OrientationValide(orientation)) {
    case 2:
        return {-1, 0, w, 0, 1, 0};
    case 3:
        return {-1, 0, w, 0, -1, h};
    case 4:
        return {1, 0, 0, 0, -1, h};
    case 5:
        return {0, 1, 0, 1, 0, 0};
    case 6:
        return {0, -1, h, 1, 0, 0};
    case 7:
        return {0, -1, h, -1, 0, w};
    case 8:
        return {0, 1, 0, -1, 0, w};
    default:
        return {1, 0, 0, 0, 1, 0};
    }
}

} // namespace

Redressement RedressementPixels(int orientation, TailleImage stockee) {
    const Affine a = Regle(orientation, stockee.largeur - 1, stockee.hauteur - 1);
    return {static_cast<int>(a.ux), static_cast<int>(a.uy), static_cast<int>(a.u0),
            static_cast<int>(a.vx), static_cast<int>(a.vy), static_cast<int>(a.v0)};
}

void PixelStocke(int orientation, TailleImage stockee, int u, int v, int& x, int& y) {
    // Each rule is its own inverse but for the quarter turns, which undo each other.
    int inverse = OrientationValide(orientation);
    if (inverse == 6)
        inverse = 8;
    else if (inverse == 8)
        inverse = 6;
    const Redressement r = RedressementPixels(inverse, TailleRedressee(stockee, orientation));
    x = r.ux * u + r.uy * v + r.u0;
    y = r.vx * u + r.vy * v + r.v0;
}

ZonePixels ZoneStockee(ZonePixels droite, int orientation, TailleImage stockee) {
    if (droite.Vide()) return droite;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    PixelStocke(orientation, stockee, droite.x, droite.y, x1, y1);
    PixelStocke(orientation, stockee, droite.x + droite.largeur - 1, droite.y + droite.hauteur - 1,
                x2, y2);
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    return {x1, y1, x2 - x1 + 1, y2 - y1 + 1};
}

PointImage PointRedresse(PointImage p, int orientation, TailleImage stockee) {
    const long long w = std::llround(stockee.largeur * UnitesImageParPixel);
    const long long h = std::llround(stockee.hauteur * UnitesImageParPixel);
    const Affine a = Regle(orientation, w, h);
    return {static_cast<std::int32_t>(a.ux * p.x + a.uy * p.y + a.u0),
            static_cast<std::int32_t>(a.vx * p.x + a.vy * p.y + a.v0)};
}

} // namespace orv
