#include "measure/OutilsPointage.h"

#include "app/Orvelle.h"
#include "base/Nombres.h"
#include "measure/Geometrie.h"
#include "measure/Grille.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace orv {

double Echelle(const Orvelle& o) {
    return o.images.vue.UnitesPixels({0, 0}, {1, 0}, o.FacteurResolution) * o.CoefCalibrage;
}

double Longueur(const Orvelle& o, PointImage a, PointImage b) {
    return o.images.vue.LongueurPixels(a, b, o.FacteurResolution) * o.CoefCalibrage;
}

double DistanceMicrons(const Orvelle& o, PointImage a, PointImage b) {
    return o.images.vue.UnitesPixels(a, b, o.FacteurResolution) * o.CoefCalibrage;
}

ValeursTriangle MesureTriangle(const Orvelle& o, PointImage p1, PointImage p2, PointImage p3) {
    ValeursTriangle v;
    v.surface = AireTriangle(DistanceMicrons(o, p1, p2), DistanceMicrons(o, p1, p3),
                             DistanceMicrons(o, p2, p3));
    v.perimetre = Longueur(o, p1, p2) + Longueur(o, p1, p3) + Longueur(o, p2, p3);
    v.angle = AngleSommet(p1, p2, p3);
    return v;
}

int ToleranceTwips(const Orvelle& o) {
    return std::max(o.parametres.clicDixiemes, 0);
}

bool DansTolerance(const Orvelle& o, PointTwips a, PointTwips b) {
    const long long d = std::llabs(static_cast<long long>(a.x) - b.x) +
                        std::llabs(static_cast<long long>(a.y) - b.y);
    return d < ToleranceTwips(o);
}

PointTwips VersBoite(const Orvelle& o, PointImage p) {
    auto arrondi = [](double v) {
        return static_cast<std::int32_t>(std::clamp(std::round(v), -2.0e9, 2.0e9));
    };
    return {arrondi(o.images.vue.VersBoiteX(p.x)), arrondi(o.images.vue.VersBoiteY(p.y))};
}

std::string TexteValeur(const Orvelle& o, double valeur) {
    return FormatNombre(valeur, o.parametres.fDecimal, o.Sep());
}

void Statut(Orvelle& o, const std::string& texte) {
    o.controles.Texte(Controle::BarreEtat, texte);
}

void Lecture(Orvelle& o, const std::string& texte) {
    o.controles.Texte(Controle::LectureMesure, texte);
}

bool Coche(const Orvelle& o, Controle c) {
    return o.controles(c).coche;
}

Marque MarqueLigne(PointImage a, PointImage b, int role) {
    return {GenreMarque::Ligne, a, b, role, {}};
}

Marque MarqueCroix(PointImage p, int role) {
    return {GenreMarque::Croix, p, p, role, {}};
}

Marque MarqueTexte(PointImage p, std::string texte, int role) {
    return {GenreMarque::Texte, p, p, role, std::move(texte)};
}

int CouleurRole(const Orvelle& o, int role) {
    return role == 2 ? o.couleur2 : o.couleur1;
}

void MarqueEnCours(Orvelle& o, Marque m, int valeur) {
    Marque dessinee = m;
    dessinee.couleur = CouleurRole(o, m.couleur);
    o.marques.AjouteFixe(std::move(dessinee));
    o.pointage.marquesEnCours.push_back({valeur, std::move(m)});
}

void NumeroLigne(Orvelle& o, PointImage p) {
    if (Coche(o, Controle::CaseInsereDim)) return;
    MarqueEnCours(o, MarqueTexte(p, std::to_string(o.mesure.LigneCourante), RoleNumero), 1);
}

void CoteSegment(Orvelle& o, PointImage a, PointImage b, double valeur) {
    if (!Coche(o, Controle::CaseInsereDim)) return;
    const PointImage milieu{static_cast<std::int32_t>((static_cast<long long>(a.x) + b.x) / 2),
                            static_cast<std::int32_t>((static_cast<long long>(a.y) + b.y) / 2)};
    MarqueEnCours(o, MarqueTexte(milieu, TexteValeur(o, valeur), 1), o.mesure.Etape);
}

void CommenceSegment(Orvelle& o, const EvenementImage& e) {
    auto& p = o.pointage;
    p.SegmentEnCours = true;
    p.ClicSimple = false;
    p.PointDepart = e.image;
    p.departTwips = e.twips;
    p.departVue = o.images.versionVue;
}

