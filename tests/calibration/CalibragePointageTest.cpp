#include "calibration/Calibrage.h"

#include "SessionCalibrage.h"
#include "measure/Pointage.h"

namespace orv::test {
namespace {

using CalibragePointage = SessionCalibrage;

TEST_F(CalibragePointage, ByLengthFromEtalonnerToFactor) {
    Pointe(10); // a measure taken before stays
    Clic(Controle::Etalonner);
    EXPECT_TRUE(CalibrageEnAttente(o->calibrage));
    EXPECT_EQ(o->controles(Controle::Etalonner).couleur, 0x0000FFu);
    EXPECT_EQ(Texte(Controle::BarreEtat), "pointer N divisions du micromètre oculaire");
    o->images.IndexImage = 2;
    AfficheCalibrage(*o);
    // 12 pixel units a picture pixel ("Ind. Dim."): 1 µm per unit is 12 µm per pixel.
    EXPECT_EQ(Texte(Controle::LegendeCalibrage), "Cal.=1,0000  non calibré\n12,0000 µm/px");
    Pointe(400);
    EXPECT_TRUE(o->controles(Controle::CadreSaisie).visible);
    EXPECT_EQ(Texte(Controle::InviteSaisie), "entrer la longueur");
    // Nothing typed for the user while the factor means nothing; the unit and
    // the segment in picture pixels beside the field.
    EXPECT_EQ(Texte(Controle::TexteSaisie), "");
    EXPECT_EQ(Texte(Controle::UniteSaisie), "µm");
    EXPECT_EQ(Texte(Controle::PixelsSaisie), "segment pointé : 33,3 px");

    Saisit("100");
    EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.25);
    EXPECT_DOUBLE_EQ(o->calibrage.CalibrageImage[2], 0.25);
    EXPECT_DOUBLE_EQ(o->calibrage.CalibrageImage[1], 1.0); // other slots keep theirs
    EXPECT_EQ(Texte(Controle::LegendeCalibrage), "Cal.=0,2500\n3,0000 µm/px");
    EXPECT_FALSE(CalibrageEnAttente(o->calibrage));
    EXPECT_FALSE(o->controles(Controle::CadreSaisie).visible);
    EXPECT_FALSE(o->controles(Controle::Etalonner).couleur.has_value());
    // Only the calibration segment's line leaves the grid.
    EXPECT_EQ(Cellule(1, 1), "10,00");
    EXPECT_EQ(Cellule(2, 1), "");
    EXPECT_EQ(o->mesure.LigneCourante, 2);
    // The next segment is an ordinary measure, in micrometres.
    Pointe(40);
    EXPECT_EQ(Cellule(2, 1), "10,00");

    // Calibrated, a new calibration offers the segment's length in micrometres.
    Clic(Controle::Etalonner);
    Pointe(400);
    EXPECT_EQ(Texte(Controle::TexteSaisie), "100,00");
    Clic(Controle::SaisieAnnule);
    // A segment pointed on the picture: its marks go with its value.
    Clic(Controle::Etalonner);
    ClicImage(*o, Bouton::Gauche, {}, {1000, 1000});
    RelacheImage(*o, Bouton::Gauche, {}, {5000, 1000});
    ASSERT_FALSE(o->mesure.marques.fixes.empty());
    Saisit("50");
    EXPECT_TRUE(o->mesure.marques.fixes.empty());
}

TEST_F(CalibragePointage, SegmentEndingAHalfMeasuredLineTakesOnlyItsValue) {
    Fonction(2); // spores 2D: two values a line
    Pointe(50);  // the length of a spore
    Clic(Controle::Etalonner);
    Pointe(500); // the calibration segment becomes the width
    Saisit("100");
    EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.2);
    EXPECT_EQ(Cellule(1, 1), "50,00");
    EXPECT_EQ(Cellule(1, 2), "");
    EXPECT_EQ(o->mesure.LigneCourante, 1);
    EXPECT_EQ(o->mesure.Etape, 2);
}

