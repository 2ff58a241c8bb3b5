// The view's drawing: each pixel interpolated from the right picture pixels
// (against a plain reference, at scales from enlarging to halving, edges
// included), any part of the view drawn alone equal to the whole drawn at
// once, a pan that moves the drawn view and draws only the strips it
// uncovers yet gives the view drawn whole, and a view drawn from a coarse
// level of the pyramid that shows the picture as the full-size one does.
#include "gui/DessinVue.h"

#include "colour/Palette.h"
#include "gui/Couleurs.h"
#include "gui/DessinMarques.h"

#include <QPainter>
#include <QStaticText>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <random>

using namespace orv;

namespace {

QImage Hasard(int largeur, int hauteur, unsigned graine) {
    std::mt19937 g(graine);
    QImage im(largeur, hauteur, QImage::Format_RGB32);
    for (int y = 0; y < hauteur; ++y) {
        auto* l = reinterpret_cast<QRgb*>(im.scanLine(y));
        for (int x = 0; x < largeur; ++x) l[x] = 0xFF000000u | (g() & 0xFFFFFFu);
    }
    return im;
}

// Light and colour varying slowly, as a photograph's background does.
QImage Douce(int largeur, int hauteur) {
    QImage im(largeur, hauteur, QImage::Format_RGB32);
    for (int y = 0; y < hauteur; ++y) {
        auto* l = reinterpret_cast<QRgb*>(im.scanLine(y));
        for (int x = 0; x < largeur; ++x)
            l[x] = qRgb(128 + static_cast<int>(100 * std::sin(x / 37.0 + y / 91.0)),
                        128 + static_cast<int>(90 * std::cos(y / 53.0)), (x / 7 + y / 11) / 4 + 60);
    }
    return im;
}

// The picture's value at a point, 0 at the centre of pixel (0, 0), between
// its four nearest pixels, the edges repeated outwards.
double Reference(const QImage& im, double u, double v, int canal) {
    const auto lit = [&](int x, int y) {
        const QRgb p =
            im.pixel(std::clamp(x, 0, im.width() - 1), std::clamp(y, 0, im.height() - 1));
        return double(canal == 0 ? qRed(p) : canal == 1 ? qGreen(p) : qBlue(p));
    };
    const int i = static_cast<int>(std::floor(u)), j = static_cast<int>(std::floor(v));
    const double a = u - i, b = v - j;
    return (1 - b) * ((1 - a) * lit(i, j) + a * lit(i + 1, j)) +
           b * ((1 - a) * lit(i, j + 1) + a * lit(i + 1, j + 1));
}

int EcartMax(const QImage& a, const QImage& b) {
    int e = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            e = std::max({e, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))});
        }
    return e;
}

constexpr QRgb Fond = 0xFF3A3A3Au;

} // namespace

class DessinVueTest : public QObject {
    Q_OBJECT
private slots:
    void CommeLaReference_data();
    void CommeLaReference();
    void PoidsAuBitPres();
    void UnePartieCommeLeTout();
    void LignesPasEncoreDecodees();
    void DecalageEntier_data();
    void DecalageEntier();
    void PanCommeUnDessinComplet_data();
    void PanCommeUnDessinComplet();
    void NiveauGrossierCommeLaPleineTaille();
    void TexteCommeLeTexteDessine();
};

void DessinVueTest::CommeLaReference_data() {
    QTest::addColumn<QSize>("taille");
    QTest::addColumn<double>("pas"); // level pixels per view pixel
    QTest::addColumn<QPointF>("coin");
    QTest::newRow("halving, inside") << QSize(300, 200) << 1.9 << QPointF(3.3, 7.7);
    QTest::newRow("awkward factor") << QSize(301, 199) << 1.27 << QPointF(0.4, 0.1);
    QTest::newRow("enlarging, over the edges") << QSize(40, 30) << 0.37 << QPointF(-3.5, -2.25);
    QTest::newRow("past the right and bottom") << QSize(120, 90) << 1.5 << QPointF(60.2, 40.9);
    QTest::newRow("one column") << QSize(1, 50) << 0.8 << QPointF(-5, 1);
    QTest::newRow("one row") << QSize(50, 1) << 0.8 << QPointF(1, -5);
}

