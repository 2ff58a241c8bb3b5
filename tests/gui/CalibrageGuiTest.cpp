// The calibration on screen: the panel opened from the Edit menu, its commands,
// stored calibrations and correction box driven through the widgets, the input
// dialogue, the image group panel, and a whole calibration on the bundled
// micrometer picture followed by a spore measured on the bundled spore picture.
#include "app/ControlesDesign.h"
#include "app/Fenetre.h"
#include "base/Nombres.h"
#include "calibration/Calibrage.h"
#include "gui/PanneauxCalibrage.h"
#include "gui/PlateformeQt.h"
#include "gui/ZoneImage.h"
#include "images/Chargeur.h"
#include "measure/Pointage.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <cmath>
#include <memory>

using namespace orv;

namespace {

QString Exemple(const char* nom) {
    return QString(ORVELLE_DATA_DIR) + "/exemples/" + nom;
}

// The Qt platform, with the message boxes and the editor recorded instead of shown.
class PlateformeEssai : public PlateformeQt {
public:
    std::vector<std::string> messages, questions, flashs, editeurs;
    bool oui = true;

    void Message(const std::string& texte, const std::string&, Icone) override {
        messages.push_back(texte);
    }
    bool QuestionOuiNon(const std::string& texte, const std::string&, Icone) override {
        questions.push_back(texte);
        return oui;
    }
    bool QuestionOKAnnuler(const std::string& texte, const std::string&, Icone) override {
        questions.push_back(texte);
        return oui;
    }
    void Flash(std::uint32_t, const std::string& texte, int) override { flashs.push_back(texte); }
    bool OuvreEditeurTexte(const std::string& chemin) override {
        editeurs.push_back(chemin);
        return true;
    }
};

orv::Bouton BoutonDe(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return orv::Bouton::Gauche;
    case Qt::RightButton:
        return orv::Bouton::Droit;
    case Qt::MiddleButton:
        return orv::Bouton::Milieu;
    default:
        return orv::Bouton::Aucun;
    }
}

Modificateurs ModificateursDe(Qt::KeyboardModifiers m) {
    return {m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier),
            m.testFlag(Qt::AltModifier)};
}

// Lines of a text file, CR LF or LF.
QStringList Lignes(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString texte = QString::fromLatin1(f.readAll());
    texte.replace("\r\n", "\n");
    if (texte.endsWith('\n')) texte.chop(1);
    return texte.split('\n');
}

} // namespace

class CalibrageGuiTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        QDir().mkpath("/tmp/orvelle-shots");
    }
    void init();
    void cleanup();

    void panneauOuvertParLeMenuEtferme();
    void sauvegardeEtChoixDansLaListe();
    void boiteDeCorrection();
    void optionsEtGraduationsAvecObjectif();
    void panneauDuGroupe();
    void micrometrePuisSporeDeBoutEnBout();

private:
    void Clique(const std::string& nom, int index);
    template <class W> W* Widget(const std::string& nom, int index = SansIndex) {
        W* w = liaisons->Objet<W>(nom, index);
        if (!w) qFatal("no widget bound to %s(%d)", nom.c_str(), index);
        return w;
    }
    // A click where the user clicks: on the middle of a push button, on the
    // mark of a check box or an option button.
    void Appuie(const std::string& nom, int index = SansIndex) {
        auto* b = Widget<QAbstractButton>(nom, index);
        const bool marque = qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b);
        QTest::mouseClick(b, Qt::LeftButton, {},
                          marque ? QPoint(6, b->height() / 2) : b->rect().center());
    }
    // Replaces the text of a box as the user does: select all, type.
    void Tape(const std::string& nom, int index, const QString& texte) {
        auto* t = Widget<QLineEdit>(nom, index);
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
        for (int n = 0; n < 20 && o->vue.ExposantZoom() != exposant; ++n)
            Clique("Czoom", o->vue.ExposantZoom() < exposant ? 1 : 0);
        QCOMPARE(o->vue.ExposantZoom(), exposant);
    }
    double Cellule(int ligne, int colonne) const {
        return LitDecimal(o->GrilleRef.Texte(ligne, colonne));
    }
    QString Zelk() const { return dossier.filePath("Zelk.Cal"); }

    QTemporaryDir dossier;
    std::unique_ptr<PlateformeEssai> plateforme;
    std::unique_ptr<Orvelle> o;
    std::unique_ptr<Liaisons> liaisons;
    std::unique_ptr<QWidget> fenetre;
    ZoneImage* zone = nullptr;
    PanneauxCalibrage* panneaux = nullptr;
    ZoneImage::Qualite derniere = ZoneImage::Qualite::Aucune;
};

