// Measuring from the picture in the real window, on the sample spores whose
// sizes are known (data/exemples/LISEZMOI.txt): one click through the mouse,
// then a search for every spore on its own thread, reviewed and accepted
// with the keys, over the pixels the image box decoded.
#include "app/CommandesImages.h"
#include "app/Fenetre.h"
#include "app/MesureAuto.h"
#include "gui/FenetrePrincipale.h"
#include "gui/PlateformeQt.h"
#include "gui/ZoneImage.h"
#include "interface/TableControles.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace orv;

class MesureAutoGuiTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    void unClicPuisToutTrouver() {
        QTemporaryDir dossier;
        PlateformeQt plateforme;
        Orvelle o(plateforme, dossier.path().toStdString());
        FenetrePrincipale fenetre(o, plateforme);
        Demarrage(o);
        fenetre.resize(1400, 900);
        fenetre.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
        Activation(o);
        ZoneImage* zone = fenetre.Image();
        ZoneImage::Qualite vue = ZoneImage::Qualite::Aucune;
        zone->surVueDessinee = [&vue](ZoneImage::Qualite q) { vue = q; };
        QVERIFY(OuvreCheminImage(o, ORVELLE_DATA_DIR "/exemples/spores.png"));
        fenetre.Clique(Controle::BienvenueOK);
        QTRY_VERIFY_WITH_TIMEOUT(vue == ZoneImage::Qualite::Complete, 20000);
        const Vue& v = o.images.vue;
        auto ecran = [&](double x, double y) {
            return QPoint(qRound(v.VersBoiteX(x * UnitesImageParPixel) / TwipsParPixelEcran),
                          qRound(v.VersBoiteY(y * UnitesImageParPixel) / TwipsParPixelEcran));
        };
        auto pixels = [&](int ligne, int k) {
            const SegmentTrace& s = o.mesure.TraceLignes[static_cast<size_t>(ligne)].segments[k];
            return std::hypot(s.x2 - s.x1, s.y2 - s.y1) / UnitesImageParPixel;
        };

        // Spore 6, 14 x 7 micrometres at 10 pixels a micrometre.
        fenetre.Clique(Controle::FonctionUnClic);
        QTest::mouseClick(zone, Qt::LeftButton, {}, ecran(615, 585));
        QCOMPARE(o.mesure.LigneCourante, 2);
        QVERIFY2(std::abs(pixels(1, 1) - 140) < 1, qPrintable(QString::number(pixels(1, 1))));
        QVERIFY2(std::abs(pixels(1, 2) - 70) < 1, qPrintable(QString::number(pixels(1, 2))));

        // Every spore of the picture, found while the window goes on; the one
        // measured already is offered rejected.
        fenetre.Clique(Controle::TrouveSpores);
        QTest::mouseClick(zone, Qt::LeftButton, {}, ecran(800, 600));
        QTRY_VERIFY_WITH_TIMEOUT(o.mesureAuto.phase == EtatMesureAuto::Phase::Revue, 30000);
        QCOMPARE(o.mesureAuto.revue.size(), size_t{12});
        int offertes = 0;
        for (const auto& s : o.mesureAuto.revue) offertes += !s.rejetee;
        QCOMPARE(offertes, 11);
        QTest::keyClick(zone, Qt::Key_Return);
        QCOMPARE(o.mesure.LigneCourante, 13);
        QCOMPARE(o.mesureAuto.phase, EtatMesureAuto::Phase::Aucune);
    }
};

QTEST_MAIN(MesureAutoGuiTest)
#include "MesureAutoGuiTest.moc"