// Every pixel of the view: the picture interpolated at its centre where the
// centre falls on the picture, the background elsewhere.
void DessinVueTest::CommeLaReference() {
    QFETCH(QSize, taille);
    QFETCH(double, pas);
    QFETCH(QPointF, coin);
    const QImage niveau = Hasard(taille.width(), taille.height(), 7);
    QImage vue(157, 101, QImage::Format_RGB32); // odd widths: the vector code's tails too
    vue.fill(Qt::white);
    const auto g = GrilleEchantillons::Depuis(coin.x(), coin.y(), pas, pas);
    Reechantillonne(niveau, niveau.height(), g, vue, vue.rect(), Fond);
    for (int y = 0; y < vue.height(); ++y)
        for (int x = 0; x < vue.width(); ++x) {
            const double u = double(g.x0 + x * g.pasX) / GrilleEchantillons::Unite;
            const double v = double(g.y0 + y * g.pasY) / GrilleEchantillons::Unite;
            const bool dedans =
                u >= -0.5 && u < niveau.width() - 0.5 && v >= -0.5 && v < niveau.height() - 0.5;
            const QRgb p = vue.pixel(x, y);
            if (!dedans) {
                QCOMPARE(p, Fond);
                continue;
            }
            for (int c = 0; c < 3; ++c) {
                const int lu = c == 0 ? qRed(p) : c == 1 ? qGreen(p) : qBlue(p);
                // Weights in 256ths, two roundings: within three levels.
                QVERIFY2(std::abs(lu - Reference(niveau, u, v, c)) <= 3,
                         qPrintable(QString("pixel %1,%2 channel %3: %4 for %5")
                                        .arg(x)
                                        .arg(y)
                                        .arg(c)
                                        .arg(lu)
                                        .arg(Reference(niveau, u, v, c))));
            }
        }
}

// Along one axis at a time, every weight of 1/256: each view pixel is exactly
// (a * (256 - w) + b * w + 128) >> 8 of the two pixels it falls between,
// whichever vector code this processor runs (odd sizes: its tails too).
void DessinVueTest::PoidsAuBitPres() {
    constexpr auto U = GrilleEchantillons::Unite;
    auto mele = [](QRgb a, QRgb b, int w) {
        auto c = [&](int ca, int cb) { return (ca * (256 - w) + cb * w + 128) >> 8; };
        return qRgb(c(qRed(a), qRed(b)), c(qGreen(a), qGreen(b)), c(qBlue(a), qBlue(b)));
    };
    // Down: rows 0 and 1 of a level 203 wide; across: columns 0 and 1 of a
    // level 203 high.
    for (const bool bas : {true, false}) {
        const QImage niveau = bas ? Hasard(203, 2, 11) : Hasard(2, 203, 12);
        QImage vue(bas ? QSize(203, 256) : QSize(256, 203), QImage::Format_RGB32);
        const GrilleEchantillons g{0, 0, bas ? U : U / 256, bas ? U / 256 : U};
        Reechantillonne(niveau, niveau.height(), g, vue, vue.rect(), Fond);
        for (int w = 0; w < 256; ++w)
            for (int i = 0; i < 203; ++i) {
                const QRgb a = bas ? niveau.pixel(i, 0) : niveau.pixel(0, i);
                const QRgb b = bas ? niveau.pixel(i, 1) : niveau.pixel(1, i);
                QCOMPARE(vue.pixel(bas ? i : w, bas ? w : i) & 0xFFFFFFu,
                         mele(a, b, w) & 0xFFFFFFu);
            }
    }
}

// Bands, strips, single pixels: any part drawn alone is the whole drawn at once.
void DessinVueTest::UnePartieCommeLeTout() {
    const QImage niveau = Hasard(500, 400, 3);
    SourceImage s{&niveau, 1, 1, niveau.height()};
    const CoucheVue c{s, GrilleEchantillons::Depuis(-20.3, 11.6, 0.83, 0.83)};
    QImage tout(640, 420, QImage::Format_RGB32);
    DessineVue(tout, {c}, Fond, {}, 1);
    // Shared by three threads, each band heard of once, on this thread, once drawn.
    QImage bandes(tout.size(), QImage::Format_RGB32);
    bandes.fill(Qt::white);
    std::vector<int> vues(static_cast<std::size_t>(tout.height()), 0);
    DessineVue(bandes, {c}, Fond, {}, 3, [&](QRect r) {
        QVERIFY(QThread::currentThread() == thread());
        QCOMPARE(r.width(), tout.width());
        for (int y = r.top(); y <= r.bottom(); ++y) {
            ++vues[static_cast<std::size_t>(y)];
            QCOMPARE(bandes.copy(0, y, tout.width(), 1), tout.copy(0, y, tout.width(), 1));
        }
    });
    QVERIFY(std::all_of(vues.begin(), vues.end(), [](int n) { return n == 1; }));
    QCOMPARE(bandes, tout);
    QImage pieces(tout.size(), QImage::Format_RGB32);
    pieces.fill(Qt::white);
    std::mt19937 g(5);
    for (int y = 0; y < tout.height();) {
        const int h = 1 + static_cast<int>(g() % 37);
        for (int x = 0; x < tout.width();) {
            const int w = 1 + static_cast<int>(g() % 53);
            DessineVue(pieces, {c}, Fond, QRect(x, y, w, h), 1);
            x += w;
        }
        y += h;
    }
    QCOMPARE(pieces, tout);
}

