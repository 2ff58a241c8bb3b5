// The calibration's panels in the window, driven through their widgets (the
// rules behind them are the calibration's own tests), and a whole calibration
// on the bundled micrometer picture followed by a spore measured on the spore
// picture.
#include "app/CommandesCalibrage.h"
#include "app/CommandesImages.h"
#include "app/Fenetre.h"
#include "base/Nombres.h"
#include "gui/FenetrePrincipale.h"
#include "gui/PanneauxCalibrage.h"
#include "gui/PlateformeQt.h"
#include "gui/ZoneImage.h"
#include "images/Chargeur.h"
#include "interface/TableControles.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using namespace orv;

namespace {

QString Exemple(const char* nom) {
    return QString(ORVELLE_DATA_DIR) + "/exemples/" + nom;
}

// The Qt platform, with the message boxes answered instead of shown.
class PlateformeEssai : public PlateformeQt {
public:
    void Message(const std::string&, const std::string&, Icone) override {}
    bool QuestionOuiNon(const std::string&, const std::string&, Icone) override { return true; }
    bool QuestionOKAnnuler(const std::string&, const std::string&, Icone) override { return true; }
    void Flash(std::uint32_t, const std::string&, int) override {}
};

} // namespace

class CalibrageGuiTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void init();
    void cleanup();

    void panneauOuvertParLeMenuEtferme();
    void sauvegardeEtChoixDansLaListe();
    void correctionEtOptions();
    void panneauDuGroupe();
    void micrometrePuisSporeDeBoutEnBout();
    void periodeDesGraduations();

private:
    void Clique(Controle c) { fenetre->Clique(c); }
    template <class W> W* Widget(Controle c) {
        W* w = fenetre->Lies().Objet<W>(c);
        if (!w) qFatal("no widget bound to %s", qPrintable(NomObjet(c)));
        return w;
    }
    // A click where the user clicks: on the middle of a push button, on the
    // mark of a check box or an option button.
    void Appuie(Controle c) {
        auto* b = Widget<QAbstractButton>(c);
        const bool marque = qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b);
        QTest::mouseClick(b, Qt::LeftButton, {},
                          marque ? QPoint(6, b->height() / 2) : b->rect().center());
    }
    // Replaces the text of a box as the user does: select all, type.
    void Tape(Controle c, const QString& texte) {
        auto* t = Widget<QLineEdit>(c);
        t->setFocus();
        t->selectAll();
        QTest::keyClicks(t, texte);
    }
    // The screen point (box pixels) of an image pixel, which must fall on a
    // whole screen pixel for the pointing to be exact.
    QPoint Ecran(double xImage, double yImage);
    void Glisse(QPoint a, QPoint b);
    // The zoom buttons, until the zoom exponent is `exposant` (origin kept at 0, 0).
    void Zoome(int exposant) {
        for (int n = 0; n < 20 && o->images.vue.ExposantZoom() != exposant; ++n)
            Clique(o->images.vue.ExposantZoom() < exposant ? Controle::ZoomMoins
                                                           : Controle::ZoomPlus);
        QCOMPARE(o->images.vue.ExposantZoom(), exposant);
    }
    double Cellule(int ligne, int colonne) const {
        return LitDecimal(o->mesure.GrilleRef.Texte(ligne, colonne));
    }

    QTemporaryDir dossier;
    std::unique_ptr<PlateformeEssai> plateforme;
    std::unique_ptr<Orvelle> o;
    std::unique_ptr<FenetrePrincipale> fenetre;
    ZoneImage* zone = nullptr;
    PanneauxCalibrage* panneaux = nullptr;
};

void CalibrageGuiTest::init() {
    QVERIFY(dossier.isValid());
    QFile::remove(dossier.filePath("Zelk.Cal"));
    plateforme = std::make_unique<PlateformeEssai>();
    o = std::make_unique<Orvelle>(*plateforme, dossier.path().toStdString());
    fenetre = std::make_unique<FenetrePrincipale>(*o, *plateforme);
    Demarrage(*o);
    fenetre->resize(1400, 900);
    fenetre->show();
    QVERIFY(QTest::qWaitForWindowExposed(fenetre.get()));
    Activation(*o);
    fenetre->Clique(Controle::BienvenueOK); // the welcome text is not under test
    zone = fenetre->Image();
    zone->setFixedSize(800, 600); // the image pixels fall on whole screen pixels
    QTRY_COMPARE(o->images.vue.LargeurBoite(), 800 * 15);
    panneaux = fenetre->findChild<PanneauxCalibrage*>();
}

