// Finding where spores may be, on the picture reduced by whole blocks: what
// is darker than the medium's level around it (the walls), its holes filled,
// cut into blobs; each blob gets a rough ellipse, or a reason to be left out
// that its shape already tells (cut by the edge, two or more together, a
// dark speck, far outside the lengths asked for).
#pragma once

#include "contour/Contour.h"
#include "contour/Gris.h"

#include <vector>

namespace orv::contour {

struct Candidat {
    Ellipse ellipse; // from the blob's moments, picture pixels
    Refus refus = Refus::Aucun;
    int etiquette = 0; // the blob's number in the segmentation
    Rectangle boite;   // the blob's box, in values of the reduced picture
    bool toucheGauche = false, toucheDroite = false, toucheHaut = false, toucheBas = false;
    int trous = 0; // large holes lighter than its darkest parts (one per spore)
};

struct Segmentation {
    int largeur = 0, hauteur = 0;
    std::vector<int> etiquettes; // 0: the medium; else a blob's number
    std::vector<Candidat> candidats;
    double bruit = 0; // of the reduced picture, grey levels
    int Etiquette(int i, int j) const {
        if (i < 0 || j < 0 || i >= largeur || j >= hauteur) return 0;
        return etiquettes[static_cast<std::size_t>(j) * static_cast<std::size_t>(largeur) +
                          static_cast<std::size_t>(i)];
    }
};

// Lengths in picture pixels.
Segmentation TrouveCandidats(const ImageGris& g, double longueurMin, double longueurMax);

// The part of a blob further than `marge` picture pixels outside an ellipse,
// as a fraction of the ellipse's area: what else is stuck to the spore.
double PartHorsEllipse(const Segmentation& s, const ImageGris& g, const Candidat& c,
                       const Ellipse& e, double marge);

} // namespace orv::contour
