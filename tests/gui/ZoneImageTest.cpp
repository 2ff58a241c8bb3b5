// The image box shows what the view says it shows: generated pictures of
// coloured blocks, saved to files, opened through the box; a block's colour
// must be where the view's geometry puts it, after zooming and panning too.
// Also: JPEG through the fast decoder (channel order, preview), 16-bit grey
// TIFF and PNG, a damaged and an unreadable file, the marks of a measure
// under way, the magnifier and the thumbnail; photographs with an
// orientation tag shown, copied and sampled upright (by orvelle-cli too),
// and the colour samples of the picture shown taken from what the box decoded.
#include "gui/ZoneImage.h"
#include "app/CommandesImages.h"
#include "app/Orvelle.h"
#include "colour/Echantillon.h"
#include "gui/DessinVue.h"
#include "gui/Loupe.h"
#include "gui/PlateformeQt.h"
#include "gui/Vignette.h"
#include "images/CommandesVue.h"
#include "images/EnteteImage.h"
#include "interface/TableControles.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QProcess>
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

// A JPEG's bytes with an EXIF block whose one tag is the orientation, as
// cameras and phones write it.
QByteArray AvecOrientation(const QByteArray& jpeg, int orientation) {
    QByteArray exif("\xFF\xE1\x00\x22"
                    "Exif\0\0MM\0\x2A\0\0\0\x08\0\x01"
                    "\x01\x12\0\x03\0\0\0\x01\0\x00\0\0\0\0\0\0",
                    36);
    exif[29] = static_cast<char>(orientation);
    QByteArray r = jpeg;
    r.insert(2, exif);
    return r;
}

// What orvelle-cli prints for `arguments`, its exit code first.
QStringList Cli(const QStringList& arguments) {
    QProcess p;
    p.start(ORVELLE_CLI, QStringList{"--decimal-separator", "."} + arguments);
    p.waitForFinished(60000);
    return QStringList{QString::number(p.exitCode())} +
           QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError())
               .simplified()
               .split(' ', Qt::SkipEmptyParts);
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
    void PanCommeUnDessinComplet();
    void VueGardeeAuRapportDeLEcran();
    void PhotographiesDebout_data();
    void PhotographiesDebout();
    void EchantillonDeLImageAffichee();
    void CliGrandesImages();

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

// Dragged by whole pixels, the box moves the view it drew and draws only the
// strips uncovered (DessinVueTest): what it shows is the view drawn whole,
// whether the window's buffer alone holds the view or a mark under way has
// it kept whole; the magnifier shows the view's own pixels.
void ZoneImageTest::PanCommeUnDessinComplet() {
    const QSize taille(1200, 800);
    Ouvre(Ecrit(Blocs(taille.width(), taille.height()), "blocs.png"));
    ClicZoom(*o, Controle::ZoomPlus);
    o->images.vue.FixeOrigine(static_cast<std::int32_t>(300 * UnitesImageParPixel),
                              static_cast<std::int32_t>(200 * UnitesImageParPixel));
    ++o->images.versionVue;
    // A mark that the strip uncovered by the pan brings into view.
    o->mesure.marques.AjouteFixe({GenreMarque::Croix,
                                  o->images.vue.VersImage({-22 * TwipsParPixelEcran, 3000}),
                                  {},
                                  12,
                                  {}});
    auto grille = [&] {
        const auto plan = Plan(o->images.vue, taille, QSizeF(zone->size()), 1.0);
        return GrillePour(*plan, zone->SourcePour(plan->echelle));
    };
    const std::vector<Marque> bande{{GenreMarque::Ligne,
                                     o->images.vue.VersImage({9000, 900}),
                                     o->images.vue.VersImage({9300, 1200}),
                                     12,
                                     {}}};
    for (const bool enCours : {false, true}) {
        o->mesure.marques.FixeProvisoires(enCours ? bande : std::vector<Marque>{});
        zone->Actualise();
        (void)Ecran();
        const auto avant = grille();
        DeplaceImage(o->ui, o->images, 37 * TwipsParPixelEcran, -23 * TwipsParPixelEcran);
        zone->Actualise();
        QVERIFY(DecalageEntier(avant, grille())); // the view is moved, not drawn again
        const QImage deplacee = Ecran();
        // The magnifier's piece, around the mark, is that of the view.
        const QRect autour(10, 180, 64, 40);
        QCOMPARE(zone->VueAutour(autour), deplacee.copy(autour));
        ++o->mesure.marques.version; // drawn again whole
        zone->Actualise();
        QCOMPARE(deplacee, Ecran());
        VerifieBlocs(deplacee, taille, 2);
    }
}

