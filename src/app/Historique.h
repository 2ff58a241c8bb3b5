// Undo and redo of the grid's changes: each change the user makes to the grid
// (a measure, a line deleted, a back-erase, a comment, a clear, an import, a
// grid file read) keeps the work as it was before, so that "Annuler" puts it
// back and "Refaire" takes it again. The grid holds 255 lines at most: a copy
// of the work per step is cheap and far safer than replaying inverse rules.
#pragma once

#include "calibration/EtatCalibrage.h"
#include "measure/NumerosFonctions.h"
#include "measure/Traces.h"

#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv {

class Orvelle;

// What a grid file or an import brings beside the lines: the loader's
// pictures and their factors, the grid's size, and which file the work is.
struct CadreTravail {
    std::vector<std::string> images;
    std::array<double, SlotsGroupe> facteurs{};
    int tGrille = 256;
    std::string FicTrame, cheminTrame, travailSauve, csvImporte;
    friend bool operator==(const CadreTravail&, const CadreTravail&) = default;
};

// The work as a step of the history leaves it: the function, the grid's lines
// with their marks and values, the counters, and the frame.
struct EtatTravail {
    int NumFonction = fonction::Spores2D; // fonction::Numero, as files keep it
    bool PolygoneAuto = true;
    int Etape = 1, LigneCourante = 1, EtapePrec = 1, LignePrec = 1;
    int lignesGrille = 1;
    std::vector<int> largeurs;                    // twips of each column
    std::vector<std::vector<std::string>> lignes; // rows 0 .. LigneCourante of the grid
    std::vector<std::array<double, 7>> valeurs;   // same rows
    std::vector<TraceLigne> traces;               // same rows
    CadreTravail cadre;
};

// One step: the work on one side of a change, and whether the change also
// replaced the frame (a grid file read, an import, "Raz tout").
struct PasHistorique {
    EtatTravail etat;
    bool cadre = false;
    // The command that made the change, as the Edit menu names the step
    // ("Annuler Eff. ligne").
    std::string nom;
};

// The two stacks. A new change clears what could be redone; the oldest steps
// go beyond PasMax.
class Historique {
public:
    static constexpr std::size_t PasMax = 100;

    void Enregistre(PasHistorique avant);
    // The step to put back; `actuel` goes to the other stack. Nothing when
    // there is nothing to undo (redo).
    std::optional<PasHistorique> Annule(EtatTravail actuel);
    std::optional<PasHistorique> Refait(EtatTravail actuel);
    bool PeutAnnuler() const { return !annules_.empty(); }
    bool PeutRefaire() const { return !refaits_.empty(); }
    // The name of the step the next undo (redo) puts back.
    std::string NomAnnulation() const { return annules_.empty() ? "" : annules_.back().nom; }
    std::string NomRetablissement() const { return refaits_.empty() ? "" : refaits_.back().nom; }
    std::size_t Pas() const { return annules_.size(); }

    // The work as the last step left it: the next change is told from it.
    std::optional<EtatTravail> reference;

    // Every state the history holds, the reference included (a change that
    // is no change of the work, as the frame of a picture's points).
    void PourChaqueEtat(const std::function<void(EtatTravail&)>& f);

private:
    std::deque<PasHistorique> annules_, refaits_;
};

// The work of `o` now.
EtatTravail ReleveTravail(const Orvelle& o);

// After every command and pointing event: a change of the grid since the
// last step becomes a step named `nom` after the command that made it (not
// while a measure is half entered: the measure is one step once complete),
// and the Edit menu's entries follow ("Annuler Eff. ligne").
void SuitHistorique(Orvelle& o, const std::string& nom = {});
// Ctrl+Z / Ctrl+Shift+Z and the Edit menu's entries: the work of the step
// before (after) is put back with its marks and statistics. Refused while a
// measure is half entered.
void AnnuleGrille(Orvelle& o);
void RefaitGrille(Orvelle& o);

} // namespace orv
