#include "contour/Paroi.h"

#include <opencv2/core.hpp>

#include <algorithm>
#include <array>
#include <cmath>

namespace orv::contour {

namespace {

// The normal distribution function, to 1e-7 (Abramowitz and Stegun 7.1.26):
// the model is evaluated tens of thousands of times a spore.
double Phi(double x) {
    const double z = std::abs(x) * 0.7071067811865476;
    const double t = 1 / (1 + 0.3275911 * z);
    const double y =
        t * (0.254829592 +
             t * (-0.284496736 + t * (1.421413741 + t * (-1.453152027 + t * 1.061405429))));
    const double e = 0.5 * y * std::exp(-z * z); // 1 - Phi(|x|)
    return x >= 0 ? 1 - e : e;
}

// The levels that fit the profile best for a boundary, a thickness and a
// blur (they enter linearly), and the residual sum of squares.
struct Niveaux {
    double interieur = 0, paroi = 0, fond = 0, somme = HUGE_VAL;
};

Niveaux NiveauxOptimaux(const ProfilLibre& p, double bord, double epaisseur, double flou) {
    cv::Matx33d a = cv::Matx33d::zeros();
    cv::Vec3d b(0, 0, 0);
    const std::size_t n = p.g.size();
    for (std::size_t k = 0; k < n; ++k) {
        const double d = p.d[k];
        const cv::Vec3d f(1.0, Phi((d - bord + epaisseur) / flou), Phi((d - bord) / flou));
        for (int i = 0; i < 3; ++i) {
            b(i) += f(i) * p.g[k];
            for (int j = 0; j < 3; ++j) a(i, j) += f(i) * f(j);
        }
    }
    cv::Vec3d c;
    Niveaux r;
    if (!cv::solve(a, b, c, cv::DECOMP_CHOLESKY)) return r;
    r.interieur = c(0);
    r.paroi = c(0) + c(1);
    r.fond = r.paroi + c(2);
    double s = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const double d = p.d[k];
        const double m =
            c(0) + c(1) * Phi((d - bord + epaisseur) / flou) + c(2) * Phi((d - bord) / flou);
        s += (m - p.g[k]) * (m - p.g[k]);
    }
    r.somme = s;
    return r;
}

using Parametres = std::array<double, 3>; // boundary, log thickness, log blur

bool Admissible(const Parametres& q, double dMin, double dMax) {
    const double e = std::exp(q[1]), f = std::exp(q[2]);
    return q[0] >= dMin + 0.5 && q[0] <= dMax - 1 && q[0] - e >= dMin - 2 && f >= 0.25 && f <= 12 &&
           e >= 0.3 && e <= 40;
}

// The profile's residuals under the best levels for these parameters.
void Residus(const ProfilLibre& p, const Parametres& q, std::vector<double>& r) {
    const double bord = q[0], e = std::exp(q[1]), f = std::exp(q[2]);
    const std::size_t n = p.g.size();
    std::vector<double> f1(n), f2(n);
    cv::Matx33d a = cv::Matx33d::zeros();
    cv::Vec3d b(0, 0, 0);
    for (std::size_t k = 0; k < n; ++k) {
        f1[k] = Phi((p.d[k] - bord + e) / f);
        f2[k] = Phi((p.d[k] - bord) / f);
        const cv::Vec3d v(1.0, f1[k], f2[k]);
        for (int i = 0; i < 3; ++i) {
            b(i) += v(i) * p.g[k];
            for (int j = i; j < 3; ++j) a(i, j) += v(i) * v(j);
        }
    }
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < i; ++j) a(i, j) = a(j, i);
    cv::Vec3d c(0, 0, 0);
    cv::solve(a, b, c, cv::DECOMP_CHOLESKY);
    r.resize(n);
    for (std::size_t k = 0; k < n; ++k) r[k] = p.g[k] - (c(0) + c(1) * f1[k] + c(2) * f2[k]);
}

