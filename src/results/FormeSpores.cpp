#include "results/FormeSpores.h"

#include "base/Nombres.h"
#include "base/Texte.h"
#include "interface/Messages.h"
#include "results/Moments.h"
#include "results/Statistiques.h"

#include <array>

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
    return fonction == 2 ? 3 : fonction == 3 ? 4 : 0;
}

std::string TexteFormes(const Interface& ui, const EtatMesure& m, const EtatResultats& r,
                        const Parametres& p) {
    const int c = ColonneQ(m.NumFonction);
    if (c == 0 || c > m.NbColStat || Valeur(r.NbLignes, c) < 1) return {};
    const auto nombre = [&](double v) { return FormatNombre(v, p.fDecimal, ui.Sep()); };
    const auto nom = [&](double q) { return NomClasse(ui.textes, ClasseDeQ(q)); };
    const std::string fin(FinDeLigne);

    // From the values: the mean of the statistics grid waits for "Calc..stat.".
    const double moyenne = CalculeMoments(ValeursOrdre(m, c)).moyenne;
    std::string t = ui.Mnu(mnu::FormeQMoyen) + nombre(moyenne) + " : " + nom(moyenne) + fin;
    const double d1 = Valeur(r.D1, c), d9 = Valeur(r.D9, c);
    // Deciles are 0 below 11 values: no range then.
    if (d1 > 0 && d9 > 0) {
        t += ui.Mnu(mnu::FormeDeciles) + nombre(d1) + "-" + nombre(d9) + " : " + nom(d1);
        if (ClasseDeQ(d9) != ClasseDeQ(d1)) t += ui.Mnu(mnu::FormeJusqua) + nom(d9);
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