void CalibrageGuiTest::cleanup() {
    fenetre.reset();
    o.reset();
    plateforme.reset();
}

QPoint CalibrageGuiTest::Ecran(double xImage, double yImage) {
    const double x = o->images.vue.VersBoiteX(xImage * UnitesImageParPixel) / TwipsParPixelEcran;
    const double y = o->images.vue.VersBoiteY(yImage * UnitesImageParPixel) / TwipsParPixelEcran;
    const QPoint p(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    if (std::abs(x - p.x()) > 0.01 || std::abs(y - p.y()) > 0.01 || !zone->rect().contains(p))
        qFatal("image point %g,%g is not on a whole pixel of the box (%g, %g)", xImage, yImage, x,
               y);
    return p;
}

void CalibrageGuiTest::Glisse(QPoint a, QPoint b) {
    QTest::mousePress(zone, Qt::LeftButton, {}, a);
    QTest::mouseMove(zone, (a + b) / 2);
    QTest::mouseMove(zone, b);
    QTest::mouseRelease(zone, Qt::LeftButton, {}, b);
}

void CalibrageGuiTest::panneauOuvertParLeMenuEtferme() {
    QGroupBox* panneau = panneaux->Panneau();
    QVERIFY(!panneau->isVisible());
    QVERIFY(!panneaux->Dialogue()->isVisible());
    QVERIFY(!panneaux->Groupe()->isVisible());

    FixeCalibrage(*o, 0.25);
    Clique(Controle::EtalonnageResolution);
    QVERIFY(panneau->isVisible());
    // The factor is shown, read only until a command asks for a value.
    auto* valeur = Widget<QLineEdit>(Controle::TexteCalibrage);
    QCOMPARE(LitDecimal(valeur->text().toStdString()), 0.25);
    QVERIFY(!valeur->isEnabled());
    // The resolution mode chosen at start-up shows in its frame.
    QVERIFY(Widget<QRadioButton>(Controle::OptionIndDim)->isChecked());

    // Laid over the image box, inside it, above the box's other frames.
    QCOMPARE(panneau->parentWidget(), zone);
    QVERIFY(zone->rect().contains(panneau->geometry()));
    QWidget* dessus = zone->childAt(panneau->geometry().center());
    QVERIFY(dessus == panneau || panneau->isAncestorOf(dessus));

    Appuie(Controle::QuitterCalibrage);
    QVERIFY(!panneau->isVisible());
}

// Enter in the value box stores the typed comment; the list loaded, a click
// on a row takes its value and "Valider" makes it the factor.
void CalibrageGuiTest::sauvegardeEtChoixDansLaListe() {
    FixeCalibrage(*o, 0.125);
    Clique(Controle::EtalonnageResolution);
    Appuie(Controle::CalibrageSauvegarde);
    auto* valeur = Widget<QLineEdit>(Controle::TexteCalibrage);
    QVERIFY(valeur->hasFocus());
    QTest::keyClicks(valeur, "objectif x40");
    QTest::keyClick(valeur, Qt::Key_Return);
    QVERIFY(!panneaux->Panneau()->isVisible());
    QCOMPARE(o->calibrage.ListCalib.size(), size_t{1});

    FixeCalibrage(*o, 1.0);
    Clique(Controle::EtalonnageResolution);
    Appuie(Controle::CalibrageCharger);
    QListWidget* liste = panneaux->ListeCalibrages();
    QVERIFY(liste->isVisible());
    QCOMPARE(liste->count(), 1);
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {},
                      liste->visualItemRect(liste->item(0)).center());
    QCOMPARE(LitDecimal(valeur->text().toStdString()), 0.125);
    Appuie(Controle::ValiderCalibrage);
    QCOMPARE(o->calibrage.CoefCalibrage, 0.125);
    QCOMPARE(Widget<QLabel>(Controle::LegendeCalibrage)->text(), QString("Cal.=0,1250"));
}

