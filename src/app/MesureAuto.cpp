#include "app/MesureAuto.h"

#include "app/CommandesMesure.h"
#include "base/Nombres.h"
#include "contour/Accroche.h"
#include "interface/Messages.h"
#include "measure/Fonctions.h"
#include "measure/OutilsPointage.h"
#include "measure/SporeContour.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string>

namespace orv {

namespace {

using Phase = EtatMesureAuto::Phase;

// Below this length (pixels) an outline has too few pixels to be measured
// to a fraction of one: such spores are measured at a higher magnification.
constexpr double kLongueurMin = 20;
// The snap's reach: a hand is off by screen pixels, so four of them, from
// 4 to 12 pixels of the picture (orvelle-bench-mesure: with hands off by 2
// to 5 pixels of the picture, a reach of 4 leaves a tenth of the ends where
// they fell, one of 12 snaps them as well as the precise ones, and neither
// moved an end in the plain medium).
constexpr double kPorteeEcran = 4, kPorteeMin = 4, kPorteeMax = 12;
// Colours of the review (16-colour palette): the region searched, a spore
// kept, a spore rejected.
constexpr int kCouleurZone = 9;
constexpr int kCouleurGardee = 10;
constexpr int kCouleurRejetee = 12;

contour::Point VersPixels(PointImage p) {
    return {p.x / UnitesImageParPixel, p.y / UnitesImageParPixel};
}

// A point of the outline as a clicked point is kept: picture units.
PointImage VersUnites(contour::Point p) {
    return {Arrondi32(p.x * UnitesImageParPixel), Arrondi32(p.y * UnitesImageParPixel)};
}

SegmentTrace Segment(contour::Point a, contour::Point b) {
    const PointImage pa = VersUnites(a), pb = VersUnites(b);
    return {pa.x, pa.y, pb.x, pb.y};
}

contour::VuePixels VueDe(const VuePixelsImage& v) {
    return {v.pixels, v.largeur, v.hauteur, v.pas};
}

// The pixels of the picture shown, when the image box has decoded all of it.
std::optional<VuePixelsImage> PixelsVus(const Orvelle& o) {
    const Vue& vue = o.images.vue;
    if (!vue.ImageChargee() || o.images.cheminImage.empty()) return std::nullopt;
    auto v = o.plateforme.PixelsAffiches(o.images.cheminImage);
    if (!v || !v->pixels || v->largeur != vue.LargeurPixels() || v->hauteur != vue.HauteurPixels())
        return std::nullopt;
    return v;
}

// The longest spore looked for: half the shorter side of what is searched.
double LongueurMax(int largeur, int hauteur) {
    return std::max(2 * kLongueurMin, std::min(largeur, hauteur) / 2.0);
}

// A text of the tables with its %1, %2... filled in.
std::string Remplit(std::string modele, std::initializer_list<std::string> valeurs) {
    int i = 1;
    for (const std::string& v : valeurs) {
        const std::string marque = "%" + std::to_string(i++);
        if (const auto p = modele.find(marque); p != std::string::npos)
            modele.replace(p, marque.size(), v);
    }
    return modele;
}

std::string TexteRefus(const Interface& ui, contour::Refus r) {
    using R = contour::Refus;
    switch (r) {
    case R::Coupee:
        return ui.Mnu(mnu::RefusCoupee);
    case R::Accolees:
        return ui.Mnu(mnu::RefusAccolees);
    case R::Amas:
        return ui.Mnu(mnu::RefusAmas);
    case R::Floue:
        return ui.Mnu(mnu::RefusFloue);
    case R::Debris:
        return ui.Mnu(mnu::RefusDebris);
    case R::HorsTaille:
        return ui.Mnu(mnu::RefusHorsTaille);
    case R::Aucun:
    case R::Introuvable:
        break;
    }
    return ui.Mnu(mnu::RefusIntrouvable);
}

// Whether `q` lies inside the ellipse grown by `marge` (1: the ellipse itself).
bool Dans(const contour::Ellipse& e, contour::Point q, double marge) {
    const double t = e.angle * std::numbers::pi / 180;
    const double dx = q.x - e.centre.x, dy = q.y - e.centre.y;
    const double u = (dx * std::cos(t) + dy * std::sin(t)) / (e.demiGrandAxe * marge);
    const double v = (-dx * std::sin(t) + dy * std::cos(t)) / (e.demiPetitAxe * marge);
    return u * u + v * v <= 1;
}

// A spore the grid already holds: a line of this picture whose length runs
// through it. Offered rejected, so that accepting all does not count it twice.
bool DejaMesuree(const Orvelle& o, const contour::Ellipse& e) {
    const EtatMesure& m = o.mesure;
    for (int l = 1; l < m.LigneCourante && l < static_cast<int>(m.TraceLignes.size()); ++l) {
        const TraceLigne& t = m.TraceLignes[static_cast<size_t>(l)];
        const SegmentTrace& s = t.segments[1];
        if (t.image != o.images.IndexImage || (s.x1 == s.x2 && s.y1 == s.y2)) continue;
        const PointImage milieu{static_cast<std::int32_t>((std::int64_t{s.x1} + s.x2) / 2),
                                static_cast<std::int32_t>((std::int64_t{s.y1} + s.y2) / 2)};
        if (Dans(e, VersPixels(milieu), 1)) return true;
    }
    return false;
}

// The review drawn: the region searched, each spore's outline with its
// number, a cross over the rejected ones.
void DessineRevue(Orvelle& o) {
    const EtatMesureAuto& a = o.mesureAuto;
    std::vector<Marque> r;
    const contour::Rectangle& z = a.zone;
    r.push_back({GenreMarque::Rectangle,
                 VersUnites({double(z.x), double(z.y)}),
                 VersUnites({double(z.x + z.largeur), double(z.y + z.hauteur)}),
                 kCouleurZone,
                 {}});
    for (size_t k = 0; k < a.revue.size(); ++k) {
        const SporeTrouvee& s = a.revue[k];
        const int couleur = s.rejetee ? kCouleurRejetee : kCouleurGardee;
        const contour::Ellipse& e = s.mesure.ellipse;
        const contour::AxesEllipse ax = contour::Axes(e);
        Marque contour{
            GenreMarque::Contour, VersUnites(ax.grand0), VersUnites(ax.grand1), couleur, {}};
        contour.c = VersUnites(ax.petit1);
        r.push_back(contour);
        // The number beside the outline's top right corner.
        const double t = e.angle * std::numbers::pi / 180;
        const double ex = std::hypot(e.demiGrandAxe * std::cos(t), e.demiPetitAxe * std::sin(t));
        const double ey = std::hypot(e.demiGrandAxe * std::sin(t), e.demiPetitAxe * std::cos(t));
        r.push_back(MarqueTexte(VersUnites({e.centre.x + ex, e.centre.y - ey}),
                                std::to_string(k + 1), couleur));
        if (s.rejetee) {
            const double ux = ax.grand1.x - e.centre.x, uy = ax.grand1.y - e.centre.y;
            const double vx = ax.petit1.x - e.centre.x, vy = ax.petit1.y - e.centre.y;
            const contour::Point c = e.centre;
            r.push_back(MarqueLigne(VersUnites({c.x - ux - vx, c.y - uy - vy}),
                                    VersUnites({c.x + ux + vx, c.y + uy + vy}), couleur));
            r.push_back(MarqueLigne(VersUnites({c.x - ux + vx, c.y - uy + vy}),
                                    VersUnites({c.x + ux - vx, c.y + uy - vy}), couleur));
        }
    }
    o.mesure.marques.FixeRevue(std::move(r));
}

// The review's spores in reading order, each keeping its rejection.
void RangeRevue(EtatMesureAuto& a) {
    std::vector<contour::MesureSpore> m;
    for (const SporeTrouvee& s : a.revue) m.push_back(s.mesure);
    contour::RangeEnLecture(m);
    std::vector<SporeTrouvee> r;
    for (const contour::MesureSpore& x : m) {
        const auto it = std::find_if(a.revue.begin(), a.revue.end(), [&](const SporeTrouvee& s) {
            return s.mesure.ellipse.centre.x == x.ellipse.centre.x &&
                   s.mesure.ellipse.centre.y == x.ellipse.centre.y;
        });
        r.push_back({x, it != a.revue.end() && it->rejetee});
    }
    a.revue = std::move(r);
}

// Back to ordinary measuring: no region, search or review left.
void Termine(Orvelle& o) {
    EtatMesureAuto& a = o.mesureAuto;
    if (a.phase == Phase::Zone) o.mesure.marques.FixeProvisoires({});
    if (a.tache) {
        // Never started: nothing will report its end.
        a.tache.reset();
        a.rechercheActive = false;
    }
    a.phase = Phase::Aucune;
    a.appui.reset();
    a.revue.clear();
    if (!o.mesure.marques.revue.empty()) o.mesure.marques.FixeRevue({});
}

void LanceRecherche(Orvelle& o, contour::Rectangle zone) {
    EtatMesureAuto& a = o.mesureAuto;
    const auto v = PixelsVus(o);
    if (!v) {
        Termine(o);
        o.ui.Statut(o.ui.Mnu(mnu::ImagePasPrete));
        return;
    }
    // Inside the picture, at least a pixel wide.
    const int x0 = std::clamp(zone.x, 0, v->largeur - 1),
              y0 = std::clamp(zone.y, 0, v->hauteur - 1);
    const int x1 = std::clamp(zone.x + zone.largeur, x0 + 1, v->largeur);
    const int y1 = std::clamp(zone.y + zone.hauteur, y0 + 1, v->hauteur);
    zone = {x0, y0, x1 - x0, y1 - y0};
    TacheRecherche t;
    t.numero = ++a.numero;
    t.image = *v;
    t.options.zone = zone;
    t.options.longueurMin = kLongueurMin;
    t.options.longueurMax = LongueurMax(zone.largeur, zone.hauteur);
    a.arret = std::make_shared<std::atomic<bool>>(false);
    t.arret = a.arret;
    a.tache = std::move(t);
    a.rechercheActive = true;
    a.phase = Phase::Recherche;
    a.zone = zone;
    o.ui.Statut(Remplit(o.ui.Mnu(mnu::RechercheProgres), {"0"}));
}

void CommenceZone(Orvelle& o) {
    EtatMesureAuto& a = o.mesureAuto;
    EtatMesure& m = o.mesure;
    if (a.rechercheActive || a.phase != Phase::Aucune) {
        o.ui.Statut(o.ui.Mnu(mnu::RechercheEnCours));
        return;
    }
    if (m.NumFonction != fonction::Spores2D) return;
    if (MesureEnCours(m)) {
        o.ui.Statut(o.ui.Mnu(mnu::LigneCommencee));
        return;
    }
    if (!PixelsVus(o)) {
        o.ui.Statut(o.ui.Mnu(mnu::ImagePasPrete));
        return;
    }
    OublieMesureEnCours(m);
    a.phase = Phase::Zone;
    a.versionImage = o.images.versionImage;
    a.fonction = m.NumFonction;
    a.appui.reset();
    o.ui.Statut(o.ui.Mnu(mnu::TracerZone));
}

// A click in the review: the spore under it is rejected or taken back; a
// click beside every spore measures the one there, if any, and adds it.
void ClicRevue(Orvelle& o, PointImage point) {
    EtatMesureAuto& a = o.mesureAuto;
    const contour::Point q = VersPixels(point);
    for (SporeTrouvee& s : a.revue)
        if (Dans(s.mesure.ellipse, q, 1.15)) {
            s.rejetee = !s.rejetee;
            DessineRevue(o);
            return;
        }
    const auto v = PixelsVus(o);
    if (!v) return;
    contour::OptionsContour opt;
    opt.longueurMin = kLongueurMin;
    opt.longueurMax = LongueurMax(v->largeur, v->hauteur);
    const auto r = contour::TrouveContour(VueDe(*v), q, opt);
    if (!r.spore || r.refus != contour::Refus::Aucun) {
        o.ui.Statut(o.ui.Mnu(mnu::PasDeSpore) + TexteRefus(o.ui, r.refus));
        return;
    }
    a.revue.push_back({*r.spore, false});
    RangeRevue(a);
    DessineRevue(o);
}

} // namespace

contour::ResultatRecherche
TacheRecherche::Execute(const std::function<void(int)>& progression) const {
    contour::OptionsRecherche o = options;
    o.arret = arret.get();
    int dernier = -1;
    o.progression = [&](double f) {
        const int p = std::clamp(static_cast<int>(f * 100), 0, 100);
        if (p != dernier && progression) progression(p);
        dernier = p;
        return !(arret && arret->load());
    };
    return contour::TrouveSpores({image.pixels, image.largeur, image.hauteur, image.pas}, o);
}

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

std::optional<TacheRecherche> PrendTacheRecherche(Orvelle& o) {
    std::optional<TacheRecherche> t = std::move(o.mesureAuto.tache);
    o.mesureAuto.tache.reset();
    return t;
}

void ProgressionRecherche(Orvelle& o, std::uint64_t numero, int pourcent) {
    const EtatMesureAuto& a = o.mesureAuto;
    if (numero != a.numero || a.phase != Phase::Recherche) return;
    o.ui.Statut(Remplit(o.ui.Mnu(mnu::RechercheProgres), {std::to_string(pourcent)}));
}

void FinRecherche(Orvelle& o, std::uint64_t numero, contour::ResultatRecherche r) {
    EtatMesureAuto& a = o.mesureAuto;
    if (numero != a.numero) return;
    a.rechercheActive = false;
    VeilleMesureAuto(o);
    if (a.phase != Phase::Recherche || r.interrompue) return;
    a.zone = r.zone;
    a.ecartees = r.ecartees;
    a.revue.clear();
    for (auto& s : r.spores) {
        const bool deja = DejaMesuree(o, s.ellipse);
        a.revue.push_back({std::move(s), deja});
    }
    const contour::Ecartees& x = a.ecartees;
    const std::string bilan =
        Remplit(o.ui.Mnu(mnu::BilanRecherche),
                {std::to_string(a.revue.size()), std::to_string(x.coupees),
                 std::to_string(x.accolees), std::to_string(x.amas), std::to_string(x.floues),
                 std::to_string(x.debris), std::to_string(x.horsTaille)});
    if (a.revue.empty()) {
        Termine(o);
        o.ui.Statut(bilan);
    } else {
        a.phase = Phase::Revue;
        DessineRevue(o);
        o.ui.Statut(bilan + ". " + o.ui.Mnu(mnu::ConsigneRevue));
    }
    VeilleMesureAuto(o);
}

void AccepteRevue(Orvelle& o) {
    EtatMesureAuto& a = o.mesureAuto;
    VeilleMesureAuto(o);
    if (a.phase != Phase::Revue) return;
    EtatMesure& m = o.mesure;
    if (MesureEnCours(m)) {
        o.ui.Statut(o.ui.Mnu(mnu::LigneCommencee));
        return;
    }
    std::vector<contour::MesureSpore> gardees;
    for (const SporeTrouvee& s : a.revue)
        if (!s.rejetee) gardees.push_back(s.mesure);
    contour::RangeEnLecture(gardees);
    Termine(o);
    // The lines the grid still has room for: its size, and its ceiling.
    const int derniere = std::min({o.parametres.tGrille, LignesMax, m.GrilleRef.Lignes() - 1});
    const int place = std::max(0, derniere + 1 - m.LigneCourante);
    SauvegardeTrame sauvegarde(o);
    const ContexteMesure c = ContexteDe(o, &sauvegarde);
    SuitesMesure s;
    int ecrites = 0;
    for (const contour::MesureSpore& x : gardees) {
        if (ecrites >= place) break;
        const contour::AxesEllipse ax = contour::Axes(x.ellipse);
        if (!EcritSporeContour(o.ui, m, c, Segment(ax.grand0, ax.grand1),
                               Segment(ax.petit0, ax.petit1), s))
            break;
        ++ecrites;
    }
    Suivre(o, s);
    o.ui.Statut(Remplit(o.ui.Mnu(mnu::SporesEcrites), {std::to_string(ecrites)}));
    const int restees = static_cast<int>(gardees.size()) - ecrites;
    if (restees > 0)
        o.plateforme.Message(Remplit(o.ui.Mnu(mnu::SporesSansPlace),
                                     {std::to_string(restees), std::to_string(derniere)}),
                             {}, Icone::Exclamation);
    VeilleMesureAuto(o);
}

void AbandonneMesureAuto(Orvelle& o) {
    EtatMesureAuto& a = o.mesureAuto;
    switch (a.phase) {
    case Phase::Aucune:
        return;
    case Phase::Zone:
        o.ui.Statut(o.ui.Msg(msg::InviteFonction));
        break;
    case Phase::Recherche:
        if (a.arret) *a.arret = true;
        o.ui.Statut(o.ui.Mnu(mnu::RechercheArretee));
        break;
    case Phase::Revue:
        o.ui.Statut(o.ui.Mnu(mnu::RevueAbandonnee));
        break;
    }
    Termine(o);
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
