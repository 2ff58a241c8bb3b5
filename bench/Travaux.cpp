// Figures of what the user does with a picture open, apart from the view:
// drawing the annotation on the full-size copy, a colour sample on the picture
// shown, and a grid of 255 measures read back from its file and exported.
#include "Travaux.h"
#include "Mesures.h"

#include "annotation/Annotation.h"
#include "app/CommandesCouleur.h"
#include "app/CommandesMesure.h"
#include "app/CommandesResultats.h"
#include "app/CommandesTrame.h"
#include "app/DossierProgramme.h"
#include "app/Fenetre.h"
#include "gui/DessinCopie.h"
#include "results/ExportCSV.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace orv::banc {

double DessinCopie(Orvelle& o, int largeur, int hauteur, int repetitions) {
    // A 50 µm bar with its label, as the prompts make it, on the copy of a
    // picture of that size seen whole in the view.
    Vue vue;
    vue.FixeImage(largeur, hauteur);
    vue.FixeBoite(1400 * TwipsParPixelEcran, 930 * TwipsParPixelEcran);
    vue.VueInitiale();
    const ContexteAnnotation c{vue, 0.1, 1.0, 12, 0x0000FF};
    PixelsImage copie{
        largeur, hauteur,
        std::vector<std::uint32_t>(std::size_t(largeur) * std::size_t(hauteur), 0xFF808080)};
    std::vector<double> temps;
    for (int i = 0; i < repetitions; ++i) {
        EtatAnnotation a;
        a.ReferenceSurImage = true;
        a.ModeReferenceSimple = true;
        AppuiAnnotation(o.ui, a, c, {3000 + 300 * i, 9000});
        ValideAnnotation(o.ui, a, c, "50");
        ValideAnnotation(o.ui, a, c, " \xC2\xB5m");
        if (a.dessinsCopie.empty()) {
            std::fprintf(stderr, "orvelle-bench: the annotation drew nothing on the copy\n");
            return -1;
        }
        QElapsedTimer t;
        t.start();
        DessineSurPixels(copie, a.dessinsCopie);
        temps.push_back(t.nsecsElapsed() / 1e6);
    }
    return Mediane(temps);
}

double EchantillonCouleur(Orvelle& o, const std::string& chemin, TailleImage taille,
                          int repetitions) {
    std::vector<double> temps;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer t;
        t.start();
        const auto e =
            EchantillonImage(o, chemin, taille, taille.largeur * (i + 1.0) / (repetitions + 2),
                             taille.hauteur / 2.0);
        temps.push_back(t.nsecsElapsed() / 1e6);
        if (!e) return -1;
    }
    return Mediane(temps);
}

void GrilleRelueEtExportee(Plateforme& p, int repetitions) {
    QTemporaryDir dossier;
    Orvelle o(p, dossier.path().toStdString());
    // The sample picture to measure on, found as the window finds it.
    o.dossierDonnees = DossierDonnees(QCoreApplication::applicationDirPath().toStdString());
    Demarrage(o);
    Activation(o);
    o.parametres.repData = dossier.path().toStdString();
    // 255 spores: a length dragged, then a width.
    auto glisse = [&o](PointTwips a, PointTwips b) {
        ClicImage(o, Bouton::Gauche, {}, a);
        SuitSouris(o, Bouton::Gauche, {}, b);
        RelacheImage(o, Bouton::Gauche, {}, b);
    };
    for (int i = 0; i < 255; ++i) {
        const int x = 1500 + (i % 15) * 600, y = 1500 + (i / 15) * 400;
        glisse({x, y}, {x + 300 + i % 7 * 20, y + 60});
        glisse({x + 150, y - 80}, {x + 170, y + 110 + i % 5 * 10});
    }
    if (o.mesure.LigneCourante != 256) {
        std::fprintf(stderr, "orvelle-bench: %d lines measured instead of 255\n",
                     o.mesure.LigneCourante - 1);
        return;
    }
    const std::string trame = dossier.filePath("mesures.trm").toStdString();
    const std::string csv = dossier.filePath("mesures.csv").toStdString();
    if (!SauveTrame(o, trame)) return;
    std::vector<double> relues, exportees;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer t;
        t.start();
        if (ChargeTrame(o, trame) != ResultatChargement::Charge) return;
        relues.push_back(t.nsecsElapsed() / 1e6);
        t.start();
        if (!EcritFichierExport(csv, o, HorodatageLocal())) return;
        exportees.push_back(t.nsecsElapsed() / 1e6);
    }
    Affiche("grid_255_reload_ms", Mediane(relues), "ms");
    Affiche("grid_255_export_ms", Mediane(exportees), "ms");
}

} // namespace orv::banc