void CalibrageGuiTest::init() {
    QVERIFY(dossier.isValid());
    QFile::remove(Zelk());
    plateforme = std::make_unique<PlateformeEssai>();
    o = std::make_unique<Orvelle>(*plateforme, dossier.path().toStdString());
    DeclareControles(o->controles);
    liaisons = std::make_unique<Liaisons>(o->controles);

    // A small stand-in for the main window: "Etalonner", the factor label and
    // the image box, with the calibration's frames over the box.
    fenetre = std::make_unique<QWidget>();
    auto* rangee = new QHBoxLayout(fenetre.get());
    auto* gauche = new QVBoxLayout;
    rangee->addLayout(gauche);
    auto* etalonner = new QPushButton(fenetre.get());
    gauche->addWidget(etalonner);
    liaisons->Lie("bout", 10, etalonner);
    connect(etalonner, &QPushButton::clicked, this, [this] { Clique("bout", 10); });
    auto* facteur = new QLabel(fenetre.get());
    gauche->addWidget(facteur);
    liaisons->Lie("label", 5, facteur);
    gauche->addStretch(1);
    zone = new ZoneImage(*o, fenetre.get());
    zone->setFixedSize(800, 600);
    zone->surVueDessinee = [this](ZoneImage::Qualite q) { derniere = q; };
    rangee->addWidget(zone);
    zone->surAppui = [this](Qt::MouseButton b, Qt::KeyboardModifiers m, PointTwips p) {
        ClicImage(*o, BoutonDe(b), ModificateursDe(m), p);
        panneaux->Actualise();
    };
    zone->surDeplacement = [this](Qt::MouseButtons b, Qt::KeyboardModifiers m, PointTwips p) {
        SuitSouris(*o, b & Qt::LeftButton ? orv::Bouton::Gauche : orv::Bouton::Aucun,
                   ModificateursDe(m), p);
    };
    zone->surRelache = [this](Qt::MouseButton b, Qt::KeyboardModifiers m, PointTwips p) {
        RelacheImage(*o, BoutonDe(b), ModificateursDe(m), p);
        panneaux->Actualise();
    };
    panneaux = new PanneauxCalibrage(
        *o, *liaisons, [this](const std::string& n, int i) { Clique(n, i); }, zone,
        [this] { zone->Actualise(); });

    Demarrage(*o);
    fenetre->show();
    QVERIFY(QTest::qWaitForWindowExposed(fenetre.get()));
    Activation(*o);
    o->controles.Visible("Frame", 9, false); // the welcome text is not under test
    plateforme->messages.clear();
}

void CalibrageGuiTest::cleanup() {
    fenetre.reset();
    liaisons.reset();
    o.reset();
    plateforme.reset();
}

void CalibrageGuiTest::Clique(const std::string& nom, int index) {
    Clic(*o, nom, index);
    liaisons->Applique({nom, index});
    zone->Actualise();
    panneaux->Actualise();
}

