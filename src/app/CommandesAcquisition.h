// The acquisition and screen-copy commands as the window runs them: what an
// acquisition read on the window's worker thread does to the loader, and the
// saves of the picture, the drawn view and the screen (the acquisition menu's
// two saves, "copie écran" and its Options submenu).
#pragma once

#include "app/Orvelle.h"
#include "base/FichierTexte.h"

#include <optional>
#include <string>

namespace orv {

// The pictures only the window can take.
class PrisesDeVue {
public:
    virtual ~PrisesDeVue() = default;
    // The image box as drawn: the visible part of the picture with its marks.
    virtual std::optional<PixelsImage> VueDessinee() = 0;
    // The whole desktop; nothing where the desktop does not allow it (Wayland).
    virtual std::optional<PixelsImage> Ecran() = 0;
};

enum class IssueAcquisition {
    Reussie,
    AucuneSource,
    Annulee,
    Echec,              // the device failed: the status bar says why
    EcritureImpossible, // the frame was read but its file could not be written
};

// An acquisition may start: not while a measure is half entered (refused
// with its flash message).
bool AcquisitionPermise(Orvelle& o);
// Writes a frame or a saved view as a 24-bit BMP file, as the loader writes
// its pictures, atomically (called on the window's worker thread too).
Ecriture EcritImageAcquise(const PixelsImage& image, const std::string& chemin);

// The acquisition ended. Reussie: the frame was written to `chemin` (a file of
// its own, CheminNouvelleAcquisition) and enters the loader in a slot of its
// own, so that the measures of earlier frames keep their pictures. A frame
// that could not be written is said in a message; a device's failure in the
// status bar (an empty `erreur` for a cancel says nothing); the picture shown
// stays.
bool FinAcquisition(Orvelle& o, IssueAcquisition issue, const std::string& erreur = {},
                    const std::string& chemin = {});

// "Sauver l'image Twain" (the picture without marks) and "Sauver le cadre"
// (the drawn view), under a name the user chooses.
enum class ImageASauver { Image, VueDessinee };
bool SauveImage(Orvelle& o, ImageASauver quoi, PrisesDeVue& prises);
// "copie écran": the whole screen or the work area, as its Options submenu says,
// proposed as "ecran_" + `base` (empty: the picture's name up to its first ".").
bool CopieEcran(Orvelle& o, PrisesDeVue& prises, const std::string& base = {});
// Options > screen copy: the whole screen or the work area.
void CommandeCopieEcran(Orvelle& o, Controle c);

} // namespace orv
