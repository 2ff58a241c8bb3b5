// What every pointing behaviour shares: lengths and scale from picture points,
// the click tolerance and the press that starts a segment, the status prompts,
// the marks of the measure under way, and the writing of a value with its
// marks into the grid line.
#pragma once

#include "base/Parametres.h"
#include "images/Vue.h"
#include "interface/Interface.h"
#include "measure/ContexteMesure.h"
#include "measure/EtatMesure.h"
#include "measure/SuitesMesure.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv {

// One press, release or move, in both spaces (converted once, on arrival).
struct EvenementImage {
    PointTwips twips;
    PointImage image;
    Bouton bouton = Bouton::Aucun;
    Modificateurs mods;
    bool doubleClic = false;
};

// One event of the pointing at work: whom it tells, the measure it changes,
// what it reads from the rest of the program, and what it leaves for app/ to
// follow up.
struct ActionPointage {
    Interface& ui;
    EtatMesure& m;
    const ContexteMesure& ctx;
    SuitesMesure& suites;
};

// Micrometres per picture unit: the pixel units of one picture unit times the
// calibration factor.
double Echelle(const Vue& v, double coef, double facteurResolution);
// `Longueur(LongueurPixels)`: whole pixel units between two picture points
// (halves to even) times the calibration factor.
double Longueur(const Vue& v, PointImage a, PointImage b, double coef, double facteurResolution);
// Distance between two picture points in micrometres, not rounded to units.
double DistanceMicrons(const Vue& v, PointImage a, PointImage b, double coef,
                       double facteurResolution);
// The same with the view and the factors of the event.
double Echelle(const ContexteMesure& c);
double Longueur(const ContexteMesure& c, PointImage a, PointImage b);
double DistanceMicrons(const ContexteMesure& c, PointImage a, PointImage b);

// The values of a triangle P1 P2 P3 (function 15), from its points alone, so
// that a measure and its recomputation from a grid file agree: the surface
// (Heron), the perimeter of the three sides, each a whole number of pixel units
// times the factor as every segment, and the angle at P1 in degrees (0-180).
struct ValeursTriangle {
    double surface = 0, perimetre = 0, angle = 0;
};
ValeursTriangle MesureTriangle(const Vue& v, double coef, double facteurResolution, PointImage p1,
                               PointImage p2, PointImage p3);

// The click tolerance, in twips of the box (CLIC x 10).
int ToleranceTwips(const Parametres& p);
// True when |dx| + |dy| between the two box points is below the tolerance.
bool DansTolerance(const Parametres& p, PointTwips a, PointTwips b);
// Where a picture point shows in the box, rounded to whole twips.
PointTwips VersBoite(const Vue& v, PointImage p);

// Starts a segment at the event's point (PointDepart), and where that start
// shows in the box now.
void CommenceSegment(ActionPointage& a, const EvenementImage& e);
PointTwips DepartBoite(const ActionPointage& a);
// The press and the release of a segment, shared by every two-point pointing
// (segment, caliper, density outline). The press says "pointer l'extrémité"
// and starts the segment unless one is under way. The release tells whether
// the segment ends here: not while none is under way or one waits for its
// context menu, nor within the click tolerance of its start, which only marks
// a click (ClicSimple): the release of a later click ends it.
void PresseSegment(ActionPointage& a, const EvenementImage& e);
bool FinDeSegment(ActionPointage& a, const EvenementImage& e);

// A value text as the grid writes it (FDECIMAL).
std::string TexteValeur(const Parametres& p, char separateur, double valeur);
std::string TexteValeur(const ActionPointage& a, double valeur);
// The read-out of the measure under way.
void Lecture(Interface& ui, const std::string& texte);

// Marks. `role` 1 or 2 picks the colour chosen with "Couleur1" or "Couleur2";
// RoleNumero marks a line number, drawn in colour 1 with the line's number of
// the moment (lines are renumbered when one is deleted).
inline constexpr int RoleNumero = 3;
Marque MarqueLigne(PointImage a, PointImage b, int role);
Marque MarqueCroix(PointImage p, int role);
Marque MarqueTexte(PointImage p, std::string texte, int role);
int CouleurRole(const EtatMesure& m, int role);
// A committed mark of the measure under way: drawn now, kept with the value
// `valeur` of the line when it is written.
void MarqueEnCours(EtatMesure& m, Marque marque, int valeur);
// The line number at the first point of a line, unless "insère dim" is on.
void NumeroLigne(EtatMesure& m, PointImage p);
// "insère dim" on: the value printed along its segment.
void CoteSegment(ActionPointage& a, PointImage debut, PointImage fin, double valeur);
void Provisoires(EtatMesure& m, std::vector<Marque> marques);
// Takes marks off the view (colour aside), the latest copy of each.
void RetireFixes(EtatMesure& m, const std::vector<MarqueTrace>& marques);

// Writes a value into the current line with AjouteValeur, hands what became of
// it to the event's follow-up, then moves the marks of the measure under way
// into the line's record (after dropping the marks of that value and the
// following ones, left there by a back-erase). False when the grid did not
// take the value; the marks under way are then dropped.
bool EcritValeur(ActionPointage& a, double valeur, std::optional<SegmentTrace> segment);
SegmentTrace Segment(PointImage a, PointImage b);

// A grid cell written by a measuring routine itself (derived columns).
void EcritCellule(EtatMesure& m, int ligne, int colonne, const std::string& texte);

// Drops every state of the measure under way that is not in the grid
// (segment, vertices, counted points, pending marks, context menu) without
// redrawing.
void OublieMesureEnCours(EtatMesure& m);
// Remembers the state of the measure the pointing acted on (`versionImage`:
// the picture shown); `Synchronise` drops the measure under way when the state
// moved meanwhile (function change, grid load, back-erase, another picture).
void MemoriseCle(EtatMesure& m, std::uint64_t versionImage);
void Synchronise(Interface& ui, EtatMesure& m, std::uint64_t versionImage);

} // namespace orv