// Dragged on the picture as the user does it: once the factor is taken, the
// prompt names the value awaited again and the segment's reading is gone.
TEST_F(CalibragePointage, AfterTheFactorThePromptAwaitsTheNextMeasure) {
    Fonction(2);
    auto glisse = [&](int x0, int x1) {
        ClicImage(*o, Bouton::Gauche, {}, {x0, 1000});
        RelacheImage(*o, Bouton::Gauche, {}, {x1, 1000});
    };
    glisse(1000, 3000);
    glisse(1000, 2000); // a whole spore: its length is awaited
    const std::string invite = Texte(Controle::BarreEtat);
    ASSERT_NE(invite.find("pointer maintenant"), std::string::npos);
    Clic(Controle::Etalonner);
    glisse(1000, 5000);
    ASSERT_NE(Texte(Controle::LectureMesure), "");
    Saisit("50");
    EXPECT_EQ(Texte(Controle::BarreEtat), invite);
    EXPECT_EQ(Texte(Controle::LectureMesure), "");
    EXPECT_EQ(o->mesure.LigneCourante, 2);
    EXPECT_EQ(o->mesure.Etape, 1);
}

TEST_F(CalibragePointage, EntryBounds) {
    const struct {
        std::string saisie, message; // no message: accepted
    } cas[] = {{"10000", ""},  {"10000,01", "Maxi 10000"}, {"1e9", "Maxi 10000"},
               {"0.0001", ""}, {"0,00009", "Mini 0.0001"}, {"-5", "Mini 0.0001"}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.saisie);
        o->calibrage.CoefCalibrage = 1.0;
        p.Oublie();
        Clic(Controle::Etalonner);
        Pointe(100);
        Saisit(c.saisie);
        if (c.message.empty()) {
            EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, std::stod(c.saisie) / 100);
            EXPECT_EQ(p.Compte("message"), 0);
            EXPECT_FALSE(CalibrageEnAttente(o->calibrage));
            continue;
        }
        ASSERT_EQ(p.Textes("message"), std::vector<std::string>{c.message});
        // Refused: still pending, the dialogue and the segment's line stay.
        EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 1.0);
        EXPECT_TRUE(CalibrageEnAttente(o->calibrage));
        EXPECT_TRUE(o->controles(Controle::CadreSaisie).visible);
        EXPECT_EQ(Cellule(1, 1), "100,00");
        // A valid entry then ends it.
        Saisit("25");
        EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.25);
        EXPECT_EQ(Cellule(1, 1), "");
    }
}

// A calibration that ends without a factor: the factor stays, the
// segment's line goes, the measures before it stay.
TEST_F(CalibragePointage, EndedWithoutAFactor) {
    const std::vector<std::string> rien, invalide{"donnée valeur invalide,"}, mini{"Mini 0.0001"};
    const struct {
        std::string saisie; // "annule": cancelled
        double longueur;
        std::vector<std::string> flash, message;
    } cas[] = {
        {"0", 100, invalide, mini},      {"abc", 100, invalide, mini}, {"", 100, invalide, mini},
        {"100", 0, rien, {"alerte 99"}}, // a segment of no length: a run-time error
        {"annule", 100, rien, rien},
    };
    Pointe(7);
    for (const auto& c : cas) {
        SCOPED_TRACE(c.saisie);
        p.Oublie();
        Clic(Controle::Etalonner);
        Pointe(c.longueur);
        if (c.saisie == "annule")
            Clic(Controle::SaisieAnnule);
        else
            Saisit(c.saisie);
        EXPECT_EQ(p.Textes("flash"), c.flash);
        EXPECT_EQ(p.Textes("message"), c.message);
        EXPECT_FALSE(CalibrageEnAttente(o->calibrage));
        EXPECT_FALSE(o->controles(Controle::CadreSaisie).visible);
        EXPECT_FALSE(o->controles(Controle::Etalonner).couleur.has_value());
        EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 1.0);
        EXPECT_EQ(Cellule(1, 1), "7,00");
        EXPECT_EQ(Cellule(2, 1), "");
        EXPECT_EQ(o->mesure.LigneCourante, 2);
    }
}

