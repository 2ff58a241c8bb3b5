#include "results/Deciles.h"

#include "base/Nombres.h"

#include <algorithm>

namespace orv {

double ArrondiOrdre(double valeur) {
    return LitDecimal(FormatNombre(valeur, "00000.0000", '.'));
}

StatistiquesOrdre CalculeOrdre(const std::vector<double>& valeurs) {
    std::vector<double> x;
    for (double v : valeurs)
        if (v > SeuilOrdre) x.push_back(ArrondiOrdre(v));
    std::sort(x.begin(), x.end());

    StatistiquesOrdre s;
    s.n = static_cast<int>(x.size());
    const int n = s.n;
    if (n == 0) return s;
    // x(i), 1-based.
    auto X = [&x](int i) { return x[static_cast<size_t>(i - 1)]; };

    const int h = n / 2;
    s.mediane = n % 2 == 1 ? X(h + 1) : (X(h) + X(h + 1)) / 2;

    if (n >= 11) {
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
    const int n = static_cast<int>(valeurs.size());
    if (n == 0) return 0;
    std::sort(valeurs.begin(), valeurs.end());
    auto a = [&valeurs](int i) { return valeurs[static_cast<size_t>(i - 1)]; };

    // The narrowing factor is a single-precision 0.8.
    const double f = static_cast<double>(0.8f);
    std::vector<int> compte(static_cast<size_t>(n) + 1, 0);
    std::vector<int> fin(static_cast<size_t>(n) + 1, 0);
    auto cnt = [&compte](int i) -> int& { return compte[static_cast<size_t>(i)]; };
    auto bout = [&fin](int i) -> int& { return fin[static_cast<size_t>(i)]; };

    int lo = 1, hi = n;
    double w = (a(hi) - a(lo)) * f;
    int finMeilleure = 0; // kept from one start to the next, as the run search leaves it
    for (;;) {
        if (a(hi) - a(lo) < w || hi - lo <= 2) break;
        w = (a(hi) - a(lo)) * f;
        for (int i = lo; i <= hi; ++i) {
            int meilleur = 0;
            for (int j = i; j < hi && a(j) - a(i) <= w; ++j) {
                cnt(j) = j - i;
                if (cnt(j) > meilleur) {
                    meilleur = cnt(j);
                    finMeilleure = j;
                }
            }
            cnt(i) = finMeilleure - i;
            bout(i) = finMeilleure;
            w *= f;
        }
        int iMax = lo;
        for (int i = lo; i <= hi; ++i)
            if (cnt(i) > cnt(iMax)) iMax = i;
        const int nouveauLo = iMax + 1;
        const int nouveauHi = bout(finMeilleure);
        w *= f;
        // The next range must lie in the list and be narrower, or the search
        // stops on the range it has: it always ends and never reads outside.
        if (nouveauLo > n || nouveauHi < nouveauLo || nouveauHi > n ||
            nouveauHi - nouveauLo >= hi - lo)
            break;
        lo = nouveauLo;
        hi = nouveauHi;
    }
    return (a(lo) + a(hi)) / 2;
}

} // namespace orv
