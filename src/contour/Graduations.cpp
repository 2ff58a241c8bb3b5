#include "contour/Graduations.h"

#include "contour/Gris.h"

#include <opencv2/core.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

namespace orv::contour {

namespace {

constexpr double kPas = 0.5; // samples along the line, pixels

struct Bande {
    Point a, u, n;
    int lignes = 0, colonnes = 0, demi = 0;
    std::vector<float> g; // rows o = -demi .. demi, each `colonnes` samples
    float At(int o, int k) const {
        return g[static_cast<std::size_t>(o + demi) * static_cast<std::size_t>(colonnes) +
                 static_cast<std::size_t>(k)];
    }
};

// The band across the line, each row sampled along the line; `pente`
// shears the rows (a graduation crossing row o at s + pente * o).
Bande Echantillonne(const VuePixels& v, Point a, Point u, double longueur, int demi, double pente) {
    Bande b;
    b.a = a;
    b.u = u;
    b.n = {-u.y, u.x};
    b.demi = demi;
    b.lignes = 2 * demi + 1;
    b.colonnes = static_cast<int>(std::floor(longueur / kPas)) + 1;
    b.g.resize(static_cast<std::size_t>(b.lignes) * static_cast<std::size_t>(b.colonnes));
    for (int o = -demi; o <= demi; ++o)
        for (int k = 0; k < b.colonnes; ++k) {
            const double s = k * kPas + pente * o;
            b.g[static_cast<std::size_t>(o + demi) * static_cast<std::size_t>(b.colonnes) +
                static_cast<std::size_t>(k)] =
                GrisBicubique(v, a.x + s * u.x + o * b.n.x, a.y + s * u.y + o * b.n.y);
        }
    return b;
}

double Variance(const std::vector<double>& p) {
    // About the straight line through the row: the light's slope is no pattern.
    const double n = static_cast<double>(p.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t k = 0; k < p.size(); ++k) {
        const double x = static_cast<double>(k);
        sx += x;
        sy += p[k];
        sxx += x * x;
        sxy += x * p[k];
    }
    const double pente = (n * sxy - sx * sy) / std::max(n * sxx - sx * sx, 1e-12);
    const double o = (sy - pente * sx) / n;
    double v = 0;
    for (std::size_t k = 0; k < p.size(); ++k) {
        const double r = p[k] - o - pente * static_cast<double>(k);
        v += r * r;
    }
    return v / n;
}

std::vector<double> Ligne(const Bande& b, int o) {
    std::vector<double> p(static_cast<std::size_t>(b.colonnes));
    for (int k = 0; k < b.colonnes; ++k) p[static_cast<std::size_t>(k)] = b.At(o, k);
    return p;
}

// The mean of the rows that cross the graduations: those whose pattern is
// strongest (a row along the scale's base line, or past the short
// graduations' ends, varies less).
std::vector<int> Rangees(const Bande& b) {
    std::vector<double> var;
    for (int o = -b.demi; o <= b.demi; ++o) var.push_back(Variance(Ligne(b, o)));
    const double m = *std::max_element(var.begin(), var.end());
    std::vector<int> r;
    for (int o = -b.demi; o <= b.demi; ++o)
        if (var[static_cast<std::size_t>(o) + static_cast<std::size_t>(b.demi)] >= 0.5 * m)
            r.push_back(o);
    return r;
}

std::vector<double> Moyenne(const Bande& b, const std::vector<int>& rangees) {
    std::vector<double> p(static_cast<std::size_t>(b.colonnes), 0.0);
    for (int o : rangees)
        for (int k = 0; k < b.colonnes; ++k) p[static_cast<std::size_t>(k)] += b.At(o, k);
    for (double& x : p) x /= static_cast<double>(rangees.size());
    return p;
}

// The dark dips standing out by `seuil` from what is around them.
std::vector<int> Creux(const std::vector<double>& p, double seuil) {
    const int n = static_cast<int>(p.size());
    const int portee = static_cast<int>(200 / kPas);
    std::vector<int> c;
    for (int k = 1; k + 1 < n; ++k) {
        if (!(p[static_cast<std::size_t>(k)] <= p[static_cast<std::size_t>(k - 1)] &&
              p[static_cast<std::size_t>(k)] < p[static_cast<std::size_t>(k) + 1]))
            continue;
        double gauche = p[static_cast<std::size_t>(k)], droite = gauche;
        for (int i = k - 1; i >= std::max(0, k - portee) &&
                            p[static_cast<std::size_t>(i)] >= p[static_cast<std::size_t>(k)];
             --i)
            gauche = std::max(gauche, p[static_cast<std::size_t>(i)]);
        for (int i = k + 1; i < std::min(n, k + portee) &&
                            p[static_cast<std::size_t>(i)] >= p[static_cast<std::size_t>(k)];
             ++i)
            droite = std::max(droite, p[static_cast<std::size_t>(i)]);
        if (std::min(gauche, droite) - p[static_cast<std::size_t>(k)] >= seuil) c.push_back(k);
    }
    return c;
}

// The profile's autocorrelation (through the Fourier transform, padded so
// that it does not wrap round), normalised by the overlap.
std::vector<double> Autocorrelation(const std::vector<double>& p) {
    const int n = static_cast<int>(p.size());
    double m = 0;
    for (double x : p) m += x;
    m /= n;
    const int taille = cv::getOptimalDFTSize(2 * n);
    cv::Mat f = cv::Mat::zeros(1, taille, CV_64F);
    for (int k = 0; k < n; ++k) f.at<double>(k) = p[static_cast<std::size_t>(k)] - m;
    cv::Mat spectre;
    cv::dft(f, spectre, cv::DFT_COMPLEX_OUTPUT);
    cv::mulSpectrums(spectre, spectre, spectre, 0, true);
    cv::Mat r;
    cv::idft(spectre, r, cv::DFT_REAL_OUTPUT | cv::DFT_SCALE);
    std::vector<double> a(static_cast<std::size_t>(n));
    const double r0 = r.at<double>(0) / n;
    for (int k = 0; k < n; ++k)
        a[static_cast<std::size_t>(k)] = r.at<double>(k) / (n - k) / std::max(r0, 1e-12);
    return a;
}

// The centre of a dip between samples k0 and k1: the centroid of its depth
// below the level halfway from its bottom to its shoulders (a sum, which
// does not depend on where the samples fall).
struct CreuxLocalise {
    double centre = 0, profondeur = 0;
};
std::optional<CreuxLocalise> Localise(const std::vector<double>& p, int k0, int k1) {
    const int n = static_cast<int>(p.size());
    k0 = std::max(k0, 0);
    k1 = std::min(k1, n - 1);
    if (k1 - k0 < 4) return std::nullopt;
    int m = k0;
    for (int k = k0; k <= k1; ++k)
        if (p[static_cast<std::size_t>(k)] < p[static_cast<std::size_t>(m)]) m = k;
    if (m == k0 || m == k1) return std::nullopt;
    const double bas = p[static_cast<std::size_t>(m)];
    double gauche = bas, droite = bas;
    for (int k = k0; k < m; ++k) gauche = std::max(gauche, p[static_cast<std::size_t>(k)]);
    for (int k = m + 1; k <= k1; ++k) droite = std::max(droite, p[static_cast<std::size_t>(k)]);
    const double mi = (bas + std::min(gauche, droite)) / 2;
    int g = m;
    while (g > k0 && p[static_cast<std::size_t>(g)] < mi) --g;
    int d = m;
    while (d < k1 && p[static_cast<std::size_t>(d)] < mi) ++d;
    if (p[static_cast<std::size_t>(g)] < mi || p[static_cast<std::size_t>(d)] < mi)
        return std::nullopt;
    double somme = 0, moment = 0;
    for (int k = g + 1; k < d; ++k) {
        const double w = mi - p[static_cast<std::size_t>(k)];
        somme += w;
        moment += w * k;
    }
    if (somme <= 0) return std::nullopt;
    return CreuxLocalise{moment / somme, std::min(gauche, droite) - bas};
}

} // namespace

ResultatGraduations PeriodeGraduations(const VuePixels& v, Point a, Point b,
                                       const OptionsGraduations& options) {
    ResultatGraduations r;
    const double longueur = std::hypot(b.x - a.x, b.y - a.y);
    auto dedans = [&](Point p) {
        return p.x >= 0 && p.y >= 0 && p.x <= v.largeur && p.y <= v.hauteur;
    };
    if (v.Vide() || longueur < 8 || !dedans(a) || !dedans(b)) {
        r.refus = RefusGraduations::HorsImage;
        return r;
    }
    const Point u{(b.x - a.x) / longueur, (b.y - a.y) / longueur};
    const int demi = std::max(1, static_cast<int>(std::lround(options.demiBande)));
    Bande bande = Echantillonne(v, a, u, longueur, demi, 0);
    const std::vector<int> rangees = Rangees(bande);
    std::vector<double> p = Moyenne(bande, rangees);

    // Dips that stand out from the noise and from the pattern's own range.
    std::vector<double> tri = p;
    std::sort(tri.begin(), tri.end());
    const double etendue = tri[tri.size() * 98 / 100] - tri[tri.size() * 2 / 100];
    const double bruit = BruitPixels(v, {static_cast<int>(std::min(a.x, b.x)) - demi,
                                         static_cast<int>(std::min(a.y, b.y)) - demi,
                                         static_cast<int>(std::abs(b.x - a.x)) + 2 * demi + 1,
                                         static_cast<int>(std::abs(b.y - a.y)) + 2 * demi + 1}) /
                         std::sqrt(static_cast<double>(rangees.size()));
    const std::vector<int> creux = Creux(p, std::max({5 * bruit, 0.3 * etendue, 3.0}));
    if (creux.empty()) {
        r.refus = RefusGraduations::PasDePeriode;
        return r;
    }
    if (creux.size() < 3) {
        r.refus = RefusGraduations::LigneCourte;
        return r;
    }

    // First estimate: the autocorrelation's peak nearest to the dips' usual
    // spacing (its multiples peak too), refined by a parabola.
    std::vector<double> ecarts;
    for (std::size_t i = 1; i < creux.size(); ++i) ecarts.push_back(creux[i] - creux[i - 1]);
    std::nth_element(ecarts.begin(),
                     ecarts.begin() + static_cast<std::ptrdiff_t>(ecarts.size() / 2), ecarts.end());
    const double ecart = ecarts[ecarts.size() / 2];
    const std::vector<double> ac = Autocorrelation(p);
    int pic = -1;
    for (int k = std::max(2, static_cast<int>(0.75 * ecart));
         k <= std::min(static_cast<int>(1.25 * ecart) + 1, static_cast<int>(ac.size()) - 2); ++k)
        if (ac[static_cast<std::size_t>(k)] >= ac[static_cast<std::size_t>(k - 1)] &&
            ac[static_cast<std::size_t>(k)] >= ac[static_cast<std::size_t>(k) + 1] &&
            (pic < 0 || ac[static_cast<std::size_t>(k)] > ac[static_cast<std::size_t>(pic)]))
            pic = k;
    if (pic < 0 || ac[static_cast<std::size_t>(pic)] < 0.2) {
        r.refus = RefusGraduations::PasDePeriode;
        return r;
    }
    const double am = ac[static_cast<std::size_t>(pic - 1)], a0 = ac[static_cast<std::size_t>(pic)],
                 ap = ac[static_cast<std::size_t>(pic) + 1];
    const double den = am - 2 * a0 + ap;
    const double periode0 =
        pic + (den < 0 ? std::clamp(0.5 * (am - ap) / den, -0.5, 0.5) : 0.0); // samples
    if (longueur / (periode0 * kPas) < 2) {
        r.refus = RefusGraduations::LigneCourte;
        return r;
    }

    // The graduations' slant across the band: the same graduations located
    // on its two halves; once more on the band sheared by that slant, for
    // what is left of it.
    double pente = 0;
    if (rangees.size() >= 4) {
        const auto milieu = rangees.begin() + static_cast<std::ptrdiff_t>(rangees.size() / 2);
        const std::vector<int> haut(rangees.begin(), milieu), bas(milieu, rangees.end());
        double oh = 0, ob = 0;
        for (int o : haut) oh += o;
        for (int o : bas) ob += o;
        oh /= static_cast<double>(haut.size());
        ob /= static_cast<double>(bas.size());
        const int demiFenetre = static_cast<int>(0.45 * periode0);
        for (int tour = 0; tour < 2; ++tour) {
            const std::vector<double> ph = Moyenne(bande, haut), pb = Moyenne(bande, bas);
            std::vector<double> decalages;
            for (int c : creux) {
                const auto h = Localise(ph, c - demiFenetre, c + demiFenetre);
                const auto l = Localise(pb, c - demiFenetre, c + demiFenetre);
                if (h && l) decalages.push_back((l->centre - h->centre) * kPas / (ob - oh));
            }
            if (decalages.empty()) break;
            std::nth_element(decalages.begin(),
                             decalages.begin() + static_cast<std::ptrdiff_t>(decalages.size() / 2),
                             decalages.end());
            pente += decalages[decalages.size() / 2];
            // Beyond 11 degrees this is no slant of the drag.
            if (std::abs(pente) > 0.2) {
                pente = 0;
                break;
            }
            bande = Echantillonne(v, a, u, longueur, demi, pente);
        }
        p = Moyenne(bande, rangees);
    }

    // Every graduation: the comb of the first estimate set on the dips, then
    // each one located on its own.
    double phase = 0, meilleure = HUGE_VAL;
    for (double f = 0; f < periode0; f += 0.25) {
        double s = 0;
        int n = 0;
        for (double x = f; x < static_cast<double>(p.size()) - 1; x += periode0, ++n) {
            const auto k = static_cast<std::size_t>(x);
            s += p[k] + (x - static_cast<double>(k)) * (p[k + 1] - p[k]);
        }
        if (n > 0 && s / n < meilleure) {
            meilleure = s / n;
            phase = f;
        }
    }
    std::vector<double> rangs, centres, profondeurs;
    const int demiFenetre = static_cast<int>(0.45 * periode0);
    for (int j = 0;; ++j) {
        const double x = phase + j * periode0;
        if (x > static_cast<double>(p.size()) - 1) break;
        const int k = static_cast<int>(std::lround(x));
        if (const auto c = Localise(p, k - demiFenetre, k + demiFenetre)) {
            rangs.push_back(j);
            centres.push_back(c->centre);
            profondeurs.push_back(c->profondeur);
        }
    }
    // Faint dips (dust, a graduation's gap) are not graduations.
    if (!profondeurs.empty()) {
        std::vector<double> t = profondeurs;
        std::nth_element(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(t.size() / 2), t.end());
        const double seuil = 0.4 * t[t.size() / 2];
        for (std::size_t i = profondeurs.size(); i-- > 0;)
            if (profondeurs[i] < seuil) {
                rangs.erase(rangs.begin() + static_cast<std::ptrdiff_t>(i));
                centres.erase(centres.begin() + static_cast<std::ptrdiff_t>(i));
                profondeurs.erase(profondeurs.begin() + static_cast<std::ptrdiff_t>(i));
            }
    }

    // The line position = a + rank * period by least squares; again without
    // the graduations a tenth of a period off it (a dip that was no
    // graduation), then without those beyond three spreads.
    double origine = 0, periode = periode0, dispersion = 0;
    std::vector<bool> garde(centres.size(), true);
    for (int tour = 0; tour < 3; ++tour) {
        double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
        for (std::size_t i = 0; i < centres.size(); ++i)
            if (garde[i]) {
                n += 1;
                sx += rangs[i];
                sy += centres[i];
                sxx += rangs[i] * rangs[i];
                sxy += rangs[i] * centres[i];
            }
        if (n < 3 || n * sxx - sx * sx <= 0) {
            r.refus = RefusGraduations::LigneCourte;
            return r;
        }
        periode = (n * sxy - sx * sy) / (n * sxx - sx * sx);
        origine = (sy - periode * sx) / n;
        double s2 = 0;
        for (std::size_t i = 0; i < centres.size(); ++i)
            if (garde[i]) {
                const double e = centres[i] - origine - periode * rangs[i];
                s2 += e * e;
            }
        dispersion = std::sqrt(s2 / std::max(n - 2, 1.0));
        const double seuil = tour == 0 ? 0.1 * periode : std::max(3 * dispersion, 0.01 * periode);
        for (std::size_t i = 0; i < centres.size(); ++i)
            garde[i] = std::abs(centres[i] - origine - periode * rangs[i]) <= seuil;
    }
    // Graduations that still stray by a tenth of a period: no regular scale.
    if (dispersion > 0.1 * periode) {
        r.refus = RefusGraduations::PasDePeriode;
        return r;
    }
    double premier = HUGE_VAL, dernier = -HUGE_VAL;
    int nombre = 0;
    for (std::size_t i = 0; i < centres.size(); ++i)
        if (garde[i]) {
            premier = std::min(premier, rangs[i]);
            dernier = std::max(dernier, rangs[i]);
            ++nombre;
        }
    if (nombre < 3 || dernier - premier < 2) {
        r.refus = RefusGraduations::LigneCourte;
        return r;
    }
    // Samples to pixels; the period along the line to the period square to
    // the graduations.
    const double periodeLigne = periode * kPas;
    r.periode = periodeLigne / std::sqrt(1 + pente * pente);
    r.graduations = nombre;
    r.divisions = static_cast<int>(std::lround(dernier - premier));
    r.dispersion = dispersion * kPas;
    r.inclinaison = std::atan(pente) * 180 / std::numbers::pi;
    const double s0 = (origine + premier * periode) * kPas,
                 s1 = (origine + dernier * periode) * kPas;
    r.premiere = {a.x + s0 * u.x, a.y + s0 * u.y};
    r.derniere = {a.x + s1 * u.x, a.y + s1 * u.y};
    return r;
}

} // namespace orv::contour
