// Measuring from the picture as the window does it, on made pictures shown
// through the fake platform: the snap through the pointing, one click, find
// all then review, what stops a search, and the grid file keeping the
// outlined lines.
#include "app/MesureAuto.h"
#include "app/CommandesCalibrage.h"
#include "app/CommandesMesure.h"
#include "app/CommandesTrame.h"
#include "app/Fenetre.h"
#include "app/Orvelle.h"
#include "app/TrameGrille.h"
#include "contour/Contour.h"
#include "interface/Messages.h"
#include "measure/Fonctions.h"
#include "measure/SporeContour.h"
#include "support/PlateformeFactice.h"

#include "SyntheseSpores.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orv::test {
namespace {

constexpr const char* kChemin = "champ.png";
constexpr double U = UnitesImageParPixel;

// A picture of 960 x 720 pixels shown whole in a box as wide as it is in
// picture units: a twip of the box is a picture unit.
class MesureAuto : public ::testing::Test {
protected:
    void Montre(const synthese::ImageRVB& im) {
        auto px = std::make_shared<PixelsImage>();
        px->largeur = im.largeur;
        px->hauteur = im.hauteur;
        px->pixels = im.pixels;
        p.pixelsAffiches[kChemin] = px;
        p.images[kChemin] = {im.largeur, im.hauteur};
        o.textes.RemplitMessages();
        o.images.cheminImage = kChemin;
        o.images.chargeur.ListIMGchar = {kChemin};
        o.images.IndexImage = 1;
        ++o.images.versionImage;
        Vue& v = o.images.vue;
        v.FixeImage(im.largeur, im.hauteur);
        v.FixeBoite(static_cast<int>(std::lround(im.largeur * U)),
                    static_cast<int>(std::lround(im.hauteur * U)));
        v.FixeExposant(0);
        v.FixeOrigine(0, 0);
        AppliqueResolution(o);
        o.mesure.NumFonction = fonction::Spores2D;
        SelectionneFonction(o);
        VeilleMesureAuto(o);
    }

    // Where a picture point (pixels) shows in the box.
    PointTwips T(double x, double y) const {
        const Vue& v = o.images.vue;
        return {static_cast<std::int32_t>(std::lround(v.VersBoiteX(x * U))),
                static_cast<std::int32_t>(std::lround(v.VersBoiteY(y * U)))};
    }
    void Glisse(double x0, double y0, double x1, double y1) {
        ClicImage(o, Bouton::Gauche, {}, T(x0, y0));
        SuitSouris(o, Bouton::Gauche, {}, T(x1, y1));
        RelacheImage(o, Bouton::Gauche, {}, T(x1, y1));
    }
    void Clique(double x, double y) { Glisse(x, y, x, y); }
    // A search started and run to its end, here.
    void CherchePartout() {
        Clic(o, Controle::TrouveSpores);
        Clique(5, 5);
        auto t = PrendTacheRecherche(o);
        ASSERT_TRUE(t);
        FinRecherche(o, t->numero, t->Execute({}));
    }
    // Segment k of line l, in pixels.
    contour::Point Bout(int l, int k, bool fin) const {
        const SegmentTrace& s = o.mesure.TraceLignes[static_cast<size_t>(l)].segments[k];
        return fin ? contour::Point{s.x2 / U, s.y2 / U} : contour::Point{s.x1 / U, s.y1 / U};
    }
    std::string Statut() const { return o.controles.Texte(Controle::BarreEtat); }

