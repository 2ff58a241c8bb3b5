// orvelle-cli detect and graduations on made pictures: the lines printed
// against the truth, the grid file written by detect -o read back by the
// program with the same values, and the refusals.
#include "app/SessionTrame.h"

#include "LanceCli.h"

#include "SyntheseMicrometre.h"
#include "SyntheseSpores.h"
#include "base/Nombres.h"
#include "base/Texte.h"

#include <cmath>
#include <sstream>

namespace orv::test {
namespace {

struct LigneSpore {
    double x = 0, y = 0, longueur = 0, largeur = 0, q = 0, angle = 0, score = 0;
};

std::vector<LigneSpore> Spores(const std::string& sortie) {
    std::vector<LigneSpore> r;
    for (const auto& l : DecoupeLignes(sortie)) {
        if (l.empty()) continue;
        std::istringstream in(l);
        std::string c[7];
        for (auto& x : c) in >> x;
        EXPECT_FALSE(c[6].empty()) << l;
        std::string reste;
        EXPECT_FALSE(in >> reste) << l;
        r.push_back({LitDecimal(c[0]), LitDecimal(c[1]), LitDecimal(c[2]), LitDecimal(c[3]),
                     LitDecimal(c[4]), LitDecimal(c[5]), LitDecimal(c[6])});
    }
    return r;
}

class CliContourTest : public SessionTrame {
protected:
    void SetUp() override {
        SessionTrame::SetUp();
        fs::create_directories(dossier / "home");
        synthese::ParametresChamp parametres;
        parametres.largeur = 700;
        parametres.hauteur = 500;
        parametres.graine = 9;
        parametres.seules = 6;
        parametres.paires = 1;
        parametres.amas = 0;
        parametres.coupees = 1;
        parametres.floues = 0;
        parametres.debris = 3;
        parametres.hyphe = false;
        champ = synthese::GenereChamp(parametres);
        image = Photo("champ.bmp");
        ASSERT_TRUE(synthese::EcritBmp(champ.image, image));
    }

    ResultatCli Lance(const std::string& arguments) {
        return LanceCli(dossier, "--home '" + (dossier / "home").string() + "' " + arguments);
    }

    const synthese::SporeVraie* Verite(double x, double y) const {
        for (const auto& s : champ.spores)
            if (std::hypot(s.x - x, s.y - y) < s.largeur / 3) return &s;
        return nullptr;
    }

    synthese::Champ champ;
    std::string image;
};

TEST_F(CliContourTest, DetectPrintsTheSporesStandingAloneInReadingOrder) {
    auto r = Lance("--decimal-separator , detect '" + image + "' --scale 0.1");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(Lignes(r.erreurs), 1) << r.erreurs; // what was left out
    EXPECT_EQ(r.sortie.find('.'), std::string::npos) << r.sortie;
    const auto s = Spores(r.sortie);
    int seules = 0;
    for (const auto& v : champ.spores) seules += v.Seule();
    ASSERT_EQ(static_cast<int>(s.size()), seules) << r.sortie;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto* v = Verite(s[i].x, s[i].y);
        ASSERT_NE(v, nullptr) << i;
        EXPECT_TRUE(v->Seule()) << i;
        // Micrometres at 0.1 per pixel.
        EXPECT_NEAR(s[i].longueur, 0.1 * v->longueur, 0.06) << i;
        EXPECT_NEAR(s[i].largeur, 0.1 * v->largeur, 0.06) << i;
        EXPECT_NEAR(s[i].q, v->longueur / v->largeur, 0.05) << i;
        if (v->longueur / v->largeur > 1.3) {
            EXPECT_LT(std::abs(std::remainder(s[i].angle - v->angle, 180.0)), 2) << i;
        }
        EXPECT_GT(s[i].score, 0.5) << i;
        EXPECT_LE(s[i].score, 1) << i;
        // Reading order: a spore is below the previous one's row, or right of it.
        if (i > 0) {
            EXPECT_TRUE(s[i].y > s[i - 1].y + 10 || s[i].x > s[i - 1].x) << i;
        }
    }
}

TEST_F(CliContourTest, DetectInARegionBetweenLengths) {
    // Pixels without --scale; the left half of the picture.
    auto r = Lance("detect '" + image + "' --region 0 0 350 500");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    int attendues = 0;
    for (const auto& v : champ.spores)
        if (v.Seule() && v.x + v.longueur / 2 + 2 < 350) ++attendues;
    const auto s = Spores(r.sortie);
    EXPECT_EQ(static_cast<int>(s.size()), attendues);
    for (const auto& l : s) {
        EXPECT_LT(l.x, 350);
        const auto* v = Verite(l.x, l.y);
        ASSERT_NE(v, nullptr);
        EXPECT_NEAR(l.longueur, v->longueur, 0.6);
    }
    // The lengths asked for in the output's unit: micrometres with --scale.
    double longueurMediane = 0;
    {
        std::vector<double> l;
        for (const auto& v : champ.spores)
            if (v.Seule()) l.push_back(v.longueur);
        std::sort(l.begin(), l.end());
        longueurMediane = l[l.size() / 2];
    }
    r = Lance("detect '" + image + "' --scale 0.5 --min-length " +
              TexteNombre(0.5 * longueurMediane, '.'));
    ASSERT_EQ(r.code, 0) << r.erreurs;
    for (const auto& l : Spores(r.sortie)) EXPECT_GE(l.longueur, 0.5 * longueurMediane);
    EXPECT_LT(Spores(r.sortie).size(), Spores(Lance("detect '" + image + "'").sortie).size());
}

TEST_F(CliContourTest, DetectWritesAGridFileTheProgramReadsBackWithTheSameValues) {
    const std::string trame = Fichier("champ.trm");
    auto r = Lance("detect '" + image + "' --scale 0.2 -o '" + trame + "'");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    const auto s = Spores(r.sortie);
    ASSERT_GE(s.size(), 5u);

    auto y = Session();
    ASSERT_EQ(ChargeTrame(*y, trame), ResultatChargement::Charge);
    ASSERT_EQ(y->mesure.LigneCourante, static_cast<int>(s.size()) + 1);
    const auto& g = y->mesure.GrilleRef;
    // Whole pixel units (a twelfth of a pixel) times the factor, shown to
    // a hundredth.
    const double tolerance = 0.2 / 12 + 0.006;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const int l = static_cast<int>(i) + 1;
        EXPECT_NEAR(LitDecimal(g.Texte(l, 1)), s[i].longueur, tolerance) << l;
        EXPECT_NEAR(LitDecimal(g.Texte(l, 2)), s[i].largeur, tolerance) << l;
        EXPECT_EQ(g.Texte(l, g.Colonnes() - 1), "auto") << l;
    }
    EXPECT_EQ(Lance("results '" + trame + "'").code, 0);

