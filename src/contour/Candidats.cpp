#include "contour/Candidats.h"

#include "contour/AjusteEllipse.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orv::contour {

namespace {

constexpr double kPi = std::numbers::pi;

// The medium's level everywhere: a high percentile of the grey over blocks
// larger than a spore (walls and specks are the darker few), the blocks'
// grid smoothed by a median, then spread bilinearly.
cv::Mat Fond(const cv::Mat& g, int bloc) {
    const int nx = std::max(1, (g.cols + bloc - 1) / bloc),
              ny = std::max(1, (g.rows + bloc - 1) / bloc);
    cv::Mat grille(ny, nx, CV_8U);
    for (int by = 0; by < ny; ++by)
        for (int bx = 0; bx < nx; ++bx) {
            const cv::Rect r(bx * bloc, by * bloc, std::min(bloc, g.cols - bx * bloc),
                             std::min(bloc, g.rows - by * bloc));
            int histo[256] = {};
            for (int y = r.y; y < r.y + r.height; ++y) {
                const std::uint8_t* l = g.ptr<std::uint8_t>(y);
                for (int x = r.x; x < r.x + r.width; ++x) ++histo[l[x]];
            }
            const int rang = r.area() * 3 / 4;
            int cumul = 0, v = 0;
            while (v < 255 && cumul + histo[v] <= rang) cumul += histo[v++];
            grille.at<std::uint8_t>(by, bx) = static_cast<std::uint8_t>(v);
        }
    if (nx >= 3 && ny >= 3) cv::medianBlur(grille, grille, 3);
    cv::Mat fond;
    cv::resize(grille, fond, g.size(), 0, 0, cv::INTER_LINEAR);
    return fond;
}

double Bruit(const cv::Mat& g) {
    std::vector<float> d;
    const int pas = std::max(1, static_cast<int>(std::sqrt(g.total() / 40000.0)));
    for (int y = 0; y < g.rows; y += pas) {
        const std::uint8_t* l = g.ptr<std::uint8_t>(y);
        for (int x = 1; x + 1 < g.cols; x += pas)
            d.push_back(std::abs(l[x] - 0.5f * (l[x - 1] + l[x + 1])));
    }
    if (d.empty()) return 0.5;
    auto m = d.begin() + static_cast<std::ptrdiff_t>(d.size() / 2);
    std::nth_element(d.begin(), m, d.end());
    return std::max(1.4826 * *m / std::sqrt(1.5), 0.5);
}

// The deepest notch of the blob's outline: two spores touching leave two.
double Encoche(const cv::Mat& masque) {
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(masque, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_NONE);
    if (contours.empty()) return 0;
    const auto& c =
        *std::max_element(contours.begin(), contours.end(),
                          [](const auto& a, const auto& b) { return a.size() < b.size(); });
    if (c.size() < 8) return 0;
    std::vector<int> enveloppe;
    cv::convexHull(c, enveloppe, false, false);
    if (enveloppe.size() < 4) return 0;
    // convexityDefects wants the hull's indices in the contour's order.
    std::sort(enveloppe.begin(), enveloppe.end());
    std::vector<cv::Vec4i> defauts;
    try {
        cv::convexityDefects(c, enveloppe, defauts);
    } catch (const cv::Exception&) {
        return 0; // a self-touching outline: no notch worth the name
    }
    double profondeur = 0;
    for (const auto& d : defauts) profondeur = std::max(profondeur, d[3] / 256.0);
    return profondeur;
}

} // namespace

