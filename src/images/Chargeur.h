// The image loader ("chargeur"): the images of a working session, one slot each
// with its own calibration factor. Adding, showing, removing and clearing
// slots, the open-image and clipboard commands, the list the user sees, and
// the dispatch of the loader's menu entries and buttons.
#pragma once

#include "images/EtatChargeur.h"
#include "interface/Controle.h"

#include "platform/Plateforme.h"

#include <optional>
#include <string>
#include <vector>

namespace orv {

class Orvelle;

// Files of the program folder: the clipboard picture and the acquired picture.
inline constexpr const char* FichierPressePapier = "ImgTempo.bmp";
inline constexpr const char* FichierTwain = "ImageTwain.bmp";

// The text after the last '/' or '\' of a path.
std::string NomFichierImage(const std::string& chemin);
// A measure is half entered (pointing step 2 or more): images cannot change.
bool MesureEnCours(const Orvelle& o);
// The refusal of those commands: the flash message " mesure inachevée".
void RefuseMesureEnCours(Orvelle& o);

// The filter of the open-image dialog.
std::string FiltreImages(const Orvelle& o);
// The picture shown while no image is (empty path of the view), bundled with
// the program; empty when it cannot be found.
std::string CheminImageParDefaut(const Orvelle& o);
void AfficheImageParDefaut(Orvelle& o);

// Shows the image at `chemin` as the selected loader item: picture, path,
// size, slot (selected item + 1), its factor, and the marks with automatic
// redraw on. A file that cannot be read is refused with a message and changes
// nothing; returns false then.
bool appel_img_listchar(Orvelle& o, const std::string& chemin);
// Selects loader item `index` (0-based) and shows it.
bool MontreEmplacement(Orvelle& o, int index);
// The adding rule: an item equal to the path is shown; otherwise the path
// takes a new slot with the current factor and is shown. Refused (false) when
// the file cannot be read or the loader is full.
bool AjouteChemin(Orvelle& o, const std::string& chemin);
// Adds (or shows) the acquired image of the program folder.
bool AjouteImageTwain(Orvelle& o);

// Rebuilds ListImgAff from the loader, or from the group in group mode.
void aff_liste_images(Orvelle& o);
// The slots that no grid line uses (also kept in `inutilisees`).
std::vector<int> AffListeImgUT(Orvelle& o);
// Removes slot k: the slots after it, their factors and every grid line's
// image number above k move down by one. False when there is no slot k.
bool RepEffaceLigne(Orvelle& o, int k);
// Removes every unused slot; returns how many went.
int SupprimeImagesInutilisees(Orvelle& o);
// Empties the loader, the displayed list and the group (the grid stays).
void VideChargeur(Orvelle& o);
// MnuCharg(3): the same after the user's Yes; true when emptied.
bool EffaceListeImages(Orvelle& o);

// The size of the picture at `chemin` when the program can show it: read from
// its header, within the memory budget (MEMOIREIMAGE). Otherwise the refusal
// is said (message 157, the path, and why) and nothing comes back.
std::optional<TailleImage> TailleImageAcceptee(Orvelle& o, const std::string& chemin);
// The picture at `chemin` could not be decoded after all (`raison` says why;
// empty: the file is no picture that decodes). Said; its slot leaves the
// loader unless grid lines use it; the default picture is shown instead, so
// that nothing is measured over an empty box.
void EchecChargementImage(Orvelle& o, const std::string& chemin, const std::string& raison);
// The picture at `chemin` was shown partly filled: its file ends early.
void ImageIncompleteAffichee(Orvelle& o, const std::string& chemin);

// The dimension check of opened pictures: a size other than the first
// picture's is said (the picture is loaded all the same).
void VerifieDimension(Orvelle& o, TailleImage taille);
// MnuFIC(1) "Ouvrir Image" and MnuFIC(4) "Charger image presse papier".
void OuvreImage(Orvelle& o);
// What the open command does once a path is chosen (also for a path given on
// the command line): add, initial zoom, list shown, dimension check.
bool OuvreCheminImage(Orvelle& o, const std::string& chemin);
void ChargeImagePressePapier(Orvelle& o);

// Events of the loader's lists. `index` and `ligne` are 0-based rows.
void SelectionneChargeur(Orvelle& o, int index, std::vector<int> multiple = {});
void DoubleClicChargeur(Orvelle& o, int index);  // ListIMGchar
void ClicListeAffichee(Orvelle& o, int ligne);   // ListImgAff
void ToucheChargeur(Orvelle& o, int codeTouche); // key held in ListIMGchar
void RelacheToucheChargeur(Orvelle& o);

// Menu entries and buttons of the loader, the save frame of the annotated
// copy and the grid's "Cherche": MnuFIC 1 and 4, MnuCharg 1-3, Vald 2 and 3,
// bout 14. False for any other control.
bool ClicChargeur(Orvelle& o, Controle c);

// Gives the image group its access to the loader (o.groupe.chargeur).
void BrancheChargeur(Orvelle& o);

} // namespace orv
