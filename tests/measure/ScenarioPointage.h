// A user session on the image box for the measure and results tests: a picture of
// 960 x 720 pixels shown in a box as wide as it is in picture units, so that
// one twip is one picture unit at zoom exponent 0 and the origin (0, 0).
// 2540 picture units are then 1200 pixel units.
#pragma once

#include "app/CommandesMesure.h"
#include "app/Orvelle.h"
#include "base/Nombres.h"
#include "interface/TableControles.h"
#include "measure/Fonctions.h"
#include "measure/Pointage.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace orv::test {

class ScenarioPointage : public ::testing::Test {
protected:
    static constexpr int kLargeurImage = 25400, kHauteurImage = 19050; // picture units
    static constexpr double kUnitesParImage = 12000.0 / 25400.0; // pixel units per picture unit

    ScenarioPointage() {
        o.textes.RemplitMessages();
        o.images.vue.FixeImage(960, 720);
        o.images.vue.FixeBoite(kLargeurImage, kHauteurImage);
        o.images.vue.FixeExposant(0);
        o.images.vue.FixeOrigine(0, 0);
        o.images.IndexImage = 1;
        Choisit(1);
    }

    void Choisit(int n) {
        o.mesure.NumFonction = n;
        SelectionneFonction(o);
    }
    // Calibration such that one picture unit is `micronsParUnite` micrometres.
    void FixeEchelle(double micronsParUnite) {
        o.calibrage.CoefCalibrage = micronsParUnite / kUnitesParImage;
    }

    void Presse(int x, int y, Bouton b = Bouton::Gauche) { ClicImage(o, b, {}, {x, y}); }
    void Bouge(int x, int y, Bouton b = Bouton::Gauche) { SuitSouris(o, b, {}, {x, y}); }
    void Relache(int x, int y, Bouton b = Bouton::Gauche) { RelacheImage(o, b, {}, {x, y}); }
    void Glisse(int x1, int y1, int x2, int y2, Bouton b = Bouton::Gauche) {
        Presse(x1, y1, b);
        Bouge((x1 + x2) / 2, (y1 + y2) / 2, b);
        Bouge(x2, y2, b);
        Relache(x2, y2, b);
    }
    void Clic(int x, int y, Bouton b = Bouton::Gauche) {
        Presse(x, y, b);
        Relache(x, y, b);
    }
    void Frappe(Touche t, Modificateurs m = {}) {
        ToucheEnfoncee(o, t, m);
        ToucheRelachee(o.ui, o.mesure.pointage, t, m);
    }

    // Whole lines written straight into the grid, as a loaded file would.
    void Remplit(const std::vector<std::vector<std::string>>& lignes) {
        auto& g = o.mesure.GrilleRef;
        for (int l = 1; l < g.Lignes(); ++l)
            for (int c = 0; c < g.Colonnes(); ++c) g.FixeTexte(l, c, "");
        int r = 1;
        for (const auto& l : lignes) {
            g.FixeTexte(r, 0, std::to_string(r));
            for (size_t c = 0; c < l.size(); ++c) g.FixeTexte(r, static_cast<int>(c) + 1, l[c]);
            ++r;
        }
        o.mesure.LigneCourante = r;
    }

    std::string C(int l, int c) const { return o.mesure.GrilleRef.Texte(l, c); }
    std::string F(double v) const { return FormatNombre(v, o.parametres.fDecimal, ','); }
    std::string Lecture() const { return o.controles.Texte(Controle::LectureMesure); }
    // Whole pixel units of a distance in picture units, halves to even.
    static double Unites(double unitesImage) {
        return std::nearbyint(unitesImage * kUnitesParImage);
    }

    bool CroixFixeEn(PointImage point) const {
        for (const auto& m : o.mesure.marques.fixes)
            if (m.genre == GenreMarque::Croix && m.a == point) return true;
        return false;
    }
    int Compte(GenreMarque g) const {
        int n = 0;
        for (const auto& m : o.mesure.marques.fixes) n += m.genre == g;
        return n;
    }

    PlateformeFactice p;
    Orvelle o{p, "."};
};

} // namespace orv::test
