#include "cli/CommandesContour.h"

#include "app/CommandesTrame.h"
#include "app/Orvelle.h"
#include "app/TrameGrille.h"
#include "base/Nombres.h"
#include "base/Texte.h"
#include "calibration/Calibrage.h"
#include "contour/Graduations.h"
#include "contour/TrouveSpores.h"
#include "images/Vue.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace orv::cli {

namespace fs = std::filesystem;

namespace {

constexpr int kFonctionSpores2D = 2;

int Erreur(const std::string& ligne, int code = SortieEntree) {
    std::fprintf(stderr, "orvelle-cli: %s\n", SurUneLigne(ligne).c_str());
    return code;
}

int Ecrit(const std::string& texte) {
    std::fwrite(texte.data(), 1, texte.size(), stdout);
    return std::fflush(stdout) == 0 ? SortieSucces : SortieEcriture;
}

std::string Taille(const PixelsImage& p) {
    return std::to_string(p.largeur) + " x " + std::to_string(p.hauteur) + " pixels";
}

// The picture's pixels, or the error line.
std::optional<PixelsImage> Pixels(Orvelle& o, const std::string& image, std::string& erreur) {
    std::error_code e;
    if (!fs::is_regular_file(image, e)) {
        erreur = image + ": no such file";
        return std::nullopt;
    }
    auto p = o.plateforme.LitPixelsImage(image);
    if (!p || p->largeur <= 0 || p->hauteur <= 0)
        erreur = image + ": not a picture orvelle-cli can read";
    return p;
}

contour::VuePixels Vue(const PixelsImage& p) {
    return {p.pixels.data(), p.largeur, p.hauteur, p.largeur};
}

// A point of the picture in the grid file's picture units, rounded as a
// clicked point is.
PointImage VersUnites(contour::Point p) {
    return {Arrondi32(p.x * UnitesImageParPixel), Arrondi32(p.y * UnitesImageParPixel)};
}

SegmentTrace Segment(contour::Point a, contour::Point b) {
    const PointImage pa = VersUnites(a), pb = VersUnites(b);
    return {pa.x, pa.y, pb.x, pb.y};
}

// The spores as Spores 2D lines of a grid file: length then width, each
// from its axis's two ends, comment "auto". The picture's factor makes one
// of its pixels read `echelle` micrometres (1 without a scale: the values
// are then pixels), whatever the resolution mode of the settings.
Trame TrameDesSpores(const Orvelle& o, const std::string& image, const PixelsImage& p,
                     double echelle, const std::vector<contour::MesureSpore>& spores) {
    Trame t;
    t.indPres = o.parametres.indPres;
    t.nbLgMax = o.parametres.tGrille;
    t.fonction = kFonctionSpores2D;
    t.pctsw = LargeurReference;
    const double facteur = echelle / UnitesParPixelImage(o.parametres.indPres, p.largeur);
    t.images.push_back({fs::absolute(image).string(), facteur, {p.largeur, p.hauteur}});
    for (const auto& s : spores) {
        const contour::AxesEllipse a = contour::Axes(s.ellipse);
        LigneTrame l;
        l.image = 1;
        l.segments = {Segment(a.grand0, a.grand1), Segment(a.petit0, a.petit1)};
        l.commentaire = "auto";
        l.contour = true; // the window draws the outline

        t.lignes.push_back(std::move(l));
    }
    return t;
}

// Through the program's own reading and writing of grid files: the lines
// are put in the grid as a file's would be, then the work saved.
int EcritTrame(Orvelle& o, const std::string& chemin, const Trame& t) {
    const ImagesTrame images = SitueImagesTrame(o, t);
    if (const auto e = VerifieTrame(o, t, images))
        return Erreur(chemin + ": the grid cannot hold the spores found (line " +
                          std::to_string(e->ligne) + ")",
                      SortieEcriture);
    const BilanTrame b = RemplaceParTrame(o, t, images, true);
    if (b.lignesIgnorees > 0)
        std::fprintf(stderr,
                     "orvelle-cli: warning: %s: the grid holds %d lines, %d spores left out\n",
                     chemin.c_str(), b.lignesChargees, b.lignesIgnorees);
    return SauveTrame(o, chemin) ? SortieSucces : SortieEcriture;
}

std::string Ligne(const contour::MesureSpore& m, double echelle, char sep) {
    return FormatNombre(m.ellipse.centre.x, "0.00", sep) + " " +
           FormatNombre(m.ellipse.centre.y, "0.00", sep) + " " +
           FormatNombre(m.longueur * echelle, "0.000", sep) + " " +
           FormatNombre(m.largeur * echelle, "0.000", sep) + " " + FormatNombre(m.q, "0.000", sep) +
           " " + FormatNombre(m.ellipse.angle, "0.0", sep) + " " +
           FormatNombre(m.score, "0.00", sep) + "\n";
}

} // namespace

