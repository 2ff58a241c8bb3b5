// Bright-field fields of spores with the truth known: ellipsoid spores with a
// dark wall, a lighter inside and guttules, touching pairs and clusters,
// spores cut by the edge, out-of-focus ones, debris and a hypha, under uneven
// light, blur and noise, optionally through a JPEG round trip.
//
// The ellipse drawn is the wall's outer boundary (the wall lies inside it).
// The length and width given as the truth are those of the outline the eye
// (and the engine) sees: where the grey rises fastest from the wall to the
// medium, for a straight wall of the spore's profile under its blur and the
// pixel's own width. In a sharp picture that is the boundary; blur moves it
// out when the wall is thin (DecalageBordVu). The angle is the major axis's
// from the x axis, clockwise on the screen, in degrees; positions are picture
// pixels from the top-left corner of the top-left pixel.
#pragma once

#include "Synthese.h"

#include <string>
#include <vector>

namespace orv::synthese {

struct Intervalle {
    double min = 0, max = 0;
};

struct ParametresChamp {
    int largeur = 1600, hauteur = 1200;
    unsigned graine = 1;
    int seules = 30;        // spores standing alone, in focus
    int paires = 3;         // touching pairs
    int amas = 1;           // clusters of three
    int coupees = 3;        // spores cut by the picture's edge
    int floues = 2;         // out of focus (blur sigma 5 to 8)
    int debris = 8;         // dark irregular specks, 6 to 40 pixels
    int accoleesDebris = 0; // spores with a speck touching them
    bool hyphe = true;
    Intervalle longueur{30, 120}; // outer length, pixels
    Intervalle q{1.05, 2.5};
    Intervalle paroi{2, 3};    // wall thickness, pixels
    Intervalle flou{1.2, 2.0}; // Gaussian sigma of each spore's blur
    Intervalle transmissionParoi{0.35, 0.6};
    Intervalle transmissionInterieur{0.86, 1.02};
    bool guttules = true;
    double ecartMin = 10; // clear gap between a lone spore and anything else, pixels
    Eclairage eclairage;
    int qualiteJpeg = 0; // 0: no JPEG round trip
};

enum class Genre { Seule, Accolee, Coupee, Floue };

struct SporeVraie {
    double x = 0, y = 0;                        // centre
    double longueur = 0, largeur = 0;           // the outline seen (see above)
    double longueurParoi = 0, largeurParoi = 0; // the wall's outer boundary
    double angle = 0;                           // degrees, (-90, 90]
    double paroi = 0, flou = 0;
    Genre genre = Genre::Seule;
    bool Seule() const { return genre == Genre::Seule; }
};

struct Champ {
    ImageRVB image;
    std::vector<SporeVraie> spores;
    ParametresChamp parametres;
};

Champ GenereChamp(const ParametresChamp& p);

// One line saying how the field was made, for the benchmark's output.
std::string DecritChamp(const ParametresChamp& p);

// How far out of a straight wall's outer boundary its steepest rise lies,
// pixels: a wall `paroi` thick letting `transmissionParoi` of the light
// through, between an inside letting `transmissionInterieur` through and the
// medium, blurred by `flou` (Gaussian sigma) and by the pixel's width.
double DecalageBordVu(double paroi, double flou, double transmissionParoi,
                      double transmissionInterieur);

// One spore alone on a plain field, for the tests: its centre, outer length
// and width, angle, wall, blur and noise given.
struct SporeSeule {
    int largeurImage = 200, hauteurImage = 200;
    // The wall's outer boundary: centre, axes, angle (the outline seen is
    // DecalageBordVu further out).
    double x = 100, y = 100, longueur = 60, largeur = 36, angle = 0;
    double paroi = 2.5, flou = 1.5, bruit = 2.0;
    double transmissionParoi = 0.45, transmissionInterieur = 0.95;
    bool guttule = true;
    unsigned graine = 1;
};
ImageRVB DessineSporeSeule(const SporeSeule& s);

} // namespace orv::synthese
