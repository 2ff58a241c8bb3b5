// Sessions of the window for the grid file tests: three picture files of
// different sizes in a temporary folder (the fake platform knows their sizes),
// the current folder moved there, pointing on the image box, random grids of
// every function, and a reading of everything a grid file must give back.
#pragma once

#include "app/CommandesCalibrage.h"
#include "app/CommandesImages.h"
#include "app/CommandesMesure.h"
#include "app/CommandesTrame.h"
#include "app/Fenetre.h"
#include "app/Orvelle.h"
#include "images/Chargeur.h"
#include "interface/TableControles.h"
#include "measure/Fonctions.h"
#include "measure/Grille.h"
#include "measure/Pointage.h"
#include "support/DossierEssai.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace orv::test {

namespace fs = std::filesystem;

// What save then load must give back unchanged.
struct Releve {
    int fonction = 0;
    int ligneCourante = 0;
    std::vector<std::vector<std::string>> cellules; // lines 1 .., every column
    std::vector<int> images;                        // image of each line's record
    std::vector<double> facteurs;                   // factors of slots 1 .. N
    std::vector<std::string> chemins;
};

inline Releve Releve_(const Orvelle& o) {
    Releve r;
    r.fonction = o.mesure.NumFonction;
    r.ligneCourante = o.mesure.LigneCourante;
    const auto& g = o.mesure.GrilleRef;
    for (int l = 1; l < o.mesure.LigneCourante && l < g.Lignes(); ++l) {
        std::vector<std::string> ligne;
        for (int c = 0; c < g.Colonnes(); ++c) ligne.push_back(g.Texte(l, c));
        r.cellules.push_back(ligne);
        r.images.push_back(o.mesure.TraceLignes[static_cast<size_t>(l)].image);
    }
    r.chemins = o.images.chargeur.ListIMGchar;
    for (size_t k = 1; k <= r.chemins.size(); ++k)
        r.facteurs.push_back(o.calibrage.CalibrageImage[k]);
    return r;
}

inline void AttendMeme(const Releve& a, const Releve& b, const std::string& cas) {
    EXPECT_EQ(b.fonction, a.fonction) << cas;
    EXPECT_EQ(b.ligneCourante, a.ligneCourante) << cas;
    ASSERT_EQ(b.cellules.size(), a.cellules.size()) << cas;
    for (size_t l = 0; l < a.cellules.size(); ++l)
        EXPECT_EQ(b.cellules[l], a.cellules[l]) << cas << ", line " << l + 1;
    EXPECT_EQ(b.images, a.images) << cas;
    EXPECT_EQ(b.facteurs, a.facteurs) << cas; // every bit of every factor
    EXPECT_EQ(b.chemins, a.chemins) << cas;
}

class SessionTrame : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* d : {"photos", "courant", "data", "programme"})
            fs::create_directories(dossier / d);
        ancien = fs::current_path();
        // Relative names (the automatic save) go to the current folder.
        fs::current_path(dossier / "courant");
        Image("a.jpg", 960, 720);
        Image("b.jpg", 1600, 1200);
        Image("c.png", 700, 525);
        o = Session();
    }
    void TearDown() override { fs::current_path(ancien); }

    std::string Image(const std::string& nom, int l, int h) {
        const std::string chemin = (dossier / "photos" / nom).string();
        std::ofstream(chemin) << "image";
        p.images[chemin] = {l, h};
        return chemin;
    }
    std::string Photo(const std::string& nom) const { return (dossier / "photos" / nom).string(); }
    std::string Fichier(const std::string& nom) const { return (dossier / "data" / nom).string(); }

    // A started window.
    std::unique_ptr<Orvelle> Session() {
        auto s = std::make_unique<Orvelle>(p, (dossier / "programme").string());
        Demarrage(*s);
        Activation(*s);
        s->parametres.repData = (dossier / "data").string();
        s->parametres.repImage = (dossier / "photos").string();
        return s;
    }

    void Ouvre(Orvelle& x, const std::string& chemin) {
        p.fichiers.push_back(chemin);
        orv::Clic(x, Controle::OuvrirImage);
    }
    // The three pictures opened, each with its own factor.
    void TroisImages(Orvelle& x, std::mt19937& g) {
        std::uniform_real_distribution<double> coef(0.02, 3.0);
        for (const char* nom : {"a.jpg", "b.jpg", "c.png"}) {
            Ouvre(x, Photo(nom));
            FixeCalibrage(x, coef(g));
        }
    }
    static void Choisit(Orvelle& x, int f, bool polygoneAuto = true) {
        x.mesure.NumFonction = f;
        x.mesure.PolygoneAuto = polygoneAuto;
        SelectionneFonction(x);
    }

    // Pointing, in twips of the box.
    static void Clic(Orvelle& x, PointTwips pt, Bouton b = Bouton::Gauche) {
        ClicImage(x, b, {}, pt);
        RelacheImage(x, b, {}, pt);
    }
    static void Glisse(Orvelle& x, PointTwips a, PointTwips b) {
        ClicImage(x, Bouton::Gauche, {}, a);
        SuitSouris(x, Bouton::Gauche, {}, {(a.x + b.x) / 2, (a.y + b.y) / 2});
        SuitSouris(x, Bouton::Gauche, {}, b);
        RelacheImage(x, Bouton::Gauche, {}, b);
    }
    static PointTwips Point(std::mt19937& g) {
        std::uniform_int_distribution<int> x(300, 11700), y(300, 8700);
        return {x(g), y(g)};
    }
    // A point far enough from `a` for a drag, both ways apart.
    static PointTwips Loin(std::mt19937& g, PointTwips a) {
        for (;;) {
            const PointTwips b = Point(g);
            if (std::abs(b.x - a.x) > 400 && std::abs(b.y - a.y) > 400) return b;
        }
    }

    // One complete line of the active function, pointed at random.
    void MesureLigne(Orvelle& x, std::mt19937& g);
    // `lignes` lines at random zooms, origins and images, some commented.
    void MesureGrille(Orvelle& x, std::mt19937& g, int lignes);

    PlateformeFactice p;
    DossierEssai dossier{"trame"};
    fs::path ancien;
    std::unique_ptr<Orvelle> o;
};

