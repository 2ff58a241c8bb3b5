// The measuring functions by the numbers grid files, exports and settings
// keep (NumFonction): code names them, never spells the number.
#pragma once

namespace orv::fonction {

enum Numero : int {
    Segment = 1,
    Spores2D = 2,
    Spores3D = 3,
    Cystides3 = 4, // cystidia with 3, 4 or 5 dimensions
    Cystides4 = 5,
    Cystides5 = 6,
    Comptage1 = 10, // counts in one class, in two
    Comptage2 = 11,
    DensiteEllipse = 13, // counts inside an ellipse or a rectangle
    DensiteRectangle = 14,
    Triangle = 15,
    Polygone = 16,
    Couleur = 20, // colour samples
};

// The functions whose values are lengths pointed as segments.
constexpr bool ParSegments(int n) {
    return n >= Segment && n <= Cystides5;
}

} // namespace orv::fonction
