// The marks drawn over the image: crosses, segments, outlines and line numbers
// of the measures, kept in picture units so that they follow any zoom. The
// committed marks are rebuilt from the lines' mark records by "retrace"; the
// provisional ones (rubber band, caliper guides, outline under way) last until
// the next pointer move.
#pragma once

#include "images/Vue.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

struct EtatMesure;

// Graduation: a tick across the segment a-b at a, as long as a cross.
// Contour: the outline of a spore measured on it, the ellipse whose major
// axis runs from a to b and whose minor semi-axis ends at c.
enum class GenreMarque { Ligne, Croix, Texte, Ellipse, Rectangle, Graduation, Contour };

struct Marque {
    GenreMarque genre = GenreMarque::Ligne;
    PointImage a;      // start, centre (ellipse), corner (rectangle), text position
    PointImage b;      // end, a point of the outline, opposite corner
    int couleur = 12;  // number in the 16-colour palette
    std::string texte; // for GenreMarque::Texte
    // The annotation's marks: pen width in screen pixels; a text drawn this
    // far from a (twips of the box), turned clockwise by `angle` degrees, in
    // its own font (empty family, size 0: the box's).
    int epaisseur = 1;
    PointTwips decalage{};
    double angle = 0;
    bool gras = false;
    std::string police{};
    double taille = 0; // points
    PointImage c{};    // GenreMarque::Contour: the end of the minor semi-axis
};

struct CalqueMarques {
    std::vector<Marque> fixes;       // committed marks
    std::vector<Marque> provisoires; // replaced at every pointer move
    // The spores a search found, outlined and numbered while the user reviews
    // them: drawn over the committed marks, untouched by "retrace".
    std::vector<Marque> revue;
    std::uint64_t version = 0; // bumped at every change of `fixes`
    std::uint64_t versionProvisoire = 0;

    void AjouteFixe(Marque m) {
        fixes.push_back(std::move(m));
        ++version;
    }
    void VideFixes() {
        fixes.clear();
        ++version;
    }
    void FixeRevue(std::vector<Marque> m) {
        revue = std::move(m);
        ++version;
    }
    void FixeProvisoires(std::vector<Marque> m) {
        provisoires = std::move(m);
        ++versionProvisoire;
    }
};

// "retrace": empties the committed marks and draws again, from the mark record
// of every grid line, the marks of the lines measured on the image shown, slot
// `image` (and, in image-group mode, those of the group's other images in
// colour 2).
void Retrace(EtatMesure& m, int image, bool modeGroupe);
// The view changed (zoom, origin, box size, picture): the provisional marks
// go; the committed ones are drawn again at once, whatever "AutoRetrace" says
// (they are kept in picture units, so redrawing them costs little), so that
// a measured spore never looks unmeasured.
void MarquesVueNeuve(EtatMesure& m, int image, bool modeGroupe);

} // namespace orv
