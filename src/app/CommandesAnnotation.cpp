#include "app/CommandesAnnotation.h"

#include "colour/Palette.h"
#include "images/CopieReferencee.h"
#include "interface/Messages.h"
#include "measure/OutilsPointage.h"

namespace orv {

ContexteAnnotation ContexteAnnotationDe(const Orvelle& o) {
    return {o.images.vue, o.calibrage.CoefCalibrage, o.calibrage.FacteurResolution,
            o.mesure.couleur1, CouleurPalette(o.mesure.couleur1)};
}

void SuitImageAnnotation(Orvelle& o) {
    auto& a = o.annotation;
    if (a.versionImage == o.images.versionImage) return;
    a.versionImage = o.images.versionImage;
    OublieMarquesAnnotation(a);
    a.dessinsCopie.clear();
    // The copy drawn on belongs to the picture it was made from.
    if (a.CopieImageChargee) {
        a.CopieImageChargee = false;
        FermeCopieReferencee(o.ui, o.images.chargeur);
    }
}

void DessineCopie(Orvelle& o) {
    auto& a = o.annotation;
    auto& ch = o.images.chargeur;
    const std::string& image = o.images.cheminImage;
    // The default picture has no file to name a copy after: nothing is offered.
    if (a.dessinsCopie.empty() || image.empty()) {
        a.dessinsCopie.clear();
        return;
    }
    if (!a.CopieImageChargee || !ch.apercu) {
        auto pixels = o.plateforme.LitPixelsImage(image);
        if (!pixels) {
            a.dessinsCopie.clear();
            o.plateforme.Message(o.textes.Msg(msg::ChargementImage) + image, {},
                                 Icone::Exclamation);
            return;
        }
        ch.apercu = std::move(pixels);
        a.CopieImageChargee = true;
    }
    const bool dessine = o.plateforme.DessineImage(*ch.apercu, a.dessinsCopie);
    a.dessinsCopie.clear();
    if (!dessine) {
        o.plateforme.Message(o.textes.Msg(msg::ErreurFichier), {}, Icone::Exclamation);
        return;
    }
    OffreCopieReferencee(o.ui, ch, std::move(ch.apercu));
}

namespace {

// The annotation over, the status bar prompts for the measure again.
void InviteMesure(Orvelle& o) {
    if (AnnotationEnCours(o.annotation)) return;
    o.ui.Statut(o.textes.Msg(o.mesure.NumFonction == fonction::Couleur ? msg::ZoneCouleur
                                                                       : msg::ChoisirCommande));
}

} // namespace

void CommandeAnnotation(Orvelle& o, Controle c) {
    ClicMenuAnnotation(o.ui, o.annotation, o.images.vue, c);
}

void ValideSaisieAnnotation(Orvelle& o) {
    if (!ValideAnnotation(o.ui, o.annotation, ContexteAnnotationDe(o),
                          o.controles.Texte(Controle::TexteSaisie)))
        return;
    InviteMesure(o);
    DessineCopie(o);
}

void AnnuleSaisieAnnotation(Orvelle& o) {
    if (!AnnuleAnnotation(o.ui, o.annotation)) return;
    InviteMesure(o);
}

bool AppuiAnnotation(Orvelle& o, Bouton bouton, PointTwips p) {
    SuitImageAnnotation(o);
    if (!AnnotationEnCours(o.annotation)) return false;
    if (bouton != Bouton::Gauche) return true;
    return AppuiAnnotation(o.ui, o.annotation, ContexteAnnotationDe(o), p);
}

bool SuitAnnotation(Orvelle& o, PointTwips p) {
    if (const auto e = ElastiqueAnnotation(o.annotation, ContexteAnnotationDe(o), p)) {
        Provisoires(o.mesure, {*e});
        return true;
    }
    return o.annotation.ModeOrienteeSaisie;
}

bool RelacheAnnotation(Orvelle& o, Bouton bouton, PointTwips p) {
    if (!AnnotationEnCours(o.annotation)) return false;
    if (bouton != Bouton::Gauche) return true;
    const bool elastique = o.annotation.glisse;
    const bool pris = RelacheAnnotation(o.ui, o.annotation, ContexteAnnotationDe(o), p);
    if (elastique) Provisoires(o.mesure, {});
    return pris;
}

} // namespace orv
