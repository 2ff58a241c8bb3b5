// The CSV import: export -> import round trips over random grids of every
// function, the end of the measure table, refused files that leave the grid
// as it was, the question and the flash.
#include "results/ImportCSV.h"
#include "app/CommandesImages.h"
#include "app/CommandesMesure.h"
#include "app/CommandesResultats.h"
#include "app/Fenetre.h"
#include "app/Langue.h"
#include "base/FichierTexte.h"
#include "base/Nombres.h"
#include "interface/TableControles.h"
#include "measure/Fonctions.h"
#include "measure/Grille.h"
#include "results/ExportCSV.h"
#include "support/DossierEssai.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <tuple>

namespace orv {
namespace {

namespace fs = std::filesystem;

class ImportCSVTest : public ::testing::Test {
protected:
    void SetUp() override { o = Nouvelle(p); }

    // A window as it stands after start-up.
    std::unique_ptr<Orvelle> Nouvelle(test::PlateformeFactice& plateforme) {
        auto e = std::make_unique<Orvelle>(plateforme, dossier.string());
        Demarrage(*e);
        Activation(*e);
        plateforme.Oublie();
        return e;
    }
    static void Fonction(Orvelle& e, int n, std::initializer_list<double> valeurs = {}) {
        RAZ_Grille_total(e);
        e.mesure.NumFonction = n;
        SelectionneFonction(e);
        for (double v : valeurs) AjouteValeur(e, v);
    }
    std::string Fichier(const std::string& nom, const std::vector<std::string>& lignes) {
        const std::string f = (dossier / nom).string();
        EXPECT_TRUE(EcritLignesFichier(f, lignes));
        return f;
    }
    std::string Exporte(Orvelle& e, const std::string& nom) {
        const std::string f = (dossier / nom).string();
        EXPECT_TRUE(EcritFichierExport(f, e, {"01/06/2024", "09:30:00"}));
        return f;
    }
    // Everything a refused import must leave as it was.
    static std::vector<std::string> Photo(const Orvelle& e) {
        const auto& g = e.mesure.GrilleRef;
        std::vector<std::string> s = {
            std::to_string(e.mesure.LigneCourante), std::to_string(e.mesure.Etape),
            std::to_string(e.mesure.NumFonction), e.resultats.FichierCSVImporte,
            std::to_string(e.images.chargeur.ListIMGchar.size())};
        for (int r = 0; r < g.Lignes(); ++r)
            for (int c = 0; c < g.Colonnes(); ++c) s.push_back(g.Texte(r, c));
        return s;
    }
    // One import through the command: "continue?" Yes, then the file.
    void Importe(const std::optional<std::string>& f) {
        p.Oublie();
        p.reponses.push_back(true);
        p.fichiers.push_back(f);
        orv::Clic(*o, Controle::ImportCSV);
    }

