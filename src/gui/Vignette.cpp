#include "gui/Vignette.h"
#include "gui/Liaisons.h"

#include "app/CommandesImages.h"
#include "app/Orvelle.h"
#include "colour/Palette.h"
#include "gui/Couleurs.h"
#include "gui/ZoneImage.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace orv {

namespace {

constexpr double LargeurPx = double(LargeurVignette) / TwipsParPixelEcran;

} // namespace

Vignette::Vignette(ZoneImage& zone, QWidget* parent) : QWidget(parent), zone_(zone) {
    setObjectName(NomObjet(Controle::Vignette));
    setCursor(Qt::PointingHandCursor);
    setFixedSize(sizeHint());
    zone_.AssocieVignette(this);
}

int Vignette::HauteurPixels() const {
    const QSize t = zone_.TailleImage();
    if (t.isEmpty()) return static_cast<int>(std::lround(LargeurPx * 0.75));
    return std::max(1, static_cast<int>(std::lround(LargeurPx * t.height() / t.width())));
}

QSize Vignette::sizeHint() const {
    return {static_cast<int>(std::ceil(LargeurPx)), HauteurPixels()};
}

void Vignette::Actualise() {
    if (size() != sizeHint()) setFixedSize(sizeHint());
    update();
}

void Vignette::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const QSize t = zone_.TailleImage();
    if (t.isEmpty()) return;
    const QRectF cible(0, 0, LargeurPx, LargeurPx * t.height() / t.width());
    DessineSource(p, zone_.SourcePour(LargeurPx * devicePixelRatioF() / t.width()), cible,
                  QRectF(0, 0, t.width(), t.height()));
    // The part of the picture the view shows.
    const Orvelle& o = zone_.Etat();
    double x = 0, y = 0, l = 0, h = 0;
    o.images.vue.RectangleVignette(x, y, l, h);
    if (l <= 0 || h <= 0 || !std::isfinite(l) || !std::isfinite(h)) return;
    p.setPen(QPen(CouleurQt(CouleurPalette(o.mesure.couleur1)), 0));
    p.setBrush(Qt::NoBrush);
    const QRectF r(x / TwipsParPixelEcran, y / TwipsParPixelEcran, l / TwipsParPixelEcran,
                   h / TwipsParPixelEcran);
    p.drawRect(r.intersected(QRectF(rect()).adjusted(-1, -1, 1, 1)));
}

void Vignette::mousePressEvent(QMouseEvent* e) {
    ClicVignette(zone_.Etat(), e->position().x() * TwipsParPixelEcran,
                 e->position().y() * TwipsParPixelEcran);
    zone_.Actualise();
}

} // namespace orv
