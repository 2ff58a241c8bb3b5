#include "app/CommandesCalibrage.h"
#include "app/FichierParametres.h"
#include "app/Langue.h"
#include "app/Orvelle.h"
#include "app/SessionParametres.h"
#include "app/TravailRecent.h"
#include "base/Texte.h"
#include "interface/TableControles.h"
#include "support/DossierEssai.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace orv {
namespace {

namespace fs = std::filesystem;

Parametres Lit(const std::string& texte, Parametres p = {}) {
    std::istringstream in(texte);
    LitParametresDepuis(in, p);
    return p;
}

// Every field written, so that a round trip that loses one is caught.
void AttendsEgaux(const Parametres& a, const Parametres& b) {
    const ContexteParametres ctx{"t", "/prog", ','};
    EXPECT_EQ(LignesParametres(a, ctx), LignesParametres(b, ctx));
}

Parametres Differents() {
    Parametres p;
    p.utilisateur = "Hervé Müller";
    p.langue = "de";
    p.indPres = true;
    p.repImage = "/photos/µscope";
    p.repData = "/données";
    p.calibrage = 0.123456789;
    p.avert = true;
    p.fonctionDemarrage = 20;
    p.fDecimal = "###0.0";
    p.decimAuto = true;
    p.autoRetrace = true;
    p.modePointage = 1;
    p.statDef = 4;
    p.clicDixiemes = 25;
    p.memoireImageMo = 300;
    p.tGrille = 64;
    p.savAuto = 0;
    p.extImg = 1;
    p.refNuancier = "nuancier.txt";
    p.zoneCouleur = 6;
    p.ficEtalon = "étalon.txt";
    p.fEtalonCouleur = true;
    p.ficScanner = "scanner.txt";
    p.accrocheBord = false;
    return p;
}

TEST(FichierParametres, LectureTolerante) {
    // Lower-case keys, blanks anywhere, either decimal separator.
    const Parametres a = Lit("  langue =   it  \r\ncalibrage = 1,2345\r\nclic= 2,5 \r\n");
    const Parametres b = Lit("LANGUE=it\nCALIBRAGE = 1.2345\nCLIC=2.5\n");
    EXPECT_EQ(a.langue, "it");
    EXPECT_DOUBLE_EQ(a.calibrage, 1.2345);
    EXPECT_DOUBLE_EQ(a.calibrage, b.calibrage);
    EXPECT_EQ(a.clicDixiemes, 25);
    EXPECT_EQ(b.clicDixiemes, 25);

    // Comment lines, garbage, unknown keys and empty keys change nothing.
    AttendsEgaux(Lit("Logiciel de mesure de spores\n  Ne pas modifier ! \n\n   \nsans egal\n"
                     "=3\nINCONNU= 4\nTGRILLEX=64\nLANGUE\n"),
                 Parametres{});

    // The last occurrence wins, and a value may itself hold "=".
    const Parametres c = Lit("STATDEF=1\nUTILISATEUR = a=b\nSTATDEF=4\nSTATDEF = 2\n");
    EXPECT_EQ(c.statDef, 2);
    EXPECT_EQ(c.utilisateur, "a=b");
}

TEST(FichierParametres, Booleens) {
    // Resolution independence and the welcome choice are true unless FAUX;
    // the others are true only for VRAI.
    const Parametres a = Lit("INDPRES=xyz\nAVERT =xyz\nDECIMAUTO=xyz\nAUTORETRACE=oui\n"
                             "FETALONCOULEUR=1\nPALMER=xyz\n");
    EXPECT_TRUE(a.indPres);
    EXPECT_TRUE(a.avert);
    EXPECT_FALSE(a.decimAuto);
    EXPECT_FALSE(a.autoRetrace);
    EXPECT_FALSE(a.fEtalonCouleur);
    EXPECT_EQ(a.modePointage, 1);
    const Parametres b = Lit("INDPRES=faux\nDECIMAUTO=vrai\nautoretrace=Vrai\nPALMER=vrai\n");
    EXPECT_FALSE(b.indPres);
    EXPECT_TRUE(b.decimAuto);
    EXPECT_TRUE(b.autoRetrace);
    EXPECT_EQ(b.modePointage, 2);
}

TEST(FichierParametres, ValeursInutilisablesIgnorees) {
    Parametres p = Differents();
    std::istringstream in("TGRILLE=abc\nSTATDEF=\nSAVAUTO=10 lignes\nFONCTION_DEMARRAGE=40000\n"
                          "STATDEF=-40000\nCLIC=trois\nCLIC=-1\nCALIBRAGE=0\nCALIBRAGE=abc\n"
                          "CALIBRAGE=-2\nTGRILLE=0\nTGRILLE=300\nSAVAUTO=-10\nZONECOULEUR=7\n"
                          "ZONECOULEUR=0\nEXT_IMG=7\nEXT_IMG=-1\nTGRILLE=1.5\nCLIC=1e9\n"
                          "CORRECTIONRVB=1;2\nCORRECTIONRVB=1;x;3\nTGRILLE=257\nLANGUE = en\n");
    const LectureParametres lu = LitParametresDepuis(in, p);
    // Each refused line leaves its setting as it was, and reading goes on.
    Parametres attendu = Differents();
    attendu.langue = "en";
    AttendsEgaux(p, attendu);
    EXPECT_EQ(p.correctionRvb, (std::array<int, 4>{}));
    EXPECT_EQ(lu.rejetees.size(), 22u);
    EXPECT_EQ(lu.cles, (std::set<std::string>{"LANGUE"}));

    // Out-of-the-ordinary but sound values are taken, the largest grid included.
    const Parametres q = Lit("FONCTION_DEMARRAGE=-3\nEXT_IMG=6,0\nTGRILLE=+256\nSAVAUTO=32767\n"
                             "ZONECOULEUR=1\nCLIC=0\n",
                             Differents());
    EXPECT_EQ(q.fonctionDemarrage, -3);
    EXPECT_EQ(q.extImg, 6);
    EXPECT_EQ(q.tGrille, 256);
    EXPECT_EQ(q.savAuto, 32767);
    EXPECT_EQ(q.zoneCouleur, 1);
    EXPECT_EQ(q.clicDixiemes, 0);
}

TEST(FichierParametres, ClesLuesJamaisEcrites) {
    Parametres p = Lit("CORRECTIONRVB= 12 ; -3;4,4 \nCOULREF = Rouge\nREPPROG= /ailleurs\n");
    EXPECT_EQ(p.correctionRvb, (std::array<int, 4>{0, 12, -3, 4}));
    EXPECT_EQ(p.coulRef, "Rouge");
    const auto lignes = LignesParametres(p, {"titre", "/prog", ','});
    for (const auto& l : lignes) {
        EXPECT_EQ(l.find("CORRECTIONRVB"), std::string::npos);
        EXPECT_EQ(l.find("COULREF"), std::string::npos);
        EXPECT_EQ(l.find("/ailleurs"), std::string::npos);
    }
    EXPECT_NE(std::find(lignes.begin(), lignes.end(), "REPPROG= /prog"), lignes.end());
}

// The reference file pins the bytes with a comma; the point is read back too.
TEST(FichierParametres, AllerRetourAvecUnPoint) {
    std::ostringstream out;
    EcritParametres(out, Differents(), {"t", "/prog", '.'});
    EXPECT_NE(out.str().find("CALIBRAGE =  0.123456789 \r\n"), std::string::npos);
    AttendsEgaux(Lit(out.str()), Differents());
}

TEST(FichierParametres, TexteEcritSurUneSeuleLigne) {
    Parametres p;
    p.utilisateur = "moi\r\nTGRILLE=64";
    p.ficScanner = "  scan.txt  ";
    const auto lignes = LignesParametres(p, {"t", "/prog", ','});
    ASSERT_EQ(lignes.size(), 27u);
    EXPECT_EQ(lignes[24], "FICSCANNER= scan.txt");
    std::ostringstream out;
    EcritParametres(out, p, {"t", "/prog", ','});
    EXPECT_EQ(Lit(out.str()).tGrille, 256);
}

class SessionParametres : public ::testing::Test {
protected:
    void SetUp() override { o = Nouvelle(dossier.string()); }