// The correction box grows the panel and takes a typed coefficient; the
// resolution options and the graduations reach the core; the pointing gets the box.
void CalibrageGuiTest::correctionEtOptions() {
    QVERIFY(OuvreCheminImage(*o, Exemple("micrometre.png").toStdString()));
    FixeCalibrage(*o, 0.2);
    Clique(Controle::EtalonnageResolution);
    Appuie(Controle::OptionIndRes);
    QCOMPARE(o->calibrage.FacteurResolution, 1.0);
    Appuie(Controle::OptionIndDim);
    QCOMPARE(o->calibrage.FacteurResolution, 1.6); // 1600 pixels wide
    Appuie(Controle::OptionCalibrageGraduations);
    QVERIFY(Widget<QWidget>(Controle::TexteObjectif)->isEnabled());
    Appuie(Controle::CalibragePortion);
    QVERIFY(!panneaux->Panneau()->isVisible());
    QVERIFY(zone->hasFocus());
    QVERIFY(CalibrageEnAttente(o->calibrage));
    Clique(Controle::EtalonnageResolution);
    Appuie(Controle::CalibrageCorrection);
    QGroupBox* boite = panneaux->Correction();
    QVERIFY(boite->isVisible());
    QVERIFY(panneaux->Panneau()->geometry().contains(
        boite->geometry().translated(panneaux->Panneau()->pos())));
    Tape(Controle::TexteCorrection, "1,5");
    Appuie(Controle::CorrectionAppliquer);
    QVERIFY(std::abs(o->calibrage.CoefCalibrage - 0.3) < 1e-12);
    QCOMPARE(LitDecimal(Widget<QLineEdit>(Controle::TexteCalibrage)->text().toStdString()),
             o->calibrage.CoefCalibrage);
    Appuie(Controle::CalibrageCorrection);
    QVERIFY(!boite->isVisible());
}

// ">" adds the loader's selection, a row chosen and "<" takes it out, a
// double click shows that image, "mode MC" closes the panel.
void CalibrageGuiTest::panneauDuGroupe() {
    const std::string micro = Exemple("micrometre.png").toStdString();
    QVERIFY(OuvreCheminImage(*o, micro));
    QVERIFY(OuvreCheminImage(*o, Exemple("spores.png").toStdString()));
    Clique(Controle::GroupageMC);
    QGroupBox* groupe = panneaux->Groupe();
    QVERIFY(groupe->isVisible());
    QVERIFY(zone->rect().contains(groupe->geometry()));

    SelectionneChargeur(o->images.chargeur, 1, {0, 1});
    Appuie(Controle::GroupeAjoute);
    QListWidget* liste = panneaux->ListeGroupe();
    QCOMPARE(liste->count(), 2);
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {},
                      liste->visualItemRect(liste->item(1)).center());
    Appuie(Controle::GroupeRetire);
    QCOMPARE(liste->count(), 1);
    QCOMPARE(liste->item(0)->text().toStdString(), micro);

    // (QTest's double click is the second press only: the first comes before.)
    const QPoint premiere = liste->visualItemRect(liste->item(0)).center();
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, premiere);
    QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, premiere);
    QCOMPARE(o->images.IndexImage, 1);

    Appuie(Controle::CaseModeMC);
    QVERIFY(o->calibrage.ModeGroupe);
    QVERIFY(!groupe->isVisible());
}

