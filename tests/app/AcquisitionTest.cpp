// What an acquisition's end does to the loader, and the saves of the picture,
// the drawn view and the screen. The frames themselves come from SANE in
// tests/acquisition; the window's worker thread in tests/gui.
#include "app/CommandesAcquisition.h"
#include "app/CommandesImages.h"
#include "app/CommandesMesure.h"
#include "app/Fenetre.h"
#include "images/Chargeur.h"
#include "images/DIBSection.h"
#include "interface/Messages.h"
#include "measure/Fonctions.h"
#include "support/DossierEssai.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orv {
namespace {

namespace fs = std::filesystem;

PixelsImage Image(int largeur, int hauteur, std::uint32_t couleur) {
    return {largeur, hauteur,
            std::vector<std::uint32_t>(static_cast<size_t>(largeur * hauteur), couleur)};
}

struct PrisesFactices : PrisesDeVue {
    std::optional<PixelsImage> vue = Image(4, 3, 0xFF00FF00), ecran = Image(8, 6, 0xFF0000FF);
    int vues = 0, ecrans = 0;
    std::optional<PixelsImage> VueDessinee() override { return ++vues, vue; }
    std::optional<PixelsImage> Ecran() override { return ++ecrans, ecran; }
};

class AcquisitionTest : public ::testing::Test {
protected:
    void SetUp() override {
        o = std::make_unique<Orvelle>(p, dossier.string());
        o->textes.RemplitMessages();
        o->parametres.repImage = dossier.string();
        o->mesure.NumFonction = 2;
        SelectionneFonction(*o);
    }
    std::optional<TailleImage> Taille(const fs::path& f) { return p.LitTailleImage(f.string()); }
    void Acquise(int largeur, int hauteur) {
        aDIBSection dib;
        ASSERT_TRUE(dib.Create(largeur, hauteur));
        const std::string chemin = CheminNouvelleAcquisition(*o);
        ASSERT_TRUE(EcritBMP(dib, chemin));
        ASSERT_TRUE(FinAcquisition(*o, IssueAcquisition::Reussie, {}, chemin));
    }

