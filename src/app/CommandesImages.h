// The image commands as the window runs them. Each changes the images state
// through the images rules, then does what follows elsewhere: the marks after a
// view change, the factor of a slot shown or added, the grid lines' image
// numbers when a slot goes, the image group's lists.
#pragma once

#include "app/Orvelle.h"

#include <string>
#include <vector>

namespace orv {

// The view commands, the marks following the new view.
void VueInitiale(Orvelle& o); // start-up and the open-image command
// The zoom buttons; false for another control.
bool ClicZoom(Orvelle& o, Controle c);
void ClicVignette(Orvelle& o, double xVignette, double yVignette);
void RedimensionneBoite(Orvelle& o, int largeurTwips, int hauteurTwips);
// Shows a picture of the given size (the origin stays in image-group mode).
void AfficheNouvelleImage(Orvelle& o, const std::string& chemin, TailleImage taille);

// The default picture of the program's folders; empty when there is none.
std::string CheminImageParDefaut(const Orvelle& o);
// Shows the default picture, in no slot.
void AfficheImageParDefaut(Orvelle& o);

// Shows the image at `chemin` as the selected loader item: picture, path,
// size, slot (selected item + 1), its factor, and the marks with automatic
// redraw on. A file that cannot be read is refused with a message and changes
// nothing; returns false then.
bool MontreImageChargeur(Orvelle& o, const std::string& chemin);
// Selects loader item `index` (0-based) and shows it.
bool MontreEmplacement(Orvelle& o, int index);
// The adding rule: an item equal to the path is shown; otherwise the path
// takes a new slot with the current factor and is shown. Refused (false) when
// the file cannot be read or the loader is full.
bool AjouteChemin(Orvelle& o, const std::string& chemin);
// A new file for the next acquisition, so that no frame replaces another:
// "ImageTwain_NNN.bmp", the first number not taken, in the folder of the
// user's pictures (the program folder only when nothing else can be written).
std::string CheminNouvelleAcquisition(const Orvelle& o);

// Rebuilds the displayed list from the loader, or from the group in group mode.
void AfficheListeImages(Orvelle& o);
// The slots that no grid line uses (also kept in the loader's `inutilisees`).
std::vector<int> EmplacementsInutilises(Orvelle& o);
// Removes slot k: the slots after it, their factors and every grid line's
// image number above k move down by one. False when there is no slot k.
bool RepEffaceLigne(Orvelle& o, int k);
// Adds a block of paths to the loader, each new one in a new slot with the
// factor in use; paths already there and pictures that cannot be read are
// left out. Beyond the 50th slot the rest is refused in one message that says
// how many were not added. Returns how many were added.
int AjouteCheminsBloc(Orvelle& o, const std::vector<std::string>& chemins);
// Removes the given slots (unused ones), the grid lines following them.
void SupprimeEmplacements(Orvelle& o, std::vector<int> slots);
// Empties the loader, the displayed list and the group (the grid stays).
void VideChargeur(Orvelle& o);
// Image list > "Effacer liste images": the same after the user's Yes; true when emptied.
bool EffaceListeImages(Orvelle& o);

// The picture at `chemin` could not be decoded after all (`raison` says why;
// empty: the file is no picture that decodes). Said; its slot leaves the
// loader unless grid lines use it; the default picture is shown instead, so
// that nothing is measured over an empty box.
void EchecChargementImage(Orvelle& o, const std::string& chemin, const std::string& raison);

// File > "Ouvrir Image" and "Charger image presse papier".
void OuvreImage(Orvelle& o);
// What the open command does once a path is chosen (also for a path given on
// the command line): add, initial zoom, list shown, dimension check.
bool OuvreCheminImage(Orvelle& o, const std::string& chemin);
void ChargeImagePressePapier(Orvelle& o);

// Events of the loader's lists. `index` and `ligne` are 0-based rows.
void DoubleClicChargeur(Orvelle& o, int index); // ListIMGchar
void ClicListeAffichee(Orvelle& o, int ligne);  // ListImgAff
// A row of the image group's list double-clicked: that loader item is shown.
void DoubleClicGroupe(Orvelle& o, int ligne);

// "Cherche": brings the measure of the grid line selected back into
// view. Shows the image of that line (the default picture when its slot holds
// none), makes that slot's factor current, and centres the view on the line's
// measure at the zoom stored with it. A line without a measure changes nothing.
void Cherche_spore(Orvelle& o);

// Menu entries and buttons of the loader, the save frame of the annotated
// copy and the grid's "Cherche": File > open a picture, paste a picture, the
// image list's "clear", the annotated copy's "save" and "close"; the two
// commands that empty the loader with the grid, "Raz tout" and the CSV import.
void CommandeChargeur(Orvelle& o, Controle c);
// The folder browser: File > image folder, the image list's "add" and
// "remove" (a block of pictures, the unused ones) and the browser's three
// buttons.
void CommandeRepertoire(Orvelle& o, Controle c);

} // namespace orv
