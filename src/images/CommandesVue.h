// The image view's commands: the zoom buttons and read-out, the thumbnail,
// recentring and centred zoom, dragging the picture, the window resize rule,
// bringing a measure back into view, the magnifier, and showing a new picture.
// A command that changes the view bumps `versionVue`: the marks drawn over the
// picture follow it (their owner redraws or clears them, see measure/Marques.h).
#pragma once

#include "images/EtatImages.h"
#include "interface/Controle.h"
#include "interface/Interface.h"
#include "platform/Plateforme.h"

#include <string>

namespace orv {

// The view changed: bumps versionVue and updates the zoom read-out.
void AfficheVue(Interface& ui, EtatImages& im);
void AfficheZoom(Interface& ui, const Vue& v);   // the zoom's label "Z= " ...
void VueInitiale(Interface& ui, EtatImages& im); // start-up and the open-image command
// The zoom buttons; false for another control. The step button changes no
// view: it only toggles the step and its caption.
bool ClicZoom(Interface& ui, EtatImages& im, Controle c);
void ClicVignette(Interface& ui, EtatImages& im, double xVignette, double yVignette);
void Recentre(Interface& ui, EtatImages& im, PointTwips p);                 // key C + click
bool ZoomCentre(Interface& ui, EtatImages& im, int mode, PointTwips p);     // key Z + click
void DeplaceImage(Interface& ui, EtatImages& im, int dxTwips, int dyTwips); // Ctrl + drag
void RedimensionneBoite(Interface& ui, EtatImages& im, int largeurTwips, int hauteurTwips);
// The picture point (x, y) at the centre of the box, at zoom exponent `zoom`.
void CentreSur(Interface& ui, EtatImages& im, double x, double y, int zoom);
// Shows a picture of the given size: origin reset unless `gardeOrigine` (the
// image group's pictures are all seen at the same place), versionImage bumped,
// view shown.
void AfficheNouvelleImage(Interface& ui, EtatImages& im, const std::string& chemin,
                          TailleImage taille, bool gardeOrigine);
void BasculeLoupe(Interface& ui, EtatImages& im); // "loupe"
// The magnifier shown or hidden by its state, its button coloured while it is on.
void MontreEtatLoupe(Interface& ui, const EtatImages& im);
void BasculeChampLoupe(EtatImages& im); // key "<>": magnified square 1000 <-> 500 twips

} // namespace orv
