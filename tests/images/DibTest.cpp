#include "images/DIBSection.h"
#include "support/DossierEssai.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace orv {
namespace {

// Little-endian fields of a byte string.
std::uint32_t U32(const std::string& s, std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[i])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[i + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[i + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[i + 3])) << 24;
}
std::uint16_t U16(const std::string& s, std::size_t i) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(s[i]) |
                                      static_cast<unsigned char>(s[i + 1]) << 8);
}
std::string Octets(std::initializer_list<int> v) {
    std::string s;
    for (int b : v) s.push_back(static_cast<char>(b));
    return s;
}

PixelsImage Image(int l, int h, std::vector<std::uint32_t> pixels) {
    return PixelsImage{l, h, std::move(pixels)};
}

TEST(DibTest, RowsArePaddedToFourBytes) {
    // 3 bytes a pixel, rounded up to the next multiple of 4.
    for (const auto& [largeur, octets] : {std::pair{1, 4}, {3, 12}, {4, 12}, {5, 16}})
        EXPECT_EQ(aDIBSection::OctetsParLigne(largeur), octets) << largeur;
}

TEST(DibTest, RefusesImpossibleSizesAndEmptiesItself) {
    aDIBSection dib;
    ASSERT_TRUE(dib.Create(2, 2));
    EXPECT_FALSE(dib.Create(0, 5));
    EXPECT_EQ(dib.Width(), 0);
    EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
    EXPECT_FALSE(dib.Create(5, -1));
    // Far more than a BMP file can hold: refused before anything is allocated.
    EXPECT_FALSE(dib.Create(100000, 100000));
    EXPECT_FALSE(dib.Create(1 << 30, 1));
    // Pixels that do not match the stated size.
    EXPECT_FALSE(dib.CreateFromPicture(Image(2, 2, {1, 2, 3})));
    EXPECT_FALSE(dib.CreateFromPicture(Image(0, 0, {})));
    EXPECT_EQ(dib.Height(), 0);

    ASSERT_TRUE(dib.Create(3, 1));
    dib.ClearUp();
    EXPECT_EQ(dib.Width(), 0);
    EXPECT_TRUE(OctetsBMP(dib).empty());
}

// Top row 10 20 30, 40 50 60, 70 80 90; stored bottom-up as blue, green, red.
TEST(DibTest, BmpFileOfATinyPicture) {
    const PixelsImage image =
        Image(3, 2, {0xFF102030u, 0xFF405060u, 0xFF708090u, 0xFFA0B0C0u, 0xFFD0E0F0u, 0xFF010203u});
    aDIBSection dib;
    ASSERT_TRUE(dib.CreateFromPicture(image));
    EXPECT_EQ(dib.Pixel(0, 0), 0x102030u);
    EXPECT_EQ(dib.BytesPerScanLine(), 12);
    const std::string f = OctetsBMP(dib);
    ASSERT_EQ(f.size(), 54u + 2 * 12);
    EXPECT_EQ(f.substr(0, 2), "BM");
    EXPECT_EQ(U32(f, 2), f.size()); // file size
    EXPECT_EQ(U32(f, 6), 0u);       // reserved
    EXPECT_EQ(U32(f, 10), 54u);     // offset of the pixels
    EXPECT_EQ(U32(f, 14), 40u);     // information header
    EXPECT_EQ(U32(f, 18), 3u);
    EXPECT_EQ(U32(f, 22), 2u); // positive: bottom-up
    EXPECT_EQ(U16(f, 26), 1);  // planes
    EXPECT_EQ(U16(f, 28), 24); // bits per pixel
    EXPECT_EQ(U32(f, 30), 0u); // no compression
    EXPECT_EQ(U32(f, 34), 24u);
    EXPECT_EQ(U32(f, 46), 0u); // no palette
    // Bottom row first, 9 bytes of pixels and 3 of padding each.
    EXPECT_EQ(f.substr(54, 12),
              Octets({0xC0, 0xB0, 0xA0, 0xF0, 0xE0, 0xD0, 0x03, 0x02, 0x01, 0, 0, 0}));
    EXPECT_EQ(f.substr(66, 12),
              Octets({0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0x90, 0x80, 0x70, 0, 0, 0}));
    // The same file made straight from the pixels, with no buffer beside them.
    EXPECT_EQ(OctetsBMP(image), f);
    EXPECT_TRUE(OctetsBMP(Image(3, 2, {0xFF102030u})).empty());
}

TEST(DibTest, WrittenFileHoldsTheBytes) {
    const test::DossierEssai dossier{"dib"};
    const auto chemin = dossier / "dib.bmp";
    aDIBSection dib;
    ASSERT_TRUE(dib.Create(7, 5));
    dib.FixePixel(6, 0, 0x123456);
    ASSERT_TRUE(EcritBMP(dib, chemin.string()));
    const std::string lu = test::Lit(chemin);
    EXPECT_EQ(lu, OctetsBMP(dib));
    // Top-right pixel: last row stored, bytes 18..20.
    EXPECT_EQ(lu.substr(54 + 4 * 24 + 18, 3), Octets({0x56, 0x34, 0x12}));
    std::filesystem::remove(chemin);

    aDIBSection vide;
    EXPECT_FALSE(EcritBMP(vide, chemin.string()));
    EXPECT_FALSE(std::filesystem::exists(chemin));
}

} // namespace
} // namespace orv