void CalibrageGuiTest::micrometrePuisSporeDeBoutEnBout() {
    // The micrometer: ten divisions of 0.01 mm from x = 150 to x = 1150.
    QVERIFY(OuvreCheminImage(*o, Exemple("micrometre.png").toStdString()));
    Zoome(0);

    Appuie(Controle::Etalonner); // "Etalonner"
    QVERIFY(CalibrageEnAttente(o->calibrage));
    QVERIFY(o->controles(Controle::Etalonner).couleur.has_value());
    Glisse(Ecran(150, 600), Ecran(1150, 600));

    // The dialogue asks for the length, its field ready for typing.
    QGroupBox* dialogue = panneaux->Dialogue();
    QVERIFY(dialogue->isVisible());
    QVERIFY(zone->rect().contains(dialogue->geometry()));
    QCOMPARE(Widget<QLabel>(Controle::InviteSaisie)->text(), QString("entrer la longueur"));
    auto* saisie = Widget<QLineEdit>(Controle::TexteSaisie);
    QVERIFY(saisie->hasFocus());
    QVERIFY(o->controles(Controle::TexteSaisie).couleur.has_value());
    QTest::keyClicks(saisie, "100"); // its text was selected: typing replaces it
    QCOMPARE(saisie->text(), QString("100"));

    Appuie(Controle::SaisieOK);
    QVERIFY(!dialogue->isVisible());
    QVERIFY(!CalibrageEnAttente(o->calibrage));
    QVERIFY(!o->controles(Controle::Etalonner).couleur.has_value());
    QCOMPARE(o->mesure.GrilleRef.Texte(1, 1), std::string()); // the calibration line went
    const double facteur = o->calibrage.CoefCalibrage;
    QVERIFY(facteur > 0);

    // The spores, twice as enlarged: one picture pixel a screen pixel.
    QVERIFY(OuvreCheminImage(*o, Exemple("spores.png").toStdString()));
    QCOMPARE(o->calibrage.CoefCalibrage, facteur); // the new image takes the current factor
    Zoome(-4);
    // Spore 1: 10 x 5 micrometres, long axis horizontal, centred on (230, 220).
    Glisse(Ecran(180, 220), Ecran(280, 220));
    Glisse(Ecran(230, 195), Ecran(230, 245));
    QVERIFY2(std::abs(Cellule(1, 1) - 10.0) <= facteur, o->mesure.GrilleRef.Texte(1, 1).c_str());
    QVERIFY2(std::abs(Cellule(1, 2) - 5.0) <= facteur, o->mesure.GrilleRef.Texte(1, 2).c_str());
    // The scale bar of the spore picture, 10 micrometres over 100 pixels, at
    // the whole width.
    Zoome(0);
    Glisse(Ecran(1400, 1132), Ecran(1500, 1132));
    QVERIFY2(std::abs(Cellule(2, 1) - 10.0) <= facteur, o->mesure.GrilleRef.Texte(2, 1).c_str());
}

// The calibration by the period on the bundled micrometer, from the pixels
// the box decoded: a rough drag, the divisions found in the prompt, Esc gives
// up, Enter takes the division offered; the ten divisions then read 100 µm.
void CalibrageGuiTest::periodeDesGraduations() {
    QVERIFY(OuvreCheminImage(*o, Exemple("micrometre.png").toStdString()));
    Zoome(0);
    QGroupBox* dialogue = panneaux->Dialogue();
    auto* saisie = Widget<QLineEdit>(Controle::TexteSaisie);
    for (const auto touche : {Qt::Key_Escape, Qt::Key_Return}) {
        Clique(Controle::EtalonnageResolution);
        Appuie(Controle::OptionCalibragePeriode);
        Appuie(Controle::CalibragePortion);
        Glisse(Ecran(140, 610), Ecran(1160, 616));
        QVERIFY(dialogue->isVisible());
        const QString invite = Widget<QLabel>(Controle::InviteSaisie)->text();
        QVERIFY2(invite.startsWith("10 divisions, période 100"), qPrintable(invite));
        QCOMPARE(saisie->text(), QString("10"));
        QTest::keyClick(saisie, touche);
        QVERIFY(!dialogue->isVisible());
        QVERIFY(!CalibrageEnAttente(o->calibrage));
        if (touche == Qt::Key_Escape) QCOMPARE(o->calibrage.CoefCalibrage, 1.0);
    }
    // 10 µm over 100 pixels of 12 pixel units ("Ind. Dim.").
    const double facteur = o->calibrage.CoefCalibrage;
    QVERIFY2(std::abs(facteur * 100 * 12 - 10) < 10 * 0.02 / 100,
             qPrintable(QString::number(facteur)));
    Glisse(Ecran(150, 600), Ecran(1150, 600));
    QVERIFY2(std::abs(Cellule(1, 1) - 100.0) <= facteur, o->mesure.GrilleRef.Texte(1, 1).c_str());
}

QTEST_MAIN(CalibrageGuiTest)
#include "CalibrageGuiTest.moc"
