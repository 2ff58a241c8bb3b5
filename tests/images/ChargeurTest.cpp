#include "images/Chargeur.h"
#include "app/CommandesImages.h"
#include "app/CommandesMesure.h"
#include "app/Fenetre.h"
#include "app/Orvelle.h"
#include "images/CopieReferencee.h"
#include "images/DIBSection.h"
#include "images/EnteteImage.h"
#include "images/Repertoire.h"
#include "interface/Messages.h"
#include "interface/TableControles.h"
#include "measure/Fonctions.h"
#include "measure/Grille.h"
#include "support/DossierEssai.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace orv {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

using test::Lit;

class ChargeurTest : public ::testing::Test {
protected:
    void SetUp() override {
        o = std::make_unique<Orvelle>(p, dossier.string());
        o->textes.RemplitMessages();
        o->mesure.NumFonction = 2; // spores 2D: two values a line
        SelectionneFonction(*o);
        for (const char* nom : {"a", "b", "c", "d"}) p.images[Chemin(nom)] = {1000, 800};
    }

    static std::string Chemin(const std::string& nom) { return "/photos/" + nom + ".jpg"; }
    void Ouvre(const std::string& chemin) {
        p.fichiers.push_back(chemin);
        orv::Clic(*o, Controle::OuvrirImage);
    }
    // A complete spore line measured on the image shown, its first segment
    // from (x1, y1) to (x2, y2) in picture units.
    void Mesure(int x1, int y1, int x2, int y2) {
        AjouteValeur(*o, 10, SegmentTrace{x1, y1, x2, y2});
        AjouteValeur(*o, 5, SegmentTrace{x1, y1, x1, y1 + 100});
    }
    void MesureSur(int slot) {
        ASSERT_TRUE(MontreEmplacement(*o, slot - 1));
        Mesure(0, 0, 100, 0);
    }
    std::string ImageDeLigne(int l) const {
        return o->mesure.GrilleRef.Texte(l, o->mesure.GrilleRef.Colonnes() - 2);
    }
    const std::vector<std::string>& Liste() const { return o->images.chargeur.ListIMGchar; }
    // The slot shown and its path.
    void Montre(int slot, const std::string& chemin) const {
        EXPECT_EQ(o->images.IndexImage, slot);
        EXPECT_EQ(o->images.cheminImage, chemin);
    }
    const std::string& Texte(Controle c) const { return o->controles.Texte(c); }
    void Clic(Controle c) { orv::Clic(*o, c); }

    test::PlateformeFactice p;
    test::DossierEssai dossier{"chargeur"};
    std::unique_ptr<Orvelle> o;
};

// Each opened image takes a slot with the factor in use, and is shown.
TEST_F(ChargeurTest, OpeningAddsASlotAndShowsIt) {
    o->calibrage.CoefCalibrage = 0.5;
    Ouvre(Chemin("a"));
    EXPECT_EQ(o->calibrage.CalibrageImage[1], 0.5);
    o->calibrage.CalibrageImage[1] = 0.25; // image a recalibrated
    o->calibrage.CoefCalibrage = 0.8;
    Ouvre(Chemin("b"));
    EXPECT_EQ(o->calibrage.CalibrageImage[2], 0.8);
    EXPECT_EQ(o->calibrage.CalibrageImage[1], 0.25);
    EXPECT_EQ(Liste(), (std::vector<std::string>{Chemin("a"), Chemin("b")}));
    Montre(2, Chemin("b"));
    EXPECT_EQ(Texte(Controle::LargeurImage), "1000");
    EXPECT_EQ(o->images.chargeur.ListImgAff, (std::vector<std::string>{"a.jpg", "b.jpg"}));
    // Each opened image starts at the initial zoom.
    EXPECT_EQ(o->images.vue.ExposantZoom(), -2 * o->images.vue.PasZoom());

    // The same path again: that slot is shown with its factor, no second one is made.
    Ouvre(Chemin("a"));
    EXPECT_EQ(Liste().size(), 2u);
    Montre(1, Chemin("a"));
    EXPECT_EQ(o->calibrage.CoefCalibrage, 0.25);
    EXPECT_EQ(Texte(Controle::LegendeCalibrage), "Cal.=0,2500\n3,0000 µm/px");
    ClicListeAffichee(*o, 1);
    EXPECT_EQ(o->calibrage.CoefCalibrage, 0.8);
    EXPECT_EQ(o->images.IndexImage, 2);
    // A cancelled dialog changes nothing.
    Ouvre(std::string());
    p.fichiers.push_back(std::nullopt);
    orv::Clic(*o, Controle::OuvrirImage);
    EXPECT_EQ(o->images.IndexImage, 2);
}

