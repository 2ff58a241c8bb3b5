// The pixel buffer a picture is copied into before it is written to a file:
// 24 bits per pixel (blue, green, red), rows stored bottom-up and padded to a
// multiple of 4 bytes, as a device-independent bitmap keeps them; and the BMP
// file made from it.
#pragma once

#include "base/FichierTexte.h"
#include "platform/Plateforme.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

class aDIBSection {
public:
    // Frees what the buffer held, then makes a black picture of the given size;
    // false (and an empty buffer) when the size is not positive or too large.
    bool Create(int largeur, int hauteur);
    // Makes a buffer of the picture's size and copies its pixels in.
    bool CreateFromPicture(const PixelsImage& image);
    // Frees the pixels; also run when the object is destroyed.
    void ClearUp();

    int Width() const { return largeur_; }
    int Height() const { return hauteur_; }
    // Bytes of one stored row: 3 per pixel, rounded up to a multiple of 4.
    int BytesPerScanLine() const { return OctetsParLigne(largeur_); }
    static int OctetsParLigne(int largeur) { return (largeur * 3 + 3) / 4 * 4; }
    const std::uint8_t* DIBSectionBitsPtr() const { return bits_.empty() ? nullptr : bits_.data(); }
    std::uint8_t* DIBSectionBitsPtr() { return bits_.empty() ? nullptr : bits_.data(); }

    // Pixel (x, y) counted from the top-left corner, as 0xRRGGBB.
    std::uint32_t Pixel(int x, int y) const;
    void FixePixel(int x, int y, std::uint32_t rgb);

private:
    std::size_t Position(int x, int y) const;
    int largeur_ = 0, hauteur_ = 0;
    std::vector<std::uint8_t> bits_;
};

// The bytes of a 24-bit BMP file holding the buffer (file header, 40-byte
// information header, the rows as stored); empty for an empty buffer.
std::string OctetsBMP(const aDIBSection& dib);
// The same file made straight from a picture's pixels (no buffer beside it);
// empty for an empty or malformed picture.
std::string OctetsBMP(const PixelsImage& image);
// Writes the buffer as a BMP file, atomically.
Ecriture EcritBMP(const aDIBSection& dib, const std::string& chemin);

} // namespace orv
