// The annotation at work in the program: the Illustrer menu, the image box's
// presses, drags and releases while a reference or a text is placed, the
// input dialogue's prompts, and the full-size copy prepared, drawn on and
// offered for saving as the picture's name + "_Ref".
#pragma once

#include "annotation/Annotation.h"
#include "app/Orvelle.h"
#include "interface/Controle.h"
#include "measure/EtatPointage.h"

namespace orv {

ContexteAnnotation ContexteAnnotationDe(const Orvelle& o);

// The Tools > illustrate menu's entries (scale bars, text, font, pen size).
void CommandeAnnotation(Orvelle& o, Controle c);
// "OK" and "Annule" of the input line while an annotation prompt owns it.
void ValideSaisieAnnotation(Orvelle& o);
void AnnuleSaisieAnnotation(Orvelle& o);

// The image box's mouse; true when the annotation took the event.
bool AppuiAnnotation(Orvelle& o, Bouton bouton, PointTwips p);
bool SuitAnnotation(Orvelle& o, PointTwips p);
bool RelacheAnnotation(Orvelle& o, Bouton bouton, PointTwips p);

// The annotation follows the picture shown: another picture drops the view's
// marks and the copy of the old one.
void SuitImageAnnotation(Orvelle& o);

// The pending drawings made on the copy (prepared first from the picture
// when it holds none), then the copy offered for saving.
void DessineCopie(Orvelle& o);

} // namespace orv
