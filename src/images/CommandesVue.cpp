#include "images/CommandesVue.h"

#include "app/Orvelle.h"
#include "base/Nombres.h"
#include "measure/Marques.h"

#include <cmath>
#include <limits>

namespace orv {

namespace {

constexpr std::uint32_t CouleurLoupeActive = 0xC0FFC0;

bool RetraceAutomatique(const Orvelle& o) {
    return o.controles(Controle::CaseAutoRetrace).coche;
}

std::int32_t Arrondi32(double v) {
    if (!std::isfinite(v)) return 0;
    if (v > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(std::lround(v));
}

} // namespace

void AfficheZoom(Orvelle& o) {
    o.controles.Texte(Controle::LectureZoom, "Z= " + TexteNombre(o.vue.ValeurZoom(), o.Sep()));
}

void AfficheVue(Orvelle& o) {
    ++o.versionVue;
    AfficheZoom(o);
    // A fresh view of the picture carries no marks: they come back only through
    // "retrace", at once when automatic redraw is on.
    o.marques.FixeProvisoires({});
    if (RetraceAutomatique(o))
        Retrace(o);
    else
        o.marques.VideFixes();
}

void VueInitiale(Orvelle& o) {
    o.vue.VueInitiale();
    AfficheVue(o);
}

bool ClicZoom(Orvelle& o, Controle c) {
    switch (c) {
    case Controle::ZoomPlus:
        o.vue.ZoomBouton(1);
        break;
    case Controle::ZoomMoins:
        // The view never shows more than the whole width of the picture, even
        // with a step of 2 from an odd exponent.
        if (o.vue.ExposantZoom() >= 0) return true;
        if (o.vue.ExposantZoom() + o.vue.PasZoom() > 0)
            o.vue.FixeExposant(0);
        else
            o.vue.ZoomBouton(2);
        break;
    case Controle::Zoom1:
        o.vue.Zoom1();
        break;
    case Controle::ZoomPas:
        o.vue.BasculePas();
        o.controles.Texte(Controle::ZoomPas, o.vue.PasZoom() == 2 ? ">>" : "<<");
        if (RetraceAutomatique(o)) Retrace(o);
        return true;
    default:
        return false;
    }
    AfficheVue(o);
    return true;
}

void ClicVignette(Orvelle& o, double xVignette, double yVignette) {
    if (!o.vue.ImageChargee()) return;
    o.vue.ClicVignette(xVignette, yVignette);
    AfficheVue(o);
}

void Recentre(Orvelle& o, PointTwips p) {
    o.vue.Recentre(p);
    AfficheVue(o);
}

bool ZoomCentre(Orvelle& o, int mode, PointTwips p) {
    if (!o.vue.ZoomCentre(mode, p)) return false;
    AfficheVue(o);
    return true;
}

void DeplaceImage(Orvelle& o, int dxTwips, int dyTwips) {
    if (dxTwips == 0 && dyTwips == 0) return;
    // The picture follows the pointer: the point that was under the press
    // comes under the release.
    const double k = o.vue.ImageParTwip();
    o.vue.FixeOrigine(Arrondi32(o.vue.OrigineX() - dxTwips * k),
                      Arrondi32(o.vue.OrigineY() - dyTwips * k));
    AfficheVue(o);
}

void RedimensionneBoite(Orvelle& o, int largeurTwips, int hauteurTwips) {
    o.vue.FixeBoite(largeurTwips, hauteurTwips);
    o.vue.Zoom1(); // origin (0, 0), e = ExposantInitial
    AfficheVue(o);
}

void AfficheNouvelleImage(Orvelle& o, const std::string& chemin, TailleImage taille) {
    // In image-group mode every picture of the group is seen at the same place.
    if (!o.ModeGroupe) o.vue.FixeOrigine(0, 0);
    o.vue.FixeImage(taille.largeur, taille.hauteur);
    o.cheminImage = chemin;
    ++o.versionImage;
    AfficheVue(o);
}

void MontreEtatLoupe(Orvelle& o) {
    const bool on = o.loupe.active;
    o.controles.Visible(Controle::ImageLoupe, on);
    o.controles.Couleur(Controle::Loupe, on ? std::optional(CouleurLoupeActive) : std::nullopt);
}

void BasculeLoupe(Orvelle& o) {
    o.loupe.active = !o.loupe.active;
    MontreEtatLoupe(o);
}

void BasculeChampLoupe(Orvelle& o) {
    o.loupe.champ = o.loupe.champ == 1000 ? 500 : 1000;
}

} // namespace orv
