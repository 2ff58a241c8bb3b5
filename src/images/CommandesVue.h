// The image view's commands: the zoom buttons and read-out, the thumbnail,
// recentring and centred zoom, dragging the picture, the window resize rule,
// the magnifier, and showing a new picture.
#pragma once

#include "images/Vue.h"
#include "interface/Controle.h"
#include "platform/Plateforme.h"

#include <string>

namespace orv {

class Orvelle;

// The view changed: bumps versionVue, updates the zoom read-out and, with
// automatic redraw on, draws the marks again (otherwise they are cleared, as a
// fresh view of the picture has none until "retrace").
void AfficheVue(Orvelle& o);
void AfficheZoom(Orvelle& o); // label(2) "Z= " ...
void VueInitiale(Orvelle& o); // start-up and the open-image command
// The zoom buttons; false for another control.
bool ClicZoom(Orvelle& o, Controle c);
void ClicVignette(Orvelle& o, double xVignette, double yVignette);
void Recentre(Orvelle& o, PointTwips p);                 // key C + click
bool ZoomCentre(Orvelle& o, int mode, PointTwips p);     // key Z + click
void DeplaceImage(Orvelle& o, int dxTwips, int dyTwips); // Ctrl + drag
void RedimensionneBoite(Orvelle& o, int largeurTwips, int hauteurTwips);
// Shows a picture of the given size: origin reset unless image-group mode is
// on, versionImage bumped, view redrawn.
void AfficheNouvelleImage(Orvelle& o, const std::string& chemin, TailleImage taille);
void BasculeLoupe(Orvelle& o); // bout(4) "loupe"
// The magnifier shown or hidden by its state, its button coloured while it is on.
void MontreEtatLoupe(Orvelle& o);
void BasculeChampLoupe(Orvelle& o); // key "<>": magnified square 1000 <-> 500 twips

} // namespace orv
