#include "contour/Candidats.h"

#include "contour/AjusteEllipse.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

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

// The radius of the largest disc inside the blob: half its thickness, that
// of one spore when several touch.
double RayonInscrit(const cv::Mat& blob) {
    cv::Mat d;
    cv::Mat bordee;
    cv::copyMakeBorder(blob, bordee, 1, 1, 1, 1, cv::BORDER_CONSTANT, 0);
    cv::distanceTransform(bordee, d, cv::DIST_L2, 3);
    double m = 0;
    cv::minMaxLoc(d, nullptr, &m);
    return m;
}

// What a blob's shape tells: its rough ellipse, its holes, the edges it
// touches, and the reason to leave it out when that is already plain.
Candidat Examine(const ImageGris& gris, const cv::Mat& etiquettes, const cv::Mat& sombre,
                 const cv::Mat& stats, int k, double longueurMin, double longueurMax) {
    const double r = gris.reduction;
    const int* st = stats.ptr<int>(k);
    Candidat c;
    c.etiquette = k;
    c.boite = {st[cv::CC_STAT_LEFT], st[cv::CC_STAT_TOP], st[cv::CC_STAT_WIDTH],
               st[cv::CC_STAT_HEIGHT]};
    c.toucheGauche = c.boite.x == 0;
    c.toucheHaut = c.boite.y == 0;
    c.toucheDroite = c.boite.x + c.boite.largeur == etiquettes.cols;
    c.toucheBas = c.boite.y + c.boite.hauteur == etiquettes.rows;
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

    // The blob's core: darker than half its darkest (a spore's wall, a
    // speck's whole). Holes in the core, one per spore whatever its inside's
    // shade, the lighter regions the medium outside does not reach (a
    // guttule's are smaller than the inside's).
    const cv::Mat d = sombre(boite);
    double dMax = 0;
    cv::minMaxLoc(d, nullptr, &dMax, nullptr, nullptr, blob);
    const cv::Mat coeur = blob & (d > 0.5 * dMax);
    cv::Mat clair;
    cv::copyMakeBorder(~coeur, clair, 1, 1, 1, 1, cv::BORDER_CONSTANT, 255);
    cv::Mat et, stt, ct;
    const int nt = cv::connectedComponentsWithStats(clair, et, stt, ct, 4, CV_32S);
    std::vector<int> aires;
    for (int t = 1; t < nt; ++t)
        if (stt.at<int>(t, cv::CC_STAT_LEFT) > 0 && stt.at<int>(t, cv::CC_STAT_TOP) > 0)
            aires.push_back(stt.at<int>(t, cv::CC_STAT_AREA));
    const int plusGrand = aires.empty() ? 0 : *std::max_element(aires.begin(), aires.end());
    for (int a : aires)
        if (a >= 3 && a * 4 >= plusGrand) ++c.trous;

    const double longueur = 2 * c.ellipse.demiGrandAxe;
    if (c.toucheGauche || c.toucheDroite || c.toucheHaut || c.toucheBas) {
        c.refus = Refus::Coupee;
    } else if (Encoche(blob) > std::max(1.5, 0.25 * RayonInscrit(blob))) {
        // Notched, deeper than a quarter of the blob's half-thickness:
        // spores together when they hold lighter insides; with none, a
        // dark speck, a printed digit or a bent hypha.
        if (c.trous == 0)
            c.refus = Refus::Debris;
        else
            c.refus = c.trous >= 3 ? Refus::Amas : Refus::Accolees;
    } else if (longueur < 0.6 * longueurMin || longueur > 1.5 * longueurMax) {
        c.refus = Refus::HorsTaille;
    }
    return c;
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

    const int bloc = std::max(24, static_cast<int>(std::ceil(0.6 * longueurMax / r)));
    const cv::Mat fond = Fond(g, bloc);
    s.bruit = Bruit(g);
    const double niveau = cv::mean(fond)[0];
    // Walls are darker than the medium by a good part of its level; the
    // lighter insides of spores are not, nor is the noise.
    const double haut = std::max(6 * s.bruit, 0.10 * niveau),
                 bas = std::max(3 * s.bruit, 0.06 * niveau);
    cv::Mat sombre;
    cv::subtract(fond, g, sombre); // saturates at 0 where lighter
    cv::Mat masque = sombre > bas;
    // Small gaps of a wall closed, then the insides filled: the parts of the
    // medium that do not reach the edge (4-connected: a wall 8-connected
    // encloses them).
    cv::morphologyEx(masque, masque, cv::MORPH_CLOSE,
                     cv::getStructuringElement(cv::MORPH_ELLIPSE, {3, 3}));
    cv::Mat clair = ~masque, etiquettesClair, statsClair, centresClair;
    const int nClair = cv::connectedComponentsWithStats(clair, etiquettesClair, statsClair,
                                                        centresClair, 4, CV_32S);
    std::vector<std::uint8_t> trou(static_cast<std::size_t>(nClair), 0);
    for (int k = 1; k < nClair; ++k) {
        const int* st = statsClair.ptr<int>(k);
        trou[static_cast<std::size_t>(k)] = st[cv::CC_STAT_LEFT] > 0 && st[cv::CC_STAT_TOP] > 0 &&
                                            st[cv::CC_STAT_LEFT] + st[cv::CC_STAT_WIDTH] < g.cols &&
                                            st[cv::CC_STAT_TOP] + st[cv::CC_STAT_HEIGHT] < g.rows;
    }
    cv::Mat plein = masque.clone();
    for (int y = 0; y < g.rows; ++y) {
        const int* e = etiquettesClair.ptr<int>(y);
        std::uint8_t* p = plein.ptr<std::uint8_t>(y);
        for (int x = 0; x < g.cols; ++x)
            if (trou[static_cast<std::size_t>(e[x])]) p[x] = 255;
    }

    cv::Mat stats, centres;
    cv::Mat etiquettes(g.rows, g.cols, CV_32S, s.etiquettes.data());
    const int n = cv::connectedComponentsWithStats(plein, etiquettes, stats, centres, 8, CV_32S);
    // Hysteresis: a blob is kept when it has a dark core, its faint parts
    // with it.
    std::vector<std::uint8_t> fort(static_cast<std::size_t>(n), 0);
    for (int y = 0; y < g.rows; ++y) {
        const int* e = etiquettes.ptr<int>(y);
        const std::uint8_t* d = sombre.ptr<std::uint8_t>(y);
        for (int x = 0; x < g.cols; ++x)
            if (d[x] > haut) fort[static_cast<std::size_t>(e[x])] = 1;
    }

    // Blobs smaller than a third of the smallest spore's are left unsaid
    // (dust, noise); the smallest spore is taken as long as Q 3. The others
    // are looked at shared between the cores.
    const double aireMin = kPi / 4 * longueurMin * longueurMin / 3 / (r * r) / 3;
    std::vector<std::optional<Candidat>> vus(static_cast<std::size_t>(n));
    cv::parallel_for_(cv::Range(1, std::max(n, 1)), [&](const cv::Range& lot) {
        for (int k = lot.start; k < lot.end; ++k) {
            const int aire = stats.at<int>(k, cv::CC_STAT_AREA);
            if (aire < std::max(4.0, aireMin) || !fort[static_cast<std::size_t>(k)]) continue;
            vus[static_cast<std::size_t>(k)] =
                Examine(gris, etiquettes, sombre, stats, k, longueurMin, longueurMax);
        }
    });
    for (auto& c : vus)
        if (c) s.candidats.push_back(*c);
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
