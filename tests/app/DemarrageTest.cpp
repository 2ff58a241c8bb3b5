// The start-up sequence, the activations and the quit question, driven as a
// user session through the scripted platform.
#include "app/CommandesMesure.h"
#include "app/CommandesResultats.h"
#include "app/Fenetre.h"
#include "base/Cp1252.h"
#include "base/FichierTexte.h"
#include "base/Texte.h"
#include "interface/TableControles.h"
#include "measure/Grille.h"
#include "support/DossierEssai.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace orv {
namespace {

namespace fs = std::filesystem;

class DemarrageTest : public ::testing::Test {
protected:
    Orvelle& Demarre() {
        o = std::make_unique<Orvelle>(p, dossier.string());
        Demarrage(*o);
        Activation(*o);
        return *o;
    }
    void Ecrit(const std::string& nom, const std::vector<std::string>& lignes) {
        ASSERT_TRUE(EcritLignesFichier((dossier / nom).string(), lignes));
    }
    std::string Entete(int c) const { return o->mesure.GrilleRef.Texte(0, c); }

    test::DossierEssai dossier{"demarrage"};
    test::PlateformeFactice p;
    std::unique_ptr<Orvelle> o;
};

TEST_F(DemarrageTest, PremierDemarrageSansParametres) {
    Orvelle& e = Demarre();
    EXPECT_TRUE(fs::exists(dossier / "Zelk.dat"));
    EXPECT_EQ(p.Compte("message"), 0); // created silently
    EXPECT_EQ(e.mesure.GrilleRef.Lignes(), 257);
    EXPECT_EQ(e.controles.Texte(Controle::LegendeCalibrage), "Cal.=1,0000  non calibré");
    EXPECT_TRUE(e.controles(Controle::CadreBienvenue).visible);
    EXPECT_FALSE(e.controles(Controle::CadreStatistiques).visible);
    EXPECT_TRUE(e.controles(Controle::NotationD19).coche);
    // The magnifier is on, and its button says so; buttons with no work behind
    // them stay disabled whatever the grid does.
    EXPECT_TRUE(e.controles(Controle::ImageLoupe).visible);
    AjouteValeur(e, 10.0);
    AjouteValeur(e, 5.0);
    EXPECT_FALSE(e.controles(Controle::StockN).actif);
    EXPECT_FALSE(e.controles(Controle::BoutonComptage).actif);
    EXPECT_FALSE(e.controles(Controle::ImageParDefaut).actif); // it could only say "non implanté"
    EXPECT_TRUE(e.controles(Controle::Loupe).couleur.has_value());
    Clic(e, Controle::Loupe);
    EXPECT_FALSE(e.controles(Controle::ImageLoupe).visible);
    EXPECT_FALSE(e.controles(Controle::Loupe).couleur.has_value());
    EXPECT_FALSE(e.controles(Controle::FormatImagePCX).actif);
}

TEST_F(DemarrageTest, ParametresLusAuDemarrage) {
    Ecrit("Zelk.dat", {"x", "AUTORETRACE=FAUX"});
    Orvelle& e = Demarre();
    // The box follows the setting at every activation, and a tick by the user
    // is the setting: it survives the next activation.
    Activation(e);
    EXPECT_FALSE(e.controles(Controle::CaseAutoRetrace).coche);
    e.controles.Coche(Controle::CaseAutoRetrace, true);
    Clic(e, Controle::CaseAutoRetrace);
    Activation(e);
    EXPECT_TRUE(e.controles(Controle::CaseAutoRetrace).coche);
    // The pointing options' boxes set the measure's flags, both ways.
    for (bool coche : {true, false}) {
        e.controles.Coche(Controle::CaseLigneBrisee, coche);
        Clic(e, Controle::CaseLigneBrisee);
        e.controles.Coche(Controle::CaseInsereDim, coche);
        Clic(e, Controle::CaseInsereDim);
        EXPECT_EQ(e.mesure.LigneBrisee, coche);
        EXPECT_EQ(e.mesure.InsereDim, coche);
    }
}

TEST_F(DemarrageTest, QuitterSansPerdreLesMesures) {
    Orvelle& e = Demarre();
    p.reponses = {false};
    Clic(e, Controle::Quitter);
    EXPECT_FALSE(e.fenetre.fermeture);
    ASSERT_EQ(p.appels.back().genre, "question");
    EXPECT_EQ(p.appels.back().texte, "Voulez-vous vraiment quitter Orvelle ?");

    // Measures not saved in a grid file: "Annuler", or "Oui" and a cancelled
    // save dialog, change nothing.
    AjouteValeur(e, 10.0);
    AjouteValeur(e, 5.0);
    p.reponses3 = {Reponse::Annuler, Reponse::Oui};
    p.fichiers = {std::nullopt};
    p.Oublie();
    Clic(e, Controle::Quitter);
    Clic(e, Controle::Quitter);
    EXPECT_FALSE(e.fenetre.fermeture);
    EXPECT_EQ(p.Textes("question")[0].rfind("Les mesures de la grille ne sont pas sauvées", 0), 0u);
    EXPECT_EQ(e.mesure.GrilleRef.Texte(1, 1), "10,00");
    // "Oui" saves them, then the program ends.
    const std::string trame = (dossier / "travail.trm").string();
    p.reponses3 = {Reponse::Oui};
    p.fichiers = {trame};
    Clic(e, Controle::Quitter);
    EXPECT_TRUE(e.fenetre.fermeture);
    EXPECT_TRUE(fs::exists(trame));
    // Saved work: the usual question only.
    e.fenetre.fermeture = false;
    p.reponses = {true};
    Clic(e, Controle::Quitter);
    EXPECT_TRUE(e.fenetre.fermeture);
    // A new measure: the question names the work's file, and "Oui" writes it
    // there, without a dialog; "Non" ends unsaved.
    e.fenetre.fermeture = false;
    AjouteValeur(e, 7.0);
    AjouteValeur(e, 3.0);
    p.reponses3 = {Reponse::Oui};
    p.Oublie();
    Clic(e, Controle::Quitter);
    EXPECT_TRUE(e.fenetre.fermeture);
    EXPECT_NE(p.Textes("question").back().find("Elles seront écrites dans : " + trame),
              std::string::npos);
    EXPECT_EQ(p.Compte("fichier"), 0);
    EXPECT_NE(LitFichier(trame, LimiteFichierDonnees).octets.value_or("").find("7,00"),
              std::string::npos);
    e.fenetre.fermeture = false;
    AjouteValeur(e, 8.0);
    p.reponses3 = {Reponse::Non};
    Clic(e, Controle::Quitter);
    EXPECT_TRUE(e.fenetre.fermeture);
}

TEST_F(DemarrageTest, TitreEtMenuMontrentLaFonctionEtLaTrame) {
    Orvelle& e = Demarre();
    EXPECT_EQ(e.controles.Texte(Controle::Fenetre), "Orvelle – Spores 2D");
    EXPECT_TRUE(e.controles(Controle::FonctionSpores2D).coche);
    Clic(e, Controle::FonctionSegment);
    EXPECT_EQ(e.controles.Texte(Controle::Fenetre), "Orvelle – Mesure segment");
    EXPECT_TRUE(e.controles(Controle::FonctionSegment).coche);
    EXPECT_FALSE(e.controles(Controle::FonctionSpores2D).coche);
    p.reponses = {true};
    Clic(e, Controle::FonctionCystides4);
    EXPECT_FALSE(e.controles(Controle::FonctionSegment).coche);
    AjouteValeur(e, 10.0);
    p.fichiers = {(dossier / "travail.trm").string()};
    Clic(e, Controle::SauverTrame);
    EXPECT_EQ(e.controles.Texte(Controle::Fenetre), "Orvelle – Cystides 4 mesures – travail.trm");
    // An emptied grid is new work: the old file's name goes from the title.
    p.reponses = {true};
    Clic(e, Controle::RazGrille);
    EXPECT_EQ(e.controles.Texte(Controle::Fenetre), "Orvelle – Cystides 4 mesures");
    // Named on the command line, the work says itself at once, and the user.
    e.parametres.utilisateur = "Jeanne";
    Clic(e, Controle::FonctionSpores2D);
    OuvreFichiersDeDemarrage(e, {(dossier / "travail.trm").string()});
    EXPECT_EQ(e.controles.Texte(Controle::Fenetre),
              "Orvelle – Cystides 4 mesures – travail.trm  /  Jeanne");
}

TEST_F(DemarrageTest, EntreesSansActionEtEntreesAVenir) {
    Orvelle& e = Demarre();
    AjouteValeur(e, 10.0);
    p.Oublie();
    const auto zelk = fs::last_write_time(dossier / "Zelk.dat");
    for (Controle c :
         {Controle::MenuAcquisition, Controle::MenuChargeur, Controle::ChargerRefCouleur,
          Controle::SauverRefCouleur, Controle::SeparateurFichiers})
        Clic(e, c);
    EXPECT_TRUE(p.appels.empty());
    EXPECT_EQ(e.mesure.GrilleRef.Texte(1, 1), "10,00");
    EXPECT_EQ(e.mesure.Etape, 2);
    EXPECT_EQ(fs::last_write_time(dossier / "Zelk.dat"), zelk);
}

TEST_F(DemarrageTest, FermerBienvenueEcritLesParametres) {
    Orvelle& e = Demarre();
    fs::remove(dossier / "Zelk.dat");
    e.controles.Coche(Controle::CaseIgnorerBienvenue, true);
    Clic(e, Controle::CaseIgnorerBienvenue);
    Clic(e, Controle::BienvenueOK);
    EXPECT_FALSE(e.controles(Controle::CadreBienvenue).visible);
    const auto lignes = LitLignesFichier((dossier / "Zelk.dat").string());
    ASSERT_TRUE(lignes.has_value());
    EXPECT_EQ((*lignes)[9], "AVERT =VRAI");
    // "AIDE" shows it again, but a ticked box keeps it hidden.
    Clic(e, Controle::Aide);
    EXPECT_FALSE(e.controles(Controle::CadreBienvenue).visible);
}

// The key memo and the guide take the welcome frame; "fermer" empties it, and
// the welcome view gets its box and its button back.
TEST_F(DemarrageTest, MemoClesEtPasAPas) {
    Orvelle& e = Demarre();
    e.mesure.LongueurPixels = 123;
    Clic(e, Controle::ListeCles);
    EXPECT_EQ(e.controles.Texte(Controle::CadreBienvenue), "mémo clés");
    EXPECT_NE(e.controles.Texte(Controle::TexteBienvenue).find("ESC: annuler"), std::string::npos);
    EXPECT_TRUE(e.aide.memoCles);
    for (Controle c : {Controle::CaseIgnorerBienvenue, Controle::BienvenueOK})
        EXPECT_FALSE(e.controles(c).visible);
    EXPECT_TRUE(e.controles(Controle::AideFermer).visible);
    Clic(e, Controle::AideFermer);
    EXPECT_FALSE(e.controles(Controle::CadreBienvenue).visible);
    EXPECT_EQ(e.controles.Texte(Controle::TexteBienvenue), "");
    EXPECT_FALSE(e.aide.memoCles);

    Clic(e, Controle::PasAPas);
    EXPECT_EQ(e.controles.Texte(Controle::CadreBienvenue), "Pas à pas");
    EXPECT_EQ(e.controles.Texte(Controle::TexteSaisie), "123");
    EXPECT_TRUE(e.aide.pasAPas);

    Clic(e, Controle::Aide);
    EXPECT_EQ(e.controles.Texte(Controle::CadreBienvenue), "Bienvenue sur Orvelle");
    EXPECT_TRUE(e.controles(Controle::CaseIgnorerBienvenue).visible);
    EXPECT_TRUE(e.controles(Controle::BienvenueOK).visible);
    EXPECT_FALSE(e.controles(Controle::AideFermer).visible);
    EXPECT_FALSE(e.aide.pasAPas);
}

TEST_F(DemarrageTest, VoirOptionsEtAPropos) {
    Orvelle& e = Demarre();
    Clic(e, Controle::VoirOptions);
    EXPECT_TRUE(e.controles(Controle::ListeParametres).visible);
    // The "***" the tables end some texts with is theirs, not the user's.
    EXPECT_EQ(e.controles.Texte(Controle::BarreEtat), "Presser ' Voir options ' pour fermer");
    const std::string liste = e.controles.Texte(Controle::ListeParametres);
    EXPECT_NE(liste.find("\nnotation éclair : D1,9\r\n"), std::string::npos) << liste;
    Clic(e, Controle::VoirOptions);
    EXPECT_FALSE(e.controles(Controle::ListeParametres).visible);

    Clic(e, Controle::APropos);
    const std::string apropos = e.controles.Texte(Controle::LegendeAPropos);
    EXPECT_NE(apropos.find("Version " ORVELLE_VERSION), std::string::npos) << apropos;
    EXPECT_TRUE(e.controles(Controle::CadreAPropos).visible);
    EXPECT_FALSE(e.controles(Controle::APropos).visible);
    Clic(e, Controle::AProposFermer);
    EXPECT_FALSE(e.controles(Controle::CadreAPropos).visible);
    EXPECT_TRUE(e.controles(Controle::APropos).visible);
}

TEST_F(DemarrageTest, TexteDAvertissementDuDossierDesDonnees) {
    fs::create_directories(dossier / "donnees");
    Ecrit("donnees/avert_fr.txt", {"Bienvenue", "ligne é"});
    o = std::make_unique<Orvelle>(p, dossier.string());
    o->dossierDonnees = (dossier / "donnees").string();
    Demarrage(*o);
    EXPECT_EQ(o->controles.Texte(Controle::TexteBienvenue), "Bienvenue\r\nligne é\r\n");
}

TEST_F(DemarrageTest, GuidePdfDeLaLangueSinonFrancaisSinonLaBarreDEtat) {
    fs::create_directories(dossier / "donnees");
    Ecrit("donnees/ZelkA_fr.pdf", {"%PDF-1.4"});
    o = std::make_unique<Orvelle>(p, dossier.string());
    o->dossierDonnees = (dossier / "donnees").string();
    Demarrage(*o);
    o->parametres.langue = "de";
    Clic(*o, Controle::Documentation);
    EXPECT_EQ(p.Textes("document"),
              std::vector<std::string>{(dossier / "donnees" / "ZelkA_fr.pdf").string()});
    Clic(*o, Controle::DocPlus); // no extended guide in any language
    EXPECT_EQ(p.Compte("document"), 1);
    EXPECT_EQ(o->controles.Texte(Controle::BarreEtat), "pb chargement fic.aide Doc2_de.pdf");
    // The guide is there but nothing can show it: the user reads where it is.
    p.visionneuse = false;
    p.Oublie();
    Clic(*o, Controle::Documentation);
    EXPECT_EQ(p.Textes("message"),
              std::vector<std::string>{"Aucun lecteur de PDF n'a été trouvé ; le guide est ici : " +
                                       (dossier / "donnees" / "ZelkA_fr.pdf").string()});
}

TEST_F(DemarrageTest, SauverLesParametresEnEchecLeDit) {
    Orvelle& e = Demarre();
    fs::remove(dossier / "Zelk.dat");
    fs::create_directories(dossier / "Zelk.dat"); // a folder in the way
    p.Oublie();
    Clic(e, Controle::SauverParametres);
    ASSERT_EQ(p.Compte("message"), 1);
    EXPECT_EQ(p.Textes("message")[0].rfind("erreur fichier", 0), 0u);
}

} // namespace
} // namespace orv
