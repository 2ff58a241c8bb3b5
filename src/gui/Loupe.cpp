#include "gui/Loupe.h"
#include "gui/Liaisons.h"

#include "app/Orvelle.h"
#include "colour/Palette.h"
#include "gui/Couleurs.h"
#include "gui/DessinMarques.h"
#include "gui/ZoneImage.h"

#include <QPainter>

#include <algorithm>

namespace orv {

namespace {

constexpr int CoteNormal = TailleLoupe / TwipsParPixelEcran;
constexpr int CoteMini = CoteNormal / 2;

} // namespace

Loupe::Loupe(ZoneImage& zone, QWidget* parent) : QWidget(parent), zone_(zone) {
    setObjectName(NomObjet(Controle::ImageLoupe));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    setMaximumHeight(CoteNormal);
    zone_.AssocieLoupe(this);
}

QSize Loupe::sizeHint() const {
    return {CoteNormal, CoteNormal};
}

QSize Loupe::minimumSizeHint() const {
    return {CoteNormal, CoteMini};
}

void Loupe::paintEvent(QPaintEvent*) {
    const Orvelle& o = zone_.Etat();
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    // The magnified square, as large as the room the panel gives it.
    const double cote = std::min(width(), height());
    p.translate((width() - cote) / 2, (height() - cote) / 2);
    p.setClipRect(QRectF(0, 0, cote, cote));
    p.fillRect(QRectF(0, 0, cote, cote), ZoneImage::Fond());
    // The square of the view around the pointer, in the view's pixels.
    const PointTwips c = zone_.DernierPointeur();
    const double champ = o.images.loupe.champ > 0 ? o.images.loupe.champ : 1000;
    const QRectF carre((c.x - champ / 2) / TwipsParPixelEcran,
                       (c.y - champ / 2) / TwipsParPixelEcran, champ / TwipsParPixelEcran,
                       champ / TwipsParPixelEcran);
    const double agrandi = cote / carre.width();
    const qreal dpr = zone_.devicePixelRatioF();
    // Only the part of the square inside the view is shown; the rest shows
    // the box's own background.
    const QRectF dedans = carre.intersected(QRectF(zone_.rect()));
    const QRect pixels =
        QRectF(dedans.x() * dpr, dedans.y() * dpr, dedans.width() * dpr, dedans.height() * dpr)
            .toAlignedRect()
            .intersected(QRect(QPoint(0, 0), zone_.size() * dpr));
    if (!dedans.isEmpty() && !pixels.isEmpty()) {
        const QRectF cible((dedans.x() - carre.x()) * agrandi, (dedans.y() - carre.y()) * agrandi,
                           dedans.width() * agrandi, dedans.height() * agrandi);
        p.drawImage(cible, zone_.VueAutour(pixels),
                    QRectF(dedans.x() * dpr - pixels.x(), dedans.y() * dpr - pixels.y(),
                           dedans.width() * dpr, dedans.height() * dpr));
    }
    // The marks of the measure under way, enlarged with the view.
    if (!o.mesure.marques.provisoires.empty()) {
        p.save();
        p.scale(agrandi, agrandi);
        p.translate(-carre.x(), -carre.y());
        DessineMarques(p, o.mesure.marques.provisoires, o.images.vue, carre);
        p.restore();
    }
    // The cross: pen colour OR the inverse of what lies beneath.
    p.setCompositionMode(QPainter::RasterOp_SourceOrNotDestination);
    p.setPen(QPen(CouleurQt(CouleurPalette(o.mesure.couleur1)), 0));
    const double m = cote / 2;
    p.drawLine(QPointF(0, m), QPointF(cote, m));
    p.drawLine(QPointF(m, 0), QPointF(m, cote));
}

} // namespace orv
