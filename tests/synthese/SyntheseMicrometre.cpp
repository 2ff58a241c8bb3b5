#include "SyntheseMicrometre.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orv::synthese {

namespace {

struct Repere {
    double ux, uy, hx, hy; // along the scale, and up its graduations
};

Repere RepereDe(const ParametresMicrometre& p) {
    const double t = p.inclinaison * std::numbers::pi / 180;
    return {std::cos(t), std::sin(t), std::sin(t), -std::cos(t)};
}

} // namespace

double Micrometre::X(double k, double h) const {
    const Repere r = RepereDe(parametres);
    return parametres.x0 + k * parametres.periode * r.ux + h * r.hx;
}

double Micrometre::Y(double k, double h) const {
    const Repere r = RepereDe(parametres);
    return parametres.y0 + k * parametres.periode * r.uy + h * r.hy;
}

Micrometre GenereMicrometre(const ParametresMicrometre& p) {
    Micrometre m;
    m.parametres = p;
    const Repere r = RepereDe(p);
    // Each pixel covered as a pixel-wide box sees a straight edge: a ramp
    // one pixel wide across it (exact for edges along the pixel rows, close
    // for a few degrees off); sub-sampling would leave steps where a
    // slanting edge crosses the grid.
    const double e = p.epaisseur / 2;
    auto rampe = [](double x) { return std::clamp(x + 0.5, 0.0, 1.0); };
    auto couverture = [&](double x, double y) {
        const double dx = x - p.x0, dy = y - p.y0;
        const double s = dx * r.ux + dy * r.uy, h = dx * r.hx + dy * r.hy;
        double c = 0;
        if (p.ligneDeBase)
            c = rampe(e - std::abs(h)) * rampe(std::min(s + e, p.divisions * p.periode + e - s));
        const double k =
            std::clamp(std::round(s / p.periode), 0.0, static_cast<double>(p.divisions));
        const auto ki = static_cast<long>(k);
        const double l = ki % 10 == 0 ? p.longue : ki % 5 == 0 ? p.moyenne : p.courte;
        return std::max(c, rampe(e - std::abs(s - k * p.periode)) * rampe(std::min(h + e, l - h)));
    };
    Plan t(p.largeur, p.hauteur, 1.0f);
    for (int y = 0; y < p.hauteur; ++y)
        for (int x = 0; x < p.largeur; ++x)
            t.At(x, y) =
                static_cast<float>(1 - (1 - p.transmission) * couverture(x + 0.5, y + 0.5));
    FlouGaussien(t, p.flou);
    std::mt19937 alea(p.graine);
    m.image = Compose(t, p.eclairage, alea);
    return m;
}

ParametresMicrometre DixDivisions(double periode, double inclinaison, double flou, double bruit) {
    ParametresMicrometre p;
    p.periode = periode;
    p.divisions = 10;
    p.inclinaison = inclinaison;
    p.flou = flou;
    p.eclairage.bruit = bruit;
    p.courte = std::max(40.0, 0.6 * periode);
    p.moyenne = 1.5 * p.courte;
    p.longue = 2 * p.courte;
    p.largeur = static_cast<int>(p.x0 + p.divisions * periode + 150);
    return p;
}

} // namespace orv::synthese
