#include "images/DIBSection.h"

#include <limits>

namespace orv {

namespace {

// Far above any camera picture, and keeps every size of the BMP header within
// its 32-bit fields.
constexpr std::int64_t kOctetsMax = std::int64_t{1} << 31;
constexpr int kTailleEntetes = 14 + 40;
constexpr std::int32_t kPixelsParMetre = 3780; // 96 dpi

void Mot(std::string& s, std::uint16_t v) {
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>(v >> 8));
}

void Double(std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

} // namespace

bool aDIBSection::Create(int largeur, int hauteur) {
    ClearUp();
    if (largeur <= 0 || hauteur <= 0) return false;
    if (largeur > (std::numeric_limits<int>::max() - 3) / 3) return false;
    const std::int64_t taille = std::int64_t{OctetsParLigne(largeur)} * hauteur;
    if (taille + kTailleEntetes >= kOctetsMax) return false;
    bits_.assign(static_cast<std::size_t>(taille), 0);
    largeur_ = largeur;
    hauteur_ = hauteur;
    return true;
}

bool aDIBSection::CreateFromPicture(const PixelsImage& image) {
    const std::int64_t n = std::int64_t{image.largeur} * image.hauteur;
    if (image.largeur <= 0 || image.hauteur <= 0 ||
        static_cast<std::int64_t>(image.pixels.size()) != n) {
        ClearUp();
        return false;
    }
    if (!Create(image.largeur, image.hauteur)) return false;
    for (int y = 0; y < hauteur_; ++y) {
        const std::uint32_t* source =
            image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(largeur_);
        std::uint8_t* ligne = bits_.data() + Position(0, y);
        for (int x = 0; x < largeur_; ++x) {
            const std::uint32_t p = source[x];
            *ligne++ = static_cast<std::uint8_t>(p & 0xFF);
            *ligne++ = static_cast<std::uint8_t>((p >> 8) & 0xFF);
            *ligne++ = static_cast<std::uint8_t>((p >> 16) & 0xFF);
        }
    }
    return true;
}

void aDIBSection::ClearUp() {
    bits_.clear();
    bits_.shrink_to_fit();
    largeur_ = hauteur_ = 0;
}

std::size_t aDIBSection::Position(int x, int y) const {
    // Row 0 of the picture is the last row stored.
    return static_cast<std::size_t>(hauteur_ - 1 - y) *
               static_cast<std::size_t>(BytesPerScanLine()) +
           static_cast<std::size_t>(x) * 3;
}

std::uint32_t aDIBSection::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= largeur_ || y >= hauteur_) return 0;
    const std::uint8_t* p = bits_.data() + Position(x, y);
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
}

void aDIBSection::FixePixel(int x, int y, std::uint32_t rgb) {
    if (x < 0 || y < 0 || x >= largeur_ || y >= hauteur_) return;
    std::uint8_t* p = bits_.data() + Position(x, y);
    p[0] = static_cast<std::uint8_t>(rgb & 0xFF);
    p[1] = static_cast<std::uint8_t>((rgb >> 8) & 0xFF);
    p[2] = static_cast<std::uint8_t>((rgb >> 16) & 0xFF);
}

namespace {

// The file header and the information header of a 24-bit BMP of that size
// (a positive height says the rows are stored bottom-up); `octets` reserved
// for the rows that follow.
std::string EnteteBMP(int largeur, int hauteur) {
    const auto tailleImage = static_cast<std::uint32_t>(aDIBSection::OctetsParLigne(largeur)) *
                             static_cast<std::uint32_t>(hauteur);
    std::string s;
    s.reserve(kTailleEntetes + tailleImage);
    s += "BM";
    Double(s, kTailleEntetes + tailleImage);
    Mot(s, 0);
    Mot(s, 0);
    Double(s, kTailleEntetes);
    Double(s, 40);
    Double(s, static_cast<std::uint32_t>(largeur));
    Double(s, static_cast<std::uint32_t>(hauteur));
    Mot(s, 1);    // planes
    Mot(s, 24);   // bits per pixel
    Double(s, 0); // no compression
    Double(s, tailleImage);
    Double(s, kPixelsParMetre);
    Double(s, kPixelsParMetre);
    Double(s, 0); // colours used
    Double(s, 0); // important colours
    return s;
}

} // namespace

std::string OctetsBMP(const aDIBSection& dib) {
    if (dib.Width() <= 0 || dib.Height() <= 0) return {};
    std::string s = EnteteBMP(dib.Width(), dib.Height());
    s.append(reinterpret_cast<const char*>(dib.DIBSectionBitsPtr()),
             static_cast<std::size_t>(dib.BytesPerScanLine()) *
                 static_cast<std::size_t>(dib.Height()));
    return s;
}

std::string OctetsBMP(const PixelsImage& image) {
    const std::int64_t n = std::int64_t{image.largeur} * image.hauteur;
    if (image.largeur <= 0 || image.hauteur <= 0 ||
        static_cast<std::int64_t>(image.pixels.size()) != n ||
        image.largeur > (std::numeric_limits<int>::max() - 3) / 3 ||
        std::int64_t{aDIBSection::OctetsParLigne(image.largeur)} * image.hauteur + kTailleEntetes >=
            kOctetsMax)
        return {};
    std::string s = EnteteBMP(image.largeur, image.hauteur);
    const auto l = static_cast<std::size_t>(image.largeur);
    const std::size_t bourrage =
        static_cast<std::size_t>(aDIBSection::OctetsParLigne(image.largeur)) - l * 3;
    for (int y = image.hauteur - 1; y >= 0; --y) { // bottom-up
        const std::uint32_t* p = image.pixels.data() + static_cast<std::size_t>(y) * l;
        for (std::size_t x = 0; x < l; ++x) {
            s.push_back(static_cast<char>(p[x] & 0xFF));
            s.push_back(static_cast<char>((p[x] >> 8) & 0xFF));
            s.push_back(static_cast<char>((p[x] >> 16) & 0xFF));
        }
        s.append(bourrage, '\0');
    }
    return s;
}

Ecriture EcritBMP(const aDIBSection& dib, const std::string& chemin) {
    const std::string octets = OctetsBMP(dib);
    if (octets.empty()) return {false, "image vide"};
    return EcritAtomique(chemin, octets);
}

} // namespace orv
