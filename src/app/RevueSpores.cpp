// The search for every spore of a region and its review: the region drawn,
// the search prepared for the window's thread and its end taken back, the
// spores shown, rejected, taken back or added, then written as grid lines.
#include "app/CommandesMesure.h"
#include "app/OutilsMesureAuto.h"
#include "measure/Fonctions.h"
#include "measure/OutilsPointage.h"
#include "measure/SporeContour.h"

namespace orv {

using namespace mesureauto;

namespace {

using Phase = EtatMesureAuto::Phase;

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

} // namespace

namespace mesureauto {

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

} // namespace mesureauto

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

} // namespace orv
