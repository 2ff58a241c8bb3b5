#include "images/Vue.h"

#include "base/Nombres.h"

#include <cmath>
#include <limits>

namespace orv {

Vue::Vue() {
    FixeExposant(0);
}

double Vue::BaseZoom() {
    return std::sqrt(1.4142136);
}

void Vue::FixeImage(int largeurPixels, int hauteurPixels) {
    largeurPx_ = largeurPixels > 0 ? largeurPixels : 0;
    hauteurPx_ = hauteurPixels > 0 ? hauteurPixels : 0;
}

void Vue::FixeBoite(int largeurTwips, int hauteurTwips) {
    largeurBoite_ = largeurTwips > 0 ? largeurTwips : 1;
    hauteurBoite_ = hauteurTwips > 0 ? hauteurTwips : 1;
}

void Vue::FixeExposant(int e) {
    exposant_ = e;
    facteur_ = std::pow(BaseZoom(), e);
}

double Vue::EchelleImage() const {
    // Without a picture the box shows a picture as wide as the reference.
    const double w = ImageChargee() ? LargeurImage() : LargeurReference;
    return w / largeurBoite_;
}

double Vue::CorrectionEcran() const {
    return largeurBoite_ / LargeurReference;
}

void Vue::FixeOrigine(std::int32_t x, std::int32_t y) {
    origineX_ = x;
    origineY_ = y;
}

PointImage Vue::VersImage(PointTwips p) const {
    const double k = ImageParTwip();
    return {Arrondi32(origineX_ + p.x * k), Arrondi32(origineY_ + p.y * k)};
}

double Vue::VersBoiteX(double xImage) const {
    return (xImage - origineX_) / ImageParTwip();
}
double Vue::VersBoiteY(double yImage) const {
    return (yImage - origineY_) / ImageParTwip();
}

double Vue::UnitesPixels(PointImage a, PointImage b, double facteurResolution) const {
    const double dx = static_cast<double>(a.x) - b.x;
    const double dy = static_cast<double>(a.y) - b.y;
    const double w = ImageChargee() ? LargeurImage() : LargeurReference;
    return std::hypot(dx, dy) / w * LargeurReference * facteurResolution;
}

std::int32_t Vue::LongueurPixels(PointImage a, PointImage b, double facteurResolution) const {
    // Rounding noise of the products is dropped first, so that a distance worth
    // exactly n + 0.5 units goes to the even neighbour.
    const double u = std::round(UnitesPixels(a, b, facteurResolution) * 1e9) / 1e9;
    return Arrondi32(std::nearbyint(u));
}

double Vue::UnitesPixelsTwips(double twips, double facteurResolution) const {
    return twips * facteur_ / CorrectionEcran() * facteurResolution;
}

void Vue::VueInitiale() {
    exposantInitial_ = -2 * pas_;
    FixeExposant(exposantInitial_);
    FixeOrigine(0, 0);
}

void Vue::ZoomBouton(int mode) {
    if (mode == 1)
        FixeExposant(exposant_ - pas_);
    else if (mode == 2 && exposant_ < 0)
        FixeExposant(exposant_ + pas_);
}

void Vue::Zoom1() {
    FixeExposant(exposantInitial_);
    FixeOrigine(0, 0);
}

void Vue::BasculePas() {
    pas_ = pas_ == 1 ? 2 : 1;
}

void Vue::Recentre(PointTwips p) {
    const double k = ImageParTwip();
    FixeOrigine(Arrondi32(origineX_ + k * (p.x - largeurBoite_ * 0.5)),
                Arrondi32(origineY_ + k * (p.y - hauteurBoite_ * 0.5)));
}

bool Vue::ZoomCentre(int mode, PointTwips p) {
    const int signe = mode == 1 ? -1 : 1;
    const long nouvel = static_cast<long>(exposant_) + pas_ * signe;
    if (nouvel < std::numeric_limits<std::int16_t>::min() ||
        nouvel > std::numeric_limits<std::int16_t>::max())
        return false;
    // The point is taken at the new zoom, as the view will show it.
    const double bs = std::pow(BaseZoom(), signe);
    FixeExposant(static_cast<int>(nouvel));
    Recentre({Arrondi32(p.x / bs), Arrondi32(p.y / bs)});
    return true;
}

double Vue::VignetteHauteur() const {
    if (!ImageChargee()) return 0;
    return std::round(LargeurVignette * static_cast<double>(hauteurPx_) / largeurPx_);
}

void Vue::ClicVignette(double x, double y) {
    if (!ImageChargee()) return;
    const double k = LargeurImage() / LargeurVignette;
    FixeOrigine(Arrondi32(x * k), Arrondi32(y * k));
}

void Vue::RectangleVignette(double& x, double& y, double& l, double& h) const {
    if (!ImageChargee()) {
        x = y = l = h = 0;
        return;
    }
    const double k = LargeurVignette / LargeurImage(); // thumbnail twips per picture unit
    x = origineX_ * k;
    y = origineY_ * k;
    l = largeurBoite_ * ImageParTwip() * k;
    h = hauteurBoite_ * ImageParTwip() * k;
}

double Vue::ValeurZoom() const {
    return std::floor(100.0 / facteur_ + 0.5) * 0.005;
}

} // namespace orv
