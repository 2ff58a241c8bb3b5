#include "calibration/Editeur.h"
#include "calibration/PanneauCalibrage.h"

#include "SessionCalibrage.h"
#include "base/FichierTexte.h"

#include <fstream>
#include <iterator>

namespace orv::test {
namespace {

class CalibragePanneau : public SessionCalibrage {
protected:
    std::string Octets() const { return Lit(Chemin()); }
    void EcritFichier(const std::string& octets) const {
        std::ofstream(Chemin(), std::ios::binary) << octets;
    }
    void Stocke(const std::string& commentaire) {
        Clic(Controle::EtalonnageResolution);
        Clic(Controle::CalibrageSauvegarde); // command 4
        o->controles.Texte(Controle::TexteCalibrage, commentaire);
        Clic(Controle::ValiderCalibrage);
    }
    void Charge(int ligne) {
        Clic(Controle::EtalonnageResolution);
        Clic(Controle::CalibrageCharger); // command 3
        ChoisitCalibrageListe(o->ui, o->calibrage, ligne);
    }
};

// Stored, then loaded back and chosen.
TEST_F(CalibragePanneau, StoreLoadChooseAndValidate) {
    o->calibrage.CoefCalibrage = 0.25;
    Stocke("obj 40");
    EXPECT_EQ(p.Textes("message"), std::vector<std::string>{"création " + Chemin()});
    EXPECT_EQ(o->calibrage.ListCalib, std::vector<std::string>{"obj 40 = 0,25"});
    EXPECT_FALSE(o->controles(Controle::CadreCalibrage).visible);
    p.Oublie();
    o->calibrage.CoefCalibrage = 0.0625;
    Stocke("obj 100");
    EXPECT_EQ(p.Compte("message"), 0);
    const auto l = LitLignesFichier(Chemin());
    ASSERT_TRUE(l && l->size() == 5u);
    EXPECT_EQ(std::vector<std::string>(l->begin() + 3, l->end()),
              (std::vector<std::string>{"obj 40 =  0,25 ", "obj 100 =  0,0625 "}));

    o->calibrage.ListCalib.clear();
    Charge(-1);
    EXPECT_EQ(o->calibrage.ListCalib,
              (std::vector<std::string>{"obj 40 =  0,25", "obj 100 =  0,0625"}));
    EXPECT_EQ(Texte(Controle::BarreEtat), " Choisir le calibrage dans la liste puis valider");
    EXPECT_EQ(Texte(Controle::InviteCommande), "Chargement fichier de calibrage");
    EXPECT_FALSE(o->controles(Controle::ValiderCalibrage).actif); // a row first
    EXPECT_FALSE(o->controles(Controle::CalibragePortion).actif);
    ChoisitCalibrageListe(o->ui, o->calibrage, 0);
    EXPECT_EQ(Texte(Controle::TexteCalibrage), "0,25");
    EXPECT_TRUE(o->controles(Controle::ValiderCalibrage).actif);
    EXPECT_FALSE(o->controles(Controle::CalibrageCharger).actif);
    EXPECT_EQ(Texte(Controle::InviteCalibrage), " Valider le coefficient de calibrage");
    o->images.IndexImage = 2;
    Clic(Controle::ValiderCalibrage);
    EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.25);
    EXPECT_DOUBLE_EQ(o->calibrage.CalibrageImage[2], 0.25);
    EXPECT_FALSE(o->controles(Controle::CadreCalibrage).visible);
}

TEST_F(CalibragePanneau, CommentWithEqualsIsRefused) {
    Stocke("x = 3");
    EXPECT_EQ(p.Textes("message"),
              std::vector<std::string>{"le commentaire ne doit pas contenir de signe ' = "});
    EXPECT_FALSE(FichierExiste(Chemin())); // nothing created either
    EXPECT_TRUE(o->calibrage.ListCalib.empty());
    const std::string avant = "ligne 1\r\n\r\n\r\na = 1 \r\n";
    EcritFichier(avant);
    Stocke("=");
    EXPECT_EQ(Octets(), avant);
    EXPECT_EQ(o->controles(Controle::TexteCalibrage).couleur, 0xFFFFFFu);
}

TEST_F(CalibragePanneau, RefusedLoads) {
    // No file: said, and the list stays.
    o->calibrage.ListCalib = {"gardé = 2"};
    Charge(5); // no such row
    EXPECT_EQ(p.Textes("message"),
              std::vector<std::string>{"le fichier de calibrage n'existe pas"});
    EXPECT_EQ(o->calibrage.ListCalib, std::vector<std::string>{"gardé = 2"});
    EXPECT_EQ(o->calibrage.selectionCalib, -1);
    // A stored line that is no positive number: the factor stays.
    EcritFichier("h\r\n\r\n\r\nabc = beaucoup\r\nzero = 0\r\n");
    o->calibrage.CoefCalibrage = 0.3;
    for (int ligne : {0, 1}) {
        p.Oublie();
        Charge(ligne);
        Clic(Controle::ValiderCalibrage);
        EXPECT_EQ(p.Textes("message"), std::vector<std::string>{" erreur donnée de calibrage"});
        EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.3);
    }
}