// Fifty images, one by one or by block; a block says how many were left out.
TEST_F(ChargeurTest, TheLoaderHoldsFiftyImages) {
    std::vector<std::string> bloc;
    for (int i = 1; i <= ImagesMax + 2; ++i) {
        bloc.push_back("/lot/" + std::to_string(i) + ".bmp");
        p.images[bloc.back()] = {640, 480};
    }
    bloc.insert(bloc.begin() + 1, "/lot/illisible.bmp"); // refused on its own, takes no slot
    EXPECT_EQ(AjouteCheminsBloc(*o, bloc), ImagesMax);
    EXPECT_EQ(Liste().back(), "/lot/50.bmp");
    const auto messages = p.Textes("message");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[0].find("/lot/illisible.bmp"), std::string::npos);
    EXPECT_EQ(messages[1], o->textes.Mnu(mnu::ChargeurPlein) + "\r\n2 images non ajoutées");

    EXPECT_TRUE(AjouteChemin(*o, "/lot/50.bmp")); // a path already there is shown
    p.Oublie();
    EXPECT_FALSE(AjouteChemin(*o, "/lot/51.bmp"));
    EXPECT_EQ(p.Textes("message"), std::vector<std::string>{o->textes.Mnu(mnu::ChargeurPlein)});
    EXPECT_EQ(Liste().size(), 50u);
    Montre(50, "/lot/50.bmp");
    EXPECT_TRUE(AjouteChemin(*o, "/lot/7.bmp"));
    EXPECT_EQ(o->images.IndexImage, 7);
}

TEST_F(ChargeurTest, NoImageChangesWhileAMeasureIsHalfEntered) {
    Ouvre(Chemin("a"));
    Ouvre(Chemin("b"));
    AjouteValeur(*o, 10); // first value of a spore: step 2
    ASSERT_EQ(o->mesure.Etape, 2);
    p.Oublie();
    orv::Clic(*o, Controle::OuvrirImage); // the fake fails the test if a dialog opens
    DoubleClicChargeur(*o, 0);
    ClicListeAffichee(*o, 0);
    p.imagePressePapier = PixelsImage{1, 1, {0xFFFFFFFF}};
    orv::Clic(*o, Controle::ImagePressePapier);
    EXPECT_EQ(p.Textes("flash"), std::vector<std::string>(4, " mesure inachevée"));
    Montre(2, Chemin("b"));
    EXPECT_FALSE(fs::exists(dossier / FichierPressePapier));

    AjouteValeur(*o, 5); // line complete: step 1 again
    DoubleClicChargeur(*o, 0);
    EXPECT_EQ(o->images.IndexImage, 1);
}

TEST_F(ChargeurTest, AnImageOfAnotherSizeIsSaidAndLoaded) {
    p.images["/photos/large.jpg"] = {1200, 800};
    p.images["/photos/haute.jpg"] = {1000, 900};
    Ouvre(Chemin("a"));
    Ouvre(Chemin("b"));
    EXPECT_EQ(p.Compte("flash"), 0);
    Ouvre("/photos/haute.jpg");
    Ouvre("/photos/large.jpg"); // same height, other width: other pixel units too
    const std::string dimension =
        "L'image chargée a une dimension différente de l'image précédente";
    EXPECT_EQ(p.Textes("flash"), std::vector<std::string>(2, dimension));
    EXPECT_EQ(o->images.IndexImage, 4);
    EXPECT_EQ(Texte(Controle::LargeurImage), "1200");
}

