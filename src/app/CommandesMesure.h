// The measure at work in the program: each window event and command of the
// measure handed to its rules with what they read from the other subsystems
// (view, calibration factor, picture shown, settings), and what they did
// followed up here: the grid file saved, the statistics recomputed or reset,
// a written value handed to a calibration waiting for it, the view moved.
#pragma once

#include "app/Orvelle.h"
#include "measure/ContexteMesure.h"
#include "measure/OutilsPointage.h"
#include "measure/SuitesMesure.h"

#include <optional>

namespace orv {

// The marks of the picture shown drawn again: its slot's lines, in image-group
// mode the whole group's (the measure's rule, given the slot and the mode).
void RetraceImageMontree(Orvelle& o);
// The same after the view changed (zoom, origin, box size, another picture).
void MarquesImageMontree(Orvelle& o);

// Where the automatic and full-grid saves go: the data folder, whatever folder
// the program started in.
inline constexpr const char* TrameSauvegarde = "TrameSav.trm";
std::string CheminTrameSauvegarde(const Orvelle& o);

// The grid saves of `o`, through its grid file writer.
class SauvegardeTrame final : public SauvegardeGrille {
public:
    explicit SauvegardeTrame(Orvelle& o) : o_(o) {}
    std::string Chemin() const override { return CheminTrameSauvegarde(o_); }
    bool Sauve(const std::string& chemin) override;

private:
    Orvelle& o_;
};

// What the measure reads from the rest of the program for one event.
ContexteMesure ContexteDe(const Orvelle& o, SauvegardeGrille* sauvegarde);
// The follow-up of a measure event or command.
void Suivre(Orvelle& o, const SuitesMesure& s);

// The mouse and the keys of the image box (measure/Pointage.h).
void ClicImage(Orvelle& o, Bouton bouton, Modificateurs mods, PointTwips p,
               bool doubleClic = false);
void SuitSouris(Orvelle& o, Bouton boutons, Modificateurs mods, PointTwips p);
void RelacheImage(Orvelle& o, Bouton bouton, Modificateurs mods, PointTwips p);
void ToucheEnfoncee(Orvelle& o, Touche touche, Modificateurs mods);

// An entry of the image box's context menus (the segment's, the 3D spore's).
void CommandeMenuContextuel(Orvelle& o, Controle entree);
void FermeMenuContextuel(Orvelle& o);
// "Eff.Arr." and "<=".
void EffaceDerniereValeur(Orvelle& o);

// The grid (measure/Grille.h) with its follow-up.
void AjouteValeur(Orvelle& o, double valeur, std::optional<SegmentTrace> segment = {});
bool EffaceGrille(Orvelle& o, bool silencieux);
void RAZ_Grille_total(Orvelle& o);
void Efface_ligne(Orvelle& o, int n);
void EffaceArriere(Orvelle& o);
// "Eff.  ligne" and "Raz gril." ("Raz tout" empties the loader too:
// app/CommandesImages.h).
void CommandeBoutonGrille(Orvelle& o, Controle c);
// A line selected in the grid: the picture it was measured on is named.

// The functions (measure/Fonctions.h); the statistics grid takes the columns.

void LargeursGrille(Orvelle& o, int n);
void SelectionneFonction(Orvelle& o);
void AppliqueFonctionDemarrage(Orvelle& o);
// The Function menu's entries.
void CommandeFonction(Orvelle& o, Controle c);

// The marks of the lines measured on the picture shown, drawn again.

// The view changed: the provisional marks go, the committed ones are drawn
// again (measure/Marques.h).

// The measure's helpers with the view, factors and settings of `o`.

// A pointing option's check box clicked: the measure takes its state.
void CommandeOptionPointage(Orvelle& o, Controle c);

} // namespace orv
