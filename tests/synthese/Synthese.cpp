#include "Synthese.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

#include <jpeglib.h>

namespace orv::synthese {

void FlouGaussien(Plan& p, double sigma) {
    if (sigma <= 0.05 || p.largeur == 0 || p.hauteur == 0) return;
    const int r = static_cast<int>(std::ceil(4 * sigma));
    std::vector<float> k(static_cast<std::size_t>(2 * r + 1));
    double s = 0;
    for (int i = -r; i <= r; ++i)
        s += k[static_cast<std::size_t>(i + r)] =
            static_cast<float>(std::exp(-0.5 * i * i / (sigma * sigma)));
    for (float& x : k) x = static_cast<float>(x / s);
    std::vector<float> ligne;
    auto passe = [&](int n, int lignes, auto lire, auto ecrire) {
        ligne.resize(static_cast<std::size_t>(n));
        for (int l = 0; l < lignes; ++l) {
            for (int i = 0; i < n; ++i) ligne[static_cast<std::size_t>(i)] = lire(l, i);
            for (int i = 0; i < n; ++i) {
                float a = 0;
                for (int j = -r; j <= r; ++j)
                    a += k[static_cast<std::size_t>(j + r)] *
                         ligne[static_cast<std::size_t>(std::clamp(i + j, 0, n - 1))];
                ecrire(l, i, a);
            }
        }
    };
    passe(
        p.largeur, p.hauteur, [&](int y, int x) { return p.At(x, y); },
        [&](int y, int x, float a) { p.At(x, y) = a; });
    passe(
        p.hauteur, p.largeur, [&](int x, int y) { return p.At(x, y); },
        [&](int x, int y, float a) { p.At(x, y) = a; });
}

ImageRVB Compose(const Plan& t, const Eclairage& e, std::mt19937& alea) {
    ImageRVB im;
    im.largeur = t.largeur;
    im.hauteur = t.hauteur;
    im.pixels.resize(t.v.size());
    std::normal_distribution<float> bruit(0.0f, static_cast<float>(e.bruit));
    // The wall absorbs blue more than red: the brown of most spores. Linear
    // in the transmittance, as blur acts on light: blurring then tinting is
    // tinting then blurring.
    const double absorption[3] = {0.8, 1.0, 1.25};
    const double teinte[3] = {0.97, 1.0, 0.93};
    const double cx = t.largeur / 2.0, cy = t.hauteur / 2.0;
    const double diag = std::hypot(cx, cy);
    const double ux = std::cos(e.angle), uy = std::sin(e.angle);
    for (int y = 0; y < t.hauteur; ++y)
        for (int x = 0; x < t.largeur; ++x) {
            const double dx = (x + 0.5 - cx) / diag, dy = (y + 0.5 - cy) / diag;
            const double lumiere = e.niveau * (1 + 0.5 * e.pente * (dx * ux + dy * uy)) *
                                   (1 - e.vignettage * (dx * dx + dy * dy));
            const double tr = std::max(0.0f, t.At(x, y));
            std::uint32_t c = 0xFF000000u;
            for (int k = 0; k < 3; ++k) {
                const double v =
                    lumiere * teinte[k] * std::max(0.0, 1 - absorption[k] * (1 - tr)) + bruit(alea);
                c |= static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L))
                     << (16 - 8 * k);
            }
            im.pixels[static_cast<std::size_t>(y) * t.largeur + x] = c;
        }
    return im;
}

