// orvelle-bench --photo WIDTH HEIGHT FILE: writes a made photograph for the
// figures, so that no big picture is stored with the sources. A bright-field
// look: an unevenly lit background, spores with dark walls and lighter
// insides, and the grain of a camera's sensor, saved as a camera would (JPEG,
// quality 92, chroma halved both ways), so that it decodes as slowly as a
// real photograph of its size.
#include "Photo.h"

#include <QImage>
#include <QImageWriter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace orv::banc {

namespace {

// A small, fast generator: the same picture on every machine.
struct Hasard {
    std::uint64_t s;
    std::uint32_t Suivant() {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return static_cast<std::uint32_t>(s >> 16);
    }
    double Uniforme() { return (Suivant() & 0xFFFFFF) / double(0x1000000); }
};

struct Spore {
    double x, y, a, b, c, s; // centre, half axes, cos and sin of the angle
};

} // namespace

bool EcritPhoto(int largeur, int hauteur, const std::string& chemin) {
    if (largeur <= 0 || hauteur <= 0) return false;
    QImage im(largeur, hauteur, QImage::Format_RGB32);
    if (im.isNull()) return false;
    Hasard h{0x9E3779B97F4A7C15ull};
    // Spores about 1/150 of the width long, a few thousand of them.
    const double longueur = largeur / 150.0;
    const int n =
        static_cast<int>(static_cast<double>(largeur) * hauteur / (longueur * longueur) / 12);
    std::vector<Spore> spores;
    for (int i = 0; i < n; ++i) {
        const double t = h.Uniforme() * 3.14159;
        spores.push_back({h.Uniforme() * largeur, h.Uniforme() * hauteur,
                          longueur * (0.4 + 0.2 * h.Uniforme()),
                          longueur * (0.25 + 0.1 * h.Uniforme()), std::cos(t), std::sin(t)});
    }
    // Spores by band of rows, so that each row looks at a few only.
    const int bande = std::max(1, static_cast<int>(longueur));
    std::vector<std::vector<int>> parBande(static_cast<std::size_t>(hauteur / bande + 2));
    for (int i = 0; i < n; ++i) {
        const auto& s = spores[static_cast<std::size_t>(i)];
        const int b0 = std::max(0, static_cast<int>((s.y - s.a) / bande));
        const int b1 =
            std::min(static_cast<int>(parBande.size()) - 1, static_cast<int>((s.y + s.a) / bande));
        for (int b = b0; b <= b1; ++b) parBande[static_cast<std::size_t>(b)].push_back(i);
    }
    const double cx = largeur / 2.0, cy = hauteur / 2.0, r2 = cx * cx + cy * cy;
    for (int y = 0; y < hauteur; ++y) {
        auto* ligne = reinterpret_cast<QRgb*>(im.scanLine(y));
        const auto& proches = parBande[static_cast<std::size_t>(y / bande)];
        for (int x = 0; x < largeur; ++x) {
            // Light falling off towards the corners, slightly yellow.
            const double d = ((x - cx) * (x - cx) + (y - cy) * (y - cy)) / r2;
            double lum = 215 - 60 * d;
            double teinte = 0;
            for (int i : proches) {
                const auto& s = spores[static_cast<std::size_t>(i)];
                const double dx = x - s.x, dy = y - s.y;
                if (std::abs(dx) > s.a || std::abs(dy) > s.a) continue;
                const double u = (dx * s.c + dy * s.s) / s.a, v = (-dx * s.s + dy * s.c) / s.b;
                const double r = u * u + v * v;
                if (r > 1.15) continue;
                // A dark wall about the outline, a lighter, tinted inside.
                const double mur = std::exp(-std::pow((std::sqrt(r) - 1) * 9, 2));
                lum = lum * (1 - 0.65 * mur) + (r < 1 ? 12 : 0);
                teinte = r < 1 ? 18 : teinte;
            }
            const auto grain = [&h] { return (static_cast<int>(h.Suivant() & 31) - 15.5) * 0.6; };
            const auto canal = [](double v) { return std::clamp(static_cast<int>(v), 0, 255); };
            ligne[x] = qRgb(canal(lum + teinte + grain()), canal(lum + 4 + grain()),
                            canal(lum - 25 - teinte + grain()));
        }
    }
    QImageWriter w(QString::fromStdString(chemin), "jpeg");
    w.setQuality(92);
    if (!w.write(im)) {
        std::fprintf(stderr, "orvelle-bench: %s: %s\n", chemin.c_str(),
                     qPrintable(w.errorString()));
        return false;
    }
    return true;
}

} // namespace orv::banc
