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

// The menu's entries, the dialogue's "OK" and "Annule" while an annotation
// prompt is shown, and the copy frame's "Ferme"; false for another control
// (or to let the loader close the frame too).
bool ClicAnnotation(Orvelle& o, Controle c);

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
