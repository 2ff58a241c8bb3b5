#include "results/Statistiques.h"
#include "app/CommandesResultats.h"
#include "app/Fenetre.h"
#include "measure/Grille.h"
#include "measure/ScenarioPointage.h"
#include "results/Deciles.h"
#include "results/Moments.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

namespace orv {
namespace {

// ---- Reference computations, written apart from the program's ----------------

struct Reference {
    int n = 0;
    double moyenne = 0, sigma = 0, skew = 0, kurt = 0;
};

// Population moments of the values other than zero, from raw power sums.
Reference MomentsDeReference(const std::vector<double>& v) {
    long double s1 = 0, s2 = 0, s3 = 0, s4 = 0;
    Reference r;
    for (double x : v) {
        if (x == 0) continue;
        const long double y = x;
        s1 += y, s2 += y * y, s3 += y * y * y, s4 += y * y * y * y;
        ++r.n;
    }
    if (r.n == 0) return r;
    const long double n = r.n, m = s1 / n, var = s2 / n - m * m;
    const long double mu3 = s3 / n - 3 * m * s2 / n + 2 * m * m * m;
    const long double mu4 = s4 / n - 4 * m * s3 / n + 6 * m * m * s2 / n - 3 * m * m * m * m;
    r.moyenne = static_cast<double>(m);
    r.sigma = static_cast<double>(std::sqrt(std::max(var, 0.0L)));
    if (r.sigma > 0.001) {
        r.skew = static_cast<double>(mu3 / std::pow(var, 1.5L));
        r.kurt = static_cast<double>(mu4 / (var * var));
    }
    return r;
}

// Value at rank p10/10 * (N + 1) of the sorted list, interpolated in whole tenths.
double RangInterpole(const std::vector<double>& x, int p10) {
    const int n = static_cast<int>(x.size()), dixiemes = p10 * (n + 1), k = dixiemes / 10;
    const double bas = x[static_cast<size_t>(k - 1)];
    const double haut = k < n ? x[static_cast<size_t>(k)] : bas;
    return bas + (dixiemes % 10) / 10.0 * (haut - bas);
}

// ---- Pure computations -------------------------------------------------------

// The moments against the reference are checked on the statistics grid below.
TEST(MomentsColonne, EdgeCases) {
    // Zeros are empty cells; the extremes point at the first of equal values.
    MomentsColonne m = CalculeMoments({0.0, 5.0, 3.0, 0.0, 3.0, 5.0});
    EXPECT_EQ(m.n, 4);
    EXPECT_DOUBLE_EQ(m.moyenne, 4);
    EXPECT_DOUBLE_EQ(m.sigma, 1);
    EXPECT_EQ((std::vector{m.ligneMin, m.ligneMax}), (std::vector{3, 2}));
    EXPECT_EQ((std::vector{m.minimum, m.maximum}), (std::vector{3.0, 5.0}));
    // Sigma 0.00075: no skewness, no kurtosis.
    m = CalculeMoments({10.0, 10.0015});
    EXPECT_NEAR(m.sigma, 0.00075, 1e-12);
    EXPECT_EQ(m.dissymetrie, 0);
    EXPECT_EQ(m.kurtosis, 0);
    // A tight column of large values keeps its kurtosis: two equal halves give 1.
    EXPECT_NEAR(CalculeMoments({1000.0, 1000.01, 1000.0, 1000.01}).kurtosis, 1.0, 1e-6);
    for (const std::vector<double>& v : {std::vector<double>{}, std::vector<double>{0.0, 0.0}}) {
        m = CalculeMoments(v);
        EXPECT_EQ(m.n + m.moyenne + m.ligneMin + m.ligneMax, 0);
    }
}

// Every small count, where the rank arithmetic has its edges (11: first deciles).
TEST(StatistiquesOrdre, EveryCountUpToThirty) {
    for (int n = 1; n <= 30; ++n) {
        std::vector<double> v;
        for (int i = n; i >= 1; --i) v.push_back(i * 1.5 + (i % 3) * 0.01); // unsorted
        std::vector<double> x = v;
        std::sort(x.begin(), x.end());
        const auto k = static_cast<size_t>(n / 2);
        const StatistiquesOrdre s = CalculeOrdre(v);
        EXPECT_NEAR(s.mediane, n % 2 ? x[k] : (x[k - 1] + x[k]) / 2, 1e-12) << n;
        EXPECT_NEAR(s.d1, n < 11 ? 0 : RangInterpole(x, 1), 1e-12) << n;
        EXPECT_NEAR(s.d9, n < 11 ? 0 : RangInterpole(x, 9), 1e-12) << n;
    }
    // Four decimals; 0 and 0.0001 are left out, 0.00011 is counted (as 0.0001).
    EXPECT_DOUBLE_EQ(CalculeOrdre({123.456789}).mediane, 123.4568);
    const StatistiquesOrdre s = CalculeOrdre({0.0, 0.0001, 0.00011, 7.0});
    EXPECT_EQ(s.n, 2);
    EXPECT_DOUBLE_EQ(s.mediane, (0.0001 + 7.0) / 2);
    EXPECT_EQ(CalculeOrdre({-3.0, 0.0, 0.0001}).n, 0);
}

TEST(Dominante, SmallListsReadNothingOutside) {
    EXPECT_EQ(DominanteValeurs({}), 0);
    EXPECT_EQ(DominanteValeurs({4.5}), 4.5);
    EXPECT_DOUBLE_EQ(DominanteValeurs({6.0, 2.0}), 4.0);
    EXPECT_DOUBLE_EQ(DominanteValeurs({1.0, 9.0, 2.0}), 1.5); // the closer pair
    EXPECT_DOUBLE_EQ(DominanteValeurs({3.0, 1.0, 2.0}), 2.0); // no closer pair: the middle
    EXPECT_EQ(DominanteValeurs(std::vector<double>(50, 3.25)), 3.25);
    // Evenly spread values have no denser end: the middle.
    std::vector<double> v;
    for (int i = 11; i >= 1; --i) v.push_back(2.05 + 0.25 * i);
    EXPECT_NEAR(DominanteValeurs(v), 3.55, 1e-12);
}

// Samples of known shape: the estimate sits at the true mode (on average over
// many samples, each within a plain bound), not at a low percentile.
// Ties with zeros and values over several orders of magnitude never send the
// estimate outside the values.
TEST(Dominante, AlwaysEndsInsideTheRange) {
    std::mt19937 gen(3);
    std::uniform_real_distribution<double> u(0, 1);
    for (int essai = 0; essai < 500; ++essai) {
        std::vector<double> v(static_cast<size_t>(gen() % 300 + 1));
        const unsigned forme = gen() % 3;
        for (size_t i = 0; i < v.size(); ++i)
            v[i] = forme == 0   ? u(gen) * 20
                   : forme == 1 ? (i % 7 == 0 ? 0.0 : 5.0 + static_cast<double>(i % 3))
                                : std::exp(u(gen) * 9 - 3);
        const double d = DominanteValeurs(v);
        EXPECT_GE(d, *std::min_element(v.begin(), v.end())) << essai;
        EXPECT_LE(d, *std::max_element(v.begin(), v.end())) << essai;
    }
}

TEST(Dominante, FindsTheModeOfKnownShapes) {
    std::normal_distribution<double> normale(10, 1), etroite(0, 0.5);
    std::uniform_real_distribution<double> u(0, 1);
    const struct {
        const char* nom;
        double mode, tolerance, ecartMax; // of the mean estimate, of any one sample's
        std::function<double(std::mt19937&)> tire;
    } formes[] = {
        {"normal", 10, 0.15, 1.2, [&](std::mt19937& g) { return normale(g); }},
        // Log-normal: mode e^-0.25 = 0.779, well below the median 1 and mean 1.13.
        {"skewed", std::exp(-0.25), 0.08, 0.5,
         [&](std::mt19937& g) { return std::exp(etroite(g)); }},
        // 65 % around 8, 35 % around 12: the mode is the larger peak.
        {"bimodal", 8, 0.15, 0.8,
         [&](std::mt19937& g) { return (u(g) < 0.65 ? 8 : 12) + etroite(g); }},
    };
    for (const auto& f : formes) {
        std::mt19937 gen(21);
        double somme = 0;
        for (int k = 0; k < 40; ++k) {
            std::vector<double> v(200);
            for (double& x : v) x = std::round(f.tire(gen) * 100) / 100;
            const double d = DominanteValeurs(v);
            EXPECT_NEAR(d, f.mode, f.ecartMax) << f.nom << " sample " << k;
            somme += d;
        }
        EXPECT_NEAR(somme / 40, f.mode, f.tolerance) << f.nom;
    }
}

// ---- The statistics grid ---------------------------------------------------

class StatGrille : public test::ScenarioPointage {
protected:
    StatGrille() { Choisit(2); }
    void Stat() {
        StatColonnes(o.ui, o.mesure, o.resultats, o.parametres);
        SurligneExtremes(o.resultats, o.mesure.GrilleRef);
    }
    void Deciles() { TableDeciles(o.ui, o.mesure, o.resultats, o.parametres); }
    std::string P(int l, int c) const { return o.resultats.GrilleRefP.Texte(l, c); }
    std::uint32_t Couleur(int l, int c) const { return o.mesure.GrilleRef.CouleurCellule(l, c); }
};

TEST_F(StatGrille, ExtremesAreFoundPerColumnAndHighlighted) {
    // Spores 2D: L, l, Q, V; a column of zeros has no extreme line.
    Remplit({{"9,00", "0", "2,25", "75,4"},
             {"12,00", "0,00", "3,43", "77,0"},
             {"8,00", "0", "1,60", "104,7"}});
    Stat();
    const int index = o.resultats.GrilleRefP.Colonnes() - 1;
    EXPECT_EQ(P(0, index), "index");
    EXPECT_EQ(P(2, index), "3 /  / 3 / 1 / ");
    EXPECT_EQ(P(3, index), "2 /  / 2 / 3 / ");
    EXPECT_EQ((std::vector{Couleur(0, 1), Couleur(1, 1), Couleur(2, 1), Couleur(3, 1)}),
              (std::vector{CouleurGrilles, CouleurGrilles, CouleurMaximum, CouleurMinimum}));
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(Couleur(r, 2), CouleurGrilles);
    EXPECT_EQ(P(2, 2), "0,00");
    // A refresh after the data changed leaves no stale highlight.
    Remplit({{"9,00", "4,00", "2,25", "75,4"}, {"12,00", "3,50", "3,43", "77,0"}});
    Stat();
    EXPECT_EQ(Couleur(3, 1), CouleurGrilles);
    EXPECT_EQ(Couleur(1, 1), CouleurMinimum);
    // One line holding both extremes shows the maximum, and no spread.
    Remplit({{"9,00", "4,00", "2,25", "75,4"}});
    Stat();
    EXPECT_EQ(Couleur(1, 1), CouleurMaximum);
    EXPECT_EQ(P(3, 1), "9,00");
    EXPECT_EQ(P(4, 1), "0,00");
}

// m/s only where sigma reaches a thousandth; elsewhere the cell keeps its text.
TEST_F(StatGrille, MeanOverSigmaOnlyWithASpread) {
    Remplit({{"9,00", "4,00", "10", "10"}, {"11,00", "4,00", "10,0015", "10,002"}});
    o.resultats.GrilleRefP.FixeLignes(LignesStatistiques);
    for (int c = 2; c <= 4; ++c) o.resultats.GrilleRefP.FixeTexte(7, c, "ancien");
    Stat();
    // 10 / 1; sigma 0; sigma 0.00075; sigma 0.001.
    EXPECT_EQ((std::vector{P(7, 1), P(7, 2), P(7, 3), P(7, 4)}),
              (std::vector<std::string>{"10,00", "ancien", "ancien", "10001,0"}));
}

// Every number of a column in that column's one format (one decimal for the
// volume of spores 2D, FDECIMAL for the others); a measure under way counts
// in the moments only.
TEST_F(StatGrille, GridValuesAgreeWithReference) {
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> longueur(6, 14), largeur(3, 7);
    for (int i = 0; i < 120; ++i) {
        AjouteValeur(o, longueur(gen));
        AjouteValeur(o, largeur(gen));
    }
    AjouteValeur(o, 9.5);
    for (const std::string fDecimal : {"###0.00", "###0"}) {
        o.parametres.fDecimal = fDecimal;
        Stat();
        Deciles();
        for (int c = 1; c <= 4; ++c) {
            std::vector<double> tous, x;
            for (int r = 1; r <= o.mesure.LigneCourante; ++r) {
                tous.push_back(LitDecimal(o.mesure.GrilleRef.Texte(r, c)));
                if (r < o.mesure.LigneCourante && tous.back() > 0.0001)
                    x.push_back(std::round(tous.back() * 10000) / 10000);
            }
            std::sort(x.begin(), x.end());
            const Reference ref = MomentsDeReference(tous);
            auto f = [&](double v) { return FormatNombre(v, c == 4 ? "###0.0" : fDecimal, ','); };
            const std::vector<std::string> attendu = {f(ref.moyenne),
                                                      f(ref.sigma),
                                                      f(ref.skew),
                                                      f(ref.kurt),
                                                      f(ref.moyenne / ref.sigma),
                                                      std::to_string(x.size()),
                                                      f(RangInterpole(x, 1)),
                                                      f((x[59] + x[60]) / 2),
                                                      f(RangInterpole(x, 9))};
            EXPECT_EQ((std::vector{P(1, c), P(4, c), P(5, c), P(6, c), P(7, c), P(8, c), P(9, c),
                                   P(10, c), P(11, c)}),
                      attendu)
                << fDecimal << " column " << c;
        }
    }
    EXPECT_EQ(o.resultats.NbLignes[1], 120);
}

TEST_F(StatGrille, VolumeOf3DSporesFromTheComputedMeans) {
    Choisit(3);
    // Means 10, 6, 5; sigmas 1, 0.5, 1; each sigma weighted by the product of the two other means.
    Remplit({{"9", "5,5", "4"}, {"11", "6,5", "6"}});
    Stat();
    EXPECT_NEAR(o.resultats.VolApprox, 3.14159 * 300 / 6, 1e-9);
    EXPECT_NEAR(o.resultats.SigmaVol, std::sqrt(60.0 * 60 + 25 * 25 + 30 * 30) * 3.14159 / 6, 1e-9);
    // The volume uses the means as computed: 9.6, though shown as 10 with no decimal.
    o.parametres.fDecimal = "###0";
    Remplit({{"9,6", "6", "5"}, {"9,6", "6", "5"}});
    Stat();
    EXPECT_EQ(P(1, 1), "10");
    EXPECT_NEAR(o.resultats.VolApprox, 3.14159 * 9.6 * 30 / 6, 1e-9);
    EXPECT_EQ(o.resultats.SigmaVol, 0);
    // Thickness measured on two lines of five: the empty cells are no zeros.
    Remplit({{"9", "5"}, {"10", "5"}, {"11", "", "4,2"}, {"10", "6"}, {"12", "", "4,4"}});
    EXPECT_NEAR(Dominante(o.mesure, 3), 4.3, 1e-12);
}

TEST_F(StatGrille, UntickedCalcStatFreezesLinesOneToSeven) {
    Remplit({{"9,00", "4,00"}, {"11,00", "6,00"}});
    Stat();
    o.controles.Coche(Controle::CaseCalculStat, false);
    orv::Clic(o, Controle::CaseCalculStat);
    Remplit({{"9,00", "4,00"}, {"11,00", "6,00"}, {"13,00", "8,00"}});
    Stat();
    EXPECT_EQ(P(1, 1), "10,00");
    EXPECT_EQ(o.resultats.GrilleRefP.CouleurFond(), CouleurStatArretees);
    // cmdStat still refreshes the order statistics.
    orv::Clic(o, Controle::StatistiquesOrdre);
    EXPECT_EQ(P(8, 1), "3");
    EXPECT_EQ(P(10, 1), "11,00");
    o.controles.Coche(Controle::CaseCalculStat, true);
    orv::Clic(o, Controle::CaseCalculStat);
    EXPECT_EQ(o.resultats.GrilleRefP.CouleurFond(), CouleurGrilles);
    EXPECT_EQ(P(1, 1), "11,00");
}

TEST_F(StatGrille, OrderStatisticsNeverKeepAStaleMedian) {
    Remplit({{"5"}, {"6"}, {"7"}, {"8"}, {"9"}});
    Deciles();
    EXPECT_EQ(P(10, 1), "7,00");
    EffaceGrille(o, true);
    EXPECT_EQ(o.resultats.Mediane[1], 0);
    Remplit({{"2,5"}});
    Deciles();
    // No decile below eleven values: the cells stay empty.
    EXPECT_EQ((std::vector{P(8, 1), P(9, 1), P(10, 1), P(11, 1)}),
              (std::vector<std::string>{"1", "", "2,50", ""}));
    Remplit({});
    Deciles();
    EXPECT_EQ(P(8, 1), "0");
    EXPECT_EQ(P(10, 1), "0,00");
}

// Densities far below a ten-thousandth: their statistics keep the three
// significant digits of their cells, in the grid and in the results text, and
// every line counts in the order statistics.
TEST_F(StatGrille, DensitiesKeepTheirDigitsAndEveryLine) {
    Choisit(13);
    Remplit({{"40000", "3", "0,0000750", "0,00866"},
             {"25000", "3", "0,000120", "0,0110"},
             {"800", "2", "0,00250", "0,0500"},
             {"500", "2", "0,00400", "0,0632"}});
    RecalculeStatistiques(o);
    // Mean 0.00167375, median (0.00012 + 0.0025) / 2.
    EXPECT_EQ((std::vector{P(1, 3), P(2, 3), P(3, 3), P(8, 3), P(10, 3)}),
              (std::vector<std::string>{"0,00167", "0,0000750", "0,00400", "4", "0,00131"}));
    const std::string t = ConstruitTexteResultats(o);
    for (const auto& [libelle, valeur] :
         {std::pair{"Moy", "0,00167"}, {"Min", "0,0000750"}, {"Max", "0,00400"}}) {
        const size_t debut = t.find("\r\n" + std::string(libelle) + " ");
        ASSERT_NE(debut, std::string::npos) << libelle;
        EXPECT_NE(t.substr(debut, t.find('\r', debut + 2) - debut).find(valeur), std::string::npos)
            << libelle;
    }
}

TEST_F(StatGrille, CdecileRefusesColumnsOutsideItsVectors) {
    Remplit({{"5", "1"}, {"6", "2"}});
    o.mesure.NbColStat = 12;
    for (int c : {9, -1, 40}) Cdecile(o.mesure, o.resultats, c);
    o.mesure.NbColStat = 1;
    Cdecile(o.mesure, o.resultats, 2); // beyond NbColStat
    EXPECT_EQ(o.resultats.NbLignes[2], 0);
    Cdecile(o.mesure, o.resultats, 1);
    EXPECT_EQ(o.resultats.NbLignes[1], 2);
}

TEST_F(StatGrille, FunctionChangeLeavesNoStatisticsInOtherColumns) {
    Choisit(3);
    Remplit({{"9", "5,5", "4,5", "1,6", "2"}, {"11", "6,5", "5,5", "1,7", "2,2"}});
    RecalculeStatistiques(o);
    EXPECT_EQ(P(1, 5), "2,10");
    Choisit(2); // seven columns: column 5 is now the image column
    Remplit({{"9", "5,5", "1,6", "142,5"}, {"11", "6,5", "1,7", "243,3"}});
    RecalculeStatistiques(o);
    for (int l = 0; l <= 11; ++l) EXPECT_EQ(P(l, 5), "") << l;
    for (int l = 4; l <= 11; ++l) EXPECT_EQ(P(l, 6), "") << l;
    EXPECT_EQ(P(0, 6), "index");
    EXPECT_EQ(P(8, 4), "2");
}

} // namespace
} // namespace orv