// A file that is no picture is refused with its path; a loaded file gone
// away changes nothing; a picture over the memory budget never takes a slot,
// and the user reads its size and the limit; a picture whose decoding fails
// gives its slot back (unless lines use it) and the box shows the default
// picture again.
TEST_F(ChargeurTest, PicturesThatCannotBeShownLeaveNoSlot) {
    Ouvre(Chemin("a"));
    p.Oublie();
    Ouvre("/photos/plan.wmf");
    EXPECT_EQ(
        p.Textes("message"),
        std::vector<std::string>{"Problème de chargement du fichier image  /photos/plan.wmf\r\n" +
                                 o->textes.Mnu(mnu::PasUneImage)});
    EXPECT_EQ(Liste().size(), 1u);
    Montre(1, Chemin("a"));

    // A loaded file that went away: showing its slot changes nothing.
    Ouvre(Chemin("b"));
    p.images.erase(Chemin("a"));
    p.Oublie();
    DoubleClicChargeur(*o, 0);
    EXPECT_EQ(p.Compte("message"), 1);
    Montre(2, Chemin("b"));

    p.images[Chemin("a")] = {1000, 800};
    VideChargeur(*o);
    Ouvre(Chemin("a"));
    p.images["/photos/enorme.jpg"] = {20000, 20000};
    p.Oublie();
    // In the words of the tables, whatever the language.
    o->textes.Fixe(Table::MNU, mnu::ImageTropGrande, "%1 x %2 : %3 MB > %4 MB");
    Ouvre("/photos/enorme.jpg");
    ASSERT_EQ(p.Compte("message"), 1);
    const std::string m = p.Textes("message")[0];
    EXPECT_NE(m.find("\r\n20000 x 20000 : "), std::string::npos) << m;
    EXPECT_NE(m.find(" MB > 1024 MB"), std::string::npos) << m;
    EXPECT_EQ(Liste().size(), 1u);
    o->parametres.memoireImageMo = 4000;
    Ouvre("/photos/enorme.jpg");
    EXPECT_EQ(Liste().size(), 2u);

    // Decoding fails after the header was read: the picture shown before
    // comes back as it was, its captions and slot with it.
    o->images.vue.FixeOrigine(300, 200);
    const Vue vue = o->images.vue;
    Ouvre(Chemin("b"));
    ASSERT_EQ(Liste().size(), 3u);
    p.Oublie();
    EchecChargementImage(*o, Chemin("b"), "");
    EXPECT_EQ(p.Compte("message"), 1);
    EXPECT_EQ(Liste().size(), 2u);
    EXPECT_EQ(o->images.cheminImage, "/photos/enorme.jpg");
    EXPECT_EQ(o->images.IndexImage, 2);
    EXPECT_EQ(o->controles.Texte(Controle::CheminImage), "/photos/enorme.jpg");
    EXPECT_EQ(o->controles.Texte(Controle::LargeurImage), "20000");
    EXPECT_EQ(o->images.vue.OrigineX(), vue.OrigineX());
    // A FIFO named as a picture is refused before anything opens it.
    const std::string fifo = (dossier / "fifo.jpg").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    p.Oublie();
    Ouvre(fifo);
    ASSERT_EQ(p.Compte("message"), 1);
    EXPECT_NE(p.Textes("message")[0].find("n'est pas un fichier ordinaire"), std::string::npos);
    EXPECT_EQ(Liste().size(), 2u);
    // A slot that lines use stays, for their image numbers.
    MontreEmplacement(*o, 0);
    MesureSur(1);
    EchecChargementImage(*o, Chemin("a"), "");
    EXPECT_EQ(Liste().size(), 2u);
}

