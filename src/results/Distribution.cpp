#include "results/Distribution.h"

#include "base/Nombres.h"
#include "results/Deciles.h"
#include "results/Moments.h"
#include "results/Statistiques.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

constexpr int kClassesMax = 60;

// Quantile p of sorted values, interpolated at the rank p (n + 1) as the
// deciles are, held within the extremes.
double Quantile(const std::vector<double>& x, double p) {
    const double rang = p * static_cast<double>(x.size() + 1);
    if (rang <= 1) return x.front();
    if (rang >= static_cast<double>(x.size())) return x.back();
    const auto k = static_cast<size_t>(rang);
    return x[k - 1] + (x[k] - x[k - 1]) * (rang - static_cast<double>(k));
}

} // namespace

Histogramme Distribution(const std::vector<double>& valeurs, bool pleinePrecision) {
    const double seuil = pleinePrecision ? 0.0 : SeuilOrdre;
    std::vector<double> x;
    for (double v : valeurs)
        if (v > seuil && std::isfinite(v)) x.push_back(v);
    std::sort(x.begin(), x.end());
    Histogramme h;
    h.n = static_cast<int>(x.size());
    if (x.empty()) return h;

    const StatistiquesOrdre ordre = CalculeOrdre(x, pleinePrecision);
    h.mediane = ordre.mediane;
    h.d1 = ordre.d1;
    h.d9 = ordre.d9;
    h.moyenne = CalculeMoments(x).moyenne;
    h.minimum = x.front();
    h.maximum = x.back();

    const double etendue = h.maximum - h.minimum;
    const double iqr = Quantile(x, 0.75) - Quantile(x, 0.25);
    if (etendue <= 0) {
        // One bar round the value, a tenth of it wide.
        h.largeur = std::max(std::fabs(h.minimum) * 0.1, seuil);
        h.debut = h.minimum - h.largeur / 2;
        h.effectifs.assign(1, h.n);
        return h;
    }
    if (iqr > 0) {
        h.largeur = 2 * iqr / std::cbrt(static_cast<double>(h.n));
    } else {
        const double classes = std::ceil(std::log2(static_cast<double>(h.n))) + 1;
        h.largeur = etendue / classes;
    }
    h.largeur = std::max(h.largeur, etendue / kClassesMax);
    h.debut = h.minimum;
    // The largest value closes the last bin rather than opening one of its own.
    const auto classe = [&](double v) {
        return static_cast<size_t>(std::floor((v - h.debut) / h.largeur));
    };
    const size_t k = std::max<size_t>(1, static_cast<size_t>(std::ceil(etendue / h.largeur)));
    h.effectifs.assign(k, 0);
    for (double v : x) ++h.effectifs[std::min(classe(v), k - 1)];
    return h;
}

Histogramme DistributionColonne(const EtatMesure& m, int c) {
    return Distribution(ValeursOrdre(m, c), PleinePrecision(m, c));
}

std::vector<int> ColonnesDistribution(const EtatMesure& m) {
    std::vector<int> c;
    for (int k = 1; k <= m.NbColStat && k < m.GrilleRef.Colonnes() - 2; ++k) c.push_back(k);
    return c;
}

std::vector<std::pair<double, double>> PointsLongueurLargeur(const EtatMesure& m) {
    std::vector<std::pair<double, double>> p;
    if (m.NumFonction != fonction::Spores2D && m.NumFonction != fonction::Spores3D) return p;
    const auto& g = m.GrilleRef;
    const int derniere = std::min(m.LigneCourante - 1, g.Lignes() - 1);
    for (int r = 1; r <= derniere; ++r) {
        if (g.Texte(r, 1).empty() || g.Texte(r, 2).empty()) continue;
        const double l = LitDecimal(g.Texte(r, 1)), w = LitDecimal(g.Texte(r, 2));
        if (l > SeuilOrdre && w > SeuilOrdre) p.emplace_back(l, w);
    }
    return p;
}

} // namespace orv
