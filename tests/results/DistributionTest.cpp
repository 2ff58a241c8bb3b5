#include "results/Distribution.h"
#include "app/CommandesDistribution.h"
#include "app/CommandesResultats.h"
#include "measure/Grille.h"
#include "measure/ScenarioPointage.h"
#include "support/DossierEssai.h"

#include <filesystem>
#include <fstream>
#include <numeric>
#include <sstream>

namespace orv {
namespace {

int Somme(const Histogramme& h) {
    return std::accumulate(h.effectifs.begin(), h.effectifs.end(), 0);
}

TEST(Distribution, BinsOfTheFreedmanDiaconisWidthOrTheFallbacks) {
    // 1..255: quartiles 64 and 192 at ranks 0.25 and 0.75 of n + 1.
    std::vector<double> v(255);
    std::iota(v.begin(), v.end(), 1.0);
    Histogramme h = Distribution(v);
    EXPECT_NEAR(h.largeur, 2 * 128 / std::cbrt(255.0), 1e-9);
    EXPECT_EQ(h.effectifs.size(), static_cast<size_t>(std::ceil(254 / h.largeur)));
    EXPECT_EQ(Somme(h), 255);
    EXPECT_EQ(h.mediane, 128);

    // No spread between the quartiles: ceil(log2 7) + 1 = 4 bins over the range.
    h = Distribution({5, 5, 5, 5, 5, 5, 9});
    EXPECT_EQ(h.effectifs, (std::vector<int>{6, 0, 0, 1}));

    // One value, or all equal: one bar round it. Zeros (empty cells) are not values.
    h = Distribution({0, 7.5, 0});
    EXPECT_EQ(h.effectifs, std::vector<int>{1});
    EXPECT_TRUE(h.debut < 7.5 && 7.5 < h.debut + h.largeur);
    EXPECT_EQ((std::array{h.moyenne, h.mediane}), (std::array{7.5, 7.5}));

    // Two far outliers do not make thousands of bins.
    h = Distribution({10, 10.01, 10.02, 10.03, 10.04, 10.05, 10.06, 10.07, 500, 900});
    EXPECT_LE(h.effectifs.size(), 60u);
    EXPECT_EQ(Somme(h), 10);
    EXPECT_TRUE(Distribution({}).effectifs.empty());

    // Densities keep every value above zero, however small.
    h = Distribution({0.00005, 0.00007, 0.0002, 0}, true);
    EXPECT_EQ((std::array{Somme(h), h.n}), (std::array{3, 3}));
    EXPECT_EQ(h.mediane, 0.00007);
}

using DistributionSession = test::ScenarioPointage;

TEST_F(DistributionSession, MarksAreTheGridsStatistics) {
    Choisit(2);
    // 255 spores, the most the grid keeps.
    for (int i = 0; i < 255; ++i) {
        AjouteValeur(o, 8 + (i * 37 % 50) / 10.0);
        AjouteValeur(o, 5 + (i * 11 % 20) / 10.0);
    }
    RecalculeStatistiques(o);
    EXPECT_EQ(ColonnesDistribution(o.mesure), (std::vector<int>{1, 2, 3, 4}));
    for (size_t c = 1; c <= 4; ++c) {
        const Histogramme h = DistributionColonne(o.mesure, static_cast<int>(c));
        const auto& r = o.resultats;
        EXPECT_EQ((std::array{double(Somme(h)), h.mediane, h.d1, h.d9}),
                  (std::array{double(r.NbLignes[c]), r.Mediane[c], r.D1[c], r.D9[c]}))
            << c;
        EXPECT_NEAR(h.moyenne, r.Moyenne[c], 1e-9) << c;
    }
    EXPECT_EQ(o.resultats.NbLignes[1], 255);
    const auto points = PointsLongueurLargeur(o.mesure);
    ASSERT_EQ(points.size(), 255u);
    EXPECT_EQ(points[1], std::make_pair(11.7, 6.1));
}

TEST(Distribution, ExportAddsTheExtensionAsksBeforeReplacingAndSaysAFailure) {
    namespace fs = std::filesystem;
    const test::DossierEssai dossier{"distribution"};
    test::PlateformeFactice p;
    Orvelle o{p, dossier.string()};
    o.textes.RemplitMessages();
    const auto rendu = [] { return std::string("figure"); };
    p.fichiers = {(dossier / "lot").string(), (dossier / "lot").string(),
                  (dossier / "absent" / "x.png").string()};
    ASSERT_TRUE(ExporteGraphique(o, FormatGraphique::SVG, rendu));
    EXPECT_EQ(fs::file_size(dossier / "lot.svg"), 6u); // "figure"
    p.reponses = {false};                              // "replace it?" No
    EXPECT_FALSE(ExporteGraphique(o, FormatGraphique::SVG, [] { return std::string("autre!"); }));
    EXPECT_EQ(test::Lit(dossier / "lot.svg"), "figure");
    EXPECT_FALSE(ExporteGraphique(o, FormatGraphique::PNG, rendu));
    EXPECT_EQ(p.Compte("message"), 1);
}

} // namespace
} // namespace orv