double Somme(const std::vector<double>& r) {
    double s = 0;
    for (double x : r) s += x * x;
    return s;
}

// Levenberg and Marquardt over the three nonlinear parameters (the levels
// are solved for at each step).
Parametres Marquardt(const ProfilLibre& p, Parametres q, double dMin, double dMax, int iterations,
                     double& cout) {
    std::vector<double> r, rq;
    const std::size_t n = p.g.size();
    std::vector<std::array<double, 3>> j(n);
    Residus(p, q, r);
    cout = Somme(r);
    double lambda = 1e-2;
    for (int iteration = 0; iteration < iterations; ++iteration) {
        for (std::size_t k = 0; k < 3; ++k) {
            Parametres h = q;
            h[k] += 1e-4;
            Residus(p, h, rq);
            for (std::size_t i = 0; i < n; ++i) j[i][k] = (rq[i] - r[i]) / 1e-4;
        }
        cv::Matx33d a = cv::Matx33d::zeros();
        cv::Vec3d g(0, 0, 0);
        for (std::size_t i = 0; i < n; ++i)
            for (int u = 0; u < 3; ++u) {
                g(u) += j[i][static_cast<std::size_t>(u)] * r[i];
                for (int v = 0; v < 3; ++v)
                    a(u, v) +=
                        j[i][static_cast<std::size_t>(u)] * j[i][static_cast<std::size_t>(v)];
            }
        bool progres = false;
        for (int essai = 0; essai < 6 && !progres; ++essai) {
            cv::Matx33d m = a;
            for (int u = 0; u < 3; ++u) m(u, u) += lambda * std::max(a(u, u), 1e-9);
            cv::Vec3d d;
            if (!cv::solve(m, -g, d, cv::DECOMP_CHOLESKY)) {
                lambda *= 10;
                continue;
            }
            Parametres t{q[0] + d(0), q[1] + d(1), q[2] + d(2)};
            if (!Admissible(t, dMin, dMax)) {
                lambda *= 10;
                continue;
            }
            Residus(p, t, rq);
            const double c = Somme(rq);
            if (c < cout) {
                // Along the valley of equal profiles the steepest rise no longer moves.
                const bool fini = cout - c < 1e-5 * cout + 1e-12;
                q = t;
                r.swap(rq);
                cout = c;
                lambda = std::max(lambda / 10, 1e-7);
                progres = true;
                if (fini) return q;
            } else {
                lambda *= 10;
            }
        }
        if (!progres) break;
    }
    return q;
}

} // namespace

std::optional<BordProfil> BordExterieur(const Profil& p, double de, double a, double contrasteMin) {
    const int n = static_cast<int>(p.g.size());
    if (n < 7) return std::nullopt;
    std::vector<double> lisse(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        const auto at = [&](int i) {
            return static_cast<double>(p.g[static_cast<std::size_t>(std::clamp(i, 0, n - 1))]);
        };
        lisse[static_cast<std::size_t>(k)] = 0.25 * at(k - 1) + 0.5 * at(k) + 0.25 * at(k + 1);
    }
    const auto L = [&](int k) { return lisse[static_cast<std::size_t>(k)]; };
    const auto pente = [&](int k) { return (L(k + 1) - L(k - 1)) / (2 * p.pas); };
    const int k0 = std::max(2, static_cast<int>(std::ceil((de - p.debut) / p.pas)));
    const int k1 = std::min(n - 3, static_cast<int>(std::floor((a - p.debut) / p.pas)));
    if (k1 <= k0) return std::nullopt;
    int km = -1;
    double pm = 0;
    for (int k = k0; k <= k1; ++k)
        if (pente(k) > pm) {
            pm = pente(k);
            km = k;
        }
    // A peak on the window's end may be the foot of an edge beyond it.
    if (km <= k0 || km >= k1) return std::nullopt;
    const double gm = pente(km - 1), gp = pente(km + 1);
    const double den = gm - 2 * pm + gp;
    const double decalage = den < 0 ? std::clamp(0.5 * (gm - gp) / den, -0.5, 0.5) : 0.0;
    // Contrast: the darkest before the edge, the brightest after it, within
    // three pixels.
    const int portee = std::max(2, static_cast<int>(std::lround(3.0 / p.pas)));
    double bas = L(km), haut = L(km);
    for (int k = std::max(0, km - portee); k <= km; ++k) bas = std::min(bas, L(k));
    for (int k = km; k <= std::min(n - 1, km + portee); ++k) haut = std::max(haut, L(k));
    if (haut - bas < contrasteMin) return std::nullopt;
    return BordProfil{p.Distance(km + decalage), pm, haut - bas};
}

