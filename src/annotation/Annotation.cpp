#include "annotation/Annotation.h"

#include "base/Nombres.h"
#include "base/Texte.h"
#include "interface/Messages.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orv {

namespace {

using C = Controle;

constexpr std::uint32_t kJaune = 0x00FFFF;
constexpr double DemiCroixTwips = 100;
constexpr int EpaisseurBarre = 3;
constexpr int EpaisseurGraduation = 2;
// The label along an oriented bar.
constexpr const char* PoliceInclinee = "Arial";
constexpr double TailleInclinee = 10;
constexpr double PointsParPixel = 72.0 / 96.0; // the box's pixels are 1/96 inch

double LargeurImage(const Vue& v) {
    return v.ImageChargee() ? v.LargeurImage() : LargeurReference;
}

void Invite(Interface& ui, const std::string& invite, const std::string& valeur, bool unite) {
    auto& k = ui.controles;
    k.Texte(C::InviteSaisie, invite);
    k.Couleur(C::TexteSaisie, kJaune);
    k.Texte(C::TexteSaisie, valeur);
    // The calibration's read-outs beside the field say nothing here.
    k.Texte(C::UniteSaisie, "");
    k.Texte(C::PixelsSaisie, "");
    k.Visible(C::SymboleMicron, unite);
    ui.OuvreCadre(C::CadreSaisie, ProprietaireCadre::Annotation);
}

void FermeInvite(Interface& ui) {
    ui.controles.Visible(C::SymboleMicron, false);
    ui.FermeCadre(C::CadreSaisie);
}

void ModesOff(EtatAnnotation& a) {
    a.ModeReferenceSimple = a.ModeOrienteeTrace = a.ModeOrienteeSaisie = a.ModeTexte = false;
    a.glisse = false;
    a.EtatSaisie = EtapeSaisie::Aucune;
}

void Ajoute(EtatAnnotation& a, Marque m) {
    a.marques.push_back(std::move(m));
    ++a.version;
}

Marque Croix(PointImage p, int couleur) {
    Marque m;
    m.genre = GenreMarque::Croix;
    m.a = p;
    m.couleur = couleur;
    return m;
}

Marque Ligne(PointImage a, PointImage b, int couleur, int epaisseur) {
    Marque m;
    m.a = a;
    m.b = b;
    m.couleur = couleur;
    m.epaisseur = epaisseur;
    return m;
}

Marque Texte(PointImage p, std::string texte, int couleur, const PoliceTexte& police) {
    Marque m;
    m.genre = GenreMarque::Texte;
    m.a = p;
    m.couleur = couleur;
    m.texte = std::move(texte);
    m.police = police.nom;
    m.taille = police.taille;
    m.gras = true;
    return m;
}

// The copy's drawings, in its pixels.
DessinImage LigneCopie(double x0, double y0, double x1, double y1, double epaisseur,
                       std::uint32_t couleur) {
    DessinImage d;
    d.x0 = x0;
    d.y0 = y0;
    d.x1 = x1;
    d.y1 = y1;
    d.epaisseur = std::max(1.0, epaisseur);
    d.couleur = couleur;
    return d;
}

// `CroixImage`: half-size 100 twips per pen size, pen width the pen size,
// at the copy's scale.
void CroixCopie(std::vector<DessinImage>& d, double x, double y, std::uint32_t couleur, int taille,
                double echelle) {
    const double h = DemiCroixTwips * taille / TwipsParPixelEcran * echelle;
    d.push_back(LigneCopie(x - h, y, x + h, y, taille * echelle, couleur));
    d.push_back(LigneCopie(x, y - h, x, y + h, taille * echelle, couleur));
}

DessinImage TexteCopie(double x, double y, std::string texte, std::uint32_t couleur,
                       const PoliceTexte& police, double echelle, double angle = 0) {
    DessinImage d;
    d.genre = DessinImage::Genre::Texte;
    d.x0 = x;
    d.y0 = y;
    d.texte = std::move(texte);
    d.couleur = couleur;
    d.police = police.nom;
    // The same size against the picture as on the screen.
    d.taillePixels = std::max(1.0, police.taille / PointsParPixel * echelle);
    d.gras = police.gras;
    d.angle = angle;
    return d;
}

std::string TexteLongueur(const Interface& ui, double microns) {
    return TexteNombre(microns, ui.Sep());
}

// The point is refused for the copy: "dépassement de capacité".
void Depassement(Interface& ui) {
    ui.plateforme.Message(ui.Mnu(mnu::DepassementCapacite), {}, Icone::Exclamation);
}

// A bar's ends in the copy's pixels, the copy's scale and the half size of
// its crosses and ticks; nothing (and said) when the start is outside the picture.
struct BarreCopie {
    double x0, y0, x1, y1, e, h;
};
std::optional<BarreCopie> BarreSurCopie(Interface& ui, const EtatAnnotation& a, const Vue& v,
                                        PointImage p0, PointImage p1) {
    const auto q0 = PointCopie(v, p0);
    if (!q0) {
        Depassement(ui);
        return std::nullopt;
    }
    const double e = EchelleCopie(v);
    return BarreCopie{q0->first,
                      q0->second,
                      p1.x / UnitesImageParPixel,
                      p1.y / UnitesImageParPixel,
                      e,
                      DemiCroixTwips * a.TailleTrace / TwipsParPixelEcran * e};
}

// A horizontal reference drawn: on the view, then on the copy when asked.
void TraceReferenceSimple(Interface& ui, EtatAnnotation& a, const ContexteAnnotation& c) {
    const Vue& v = c.vue;
    const double L = a.LongueurReference;
    const PointImage p0 = a.PointReference;
    const double d = LongueurBarre(v, L, c.coef, c.facteurResolution);
    const PointImage p1 = FinBarre(v, p0, 1, 0, d, c.facteurResolution);
    const std::string label = " " + TexteLongueur(ui, L) + a.unite;
    // The label hangs under the start cross.
    Marque t = Texte(p0, label, c.couleur, a.police);
    t.decalage = {0, static_cast<std::int32_t>(DemiCroixTwips)};
    Ajoute(a, std::move(t));
    Ajoute(a, Ligne(p0, p1, c.couleur, EpaisseurBarre));
    Ajoute(a, Croix(p1, c.couleur));
    if (!a.ReferenceSurImage) return;
    const auto b = BarreSurCopie(ui, a, v, p0, p1);
    if (!b) return;
    auto& dc = a.dessinsCopie;
    CroixCopie(dc, b->x0, b->y0, c.couleurCopie, a.TailleTrace, b->e);
    PoliceTexte grasse = a.police;
    grasse.gras = true;
    dc.push_back(TexteCopie(b->x0, b->y0 + b->h, label, c.couleurCopie, grasse, b->e));
    dc.push_back(
        LigneCopie(b->x0, b->y0, b->x1, b->y1, 2.0 * a.TailleTrace * b->e, c.couleurCopie));
    CroixCopie(dc, b->x1, b->y1, c.couleurCopie, a.TailleTrace, b->e);
}

// An oriented reference drawn along the drag, ticks across both ends, the
// label along the bar reading from left to right.
void TraceReferenceOrientee(Interface& ui, EtatAnnotation& a, const ContexteAnnotation& c) {
    const Vue& v = c.vue;
    const double L = a.LongueurReference;
    const PointImage p0 = a.PointReference, f = a.FinReference;
    const double dx = static_cast<double>(f.x) - p0.x, dy = static_cast<double>(f.y) - p0.y;
    const double d = LongueurBarre(v, L, c.coef, c.facteurResolution);
    const PointImage p1 = FinBarre(v, p0, dx, dy, d, c.facteurResolution);
    // The text's turn: the bar's slope, 90 degrees for a vertical bar; it
    // starts from the bar's left (or upper) end.
    const double bx = static_cast<double>(p1.x) - p0.x, by = static_cast<double>(p1.y) - p0.y;
    const double angle = bx == 0 ? 90.0 : std::atan(by / bx) * 180.0 / std::numbers::pi;
    const bool depuisFin = bx < 0 || (bx == 0 && by < 0);
    const PointImage debutTexte = depuisFin ? p1 : p0;
    const std::string label = " " + TexteLongueur(ui, L) + " " + a.unite;

    Marque t = Texte(debutTexte, label, c.couleur, {PoliceInclinee, TailleInclinee, true});
    t.angle = std::round(angle);
    Ajoute(a, std::move(t));
    Ajoute(a, Ligne(p0, p1, c.couleur, EpaisseurBarre));
    for (const auto& [x, y] : {std::pair{p0, p1}, std::pair{p1, p0}}) {
        Marque g = Ligne(x, y, c.couleur, EpaisseurGraduation);
        g.genre = GenreMarque::Graduation;
        Ajoute(a, std::move(g));
    }
    if (!a.ReferenceSurImage) return;
    const auto b = BarreSurCopie(ui, a, v, p0, p1);
    if (!b) return;
    const double e = b->e, h = b->h;
    auto& dc = a.dessinsCopie;
    dc.push_back(LigneCopie(b->x0, b->y0, b->x1, b->y1, 2.0 * a.TailleTrace * e, c.couleurCopie));
    const double n = std::hypot(b->x1 - b->x0, b->y1 - b->y0);
    const double ux = n > 0 ? (b->x1 - b->x0) / n : 1, uy = n > 0 ? (b->y1 - b->y0) / n : 0;
    for (const auto& [x, y] : {std::pair{b->x0, b->y0}, std::pair{b->x1, b->y1}})
        dc.push_back(LigneCopie(x + uy * h, y - ux * h, x - uy * h, y + ux * h, a.TailleTrace * e,
                                c.couleurCopie));
    const double tx = depuisFin ? b->x1 : b->x0, ty = depuisFin ? b->y1 : b->y0;
    dc.push_back(TexteCopie(tx, ty, label, c.couleurCopie, {PoliceInclinee, TailleInclinee, true},
                            e, std::round(angle)));
}

void TraceTexte(Interface& ui, EtatAnnotation& a, const ContexteAnnotation& c,
                const std::string& saisie) {
    const std::string texte = " " + saisie;
    Ajoute(a, Texte(a.PointReference, texte, c.couleur, a.police));
    if (!a.ReferenceSurImage) return;
    const auto q = PointCopie(c.vue, a.PointReference);
    if (!q) {
        Depassement(ui);
        return;
    }
    PoliceTexte police = a.police;
    police.gras = true;
    a.dessinsCopie.push_back(
        TexteCopie(q->first, q->second, texte, c.couleurCopie, police, EchelleCopie(c.vue)));
}

// The press of a horizontal reference or a text: its point, its first prompt.
void Debute(Interface& ui, EtatAnnotation& a, const ContexteAnnotation& c, PointImage p) {
    a.PointReference = p;
    a.EtatSaisie = EtapeSaisie::Longueur;
    if (a.ModeReferenceSimple) {
        Ajoute(a, Croix(p, c.couleur));
        Invite(ui, ui.Msg(msg::LongueurReference), TexteLongueur(ui, a.LongueurReference), false);
    } else {
        Invite(ui, ui.Msg(msg::TexteAInserer), "", false);
    }
}

} // namespace

