// The colour function: L*a*b* against published values, the sampling of a
// zone, the zone's size controls, and a session that samples a picture and
// writes a scanner calibration and a colour chart.
#include "app/CommandesCouleur.h"
#include "app/CommandesImages.h"
#include "app/CommandesMesure.h"
#include "app/CommandesTrame.h"
#include "app/Fenetre.h"
#include "base/FichierTexte.h"
#include "base/Nombres.h"
#include "cli/LanceCli.h"
#include "colour/Echantillon.h"
#include "colour/ZoneCouleur.h"
#include "images/DIBSection.h"
#include "results/ExportCSV.h"
#include "support/DossierEssai.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

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

// Published values; the dark ones (every channel up to 10/255, on the straight
// part of the sRGB curve, and L* under 8, on the straight part of L*'s) from
// the standards' formulas.
TEST(Lab, ValeursPubliees) {
    const struct {
        int r, v, b;
        double L, a, bb;
    } cas[] = {{255, 255, 255, 100, 0, 0},
               {0, 0, 0, 0, 0, 0},
               {255, 0, 0, 53.24, 80.09, 67.20},
               {0, 255, 0, 87.73, -86.18, 83.18},
               {0, 0, 255, 32.30, 79.19, -107.86},
               {119, 119, 119, 50.0, 0, 0},
               {5, 5, 5, 1.37, 0, 0},
               {10, 2, 6, 1.09, 2.65, -0.78},
               {2, 9, 4, 1.96, -2.53, 1.25}};
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
        ASSERT_TRUE(EcritLignesFichier((dossier / "Zelk.dat").string(),
                                       {"FONCTION_DEMARRAGE= 20", "ZONECOULEUR= 3"}));
        o = std::make_unique<Orvelle>(p, dossier.string());
        o->couleur.texteIdMachine = "0123456789abcdef0123456789abcdef";
        o->resultats.exportCSV.horloge = [] { return Horodatage{"07/12/2026", "06:15:00"}; };
        Demarrage(*o);
        Activation(*o);
    }

    // A click at the centre of pixel (x, y) of the picture shown.
    void Clique(double x, double y) {
        const PointImage pi{static_cast<std::int32_t>(x * UnitesImageParPixel),
                            static_cast<std::int32_t>(y * UnitesImageParPixel)};
        const PointTwips t = VersBoite(o->images.vue, pi);
        ClicImage(*o, Bouton::Gauche, {}, t);
        RelacheImage(*o, Bouton::Gauche, {}, t);
    }

    test::DossierEssai dossier{"couleur"};
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

