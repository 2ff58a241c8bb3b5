// The image loader ("chargeur"): the images of a working session, one slot each
// with its own calibration factor. The loader's own rules: its lists and their
// selection, the checks a picture passes before it takes a slot, the clipboard
// picture's file, the path shown while a key is held in the list. What a slot
// change means elsewhere (the slot's factor, the grid lines' image numbers, the
// marks, the image group) is the work of the program's image commands, above.
#pragma once

#include "images/EtatImages.h"
#include "interface/Interface.h"
#include "platform/Plateforme.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv {

// Files of the program folder: the clipboard picture and the acquired picture.
inline constexpr const char* FichierPressePapier = "ImgTempo.bmp";
inline constexpr const char* FichierTwain = "ImageTwain.bmp";

// The text after the last '/' or '\' of a path.
std::string NomFichierImage(const std::string& chemin);
// The refusal of the commands that would change the picture under a
// half-entered measure: the flash message " mesure inachevée".
void RefuseMesureEnCours(Interface& ui);

// The filter of the open-image dialog.
std::string FiltreImages(const Interface& ui);
// The picture shown while no image is (empty path of the view), bundled with
// the program: looked for in the program folder, then in the data folder, in
// `langue` (the settings' language code) first; empty when it cannot be found.
std::string CheminImageParDefaut(const std::string& dossierProgramme,
                                 const std::string& dossierDonnees, const std::string& langue);
// The size at which the default picture `chemin` is shown: 0 x 0 when there
// is none or it cannot be shown within `memoireImageMo`.
TailleImage TailleImageParDefaut(Plateforme& p, const std::string& chemin, int memoireImageMo);

// The size of the picture at `chemin` when the program can show it: read from
// its header, within the memory budget (`memoireImageMo`, MEMOIREIMAGE).
// Otherwise the refusal is said (message 157, the path, and why) and nothing
// comes back.
std::optional<TailleImage> TailleImageAcceptee(Interface& ui, const std::string& chemin,
                                               int memoireImageMo);
// The refusal of a picture that could not be decoded after all (`raison`
// says why; empty: the file is no picture that decodes).
void RefuseImage(Interface& ui, const std::string& chemin, const std::string& raison);
// The picture at `chemin` was shown partly filled: its file ends early.
void ImageIncompleteAffichee(Interface& ui, const std::string& chemin);
// The dimension check of opened pictures: a size other than the first
// picture's is said (the picture is loaded all the same).
void VerifieDimension(Interface& ui, EtatChargeur& ch, TailleImage taille);
// The captions of the picture shown: its path and its size in pixels.
void LegendesImage(Interface& ui, const std::string& chemin, TailleImage taille);

// The item (0-based) that holds `chemin`, if any.
std::optional<int> IndexChemin(const EtatChargeur& ch, const std::string& chemin);
// Puts `chemin` in a new slot after the others; refused (said, false) when the
// loader is full.
bool AjouteEmplacement(Interface& ui, EtatChargeur& ch, const std::string& chemin);
// Rebuilds ListImgAff: the file names of `chemins` (the loader's, or the
// group's in group mode).
void AfficheListeImages(EtatChargeur& ch, const std::vector<std::string>& chemins);
// The slots for which `utilise` is false (also kept in `inutilisees`).
std::vector<int> EmplacementsInutilises(EtatChargeur& ch,
                                        const std::function<bool(int slot)>& utilise);
// Removes slot k from the lists: the items after it move down by one, and so
// does the slot of the picture shown (0 when it was slot k). False when there
// is no slot k.
bool RetireEmplacement(EtatImages& im, int k);
// Empties the loader's lists; the picture shown is in no slot any more.
void VideListes(EtatImages& im);

// The clipboard picture written as a BMP file at `chemin`: its size, or
// nothing after saying why (no picture in the clipboard, a file not written).
std::optional<TailleImage> EcritImagePressePapier(Interface& ui, const std::string& chemin);

// Events of the loader's list. `index` is a 0-based row.
void SelectionneChargeur(EtatChargeur& ch, int index, std::vector<int> multiple = {});
void ToucheChargeur(Interface& ui, const EtatChargeur& ch, int codeTouche); // key held
void RelacheToucheChargeur(Interface& ui);

} // namespace orv
