#include "SyntheseSpores.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <sstream>

namespace orv::synthese {

namespace {

constexpr double kPi = std::numbers::pi;

// Signed distance from (x, y) to the ellipse x^2/a^2 + y^2/b^2 = 1 (a >= b),
// negative inside: the nearest point by the iteration of the evolute, which
// converges for every eccentricity.
double DistanceEllipse(double a, double b, double x, double y) {
    const double px = std::abs(x), py = std::abs(y);
    double tx = 0.70710678, ty = 0.70710678;
    for (int i = 0; i < 6; ++i) {
        const double ex = (a * a - b * b) * tx * tx * tx / a;
        const double ey = (b * b - a * a) * ty * ty * ty / b;
        const double rx = a * tx - ex, ry = b * ty - ey;
        const double qx = px - ex, qy = py - ey;
        const double r = std::hypot(rx, ry), q = std::hypot(qx, qy);
        tx = std::clamp((qx * r / q + ex) / a, 0.0, 1.0);
        ty = std::clamp((qy * r / q + ey) / b, 0.0, 1.0);
        const double t = std::hypot(tx, ty);
        tx /= t;
        ty /= t;
    }
    const double d = std::hypot(px - a * tx, py - b * ty);
    return (px * px) / (a * a) + (py * py) / (b * b) < 1 ? -d : d;
}

struct Forme {
    // Signed distance to the object's outline (negative inside), for the
    // placing of others.
    std::function<double(double, double)> distance;
    double x0, y0, x1, y1; // bounding box
};

struct Spore {
    double x, y, a, b, angle; // angle radians
    double paroi, flou, tParoi, tInterieur;
    struct Guttule {
        double u, v, r;
    };
    std::vector<Guttule> guttules;
    double DistanceA(double px, double py) const {
        const double c = std::cos(angle), s = std::sin(angle);
        const double dx = px - x, dy = py - y;
        return DistanceEllipse(a, b, dx * c + dy * s, -dx * s + dy * c);
    }
};

// A pixel (a box one pixel wide) across a straight edge at signed distance
// d from its centre (d > 0 outside) is covered by this fraction: a ramp one
// pixel wide, close for edges curving slowly. Sub-sampling would leave steps
// where an edge crosses the pixel grid at a slant.
double Couverture(double d) {
    return std::clamp(0.5 - d, 0.0, 1.0);
}

// Renders `transmission(x, y)` at every pixel centre of a box, blurs it by
// `flou`, then multiplies it into the field.
void Applique(Plan& champ, double x0, double y0, double x1, double y1, double flou,
              const std::function<double(double, double)>& transmission) {
    const int marge = static_cast<int>(std::ceil(4 * flou)) + 2;
    const int i0 = std::max(0, static_cast<int>(std::floor(x0)) - marge);
    const int j0 = std::max(0, static_cast<int>(std::floor(y0)) - marge);
    const int i1 = std::min(champ.largeur, static_cast<int>(std::ceil(x1)) + marge);
    const int j1 = std::min(champ.hauteur, static_cast<int>(std::ceil(y1)) + marge);
    if (i1 <= i0 || j1 <= j0) return;
    // The local plane reaches beyond the picture so that the blur sees the
    // object whole.
    const int mi0 = static_cast<int>(std::floor(x0)) - marge,
              mj0 = static_cast<int>(std::floor(y0)) - marge;
    const int mi1 = static_cast<int>(std::ceil(x1)) + marge,
              mj1 = static_cast<int>(std::ceil(y1)) + marge;
    Plan local(mi1 - mi0, mj1 - mj0, 1.0f);
    for (int j = mj0; j < mj1; ++j)
        for (int i = mi0; i < mi1; ++i)
            local.At(i - mi0, j - mj0) = static_cast<float>(transmission(i + 0.5, j + 0.5));
    FlouGaussien(local, flou);
    for (int j = j0; j < j1; ++j)
        for (int i = i0; i < i1; ++i) champ.At(i, j) *= local.At(i - mi0, j - mj0);
}

void DessineSpore(Plan& champ, const Spore& s) {
    const double c = std::cos(s.angle), si = std::sin(s.angle);
    auto transmission = [&](double px, double py) {
        const double d = s.DistanceA(px, py);
        if (d > 1) return 1.0;
        // Inside the outer boundary, inside the wall's inner side.
        const double dehors = Couverture(d), dedans = Couverture(d + s.paroi);
        double t = s.tInterieur;
        if (dedans > 0) {
            const double dx = px - s.x, dy = py - s.y;
            const double u = dx * c + dy * si, v = -dx * si + dy * c;
            for (const auto& g : s.guttules) {
                // A lighter drop with a darker rim 0.8 pixel wide.
                const double r = std::hypot(u - g.u, v - g.v) - g.r;
                const double goutte = Couverture(r + 0.8), bord = Couverture(r) - goutte;
                t = t * (1 - Couverture(r)) + goutte * std::min(1.05, s.tInterieur + 0.07) +
                    bord * (s.tInterieur - 0.08);
            }
        }
        return (1 - dehors) + (dehors - dedans) * s.tParoi + dedans * t;
    };
    Applique(champ, s.x - s.a, s.y - s.a, s.x + s.a, s.y + s.a, s.flou, transmission);
}

Forme FormeSpore(const Spore& s) {
    return {[s](double x, double y) { return s.DistanceA(x, y); }, s.x - s.a, s.y - s.a, s.x + s.a,
            s.y + s.a};
}

double Uniforme(std::mt19937& g, Intervalle i) {
    return std::uniform_real_distribution<double>(i.min, i.max)(g);
}

Spore SporeAuHasard(std::mt19937& g, const ParametresChamp& p, double x, double y) {
    Spore s{};
    const double longueur = Uniforme(g, p.longueur), q = Uniforme(g, p.q);
    s.x = x;
    s.y = y;
    s.a = longueur / 2;
    s.b = longueur / q / 2;
    s.angle = Uniforme(g, {-kPi / 2, kPi / 2});
    s.paroi = Uniforme(g, p.paroi);
    s.flou = Uniforme(g, p.flou);
    s.tParoi = Uniforme(g, p.transmissionParoi);
    s.tInterieur = Uniforme(g, p.transmissionInterieur);
    if (p.guttules) {
        const int n = std::uniform_int_distribution<int>(0, 2)(g);
        for (int k = 0; k < n; ++k) {
            const double r = Uniforme(g, {0.2, 0.45}) * (s.b - s.paroi);
            const double u = Uniforme(g, {-1, 1}) * std::max(0.0, s.a - s.paroi - r - 2) * 0.6;
            s.guttules.push_back({u, 0, r});
        }
    }
    return s;
}

// The smallest gap between the spore's outline and a shape (negative when
// they overlap), from points round the spore.
double Ecart(const Spore& s, const Forme& f) {
    if (s.x + s.a < f.x0 - 200 || s.x - s.a > f.x1 + 200 || s.y + s.a < f.y0 - 200 ||
        s.y - s.a > f.y1 + 200)
        return 1e9;
    double m = 1e9;
    const double c = std::cos(s.angle), si = std::sin(s.angle);
    for (int k = 0; k < 72; ++k) {
        const double t = 2 * kPi * k / 72;
        const double u = s.a * std::cos(t), v = s.b * std::sin(t);
        m = std::min(m, f.distance(s.x + u * c - v * si, s.y + u * si + v * c));
    }
    m = std::min(m, f.distance(s.x, s.y) < 0 ? -1.0 : m);
    return m;
}

double EcartMin(const Spore& s, const std::vector<Forme>& formes) {
    double m = 1e9;
    for (const Forme& f : formes) m = std::min(m, Ecart(s, f));
    return m;
}

// The spore's outline entirely inside the picture, `marge` from its edges.
bool Dedans(const Spore& s, int l, int h, double marge) {
    const double c = std::cos(s.angle), si = std::sin(s.angle);
    const double ex = std::sqrt(s.a * s.a * c * c + s.b * s.b * si * si);
    const double ey = std::sqrt(s.a * s.a * si * si + s.b * s.b * c * c);
    return s.x - ex > marge && s.x + ex < l - marge && s.y - ey > marge && s.y + ey < h - marge;
}

SporeVraie Vraie(const Spore& s, Genre g) {
    SporeVraie v;
    v.x = s.x;
    v.y = s.y;
    const double decalage = DecalageBordVu(s.paroi, s.flou, s.tParoi, s.tInterieur);
    v.longueurParoi = 2 * s.a;
    v.largeurParoi = 2 * s.b;
    v.longueur = 2 * (s.a + decalage);
    v.largeur = 2 * (s.b + decalage);
    double a = s.angle * 180 / kPi;
    a = std::remainder(a, 180.0);
    if (a <= -90) a += 180;
    v.angle = a;
    v.paroi = s.paroi;
    v.flou = s.flou;
    v.genre = g;
    return v;
}

// The second spore of a touching pair: along a random direction from the
// first, at the distance where their outlines overlap by up to 2 pixels.
Spore Voisine(std::mt19937& g, const ParametresChamp& p, const Spore& a) {
    Spore b = SporeAuHasard(g, p, a.x, a.y);
    const double dir = Uniforme(g, {0, 2 * kPi});
    const double chevauchement = Uniforme(g, {0.0, 2.0});
    double lo = 0, hi = a.a + b.a + 5;
    for (int i = 0; i < 40; ++i) {
        const double m = (lo + hi) / 2;
        b.x = a.x + m * std::cos(dir);
        b.y = a.y + m * std::sin(dir);
        (Ecart(b, FormeSpore(a)) < -chevauchement ? lo : hi) = m;
    }
    b.x = a.x + hi * std::cos(dir);
    b.y = a.y + hi * std::sin(dir);
    return b;
}

struct Debris {
    double x, y;
    std::vector<double> rayons;
    double t, flou;
    double Rayon(double phi) const {
        const auto n = rayons.size();
        const double f = (phi + kPi) / (2 * kPi) * static_cast<double>(n);
        const auto i = static_cast<std::size_t>(std::floor(f)) % n;
        const double w = f - std::floor(f);
        return rayons[i] * (1 - w) + rayons[(i + 1) % n] * w;
    }
    double Distance(double px, double py) const {
        const double r = std::hypot(px - x, py - y);
        return r - Rayon(std::atan2(py - y, px - x));
    }
    double RayonMax() const { return *std::max_element(rayons.begin(), rayons.end()); }
};

Debris DebrisAuHasard(std::mt19937& g, double x, double y) {
    Debris d;
    d.x = x;
    d.y = y;
    const double r = Uniforme(g, {3, 20});
    const int n = std::uniform_int_distribution<int>(7, 14)(g);
    for (int k = 0; k < n; ++k) d.rayons.push_back(r * Uniforme(g, {0.45, 1.15}));
    d.t = Uniforme(g, {0.12, 0.5});
    d.flou = Uniforme(g, {1.0, 2.0});
    return d;
}

void DessineDebris(Plan& champ, const Debris& d) {
    const double r = d.RayonMax();
    Applique(champ, d.x - r, d.y - r, d.x + r, d.y + r, d.flou, [&](double x, double y) {
        const double c = Couverture(d.Distance(x, y));
        return 1 - c + c * d.t;
    });
}

Forme FormeDebris(const Debris& d) {
    const double r = d.RayonMax();
    return {[d](double x, double y) { return d.Distance(x, y); }, d.x - r, d.y - r, d.x + r,
            d.y + r};
}

// A hypha: a tube with dark walls along a gentle curve from the picture's
// edge, its free end rounded.
struct Hyphe {
    std::vector<double> xs, ys;
    double rayon = 8, paroi = 2, tParoi = 0.5, tInterieur = 0.92;
    double DistanceAxe(double x, double y) const {
        double m = 1e18;
        for (std::size_t k = 0; k + 1 < xs.size(); ++k) {
            const double dx = xs[k + 1] - xs[k], dy = ys[k + 1] - ys[k];
            const double l2 = dx * dx + dy * dy;
            const double t = std::clamp(((x - xs[k]) * dx + (y - ys[k]) * dy) / l2, 0.0, 1.0);
            m = std::min(m, std::hypot(x - xs[k] - t * dx, y - ys[k] - t * dy));
        }
        return m;
    }
};

} // namespace

double DecalageBordVu(double paroi, double flou, double tParoi, double tInterieur) {
    // The pixel's width blurs like a box, variance 1/12.
    const double s = std::sqrt(flou * flou + 1.0 / 12);
    auto pente = [&](double d) {
        const double u = (d + paroi) / s, v = d / s;
        return (tParoi - tInterieur) * std::exp(-0.5 * u * u) +
               (1 - tParoi) * std::exp(-0.5 * v * v);
    };
    double meilleur = 0, pm = -1e300;
    for (double d = -paroi / 2; d <= 4 * s; d += 0.0005)
        if (const double p = pente(d); p > pm) {
            pm = p;
            meilleur = d;
        }
    return meilleur;
}

ImageRVB DessineSporeSeule(const SporeSeule& p) {
    Plan t(p.largeurImage, p.hauteurImage, 1.0f);
    Spore s{};
    s.x = p.x;
    s.y = p.y;
    s.a = p.longueur / 2;
    s.b = p.largeur / 2;
    s.angle = p.angle * kPi / 180;
    s.paroi = p.paroi;
    s.flou = p.flou;
    s.tParoi = p.transmissionParoi;
    s.tInterieur = p.transmissionInterieur;
    if (p.guttule) s.guttules.push_back({0.15 * (s.a - s.paroi), 0, 0.35 * (s.b - s.paroi)});
    DessineSpore(t, s);
    std::mt19937 alea(p.graine);
    Eclairage e;
    e.bruit = p.bruit;
    return Compose(t, e, alea);
}

Champ GenereChamp(const ParametresChamp& p) {
    Champ c;
    c.parametres = p;
    std::mt19937 g(p.graine);
    Plan t(p.largeur, p.hauteur, 1.0f);
    std::vector<Forme> formes;
    const double l = p.largeur, h = p.hauteur;
    auto auHasard = [&](double marge) {
        return std::pair{Uniforme(g, {marge, l - marge}), Uniforme(g, {marge, h - marge})};
    };

    Hyphe hy;
    if (p.hyphe) {
        // From the left edge towards the middle, bending.
        const double y0 = Uniforme(g, {0.2 * h, 0.8 * h}), y1 = Uniforme(g, {0.2 * h, 0.8 * h});
        const double x1 = Uniforme(g, {0.3 * l, 0.6 * l}), ym = Uniforme(g, {0.1 * h, 0.9 * h});
        for (int k = 0; k <= 60; ++k) {
            const double s = k / 60.0;
            hy.xs.push_back(-20 + (x1 + 20) * s);
            hy.ys.push_back((1 - s) * (1 - s) * y0 + 2 * s * (1 - s) * ym + s * s * y1);
        }
        hy.rayon = Uniforme(g, {6, 11});
        const double x0 = -20, xm = x1 + 20;
        const double ylo = *std::min_element(hy.ys.begin(), hy.ys.end()) - hy.rayon;
        const double yhi = *std::max_element(hy.ys.begin(), hy.ys.end()) + hy.rayon;
        Applique(t, x0, ylo, xm, yhi, 1.5, [&](double x, double y) {
            const double d = hy.DistanceAxe(x, y);
            const double dehors = Couverture(d - hy.rayon),
                         dedans = Couverture(d - hy.rayon + hy.paroi);
            return 1 - dehors + (dehors - dedans) * hy.tParoi + dedans * hy.tInterieur;
        });
        formes.push_back({[hy](double x, double y) { return hy.DistanceAxe(x, y) - hy.rayon; }, x0,
                          ylo, xm, yhi});
    }

    auto place = [&](int n, double marge, auto&& essai) {
        for (int k = 0; k < n; ++k)
            for (int tentative = 0; tentative < 400; ++tentative)
                if (essai(marge)) break;
    };

    // Lone spores, clear of everything.
    place(p.seules, p.ecartMin, [&](double marge) {
        const auto [x, y] = auHasard(marge);
        Spore s = SporeAuHasard(g, p, x, y);
        if (!Dedans(s, p.largeur, p.hauteur, marge) || EcartMin(s, formes) < p.ecartMin)
            return false;
        DessineSpore(t, s);
        formes.push_back(FormeSpore(s));
        c.spores.push_back(Vraie(s, Genre::Seule));
        return true;
    });
    // Groups of two or three touching.
    auto groupe = [&](int taille) {
        return [&, taille](double marge) {
            const auto [x, y] = auHasard(marge);
            std::vector<Spore> gs{SporeAuHasard(g, p, x, y)};
            while (static_cast<int>(gs.size()) < taille)
                gs.push_back(Voisine(
                    g, p, gs[std::uniform_int_distribution<std::size_t>(0, gs.size() - 1)(g)]));
            for (std::size_t i = 0; i < gs.size(); ++i) {
                if (!Dedans(gs[i], p.largeur, p.hauteur, marge) ||
                    EcartMin(gs[i], formes) < p.ecartMin)
                    return false;
                // Each touches the group, and none hides another.
                for (std::size_t j = 0; j < i; ++j)
                    if (Ecart(gs[i], FormeSpore(gs[j])) < -3 ||
                        std::hypot(gs[i].x - gs[j].x, gs[i].y - gs[j].y) <
                            0.5 * (gs[i].b + gs[j].b))
                        return false;
            }
            for (const Spore& s : gs) {
                DessineSpore(t, s);
                formes.push_back(FormeSpore(s));
                c.spores.push_back(Vraie(s, Genre::Accolee));
            }
            return true;
        };
    };
    place(p.paires, p.ecartMin, groupe(2));
    place(p.amas, p.ecartMin, groupe(3));
    // A speck touching a spore.
    place(p.accoleesDebris, p.ecartMin, [&](double marge) {
        const auto [x, y] = auHasard(marge);
        Spore s = SporeAuHasard(g, p, x, y);
        if (!Dedans(s, p.largeur, p.hauteur, marge) || EcartMin(s, formes) < p.ecartMin + 40)
            return false;
        const double phi = Uniforme(g, {0, 2 * kPi});
        Debris d = DebrisAuHasard(g, 0, 0);
        const double r = d.RayonMax();
        const double c2 = std::cos(s.angle), s2 = std::sin(s.angle);
        const double u = s.a * std::cos(phi), v = s.b * std::sin(phi);
        const double bx = s.x + u * c2 - v * s2, by = s.y + u * s2 + v * c2;
        const double nx = bx - s.x, ny = by - s.y, nn = std::hypot(nx, ny);
        d.x = bx + nx / nn * (r * 0.6);
        d.y = by + ny / nn * (r * 0.6);
        DessineSpore(t, s);
        DessineDebris(t, d);
        formes.push_back(FormeSpore(s));
        formes.push_back(FormeDebris(d));
        c.spores.push_back(Vraie(s, Genre::Accolee));
        return true;
    });
    // Cut by an edge: the centre inside, the outline across the edge.
    place(p.coupees, 0, [&](double) {
        Spore s = SporeAuHasard(g, p, 0, 0);
        const int bord = std::uniform_int_distribution<int>(0, 3)(g);
        const double enDedans = Uniforme(g, {0.1, 0.7}) * s.b;
        const double le = Uniforme(g, {s.a + 10, (bord < 2 ? l : h) - s.a - 10});
        s.x = bord == 0 ? enDedans : bord == 1 ? l - enDedans : le;
        s.y = bord == 2 ? enDedans : bord == 3 ? h - enDedans : le;
        if (bord >= 2) s.x = Uniforme(g, {s.a + 10, l - s.a - 10});
        if (EcartMin(s, formes) < p.ecartMin) return false;
        DessineSpore(t, s);
        formes.push_back(FormeSpore(s));
        c.spores.push_back(Vraie(s, Genre::Coupee));
        return true;
    });
    place(p.floues, p.ecartMin, [&](double marge) {
        const auto [x, y] = auHasard(marge);
        Spore s = SporeAuHasard(g, p, x, y);
        s.flou = Uniforme(g, {5, 8});
        if (!Dedans(s, p.largeur, p.hauteur, marge) || EcartMin(s, formes) < p.ecartMin + 10)
            return false;
        DessineSpore(t, s);
        formes.push_back(FormeSpore(s));
        c.spores.push_back(Vraie(s, Genre::Floue));
        return true;
    });
    place(p.debris, p.ecartMin, [&](double marge) {
        const auto [x, y] = auHasard(marge);
        const Debris d = DebrisAuHasard(g, x, y);
        const Forme f = FormeDebris(d);
        for (const Forme& o : formes)
            for (int k = 0; k < 36; ++k) {
                const double phi = 2 * kPi * k / 36;
                const double r = d.Rayon(phi);
                if (o.distance(d.x + r * std::cos(phi), d.y + r * std::sin(phi)) < p.ecartMin)
                    return false;
            }
        DessineDebris(t, d);
        formes.push_back(f);
        return true;
    });

    c.image = Compose(t, p.eclairage, g);
    if (p.qualiteJpeg > 0) c.image = AllerRetourJpeg(c.image, p.qualiteJpeg);
    return c;
}

std::string DecritChamp(const ParametresChamp& p) {
    std::ostringstream s;
    s << p.largeur << "x" << p.hauteur << " seed=" << p.graine << " alone=" << p.seules
      << " pairs=" << p.paires << " clusters=" << p.amas << " cut=" << p.coupees
      << " out_of_focus=" << p.floues << " debris=" << p.debris
      << " speck_touching=" << p.accoleesDebris << " hypha=" << (p.hyphe ? 1 : 0)
      << " length=" << p.longueur.min << "-" << p.longueur.max << "px Q=" << p.q.min << "-"
      << p.q.max << " wall=" << p.paroi.min << "-" << p.paroi.max << "px blur_sigma=" << p.flou.min
      << "-" << p.flou.max << "px noise_sigma=" << p.eclairage.bruit
      << " light_slope=" << p.eclairage.pente << " jpeg_q=" << p.qualiteJpeg;
    return s.str();
}

} // namespace orv::synthese
