// The colour function at work in the program: a press on the picture sampled
// into a grid line, the zone's preview following the pointer, the colour
// options menu and panel, and the colour files written from the notes dialog.
#pragma once

#include "app/Orvelle.h"
#include "colour/Echantillon.h"
#include "images/Vue.h"
#include "interface/Controle.h"

#include <optional>
#include <string>

namespace orv {

// Where the identifier of the computer is read (a digest of it goes into the
// colour files).
inline constexpr const char* FichierIdMachine = "/etc/machine-id";

// The sample of the zone of the current size centred on the point (xPixel,
// yPixel) of a picture file of the given size; nothing when the zone falls
// outside the picture, or (said) when the file's pixels cannot be read. The
// window's clicks and orvelle-cli's colour command both come here.
std::optional<Echantillon> EchantillonImage(Orvelle& o, const std::string& chemin,
                                            TailleImage taille, double xPixel, double yPixel);

// A press of the colour function at picture point `p`: the sample becomes
// the next grid line, its zone marked with the line's number.
void EchantillonneCouleur(Orvelle& o, PointImage p);
// The zone under the pointer, drawn as a provisional mark.
void ApercuZoneCouleur(Orvelle& o, PointTwips p);

// The colour controls at start-up: the "Calibré" box disabled and unticked,
// the scanner file of the settings.
void InstalleCouleur(Orvelle& o);
// The panel, the options menu and the notes dialog follow the active function.
void MontreCouleur(Orvelle& o);
// Another use of the notes dialog (a line comment, the export) ends the colour notes.
void QuitteNotesCouleur(Orvelle& o);

// The colour function's controls: the sample zone's scroll bar, the
// "calibré" box, the chart and scanner menu entries.
void CommandeCouleur(Orvelle& o, Controle c);
// "Valider" of the comment frame while it holds colour notes: the chart or
// scanner file written.
void ValideNotesCouleur(Orvelle& o);

} // namespace orv
