#include "app/TrameGrille.h"

#include "app/CommandesCalibrage.h"
#include "app/CommandesImages.h"
#include "app/CommandesMesure.h"
#include "app/CommandesResultats.h"
#include "app/MenuOptions.h"
#include "app/Orvelle.h"
#include "app/RepereTrame.h"
#include "base/Nombres.h"
#include "base/Texte.h"
#include "images/Chargeur.h"
#include "interface/Messages.h"
#include "measure/Fonctions.h"
#include "measure/Geometrie.h"
#include "measure/Grille.h"
#include "measure/OutilsPointage.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace orv {

namespace {

constexpr int kMsgIntrouvable = 209;
// Whole clicks: far more than anyone counts, and no sum of them overflows.
constexpr double kCompteMax = 1e9;
constexpr int kMsgEcranCorrige = 210;

bool Vide(const SegmentTrace& s) {
    return s.x1 == 0 && s.y1 == 0 && s.x2 == 0 && s.y2 == 0;
}

bool FonctionSegments(int f) {
    return fonction::ParSegments(f);
}

// The last cell of the values: the image number and the comment follow,
// except for the colours, whose grid has no image column.
int DerniereCelluleValeur(const Orvelle& o) {
    const int cols = o.mesure.GrilleRef.Colonnes();
    return o.mesure.NumFonction == fonction::Couleur ? cols - 2 : cols - 3;
}

// A broken line leaves a cross at its first vertex; a segment only at its end.
bool EstLigneBrisee(const Orvelle& o, const TraceLigne& t) {
    if (!FonctionSegments(o.mesure.NumFonction)) return false;
    if (t.marques.empty()) return t.ligneBrisee;
    const PointImage debut{t.segments[1].x1, t.segments[1].y1};
    return std::any_of(t.marques.begin(), t.marques.end(), [&](const MarqueTrace& m) {
        return m.valeur == 1 && m.marque.genre == GenreMarque::Croix && m.marque.a == debut;
    });
}

TailleImage TailleAuSauvetage(Orvelle& o, const std::string& chemin, int slot) {
    if (slot == o.images.IndexImage && o.images.cheminImage == chemin &&
        o.images.vue.ImageChargee())
        return {o.images.vue.LargeurPixels(), o.images.vue.HauteurPixels()};
    if (const auto t = o.plateforme.LitTailleImage(chemin)) return *t;
    return {};
}

// What the values of a line are computed with: its image's size and factor,
// and the correction of a factor counted on another box width (the values
// kept as written follow it: lengths once, surfaces twice).
struct ContexteLigne {
    TailleImage taille;
    double coefficient = 0;
    double correction = 1;
};

// Puts a line's context in place for the pointing's own formulas, so that
// every value comes out of the very expressions that measured it; the
// window's state comes back at the end of the scope.
class ContexteCalcul {
public:
    ContexteCalcul(Orvelle& o, const std::optional<ContexteLigne>& c)
        : o_(o), largeur_(o.images.vue.LargeurPixels()), hauteur_(o.images.vue.HauteurPixels()),
          coef_(o.calibrage.CoefCalibrage), resolution_(o.calibrage.FacteurResolution) {
        if (!c) return; // no known image: the window's own context
        o.images.vue.FixeImage(c->taille.largeur, c->taille.hauteur);
        o.calibrage.CoefCalibrage = c->coefficient;
        o.calibrage.FacteurResolution = FacteurResolutionCourant(o);
    }
    ~ContexteCalcul() {
        o_.images.vue.FixeImage(largeur_, hauteur_);
        o_.calibrage.CoefCalibrage = coef_;
        o_.calibrage.FacteurResolution = resolution_;
    }
    ContexteCalcul(const ContexteCalcul&) = delete;
    ContexteCalcul& operator=(const ContexteCalcul&) = delete;

private:
    Orvelle& o_;
    int largeur_, hauteur_;
    double coef_, resolution_;
};

// Refills one line of the grid from the file.
class Ligne {
public:
    Ligne(Orvelle& o, int numero, const LigneTrame& l, const std::optional<ContexteLigne>& c)
        : o_(o), n_(numero), l_(l), c_(c) {}

    void Remplit();

private:
    Orvelle& o_;
    const int n_;
    const LigneTrame& l_;
    const std::optional<ContexteLigne>& c_;

