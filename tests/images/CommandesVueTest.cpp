// The view commands as the user meets them: the zoom read-out in a comma
// locale, the zoom buttons and their limits, the resize rule, showing a new
// picture, dragging the picture and the magnifier.
#include "images/CommandesVue.h"

#include "app/CommandesImages.h"
#include "app/Orvelle.h"
#include "interface/TableControles.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orv {
namespace {

class CommandesVue : public ::testing::Test {
protected:
    CommandesVue() : o(plateforme, "/tmp") {
        o.images.vue.FixeBoite(15000, 10000);
        AfficheNouvelleImage(o, "/photos/spores.jpg", {3000, 2000});
        VueInitiale(o);
    }
    const std::string& Lecture() { return o.controles.Texte(Controle::LectureZoom); }

    test::PlateformeFactice plateforme; // comma as the decimal separator
    Orvelle o;
};

TEST_F(CommandesVue, LectureDuZoomAvecLaVirgule) {
    EXPECT_EQ(o.images.vue.ExposantZoom(), -2);
    EXPECT_EQ(Lecture(), "Z= 0,705");
    ClicZoom(o, Controle::ZoomMoins);
    ClicZoom(o, Controle::ZoomMoins);
    EXPECT_EQ(Lecture(), "Z= 0,5");
    ClicZoom(o, Controle::Zoom1); // "Z1"
    ClicZoom(o, Controle::ZoomPlus);
    ClicZoom(o, Controle::ZoomPlus);
    EXPECT_EQ(o.images.vue.ExposantZoom(), -4);
    EXPECT_EQ(Lecture(), "Z= 1");
}

TEST_F(CommandesVue, ZMoinsSArreteALaLargeurEntiere) {
    ClicZoom(o, Controle::ZoomMoins);
    ClicZoom(o, Controle::ZoomMoins);
    EXPECT_EQ(o.images.vue.ExposantZoom(), 0);
    const auto version = o.images.versionVue;
    ClicZoom(o, Controle::ZoomMoins); // does nothing at all
    EXPECT_EQ(o.images.vue.ExposantZoom(), 0);
    EXPECT_EQ(o.images.versionVue, version);

    // An odd exponent with steps of 2 stops at the whole width too.
    ClicZoom(o, Controle::ZoomPlus); // e = -1
    ClicZoom(o, Controle::ZoomPas);  // steps of 2
    ClicZoom(o, Controle::ZoomMoins);
    EXPECT_EQ(o.images.vue.ExposantZoom(), 0);
    EXPECT_LE(o.images.vue.FacteurZoom(), 1.0);
}

TEST_F(CommandesVue, PasDeZoomEtSaLegende) {
    EXPECT_EQ(o.controles.Texte(Controle::ZoomPas), "<<");
    ClicZoom(o, Controle::ZoomPas);
    EXPECT_EQ(o.controles.Texte(Controle::ZoomPas), ">>");
    EXPECT_EQ(o.images.vue.PasZoom(), 2);
    ClicZoom(o, Controle::ZoomPlus);
    EXPECT_EQ(o.images.vue.ExposantZoom(), -4);
    ClicZoom(o, Controle::ZoomPas);
    EXPECT_EQ(o.controles.Texte(Controle::ZoomPas), "<<");
    ClicZoom(o, Controle::ZoomMoins);
    EXPECT_EQ(o.images.vue.ExposantZoom(), -3);
    // Z1 goes back to the initial exponent (kept though the step changed
    // after the initial view) and to the origin.
    o.images.vue.FixeOrigine(500, 700);
    ClicZoom(o, Controle::Zoom1);
    EXPECT_EQ(o.images.vue.ExposantZoom(), -2);
    EXPECT_EQ(o.images.vue.OrigineX(), 0);
    EXPECT_EQ(o.images.vue.OrigineY(), 0);
}

TEST_F(CommandesVue, RedimensionnerRemetOrigineEtExposant) {
    ClicZoom(o, Controle::ZoomPas);
    for (int i = 0; i < 3; ++i) ClicZoom(o, Controle::ZoomPlus);
    o.images.vue.FixeOrigine(1234, 5678);
    const auto version = o.images.versionVue;
    RedimensionneBoite(o, 21000, 12000);
    EXPECT_EQ(o.images.vue.LargeurBoite(), 21000);
    EXPECT_EQ(o.images.vue.HauteurBoite(), 12000);
    EXPECT_EQ(o.images.vue.OrigineX(), 0);
    EXPECT_EQ(o.images.vue.OrigineY(), 0);
    EXPECT_EQ(o.images.vue.ExposantZoom(), -2);
    EXPECT_GT(o.images.versionVue, version);
}

TEST_F(CommandesVue, NouvelleImageRemetLOrigine) {
    o.images.vue.FixeOrigine(800, 900);
    const auto image = o.images.versionImage;
    AfficheNouvelleImage(o, "/photos/autre.tif", {4000, 3000});
    EXPECT_EQ(o.images.vue.OrigineX(), 0);
    EXPECT_EQ(o.images.vue.OrigineY(), 0);
    EXPECT_EQ(o.images.cheminImage, "/photos/autre.tif");
    EXPECT_EQ(o.images.vue.LargeurPixels(), 4000);
    EXPECT_EQ(o.images.versionImage, image + 1);
    EXPECT_EQ(o.images.vue.ExposantZoom(), -2); // another picture keeps the zoom
}

// A new view drops the provisional marks (the rubber band of the old view).
TEST_F(CommandesVue, UneVueNeuveEffaceLesMarquesProvisoires) {
    o.mesure.marques.FixeProvisoires({{GenreMarque::Ligne, {0, 0}, {50, 50}, 12, {}}});
    ClicZoom(o, Controle::ZoomPlus);
    EXPECT_TRUE(o.mesure.marques.provisoires.empty());
}

TEST_F(CommandesVue, GlisserGardeLePointSousLePointeur) {
    ClicZoom(o, Controle::ZoomPlus);
    o.images.vue.FixeOrigine(20000, 10000);
    for (const PointTwips d : {PointTwips{1500, -900}, PointTwips{-4000, 2500}, PointTwips{7, 3}}) {
        const PointTwips appui{6000, 4000};
        const PointImage vise = o.images.vue.VersImage(appui);
        DeplaceImage(o.ui, o.images, d.x, d.y);
        const PointImage apres = o.images.vue.VersImage({appui.x + d.x, appui.y + d.y});
        EXPECT_NEAR(apres.x, vise.x, 1);
        EXPECT_NEAR(apres.y, vise.y, 1);
    }
    const auto version = o.images.versionVue;
    DeplaceImage(o.ui, o.images, 0, 0); // a click without motion changes nothing
    EXPECT_EQ(o.images.versionVue, version);
}

TEST_F(CommandesVue, RecentreEtZoomCentre) {
    o.images.vue.FixeOrigine(3000, 2000);
    // The picture point clicked comes to the centre of the box.
    const PointImage vise = o.images.vue.VersImage({8500, 5600});
    Recentre(o.ui, o.images, {8500, 5600});
    const PointImage centre = o.images.vue.VersImage({7500, 5000});
    EXPECT_NEAR(centre.x, vise.x, 2);
    EXPECT_NEAR(centre.y, vise.y, 2);
    // A zoom centred on a point brings that picture point to the box centre.
    const PointImage zoome = o.images.vue.VersImage({3000, 2500});
    ASSERT_TRUE(ZoomCentre(o.ui, o.images, 1, {3000, 2500}));
    EXPECT_EQ(o.images.vue.ExposantZoom(), -3);
    const PointImage apres = o.images.vue.VersImage({7500, 5000});
    EXPECT_NEAR(apres.x, zoome.x, 2);
    EXPECT_NEAR(apres.y, zoome.y, 2);

    // An exponent that would leave 16 bits leaves the view as it was.
    o.images.vue.FixeExposant(-32768);
    const auto version = o.images.versionVue;
    EXPECT_FALSE(ZoomCentre(o.ui, o.images, 1, {100, 100}));
    EXPECT_EQ(o.images.vue.ExposantZoom(), -32768);
    EXPECT_EQ(o.images.versionVue, version);
}

TEST_F(CommandesVue, ClicSurLaVignette) {
    ClicZoom(o, Controle::ZoomPlus);
    // The middle of the thumbnail is the middle of the picture, to the
    // thumbnail's whole-twip height.
    const double unTwip = o.images.vue.LargeurImage() / LargeurVignette;
    ClicVignette(o, LargeurVignette / 2.0, o.images.vue.VignetteHauteur() / 2);
    EXPECT_NEAR(o.images.vue.OrigineX(), o.images.vue.LargeurImage() / 2, 1);
    EXPECT_NEAR(o.images.vue.OrigineY(), o.images.vue.HauteurImage() / 2, unTwip);
}

TEST_F(CommandesVue, Loupe) {
    ASSERT_TRUE(o.images.loupe.active);
    BasculeLoupe(o.ui, o.images);
    EXPECT_FALSE(o.images.loupe.active);
    EXPECT_FALSE(o.controles(Controle::ImageLoupe).visible);
    EXPECT_FALSE(o.controles(Controle::Loupe).couleur.has_value());
    BasculeLoupe(o.ui, o.images);
    EXPECT_TRUE(o.images.loupe.active);
    EXPECT_TRUE(o.controles(Controle::ImageLoupe).visible);
    EXPECT_EQ(o.controles(Controle::Loupe).couleur, std::optional<std::uint32_t>(0xC0FFC0));
    // Its field is switched by the keys (the pointing's key test).
}

} // namespace
} // namespace orv
