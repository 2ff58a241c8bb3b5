#include "results/Notation.h"
#include "app/CommandesResultats.h"
#include "app/Fenetre.h"
#include "base/Texte.h"
#include "measure/Grille.h"
#include "measure/ScenarioPointage.h"
#include "results/Statistiques.h"
#include "results/TexteResultats.h"

#include <vector>

namespace orv {
namespace {

using V = std::vector<std::string>;

class NotationTest : public test::ScenarioPointage {
protected:
    // Segments 1, 2, ... n.
    void Segments(int n) {
        for (int i = 1; i <= n; ++i) AjouteValeur(o, i);
    }
    SourceNotation Source() const { return {o.ui, o.mesure, o.resultats, o.parametres}; }
    static V Lignes(const std::string& t) {
        V v;
        size_t debut = 0;
        for (size_t p; (p = t.find(FinDeLigne, debut)) != std::string::npos; debut = p + 2)
            v.push_back(t.substr(debut, p - debut));
        v.push_back(t.substr(debut));
        return v;
    }
    V Resultats() { return Lignes(ConstruitTexteResultats(o)); }
};

TEST_F(NotationTest, EveryFormOfTheSegmentLine) {
    Segments(11); // mean 6, sigma shown 3,16, deciles 1,2 and 10,8, dominante 6
    const char* attendus[] = {
        "Longueur : N= 11(11,00)",
        "Longueur : N= 11 ;D1,9; (1,00)1,20-10,80(11,00)",
        "Longueur : N= 11 ;D1,5,9; (1,00)1,20-6,00-10,80(11,00)",
        "Longueur : N= 11 ; m ± sigma ; (1,00)2,84-9,16(11,00)",
        // m - 1.96 sigma = -0.2: no bound beyond the extremes.
        "Longueur : N= 11 ; m ± 1.96 sigma; (1,00)1,00-11,00(11,00)",
        "Longueur : N= 11 ; dMd ; (1,00)1,20-6-10,80(11,00)",
    };
    for (int v = 0; v <= 5; ++v) {
        o.resultats.NotationEclair = v;
        EXPECT_EQ(Notation(o), attendus[v]) << v;
    }
    EXPECT_EQ(LigneNotation(Source(), 9, 1), attendus[0]);
    EXPECT_EQ(FragmentColonne(Source(), 3, 1), " (1,00)2,84-9,16(11,00)");
    EXPECT_EQ(FragmentColonne(Source(), -1, 1), "(11,00)");
    // The decimal separator is the system's.
    RAZ_Grille_total(o);
    p.separateur = '.';
    o.parametres.fDecimal = "###0.0";
    for (double x : {8.1, 9.0, 9.0, 11.2, 11.2, 12.5}) AjouteValeur(o, x);
    for (int i = 0; i < 19; ++i) AjouteValeur(o, 10.0);
    o.resultats.NotationEclair = 1;
    EXPECT_EQ(Notation(o), "Longueur : N= 25 ;D1,9; (8.1)9.0-11.2(12.5)");
}

TEST_F(NotationTest, FewerThanElevenMeasuresFallBackToMeanAndSigma) {
    Segments(10);
    for (int v : {1, 2, 4, 5}) {
        o.resultats.NotationEclair = v;
        EXPECT_EQ(Notation(o), "Longueur : N= 10 ; m ± sigma ; (1,00)2,63-8,37(10,00)") << v;
    }
    Choisit(3);
    Remplit({{"10", "5", "4", "2", "2,5"},
             {"11", "6", "5", "2", "2,2"},
             {"12", "5", "4", "2", "3"},
             {"9", "6", "4", "1,5", "2,2"},
             {"10", "6", "4", "1,7", "2,5"}});
    o.resultats.NotationEclair = 4;
    EXPECT_EQ(Lignes(Notation(o))[0], "Notation m ± sigma ; N = 5");
    // Eleven spores, three thicknesses: that column alone says its form.
    std::vector<V> lignes(11, V{"10", "5"});
    for (int k = 0; k < 3; ++k) lignes[static_cast<size_t>(k)] = {"10", "", std::to_string(4 + k)};
    Remplit(lignes);
    o.resultats.NotationEclair = 1;
    EXPECT_EQ(Lignes(Notation(o))[3], "Epaisseur :  (4,00)4,18-5,82(6,00) m ± sigma");
}

TEST_F(NotationTest, Spores3DOneLinePerColumn) {
    Choisit(3);
    std::vector<V> lignes;
    for (int k = 1; k <= 11; ++k) {
        V l;
        for (int c = 0; c < 5; ++c) l.push_back(std::to_string(k + 10 * c));
        lignes.push_back(l);
    }
    Remplit(lignes);
    o.resultats.NotationEclair = 1;
    EXPECT_EQ(Lignes(Notation(o)),
              (V{"Notation D1,9 ; N = 11", "Longueur : (1,00)1,20-10,80(11,00)",
                 "largeur :  (11,00)11,20-20,80(21,00)", "Epaisseur :  (21,00)21,20-30,80(31,00)",
                 "Q :  (31,00)31,20-40,80(41,00)", "L :  (41,00)41,20-50,80(51,00)", ""}));
    // Without values the volume is "NC".
    RAZ_Grille_total(o);
    EXPECT_NE(ConstruitTexteResultats(o).find("Vol. Approx.3D = NC \r\n"), std::string::npos);
}

TEST_F(NotationTest, Spores2DDominanteForm) {
    Choisit(2);
    for (int k = 1; k <= 11; ++k) {
        AjouteValeur(o, k);
        AjouteValeur(o, 2.05 + 0.25 * k);
    }
    o.parametres.fDecimal = "###0.0";
    o.resultats.NotationEclair = 5;
    // The dominante keeps all its decimals; the other numbers follow the format.
    EXPECT_EQ(Notation(o).rfind(
                  "Lxl: N= 11 ; dMd; (1,0)1,2-6-10,8(11,0) x (2,3)2,4-3,55-4,8(4,8) ; Q = (", 0),
              0u);
    o.resultats.NotationEclair = 3;
    EXPECT_EQ(NotationLxl(Source(), 3).rfind("Lxl:N= 11 ; m ± sigma ; (1,0)", 0), 0u);
    EXPECT_EQ(NotationLxl(Source(), 0), "Lxl: N= 11(11,0) x (4,8)");
}

TEST_F(NotationTest, CountsGiveAnEmptyNotationOnTheClipboard) {
    Choisit(10);
    p.pressePapier = "ancien";
    orv::Clic(o, Controle::CopieNotation);
    EXPECT_EQ(p.pressePapier, "");
    EXPECT_EQ(p.Compte("pressepapier"), 1);
    Choisit(1);
    Segments(3);
    orv::Clic(o, Controle::CopieNotation);
    EXPECT_EQ(p.pressePapier, "Longueur : N= 3 ; m ± sigma ; (1,00)1,18-2,82(3,00)");
}

// ---- The results text ---------------------------------------------------------

// The median line from ten measures on.
TEST_F(NotationTest, ResultsTextBlocksInOrder) {
    o.images.cheminImage = "/images/lot 3/photo.jpg";
    Segments(9);
    auto l = Resultats();
    // Deciles need eleven values: below, the mean give or take sigma, as
    // the notation then says.
    EXPECT_EQ(l[1], "Longueur : \tN =9 ; m ± sigma ; (1,00)2,42 - 7,58(9,00)");
    EXPECT_EQ(l[9].rfind("m/s", 0), 0u);
    EXPECT_EQ(l[10], "");
    AjouteValeur(o, 10);
    EXPECT_EQ(Resultats()[10].rfind("médiane", 0), 0u);
    AjouteValeur(o, 11);
    o.resultats.NotationEclair = 5;
    const std::string t = ConstruitTexteResultats(o);
    l = Lignes(t);
    EXPECT_EQ(l[0], "Image en cours : photo.jpg");
    EXPECT_EQ(l[1], "Longueur : \tN =11 ; dMd ; (1,00)1,2 - 6 - 10,8(11,00)");
    EXPECT_EQ(l[2].rfind("N°", 0), 0u);
    EXPECT_NE(l[2].find("index"), std::string::npos);
    const char* libelles[] = {"Moy", "Min", "Max", "Sigma", "Diss", "Kurt", "m/s", "médiane"};
    for (size_t i = 0; i < 8; ++i) EXPECT_EQ(l[3 + i].rfind(libelles[i], 0), 0u) << i;
    EXPECT_NE(l[3].find("6,00"), std::string::npos);
    EXPECT_NE(l[10].find("\t6,00 "), std::string::npos); // the median, formatted
    EXPECT_EQ(l[11], "");
    const std::string fin = std::string(FinDeLigne) + Notation(o);
    EXPECT_EQ(t.substr(t.size() - fin.size()), fin);
    EXPECT_EQ(p.Compte("bip"), 0);
    // An imported file is named under the image.
    o.images.cheminImage = "C:\\photos\\a.jpg";
    o.resultats.FichierCSVImporte = "C:\\data\\mesures.csv";
    l = Resultats();
    EXPECT_EQ((V{l[0], l[1]}), (V{"Image en cours : a.jpg", "CSV importé : mesures.csv"}));
}

TEST_F(NotationTest, EmptyHeaderLineBeeps) {
    Choisit(2);
    o.resultats.calculAutomatique = false;
    for (int c = 1; c < o.resultats.GrilleRefP.Colonnes(); ++c)
        o.resultats.GrilleRefP.FixeTexte(0, c, "");
    ConstruitTexteResultats(o);
    EXPECT_EQ(p.Compte("bip"), 1);
}

TEST_F(NotationTest, ResultsFrameCommands) {
    Segments(3);
    orv::Clic(o, Controle::ResultatsAfficher);
    EXPECT_TRUE(o.controles(Controle::CadreResultats).visible);
    const std::string texte = o.controles.Texte(Controle::TexteResultats);
    EXPECT_EQ(Lignes(texte)[1].rfind("Longueur : \tN =3", 0), 0u);
    orv::Clic(o, Controle::ResultatsBascule); // shown: hides
    EXPECT_FALSE(o.controles(Controle::CadreResultats).visible);
    AjouteValeur(o, 8);
    orv::Clic(o, Controle::ResultatsBascule); // hidden: rebuilds and shows
    EXPECT_TRUE(o.controles(Controle::CadreResultats).visible);
    EXPECT_NE(o.controles.Texte(Controle::TexteResultats), texte);
    orv::Clic(o, Controle::CopieResultats);
    EXPECT_EQ(p.pressePapier, o.controles.Texte(Controle::TexteResultats));
}

} // namespace
} // namespace orv