    SegmentTrace Seg(int k) const {
        const auto i = static_cast<size_t>(k - 1);
        return i < l_.segments.size() ? l_.segments[i] : SegmentTrace{};
    }
    static PointImage Debut(const SegmentTrace& s) { return {s.x1, s.y1}; }
    static PointImage Fin(const SegmentTrace& s) { return {s.x2, s.y2}; }

    // The cell as the file kept it, with this session's decimal separator.
    std::optional<std::string> Cellule(int colonne) const {
        const auto i = static_cast<size_t>(colonne - 1);
        if (colonne < 1 || i >= l_.cellules.size()) return std::nullopt;
        std::string t = l_.cellules[i];
        if (LitNombreStrict(t))
            for (char& ch : t)
                if (ch == ',' || ch == '.') ch = o_.Sep();
        return t;
    }
    bool CelluleRemplie(int colonne) const {
        const auto t = Cellule(colonne);
        return t && !t->empty();
    }
    double Stockee(int colonne) const { return LitDecimal(Cellule(colonne).value_or("")); }
    double Compte(int colonne) const { return static_cast<double>(std::lround(Stockee(colonne))); }

    // A length from the segment's points, or the kept value when it has none.
    double Longueur(int k) const {
        const SegmentTrace s = Seg(k);
        if (Vide(s) && CelluleRemplie(k)) return Stockee(k);
        const ContexteCalcul ctx(o_, c_);
        return orv::Longueur(o_.images.vue, Debut(s), Fin(s), o_.calibrage.CoefCalibrage,
                             o_.calibrage.FacteurResolution);
    }

