// The snap, one click, the pointing while a region is drawn, searched or
// reviewed, the commands, and the watch over the picture and the function.
#include "app/MesureAuto.h"

#include "app/CommandesMesure.h"
#include "app/OutilsMesureAuto.h"
#include "contour/Accroche.h"
#include "measure/Fonctions.h"
#include "measure/OutilsPointage.h"
#include "measure/SporeContour.h"

namespace orv {

using namespace mesureauto;

namespace {

using Phase = EtatMesureAuto::Phase;

// The snap's reach: a hand is off by screen pixels, so four of them, from
// 4 to 12 pixels of the picture (orvelle-bench-mesure: with hands off by 2
// to 5 pixels of the picture, a reach of 4 leaves a tenth of the ends where
// they fell, one of 12 snaps them as well as the precise ones, and neither
// moved an end in the plain medium).
constexpr double kPorteeEcran = 4, kPorteeMin = 4, kPorteeMax = 12;

} // namespace

bool AccrocheImage::Active() const {
    return o_.parametres.accrocheBord && !o_.calibrage.CalibrageEnCours &&
           o_.images.vue.ImageChargee();
}

double AccrocheImage::Portee() const {
    const double pixelsParEcran =
        o_.images.vue.ImageParTwip() * TwipsParPixelEcran / UnitesImageParPixel;
    return std::clamp(kPorteeEcran * pixelsParEcran, kPorteeMin, kPorteeMax);
}

void AccrocheImage::Accroche(PointImage& debut, PointImage& fin) {
    const auto v = PixelsVus(o_);
    if (!v) return;
    contour::OptionsAccroche opt;
    opt.portee = Portee();
    const contour::Accroche r =
        contour::AccrocheBord(VueDe(*v), VersPixels(debut), VersPixels(fin), opt);
    if (r.p0Deplace) debut = VersUnites(r.p0);
    if (r.p1Deplace) fin = VersUnites(r.p1);
}

bool MesureSporeEn(Orvelle& o, const ContexteMesure& c, PointImage p, SuitesMesure& s) {
    Interface& ui = o.ui;
    const auto v = PixelsVus(o);
    if (!v) {
        ui.Statut(ui.Mnu(mnu::ImagePasPrete));
        return false;
    }
    contour::OptionsContour opt;
    opt.longueurMin = kLongueurMin;
    opt.longueurMax = LongueurMax(v->largeur, v->hauteur);
    const auto r = contour::TrouveContour(VueDe(*v), VersPixels(p), opt);
    if (!r.spore || r.refus != contour::Refus::Aucun) {
        ui.Statut(ui.Mnu(mnu::PasDeSpore) + TexteRefus(ui, r.refus));
        return false;
    }
    const contour::AxesEllipse ax = contour::Axes(r.spore->ellipse);
    if (!EcritSporeContour(ui, o.mesure, c, Segment(ax.grand0, ax.grand1),
                           Segment(ax.petit0, ax.petit1), s))
        return false;
    ui.Statut(Remplit(ui.Mnu(mnu::SporeMesuree), {FormatNombre(r.spore->score, "0.00", ui.Sep())}));
    return true;
}

SuitesMesure ApresRelacheUnClic(Orvelle& o, const ContexteMesure& c, Bouton bouton) {
    SuitesMesure s;
    EtatMesure& m = o.mesure;
    const EtatPointage& p = m.pointage;
    if (!o.mesureAuto.unClic || m.NumFonction != fonction::Spores2D || bouton != Bouton::Gauche ||
        m.Etape != 1 || !p.SegmentEnCours || !p.ClicSimple)
        return s;
    // The click opened a segment: the spore under it is measured instead.
    const PointImage point = p.PointDepart;
    OublieMesureEnCours(m);
    MesureSporeEn(o, c, point, s);
    MemoriseCle(m, c.versionImage);
    return s;
}

bool ClicMesureAuto(Orvelle& o, Bouton bouton, PointTwips p) {
    EtatMesureAuto& a = o.mesureAuto;
    VeilleMesureAuto(o);
    a.appui.reset();
    if (a.phase == Phase::Aucune) return false;
    const EtatPointage& pt = o.mesure.pointage;
    if (pt.ZoomPoint || pt.CentrePoint || pt.GlisseImage) return false; // the view's
    if (bouton == Bouton::Gauche && a.phase != Phase::Recherche) {
        a.appui = p;
        a.coin = o.images.vue.VersImage(p);
    }
    return true;
}

bool SuitMesureAuto(Orvelle& o, Bouton boutons, PointTwips p) {
    EtatMesureAuto& a = o.mesureAuto;
    if (a.phase != Phase::Zone || !a.appui || boutons != Bouton::Gauche) return false;
    o.mesure.marques.FixeProvisoires(
        {{GenreMarque::Rectangle, a.coin, o.images.vue.VersImage(p), kCouleurZone, {}}});
    return true;
}

bool RelacheMesureAuto(Orvelle& o, Bouton bouton, PointTwips p) {
    EtatMesureAuto& a = o.mesureAuto;
    VeilleMesureAuto(o);
    if (a.phase == Phase::Aucune) return false;
    const EtatPointage& pt = o.mesure.pointage;
    if (!a.appui) {
        // The release of a press the view took is the view's (an image drag).
        return !(pt.pressionVue || pt.GlisseImage);
    }
    const PointTwips appui = *a.appui;
    a.appui.reset();
    if (bouton != Bouton::Gauche) return true;
    const bool clic = DansTolerance(o.parametres, appui, p);
    if (a.phase == Phase::Zone) {
        o.mesure.marques.FixeProvisoires({});
        contour::Rectangle zone{0, 0, o.images.vue.LargeurPixels(), o.images.vue.HauteurPixels()};
        if (!clic) {
            const contour::Point c0 = VersPixels(a.coin),
                                 c1 = VersPixels(o.images.vue.VersImage(p));
            const int x0 = static_cast<int>(std::floor(std::min(c0.x, c1.x)));
            const int y0 = static_cast<int>(std::floor(std::min(c0.y, c1.y)));
            const int x1 = static_cast<int>(std::ceil(std::max(c0.x, c1.x)));
            const int y1 = static_cast<int>(std::ceil(std::max(c0.y, c1.y)));
            zone = {x0, y0, x1 - x0, y1 - y0};
        }
        LanceRecherche(o, zone);
    } else if (a.phase == Phase::Revue) {
        // A drag measures nothing in the review: what can be done is said.
        if (clic)
            ClicRevue(o, o.images.vue.VersImage(p));
        else
            o.ui.Statut(o.ui.Mnu(mnu::ConsigneRevue));
    }
    return true;
}

bool ToucheMesureAuto(Orvelle& o, Touche touche) {
    EtatMesureAuto& a = o.mesureAuto;
    VeilleMesureAuto(o);
    if (a.phase == Phase::Aucune) return false;
    if (touche == Touche::Echap) {
        AbandonneMesureAuto(o);
        return true;
    }
    if (touche == Touche::Entree && a.phase == Phase::Revue) {
        AccepteRevue(o);
        return true;
    }
    return false;
}

void CommandeMesureAuto(Orvelle& o, Controle c) {
    VeilleMesureAuto(o);
    EtatMesureAuto& a = o.mesureAuto;
    switch (c) {
    case Controle::CaseAccroche:
        // The box is the setting: saved with the others.
        o.parametres.accrocheBord = o.controles(c).coche;
        break;
    case Controle::FonctionUnClic:
        if (o.mesure.NumFonction != fonction::Spores2D) break;
        a.unClic = !a.unClic;
        if (a.unClic) o.ui.Statut(o.ui.Mnu(mnu::CliquerDansSpore));
        break;
    case Controle::TrouveSpores:
        CommenceZone(o);
        break;
    case Controle::AccepteSpores:
        AccepteRevue(o);
        break;
    case Controle::AbandonneRecherche:
        AbandonneMesureAuto(o);
        break;
    default:
        break;
    }
    VeilleMesureAuto(o);
}

void VeilleMesureAuto(Orvelle& o) {
    EtatMesureAuto& a = o.mesureAuto;
    const EtatMesure& m = o.mesure;
    if (a.phase != Phase::Aucune &&
        (a.versionImage != o.images.versionImage || a.fonction != m.NumFonction)) {
        if (a.phase == Phase::Recherche && a.arret) *a.arret = true;
        Termine(o);
        o.ui.Statut(o.ui.Mnu(mnu::RechercheAbandonnee));
    }
    const bool spores = m.NumFonction == fonction::Spores2D;
    if (!spores) a.unClic = false;
    Controles& c = o.controles;
    c.Coche(Controle::FonctionUnClic, a.unClic);
    c.Actif(Controle::FonctionUnClic, spores);
    c.Actif(Controle::TrouveSpores, spores && a.phase == Phase::Aucune && !a.rechercheActive);
    c.Actif(Controle::AccepteSpores, a.phase == Phase::Revue);
    c.Actif(Controle::AbandonneRecherche, a.phase != Phase::Aucune);
}

} // namespace orv