TEST_F(ChargeurTest, RemovingAnUnusedSlotRenumbersTheLines) {
    for (const char* n : {"a", "b", "c", "d"}) Ouvre(Chemin(n));
    for (int s = 1; s <= 4; ++s) o->calibrage.CalibrageImage[static_cast<size_t>(s)] = s * 0.1;
    MesureSur(1);
    MesureSur(3);
    MesureSur(4);
    MesureSur(3);
    EXPECT_EQ(EmplacementsInutilises(*o), std::vector<int>{2});

    ASSERT_TRUE(RepEffaceLigne(*o, 2));
    EXPECT_EQ(Liste(), (std::vector<std::string>{Chemin("a"), Chemin("c"), Chemin("d")}));
    const std::vector<std::string> attendu{"1", "2", "3", "2"};
    for (int l = 1; l <= 4; ++l) {
        EXPECT_EQ(ImageDeLigne(l), attendu[static_cast<size_t>(l - 1)]) << l;
        EXPECT_EQ(std::to_string(o->mesure.TraceLignes[static_cast<size_t>(l)].image),
                  attendu[static_cast<size_t>(l - 1)]);
    }
    // The factors and the image shown (c, slot 3 before) follow.
    EXPECT_DOUBLE_EQ(o->calibrage.CalibrageImage[1], 0.1);
    EXPECT_DOUBLE_EQ(o->calibrage.CalibrageImage[2], 0.3);
    EXPECT_DOUBLE_EQ(o->calibrage.CalibrageImage[3], 0.4);
    EXPECT_EQ(o->images.IndexImage, 2);
    EXPECT_EQ(o->images.chargeur.ListImgAff, (std::vector<std::string>{"a.jpg", "c.jpg", "d.jpg"}));
    EXPECT_TRUE(EmplacementsInutilises(*o).empty());
    EXPECT_FALSE(RepEffaceLigne(*o, 4));
    EXPECT_FALSE(RepEffaceLigne(*o, 0));
}

TEST_F(ChargeurTest, RemovingTheSlotShown) {
    // The image shown leaves the loader: measures go to no slot until another is shown.
    for (const char* n : {"a", "b", "c", "d"}) Ouvre(Chemin(n));
    EXPECT_EQ(o->images.IndexImage, 4);
    ASSERT_TRUE(RepEffaceLigne(*o, 4));
    EXPECT_EQ(o->images.IndexImage, 0);
}

TEST_F(ChargeurTest, ClearingTheListAsksFirstAndKeepsTheGrid) {
    Ouvre(Chemin("a"));
    Ouvre(Chemin("b"));
    Mesure(0, 0, 100, 0);
    p.reponses = {false};
    orv::Clic(*o, Controle::ChargeurEffacerListe);
    EXPECT_EQ(p.Textes("question"), std::vector<std::string>{"effacer  la liste d'images  ? "});
    EXPECT_EQ(Liste().size(), 2u);

    o->calibrage.groupe.ListImgMC = {Chemin("a")};
    o->calibrage.groupe.ListImgIdx = {0};
    o->calibrage.groupe.EstDansGroupe[0] = true;
    p.reponses = {true};
    orv::Clic(*o, Controle::ChargeurEffacerListe);
    EXPECT_TRUE(Liste().empty());
    EXPECT_TRUE(o->images.chargeur.ListImgAff.empty());
    EXPECT_TRUE(o->calibrage.groupe.ListImgMC.empty());
    EXPECT_FALSE(o->calibrage.groupe.EstDansGroupe[0]);
    EXPECT_EQ(ImageDeLigne(1), "2");
    EXPECT_EQ(o->images.IndexImage, 0);
    // The next image takes slot 1 again.
    Ouvre(Chemin("c"));
    EXPECT_EQ(o->images.IndexImage, 1);
}

TEST_F(ChargeurTest, GroupModeListsTheGroup) {
    for (const char* n : {"a", "b", "c"}) Ouvre(Chemin(n));
    o->calibrage.ModeGroupe = true;
    o->calibrage.groupe.ListImgMC = {Chemin("c"), Chemin("a")};
    o->calibrage.groupe.ListImgIdx = {2, 0};
    AfficheListeImages(*o);
    EXPECT_EQ(o->images.chargeur.ListImgAff, (std::vector<std::string>{"c.jpg", "a.jpg"}));
    ClicListeAffichee(*o, 1);
    EXPECT_EQ(o->images.IndexImage, 1);
    ClicListeAffichee(*o, 2); // no such row
    EXPECT_EQ(o->images.IndexImage, 1);
}