    void Segments();
    void Densite();
    void Comptage();
    void Triangle();
    void Polygone();
    void CopieCellules();
};

void Ligne::Segments() {
    auto& m = o_.mesure;
    for (int k = 1; k <= m.NbSegments; ++k) {
        // A spore 3D holds its width or its thickness; a line read from an older
        // file tells which by its points.
        const bool presente = l_.cellules.empty() ? !Vide(Seg(k)) : CelluleRemplie(k);
        if (m.NumFonction == fonction::Spores3D && k > 1 && !presente) continue;
        const double correction = c_ ? c_->correction : 1.0;
        const double v =
            k == 1 && l_.ligneBrisee && CelluleRemplie(1) ? Stockee(1) * correction : Longueur(k);
        if (m.NumFonction == fonction::Spores3D && k == 3) m.Etape = 3; // the thickness column
        AjouteValeur(o_, v, Seg(k));
        if (m.LigneCourante != n_) break; // the line is complete
    }
    // A broken line is only known as shown, its derived columns were computed
    // from its length as measured: they are kept as the grid showed them.
    if (l_.ligneBrisee && CelluleRemplie(1) && !(c_ && c_->correction != 1))
        for (int c = m.NbSegments + 1; c <= DerniereCelluleValeur(o_); ++c)
            if (CelluleRemplie(c)) EcritCellule(o_.mesure, n_, c, *Cellule(c));
}

void Ligne::Densite() {
    const SegmentTrace s = Seg(1);
    double surface = Stockee(1);
    if (!Vide(s) || !CelluleRemplie(1)) {
        const ContexteCalcul ctx(o_, c_);
        const double image = o_.mesure.NumFonction == fonction::DensiteEllipse
                                 ? SurfaceEllipse(Debut(s), Fin(s))
                                 : SurfaceRectangle(Debut(s), Fin(s));
        const double e =
            Echelle(o_.images.vue, o_.calibrage.CoefCalibrage, o_.calibrage.FacteurResolution);
        surface = image * e * e;
    }
    AjouteValeur(o_, surface, s);
    // As the count's validation does: per surface from the surface as measured.
    const double mesuree = o_.mesure.ValeursMesure[1];
    const double n = Compte(2);
    AjouteValeur(o_, n, Seg(2));
    AjouteValeur(o_, mesuree > 0 ? n / mesuree : 0.0, std::nullopt);
}

void Ligne::Comptage() {
    AjouteValeur(o_, Compte(1), Seg(1));
    if (o_.mesure.NumFonction != fonction::Comptage2) return;
    // Counts were checked whole and within bounds (VerifieTrame); kept so here.
    const long a = std::lround(std::clamp(o_.mesure.ValeursMesure[1], 0.0, kCompteMax));
    const long b = std::lround(std::clamp(Compte(2), 0.0, kCompteMax));
    AjouteValeur(o_, static_cast<double>(b), Seg(2));
    EcritCellule(o_.mesure, n_, 3, std::to_string(a + 2 * b));
}

void Ligne::Triangle() {
    ValeursTriangle v;
    {
        const ContexteCalcul ctx(o_, c_);
        v = MesureTriangle(o_.images.vue, o_.calibrage.CoefCalibrage,
                           o_.calibrage.FacteurResolution, Debut(Seg(1)), Fin(Seg(1)), Fin(Seg(2)));
    }
    AjouteValeur(o_, v.surface, Seg(1));
    AjouteValeur(o_, v.perimetre, Seg(2));
    EcritCellule(o_.mesure, n_, 3, TexteValeur(o_.parametres, o_.Sep(), v.angle));
}

// The surface and perimeter as the grid showed them (corrected), or from a
// file without cells the record's, in thousandths.
void Ligne::Polygone() {
    const double k = c_ ? c_->correction : 1.0;
    const bool cellules = CelluleRemplie(1) && CelluleRemplie(2);
    const double s = (cellules ? Stockee(1) : Seg(1).x2 / 1000.0) * k * k;
    const double per = (cellules ? Stockee(2) : Seg(1).y2 / 1000.0) * k;
    AjouteValeur(o_, s, Seg(1));
    AjouteValeur(o_, per, Seg(2));
    EcritCellule(o_.mesure, n_, 3,
                 TexteValeur(o_.parametres, o_.Sep(), per != 0 ? 2 * s / per : 0.0));
    EcritCellule(o_.mesure, n_, 4, TexteValeur(o_.parametres, o_.Sep(), s != 0 ? per / s : 0.0));
}

void Ligne::CopieCellules() {
    auto& g = o_.mesure.GrilleRef;
    g.FixeTexte(n_, 0, std::to_string(n_));
    for (int c = 1; c <= DerniereCelluleValeur(o_); ++c)
        g.FixeTexte(n_, c, Cellule(c).value_or(""));
    if (o_.mesure.NumFonction != fonction::Couleur)
        g.FixeTexte(n_, g.Colonnes() - 2, std::to_string(l_.image));
}

void Ligne::Remplit() {
    auto& m = o_.mesure;
    const int f = m.NumFonction;
    m.LigneCourante = n_;
    m.Etape = 1;
    m.ValeursMesure.fill(0);
    const bool cellules = !l_.cellules.empty();
    // What the points cannot give back is kept as the grid showed it: a
    // polygon (its vertices are not kept), a colour line, and any line whose
    // image is not known here.
    const bool sansPoints = f == fonction::Triangle && (Vide(Seg(1)) || Vide(Seg(2)));
    const bool corrige = c_ && c_->correction != 1;
    if (cellules &&
        ((f == fonction::Polygone && !corrige) || f == fonction::Couleur || !c_ || sansPoints)) {
        CopieCellules();
    } else if (FonctionSegments(f)) {
        Segments();
    } else if (f == fonction::DensiteEllipse || f == fonction::DensiteRectangle) {
        Densite();
    } else if (f == fonction::Comptage1 || f == fonction::Comptage2) {
        Comptage();
    } else if (f == fonction::Triangle) {
        Triangle();
    } else if (f == fonction::Polygone) {
        Polygone();
    }

    auto& g = o_.mesure.GrilleRef;
    g.FixeTexte(n_, 0, std::to_string(n_));
    g.FixeTexte(n_, g.Colonnes() - 1, l_.commentaire);
    auto& t = m.TraceLignes[static_cast<size_t>(n_)];
    t = TraceLigne{};
    for (size_t k = 0; k < l_.segments.size() && k + 1 < t.segments.size(); ++k)
        t.segments[k + 1] = l_.segments[k];
    t.image = static_cast<std::int16_t>(l_.image);
    t.zoom = static_cast<std::int16_t>(l_.zoom);
    t.texte = std::to_string(n_);
    t.ligneBrisee = l_.ligneBrisee;
    t.contour = l_.contour && m.NumFonction == fonction::Spores2D;
    m.LigneCourante = n_ + 1;
    m.Etape = 1;
    m.ValeursMesure.fill(0);
}

// While lines are replayed: the hooks of a measure are off (no automatic
// save, no calibration waiting for a segment, statistics once at the end),
// and no zero-factor warning for every value; all back at the end.
class Rejeu {
public:
    explicit Rejeu(Orvelle& o)
        : o_(o), calibrage_(o.calibrage.CalibrageEnCours), index_(o.images.IndexImage),
          coef_(o.calibrage.CoefCalibrage) {
        o.trame.relecture = true;
        o.calibrage.CalibrageEnCours = false;
        if (coef_ == 0) o.calibrage.CoefCalibrage = 1;
    }
    ~Rejeu() {
        o_.trame.relecture = false;
        o_.calibrage.CalibrageEnCours = calibrage_;
        o_.images.IndexImage = index_;
        o_.calibrage.CoefCalibrage = coef_;
    }
    Rejeu(const Rejeu&) = delete;
    Rejeu& operator=(const Rejeu&) = delete;

private:
    Orvelle& o_;
    bool calibrage_; // a pointing calibration waits for its segment
    int index_;
    double coef_;
};

// The grid's size from the file, ticked in the options menu when it is one of its sizes.
void FixeTailleGrille(Orvelle& o, int nbLgMax) {
    o.parametres.tGrille = std::clamp(nbLgMax, 1, LignesMax + 1);
    CocheMenusOptions(o);
}

void SelectionneFonctionTrame(Orvelle& o, const Trame& t) {
    auto& m = o.mesure;
    auto& c = o.controles;
    m.NumFonction = t.fonction;
    // A polygon line keeps its mode in its second segment: the last one says
    // which mode the work was in.
    if (t.fonction == fonction::Polygone && !t.lignes.empty() &&
        t.lignes.back().segments.size() >= 2)
        m.PolygoneAuto = t.lignes.back().segments[1].x1 != 0;
    SelectionneFonction(o);
    const bool couleur = m.NumFonction == fonction::Couleur;
    c.Actif(Controle::MenuComptage, !couleur);
    c.Actif(Controle::MenuDensite, !couleur);
    c.Visible(Controle::CopieNotation, true);
    // A count starts from nothing, whatever the former work had counted.
    if ((m.ModeComptage || m.ModeDensite)) FixeCompte(o.ui, m, 0);
}

} // namespace