QPoint CalibrageGuiTest::Ecran(double xImage, double yImage) {
    const double x = o->vue.VersBoiteX(xImage * UnitesImageParPixel) / TwipsParPixelEcran;
    const double y = o->vue.VersBoiteY(yImage * UnitesImageParPixel) / TwipsParPixelEcran;
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
    QVERIFY(!Widget<QWidget>("Bout_Symb")->isVisible());

    FixeCalibrage(*o, 0.25);
    Clique("MnuEDit", 4);
    QVERIFY(panneau->isVisible());
    QCOMPARE(panneau->title(), QString("Calibrage "));
    QCOMPARE(Widget<QLabel>("label", 7)->text(), QString("Calibrage actuel"));
    // The factor is shown, read only until a command asks for a value.
    auto* valeur = Widget<QLineEdit>("TBox", 0);
    QCOMPARE(LitDecimal(valeur->text().toStdString()), 0.25);
    QVERIFY(!valeur->isEnabled());
    QVERIFY(!Widget<QWidget>("bout", 20)->isEnabled());
    for (int i = 21; i <= 26; ++i) QVERIFY(Widget<QWidget>("bout", i)->isEnabled());
    QCOMPARE(Widget<QAbstractButton>("bout", 44)->text(), QString("Correction calibrage"));
    QVERIFY(!panneaux->Correction()->isVisible());
    QCOMPARE(Widget<QAbstractButton>("bout", 6)->text(), QString("Editer le fichier de calibrage"));
    // The resolution mode chosen at start-up shows in its frame.
    QCOMPARE(Widget<QGroupBox>("Frame", 11)->title(), QString("Mode calibrage"));
    QVERIFY(Widget<QRadioButton>("Optn", 1)->isChecked());
    QVERIFY(!Widget<QRadioButton>("Optn", 2)->isChecked());

    // Laid over the image box, inside it, above the box's other frames.
    QCOMPARE(panneau->parentWidget(), zone);
    QVERIFY(zone->rect().contains(panneau->geometry()));
    QVERIFY(panneau->autoFillBackground());
    QWidget* dessus = zone->childAt(panneau->geometry().center());
    QVERIFY(dessus == panneau || panneau->isAncestorOf(dessus));

    // Without a file, "Editer" says so and opens nothing.
    Appuie("bout", 6);
    QCOMPARE(plateforme->messages.size(), size_t(1));
    QVERIFY(plateforme->editeurs.empty());

    Appuie("bout", 19);
    QVERIFY(!panneau->isVisible());
}

void CalibrageGuiTest::sauvegardeEtChoixDansLaListe() {
    {
        QFile f(Zelk());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("entete\r\n\r\n\r\nabc = 0,5\r\nsans signe\r\n   \r\n");
    }
    const QStringList avant = Lignes(Zelk());
    FixeCalibrage(*o, 0.125);
    Clique("MnuEDit", 4);
    Appuie("bout", 25); // "Sauvegarde"
    auto* valeur = Widget<QLineEdit>("TBox", 0);
    QVERIFY(valeur->isEnabled());
    QVERIFY(valeur->hasFocus());
    QVERIFY(Widget<QWidget>("bout", 20)->isEnabled());

    // A comment with "=" is refused: the file is left as it was.
    QTest::keyClicks(valeur, "x40 = oil");
    QTest::keyClick(valeur, Qt::Key_Return);
    QCOMPARE(plateforme->messages.size(), size_t(1));
    QCOMPARE(Lignes(Zelk()), avant);

    // The typed comment reaches the file by Enter alone.
    Tape("TBox", 0, "objectif x40");
    QTest::keyClick(valeur, Qt::Key_Return);
    QVERIFY(!panneaux->Panneau()->isVisible());
    const QStringList apres = Lignes(Zelk());
    QCOMPARE(apres.size(), avant.size() + 1);
    QVERIFY(apres.last().startsWith("objectif x40 = "));

    // Loaded back: only the lines holding "=", in file order.
    FixeCalibrage(*o, 1.0);
    Clique("MnuEDit", 4);
    Appuie("bout", 24); // "Charger  calibrage"
    QListWidget* liste = panneaux->ListeCalibrages();
    QVERIFY(liste->isVisible());
    QCOMPARE(liste->count(), 2);
    QCOMPARE(liste->item(0)->text(), QString("abc = 0,5"));
    QVERIFY(liste->item(1)->text().startsWith("objectif x40 = "));

    // A click on a row takes its value; "Valider" makes it the factor.
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {},
                      liste->visualItemRect(liste->item(1)).center());
    QCOMPARE(LitDecimal(valeur->text().toStdString()), 0.125);
    QVERIFY(Widget<QWidget>("bout", 20)->isEnabled());
    QVERIFY(!Widget<QWidget>("bout", 24)->isEnabled());
    Appuie("bout", 20);
    QCOMPARE(o->CoefCalibrage, 0.125);
    QVERIFY(!panneaux->Panneau()->isVisible());

    // The hand-written line, chosen with the keyboard this time.
    Clique("MnuEDit", 4);
    Appuie("bout", 24);
    liste->setFocus();
    QTest::keyClick(liste, Qt::Key_Home);
    QCOMPARE(liste->currentRow(), 0);
    QCOMPARE(valeur->text(), QString("0,5"));
    Appuie("bout", 20);
    QCOMPARE(o->CoefCalibrage, 0.5);
    QCOMPARE(Widget<QLabel>("label", 5)->text(), QString("Cal.=0,5000"));

    // The file now exists: "Editer" hands its path to the editor.
    Clique("MnuEDit", 4);
    Appuie("bout", 6);
    QCOMPARE(plateforme->editeurs, std::vector<std::string>{Zelk().toStdString()});

    // A shot for the look: the list loaded and the correction box open.
    Appuie("bout", 24);
    Appuie("bout", 44);
    QVERIFY(zone->rect().contains(panneaux->Panneau()->geometry()));
    QVERIFY(panneaux->Panneau()->grab().save("/tmp/orvelle-shots/calibrage-panneau.png"));
}