TEST_F(ChargeurTest, ClipboardPictureIsSavedAndLoaded) {
    p.imagePressePapier = PixelsImage{3, 2, std::vector<std::uint32_t>(6, 0xFF336699)};
    orv::Clic(*o, Controle::ImagePressePapier);
    const fs::path fichier = dossier / FichierPressePapier;
    aDIBSection attendu;
    ASSERT_TRUE(attendu.CreateFromPicture(*p.imagePressePapier));
    EXPECT_EQ(Lit(fichier), OctetsBMP(attendu));
    EXPECT_EQ(Liste(), std::vector<std::string>{fichier.string()});
    EXPECT_EQ(o->images.cheminImage, fichier.string());
    EXPECT_EQ(Texte(Controle::LargeurImage), "3");
    EXPECT_EQ(Texte(Controle::HauteurImage), "2");

    p.imagePressePapier.reset();
    orv::Clic(*o, Controle::ImagePressePapier);
    EXPECT_EQ(p.Textes("message"),
              std::vector<std::string>{"Le presse papier ne contient pas d'image valide"});
    EXPECT_EQ(Liste().size(), 1u);
}

TEST_F(ChargeurTest, ChercheBringsBackTheLineImageAndMeasure) {
    Ouvre(Chemin("a"));
    o->calibrage.CalibrageImage[1] = 0.125;
    o->images.vue.FixeExposant(-6);
    Mesure(20000, 10000, 30000, 12000);
    o->mesure.TraceLignes[1].zoom = -6; // as the pointing keeps it
    Ouvre(Chemin("b"));
    o->calibrage.CalibrageImage[2] = 0.5;
    MesureSur(2);
    ASSERT_EQ(o->images.IndexImage, 2);

    o->mesure.GrilleRef.Selectionne(1, 1);
    orv::Clic(*o, Controle::Cherche);
    Montre(1, Chemin("a"));
    EXPECT_EQ(o->calibrage.CoefCalibrage, 0.125);
    EXPECT_EQ(Texte(Controle::LegendeCalibrage), "Cal.=0,1250\n1,5000 µm/px");
    EXPECT_EQ(o->images.vue.ExposantZoom(), -6);
    // The middle of the first segment is at the centre of the box.
    const auto centre = o->images.vue.VersImage(
        {o->images.vue.LargeurBoite() / 2, o->images.vue.HauteurBoite() / 2});
    EXPECT_NEAR(centre.x, 25000, 1);
    EXPECT_NEAR(centre.y, 11000, 1);

    // A line whose slot holds no image: the default picture, slot 0.
    o->mesure.TraceLignes[2].image = 9;
    o->mesure.GrilleRef.Selectionne(2, 1);
    Cherche_spore(*o);
    Montre(0, "");
    // An empty line changes nothing.
    o->mesure.GrilleRef.Selectionne(5, 1);
    o->images.vue.FixeExposant(-1);
    Cherche_spore(*o);
    EXPECT_EQ(o->images.vue.ExposantZoom(), -1);
}

TEST(CopieReferenceeTest, NameOfTheCopy) {
    EXPECT_EQ(NomCopieReferencee("/d/x.y/spore.tif", 3), "/d/x.y/spore_Ref.png");
    // Formats not written fall back to BMP; a name without extension keeps its folder's dot.
    EXPECT_EQ(NomCopieReferencee("/d/x.y/spore.jpg", 2), "/d/x.y/spore_Ref.bmp");
    EXPECT_EQ(NomCopieReferencee("/d/x.y/spore", 1), "/d/x.y/spore_Ref.JPG");
    EXPECT_EQ(NomCopieReferencee("C:\\x.y\\a.b.bmp", 0), "C:\\x.y\\a.b_Ref.bmp");
}

