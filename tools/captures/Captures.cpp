// orvelle-captures: the user guide's screenshots, taken from the program
// itself (offscreen, no display needed). It drives the real window as a user
// would: calibrates on the sample micrometer, measures sample spores, shows
// the statistics and the results, and saves each view as a PNG.
//
//   orvelle-captures --donnees DATA --langue fr --sortie docs/guide/images
//   orvelle-captures --donnees DATA --langue en --menus   (the menus' entries, as text)
#include "app/CommandesImages.h"
#include "app/CommandesMesure.h"
#include "app/Fenetre.h"
#include "app/Orvelle.h"
#include "gui/FenetrePrincipale.h"
#include "gui/PlateformeQt.h"
#include "gui/ZoneImage.h"
#include "images/Vue.h"
#include "interface/TableControles.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <cstdio>

using namespace orv;

namespace {

// Lets the window draw (the picture is decoded in the background).
void Attend(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qWait(20);
    }
}

class Session {
public:
    Session(FenetrePrincipale& f, Orvelle& o) : f_(f), o_(o) {}

    // A drag between two points of the picture, in image pixels.
    void Glisse(double x1, double y1, double x2, double y2) {
        ZoneImage* zone = f_.Image();
        const Vue& v = o_.images.vue;
        auto ecran = [&](double x, double y) {
            return QPoint(qRound(v.VersBoiteX(x * UnitesImageParPixel) / TwipsParPixelEcran),
                          qRound(v.VersBoiteY(y * UnitesImageParPixel) / TwipsParPixelEcran));
        };
        const QPoint a = ecran(x1, y1), b = ecran(x2, y2);
        QTest::mousePress(zone, Qt::LeftButton, {}, a);
        QTest::mouseMove(zone, (a + b) / 2);
        QTest::mouseMove(zone, b);
        QTest::mouseRelease(zone, Qt::LeftButton, {}, b);
        Attend(50);
    }
    // A spore of the sample picture: length then width, in micrometres
    // (10 image pixels a micrometre), its long axis at `angle` degrees.
    void Spore(double cx, double cy, double longueur, double largeur, double angle) {
        const double a = angle * M_PI / 180.0, ux = std::cos(a), uy = std::sin(a);
        const double l = longueur * 5.0, w = largeur * 5.0;
        Glisse(cx - ux * l, cy - uy * l, cx + ux * l, cy + uy * l);
        Glisse(cx + uy * w, cy - ux * w, cx - uy * w, cy + ux * w);
    }
    bool Capture(QWidget* w, const QString& chemin, int largeur) {
        Attend(400);
        QImage image = w->grab().toImage();
        if (image.width() > largeur) image = image.scaledToWidth(largeur, Qt::SmoothTransformation);
        image = image.convertToFormat(QImage::Format_RGB888);
        const bool ok = image.save(chemin, "PNG", 9);
        if (!ok) std::fprintf(stderr, "orvelle-captures: cannot write %s\n", qPrintable(chemin));
        return ok;
    }

private:
    FenetrePrincipale& f_;
    Orvelle& o_;
};

// Z- until the view shows the picture's whole width.
void EntiereLargeur(FenetrePrincipale& f, Orvelle& o) {
    for (int n = 0; n < 20 && o.images.vue.ExposantZoom() < 0; ++n) f.Clique(Controle::ZoomMoins);
}