void CalibrageGuiTest::boiteDeCorrection() {
    FixeCalibrage(*o, 0.2);
    Clique("MnuEDit", 4);
    Appuie("bout", 44);
    QGroupBox* boite = panneaux->Correction();
    QVERIFY(boite->isVisible());
    QVERIFY(panneaux->Panneau()->isAncestorOf(boite));
    QCOMPARE(Widget<QAbstractButton>("bout", 44)->text(), QString("fermer correction"));
    QCOMPARE(Widget<QAbstractButton>("Command1", 1)->text(), QString("Annuler"));
    // The panel grew to hold the box and still fits in the image box.
    QVERIFY(panneaux->Panneau()->geometry().contains(
        boite->geometry().translated(panneaux->Panneau()->pos())));

    Tape("TBox", 1, "1,5");
    Appuie("Command1", 0);
    QVERIFY(std::abs(o->CoefCalibrage - 0.3) < 1e-12);
    QCOMPARE(LitDecimal(Widget<QLineEdit>("TBox", 0)->text().toStdString()), o->CoefCalibrage);

    // Text that is no number, and a coefficient of 0: refused, the factor taken
    // when the box opened comes back.
    for (const char* faux : {"abc", "0"}) {
        plateforme->messages.clear();
        Tape("TBox", 1, faux);
        Appuie("Command1", 0);
        QCOMPARE(plateforme->messages.size(), size_t(1));
        QCOMPARE(o->CoefCalibrage, 0.2);
    }
    Tape("TBox", 1, "2");
    Appuie("Command1", 0);
    QVERIFY(std::abs(o->CoefCalibrage - 0.4) < 1e-12);
    Appuie("Command1", 1);
    QCOMPARE(o->CoefCalibrage, 0.2);

    Appuie("bout", 44);
    QVERIFY(!boite->isVisible());
    QCOMPARE(Widget<QAbstractButton>("bout", 44)->text(), QString("Correction calibrage"));
}