TEST_F(CalibragePointage, GraduationsWithObjectiveAndAutomaticFormat) {
    o->parametres.decimAuto = true;
    o->parametres.fDecimal = "###0.000";
    Clic(Controle::EtalonnageResolution);
    Clic(Controle::OptionCalibrageGraduations);
    o->controles.Texte(Controle::TexteObjectif, "40");
    Clic(Controle::CalibragePortion); // command 2
    EXPECT_TRUE(CalibrageEnAttente(o->calibrage));
    EXPECT_FALSE(o->controles(Controle::CadreCalibrage).visible);
    EXPECT_FALSE(o->controles(Controle::Loupe).actif);
    Pointe(500);
    EXPECT_EQ(Texte(Controle::InviteSaisie), "entrer le nombre de division pour l'objectif x 40");
    Saisit("50");
    // 50 divisions of 100 / 40 micrometres over 500 pixel units.
    EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.25);
    EXPECT_TRUE(o->controles(Controle::Loupe).actif);
    EXPECT_EQ(Cellule(1, 1), "");
    // The automatic format follows the final factor, not the divisions' count.
    o->controles.Texte(Controle::TexteObjectif, "100");
    Clic(Controle::CalibragePortion);
    Pointe(1000);
    Saisit("10"); // 10 divisions of 1 micrometre: factor 0.01, x = 200
    EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.01);
    EXPECT_EQ(o->parametres.fDecimal, "###0.00");
    // Without DECIMAUTO the format stays.
    o->parametres.decimAuto = false;
    Clic(Controle::Etalonner);
    Pointe(1000);
    Saisit("50");
    EXPECT_EQ(o->parametres.fDecimal, "###0.00");
    // Refused without a usable objective.
    for (const std::string objectif : {"", "0", "x4"}) {
        SCOPED_TRACE(objectif);
        p.Oublie();
        o->controles.Texte(Controle::TexteObjectif, objectif);
        Clic(Controle::CalibragePortion);
        Pointe(500);
        Saisit("50");
        EXPECT_EQ(p.Textes("message"), std::vector<std::string>{"alerte 99"});
        EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.05);
        EXPECT_FALSE(CalibrageEnAttente(o->calibrage));
        EXPECT_EQ(Cellule(1, 1), "");
    }
}

TEST(CalibrageFormat, AutomaticFormat) {
    // The tests are strict: x = 10 stays with "###0", x = 1 changes nothing.
    const struct {
        double coef;
        const char* format;
    } cas[] = {{0.05, "###0.0"}, {0.01, "###0.00"}, {5, "###0.000"},
               {0.2, "###0"},    {2, "###0.000"},   {0, "###0.000"}};
    for (const auto& c : cas)
        EXPECT_EQ(FormatAutomatique(2000, c.coef, "###0.000"), c.format) << c.coef;
}

TEST_F(CalibragePointage, ObjectiveStandardTwoSteps) {
    Pointe(12); // a measure taken before stays
    o->images.IndexImage = 1;
    Clic(Controle::CalibrageObjectif); // command 6
    EXPECT_EQ(Texte(Controle::BarreEtat), "pointer les extrémités du segment étalon");
    EXPECT_DOUBLE_EQ(o->calibrage.FacteurResolution, 2.0); // "Ind. Dim." on a 2000-pixel image
    Pointe(400);
    EXPECT_EQ(Texte(Controle::InviteSaisie), "entrer la longueur de l'étalon");
    Saisit("100");
    // The stage micrometer gives the true factor at once.
    EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.25);
    EXPECT_TRUE(CalibrageEnAttente(o->calibrage));
    EXPECT_FALSE(o->controles(Controle::CadreSaisie).visible);
    EXPECT_EQ(Cellule(2, 1), "");

    Pointe(200);
    EXPECT_EQ(Texte(Controle::InviteSaisie), "entrer le nombre de divisions");
    EXPECT_EQ(Texte(Controle::TexteSaisie), ""); // a count, never a length
    EXPECT_EQ(Texte(Controle::UniteSaisie), "divisions");
    Saisit("20");
    // (200 x 100) / (20 x 400): both segments read in pixel units.
    EXPECT_EQ(p.Textes("message"), std::vector<std::string>{" 1 division représente  2,500"});
    EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.25);
    EXPECT_DOUBLE_EQ(o->calibrage.CalibrageImage[1], 0.25);
    EXPECT_FALSE(CalibrageEnAttente(o->calibrage));
    EXPECT_EQ(Cellule(1, 1), "12,00");
    EXPECT_EQ(Cellule(2, 1), "");
    EXPECT_EQ(o->mesure.LigneCourante, 2);

    // Cancelled at the second step: the stage's factor stays.
    Clic(Controle::CalibrageObjectif);
    Pointe(400);
    Saisit("50");
    Pointe(200);
    Clic(Controle::SaisieAnnule);
    EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.125);
    EXPECT_FALSE(CalibrageEnAttente(o->calibrage));
    EXPECT_EQ(o->mesure.LigneCourante, 2);
}

// Slot factors are pinned with the loader; outside the table nothing is read or written.
TEST_F(CalibragePointage, NoFactorSlotOutsideTheTable) {
    o->images.IndexImage = 60;
    o->calibrage.CoefCalibrage = 0.7;
    MontreCalibrageImage(*o);
    CalibrageNouvelleImage(o->calibrage, 60);
    EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.7);
}

} // namespace
} // namespace orv::test
