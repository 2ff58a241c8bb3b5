// The CSV export: the layout around what the reference export (tests/data)
// does not show (the "txt" cells, fewer than 11 values, spores 3D), and the
// two commands with their refusals, questions and the comment panel.
#include "results/ExportCSV.h"
#include "app/CommandesMesure.h"
#include "app/CommandesResultats.h"
#include "app/Fenetre.h"
#include "base/FichierTexte.h"
#include "interface/TableControles.h"
#include "measure/Fonctions.h"
#include "measure/Grille.h"
#include "support/DossierEssai.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>

namespace orv {
namespace {

namespace fs = std::filesystem;
using V = std::vector<std::string>;

using test::Lit;

class ExportCSVTest : public ::testing::Test {
protected:
    void SetUp() override {
        o = std::make_unique<Orvelle>(p, dossier.string());
        Demarrage(*o);
        Activation(*o);
        o->resultats.exportCSV.horloge = [] { return Horodatage{"05/03/2024", "14:07:09"}; };
        p.Oublie();
    }

    void Fonction(int n) {
        RAZ_Grille_total(*o);
        o->mesure.NumFonction = n;
        SelectionneFonction(*o);
    }
    // Two spores measured on image 1: 10 x 5 and 15 x 6.
    void DeuxSpores() {
        o->images.IndexImage = 1;
        for (double v : {10.0, 5.0, 15.0, 6.0}) AjouteValeur(*o, v);
    }
    V Lignes() { return LignesExport(*o, {"05/03/2024", "14:07:09"}); }

