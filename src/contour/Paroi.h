// The wall across its thickness: the edge on a grey profile taken outwards
// across it (where the grey rises fastest from the wall to the medium), and
// the model of a spore's mean profile that tells how far blur has moved that
// edge from the wall's outer boundary.
#pragma once

#include <optional>
#include <vector>

namespace orv::contour {

// A profile sampled every `pas` pixels from `debut` (distance along the ray).
struct Profil {
    double debut = 0, pas = 0.5;
    std::vector<float> g;
    double Distance(double k) const { return debut + k * pas; }
};

struct BordProfil {
    double position = 0;  // distance along the ray, pixels
    double pente = 0;     // grey levels per pixel at the edge
    double contraste = 0; // from the wall's darkest to the medium beyond
};

// The strongest rise between distances `de` and `a` (outwards), refined by a
// parabola through the slope's three samples around its peak; nothing when
// the rise is below `contrasteMin` grey levels or peaks at an end.
std::optional<BordProfil> BordExterieur(const Profil& p, double de, double a, double contrasteMin);

// A dark band between an inside level and the medium, blurred:
//   I(d) = interieur + (paroi - interieur) * Phi((d - bord + epaisseur) / flou)
//                    + (fond - paroi) * Phi((d - bord) / flou)
// (Phi the normal distribution function, d outwards).
struct ModeleParoi {
    bool valide = false;
    double bord = 0;      // the wall's outer boundary, on the profile's distances
    double epaisseur = 0; // pixels
    double flou = 0;      // Gaussian sigma, pixels
    double interieur = 0, paroi = 0, fond = 0;
    double rms = 0; // grey levels
};

// A profile known at any distances (pixels binned by their distance to an
// outline): distances and grey levels.
struct ProfilLibre {
    std::vector<double> d, g;
};

// A first model, from two starts: close, not finished.
ModeleParoi AjusteParoi(const ProfilLibre& p);
// The model finished, starting from one of a nearby profile.
ModeleParoi AjusteParoi(const ProfilLibre& p, const ModeleParoi& depart);

// Where the model's grey rises fastest on the wall's outer side. Profiles
// that differ by less than the noise can come from a thin dark wall or a
// thicker paler one under more blur, whose outer boundaries differ by a
// pixel; their steepest rise is the same: this is what the picture tells.
double PicExterieur(const ModeleParoi& m);

} // namespace orv::contour