Trame ConstruitTrame(Orvelle& o) {
    const auto& m = o.mesure;
    const auto& g = o.mesure.GrilleRef;
    Trame t;
    t.indPres = o.parametres.indPres;
    t.nbLgMax = o.parametres.tGrille;
    t.fonction = m.NumFonction;
    t.resh = o.images.vue.LargeurBoite() / static_cast<double>(TwipsParPixelEcran);
    // Pixel units are counted on the reference width, whatever the box.
    t.pctsw = LargeurReference;
    const auto& chemins = o.images.chargeur.ListIMGchar;
    for (size_t k = 0; k < chemins.size() && k < static_cast<size_t>(ImagesMax); ++k) {
        const int slot = static_cast<int>(k) + 1;
        t.images.push_back({chemins[k], o.calibrage.CalibrageImage[static_cast<size_t>(slot)],
                            TailleAuSauvetage(o, chemins[k], slot),
                            o.images.chargeur.repereFichier.count(chemins[k])
                                ? RepereImage::Fichier
                                : RepereImage::Redresse});
    }
    const int lignes = std::min({m.LigneCourante - 1, LignesMax, g.Lignes() - 1});
    const int nbSeg = std::clamp(m.NbSegments, 0, 16);
    const int cols = g.Colonnes();
    for (int i = 1; i <= lignes; ++i) {
        const TraceLigne& tr = m.TraceLignes[static_cast<size_t>(i)];
        LigneTrame l;
        l.zoom = tr.zoom;
        l.image = tr.image;
        for (int k = 1; k <= nbSeg; ++k) l.segments.push_back(tr.segments[static_cast<size_t>(k)]);
        l.commentaire = g.Texte(i, cols - 1);
        for (int c = 1; c <= cols - 2; ++c) l.cellules.push_back(g.Texte(i, c));
        l.ligneBrisee = EstLigneBrisee(o, tr);
        l.contour = tr.contour;
        t.lignes.push_back(std::move(l));
    }
    return t;
}

std::string SitueImage(const Orvelle& o, const std::string& chemin, bool& trouvee) {
    trouvee = true;
    if (FichierExiste(chemin)) return chemin;
    const std::string& dossier = o.parametres.repImage;
    const std::string candidat = (dossier.empty() ? "" : dossier + "/") + NomFichierImage(chemin);
    if (FichierExiste(candidat)) return candidat;
    trouvee = false;
    return chemin;
}

