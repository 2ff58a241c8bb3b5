#include "contour/Affinage.h"

#include "contour/AjusteEllipse.h"
#include "contour/Feret.h"
#include "contour/Gris.h"
#include "contour/Paroi.h"
#include "contour/ProfilParoi.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orv::contour {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kPas = 0.5;  // samples along a ray, pixels
constexpr double kDehors = 8; // the mean profile's reach into the medium, pixels

struct Rayon {
    Point origine, normale;
};

// A ray every `pas` pixels of outline, even in the ellipse's parameter:
// closer together at the ends of the major axis, which make the length.
std::vector<Rayon> Rayons(const Ellipse& e, double pas, int minimum) {
    const double a = e.demiGrandAxe, b = e.demiPetitAxe;
    const double perimetre = kPi * (3 * (a + b) - std::sqrt((3 * a + b) * (a + 3 * b)));
    const int n = std::clamp(static_cast<int>(std::lround(perimetre / pas)), minimum, 200);
    std::vector<Rayon> r(static_cast<std::size_t>(n));
    const RepereEllipse re(e);
    for (int i = 0; i < n; ++i) {
        const double t = 2 * kPi * i / n;
        r[static_cast<std::size_t>(i)] = {re.PointA(t), re.Normale(t)};
    }
    return r;
}

Profil Echantillonne(const Vignette& v, const Rayon& r, double de, double a) {
    Profil p;
    p.pas = kPas;
    p.debut = de;
    const int n = static_cast<int>(std::floor((a - de) / kPas)) + 1;
    p.g.resize(static_cast<std::size_t>(std::max(n, 0)));
    for (int k = 0; k < n; ++k) {
        const double d = de + k * kPas;
        p.g[static_cast<std::size_t>(k)] =
            v.Bilineaire(r.origine.x + d * r.normale.x, r.origine.y + d * r.normale.y);
    }
    return p;
}

struct Passe {
    std::vector<Rayon> rayons;
    std::vector<Point> bords;
    std::vector<std::size_t> rayonDuBord;
    AjustementEllipse ajustement;
};

// The outer edge on every ray within `ecart` of the ellipse, then the fit.
Passe Parcourt(const Vignette& v, const Ellipse& e, double ecart, double contrasteMin, double pas,
               int minimum, int tours, bool consensus) {
    Passe p;
    p.rayons = Rayons(e, pas, minimum);
    // Never so far inwards that the ray reaches the other side.
    const double dedans = std::min(ecart + 4, 0.85 * e.demiPetitAxe);
    const double recherche = std::min(ecart + 1, dedans - 1);
    for (std::size_t i = 0; i < p.rayons.size(); ++i) {
        const Rayon& r = p.rayons[i];
        const Profil pr = Echantillonne(v, r, -dedans, ecart + 4);
        if (const auto b = BordExterieur(pr, -recherche, ecart + 1, contrasteMin)) {
            p.bords.push_back(
                {r.origine.x + b->position * r.normale.x, r.origine.y + b->position * r.normale.y});
            p.rayonDuBord.push_back(i);
        }
    }
    if (p.bords.size() >= 6) p.ajustement = AjusteEllipseRobuste(p.bords, tours, consensus);
    return p;
}

// A wall is darker than what it holds: a blob as dark inside as at its edge
// is a speck, whatever its shape. The profile's innermost pixel and a half
// against its darkest: a spore's inside, lighter or darker than the medium,
// comes back a good part of the way.
bool AUneParoi(const ProfilLibre& p, double fond) {
    if (p.d.empty()) return false;
    double dedans = 0, creux = HUGE_VAL;
    int n = 0;
    for (std::size_t k = 0; k < p.d.size(); ++k) {
        creux = std::min(creux, p.g[k]);
        if (p.d[k] < p.d.front() + 1.5) {
            dedans += p.g[k];
            ++n;
        }
    }
    return n > 0 && dedans / n - creux > 0.2 * (fond - creux);
}

} // namespace