// Run again at a fractional screen ratio (see tests/CMakeLists.txt): the view
// kept whole while a mark is under way is shown at the screen's ratio, from
// the first paint that makes it.
void ZoneImageTest::VueGardeeAuRapportDeLEcran() {
    Ouvre(Ecrit(Blocs(1200, 800), "blocs.png"));
    ClicZoom(*o, Controle::ZoomPlus);
    zone->Actualise();
    const QImage direct = Ecran();
    // A mark under way near the corner, and every mark drawn again.
    o->mesure.marques.FixeProvisoires({{GenreMarque::Ligne,
                                        o->images.vue.VersImage({300, 300}),
                                        o->images.vue.VersImage({600, 600}),
                                        12,
                                        {}}});
    ++o->mesure.marques.version;
    zone->Actualise();
    const QImage gardee = Ecran();
    QCOMPARE(gardee.size(), direct.size());
    const QRect loin(direct.width() / 4, direct.height() / 4, direct.width() * 3 / 4,
                     direct.height() * 3 / 4);
    QCOMPARE(gardee.copy(loin), direct.copy(loin));
}

void ZoneImageTest::PhotographiesDebout_data() {
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QSize>("taille");
    QTest::addColumn<QByteArray>("format");
    for (int n = 1; n <= 8; ++n)
        QTest::addRow("jpeg %d", n) << n << QSize(64, 40) << QByteArray("jpeg");
    // Large enough for a preview, decoded turned too.
    QTest::addRow("jpeg 6, preview") << 6 << QSize(2400, 1800) << QByteArray("jpeg");
    // Through Qt's reader.
    QTest::addRow("tiff 8") << 8 << QSize(64, 40) << QByteArray("tiff");
}

// A photograph stands upright, as every viewer shows it, wherever its pixels
// are used: the box, the copies, the colour samples, orvelle-cli.
void ZoneImageTest::PhotographiesDebout() {
    QFETCH(int, orientation);
    QFETCH(QSize, taille);
    QFETCH(QByteArray, format);
    const QString chemin = dossier.filePath("photo." + QString::fromLatin1(format));
    if (format == "jpeg") {
        QByteArray jpeg;
        QBuffer tampon(&jpeg);
        QVERIFY(Blocs(taille.width(), taille.height()).save(&tampon, "JPG", 95));
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(AvecOrientation(jpeg, orientation));
    } else {
        QImageWriter w(chemin, format);
        QVERIFY(w.supportsOption(QImageIOHandler::ImageTransformation));
        w.setTransformation(static_cast<QImageIOHandler::Transformations>(
            QImageIOHandler::TransformationRotate270));
        QVERIFY(w.write(Blocs(taille.width(), taille.height())));
    }
    // What Qt's reader shows with the tag applied is the upright picture.
    QImageReader lecteur(chemin);
    lecteur.setAutoTransform(true);
    const QImage debout = lecteur.read().convertToFormat(QImage::Format_RGB32);
    QVERIFY(!debout.isNull());
    const std::string c = chemin.toStdString();
    QCOMPARE(plateforme->LitOrientationImage(c), orientation);
    const auto lue = plateforme->LitTailleImage(c);
    QVERIFY(lue);
    QCOMPARE(QSize(lue->largeur, lue->hauteur), debout.size());

    ClicZoom(*o, Controle::ZoomMoins);
    ClicZoom(*o, Controle::ZoomMoins); // the whole width: the preview is worth it
    Ouvre(chemin);
    const auto vue = zone->ImageDecodee(c);
    QVERIFY(vue);
    QCOMPARE(vue->Niveau(0).convertToFormat(QImage::Format_RGB32), debout);
    const auto copie = plateforme->LitPixelsImage(c);
    QVERIFY(copie);
    QCOMPARE(QImage(reinterpret_cast<const uchar*>(copie->pixels.data()), copie->largeur,
                    copie->hauteur, QImage::Format_RGB32),
             debout);
    // A zone across the upright picture's top right corner.
    const ZonePixels z{debout.width() - 3, 0, 5, 2};
    const auto e = plateforme->LitZoneImage(c, z);
    QVERIFY(e);
    QCOMPARE(e->zone, (ZonePixels{debout.width() - 3, 0, 3, 2}));
    std::vector<std::uint16_t> attendus;
    for (int y = 0; y < 2; ++y)
        for (int x = debout.width() - 3; x < debout.width(); ++x)
            for (int v :
                 {qRed(debout.pixel(x, y)), qGreen(debout.pixel(x, y)), qBlue(debout.pixel(x, y))})
                attendus.push_back(static_cast<std::uint16_t>(v * 257));
    QCOMPARE(e->rvb, attendus);
    // orvelle-cli samples the same pixels: the 2 x 2 zone of pixel (x, y) is
    // the square whose top left pixel it is, here the top right corner.
    const int x = debout.width() - 2, y = 0;
    const QStringList sortie = Cli({"--home", dossier.path(), "colour", chemin, QString::number(x),
                                    QString::number(y), "--side", "2"});
    QCOMPARE(sortie.value(0), QString("0"));
    EchantillonsImage coin{{x, y, 2, 2}, {}};
    for (int v = y; v <= y + 1; ++v)
        for (int u = x; u <= x + 1; ++u)
            for (int canal :
                 {qRed(debout.pixel(u, v)), qGreen(debout.pixel(u, v)), qBlue(debout.pixel(u, v))})
                coin.rvb.push_back(static_cast<std::uint16_t>(canal * 257));
    QStringList cellules;
    for (const auto& t : CellulesEchantillon(*Echantillonne(coin, 2), '.'))
        cellules << QString::fromStdString(t);
    QCOMPARE(sortie.mid(1), cellules);
}

