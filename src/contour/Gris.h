// Grey levels read from the caller's pixels: one pixel, a bilinear sample at
// any picture point, a rectangle reduced by whole blocks, and the noise of a
// picture. Plain C++ so that every file of the engine can use it.
#pragma once

#include "contour/Pixels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace orv::contour {

// Luma of a 0xFFRRGGBB pixel (ITU-R BT.601 weights), 0 to 255.
inline float GrisDe(std::uint32_t p) {
    return 0.299f * static_cast<float>((p >> 16) & 0xFF) +
           0.587f * static_cast<float>((p >> 8) & 0xFF) + 0.114f * static_cast<float>(p & 0xFF);
}

// The grey of pixel (i, j), clamped to the picture.
inline float GrisPixel(const VuePixels& v, int i, int j) {
    i = std::clamp(i, 0, v.largeur - 1);
    j = std::clamp(j, 0, v.hauteur - 1);
    return GrisDe(v.pixels[j * v.pas + i]);
}

// The grey at a picture point, interpolated between the four pixel centres
// around it.
inline float GrisBilineaire(const VuePixels& v, double x, double y) {
    const double u = x - 0.5, w = y - 0.5;
    const double fu = std::floor(u), fw = std::floor(w);
    const int i = static_cast<int>(fu), j = static_cast<int>(fw);
    const float a = static_cast<float>(u - fu), b = static_cast<float>(w - fw);
    if (i >= 0 && j >= 0 && i + 1 < v.largeur && j + 1 < v.hauteur) {
        const std::uint32_t* l0 = v.pixels + j * v.pas + i;
        const std::uint32_t* l1 = l0 + v.pas;
        const float h = GrisDe(l0[0]) + a * (GrisDe(l0[1]) - GrisDe(l0[0]));
        const float d = GrisDe(l1[0]) + a * (GrisDe(l1[1]) - GrisDe(l1[0]));
        return h + b * (d - h);
    }
    const float h = GrisPixel(v, i, j) + a * (GrisPixel(v, i + 1, j) - GrisPixel(v, i, j));
    const float d =
        GrisPixel(v, i, j + 1) + a * (GrisPixel(v, i + 1, j + 1) - GrisPixel(v, i, j + 1));
    return h + b * (d - h);
}

// The grey at a picture point by Keys's cubic convolution over the sixteen
// pixels around it: finer than the bilinear where a thin line's position
// must not depend on where it falls between pixel centres.
float GrisBicubique(const VuePixels& v, double x, double y);

// A rectangle of the picture in grey at full resolution: what one spore's
// outline is sampled from, converted once.
struct Vignette {
    int x0 = 0, y0 = 0, largeur = 0, hauteur = 0;
    std::vector<float> g; // rows top-down
    // Pixel (i, j) of the picture, clamped to the rectangle.
    float Pixel(int i, int j) const {
        i = std::clamp(i - x0, 0, largeur - 1);
        j = std::clamp(j - y0, 0, hauteur - 1);
        return g[static_cast<std::size_t>(j) * static_cast<std::size_t>(largeur) +
                 static_cast<std::size_t>(i)];
    }
    // Interpolated between the four pixel centres around a picture point.
    float Bilineaire(double x, double y) const {
        const double u = x - 0.5 - x0, w = y - 0.5 - y0;
        const double fu = std::floor(u), fw = std::floor(w);
        int i = static_cast<int>(fu), j = static_cast<int>(fw);
        const float a = static_cast<float>(u - fu), b = static_cast<float>(w - fw);
        if (i >= 0 && j >= 0 && i + 1 < largeur && j + 1 < hauteur) {
            const float* l0 = g.data() +
                              static_cast<std::size_t>(j) * static_cast<std::size_t>(largeur) +
                              static_cast<std::size_t>(i);
            const float* l1 = l0 + largeur;
            const float h = l0[0] + a * (l0[1] - l0[0]), d = l1[0] + a * (l1[1] - l1[0]);
            return h + b * (d - h);
        }
        i += x0;
        j += y0;
        const float h = Pixel(i, j) + a * (Pixel(i + 1, j) - Pixel(i, j));
        const float d = Pixel(i, j + 1) + a * (Pixel(i + 1, j + 1) - Pixel(i, j + 1));
        return h + b * (d - h);
    }
};

// The rectangle clipped to the picture (at least one pixel of it).
Vignette Decoupe(const VuePixels& v, Rectangle r);

// A rectangle of the picture in grey, each value the mean of a block of
// `reduction` x `reduction` pixels (blocks cut by the rectangle's far edges
// average what they hold). Value (i, j) covers the picture from
// (x0 + i * reduction, y0 + j * reduction).
struct ImageGris {
    int largeur = 0, hauteur = 0;
    int x0 = 0, y0 = 0, reduction = 1;
    std::vector<std::uint8_t> valeurs; // rows top-down
    std::uint8_t At(int i, int j) const {
        return valeurs[static_cast<std::size_t>(j) * static_cast<std::size_t>(largeur) +
                       static_cast<std::size_t>(i)];
    }
    // Picture point of the centre of value (i, j), and back.
    Point VersImage(double i, double j) const {
        return {x0 + (i + 0.5) * reduction, y0 + (j + 0.5) * reduction};
    }
    Point DepuisImage(Point p) const {
        return {(p.x - x0) / reduction - 0.5, (p.y - y0) / reduction - 0.5};
    }
};

// Converts `zone` (inside the picture), its rows shared between the cores.
ImageGris ReduitEnGris(const VuePixels& v, Rectangle zone, int reduction);

// The standard deviation of the picture's pixel noise in grey levels, from
// the differences between neighbours over a sample of the rectangle (objects'
// edges are few among them: a median is not moved by them).
double BruitPixels(const VuePixels& v, Rectangle zone);

} // namespace orv::contour