int CommandeDetecte(const OptionsSession& session, const OptionsDetection& d) {
    std::error_code e;
    if (d.sortie && fs::exists(*d.sortie, e) && !d.remplace)
        return Erreur(*d.sortie + " exists: use --force to replace it");
    Session s = OuvreSession(session);
    Orvelle& o = *s.o;
    std::string erreur;
    const auto p = Pixels(o, d.image, erreur);
    if (!erreur.empty()) return Erreur(erreur);

    contour::OptionsRecherche r;
    contour::Rectangle zone{0, 0, p->largeur, p->hauteur};
    if (d.region) {
        const RegionCli& z = *d.region;
        if (z.largeur <= 0 || z.hauteur <= 0 || z.x < 0 || z.y < 0 ||
            z.x + z.largeur > p->largeur || z.y + z.hauteur > p->hauteur)
            return Erreur("the region is not inside the picture (" + Taille(*p) + ")");
        zone = {static_cast<int>(z.x), static_cast<int>(z.y), static_cast<int>(z.largeur),
                static_cast<int>(z.hauteur)};
        r.zone = zone;
    }
    // Lengths come in the output's unit; the search counts in pixels. By
    // default from 20 pixels to half the region's shorter side.
    const double echelle = d.echelle.value_or(1.0);
    r.longueurMin = d.longueurMin ? *d.longueurMin / echelle : 20.0;
    r.longueurMax = d.longueurMax
                        ? *d.longueurMax / echelle
                        : std::max(2 * r.longueurMin, std::min(zone.largeur, zone.hauteur) / 2.0);
    if (r.longueurMax <= r.longueurMin) return Erreur("--max-length must be above --min-length");

    const contour::ResultatRecherche res = contour::TrouveSpores(Vue(*p), r);
    std::string texte;
    for (const auto& m : res.spores) texte += Ligne(m, echelle, session.separateur);
    const contour::Ecartees& x = res.ecartees;
    std::fprintf(stderr,
                 "orvelle-cli: spores measured: %zu; left out: %d cut by the edge, %d touching, "
                 "%d in clusters, %d out of focus, %d debris, %d outside the lengths\n",
                 res.spores.size(), x.coupees, x.accolees, x.amas, x.floues, x.debris,
                 x.horsTaille);
    if (d.sortie) {
        const int code =
            EcritTrame(o, *d.sortie, TrameDesSpores(o, d.image, *p, echelle, res.spores));
        if (code != SortieSucces) return code;
    }
    return Ecrit(texte);
}

int CommandeGraduations(const OptionsSession& session, const OptionsGraduations& g) {
    Session s = OuvreSession(session);
    std::string erreur;
    const auto p = Pixels(*s.o, g.image, erreur);
    if (!erreur.empty()) return Erreur(erreur);
    auto dedans = [&](double x, double y) {
        return x >= 0 && y >= 0 && x <= p->largeur && y <= p->hauteur;
    };
    if (!dedans(g.x1, g.y1) || !dedans(g.x2, g.y2))
        return Erreur("the line is not inside the picture (" + Taille(*p) + ")");
    const auto r = contour::PeriodeGraduations(Vue(*p), {g.x1, g.y1}, {g.x2, g.y2});
    switch (r.refus) {
    case contour::RefusGraduations::Aucun:
        break;
    case contour::RefusGraduations::HorsImage:
        return Erreur("the line is shorter than 8 pixels", SortieEcriture);
    case contour::RefusGraduations::PasDePeriode:
        return Erreur("no graduations along the line", SortieEcriture);
    case contour::RefusGraduations::LigneCourte:
        return Erreur("the line crosses fewer than two divisions", SortieEcriture);
    }
    const char sep = session.separateur;
    return Ecrit(FormatNombre(r.periode, "0.000", sep) + " " + std::to_string(r.divisions) + " " +
                 FormatNombre(r.dispersion, "0.000", sep) + "\n");
}

} // namespace orv::cli