// While a picture is decoded: the rows not decoded show the background under
// the first layer and what lay beneath under the next ones.
void DessinVueTest::LignesPasEncoreDecodees() {
    const QImage niveau = Hasard(200, 200, 9);
    const QImage apercu(50, 50, QImage::Format_RGB32);
    const auto g = GrilleEchantillons::Depuis(0, 0, 1, 1);
    QImage vue(200, 200, QImage::Format_RGB32);
    DessineVue(vue, {{{&niveau, 1, 1, 80}, g}}, Fond);
    QCOMPARE(vue.pixel(10, 70), niveau.pixel(10, 70));
    QCOMPARE(vue.pixel(10, 120), Fond);
    QImage gris(50, 50, QImage::Format_RGB32);
    gris.fill(qRgb(90, 90, 90));
    DessineVue(vue,
               {{{&gris, 4, 4, 50}, GrilleEchantillons::Depuis(0, 0, 0.25, 0.25)},
                {{&niveau, 1, 1, 80}, g}},
               Fond);
    QCOMPARE(vue.pixel(10, 70), niveau.pixel(10, 70));
    QCOMPARE(vue.pixel(10, 120), qRgb(90, 90, 90));
}

void DessinVueTest::DecalageEntier_data() {
    QTest::addColumn<qint64>("dx0");
    QTest::addColumn<qint64>("dpas");
    QTest::addColumn<bool>("deplace");
    QTest::addColumn<QPoint>("decalage");
    const qint64 pas = 100000;
    QTest::newRow("whole pixels") << 7 * pas << qint64(0) << true << QPoint(7, -3);
    QTest::newRow("an eighth off") << -5 * pas + pas / 8 << qint64(0) << true << QPoint(-5, -3);
    QTest::newRow("a quarter off") << 4 * pas + pas / 4 << qint64(0) << false << QPoint();
    QTest::newRow("another zoom") << 2 * pas << qint64(1) << false << QPoint();
}

void DessinVueTest::DecalageEntier() {
    QFETCH(qint64, dx0);
    QFETCH(qint64, dpas);
    QFETCH(bool, deplace);
    QFETCH(QPoint, decalage);
    const GrilleEchantillons avant{123456, -654321, 100000, 100000};
    const GrilleEchantillons apres{avant.x0 + dx0, avant.y0 - 3 * 100000, 100000 + dpas, 100000};
    const auto d = orv::DecalageEntier(avant, apres);
    QCOMPARE(d.has_value(), deplace);
    if (d) QCOMPARE(*d, decalage);
}

void DessinVueTest::PanCommeUnDessinComplet_data() {
    QTest::addColumn<QPoint>("d");
    QTest::addColumn<int>("bandes"); // strips left to draw
    QTest::newRow("right") << QPoint(13, 0) << 1;
    QTest::newRow("up and left") << QPoint(-7, -29) << 2;
    QTest::newRow("down") << QPoint(0, 5) << 1;
    QTest::newRow("farther than the view") << QPoint(0, 500) << 1;
}

// A pan moves the drawn view and draws the strips it uncovers: the view is
// the one drawn whole at the new place, pixel for pixel.
void DessinVueTest::PanCommeUnDessinComplet() {
    QFETCH(QPoint, d);
    QFETCH(int, bandes);
    const QImage niveau = Hasard(400, 300, 11);
    const SourceImage s{&niveau, 1, 1, niveau.height()};
    const auto g = GrilleEchantillons::Depuis(31.7, 22.1, 0.61, 0.61);
    QImage vue(240, 160, QImage::Format_RGB32);
    DessineVue(vue, {{s, g}}, Fond);
    const auto reste = Defile(vue, d);
    QCOMPARE(int(reste.size()), bandes);
    qint64 aire = 0;
    for (const QRect& r : reste) {
        aire += qint64(r.width()) * r.height();
        DessineVue(vue, {{s, g.Decalee(d.x(), d.y())}}, Fond, r);
    }
    // Only the strips: what the move uncovers, nothing more.
    const qint64 garde = qint64(std::max(0, vue.width() - std::abs(d.x()))) *
                         std::max(0, vue.height() - std::abs(d.y()));
    QCOMPARE(aire, qint64(vue.width()) * vue.height() - garde);
    QImage entiere(vue.size(), QImage::Format_RGB32);
    DessineVue(entiere, {{s, g.Decalee(d.x(), d.y())}}, Fond);
    QCOMPARE(vue, entiere);
}