ImagesTrame SitueImagesTrame(const Orvelle& o, const Trame& t) {
    ImagesTrame r;
    for (const auto& im : t.images) {
        bool trouvee = false;
        r.chemins.push_back(SitueImage(o, im.chemin, trouvee));
        if (!trouvee) r.introuvables.push_back(im.chemin);
        TailleImage taille;
        if (trouvee)
            if (const auto lue = o.plateforme.LitTailleImage(r.chemins.back())) taille = *lue;
        r.lues.push_back(taille);
        r.orientations.push_back(trouvee ? o.plateforme.LitOrientationImage(r.chemins.back()) : 1);
    }
    return r;
}

namespace {

bool Connue(TailleImage t) {
    return t.largeur > 0 && t.hauteur > 0;
}

// The size a line is computed on: the picture's own, or the recorded one.
TailleImage TailleDeCalcul(const Trame& t, const ImagesTrame& im, size_t k, bool taillesLues) {
    const TailleImage enregistree = t.images[k].taille;
    const TailleImage lue = k < im.lues.size() ? im.lues[k] : TailleImage{};
    if (!Connue(lue) || (!taillesLues && Connue(enregistree))) return enregistree;
    return lue;
}

} // namespace

std::optional<ErreurTrame> VerifieTrame(const Orvelle& o, const Trame& t, const ImagesTrame& im) {
    const int f = t.fonction;
    const int derniere = DerniereColonneLue(o.mesure, f);
    const bool comptes = f == fonction::Comptage1 || f == fonction::Comptage2 ||
                         f == fonction::DensiteEllipse || f == fonction::DensiteRectangle;
    for (const auto& l : t.lignes) {
        for (size_t c = 0; c < l.cellules.size() && static_cast<int>(c) < derniere; ++c) {
            const std::string& cellule = l.cellules[c];
            if (cellule.empty()) continue;
            const auto v = LitNombreStrict(cellule);
            // The columns of counts: A (and B) of a count, Nb of a density.
            const bool compte =
                comptes &&
                (f == fonction::DensiteEllipse || f == fonction::DensiteRectangle ? c == 1
                                                                                  : c <= 1);
            if (!v || (compte && (*v < 0 || *v > kCompteMax || *v != std::floor(*v))))
                return ErreurTrame{DefautTrame::ValeurInvalide, l.ligneValeurs, cellule};
        }
        // Values from points need the picture's size; counts and polygons do not.
        const bool mesuree = fonction::ParSegments(f) || f == fonction::DensiteEllipse ||
                             f == fonction::DensiteRectangle || f == fonction::Triangle;
        if (!mesuree || !l.cellules.empty()) continue;
        const auto k = static_cast<size_t>(l.image - 1);
        const bool taille =
            l.image >= 1 && k < t.images.size() &&
            (Connue(t.images[k].taille) || (k < im.lues.size() && Connue(im.lues[k])));
        if (!taille)
            return ErreurTrame{DefautTrame::TailleInconnue, l.ligneFichier,
                               l.image >= 1 && k < t.images.size() ? t.images[k].chemin
                                                                   : std::to_string(l.image)};
    }
    return std::nullopt;
}

std::vector<std::string> TaillesChangees(const Trame& t, const ImagesTrame& im,
                                         const TablesTextes& textes) {
    std::vector<std::string> r;
    for (size_t k = 0; k < t.images.size() && k < im.lues.size(); ++k) {
        const TailleImage e = t.images[k].taille, l = im.lues[k];
        if (!Connue(e) || !Connue(l) || e == l) continue;
        r.push_back(NomFichierImage(im.chemins[k]) + " : " + std::to_string(l.largeur) + " x " +
                    std::to_string(l.hauteur) + " (" + textes.Mnu(mnu::Enregistree) + " : " +
                    std::to_string(e.largeur) + " x " + std::to_string(e.hauteur) + ")");
    }
    return r;
}

std::string QuestionTaillesChangees(const std::vector<std::string>& changees,
                                    const TablesTextes& textes) {
    std::string q = textes.Mnu(mnu::TaillesChangees);
    for (const auto& c : changees) q += std::string(FinDeLigne) + c;
    return q + std::string(FinDeLigne) + textes.Mnu(mnu::RecalculerTailles);
}

BilanTrame RemplaceParTrame(Orvelle& o, const Trame& t) {
    const ImagesTrame im = SitueImagesTrame(o, t);
    return RemplaceParTrame(o, RedresseTrame(t, im, o.parametres.indPres), im, true);
}

