// The image group ("Groupage Multicouche"): images of one microscope field
// gathered from the loader, browsed at the same view position, and given the
// factor of the image shown. The group panel FraMC(0), its buttons BoutMC, the
// mode check boxes chkMC, and the rules that keep the group in step with the loader.
// The loader's lists are read, never changed: the program's image commands
// rebuild the displayed image list and show an image after these rules.
#pragma once

#include <optional>

namespace orv {

class Orvelle;

// cmdChargeMC and Mntool(3) "Groupage MC": shows or hides the group panel.
void BasculePanneauGroupe(Orvelle& o);
// BoutMC(0..4): ">", "<", ">>", "<<", "OK".
void BoutMC_Click(Orvelle& o, int index);
// chkMC(0) "mode MC", chkMC(1) "Img MC" (their new state is in the registry).
void chkMC_Click(Orvelle& o, int index);
// A row of ListImgMC selected, or double-clicked: the loader item (0-based)
// to show, nothing when the row is none or a measure is half entered (said).
void ListImgMC_Click(Orvelle& o, int ligne);
std::optional<int> ListImgMC_DblClick(Orvelle& o, int ligne);
// Mntool(6) "caliibr => groupe MC": the factor of the image shown goes to
// every image of the group, after the user's Yes.
void CopieCalibrageGroupe(Orvelle& o);

// Clears the membership flags only.
void RazGroupe(Orvelle& o);
// The loader was cleared: the group is emptied.
void GroupeVide(Orvelle& o);
// Loader item `indexChargeur` (0-based) was removed: it leaves the group and
// the loader indexes after it move down by one.
void GroupeRetireImage(Orvelle& o, int indexChargeur);

// The controls that follow the group mode (chkMC(1), Mntool(6)), as at start-up.
void EtatModeGroupe(Orvelle& o);

} // namespace orv
