#include "gui/DessinMarques.h"

#include "colour/Palette.h"
#include "gui/Couleurs.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QStaticText>
#include <QString>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orv {

namespace {

constexpr double DemiCroixPx = DemiCroixTwips / TwipsParPixelEcran;

// The outline of an ellipse mark: centre a, and the point b gives the radius
// r = |ab| and the aspect |dy / dx|, as the box's circle drawing takes them
// (the radius lies along the longer axis).
QRectF CadreEllipse(QPointF c, QPointF b) {
    const double dx = b.x() - c.x(), dy = b.y() - c.y();
    const double r = std::hypot(dx, dy);
    double rx = r, ry = r;
    if (std::abs(dx) < 1e-9)
        rx = 0;
    else {
        const double aspect = std::abs(dy / dx);
        if (aspect < 1)
            ry = r * aspect;
        else
            rx = r / aspect;
    }
    return {c.x() - rx, c.y() - ry, 2 * rx, 2 * ry};
}

// Texts laid out once: the line numbers come back at every redraw.
const QStaticText& TexteStatique(const std::string& texte) {
    static QHash<QString, QStaticText> cache;
    const QString t = QString::fromStdString(texte);
    auto it = cache.find(t);
    if (it == cache.end()) {
        if (cache.size() > 4096) cache.clear();
        QStaticText st(t);
        st.setTextFormat(Qt::PlainText);
        it = cache.insert(t, st);
    }
    return *it;
}

// A plain text as a small picture, drawn once for each text, colour, font
// and scale, then copied: laying out and blending its glyphs again at every
// redraw cost more than the rest of the marks of a full grid together.
struct CleTexte {
    QString texte, police;
    QRgb couleur;
    qreal dpr;
    bool operator==(const CleTexte&) const = default;
};
size_t qHash(const CleTexte& c, size_t graine = 0) {
    return qHashMulti(graine, c.texte, c.police, c.couleur, c.dpr);
}
// The room left around the text for the glyphs' edges, in pixels.
constexpr int MargeImageTexte = 2;

const QImage& ImageTexte(const std::string& texte, const QFont& police, const QString& cle,
                         QRgb couleur, qreal dpr) {
    static QHash<CleTexte, QImage> cache; // about 2 KB each
    CleTexte c{QString::fromStdString(texte), cle, couleur, dpr};
    auto it = cache.find(c);
    if (it == cache.end()) {
        if (cache.size() > 1024) cache.clear();
        const QStaticText& st = TexteStatique(texte);
        const QSizeF t = st.size();
        QImage image(
            (QSizeF(t.width() + 2 * MargeImageTexte, t.height() + 2 * MargeImageTexte) * dpr)
                .toSize()
                .expandedTo({1, 1}),
            QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(dpr);
        image.fill(Qt::transparent);
        QPainter q(&image);
        q.setFont(police);
        q.setPen(QColor::fromRgba(couleur));
        q.drawStaticText(QPointF(MargeImageTexte, MargeImageTexte), st);
        q.end();
        it = cache.insert(c, image);
    }
    return *it;
}

constexpr double GrandeEllipse = 4096; // pixels
constexpr int CotesEllipse = 720;
// A spore's outline as a polygon: finer than a pixel at the zooms it is looked at.
constexpr int CotesContour = 96;

// The half axes of a contour mark, in box pixels: from the centre to the end
// of the major axis (u) and of the minor one (v).
void AxesContour(const Vue& vue, const Marque& m, QPointF& c, QPointF& u, QPointF& v) {
    const QPointF a = VersPixels(vue, m.a), b = VersPixels(vue, m.b);
    c = (a + b) / 2;
    u = b - c;
    v = VersPixels(vue, m.c) - c;
}

// Cuts the segment ab to the rectangle r (Liang-Barsky); false when nothing
// of it lies inside.
bool Coupe(QPointF& a, QPointF& b, const QRectF& r) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const QPointF debut(a.x() + t0 * dx, a.y() + t0 * dy);
    b = QPointF(a.x() + t1 * dx, a.y() + t1 * dy);
    a = debut;
    return true;
}

bool Fini(QPointF p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// Half a tick across the segment ab (a zero-length segment counts as horizontal).
QPointF Travers(QPointF a, QPointF b) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double n = std::hypot(dx, dy);
    if (n == 0) return {0, DemiCroixPx};
    return {-dy / n * DemiCroixPx, dx / n * DemiCroixPx};
}

// An annotation's text: its own font, offset or turn.
bool Stylee(const Marque& m) {
    return m.gras || !m.police.empty() || m.taille > 0 || m.angle != 0 || m.decalage.x != 0 ||
           m.decalage.y != 0;
}

QFont PoliceDe(const QPainter& p, const Marque& m) {
    QFont f = p.font();
    if (!m.police.empty()) f.setFamily(QString::fromStdString(m.police));
    if (m.taille > 0) f.setPointSizeF(m.taille);
    f.setBold(m.gras);
    return f;
}

QPointF Depart(const Marque& m, QPointF a) {
    return {a.x() + double(m.decalage.x) / TwipsParPixelEcran,
            a.y() + double(m.decalage.y) / TwipsParPixelEcran};
}

void TexteStyle(QPainter& p, const Marque& m, QPointF a) {
    p.save();
    p.setFont(PoliceDe(p, m));
    p.translate(Depart(m, a));
    p.rotate(m.angle);
    p.drawText(QPointF(0, QFontMetricsF(p.font()).ascent()), QString::fromStdString(m.texte));
    p.restore();
}

} // namespace