double LongueurBarre(const Vue& v, double microns, double coef, double facteurResolution) {
    if (!(coef > 0) || !(facteurResolution > 0) || !std::isfinite(microns)) return 0;
    const double d = microns / coef / facteurResolution * LargeurImage(v) / LargeurReference;
    return std::isfinite(d) ? d : 0;
}

PointImage FinBarre(const Vue& v, PointImage debut, double dx, double dy, double longueur,
                    double facteurResolution) {
    double n = std::hypot(dx, dy);
    if (!(n > 0)) {
        dx = 0;
        dy = 1;
        n = 1;
    }
    const double ex = debut.x + dx / n * longueur, ey = debut.y + dy / n * longueur;
    const double cible =
        std::abs(longueur) / LargeurImage(v) * LargeurReference * facteurResolution;
    PointImage meilleur{Arrondi32(ex), Arrondi32(ey)};
    double ecart = std::abs(v.UnitesPixels(debut, meilleur, facteurResolution) - cible);
    for (double x : {std::floor(ex), std::ceil(ex)})
        for (double y : {std::floor(ey), std::ceil(ey)}) {
            const PointImage p{Arrondi32(x), Arrondi32(y)};
            const double e = std::abs(v.UnitesPixels(debut, p, facteurResolution) - cible);
            if (e < ecart - 1e-12) {
                ecart = e;
                meilleur = p;
            }
        }
    return meilleur;
}

