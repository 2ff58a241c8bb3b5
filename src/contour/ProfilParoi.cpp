#include "contour/ProfilParoi.h"

#include "contour/AjusteEllipse.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <utility>

namespace orv::contour {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kCase = 0.5;

// Where the line y crosses the ellipse: the x of its two crossings.
std::optional<std::pair<double, double>> Traverse(const Ellipse& e, double y) {
    if (e.demiGrandAxe <= 0 || e.demiPetitAxe <= 0) return std::nullopt;
    const double t = e.angle * kPi / 180, c = std::cos(t), s = std::sin(t);
    const double ia = 1 / (e.demiGrandAxe * e.demiGrandAxe),
                 ib = 1 / (e.demiPetitAxe * e.demiPetitAxe);
    const double dy = y - e.centre.y;
    const double qa = c * c * ia + s * s * ib, qb = 2 * dy * c * s * (ia - ib),
                 qc = dy * dy * (s * s * ia + c * c * ib) - 1;
    const double disc = qb * qb - 4 * qa * qc;
    if (disc <= 0) return std::nullopt;
    const double r = std::sqrt(disc);
    return std::pair{e.centre.x + (-qb - r) / (2 * qa), e.centre.x + (-qb + r) / (2 * qa)};
}

} // namespace

double RetraitCourbure(double flou, double courbure) {
    return std::min(0.5 * flou * flou * courbure, 1.5);
}

Anneau AnneauParoi(const Vignette& v, const Ellipse& e, const std::vector<bool>& rayonRetenu,
                   double dedans, double dehors) {
    Anneau a;
    a.dedans = dedans;
    a.dehors = dehors;
    const std::size_t n = rayonRetenu.size();
    if (n == 0) return a;
    const RepereEllipse re(e);
    // The medium's level on every ray kept, beyond the wall.
    std::vector<double> fond(n, 0);
    double fondMoyen = 0;
    int fonds = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (!rayonRetenu[i]) continue;
        const double t = 2 * kPi * static_cast<double>(i) / static_cast<double>(n);
        const Point o = re.PointA(t), nn = re.Normale(t);
        double s = 0;
        int k = 0;
        for (double d = dehors - 3; d <= dehors; d += 0.5, ++k)
            s += v.Bilineaire(o.x + d * nn.x, o.y + d * nn.y);
        fond[i] = s / k;
        if (fond[i] > 0) {
            fondMoyen += fond[i];
            ++fonds;
        }
    }
    if (fonds == 0) return a;
    fondMoyen /= fonds;
    // Row by row, only between the ellipses a little larger than the outer
    // reach and a little smaller than the inner one.
    const double marge = 2;
    const Ellipse ext{e.centre, e.demiGrandAxe + dehors + marge, e.demiPetitAxe + dehors + marge,
                      e.angle};
    const Ellipse in{e.centre, std::max(0.0, e.demiGrandAxe - dedans - marge),
                     std::max(0.0, e.demiPetitAxe - dedans - marge), e.angle};
    // Every other pixel (a checkerboard) round large spores: three thousand
    // are plenty for the profile.
    const double a0 = e.demiGrandAxe, b0 = e.demiPetitAxe;
    const double aireAnneau = kPi * ((a0 + dehors) * (b0 + dehors) -
                                     std::max(0.0, a0 - dedans) * std::max(0.0, b0 - dedans));
    const int saut = aireAnneau > 6000 ? 2 : 1;
    const int j0 = std::max(v.y0, static_cast<int>(std::floor(e.centre.y - ext.demiGrandAxe)));
    const int j1 =
        std::min(v.y0 + v.hauteur - 1, static_cast<int>(std::ceil(e.centre.y + ext.demiGrandAxe)));
    for (int j = j0; j <= j1; ++j) {
        const auto x = Traverse(ext, j + 0.5);
        if (!x) continue;
        const auto trou = Traverse(in, j + 0.5);
        const int i0 = std::max(v.x0, static_cast<int>(std::floor(x->first)));
        const int i1 = std::min(v.x0 + v.largeur - 1, static_cast<int>(std::ceil(x->second)));
        for (int i = i0 + (saut == 2 ? (i0 + j) % 2 : 0); i <= i1; i += saut) {
            const Point c{i + 0.5, j + 0.5};
            if (trou && c.x > trou->first && c.x < trou->second) {
                i = static_cast<int>(std::floor(trou->second));
                if (saut == 2 && (i + j) % 2 != 0) ++i; // stay on the checkerboard
                continue;
            }
            const double d = re.Distance(c);
            if (d < -dedans - marge || d > dehors + marge) continue;
            const long u =
                std::lround(re.ParametreApproche(c) / (2 * kPi) * static_cast<double>(n));
            const auto k = static_cast<std::size_t>(
                (u % static_cast<long>(n) + static_cast<long>(n)) % static_cast<long>(n));
            if (!rayonRetenu[k] || fond[k] <= 0) continue;
            a.centres.push_back(c);
            a.g.push_back(static_cast<float>(v.Pixel(i, j) * fondMoyen / fond[k]));
        }
    }
    return a;
}

ProfilLibre ProfilAnneau(const Anneau& a, const Ellipse& e, double flou) {
    ProfilLibre r;
    const int cases = static_cast<int>(std::ceil((a.dedans + a.dehors) / kCase));
    std::vector<double> somme(static_cast<std::size_t>(cases), 0), sommeD(somme);
    std::vector<int> nombre(static_cast<std::size_t>(cases), 0);
    const RepereEllipse re(e);
    for (std::size_t i = 0; i < a.centres.size(); ++i) {
        double courbure = 0;
        double d = re.DistanceCourbure(a.centres[i], courbure);
        d += RetraitCourbure(flou, courbure);
        if (d < -a.dedans || d >= a.dehors) continue;
        const auto b = static_cast<std::size_t>((d + a.dedans) / kCase);
        if (b >= somme.size()) continue;
        somme[b] += a.g[i];
        sommeD[b] += d;
        ++nombre[b];
    }
    for (std::size_t b = 0; b < somme.size(); ++b) {
        if (nombre[b] < 3) continue;
        r.d.push_back(sommeD[b] / nombre[b]);
        r.g.push_back(somme[b] / nombre[b]);
    }
    return r;
}

} // namespace orv::contour
