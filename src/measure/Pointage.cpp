// Routes of the mouse on the image box. A press tests the modes in this
// order: the oriented reference being traced, its length being typed, the
// view keys Z and C, the image drag, the annotation modes, counting, the
// calibration pointing, and last the measuring routine of the active
// function. A press while Z or C is held, while the image is dragged or while an
// annotation is placed never counts nor measures.
#include "measure/Pointage.h"

#include "app/Orvelle.h"
#include "images/CommandesVue.h"
#include "measure/ComportementPointage.h"
#include "measure/Marques.h"

namespace orv {

namespace {

EvenementImage Evenement(const Orvelle& o, PointTwips p, Bouton b, Modificateurs m,
                         bool doubleClic) {
    return {p, o.images.vue.VersImage(p), b, m, doubleClic};
}

bool StadeComptage(const Orvelle& o) {
    return o.mesure.ModeComptage || (o.mesure.ModeDensite && o.mesure.Etape >= 2);
}

// The behaviour of the segment functions for the value that comes next.
const ComportementPointage& ComportementSegments(const Orvelle& o) {
    const auto& m = o.mesure;
    if (Coche(o, Controle::CaseLigneBrisee) && m.Etape == 1) return PointageLigneBrisee();
    const bool spore = m.NumFonction == 2 || m.NumFonction == 3;
    if (spore && m.Etape == 2 && o.parametres.modePointage == 2) return PointagePalmer();
    return PointageSegment();
}

// The behaviour of the active function; nothing for the oriented reference and
// the functions whose pointing lives elsewhere (colour).
const ComportementPointage* ComportementActif(const Orvelle& o) {
    const auto& m = o.mesure;
    if (m.ModeTriangle) return &PointageTriangle();
    if (m.ModePolygone) return &PointagePolygone();
    if (o.pointage.ModeOrienteeTrace || o.pointage.ModeOrienteeSaisie) return nullptr;
    if (m.ModeComptage) return &PointageComptage();
    if (m.ModeDensite) return m.Etape >= 2 ? &PointageComptage() : &PointageDensite();
    if (m.NumFonction == 20) return nullptr;
    return &ComportementSegments(o);
}

// The oriented reference of the annotation: a drag from its start to its end.
void PointageOriente(Orvelle& o, const EvenementImage& e, bool enfonce) {
    auto& p = o.pointage;
    if (enfonce) {
        Statut(o, o.textes.Msg(163));
        if (!p.SegmentEnCours) CommenceSegment(o, e);
        return;
    }
    if (!p.SegmentEnCours || DansTolerance(o, DepartBoite(o), e.twips)) return;
    p.SegmentEnCours = false;
    Provisoires(o, {});
    if (p.finOrientee) p.finOrientee(o, p.PointDepart, e.image);
}

void Aiguille(Orvelle& o, const EvenementImage& e, bool enfonce) {
    if (!o.images.vue.ImageChargee()) return;
    auto& p = o.pointage;
    const auto& m = o.mesure;

    if (!m.ModeTriangle && !m.ModePolygone) {
        if (p.ModeOrienteeTrace) {
            PointageOriente(o, e, enfonce);
            return;
        }
        if (p.ModeOrienteeSaisie) return;
        if (m.ModeDensite) {
            o.controles.Visible(Controle::CadreMesure, true);
            if (m.Etape == 1) {
                if (enfonce) Statut(o, o.textes.Msg(72));
            } else if (enfonce) {
                Statut(o, o.textes.Msg(73));
                o.controles.Couleur(Controle::BoutonComptage, std::nullopt);
            }
        }
        if (m.NumFonction == 20 && !m.ModeComptage && !m.ModeDensite) {
            if (enfonce && p.clicCouleur) p.clicCouleur(o, e.twips, e.bouton);
            return;
        }
    }
    const ComportementPointage* c = ComportementActif(o);
    if (!c) return;
    if (enfonce)
        c->Presse(o, e);
    else
        c->Relache(o, e);
}

} // namespace

void AiguilleMesure(Orvelle& o, PointTwips pt, Bouton bouton, bool enfonce, Modificateurs mods,
                    bool doubleClic) {
    Aiguille(o, Evenement(o, pt, bouton, mods, doubleClic), enfonce);
}

void ClicImage(Orvelle& o, Bouton bouton, Modificateurs mods, PointTwips pt, bool doubleClic) {
    Synchronise(o);
    auto& p = o.pointage;
    // A new press: a cancellation no longer waits for its release, and a
    // context menu left unanswered counts as closed.
    p.IgnoreRelache = false;
    p.pressionVue = false;
    p.ctrlSeul = false; // a drag with Ctrl held leaves the drag state as it was
    if (p.menuContextuel || p.enAttente) FermeMenuContextuel(o);

    const EvenementImage e = Evenement(o, pt, bouton, mods, doubleClic);
    p.pression = {pt, e.image, bouton};
    if (p.ModeOrienteeTrace) {
        if (p.debutOrientee) p.debutOrientee(o, pt);
        Aiguille(o, e, true);
    } else if (p.ModeOrienteeSaisie) {
        // The length of the reference is being typed.
    } else if (p.ZoomPoint || p.CentrePoint) {
        p.pressionVue = true;
        const auto vue = o.images.versionVue;
        if (p.ZoomPoint)
            ZoomCentre(o.ui, o.images, bouton == Bouton::Droit ? 2 : 1, pt);
        else
            Recentre(o.ui, o.images, pt);
        if (o.images.versionVue != vue) MarquesVueNeuve(o);
    } else if (p.GlisseImage) {
        // The press of an image drag: the release moves the picture.
    } else if (p.ModeReferenceSimple || p.ModeTexte) {
        if (p.clicAnnotation) p.clicAnnotation(o, pt, bouton);
    } else if (StadeComptage(o)) {
        Aiguille(o, e, true);
    } else if (p.ModeCalibragePoint) {
        if (p.clicCalibrage) p.clicCalibrage(o, pt, bouton);
    } else {
        Aiguille(o, e, true);
    }
    MemoriseCle(o);
}

void RelacheImage(Orvelle& o, Bouton bouton, Modificateurs mods, PointTwips pt) {
    Synchronise(o);
    auto& p = o.pointage;
    Statut(o, o.textes.Msg(55));
    if (p.GlisseImage) {
        const auto vue = o.images.versionVue;
        DeplaceImage(o.ui, o.images, pt.x - p.pression.twips.x, pt.y - p.pression.twips.y);
        if (o.images.versionVue != vue) MarquesVueNeuve(o);
        AfficheModeGlisse(o);
    } else if (StadeComptage(o)) {
        p.ClicArme = true;
    } else if (p.ModeCalibragePoint) {
        o.plateforme.LaisseEvenements();
    } else if (p.pressionVue) {
        // The release of a click that zoomed or centred the view: it neither
        // ends a segment nor starts one. A release with Z or C pressed after
        // the press ends the segment as any release does.
    } else if (p.IgnoreRelache) {
        // The release of the click that a cancellation interrupted.
        p.IgnoreRelache = false;
    } else {
        Aiguille(o, Evenement(o, pt, bouton, mods, false), false);
    }
    MemoriseCle(o);
}

void SuitSouris(Orvelle& o, Bouton boutons, Modificateurs mods, PointTwips pt) {
    Synchronise(o);
    auto& p = o.pointage;
    if (p.ModeOrienteeSaisie) {
        if (p.rappelOrientee) p.rappelOrientee(o);
        return;
    }
    const EvenementImage e = Evenement(o, pt, boutons, mods, false);
    const double echelle = Echelle(o);
    p.pointeurXMicrons = e.image.x * echelle;
    p.pointeurYMicrons = e.image.y * echelle;
    if (o.images.vue.ImageChargee() && !p.GlisseImage) {
        if (p.ModeOrienteeTrace) {
            if (p.SegmentEnCours) Provisoires(o, {MarqueLigne(p.PointDepart, e.image, 1)});
        } else if (const ComportementPointage* c = ComportementActif(o)) {
            c->Suit(o, e);
        }
    }
    if (o.mesure.NumFonction == 20 && p.apercuCouleur) p.apercuCouleur(o, pt);
    MemoriseCle(o);
}

} // namespace orv
