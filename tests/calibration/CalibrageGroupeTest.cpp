#include "calibration/GroupeImages.h"

#include "SessionCalibrage.h"
#include "app/CommandesImages.h"
#include "images/Chargeur.h"

#include <algorithm>

namespace orv::test {
namespace {

// A loader of four images whose selection the test sets. The group's commands
// run as the window runs them: the displayed image list rebuilt after each.
class CalibrageGroupe : public SessionCalibrage {
protected:
    void Clic(Controle c) {
        auto& ch = o->images.chargeur;
        ch.ListIMGchar = chargeur;
        ch.selectionMultiple = selection;
        SessionCalibrage::Clic(c);
    }
    std::vector<int> Membres() const {
        std::vector<int> v;
        for (int i = 0; i < SlotsGroupe; ++i)
            if (o->calibrage.groupe.EstDansGroupe[static_cast<size_t>(i)]) v.push_back(i);
        return v;
    }

    std::vector<std::string> chargeur{"/img/a.jpg", "/img/b.jpg", "/img/c.jpg", "/img/d.jpg"};
    std::vector<int> selection;
};

// The group's list: an image added once, loader items only, "all" in the
// loader's order, a row removed, the whole list emptied. Its index list and
// its membership table always agree.
TEST_F(CalibrageGroupe, AddingAndRemoving) {
    auto& g = o->calibrage.groupe;
    const auto indices = [&](std::vector<int> attendu) {
        EXPECT_EQ(g.ListImgIdx, attendu);
        std::sort(attendu.begin(), attendu.end());
        EXPECT_EQ(Membres(), attendu);
    };
    selection = {2, 0};
    Clic(Controle::GroupeAjoute);
    Clic(Controle::GroupeAjoute);
    EXPECT_EQ(g.ListImgMC, (std::vector<std::string>{"/img/a.jpg", "/img/c.jpg"}));
    indices({0, 2});
    selection = {3, 2, 9}; // 9 is no loader item
    Clic(Controle::GroupeAjoute);
    indices({0, 2, 3});
    Clic(Controle::GroupeAjouteTout);
    EXPECT_EQ(g.ListImgMC, chargeur);
    indices({0, 1, 2, 3});
    SelectionneLigneGroupe(o->calibrage.groupe, 1);
    Clic(Controle::GroupeRetire);
    indices({0, 2, 3});
    Clic(Controle::GroupeRetire); // no row selected any more: nothing
    selection = {1};              // the removed image can come back
    Clic(Controle::GroupeAjoute);
    indices({0, 2, 3, 1});
    Clic(Controle::GroupeRetireTout);
    EXPECT_TRUE(g.ListImgMC.empty());
    indices({});
    o->controles.Visible(Controle::CadreGroupe, true);
    o->controles.Visible(Controle::CadreChargeur, true);
    Clic(Controle::GroupeOK); // closes the group and the loader
    EXPECT_FALSE(o->controles(Controle::CadreGroupe).visible);
    EXPECT_FALSE(o->controles(Controle::CadreChargeur).visible);
}

TEST_F(CalibrageGroupe, CopyingTheFactorReachesEveryGroupSlot) {
    o->images.IndexImage = 1; // loader item 0 is shown
    o->calibrage.CalibrageImage[1] = 0.3;
    o->calibrage.CoefCalibrage = 0.9;
    // The entry is offered in group mode.
    o->controles.Coche(Controle::CaseModeMC, true);
    Clic(Controle::CaseModeMC);
    // An empty group is refused without a question (one would throw).
    Clic(Controle::CalibrageGroupe);
    EXPECT_EQ(p.Textes("message"), std::vector<std::string>{"Le chargeur MC est vide"});
    EXPECT_DOUBLE_EQ(o->calibrage.CalibrageImage[3], 1.0);

    selection = {0, 2};
    Clic(Controle::GroupeAjoute);
    p.reponses = {true};
    Clic(Controle::CalibrageGroupe);
    EXPECT_EQ(
        p.Textes("question"),
        std::vector<std::string>{
            "Appliquer le calibrage de l'image à toutes les images du groupe MC\r\n continuer ? "});
    EXPECT_DOUBLE_EQ(o->calibrage.CalibrageImage[1], 0.3);
    EXPECT_DOUBLE_EQ(o->calibrage.CalibrageImage[3], 0.3);
    EXPECT_DOUBLE_EQ(o->calibrage.CalibrageImage[2], 1.0); // not grouped
    EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.9);
    // No keeps every slot.
    o->calibrage.CalibrageImage[1] = 0.4;
    p.reponses = {false};
    Clic(Controle::CalibrageGroupe);
    EXPECT_DOUBLE_EQ(o->calibrage.CalibrageImage[3], 0.3);
}

TEST_F(CalibrageGroupe, StaysInStepWithTheLoader) {
    Clic(Controle::GroupeAjouteTout);
    // Loader item 1 (b) removed: c and d move down to 1 and 2.
    chargeur.erase(chargeur.begin() + 1);
    GroupeRetireImage(o->calibrage.groupe, 1);
    EXPECT_EQ(o->calibrage.groupe.ListImgMC, chargeur);
    EXPECT_EQ(o->calibrage.groupe.ListImgIdx, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Membres(), (std::vector<int>{0, 1, 2}));
    // Double-clicking the group's "d" shows loader item 2, which is "d".
    EXPECT_EQ(MontreImageGroupe(o->ui, o->calibrage.groupe, o->mesure.Etape >= 2, 2), 2);
    // Removing an item outside the group only renumbers.
    Clic(Controle::GroupeRetireTout);
    selection = {2};
    Clic(Controle::GroupeAjoute);
    GroupeRetireImage(o->calibrage.groupe, 0);
    EXPECT_EQ(o->calibrage.groupe.ListImgIdx, std::vector<int>{1});
    EXPECT_EQ(Membres(), std::vector<int>{1});
    GroupeVide(o->calibrage.groupe);
    EXPECT_TRUE(o->calibrage.groupe.ListImgMC.empty());
    EXPECT_TRUE(Membres().empty());
}

TEST_F(CalibrageGroupe, DoubleClickIsRefusedDuringAMeasure) {
    Clic(Controle::GroupeAjouteTout);
    Fonction(2);
    Pointe(10); // a spore half measured
    EXPECT_EQ(MontreImageGroupe(o->ui, o->calibrage.groupe, o->mesure.Etape >= 2, 0), std::nullopt);
    EXPECT_EQ(p.Textes("flash"), std::vector<std::string>{" mesure inachevée"});
}

TEST_F(CalibrageGroupe, GroupModeSwitch) {
    Clic(Controle::GroupeChargeMC);
    EXPECT_TRUE(o->controles(Controle::CadreGroupe).visible);
    EXPECT_EQ(Texte(Controle::BarreEtat), " Presser 'groupe MC' pour fermer");

    // A line measured on another image is drawn only in group mode.
    o->images.IndexImage = 1;
    Pointe(10);
    o->mesure.TraceLignes[1].image = 2;
    o->mesure.TraceLignes[1].segments[1] = SegmentTrace{0, 0, 1000, 0};
    const auto version = o->mesure.marques.version;
    o->controles.Coche(Controle::CaseModeMC, true);
    Clic(Controle::CaseModeMC);
    EXPECT_TRUE(o->controles(Controle::CaseImgMC).actif);
    EXPECT_TRUE(o->controles(Controle::CalibrageGroupe).actif);
    EXPECT_FALSE(o->controles(Controle::CadreGroupe).visible);
    EXPECT_GT(o->mesure.marques.version, version); // redrawn
    EXPECT_FALSE(o->mesure.marques.fixes.empty());
    // In group mode the displayed image list is the group's.
    selection = {1};
    Clic(Controle::GroupeAjoute);
    o->images.chargeur.ListImgAff.clear();
    Clic(Controle::CaseImgMC);
    EXPECT_EQ(o->images.chargeur.ListImgAff, std::vector<std::string>{"b.jpg"});

    o->controles.Coche(Controle::CaseModeMC, false);
    Clic(Controle::CaseModeMC);
    EXPECT_EQ(o->images.chargeur.ListImgAff,
              (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "d.jpg"}));
    EXPECT_TRUE(o->mesure.marques.fixes.empty());
    EXPECT_FALSE(o->controles(Controle::CaseImgMC).actif);
}

