#include "results/Deciles.h"

#include "base/Nombres.h"

#include <algorithm>
#include <cmath>

namespace orv {

double ArrondiOrdre(double valeur) {
    return LitDecimal(FormatNombre(valeur, "00000.0000", '.'));
}

StatistiquesOrdre CalculeOrdre(const std::vector<double>& valeurs, bool pleinePrecision) {
    std::vector<double> x;
    for (double v : valeurs)
        if (pleinePrecision ? v > 0 : v > SeuilOrdre)
            x.push_back(pleinePrecision ? v : ArrondiOrdre(v));
    std::sort(x.begin(), x.end());

    StatistiquesOrdre s;
    s.n = static_cast<int>(x.size());
    const int n = s.n;
    if (n == 0) return s;
    // x(i), 1-based.
    auto X = [&x](int i) { return x[static_cast<size_t>(i - 1)]; };

    const int h = n / 2;
    s.mediane = n % 2 == 1 ? X(h + 1) : (X(h) + X(h + 1)) / 2;

    if (n >= ValeursDeciles) {
        // Rank 0.1 (N + 1) = k + r / 10 and rank 0.9 (N + 1) = k9 + (10 - r) / 10.
        const int r = n % 10 + 1;
        const int k = n / 10;
        s.d1 = X(k) + (X(k + 1) - X(k)) * r / 10;
        const int k9 = 9 * (n + 1) / 10;
        s.d9 = X(k9) + (X(k9 + 1) - X(k9)) * (10 - r) / 10;
    }
    return s;
}

double DominanteValeurs(std::vector<double> valeurs) {
    if (valeurs.empty()) return 0;
    std::sort(valeurs.begin(), valeurs.end());
    size_t debut = 0, n = valeurs.size();
    auto x = [&](size_t i) { return valeurs[debut + i]; };
    while (n > 3) {
        const size_t h = (n + 1) / 2; // values the run must hold
        double plusCourt = x(h - 1) - x(0);
        for (size_t i = 1; i + h <= n; ++i) plusCourt = std::min(plusCourt, x(i + h - 1) - x(i));
        // Runs equal but for the rounding of the differences are equal.
        const double egal = plusCourt + 1e-9 * (1 + std::fabs(x(n - 1)) + std::fabs(x(0)));
        std::vector<size_t> departs;
        for (size_t i = 0; i + h <= n; ++i)
            if (x(i + h - 1) - x(i) <= egal) departs.push_back(i);
        // The middle run, or the two middle runs together while that still narrows.
        const size_t a = departs[(departs.size() - 1) / 2], b = departs[departs.size() / 2];
        const size_t largeur = b + h - a < n ? b + h - a : h;
        debut += a;
        n = largeur;
    }
    if (n == 3) {
        const double bas = x(1) - x(0), haut = x(2) - x(1);
        if (bas < haut) return (x(0) + x(1)) / 2;
        if (haut < bas) return (x(1) + x(2)) / 2;
        return x(1);
    }
    return n == 2 ? (x(0) + x(1)) / 2 : x(0);
}

} // namespace orv
