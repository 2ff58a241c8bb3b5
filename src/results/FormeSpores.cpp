#include "results/FormeSpores.h"

#include "base/Nombres.h"
#include "base/Texte.h"
#include "interface/Messages.h"
#include "results/Deciles.h"
#include "results/Moments.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace orv {

namespace {

// Lower limits of the classes above globose.
constexpr std::array<double, 5> kLimites = {1.05, 1.15, 1.30, 1.60, 2.00};
// A ratio computed as L / l lands a hair off a limit it is on (1.15 may come
// out as 1.1499999999999999): within this, it is on the limit.
constexpr double kBruit = 1e-9;

double Valeur(const std::array<double, ColonnesResultats>& v, int c) {
    return c > 0 && c < ColonnesResultats ? v[static_cast<size_t>(c)] : 0.0;
}

} // namespace

ClasseForme ClasseDeQ(double q) {
    int k = 0;
    while (k < static_cast<int>(kLimites.size()) && q >= kLimites[static_cast<size_t>(k)] - kBruit)
        ++k;
    return static_cast<ClasseForme>(k);
}

std::string NomClasse(const TablesTextes& t, ClasseForme c) {
    return t.Mnu(mnu::FormeGlobuleuse + static_cast<int>(c));
}

int ColonneQ(int fonction) {
    return fonction == fonction::Spores2D ? 3 : fonction == fonction::Spores3D ? 4 : 0;
}

namespace {

// Q of every finished line of spores as measured (L / l before the grid
// rounds them to its decimals); a line read from a CSV file gives its cell.
std::vector<double> QMesures(const EtatMesure& m) {
    std::vector<double> q;
    const int c = ColonneQ(m.NumFonction);
    if (c == 0 || c >= m.GrilleRef.Colonnes()) return q;
    // The width under which the grid leaves Q empty.
    const double largeurMin = m.NumFonction == fonction::Spores2D ? 0.01 : 0.0;
    const int derniere = std::min(m.LigneCourante - 1, m.GrilleRef.Lignes() - 1);
    for (int l = 1; l <= derniere && l < static_cast<int>(m.ValeursLignes.size()); ++l) {
        const auto& v = m.ValeursLignes[static_cast<size_t>(l)];
        // A line read from a CSV file has only its cells.
        const double x =
            v[1] > 0 && v[2] > largeurMin ? v[1] / v[2] : LitDecimal(m.GrilleRef.Texte(l, c));
        if (x > SeuilOrdre && std::isfinite(x)) q.push_back(x);
    }
    return q;
}

} // namespace

std::string TexteFormes(const Interface& ui, const EtatMesure& m) {
    const std::vector<double> q = QMesures(m);
    if (q.empty()) return {};
    // Q with the decimals of the limits, whatever the grid shows.
    const auto nombre = [&](double v) { return FormatNombre(v, "###0.00", ui.Sep()); };
    const auto nom = [&](double x) { return NomClasse(ui.textes, ClasseDeQ(x)); };
    const std::string fin(FinDeLigne);

    const double moyenne = CalculeMoments(q).moyenne;
    std::string t = ui.Mnu(mnu::FormeQMoyen) + nombre(moyenne) + " : " + nom(moyenne) + fin;
    const StatistiquesOrdre o = CalculeOrdre(q);
    // Deciles need eleven values: no range before.
    if (o.n >= ValeursDeciles) {
        t += ui.Mnu(mnu::FormeDeciles) + nombre(o.d1) + "-" + nombre(o.d9) + " : " + nom(o.d1);
        if (ClasseDeQ(o.d9) != ClasseDeQ(o.d1)) t += ui.Mnu(mnu::FormeJusqua) + nom(o.d9);
        t += fin;
    }
    return t;
}

std::string AvertissementEffectif(const Interface& ui, const EtatMesure& m,
                                  const EtatResultats& r) {
    const int c = ColonneQ(m.NumFonction);
    if (c == 0 || Valeur(r.NbLignes, c) >= SporesConseillees) return {};
    return ui.Mnu(mnu::SporesInsuffisantes);
}

} // namespace orv