    test::PlateformeFactice p;
    test::DossierEssai dossier{"acquisition"};
    std::unique_ptr<Orvelle> o;
};

TEST_F(AcquisitionTest, EachFrameKeepsItsFileAndSlotAndAFailureLeavesThePictureShown) {
    // Camera frames one after the other: none replaces another, each line
    // keeps the picture it was measured on.
    const fs::path images = dossier / "Images";
    fs::create_directories(images);
    o->parametres.repImage = images.string();
    Acquise(10, 8);
    Acquise(12, 9);
    ASSERT_EQ(o->images.chargeur.ListIMGchar,
              (std::vector<std::string>{(images / "ImageTwain_001.bmp").string(),
                                        (images / "ImageTwain_002.bmp").string()}));
    EXPECT_EQ(Taille(images / "ImageTwain_001.bmp"), (TailleImage{10, 8}));
    EXPECT_EQ(o->images.IndexImage, 2);
    EXPECT_EQ(o->controles.Texte(Controle::LargeurImage), "12");
    // A frame read but not written is said in a message box.
    EXPECT_FALSE(FinAcquisition(*o, IssueAcquisition::EcritureImpossible, "disque plein"));
    EXPECT_NE(p.Textes("message").back().find("disque plein"), std::string::npos);

    const auto version = o->images.versionImage;
    EXPECT_FALSE(FinAcquisition(*o, IssueAcquisition::AucuneSource));
    EXPECT_EQ(o->controles.Texte(Controle::BarreEtat), "aucune source");
    EXPECT_FALSE(FinAcquisition(*o, IssueAcquisition::Echec, "Document feeder jammed"));
    EXPECT_EQ(o->controles.Texte(Controle::BarreEtat), "Document feeder jammed");
    EXPECT_FALSE(FinAcquisition(*o, IssueAcquisition::Annulee));
    EXPECT_EQ(o->controles.Texte(Controle::BarreEtat), "Document feeder jammed");
    EXPECT_EQ(o->images.versionImage, version);
    EXPECT_EQ(o->images.chargeur.ListIMGchar.size(), 2u);

    // Not while a measure is half entered.
    EXPECT_TRUE(AcquisitionPermise(*o));
    o->mesure.Etape = 2;
    EXPECT_FALSE(AcquisitionPermise(*o));
    EXPECT_EQ(p.Textes("flash").back(), o->textes.Msg(msg::MesureInachevee));
}

TEST_F(AcquisitionTest, SavesProposeTheirNameAndAskBeforeReplacingAFile) {
    PrisesFactices prises;
    o->images.cheminImage = "/photos/spore.12.jpg";
    p.pixelsImages[o->images.cheminImage] = Image(5, 2, 0xFFFF0000);

    // 3 "Sauver l'image Twain": the picture without marks; ".bmp" added.
    p.fichiers.push_back((dossier / "image").string());
    ASSERT_TRUE(SauveImage(*o, ImageASauver::Image, prises));
    EXPECT_EQ(p.dernierPropose, (dossier / "Twain_ImageTwain.bmp").string());
    EXPECT_EQ(Taille(dossier / "image.bmp"), (TailleImage{5, 2}));
    // 4 "Sauver le cadre": the drawn view; an existing file stays without OK.
    p.fichiers.push_back((dossier / "image.bmp").string());
    p.reponses.push_back(false);
    EXPECT_FALSE(SauveImage(*o, ImageASauver::VueDessinee, prises));
    EXPECT_EQ(Taille(dossier / "image.bmp"), (TailleImage{5, 2}));
    p.fichiers.push_back((dossier / "image.bmp").string());
    p.reponses.push_back(true);
    ASSERT_TRUE(SauveImage(*o, ImageASauver::VueDessinee, prises));
    EXPECT_EQ(Taille(dossier / "image.bmp"), (TailleImage{4, 3}));

    // Screen copy: the whole screen, or the work area once chosen.
    p.fichiers.push_back((dossier / "e1.bmp").string());
    ASSERT_TRUE(CopieEcran(*o, prises));
    EXPECT_EQ(p.dernierPropose, (dossier / "ecran_spore.bmp").string());
    EXPECT_EQ(Taille(dossier / "e1.bmp"), (TailleImage{8, 6}));
    orv::Clic(*o, Controle::CopieEcranZoneTravail);
    EXPECT_TRUE(o->controles(Controle::CopieEcranZoneTravail).coche);
    EXPECT_FALSE(o->controles(Controle::CopieEcranEcran).coche);
    p.fichiers.push_back((dossier / "e2.bmp").string());
    ASSERT_TRUE(CopieEcran(*o, prises, "mesures."));
    EXPECT_EQ(p.dernierPropose, (dossier / "ecran_mesures.bmp").string());
    EXPECT_EQ(Taille(dossier / "e2.bmp"), (TailleImage{4, 3}));
    EXPECT_EQ(prises.ecrans, 1);

    // A desktop that refuses its screen: said, and the work area offered.
    orv::Clic(*o, Controle::CopieEcranEcran);
    prises.ecran.reset();
    p.reponses.push_back(false);
    EXPECT_FALSE(CopieEcran(*o, prises));
    EXPECT_TRUE(p.fichiers.empty());
    p.reponses.push_back(true);
    p.fichiers.push_back((dossier / "e3.bmp").string());
    ASSERT_TRUE(CopieEcran(*o, prises));
    EXPECT_EQ(Taille(dossier / "e3.bmp"), (TailleImage{4, 3}));
    EXPECT_EQ(p.Textes("question").back(), o->textes.Mnu(mnu::EcranRefuse));
}

} // namespace
} // namespace orv