Affinage AffineSpore(const VuePixels& image, const Ellipse& depart, double ecart, double bruit,
                     const OptionsContour& options) {
    Affinage r;
    const double contrasteMin = std::max(5 * bruit, 6.0);
    if (depart.demiPetitAxe < 2) return r;
    // The spore's neighbourhood in grey, once: every sample comes from it
    // (the box of the rough ellipse grown by all the rays can reach).
    const double marge = ecart + kDehors + 8;
    const double t = depart.angle * kPi / 180, c = std::cos(t), s = std::sin(t);
    const double a = depart.demiGrandAxe + marge, b = depart.demiPetitAxe + marge;
    const double ex = std::sqrt(a * a * c * c + b * b * s * s),
                 ey = std::sqrt(a * a * s * s + b * b * c * c);
    const Vignette v = Decoupe(image, {static_cast<int>(std::floor(depart.centre.x - ex)),
                                       static_cast<int>(std::floor(depart.centre.y - ey)),
                                       static_cast<int>(2 * ex) + 2, static_cast<int>(2 * ey) + 2});
    // A first pass with fewer rays and a rougher fit: it only has to come
    // within a pixel or so.
    const Passe p1 = Parcourt(v, depart, ecart, contrasteMin, 3, 32, 2, false);
    if (!p1.ajustement.valide) return r;
    // The second pass starts from an outline within a pixel or so.
    const Ellipse e1 = p1.ajustement.ellipse;
    if (e1.demiPetitAxe < 2 || e1.demiGrandAxe > 2 * depart.demiGrandAxe + 10) return r;
    const Passe p2 = Parcourt(v, e1, 1.5, contrasteMin, 1.5, 48, 5, true);
    if (!p2.ajustement.valide) return r;
    const AjustementEllipse& aj = p2.ajustement;
    Ellipse e = aj.ellipse;

    MesureSpore& m = r.mesure;
    m.completude = static_cast<double>(aj.nombreRetenus) / static_cast<double>(p2.rayons.size());
    m.residu = aj.rms;

    // A first model of the mean wall profile gives the blur; the edge points
    // are moved out by their curvature's pull and fitted again; the model of
    // the straightened profile gives where the picture's grey rises fastest
    // on a straight wall of this spore's.
    std::vector<bool> rayonRetenu(p2.rayons.size(), false);
    for (std::size_t i = 0; i < p2.bords.size(); ++i)
        if (aj.retenus[i]) rayonRetenu[p2.rayonDuBord[i]] = true;
    const Anneau anneau =
        AnneauParoi(v, e, rayonRetenu, std::min(10.0, 0.8 * e.demiPetitAxe), kDehors);
    ModeleParoi modele = AjusteParoi(ProfilAnneau(anneau, e, 0));
    std::vector<Point> redresses;
    const RepereEllipse re2(e);
    for (std::size_t i = 0; i < p2.bords.size(); ++i) {
        if (!aj.retenus[i]) continue;
        const double u = re2.Parametre(p2.bords[i]);
        const double retrait = modele.valide ? RetraitCourbure(modele.flou, re2.Courbure(u)) : 0.0;
        const Point n = re2.Normale(u);
        redresses.push_back({p2.bords[i].x + retrait * n.x, p2.bords[i].y + retrait * n.y});
    }
    if (modele.valide) {
        const AjustementEllipse a3 = AjusteEllipseRobuste(redresses, e);
        if (a3.valide) e = a3.ellipse;
    }
    const ProfilLibre moyen = ProfilAnneau(anneau, e, modele.valide ? modele.flou : 0);
    if (modele.valide) modele = AjusteParoi(moyen, modele);
    // The fitted ellipse runs through the rays' peaks, found on profiles that
    // the sampling smoothed a little more than the picture: the binned
    // profile's own peak is the outline.
    double decalage = 0;
    if (modele.valide && modele.fond > modele.paroi) decalage = PicExterieur(modele);
    if (std::abs(decalage) > 2) decalage = 0;
    // How spread the wall's dark band is: the blur alone when the wall's
    // two sides stand apart, else blur and thickness together (the fit
    // cannot tell them apart when the wall is thin; their sum it can).
    if (modele.valide)
        m.flou =
            modele.epaisseur > 3 * modele.flou
                ? modele.flou
                : std::sqrt(modele.flou * modele.flou + modele.epaisseur * modele.epaisseur / 12);
    const double fond = modele.valide ? modele.fond : (moyen.g.empty() ? 0 : moyen.g.back());
    if (!moyen.g.empty()) {
        const double creux = *std::min_element(moyen.g.begin(), moyen.g.end());
        m.contraste = (fond - creux) / std::max(bruit, 0.3);
    }
    e.demiGrandAxe += decalage;
    e.demiPetitAxe += decalage;
    m.ellipse = e;
    m.longueur = 2 * e.demiGrandAxe;
    m.largeur = 2 * e.demiPetitAxe;
    m.q = m.largeur > 0 ? m.longueur / m.largeur : 0;

    // The outline's points, on it.
    const RepereEllipse re3(e);
    for (const Point& p : redresses) {
        const Point n = re3.Normale(re3.Parametre(p));
        m.contour.push_back({p.x + decalage * n.x, p.y + decalage * n.y});
    }

    const double qualiteAjustement = std::exp(-(m.residu / 0.8) * (m.residu / 0.8));
    const double qualiteContraste = 1 - std::exp(-m.contraste / 10);
    m.score = std::clamp(m.completude * qualiteAjustement * qualiteContraste, 0.0, 1.0);

    r.valide = true;
    // Out of focus first: blur also spoils the outline and the wall.
    if (m.flou > options.flouMax)
        r.refus = Refus::Floue;
    else if (m.completude < 0.75 || m.residu > 0.8 || !AUneParoi(moyen, fond))
        r.refus = Refus::Debris;
    else if (m.longueur < options.longueurMin || m.longueur > options.longueurMax)
        r.refus = Refus::HorsTaille;
    else
        r.refus = Refus::Aucun;
    // The Feret diameters only for what is shown.
    if (r.refus == Refus::Aucun || r.refus == Refus::HorsTaille) {
        const Feret f = FeretContour(m.contour, e.centre);
        m.feretLongueur = f.longueur;
        m.feretLargeur = f.largeur;
    }
    return r;
}

} // namespace orv::contour
