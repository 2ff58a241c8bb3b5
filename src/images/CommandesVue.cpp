#include "images/CommandesVue.h"

#include "base/Nombres.h"

namespace orv {

namespace {

constexpr std::uint32_t CouleurLoupeActive = 0xC0FFC0;

} // namespace

void AfficheZoom(Interface& ui, const Vue& v) {
    ui.controles.Texte(Controle::LectureZoom, "Z= " + TexteNombre(v.ValeurZoom(), ui.Sep()));
}

void AfficheVue(Interface& ui, EtatImages& im) {
    ++im.versionVue;
    AfficheZoom(ui, im.vue);
}

void VueInitiale(Interface& ui, EtatImages& im) {
    im.vue.VueInitiale();
    AfficheVue(ui, im);
}

bool ClicZoom(Interface& ui, EtatImages& im, Controle c) {
    Vue& v = im.vue;
    switch (c) {
    case Controle::ZoomPlus:
        v.ZoomBouton(1);
        break;
    case Controle::ZoomMoins:
        // The view never shows more than the whole width of the picture, even
        // with a step of 2 from an odd exponent.
        if (v.ExposantZoom() >= 0) return true;
        if (v.ExposantZoom() + v.PasZoom() > 0)
            v.FixeExposant(0);
        else
            v.ZoomBouton(2);
        break;
    case Controle::Zoom1:
        v.Zoom1();
        break;
    case Controle::ZoomPas:
        v.BasculePas();
        ui.controles.Texte(Controle::ZoomPas, v.PasZoom() == 2 ? ">>" : "<<");
        return true;
    default:
        return false;
    }
    AfficheVue(ui, im);
    return true;
}

void ClicVignette(Interface& ui, EtatImages& im, double xVignette, double yVignette) {
    if (!im.vue.ImageChargee()) return;
    im.vue.ClicVignette(xVignette, yVignette);
    AfficheVue(ui, im);
}

void Recentre(Interface& ui, EtatImages& im, PointTwips p) {
    im.vue.Recentre(p);
    AfficheVue(ui, im);
}

bool ZoomCentre(Interface& ui, EtatImages& im, int mode, PointTwips p) {
    if (!im.vue.ZoomCentre(mode, p)) return false;
    AfficheVue(ui, im);
    return true;
}

void DeplaceImage(Interface& ui, EtatImages& im, int dxTwips, int dyTwips) {
    if (dxTwips == 0 && dyTwips == 0) return;
    // The picture follows the pointer: the point that was under the press
    // comes under the release.
    Vue& v = im.vue;
    const double k = v.ImageParTwip();
    v.FixeOrigine(Arrondi32(v.OrigineX() - dxTwips * k), Arrondi32(v.OrigineY() - dyTwips * k));
    AfficheVue(ui, im);
}

void RedimensionneBoite(Interface& ui, EtatImages& im, int largeurTwips, int hauteurTwips) {
    im.vue.FixeBoite(largeurTwips, hauteurTwips);
    im.vue.Zoom1(); // origin (0, 0), e = ExposantInitial
    AfficheVue(ui, im);
}

void CentreSur(Interface& ui, EtatImages& im, double x, double y, int zoom) {
    Vue& v = im.vue;
    v.FixeExposant(zoom);
    const double k = v.FacteurZoom() * v.EchelleImage() * 0.5;
    v.FixeOrigine(Arrondi32(x - v.LargeurBoite() * k), Arrondi32(y - v.HauteurBoite() * k));
    AfficheVue(ui, im);
}

void AfficheNouvelleImage(Interface& ui, EtatImages& im, const std::string& chemin,
                          TailleImage taille, bool gardeOrigine) {
    if (!gardeOrigine) im.vue.FixeOrigine(0, 0);
    im.vue.FixeImage(taille.largeur, taille.hauteur);
    im.cheminImage = chemin;
    ++im.versionImage;
    AfficheVue(ui, im);
}

void MontreEtatLoupe(Interface& ui, const EtatImages& im) {
    const bool on = im.loupe.active;
    ui.controles.Visible(Controle::ImageLoupe, on);
    ui.controles.Couleur(Controle::Loupe, on ? std::optional(CouleurLoupeActive) : std::nullopt);
}

void BasculeLoupe(Interface& ui, EtatImages& im) {
    im.loupe.active = !im.loupe.active;
    MontreEtatLoupe(ui, im);
}

void BasculeChampLoupe(EtatImages& im) {
    im.loupe.champ = im.loupe.champ == 1000 ? 500 : 1000;
}

} // namespace orv
