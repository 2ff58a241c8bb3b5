// Save then load gives back the grid (values, comments, image numbers, factors)
// for random grids of every function on three pictures, at another zoom and box.
#include "SessionTrame.h"

#include "app/FichierTrame.h"
#include "app/TrameGrille.h"
#include "base/FichierTexte.h"

namespace orv::test {
namespace {

struct Cas {
    int fonction;
    bool polygoneAuto = true;
};

const Cas kFonctions[] = {{1},  {2},  {3},  {4},  {5},  {6},         {10},
                          {11}, {13}, {14}, {15}, {16}, {16, false}, {20}};

class TrameAllerRetourTest : public SessionTrame {
protected:
    // Loads `fichier` into a fresh window whose view differs from the measuring one.
    std::unique_ptr<Orvelle> Recharge(const std::string& fichier, bool indPres) {
        auto y = Session();
        y->parametres.indPres = indPres;
        y->images.vue.FixeBoite(7000, 5200);
        y->images.vue.FixeExposant(-9);
        Ouvre(*y, Photo("c.png")); // another picture shown, another current factor
        FixeCalibrage(*y, 9.75);
        EXPECT_EQ(ChargeTrame(*y, fichier), ResultatChargement::Charge) << fichier;
        return y;
    }
};

TEST_F(TrameAllerRetourTest, EveryFunctionComesBackIdentical) {
    int graine = 0;
    for (const Cas& c : kFonctions) {
        for (int tour = 0; tour < 2; ++tour) {
            ++graine;
            const std::string cas =
                "function " + std::to_string(c.fonction) + " seed " + std::to_string(graine);
            std::mt19937 g(static_cast<unsigned>(graine));
            const bool indPres = tour == 1;
            auto x = Session();
            x->parametres.indPres = indPres;
            TroisImages(*x, g);
            Choisit(*x, c.fonction, c.polygoneAuto);
            MesureGrille(*x, g, 9);
            const Releve avant = Releve_(*x);
            ASSERT_EQ(avant.cellules.size(), 9u) << cas;

            const std::string f1 = Fichier("un.trm"), f2 = Fichier("deux.trm");
            ASSERT_TRUE(SauveTrame(*x, f1)) << cas;
            auto y = Recharge(f1, indPres);
            AttendMeme(avant, Releve_(*y), cas);
            EXPECT_EQ(y->mesure.PolygoneAuto, c.polygoneAuto || c.fonction != 16) << cas;
            // Lines read from a file are saved again as they were (broken lines
            // are known without their marks).
            ASSERT_TRUE(SauveTrame(*y, f2)) << cas;
            AttendMeme(avant, Releve_(*Recharge(f2, indPres)), cas + ", second save");
            // Reloaded into the measuring window itself, at another zoom and box.
            x->images.vue.FixeBoite(15000, 11000);
            x->images.vue.FixeExposant(3);
            ASSERT_EQ(ChargeTrame(*x, f1), ResultatChargement::Charge);
            AttendMeme(avant, Releve_(*x), cas + ", same window");
            EXPECT_EQ(p.Textes("message"), std::vector<std::string>{}) << cas;
            p.Oublie();
        }
    }
}

// Without the cells (a file of an older writer), the values come from the
// points alone: the recomputation itself gives them back (that they are the
// true ones is the measuring tests' part).
TEST_F(TrameAllerRetourTest, PointsAloneGiveTheValuesBack) {
    for (int f : {1, 2, 3, 4, 5, 6, 13, 15}) {
        std::mt19937 g(static_cast<unsigned>(100 + f));
        auto x = Session();
        TroisImages(*x, g);
        Choisit(*x, f);
        // No broken lines and no counts: their values are not in the points.
        for (int i = 0; i < 6; ++i) {
            MontreEmplacement(*x, i % 3);
            const int ligne = x->mesure.LigneCourante;
            while (x->mesure.LigneCourante == ligne) {
                const PointTwips a = Point(g);
                if (f == 15) {
                    const PointTwips b = Loin(g, a);
                    Clic(*x, a);
                    Clic(*x, b);
                    Clic(*x, Loin(g, b));
                } else {
                    Glisse(*x, a, Loin(g, a));
                    if (f == 13) Clic(*x, a, Bouton::Droit); // a count of 0
                }
            }
        }
        const Releve avant = Releve_(*x);
        auto lignes = FichierTrame::Lignes(ConstruitTrame(*x), ',');
        // The cells section removed: its header and one line per grid line.
        const auto v = std::find(lignes.begin(), lignes.end(), "VALEURS= ");
        ASSERT_NE(v, lignes.end());
        lignes.erase(v, v + 1 + static_cast<long>(avant.cellules.size()));
        const std::string fichier = Fichier("ancien.trm");
        ASSERT_TRUE(EcritLignesFichier(fichier, lignes));
        auto y = Session();
        ASSERT_EQ(ChargeTrame(*y, fichier), ResultatChargement::Charge);
        AttendMeme(avant, Releve_(*y), "function " + std::to_string(f));
    }
}

// When the grid saves itself is the grid's rule; here the file written holds
// the completed lines, in the data folder, with no temporary file left.
TEST_F(TrameAllerRetourTest, AutomaticAndFullGridSavesHoldTheCompletedLines) {
    std::mt19937 g(9);
    o->parametres.savAuto = 10;
    o->parametres.tGrille = 64;
    Ouvre(*o, Photo("b.jpg"));
    Choisit(*o, 1);
    const auto relu = [&](const Releve& attendu, const std::string& cas) {
        auto y = Session();
        ASSERT_EQ(ChargeTrame(*y, Fichier(TrameSauvegarde)), ResultatChargement::Charge);
        AttendMeme(attendu, Releve_(*y), cas);
        EXPECT_EQ(y->parametres.tGrille, 64);
    };
    MesureGrille(*o, g, 50);
    const Releve cinquante = Releve_(*o);
    MesureGrille(*o, g, 1); // saved at the first value of line 51
    relu(cinquante, "automatic save");
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier / "data"), {}), 1);
    EXPECT_TRUE(fs::is_empty(dossier / "courant"));
    o->parametres.savAuto = 0;
    MesureGrille(*o, g, 13);
    p.Oublie();
    const PointTwips a = Point(g);
    Glisse(*o, a, Loin(g, a)); // a 65th value: refused, the grid saved
    EXPECT_EQ(p.Textes("message"),
              std::vector<std::string>{o->textes.Msg(214) + " : " + Fichier(TrameSauvegarde)});
    relu(Releve_(*o), "full grid");
}

} // namespace
} // namespace orv::test
