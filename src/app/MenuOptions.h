// The Options menu: each submenu ticks the clicked entry alone and changes one
// setting in memory. Nothing here writes the settings file; the user saves it.
#pragma once

#include "interface/Controle.h"

#include <string>

namespace orv {

class Orvelle;

// An Options-menu item (the image-format and sample-zone submenus included).
void CommandeOptions(Orvelle& o, Controle c);

// The handlers, one per submenu.
void ClicFonctionDemarrage(Orvelle& o, int i); // Fdemarrage
void ClicFormatExport(Orvelle& o, int i);      // mnFormat
// TgrilleMax: false (after saying why) when the grid holds more lines than the
// new size would keep.
bool ClicTailleGrille(Orvelle& o, int i);
void ClicToleranceClic(Orvelle& o, int i);  // Pclic
void ClicDecimales(Orvelle& o, int i);      // Mndecim
void ClicLangue(Orvelle& o, int i);         // MnLang
void ClicStatDefaut(Orvelle& o, int i);     // statdef
void ClicSauvegardeAuto(Orvelle& o, int i); // MNSav
void ClicNotationEclair(Orvelle& o, int i); // NoTexp
void ClicMachineRapide(Orvelle& o);         // MnuOpt 18
// F_Img: false when the entry does not exist or is disabled (nothing changes).
bool ClicFormatImage(Orvelle& o, int i);
// Lrg: false when the index is outside 1..6.
bool ClicZoneCouleur(Orvelle& o, int i);

// Selects the pointing mode: 2 caliper ("Palmer"), 1 two points
// ("Bipoint").
void SelectionneModePointage(Orvelle& o, int mode);
// Ticks, in every Options submenu, the entry that matches the settings in
// memory (and "Notation éclair" the form in use).
void CocheMenusOptions(Orvelle& o);

// Language codes of MnLang 1..5; empty outside.
std::string CodeLangue(int i);

} // namespace orv