    test::DossierEssai dossier{"export"};
    test::PlateformeFactice p;
    std::unique_ptr<Orvelle> o;
};

// Without a clock of its own the export is dated by the local one.
TEST(HorodatageExport, DateEtHeureLocales) {
    const Horodatage h = HorodatageExport({});
    EXPECT_TRUE(std::regex_match(h.date, std::regex(R"(\d\d/\d\d/\d{4})"))) << h.date;
    EXPECT_TRUE(std::regex_match(h.heure, std::regex(R"(\d\d:\d\d:\d\d)"))) << h.heure;
}

// After an import: an empty line, then the imported file's name alone.
TEST_F(ExportCSVTest, CellulesTxtEtEnTeteApresImport) {
    DeuxSpores();
    o->resultats.extensionExport = "txt";
    o->parametres.indPres = true;
    o->resultats.FichierCSVImporte = "/donnees/ancien.csv";
    const auto l = Lignes();
    ASSERT_GE(l.size(), 24u);
    EXPECT_EQ(
        (V{l[1], l[4], l[5], l[6]}),
        (V{"indépendance Résolution", "", "CSV importé : ancien.csv", "num\t;fichier calibrage"}));
    EXPECT_EQ((V{l[11], l[12], l[14], l[15], l[23]}),
              (V{"N°\t;Long.\t;Larg.\t;Q\t;V\t;img\t;comment\t;",
                 "1\t;10,00\t;5,00\t;2,00\t;130,9\t;1\t;\t;", "\t;\t;\t;\t;\t;\t;\t;",
                 "N°\t;Long.\t;Larg.\t;Q\t;V\t;\t;index\t;", "Effectif = \t;2\t;2\t;2\t;2\t;\t;"}));
}

TEST_F(ExportCSVTest, SegmentsEtSpores3D) {
    Fonction(1);
    for (double v : {4.0, 6.0, 8.0}) AjouteValeur(*o, v);
    auto l = Lignes();
    ASSERT_GE(l.size(), 30u);
    // No decile below 11 values (empty cells); mean 6, sigma sqrt(8/3) = 1.633.
    EXPECT_EQ((V{l[7], l[9], l[13], l[22], l[23], l[27], l.back()}),
              (V{"3 mesures", "N°; Longueur; img; comment; ", "; ; ; ; ", "Effectif = ; 3; ; ",
                 "1er décile; ; ; ", "Longueur : N=3; m ± sigma ;(4,00 )4,37 - 7,63(8,00)",
                 "Longueur : N= 3 ; m ± sigma ; (4,00)4,37-7,63(8,00)"}));
    // From 11 values on, the deciles.
    for (double v : {5.0, 7.0, 4.0, 6.0, 8.0, 5.0, 7.0, 6.0}) AjouteValeur(*o, v);
    l = Lignes();
    EXPECT_NE(std::find(l.begin(), l.end(), "Longueur : N=11; D1,9 ;(4,00 )4 - 8(8,00)"), l.end());

    // Spores 3D: the volume line comes after the summaries, and the results
    // box gets it too when the command writes the file.
    Fonction(3);
    auto& g = o->mesure.GrilleRef;
    const V lignes[2] = {{"11,00", "6,50", "5,50", "1,69", "2,00"},
                         {"9,00", "5,50", "4,50", "1,64", "2,00"}};
    for (int r = 1; r <= 2; ++r) {
        g.FixeTexte(r, 0, std::to_string(r));
        for (int c = 1; c <= 5; ++c) g.FixeTexte(r, c, lignes[r - 1][size_t(c - 1)]);
        g.FixeTexte(r, 6, "0");
    }
    o->mesure.LigneCourante = 3;
    l = Lignes();
    const std::string volume = "Vol. Approx.3D = 157,08  Sigma_Vol = 25,78";
    const auto vol = std::find(l.begin(), l.end(), volume);
    ASSERT_NE(vol, l.end());
    EXPECT_EQ((V{*(vol - 1), *(vol + 1), *(vol + 3), l.back()}),
              (V{"L : N=2; m ± sigma ;(2,00 )2,00 - 2,00(2,00)", "", "Notation m ± sigma ; N = 2",
                 ""})); // the notation ends with its own line break
    o->controles.Texte(Controle::TexteResultats, "");
    p.fichiers.push_back((dossier / "spores3d.csv").string());
    ASSERT_TRUE(ExporteCSV(*o, true));
    EXPECT_EQ(o->controles.Texte(Controle::TexteResultats), volume + "\r\n");
}

TEST_F(ExportCSVTest, RefusRienAExporterEtMesureInachevee) {
    orv::Clic(*o, Controle::ExportGrilleSous);
    orv::Clic(*o, Controle::ExportGrille);
    EXPECT_EQ(p.Textes("message"), (V{"Il n'y a rien à exporter", "Il n'y a rien à exporter"}));
    p.Oublie();
    AjouteValeur(*o, 10.0); // a spore with its length only
    orv::Clic(*o, Controle::ExportGrilleSous);
    orv::Clic(*o, Controle::ExportGrille);
    EXPECT_EQ(p.Textes("flash"), (V{" mesure inachevée", " mesure inachevée"}));
    EXPECT_EQ(p.Compte("fichier") + p.Compte("question"), 0);
    EXPECT_FALSE(o->controles(Controle::CadreCommentaire).visible);
}

TEST_F(ExportCSVTest, CadreCommentaireEnModeExport) {
    DeuxSpores();
    o->mesure.GrilleRef.FixeTexte(1, 6, "première");
    o->resultats.exportCSV.commentaire = "ancien";
    orv::Clic(*o, Controle::ExportGrilleSous);
    auto& c = o->controles;
    EXPECT_TRUE(c(Controle::CadreCommentaire).visible);
    EXPECT_EQ((V{c.Texte(Controle::CadreCommentaire), c.Texte(Controle::TexteCommentaire)}),
              (V{"Enregistrement grille", "ancien"}));
    EXPECT_FALSE(c(Controle::NumeroCommentaire).visible);
    // "annuler" drops the edit: the comment stays, nothing is written.
    c.Texte(Controle::TexteCommentaire, "abandonné");
    orv::Clic(*o, Controle::CommentaireAnnuler);
    EXPECT_FALSE(c(Controle::CadreCommentaire).visible);
    EXPECT_TRUE(c(Controle::NumeroCommentaire).visible);
    EXPECT_EQ(o->resultats.exportCSV.commentaire, "ancien");
    // Out of export mode the frame is no one's: its buttons do nothing.
    EXPECT_EQ(o->cadres.commentaire, ProprietaireCadre::Aucun);
    // "Valider" keeps the comment and exports through the save dialog; a name
    // without extension gets the export extension; the line comments stay.
    orv::Clic(*o, Controle::ExportGrilleSous);
    c.Texte(Controle::TexteCommentaire, "lot 12");
    p.fichiers.push_back((dossier / "lot12").string());
    orv::Clic(*o, Controle::CommentaireValider);
    EXPECT_EQ(o->resultats.exportCSV.commentaire, "lot 12");
    EXPECT_EQ(o->resultats.exportCSV.modeCadre10, ModeCadre10::Commentaire);
    EXPECT_FALSE(c(Controle::CadreCommentaire).visible);
    EXPECT_EQ(o->mesure.GrilleRef.Texte(1, 6), "première");
    const auto lignes = LitLignesFichier((dossier / "lot12.csv").string());
    ASSERT_TRUE(lignes);
    EXPECT_EQ((*lignes)[5], "lot 12");
}

TEST_F(ExportCSVTest, EcraserSeulementApresOK) {
    DeuxSpores();
    const fs::path f = dossier / "mesures.csv";
    { std::ofstream(f, std::ios::binary) << "ancien contenu"; }
    // Save dialog on an existing file: Cancel leaves it whole.
    p.fichiers.push_back(f.string());
    p.reponses.push_back(false);
    EXPECT_FALSE(ExporteCSV(*o, true));
    EXPECT_EQ(Lit(f), "ancien contenu");
    EXPECT_EQ(p.Textes("question"), V{f.string() + "\r\nécraser le fichier existant ?"});
    // A cancelled dialog writes nothing and asks nothing. The dialog starts
    // beside the work's grid file.
    o->trame.chemin = (dossier / "trames" / "travail.trm").string();
    o->images.cheminImage = "/photos/lot.jpg";
    p.fichiers.push_back(std::nullopt);
    EXPECT_FALSE(ExporteCSV(*o, true));
    EXPECT_EQ(p.Compte("question"), 1);
    EXPECT_EQ(p.dernierPropose, (dossier / "trames" / "lot.csv").string());
    // "Export grille" rewrites the default file: data folder, image name
    // ("mesures" without one), extension.
    EXPECT_EQ(NomBaseExport(""), "mesures");
    o->parametres.repData = dossier.string();
    o->images.cheminImage = "/photos/v1.2/spores.ech.jpg";
    const fs::path defaut = dossier / "spores.csv";
    p.Oublie();
    orv::Clic(*o, Controle::ExportGrille);
    EXPECT_EQ(p.Textes("message"), V{"erreur fichier :  " + defaut.string()});
    EXPECT_FALSE(fs::exists(defaut));
    { std::ofstream(defaut, std::ios::binary) << "ancien"; }
    p.reponses = {false, true};
    orv::Clic(*o, Controle::ExportGrille);
    EXPECT_EQ(Lit(defaut), "ancien");
    orv::Clic(*o, Controle::ExportGrille);
    EXPECT_EQ(Lit(defaut),
              OctetsExport(o->ui, o->mesure, o->resultats, o->parametres, ContexteExportDe(*o),
                           HorodatageExport(o->resultats.exportCSV)));
    EXPECT_EQ(p.Compte("fichier"), 0);
}

} // namespace
} // namespace orv
