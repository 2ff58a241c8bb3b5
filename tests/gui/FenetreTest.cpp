// The main window as a user drives it: menus, keys and mouse reach the core,
// and what the window alone owns (layout, captions, charts, decoding) holds.
#include "app/Fenetre.h"
#include "app/CommandesImages.h"
#include "app/CommandesMesure.h"
#include "app/CommandesResultats.h"
#include "app/Historique.h"
#include "base/Nombres.h"
#include "gui/FenetrePrincipale.h"
#include "gui/Lancement.h"
#include "gui/PanneauDistribution.h"
#include "gui/PlateformeQt.h"
#include "gui/ZoneImage.h"
#include "images/Chargeur.h"
#include "images/CopieReferencee.h"
#include "interface/Messages.h"
#include "interface/TableControles.h"
#include "measure/Grille.h"
#include "results/Statistiques.h"

#include <QAbstractItemModelTester>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <map>

using namespace orv;

namespace {

// Answers the next message box with the given button once it is shown,
// keeping its text and its buttons' captions.
void RepondPlusTard(QMessageBox::StandardButton bouton, QString* texteVu = nullptr) {
    QTimer::singleShot(0, [bouton, texteVu] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (box && box->isVisible()) {
                if (texteVu) {
                    *texteVu = box->text();
                    for (QAbstractButton* b : box->buttons()) *texteVu += "|" + b->text();
                }
                box->button(bouton)->click();
                return;
            }
        }
        RepondPlusTard(bouton, texteVu);
    });
}

QAction* Action(QWidget* fenetre, const QString& nom) {
    return fenetre->findChild<QAction*>(nom);
}

// Every text the window shows of its own, in the order the window is built:
// menus and context menus with their tips, buttons, boxes, frames, labels and
// the tips of each, the status prompt and the grid's headers.
QStringList Legendes(FenetrePrincipale& f) {
    QStringList t;
    std::function<void(QMenu*)> menu = [&](QMenu* m) {
        for (QAction* a : m->actions()) {
            // A separator keeps its place: a language may caption an entry
            // that another leaves a separator.
            if (a->isSeparator()) {
                t << QString() << QString();
                continue;
            }
            t << a->text();
            t << a->toolTip();
            if (a->menu()) menu(a->menu());
        }
    };
    for (QAction* a : f.menuBar()->actions()) {
        t << a->text();
        if (a->menu()) menu(a->menu());
    }
    for (const char* nom : {"PopEtalon", "pop3D"}) menu(f.findChild<QMenu*>(nom));
    for (QWidget* w : f.findChildren<QWidget*>()) {
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            t << b->text();
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            t << g->title();
        else if (auto* l = qobject_cast<QLabel*>(w))
            t << l->text();
        t << w->toolTip();
    }
    t << f.statusBar()->currentMessage();
    const QAbstractItemModel* grille = f.VueGrille()->model();
    for (int c = 0; c < grille->columnCount(); ++c)
        t << grille->headerData(c, Qt::Horizontal).toString();
    const QAbstractItemModel* stats = f.findChild<QTableView*>("GrilleRefP")->model();
    for (int r = 0; r < stats->rowCount(); ++r) t << stats->index(r, 0).data().toString();
    return t;
}

} // namespace

class FenetreTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void init() {
        QVERIFY(dossier.isValid());
        plateforme = std::make_unique<PlateformeQt>();
        etat = std::make_unique<Orvelle>(*plateforme, dossier.path().toStdString());
        fenetre = std::make_unique<FenetrePrincipale>(*etat, *plateforme);
        Demarrage(*etat);
        fenetre->AppliqueLangueQt();
        // The window fits the screen it starts on (the offscreen screen is
        // 800 x 600); the clicks below are laid out for its full size.
        const QRect libre = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(fenetre->width() <= libre.width() && fenetre->height() <= libre.height());
        fenetre->resize(1400, 900);
        fenetre->show();
        QVERIFY(QTest::qWaitForWindowExposed(fenetre.get()));
        Activation(*etat);
    }
    void cleanup() {
        fenetre.reset();
        etat.reset();
        plateforme.reset();
        QFile::remove(dossier.filePath("Zelk.dat"));
        QFile::remove(dossier.filePath("Recents.dat"));
    }

    // French captions from the start, the grid model sound, later work visibly
    // unavailable, and a magnifier that shows the view, no black square.
    void premierDemarrage() {
        QCOMPARE(fenetre->menuBar()->actions().first()->text(), QString("fichiers"));
        QTableView* vue = fenetre->VueGrille();
        QAbstractItemModelTester testeur(vue->model(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(vue->model()->headerData(1, Qt::Horizontal).toString(), QString("Long."));
        QCOMPARE(vue->model()->rowCount(), 256);
        QCOMPARE(fenetre->statusBar()->currentMessage(),
                 QString("choisir une commande ou marquer un point"));
        AjouteValeur(*etat, 10.0);
        AjouteValeur(*etat, 5.0);
        QCOMPARE(vue->model()->index(0, 3).data().toString(), QString("2,00"));
        QCOMPARE(vue->model()->index(0, 3).data(Qt::ToolTipRole).toString(), QString("2,00"));
        QVERIFY(!Action(fenetre.get(), NomObjet(Controle::Numerelle))->isEnabled());
        QVERIFY(Action(fenetre.get(), NomObjet(Controle::SauverParametres))->isEnabled());
        const QImage loupe =
            fenetre->findChild<QWidget*>(NomObjet(Controle::ImageLoupe))->grab().toImage();
        QVERIFY(loupe.pixelColor(2, 2) != QColor(Qt::black));
        QVERIFY(loupe.pixelColor(loupe.width() - 3, loupe.height() - 3) != QColor(Qt::black));
    }

    // Quitting with measures not saved asks in the interface language (Qt's
    // own buttons too); "Annuler" keeps everything, "Non" ends.
    void quitterSansPerdreLesMesures() {
        AjouteValeur(*etat, 10.0);
        AjouteValeur(*etat, 5.0);
        QString vu;
        RepondPlusTard(QMessageBox::Cancel, &vu);
        QVERIFY(!fenetre->close());
        QVERIFY(vu.startsWith("Les mesures de la grille ne sont pas sauvées"));
        QVERIFY2(vu.contains("|&Oui") && vu.contains("|&Non") && vu.contains("|Annuler"),
                 qPrintable(vu));
        QVERIFY(fenetre->isVisible());
        QCOMPARE(QString::fromStdString(etat->mesure.GrilleRef.Texte(1, 1)), QString("10,00"));
        RepondPlusTard(QMessageBox::No);
        Action(fenetre.get(), NomObjet(Controle::Quitter))->trigger();
        QTRY_VERIFY(!fenetre->isVisible());
    }

    void distributionSuitLaGrilleEtSExporte() {
        fenetre->Clique(Controle::Histogrammes);
        PanneauDistribution* d = fenetre->Distribution();
        QVERIFY(d->isVisible());
        QVERIFY(Action(fenetre.get(), NomObjet(Controle::Histogrammes))->isChecked());
        QCOMPARE(d->NombreGraphiques(), 5); // L, l, Q, V, and L x l
        for (double l : {10.0, 11.0, 12.5}) {
            AjouteValeur(*etat, l);
            AjouteValeur(*etat, 6.0);
        }
        fenetre->Actualise();
        QStringList titres;
        for (auto* v : d->findChildren<QChartView*>()) titres << v->chart()->title();
        QVERIFY2(titres.contains("Long.   N = 3"), qPrintable(titres.join('|')));

        // 180 mm at 300 dpi; the SVG reads back.
        const QImage png = QImage::fromData(d->FigurePNG(), "PNG");
        QCOMPARE(png.width(), qRound(180 / 25.4 * 300));
        QCOMPARE(png.dotsPerMeterX(), qRound(300 / 0.0254));
        QSvgRenderer svg(d->FigureSVG());
        QVERIFY(svg.isValid());
        QCOMPARE(qRound(svg.viewBoxF().width()), qRound(180 / 25.4 * 72));

        fenetre->Clique(Controle::Histogrammes);
        QVERIFY(!d->isVisible());

        // On a small screen, a tab beside the others: the image keeps its room.
        fenetre->resize(1200, 652);
        fenetre->resize(1008, 652);
        QTRY_VERIFY(fenetre->Compacte());
        fenetre->Clique(Controle::Histogrammes);
        QCOMPARE(fenetre->Onglets()->currentWidget(), d);
        QVERIFY(d->isVisible());
        QVERIFY(fenetre->Image()->width() >= 600);
        fenetre->Clique(Controle::Histogrammes);
        QCOMPARE(fenetre->Onglets()->indexOf(d), -1);
    }

    // --diagnostic-langue reports at start-up, with the language asked on the
    // command line: a line of the language file naming no button.
    void diagnosticDeLangueAuDemarrage() {
        QTemporaryDir home;
        QFile f(home.filePath("Zelk2_it.lng"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("BOUTONS;b\r\nB15;Canc. riga\r\nB999;nessuno\r\n*\r\n");
        f.close();
        PlateformeQt p;
        Orvelle e(p, home.path().toStdString());
        FenetrePrincipale fen(e, p);
        QString vu;
        RepondPlusTard(QMessageBox::Ok, &vu);
        Lance(e, fen, "it", true);
        QVERIFY2(vu.startsWith(" erreur dans le fichier de langues : it, ligne 3 B999;nessuno"),
                 qPrintable(vu));
        QCOMPARE(fen.findChild<QPushButton*>(NomObjet(Controle::EffaceLigne))->text(),
                 QString("Canc. riga"));
    }

    // A language file chosen in the menu recaptions menus, buttons and the
    // tooltip of a button named after a menu entry.
    void langueRecaptionneLesWidgets() {
        QFile f(dossier.filePath("Zelk2_it.lng"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            "MNFICHIERS;File\r\nMNUFIC;x\r\nF12;Esci\r\n*\r\nBOUTONS;b\r\nB15;Canc. riga\r\n*\r\n"
            "MNUTLS;x\r\nM1;Copia schermo\r\n*\r\n");
        f.close();
        Action(fenetre.get(), NomObjet(Controle::LangueIt))->trigger();
        QCOMPARE(Action(fenetre.get(), NomObjet(Controle::Quitter))->text(), QString("Esci"));
        QCOMPARE(fenetre->menuBar()->actions().first()->text(), QString("File"));
        QCOMPARE(fenetre->findChild<QPushButton*>(NomObjet(Controle::EffaceLigne))->text(),
                 QString("Canc. riga"));
        QCOMPARE(fenetre->findChild<QPushButton*>(NomObjet(Controle::BoutonCopieEcran))->toolTip(),
                 QString("Copia schermo"));
        QVERIFY(Action(fenetre.get(), NomObjet(Controle::LangueIt))->isChecked());
    }

    // On the bundled spore photograph (spore 1: 10 µm long, centred at
    // (230, 220) image pixels) the mouse measures into the grid; Ctrl+Z takes
    // the spore back with its mark (its Ctrl does not turn the drag on),
    // Ctrl+Shift+Z brings it again, "Raz gril." takes the marks off the view.
    void mesurerAnnulerEtVider() {
        OuvreSpores();
        ZoneImage* zone = fenetre->Image();
        QTRY_VERIFY_WITH_TIMEOUT(derniere == ZoneImage::Qualite::Complete, 20000);
        const QImage avant = zone->VueDessinee().copy();
        const auto cellule = [this](int col) {
            return fenetre->VueGrille()->model()->index(0, col).data().toString();
        };
        const auto attendu = [](double v) {
            return QString::fromStdString(FormatNombre(v, "###0.00", ','));
        };
        const double long1 = Glisse(180, 220, 280, 220);
        const double larg1 = Glisse(230, 195, 230, 245);
        QCOMPARE(cellule(1), attendu(long1));
        QCOMPARE(cellule(2), attendu(larg1));
        // 100 image pixels are 1200 pixel units in "Ind. Dim." mode (1600 px wide).
        QVERIFY(std::abs(long1 - 1200) <= 24);
        QVERIFY(zone->VueDessinee() != avant);

        const size_t marques = etat->mesure.marques.fixes.size();
        QTest::keyClick(zone, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cellule(1), QString());
        QCOMPARE(etat->mesure.marques.fixes.size(), size_t{0});
        QVERIFY(!etat->mesure.pointage.etatGlisse);
        QTest::keyClick(zone, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(cellule(1), attendu(long1));
        QCOMPARE(etat->mesure.marques.fixes.size(), marques);

        RepondPlusTard(QMessageBox::Yes);
        fenetre->findChild<QPushButton*>(NomObjet(Controle::RazGrille))->click();
        QCOMPARE(cellule(1), QString());
        QCOMPARE(zone->VueDessinee(), avant);
    }

    // A box's new state reaches the core as ticked; a recent entry opens its own file.
    void casesEtListesRecentes() {
        auto* retrace = fenetre->findChild<QCheckBox*>(NomObjet(Controle::CaseAutoRetrace));
        const bool avant = retrace->isChecked();
        retrace->click();
        QCOMPARE(etat->controles(Controle::CaseAutoRetrace).coche, !avant);

        const std::string micro = ORVELLE_DATA_DIR "/exemples/micrometre.png";
        etat->imagesRecentes.Ajoute(micro);
        etat->imagesRecentes.Ajoute(ORVELLE_DATA_DIR "/exemples/spores.png");
        QMenu* fichiers = fenetre->menuBar()->actions().first()->menu();
        emit fichiers->aboutToShow();
        auto* recentes = fenetre->findChild<QMenu*>("MenuImagesRecentes");
        QCOMPARE(recentes->actions().size(), 2);
        recentes->actions().at(1)->trigger();
        QCOMPARE(etat->images.cheminImage, micro);
    }

    // The G key moves the grids round the image, as the key help promises;
    // the statistics' row labels are never cut and the grids' columns line up.
    void grillesDeplaceesEtLisibles() {
        ZoneImage* zone = fenetre->Image();
        QWidget* grille = fenetre->VueGrille();
        auto cadre = [this](QWidget* w) {
            return QRect(w->mapTo(fenetre.get(), QPoint(0, 0)), w->size());
        };
        QVERIFY(cadre(grille).left() > cadre(zone).right());
        zone->setFocus();
        QTest::keyClick(zone, Qt::Key_G);
        QTRY_VERIFY(cadre(grille).top() > cadre(zone).bottom()); // below
        QTest::keyClick(zone, Qt::Key_G);
        QTRY_VERIFY(cadre(grille).right() < cadre(zone).left()); // left
        QTest::keyClick(zone, Qt::Key_G);
        QTRY_VERIFY(cadre(grille).bottom() < cadre(zone).top()); // above
        QTest::keyClick(zone, Qt::Key_G);
        QTRY_VERIFY(cadre(grille).left() > cadre(zone).right());

        auto* stats = fenetre->findChild<QTableView*>(NomObjet(Controle::GrilleStatistiques));
        const QFontMetrics fm(stats->font());
        for (const char* l : LibellesStatistiques)
            QVERIFY(stats->columnWidth(0) >= fm.horizontalAdvance(QString::fromUtf8(l)) + 8);
        QCOMPARE(stats->columnWidth(0), fenetre->VueGrille()->columnWidth(0));
    }

    // Keys typed in a text box over the image never reach the image keys; Ctrl
    // alone on the image toggles the drag, shown by the pointer and the status
    // bar; Z held while the grid has the keyboard, a click zooms and starts no segment.
    void touchesSeulementSurLImage() {
        OuvreSpores();
        fenetre->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fenetre.get()));
        etat->controles.Visible(Controle::CadreSaisie, true);
        auto* champ = fenetre->findChild<QLineEdit*>(NomObjet(Controle::TexteSaisie));
        QVERIFY(champ->isVisible());
        champ->setFocus();
        QTest::keyPress(champ, Qt::Key_Control);
        QTest::keyClick(champ, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(champ, Qt::Key_Z);
        QTest::keyRelease(champ, Qt::Key_Control);
        QVERIFY(!etat->mesure.pointage.GlisseImage);
        QVERIFY(!etat->mesure.pointage.ZoomPoint);
        etat->controles.Visible(Controle::CadreSaisie, false);

        ZoneImage* zone = fenetre->Image();
        zone->setFocus();
        QTest::keyClick(zone, Qt::Key_Control);
        QVERIFY(etat->mesure.pointage.GlisseImage);
        QCOMPARE(zone->cursor().shape(), Qt::OpenHandCursor);
        QVERIFY(fenetre->statusBar()->currentMessage().contains("Ctrl"));
        QTest::keyClick(zone, Qt::Key_Control);
        QVERIFY(!etat->mesure.pointage.GlisseImage);
        QCOMPARE(zone->cursor().shape(), Qt::CrossCursor);
        // A shortcut of the window (Ctrl+S...) takes its key before the box
        // sees it: Ctrl was not alone.
        QAction raccourci(fenetre.get());
        raccourci.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
        fenetre->addAction(&raccourci);
        QSignalSpy pris(&raccourci, &QAction::triggered);
        QTest::keyClick(zone, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(pris.count(), 1);
        QVERIFY(!etat->mesure.pointage.GlisseImage);

        fenetre->VueGrille()->setFocus();
        const int exposant = etat->images.vue.ExposantZoom();
        const QPoint ici(200, 150);
        QTest::mouseMove(zone, ici);
        QTest::keyPress(QApplication::focusWidget(), Qt::Key_Z);
        QTest::mouseClick(zone, Qt::LeftButton, {}, ici);
        QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Z);
        QTest::mouseMove(zone, ici + QPoint(60, 40));
        QCOMPARE(etat->images.vue.ExposantZoom(), exposant - etat->images.vue.PasZoom());
        QVERIFY(!etat->mesure.pointage.SegmentEnCours);
        QVERIFY(etat->mesure.marques.provisoires.empty());
    }

    // On a 1024 x 700 screen (the window opens 1008 x 652 there) the commands
    // and the grids share a column of tabs and the picture box keeps 600
    // pixels; no command is cut or out of sight, in every shipped language
    // and in colour mode; the grids come forward with the statistics. A large
    // screen keeps three columns, the grid's last column whole, the room to the image.
    void miseEnPageDePetitAGrandEcran() {
        auto* commandes = fenetre->findChild<QScrollArea*>("PanneauCommandes");
        auto* bienvenue = fenetre->findChild<QWidget*>(NomObjet(Controle::CadreBienvenue));
        QTableView* grille = fenetre->VueGrille();
        const int colonneDerniere = grille->model()->columnCount() - 1;
        auto entier = [&] {
            QCoreApplication::processEvents();
            return commandes->verticalScrollBar()->maximum() == 0 &&
                   commandes->widget()->minimumSizeHint().width() <= commandes->viewport()->width();
        };
        etat->dossierDonnees = ORVELLE_DATA_DIR;
        // Narrowed as a window manager narrows it, a step at a time: the three
        // columns are no narrower than themselves.
        fenetre->resize(1200, 652);
        fenetre->resize(1008, 652);
        QTRY_COMPARE(fenetre->size(), QSize(1008, 652));
        QVERIFY(fenetre->Compacte());
        QVERIFY(fenetre->Image()->width() >= 600);
        QVERIFY(fenetre->Image()->rect().contains(bienvenue->geometry()));
        for (Controle langue : {Controle::LangueEn, Controle::LangueDe, Controle::LangueIt,
                                Controle::LangueEs, Controle::LangueFr}) {
            fenetre->Clique(langue);
            QVERIFY2(entier(), qPrintable(NomObjet(langue)));
        }
        // The colour function's rows take the caliper options' place.
        etat->controles.Visible(Controle::CadreCharte, true);
        fenetre->Actualise();
        QVERIFY(entier());
        etat->controles.Visible(Controle::CadreCharte, false);
        fenetre->Actualise();
        QCOMPARE(fenetre->Onglets()->currentWidget(), commandes);
        fenetre->Image()->setFocus();
        QTest::keyClick(fenetre->Image(), Qt::Key_Space);
        QVERIFY(fenetre->Onglets()->currentWidget()->isAncestorOf(grille));

        for (const QSize taille : {QSize(1920, 1080), QSize(3840, 2160)}) {
            fenetre->resize(taille);
            QTRY_COMPARE(fenetre->size(), taille);
            QVERIFY(!fenetre->Compacte());
            QVERIFY(entier());
            QVERIFY(grille->columnViewportPosition(colonneDerniere) +
                        grille->columnWidth(colonneDerniere) <=
                    grille->viewport()->width());
            QVERIFY(grille->columnWidth(colonneDerniere) >=
                    grille->fontMetrics().horizontalAdvance("comment"));
            QVERIFY(fenetre->Image()->rect().contains(bienvenue->geometry()));
            QVERIFY(fenetre->Image()->width() > taille.width() / 2);
        }
    }

    // A picture whose decoding fails after a sound header and a file that is
    // no picture are said and leave the loader; a picture cut short, through
    // Qt's reader and through our JPEG decoder, is said and stays.
    void imagesQuiNePeuventSAfficher() {
        const QString d = dossier.path();
        QImage petite(40, 30, QImage::Format_RGB32);
        petite.fill(Qt::darkGreen);
        QVERIFY(petite.save(d + "/cassee.png"));
        // Pixels that do not compress: the data, not the header, is cut.
        QImage bruit(300, 200, QImage::Format_RGB32);
        for (int y = 0; y < bruit.height(); ++y)
            for (int x = 0; x < bruit.width(); ++x)
                bruit.setPixel(x, y, 0xFF000000u | (x * 7919u + y * 104729u) * 2654435761u);
        auto ecrit = [&](const char* nom, const QByteArray& octets) {
            QFile f(d + nom);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(octets);
        };
        for (const char* f : {"/coupee.bmp", "/coupee.jpg"}) {
            QVERIFY(bruit.save(d + f));
            QFile lu(d + f);
            QVERIFY(lu.open(QIODevice::ReadOnly));
            const QByteArray b = lu.readAll();
            ecrit(f, b.left(b.size() * 2 / 3));
        }
        QFile png(d + "/cassee.png");
        QVERIFY(png.open(QIODevice::ReadOnly));
        ecrit("/cassee.png", png.readAll().left(33) + QByteArray(200, 'x'));
        ecrit("/notes.jpg", "pas une image\n");

        struct Cas {
            const char* nom;
            const char* attendu;
            size_t images; // in the loader afterwards
        };
        for (const Cas& c :
             {Cas{"cassee.png", "", 0},
              Cas{"notes.jpg", etat->textes.Mnu(mnu::PasUneImage).c_str(), 0},
              Cas{"coupee.bmp", "Image incomplète", 1}, Cas{"coupee.jpg", "Image incomplète", 2}}) {
            QString vu;
            RepondPlusTard(QMessageBox::Ok, &vu);
            OuvreCheminImage(*etat, (d + "/" + c.nom).toStdString());
            fenetre->Actualise();
            QTRY_VERIFY_WITH_TIMEOUT(!vu.isEmpty(), 10000);
            QVERIFY2(vu.contains(QString::fromUtf8(c.attendu)), qPrintable(vu));
            QTest::qWait(50);
            QCOMPARE(etat->images.chargeur.ListIMGchar.size(), c.images);
        }
    }

    // Started in each shipped language (--lang), the window keeps no French
    // and no "***": no word of a French text stays in the same place, but for
    // the words the two languages share.
    void languesLivreesSansFrancais() {
        // A window in a language, started in it or in French then switched to
        // it from the menu, with texts the program composes from the tables:
        // statistics' labels, a scanner file named by the settings, the
        // annotated copy's frame.
        struct Fen {
            QTemporaryDir home;
            PlateformeQt p;
            std::unique_ptr<Orvelle> e;
            std::unique_ptr<FenetrePrincipale> f;
        };
        auto ouvre = [](const std::string& depart, const std::string& puis) {
            auto x = std::make_unique<Fen>();
            QFile zelk(x->home.filePath("Zelk.dat"));
            if (zelk.open(QIODevice::WriteOnly)) zelk.write("FICSCANNER=etalon.Scn\r\n");
            zelk.close();
            x->e = std::make_unique<Orvelle>(x->p, x->home.path().toStdString());
            Orvelle& e = *x->e;
            e.dossierDonnees = ORVELLE_DATA_DIR;
            e.langue.demandee = depart;
            x->f = std::make_unique<FenetrePrincipale>(e, x->p);
            Demarrage(e);
            x->f->AppliqueLangueQt();
            x->f->show();
            if (!QTest::qWaitForWindowExposed(x->f.get())) return x;
            Activation(e);
            AjouteValeur(e, 10.0);
            AjouteValeur(e, 5.0);
            RecalculeStatistiques(e);
            OffreCopieReferencee(e.ui, e.images.chargeur, std::nullopt);
            if (puis != depart) {
                const auto langues = MemeFamille(Controle::LangueFr);
                for (Controle c : langues)
                    if (Description(c).texte == puis) Action(x->f.get(), NomObjet(c))->trigger();
            }
            x->f->Actualise();
            return x;
        };
        const auto francais = ouvre("fr", "fr");
        const QStringList reference = Legendes(*francais->f);
        QVERIFY(reference.contains("Enregistrement de l'image référencée"));
        QVERIFY(reference.contains("Scanner : etalon.Scn"));
        QVERIFY(reference.contains("Afficher / masquer les résultats")); // a button's tip
        const QStringList partout = {
            "Twain", "Tintaval", "Numerelle", "Orvelle", "Tablouve", "sigma", "Sigma", "Kurt",
            "Min",   "Max",      "img",       "Img",     "Cal",      "Obj",   "fr",    "it",
            "es",    "de",       "en",        "etalon",  "Scn",      "px",    "µm"};
        const std::map<std::string, QStringList> communs = {
            {"en",
             {"Options",    "Images",    "Image",    "image",    "Spores",        "Triangle",
              "Ellipse",    "Rectangle", "Segments", "Tests",    "Documentation", "comment",
              "Export",     "Auto",      "format",   "scanner",  "pixels",        "graduations",
              "correction", "mode",      "version",  "notation", "Scanner",       "spores",
              "spore",      "segment"}},
            {"de", {"Ellipse", "Tests", "Scanner"}},
            {"it", {"Larg", "un", "la", "non", "scanner", "auto", "dim", "Scanner", "clic"}},
            {"es", {"Long", "un", "la", "auto", "dim", "Balance", "clic"}}};
        const QRegularExpression mot("\\p{L}*\\p{Ll}{2,}"); // a word, not a code
        auto mots = [&mot](const QString& t) {
            QStringList m;
            for (auto it = mot.globalMatch(t); it.hasNext();) m << it.next().captured();
            return m;
        };
        for (const std::string code : {"en", "de", "it", "es"}) {
            for (const std::string& depart : {code, std::string("fr")}) {
                const auto x = ouvre(depart, code);
                const QStringList textes = Legendes(*x->f);
                QCOMPARE(textes.size(), reference.size());
                QStringList restes;
                for (int i = 0; i < textes.size(); ++i) {
                    const QStringList traduits = mots(textes[i]);
                    for (const QString& m : mots(reference[i]))
                        if (traduits.contains(m) && !partout.contains(m) &&
                            !communs.at(code).contains(m))
                            restes << m + " (" + textes[i] + ")";
                    if (textes[i].contains("***") || textes[i].trimmed() == "**")
                        restes << textes[i];
                }
                QVERIFY2(restes.isEmpty(),
                         qPrintable(QString::fromStdString(depart + " -> " + code) + ": " +
                                    restes.join(" | ")));
                // The entry of no use is not shown beside "Font choice".
                QVERIFY(!Action(x->f.get(), NomObjet(Controle::Illustrer3))->isVisible());
            }
        }
    }

    // Back to French from a shipped language, the window reads as it does at
    // a French start: every caption, header and label.
    void retourAuFrancais() {
        AjouteValeur(*etat, 10.0);
        AjouteValeur(*etat, 5.0);
        SuitHistorique(*etat); // as after the measure's own event
        RecalculeStatistiques(*etat);
        fenetre->Actualise();
        const QStringList francais = Legendes(*fenetre);
        etat->dossierDonnees = ORVELLE_DATA_DIR;
        Action(fenetre.get(), NomObjet(Controle::LangueEn))->trigger();
        QVERIFY(Legendes(*fenetre) != francais);
        Action(fenetre.get(), NomObjet(Controle::LangueFr))->trigger();
        QVERIFY(Action(fenetre.get(), NomObjet(Controle::LangueFr))->isChecked());
        const QStringList revenu = Legendes(*fenetre);
        QStringList ecarts;
        for (int i = 0; i < std::min(revenu.size(), francais.size()); ++i)
            if (revenu[i] != francais[i]) ecarts << francais[i] + " -> " + revenu[i];
        QVERIFY2(ecarts.isEmpty() && revenu.size() == francais.size(),
                 qPrintable(ecarts.join(" | ")));
    }

    // The Illustrer menu reaches the view and the copy: a horizontal and an
    // oriented bar drawn with their labels, the copy saved as "<name>_Ref".
    // Pictures in ORVELLE_CAPTURES when it names a folder.
    void annotationSurLaVueEtLaCopie() {
        const QString image = dossier.filePath("spores.png");
        QVERIFY(QFile::copy(ORVELLE_DATA_DIR "/exemples/spores.png", image));
        QVERIFY(OuvreCheminImage(*etat, image.toStdString()));
        fenetre->Clique(Controle::BienvenueOK);
        fenetre->Image()->surVueDessinee = [this](ZoneImage::Qualite q) { derniere = q; };
        ZoneImage* zone = fenetre->Image();
        QTRY_VERIFY_WITH_TIMEOUT(derniere == ZoneImage::Qualite::Complete, 20000);
        const QImage avant = zone->VueDessinee().copy();
        auto ok = [this] {
            fenetre->findChild<QPushButton*>(NomObjet(Controle::SaisieOK))->click();
        };

        // The picture's own 10 µm bar is 100 pixels, 1200 pixel units here.
        etat->calibrage.CoefCalibrage = 10.0 / 1200;
        Action(fenetre.get(), NomObjet(Controle::ReferenceSurImage))->trigger();
        Action(fenetre.get(), NomObjet(Controle::ReferenceSimple))->trigger();
        QTest::mouseClick(zone, Qt::LeftButton, {}, QPoint(120, 420));
        QVERIFY(fenetre->findChild<QGroupBox*>(NomObjet(Controle::CadreSaisie))->isVisible());
        ok();
        fenetre->findChild<QPushButton*>(NomObjet(Controle::SymboleMicron))->click();
        ok();
        Action(fenetre.get(), NomObjet(Controle::ReferenceOrientee))->trigger();
        QTest::mousePress(zone, Qt::LeftButton, {}, QPoint(400, 200));
        QTest::mouseMove(zone, QPoint(450, 260));
        QTest::mouseMove(zone, QPoint(500, 300));
        QTest::mouseRelease(zone, Qt::LeftButton, {}, QPoint(500, 300));
        ok();
        ok();
        QCOMPARE(etat->annotation.marques.size(), size_t{8});
        QVERIFY(zone->VueDessinee() != avant);
        // Nothing was measured.
        QCOMPARE(QString::fromStdString(etat->mesure.GrilleRef.Texte(1, 1)), QString());

        auto* copie = fenetre->findChild<QGroupBox*>(NomObjet(Controle::CadreCopie));
        QVERIFY(copie->isVisible());
        fenetre->findChild<QPushButton*>(NomObjet(Controle::CopieEnregistre))->click();
        const QString ref = dossier.filePath("spores_Ref.bmp");
        const QImage ecrite(ref);
        QCOMPARE(ecrite.size(), QImage(image).size());
        QVERIFY(ecrite.convertToFormat(QImage::Format_RGB32) !=
                QImage(image).convertToFormat(QImage::Format_RGB32));
        const QString captures = qEnvironmentVariable("ORVELLE_CAPTURES");
        if (!captures.isEmpty()) {
            zone->grab().save(captures + "/annotation-vue.png");
            fenetre->grab().save(captures + "/annotation-fenetre.png");
            QFile::copy(ref, captures + "/spores_Ref.bmp");
        }
    }

    // F1, "Voir Options", the folder browser and "A propos ..." reach their
    // panels (pictures of them in ORVELLE_CAPTURES when it names a folder).
    void aideEtRepertoire() {
        const QString captures = qEnvironmentVariable("ORVELLE_CAPTURES");
        auto capture = [&](const char* nom) {
            QCoreApplication::processEvents(); // the layouts of the panels shown
            if (!captures.isEmpty()) fenetre->grab().save(captures + "/" + nom + ".png");
        };
        capture("bienvenue");
        QTest::keyClick(fenetre.get(), Qt::Key_F1);
        auto* aide = fenetre->findChild<QGroupBox*>(NomObjet(Controle::CadreBienvenue));
        QVERIFY(aide->isVisible());
        QCOMPARE(aide->title(), QString("mémo clés"));
        capture("memo");
        fenetre->findChild<QPushButton*>(NomObjet(Controle::AideFermer))->click();
        QVERIFY(!aide->isVisible());

        auto* options = fenetre->findChild<QPushButton*>(NomObjet(Controle::VoirOptions));
        options->click();
        QVERIFY(fenetre->findChild<QWidget*>(NomObjet(Controle::ListeParametres))->isVisible());
        capture("options");
        options->click();

        QDir(dossier.path()).mkpath("photos/sous");
        for (const char* nom : {"b.JPG", "a.jpg", "readme"})
            QVERIFY(QImage(40, 30, QImage::Format_RGB32)
                        .save(dossier.filePath("photos/") + nom, "JPG"));
        etat->parametres.repImage = dossier.filePath("photos").toStdString();
        Action(fenetre.get(), NomObjet(Controle::ChargeurAjouter))->trigger();
        auto* liste = fenetre->findChild<QListWidget*>(NomObjet(Controle::ListeRepertoire));
        QVERIFY(liste->isVisible());
        QCOMPARE(liste->count(), 2);
        liste->selectAll();
        fenetre->findChild<QPushButton*>(NomObjet(Controle::RepertoireCharger))->click();
        QCOMPARE(etat->images.chargeur.ListIMGchar.size(), size_t{2});
        capture("repertoire-fichiers");
        fenetre->findChild<QPushButton*>(NomObjet(Controle::RepertoireChoisir))->click();
        auto* dossiers = fenetre->findChild<QListWidget*>(NomObjet(Controle::ListeDossiers));
        QVERIFY(dossiers->isVisible());
        capture("repertoire-dossiers");
        // Row 0 is the parent folder; a click chooses a folder, a double click opens it.
        auto* choisi = fenetre->findChild<QLineEdit*>(NomObjet(Controle::TexteRepertoire));
        const auto rangee = [dossiers](int i) {
            return dossiers->visualItemRect(dossiers->item(i)).center();
        };
        QTest::mouseClick(dossiers->viewport(), Qt::LeftButton, {}, rangee(1));
        QCOMPARE(choisi->text(), dossier.filePath("photos/sous"));
        QTest::mouseClick(dossiers->viewport(), Qt::LeftButton, {}, rangee(0));
        QCOMPARE(choisi->text(), dossier.path());
        QTest::mouseDClick(dossiers->viewport(), Qt::LeftButton, {}, rangee(0));
        QCOMPARE(dossiers->item(1)->text(), QString("photos"));
        Action(fenetre.get(), NomObjet(Controle::ChargeurSupprimer))->trigger();
        QCOMPARE(liste->count(), 2);
        capture("repertoire-inutilisees");
        fenetre->findChild<QPushButton*>(NomObjet(Controle::RepertoireFermer))->click();

        fenetre->Clique(Controle::APropos);
        QVERIFY(fenetre->findChild<QWidget*>(NomObjet(Controle::CadreAPropos))->isVisible());
        capture("apropos");
        fenetre->Clique(Controle::PasAPas);
        capture("pasapas");
    }

private:
    void OuvreSpores() {
        QVERIFY(OuvreCheminImage(*etat, ORVELLE_DATA_DIR "/exemples/spores.png"));
        fenetre->Clique(Controle::BienvenueOK);   // close the welcome panel over the image
        fenetre->Clique(Controle::OptionBipoint); // width as a free segment
        // The values expected are those of the points the mouse hit.
        etat->controles.Coche(Controle::CaseAccroche, false);
        fenetre->Clique(Controle::CaseAccroche);
        fenetre->Image()->surVueDessinee = [this](ZoneImage::Qualite q) { derniere = q; };
    }
    // A drag between two points of the picture (image pixels); the value the
    // core makes of the points the mouse actually hit.
    double Glisse(double x1, double y1, double x2, double y2) {
        ZoneImage* zone = fenetre->Image();
        const Vue& v = etat->images.vue;
        auto ecran = [&](double x, double y) {
            return QPoint(qRound(v.VersBoiteX(x * UnitesImageParPixel) / TwipsParPixelEcran),
                          qRound(v.VersBoiteY(y * UnitesImageParPixel) / TwipsParPixelEcran));
        };
        const QPoint a = ecran(x1, y1), b = ecran(x2, y2);
        QTest::mousePress(zone, Qt::LeftButton, {}, a);
        QTest::mouseMove(zone, (a + b) / 2);
        QTest::mouseMove(zone, b);
        QTest::mouseRelease(zone, Qt::LeftButton, {}, b);
        const PointImage pa = v.VersImage({a.x() * TwipsParPixelEcran, a.y() * TwipsParPixelEcran});
        const PointImage pb = v.VersImage({b.x() * TwipsParPixelEcran, b.y() * TwipsParPixelEcran});
        return v.LongueurPixels(pa, pb, etat->calibrage.FacteurResolution) *
               etat->calibrage.CoefCalibrage;
    }

    ZoneImage::Qualite derniere = ZoneImage::Qualite::Aucune;
    QTemporaryDir dossier;
    std::unique_ptr<PlateformeQt> plateforme;
    std::unique_ptr<Orvelle> etat;
    std::unique_ptr<FenetrePrincipale> fenetre;
};

QTEST_MAIN(FenetreTest)
#include "FenetreTest.moc"
