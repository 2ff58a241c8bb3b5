// The image box shows what the view says it shows: generated pictures of
// coloured blocks, saved to files, opened through the box; a block's colour
// must be where the view's geometry puts it, after zooming and panning too.
// Also: JPEG through the fast decoder (channel order, preview), 16-bit grey
// TIFF and PNG, a damaged and an unreadable file, the marks of a measure
// under way, the magnifier and the thumbnail.
#include "gui/ZoneImage.h"
#include "app/CommandesImages.h"
#include "app/Orvelle.h"
#include "gui/DessinVue.h"
#include "gui/Loupe.h"
#include "gui/PlateformeQt.h"
#include "gui/Vignette.h"
#include "images/CommandesVue.h"
#include "interface/TableControles.h"

#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstring>
#include <memory>

using namespace orv;

namespace {

constexpr int Colonnes = 8, Rangees = 8;

QRgb CouleurBloc(int i, int j) {
    return qRgb((i * 67 + 30) % 256, (j * 97 + 60) % 256, ((i + j) * 53 + 90) % 256);
}

// A picture of 8 x 8 flat blocks, each of its own colour.
QImage Blocs(int largeur, int hauteur) {
    QImage im(largeur, hauteur, QImage::Format_RGB32);
    for (int y = 0; y < hauteur; ++y)
        for (int x = 0; x < largeur; ++x)
            im.setPixel(x, y, CouleurBloc(x * Colonnes / largeur, y * Rangees / hauteur));
    return im;
}

// The pixel under a point of the box given in its own (device-independent)
// pixels: grabs hold device pixels, twice as many on a high-density screen.
QRgb Lit(const QImage& im, QPointF p) {
    const double r = im.devicePixelRatio();
    return im.pixel(static_cast<int>(std::floor(p.x() * r)),
                    static_cast<int>(std::floor(p.y() * r)));
}

// A mark lands within a pixel of its exact place (its picture point is
// rounded to picture units).
bool RougeVers(const QImage& im, QPointF p) {
    const int r = static_cast<int>(std::ceil(im.devicePixelRatio()));
    const QPoint c(static_cast<int>(p.x() * im.devicePixelRatio()),
                   static_cast<int>(p.y() * im.devicePixelRatio()));
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (im.pixel(c + QPoint(dx, dy)) == qRgb(255, 0, 0)) return true;
    return false;
}

bool Proche(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

class ZoneImageTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void LeBlocEstOuLaVueLeDit();
    void JpegCanauxEtApercu();
    void ImagesGrises_data();
    void ImagesGrises();
    void FichierIllisibleOuTronque();
    void MarquesProvisoiresEffacees();
    void LoupeEtVignette();
    void DessinEnBandesSansCouture();

private:
    QString Ecrit(const QImage& im, const QString& nom, const QByteArray& format = {},
                  int qualite = -1);
    void Ouvre(const QString& chemin);
    // Each block centre that the view shows is drawn in the block's colour
    // where the view's geometry puts it.
    void VerifieBlocs(const QImage& vue, QSize taille, int tolerance) {
        VerifieBlocs(vue, taille, tolerance, o->images.vue);
    }
    static void VerifieBlocs(const QImage& vue, QSize taille, int tolerance, const Vue& v);
    QImage Ecran(); // what the box has painted, read back from the window

    QTemporaryDir dossier;
    std::unique_ptr<PlateformeQt> plateforme;
    std::unique_ptr<Orvelle> o;
    std::unique_ptr<QWidget> fenetre;
    ZoneImage* zone = nullptr;
    Vignette* vignette = nullptr;
    Loupe* loupe = nullptr;
    ZoneImage::Qualite derniere = ZoneImage::Qualite::Aucune;
    int echecs = 0;
};

void ZoneImageTest::init() {
    QVERIFY(dossier.isValid());
    plateforme = std::make_unique<PlateformeQt>();
    o = std::make_unique<Orvelle>(*plateforme, dossier.path().toStdString());
    fenetre = std::make_unique<QWidget>();
    zone = new ZoneImage(*o, fenetre.get());
    zone->setGeometry(0, 0, 640, 420); // large enough to be drawn in two bands
    vignette = new Vignette(*zone, fenetre.get());
    vignette->move(650, 0);
    loupe = new Loupe(*zone, fenetre.get());
    loupe->move(650, 200);
    fenetre->resize(860, 440);
    derniere = ZoneImage::Qualite::Aucune;
    echecs = 0;
    zone->surVueDessinee = [this](ZoneImage::Qualite q) { derniere = q; };
    zone->surEchecDecodage = [this](const std::string&, const std::string&) { ++echecs; };
    fenetre->show();
    QVERIFY(QTest::qWaitForWindowExposed(fenetre.get()));
    VueInitiale(*o);
    zone->Actualise();
}

void ZoneImageTest::cleanup() {
    fenetre.reset();
    o.reset();
    plateforme.reset();
}

QString ZoneImageTest::Ecrit(const QImage& im, const QString& nom, const QByteArray& format,
                             int qualite) {
    const QString chemin = dossier.filePath(nom);
    QImageWriter w(chemin, format);
    if (qualite >= 0) w.setQuality(qualite);
    if (!w.write(im)) return {};
    return chemin;
}

void ZoneImageTest::Ouvre(const QString& chemin) {
    const auto taille = o->plateforme.LitTailleImage(chemin.toStdString());
    QVERIFY(taille.has_value());
    derniere = ZoneImage::Qualite::Aucune;
    AfficheNouvelleImage(*o, chemin.toStdString(), *taille);
    zone->Actualise();
    QTRY_VERIFY_WITH_TIMEOUT(derniere == ZoneImage::Qualite::Complete, 20000);
}

QImage ZoneImageTest::Ecran() {
    QTest::qWait(30); // the window paints at its next update tick
    QScreen* ecran = fenetre->screen();
    const QPoint coin = zone->mapTo(fenetre.get(), QPoint(0, 0));
    return ecran->grabWindow(fenetre->winId(), coin.x(), coin.y(), zone->width(), zone->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

void ZoneImageTest::VerifieBlocs(const QImage& vue, QSize taille, int tolerance, const Vue& v) {
    int vus = 0;
    for (int i = 0; i < Colonnes; ++i)
        for (int j = 0; j < Rangees; ++j) {
            const double px = (i + 0.5) * taille.width() / Colonnes;
            const double py = (j + 0.5) * taille.height() / Rangees;
            const double x = v.VersBoiteX(px * UnitesImageParPixel) / TwipsParPixelEcran;
            const double y = v.VersBoiteY(py * UnitesImageParPixel) / TwipsParPixelEcran;
            const QPointF p(x, y);
            if (!QRectF(QPointF(0, 0), vue.deviceIndependentSize()).contains(p)) continue;
            ++vus;
            const QRgb lu = Lit(vue, p), attendu = CouleurBloc(i, j);
            QVERIFY2(Proche(lu, attendu, tolerance),
                     qPrintable(QString("block %1,%2 at %3,%4: %5 instead of %6")
                                    .arg(i)
                                    .arg(j)
                                    .arg(p.x())
                                    .arg(p.y())
                                    .arg(lu, 6, 16)
                                    .arg(attendu, 6, 16)));
        }
    QVERIFY2(vus >= 4, "too few blocks in view for the check to mean anything");
}

void ZoneImageTest::LeBlocEstOuLaVueLeDit() {
    const QSize taille(1200, 800);
    const QString chemin = Ecrit(Blocs(taille.width(), taille.height()), "blocs.png");
    QVERIFY(!chemin.isEmpty());
    Ouvre(chemin);
    QCOMPARE(zone->TailleImage(), taille);
    VerifieBlocs(zone->grab().toImage(), taille, 2);

    // Zoomed in about a point and dragged, the screen follows the view.
    QVERIFY(ZoomCentre(o->ui, o->images, 1, {4000, 3000}));
    DeplaceImage(o->ui, o->images, -2500, 1200);
    zone->Actualise();
    VerifieBlocs(Ecran(), taille, 2);

    // Zoomed out past the whole width: the box beyond the picture is empty.
    ClicZoom(*o, Controle::Zoom1);
    ZoomCentre(o->ui, o->images, 2, {0, 0});
    ZoomCentre(o->ui, o->images, 2, {0, 0});
    ZoomCentre(o->ui, o->images, 2, {0, 0});
    o->images.vue.FixeOrigine(0, 0);
    ++o->images.versionVue;
    zone->Actualise();
    const QImage vue = Ecran();
    VerifieBlocs(vue, taille, 2);
    const double droite = o->images.vue.VersBoiteX(taille.width() * UnitesImageParPixel) / 15;
    const double largeur = vue.deviceIndependentSize().width();
    QVERIFY(droite < largeur - 10);
    QCOMPARE(Lit(vue, {largeur - 3, 5}), qRgb(0x3a, 0x3a, 0x3a));
}

void ZoneImageTest::JpegCanauxEtApercu() {
    // Large enough for a preview to be decoded beside the full picture when
    // the view shows most of the picture's height.
    const QSize taille(2400, 1800);
    const QString chemin = Ecrit(Blocs(taille.width(), taille.height()), "blocs.jpg", "jpeg", 95);
    QVERIFY(!chemin.isEmpty());
    ClicZoom(*o, Controle::ZoomMoins);
    ClicZoom(*o, Controle::ZoomMoins); // the whole width: the view reaches far down
    Ouvre(chemin);
    VerifieBlocs(Ecran(), taille, 8);
    // Opened again at the starting zoom: the top of the picture comes first.
    ClicZoom(*o, Controle::Zoom1);
    Ouvre(chemin);
    VerifieBlocs(Ecran(), taille, 8);
}

void ZoneImageTest::ImagesGrises_data() {
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QImage::Format>("profondeur");
    QTest::newRow("tiff 16") << QByteArray("tiff") << QImage::Format_Grayscale16;
    QTest::newRow("png 16") << QByteArray("png") << QImage::Format_Grayscale16;
    QTest::newRow("jpeg 8") << QByteArray("jpeg") << QImage::Format_Grayscale8;
}

void ZoneImageTest::ImagesGrises() {
    QFETCH(QByteArray, format);
    QFETCH(QImage::Format, profondeur);
    QImage gris(640, 480, QImage::Format_Grayscale16);
    for (int y = 0; y < gris.height(); ++y) {
        auto* l = reinterpret_cast<quint16*>(gris.scanLine(y));
        for (int x = 0; x < gris.width(); ++x)
            l[x] = static_cast<quint16>(x < 320 ? 0x2020 : 0xC0C0);
    }
    const QString chemin =
        Ecrit(gris.convertToFormat(profondeur), "gris." + QString::fromLatin1(format), format);
    QVERIFY(!chemin.isEmpty());
    QCOMPARE(QImageReader(chemin).imageFormat(), profondeur);
    Ouvre(chemin);
    QCOMPARE(zone->TailleImage(), QSize(640, 480));
    const QImage vue = Ecran();
    auto point = [&](double px, double py) {
        return QPointF(o->images.vue.VersBoiteX(px * UnitesImageParPixel) / 15,
                       static_cast<int>(o->images.vue.VersBoiteY(py * UnitesImageParPixel) / 15));
    };
    QVERIFY(Proche(Lit(vue, point(100, 100)), qRgb(0x20, 0x20, 0x20), 2));
    QVERIFY(Proche(Lit(vue, point(420, 100)), qRgb(0xC0, 0xC0, 0xC0), 2));
}

void ZoneImageTest::FichierIllisibleOuTronque() {
    // Not a picture at all, though its name says JPEG.
    const QString faux = dossier.filePath("faux.jpg");
    {
        QFile f(faux);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\xFF\xD8\xFF\xE0 not really a JPEG file"));
    }
    AfficheNouvelleImage(*o, faux.toStdString(), {1000, 800});
    zone->Actualise();
    QTRY_COMPARE_WITH_TIMEOUT(echecs, 1, 10000);
    QVERIFY(zone->TailleImage().isEmpty());
    QVERIFY(!zone->grab().isNull()); // still paints

    // Half of a real JPEG: the top shows, the rest is filled, nothing breaks.
    const QSize taille(1600, 1200);
    const QString entier = Ecrit(Blocs(taille.width(), taille.height()), "entier.jpg", "jpeg", 90);
    QFile f(entier);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray moitie = f.readAll().left(static_cast<int>(f.size() / 2));
    const QString tronque = dossier.filePath("tronque.jpg");
    QFile t(tronque);
    QVERIFY(t.open(QIODevice::WriteOnly));
    t.write(moitie);
    t.close();
    Ouvre(tronque);
    QCOMPARE(zone->TailleImage(), taille);
    QCOMPARE(echecs, 1);
    // The first block row decoded before the cut is where it belongs.
    const QImage vue = Ecran();
    const double x = o->images.vue.VersBoiteX(100 * UnitesImageParPixel) / 15;
    const double y = o->images.vue.VersBoiteY(75 * UnitesImageParPixel) / 15;
    QVERIFY(Proche(Lit(vue, {x, y}), CouleurBloc(0, 0), 10));
}

void ZoneImageTest::MarquesProvisoiresEffacees() {
    const QSize taille(1200, 800);
    Ouvre(Ecrit(Blocs(taille.width(), taille.height()), "blocs.png"));
    // A rubber band across the box, in mark colour 12 (red).
    const PointImage a = o->images.vue.VersImage({1500, 3000}),
                     b = o->images.vue.VersImage({7500, 3000});
    o->mesure.marques.FixeProvisoires({{GenreMarque::Ligne, a, b, 12, {}}});
    zone->Actualise();
    QImage vue = Ecran();
    QVERIFY(RougeVers(vue, {300, 200}));
    // The next move draws it elsewhere: the old place shows the picture again.
    const PointImage c = o->images.vue.VersImage({1500, 4500}),
                     d = o->images.vue.VersImage({7500, 4500});
    o->mesure.marques.FixeProvisoires({{GenreMarque::Ligne, c, d, 12, {}}});
    zone->Actualise();
    vue = Ecran();
    QVERIFY(RougeVers(vue, {300, 300}));
    QVERIFY(!RougeVers(vue, {300, 200}));
    VerifieBlocs(vue, taille, 2);

    // Committed marks follow the zoom: a cross on a block centre stays on it.
    const PointImage centre{static_cast<int>(std::lround(450 * UnitesImageParPixel)),
                            static_cast<int>(std::lround(250 * UnitesImageParPixel))};
    o->mesure.marques.FixeProvisoires({});
    o->mesure.marques.AjouteFixe({GenreMarque::Croix, centre, {}, 12, {}});
    o->images.vue.FixeExposant(-5);
    ++o->images.versionVue;
    zone->Actualise();
    vue = Ecran();
    const QPointF p(o->images.vue.VersBoiteX(centre.x) / 15,
                    o->images.vue.VersBoiteY(centre.y) / 15);
    QVERIFY(RougeVers(vue, p + QPointF(4, 0)));
    QVERIFY(RougeVers(vue, p + QPointF(0, -4)));
    QVERIFY(!RougeVers(vue, p + QPointF(4, 4))); // a cross, not a square
}

void ZoneImageTest::LoupeEtVignette() {
    const QSize taille(1200, 800);
    Ouvre(Ecrit(Blocs(taille.width(), taille.height()), "blocs.png"));
    loupe->show();
    // The pointer on the centre of block (2, 3).
    const double px = 2.5 * 150, py = 3.5 * 100;
    const QPoint pointeur(
        static_cast<int>(o->images.vue.VersBoiteX(px * UnitesImageParPixel) / 15),
        static_cast<int>(o->images.vue.VersBoiteY(py * UnitesImageParPixel) / 15));
    QTest::mouseMove(zone, pointeur);
    QTRY_COMPARE(zone->DernierPointeur().x, pointeur.x() * 15);
    const QImage l = loupe->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(loupe->size(), QSize(200, 200));
    // Near the centre, off the cross, the magnified block.
    QVERIFY(Proche(Lit(l, {80, 80}), CouleurBloc(2, 3), 2));
    QVERIFY(Proche(Lit(l, {120, 120}), CouleurBloc(2, 3), 2));
    // The cross: pen colour OR the inverse of the picture beneath.
    const QRgb dessous = CouleurBloc(2, 3), stylo = qRgb(255, 0, 0); // colour 12
    const QRgb attendu = (stylo | ~dessous) | 0xFF000000u;
    QVERIFY(Proche(Lit(l, {30, 100}), attendu, 2));

    // The thumbnail: the picture's proportions, and a press moves the view.
    QCOMPARE(vignette->width(), 167);
    QCOMPARE(vignette->height(), 111);
    ClicZoom(*o, Controle::ZoomPlus);
    QTest::mouseClick(vignette, Qt::LeftButton, {}, QPoint(83, 55));
    const double k = o->images.vue.LargeurImage() / LargeurVignette;
    QCOMPARE(o->images.vue.OrigineX(), static_cast<int>(std::lround(83 * 15 * k)));
    QCOMPARE(o->images.vue.OrigineY(), static_cast<int>(std::lround(55 * 15 * k)));
    VerifieBlocs(Ecran(), taille, 2);
}

// The view drawn in several bands at once is the view drawn in one, pixel for
// pixel, at a zoom that scales the picture by an awkward factor.
void ZoneImageTest::DessinEnBandesSansCouture() {
    const QImage blocs = Blocs(1000, 700);
    PyramideImage p(blocs.width(), blocs.height());
    for (int y = 0; y < blocs.height(); ++y)
        std::memcpy(p.Ligne(y), blocs.constScanLine(y), std::size_t(blocs.width()) * 4);
    p.AvanceNiveaux(blocs.height());
    QVERIFY(p.Complete());
    Vue v;
    v.FixeImage(blocs.width(), blocs.height());
    v.FixeBoite(700 * 15, 437 * 15);
    v.VueInitiale();
    v.FixeExposant(-3);
    v.FixeOrigine(1234, 567);
    const auto plan = Plan(v, blocs.size(), QSizeF(700, 437), 1.0);
    QVERIFY(plan.has_value());
    const int niveau = p.NiveauPour(plan->echelle);
    SourceImage s{&p.Niveau(niveau), std::ldexp(1.0, niveau), std::ldexp(1.0, niveau),
                  p.Niveau(niveau).height()};
    QImage une(700, 437, QImage::Format_RGB32), trois(700, 437, QImage::Format_RGB32);
    DessineVue(une, plan, {s}, Qt::black, 1);
    DessineVue(trois, plan, {s}, Qt::black, 3);
    QCOMPARE(trois, une);
    VerifieBlocs(une, blocs.size(), 2, v); // and the picture is where it belongs
}

QTEST_MAIN(ZoneImageTest)
#include "ZoneImageTest.moc"