QPointF VersPixels(const Vue& vue, PointImage p) {
    return {vue.VersBoiteX(p.x) / TwipsParPixelEcran, vue.VersBoiteY(p.y) / TwipsParPixelEcran};
}

void DessineMarques(QPainter& p, const std::vector<Marque>& marques, const Vue& vue,
                    const QRectF& zone) {
    if (marques.empty()) return;
    // Far-off marks are cut to a margin around the zone: a very high zoom puts
    // them millions of pixels away, where the rasteriser's numbers overflow.
    // The margin holds the pen; a view drawn in bands draws every line once
    // per band it crosses, so no wider.
    auto marge = [&](int e) { return zone.adjusted(-8 - e, -8 - e, 8 + e, 8 + e); };
    QRectF bord = marge(1);
    // A plain text starts at its top-left corner and is drawn where it may
    // show (a text starting further left than a number's length is the
    // caller's to reach: it widens the zone).
    const double hauteurTexte = QFontMetricsF(p.font()).height();
    // Texts are copied from their pictures where the painter only moves and
    // scales by the screen's ratio (the magnifier enlarges: it draws them).
    const QTransform monde = p.transform();
    const bool images = monde.type() <= QTransform::TxTranslate;
    const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1;
    const QString cle = images ? p.font().key() : QString();
    QPen stylo(Qt::black, 0);   // cosmetic: one pixel at any scale
    std::vector<QLineF> lignes; // drawn together, colour by colour
    int couleur = -1, epaisseur = 1;
    auto vide = [&] {
        if (!lignes.empty()) p.drawLines(lignes.data(), static_cast<int>(lignes.size()));
        lignes.clear();
    };
    auto ligne = [&](QPointF a, QPointF b) {
        if (Coupe(a, b, bord)) lignes.emplace_back(a, b);
    };
    for (const Marque& m : marques) {
        if (m.couleur != couleur || m.epaisseur != epaisseur) {
            vide();
            couleur = m.couleur;
            epaisseur = m.epaisseur;
            bord = marge(std::clamp(epaisseur, 1, 4096));
            stylo.setColor(CouleurQt(CouleurPalette(couleur)));
            stylo.setWidthF(epaisseur > 1 ? epaisseur : 0);
            p.setPen(stylo);
        }
        const QPointF a = VersPixels(vue, m.a);
        if (!Fini(a)) continue;
        switch (m.genre) {
        case GenreMarque::Croix:
            ligne({a.x() - DemiCroixPx, a.y()}, {a.x() + DemiCroixPx, a.y()});
            ligne({a.x(), a.y() - DemiCroixPx}, {a.x(), a.y() + DemiCroixPx});
            break;
        case GenreMarque::Texte:
            if (Stylee(m)) {
                vide();
                TexteStyle(p, m, a);
            } else if (a.y() < zone.bottom() && a.y() + hauteurTexte > zone.top() &&
                       a.x() > zone.left() - 64 && a.x() < zone.right()) {
                if (!images) {
                    p.drawStaticText(a, TexteStatique(m.texte));
                    break;
                }
                // At a whole device pixel, where the copy is a plain blend.
                auto place = [&](double v, double t) {
                    return std::round((v - MargeImageTexte + t) * dpr) / dpr - t;
                };
                p.drawImage(QPointF(place(a.x(), monde.dx()), place(a.y(), monde.dy())),
                            ImageTexte(m.texte, p.font(), cle, stylo.color().rgba(), dpr));
            }
            break;
        case GenreMarque::Graduation: {
            const QPointF b = VersPixels(vue, m.b);
            if (!Fini(b)) break;
            const QPointF d = Travers(a, b);
            ligne(a - d, a + d);
            break;
        }
        case GenreMarque::Contour: {
            QPointF c, u, v;
            AxesContour(vue, m, c, u, v);
            if (!Fini(c) || !Fini(u) || !Fini(v)) break;
            QPointF prec = c + u;
            for (int i = 1; i <= CotesContour; ++i) {
                const double t = 2 * std::numbers::pi * i / CotesContour;
                const QPointF q = c + std::cos(t) * u + std::sin(t) * v;
                ligne(prec, q);
                prec = q;
            }
            break;
        }
        case GenreMarque::Ligne:
        case GenreMarque::Ellipse:
        case GenreMarque::Rectangle: {
            const QPointF b = VersPixels(vue, m.b);
            if (!Fini(b)) break;
            if (m.genre == GenreMarque::Ligne) {
                ligne(a, b);
            } else if (m.genre == GenreMarque::Rectangle) {
                ligne(a, {b.x(), a.y()});
                ligne({b.x(), a.y()}, b);
                ligne(b, {a.x(), b.y()});
                ligne({a.x(), b.y()}, a);
            } else {
                const QRectF e = CadreEllipse(a, b);
                if (!e.intersects(bord) && !e.isEmpty()) break;
                if (e.width() < GrandeEllipse && e.height() < GrandeEllipse) {
                    vide();
                    p.drawEllipse(e);
                } else { // as a polygon, cut to the zone like the lines
                    const QPointF c = e.center();
                    QPointF prec(c.x() + e.width() / 2, c.y());
                    for (int i = 1; i <= CotesEllipse; ++i) {
                        const double t = 2 * std::numbers::pi * i / CotesEllipse;
                        const QPointF q(c.x() + e.width() / 2 * std::cos(t),
                                        c.y() + e.height() / 2 * std::sin(t));
                        ligne(prec, q);
                        prec = q;
                    }
                }
            }
            break;
        }
        }
    }
    vide();
}

