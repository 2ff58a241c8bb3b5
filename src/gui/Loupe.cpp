#include "gui/Loupe.h"

#include "app/Orvelle.h"
#include "colour/Palette.h"
#include "gui/Couleurs.h"
#include "gui/DessinMarques.h"
#include "gui/ZoneImage.h"

#include <QPainter>

namespace orv {

namespace {

constexpr double CotePx = double(TailleLoupe) / TwipsParPixelEcran;

} // namespace

Loupe::Loupe(ZoneImage& zone, QWidget* parent) : QWidget(parent), zone_(zone) {
    setObjectName("PLoupePic");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(static_cast<int>(CotePx), static_cast<int>(CotePx));
    zone_.AssocieLoupe(this);
}

void Loupe::paintEvent(QPaintEvent*) {
    const Orvelle& o = zone_.Etat();
    const QImage& vue = zone_.VueDessinee();
    QPainter p(this);
    p.fillRect(rect(), ZoneImage::Fond());
    // The square of the view around the pointer, in the view's pixels.
    const PointTwips c = zone_.DernierPointeur();
    const double champ = o.loupe.champ > 0 ? o.loupe.champ : 1000;
    const QRectF carre((c.x - champ / 2) / TwipsParPixelEcran,
                       (c.y - champ / 2) / TwipsParPixelEcran, champ / TwipsParPixelEcran,
                       champ / TwipsParPixelEcran);
    const double agrandi = CotePx / carre.width();
    const qreal dpr = vue.devicePixelRatio();
    // Only the part of the square inside the view is copied; the rest shows
    // the box's own background.
    const QRectF dedans = carre.intersected(QRectF(QPointF(0, 0), vue.deviceIndependentSize()));
    if (!dedans.isEmpty()) {
        const QRectF cible((dedans.x() - carre.x()) * agrandi, (dedans.y() - carre.y()) * agrandi,
                           dedans.width() * agrandi, dedans.height() * agrandi);
        p.drawImage(cible, vue,
                    QRectF(dedans.x() * dpr, dedans.y() * dpr, dedans.width() * dpr,
                           dedans.height() * dpr));
    }
    // The marks of the measure under way, enlarged with the view.
    if (!o.marques.provisoires.empty()) {
        p.save();
        p.scale(agrandi, agrandi);
        p.translate(-carre.x(), -carre.y());
        DessineMarques(p, o.marques.provisoires, o.vue, carre);
        p.restore();
    }
    // The cross: pen colour OR the inverse of what lies beneath.
    p.setCompositionMode(QPainter::RasterOp_SourceOrNotDestination);
    p.setPen(QPen(CouleurQt(CouleurPalette(o.couleur1)), 0));
    const double m = CotePx / 2;
    p.drawLine(QPointF(0, m), QPointF(CotePx, m));
    p.drawLine(QPointF(m, 0), QPointF(m, CotePx));
}

} // namespace orv
