// The colour function: L*a*b* against published values, the sampling of a
// zone, the zone's size controls, and a session that samples a picture and
// writes a scanner calibration and a colour chart.
#include "app/CommandesCouleur.h"
#include "app/CommandesImages.h"
#include "app/CommandesMesure.h"
#include "app/Fenetre.h"
#include "base/FichierTexte.h"
#include "cli/LanceCli.h"
#include "colour/Echantillon.h"
#include "colour/ZoneCouleur.h"
#include "results/ExportCSV.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <unistd.h>

namespace orv {
namespace {

namespace fs = std::filesystem;

std::uint16_t Seize(int v8) {
    return static_cast<std::uint16_t>(v8 * 257);
}

// A picture of `l` x `h` pixels, each given by `couleur(x, y)` as 16-bit R, V, B.
template <class F> EchantillonsImage Image(int l, int h, F couleur) {
    EchantillonsImage e{{0, 0, l, h}, {}};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < l; ++x)
            for (std::uint16_t c : couleur(x, y)) e.rvb.push_back(c);
    return e;
}

TEST(Lab, ValeursPubliees) {
    const struct {
        int r, v, b;
        double L, a, bb;
    } cas[] = {{255, 255, 255, 100, 0, 0},         {0, 0, 0, 0, 0, 0},
               {255, 0, 0, 53.24, 80.09, 67.20},   {0, 255, 0, 87.73, -86.18, 83.18},
               {0, 0, 255, 32.30, 79.19, -107.86}, {119, 119, 119, 50.0, 0, 0}};
    for (const auto& c : cas) {
        SCOPED_TRACE(::testing::Message() << c.r << " " << c.v << " " << c.b);
        const Lab lab = LabDepuisSRVB(c.r / 255.0, c.v / 255.0, c.b / 255.0);
        EXPECT_NEAR(lab.L, c.L, c.r == 119 ? 0.1 : 0.05);
        EXPECT_NEAR(lab.a, c.a, 0.05);
        EXPECT_NEAR(lab.b, c.bb, 0.05);
    }
}

TEST(Echantillon, ZonesEtValeurs) {
    // The nearest square of whole pixels, clipped to the picture.
    EXPECT_EQ(ZoneEchantillon(8, 10.5, 10.5, 100, 100), (ZonePixels{7, 7, 8, 8}));
    EXPECT_EQ(ZoneEchantillon(8, 1.2, 98.9, 100, 100), (ZonePixels{0, 95, 5, 5}));
    EXPECT_TRUE(ZoneEchantillon(8, -9, 50, 100, 100).Vide());

    // A uniform zone: its colour, and S = 0.
    auto uni = Image(4, 4, [](int, int) { return std::array{Seize(200), Seize(100), Seize(50)}; });
    auto e = Echantillonne(uni, 4);
    ASSERT_TRUE(e);
    auto c = CellulesEchantillon(*e, ',');
    EXPECT_EQ(c[0] + " " + c[1] + " " + c[2] + " " + c[6] + " " + c[7], "200 100 50 4 0,00");
    // Cut by the picture's edge, "zone" says how many pixels were averaged.
    e = Echantillonne(Image(3, 4, [](int, int) { return std::array<std::uint16_t, 3>{}; }), 4);
    EXPECT_EQ(CellulesEchantillon(*e, ',')[6], "12");

    // 16-bit greys: read at their depth (30583 = 119 x 257, a mid grey), and a
    // zone half black, half white: L* 0 and 100, S = 50.
    auto gris = Image(2, 2, [](int, int) {
        return std::array<std::uint16_t, 3>{30583, 30583, 30583};
    });
    e = Echantillonne(gris, 2);
    EXPECT_NEAR(e->R, 119, 1e-9);
    EXPECT_NEAR(e->lab.L, 50.0, 0.1);
    auto moitie = Image(2, 2, [](int x, int) {
        const std::uint16_t v = x == 0 ? 0 : 65535;
        return std::array{v, v, v};
    });
    e = Echantillonne(moitie, 2);
    EXPECT_NEAR(e->R, 127.5, 1e-9);
    EXPECT_NEAR(e->S, 50.0, 1e-9);
    EXPECT_FALSE(Echantillonne(EchantillonsImage{}, 2));
}

TEST(ZoneCouleur, MenuBarreEtLegende) {
    test::PlateformeFactice p;
    Controles c;
    TablesTextes t;
    CadresPartages cadres;
    Interface ui{p, c, t, cadres};
    EtatCouleur e;
    EXPECT_TRUE(ChoisitTailleZone(ui, e, 3));
    EXPECT_EQ(e.TailleZone, 8);
    EXPECT_EQ(c.Texte(Controle::DefilementZoneCouleur), "3");
    EXPECT_EQ(c.Texte(Controle::LegendeZoneCouleur), "8x8");
    EXPECT_EQ(c.Texte(Controle::ZoneCouleur3), "8x8"); // the menu names the side sampled
    DefileTailleZone(ui, e, 5);
    EXPECT_EQ(e.TailleZone, 32);
    EXPECT_EQ(e.IndexZone, 5);
    EXPECT_EQ(c.Texte(Controle::LegendeZoneCouleur), "32x32");
    EXPECT_TRUE(c(Controle::ZoneCouleur5).coche);
    EXPECT_FALSE(c(Controle::ZoneCouleur3).coche);
    EXPECT_FALSE(ChoisitTailleZone(ui, e, 7));
    EXPECT_EQ(e.TailleZone, 32);
}

class SessionCouleur : public ::testing::Test {
protected:
    void SetUp() override {
        dossier = fs::temp_directory_path() / ("orvelle_couleur_" + std::to_string(::getpid()));
        fs::remove_all(dossier);
        fs::create_directories(dossier);
        ASSERT_TRUE(EcritLignesFichier((dossier / "Zelk.dat").string(),
                                       {"FONCTION_DEMARRAGE= 20", "ZONECOULEUR= 3"}));
        o = std::make_unique<Orvelle>(p, dossier.string());
        o->couleur.texteIdMachine = "0123456789abcdef0123456789abcdef";
        o->resultats.exportCSV.horloge = [] { return Horodatage{"07/12/2026", "06:15:00"}; };
        Demarrage(*o);
        Activation(*o);
    }
    void TearDown() override { fs::remove_all(dossier); }