void CalibrageGuiTest::optionsEtGraduationsAvecObjectif() {
    QVERIFY(OuvreCheminImage(*o, Exemple("micrometre.png").toStdString()));
    Zoome(0); // the whole width: two image pixels a screen pixel
    Clique("MnuEDit", 4);

    // Resolution modes: the factor of the pixel units follows the option.
    Appuie("Optn", 2);
    QVERIFY(Widget<QRadioButton>("Optn", 2)->isChecked());
    QVERIFY(!Widget<QRadioButton>("Optn", 1)->isChecked());
    QCOMPARE(o->FacteurResolution, 1.0);
    Appuie("Optn", 1);
    QVERIFY(!Widget<QRadioButton>("Optn", 2)->isChecked());
    QCOMPARE(o->FacteurResolution, 1.6); // 1600 pixels wide

    // Pointing options: the objective field only with the graduations.
    Appuie("Optn", 3);
    QVERIFY(!Widget<QWidget>("TBox", 2)->isEnabled());
    QVERIFY(Widget<QWidget>("bout", 27)->isEnabled());
    Appuie("Optn", 4);
    QVERIFY(Widget<QRadioButton>("Optn", 4)->isChecked());
    QVERIFY(!Widget<QRadioButton>("Optn", 3)->isChecked());
    QVERIFY(Widget<QWidget>("TBox", 2)->isEnabled());
    QVERIFY(!Widget<QWidget>("bout", 27)->isEnabled());
    Tape("TBox", 2, "40");

    // Command 2 hides the panel; ten divisions are pointed, then counted.
    Appuie("bout", 23);
    QVERIFY(!panneaux->Panneau()->isVisible());
    QVERIFY(zone->hasFocus());
    Glisse(Ecran(150, 600), Ecran(1150, 600));
    QVERIFY(panneaux->Dialogue()->isVisible());
    QCOMPARE(Widget<QLabel>("label", 8)->text(),
             QString("entrer le nombre de division pour l'objectif x 40"));
    const int unites = o->mesure.LongueurPixels;
    QCOMPARE(unites, 12000); // 1000 of 1600 pixels, 19200 units across
    Tape("TBox", 5, "10");
    QTest::keyClick(Widget<QLineEdit>("TBox", 5), Qt::Key_Return);
    QVERIFY(!panneaux->Dialogue()->isVisible());
    // One ocular division is 100 / 40 micrometres.
    QVERIFY(std::abs(o->CoefCalibrage - 10 * 2.5 / unites) < 1e-12);
    QCOMPARE(o->GrilleRef.Texte(1, 1), std::string());
}

void CalibrageGuiTest::panneauDuGroupe() {
    const std::string micro = Exemple("micrometre.png").toStdString();
    const std::string spores = Exemple("spores.png").toStdString();
    QVERIFY(OuvreCheminImage(*o, micro));
    QVERIFY(OuvreCheminImage(*o, spores));
    Clique("Mntool", 3);
    QGroupBox* groupe = panneaux->Groupe();
    QVERIFY(groupe->isVisible());
    QCOMPARE(groupe->title(), QString("Groupage Multicouche"));
    QVERIFY(zone->rect().contains(groupe->geometry()));

    // Both loader images selected: ">" twice adds each once.
    SelectionneChargeur(*o, 1, {0, 1});
    Appuie("BoutMC", 0);
    Appuie("BoutMC", 0);
    QListWidget* liste = panneaux->ListeGroupe();
    QCOMPARE(liste->count(), 2);
    // A row chosen, then "<" takes it out.
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {},
                      liste->visualItemRect(liste->item(0)).center());
    QCOMPARE(o->groupe.selection, 0);
    Appuie("BoutMC", 1);
    QCOMPARE(liste->count(), 1);
    QCOMPARE(liste->item(0)->text().toStdString(), spores);
    // ">>": the loader in its order.
    Appuie("BoutMC", 2);
    QCOMPARE(liste->count(), 2);
    QCOMPARE(liste->item(0)->text().toStdString(), micro);
    QCOMPARE(liste->item(1)->text().toStdString(), spores);

    // A double click shows that image with its own factor.
    o->CalibrageImage[1] = 0.3;
    // (QTest's double click is the second press only: the first comes before.)
    const QPoint premiere = liste->visualItemRect(liste->item(0)).center();
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, premiere);
    QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, premiere);
    QCOMPARE(o->cheminImage, micro);
    QCOMPARE(o->IndexImage, 1);
    QCOMPARE(o->CoefCalibrage, 0.3);

    // "mode MC": group mode on, "Img MC" offered, the panel closed.
    QVERIFY(!Widget<QWidget>("chkMC", 1)->isEnabled());
    Appuie("chkMC", 0);
    QVERIFY(o->ModeGroupe);
    QVERIFY(Widget<QCheckBox>("chkMC", 0)->isChecked());
    QVERIFY(Widget<QWidget>("chkMC", 1)->isEnabled());
    QVERIFY(!groupe->isVisible());

    // "caliibr => groupe MC" gives the shown image's factor to the group.
    Clique("Mntool", 6);
    QCOMPARE(plateforme->questions.size(), size_t(1));
    QCOMPARE(o->CalibrageImage[2], 0.3);

    // The panel's own toggle and "OK" close it; "<<" empties the group.
    Clique("Mntool", 3);
    QVERIFY(groupe->isVisible());
    Appuie("BoutMC", 3);
    QCOMPARE(liste->count(), 0);
    Appuie("cmdChargeMC");
    QVERIFY(!groupe->isVisible());
    Clique("Mntool", 3);
    Appuie("BoutMC", 4);
    QVERIFY(!groupe->isVisible());
}

