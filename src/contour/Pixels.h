// What the outline engine reads and where it places things: a view over
// pixels someone else decoded, and points and rectangles in picture pixels.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orv::contour {

// Rows of 0xFFRRGGBB values, top row first (what PixelsImage holds, and a
// QImage in Format_RGB32 or Format_ARGB32): the engine never copies them.
struct VuePixels {
    const std::uint32_t* pixels = nullptr;
    int largeur = 0, hauteur = 0;
    std::ptrdiff_t pas = 0; // values (not bytes) from one row to the next
    bool Vide() const { return pixels == nullptr || largeur <= 0 || hauteur <= 0; }
};

// A point of the picture in pixels, (0, 0) the top-left corner of the
// top-left pixel: pixel (i, j) covers [i, i + 1) x [j, j + 1), its centre is
// (i + 0.5, j + 0.5). The grid file's picture units and the colour sample
// count from the same corner.
struct Point {
    double x = 0, y = 0;
};

// A rectangle of whole pixels.
struct Rectangle {
    int x = 0, y = 0, largeur = 0, hauteur = 0;
    bool Vide() const { return largeur <= 0 || hauteur <= 0; }
};

} // namespace orv::contour
