// What every pointing behaviour shares: lengths and scale from picture points,
// the click tolerance, the status prompts, the marks of the measure under way,
// and the writing of a value with its marks into the grid line.
#pragma once

#include "images/Vue.h"
#include "measure/EtatMesure.h"
#include "measure/EtatPointage.h"

#include <optional>
#include <string>
#include <vector>

namespace orv {

class Orvelle;

// One press, release or move, in both spaces (converted once, on arrival).
struct EvenementImage {
    PointTwips twips;
    PointImage image;
    Bouton bouton = Bouton::Aucun;
    Modificateurs mods;
    bool doubleClic = false;
};

// Micrometres per picture unit: the pixel units of one picture unit times the
// calibration factor.
double Echelle(const Orvelle& o);
// `Longueur(LongueurPixels)`: whole pixel units between two picture points
// (halves to even) times the calibration factor.
double Longueur(const Orvelle& o, PointImage a, PointImage b);
// Distance between two picture points in micrometres, not rounded to units.
double DistanceMicrons(const Orvelle& o, PointImage a, PointImage b);

// The values of a triangle P1 P2 P3 (function 15), from its points alone, so
// that a measure and its recomputation from a grid file agree: the surface
// (Heron), the perimeter of the three sides, each a whole number of pixel units
// times the factor as every segment, and the angle at P1 in degrees (0-180).
struct ValeursTriangle {
    double surface = 0, perimetre = 0, angle = 0;
};
ValeursTriangle MesureTriangle(const Orvelle& o, PointImage p1, PointImage p2, PointImage p3);

// The click tolerance, in twips of the box (CLIC x 10).
int ToleranceTwips(const Orvelle& o);
// True when |dx| + |dy| between the two box points is below the tolerance.
bool DansTolerance(const Orvelle& o, PointTwips a, PointTwips b);
// Where a picture point shows in the box, rounded to whole twips.
PointTwips VersBoite(const Orvelle& o, PointImage p);

// Starts a segment at the event's point (PointDepart), and where that start
// shows in the box now.
void CommenceSegment(Orvelle& o, const EvenementImage& e);
PointTwips DepartBoite(const Orvelle& o);

// A value text as the grid writes it (FDECIMAL).
std::string TexteValeur(const Orvelle& o, double valeur);
void Statut(Orvelle& o, const std::string& texte);
// A check box of the window ("Check2" "Poly", "Affmesure" "insère dim").
bool Coche(const Orvelle& o, Controle c);
void Lecture(Orvelle& o, const std::string& texte); // label(9)

// Marks. `role` 1 or 2 picks the colour chosen with "Couleur1" or "Couleur2";
// RoleNumero marks a line number, drawn in colour 1 with the line's number of
// the moment (lines are renumbered when one is deleted).
inline constexpr int RoleNumero = 3;
Marque MarqueLigne(PointImage a, PointImage b, int role);
Marque MarqueCroix(PointImage p, int role);
Marque MarqueTexte(PointImage p, std::string texte, int role);
int CouleurRole(const Orvelle& o, int role);
// A committed mark of the measure under way: drawn now, kept with the value
// `valeur` of the line when it is written.
void MarqueEnCours(Orvelle& o, Marque m, int valeur);
// The line number at the first point of a line, unless "insère dim" is ticked.
void NumeroLigne(Orvelle& o, PointImage p);
// "insère dim" ticked: the value printed along its segment.
void CoteSegment(Orvelle& o, PointImage a, PointImage b, double valeur);
void Provisoires(Orvelle& o, std::vector<Marque> marques);
// Takes marks off the view (colour aside), the latest copy of each.
void RetireFixes(Orvelle& o, const std::vector<MarqueTrace>& marques);

// Writes a value into the current line with AjouteValeur, then moves the marks
// of the measure under way into the line's record (after dropping the marks
// of that value and the following ones, left there by a back-erase). False
// when the grid refused the value; the marks under way are then dropped.
bool EcritValeur(Orvelle& o, double valeur, std::optional<SegmentTrace> segment);
SegmentTrace Segment(PointImage a, PointImage b);

// A grid cell written by a measuring routine itself (derived columns).
void EcritCellule(Orvelle& o, int ligne, int colonne, const std::string& texte);

// Drops every state of the measure under way that is not in the grid
// (segment, vertices, counted points, pending marks, context menu) without
// redrawing.
void OublieMesureEnCours(Orvelle& o);
// Remembers the state of the measure the pointing acted on; `Synchronise`
// drops the measure under way when the state moved meanwhile (function change,
// grid load, back-erase, another picture).
void MemoriseCle(Orvelle& o);
void Synchronise(Orvelle& o);

} // namespace orv