// The group over the real loader: the images of one field browsed at one place.
class CalibrageGroupeChargeur : public SessionCalibrage {
protected:
    void SetUp() override {
        SessionCalibrage::SetUp();
        for (const char* c : {"/champ/f1.jpg", "/champ/f2.jpg", "/champ/f3.jpg"}) {
            p.images[c] = TailleImage{2000, 1500};
            ASSERT_TRUE(AjouteChemin(*o, c));
        }
    }
};

TEST_F(CalibrageGroupeChargeur, GroupModeKeepsTheOriginAndShowsTheImagesFactor) {
    Clic(Controle::GroupeAjouteTout);
    o->controles.Coche(Controle::CaseModeMC, true);
    Clic(Controle::CaseModeMC);
    DoubleClicGroupe(*o, 0);
    o->calibrage.CalibrageImage[3] = o->calibrage.CalibrageImage[2] = 0.25;
    o->images.vue.FixeExposant(-4);
    o->images.vue.FixeOrigine(5000, 7000);
    DoubleClicGroupe(*o, 2);
    EXPECT_EQ(o->images.IndexImage, 3);
    EXPECT_EQ(o->images.vue.OrigineX(), 5000);
    EXPECT_EQ(o->images.vue.OrigineY(), 7000);
    EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.25);

    // Out of group mode another image starts at the origin.
    o->controles.Coche(Controle::CaseModeMC, false);
    Clic(Controle::CaseModeMC);
    DoubleClicGroupe(*o, 1);
    EXPECT_EQ(o->images.vue.OrigineX(), 0);
    EXPECT_EQ(o->images.vue.OrigineY(), 0);
    EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.25);
}

} // namespace
} // namespace orv::test