// Every menu entry as the window shows it, one per line, indented by depth;
// disabled entries are marked.
void EcritMenus(const QList<QAction*>& actions, int profondeur) {
    for (QAction* a : actions) {
        if (a->isSeparator()) continue;
        std::printf("%*s%s%s\n", profondeur * 2, "", qPrintable(a->text()),
                    a->isEnabled() ? "" : "  (-)");
        if (a->menu()) EcritMenus(a->menu()->actions(), profondeur + 1);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QCommandLineParser ligne;
    const QCommandLineOption donnees("donnees", "The program's data folder.", "DOSSIER");
    const QCommandLineOption langue("langue", "Interface language (fr, en...).", "CODE");
    const QCommandLineOption sortie("sortie", "Folder of the PNG files.", "DOSSIER");
    const QCommandLineOption menus("menus", "Print the menus' entries instead.");
    ligne.addOptions({donnees, langue, sortie, menus});
    ligne.process(app);
    const QString code = ligne.value(langue).isEmpty() ? "fr" : ligne.value(langue);
    const QString dossierDonnees = ligne.value(donnees);
    const QDir dossierSortie(ligne.value(sortie));
    if (dossierDonnees.isEmpty() || (!ligne.isSet(menus) && !dossierSortie.exists())) {
        std::fprintf(stderr, "orvelle-captures: --donnees and an existing --sortie are needed\n");
        return 2;
    }
    auto png = [&](const char* nom) {
        return dossierSortie.filePath(QString(nom) + "_" + code + ".png");
    };
    if (code == "en") QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));

    QTemporaryDir home; // a first start: default settings, nothing of the user's
    PlateformeQt plateforme;
    Orvelle o(plateforme, home.path().toStdString());
    o.dossierDonnees = dossierDonnees.toStdString();
    o.langue.demandee = code.toStdString();
    FenetrePrincipale f(o, plateforme);
    Demarrage(o);
    f.AppliqueLangueQt();
    f.resize(1400, 900);
    f.show();
    if (!QTest::qWaitForWindowExposed(&f)) return 1;
    Activation(o);
    f.Actualise();
    if (ligne.isSet(menus)) {
        EcritMenus(f.menuBar()->actions(), 0);
        return 0;
    }
    Session s(f, o);
    bool ok = s.Capture(&f, png("accueil"), 1000);
    f.Clique(Controle::BienvenueOK);

    // The samples are opened from a folder of the same name at every run, so
    // that the paths the window shows do not depend on where the sources are.
    const QString copies = QDir::tempPath() + "/orvelle-exemples/";
    QDir().mkpath(copies);
    for (const char* nom : {"micrometre.png", "spores.png"}) {
        QFile::remove(copies + nom);
        if (!QFile::copy(dossierDonnees + "/exemples/" + nom, copies + nom)) {
            std::fprintf(stderr, "orvelle-captures: no sample %s in %s/exemples\n", nom,
                         qPrintable(dossierDonnees));
            return 1;
        }
    }
    const std::string exemples = copies.toStdString();

    // Calibration on the micrometer: ten divisions of 10 µm from x = 150 to 1150,
    // the whole picture in view.
    OuvreCheminImage(o, exemples + "micrometre.png");
    EntiereLargeur(f, o);
    f.Actualise();
    Attend(600);
    f.Clique(Controle::Etalonner);
    s.Glisse(150, 600, 1150, 600);
    if (auto* saisie = f.findChild<QLineEdit*>(NomObjet(Controle::TexteSaisie))) {
        saisie->selectAll();
        QTest::keyClicks(saisie, "100");
        ok = s.Capture(&f, png("calibrage"), 1000) && ok;
        QTest::keyClick(saisie, Qt::Key_Return);
    }
    Attend(100);

    // Spores 2D on the sample spores, the width as a free segment.
    OuvreCheminImage(o, exemples + "spores.png");
    f.Clique(Controle::OptionBipoint);
    EntiereLargeur(f, o);
    f.Actualise();
    Attend(600);
    // Eleven of the twelve spores (the deciles need eleven values).
    s.Spore(230, 220, 10, 5, 0);
    s.Spore(610, 220, 12, 6, 30);
    s.Spore(990, 220, 8, 4, -20);
    s.Spore(1370, 220, 9, 6, 75);
    s.Spore(230, 580, 11, 5.5, -45);
    s.Spore(610, 580, 14, 7, 10);
    s.Spore(1370, 580, 12, 5, 60);
    s.Spore(230, 940, 9.5, 5, -70);
    s.Spore(610, 940, 13, 6.5, 100);
    s.Spore(990, 940, 10, 4, 135);
    s.Spore(1370, 940, 15, 8, -15);
    ok = s.Capture(&f, png("mesure"), 1000) && ok;
    QTest::keyClick(f.Image(), Qt::Key_Space); // the statistics under the grid
    ok = s.Capture(&f, png("statistiques"), 1000) && ok;
    f.Clique(Controle::ResultatsAfficher);
    ok = s.Capture(&f, png("resultats"), 1000) && ok;

    // Measuring from the picture: two spores by one click each, then every
    // spore found and reviewed, one rejected, on a grid emptied first.
    f.Clique(Controle::ResultatsBascule);
    QTest::keyClick(f.Image(), Qt::Key_Space);
    RAZ_Grille_total(o);
    f.Clique(Controle::FonctionUnClic);
    s.Glisse(615, 585, 615, 585);
    s.Glisse(612, 222, 612, 222);
    ok = s.Capture(&f, png("unclic"), 1000) && ok;
    f.Clique(Controle::FonctionUnClic);
    f.Clique(Controle::TrouveSpores);
    s.Glisse(800, 600, 800, 600);
    for (int n = 0; n < 600 && o.mesureAuto.phase != EtatMesureAuto::Phase::Revue; ++n) Attend(50);
    s.Glisse(230, 580, 230, 580); // spore 5 rejected
    ok = s.Capture(&f, png("revue"), 1000) && ok;
    QTest::keyClick(f.Image(), Qt::Key_Return);

    // The calibration by the graduations' period on the same micrometer: a
    // rough drag past both end graduations, what was found shown before the
    // value of one division is confirmed.
    OuvreCheminImage(o, exemples + "micrometre.png");
    EntiereLargeur(f, o);
    f.Actualise();
    Attend(600);
    f.Clique(Controle::EtalonnageResolution);
    f.Clique(Controle::OptionCalibragePeriode);
    f.Clique(Controle::CalibragePortion);
    s.Glisse(125, 612, 1380, 604);
    if (auto* saisie = f.findChild<QLineEdit*>(NomObjet(Controle::TexteSaisie))) {
        ok = s.Capture(&f, png("graduations"), 1000) && ok;
        QTest::keyClick(saisie, Qt::Key_Return);
    }
    return ok ? 0 : 1;
}
