// The annotation's rules: scale bars (horizontal from a press, or along a
// dragged direction) and free texts on the view, their prompts in the input
// dialogue, and the same drawings on the picture's full-size copy. A bar of
// L micrometres is the inverse of a measure: measuring it gives L back.
#pragma once

#include "annotation/EtatAnnotation.h"
#include "images/Vue.h"
#include "interface/Controle.h"
#include "interface/Interface.h"

#include <optional>
#include <string>

namespace orv {

// What the annotation reads of the rest of the program at one event.
struct ContexteAnnotation {
    const Vue& vue;
    double coef;                // micrometres per pixel unit
    double facteurResolution;   // as the measures take it
    int couleur;                // first mark colour, palette number
    std::uint32_t couleurCopie; // the same, &HBBGGRR, for the copy
};

// The length, in picture units, of a bar of `microns` micrometres: whole
// pixel units times the factor and the resolution factor give it back.
double LongueurBarre(const Vue& v, double microns, double coef, double facteurResolution);
// The end of a bar `longueur` picture units long from `debut` towards
// (dx, dy) (no direction: straight down). Of the picture points around the
// exact end, the one whose pixel-unit distance is nearest the exact length.
PointImage FinBarre(const Vue& v, PointImage debut, double dx, double dy, double longueur,
                    double facteurResolution);
// The length typed, above zero: the whole text a number, "," or "." as the
// decimal point. The separator that is not the interface's `separateur`,
// followed by exactly three digits, may group thousands ("1,000" with "."
// for decimals): nothing then, as for a text that is no length.
std::optional<double> LongueurSaisie(const std::string& texte, char separateur);
// Pixels of the picture per screen pixel of the view, the copy's scale.
double EchelleCopie(const Vue& v);
// `PointImage`: where a picture point lands on the full-size copy, in its
// pixels; nothing outside the picture.
std::optional<std::pair<double, double>> PointCopie(const Vue& v, PointImage p);

// The Illustrer menu, the copy's options and the unit button; false for
// another control.
bool ClicMenuAnnotation(Interface& ui, EtatAnnotation& a, const Vue& v, Controle c);
// An annotation mode or prompt is on: the image box's events are its own.
bool AnnotationEnCours(const EtatAnnotation& a);

// The mouse on the image box; true when the annotation took the event.
bool AppuiAnnotation(Interface& ui, EtatAnnotation& a, const ContexteAnnotation& c, PointTwips p);
// The rubber band of an oriented drag, while it lasts.
std::optional<Marque> ElastiqueAnnotation(const EtatAnnotation& a, const ContexteAnnotation& c,
                                          PointTwips p);
bool RelacheAnnotation(Interface& ui, EtatAnnotation& a, const ContexteAnnotation& c, PointTwips p);

// "OK" and "Annule" of the input dialogue while a prompt of the annotation is
// shown; false otherwise (the calibration's then). `saisie` is the field's text.
bool ValideAnnotation(Interface& ui, EtatAnnotation& a, const ContexteAnnotation& c,
                      const std::string& saisie);
bool AnnuleAnnotation(Interface& ui, EtatAnnotation& a);

// Another picture is shown: the view's annotation goes.
void OublieMarquesAnnotation(EtatAnnotation& a);

} // namespace orv