// A colour click on the picture shown reuses the pixels the box decoded: the
// picture is never decoded a second time (even its file gone meanwhile).
void ZoneImageTest::EchantillonDeLImageAffichee() {
    plateforme->FixeImageAffichee(
        [this](const std::string& chemin) { return zone->ImageDecodee(chemin); });
    const QString chemin = Ecrit(Blocs(800, 600), "blocs.jpg", "jpeg", 95);
    Ouvre(chemin);
    const QImage montree = zone->ImageDecodee(chemin.toStdString())->Niveau(0);
    QVERIFY(QFile::remove(chemin));
    const auto e = plateforme->LitZoneImage(chemin.toStdString(), {100, 100, 1, 1});
    QVERIFY(e);
    const QRgb p = montree.pixel(100, 100);
    QCOMPARE(e->rvb, (std::vector<std::uint16_t>{static_cast<std::uint16_t>(qRed(p) * 257),
                                                 static_cast<std::uint16_t>(qGreen(p) * 257),
                                                 static_cast<std::uint16_t>(qBlue(p) * 257)}));
}

// orvelle-cli reads pictures with the window's decoder and budget: a
// photograph of 36 megapixels (beyond what Qt's reader allows by itself) is
// sampled, and one beyond the settings' budget is refused as the window refuses it.
void ZoneImageTest::CliGrandesImages() {
    QImage grande(6000, 6000, QImage::Format_RGB32);
    grande.fill(qRgb(10, 200, 30));
    const QString chemin = Ecrit(grande, "grande.jpg", "jpeg", 95);
    grande = QImage();
    QVERIFY(!chemin.isEmpty());
    const QStringList lue =
        Cli({"--home", dossier.path(), "colour", chemin, "3000", "3000", "--side", "2"});
    QCOMPARE(lue.value(0), QString("0"));
    QVERIFY2(Proche(qRgb(lue.value(1).toInt(), lue.value(2).toInt(), lue.value(3).toInt()),
                    qRgb(10, 200, 30), 2),
             qPrintable(lue.join(' ')));
    QFile parametres(dossier.filePath("Zelk.dat"));
    QVERIFY(parametres.open(QIODevice::WriteOnly));
    parametres.write("MEMOIREIMAGE=100\r\n");
    parametres.close();
    const QStringList refus = Cli({"--home", dossier.path(), "colour", chemin, "3000", "3000"});
    QCOMPARE(refus.value(0), QString("2"));
    QVERIFY2(refus.join(' ').contains(QString::fromStdString(*RefusBudgetImage(6000, 6000, 100))),
             qPrintable(refus.join(' ')));
}

QTEST_MAIN(ZoneImageTest)
#include "ZoneImageTest.moc"