// At low zoom the view is drawn from the coarsest level still as fine as the
// screen: it shows what an averaging reduction of the full-size picture shows.
void DessinVueTest::NiveauGrossierCommeLaPleineTaille() {
    const QImage photo = Douce(2400, 1600);
    PyramideImage p(photo.width(), photo.height());
    for (int y = 0; y < photo.height(); ++y)
        std::memcpy(p.Ligne(y), photo.constScanLine(y), std::size_t(photo.width()) * 4);
    p.AvanceNiveaux(photo.height());
    Vue v;
    v.FixeImage(photo.width(), photo.height());
    v.FixeBoite(700 * TwipsParPixelEcran, 467 * TwipsParPixelEcran);
    v.VueInitiale();
    v.FixeExposant(0); // the whole width: a bit over a third of full size
    const auto plan = Plan(v, photo.size(), QSizeF(700, 467), 1.0);
    QVERIFY(plan);
    const int k = p.NiveauPour(plan->echelle);
    QCOMPARE(k, 1);
    const SourceImage s{&p.Niveau(k), 2, 2, p.Niveau(k).height()};
    QImage vue(700, 467, QImage::Format_RGB32);
    DessineVue(vue, {{s, GrillePour(*plan, s)}}, Fond);
    const QImage attendue = photo.scaled(700, 467, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY2(EcartMax(vue.copy(0, 0, 700, 466), attendue.copy(0, 0, 700, 466)) <= 4,
             qPrintable(QString::number(EcartMax(vue, attendue))));
}

// A line's number is drawn in its colour where its mark is, as the text
// itself would be: the same ink at the same place to within half a pixel, on
// screens of ratio 1 and 2 and through a painter that moves the drawing.
void DessinVueTest::TexteCommeLeTexteDessine() {
    const Vue vue;
    Marque m;
    m.genre = GenreMarque::Texte;
    m.texte = "128";
    m.a = {0, 0};
    for (const qreal dpr : {1.0, 2.0})
        for (const QPointF decalage : {QPointF(40, 30), QPointF(53.3, 47.6)}) {
            QImage dessin(QSize(200, 120) * dpr, QImage::Format_RGB32);
            dessin.setDevicePixelRatio(dpr);
            dessin.fill(Fond);
            QImage attendu = dessin.copy();
            {
                QPainter p(&dessin);
                p.translate(decalage);
                DessineMarques(p, {m}, vue, QRectF(-100, -100, 400, 300));
            }
            {
                QPainter p(&attendu);
                p.translate(decalage);
                p.setPen(CouleurQt(CouleurPalette(m.couleur)));
                p.drawStaticText(VersPixels(vue, m.a),
                                 QStaticText(QString::fromStdString(m.texte)));
            }
            // Ink: how far each pixel is from the background, and where it lies.
            auto encre = [](const QImage& im) {
                double total = 0, x = 0, y = 0;
                for (int j = 0; j < im.height(); ++j)
                    for (int i = 0; i < im.width(); ++i) {
                        const QRgb p = im.pixel(i, j);
                        const double e = std::abs(qRed(p) - qRed(Fond)) +
                                         std::abs(qGreen(p) - qGreen(Fond)) +
                                         std::abs(qBlue(p) - qBlue(Fond));
                        total += e;
                        x += e * i;
                        y += e * j;
                    }
                return std::array<double, 3>{total, x / total, y / total};
            };
            const auto a = encre(dessin), b = encre(attendu);
            QVERIFY(b[0] > 0);
            QVERIFY2(std::abs(a[0] - b[0]) < 0.1 * b[0], qPrintable(QString::number(a[0] / b[0])));
            QVERIFY2(
                std::hypot(a[1] - b[1], a[2] - b[2]) <= 0.5 * dpr * std::sqrt(2) + 0.1,
                qPrintable(
                    QString("%1,%2 instead of %3,%4").arg(a[1]).arg(a[2]).arg(b[1]).arg(b[2])));
        }
}

QTEST_MAIN(DessinVueTest)
#include "DessinVueTest.moc"
