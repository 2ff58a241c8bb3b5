// One spore measured on its outline from a click inside it: the outline found
// to a fraction of a pixel, the ellipse fitted to it, its Feret diameters, Q
// and how far the outline can be trusted.
//
// The outline is the wall's outer side as the picture shows it, where a
// careful observer puts the ends of a measure: where the grey rises fastest
// from the dark wall to the medium. In a sharp picture that is the wall's
// outer boundary; blur moves it out when the wall is thin (by about a pixel
// for a wall 2 pixels thick under a blur of sigma 2), and nothing in the
// picture tells how much: a thin dark wall and a thicker paler one, blurred,
// differ by less than the noise. The engine finds the rise on rays across
// the wall, fits an ellipse to it, then takes off what its own sampling adds
// and the pull blur gives a curved edge (sigma^2 x curvature / 2), reading
// both from a model of the spore's mean wall profile: the ellipse is where a
// straight wall of that profile would rise fastest. Length and width are its
// axes.
#pragma once

#include "contour/Pixels.h"

#include <optional>
#include <vector>

namespace orv::contour {

struct Ellipse {
    Point centre;
    double demiGrandAxe = 0, demiPetitAxe = 0; // pixels
    // Major axis from the picture's x axis, clockwise on the screen (y
    // downwards), degrees in (-90, 90].
    double angle = 0;
};

// The two ends of the major axis and of the minor axis.
struct AxesEllipse {
    Point grand0, grand1, petit0, petit1;
};
AxesEllipse Axes(const Ellipse& e);

// Why a spore was left out (or not found at all).
enum class Refus {
    Aucun,
    Introuvable, // no closed dark outline around the point
    Coupee,      // cut by the edge of the picture or of the region searched
    Accolees,    // two spores (or a spore and something else) touching
    Amas,        // three or more touching
    Floue,       // out of focus: its wall is spread over too many pixels
    Debris,      // dark, irregular, not a spore's outline
    HorsTaille,  // length outside the range asked for
};

struct MesureSpore {
    Ellipse ellipse;          // the outer outline
    double longueur = 0;      // 2 x the major semi-axis, pixels
    double largeur = 0;       // 2 x the minor semi-axis, pixels
    double q = 0;             // longueur / largeur
    double feretLongueur = 0; // the outline's greatest caliper diameter
    double feretLargeur = 0;  // its extent square to that diameter
    // Quality, 0 to 1: completude x exp(-(residu / 0.8)^2) x
    // (1 - exp(-contraste / 10)). A clean spore scores 0.8 or more; a broken
    // outline, a poor fit or a faint wall lower it.
    double score = 0;
    double completude = 0; // fraction of the rays across the wall that found it on the outline
    double residu = 0;     // RMS distance of the outline's points to the ellipse, pixels
    double contraste = 0;  // depth of the wall under the medium, in noise standard deviations
    // How spread the wall's dark band is (Gaussian sigma, pixels): the blur,
    // with the wall's own thickness in it when the wall is too thin for the
    // two to be told apart.
    double flou = 0;
    std::vector<Point> contour; // the outline's points kept, outer boundary, in order
};

struct OptionsContour {
    double longueurMin = 20, longueurMax = 300; // pixels
    // A wall spread beyond this (MesureSpore::flou) is out of focus.
    double flouMax = 4;
};

struct ResultatContour {
    std::optional<MesureSpore>
        spore; // also given, for the caller to show, when refused for its size
    Refus refus = Refus::Aucun;
};

// The spore around `clic` (a point inside it, picture pixels). A spore
// touching another is refused (Accolees), one larger than `longueurMax`
// comes back with HorsTaille. Answers within a frame.
ResultatContour TrouveContour(const VuePixels& image, Point clic,
                              const OptionsContour& options = {});

} // namespace orv::contour