TEST_F(ChargeurTest, SavingTheCopyNeverOverwritesUnasked) {
    const std::string image = (dossier / "spore.jpg").string();
    p.images[image] = {2, 1};
    ASSERT_TRUE(AjouteChemin(*o, image));
    const fs::path cible = dossier / "spore_Ref.bmp";
    { std::ofstream(cible) << "ancien"; }
    const PixelsImage copie{2, 1, {0xFF0000FF, 0xFFFF0000}};
    OffreCopieReferencee(o->ui, o->images.chargeur, copie);
    EXPECT_TRUE(o->controles(Controle::CadreCopie).visible);
    EXPECT_FALSE(o->controles(Controle::TexteCopie).visible);

    p.reponses = {false};
    orv::Clic(*o, Controle::CopieEnregistre);
    EXPECT_EQ(p.Compte("question"), 1);
    EXPECT_NE(p.Textes("question")[0].find("écraser le fichier existant ?"), std::string::npos);
    EXPECT_EQ(Lit(cible), "ancien");
    EXPECT_TRUE(o->controles(Controle::CopieEnregistre).actif);

    p.reponses = {true};
    orv::Clic(*o, Controle::CopieEnregistre);
    aDIBSection attendu;
    ASSERT_TRUE(attendu.CreateFromPicture(copie));
    EXPECT_EQ(Lit(cible), OctetsBMP(attendu));
    EXPECT_FALSE(o->controles(Controle::CopieEnregistre).actif);
    EXPECT_EQ(o->controles.Texte(Controle::BarreEtat),
              "Image référencée enregistrée : " + cible.string());
    EXPECT_EQ(o->controles.Texte(Controle::TexteCopie), cible.string());

    orv::Clic(*o, Controle::CopieFerme);
    EXPECT_FALSE(o->controles(Controle::CadreCopie).visible);
    EXPECT_FALSE(o->images.chargeur.apercu);
}

TEST_F(ChargeurTest, CopyInJpegGoesThroughThePlatform) {
    const std::string image = (dossier / "spore.jpg").string();
    p.images[image] = {2, 2};
    p.pixelsImages[image] = PixelsImage{2, 2, {0xFF010203, 0xFF040506, 0xFF070809, 0xFF0A0B0C}};
    ASSERT_TRUE(AjouteChemin(*o, image));
    o->parametres.extImg = 1;
    OffreCopieReferencee(o->ui, o->images.chargeur, std::nullopt); // the plain picture

    p.ecritureImageReussit = false;
    EXPECT_FALSE(EnregistreCopieReferencee(o->ui, o->images, o->parametres.extImg));
    EXPECT_EQ(p.Compte("message"), 1);
    EXPECT_TRUE(o->controles(Controle::CopieEnregistre).actif);

    // A dangling link at the copy's name is asked about too.
    const fs::path cible = dossier / "spore_Ref.JPG";
    fs::create_symlink(dossier / "ailleurs", cible);
    p.ecritureImageReussit = true;
    p.reponses = {true};
    EXPECT_TRUE(EnregistreCopieReferencee(o->ui, o->images, o->parametres.extImg));
    EXPECT_EQ(p.Compte("question"), 1);
    ASSERT_EQ(p.Textes("ecritimage").back(), cible.string());
    // The encoder received the rows bottom-up, padded to 8 bytes.
    const std::string attendu = std::string("JPG 2 2\n") + "\x09\x08\x07\x0C\x0B\x0A\0\0"s +
                                "\x03\x02\x01\x06\x05\x04\0\0"s;
    EXPECT_EQ(Lit(cible), attendu);
    EXPECT_FALSE(fs::exists(dossier / "spore_Ref.bmp"));
}

