// Undo and redo of the grid's changes, driven as the user drives them.
#include "SessionTrame.h"

#include "app/CommandesResultats.h"
#include "app/Historique.h"
#include "measure/CommentaireLigne.h"

namespace orv::test {
namespace {

// The work as the user sees it: values, comments, loader and factors, marks,
// statistics, and whether quitting asks to save.
struct Vu {
    Releve releve;
    std::vector<std::vector<SegmentTrace>> marques;
    std::vector<std::string> statistiques;
    bool nonSauve = false;
};

Vu Voit(const Orvelle& o) {
    Vu v{Releve_(o), {}, {}, TravailNonSauve(o)};
    for (int l = 1; l < o.mesure.LigneCourante; ++l) {
        const auto& s = o.mesure.TraceLignes[static_cast<size_t>(l)].segments;
        v.marques.emplace_back(s.begin(), s.end());
    }
    const auto& g = o.resultats.GrilleRefP;
    for (int l = 0; l < g.Lignes(); ++l)
        for (int c = 0; c < g.Colonnes(); ++c) v.statistiques.push_back(g.Texte(l, c));
    return v;
}

void AttendVu(const Vu& a, const Vu& b, const std::string& cas) {
    AttendMeme(a.releve, b.releve, cas);
    EXPECT_EQ(b.marques, a.marques) << cas;
    EXPECT_EQ(b.statistiques, a.statistiques) << cas;
    EXPECT_EQ(b.nonSauve, a.nonSauve) << cas;
}

class Historiques : public SessionTrame {};

// Random sequences of every change the grid knows, undone to the start and
// redone to the end.
TEST_F(Historiques, ToutAnnulerPuisToutRefaire) {
    const std::string csv = std::string(ORVELLE_TEST_DATA) + "/csv/export.csv";
    for (unsigned graine = 1; graine <= 6; ++graine) {
        SCOPED_TRACE("graine " + std::to_string(graine));
        std::mt19937 g(graine);
        o = Session();
        Orvelle& x = *o;
        TroisImages(x, g);
        MontreStatistiques(x, true);
        MesureGrille(x, g, 4);
        const std::string trame = Fichier("travail.trm");
        ASSERT_TRUE(SauveTrame(x, trame));
        MesureGrille(x, g, 2);
        x.historique = Historique{};
        SuitHistorique(x);
        const Vu debut = Voit(x);

        std::uniform_int_distribution<int> op(0, 9);
        for (int i = 0; i < 25; ++i) {
            const auto& m = x.mesure;
            switch (op(g)) {
            case 0:
            case 1:
            case 2:
                if (m.NumFonction == 2 && x.controles(Controle::AnnulerGrille).actif) {
                    // Half a spore: undo waits for the measure to be whole.
                    const PointTwips a = Point(g);
                    Glisse(x, a, Loin(g, a));
                    const Vu moitie = Voit(x);
                    const int refus = p.Compte("flash");
                    orv::Clic(x, Controle::AnnulerGrille);
                    EXPECT_EQ(p.Compte("flash"), refus + 1);
                    AttendVu(moitie, Voit(x), "half a measure");
                }
                MesureGrille(x, g, 1);
                break;
            case 3:
                orv::Clic(x, Controle::EffaceLigne);
                break;
            case 4:
                do orv::Clic(x, Controle::EffaceArriere);
                while (MesureEnCours(m));
                break;
            case 5:
                if (m.LigneCourante < 2) break;
                SelectionneCellule(x, 1, m.GrilleRef.Colonnes() - 1);
                x.controles.Texte(Controle::TexteCommentaire, "note " + std::to_string(i));
                orv::Clic(x, Controle::CommentaireValider);
                break;
            case 6:
                p.reponses.push_back(true);
                orv::Clic(x, Controle::RazGrille);
                break;
            case 7:
                p.reponses.push_back(true);
                p.fichiers.push_back(csv);
                orv::Clic(x, Controle::ImportCSV);
                break;
            case 8:
                p.reponses.push_back(true);
                p.fichiers.push_back(trame);
                orv::Clic(x, Controle::ChargerTrame);
                break;
            case 9:
                p.reponses.push_back(true);
                orv::Clic(x, Controle::FonctionSegment);
                break;
            }
            p.reponses.clear();
            p.fichiers.clear();
            // The window's next event: a comment written by MesureGrille is a step too.
            SuitHistorique(x);
        }
        const Vu fin = Voit(x);
        EXPECT_FALSE(x.controles(Controle::RefaireGrille).actif);
        const size_t pas = x.historique.Pas();
        ASSERT_GT(pas, 5u);
        std::vector<Vu> vus{fin};
        for (size_t k = 0; k < pas; ++k) {
            orv::Clic(x, Controle::AnnulerGrille);
            vus.push_back(Voit(x));
        }
        EXPECT_FALSE(x.controles(Controle::AnnulerGrille).actif);
        AttendVu(debut, Voit(x), "all undone");
        // Back and forth in the middle: each step is the one it was.
        for (size_t k = 0; k < pas / 2; ++k) orv::Clic(x, Controle::RefaireGrille);
        orv::Clic(x, Controle::AnnulerGrille);
        AttendVu(vus[pas - pas / 2 + 1], Voit(x), "undo after redo");
        orv::Clic(x, Controle::RefaireGrille);
        for (size_t k = pas / 2; k < pas; ++k) orv::Clic(x, Controle::RefaireGrille);
        EXPECT_FALSE(x.controles(Controle::RefaireGrille).actif);
        AttendVu(fin, Voit(x), "all redone");
    }
}

// The Edit menu names each step after the command that made it.
TEST_F(Historiques, LesPasPortentLeNomDeLaCommande) {
    AjouteValeur(*o, 10.0);
    AjouteValeur(*o, 5.0);
    const PointTwips a{2000, 2000}, b{5000, 2000};
    Glisse(*o, a, b);
    Glisse(*o, {3500, 1500}, {3500, 2500});
    EXPECT_EQ(o->controles.Texte(Controle::AnnulerGrille), "Annuler mesure");
    orv::Clic(*o, Controle::EffaceLigne);
    EXPECT_EQ(o->controles.Texte(Controle::AnnulerGrille), "Annuler Eff. ligne");
    orv::Clic(*o, Controle::AnnulerGrille);
    EXPECT_EQ(o->controles.Texte(Controle::RefaireGrille), "Refaire Eff. ligne");
    EXPECT_EQ(o->controles.Texte(Controle::AnnulerGrille), "Annuler mesure");
}

// The grid's erase buttons take the erased values' marks off the picture at
// once (what stays drawn is what a redraw draws) and the prompt names the
// value awaited then.
TEST_F(Historiques, EffacerOteSesMarques) {
    Ouvre(*o, Photo("a.jpg"));
    Choisit(*o, 2); // spores 2D
    Glisse(*o, {2000, 2000}, {5000, 2000});
    Glisse(*o, {3500, 1500}, {3500, 2500});
    const std::string longueur = o->controles.Texte(Controle::BarreEtat); // the length awaited
    Glisse(*o, {2000, 5000}, {6000, 5000}); // the second spore's length, its width under way
    auto commeUnRetrace = [&](const char* cas) {
        const auto marques = o->mesure.marques.fixes;
        RetraceImageMontree(*o);
        ASSERT_EQ(marques.size(), o->mesure.marques.fixes.size()) << cas;
        for (size_t i = 0; i < marques.size(); ++i) {
            EXPECT_EQ(marques[i].a.x, o->mesure.marques.fixes[i].a.x) << cas << i;
            EXPECT_EQ(marques[i].b.x, o->mesure.marques.fixes[i].b.x) << cas << i;
            EXPECT_EQ(marques[i].texte, o->mesure.marques.fixes[i].texte) << cas << i;
        }
    };
    const size_t avant = o->mesure.marques.fixes.size();
    orv::Clic(*o, Controle::EffaceLigne);
    EXPECT_LT(o->mesure.marques.fixes.size(), avant);
    commeUnRetrace("Eff. ligne");
    EXPECT_EQ(o->controles.Texte(Controle::BarreEtat), longueur); // the line starts again
    orv::Clic(*o, Controle::EffaceArriere);                       // the first spore's width
    commeUnRetrace("<=");
}

// Saved again after an import: undoing the import gives a work the file no
// longer holds, and quitting asks to save it.
TEST_F(Historiques, AnnulerApresUneSauvegarde) {
    AjouteValeur(*o, 10.0);
    AjouteValeur(*o, 5.0);
    const std::string trame = Fichier("travail.trm");
    ASSERT_TRUE(SauveTrame(*o, trame));
    SuitHistorique(*o);
    p.reponses.push_back(true);
    p.fichiers.push_back(std::string(ORVELLE_TEST_DATA) + "/csv/export.csv");
    orv::Clic(*o, Controle::ImportCSV);
    ASSERT_NE(o->mesure.LigneCourante, 2);
    ASSERT_TRUE(SauveTrame(*o, trame));
    SuitHistorique(*o);
    orv::Clic(*o, Controle::AnnulerGrille);
    EXPECT_EQ(o->mesure.LigneCourante, 2);
    EXPECT_TRUE(TravailNonSauve(*o));
}

TEST(Historique, CentPasEtRefaireOublieParUnChangement) {
    Historique h;
    auto pas = [](int n) {
        PasHistorique p;
        p.etat.LigneCourante = n;
        return p;
    };
    for (int n = 1; n <= 150; ++n) h.Enregistre(pas(n));
    EXPECT_EQ(h.Pas(), Historique::PasMax);
    EXPECT_EQ(h.Annule({})->etat.LigneCourante, 150);
    EXPECT_TRUE(h.PeutRefaire());
    h.Enregistre(pas(0));
    EXPECT_FALSE(h.PeutRefaire());
    for (size_t k = 0; k < Historique::PasMax; ++k) ASSERT_TRUE(h.Annule({}));
    EXPECT_FALSE(h.Annule({}));
}

} // namespace
} // namespace orv::test