std::optional<double> LongueurSaisie(const std::string& texte, char separateur) {
    const std::string t = Trim(texte);
    const char autre = separateur == ',' ? '.' : ',';
    const auto p = t.find(autre);
    if (p != std::string::npos && t.size() - p == 4 &&
        std::all_of(t.begin() + static_cast<long>(p) + 1, t.end(),
                    [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const auto v = LitNombreStrict(t);
    if (!v || !std::isfinite(*v) || !(*v > 0)) return std::nullopt;
    return v;
}

double EchelleCopie(const Vue& v) {
    return v.ImageParTwip() * TwipsParPixelEcran / UnitesImageParPixel;
}

std::optional<std::pair<double, double>> PointCopie(const Vue& v, PointImage p) {
    if (!v.ImageChargee() || p.x < 0 || p.y < 0 || p.x > v.LargeurImage() || p.y > v.HauteurImage())
        return std::nullopt;
    return std::pair{p.x / UnitesImageParPixel, p.y / UnitesImageParPixel};
}

bool ClicMenuAnnotation(Interface& ui, EtatAnnotation& a, const Vue& v, Controle c) {
    auto& k = ui.controles;
    switch (c) {
    case C::ReferenceSimple:
    case C::ReferenceOrientee:
    case C::IllustrerTexte:
        // One annotation at a time: a prompt left open goes.
        if (a.EtatSaisie != EtapeSaisie::Aucune || a.ModeOrienteeSaisie) FermeInvite(ui);
        ModesOff(a);
        k.Visible(C::SymboleMicron, false);
        a.ModeReferenceSimple = c == C::ReferenceSimple;
        a.ModeOrienteeTrace = c == C::ReferenceOrientee;
        a.ModeTexte = c == C::IllustrerTexte;
        ui.Statut(a.ModeTexte ? ui.Mnu(mnu::DebutTexte) : ui.Msg(msg::DebutReference));
        return true;
    case C::ChoixPolice: {
        k.Visible(C::SymboleMicron, false);
        PoliceTexte proposee = a.police;
        if (v.ImageChargee()) proposee.taille = std::max(1.0, std::round(v.HauteurPixels() * 0.01));
        if (auto choix = ui.plateforme.ChoisitPolice(proposee)) {
            if (choix->nom.empty()) choix->nom = a.police.nom;
            if (!(choix->taille > 0)) choix->taille = a.police.taille;
            a.police = *choix;
        }
        return true;
    }
    case C::ReferenceSurImage:
        a.ReferenceSurImage = !k(c).coche;
        k.Coche(c, a.ReferenceSurImage);
        return true;
    case C::TailleTrace1:
    case C::TailleTrace2:
    case C::TailleTrace5:
        k.CocheSeul(c);
        a.TailleTrace = c == C::TailleTrace1 ? 1 : c == C::TailleTrace2 ? 2 : 5;
        return true;
    case C::SymboleMicron:
        k.Texte(C::TexteSaisie, " \xC2\xB5m");
        return true;
    default:
        return false;
    }
}

bool AnnotationEnCours(const EtatAnnotation& a) {
    return a.ModeReferenceSimple || a.ModeOrienteeTrace || a.ModeOrienteeSaisie || a.ModeTexte;
}

bool AppuiAnnotation(Interface& ui, EtatAnnotation& a, const ContexteAnnotation& c, PointTwips p) {
    if (a.ModeOrienteeSaisie) return true; // the prompts are open: the press is ignored
    const PointImage point = c.vue.VersImage(p);
    if (a.ModeOrienteeTrace) {
        a.PointReference = a.FinReference = point;
        a.glisse = true;
        ui.Statut(ui.Msg(msg::PointerExtremite));
        return true;
    }
    if (!a.ModeReferenceSimple && !a.ModeTexte) return false;
    // A press during the prompts starts the reference again from there.
    if (a.EtatSaisie != EtapeSaisie::Aucune && a.ModeReferenceSimple && !a.marques.empty()) {
        a.marques.pop_back(); // its start cross
        ++a.version;
    }
    Debute(ui, a, c, point);
    return true;
}

std::optional<Marque> ElastiqueAnnotation(const EtatAnnotation& a, const ContexteAnnotation& c,
                                          PointTwips p) {
    if (!a.ModeOrienteeTrace || !a.glisse) return std::nullopt;
    return Ligne(a.PointReference, c.vue.VersImage(p), c.couleur, 1);
}

bool RelacheAnnotation(Interface& ui, EtatAnnotation& a, const ContexteAnnotation& c,
                       PointTwips p) {
    if (a.ModeOrienteeSaisie) return true;
    if (!a.ModeOrienteeTrace || !a.glisse) return a.ModeOrienteeTrace;
    a.FinReference = c.vue.VersImage(p);
    a.glisse = false;
    a.ModeOrienteeTrace = false;
    a.ModeOrienteeSaisie = true;
    a.EtatSaisie = EtapeSaisie::Longueur;
    Invite(ui, ui.Msg(msg::LongueurReference), TexteLongueur(ui, a.LongueurReference), false);
    return true;
}

bool ValideAnnotation(Interface& ui, EtatAnnotation& a, const ContexteAnnotation& c,
                      const std::string& saisie) {
    const bool reference = a.ModeReferenceSimple || a.ModeOrienteeSaisie;
    if (reference && a.EtatSaisie == EtapeSaisie::Longueur) {
        const auto longueur = LongueurSaisie(saisie, ui.Sep());
        if (!longueur) {
            // No bar can be drawn from it: said, and the prompt stays.
            ui.plateforme.Message(ui.Msg(msg::DonneeIncorrecte) + " : " + saisie);
            return true;
        }
        a.LongueurReference = *longueur;
        a.EtatSaisie = EtapeSaisie::Unite;
        Invite(ui, ui.Mnu(mnu::Commentaire), a.unite.empty() ? ui.Mnu(mnu::Microns) : a.unite,
               true);
        return true;
    }
    if (reference && a.EtatSaisie == EtapeSaisie::Unite) {
        a.unite = saisie;
        FermeInvite(ui);
        if (a.ModeOrienteeSaisie)
            TraceReferenceOrientee(ui, a, c);
        else
            TraceReferenceSimple(ui, a, c);
        ModesOff(a);
        return true;
    }
    if (a.ModeTexte && a.EtatSaisie == EtapeSaisie::Longueur) {
        FermeInvite(ui);
        TraceTexte(ui, a, c, saisie);
        ModesOff(a);
        return true;
    }
    return false;
}

bool AnnuleAnnotation(Interface& ui, EtatAnnotation& a) {
    if (a.EtatSaisie == EtapeSaisie::Aucune && !a.ModeOrienteeSaisie) return false;
    FermeInvite(ui);
    ModesOff(a);
    // The view is drawn again with the measures' marks only.
    OublieMarquesAnnotation(a);
    return true;
}

void OublieMarquesAnnotation(EtatAnnotation& a) {
    if (a.marques.empty()) return;
    a.marques.clear();
    ++a.version;
}

} // namespace orv
