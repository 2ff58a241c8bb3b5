#include "contour/TrouveSpores.h"

#include "contour/Examen.h"
#include "contour/Gris.h"

#include <opencv2/core.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orv::contour {

namespace {

double Hauteur(const Ellipse& e) {
    const double t = e.angle * std::numbers::pi / 180;
    const double a = e.demiGrandAxe * std::sin(t), b = e.demiPetitAxe * std::cos(t);
    return 2 * std::sqrt(a * a + b * b);
}

void Compte(Ecartees& e, Refus r) {
    switch (r) {
    case Refus::Coupee:
        ++e.coupees;
        break;
    case Refus::Accolees:
        ++e.accolees;
        break;
    case Refus::Amas:
        ++e.amas;
        break;
    case Refus::Floue:
        ++e.floues;
        break;
    case Refus::Debris:
    case Refus::Introuvable:
        ++e.debris;
        break;
    case Refus::HorsTaille:
        ++e.horsTaille;
        break;
    case Refus::Aucun:
        break;
    }
}

} // namespace

void RangeEnLecture(std::vector<MesureSpore>& spores) {
    if (spores.empty()) return;
    std::vector<double> hauteurs;
    for (const auto& s : spores) hauteurs.push_back(Hauteur(s.ellipse));
    std::nth_element(hauteurs.begin(),
                     hauteurs.begin() + static_cast<std::ptrdiff_t>(hauteurs.size() / 2),
                     hauteurs.end());
    const double demi = hauteurs[hauteurs.size() / 2] / 2;
    std::stable_sort(spores.begin(), spores.end(), [](const MesureSpore& a, const MesureSpore& b) {
        return a.ellipse.centre.y < b.ellipse.centre.y;
    });
    auto debut = spores.begin();
    while (debut != spores.end()) {
        const double y0 = debut->ellipse.centre.y;
        auto fin = std::find_if(debut, spores.end(), [&](const MesureSpore& s) {
            return s.ellipse.centre.y - y0 > demi;
        });
        std::stable_sort(debut, fin, [](const MesureSpore& a, const MesureSpore& b) {
            return a.ellipse.centre.x < b.ellipse.centre.x;
        });
        debut = fin;
    }
}

ResultatRecherche TrouveSpores(const VuePixels& image, const OptionsRecherche& options) {
    ResultatRecherche r;
    if (image.Vide()) return r;
    Rectangle z = options.zone.value_or(Rectangle{0, 0, image.largeur, image.hauteur});
    const int x0 = std::max(z.x, 0), y0 = std::max(z.y, 0);
    const int x1 = std::min(z.x + z.largeur, image.largeur),
              y1 = std::min(z.y + z.hauteur, image.hauteur);
    r.zone = {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
    if (r.zone.Vide()) return r;

    auto arrete = [&](double fait) {
        if (options.arret && options.arret->load(std::memory_order_relaxed)) return true;
        if (options.progression && !options.progression(fait)) return true;
        return false;
    };
    const OptionsContour oc{options.longueurMin, options.longueurMax, options.flouMax};
    if (arrete(0)) {
        r.interrompue = true;
        return r;
    }
    const ImageGris g = ReduitEnGris(image, r.zone, ReductionPour(options.longueurMin));
    if (arrete(0.15)) {
        r.interrompue = true;
        return r;
    }
    const Segmentation s = TrouveCandidats(g, options.longueurMin, options.longueurMax);
    const double bruit = BruitPixels(image, r.zone);
    if (arrete(0.3)) {
        r.interrompue = true;
        return r;
    }

    // The outlines, by batches shared between the cores; the progress is
    // told between batches, from this thread.
    const std::size_t n = s.candidats.size();
    std::vector<ResultatContour> resultats(n);
    std::atomic<bool> stop{false};
    constexpr std::size_t kLot = 48;
    for (std::size_t debut = 0; debut < n && !stop; debut += kLot) {
        const std::size_t fin = std::min(n, debut + kLot);
        cv::parallel_for_(
            cv::Range(static_cast<int>(debut), static_cast<int>(fin)), [&](const cv::Range& lot) {
                for (int i = lot.start; i < lot.end; ++i) {
                    if (stop.load(std::memory_order_relaxed) ||
                        (options.arret && options.arret->load(std::memory_order_relaxed))) {
                        stop = true;
                        return;
                    }
                    const auto k = static_cast<std::size_t>(i);
                    resultats[k] = ExamineCandidat(image, g, s, s.candidats[k], bruit, oc);
                }
            });
        if (!stop && arrete(0.3 + 0.7 * static_cast<double>(fin) / static_cast<double>(n)))
            stop = true;
    }
    if (stop || (n == 0 && arrete(1))) {
        r.interrompue = true;
        return r;
    }
    for (const auto& res : resultats) {
        if (res.refus == Refus::Aucun && res.spore)
            r.spores.push_back(*res.spore);
        else
            Compte(r.ecartees, res.refus);
    }
    RangeEnLecture(r.spores);
    return r;
}

} // namespace orv::contour