    std::unique_ptr<Orvelle> Nouvelle(const std::string& d) {
        auto n = std::make_unique<Orvelle>(p, d);
        n->textes.RemplitMessages();
        // Only the formats the program can write are offered.
        for (Controle c :
             {Controle::FormatImageGIF, Controle::FormatImagePNG, Controle::FormatImageTIFF,
              Controle::FormatImagePCX, Controle::FormatImageTGA})
            n->controles.Actif(c, false);
        return n;
    }
    std::string Fichier() const { return (dossier / "Zelk.dat").string(); }
    void Ecrit(const std::vector<std::string>& lignes) {
        std::ofstream(Fichier(), std::ios::binary) << TexteFichier(lignes);
    }
    std::string Octets() const { return test::Lit(Fichier()); }
    bool Coche(Controle c) const { return o->controles(c).coche; }
    // The ticked entries of c's submenu.
    std::vector<Controle> Coches(Controle c) const {
        std::vector<Controle> v;
        for (Controle x : MemeFamille(c))
            if (Coche(x)) v.push_back(x);
        return v;
    }

    test::PlateformeFactice p;
    test::DossierEssai dossier{"param"};
    std::unique_ptr<Orvelle> o;
};

// A work file opened is kept at once in its own file, the settings file left
// as it was; the next start offers it; one gone is said and leaves the list.
TEST_F(SessionParametres, TravailRecentGardeEtRetire) {
    LitParametres(*o);
    const std::string avant = Octets();
    // Names with a line break or Latin-1 bytes stay one entry each and come
    // back to the same files.
    const std::string trame = (dossier / "x\ny.trm").string(),
                      image = (dossier / "µ caf\xE9.jpg").string();
    NoteRecent(*o, GenreRecent::Image, image);
    NoteRecent(*o, GenreRecent::Trame, trame);
    EXPECT_EQ(Octets(), avant);
    auto suivante = Nouvelle(dossier.string());
    LitRecents(*suivante);
    EXPECT_EQ(suivante->tramesRecentes.Chemins(), std::vector<std::string>{trame});
    EXPECT_EQ(suivante->imagesRecentes.Chemins(), std::vector<std::string>{image});
    EXPECT_FALSE(OuvreRecent(*suivante, GenreRecent::Trame, 0));
    EXPECT_EQ(
        p.Textes("message"),
        std::vector<std::string>{NomAffichable(trame) + " est introuvable : retiré de la liste"});
    LitRecents(*o);
    EXPECT_TRUE(o->tramesRecentes.Chemins().empty());
    EXPECT_EQ(o->imagesRecentes.Chemins(), std::vector<std::string>{image});
}

// A FIFO or a huge file in the place of the program's own files: said at
// once, never waited on, never written over.
TEST_F(SessionParametres, FichiersQuiNeSontPasLesSiens) {
    const std::string recents = (dossier / std::string(NomFichierRecents)).string();
    std::ofstream(recents, std::ios::binary) << std::string(LimiteFichierTexte + 1, 'x');
    LitRecents(*o);
    ASSERT_EQ(p.Compte("message"), 1);
    EXPECT_NE(p.Textes("message")[0].find(" est trop gros"), std::string::npos);
    EXPECT_TRUE(o->imagesRecentes.Chemins().empty());

    ASSERT_EQ(::mkfifo(Fichier().c_str(), 0600), 0);
    p.Oublie();
    EXPECT_FALSE(LitParametres(*o));
    ASSERT_EQ(p.Compte("message"), 1);
    EXPECT_EQ(p.Textes("message")[0],
              "Fichier non lu : " + Fichier() + " n'est pas un fichier ordinaire");
    EXPECT_TRUE(fs::is_fifo(Fichier()));
    EXPECT_EQ(o->parametres.tGrille, Parametres{}.tGrille);

    o->parametres.langue = "en";
    const std::string langue = (dossier / "Zelk2_en.lng").string();
    ASSERT_EQ(::mkfifo(langue.c_str(), 0600), 0);
    p.Oublie();
    AppliqueLangue(*o);
    ASSERT_EQ(p.Compte("message"), 1);
    EXPECT_NE(p.Textes("message")[0].find("Zelk2_en.lng n'est pas un fichier ordinaire"),
              std::string::npos);
}

TEST_F(SessionParametres, DossierAbsent) {
    auto ailleurs = Nouvelle((dossier / "absent").string());
    EXPECT_FALSE(LitParametres(*ailleurs));
    EXPECT_TRUE(p.appels.empty());
}

TEST_F(SessionParametres, EffetsSurLaFenetre) {
    Ecrit({"INDPRES=xyz", "AVERT =VRAI", "SAVAUTO= 20 ", "EXT_IMG= 1 ", "ZONECOULEUR= 5",
           "FICSCANNER= scan.txt ", "FONCTION_DEMARRAGE= 4 ", "CALIBRAGE = 0,25 ",
           "REPPROG= /ailleurs", "CLIC= 1 ", "FDECIMAL= ###0", "LANGUE = es", "STATDEF=1",
           "PALMER=VRAI", "STATDEF=4"});
    ASSERT_TRUE(LitParametres(*o));
    EXPECT_TRUE(o->parametres.indPres);
    EXPECT_TRUE(Coche(Controle::OptionIndRes));
    EXPECT_FALSE(Coche(Controle::OptionIndDim));
    EXPECT_TRUE(Coche(Controle::CaseIgnorerBienvenue));
    EXPECT_FALSE(o->controles(Controle::CadreBienvenue).visible);
    // Each submenu ticks the one entry the setting names.
    EXPECT_NE(Coche(Controle::OptionPalmer), Coche(Controle::OptionBipoint));
    EXPECT_TRUE(Coche(Controle::OptionPalmer));
    for (Controle c : {Controle::SauvegardeAuto20, Controle::FormatImageJPG, Controle::ZoneCouleur5,
                       Controle::DemarrageCystides3, Controle::ToleranceClic1, Controle::Decimales0,
                       Controle::LangueEs})
        EXPECT_EQ(Coches(c), std::vector<Controle>{c}) << static_cast<int>(c);
    EXPECT_EQ(o->controles.Texte(Controle::LegendeScanner), "Scanner : scan.txt");
    EXPECT_EQ(o->mesure.NumFonction, 4);
    EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.25);
    EXPECT_DOUBLE_EQ(o->calibrage.CalibrageImage[0], 0.25);
    EXPECT_EQ(o->dossierProgramme, dossier.string()); // where the program is
    ASSERT_TRUE(SauveParametres(*o));
    EXPECT_NE(Octets().find("\r\nPALMER=VRAI\r\n"), std::string::npos);
}

