// Frames read from SANE's own "test" backend, a real backend of the real
// library, and from a fake scanner of ours loaded the same way
// (faux/ScannerFaux.h), configured by a private configuration folder per case.
#include "acquisition/ScannerSane.h"
#include "acquisition/FuitesSane.h"
#include "acquisition/faux/ScannerFaux.h"

#include <gtest/gtest.h>
#include <sane/sane.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace orv {
namespace {

namespace fs = std::filesystem;

// SANE takes its configuration folder once per process and reads the files
// in it whenever it starts: one folder, rewritten before each ScannerSane.
// 254 dpi over 20 x 15 mm is 200 x 150 pixels.
struct DossierSane {
    DossierSane() {
        chemin = fs::temp_directory_path() / ("orvelle-sane-" + std::to_string(::getpid()));
        fs::create_directories(chemin);
        ::setenv("SANE_CONFIG_DIR", chemin.c_str(), 1);
        ::setenv("LD_LIBRARY_PATH", ORVELLE_SANE_FAUX, 1); // where SANE finds the fake
    }
    ~DossierSane() { fs::remove_all(chemin); }
    fs::path chemin;
};

// `backend` alone is offered (none when empty), its file holding `options`.
struct Configuration {
    explicit Configuration(const std::string& options, const std::string& backend = "test") {
        static const DossierSane dossier;
        std::ofstream(dossier.chemin / "dll.conf") << backend << "\n";
        std::ofstream(dossier.chemin / (backend + ".conf"))
            << (backend == "test" ? "number_of_devices 2\nresolution 254\nbr_x 20\nbr_y 15\n" : "")
            << options;
    }
};

ResultatAcquisition Acquiert(const std::string& options, ModeAcquisition mode,
                             const std::string& source = "test:0") {
    Configuration config(options);
    ScannerSane scanner;
    std::atomic<bool> annule{false};
    return scanner.Acquiert(source, mode, annule, {});
}

bool ToutGris(const PixelsImage& i) {
    for (auto p : i.pixels)
        if (((p >> 16) & 0xFF) != (p & 0xFF) || ((p >> 8) & 0xFF) != (p & 0xFF)) return false;
    return true;
}

// Frames of 200 x 150 pixels, grey unless colour is asked for; depths and
// small reads all give the same picture as the plain transfer (the colour
// pattern differs between depths: the grid does not). Three-pass frames are
// left out: the test backend can deadlock between two passes.
TEST(ScannerSane, EveryTransferOfAFrameGivesTheSamePicture) {
    using M = ModeAcquisition;
    const std::string couleur = "test-picture \"Color pattern\"\n", grille = "test-picture Grid\n";
    const struct {
        std::string motif, options;
        M mode;
    } cas[] = {
        {couleur, "read-limit true\nread-limit-size 77\n", M::Couleur},
        {couleur, "read-limit true\nread-limit-size 77\n", M::Gris},
        {couleur, "mode Color\n", M::Gris}, // grey asked on a colour setting
        {couleur, "", M::Appareil},         // the device's own mode is grey
        {grille, "depth 16\n", M::Couleur},
        {grille, "depth 16\n", M::Gris},
        {grille, "depth 1\n", M::Gris},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.motif + c.options);
        const auto reference = Acquiert(c.motif, c.mode);
        const auto autre = Acquiert(c.motif + c.options, c.mode);
        ASSERT_TRUE(reference.Reussi() && autre.Reussi()) << autre.erreur;
        EXPECT_EQ(autre.image.largeur, 200);
        EXPECT_EQ(autre.image.hauteur, 150);
        EXPECT_EQ(ToutGris(autre.image), c.mode != M::Couleur || c.motif == grille);
        EXPECT_TRUE(autre.image.pixels == reference.image.pixels);
    }
    // 10 mm squares are 100 pixels: neighbouring squares differ, diagonal
    // ones match.
    const auto g = Acquiert(grille, M::Gris);
    ASSERT_TRUE(g.Reussi());
    EXPECT_NE(g.image.pixels[50 * 200 + 50], g.image.pixels[50 * 200 + 150]);
    EXPECT_EQ(g.image.pixels[50 * 200 + 50], g.image.pixels[120 * 200 + 150]);
}

// 16-bit samples whose two bytes differ give their high byte; the red,
// green and blue passes of a three-pass device each give their channel.
TEST(ScannerSane, SixteenBitSamplesAndThreePasses) {
    const struct {
        const char* trames;
        int profondeur;
    } cas[] = {{"rgb", 16}, {"gris", 16}, {"passes", 16}, {"passes", 8}};
    for (const auto& c : cas) {
        SCOPED_TRACE(std::string(c.trames) + " " + std::to_string(c.profondeur));
        Configuration config(std::string(c.trames) + " " + std::to_string(c.profondeur) + " 3 2",
                             "orvfaux");
        ScannerSane scanner;
        std::atomic<bool> annule{false};
        const auto r = scanner.Acquiert("orvfaux:0", ModeAcquisition::Couleur, annule, {});
        ASSERT_TRUE(r.Reussi()) << r.erreur;
        ASSERT_EQ(r.image.largeur, 3);
        ASSERT_EQ(r.image.hauteur, 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) {
                const auto octet = [&](int canal) -> std::uint32_t {
                    return test::ValeurFaux(x, y, c.trames == std::string("gris") ? 0 : canal) >> 8;
                };
                EXPECT_EQ(r.image.pixels[static_cast<std::size_t>(y * 3 + x)],
                          0xFF000000u | octet(0) << 16 | octet(1) << 8 | octet(2))
                    << x << ", " << y;
            }
    }
}

TEST(ScannerSane, AFailureSaysWhyAndACancelIsNoFailure) {
    {
        Configuration config("", "");
        ScannerSane scanner;
        std::atomic<bool> annule{false};
        EXPECT_TRUE(scanner.Sources().empty());
        EXPECT_EQ(scanner.Acquiert("", ModeAcquisition::Couleur, annule, {}).echec,
                  EchecAcquisition::AucuneSource);
    }
    const auto absent = Acquiert("", ModeAcquisition::Couleur, "test:9");
    EXPECT_EQ(absent.echec, EchecAcquisition::Appareil);
    EXPECT_EQ(absent.erreur, sane_strstatus(SANE_STATUS_INVAL));
    // The user's Cancel, seen between two reads of a slow device.
    Configuration config("read-limit true\nread-limit-size 100\nread-delay true\n"
                         "read-delay-duration 200000\n");
    ScannerSane scanner;
    std::atomic<bool> annule{false};
    int appels = 0;
    const auto r = scanner.Acquiert("test:0", ModeAcquisition::Gris, annule, [&](int) {
        ++appels;
        annule = true;
    });
    EXPECT_EQ(r.echec, EchecAcquisition::Annulee);
    EXPECT_EQ(appels, 1);
}

} // namespace
} // namespace orv