BilanTrame RemplaceParTrame(Orvelle& o, const Trame& t, const ImagesTrame& im, bool taillesLues) {
    BilanTrame b;
    auto& m = o.mesure;

    // The images: their sizes (see TailleDeCalcul), their factors brought to
    // the reference width.
    const double echelle = t.pctsw ? *t.pctsw / LargeurReference : 1.0;
    b.ecranCorrige = t.pctsw && *t.pctsw != LargeurReference;
    b.introuvables = im.introuvables;
    const std::vector<std::string>& chemins = im.chemins;
    std::vector<std::optional<ContexteLigne>> contextes;
    for (size_t k = 0; k < t.images.size(); ++k) {
        const TailleImage taille = TailleDeCalcul(t, im, k, taillesLues);
        contextes.push_back(
            Connue(taille)
                ? std::optional(ContexteLigne{taille, t.images[k].coefficient * echelle, echelle})
                : std::nullopt);
    }
    const int images = std::min(static_cast<int>(chemins.size()), ImagesMax);
    b.imagesIgnorees = static_cast<int>(chemins.size()) - images;

    // The grid: emptied, then the function and its layout.
    OublieMesureEnCours(o.mesure);
    RAZ_Grille_total(o);
    FixeTailleGrille(o, t.nbLgMax);
    SelectionneFonctionTrame(o, t);

    auto& ch = o.images.chargeur;
    ch.ListIMGchar.assign(chemins.begin(), chemins.begin() + images);
    // Pictures whose points keep the frame of the picture as stored, until found.
    ch.repereFichier.clear();
    for (int k = 0; k < images; ++k)
        if (t.images[static_cast<size_t>(k)].repere == RepereImage::Fichier)
            ch.repereFichier.insert(chemins[static_cast<size_t>(k)]);
    if (ch.selection >= images) ch.selection = -1;
    ch.selectionMultiple.clear();
    ch.inutilisees.clear();
    for (int k = 0; k < images; ++k)
        o.calibrage.CalibrageImage[static_cast<size_t>(k) + 1] =
            t.images[static_cast<size_t>(k)].coefficient * echelle;

    // The lines, replayed as the pointing wrote them.
    const int capacite = std::min(o.parametres.tGrille, LignesMax);
    const int lignes = std::min(static_cast<int>(t.lignes.size()), capacite);
    b.lignesChargees = lignes;
    b.lignesIgnorees = static_cast<int>(t.lignes.size()) - lignes;
    {
        const Rejeu rejeu(o);
        const std::optional<ContexteLigne> inconnu;
        for (int i = 1; i <= lignes; ++i) {
            const LigneTrame& l = t.lignes[static_cast<size_t>(i - 1)];
            const bool connue = l.image >= 1 && l.image <= static_cast<int>(contextes.size());
            o.images.IndexImage = l.image;
            Ligne(o, i, l, connue ? contextes[static_cast<size_t>(l.image - 1)] : inconnu)
                .Remplit();
        }
    }
    m.LigneCourante = lignes + 1;
    m.Etape = 1;
    m.ValeursMesure.fill(0);

    // The image shown keeps its slot when the list still has one for it.
    if (o.images.IndexImage > images) o.images.IndexImage = 0;
    if (o.images.IndexImage >= 1) MontreCalibrageImage(o);
    AppliqueResolution(o);
    AfficheListeImages(o);
    RafraichitMGrille(o.mesure, LigneMiroir(o.mesure));
    RecalculeStatistiques(o);
    return b;
}

void AnnonceBilan(Orvelle& o, const BilanTrame& b) {
    auto& p = o.plateforme;
    const auto& t = o.textes;
    if (b.ecranCorrige) p.Message(t.Msg(kMsgEcranCorrige));
    if (!b.introuvables.empty()) {
        // One message for them all, a line each.
        std::string texte;
        for (const auto& c : b.introuvables)
            texte +=
                (texte.empty() ? "" : std::string(FinDeLigne)) + c + " " + t.Msg(kMsgIntrouvable);
        p.Message(texte, {}, Icone::Exclamation);
    }
    if (b.imagesIgnorees > 0)
        p.Message(std::to_string(b.imagesIgnorees) + o.textes.Mnu(mnu::ImagesNonChargees), {},
                  Icone::Exclamation);
    if (b.lignesIgnorees > 0)
        p.Message(MessageLignesIgnorees(o.textes, b.lignesChargees, b.lignesIgnorees), {},
                  Icone::Exclamation);
}

} // namespace orv