void CalibrageGuiTest::micrometrePuisSporeDeBoutEnBout() {
    // The micrometer: ten divisions of 0.01 mm from x = 150 to x = 1150.
    QVERIFY(OuvreCheminImage(*o, Exemple("micrometre.png").toStdString()));
    Zoome(0);

    Appuie("bout", 10); // "Etalonner"
    QVERIFY(CalibrageEnAttente(*o));
    QVERIFY(o->controles("bout", 10).couleur.has_value());
    Glisse(Ecran(150, 600), Ecran(1150, 600));

    // The dialogue asks for the length, its field ready for typing.
    QGroupBox* dialogue = panneaux->Dialogue();
    QVERIFY(dialogue->isVisible());
    QVERIFY(zone->rect().contains(dialogue->geometry()));
    QCOMPARE(Widget<QLabel>("label", 8)->text(), QString("entrer la longueur"));
    auto* saisie = Widget<QLineEdit>("TBox", 5);
    QVERIFY(saisie->hasFocus());
    QVERIFY(o->controles("TBox", 5).couleur.has_value());
    QTest::keyClicks(saisie, "100"); // its text was selected: typing replaces it
    QCOMPARE(saisie->text(), QString("100"));

    // Shots for the look: the dialogue, alone and over the picture.
    QTRY_VERIFY_WITH_TIMEOUT(derniere == ZoneImage::Qualite::Complete, 20000);
    QVERIFY(dialogue->grab().save("/tmp/orvelle-shots/calibrage-dialogue.png"));
    QVERIFY(fenetre->grab().save("/tmp/orvelle-shots/calibrage-dialogue-vue.png"));

    Appuie("bout", 31);
    QVERIFY(!dialogue->isVisible());
    QVERIFY(!CalibrageEnAttente(*o));
    QVERIFY(!o->controles("bout", 10).couleur.has_value());
    QCOMPARE(o->GrilleRef.Texte(1, 1), std::string()); // the calibration line went
    const double facteur = o->CoefCalibrage;
    QVERIFY(facteur > 0);

    // The spores, twice as enlarged: one picture pixel a screen pixel.
    QVERIFY(OuvreCheminImage(*o, Exemple("spores.png").toStdString()));
    QCOMPARE(o->CoefCalibrage, facteur); // the new image takes the current factor
    Zoome(-4);
    // Spore 1: 10 x 5 micrometres, long axis horizontal, centred on (230, 220).
    Glisse(Ecran(180, 220), Ecran(280, 220));
    Glisse(Ecran(230, 195), Ecran(230, 245));
    QVERIFY2(std::abs(Cellule(1, 1) - 10.0) <= facteur, o->GrilleRef.Texte(1, 1).c_str());
    QVERIFY2(std::abs(Cellule(1, 2) - 5.0) <= facteur, o->GrilleRef.Texte(1, 2).c_str());
    // The scale bar of the spore picture, 10 micrometres over 100 pixels, at
    // the whole width.
    Zoome(0);
    Glisse(Ecran(1400, 1132), Ecran(1500, 1132));
    QVERIFY2(std::abs(Cellule(2, 1) - 10.0) <= facteur, o->GrilleRef.Texte(2, 1).c_str());
}

QTEST_MAIN(CalibrageGuiTest)
#include "CalibrageGuiTest.moc"