// The folder browser: the pictures of the image folder, sorted, whatever the
// case of their extension; a block added once, with the factor in use.
TEST_F(ChargeurTest, BrowserAddsABlockOfTheImageFolder) {
    const fs::path photos = dossier / "photos";
    fs::create_directories(photos / "sous");
    for (const char* nom : {"c.tif", "readme", "b.JPG", "a.jpg", "notes.txt"}) {
        std::ofstream(photos / nom) << "x";
        p.images[(photos / nom).string()] = {1000, 800};
    }
    o->parametres.repImage = photos.string();
    const auto chemin = [&](const char* nom) { return (photos / nom).string(); };
    AjouteChemin(*o, chemin("a.jpg"));
    o->calibrage.CoefCalibrage = 0.25;

    Clic(Controle::ChargeurAjouter);
    const auto& r = o->images.repertoire;
    EXPECT_EQ(Texte(Controle::BarreEtat), "Ajouter un bloc d'image au chargeur");
    EXPECT_EQ(r.ListRep, (std::vector<std::string>{"a.jpg", "b.JPG", "c.tif"}));
    EXPECT_EQ(Texte(Controle::RepertoireCharger), "Ajouter");
    EXPECT_FALSE(o->controles(Controle::ListeDossiers).visible);

    SelectionneFichiers(o->ui, o->images.repertoire, o->parametres.repImage, 1, {0, 1, 2});
    EXPECT_EQ(Texte(Controle::TexteRepertoire), chemin("b.JPG"));
    Clic(Controle::RepertoireCharger);
    EXPECT_EQ(Liste(),
              (std::vector<std::string>{chemin("a.jpg"), chemin("b.JPG"), chemin("c.tif")}));
    EXPECT_DOUBLE_EQ(o->calibrage.CalibrageImage[2], 0.25);
    EXPECT_DOUBLE_EQ(o->calibrage.CalibrageImage[3], 0.25);
    EXPECT_TRUE(o->controles(Controle::CadreChargeur).visible);
    Clic(Controle::RepertoireCharger); // the same block again: nothing doubled
    EXPECT_EQ(Liste().size(), 3u);
    EXPECT_EQ(p.Compte("message"), 0);

    // "Répertoire" shows the folders; a folder chosen there is listed.
    Clic(Controle::RepertoireChoisir);
    EXPECT_EQ(r.sousDossiers, std::vector<std::string>{"sous"});
    ClicDossier(o->ui, o->images.repertoire, 0);
    Clic(Controle::RepertoireCharger);
    EXPECT_EQ(o->parametres.repImage, (photos / "sous").string());
    EXPECT_TRUE(r.ListRep.empty());
    Clic(Controle::RepertoireFermer);
    EXPECT_FALSE(o->controles(Controle::CadreRepertoire).visible);
    EXPECT_FALSE(o->controles(Controle::CadreChargeur).visible);
}

TEST_F(ChargeurTest, BrowserRemovesTheUnusedImagesChosen) {
    for (const char* n : {"a", "b", "c", "d"}) Ouvre(Chemin(n));
    MesureSur(3);
    Clic(Controle::ChargeurSupprimer);
    const auto& r = o->images.repertoire;
    EXPECT_EQ(Texte(Controle::CadreRepertoire), "Images inutilisées");
    EXPECT_EQ(Texte(Controle::RepertoireCharger), "Effacer");
    EXPECT_FALSE(o->controles(Controle::RepertoireChoisir).visible);
    EXPECT_EQ(r.ListRep, (std::vector<std::string>{"1 : a.jpg", "2 : b.jpg", "4 : d.jpg"}));
    SelectionneFichiers(o->ui, o->images.repertoire, {}, 0, {0, 2});
    Clic(Controle::RepertoireCharger);
    EXPECT_EQ(Liste(), (std::vector<std::string>{Chemin("b"), Chemin("c")}));
    EXPECT_EQ(ImageDeLigne(1), "2");
    EXPECT_EQ(r.ListRep, std::vector<std::string>{"1 : b.jpg"});
}

