// Routes of the mouse on the image box. A press tests the modes in this
// order: the view keys Z and C, the image drag, counting, and last the
// measuring routine of the active function. A press while Z or C is held or
// while the image is dragged never counts nor measures: it asks app/ for the
// change of view.
#include "measure/Pointage.h"

#include "interface/Messages.h"
#include "measure/ComportementPointage.h"
#include "measure/Fonctions.h"

namespace orv {

namespace {

EvenementImage Evenement(const ContexteMesure& c, PointTwips p, Bouton b, Modificateurs m,
                         bool doubleClic) {
    return {p, c.vue.VersImage(p), b, m, doubleClic};
}

bool StadeComptage(const EtatMesure& m) {
    return m.ModeComptage || (m.ModeDensite && m.Etape >= 2);
}

// The behaviour of the segment functions for the value that comes next.
const ComportementPointage& ComportementSegments(const ActionPointage& a) {
    const auto& m = a.m;
    if (m.LigneBrisee && m.Etape == 1) return PointageLigneBrisee();
    const bool spore = m.NumFonction == fonction::Spores2D || m.NumFonction == fonction::Spores3D;
    if (spore && m.Etape == 2 && a.ctx.parametres.modePointage == 2) return PointagePalmer();
    return PointageSegment();
}

// The behaviour of the active function; nothing for the colour function,
// whose press asks app/ for a sample (the zone is the colour's).
const ComportementPointage* ComportementActif(const ActionPointage& a) {
    const auto& m = a.m;
    if (m.ModeTriangle) return &PointageTriangle();
    if (m.ModePolygone) return &PointagePolygone();
    if (m.ModeComptage) return &PointageComptage();
    if (m.ModeDensite) return m.Etape >= 2 ? &PointageComptage() : &PointageDensite();
    if (m.NumFonction == fonction::Couleur) return nullptr;
    return &ComportementSegments(a);
}

void Aiguille(ActionPointage& a, const EvenementImage& e, bool enfonce) {
    if (!a.ctx.vue.ImageChargee()) return;
    const auto& m = a.m;
    if (m.ModeDensite && !m.ModeTriangle && !m.ModePolygone) {
        a.ui.controles.Visible(Controle::CadreMesure, true);
        if (m.Etape == 1) {
            if (enfonce) a.ui.Statut(a.ui.Msg(msg::MarquerSurface));
        } else if (enfonce) {
            a.ui.Statut(a.ui.Msg(msg::CompterValider));
            a.ui.controles.Couleur(Controle::BoutonComptage, std::nullopt);
        }
    }
    if (m.NumFonction == fonction::Couleur && !m.ModeComptage && !m.ModeDensite &&
        !m.ModeTriangle && !m.ModePolygone) {
        if (enfonce && e.bouton == Bouton::Gauche) a.suites.echantillon = e.image;
        return;
    }
    const ComportementPointage* c = ComportementActif(a);
    if (!c) return;
    if (enfonce)
        c->Presse(a, e);
    else
        c->Relache(a, e);
}

} // namespace

SuitesMesure ClicImage(Interface& ui, EtatMesure& m, const ContexteMesure& c, Bouton bouton,
                       Modificateurs mods, PointTwips pt, bool doubleClic) {
    SuitesMesure s;
    ActionPointage a{ui, m, c, s};
    Synchronise(ui, m, c.versionImage);
    auto& p = m.pointage;
    // A new press: a cancellation no longer waits for its release, and a
    // context menu left unanswered counts as closed.
    p.IgnoreRelache = false;
    p.pressionVue = false;
    p.ctrlSeul = false; // a drag with Ctrl held leaves the drag state as it was
    if (p.menuContextuel || p.enAttente) FermeMenuContextuel(ui, m, c);

    const EvenementImage e = Evenement(c, pt, bouton, mods, doubleClic);
    p.pression = {pt, e.image, bouton};
    if (p.ZoomPoint || p.CentrePoint) {
        p.pressionVue = true;
        if (p.ZoomPoint)
            s.vue = DemandeVue{DemandeVue::Genre::ZoomCentre, pt, bouton == Bouton::Droit ? 2 : 1};
        else
            s.vue = DemandeVue{DemandeVue::Genre::Recentre, pt};
    } else if (p.GlisseImage) {
        // The press of an image drag: the release moves the picture.
    } else {
        Aiguille(a, e, true);
    }
    MemoriseCle(m, c.versionImage);
    return s;
}

SuitesMesure RelacheImage(Interface& ui, EtatMesure& m, const ContexteMesure& c, Bouton bouton,
                          Modificateurs mods, PointTwips pt) {
    SuitesMesure s;
    ActionPointage a{ui, m, c, s};
    Synchronise(ui, m, c.versionImage);
    auto& p = m.pointage;
    ui.Statut(ui.Msg(msg::InviteFonction));
    if (p.GlisseImage) {
        s.vue = DemandeVue{DemandeVue::Genre::Deplace,
                           {pt.x - p.pression.twips.x, pt.y - p.pression.twips.y}};
        AfficheModeGlisse(ui, p);
    } else if (StadeComptage(m)) {
        p.ClicArme = true;
    } else if (p.pressionVue) {
        // The release of a click that zoomed or centred the view: it neither
        // ends a segment nor starts one. A release with Z or C pressed after
        // the press ends the segment as any release does.
    } else if (p.IgnoreRelache) {
        // The release of the click that a cancellation interrupted.
        p.IgnoreRelache = false;
    } else {
        Aiguille(a, Evenement(c, pt, bouton, mods, false), false);
        MontreEtapeSuivante(ui, m);
    }
    MemoriseCle(m, c.versionImage);
    return s;
}

void SuitSouris(Interface& ui, EtatMesure& m, const ContexteMesure& c, Bouton boutons,
                Modificateurs mods, PointTwips pt) {
    SuitesMesure s;
    ActionPointage a{ui, m, c, s};
    Synchronise(ui, m, c.versionImage);
    auto& p = m.pointage;
    const EvenementImage e = Evenement(c, pt, boutons, mods, false);
    const double echelle = Echelle(c);
    p.pointeurXMicrons = e.image.x * echelle;
    p.pointeurYMicrons = e.image.y * echelle;
    if (c.vue.ImageChargee() && !p.GlisseImage)
        if (const ComportementPointage* k = ComportementActif(a)) k->Suit(a, e);
    MemoriseCle(m, c.versionImage);
}

} // namespace orv
