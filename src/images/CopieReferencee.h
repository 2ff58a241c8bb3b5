// The annotated copy of an image and its save frame:
// the copy is written next to the image as its name + "_Ref" in the format
// chosen in the menu "format image export" (F_Img), never over an existing
// file without the user's OK.
#pragma once

#include "images/EtatImages.h"
#include "interface/Interface.h"
#include "platform/Plateforme.h"

#include <optional>
#include <string>

namespace orv {

// Extension of the copy for format entry i of F_Img: "bmp", "JPG", "png",
// "tif"; empty for a format the program does not write.
std::string ExtensionFormat(int format);
// Enables the F_Img entries the program writes, disables the others.
void ActiveFormatsImage(Interface& ui);
// The image path without its extension + "_Ref." + the format's extension
// (BMP when the format is not written).
std::string NomCopieReferencee(const std::string& cheminImage, int format);

// Writes a picture's pixels in the format of entry `format` (BMP by our own
// writer), as "Enregistre" writes the copy: no buffer of the picture's size
// beside it.
bool EcritCopiePixels(Plateforme& p, const PixelsImage& pixels, const std::string& chemin,
                      int format);

// Opens the save frame with a copy to offer (nothing: the plain picture shown).
void OffreCopieReferencee(Interface& ui, EtatChargeur& ch, std::optional<PixelsImage> copie);
// "Enregistre": the copy of the picture shown, in format entry
// `format` of F_Img (EXTIMG); true when it was written.
bool EnregistreCopieReferencee(Interface& ui, EtatImages& im, int format);
// "Ferme".
void FermeCopieReferencee(Interface& ui, EtatChargeur& ch);

} // namespace orv