TEST_F(CalibragePanneau, CorrectionBox) {
    o->calibrage.CoefCalibrage = 0.25;
    Clic(Controle::EtalonnageResolution);
    Clic(Controle::CalibrageCorrection);
    const auto& k = o->controles;
    EXPECT_TRUE(k(Controle::CadreCorrection).visible);
    EXPECT_EQ(Texte(Controle::CalibrageCorrection), "fermer correction");
    EXPECT_TRUE(k(Controle::TexteCalibrage).actif);

    o->controles.Texte(Controle::TexteCorrection, "2");
    Clic(Controle::CorrectionAppliquer);
    EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.5);
    EXPECT_EQ(Texte(Controle::TexteCalibrage), "0,5");
    Clic(Controle::CorrectionAnnuler); // back to the factor the box opened with
    EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.25);
    EXPECT_EQ(Texte(Controle::TexteCalibrage), "0,25");

    // A refused coefficient goes back to the opening factor, not the last one.
    for (const std::string coefficient : {"0", "-2", "abc"}) {
        SCOPED_TRACE(coefficient);
        p.Oublie();
        o->controles.Texte(Controle::TexteCalibrage, "0,25");
        o->controles.Texte(Controle::TexteCorrection, "3");
        Clic(Controle::CorrectionAppliquer);
        ASSERT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.75);
        o->controles.Texte(Controle::TexteCorrection, coefficient);
        Clic(Controle::CorrectionAppliquer);
        EXPECT_EQ(p.Textes("message"), std::vector<std::string>{" erreur donnée de calibrage"});
        EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.25);
    }
    Clic(Controle::CalibrageCorrection);
    EXPECT_FALSE(k(Controle::CadreCorrection).visible);
    EXPECT_EQ(Texte(Controle::CalibrageCorrection), "Correction calibrage");
    EXPECT_FALSE(k(Controle::TexteCalibrage).actif);
}

TEST_F(CalibragePanneau, ResolutionAndPointingOptions) {
    const auto& k = o->controles;
    Clic(Controle::OptionIndRes);
    EXPECT_TRUE(o->parametres.indPres);
    EXPECT_FALSE(k(Controle::OptionIndDim).coche);
    EXPECT_DOUBLE_EQ(o->calibrage.FacteurResolution, 1.0);
    Clic(Controle::OptionIndDim);
    EXPECT_FALSE(o->parametres.indPres);
    EXPECT_TRUE(k(Controle::OptionIndDim).coche);
    EXPECT_FALSE(k(Controle::OptionIndRes).coche);
    EXPECT_DOUBLE_EQ(o->calibrage.FacteurResolution, 2.0);
    // No picture: the factor stays usable.
    o->images.vue.FixeImage(0, 0);
    Clic(Controle::OptionIndDim);
    EXPECT_DOUBLE_EQ(o->calibrage.FacteurResolution, 1.0);

    Clic(Controle::OptionCalibrageGraduations);
    EXPECT_TRUE(k(Controle::TexteObjectif).actif);
    EXPECT_FALSE(k(Controle::CalibrageObjectif).actif);
    Clic(Controle::OptionCalibragePeriode);
    EXPECT_FALSE(k(Controle::TexteObjectif).actif);
    EXPECT_FALSE(k(Controle::OptionCalibrageGraduations).coche);
    Clic(Controle::OptionCalibrageLongueur);
    EXPECT_FALSE(k(Controle::TexteObjectif).actif);
    EXPECT_TRUE(k(Controle::CalibrageObjectif).actif);
    EXPECT_FALSE(k(Controle::OptionCalibrageGraduations).coche);
    EXPECT_FALSE(k(Controle::OptionCalibragePeriode).coche);
}

TEST_F(CalibragePanneau, EditingTheFile) {
    Clic(Controle::EditerCalibrage);
    EXPECT_EQ(p.Textes("message"),
              std::vector<std::string>{"Etalonner et sauver le calibrage préalablement"});
    EXPECT_EQ(p.Compte("editeur"), 0);
    p.Oublie();
    EcritFichier("h\r\n\r\n\r\n");
    Clic(Controle::EditerCalibrage);
    EXPECT_EQ(p.Textes("editeur"), std::vector<std::string>{Chemin()});
    EXPECT_EQ(p.Compte("message"), 0);
    p.editeurDisponible = false;
    Clic(Controle::EditerCalibrage);
    EXPECT_EQ(p.Compte("message"), 1); // said, not silent
}

TEST(CalibrageEditeur, CandidatesInOrder) {
    auto c = CommandesEditeur("code -w", "vim");
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0].programme + "|" + c[0].arguments[0] + "|" + c[1].programme + "|" +
                  c[2].programme,
              "code|-w|vim|xdg-open");
    EXPECT_TRUE(c[1].arguments.empty());
    EXPECT_EQ(CommandesEditeur("", "  ").size(), 1u);
    // Quotes keep a blank inside one word; nothing else is interpreted.
    c = CommandesEditeur("'/opt/mon editeur/ed' --nouveau \"a b\" $(rm)", "");
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].programme, "/opt/mon editeur/ed");
    EXPECT_EQ(c[0].arguments, (std::vector<std::string>{"--nouveau", "a b", "$(rm)"}));
}

} // namespace
} // namespace orv::test
