// The grid file's commands as a user meets them: dialogs and questions, refused
// files that leave the work as it was, and what loading adds to the file's rules.
#include "SessionTrame.h"

#include "app/CommandesCalibrage.h"
#include "app/CommandesResultats.h"
#include "app/FichierTrame.h"
#include "app/Historique.h"
#include "app/TrameGrille.h"
#include "app/TravailRecent.h"
#include "base/FichierTexte.h"
#include "base/Nombres.h"
#include "base/Texte.h"
#include "calibration/PanneauCalibrage.h"
#include "interface/Messages.h"
#include "measure/Marques.h"
#include "results/ImportCSV.h"

#include <sstream>

namespace orv::test {
namespace {

class CommandesTrameTest : public SessionTrame {
protected:
    // The window's work: spores 2D on the three pictures.
    void Travail(Orvelle& x, unsigned graine, int lignes = 6, int fonction = 2) {
        std::mt19937 g(graine);
        TroisImages(x, g);
        Choisit(x, fonction);
        MesureGrille(x, g, lignes);
    }
    std::string Sauve(Orvelle& x, const std::string& nom) {
        const std::string f = Fichier(nom);
        EXPECT_TRUE(SauveTrame(x, f));
        return f;
    }
    static std::vector<std::string> Remplace(std::vector<std::string> l, const std::string& debut,
                                             const std::string& par) {
        for (auto& x : l)
            if (x.rfind(debut, 0) == 0) x = par;
        return l;
    }
    std::string Ecrit(const std::vector<std::string>& lignes, const std::string& nom) {
        const std::string f = Fichier(nom);
        EXPECT_TRUE(EcritLignesFichier(f, lignes));
        return f;
    }
};

TEST_F(CommandesTrameTest, SaveCommandProposesAsksAndWrites) {
    EXPECT_EQ(NomProposeTrame(*o), "mesures.trm");
    Travail(*o, 1, 3);
    ASSERT_TRUE(MontreEmplacement(*o, 2));
    EXPECT_EQ(NomProposeTrame(*o), "c.trm"); // the image shown
    o->trame.FicTrame = "travail.v2.trm";
    EXPECT_EQ(NomProposeTrame(*o), "travail.trm");

    // A new work asks for a name, never in the program's own folder: the
    // user's documents (pictures) until a folder was used. Cancelled: nothing written.
    o->parametres.repData = o->dossierProgramme;
    o->parametres.repImage = o->dossierProgramme;
    p.dossierDocuments = (dossier / "data").string();
    p.dossierImages = (dossier / "courant").string();
    Ouvre(*o, Photo("b.jpg"));
    EXPECT_EQ(p.dernierPropose, p.dossierImages);
    EXPECT_EQ(o->parametres.repImage, (dossier / "photos").string());
    p.fichiers.push_back(std::nullopt);
    orv::Clic(*o, Controle::SauverTrame);
    EXPECT_EQ(p.dernierPropose, Fichier("travail.trm"));
    EXPECT_TRUE(fs::is_empty(dossier / "data"));
    EXPECT_EQ(p.Compte("question"), 0);

    // A name without extension, in another folder: ".trm" added, that folder kept.
    const fs::path autre = dossier / "autre";
    fs::create_directories(autre);
    p.fichiers.push_back((autre / "essai").string());
    orv::Clic(*o, Controle::SauverTrame);
    const std::string f = (autre / "essai.trm").string();
    ASSERT_TRUE(fs::exists(f));
    EXPECT_EQ(o->parametres.repData, autre.string());

    // From then on the work goes back to its file without a dialog, and the
    // status bar says where.
    std::ofstream(f, std::ios::binary) << "ancien";
    orv::Clic(*o, Controle::SauverTrame);
    EXPECT_EQ(Lit(f).rfind("INDPRES=", 0), 0u);
    EXPECT_EQ(o->controles.Texte(Controle::BarreEtat), o->textes.Mnu(mnu::TrameEnregistree) + f);

    // "Save as" proposes the work's own file; another existing file: Cancel
    // keeps it whole, OK replaces it and the work is that file's.
    const std::string g = (autre / "autre.trm").string();
    std::ofstream(g, std::ios::binary) << "garder";
    p.fichiers.push_back(g);
    p.reponses.push_back(false);
    orv::Clic(*o, Controle::SauverTrameSous);
    EXPECT_EQ(p.dernierPropose, f);
    EXPECT_EQ(Lit(g), "garder");
    ASSERT_EQ(p.appels.back().genre, "question");
    EXPECT_EQ(p.appels.back().texte, o->textes.Msg(116));
    p.fichiers.push_back(g);
    p.reponses.push_back(true);
    orv::Clic(*o, Controle::SauverTrameSous);
    EXPECT_EQ(Lit(g).rfind("INDPRES=", 0), 0u);
    EXPECT_EQ(o->trame.chemin, g);

    // A relative name is in the current folder, and no name means that one.
    const Releve avant = Releve_(*o);
    ASSERT_TRUE(SauveTrame(*o, "mesure.trm"));
    ASSERT_TRUE(fs::exists(dossier / "courant" / "mesure.trm"));
    auto y = Session();
    ASSERT_EQ(ChargeTrame(*y, ""), ResultatChargement::Charge);
    AttendMeme(avant, Releve_(*y), "mesure.trm");
}

TEST_F(CommandesTrameTest, LoadCommandAsksAndOnlyReplacesByAWholeFile) {
    auto x = Session();
    Travail(*x, 2, 5, 13);
    const std::string f = Sauve(*x, "densite.trm");
    const Releve charge = Releve_(*x);
    Travail(*o, 3, 4);
    const Releve avant = Releve_(*o);
    const std::string question = o->textes.Msg(185) + std::string(FinDeLigne) + o->textes.Msg(106);

    p.reponses.push_back(false); // No: no dialog (the fake would refuse one)
    orv::Clic(*o, Controle::ChargerTrame);
    EXPECT_EQ(p.Textes("question"), std::vector<std::string>{question});
    p.reponses.push_back(true); // Yes, then the dialog cancelled
    p.fichiers.push_back(std::nullopt);
    orv::Clic(*o, Controle::ChargerTrame);
    AttendMeme(avant, Releve_(*o), "cancelled");

    p.reponses.push_back(true);
    p.fichiers.push_back(f);
    orv::Clic(*o, Controle::ChargerTrame);
    AttendMeme(charge, Releve_(*o), "loaded");
    EXPECT_EQ(o->trame.FicTrame, "densite.trm");
    // The first image shown, with its own factor and the marks of its lines.
    EXPECT_EQ(o->images.cheminImage, charge.chemins.front());
    EXPECT_EQ(o->images.IndexImage, 1);
    EXPECT_EQ(o->calibrage.CoefCalibrage, charge.facteurs.front());
    ASSERT_NE(std::count(charge.images.begin(), charge.images.end(), 1), 0);
    const size_t marques = o->mesure.marques.fixes.size();
    EXPECT_GT(marques, 0u);
    RetraceImageMontree(*o);
    EXPECT_EQ(o->mesure.marques.fixes.size(), marques);
    EXPECT_TRUE(o->calibrage.groupe.ListImgMC.empty());

    // An empty grid asks nothing.
    auto z = Session();
    p.Oublie();
    p.fichiers.push_back(f);
    orv::Clic(*z, Controle::ChargerTrame);
    EXPECT_EQ(p.Compte("question"), 0);
    AttendMeme(charge, Releve_(*z), "empty grid");

    // From the File menu's recent work, one line is asked about too; an entry
    // past the list's end (a menu shown before the list shrank) opens nothing.
    auto u = Session();
    AjouteValeur(*u, 10.0);
    AjouteValeur(*u, 5.0);
    NoteRecent(*u, GenreRecent::Trame, f);
    p.Oublie();
    p.reponses.push_back(false);
    EXPECT_FALSE(OuvreRecent(*u, GenreRecent::Trame, 0));
    EXPECT_EQ(p.Textes("question"), std::vector<std::string>{question});
    EXPECT_FALSE(OuvreRecent(*u, GenreRecent::Trame, u->tramesRecentes.Chemins().size()));
    EXPECT_EQ(p.appels.size(), 1u);
    EXPECT_EQ(u->mesure.LigneCourante, 2);
}

TEST_F(CommandesTrameTest, MalformedFilesLeaveTheWorkAsItWas) {
    auto x = Session();
    Travail(*x, 4, 3);
    const auto bon = *LitLignesFichier(Sauve(*x, "bon.trm"));
    const auto trame = std::find(bon.begin(), bon.end(), "TRAME= ");
    ASSERT_NE(trame, bon.end());
    const size_t p1 = static_cast<size_t>(trame - bon.begin()) + 1;

    Travail(*o, 5, 4);
    o->trame.FicTrame = "avant.trm";
    const Releve avant = Releve_(*o);
    auto point = bon;
    point[p1] = "0;1;10;2x;110;20;";
    auto coupe = bon;
    coupe.pop_back();
    const auto msg = [&](const std::string& f) {
        return o->textes.Msg(144) + " :  " + f + std::string(FinDeLigne);
    };
    // Whatever loads is exported to a file that imports again: a cell that is no
    // number, or a count beyond any click, is refused at load with its line.
    const auto cellule = [&](int fonction, const std::string& texte) {
        Trame t;
        t.fonction = fonction;
        t.images.push_back({Photo("a.jpg"), 0.5, {960, 720}});
        LigneTrame l;
        l.image = 1;
        l.segments.assign(fonction == 1 ? 1 : 2, SegmentTrace{0, 0, 100, 0});
        l.cellules = {texte, "2", "3", "1"};
        t.lignes.push_back(l);
        const auto lignes = FichierTrame::Lignes(t, ',');
        const auto v = std::find(lignes.begin(), lignes.end(), "VALEURS= ") - lignes.begin() + 2;
        return std::pair{Ecrit(lignes, "cellule" + texte + ".trm"),
                         o->textes.Msg(223) + " : ligne " + std::to_string(v) + " : " + texte};
    };
    const std::pair<std::string, std::string> cas[] = {
        // file, what the message adds
        {Ecrit(point, "point.trm"),
         o->textes.Msg(223) + " : ligne " + std::to_string(p1 + 1) + " : 2x"},
        {Ecrit(coupe, "coupe.trm"), o->textes.Msg(223) + " : ligne " + std::to_string(bon.size())},
        {Ecrit(Remplace(bon, "FONCTION=", "FONCTION= 8"), "fonction.trm"),
         o->textes.Msg(129) + "8" + o->textes.Msg(177)},
        {Ecrit({"bonjour", "x=y"}, "texte.trm"), "TRAME=" + o->textes.Msg(177)},
        cellule(1, "abc"),
        cellule(1, "1e999"),
        cellule(11, "9e18"),
    };
    for (const auto& [f, detail] : cas) {
        p.Oublie();
        EXPECT_EQ(ChargeTrame(*o, f), ResultatChargement::Malforme) << f;
        EXPECT_EQ(p.Textes("message"), std::vector<std::string>{msg(f) + detail});
        AttendMeme(avant, Releve_(*o), f);
        EXPECT_EQ(o->trame.FicTrame, "avant.trm");
    }
    // A missing file is said too, and changes nothing.
    p.Oublie();
    EXPECT_EQ(ChargeTrame(*o, Fichier("absent.trm")), ResultatChargement::Absent);
    EXPECT_EQ(p.Textes("message"),
              std::vector<std::string>{o->textes.Msg(144) + " :  " + Fichier("absent.trm")});
    // Through the command, after the user's Yes.
    p.reponses.push_back(true);
    p.fichiers.push_back(cas[0].first);
    orv::Clic(*o, Controle::ChargerTrame);
    AttendMeme(avant, Releve_(*o), "command");
}

TEST_F(CommandesTrameTest, ResolutionModeOfTheFileMustMatch) {
    auto x = Session();
    x->parametres.indPres = true;
    Travail(*x, 6, 3);
    const std::string f = Sauve(*x, "ind.trm");
    Travail(*o, 7, 2);
    const Releve avant = Releve_(*o);
    p.Oublie();
    EXPECT_EQ(ChargeTrame(*o, f), ResultatChargement::Refuse);
    EXPECT_EQ(p.Textes("message"), std::vector<std::string>{o->textes.Msg(176)});
    AttendMeme(avant, Releve_(*o), "refused");
    o->parametres.indPres = true;
    EXPECT_EQ(ChargeTrame(*o, f), ResultatChargement::Charge);
    AttendMeme(Releve_(*x), Releve_(*o), "same mode");

    // A file that does not give its mode is read in the mode of new settings
    // (Ind. Dim.), and says so; refused while the settings hold the other.
    auto y = Session();
    Travail(*y, 8, 3);
    auto lignes = *LitLignesFichier(Sauve(*y, "dim.trm"));
    std::erase_if(lignes, [](const std::string& l) { return l.rfind("INDPRES", 0) == 0; });
    const std::string sans = Ecrit(lignes, "sans_mode.trm");
    const std::string note = "Mode de résolution absent du fichier, pris comme : Ind. Dim.";
    p.Oublie();
    EXPECT_EQ(ChargeTrame(*o, sans), ResultatChargement::Refuse);
    EXPECT_EQ(p.Textes("message"), std::vector<std::string>{o->textes.Msg(176) + "\r\n" + note});
    o->parametres.indPres = false;
    p.Oublie();
    EXPECT_EQ(ChargeTrame(*o, sans), ResultatChargement::Charge);
    EXPECT_EQ(p.Textes("message"), std::vector<std::string>{note});
    AttendMeme(Releve_(*y), Releve_(*o), "assumed mode");
}

TEST_F(CommandesTrameTest, FactorsCountedOnAnotherBoxWidthAreCorrected) {
    Ouvre(*o, Photo("a.jpg"));
    FixeCalibrage(*o, 1.0); // values are whole pixel units
    Choisit(*o, 1);
    std::mt19937 g(8);
    MesureGrille(*o, g, 6);
    Ouvre(*o, Photo("b.jpg"));
    FixeCalibrage(*o, 3.0);
    const Releve avant = Releve_(*o);
    const auto lignes = *LitLignesFichier(Sauve(*o, "large.trm"));
    const std::string f = Ecrit(Remplace(lignes, "PCTSW", "PCTSW =  6000 "), "etroit.trm");
    auto y = Session();
    p.Oublie();
    ASSERT_EQ(ChargeTrame(*y, f), ResultatChargement::Charge);
    EXPECT_EQ(p.Textes("message"), std::vector<std::string>{y->textes.Msg(210)});
    EXPECT_EQ(y->calibrage.CalibrageImage[1], 0.5);
    EXPECT_EQ(y->calibrage.CalibrageImage[2], 1.5);
    const Releve r = Releve_(*y);
    ASSERT_EQ(r.cellules.size(), avant.cellules.size());
    for (size_t l = 0; l < r.cellules.size(); ++l)
        EXPECT_EQ(r.cellules[l][1],
                  FormatNombre(LitDecimal(avant.cellules[l][1]) * 0.5, "###0.00", ','))
            << l;
}

TEST_F(CommandesTrameTest, MoreLinesOrImagesThanTheGridHolds) {
    // 55 pictures of one size and factor: a line's value depends on its points only.
    Trame t;
    t.indPres = false;
    t.fonction = 1;
    t.pctsw = 12000;
    for (int k = 1; k <= 55; ++k)
        t.images.push_back({Image("i" + std::to_string(k) + ".jpg", 800, 600), 0.5, {800, 600}});
    std::mt19937 g(11);
    std::uniform_int_distribution<int> c(0, 20000);
    for (int i = 0; i < 300; ++i) {
        LigneTrame l;
        l.image = i % 50 + 1;
        l.segments = {{c(g), c(g), c(g), c(g)}};
        t.lignes.push_back(l);
    }
    Trame un = t; // every line on the first picture
    for (auto& l : un.lignes) l.image = 1;
    const std::string f = Fichier("grand.trm"), f1 = Fichier("un.trm");
    ASSERT_TRUE(FichierTrame::EcritFichier(f, t, ','));
    ASSERT_TRUE(FichierTrame::EcritFichier(f1, un, ','));

    p.Oublie();
    ASSERT_EQ(ChargeTrame(*o, f), ResultatChargement::Charge);
    EXPECT_EQ(p.Textes("message"),
              (std::vector<std::string>{"5" + o->textes.Mnu(mnu::ImagesNonChargees),
                                        MessageLignesIgnorees(o->textes, 255, 45)}));
    EXPECT_EQ(o->images.chargeur.ListIMGchar.size(), 50u);
    EXPECT_EQ(o->mesure.LigneCourante, 256);
    auto y = Session();
    ASSERT_EQ(ChargeTrame(*y, f1), ResultatChargement::Charge);
    const int img = o->mesure.GrilleRef.Colonnes() - 2;
    for (int l = 1; l <= 255; ++l) {
        EXPECT_EQ(o->mesure.GrilleRef.Texte(l, img), std::to_string((l - 1) % 50 + 1)) << l;
        EXPECT_EQ(o->mesure.GrilleRef.Texte(l, 1), y->mesure.GrilleRef.Texte(l, 1)) << l;
        EXPECT_FALSE(o->mesure.GrilleRef.Texte(l, 1).empty()) << l;
    }
    // A grid size smaller than the file's lines: the file's size, the rest said.
    t.nbLgMax = 64;
    t.lignes.resize(100);
    t.images.resize(3);
    for (auto& l : t.lignes) l.image = 1;
    ASSERT_TRUE(FichierTrame::EcritFichier(f, t, ','));
    p.Oublie();
    ASSERT_EQ(ChargeTrame(*o, f), ResultatChargement::Charge);
    EXPECT_EQ(o->parametres.tGrille, 64);
    EXPECT_EQ(o->mesure.LigneCourante, 65);
    EXPECT_EQ(p.Textes("message"),
              std::vector<std::string>{MessageLignesIgnorees(o->textes, 64, 36)});
}

TEST_F(CommandesTrameTest, MajGrilleRecomputesWithTheNewCalibration) {
    Ouvre(*o, Photo("b.jpg"));
    FixeCalibrage(*o, 0.7);
    Choisit(*o, 2);
    std::mt19937 g(12);
    std::vector<std::pair<PointTwips, PointTwips>> traits;
    for (int i = 0; i < 8; ++i) {
        const PointTwips a = Point(g);
        traits.push_back({a, Loin(g, a)});
    }
    for (const auto& [a, b] : traits) Glisse(*o, a, b);
    // The same points measured again after a new calibration.
    FixeCalibrage(*o, 1.3);
    for (const auto& [a, b] : traits) Glisse(*o, a, b);
    const auto& grille = o->mesure.GrilleRef;
    ASSERT_NE(grille.Texte(1, 1), grille.Texte(5, 1));
    o->trame.FicTrame = "garde.trm";

    // Refused while a measure is half entered.
    Glisse(*o, traits[0].first, traits[0].second);
    const Releve enCours = Releve_(*o);
    p.Oublie();
    orv::Clic(*o, Controle::MajGrille);
    EXPECT_EQ(p.Textes("flash"), std::vector<std::string>{o->textes.Msg(178)});
    AttendMeme(enCours, Releve_(*o), "half entered");
    EffaceArriere(*o);

    const size_t marques = o->mesure.TraceLignes[1].marques.size();
    ASSERT_GT(marques, 0u);
    orv::Clic(*o, Controle::MajGrille);
    EXPECT_EQ(o->mesure.TraceLignes[1].marques.size(), marques); // the lines keep their marks
    for (int l = 1; l <= 4; ++l)
        for (int c = 1; c <= 4; ++c)
            EXPECT_EQ(grille.Texte(l, c), grille.Texte(l + 4, c)) << l << " " << c;
    EXPECT_EQ(o->mesure.LigneCourante, 9);
    EXPECT_EQ(o->trame.FicTrame, "garde.trm");
    EXPECT_TRUE(fs::is_empty(dossier / "courant")); // no temporary file anywhere
}

// A grid file written before photographs stood upright holds the points of
// its pictures as stored: they are turned with their picture, so that every
// value stays and every mark lands where it was put. A picture not found keeps
// its points as they were, and the file saved again says so, until it is shown.
TEST_F(CommandesTrameTest, OlderFilesPointsTurnWithTheirPhotograph) {
    const std::string b = Photo("b.jpg"), c = Photo("c.png");
    for (const int fonction : {2, 15, 16}) {
        SCOPED_TRACE(fonction);
        p.images[b] = {1600, 1200};
        p.orientations.clear();
        Image("c.png", 700, 525);
        auto x = Session();
        Travail(*x, 5, 8, fonction);
        const Releve avant = Releve_(*x);
        const auto traces = x->mesure.TraceLignes;
        std::vector<std::string> ancienne;
        const auto lignes = *LitLignesFichier(Sauve(*x, "ancienne.trm"));
        for (const auto& l : lignes)
            if (l.rfind("REPERE", 0) != 0) ancienne.push_back(l);
        const std::string f = Ecrit(ancienne, "ancienne.trm");

        // b.jpg is a phone's picture stored 1600 x 1200, to be turned a
        // quarter clockwise; c.png is gone.
        p.images[b] = {1200, 1600};
        p.orientations[b] = 6;
        fs::remove(c);
        auto y = Session();
        ASSERT_EQ(ChargeTrame(*y, f), ResultatChargement::Charge);
        AttendMeme(avant, Releve_(*y), "turned");
        constexpr std::int32_t H = 31750; // 1200 pixels in picture units
        for (int l = 1; l < avant.ligneCourante; ++l) {
            const auto& a = traces[static_cast<size_t>(l)];
            const auto& t = y->mesure.TraceLignes[static_cast<size_t>(l)];
            for (int k = 1; k <= x->mesure.NbSegments; ++k) {
                const SegmentTrace s = a.segments[static_cast<size_t>(k)];
                SegmentTrace attendu = s;
                if (a.image == 2 && fonction != 16)
                    attendu = {H - s.y1, s.x1, H - s.y2, s.x2};
                else if (a.image == 2 && k == 1)
                    attendu = {H - s.y1, s.x1, s.x2, s.y2}; // a polygon's anchor only
                EXPECT_EQ(t.segments[static_cast<size_t>(k)], attendu) << l << " " << k;
            }
        }
        const std::string g = Sauve(*y, "redressee.trm");
        const auto relue = *LitLignesFichier(g);
        EXPECT_NE(std::find(relue.begin(), relue.end(), "REPERE= REDRESSE;REDRESSE;FICHIER"),
                  relue.end());

        // Read again, nothing turns twice; c.png found again is turned when shown.
        auto z = Session();
        ASSERT_EQ(ChargeTrame(*z, g), ResultatChargement::Charge);
        for (int l = 1; l < avant.ligneCourante; ++l)
            EXPECT_EQ(z->mesure.TraceLignes[static_cast<size_t>(l)].segments,
                      y->mesure.TraceLignes[static_cast<size_t>(l)].segments);
        // A measure first: an undo past it keeps the frame the lines have now.
        std::mt19937 gz(9);
        MontreEmplacement(*z, 0);
        MesureLigne(*z, gz);
        Image("c.png", 525, 700);
        p.orientations[c] = 8;
        ASSERT_TRUE(MontreEmplacement(*z, 2));
        AnnuleGrille(*z);
        for (int l = 1; l < avant.ligneCourante; ++l) {
            const auto& a = traces[static_cast<size_t>(l)];
            if (a.image != 3 || fonction == 16) continue;
            const SegmentTrace s = a.segments[1];
            constexpr std::int32_t W = 18521; // 700 pixels, rounded to picture units
            EXPECT_EQ(z->mesure.TraceLignes[static_cast<size_t>(l)].segments[1],
                      (SegmentTrace{s.y1, W - s.x1, s.y2, W - s.x2}));
        }
        AttendMeme(avant, Releve_(*z), "turned when shown");
    }
}

// A resolution mode change with lines in the grid is asked first; declined it
// changes nothing, accepted it recomputes every line in the new mode, so the
// grid already shows what a save and reload show.
TEST_F(CommandesTrameTest, ResolutionModeChangeIsAskedAndRecomputesTheLines) {
    Ouvre(*o, Photo("b.jpg"));
    FixeCalibrage(*o, 0.7);
    Choisit(*o, 1);
    std::mt19937 g(5);
    for (int i = 0; i < 3; ++i) {
        const PointTwips a = Point(g);
        Glisse(*o, a, Loin(g, a));
    }
    const Releve avant = Releve_(*o);
    p.Oublie();
    p.reponses.push_back(false);
    orv::Clic(*o, Controle::OptionIndRes);
    EXPECT_EQ(p.Textes("question"),
              std::vector<std::string>{o->textes.Mnu(mnu::QuestionModeResolution)});
    EXPECT_FALSE(o->parametres.indPres);
    EXPECT_TRUE(o->controles(Controle::OptionIndDim).coche);
    AttendMeme(avant, Releve_(*o), "declined");

    p.reponses.push_back(true);
    orv::Clic(*o, Controle::OptionIndRes);
    EXPECT_TRUE(o->parametres.indPres);
    EXPECT_NE(o->mesure.GrilleRef.Texte(1, 1), avant.cellules[0][1]);
    const Releve apres = Releve_(*o);
    const std::string f = Fichier("mode.trm");
    ASSERT_TRUE(SauveTrame(*o, f));
    auto y = Session();
    y->parametres.indPres = true;
    ASSERT_EQ(ChargeTrame(*y, f), ResultatChargement::Charge);
    AttendMeme(apres, Releve_(*y), "reloaded");
}

// A grid file named on the command line is still there once the window has
// been activated (the first activation empties the grid).
TEST_F(CommandesTrameTest, GridFileGivenAtStartStaysLoaded) {
    Travail(*o, 14, 3);
    const Releve avant = Releve_(*o);
    const std::string f = Sauve(*o, "depart.trm");
    Orvelle y(p, (dossier / "programme").string());
    Demarrage(y);
    OuvreFichiersDeDemarrage(y, {f});
    Activation(y);
    AttendMeme(avant, Releve_(y), "opened at start");
}

} // namespace
} // namespace orv::test
