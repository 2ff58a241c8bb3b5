#include "measure/OutilsPointage.h"

#include "base/Nombres.h"
#include "interface/Messages.h"
#include "measure/Geometrie.h"
#include "measure/Grille.h"

#include <algorithm>
#include <cstdlib>

namespace orv {

double Echelle(const Vue& v, double coef, double facteurResolution) {
    return v.UnitesPixels({0, 0}, {1, 0}, facteurResolution) * coef;
}

double Longueur(const Vue& v, PointImage a, PointImage b, double coef, double facteurResolution) {
    return v.LongueurPixels(a, b, facteurResolution) * coef;
}

double DistanceMicrons(const Vue& v, PointImage a, PointImage b, double coef,
                       double facteurResolution) {
    return v.UnitesPixels(a, b, facteurResolution) * coef;
}

double Echelle(const ContexteMesure& c) {
    return Echelle(c.vue, c.coef, c.facteurResolution);
}

double Longueur(const ContexteMesure& c, PointImage a, PointImage b) {
    return Longueur(c.vue, a, b, c.coef, c.facteurResolution);
}

double DistanceMicrons(const ContexteMesure& c, PointImage a, PointImage b) {
    return DistanceMicrons(c.vue, a, b, c.coef, c.facteurResolution);
}

ValeursTriangle MesureTriangle(const Vue& v, double coef, double fr, PointImage p1, PointImage p2,
                               PointImage p3) {
    ValeursTriangle r;
    r.surface =
        AireTriangle(DistanceMicrons(v, p1, p2, coef, fr), DistanceMicrons(v, p1, p3, coef, fr),
                     DistanceMicrons(v, p2, p3, coef, fr));
    r.perimetre = Longueur(v, p1, p2, coef, fr) + Longueur(v, p1, p3, coef, fr) +
                  Longueur(v, p2, p3, coef, fr);
    r.angle = AngleSommet(p1, p2, p3);
    return r;
}

int ToleranceTwips(const Parametres& p) {
    return std::max(p.clicDixiemes, 0);
}

bool DansTolerance(const Parametres& p, PointTwips a, PointTwips b) {
    const long long d = std::llabs(static_cast<long long>(a.x) - b.x) +
                        std::llabs(static_cast<long long>(a.y) - b.y);
    return d < ToleranceTwips(p);
}

PointTwips VersBoite(const Vue& v, PointImage p) {
    return {Arrondi32(v.VersBoiteX(p.x)), Arrondi32(v.VersBoiteY(p.y))};
}

std::string TexteValeur(const Parametres& p, char separateur, double valeur) {
    return FormatNombre(valeur, p.fDecimal, separateur);
}

std::string TexteValeur(const ActionPointage& a, double valeur) {
    return TexteValeur(a.ctx.parametres, a.ui.Sep(), valeur);
}

void Lecture(Interface& ui, const std::string& texte) {
    ui.controles.Texte(Controle::LectureMesure, texte);
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

int CouleurRole(const EtatMesure& m, int role) {
    return role == 2 ? m.couleur2 : m.couleur1;
}

void MarqueEnCours(EtatMesure& m, Marque marque, int valeur) {
    Marque dessinee = marque;
    dessinee.couleur = CouleurRole(m, marque.couleur);
    m.marques.AjouteFixe(std::move(dessinee));
    m.pointage.marquesEnCours.push_back({valeur, std::move(marque)});
}

void NumeroLigne(EtatMesure& m, PointImage p) {
    if (m.InsereDim) return;
    MarqueEnCours(m, MarqueTexte(p, std::to_string(m.LigneCourante), RoleNumero), 1);
}

void CoteSegment(ActionPointage& a, PointImage debut, PointImage fin, double valeur) {
    if (!a.m.InsereDim) return;
    const PointImage milieu{
        static_cast<std::int32_t>((static_cast<long long>(debut.x) + fin.x) / 2),
        static_cast<std::int32_t>((static_cast<long long>(debut.y) + fin.y) / 2)};
    MarqueEnCours(a.m, MarqueTexte(milieu, TexteValeur(a, valeur), 1), a.m.Etape);
}

void CommenceSegment(ActionPointage& a, const EvenementImage& e) {
    auto& p = a.m.pointage;
    p.SegmentEnCours = true;
    p.ClicSimple = false;
    p.PointDepart = e.image;
    p.departTwips = e.twips;
    p.departVue = a.ctx.versionVue;
}

PointTwips DepartBoite(const ActionPointage& a) {
    const auto& p = a.m.pointage;
    // The press position itself while the view is unchanged: converting the
    // stored picture point back could move it by a twip.
    return p.departVue == a.ctx.versionVue ? p.departTwips : VersBoite(a.ctx.vue, p.PointDepart);
}

void PresseSegment(ActionPointage& a, const EvenementImage& e) {
    a.ui.Statut(a.ui.Msg(msg::PointerExtremite));
    if (!a.m.pointage.SegmentEnCours) CommenceSegment(a, e);
}

bool FinDeSegment(ActionPointage& a, const EvenementImage& e) {
    auto& p = a.m.pointage;
    if (!p.SegmentEnCours || p.enAttente) return false;
    if (DansTolerance(a.ctx.parametres, DepartBoite(a), e.twips)) {
        p.ClicSimple = true;
        return false;
    }
    return true;
}

void Provisoires(EtatMesure& m, std::vector<Marque> marques) {
    for (auto& x : marques) x.couleur = CouleurRole(m, x.couleur);
    m.marques.FixeProvisoires(std::move(marques));
}

namespace {

bool MemeDessin(const Marque& x, const Marque& y) {
    return x.genre == y.genre && x.a == y.a && x.b == y.b && x.c == y.c && x.texte == y.texte;
}

} // namespace

void RetireFixes(EtatMesure& m, const std::vector<MarqueTrace>& marques) {
    if (marques.empty()) return;
    auto fixes = m.marques.fixes;
    for (const auto& mt : marques) {
        // The latest copy goes: a mark drawn twice at the same place stays once.
        auto it = std::find_if(fixes.rbegin(), fixes.rend(),
                               [&](const Marque& f) { return MemeDessin(f, mt.marque); });
        if (it != fixes.rend()) fixes.erase(std::next(it).base());
    }
    m.marques.VideFixes();
    for (auto& f : fixes) m.marques.fixes.push_back(std::move(f));
}

SegmentTrace Segment(PointImage a, PointImage b) {
    return {a.x, a.y, b.x, b.y};
}

void EcritCellule(EtatMesure& m, int ligne, int colonne, const std::string& texte) {
    auto& g = m.GrilleRef;
    if (ligne < 1 || ligne >= g.Lignes() || colonne < 1 || colonne >= g.Colonnes()) return;
    g.FixeTexte(ligne, colonne, texte);
    // The mirror shows the derived columns too, written after the line's last value.
    RafraichitMGrille(m, LigneMiroir(m));
}

bool EcritValeur(ActionPointage& a, double valeur, std::optional<SegmentTrace> segment) {
    auto& m = a.m;
    auto& p = m.pointage;
    const ResultatAjout r = AjouteValeur(a.ui, m, a.ctx.parametres, a.ctx.sauvegarde, a.ctx.coef,
                                         a.ctx.image, valeur, segment);
    a.suites.ajouts.push_back(r);
    if (!r.Ecrite()) {
        RetireFixes(m, p.marquesEnCours);
        p.marquesEnCours.clear();
        return false;
    }
    if (r.ligne >= 1 && r.ligne < static_cast<int>(m.TraceLignes.size())) {
        auto& trace = m.TraceLignes[static_cast<size_t>(r.ligne)];
        if (r.etape == 1) {
            trace.zoom = static_cast<std::int16_t>(a.ctx.vue.ExposantZoom());
            trace.image = static_cast<std::int16_t>(a.ctx.image);
            trace.texte = std::to_string(r.ligne);
        }
        std::erase_if(trace.marques, [&](const MarqueTrace& t) { return t.valeur >= r.etape; });
        auto& enCours = p.marquesEnCours;
        for (auto it = enCours.begin(); it != enCours.end();) {
            if (it->valeur <= r.etape) {
                trace.marques.push_back(*it);
                it = enCours.erase(it);
            } else {
                ++it;
            }
        }
    }
    return true;
}

void OublieMesureEnCours(EtatMesure& m) {
    auto& p = m.pointage;
    p.SegmentEnCours = false;
    p.ClicSimple = false;
    p.enAttente.reset();
    p.menuContextuel.reset();
    p.Sommets.clear();
    p.cumulLigneBrisee = 0;
    p.ResultatsSurface.fill(0);
    p.premierCompte.reset();
    p.dernierCompte.reset();
    RetireFixes(m, p.marquesEnCours);
    p.marquesEnCours.clear();
    if (!m.marques.provisoires.empty()) m.marques.FixeProvisoires({});
}

namespace {

EtatPointage::Cle CleActuelle(const EtatMesure& m, std::uint64_t versionImage) {
    return {m.NumFonction, m.LigneCourante, m.Etape, versionImage};
}

} // namespace

void MemoriseCle(EtatMesure& m, std::uint64_t versionImage) {
    m.pointage.cle = CleActuelle(m, versionImage);
}

void Synchronise(Interface& ui, EtatMesure& m, std::uint64_t versionImage) {
    if (m.pointage.cle == CleActuelle(m, versionImage)) return;
    // The counting display belongs to the count under way.
    if ((m.ModeComptage || m.ModeDensite) && !m.pointage.marquesEnCours.empty())
        ui.controles.Texte(Controle::TexteComptage, "0");
    OublieMesureEnCours(m);
    MemoriseCle(m, versionImage);
}

} // namespace orv
