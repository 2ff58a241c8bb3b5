// "retrace": the committed marks drawn again from the lines' mark records. A
// line measured here keeps every mark it drew; a line read from a grid file
// has only its segments, from which its marks are rebuilt per function.
#include "measure/Marques.h"

#include "measure/EtatMesure.h"
#include "measure/OutilsPointage.h"
#include "measure/SporeContour.h"

#include <algorithm>

namespace orv {

namespace {

bool Vide(const SegmentTrace& s) {
    return s.x1 == 0 && s.y1 == 0 && s.x2 == 0 && s.y2 == 0;
}

PointImage Debut(const SegmentTrace& s) {
    return {s.x1, s.y1};
}
PointImage Fin(const SegmentTrace& s) {
    return {s.x2, s.y2};
}

// Marks of a line known only by its segments (role colours; values whose
// cell is empty are left out).
std::vector<MarqueTrace> MarquesDesSegments(const EtatMesure& m, const TraceLigne& t) {
    std::vector<MarqueTrace> r;
    const int fonction = m.NumFonction;
    const auto& seg = t.segments;
    if (t.contour && !Vide(seg[1]) && !Vide(seg[2])) return MarquesSporeContour(m, seg[1], seg[2]);
    auto ajoute = [&](int valeur, Marque marque) { r.push_back({valeur, std::move(marque)}); };
    auto numero = [&](PointImage p) {
        if (!m.InsereDim) ajoute(1, MarqueTexte(p, {}, RoleNumero));
    };
    switch (fonction) {
    case fonction::Comptage1:
    case fonction::Comptage2:
        for (int k = 1; k <= 2; ++k)
            if (!Vide(seg[static_cast<size_t>(k)])) {
                const int role = k == 1 ? 1 : 2;
                ajoute(k, MarqueCroix(Debut(seg[static_cast<size_t>(k)]), role));
                ajoute(k, MarqueCroix(Fin(seg[static_cast<size_t>(k)]), role));
            }
        break;
    case fonction::DensiteEllipse:
    case fonction::DensiteRectangle:
        if (!Vide(seg[1])) {
            const PointImage a = Debut(seg[1]);
            const PointImage b = Fin(seg[1]);
            numero(a);
            const auto genre = fonction == fonction::DensiteEllipse ? GenreMarque::Ellipse
                                                                    : GenreMarque::Rectangle;
            ajoute(1, {genre, a, b, 1, {}});
        }
        break;
    case fonction::Triangle:
        if (!Vide(seg[1]) && !Vide(seg[2])) {
            const PointImage p1 = Debut(seg[1]), p2 = Fin(seg[1]), p3 = Fin(seg[2]);
            numero(p1);
            for (PointImage p : {p1, p2, p3}) ajoute(1, MarqueCroix(p, 1));
            ajoute(1, MarqueLigne(p1, p2, 2));
            ajoute(1, MarqueLigne(p1, p3, 2));
            ajoute(1, MarqueLigne(p2, p3, 1));
        }
        break;
    case fonction::Couleur:
        // A colour sample keeps its zone's corners.
        if (!Vide(seg[1])) {
            numero(Debut(seg[1]));
            ajoute(1, {GenreMarque::Rectangle, Debut(seg[1]), Fin(seg[1]), 1, {}});
        }
        break;
    case fonction::Polygone:
        // Only the anchor is kept for a polygon.
        if (!Vide(seg[1])) {
            numero(Debut(seg[1]));
            ajoute(1, MarqueCroix(Debut(seg[1]), 1));
        }
        break;
    default:
        for (int k = 1; k < static_cast<int>(seg.size()); ++k) {
            const auto& s = seg[static_cast<size_t>(k)];
            if (Vide(s)) continue;
            if (k == 1) numero(Debut(s));
            ajoute(k, MarqueLigne(Debut(s), Fin(s), 1));
            ajoute(k, MarqueCroix(Fin(s), 1));
        }
        break;
    }
    return r;
}

void Dessine(EtatMesure& m, const MarqueTrace& mt, int ligne, bool autreImage) {
    Marque x = mt.marque;
    if (x.couleur == RoleNumero) x.texte = std::to_string(ligne);
    x.couleur = autreImage ? m.couleur2 : CouleurRole(m, x.couleur);
    m.marques.fixes.push_back(std::move(x));
}

} // namespace

void Retrace(EtatMesure& m, int image, bool modeGroupe) {
    m.marques.VideFixes();
    const int derniere = std::min(m.LigneCourante, static_cast<int>(m.TraceLignes.size()) - 1);
    for (int l = 1; l <= derniere; ++l) {
        const TraceLigne& t = m.TraceLignes[static_cast<size_t>(l)];
        const bool autreImage = t.image != image;
        if (autreImage && !modeGroupe) continue;
        const auto marques = t.marques.empty() ? MarquesDesSegments(m, t) : t.marques;
        for (const auto& mt : marques)
            if (!m.GrilleRef.Texte(l, mt.valeur).empty()) Dessine(m, mt, l, autreImage);
    }
    // The figure under way keeps the marks it has drawn so far.
    for (const auto& mt : m.pointage.marquesEnCours) Dessine(m, mt, m.LigneCourante, false);
    ++m.marques.version;
}

void MarquesVueNeuve(EtatMesure& m, int image, bool modeGroupe) {
    m.marques.FixeProvisoires({});
    Retrace(m, image, modeGroupe);
}

} // namespace orv