namespace {

ModeleParoi Ajuste(const ProfilLibre& p, const std::vector<Parametres>& departs, int iterations) {
    ModeleParoi m;
    const std::size_t n = p.g.size();
    if (n < 10) return m;
    const double dMin = *std::min_element(p.d.begin(), p.d.end());
    const double dMax = *std::max_element(p.d.begin(), p.d.end());
    Parametres meilleur{};
    double vm = HUGE_VAL;
    for (const Parametres& depart : departs) {
        if (!Admissible(depart, dMin, dMax)) continue;
        double v = HUGE_VAL;
        const Parametres q = Marquardt(p, depart, dMin, dMax, iterations, v);
        if (v < vm) {
            vm = v;
            meilleur = q;
        }
    }
    if (!std::isfinite(vm)) return m;
    const Niveaux nv =
        NiveauxOptimaux(p, meilleur[0], std::exp(meilleur[1]), std::exp(meilleur[2]));
    m.valide = true;
    m.bord = meilleur[0];
    m.epaisseur = std::exp(meilleur[1]);
    m.flou = std::exp(meilleur[2]);
    m.interieur = nv.interieur;
    m.paroi = nv.paroi;
    m.fond = nv.fond;
    m.rms = std::sqrt(vm / static_cast<double>(n));
    return m;
}

} // namespace

ModeleParoi AjusteParoi(const ProfilLibre& p) {
    if (p.g.size() < 10) return {};
    // Two starts: a sharp wall whose outer side is at the steepest rise (the
    // profile's zero), and a thin blurred one centred on its darkest point.
    const double creux =
        p.d[static_cast<std::size_t>(std::min_element(p.g.begin(), p.g.end()) - p.g.begin())];
    // A few steps from each: enough to choose, and for the blur.
    return Ajuste(p,
                  {Parametres{0.0, std::log(std::max(1.0, -2 * creux)), std::log(1.2)},
                   Parametres{creux + 1.0, std::log(2.0), std::log(2.0)}},
                  8);
}

ModeleParoi AjusteParoi(const ProfilLibre& p, const ModeleParoi& depart) {
    return Ajuste(p, {Parametres{depart.bord, std::log(depart.epaisseur), std::log(depart.flou)}},
                  20);
}

double PicExterieur(const ModeleParoi& m) {
    const double s = m.flou;
    auto pente = [&](double d) {
        const double u = (d - m.bord + m.epaisseur) / s, v = (d - m.bord) / s;
        return (m.paroi - m.interieur) * std::exp(-0.5 * u * u) +
               (m.fond - m.paroi) * std::exp(-0.5 * v * v);
    };
    // From the wall's middle outwards; then a finer look around the best.
    double meilleur = m.bord, pm = -HUGE_VAL;
    for (double d = m.bord - m.epaisseur / 2; d <= m.bord + 4 * s; d += 0.02)
        if (const double p = pente(d); p > pm) {
            pm = p;
            meilleur = d;
        }
    for (double d = meilleur - 0.02; d <= meilleur + 0.02; d += 0.001)
        if (const double p = pente(d); p > pm) {
            pm = p;
            meilleur = d;
        }
    return meilleur;
}

} // namespace orv::contour
