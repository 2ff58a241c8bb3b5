// A main-window state ready for calibration sessions: controls, texts, the
// segment function, the calibration wired to the grid, an image 2000 pixels
// wide, and a private program folder for the calibration file.
#pragma once

#include "app/CommandesCalibrage.h"
#include "app/CommandesMesure.h"
#include "app/Fenetre.h"
#include "app/Orvelle.h"
#include "interface/TableControles.h"
#include "measure/Fonctions.h"
#include "measure/Grille.h"
#include "support/DossierEssai.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace orv::test {

class SessionCalibrage : public ::testing::Test {
protected:
    void SetUp() override {
        o = std::make_unique<Orvelle>(p, dossier.string());
        o->textes.RemplitMessages();
        Fonction(1);
        o->images.vue.FixeImage(2000, 1500);
        o->controles.Texte(Controle::LargeurImage, "2000");
        o->calibrage.CoefCalibrage = 1.0;
        InstalleCalibrage(*o);
    }

    void Fonction(int n) {
        o->mesure.NumFonction = n;
        SelectionneFonction(*o);
    }
    // A segment of `pixels` pixel units pointed and written to the grid, as
    // the segment pointing does.
    void Pointe(int pixels) {
        o->mesure.LongueurPixels = pixels;
        AjouteValeur(*o, pixels * o->calibrage.CoefCalibrage);
    }
    // A value typed in the input dialogue, then "OK".
    void Saisit(const std::string& texte) {
        o->controles.Texte(Controle::TexteSaisie, texte);
        orv::Clic(*o, Controle::SaisieOK);
    }
    void Clic(Controle c) { orv::Clic(*o, c); }
    const std::string& Texte(Controle c) const { return o->controles.Texte(c); }
    std::string Cellule(int ligne, int colonne) const {
        return o->mesure.GrilleRef.Texte(ligne, colonne);
    }
    std::string Chemin() const { return (dossier / "Zelk.Cal").string(); }

    PlateformeFactice p;
    DossierEssai dossier{"calibrage"};
    std::unique_ptr<Orvelle> o;
};

} // namespace orv::test