Segmentation TrouveCandidats(const ImageGris& gris, double longueurMin, double longueurMax) {
    Segmentation s;
    s.largeur = gris.largeur;
    s.hauteur = gris.hauteur;
    s.etiquettes.assign(gris.valeurs.size(), 0);
    if (gris.largeur < 4 || gris.hauteur < 4) return s;
    const double r = gris.reduction;
    const cv::Mat g(gris.hauteur, gris.largeur, CV_8U,
                    const_cast<std::uint8_t*>(gris.valeurs.data()));

    const int bloc = std::max(16, static_cast<int>(std::ceil(1.5 * longueurMax / r)));
    const cv::Mat fond = Fond(g, bloc);
    s.bruit = Bruit(g);
    const double niveau = cv::mean(fond)[0];
    // Walls are darker than the medium by a good part of its level; the
    // lighter insides of spores are not, nor is the noise.
    const double haut = std::max(6 * s.bruit, 0.10 * niveau),
                 bas = std::max(3 * s.bruit, 0.06 * niveau);
    cv::Mat sombre;
    cv::subtract(fond, g, sombre); // saturates at 0 where lighter
    cv::Mat faible = sombre > bas, fort = sombre > haut;

    // Hysteresis: the faint parts of a blob are kept when it has a dark core.
    cv::Mat etiq;
    const int n0 = cv::connectedComponents(faible, etiq, 8, CV_32S);
    std::vector<std::uint8_t> garde(static_cast<std::size_t>(n0), 0);
    for (int y = 0; y < g.rows; ++y) {
        const int* e = etiq.ptr<int>(y);
        const std::uint8_t* f = fort.ptr<std::uint8_t>(y);
        for (int x = 0; x < g.cols; ++x)
            if (f[x]) garde[static_cast<std::size_t>(e[x])] = 1;
    }
    cv::Mat masque(g.size(), CV_8U);
    for (int y = 0; y < g.rows; ++y) {
        const int* e = etiq.ptr<int>(y);
        std::uint8_t* m = masque.ptr<std::uint8_t>(y);
        for (int x = 0; x < g.cols; ++x)
            m[x] = e[x] > 0 && garde[static_cast<std::size_t>(e[x])] ? 255 : 0;
    }
    // Small gaps of a wall closed, then the insides filled: everything the
    // medium cannot reach from the edge.
    cv::morphologyEx(masque, masque, cv::MORPH_CLOSE,
                     cv::getStructuringElement(cv::MORPH_ELLIPSE, {3, 3}));
    cv::Mat exterieur;
    cv::copyMakeBorder(masque, exterieur, 1, 1, 1, 1, cv::BORDER_CONSTANT, 0);
    cv::floodFill(exterieur, cv::Point(0, 0), 128);
    const cv::Mat plein = exterieur(cv::Rect(1, 1, g.cols, g.rows)) != 128;

    cv::Mat stats, centres;
    cv::Mat etiquettes(g.rows, g.cols, CV_32S, s.etiquettes.data());
    const int n = cv::connectedComponentsWithStats(plein, etiquettes, stats, centres, 8, CV_32S);

    // Blobs smaller than a third of the smallest spore's are left unsaid
    // (dust, noise); the smallest spore is taken as long as Q 3.
    const double aireMin = kPi / 4 * longueurMin * longueurMin / 3 / (r * r) / 3;
    for (int k = 1; k < n; ++k) {
        const int* st = stats.ptr<int>(k);
        const int aire = st[cv::CC_STAT_AREA];
        if (aire < std::max(4.0, aireMin)) continue;
        Candidat c;
        c.etiquette = k;
        c.boite = {st[cv::CC_STAT_LEFT], st[cv::CC_STAT_TOP], st[cv::CC_STAT_WIDTH],
                   st[cv::CC_STAT_HEIGHT]};
        c.toucheGauche = c.boite.x == 0;
        c.toucheHaut = c.boite.y == 0;
        c.toucheDroite = c.boite.x + c.boite.largeur == g.cols;
        c.toucheBas = c.boite.y + c.boite.hauteur == g.rows;
        const cv::Rect boite(c.boite.x, c.boite.y, c.boite.largeur, c.boite.hauteur);
        const cv::Mat blob = etiquettes(boite) == k;

        // The ellipse of the blob's moments: a filled ellipse's own axes.
        const cv::Moments mo = cv::moments(blob, true);
        const double cx = mo.m10 / mo.m00, cy = mo.m01 / mo.m00;
        const double a20 = mo.mu20 / mo.m00, a02 = mo.mu02 / mo.m00, a11 = mo.mu11 / mo.m00;
        const double delta = std::sqrt(std::max(0.0, (a20 - a02) * (a20 - a02) + 4 * a11 * a11));
        const double l1 = 0.5 * (a20 + a02 + delta), l2 = std::max(0.0, 0.5 * (a20 + a02 - delta));
        c.ellipse.centre = gris.VersImage(boite.x + cx, boite.y + cy);
        c.ellipse.demiGrandAxe = 2 * std::sqrt(l1) * r;
        c.ellipse.demiPetitAxe = std::max(2 * std::sqrt(l2) * r, 1.0);
        c.ellipse.angle = 0.5 * std::atan2(2 * a11, a20 - a02) * 180 / kPi;

        // Light holes: one per spore with a lighter inside (a guttule's
        // holes are smaller than the inside's).
        const cv::Mat trous = blob & ~masque(boite);
        cv::Mat et, stt, ct;
        const int nt = cv::connectedComponentsWithStats(trous, et, stt, ct, 4, CV_32S);
        std::vector<int> aires;
        for (int t = 1; t < nt; ++t) aires.push_back(stt.at<int>(t, cv::CC_STAT_AREA));
        const int plusGrand = aires.empty() ? 0 : *std::max_element(aires.begin(), aires.end());
        for (int a : aires)
            if (a >= 3 && a * 4 >= plusGrand) ++c.trous;
        const double sombreFraction =
            cv::countNonZero(blob & masque(boite)) / static_cast<double>(aire);

        const double longueur = 2 * c.ellipse.demiGrandAxe;
        if (c.toucheGauche || c.toucheDroite || c.toucheHaut || c.toucheBas) {
            c.refus = Refus::Coupee;
        } else if (Encoche(blob) > std::max(1.5, 0.2 * c.ellipse.demiPetitAxe / r)) {
            // Notched: spores together when their insides are lighter, a
            // dark speck otherwise.
            if (sombreFraction > 0.85 && c.trous == 0)
                c.refus = Refus::Debris;
            else
                c.refus = c.trous >= 3 ? Refus::Amas : Refus::Accolees;
        } else if (longueur < 0.6 * longueurMin || longueur > 1.5 * longueurMax) {
            c.refus = Refus::HorsTaille;
        }
        s.candidats.push_back(c);
    }
    return s;
}

double PartHorsEllipse(const Segmentation& s, const ImageGris& g, const Candidat& c,
                       const Ellipse& e, double marge) {
    int dehors = 0;
    const RepereEllipse re(e);
    for (int j = c.boite.y; j < c.boite.y + c.boite.hauteur; ++j)
        for (int i = c.boite.x; i < c.boite.x + c.boite.largeur; ++i)
            if (s.Etiquette(i, j) == c.etiquette && re.Distance(g.VersImage(i, j)) > marge)
                ++dehors;
    const double r = g.reduction;
    return dehors * r * r / (kPi * e.demiGrandAxe * e.demiPetitAxe);
}

} // namespace orv::contour
