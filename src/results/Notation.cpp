#include "results/Notation.h"

#include "base/Nombres.h"
#include "base/Texte.h"
#include "interface/Messages.h"
#include "results/Deciles.h"
#include "results/Statistiques.h"

#include <algorithm>
#include <array>
#include <vector>

namespace orv {

namespace {

// Lines of GrilleRefP the notation reads.
enum LigneStat { kEntete = 0, kMin = 2, kMax = 3, kD1 = 9, kMed = 10, kD9 = 11 };

// Two-sided 95 % factor of the normal law.
constexpr double kFacteur95 = 1.96;

// Marker of LigneNotation and prefix + marker of NotationLxl, by form.
constexpr std::array<const char*, 6> kMarqueurs = {
    "", " ;D1,9; (", " ;D1,5,9; (", " ; m ± sigma ; (", " ; m ± 1.96 sigma; (", " ; dMd ; ("};
struct PrefixeLxl {
    const char* avant;
    const char* apres;
};
constexpr std::array<PrefixeLxl, 6> kPrefixesLxl = {{{"Lxl: N= ", ""},
                                                     {"Lxl: N= ", " ;D1,9; ("},
                                                     {"Lxl: N= ", " ;D1,5,9; ("},
                                                     {"Lxl:N= ", " ; m ± sigma ; ("},
                                                     {"Lxl:N= ", " ; m ± 1.96 sigma; ("},
                                                     {"Lxl: N= ", " ; dMd; ("}}};

bool FormeConnue(int v) {
    return v >= 1 && v <= 5;
}

const std::string& Cellule(const SourceNotation& o, int ligne, int c) {
    return o.resultats.GrilleRefP.Texte(ligne, c);
}

std::string Formate(const SourceNotation& o, double v) {
    return FormatNombre(v, o.parametres.fDecimal, o.ui.Sep());
}
// A cell shown again with the number format: only its decimals change.
std::string Formate(const SourceNotation& o, int ligne, int c) {
    return Formate(o, LitDecimal(Cellule(o, ligne, c)));
}

std::string Compte(const SourceNotation& o, int c) {
    const double n =
        c >= 0 && c < ColonnesResultats ? o.resultats.NbLignes[static_cast<size_t>(c)] : 0.0;
    return TexteNombre(n, o.ui.Sep());
}

// The fragment without its opening " (".
std::string SansOuverture(const std::string& fragment) {
    return fragment.rfind(" (", 0) == 0 ? fragment.substr(2) : fragment;
}

// A column's label: a word of the menu texts ("Longueur :", "largeur : "...),
// or a symbol that every language writes alike.
struct LibelleColonne {
    int texte = 0;
    const char* symbole = "";
};
struct LignesFonction {
    int fonction;
    std::vector<LibelleColonne> libelles; // columns 1, 2, ...
};

const std::vector<LignesFonction>& LibellesColonnes() {
    constexpr LibelleColonne longueur{mnu::NotationLongueur}, base{mnu::NotationBase},
        col{mnu::NotationCol}, surface{mnu::NotationSurface}, perimetre{mnu::NotationPerimetre};
    static const std::vector<LignesFonction> t = {
        {3, {longueur, {mnu::NotationLargeur}, {mnu::NotationEpaisseur}, {0, "Q : "}, {0, "L : "}}},
        {4, {longueur, base, col}},
        {5, {longueur, base, col, {0, "L + : "}}},
        {6, {longueur, base, col, {0, "L + : "}, {0, "L ++ : "}}},
        {15, {surface, perimetre, {mnu::NotationAngle}}},
        {16, {surface, perimetre, {0, "Rm : "}, {0, "F : "}}},
    };
    return t;
}

std::string Libelle(const SourceNotation& o, const LibelleColonne& l) {
    return l.texte ? o.ui.Mnu(l.texte) : std::string(l.symbole);
}

double Cote(const std::array<double, ColonnesResultats>& v, int c) {
    return c >= 0 && c < ColonnesResultats ? v[static_cast<size_t>(c)] : 0.0;
}

// Below eleven values a column has no deciles.
bool SansDeciles(const SourceNotation& o, int c) {
    return Cote(o.resultats.NbLignes, c) < ValeursDeciles;
}

} // namespace

std::pair<std::string, std::string> BornesMoyenneSigma(const SourceNotation& o, int c,
                                                       double facteur) {
    // The mean and sigma as computed: the grid shows them rounded.
    const double m = Cote(o.resultats.Moyenne, c), s = Cote(o.resultats.Sigma, c);
    double bas = m - facteur * s, haut = m + facteur * s;
    const double mini = LitDecimal(Cellule(o, kMin, c)), maxi = LitDecimal(Cellule(o, kMax, c));
    if (mini <= maxi) {
        bas = std::clamp(bas, mini, maxi);
        haut = std::clamp(haut, mini, maxi);
    }
    const auto texte = [&](double v) {
        return TexteStatistique(o.mesure, o.parametres, o.ui.Sep(), c, v);
    };
    return {texte(bas), texte(haut)};
}

std::string LibelleNotation(const Controles& controles, int v) {
    if (!FormeConnue(v)) return {};
    constexpr Controle kEntrees[] = {Controle::NotationD19, Controle::NotationD159,
                                     Controle::NotationSigma, Controle::NotationSigma196,
                                     Controle::NotationDominante};
    return controles.Texte(kEntrees[static_cast<size_t>(v - 1)]);
}

std::string FragmentColonne(const SourceNotation& o, int v, int c) {
    const std::string maxFormate = "(" + Formate(o, kMax, c) + ")";
    if (!FormeConnue(v)) return maxFormate;
    const std::string minTexte = " (" + Cellule(o, kMin, c) + ")";
    const std::string maxTexte = "(" + Cellule(o, kMax, c) + ")";
    // A column short of eleven values (a 3D spore's thickness measured on a
    // few lines) gives its mean and sigma, and says so.
    if (v != 3 && v != 4 && SansDeciles(o, c))
        return FragmentColonne(o, FormeMoyenneSigma, c) + " " +
               LibelleNotation(o.ui.controles, FormeMoyenneSigma);
    switch (v) {
    case 1:
        return " (" + Formate(o, kMin, c) + ")" + Formate(o, kD1, c) + "-" + Formate(o, kD9, c) +
               maxFormate;
    case 2:
        return minTexte + Formate(o, kD1, c) + "-" + Formate(o, kMed, c) + "-" +
               Formate(o, kD9, c) + maxFormate;
    case 3:
    case 4: {
        const auto [bas, haut] = BornesMoyenneSigma(o, c, v == 3 ? 1.0 : kFacteur95);
        return minTexte + bas + "-" + haut + maxTexte;
    }
    default:
        return minTexte + Formate(o, kD1, c) + "-" +
               TexteNombre(Dominante(o.mesure, c), o.ui.Sep()) + "-" + Formate(o, kD9, c) +
               maxFormate;
    }
}

std::string LigneNotation(const SourceNotation& o, int v, int c) {
    std::string t = Cellule(o, kEntete, c) + " : N= " + Compte(o, c);
    if (!FormeConnue(v)) return t + FragmentColonne(o, v, c);
    return t + kMarqueurs[static_cast<size_t>(v)] + SansOuverture(FragmentColonne(o, v, c));
}

std::string NotationLxl(const SourceNotation& o, int v) {
    const PrefixeLxl& p = kPrefixesLxl[FormeConnue(v) ? static_cast<size_t>(v) : 0];
    const std::string largeur = FragmentColonne(o, v, 2);
    std::string t = p.avant + Compte(o, 1) + p.apres + SansOuverture(FragmentColonne(o, v, 1)) +
                    " x " + (largeur.rfind(' ', 0) == 0 ? largeur.substr(1) : largeur);
    // The ratio is published beside the sizes, in the same form.
    if (FormeConnue(v)) t += " ; " + Cellule(o, kEntete, 3) + " =" + FragmentColonne(o, v, 3);
    return t;
}

std::string Notation(const Interface& ui, const EtatMesure& m, EtatResultats& r,
                     const Parametres& p) {
    RecalculeTout(ui, m, r, p);
    const SourceNotation o{ui, m, r, p};
    int v = r.NotationEclair;
    // Deciles need eleven values.
    if (m.LigneCourante < ValeursDeciles + 1) v = FormeMoyenneSigma;

    const int f = m.NumFonction;
    if (f == fonction::Segment) return LigneNotation(o, v, 1);
    if (f == fonction::Spores2D) return NotationLxl(o, v);
    for (const auto& lf : LibellesColonnes()) {
        if (lf.fonction != f) continue;
        std::string t = ui.textes.Mstat(15) + LibelleNotation(ui.controles, v) +
                        " ; N = " + Compte(o, 1) + std::string(FinDeLigne);
        for (size_t k = 0; k < lf.libelles.size(); ++k)
            t += Libelle(o, lf.libelles[k]) + FragmentColonne(o, v, static_cast<int>(k) + 1) +
                 std::string(FinDeLigne);
        return t;
    }
    return {};
}

} // namespace orv
