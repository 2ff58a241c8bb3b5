// The annotated copy: drawings added one after the other give the copy they
// give drawn at once (the copy is prepared once, then only what is new is
// drawn on it), and the small picture its frame shows is the mean of the
// copy's pixels.
#include "gui/DessinCopie.h"

#include <QTest>

using namespace orv;

namespace {

PixelsImage Gris(int l, int h) {
    return {l, h, std::vector<std::uint32_t>(std::size_t(l) * std::size_t(h), 0xFF808080u)};
}

std::vector<DessinImage> Dessins() {
    DessinImage barre;
    barre.x0 = 20.5;
    barre.y0 = 30;
    barre.x1 = 140.25;
    barre.y1 = 34;
    barre.epaisseur = 3;
    barre.couleur = 0x0000FF;
    DessinImage texte;
    texte.genre = DessinImage::Genre::Texte;
    texte.x0 = 25;
    texte.y0 = 38;
    texte.texte = "50 \xC2\xB5m";
    texte.taillePixels = 18;
    texte.couleur = 0xFF0000;
    DessinImage travers = barre;
    travers.x0 = 60;
    travers.y0 = 10;
    travers.x1 = 80;
    travers.y1 = 70; // over the bar and the text
    return {barre, texte, travers};
}

} // namespace

class DessinCopieTest : public QObject {
    Q_OBJECT
private slots:
    void DessinsAjoutesCommeDessinesEnsemble() {
        const auto d = Dessins();
        PixelsImage ensemble = Gris(200, 100), unParUn = Gris(200, 100);
        QVERIFY(DessineSurPixels(ensemble, d));
        for (const DessinImage& x : d) QVERIFY(DessineSurPixels(unParUn, {x}));
        QVERIFY(ensemble.pixels != Gris(200, 100).pixels);
        QCOMPARE(unParUn.pixels, ensemble.pixels);
    }

    void CadreMontreLaMoyenne() {
        // 4 x 2 pixels into a frame of 2 x 1: each the mean of a 2 x 2 square.
        const PixelsImage p{4,
                            2,
                            {0xFF000010u, 0xFF000011u, 0xFF102030u, 0xFF102030u, 0xFF000012u,
                             0xFF000012u, 0xFFFF0000u, 0xFF000000u}};
        const QImage r = ReduitPixels(p, QSize(2, 2));
        QCOMPARE(r.size(), QSize(2, 1));
        QCOMPARE(r.pixel(0, 0), qRgb(0, 0, 0x11)); // 0x10 + 0x11 + 0x12 + 0x12: 17.25
        QCOMPARE(r.pixel(1, 0), qRgb(0x48, 0x10, 0x18));
        QVERIFY(ReduitPixels(PixelsImage{4, 2, {1, 2}}, QSize(2, 2)).isNull());
    }
};

QTEST_MAIN(DessinCopieTest)
#include "DessinCopieTest.moc"
