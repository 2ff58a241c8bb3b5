// Pictures made for the outline engine's tests and benchmark: an RGB picture
// in the engine's 0xFFRRGGBB rows, a Gaussian blur, sensor noise, and the
// JPEG and BMP files a photograph would come in. Nothing here shares code
// with the engine, so that the pictures are a fair test of it.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace orv::synthese {

struct ImageRVB {
    int largeur = 0, hauteur = 0;
    std::vector<std::uint32_t> pixels; // 0xFFRRGGBB, rows top-down
};

// A single-channel float plane.
struct Plan {
    int largeur = 0, hauteur = 0;
    std::vector<float> v;
    Plan() = default;
    Plan(int l, int h, float valeur)
        : largeur(l), hauteur(h),
          v(static_cast<std::size_t>(l) * static_cast<std::size_t>(h), valeur) {}
    float& At(int x, int y) { return v[static_cast<std::size_t>(y) * largeur + x]; }
    float At(int x, int y) const { return v[static_cast<std::size_t>(y) * largeur + x]; }
};

// Separable Gaussian blur, edges extended.
void FlouGaussien(Plan& p, double sigma);

// A picture made of a transmittance plane (1 = the medium), the light
// falling on it, a brown tint for what absorbs, and sensor noise.
struct Eclairage {
    double niveau = 205; // grey of the medium at the picture's centre
    double pente = 0.12; // relative change of the light across the picture
    double angle = 0.6;  // direction of that change, radians
    double vignettage = 0.06;
    double bruit = 2.5; // standard deviation of the noise, grey levels
};
ImageRVB Compose(const Plan& transmission, const Eclairage& e, std::mt19937& alea);

// JPEG at `qualite` (libjpeg), its bytes; and decoded back.
std::vector<std::uint8_t> EncodeJpeg(const ImageRVB& image, int qualite);
ImageRVB DecodeJpeg(const std::vector<std::uint8_t>& octets);
ImageRVB AllerRetourJpeg(const ImageRVB& image, int qualite);

// Files: a 24-bit BMP (read by every picture reader) and a JPEG.
bool EcritBmp(const ImageRVB& image, const std::string& chemin);
bool EcritOctets(const std::vector<std::uint8_t>& octets, const std::string& chemin);

} // namespace orv::synthese
