// Acquisition in the window: frames of SANE's test backend read on the
// worker thread while the window's events keep running, Cancel, and the saves
// of the drawn view compared with the view itself.
#include "acquisition/FuitesSane.h"
#include "app/Fenetre.h"
#include "gui/Acquisition.h"
#include "gui/Camera.h"
#include "gui/FenetrePrincipale.h"
#include "gui/PlateformeQt.h"
#include "gui/ZoneImage.h"
#include "images/Chargeur.h"
#include "interface/TableControles.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <deque>
#include <fstream>
#include <functional>

using namespace orv;

namespace {

class PlateformeEssai : public PlateformeQt {
public:
    std::deque<std::string> chemins; // answers of the save dialogs
    std::vector<std::string> messages;
    std::function<void()> avantDialogue; // runs as a save dialog opens
    void Message(const std::string& texte, const std::string&, Icone) override {
        messages.push_back(texte);
    }
    std::optional<std::string> ChoisitFichierAEnregistrer(const std::string&, const std::string&,
                                                          const std::string&) override {
        if (avantDialogue) avantDialogue();
        if (chemins.empty()) return std::nullopt;
        auto c = chemins.front();
        chemins.pop_front();
        return c;
    }
};

// Hears every paint of the widget it filters.
class Peintures : public QObject {
public:
    explicit Peintures(std::function<void()> f) : f_(std::move(f)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) f_();
        return false;
    }

private:
    std::function<void()> f_;
};

