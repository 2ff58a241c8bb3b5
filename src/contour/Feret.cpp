#include "contour/Feret.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orv::contour {

namespace {

constexpr double kPi = std::numbers::pi;

} // namespace

Feret FeretContour(const std::vector<Point>& contour, Point centre) {
    Feret f;
    const std::size_t n = contour.size();
    if (n < 8) return f;
    const int harmoniques = static_cast<int>(std::min<std::size_t>(16, (n - 1) / 6));
    const int m = 2 * harmoniques + 1;
    cv::Mat a(static_cast<int>(n), m, CV_64F), b(static_cast<int>(n), 1, CV_64F);
    for (std::size_t i = 0; i < n; ++i) {
        const double dx = contour[i].x - centre.x, dy = contour[i].y - centre.y;
        const double rayon = std::hypot(dx, dy);
        const double c1 = rayon > 0 ? dx / rayon : 1, s1 = rayon > 0 ? dy / rayon : 0;
        auto* l = a.ptr<double>(static_cast<int>(i));
        l[0] = 1;
        double ck = 1, sk = 0;
        for (int k = 1; k <= harmoniques; ++k) {
            const double cn = ck * c1 - sk * s1;
            sk = sk * c1 + ck * s1;
            ck = cn;
            l[2 * k - 1] = ck;
            l[2 * k] = sk;
        }
        b.at<double>(static_cast<int>(i)) = rayon;
    }
    cv::Mat c;
    if (!cv::solve(a, b, c, cv::DECOMP_NORMAL | cv::DECOMP_CHOLESKY)) return f;
    constexpr int kPoints = 180;
    std::vector<Point> lisse(kPoints);
    for (int j = 0; j < kPoints; ++j) {
        const double phi = 2 * kPi * j / kPoints;
        const double c1 = std::cos(phi), s1 = std::sin(phi);
        double r = c.at<double>(0), ck = 1, sk = 0;
        for (int k = 1; k <= harmoniques; ++k) {
            // cos and sin of k phi by the angle-sum rule.
            const double cn = ck * c1 - sk * s1;
            sk = sk * c1 + ck * s1;
            ck = cn;
            r += c.at<double>(2 * k - 1) * ck + c.at<double>(2 * k) * sk;
        }
        lisse[static_cast<std::size_t>(j)] = {r * c1, r * s1};
    }
    // On the hull of the smoothed outline, two degrees at a time, then a parabola.
    std::vector<cv::Point2f> points;
    for (const Point& p : lisse)
        points.emplace_back(static_cast<float>(p.x), static_cast<float>(p.y));
    std::vector<cv::Point2f> enveloppe;
    cv::convexHull(points, enveloppe);
    auto etendue = [&](double theta) {
        const double ux = std::cos(theta), uy = std::sin(theta);
        double lo = HUGE_VAL, hi = -HUGE_VAL;
        for (const cv::Point2f& p : enveloppe) {
            const double s = p.x * ux + p.y * uy;
            lo = std::min(lo, s);
            hi = std::max(hi, s);
        }
        return hi - lo;
    };
    double meilleur = 0, direction = 0;
    for (int j = 0; j < 90; ++j) {
        const double theta = kPi * j / 90;
        const double e = etendue(theta);
        if (e > meilleur) {
            meilleur = e;
            direction = theta;
        }
    }
    const double h = kPi / 90;
    const double em = etendue(direction - h), ep = etendue(direction + h);
    const double den = em - 2 * meilleur + ep;
    if (den < 0) {
        const double dt = std::clamp(0.5 * (em - ep) / den, -0.5, 0.5) * h;
        direction += dt;
        meilleur = std::max(meilleur, etendue(direction));
    }
    f.longueur = meilleur;
    f.largeur = etendue(direction + kPi / 2);
    return f;
}

} // namespace orv::contour
