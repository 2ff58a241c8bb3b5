// Draws a level of the picture into the view's pixels, interpolated between
// its four nearest pixels. Where each pixel of the view samples the level is
// counted in whole 1/65536ths of a level pixel, from one position and one step
// per axis: a rectangle of the view drawn alone gives exactly the pixels the
// whole view drawn at once gives there, so that a pan draws only the strip it
// uncovers.
#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

#include <cstdint>
#include <optional>

namespace orv {

// Where the pixels of the view sample the level: pixel (x, y) of the view
// samples the point (x0 + x * pasX, y0 + y * pasY) of the level, in 1/65536ths
// of its pixels, 0 at the centre of its pixel (0, 0).
struct GrilleEchantillons {
    std::int64_t x0 = 0, y0 = 0;
    std::int64_t pasX = 1 << 16, pasY = 1 << 16;
    friend bool operator==(const GrilleEchantillons&, const GrilleEchantillons&) = default;

    static constexpr std::int64_t Unite = 1 << 16;
    // The grid of a view whose left edge shows the level's point `gauche`
    // (in level pixels, 0 at the level's left edge) and whose pixels are
    // `pas` level pixels wide; the same down.
    static GrilleEchantillons Depuis(double gauche, double haut, double pasX, double pasY);
    // The same grid with the view moved by (dx, dy) of its own pixels.
    GrilleEchantillons Decalee(int dx, int dy) const {
        return {x0 + dx * pasX, y0 + dy * pasY, pasX, pasY};
    }
};

// Draws `zone` of `vue` (RGB32) from `niveau` (RGB32), of which only the
// first `lignes` rows may be read. The view's pixels whose centre falls
// outside the level take `fond` when it is given and are left as they were
// otherwise; so are those that would need a row beyond `lignes`.
void Reechantillonne(const QImage& niveau, int lignes, const GrilleEchantillons& g, QImage& vue,
                     QRect zone, std::optional<QRgb> fond);

} // namespace orv
