// The image group ("Groupage Multicouche"): images of one microscope field
// gathered from the loader, browsed at the same view position, and given the
// factor of the image shown. The group panel, its buttons, the "mode MC" and
// "Img MC" boxes, and the rules that keep the group in step with the loader.
// The loader's lists are read, never changed: the program's image commands
// rebuild the displayed image list and show an image after these rules.
#pragma once

#include "calibration/EtatCalibrage.h"
#include "images/EtatChargeur.h"
#include "interface/Interface.h"

#include <optional>

namespace orv {

// The group panel's buttons: ">" the loader's selected items join the group,
// "<" the selected row leaves, ">>" every loader item, "<<" none, "OK" closes
// the panel (and the loader's).
enum class ActionGroupe { AjouteSelection, RetireLigne, AjouteTout, RetireTout, Ferme };
void ModifieGroupe(Interface& ui, GroupeImages& g, const EtatChargeur& chargeur,
                   ActionGroupe action);
// A row of ListImgMC selected, or double-clicked: the loader item (0-based)
// to show, nothing when the row is none or a measure is half entered (said).
void SelectionneLigneGroupe(GroupeImages& g, int ligne);
std::optional<int> MontreImageGroupe(Interface& ui, GroupeImages& g, bool mesureInachevee,
                                     int ligne);
// Tools > "caliibr => groupe MC": the factor of slot `slot` (the image
// shown) goes to every image of the group, after the user's Yes.
void CopieCalibrageGroupe(Interface& ui, EtatCalibrage& c, int slot);

// Clears the membership flags only.
void RazGroupe(GroupeImages& g);
// The loader was cleared: the group is emptied.
void GroupeVide(GroupeImages& g);
// Loader item `indexChargeur` (0-based) was removed: it leaves the group and
// the loader indexes after it move down by one.
void GroupeRetireImage(GroupeImages& g, int indexChargeur);

// The group mode becomes `mode` ("mode MC" ticked or not), and the controls
// that follow it ("Img MC", Tools > "caliibr => groupe MC").
void EtatModeGroupe(Interface& ui, EtatCalibrage& c, bool mode);

} // namespace orv
