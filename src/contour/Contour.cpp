#include "contour/Contour.h"

#include "contour/Examen.h"
#include "contour/Gris.h"

#include <algorithm>
#include <cmath>

namespace orv::contour {

ResultatContour TrouveContour(const VuePixels& image, Point clic, const OptionsContour& options) {
    ResultatContour r;
    r.refus = Refus::Introuvable;
    if (image.Vide() || clic.x < 0 || clic.y < 0 || clic.x >= image.largeur ||
        clic.y >= image.hauteur)
        return r;
    const int reduction = ReductionPour(options.longueurMin);
    // A small window first (a frame's time); larger while the blob reaches
    // its edge inside the picture.
    int cote = std::max(160, static_cast<int>(4 * options.longueurMin));
    const int coteMax = static_cast<int>(2.5 * options.longueurMax) + 8 * reduction;
    for (;;) {
        const int x0 = std::max(0, static_cast<int>(clic.x) - cote / 2);
        const int y0 = std::max(0, static_cast<int>(clic.y) - cote / 2);
        const Rectangle zone{x0, y0, std::min(cote, image.largeur - x0),
                             std::min(cote, image.hauteur - y0)};
        const ImageGris g = ReduitEnGris(image, zone, reduction);
        const Segmentation s = TrouveCandidats(g, options.longueurMin, options.longueurMax);
        // The blob under the click, or the nearest within two values.
        const Point p = g.DepuisImage(clic);
        const int pi = static_cast<int>(std::lround(p.x)), pj = static_cast<int>(std::lround(p.y));
        int etiquette = s.Etiquette(pi, pj);
        for (int rayon = 1; etiquette == 0 && rayon <= 2; ++rayon)
            for (int dj = -rayon; dj <= rayon && etiquette == 0; ++dj)
                for (int di = -rayon; di <= rayon && etiquette == 0; ++di)
                    etiquette = s.Etiquette(pi + di, pj + dj);
        const auto c = std::find_if(s.candidats.begin(), s.candidats.end(),
                                    [&](const Candidat& k) { return k.etiquette == etiquette; });
        const bool agrandir = cote < coteMax;
        if (etiquette == 0 || c == s.candidats.end()) {
            // Inside a spore larger than the window, nothing dark shows.
            if (!agrandir) return r;
            cote *= 2;
            continue;
        }
        // Reaching the window's edge is being cut only where that edge is
        // the picture's.
        const bool gauche = c->toucheGauche && zone.x > 0;
        const bool haut = c->toucheHaut && zone.y > 0;
        const bool droite = c->toucheDroite && zone.x + zone.largeur < image.largeur;
        const bool bas = c->toucheBas && zone.y + zone.hauteur < image.hauteur;
        if (gauche || haut || droite || bas) {
            if (agrandir) {
                cote *= 2;
                continue;
            }
            r.refus = Refus::HorsTaille;
            return r;
        }
        const double bruit = BruitPixels(image, zone);
        return ExamineCandidat(image, g, s, *c, bruit, options);
    }
}

} // namespace orv::contour
