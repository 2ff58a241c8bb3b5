// The loader on Qt: pictures written through the platform read back, and the
// loader's widgets follow the core and hand it their events.
#include "app/CommandesImages.h"
#include "app/Orvelle.h"
#include "gui/PanneauChargeur.h"
#include "gui/PlateformeQt.h"
#include "images/Chargeur.h"
#include "images/CopieReferencee.h"
#include "images/DIBSection.h"
#include "interface/TableControles.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace orv;

namespace {

PixelsImage Damier() {
    return PixelsImage{
        3, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF123456, 0xFFFFFFFF, 0xFF000000}};
}

} // namespace

class ChargeurGuiTest : public QObject {
    Q_OBJECT
private slots:
    void picturesWrittenThroughThePlatformReadBack() {
        QTemporaryDir dossier;
        PlateformeQt p;
        aDIBSection dib;
        QVERIFY(dib.CreateFromPicture(Damier()));
        // A link planted at the copy's name is replaced, never followed.
        const std::string victime = dossier.filePath("victime.txt").toStdString();
        QFile v(QString::fromStdString(victime));
        QVERIFY(v.open(QIODevice::WriteOnly) && v.write("intact") == 6);
        v.close();
        const std::string lien = dossier.filePath("lien_Ref.JPG").toStdString();
        QVERIFY(::symlink(victime.c_str(), lien.c_str()) == 0);
        QVERIFY(EcritCopiePixels(p, Damier(), lien, 1));
        QVERIFY(v.open(QIODevice::ReadOnly));
        QCOMPARE(v.readAll(), QByteArray("intact"));
        QVERIFY(QFileInfo(QString::fromStdString(lien)).isFile() &&
                !QFileInfo(QString::fromStdString(lien)).isSymLink());
        // A name that is not UTF-8 reads and is listed as the file it is; a
        // FIFO named as a picture is no picture, at once.
        const std::string latin1 = dossier.path().toStdString() + "/caf\xE9.png";
        QVERIFY(EcritCopiePixels(p, Damier(), latin1, 3));
        QCOMPARE(p.LitPixelsImage(latin1)->pixels, Damier().pixels);
        QCOMPARE(p.LitTailleImage(latin1)->largeur, 3);
        const auto noms = p.ContenuDossier(dossier.path().toStdString(), false);
        QVERIFY(noms && std::count(noms->begin(), noms->end(), "caf\xE9.png") == 1);
        const std::string fifo = dossier.filePath("tube.png").toStdString();
        QVERIFY(::mkfifo(fifo.c_str(), 0600) == 0);
        QVERIFY(!p.LitPixelsImage(fifo) && !p.LitTailleImage(fifo));
        // Our own BMP is read by Qt as the same picture.
        const std::string bmp = dossier.filePath("copie.bmp").toStdString();
        QVERIFY(EcritBMP(dib, bmp));
        QCOMPARE(p.LitPixelsImage(bmp)->pixels, Damier().pixels);
        // Written straight from the pixels, as "Enregistre" writes the copy:
        // the same pictures; a JPEG of a photograph close to it.
        for (int format : {0, 3, 4}) {
            const std::string chemin =
                dossier.filePath("pixels").toStdString() + "_Ref." + ExtensionFormat(format);
            QVERIFY(EcritCopiePixels(p, Damier(), chemin, format));
            QCOMPARE(p.LitPixelsImage(chemin)->pixels, Damier().pixels);
        }
        PixelsImage photo{64, 48, {}};
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x)
                photo.pixels.push_back(qRgb(60 + 2 * x, 40 + 3 * y, 200 - x - y));
        const std::string jpegPixels = dossier.filePath("photo_Ref.JPG").toStdString();
        QVERIFY(EcritCopiePixels(p, photo, jpegPixels, 1));
        const auto relue = p.LitPixelsImage(jpegPixels);
        QVERIFY(relue && relue->largeur == 64 && relue->hauteur == 48);
        int ecart = 0;
        for (std::size_t i = 0; i < photo.pixels.size(); ++i)
            for (int decalage : {0, 8, 16})
                ecart = std::max(ecart, std::abs(int((photo.pixels[i] >> decalage) & 0xFF) -
                                                 int((relue->pixels[i] >> decalage) & 0xFF)));
        QVERIFY2(ecart <= 6, qPrintable(QString::number(ecart)));
        QVERIFY(!EcritCopiePixels(p, PixelsImage{3, 2, {1}}, jpegPixels, 1));
        // Nothing is written for a format without encoder, nor for an unknown file.
        QVERIFY(!p.EcritImage(dossier.filePath("x.gif").toStdString(), "GIF", 3, 2,
                              dib.BytesPerScanLine(), dib.DIBSectionBitsPtr()));
        QVERIFY(!p.LitPixelsImage(dossier.filePath("absent.png").toStdString()));
    }

    // The annotated copy's labels as tall as their size in pixels; a size under
    // half a pixel is one pixel, never the window's own size.
    void labelsOnACopyAreTheirSize() {
        PlateformeQt p;
        const auto hauteur = [&p](double taille) {
            PixelsImage image{200, 100, std::vector<std::uint32_t>(20000, 0xFF000000)};
            DessinImage d;
            d.genre = DessinImage::Genre::Texte;
            d.x0 = d.y0 = 10;
            d.texte = "HHHH";
            d.couleur = 0xFFFFFF;
            d.taillePixels = taille;
            if (!p.DessineImage(image, {d})) return -1;
            int haut = 100, bas = -1;
            for (int y = 0; y < 100; ++y)
                for (int x = 0; x < 200; ++x)
                    if (image.pixels[static_cast<std::size_t>(y) * 200 +
                                     static_cast<std::size_t>(x)] != 0xFF000000) {
                        haut = std::min(haut, y);
                        bas = std::max(bas, y);
                    }
            return bas - haut + 1;
        };
        const int grand = hauteur(40); // capitals: about 0.7 of the size
        QVERIFY2(grand >= 20 && grand <= 40, qPrintable(QString::number(grand)));
        const int minuscule = hauteur(0.3);
        QVERIFY2(minuscule <= 3, qPrintable(QString::number(minuscule)));
    }

    void clipboardPictureReachesTheCore() {
        PlateformeQt p;
        QApplication::clipboard()->setText("pas une image");
        QVERIFY(!p.ImagePressePapier());
        QImage im(2, 1, QImage::Format_RGB32);
        im.setPixel(0, 0, 0xFF102030);
        im.setPixel(1, 0, 0xFF405060);
        QApplication::clipboard()->setImage(im);
        const auto lu = p.ImagePressePapier();
        QVERIFY(lu);
        QCOMPARE(lu->pixels, (std::vector<std::uint32_t>{0xFF102030, 0xFF405060}));
    }

    void panelFollowsTheLoader() {
        QTemporaryDir dossier;
        PlateformeQt p;
        Orvelle o(p, dossier.path().toStdString());
        o.textes.RemplitMessages();
        Liaisons liaisons(o.controles);
        PanneauChargeur panneau(o, liaisons);
        panneau.show();
        aDIBSection dib;
        QVERIFY(dib.CreateFromPicture(Damier()));
        std::vector<std::string> chemins;
        for (const char* nom : {"un.bmp", "deux.bmp"}) {
            chemins.push_back(dossier.filePath(nom).toStdString());
            QVERIFY(EcritBMP(dib, chemins.back()));
            QVERIFY(AjouteChemin(o, chemins.back()));
        }
        panneau.Rafraichit(); // as the window does after each command
        QVERIFY(panneau.isVisible());
        QCOMPARE(panneau.ListeChemins()->count(), 2);
        QCOMPARE(panneau.ListeAffichee()->item(1)->text(), QString("deux.bmp"));
        QCOMPARE(panneau.ListeChemins()->currentRow(), 1);

        // A double click on the first path shows slot 1.
        auto* l = panneau.ListeChemins();
        const QPoint centre = l->visualItemRect(l->item(0)).center();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(o.images.IndexImage, 1);
        QCOMPARE(o.images.cheminImage, chemins[0]);

        // A key held shows the selected path.
        auto* etiquette = panneau.findChild<QLabel*>(NomObjet(Controle::CheminSelection));
        QTest::keyPress(l, Qt::Key_Down);
        QCOMPARE(o.images.chargeur.selection, 1);
        QVERIFY(etiquette->isVisible());
        QCOMPARE(etiquette->text().toStdString(), chemins[1]);
        QTest::keyRelease(l, Qt::Key_Down);
        QVERIFY(!etiquette->isVisible());

        // A click in the displayed list shows that image.
        auto* a = panneau.ListeAffichee();
        QTest::mouseClick(a->viewport(), Qt::LeftButton, {},
                          a->visualItemRect(a->item(1)).center());
        QCOMPARE(o.images.IndexImage, 2);
        QCOMPARE(
            panneau.findChild<QLineEdit*>(NomObjet(Controle::CheminImage))->text().toStdString(),
            chemins[1]);

        VideChargeur(o);
        panneau.Rafraichit();
        QCOMPARE(panneau.ListeChemins()->count(), 0);
        QCOMPARE(panneau.ListeAffichee()->count(), 0);
    }
};

QTEST_MAIN(ChargeurGuiTest)
#include "ChargeurGuiTest.moc"