// An image folder chosen among the drives, the drive list following the
// folder list (the drive holding it most closely); a drive that cannot be read
// is said and the folder list stays where it was; hidden folders are not
// listed; the first row, the parent folder, goes up; rows past the lists do nothing.
TEST_F(ChargeurTest, BrowserChoosesTheImageFolder) {
    for (const char* d : {"images", "images2", ".cache"}) fs::create_directories(dossier / d);
    const std::string images = (dossier / "images").string();
    p.lecteurs = {
        {"clé", images}, {"disque", dossier.string()}, {"CD", (dossier / "absent").string()}};
    o->parametres.repImage = dossier.string();
    Clic(Controle::RepertoireImage);
    auto& r = o->images.repertoire;
    EXPECT_EQ(Texte(Controle::BarreEtat), "Choisir le Répertoire Image");
    EXPECT_EQ(Texte(Controle::RepertoireCharger), "Valider");
    EXPECT_EQ(r.lecteur, 1);
    ChangeLecteur(o->ui, r, 2);
    ChangeLecteur(o->ui, r, 3);
    EXPECT_EQ(p.Textes("message"), std::vector<std::string>{"lecteur inconnu : CD"});
    EXPECT_EQ(r.dossier, dossier.string());
    EXPECT_EQ(r.lecteur, 1);
    ASSERT_EQ(r.sousDossiers, (std::vector<std::string>{"images", "images2"}));
    OuvreDossier(o->ui, r, 1);
    EXPECT_EQ(r.lecteur, 1);
    ClicDossier(o->ui, r, -1);
    EXPECT_EQ(Texte(Controle::TexteRepertoire), dossier.string());
    OuvreDossier(o->ui, r, -1);
    ClicDossier(o->ui, r, 2);
    EXPECT_EQ(Texte(Controle::TexteRepertoire), dossier.string());
    OuvreDossier(o->ui, r, 0);
    EXPECT_EQ(r.lecteur, 0);
    Clic(Controle::RepertoireCharger);
    EXPECT_EQ(o->parametres.repImage, images);
    EXPECT_FALSE(o->controles(Controle::CadreRepertoire).visible);
    // A folder of the root has the root above it.
    r.dossier = "/photos";
    ClicDossier(o->ui, r, -1);
    EXPECT_EQ(r.dossierChoisi, "/");
}

// Each format's header gives the size; a file cut where its pixels should be
// is said for the formats whose end shows it; text is no picture.
TEST(EnteteImageTest, SizeAndCutFiles) {
    struct Cas {
        const char* nom;
        FormatImage format;
        bool coupeVue;
    };
    for (const Cas& c :
         {Cas{"petite.jpg", FormatImage::Jpeg, false}, Cas{"petite.png", FormatImage::Png, true},
          Cas{"petite.gif", FormatImage::Gif, true}, Cas{"petite.bmp", FormatImage::Bmp, true},
          Cas{"petite.tif", FormatImage::Tiff, false}}) {
        SCOPED_TRACE(c.nom);
        const std::string octets = Lit(fs::path(ORVELLE_TEST_DATA) / "images" / c.nom);
        std::istringstream entier(octets);
        const auto e = LitEnteteImage(entier);
        ASSERT_TRUE(e);
        EXPECT_EQ(e->format, c.format);
        EXPECT_EQ(e->largeur, 7);
        EXPECT_EQ(e->hauteur, 5);
        EXPECT_FALSE(e->tronque);
        if (!c.coupeVue) continue;
        std::istringstream coupe(octets.substr(0, octets.size() * 2 / 3));
        const auto ec = LitEnteteImage(coupe);
        ASSERT_TRUE(ec);
        EXPECT_TRUE(ec->tronque);
    }
    std::istringstream texte("pas une image\n");
    EXPECT_FALSE(LitEnteteImage(texte));
}

// A phone's EXIF block (little-endian, the orientation after another tag)
// gives the orientation; a value outside 1..8 reads as 1.
TEST(EnteteImageTest, OrientationExif) {
    const std::string jpeg = Lit(fs::path(ORVELLE_TEST_DATA) / "images" / "petite.jpg");
    for (const auto& [valeur, lue] : {std::pair{6, 6}, std::pair{9, 1}}) {
        std::string exif("\xFF\xE1\x00\x2E"
                         "Exif\0\0II\x2A\0\x08\0\0\0\x02\0"
                         "\x0F\x01\x02\0\x01\0\0\0\0\0\0\0"
                         "\x12\x01\x03\0\x01\0\0\0\0\0\0\0\0\0\0\0",
                         48);
        exif[40] = static_cast<char>(valeur);
        std::istringstream in(jpeg.substr(0, 2) + exif + jpeg.substr(2));
        const auto e = LitEnteteImage(in);
        ASSERT_TRUE(e);
        EXPECT_EQ(e->orientation, lue);
        EXPECT_EQ(e->largeur, 7); // the size as stored
    }
}

} // namespace
} // namespace orv