    // A click at the centre of pixel (x, y) of the picture shown.
    void Clique(double x, double y) {
        const PointImage pi{static_cast<std::int32_t>(x * UnitesImageParPixel),
                            static_cast<std::int32_t>(y * UnitesImageParPixel)};
        const PointTwips t = VersBoite(o->images.vue, pi);
        ClicImage(*o, Bouton::Gauche, {}, t);
        RelacheImage(*o, Bouton::Gauche, {}, t);
    }

    fs::path dossier;
    test::PlateformeFactice p;
    std::unique_ptr<Orvelle> o;
};

TEST_F(SessionCouleur, EchantillonsPuisScannerEtNuancier) {
    EXPECT_EQ(o->couleur.TailleZone, 8); // ZONECOULEUR= 3
    EXPECT_TRUE(o->controles(Controle::CadreCharte).visible);
    orv::Clic(*o, Controle::SauverNuancier);
    EXPECT_EQ(p.Textes("message"), std::vector<std::string>{"Il n'y a rien à exporter"});
    EXPECT_FALSE(o->controles(Controle::CadreCommentaire).visible);

    // White, black and red bands of 10 pixels; the last 4 rows are green.
    const std::string image = (dossier / "carte.bmp").string();
    p.echantillons[image] = Image(30, 14, [](int x, int y) {
        if (y >= 10) return std::array<std::uint16_t, 3>{0, 65535, 0};
        const std::uint16_t r = x < 10 || x >= 20 ? 65535 : 0, v = x < 10 ? 65535 : 0;
        return std::array{r, v, v};
    });
    AfficheNouvelleImage(*o, image, {30, 14});
    Clique(5.5, 5.5);
    Clique(15.5, 5.5);
    Clique(25.5, 5.5);
    Clique(0.5, 13.5); // the green corner, erased below: the chart keeps three samples
    // The zone's mark and the line number follow the picture's redraw.
    ASSERT_GE(o->mesure.marques.fixes.size(), 8u);
    EXPECT_EQ(o->mesure.marques.fixes[0].genre, GenreMarque::Rectangle);
    EffaceDerniereValeur(*o);

    // A scanner calibration, then a chart whose notes name it.
    orv::Clic(*o, Controle::ValiderCalibrageScanner);
    EXPECT_EQ(o->controles.Texte(Controle::CadreCommentaire), "Enregistrement Calibrage Scanner");
    p.fichiers.push_back((dossier / "scan").string());
    orv::Clic(*o, Controle::CommentaireValider);
    EXPECT_TRUE(fs::exists(dossier / "scan.Scn"));
    EXPECT_EQ(o->controles.Texte(Controle::LegendeScanner), "Scanner : scan.Scn");
    EXPECT_EQ(o->parametres.ficScanner, "scan.Scn");

    orv::Clic(*o, Controle::SauverNuancier);
    const std::string notes = o->controles.Texte(Controle::TexteCommentaire);
    EXPECT_NE(notes.find("\r\nImage nuancier= carte.bmp\r\nSCANNER= scan.Scn\r\n"),
              std::string::npos);
    // The user edits the notes: a value, a line gone, a line added.
    o->controles.Texte(Controle::TexteCommentaire,
                       "CODE= Varnel 1998\nImage nuancier= carte.bmp\nSCANNER= scan.Scn\n"
                       "CALIBRAGE_COULEUR=0\nRESOLUTION=600\nCONTRASTE=\nNOTES=\nPapier mat\n"
                       "FINNOTES");
    // Not calibrated: asked; No leaves the notes open and asks again.
    p.reponses = {false};
    orv::Clic(*o, Controle::CommentaireValider);
    EXPECT_TRUE(o->controles(Controle::CadreCommentaire).visible);
    EXPECT_EQ(p.Textes("question").back().substr(0, 42),
              "Attention ! En principe la mesure du Nuanc");
    p.reponses = {true};
    p.fichiers.push_back((dossier / "nuancier").string());
    orv::Clic(*o, Controle::CommentaireValider);
    EXPECT_FALSE(o->controles(Controle::CadreCommentaire).visible);
    EXPECT_FALSE(o->couleur.NotesOuvertes());

    EXPECT_EQ(test::Lit(dossier / "nuancier.Nua"),
              test::Lit(fs::path(ORVELLE_TEST_DATA) / "couleur" / "nuancier.Nua"));
    EXPECT_EQ(o->couleur.NomFichierCouleur, "nuancier.Nua");
}

TEST_F(SessionCouleur, ModeNonCalibreEtEcrasement) {
    EXPECT_FALSE(o->controles(Controle::CaseCalibre).actif);
    orv::Clic(*o, Controle::ChargerFichierScanner);
    EXPECT_TRUE(o->controles(Controle::CaseCalibre).actif);
    o->controles.Coche(Controle::CaseCalibre, true);
    orv::Clic(*o, Controle::CaseCalibre);
    EXPECT_TRUE(o->couleur.Calibre);

    const std::string image = (dossier / "gris.bmp").string();
    p.echantillons[image] = Image(8, 8, [](int, int) { return std::array<std::uint16_t, 3>{}; });
    AfficheNouvelleImage(*o, image, {8, 8});
    Clique(4, 4);
    std::ofstream(dossier / "a.Scn") << "garder";
    // A scanner in calibrated mode: asked; then the existing file is kept on Cancel.
    orv::Clic(*o, Controle::ValiderCalibrageScanner);
    p.reponses = {true, false};
    p.fichiers.push_back((dossier / "a.Scn").string());
    orv::Clic(*o, Controle::CommentaireValider);
    EXPECT_EQ(p.Textes("question").back(), "écraser le fichier existant ?");
    EXPECT_EQ(test::Lit(dossier / "a.Scn"), "garder");
    // Declined: the notes stay open as typed, and "Valider" still writes them.
    EXPECT_TRUE(o->controles(Controle::CadreCommentaire).visible);
    EXPECT_TRUE(o->couleur.ModeScanner);
    // The dialog's "annuler" ends the notes.
    orv::Clic(*o, Controle::CommentaireAnnuler);
    EXPECT_FALSE(o->couleur.NotesOuvertes());
    EXPECT_TRUE(o->parametres.ficScanner.empty());
}

TEST(CliCouleur, UnEchantillon) {
    const fs::path d =
        fs::temp_directory_path() / ("orvelle_cli_couleur_" + std::to_string(::getpid()));
    fs::create_directories(d);
    // A 4 x 4 BMP of (10, 200, 30), rows of 12 bytes.
    std::string bmp = "BM";
    for (std::uint32_t v : {102u, 0u, 54u, 40u, 4u, 4u, 0x180001u, 0u, 48u, 2835u, 2835u, 0u, 0u})
        for (int i = 0; i < 4; ++i) bmp += static_cast<char>((v >> (8 * i)) & 0xff);
    for (int i = 0; i < 16; ++i) bmp += std::string{char(30), char(200), char(10)};
    std::ofstream(d / "p.bmp", std::ios::binary) << bmp;
    const auto r = test::LanceCli(d, "--home " + d.string() + " --decimal-separator . colour " +
                                         (d / "p.bmp").string() + " 1 1 --side 2");
    // A point left of the picture is a point, not an option.
    const auto gauche =
        test::LanceCli(d, "--home " + d.string() + " colour " + (d / "p.bmp").string() + " -1 1");
    fs::remove_all(d);
    EXPECT_EQ(gauche.code, 2);
    EXPECT_NE(gauche.erreurs.find("outside the picture (4 x 4 pixels)"), std::string::npos)
        << gauche.erreurs;
    EXPECT_EQ(r.code, 0);
    std::istringstream sortie(r.sortie);
    std::string rr, v, b, L, a, bb, zone, s;
    sortie >> rr >> v >> b >> L >> a >> bb >> zone >> s;
    EXPECT_EQ(rr + " " + v + " " + b + " " + zone + " " + s, "10 200 30 2 0.00");
    EXPECT_NEAR(std::stod(L), LabDepuisSRVB(10 / 255.0, 200 / 255.0, 30 / 255.0).L, 0.005);
}

} // namespace
} // namespace orv