    PlateformeFactice p;
    Orvelle o{p, "."};
};

synthese::SporeSeule Spore() {
    synthese::SporeSeule s;
    s.largeurImage = 960;
    s.hauteurImage = 720;
    s.x = 480.3;
    s.y = 360.6;
    s.longueur = 60;
    s.largeur = 36;
    return s;
}

synthese::Champ Champ() {
    synthese::ParametresChamp c;
    c.largeur = 960;
    c.hauteur = 720;
    c.graine = 3;
    c.seules = 6;
    c.paires = c.amas = c.coupees = c.floues = c.debris = 0;
    c.hyphe = false;
    c.longueur = {40, 90};
    return synthese::GenereChamp(c);
}

TEST_F(MesureAuto, TheSnapMovesEndsToTheOutlineAndLeavesThemWhereNoEdgeIs) {
    const auto s = Spore();
    Montre(synthese::DessineSporeSeule(s));
    const double vu =
        synthese::DecalageBordVu(s.paroi, s.flou, s.transmissionParoi, s.transmissionInterieur);
    const double demiL = s.longueur / 2 + vu, demiW = s.largeur / 2 + vu;
    for (const bool accroche : {true, false}) {
        o.parametres.accrocheBord = accroche;
        const int l = o.mesure.LigneCourante;
        // The length by a drag, each end off the outline; the width by the
        // caliper, pressed above the spore and released below it.
        Glisse(s.x - demiL - 2, s.y, s.x + demiL + 2.5, s.y);
        Glisse(s.x - 3, s.y - demiW + 1.5, s.x + 4, s.y + demiW + 2);
        const contour::Point a = Bout(l, 1, false), b = Bout(l, 1, true);
        const contour::Point c = Bout(l, 2, false), d = Bout(l, 2, true);
        if (accroche) {
            EXPECT_NEAR(a.x, s.x - demiL, 0.3);
            EXPECT_NEAR(b.x, s.x + demiL, 0.3);
            EXPECT_NEAR(c.y, s.y - demiW, 0.3);
            EXPECT_NEAR(d.y, s.y + demiW, 0.3);
        } else {
            EXPECT_NEAR(a.x, s.x - demiL - 2, 0.03);
            EXPECT_NEAR(b.x, s.x + demiL + 2.5, 0.03);
        }
        // Along the drag, and the caliper across the length.
        EXPECT_NEAR(a.y, s.y, 0.03);
        EXPECT_NEAR(c.x, d.x, 0.03);
    }
    // Nothing near the ends: they stay as pointed, to the picture unit.
    o.parametres.accrocheBord = true;
    const int l = o.mesure.LigneCourante;
    Glisse(100, 100, 200, 150);
    EXPECT_EQ(o.mesure.TraceLignes[static_cast<size_t>(l)].segments[1],
              (SegmentTrace{T(100, 100).x, T(100, 100).y, T(200, 150).x, T(200, 150).y}));
}

TEST_F(MesureAuto, TheSnapReachesFartherWhenTheViewShowsThePictureSmaller) {
    const auto s = Spore();
    Montre(synthese::DessineSporeSeule(s));
    const double demiL =
        s.longueur / 2 +
        synthese::DecalageBordVu(s.paroi, s.flou, s.transmissionParoi, s.transmissionInterieur);
    // A screen pixel shows half a pixel of the picture, then three.
    for (const int reduction : {1, 6}) {
        Vue& v = o.images.vue;
        v.FixeBoite(25400 / reduction, 19050 / reduction);
        v.FixeExposant(0);
        const int l = o.mesure.LigneCourante;
        Glisse(s.x - demiL - 9, s.y, s.x + demiL - 1, s.y);
        EXPECT_NEAR(Bout(l, 1, false).x, s.x - demiL - (reduction == 1 ? 9 : 0), 0.3) << reduction;
        EXPECT_NEAR(Bout(l, 1, true).x, s.x + demiL, 0.3) << reduction;
        ToucheEnfoncee(o, Touche::Retour, {}); // the length erased
        ASSERT_EQ(o.mesure.Etape, 1);
    }
}

TEST_F(MesureAuto, OneClickWritesTheEnginesSporeAndUndoTakesItBack) {
    const auto s = Spore();
    const auto image = synthese::DessineSporeSeule(s);
    Montre(image);
    o.calibrage.CoefCalibrage = 0.07;
    // A click beside the spore measures nothing, and says why.
    Clic(o, Controle::FonctionUnClic);
    ASSERT_TRUE(o.mesureAuto.unClic);
    Clique(100, 100);
    EXPECT_EQ(o.mesure.LigneCourante, 1);
    EXPECT_EQ(Statut().rfind(o.textes.Mnu(mnu::PasDeSpore), 0), 0u) << Statut();

    Clique(s.x + 4, s.y - 3);
    ASSERT_EQ(o.mesure.LigneCourante, 2);
    const auto r = contour::TrouveContour({image.pixels.data(), 960, 720, 960}, {s.x + 4, s.y - 3},
                                          {20, 360, 4});
    ASSERT_TRUE(r.spore);
    // Each value is whole pixel units of its axis's ends times the factor:
    // the engine's length to within a unit.
    const Vue& v = o.images.vue;
    const double unite = o.calibrage.CoefCalibrage;
    const double parPixel =
        v.UnitesPixels({0, 0}, {25400, 0}, o.calibrage.FacteurResolution) / 960 * unite;
    const auto& valeurs = o.mesure.ValeursLignes[1];
    EXPECT_NEAR(valeurs[1], r.spore->longueur * parPixel, unite);
    EXPECT_NEAR(valeurs[2], r.spore->largeur * parPixel, unite);
    EXPECT_EQ(o.mesure.GrilleRef.Texte(1, o.mesure.GrilleRef.Colonnes() - 1), CommentaireAuto);
    EXPECT_TRUE(o.mesure.TraceLignes[1].contour);
    EXPECT_FALSE(o.mesure.GrilleRef.Texte(1, 3).empty()); // Q follows

    Clic(o, Controle::AnnulerGrille);
    EXPECT_EQ(o.mesure.LigneCourante, 1);
    EXPECT_TRUE(o.mesure.GrilleRef.Texte(1, 1).empty());
}

TEST_F(MesureAuto, FindAllThenReviewWritesTheKeptSporesInReadingOrder) {
    const auto champ = Champ();
    Montre(champ.image);
    CherchePartout();
    const auto& a = o.mesureAuto;
    ASSERT_EQ(a.phase, EtatMesureAuto::Phase::Revue);
    ASSERT_EQ(a.revue.size(), 6u);
    EXPECT_FALSE(o.mesure.marques.revue.empty());
    // The second one rejected by a click inside it, then taken back and
    // rejected again; Enter keeps the others.
    const contour::Point deux = a.revue[1].mesure.ellipse.centre;
    for (int k = 0; k < 3; ++k) Clique(deux.x, deux.y);
    ASSERT_TRUE(a.revue[1].rejetee);
    std::vector<contour::MesureSpore> gardees;
    for (const auto& s : a.revue)
        if (!s.rejetee) gardees.push_back(s.mesure);
    contour::RangeEnLecture(gardees);
    ToucheEnfoncee(o, Touche::Entree, {});

    EXPECT_EQ(a.phase, EtatMesureAuto::Phase::Aucune);
    // One undo step for them all, named as the menu's command.
    EXPECT_EQ(o.historique.NomAnnulation(), o.textes.Mnu(mnu::AccepteSpores));
    EXPECT_TRUE(o.mesure.marques.revue.empty());
    ASSERT_EQ(o.mesure.LigneCourante, 6);
    const auto& g = o.mesure.GrilleRef;
    for (int l = 1; l <= 5; ++l) {
        const contour::Point c0 = Bout(l, 1, false), c1 = Bout(l, 1, true);
        const contour::Point& c = gardees[static_cast<size_t>(l - 1)].ellipse.centre;
        EXPECT_NEAR((c0.x + c1.x) / 2, c.x, 0.1) << l;
        EXPECT_NEAR((c0.y + c1.y) / 2, c.y, 0.1) << l;
        EXPECT_EQ(g.Texte(l, g.Colonnes() - 1), CommentaireAuto);
    }
    // A second search offers the spores the grid holds already rejected.
    CherchePartout();
    int offertes = 0;
    for (const auto& s : a.revue) offertes += !s.rejetee;
    EXPECT_EQ(offertes, 1);
}

TEST_F(MesureAuto, TheGridTakesWhatFitsAndSaysHowManyWereLeft) {
    Montre(Champ().image);
    o.parametres.tGrille = 63;
    o.mesure.LigneCourante = 61;
    CherchePartout();
    ASSERT_EQ(o.mesureAuto.revue.size(), 6u);
    Clic(o, Controle::AccepteSpores);
    EXPECT_EQ(o.mesure.LigneCourante, 64);
    const auto messages = p.Textes("message");
    ASSERT_EQ(messages.size(), 1u);
    std::string attendu = o.textes.Mnu(mnu::SporesSansPlace);
    attendu.replace(attendu.find("%1"), 2, "3");
    attendu.replace(attendu.find("%2"), 2, "63");
    EXPECT_EQ(messages[0], attendu);
}

TEST_F(MesureAuto, EscStopsTheSearchAndNoSecondOneStartsBeforeItsEnd) {
    Montre(Champ().image);
    Clic(o, Controle::TrouveSpores);
    Clique(5, 5);
    auto t = PrendTacheRecherche(o);
    ASSERT_TRUE(t);
    ToucheEnfoncee(o, Touche::Echap, {});
    EXPECT_EQ(Statut(), o.textes.Mnu(mnu::RechercheArretee));
    // Its thread has not said it ended: another search waits.
    o.controles.Actif(Controle::TrouveSpores, true);
    Clic(o, Controle::TrouveSpores);
    EXPECT_EQ(o.mesureAuto.phase, EtatMesureAuto::Phase::Aucune);
    EXPECT_FALSE(o.controles(Controle::TrouveSpores).actif);

    const auto r = t->Execute({});
    EXPECT_TRUE(r.interrompue);
    FinRecherche(o, t->numero, r);
    EXPECT_EQ(o.mesureAuto.phase, EtatMesureAuto::Phase::Aucune);
    EXPECT_EQ(o.mesure.LigneCourante, 1);
    EXPECT_TRUE(o.controles(Controle::TrouveSpores).actif);
}

TEST_F(MesureAuto, AnotherPictureOrFunctionEndsASearchOrItsReview) {
    using P = EtatMesureAuto::Phase;
    const auto champ = Champ();
    for (const bool image : {true, false})
        for (const P phase : {P::Recherche, P::Revue}) {
            Montre(champ.image);
            Clic(o, Controle::TrouveSpores);
            Clique(5, 5);
            auto t = PrendTacheRecherche(o);
            ASSERT_TRUE(t);
            const auto r = t->Execute({});
            if (phase == P::Revue) FinRecherche(o, t->numero, r);
            ASSERT_EQ(o.mesureAuto.phase, phase);
            if (image) {
                ++o.images.versionImage;
            } else {
                o.mesure.NumFonction = fonction::Segment;
                SelectionneFonction(o);
            }
            VeilleMesureAuto(o);
            EXPECT_EQ(o.mesureAuto.phase, P::Aucune);
            EXPECT_EQ(Statut(), o.textes.Mnu(mnu::RechercheAbandonnee));
            if (phase == P::Recherche) {
                EXPECT_TRUE(t->arret->load());
                FinRecherche(o, t->numero, r);
            }
            EXPECT_EQ(o.mesureAuto.phase, P::Aucune);
            EXPECT_TRUE(o.mesure.marques.revue.empty());
            EXPECT_EQ(o.mesure.LigneCourante, 1);
        }
}

TEST_F(MesureAuto, TheGridFileKeepsTheOutlinedLines) {
    Montre(Champ().image);
    CherchePartout();
    Clic(o, Controle::AccepteSpores);
    // A line measured by hand beside them.
    o.parametres.accrocheBord = false;
    Glisse(20, 20, 80, 20);
    Glisse(50, 10, 50, 30);
    ASSERT_EQ(o.mesure.LigneCourante, 8);
    const Trame t = ConstruitTrame(o);
    const auto lu = FichierTrame::Lit(DecoupeLignes(FichierTrame::Octets(t, ',')));
    ASSERT_TRUE(lu);
    EXPECT_EQ(*lu.trame, t);

    std::vector<std::vector<std::string>> avant;
    const auto& g = o.mesure.GrilleRef;
    for (int l = 1; l < 8; ++l)
        for (int c = 1; c < g.Colonnes(); ++c) avant.push_back({g.Texte(l, c)});
    o.mesure.TraceLignes.fill({});
    RemplaceParTrame(o, *lu.trame);
    ASSERT_EQ(o.mesure.LigneCourante, 8);
    std::vector<std::vector<std::string>> apres;
    for (int l = 1; l < 8; ++l)
        for (int c = 1; c < g.Colonnes(); ++c) apres.push_back({g.Texte(l, c)});
    EXPECT_EQ(apres, avant);
    for (int l = 1; l < 8; ++l) EXPECT_EQ(o.mesure.TraceLignes[l].contour, l < 7) << l;
    // Reopened, an outlined line is drawn as its ellipse.
    Retrace(o.mesure, o.images.IndexImage, o.calibrage.ModeGroupe);
    int contours = 0;
    for (const auto& m : o.mesure.marques.fixes) contours += m.genre == GenreMarque::Contour;
    EXPECT_EQ(contours, 6);

    // A line number the file does not hold is refused.
    auto lignes = FichierTrame::Lignes(t, ',');
    for (auto& l : lignes)
        if (l.rfind("CONTOURS=", 0) == 0) l = "CONTOURS= 1;9;";
    EXPECT_FALSE(FichierTrame::Lit(lignes));
}

} // namespace
} // namespace orv::test