    // An existing file is replaced only when asked.
    r = Lance("detect '" + image + "' -o '" + trame + "'");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.erreurs.find("--force"), std::string::npos) << r.erreurs;
    EXPECT_EQ(Lance("detect '" + image + "' -o '" + trame + "' --force").code, 0);
}

TEST_F(CliContourTest, GraduationsPrintsThePeriodTheDivisionsAndTheirSpread) {
    synthese::ParametresMicrometre echelle;
    echelle.periode = 48.37;
    echelle.divisions = 12;
    echelle.largeur = 900;
    echelle.hauteur = 400;
    echelle.y0 = 300;
    echelle.inclinaison = 1.5;
    const auto m = synthese::GenereMicrometre(echelle);
    const std::string f = Photo("micrometre.bmp");
    ASSERT_TRUE(synthese::EcritBmp(m.image, f));
    const double h = echelle.courte / 2;
    auto ligne = [&](double k0, double k1) {
        return " " + TexteNombre(m.X(k0, h), '.') + " " + TexteNombre(m.Y(k0, h), '.') + " " +
               TexteNombre(m.X(k1, h), '.') + " " + TexteNombre(m.Y(k1, h), '.');
    };
    auto r = Lance("graduations '" + f + "'" + ligne(-0.4, 10.4));
    ASSERT_EQ(r.code, 0) << r.erreurs;
    std::istringstream in(r.sortie);
    std::string periode, divisions, dispersion;
    in >> periode >> divisions >> dispersion;
    EXPECT_NEAR(LitDecimal(periode), echelle.periode, 0.02) << r.sortie;
    EXPECT_EQ(divisions, "10");
    EXPECT_LT(LitDecimal(dispersion), 0.2);
    EXPECT_EQ(Lignes(r.sortie), 1);

    // Across one division: refused, exit 1, one line.
    r = Lance("graduations '" + f + "'" + ligne(2.8, 4.2));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(Lignes(r.erreurs), 1);
    EXPECT_NE(r.erreurs.find("fewer than two divisions"), std::string::npos) << r.erreurs;
    EXPECT_EQ(r.sortie, "");
    // Over the empty medium.
    r = Lance("graduations '" + f + "' 100 20 800 20");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.erreurs.find("no graduations"), std::string::npos) << r.erreurs;
}

TEST_F(CliContourTest, RefusesWhatItCannotDoInOneLine) {
    const std::string texte = Photo("pas-une-image.bmp");
    std::ofstream(texte) << "not a picture";
    struct Cas {
        std::string arguments, message;
        int code;
    };
    const Cas cas[] = {
        {"detect '" + texte + "'", "not a picture", 2},
        {"detect '" + Photo("absente.png") + "'", "no such file", 2},
        {"detect '" + image + "' --region 600 400 200 200", "region is not inside the picture", 2},
        {"detect '" + image + "' --region -5 0 100 100", "region is not inside the picture", 2},
        {"detect '" + image + "' --region 0 0 0 100", "region is not inside the picture", 2},
        {"detect '" + image + "' --region 0 0 10", "needs X Y W H", 2},
        {"detect '" + image + "' --region 0 0 1.5 10", "not a whole number", 2},
        {"detect '" + image + "' --scale abc", "not a number above 0", 2},
        {"detect '" + image + "' --scale -0.1", "not a number above 0", 2},
        {"detect '" + image + "' --min-length 50 --max-length 40", "--max-length", 2},
        {"detect '" + image + "' --txt", "belongs to the export command", 2},
        {"results '" + image + "' --scale 0.1", "belongs to the detect command", 2},
        {"graduations '" + texte + "' 1 2 300 2", "not a picture", 2},
        {"graduations '" + image + "' 1 2 300", "needs IMAGE X1 Y1 X2 Y2", 2},
        {"graduations '" + image + "' 1 2 300 x", "not a number", 2},
        {"graduations '" + image + "' 1 2 900 2", "line is not inside the picture", 2},
        {"graduations '" + image + "' 10 10 14 10", "shorter than 8 pixels", 1},
    };
    for (const Cas& c : cas) {
        const auto r = Lance(c.arguments);
        EXPECT_EQ(r.code, c.code) << c.arguments << "\n" << r.erreurs;
        EXPECT_EQ(Lignes(r.erreurs), 1) << c.arguments << "\n" << r.erreurs;
        EXPECT_NE(r.erreurs.find(c.message), std::string::npos) << c.arguments << "\n" << r.erreurs;
        EXPECT_EQ(r.sortie, "") << c.arguments;
    }
}

} // namespace
} // namespace orv::test