inline void SessionTrame::MesureLigne(Orvelle& x, std::mt19937& g) {
    auto& m = x.mesure;
    const int ligne = m.LigneCourante;
    std::uniform_int_distribution<int> de(0, 5);
    auto compte = [&] {
        const int n = de(g);
        for (int i = 0; i < n; ++i) Clic(x, Point(g));
        Clic(x, Point(g), Bouton::Droit);
    };
    switch (m.NumFonction) {
    case 10:
    case 11:
        while (m.LigneCourante == ligne) compte();
        break;
    case 13:
    case 14: {
        const PointTwips a = Point(g);
        Glisse(x, a, Loin(g, a));
        compte();
        break;
    }
    case 15: {
        const PointTwips a = Point(g), b = Loin(g, a);
        Clic(x, a);
        Clic(x, b);
        Clic(x, Loin(g, b));
        break;
    }
    case 16: {
        Clic(x, Point(g));
        PointTwips s = Point(g);
        Clic(x, s);
        for (int i = 0; i < 2 + de(g) % 3; ++i) Clic(x, s = Loin(g, s));
        Clic(x, Loin(g, s), Bouton::Droit);
        break;
    }
    case 20: {
        std::uniform_real_distribution<double> v(0, 255);
        for (int k = 0; k < 6; ++k) AjouteValeur(x, v(g));
        x.mesure.GrilleRef.FixeTexte(ligne, 7, "zone " + std::to_string(ligne));
        break;
    }
    default:
        while (m.LigneCourante == ligne) {
            if (m.Etape == 1 && de(g) < 2) {
                // A broken line of two to four sides.
                x.mesure.LigneBrisee = true;
                PointTwips s = Point(g);
                Clic(x, s);
                for (int i = 0; i < 1 + de(g) % 3; ++i) Clic(x, s = Loin(g, s));
                Clic(x, Loin(g, s), Bouton::Droit);
                x.mesure.LigneBrisee = false;
            } else if (m.NumFonction == 3 && m.Etape == 2 && de(g) < 3) {
                ToucheEnfoncee(x, Touche::E, {});
                const PointTwips a = Point(g);
                Glisse(x, a, Loin(g, a));
                ToucheRelachee(x.ui, x.mesure.pointage, Touche::E, {});
            } else {
                const PointTwips a = Point(g);
                Glisse(x, a, Loin(g, a));
            }
        }
        break;
    }
}

inline void SessionTrame::MesureGrille(Orvelle& x, std::mt19937& g, int lignes) {
    static const char* const kCommentaires[] = {"spore; très mûre", "a;b;c é à ç µ",
                                                "  blancs gardés  ", "œuvre € ‰ « »"};
    std::uniform_int_distribution<int> de(0, 5), exposant(-6, 0), origine(0, 9000);
    for (int i = 0; i < lignes; ++i) {
        // The measuring view changes between lines: values never depend on it.
        if (x.images.chargeur.ListIMGchar.size() == 3) MontreEmplacement(x, de(g) % 3);
        x.images.vue.FixeExposant(exposant(g));
        x.images.vue.FixeOrigine(origine(g), origine(g));
        ++x.images.versionVue;
        const int ligne = x.mesure.LigneCourante;
        MesureLigne(x, g);
        ASSERT_EQ(x.mesure.LigneCourante, ligne + 1) << "function " << x.mesure.NumFonction;
        if (de(g) < 3)
            x.mesure.GrilleRef.FixeTexte(ligne, x.mesure.GrilleRef.Colonnes() - 1,
                                         kCommentaires[de(g) % 4]);
    }
}

} // namespace orv::test