// A sample's zone, corners in picture units (cut by the picture's edge in
// the corner): previewed under the pointer, drawn with the line, drawn again
// at another zoom and when the work is opened again.
TEST_F(SessionCouleur, ZonesRetraceesEtRouvertes) {
    const std::string image = (dossier / "carte.bmp").string();
    std::ofstream(image) << "image";
    p.images[image] = {30, 14};
    p.echantillons[image] = Image(30, 14, [](int x, int y) {
        return std::array{Seize(8 * x), Seize(16 * y), Seize(0)};
    });
    ASSERT_TRUE(OuvreCheminImage(*o, image));
    const auto coins = [](int x0, int y0, int x1, int y1) {
        const auto u = [](int px) {
            return static_cast<std::int32_t>(std::lround(px * UnitesImageParPixel));
        };
        return std::pair{PointImage{u(x0), u(y0)}, PointImage{u(x1), u(y1)}};
    };
    // The 8 x 8 squares nearest to the points clicked, the second cut to 4 x 5.
    const std::vector attendus{coins(21, 1, 29, 9), coins(0, 9, 4, 14)};
    const auto rectangles = [](const std::vector<Marque>& marques) {
        std::vector<std::pair<PointImage, PointImage>> r;
        for (const Marque& m : marques)
            if (m.genre == GenreMarque::Rectangle) r.emplace_back(m.a, m.b);
        return r;
    };
    SuitSouris(*o, {}, {},
               VersBoite(o->images.vue, {Arrondi32(0.3 * UnitesImageParPixel),
                                         Arrondi32(13.3 * UnitesImageParPixel)}));
    EXPECT_EQ(rectangles(o->mesure.marques.provisoires), std::vector{attendus[1]});
    Clique(25.3, 5.3);
    Clique(0.3, 13.3);
    EXPECT_EQ(rectangles(o->mesure.marques.fixes), attendus);
    o->images.vue.FixeExposant(-3);
    RetraceImageMontree(*o);
    EXPECT_EQ(rectangles(o->mesure.marques.fixes), attendus);

    const std::string trame = (dossier / "zones.trm").string();
    ASSERT_TRUE(SauveTrame(*o, trame));
    Orvelle rouverte(p, dossier.string());
    Demarrage(rouverte);
    Activation(rouverte);
    ASSERT_TRUE(OuvreTrame(rouverte, trame));
    EXPECT_EQ(rectangles(rouverte.mesure.marques.fixes), attendus);
    for (int l = 1; l <= 2; ++l)
        for (int c = 0; c < o->mesure.GrilleRef.Colonnes(); ++c)
            EXPECT_EQ(rouverte.mesure.GrilleRef.Texte(l, c), o->mesure.GrilleRef.Texte(l, c))
                << l << ", " << c;
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

// orvelle-cli's colour: the pixel X then Y, up to the right and bottom
// edges, on a zone of the sides the menu offers and of no other.
TEST(CliCouleur, UnEchantillon) {
    const test::DossierEssai d{"cli_couleur"};
    // 3 x 2 pixels: red grows with x, green with y.
    PixelsImage image{3, 2, {}};
    for (std::uint32_t y = 0; y < 2; ++y)
        for (std::uint32_t x = 0; x < 3; ++x)
            image.pixels.push_back(0xFF000000u | (10 + 100 * x) << 16 | (20 + 200 * y) << 8 | 30);
    aDIBSection dib;
    ASSERT_TRUE(dib.CreateFromPicture(image));
    const std::string bmp = (d / "p.bmp").string();
    ASSERT_TRUE(EcritBMP(dib, bmp));
    const struct {
        const char* arguments;
        const char* sortie; // R V B zone, or the start of the error
    } cas[] = {
        {"2 1 --side 2", "210 220 30 1"}, // the zone cut to the corner pixel
        {"0 0 --side 2", "60 120 30 2"},
        {"1 0 --side 64", "110 120 30 6"},
        {"0 0 --side 1", "--side: give 2"},
        {"0 0 --side 128", "--side: give 2"},
        {"3 1", "the point is outside the picture (3 x 2 pixels)"},
        {"2 2", "the point is outside the picture (3 x 2 pixels)"},
        {"-1 1", "the point is outside the picture (3 x 2 pixels)"}, // a point, not an option
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.arguments);
        const auto r = test::LanceCli(d, "--home " + d.string() + " --decimal-separator . colour " +
                                             bmp + " " + c.arguments);
        if (r.code != 0) {
            EXPECT_EQ(r.code, 2);
            EXPECT_EQ(r.erreurs.find(std::string("orvelle-cli: ") + c.sortie), 0u) << r.erreurs;
            continue;
        }
        std::istringstream sortie(r.sortie);
        std::string rr, v, b, L, a, bb, zone, s;
        sortie >> rr >> v >> b >> L >> a >> bb >> zone >> s;
        EXPECT_EQ(rr + " " + v + " " + b + " " + zone, c.sortie);
        if (zone == "1") {
            EXPECT_NEAR(std::stod(L), LabDepuisSRVB(210 / 255.0, 220 / 255.0, 30 / 255.0).L, 0.005);
        }
    }
}

} // namespace
} // namespace orv