QImage EnRGB(const QImage& i) {
    return i.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class AcquisitionGuiTest : public QObject {
    Q_OBJECT
private slots:
    // SANE takes its configuration folder once per process: the test backend
    // only, its frames 200 x 150 (254 dpi over 20 x 15 mm), read in small
    // delayed pieces as a real scanner sends them.
    void initTestCase() {
        QVERIFY(sane.isValid() && dossier.isValid());
        std::ofstream(sane.filePath("dll.conf").toStdString()) << "test\n";
        std::ofstream(sane.filePath("test.conf").toStdString())
            << "resolution 254\nbr_x 20\nbr_y 15\ntest-picture \"Color pattern\"\n"
               "read-limit true\nread-limit-size 3000\nread-delay true\n"
               "read-delay-duration 200000\n";
        ::setenv("SANE_CONFIG_DIR", sane.path().toLocal8Bit().constData(), 1);
    }
    void init() {
        QDir(dossier.filePath("images")).removeRecursively();
        QDir(dossier.path()).mkdir("images");
        plateforme = std::make_unique<PlateformeEssai>();
        etat = std::make_unique<Orvelle>(*plateforme, dossier.path().toStdString());
        fenetre = std::make_unique<FenetrePrincipale>(*etat, *plateforme);
        Demarrage(*etat);
        etat->parametres.repImage = dossier.filePath("images").toStdString();
        fenetre->show();
        QVERIFY(QTest::qWaitForWindowExposed(fenetre.get()));
        QTRY_VERIFY(fenetre->Acquisition()->RechercheFinie());
    }
    void cleanup() {
        fenetre.reset();
        etat.reset();
        plateforme.reset();
    }

    // Listed by orvelle-sources in its own process, and Qt Multimedia waits
    // for a camera to be used (the first test of this file: nothing used one
    // yet).
    void sourcesAreListedAndTheChoiceKept() {
        QVERIFY(!AcquisitionQt::AssistantSources().isEmpty());
        QFile cartes("/proc/self/maps");
        QVERIFY(cartes.open(QIODevice::ReadOnly));
        const QByteArray chargees = cartes.readAll();
        QVERIFY(!chargees.contains("libQt6Multimedia"));
        int lignes = -1;
        QTimer attente;
        connect(&attente, &QTimer::timeout, this, [&] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!d || d->objectName() != "DialogueSource") return;
            auto* liste = d->findChild<QListWidget*>("ListeSources");
            lignes = liste->count();
            liste->setCurrentRow(1);
            d->accept();
        });
        attente.start(10);
        fenetre->Clique(Controle::AcquisitionSource);
        QCOMPARE(lignes, 2 + static_cast<int>(Cameras().size()));
        QCOMPARE(fenetre->Acquisition()->Source(), std::string("test:1"));
    }

    // The entries wait for the search started with the window, and follow
    // what it found: nothing to acquire from leaves only the choice open.
    void theEntriesFollowTheSourcesFound() {
        const auto actif = [&](Controle c) { return etat->controles(c).actif; };
        QVERIFY(actif(Controle::AcquisitionImage) && actif(Controle::BoutonAcquisition));
        QCOMPARE(actif(Controle::CopieEcranEcran), AcquisitionQt::EcranLisible());

        struct SansSource : Scanner {
            std::vector<SourceAcquisition> Sources() override { return {}; }
            ResultatAcquisition Acquiert(const std::string&, ModeAcquisition,
                                         const std::atomic<bool>&,
                                         const std::function<void(int)>&) override {
                return {EchecAcquisition::AucuneSource, {}, {}};
            }
        };
        AcquisitionQt seule(*etat, fenetre.get(), nullptr, {}, std::make_unique<SansSource>());
        QVERIFY(!actif(Controle::AcquisitionSource) && !actif(Controle::AcquisitionImage));
        QSignalSpy trouvees(&seule, &AcquisitionQt::SourcesTrouvees);
        QVERIFY(trouvees.wait(5000));
        QVERIFY(actif(Controle::AcquisitionSource));
        QCOMPARE(actif(Controle::BoutonAcquisition), !Cameras().empty());
    }

    // A camera's frames one after the other: each its own file and slot, so
    // that every measure keeps the picture it was taken on.
    void twoAcquisitionsKeepTheirOwnFilesWhileTheWindowRuns() {
        QSignalSpy fin(fenetre->Acquisition(), &AcquisitionQt::Terminee);
        int tours = 0;
        QTimer horloge;
        connect(&horloge, &QTimer::timeout, this, [&] {
            if (fenetre->Acquisition()->EnCours()) ++tours;
        });
        horloge.start(1);
        for (int n = 1; n <= 2; ++n) {
            const auto version = etat->images.versionImage;
            fenetre->Clique(n == 1 ? Controle::AcquisitionImage : Controle::BoutonAcquisition);
            QVERIFY(fin.wait(20000));
            QCOMPARE(etat->images.chargeur.ListIMGchar.size(), size_t(n));
            const QString fichier = dossier.filePath(QString("images/ImageTwain_00%1.bmp").arg(n));
            QCOMPARE(etat->images.cheminImage, fichier.toStdString());
            QCOMPARE(etat->images.IndexImage, n);
            QCOMPARE(QImage(fichier).size(), QSize(200, 150));
            QVERIFY(etat->images.versionImage > version);
        }
        QVERIFY(tours > 0);
    }

    void cancellingLeavesThePictureShown() {
        const auto chemin = etat->images.cheminImage;
        QSignalSpy fin(fenetre->Acquisition(), &AcquisitionQt::Terminee);
        fenetre->Clique(Controle::AcquisitionImage);
        // Cancelled once the device sends.
        QTRY_VERIFY(fenetre->Acquisition()->Progres() &&
                    fenetre->Acquisition()->Progres()->value() > 0);
        auto* annuler = fenetre->Acquisition()->Progres()->findChild<QPushButton*>();
        QVERIFY(annuler);
        QTest::mouseClick(annuler, Qt::LeftButton);
        QVERIFY(fin.wait(20000));
        QCOMPARE(etat->images.cheminImage, chemin);
        QVERIFY(etat->images.chargeur.ListIMGchar.empty());
        QVERIFY(QDir(dossier.filePath("images")).isEmpty());
    }

    // A camera that is gone (unplugged since it was chosen) is said.
    void anAbsentSourceIsSaid() {
        QSignalSpy fin(fenetre->Acquisition(), &AcquisitionQt::Terminee);
        fenetre->Acquisition()->FixeSource("camera:absente");
        fenetre->Clique(Controle::AcquisitionImage);
        QCOMPARE(fin.count(), 1);
        QCOMPARE(etat->controles.Texte(Controle::BarreEtat), std::string("aucune source"));
        QVERIFY(etat->images.chargeur.ListIMGchar.empty());
    }

    void theFrameAndTheWorkAreaAreTheViewAsDrawn() {
        QSignalSpy fin(fenetre->Acquisition(), &AcquisitionQt::Terminee);
        fenetre->Clique(Controle::AcquisitionImage);
        QVERIFY(fin.wait(20000));
        // Zoomed in until the picture is wider than the box: only the box is written.
        const Vue& v = etat->images.vue;
        const auto largeurDessinee = [&] {
            return v.VersBoiteX(v.LargeurImage()) - v.VersBoiteX(0);
        };
        for (int i = 0; i < 30 && largeurDessinee() <= 2 * v.LargeurBoite(); ++i)
            fenetre->Clique(Controle::ZoomPlus);
        QVERIFY(largeurDessinee() > 2 * v.LargeurBoite());
        const QImage vue = EnRGB(fenetre->Image()->grab().toImage());
        plateforme->chemins = {dossier.filePath("cadre.bmp").toStdString(),
                               dossier.filePath("zone.bmp").toStdString()};
        fenetre->Clique(Controle::AcquisitionSauverVue);
        fenetre->Clique(Controle::CopieEcranZoneTravail);
        fenetre->Clique(Controle::BoutonCopieEcran);
        QCOMPARE(EnRGB(QImage(dossier.filePath("cadre.bmp"))), vue);
        QCOMPARE(EnRGB(QImage(dossier.filePath("zone.bmp"))), vue);
    }

    // The whole screen is taken once the menu that asked for it has closed
    // and the window beneath it is painted again: the copy never shows the menu.
    void theScreenCopyLeavesItsMenuOut() {
        fenetre->Clique(Controle::CopieEcranEcran);
        auto* menu = fenetre->findChild<QMenu*>(NomObjet(Controle::MenuOutils));
        auto* entree = fenetre->Lies().Objet<QAction>(Controle::OutilCopieEcran);
        QVERIFY(menu && entree);
        bool fermee = false, repeinte = false;
        bool ouvertALaCopie = true, repeinteALaCopie = false;
        connect(menu, &QMenu::aboutToHide, this, [&] { fermee = true; });
        Peintures peintures([&] { repeinte = repeinte || fermee; });
        fenetre->installEventFilter(&peintures);
        plateforme->avantDialogue = [&] {
            ouvertALaCopie = menu->isVisible();
            repeinteALaCopie = repeinte;
        };
        const QString chemin = dossier.filePath("ecran.bmp");
        plateforme->chemins = {chemin.toStdString()};
        menu->popup(fenetre->mapToGlobal(QPoint(200, 60)));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        menu->setActiveAction(entree);
        QTest::keyClick(menu, Qt::Key_Return); // as the user chooses the entry
        QTRY_VERIFY(QFile::exists(chemin));
        QVERIFY(!ouvertALaCopie);
        QVERIFY(repeinteALaCopie);
        plateforme->avantDialogue = nullptr;
    }

private:
    QTemporaryDir sane, dossier;
    std::unique_ptr<PlateformeEssai> plateforme;
    std::unique_ptr<Orvelle> etat;
    std::unique_ptr<FenetrePrincipale> fenetre;
};

QTEST_MAIN(AcquisitionGuiTest)
#include "AcquisitionGuiTest.moc"
