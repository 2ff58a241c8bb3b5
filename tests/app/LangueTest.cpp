#include "app/Langue.h"
#include "app/CommandesImages.h"
#include "app/FichierLangue.h"
#include "app/Orvelle.h"
#include "app/SessionParametres.h"
#include "base/Cp1252.h"
#include "images/Chargeur.h"
#include "interface/TableControles.h"
#include "support/DossierEssai.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>

namespace orv {
namespace {

namespace fs = std::filesystem;

class Langue : public ::testing::Test {
protected:
    void SetUp() override {
        o = std::make_unique<Orvelle>(p, dossier.string());
        o->textes.RemplitMessages();
        francais.RemplitMessages();
    }

    // Writes a language file from UTF-8 lines, as the program's files are: CP1252, CR LF.
    void Ecrit(const std::string& code, const std::vector<std::string>& lignes) {
        std::string octets;
        for (const auto& l : lignes) octets += VersCp1252(l) + "\r\n";
        EcritOctets(code, octets);
    }
    void EcritOctets(const std::string& code, const std::string& octets) {
        std::ofstream(dossier / ("Zelk2_" + code + ".lng"), std::ios::binary) << octets;
    }
    void Applique(const std::string& code) {
        o->parametres.langue = code;
        AppliqueLangue(*o);
    }
    const std::string& Texte(Controle c) { return o->controles.Texte(c); }
    // The data folder shipped with the program.
    fs::path Donnees() {
        const fs::path d = dossier / "donnees";
        fs::create_directories(d / "exemples");
        o->dossierDonnees = d.string();
        return d;
    }
    // Table entries that differ from the built-in French ones.
    std::vector<std::pair<Table, int>> Changes() const {
        std::vector<std::pair<Table, int>> v;
        for (Table t : {Table::MSG, Table::MNU, Table::MSTAT, Table::MNUSTAT, Table::TINTAVAL})
            for (int i = -1; i <= TablesTextes::IndexMax(t) + 1; ++i)
                if (o->textes.Lit(t, i) != francais.Lit(t, i)) v.emplace_back(t, i);
        return v;
    }