QRectF EtendueMarques(const std::vector<Marque>& marques, const Vue& vue,
                      const QFontMetricsF& police) {
    QRectF r;
    for (const Marque& m : marques) {
        const QPointF a = VersPixels(vue, m.a);
        if (!Fini(a)) continue;
        QRectF e;
        switch (m.genre) {
        case GenreMarque::Croix:
            e = QRectF(a.x() - DemiCroixPx, a.y() - DemiCroixPx, 2 * DemiCroixPx, 2 * DemiCroixPx);
            break;
        case GenreMarque::Texte:
            if (Stylee(m)) {
                // Whatever its turn, the text stays within its length around its start.
                QFont f;
                if (!m.police.empty()) f.setFamily(QString::fromStdString(m.police));
                if (m.taille > 0) f.setPointSizeF(m.taille);
                f.setBold(m.gras);
                const QFontMetricsF fm(f);
                const double rayon =
                    fm.horizontalAdvance(QString::fromStdString(m.texte)) + fm.height();
                const QPointF d = Depart(m, a);
                e = QRectF(d.x() - rayon, d.y() - rayon, 2 * rayon, 2 * rayon);
            } else {
                e = police.boundingRect(QString::fromStdString(m.texte))
                        .translated(a.x(), a.y() + police.ascent());
            }
            break;
        case GenreMarque::Graduation:
            e = QRectF(a.x() - DemiCroixPx, a.y() - DemiCroixPx, 2 * DemiCroixPx, 2 * DemiCroixPx);
            break;
        case GenreMarque::Contour: {
            QPointF c, u, v;
            AxesContour(vue, m, c, u, v);
            if (!Fini(c) || !Fini(u) || !Fini(v)) continue;
            const double dx = std::hypot(u.x(), v.x()), dy = std::hypot(u.y(), v.y());
            e = QRectF(c.x() - dx, c.y() - dy, 2 * dx, 2 * dy);
            break;
        }
        case GenreMarque::Ligne:
        case GenreMarque::Rectangle:
        case GenreMarque::Ellipse: {
            const QPointF b = VersPixels(vue, m.b);
            if (!Fini(b)) continue;
            e = m.genre == GenreMarque::Ellipse ? CadreEllipse(a, b) : QRectF(a, b).normalized();
            break;
        }
        }
        // The pen and antialiasing spill over by a little.
        e.adjust(-2 - m.epaisseur, -2 - m.epaisseur, 2 + m.epaisseur, 2 + m.epaisseur);
        r = r.isNull() ? e : r.united(e);
    }
    return r;
}

} // namespace orv