    test::DossierEssai dossier{"import"};
    test::PlateformeFactice p;
    std::unique_ptr<Orvelle> o;
};

// The layout of an export around a measure table.
std::vector<std::string> Export(const std::string& fonction, const std::vector<std::string>& table,
                                std::optional<int> compte) {
    std::vector<std::string> l = {" Résultat des mesures du 01/06/2024 à 09:30:00",
                                  "indépendance Dimension",
                                  "Fonction : " + fonction,
                                  "Images chargées : ",
                                  "num; fichier calibrage",
                                  "",
                                  ""};
    if (compte) l.push_back(std::to_string(*compte) + " mesures");
    l.push_back("LISTE=");
    l.insert(l.end(), table.begin(), table.end());
    return l;
}

TEST_F(ImportCSVTest, QuestionEtFlashVert) {
    Fonction(*o, 2, {10.0, 5.0});
    o->images.chargeur.ListIMGchar = {"a.jpg"};
    const auto avant = Photo(*o);
    // No: nothing changes, no dialog, and the flash is still shown.
    p.reponses.push_back(false);
    orv::Clic(*o, Controle::ImportCSV);
    EXPECT_EQ(Photo(*o), avant);
    ASSERT_EQ(p.Compte("question"), 1);
    EXPECT_EQ(p.appels[0].texte, "  La table actuelle contient des données\r\n continuer ? ");
    EXPECT_EQ(p.appels[0].titre, "Attention !");
    EXPECT_EQ(p.Compte("fichier"), 0);
    EXPECT_EQ(p.Textes("flash"), std::vector<std::string>{" Poursuite des mesures déconseillée"});
    EXPECT_EQ(p.derniereCouleurFlash, 0x00FF00u);
    // Yes, then a cancelled dialog: the grid is still whole.
    Importe(std::nullopt);
    EXPECT_EQ(Photo(*o), avant);
    // Yes and a file: the grid is replaced and the loader emptied.
    Fonction(*o, 1, {3.0, 4.0});
    const std::string f = Exporte(*o, "seg.csv");
    Fonction(*o, 2, {10.0, 5.0});
    Importe(f);
    EXPECT_EQ(o->mesure.NumFonction, 1);
    EXPECT_EQ(o->mesure.LigneCourante, 3);
    EXPECT_TRUE(o->images.chargeur.ListIMGchar.empty());
    EXPECT_EQ(p.Compte("flash"), 1);
    // An empty grid asks nothing; the dialog proposes the export of the image shown.
    Fonction(*o, 2);
    p.Oublie();
    fs::create_directories(dossier / "donnees");
    o->parametres.repData = (dossier / "donnees").string();
    o->images.cheminImage = "/photos/lot.jpg";
    p.fichiers.push_back(std::nullopt);
    ImporteCSV(*o);
    EXPECT_EQ(p.Compte("question"), 0);
    EXPECT_EQ(p.dernierPropose, (dossier / "donnees" / "lot.csv").string());
}

// The round trip ends tables at their empty line; without it, the count
// alone ends them, and without the count the empty line does.
TEST_F(ImportCSVTest, LaTableSArreteAvantLesStatistiques) {
    Fonction(*o, 1, {4.0, 6.0, 8.0}); // 4 columns: the empty line holds four separators
    for (const char* ext : {"csv", "txt"}) {
        o->resultats.extensionExport = ext;
        auto lignes = LignesExport(*o, {"01/06/2024", "09:30:00"});
        lignes.erase(std::find(lignes.begin(), lignes.end(), "3 mesures"));
        test::PlateformeFactice p2;
        auto e = Nouvelle(p2);
        ASSERT_TRUE(LitCSV(*e, Fichier(std::string("sans_compte.") + ext, lignes))) << ext;
        EXPECT_EQ(e->mesure.LigneCourante, 4) << ext;
        EXPECT_EQ(e->mesure.GrilleRef.Texte(3, 1), "8,00") << ext;
    }
    ASSERT_TRUE(LitCSV(
        *o, Fichier("sans_fin.csv",
                    Export("mesure Segment",
                           {"N°; Longueur; img; comment; ", "1; 4,00; 0; ; ", "2; 6,00; 0; ; ",
                            "N°; Longueur; ; index; ", "Moy; 5,00; ; ; ", "Min; 4,00; ; 1 / ; "},
                           2))));
    EXPECT_EQ(o->mesure.LigneCourante, 3);
    EXPECT_EQ(o->mesure.GrilleRef.Texte(3, 1), "");
}

TEST_F(ImportCSVTest, FichierMalFormeRefuseGrilleIntacte) {
    Fonction(*o, 2, {10.0, 5.0, 15.0, 6.0});
    o->images.chargeur.ListIMGchar = {"a.jpg"};
    const auto avant = Photo(*o);
    const std::vector<std::string> table = {"N°; Long.; Larg.; Q; V; img; comment; ",
                                            "1; 10,00; 5,00; 2,00; 130,9; 1; ; ",
                                            "2; 11,00; 5,00; 2,20; 144,0; 1; ; ", "; ; ; ; ; ; ; "};
    auto sansFonction = Export("mesure Spore 2D", table, 2);
    sansFonction.erase(sansFonction.begin() + 2);
    auto sansListe = Export("mesure Spore 2D", table, 2);
    sansListe.erase(std::find(sansListe.begin(), sansListe.end(), "LISTE="));
    auto valeur = Export("mesure Spore 2D", table, 2);
    valeur[10] = "1; 10,00; 5,0O; 2,00; 130,9; 1; ; ";
    // Beyond 1e9 µm a value cannot be a measure: refused as a value that is no number.
    auto enorme = valeur, milliard = valeur;
    enorme[10] = "1; 10,00; 1,5e308; 2,00; 130,9; 1; ; ";
    milliard[10] = "1; 10,00; 5,00; 2,00; 1000000001; 1; ; "; // the volume, a derived column
    auto image = Export("mesure Spore 2D", table, 2);
    image[11] = "2; 11,00; 5,00; 2,20; 144,0; deux; ; ";
    const struct {
        std::string nom;
        std::vector<std::string> lignes;
        std::string message; // after "erreur fichier :  <path>\r\n"
    } cas[] = {
        {"sans_fonction.csv", sansFonction, "Fonction : introuvable"},
        {"inconnue.csv", Export("Perso 1", table, 2), "Fonction : Perso 1 introuvable"},
        {"sans_liste.csv", sansListe, "LISTE= introuvable"},
        {"valeur.csv", valeur, "donnée vide ou incorrecte : ligne 11 : 5,0O"},
        {"enorme.csv", enorme, "donnée vide ou incorrecte : ligne 11 : 1,5e308"},
        {"milliard.csv", milliard, "donnée vide ou incorrecte : ligne 11 : 1000000001"},
        {"image.csv", image,
         "donnée vide ou incorrecte : ligne 12 : image deux hors du chargeur (0 à 50)"},
        {"tronque.csv", Export("mesure Spore 2D", {table[0], table[1]}, 2),
         "donnée vide ou incorrecte : ligne 12"},
        {"tronque_entete.csv", Export("mesure Spore 2D", {}, 2),
         "donnée vide ou incorrecte : ligne 10"},
    };
    for (const auto& c : cas) {
        const std::string f = Fichier(c.nom, c.lignes);
        Importe(f);
        EXPECT_EQ(Photo(*o), avant) << c.nom;
        EXPECT_EQ(p.Textes("message"),
                  std::vector<std::string>{"erreur fichier :  " + f + "\r\n" + c.message})
            << c.nom;
    }
    // A file that is not there.
    p.Oublie();
    EXPECT_FALSE(LitCSV(*o, (dossier / "absent.csv").string()));
    EXPECT_EQ(Photo(*o), avant);
    EXPECT_EQ(p.Textes("message"),
              std::vector<std::string>{"erreur fichier :  " + (dossier / "absent.csv").string()});
}

TEST_F(ImportCSVTest, GrillePleineChargeCeQuiTient) {
    std::vector<std::string> table = {"N°; Longueur; img; comment; "};
    for (int r = 1; r <= 300; ++r)
        table.push_back(std::to_string(r) + "; " + std::to_string(r) + ",5; 0; n" +
                        std::to_string(r) + "; ");
    table.push_back("; ; ; ; ");
    const std::string f = Fichier("long.csv", Export("mesure Segment", table, 300));
    for (const int taille : {255, 64}) {
        o->parametres.tGrille = taille;
        p.Oublie();
        ASSERT_TRUE(LitCSV(*o, f));
        EXPECT_EQ(o->mesure.GrilleRef.Lignes(), taille + 1);
        EXPECT_EQ(o->mesure.LigneCourante, taille + 1);
        EXPECT_EQ(o->mesure.GrilleRef.Texte(taille, 3), "n" + std::to_string(taille));
        EXPECT_EQ(p.Textes("message"),
                  std::vector<std::string>{"grille pleine : " + std::to_string(taille) +
                                           " mesures lues, " + std::to_string(300 - taille) +
                                           " ignorées"});
    }
}

// Colleagues exchange exports: one written in any shipped language is read
// in every shipped language, the function and its values.
TEST_F(ImportCSVTest, ExportsEntreLangues) {
    const std::string codes[] = {"fr", "en", "de", "it", "es"};
    std::vector<std::unique_ptr<test::PlateformeFactice>> plateformes;
    std::vector<std::unique_ptr<Orvelle>> langues;
    for (const std::string& code : codes) {
        plateformes.push_back(std::make_unique<test::PlateformeFactice>());
        langues.push_back(Nouvelle(*plateformes.back()));
        Orvelle& e = *langues.back();
        e.dossierDonnees = ORVELLE_DATA_DIR;
        e.parametres.langue = code;
        AppliqueLangue(e);
        SuitLangue(e);
    }
    // A name of messages 56-62, a name of its own, a polygon entry's caption,
    // in turn over the pairs of languages.
    const int fonctions[] = {2, 11, -16};
    int n = 0;
    for (size_t w = 0; w < langues.size(); ++w)
        for (size_t r = 0; r < langues.size(); ++r) {
            const int f = fonctions[n % 3];
            Orvelle& ecrit = *langues[w];
            ecrit.mesure.PolygoneAuto = f != -16;
            Fonction(ecrit, std::abs(f));
            ecrit.mesure.GrilleRef.FixeTexte(1, 0, "1");
            ecrit.mesure.GrilleRef.FixeTexte(1, 1, "7,25");
            ecrit.mesure.LigneCourante = 2;
            const std::string fichier = Exporte(ecrit, "l" + std::to_string(n++) + ".csv");
            Orvelle& lu = *langues[r];
            ASSERT_TRUE(LitCSV(lu, fichier)) << f << " " << codes[w] << " -> " << codes[r];
            // Which polygon matters only for the polygon.
            const bool autoLu = std::abs(f) != 16 || lu.mesure.PolygoneAuto;
            EXPECT_EQ((std::tuple{lu.mesure.NumFonction, autoLu, lu.mesure.GrilleRef.Texte(1, 1)}),
                      (std::tuple{std::abs(f), f != -16, std::string("7,25")}))
                << f << " " << codes[w] << " -> " << codes[r];
        }
}

// Export then import gives back every column read, the image numbers and the
// comments, for every function, in both forms of the file, whatever the
// export comment holds (a "LISTE=" or a "Fonction :" of its own); the import
// names its file, recomputes the statistics and, outside resolution
// independence, takes the resolution factor from the picture shown.
TEST_F(ImportCSVTest, AllerRetourSurGrillesAleatoires) {
    std::mt19937 gen(20240601);
    const std::vector<std::string> morceaux = {"a", "Z", " ", ";", "; ", "é",   "à",  "ç",
                                               "ô", "°", "€", "µ", "±",  "x;y", "  ", "ë"};
    auto tire = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(gen); };
    const char* commentairesExport[] = {"", "note\r\nLISTE=\r\nfin", "LISTE=", "LISTE=;\n3 mesures",
                                        "Fonction : mesure Segment; LISTE des récoltes"};
    int essai = 0;
    for (int f : {1, 2, 3, 4, 5, 6, 10, 11, 13, 14, 15, 16, 20})
        for (int tour = 0; tour < 3; ++tour) {
            if (f == 16) o->mesure.PolygoneAuto = tour != 1;
            Fonction(*o, f);
            o->resultats.extensionExport = tour == 2 ? "txt" : "csv";
            o->parametres.fDecimal = tour == 1 ? "###0.0" : "###0.00";
            o->resultats.exportCSV.commentaire = commentairesExport[essai % 5];
            auto& g = o->mesure.GrilleRef;
            const int cols = g.Colonnes(), n = tire(1, 40);
            const bool image = f != 20;
            std::uniform_real_distribution<double> valeur(0.01, 400.0);
            for (int r = 1; r <= n; ++r) {
                g.FixeTexte(r, 0, std::to_string(r));
                for (int c = 1; c < cols - (image ? 2 : 1); ++c)
                    g.FixeTexte(r, c, FormatNombre(valeur(gen), o->parametres.fDecimal, ','));
                if (image) g.FixeTexte(r, cols - 2, std::to_string(tire(0, 50)));
                std::string t;
                for (int i = tire(0, 8); i > 0; --i)
                    t += morceaux[static_cast<size_t>(tire(0, int(morceaux.size()) - 1))];
                g.FixeTexte(r, cols - 1, t);
            }
            g.FixeTexte(1, cols - 1, "tête; à « ê »");
            o->mesure.LigneCourante = n + 1;
            RecalculeStatistiques(*o);
            const std::string fichier =
                Exporte(*o, "rt" + std::to_string(essai++) + "." + o->resultats.extensionExport);
            test::PlateformeFactice p2;
            auto e = Nouvelle(p2);
            e->images.vue.FixeImage(2000, 1500);
            e->parametres.fDecimal = o->parametres.fDecimal;
            ASSERT_TRUE(LitCSV(*e, fichier)) << f;
            EXPECT_EQ(e->mesure.NumFonction, f);
            EXPECT_EQ(e->mesure.NomFonction, o->mesure.NomFonction);
            EXPECT_EQ(e->mesure.LigneCourante, n + 1) << f;
            EXPECT_EQ(e->mesure.Etape, 1);
            EXPECT_EQ(e->resultats.FichierCSVImporte, fichier);
            EXPECT_DOUBLE_EQ(e->calibrage.FacteurResolution, 2.0);
            EXPECT_EQ(e->resultats.GrilleRefP.Texte(1, 1), o->resultats.GrilleRefP.Texte(1, 1));
            ASSERT_EQ(e->mesure.GrilleRef.Colonnes(), cols);
            for (int r = 0; r <= n + 1; ++r)
                for (int c = 0; c < cols; ++c)
                    ASSERT_EQ(e->mesure.GrilleRef.Texte(r, c), g.Texte(r, c))
                        << "function " << f << " line " << r << " column " << c;
            for (int r = 1; image && r <= n; ++r)
                EXPECT_EQ(e->mesure.TraceLignes[static_cast<size_t>(r)].image,
                          std::stoi(g.Texte(r, cols - 2)));
            EXPECT_EQ(p2.Compte("message"), 0);
        }
}

} // namespace
} // namespace orv