    test::PlateformeFactice p;
    test::DossierEssai dossier{"langue"};
    std::unique_ptr<Orvelle> o;
    TablesTextes francais;
};

using Modifs = std::vector<std::pair<Table, int>>;

// The everyday path is pinned by the German reference file; here keys in any
// case and blanks, the ways a section ends, nothing changed beyond the entries named.
TEST_F(Langue, FichierItalienRelegende) {
    Ecrit("it",
          {"REM;Orvelle in italiano", "mnedit ; Modifica ", "MNUFIC;", "F1;Apri immagine", "F*;",
           "BOUTONS;", "B17;Azzera tutto", "B*;", "MSG;", "M20;larghezza", "M56;misura Segmento",
           "M*", "MNU;", "N40;misure***", "*", "CHK;", "C3;Calc. stat.", " C * ; fine"});
    Applique("it");
    EXPECT_EQ(Texte(Controle::MenuEdition), "Modifica");
    EXPECT_EQ(Texte(Controle::OuvrirImage), "Apri immagine");
    EXPECT_EQ(Texte(Controle::RazTout), "Azzera tutto");
    EXPECT_EQ(Texte(Controle::RazGrille), "Raz gril.");
    EXPECT_EQ(Texte(Controle::CaseCalculStat), "Calc. stat.");
    // The composed descriptor keeps the name it was built with.
    EXPECT_EQ(o->textes.Msg(146), "mesure Segment$4$Longueur$img $comment$");
    EXPECT_EQ(Texte(Controle::FonctionCystides5), "5 misure");
    EXPECT_EQ(Changes(), (Modifs{{Table::MSG, 20}, {Table::MSG, 56}, {Table::MNU, 40}}));
    EXPECT_EQ(p.Compte("message"), 0);
}

TEST_F(Langue, FichierAbsentRelegendeQuandMeme) {
    EXPECT_EQ(Texte(Controle::FonctionCystides3), "3 mesures");
    Applique("de");
    EXPECT_TRUE(Changes().empty());
    EXPECT_EQ(p.appels.size(), 0u);
    EXPECT_EQ(Texte(Controle::MenuFichiers), "fichiers");
    // Re-captioned from the built-in tables.
    EXPECT_EQ(Texte(Controle::FonctionCystides3), "3 mesures");
}

// Every language starts from the built-in French: what the previous one set
// and the next does not goes, and French without a file of its own gives the
// captions of the start back, but for one the program changed meanwhile.
TEST_F(Langue, ChaqueLangueRepartDuFrancais) {
    Ecrit("it",
          {"MNEDIT;Modifica", "MNFICHIERS;File", "MSG;", "M20;larghezza", "M21;spessore", "*"});
    Ecrit("es", {"MSG;", "M21;espesor", "*"});
    const std::string largeur = Texte(Controle::Choix3DLargeur);
    Applique("it");
    o->controles.Texte(Controle::MenuFichiers, "Archivio");
    Applique("es");
    EXPECT_EQ(Changes(), (Modifs{{Table::MSG, 21}}));
    EXPECT_EQ(Texte(Controle::MenuEdition), "Edition");
    EXPECT_EQ(Texte(Controle::Choix3DLargeur), francais.Msg(20));
    EXPECT_EQ(Texte(Controle::Choix3DEpaisseur), "espesor");
    EXPECT_EQ(Texte(Controle::MenuFichiers), "Archivio");
    Applique("fr");
    EXPECT_TRUE(Changes().empty());
    EXPECT_EQ(Texte(Controle::Choix3DLargeur), largeur);
    Ecrit("fr", {"MSG;", "M20; largeur", "*"});
    Applique("fr");
    EXPECT_EQ(Texte(Controle::Choix3DLargeur), "largeur");
}

TEST_F(Langue, SectionSansFinAvaleLaSuite) {
    Ecrit("it", {"MSG;", "M20;primo", "MNU;", "N40;secondo", "BOUTONS;", "B17;terzo", "",
                 "MNEDIT;Modifica"});
    Applique("it");
    // Later headers are entries of the open section: "N40" sets message 40, "B17"
    // message 17, and the header lines themselves have no number.
    EXPECT_EQ(Changes(), (Modifs{{Table::MSG, 17}, {Table::MSG, 20}, {Table::MSG, 40}}));
    EXPECT_EQ(o->textes.Msg(40), "secondo");
    EXPECT_EQ(o->textes.Msg(17), "terzo");
    EXPECT_EQ(Texte(Controle::RazTout), "Raz tout");
    EXPECT_EQ(Texte(Controle::MenuEdition), "Edition");
    EXPECT_EQ(Texte(Controle::FonctionCystides3), "3 mesures");
}

TEST_F(Langue, IndexIncorrectsIgnores) {
    EcritOctets("it", "MSG;\r\nM256;troppo\r\nM-1;negativo\r\nMabc;lettere\r\nM12x;misto\r\n"
                      "M;vuoto\r\nM99999999999999999999;enorme\r\nM2.5;decimale\r\n"
                      "M 30 ;spazi\r\nM255;ultimo\r\nM0;primo\r\n*\r\n"
                      "MNUSTAT;\r\nS121;troppo\r\nS120;ultimo\r\n*\r\n"
                      "MNUFIC;\r\nF99;nessuno\r\nF-1;nessuno\r\nF1;Apri\r\n*\r\n"
                      "ETIQ;\r\nL4;nessuno\r\nL5;cal\r\n*\r\n"
                      "senza punto e virgola\r\nPIPPO;chiave sconosciuta\r\n"
                      "MSG\r\nM21;dopo MSG senza punto e virgola\r\n");
    Applique("it");
    EXPECT_EQ(
        Changes(),
        (Modifs{{Table::MSG, 0}, {Table::MSG, 30}, {Table::MSG, 255}, {Table::MNUSTAT, 120}}));
    EXPECT_EQ(o->textes.Msg(30), "spazi");
    EXPECT_EQ(Texte(Controle::OuvrirImage), "Apri");
    EXPECT_EQ(Texte(Controle::LegendeCalibrage), "cal");
    EXPECT_FALSE(ControleDe("label", 4));
    EXPECT_EQ(p.Compte("message"), 0);

    // Asked for, each refused line is reported with its number; comments in
    // any case are no entries.
    Ecrit("it", {"BOUTONS;", "B17;Azzera tutto", "", "  B999;Inesistente ", "Rem;commento",
                 "B-3;negativo", "B*;"});
    o->langue.diagnostic = true;
    Applique("it");
    EXPECT_EQ(p.Textes("message"),
              (std::vector<std::string>{
                  " erreur dans le fichier de langues : it, ligne 4 B999;Inesistente",
                  " erreur dans le fichier de langues : it, ligne 6 B-3;negativo"}));
    EXPECT_EQ(Texte(Controle::RazTout), "Azzera tutto");
}

TEST_F(Langue, OctetsCp1252EtUtf8) {
    EcritOctets("it", "MSG;\r\nM20;spessore \xE0 \xE8 \x80\r\nM*;\r\nBOUTONS;\r\n"
                      "\xE9"
                      "17;Qualit\xE0\r\n*\r\n");
    Applique("it");
    EXPECT_EQ(o->textes.Msg(20), "spessore à è €");
    EXPECT_EQ(Texte(Controle::RazTout), "Qualità");
    // A file saved by a UTF-8 editor, byte-order mark and LF line ends included.
    EcritOctets("es", "\xEF\xBB\xBFMNEDIT;Edición\nMSG;\nM21;más\n*\n");
    Applique("es");
    EXPECT_EQ(Texte(Controle::MenuEdition), "Edición");
    EXPECT_EQ(o->textes.Msg(21), "más");
}

TEST_F(Langue, ImageParDefautDansLaLangue) {
    const fs::path exemples = Donnees() / "exemples";
    for (const char* nom : {"defaut.png", "defaut_en.png"}) std::ofstream(exemples / nom) << "x";
    o->parametres.langue = "en";
    EXPECT_EQ(CheminImageParDefaut(*o), (exemples / "defaut_en.png").string());
    o->parametres.langue = "it";
    EXPECT_EQ(CheminImageParDefaut(*o), (exemples / "defaut.png").string());
}

TEST_F(Langue, PremierDemarrageDansLaLangueDuBureau) {
    std::ofstream(Donnees() / "Zelk2_de.lng", std::ios::binary) << "MNEDIT;Bearbeiten\r\n";
    // A language the program does not ship leaves French.
    o->langue.bureau = "pt";
    EXPECT_FALSE(LitParametres(*o));
    EXPECT_EQ(o->parametres.langue, "fr");
    // Without a settings file the desktop's language is taken and written.
    fs::remove(dossier / "Zelk.dat");
    o->langue.bureau = "de";
    EXPECT_FALSE(LitParametres(*o));
    EXPECT_EQ(o->parametres.langue, "de");
    // The program folder has no language file: the shipped one is read; its own wins.
    AppliqueLangue(*o);
    EXPECT_EQ(Texte(Controle::MenuEdition), "Bearbeiten");
    Ecrit("de", {"MNEDIT;Meine Bearbeitung"});
    AppliqueLangue(*o);
    EXPECT_EQ(Texte(Controle::MenuEdition), "Meine Bearbeitung");
    Orvelle relu(p, dossier.string());
    relu.langue.bureau = "it";
    EXPECT_TRUE(LitParametres(relu));
    EXPECT_EQ(relu.parametres.langue, "de");
    // Once settings exist, the desktop no longer matters.
    o->parametres.langue = "fr";
    SauveParametres(*o);
    EXPECT_TRUE(LitParametres(relu));
    EXPECT_EQ(relu.parametres.langue, "fr");
}

TEST(LangueBureau, VariablesDeLocale) {
    struct Cas {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        std::optional<std::string> attendu;
    };
    const Cas cas[] = {
        {nullptr, nullptr, "de_DE.UTF-8", "de"},
        {nullptr, "it_IT.UTF-8", "de_DE.UTF-8", "it"},
        {"es_ES@euro", "it_IT", "de_DE", "es"},
        {"", "", "EN_gb", "en"},
        {nullptr, nullptr, "fr", "fr"},
        {"C", nullptr, "de_DE.UTF-8", std::nullopt},
        {nullptr, nullptr, "C.UTF-8", std::nullopt},
        {nullptr, nullptr, "POSIX", std::nullopt},
        {nullptr, nullptr, nullptr, std::nullopt},
        {nullptr, nullptr, "../x", std::nullopt},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(LangueBureau(c.lcAll, c.lcMessages, c.lang), c.attendu)
            << (c.lang ? c.lang : "(null)");
}

// The language files shipped with the program: every entry of the French
// tables and every caption of the French window translated, no "***" left.
TEST(FichiersLivres, CompletsEtLisibles) {
    TablesTextes francais;
    francais.RemplitMessages();
    test::PlateformeFactice p;
    Orvelle vide(p, "");
    vide.textes.RemplitMessages();
    RecaptionneDepuisTables(vide);
    // Captions that are codes, numbers and symbols in every language.
    const std::set<std::string> codes = {"MnLang", "F_Img",  "mnFormat", "TgrilleMax", "Pclic",
                                         "Lrg",    "TTrace", "Czoom",    "BoutMC",     "frmMesure"};
    const std::pair<Table, const char*> tables[] = {{Table::MSG, "MSG"},
                                                    {Table::MNU, "MNU"},
                                                    {Table::MSTAT, "MSTAT"},
                                                    {Table::MNUSTAT, "MNUSTAT"},
                                                    {Table::TINTAVAL, "TINTAVAL"}};

    for (const std::string code : {"en", "de", "it", "es"}) {
        SCOPED_TRACE(code);
        std::ifstream in(std::string(ORVELLE_DATA_DIR) + "/Zelk2_" + code + ".lng",
                         std::ios::binary);
        ASSERT_TRUE(in);
        const FichierLangue f = FichierLangue::Lit(in);
        std::set<std::pair<std::string, int>> entrees;
        for (const auto& e : f.entrees) {
            if (e.index) entrees.insert({e.cle, *e.index});
            EXPECT_FALSE(e.texte.empty()) << e.ligne;
            EXPECT_EQ(e.texte.find("***"), std::string::npos) << e.ligne;
        }
        // Applied to a window whose captions are blank, the file and the tables
        // it translates set every caption the French window shows.
        Orvelle o(p, "");
        o.textes.RemplitMessages();
        for (const auto& d : TableControles()) o.controles.Texte(d.controle, "");
        EXPECT_TRUE(AppliqueEntrees(f, o.textes, o.controles).empty());
        RecaptionneDepuisTables(o);
        for (const auto& [table, cle] : tables) {
            for (int i = 0; i <= TablesTextes::IndexMax(table); ++i) {
                if (francais.Lit(table, i).empty()) continue;
                EXPECT_TRUE(entrees.count({cle, i})) << cle << " " << i;
            }
        }
        for (const auto& d : TableControles()) {
            // What French shows: the design caption, or the one the tables give.
            const std::string& fr = vide.controles.Texte(d.controle);
            const bool mots = std::any_of(fr.begin(), fr.end(), [](char c) {
                return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            });
            if (!mots || codes.count(d.famille) || std::string(d.texte) == "**") continue;
            const std::string& texte = o.controles.Texte(d.controle);
            EXPECT_FALSE(texte.empty()) << d.famille << "(" << d.index << ") \"" << fr << "\"";
            EXPECT_EQ(texte.find("***"), std::string::npos) << d.famille << "(" << d.index << ")";
        }
    }
}

} // namespace
} // namespace orv