TEST_F(SessionParametres, FormatDesactiveOuAbsentRefuse) {
    Ecrit({"EXT_IMG= 3 ", "AVERT =FAUX", "SAVAUTO= 0 ", "PALMER=FAUX"});
    ASSERT_TRUE(LitParametres(*o));
    EXPECT_EQ(o->parametres.extImg, 0);
    EXPECT_EQ(Coches(Controle::FormatImageBMP), std::vector<Controle>{Controle::FormatImageBMP});
    EXPECT_FALSE(Coche(Controle::CaseIgnorerBienvenue));
    EXPECT_TRUE(o->controles(Controle::CadreBienvenue).visible);
    EXPECT_EQ(Coches(Controle::SauvegardeAutoNon),
              std::vector<Controle>{Controle::SauvegardeAutoNon});
    EXPECT_TRUE(Coche(Controle::OptionBipoint) && !Coche(Controle::OptionPalmer));
    // No scanner line: the label keeps its text.
    EXPECT_EQ(o->controles.Texte(Controle::LegendeScanner), "");
    EXPECT_EQ(o->mesure.NumFonction, EtatMesure{}.NumFonction);
}

TEST_F(SessionParametres, EcritureDepuisLesControles) {
    ASSERT_FALSE(LitParametres(*o));
    // The settings in memory say otherwise; the file follows the controls.
    o->parametres.avert = false;
    o->parametres.autoRetrace = false;
    o->controles.Coche(Controle::CaseIgnorerBienvenue, true);
    o->controles.Coche(Controle::CaseAutoRetrace, true);
    o->controles.Coche(Controle::OptionPalmer, false);
    o->controles.Coche(Controle::OptionBipoint, true);
    ASSERT_TRUE(SauveParametres(*o));
    const std::string octets = Octets();
    EXPECT_NE(octets.find("\r\nAVERT =VRAI\r\n"), std::string::npos);
    EXPECT_NE(octets.find("\r\nAUTORETRACE=VRAI\r\n"), std::string::npos);
    EXPECT_NE(octets.find("\r\nPALMER=FAUX\r\n"), std::string::npos);
    EXPECT_FALSE(o->parametres.avert);
    // The calibration in use is kept for the next start, which shows it calibrated.
    FixeCalibrage(*o, 0.0177);
    ASSERT_TRUE(SauveParametres(*o));
    auto suivante = Nouvelle(dossier.string());
    ASSERT_TRUE(LitParametres(*suivante));
    EXPECT_DOUBLE_EQ(suivante->calibrage.CoefCalibrage, 0.0177);
    EXPECT_TRUE(Calibre(suivante->calibrage));
}

} // namespace
} // namespace orv
