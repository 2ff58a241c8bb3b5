// The measurement functions: the descriptors of every function (name, column
// headers, column widths), the layout of the grids they give, and the selection
// of the active function with the counts and prompt that go with it.
#pragma once

#include "base/Parametres.h"
#include "interface/Interface.h"
#include "measure/EtatMesure.h"

#include <string>

namespace orv {

inline constexpr int FonctionsMax = 25; // function slots are numbered 0..25

// Fills both descriptor tables. The names and column headers come from the
// text tables, so that they follow the language.
void ConstruitTableFonctions(EtatMesure& m, const TablesTextes& textes);
// The descriptor of function n ("name$columns$header$...$") in the given
// tables; empty for a number without a function.
std::string DescripteurFonction(const TablesTextes& t, int n);
// Descriptor of slot n ("name$count$header$header$...$"), empty for an unused
// slot; the widths descriptor ("cols$width$width$..."). A slot outside 0..25
// is a programming error (std::out_of_range).
const std::string& TableFonctions(const EtatMesure& m, int n);
const std::string& TableLargeurs(const EtatMesure& m, int n);

// Header row of GrilleRef for function n, and NomFonction.
void EnteteGrille(Interface& ui, EtatMesure& m, int n);
// Column count and widths of GrilleRef and MGrille for function n.
void LargeursGrille(Interface& ui, EtatMesure& m, int n);
// The statistics grid takes the columns of GrilleRef: their count and widths,
// and the headers of the value columns ("img" and "comment" excepted).
void DisposeGrilleStatistiques(const EtatMesure& m, GrilleTexte& statistiques);

// The prompt of the active function (message 55) from the tables as they
// are: a language change gives it in the new language.
void RafraichitInvite(Interface& ui, const EtatMesure& m);
// Between two values of a segment function or two corners of the triangle,
// the status bar says what comes next.
void MontreEtapeSuivante(Interface& ui, const EtatMesure& m);

// Applies NumFonction: counters, counts, prompt, grid layout, window caption
// (the statistics grid follows with DisposeGrilleStatistiques).
void SelectionneFonction(Interface& ui, EtatMesure& m, const Parametres& p);

// The start-up function from the settings: 0, or a number that names no
// function, starts spores 2D.
void AppliqueFonctionDemarrage(Interface& ui, EtatMesure& m, const Parametres& p);

// True when slot n describes a function (1-6, 10, 11, 13-16, 20).
bool FonctionExiste(int n);

// How a value column shows its numbers: the user's pattern FDECIMAL; one
// decimal for the volume of spores 2D; whole numbers for the counts; at least
// three significant digits for the densities, whose values are often far
// below 1 (0.0241 must not show as 0.02, nor 0.00).
enum class GenreColonne { Decimal, Volume, Entier, Densite };
GenreColonne GenreDeColonne(int fonction, int colonne);
// A value as column `colonne` of function `fonction` shows it, FDECIMAL
// being `motif`.
std::string TexteColonne(int fonction, int colonne, double valeur, const std::string& motif,
                         char separateur);
// A value with the decimals of `motif`, more when fewer than `chiffres`
// significant digits would show.
std::string FormatSignificatif(double valeur, const std::string& motif, char separateur,
                               int chiffres = 3);

} // namespace orv
