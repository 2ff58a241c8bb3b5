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
    std::string Octets() const {
        std::ifstream in(Chemin(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void EcritFichier(const std::string& octets) const {
        std::ofstream(Chemin(), std::ios::binary) << octets;
    }
    void Stocke(const std::string& commentaire) {
        Clic("bout", 25); // command 4
        o->controles.Texte("TBox", 0, commentaire);
        Clic("bout", 20);
    }
};

TEST_F(CalibragePanneau, FirstStoreCreatesTheFileThenAppends) {
    o->CoefCalibrage = 0.25;
    Clic("MnuEDit", 4);
    Stocke("obj 40");
    EXPECT_EQ(p.Textes("message"), std::vector<std::string>{"création " + Chemin()});
    EXPECT_EQ(Octets(), "ne pas modifier les donn\xE9"
                        "es num\xE9riques !\r\n\r\n\r\nobj 40 =  0,25 \r\n");
    EXPECT_EQ(o->calibrage.ListCalib, std::vector<std::string>{"obj 40 = 0,25"});
    EXPECT_FALSE(o->controles("Frame", 7).visible);

    p.Oublie();
    o->CoefCalibrage = 0.0625;
    Clic("MnuEDit", 4);
    Stocke("obj 100");
    EXPECT_EQ(p.Compte("message"), 0);
    const auto lignes = LitLignesFichier(Chemin());
    ASSERT_TRUE(lignes);
    ASSERT_EQ(lignes->size(), 5u);
    EXPECT_EQ((*lignes)[3], "obj 40 =  0,25 ");
    EXPECT_EQ((*lignes)[4], "obj 100 =  0,0625 ");
}

TEST_F(CalibragePanneau, CommentWithEqualsIsRefused) {
    Clic("MnuEDit", 4);
    Stocke("x = 3");
    EXPECT_EQ(p.Textes("message"),
              std::vector<std::string>{"le commentaire ne doit pas contenir de signe ' = "});
    EXPECT_FALSE(FichierExiste(Chemin())); // nothing created either
    EXPECT_TRUE(o->calibrage.ListCalib.empty());

    const std::string avant = "ligne 1\r\n\r\n\r\na = 1 \r\n";
    EcritFichier(avant);
    Stocke("=");
    Stocke("a=b");
    EXPECT_EQ(Octets(), avant);
    EXPECT_EQ(o->controles("TBox", 0).couleur, 0xFFFFFFu);
}

TEST_F(CalibragePanneau, LoadChooseAndValidate) {
    EcritFichier("ne pas modifier\r\n\r\n\r\nabc = 0,5\r\n   \r\nsans egal\r\nxyz = 1.5\n");
    Clic("MnuEDit", 4);
    Clic("bout", 24); // command 3
    EXPECT_EQ(o->calibrage.ListCalib, (std::vector<std::string>{"abc = 0,5", "xyz = 1.5"}));
    EXPECT_EQ(Texte("StatusBar1"), " Choisir le calibrage dans la liste puis valider");
    EXPECT_EQ(Texte("label", 3), "Chargement fichier de calibrage");
    EXPECT_FALSE(o->controles("bout", 20).actif); // a row first
    EXPECT_FALSE(o->controles("bout", 23).actif);

    ListCalib_Click(*o, 0);
    EXPECT_EQ(Texte("TBox", 0), "0,5");
    EXPECT_TRUE(o->controles("bout", 20).actif);
    EXPECT_FALSE(o->controles("bout", 24).actif);
    EXPECT_EQ(Texte("label", 7), " Valider le coefficient de calibrage");
    o->IndexImage = 2;
    Clic("bout", 20);
    EXPECT_DOUBLE_EQ(o->CoefCalibrage, 0.5);
    EXPECT_DOUBLE_EQ(o->CalibrageImage[2], 0.5);
    EXPECT_EQ(Texte("label", 5), "Cal.=0,5000\n6,0000 µm/px");
    EXPECT_FALSE(o->controles("Frame", 7).visible);

    // Either decimal separator.
    Clic("MnuEDit", 4);
    Clic("bout", 24);
    ListCalib_Click(*o, 1);
    Clic("bout", 20);
    EXPECT_DOUBLE_EQ(o->CoefCalibrage, 1.5);
}

TEST_F(CalibragePanneau, StoredLineThatIsNoNumberIsRefused) {
    EcritFichier("h\r\n\r\n\r\nabc = beaucoup\r\nzero = 0\r\n");
    o->CoefCalibrage = 0.3;
    for (int ligne : {0, 1}) {
        p.Oublie();
        Clic("MnuEDit", 4);
        Clic("bout", 24);
        ListCalib_Click(*o, ligne);
        Clic("bout", 20);
        EXPECT_EQ(p.Textes("message"), std::vector<std::string>{" erreur donnée de calibrage"});
        EXPECT_DOUBLE_EQ(o->CoefCalibrage, 0.3);
    }
}

TEST_F(CalibragePanneau, LoadingWithoutFileKeepsTheList) {
    o->calibrage.ListCalib = {"gardé = 2"};
    Clic("MnuEDit", 4);
    Clic("bout", 24);
    EXPECT_EQ(p.Textes("message"),
              std::vector<std::string>{"le fichier de calibrage n'existe pas"});
    EXPECT_EQ(o->calibrage.ListCalib, std::vector<std::string>{"gardé = 2"});
    ListCalib_Click(*o, 5); // no such row
    EXPECT_EQ(o->calibrage.selectionCalib, -1);
}

TEST_F(CalibragePanneau, CorrectionBox) {
    o->CoefCalibrage = 0.25;
    Clic("MnuEDit", 4);
    Clic("bout", 44);
    const auto& k = o->controles;
    EXPECT_TRUE(k("Frame", 14).visible);
    EXPECT_EQ(Texte("Frame", 14), "");
    EXPECT_EQ(Texte("bout", 44), "fermer correction");
    EXPECT_TRUE(k("TBox", 0).actif);

    o->controles.Texte("TBox", 1, "2");
    Clic("Command1", 0);
    EXPECT_DOUBLE_EQ(o->CoefCalibrage, 0.5);
    EXPECT_EQ(Texte("TBox", 0), "0,5");
    EXPECT_EQ(Texte("label", 5), "Cal.=0,5000\n6,0000 µm/px");

    Clic("Command1", 1); // back to the factor the box opened with
    EXPECT_DOUBLE_EQ(o->CoefCalibrage, 0.25);
    EXPECT_EQ(Texte("TBox", 0), "0,25");

    for (const std::string coefficient : {"0", "-2", "abc", ""}) {
        SCOPED_TRACE(coefficient);
        p.Oublie();
        o->controles.Texte("TBox", 0, "0,25");
        o->controles.Texte("TBox", 1, "3");
        Clic("Command1", 0);
        ASSERT_DOUBLE_EQ(o->CoefCalibrage, 0.75);
        o->controles.Texte("TBox", 1, coefficient);
        Clic("Command1", 0);
        EXPECT_EQ(p.Textes("message"), std::vector<std::string>{" erreur donnée de calibrage"});
        EXPECT_DOUBLE_EQ(o->CoefCalibrage, 0.25);
    }

    Clic("bout", 44);
    EXPECT_FALSE(k("Frame", 14).visible);
    EXPECT_EQ(Texte("bout", 44), "Correction calibrage");
    EXPECT_FALSE(k("TBox", 0).actif);
}

TEST_F(CalibragePanneau, ResolutionAndPointingOptions) {
    ASSERT_TRUE(Clic("Optn", 2));
    EXPECT_TRUE(o->parametres.indPres);
    EXPECT_FALSE(o->controles("Optn", 1).coche);
    EXPECT_TRUE(o->controles("Optn", 2).coche);
    EXPECT_DOUBLE_EQ(o->FacteurResolution, 1.0);

    Clic("Optn", 1);
    EXPECT_FALSE(o->parametres.indPres);
    EXPECT_TRUE(o->controles("Optn", 1).coche);
    EXPECT_FALSE(o->controles("Optn", 2).coche);
    EXPECT_DOUBLE_EQ(o->FacteurResolution, 2.0);
    // No picture: the factor stays usable.
    o->vue.FixeImage(0, 0);
    o->controles.Texte("lblWidth", SansIndex, "");
    Clic("Optn", 1);
    EXPECT_DOUBLE_EQ(o->FacteurResolution, 1.0);

    Clic("Optn", 4);
    EXPECT_TRUE(o->controles("TBox", 2).actif);
    EXPECT_FALSE(o->controles("bout", 27).actif);
    EXPECT_FALSE(o->controles("Optn", 3).coche);
    Clic("Optn", 3);
    EXPECT_FALSE(o->controles("TBox", 2).actif);
    EXPECT_TRUE(o->controles("bout", 27).actif);
    EXPECT_FALSE(o->controles("Optn", 4).coche);

    EXPECT_FALSE(Clic("Optn", 5)); // the pointing mode is not the calibration's
}

TEST_F(CalibragePanneau, EditingTheFile) {
    ASSERT_TRUE(Clic("bout", 6));
    EXPECT_EQ(p.Textes("message"),
              std::vector<std::string>{"Etalonner et sauver le calibrage préalablement"});
    EXPECT_EQ(p.Compte("editeur"), 0);

    p.Oublie();
    EcritFichier("h\r\n\r\n\r\n");
    Clic("bout", 6);
    EXPECT_EQ(p.Textes("editeur"), std::vector<std::string>{Chemin()});
    EXPECT_EQ(p.Compte("message"), 0);

    p.Oublie();
    p.editeurDisponible = false;
    Clic("bout", 6);
    EXPECT_EQ(p.Compte("message"), 1); // said, not silent
}

TEST(CalibrageEditeur, CandidatesInOrder) {
    auto c = CommandesEditeur("code -w", "vim");
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0].programme, "code");
    EXPECT_EQ(c[0].arguments, std::vector<std::string>{"-w"});
    EXPECT_EQ(c[1].programme, "vim");
    EXPECT_TRUE(c[1].arguments.empty());
    EXPECT_EQ(c[2].programme, "xdg-open");

    c = CommandesEditeur("", "  ");
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].programme, "xdg-open");

    // Quotes keep a blank inside one word; nothing else is interpreted.
    c = CommandesEditeur("'/opt/mon editeur/ed' --nouveau \"a b\" $(rm)", "");
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].programme, "/opt/mon editeur/ed");
    EXPECT_EQ(c[0].arguments, (std::vector<std::string>{"--nouveau", "a b", "$(rm)"}));
}

} // namespace
} // namespace orv::test
