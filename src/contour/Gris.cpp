#include "contour/Gris.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <cmath>

namespace orv::contour {

ImageGris ReduitEnGris(const VuePixels& v, Rectangle zone, int reduction) {
    ImageGris g;
    g.reduction = std::max(reduction, 1);
    g.x0 = zone.x;
    g.y0 = zone.y;
    const int r = g.reduction;
    g.largeur = (zone.largeur + r - 1) / r;
    g.hauteur = (zone.hauteur + r - 1) / r;
    g.valeurs.assign(static_cast<std::size_t>(g.largeur) * static_cast<std::size_t>(g.hauteur), 0);
    // 0xFFRRGGBB values are the bytes B, G, R, A in memory: OpenCV's BGRA,
    // whose grey conversion and block averaging use the processor's vector
    // instructions and both cores.
    const cv::Mat bgra(zone.hauteur, zone.largeur, CV_8UC4,
                       const_cast<std::uint32_t*>(v.pixels + zone.y * v.pas + zone.x),
                       static_cast<std::size_t>(v.pas) * sizeof(std::uint32_t));
    cv::Mat sortie(g.hauteur, g.largeur, CV_8U, g.valeurs.data());
    if (r == 1) {
        cv::cvtColor(bgra, sortie, cv::COLOR_BGRA2GRAY);
        return g;
    }
    cv::Mat gris;
    cv::cvtColor(bgra, gris, cv::COLOR_BGRA2GRAY);
    // Blocks cut by the far edges average what they hold: the grey padded
    // by repeating its last row and column to whole blocks.
    const int pl = g.largeur * r - zone.largeur, ph = g.hauteur * r - zone.hauteur;
    if (pl > 0 || ph > 0) cv::copyMakeBorder(gris, gris, 0, ph, 0, pl, cv::BORDER_REPLICATE);
    cv::resize(gris, sortie, sortie.size(), 0, 0, cv::INTER_AREA);
    return g;
}

Vignette Decoupe(const VuePixels& v, Rectangle r) {
    Vignette c;
    c.x0 = std::clamp(r.x, 0, v.largeur - 1);
    c.y0 = std::clamp(r.y, 0, v.hauteur - 1);
    c.largeur = std::max(1, std::min(r.x + r.largeur, v.largeur) - c.x0);
    c.hauteur = std::max(1, std::min(r.y + r.hauteur, v.hauteur) - c.y0);
    c.g.resize(static_cast<std::size_t>(c.largeur) * static_cast<std::size_t>(c.hauteur));
    for (int j = 0; j < c.hauteur; ++j) {
        const std::uint32_t* p = v.pixels + (c.y0 + j) * v.pas + c.x0;
        float* o = c.g.data() + static_cast<std::size_t>(j) * static_cast<std::size_t>(c.largeur);
        for (int i = 0; i < c.largeur; ++i) o[i] = GrisDe(p[i]);
    }
    return c;
}

namespace {

// Keys's kernel, a = -0.5.
void Poids(double f, double w[4]) {
    const double f2 = f * f, f3 = f2 * f;
    w[0] = -0.5 * f3 + f2 - 0.5 * f;
    w[1] = 1.5 * f3 - 2.5 * f2 + 1;
    w[2] = -1.5 * f3 + 2 * f2 + 0.5 * f;
    w[3] = 0.5 * f3 - 0.5 * f2;
}

} // namespace

float GrisBicubique(const VuePixels& v, double x, double y) {
    const double u = x - 0.5, w = y - 0.5;
    const double fu = std::floor(u), fw = std::floor(w);
    const int i = static_cast<int>(fu), j = static_cast<int>(fw);
    double px[4], py[4];
    Poids(u - fu, px);
    Poids(w - fw, py);
    double s = 0;
    for (int b = 0; b < 4; ++b) {
        double l = 0;
        for (int a = 0; a < 4; ++a) l += px[a] * GrisPixel(v, i - 1 + a, j - 1 + b);
        s += py[b] * l;
    }
    return static_cast<float>(s);
}

double BruitPixels(const VuePixels& v, Rectangle zone) {
    if (zone.largeur < 3 || zone.hauteur < 3) return 0;
    // About 40 000 places on a regular grid.
    const double aire = static_cast<double>(zone.largeur) * zone.hauteur;
    const int pas = std::max(1, static_cast<int>(std::sqrt(aire / 40000.0)));
    std::vector<float> d;
    for (int y = zone.y + 1; y < zone.y + zone.hauteur - 1; y += pas)
        for (int x = zone.x + 1; x < zone.x + zone.largeur - 1; x += pas) {
            const float c = GrisPixel(v, x, y);
            d.push_back(std::abs(c - 0.5f * (GrisPixel(v, x - 1, y) + GrisPixel(v, x + 1, y))));
        }
    if (d.empty()) return 0;
    auto milieu = d.begin() + static_cast<std::ptrdiff_t>(d.size() / 2);
    std::nth_element(d.begin(), milieu, d.end());
    // c - (l + r) / 2 of white noise has 1.5 times its variance; the grey
    // levels' rounding alone is worth about 0.3.
    return std::max(1.4826 * *milieu / std::sqrt(1.5), 0.3);
}

} // namespace orv::contour