std::vector<std::uint8_t> EncodeJpeg(const ImageRVB& image, int qualite) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* tampon = nullptr;
    unsigned long taille = 0;
    jpeg_mem_dest(&c, &tampon, &taille);
    c.image_width = static_cast<JDIMENSION>(image.largeur);
    c.image_height = static_cast<JDIMENSION>(image.hauteur);
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, qualite, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<unsigned char> ligne(static_cast<std::size_t>(image.largeur) * 3);
    while (c.next_scanline < c.image_height) {
        const std::uint32_t* p =
            image.pixels.data() + static_cast<std::size_t>(c.next_scanline) * image.largeur;
        for (int x = 0; x < image.largeur; ++x) {
            ligne[3 * static_cast<std::size_t>(x)] = static_cast<unsigned char>(p[x] >> 16);
            ligne[3 * static_cast<std::size_t>(x) + 1] = static_cast<unsigned char>(p[x] >> 8);
            ligne[3 * static_cast<std::size_t>(x) + 2] = static_cast<unsigned char>(p[x]);
        }
        JSAMPROW l = ligne.data();
        jpeg_write_scanlines(&c, &l, 1);
    }
    jpeg_finish_compress(&c);
    std::vector<std::uint8_t> octets(tampon, tampon + taille);
    jpeg_destroy_compress(&c);
    std::free(tampon);
    return octets;
}

ImageRVB DecodeJpeg(const std::vector<std::uint8_t>& octets) {
    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, octets.data(), static_cast<unsigned long>(octets.size()));
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d);
    ImageRVB im;
    im.largeur = static_cast<int>(d.output_width);
    im.hauteur = static_cast<int>(d.output_height);
    im.pixels.resize(static_cast<std::size_t>(im.largeur) * static_cast<std::size_t>(im.hauteur));
    std::vector<unsigned char> ligne(static_cast<std::size_t>(im.largeur) * 3);
    while (d.output_scanline < d.output_height) {
        const auto y = static_cast<std::size_t>(d.output_scanline);
        JSAMPROW l = ligne.data();
        jpeg_read_scanlines(&d, &l, 1);
        std::uint32_t* p = im.pixels.data() + y * static_cast<std::size_t>(im.largeur);
        for (int x = 0; x < im.largeur; ++x)
            p[x] = 0xFF000000u |
                   (static_cast<std::uint32_t>(ligne[3 * static_cast<std::size_t>(x)]) << 16) |
                   (static_cast<std::uint32_t>(ligne[3 * static_cast<std::size_t>(x) + 1]) << 8) |
                   ligne[3 * static_cast<std::size_t>(x) + 2];
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    return im;
}

ImageRVB AllerRetourJpeg(const ImageRVB& image, int qualite) {
    return DecodeJpeg(EncodeJpeg(image, qualite));
}

bool EcritBmp(const ImageRVB& image, const std::string& chemin) {
    const int w = image.largeur, h = image.hauteur;
    const int ligne = (3 * w + 3) / 4 * 4;
    const std::uint32_t donnees = static_cast<std::uint32_t>(ligne) * static_cast<std::uint32_t>(h);
    std::vector<std::uint8_t> o(54 + donnees, 0);
    auto ecrit32 = [&](std::size_t at, std::uint32_t v) {
        for (int k = 0; k < 4; ++k)
            o[at + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(v >> (8 * k));
    };
    o[0] = 'B';
    o[1] = 'M';
    ecrit32(2, 54 + donnees);
    ecrit32(10, 54);
    ecrit32(14, 40);
    ecrit32(18, static_cast<std::uint32_t>(w));
    ecrit32(22, static_cast<std::uint32_t>(h));
    o[26] = 1;
    o[28] = 24;
    ecrit32(34, donnees);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* d =
            o.data() + 54 + static_cast<std::size_t>(h - 1 - y) * static_cast<std::size_t>(ligne);
        const std::uint32_t* p =
            image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
        for (int x = 0; x < w; ++x) {
            d[3 * x] = static_cast<std::uint8_t>(p[x]);
            d[3 * x + 1] = static_cast<std::uint8_t>(p[x] >> 8);
            d[3 * x + 2] = static_cast<std::uint8_t>(p[x] >> 16);
        }
    }
    return EcritOctets(o, chemin);
}

bool EcritOctets(const std::vector<std::uint8_t>& octets, const std::string& chemin) {
    std::ofstream f(chemin, std::ios::binary);
    f.write(reinterpret_cast<const char*>(octets.data()),
            static_cast<std::streamsize>(octets.size()));
    return static_cast<bool>(f);
}

} // namespace orv::synthese