PointTwips DepartBoite(const Orvelle& o) {
    const auto& p = o.pointage;
    // The press position itself while the view is unchanged: converting the
    // stored picture point back could move it by a twip.
    return p.departVue == o.images.versionVue ? p.departTwips : VersBoite(o, p.PointDepart);
}

void Provisoires(Orvelle& o, std::vector<Marque> marques) {
    for (auto& m : marques) m.couleur = CouleurRole(o, m.couleur);
    o.marques.FixeProvisoires(std::move(marques));
}

namespace {

bool MemeDessin(const Marque& x, const Marque& y) {
    return x.genre == y.genre && x.a == y.a && x.b == y.b && x.texte == y.texte;
}

} // namespace

void RetireFixes(Orvelle& o, const std::vector<MarqueTrace>& marques) {
    if (marques.empty()) return;
    auto fixes = o.marques.fixes;
    for (const auto& mt : marques) {
        // The latest copy goes: a mark drawn twice at the same place stays once.
        auto it = std::find_if(fixes.rbegin(), fixes.rend(),
                               [&](const Marque& f) { return MemeDessin(f, mt.marque); });
        if (it != fixes.rend()) fixes.erase(std::next(it).base());
    }
    o.marques.VideFixes();
    for (auto& f : fixes) o.marques.fixes.push_back(std::move(f));
}

SegmentTrace Segment(PointImage a, PointImage b) {
    return {a.x, a.y, b.x, b.y};
}

void EcritCellule(Orvelle& o, int ligne, int colonne, const std::string& texte) {
    auto& g = o.GrilleRef;
    if (ligne < 1 || ligne >= g.Lignes() || colonne < 1 || colonne >= g.Colonnes()) return;
    g.FixeTexte(ligne, colonne, texte);
    // The mirror shows the derived columns too, written after the line's last value.
    RafraichitMGrille(o, LigneMiroir(o));
}

bool EcritValeur(Orvelle& o, double valeur, std::optional<SegmentTrace> segment) {
    auto& m = o.mesure;
    auto& p = o.pointage;
    const int ligne = m.LigneCourante;
    const int etape = m.Etape;
    AjouteValeur(o, valeur, segment);
    const bool ecrite = m.LigneCourante != ligne || m.Etape != etape;
    if (!ecrite) {
        RetireFixes(o, p.marquesEnCours);
        p.marquesEnCours.clear();
        return false;
    }
    if (ligne >= 1 && ligne < static_cast<int>(m.TraceLignes.size())) {
        auto& trace = m.TraceLignes[static_cast<size_t>(ligne)];
        if (etape == 1) {
            trace.zoom = static_cast<std::int16_t>(o.images.vue.ExposantZoom());
            trace.image = static_cast<std::int16_t>(o.images.IndexImage);
            trace.texte = std::to_string(ligne);
        }
        std::erase_if(trace.marques, [&](const MarqueTrace& t) { return t.valeur >= etape; });
        auto& enCours = p.marquesEnCours;
        for (auto it = enCours.begin(); it != enCours.end();) {
            if (it->valeur <= etape) {
                trace.marques.push_back(*it);
                it = enCours.erase(it);
            } else {
                ++it;
            }
        }
    }
    return true;
}

void OublieMesureEnCours(Orvelle& o) {
    auto& p = o.pointage;
    p.SegmentEnCours = false;
    p.ClicSimple = false;
    p.enAttente.reset();
    p.menuContextuel.reset();
    p.Sommets.clear();
    p.cumulLigneBrisee = 0;
    p.ResultatsSurface.fill(0);
    p.premierCompte.reset();
    p.dernierCompte.reset();
    RetireFixes(o, p.marquesEnCours);
    p.marquesEnCours.clear();
    if (o.marques.provisoires.size() > 0) o.marques.FixeProvisoires({});
}

namespace {

EtatPointage::Cle CleActuelle(const Orvelle& o) {
    return {o.mesure.NumFonction, o.mesure.LigneCourante, o.mesure.Etape, o.images.versionImage};
}

} // namespace

void MemoriseCle(Orvelle& o) {
    o.pointage.cle = CleActuelle(o);
}

void Synchronise(Orvelle& o) {
    if (o.pointage.cle == CleActuelle(o)) return;
    // The counting display belongs to the count under way.
    if ((o.mesure.ModeComptage || o.mesure.ModeDensite) && !o.pointage.marquesEnCours.empty())
        o.controles.Texte(Controle::TexteComptage, "0");
    OublieMesureEnCours(o);
    MemoriseCle(o);
}

} // namespace orv
