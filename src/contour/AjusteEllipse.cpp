#include "contour/AjusteEllipse.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <random>

namespace orv::contour {

namespace {

constexpr double kPi = std::numbers::pi;

// centre x, centre y, semi-axes a and b, angle of a (radians).
using Params = std::array<double, 5>;

Ellipse VersEllipse(Params p) {
    double a = std::abs(p[2]), b = std::abs(p[3]), t = p[4];
    if (b > a) {
        std::swap(a, b);
        t += kPi / 2;
    }
    t = std::remainder(t, kPi); // [-pi/2, pi/2]
    if (t <= -kPi / 2) t += kPi;
    return {{p[0], p[1]}, a, b, t * 180 / kPi};
}

// The parameters with what every distance needs computed once.
struct Geometrie {
    double cx, cy, c, s, ia2, ib2, petit;
    explicit Geometrie(const Params& p)
        : cx(p[0]), cy(p[1]), c(std::cos(p[4])), s(std::sin(p[4])), ia2(1 / (p[2] * p[2])),
          ib2(1 / (p[3] * p[3])), petit(std::min(std::abs(p[2]), std::abs(p[3]))) {}
    double Distance(double x, double y) const {
        const double dx = x - cx, dy = y - cy;
        const double u = dx * c + dy * s, v = -dx * s + dy * c;
        const double q = std::sqrt(u * u * ia2 + v * v * ib2);
        if (q < 1e-12) return -petit;
        const double g = std::sqrt(u * u * ia2 * ia2 + v * v * ib2 * ib2) / q;
        return (q - 1) / g;
    }
    // The distance and its derivatives by the five parameters, the
    // normalising gradient taken as constant (Gauss and Newton's
    // approximation, exact on the curve).
    double Derivees(double x, double y, std::array<double, 5>& j) const {
        const double dx = x - cx, dy = y - cy;
        const double u = dx * c + dy * s, v = -dx * s + dy * c;
        const double q = std::sqrt(u * u * ia2 + v * v * ib2);
        if (q < 1e-12) {
            j.fill(0);
            return -petit;
        }
        const double g = std::sqrt(u * u * ia2 * ia2 + v * v * ib2 * ib2) / q;
        const double k = 1 / (q * g);
        j[0] = k * (-u * ia2 * c + v * ib2 * s);
        j[1] = k * (-u * ia2 * s - v * ib2 * c);
        j[2] = -k * u * u * ia2 * std::sqrt(ia2);
        j[3] = -k * v * v * ib2 * std::sqrt(ib2);
        j[4] = k * u * v * (ia2 - ib2);
        return (q - 1) / g;
    }
};

double Mediane(std::vector<double> v) {
    if (v.empty()) return 0;
    auto m = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
    std::nth_element(v.begin(), m, v.end());
    return *m;
}

bool Plausible(const Params& p) {
    for (double x : p)
        if (!std::isfinite(x)) return false;
    return std::abs(p[2]) > 0.5 && std::abs(p[3]) > 0.5 && std::abs(p[2]) < 1e5 &&
           std::abs(p[3]) < 1e5;
}

// OpenCV's algebraic fit: its box's width lies along `angle` (degrees,
// clockwise on the screen).
std::optional<Params> FitAlgebrique(const std::vector<cv::Point2f>& pts) {
    if (pts.size() < 5) return std::nullopt;
    const cv::RotatedRect r = cv::fitEllipse(pts);
    Params p{r.center.x, r.center.y, r.size.width / 2.0, r.size.height / 2.0, r.angle * kPi / 180};
    if (!Plausible(p)) return std::nullopt;
    return p;
}

// Levenberg-Marquardt over the weighted geometric distances.
Params Affine(Params p, const std::vector<Point>& pts, const std::vector<double>& poids,
              int iterations) {
    const std::size_t n = pts.size();
    auto cout = [&](const Params& q) {
        const Geometrie g(q);
        double s = 0;
        for (std::size_t i = 0; i < n; ++i)
            if (poids[i] > 0) {
                const double r = g.Distance(pts[i].x, pts[i].y);
                s += poids[i] * r * r;
            }
        return s;
    };
    double lambda = 1e-3;
    double c0 = cout(p);
    std::vector<double> r(n);
    std::vector<std::array<double, 5>> jac(n);
    for (int iteration = 0; iteration < iterations; ++iteration) {
        const Geometrie geo(p);
        for (std::size_t i = 0; i < n; ++i)
            if (poids[i] > 0) r[i] = geo.Derivees(pts[i].x, pts[i].y, jac[i]);
        cv::Matx<double, 5, 5> a = cv::Matx<double, 5, 5>::zeros();
        cv::Matx<double, 5, 1> g = cv::Matx<double, 5, 1>::zeros();
        for (std::size_t i = 0; i < n; ++i) {
            if (poids[i] <= 0) continue;
            const auto& j = jac[i];
            for (int u = 0; u < 5; ++u) {
                const double pj = poids[i] * j[static_cast<std::size_t>(u)];
                g(u) += pj * r[i];
                for (int v = u; v < 5; ++v) a(u, v) += pj * j[static_cast<std::size_t>(v)];
            }
        }
        for (int u = 0; u < 5; ++u)
            for (int v = 0; v < u; ++v) a(u, v) = a(v, u);
        bool progres = false;
        for (int essai = 0; essai < 8 && !progres; ++essai) {
            cv::Matx<double, 5, 5> m = a;
            for (int u = 0; u < 5; ++u) m(u, u) += lambda * std::max(a(u, u), 1e-12);
            cv::Matx<double, 5, 1> d;
            if (!cv::solve(m, -g, d, cv::DECOMP_CHOLESKY)) {
                lambda *= 10;
                continue;
            }
            Params q = p;
            for (int u = 0; u < 5; ++u) q[static_cast<std::size_t>(u)] += d(u);
            const double c1 = Plausible(q) ? cout(q) : HUGE_VAL;
            if (c1 < c0) {
                const bool fini = c0 - c1 < 1e-7 * (c0 + 1e-12);
                p = q;
                c0 = c1;
                lambda = std::max(lambda / 10, 1e-9);
                progres = true;
                if (fini) return p;
            } else {
                lambda *= 10;
            }
        }
        if (!progres) break;
    }
    return p;
}

struct Reponderation {
    Params p;
    std::vector<double> residus, poids;
    double echelle = 0;
};

// Tukey's biweight around the current fit, refitted until it settles.
Reponderation Reponderee(Params p, const std::vector<Point>& pts, int tours) {
    Reponderation r;
    const std::size_t n = pts.size();
    r.residus.resize(n);
    r.poids.assign(n, 1.0);
    for (int tour = 0; tour < tours; ++tour) {
        std::vector<double> absolus(n);
        const Geometrie g(p);
        for (std::size_t i = 0; i < n; ++i) {
            r.residus[i] = g.Distance(pts[i].x, pts[i].y);
            absolus[i] = std::abs(r.residus[i]);
        }
        // Sub-pixel edges scatter by a tenth of a pixel at best.
        r.echelle = std::max(1.4826 * Mediane(absolus), 0.1);
        const double c = 4.685 * r.echelle;
        for (std::size_t i = 0; i < n; ++i) {
            const double x = r.residus[i] / c;
            r.poids[i] = std::abs(x) < 1 ? (1 - x * x) * (1 - x * x) : 0.0;
        }
        // A few steps per weighting: the weights change under them anyway.
        const Params q = Affine(p, pts, r.poids, tour == 0 ? 6 : 3);
        double ecart = 0;
        for (int k = 0; k < 4; ++k)
            ecart = std::max(
                ecart, std::abs(q[static_cast<std::size_t>(k)] - p[static_cast<std::size_t>(k)]));
        p = q;
        if (ecart < 1e-3) break;
    }
    const Geometrie g(p);
    for (std::size_t i = 0; i < n; ++i) r.residus[i] = g.Distance(pts[i].x, pts[i].y);
    r.p = p;
    return r;
}

std::size_t Accords(const Params& p, const std::vector<Point>& pts, double seuil) {
    const Geometrie g(p);
    std::size_t n = 0;
    for (const Point& q : pts)
        if (std::abs(g.Distance(q.x, q.y)) < seuil) ++n;
    return n;
}

// The best of small random samples: the ellipse most points agree with.
// Samples bunched on one side of the outline are drawn again (they fit
// anything); the points come in order round it.
std::optional<Params> Consensus(const std::vector<Point>& pts) {
    const std::size_t n = pts.size();
    std::mt19937 alea(static_cast<unsigned>(n) * 7919u + 17u);
    std::optional<Params> meilleur;
    std::size_t meilleurs = 0;
    std::vector<cv::Point2f> echantillon(6);
    std::uniform_int_distribution<std::size_t> tirage(0, n - 1);
    std::vector<std::size_t> indices(6);
    for (int essai = 0; essai < 80; ++essai) {
        for (std::size_t& i : indices) i = tirage(alea);
        std::sort(indices.begin(), indices.end());
        std::size_t trou = indices.front() + n - indices.back();
        for (std::size_t k = 1; k < 6; ++k) trou = std::max(trou, indices[k] - indices[k - 1]);
        if (trou > n / 2) continue;
        for (std::size_t k = 0; k < 6; ++k)
            echantillon[k] = {static_cast<float>(pts[indices[k]].x),
                              static_cast<float>(pts[indices[k]].y)};
        const auto p = FitAlgebrique(echantillon);
        if (!p) continue;
        const std::size_t accords = Accords(*p, pts, 0.5);
        if (accords > meilleurs) {
            meilleurs = accords;
            meilleur = p;
            // Four points in five: the outline, whatever else is there.
            if (accords * 5 >= n * 4) break;
        }
    }
    return meilleur;
}

} // namespace

RepereEllipse::RepereEllipse(const Ellipse& e)
    : e_(e), c_(std::cos(e.angle * kPi / 180)), s_(std::sin(e.angle * kPi / 180)),
      ia2_(1 / std::max(e.demiGrandAxe * e.demiGrandAxe, 1e-18)),
      ib2_(1 / std::max(e.demiPetitAxe * e.demiPetitAxe, 1e-18)) {}

double RepereEllipse::Distance(Point p) const {
    const double dx = p.x - e_.centre.x, dy = p.y - e_.centre.y;
    const double u = dx * c_ + dy * s_, v = -dx * s_ + dy * c_;
    const double q = std::sqrt(u * u * ia2_ + v * v * ib2_);
    if (q < 1e-12) return -std::min(e_.demiGrandAxe, e_.demiPetitAxe);
    const double g = std::sqrt(u * u * ia2_ * ia2_ + v * v * ib2_ * ib2_) / q;
    return (q - 1) / g;
}

double RepereEllipse::Parametre(Point p) const {
    const double dx = p.x - e_.centre.x, dy = p.y - e_.centre.y;
    const double u = dx * c_ + dy * s_, v = -dx * s_ + dy * c_;
    return std::atan2(v / std::max(e_.demiPetitAxe, 1e-9), u / std::max(e_.demiGrandAxe, 1e-9));
}

double RepereEllipse::ParametreApproche(Point p) const {
    const double dx = p.x - e_.centre.x, dy = p.y - e_.centre.y;
    const double x = (dx * c_ + dy * s_) / std::max(e_.demiGrandAxe, 1e-9);
    const double y = (-dx * s_ + dy * c_) / std::max(e_.demiPetitAxe, 1e-9);
    // atan on [0, 1] by a polynomial (error below 1e-4 radian), then the octant.
    const double ax = std::abs(x), ay = std::abs(y);
    const double m = std::max(ax, ay);
    if (m == 0) return 0;
    const double q = std::min(ax, ay) / m, q2 = q * q;
    double t =
        q * (0.9998660 + q2 * (-0.3302995 + q2 * (0.1801410 + q2 * (-0.0851330 + q2 * 0.0208351))));
    if (ay > ax) t = kPi / 2 - t;
    if (x < 0) t = kPi - t;
    return y < 0 ? -t : t;
}

Point RepereEllipse::PointA(double t) const {
    const double u = e_.demiGrandAxe * std::cos(t), v = e_.demiPetitAxe * std::sin(t);
    return {e_.centre.x + u * c_ - v * s_, e_.centre.y + u * s_ + v * c_};
}

Point RepereEllipse::Normale(double t) const {
    const double u = std::cos(t) / std::max(e_.demiGrandAxe, 1e-9);
    const double v = std::sin(t) / std::max(e_.demiPetitAxe, 1e-9);
    const double n = std::hypot(u, v);
    return {(u * c_ - v * s_) / n, (u * s_ + v * c_) / n};
}

double RepereEllipse::Courbure(double t) const {
    const double a = e_.demiGrandAxe, b = e_.demiPetitAxe;
    const double s = std::sin(t), c = std::cos(t);
    const double q = a * a * s * s + b * b * c * c;
    return a * b / (q * std::sqrt(q));
}

double RepereEllipse::DistanceCourbure(Point p, double& courbure) const {
    const double dx = p.x - e_.centre.x, dy = p.y - e_.centre.y;
    const double u = dx * c_ + dy * s_, v = -dx * s_ + dy * c_;
    const double q = std::sqrt(u * u * ia2_ + v * v * ib2_);
    const double a = e_.demiGrandAxe, b = e_.demiPetitAxe;
    if (q < 1e-12) {
        courbure = a / (b * b);
        return -std::min(a, b);
    }
    // cos t and sin t of the nearest point's parameter (to the first order).
    const double ct = u / (a * q), st = v / (b * q);
    const double k = a * a * st * st + b * b * ct * ct;
    courbure = a * b / (k * std::sqrt(k));
    const double g = std::sqrt(u * u * ia2_ * ia2_ + v * v * ib2_ * ib2_) / q;
    return (q - 1) / g;
}

double DistanceEllipse(const Ellipse& e, Point p) {
    return RepereEllipse(e).Distance(p);
}

Point PointEllipse(const Ellipse& e, double t) {
    return RepereEllipse(e).PointA(t);
}

Point NormaleEllipse(const Ellipse& e, double t) {
    return RepereEllipse(e).Normale(t);
}

double ParametreEllipse(const Ellipse& e, Point p) {
    return RepereEllipse(e).Parametre(p);
}

AxesEllipse Axes(const Ellipse& e) {
    return {PointEllipse(e, 0), PointEllipse(e, kPi), PointEllipse(e, kPi / 2),
            PointEllipse(e, -kPi / 2)};
}

namespace {

AjustementEllipse Resultat(const Reponderation& rp) {
    AjustementEllipse r;
    const std::size_t n = rp.residus.size();
    if (!Plausible(rp.p)) return r;
    r.ellipse = VersEllipse(rp.p);
    r.residus = rp.residus;
    r.echelle = rp.echelle;
    r.retenus.assign(n, false);
    // Kept: within three robust spreads, and never beyond a pixel and a half.
    const double seuil = std::min(std::max(3 * rp.echelle, 0.5), 1.5);
    double somme = 0;
    for (std::size_t i = 0; i < n; ++i)
        if (std::abs(rp.residus[i]) <= seuil) {
            r.retenus[i] = true;
            ++r.nombreRetenus;
            somme += rp.residus[i] * rp.residus[i];
        }
    r.rms = r.nombreRetenus ? std::sqrt(somme / static_cast<double>(r.nombreRetenus)) : 0;
    r.valide = r.nombreRetenus >= 6;
    return r;
}

} // namespace

AjustementEllipse AjusteEllipseRobuste(const std::vector<Point>& points, int tours,
                                       bool consensus) {
    const std::size_t n = points.size();
    if (n < 6) return {};
    std::vector<cv::Point2f> tous;
    tous.reserve(n);
    for (const Point& p : points)
        tous.emplace_back(static_cast<float>(p.x), static_cast<float>(p.y));
    AjustementEllipse r;
    if (const auto depart = FitAlgebrique(tous)) r = Resultat(Reponderee(*depart, points, tours));
    // Many points off by half a pixel (sub-pixel edges scatter by a tenth or
    // two): something touching may have pulled the start; again from the
    // ellipse most points agree with, the closer fit kept.
    auto proches = [&](const AjustementEllipse& a) {
        return static_cast<std::size_t>(std::count_if(a.residus.begin(), a.residus.end(),
                                                      [](double x) { return std::abs(x) <= 0.5; }));
    };
    if (consensus && (!r.valide || proches(r) < n * 75 / 100))
        if (const auto c = Consensus(points)) {
            AjustementEllipse k = Resultat(Reponderee(*c, points, tours));
            if (k.valide && (!r.valide || proches(k) > proches(r))) r = std::move(k);
        }
    return r;
}

AjustementEllipse AjusteEllipseRobuste(const std::vector<Point>& points, const Ellipse& depart) {
    if (points.size() < 6) return {};
    const double t = depart.angle * kPi / 180;
    return Resultat(
        Reponderee({depart.centre.x, depart.centre.y, depart.demiGrandAxe, depart.demiPetitAxe, t},
                   points, 2));
}

} // namespace orv::contour
