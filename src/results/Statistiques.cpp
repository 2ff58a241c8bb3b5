#include "results/Statistiques.h"

#include "base/Nombres.h"
#include "interface/Messages.h"
#include "measure/Fonctions.h"
#include "results/Deciles.h"
#include "results/Moments.h"

#include <algorithm>
#include <string>
#include <vector>

namespace orv {

namespace {

void AssureLignes(GrilleTexte& p) {
    if (p.Lignes() < LignesStatistiques) p.FixeLignes(LignesStatistiques);
}

// Last line of GrilleRef that holds a measure or the one under way.
int DerniereLigne(const EtatMesure& m, int ligne) {
    return std::min(ligne, m.GrilleRef.Lignes() - 1);
}

std::vector<double> Valeurs(const EtatMesure& m, int c, int derniere, bool videsComprises) {
    std::vector<double> v;
    const auto& g = m.GrilleRef;
    if (c < 0 || c >= g.Colonnes()) return v;
    for (int r = 1; r <= derniere; ++r) {
        const std::string& t = g.Texte(r, c);
        if (t.empty() && !videsComprises) continue;
        v.push_back(LitDecimal(t));
    }
    return v;
}

bool DansResultats(int c) {
    return c >= 1 && c < ColonnesResultats;
}

} // namespace

bool PleinePrecision(const EtatMesure& m, int c) {
    return GenreDeColonne(m.NumFonction, c) == GenreColonne::Densite;
}

std::vector<double> ValeursOrdre(const EtatMesure& m, int c) {
    std::vector<double> v = Valeurs(m, c, DerniereLigne(m, m.LigneCourante - 1), false);
    const double seuil = PleinePrecision(m, c) ? 0.0 : SeuilOrdre;
    std::erase_if(v, [seuil](double x) { return !(x > seuil); });
    return v;
}

std::string LibelleStatistique(const TablesTextes& t, int k) {
    switch (k) {
    case 0:
        return t.Msg(msg::Moyenne);
    case 2:
        return t.Msg(msg::Maximum);
    case 4:
        return t.Msg(msg::Dissymetrie);
    case 5:
        return t.Msg(msg::Kurtosis);
    case 9:
        return t.Mnu(mnu::Mediane);
    default:
        return LibellesStatistiques[k];
    }
}

std::string TexteStatistique(const EtatMesure& m, const Parametres& p, char sep, int c,
                             double valeur) {
    if (GenreDeColonne(m.NumFonction, c) == GenreColonne::Entier)
        return FormatNombre(valeur, p.fDecimal, sep);
    return TexteColonne(m.NumFonction, c, valeur, p.fDecimal, sep);
}

bool StatColonnes(const Interface& ui, const EtatMesure& m, EtatResultats& r,
                  const Parametres& prm) {
    if (!r.calculAutomatique) return false;
    const auto& g = m.GrilleRef;
    auto& p = r.GrilleRefP;
    const auto texte = [&](int c, double v) { return TexteStatistique(m, prm, ui.Sep(), c, v); };
    AssureLignes(p);
    const int cols = std::min(g.Colonnes(), p.Colonnes());
    for (int col = 0; col <= cols - 3; ++col) p.FixeTexte(0, col, g.Texte(0, col));
    // Columns without statistics keep nothing from an earlier function.
    for (int col = std::max(cols - 2, 1); col < p.Colonnes() - 1; ++col)
        for (int l = 0; l <= 7; ++l) p.FixeTexte(l, col, "");
    p.FixeTexte(0, p.Colonnes() - 1, ui.Msg(msg::Index));

    // The line under way takes part: its values are already in the grid.
    const int derniere = DerniereLigne(m, m.LigneCourante);
    r.derniereLigne = derniere;
    r.colonnesStat = std::clamp(cols - 3, 0, ColonnesResultats - 1);
    r.ligneMin.fill(0);
    r.ligneMax.fill(0);
    r.Moyenne.fill(0);
    r.Sigma.fill(0);
    std::string minima, maxima;
    for (int c = 1; c <= cols - 3; ++c) {
        const MomentsColonne mc = CalculeMoments(Valeurs(m, c, derniere, true));

        const double lignes[] = {mc.moyenne, mc.minimum,     mc.maximum,
                                 mc.sigma,   mc.dissymetrie, mc.kurtosis};
        for (int k = 0; k < 6; ++k) p.FixeTexte(k + 1, c, texte(c, lignes[k]));

        // A column without a value above zero has no extreme to point at.
        maxima += (mc.ligneMax > 0 ? std::to_string(mc.ligneMax) : std::string()) + " / ";
        minima += (mc.ligneMin > 0 ? std::to_string(mc.ligneMin) : std::string()) + " / ";
        if (c < ColonnesResultats) {
            r.Moyenne[static_cast<size_t>(c)] = mc.moyenne;
            r.Sigma[static_cast<size_t>(c)] = mc.sigma;
            r.ligneMin[static_cast<size_t>(c)] = mc.ligneMin;
            r.ligneMax[static_cast<size_t>(c)] = mc.ligneMax;
        }

        if (mc.sigma >= SigmaMinimal) p.FixeTexte(7, c, texte(c, mc.moyenne / mc.sigma));
    }

    if (m.NumFonction == fonction::Spores3D && cols - 3 >= 3) {
        // From L, l and e as computed, not as the grid rounds them.
        const VolumeSpore v = CalculeVolumeSpore(r.Moyenne[1], r.Moyenne[2], r.Moyenne[3],
                                                 r.Sigma[1], r.Sigma[2], r.Sigma[3]);
        r.VolApprox = v.volume;
        r.SigmaVol = v.sigma;
    }

    for (int k = 0; k < 7; ++k) p.FixeTexte(k + 1, 0, LibelleStatistique(ui.textes, k));
    p.FixeTexte(2, p.Colonnes() - 1, minima);
    p.FixeTexte(3, p.Colonnes() - 1, maxima);
    p.FixeCouleurFond(CouleurGrilles);
    return true;
}

void SurligneExtremes(const EtatResultats& r, GrilleTexte& g) {
    if (!r.calculAutomatique) return;
    g.FixeCouleurFond(CouleurGrilles);
    const int derniere = std::min(r.derniereLigne, g.Lignes() - 1);
    for (int c = 1; c <= r.colonnesStat && c < g.Colonnes(); ++c) {
        for (int l = 1; l <= derniere; ++l) g.FixeCouleurCellule(l, c, CouleurGrilles);
        const auto i = static_cast<size_t>(c);
        if (r.ligneMin[i] > 0) g.FixeCouleurCellule(r.ligneMin[i], c, CouleurMinimum);
        if (r.ligneMax[i] > 0) g.FixeCouleurCellule(r.ligneMax[i], c, CouleurMaximum);
        g.FixeCouleurCellule(0, c, CouleurGrilles);
    }
}

void Cdecile(const EtatMesure& m, EtatResultats& r, int c) {
    if (!DansResultats(c) || c > m.NbColStat) return;
    const StatistiquesOrdre s = CalculeOrdre(ValeursOrdre(m, c), PleinePrecision(m, c));
    const auto i = static_cast<size_t>(c);
    r.NbLignes[i] = s.n;
    r.Mediane[i] = s.mediane;
    r.D1[i] = s.d1;
    r.D9[i] = s.d9;
}

void TableDeciles(const Interface& ui, const EtatMesure& m, EtatResultats& r,
                  const Parametres& prm) {
    auto& p = r.GrilleRefP;
    AssureLignes(p);
    for (int k = 7; k < 11; ++k) p.FixeTexte(k + 1, 0, LibelleStatistique(ui.textes, k));
    for (int c = 1; c <= m.NbSegments && c < ColonnesResultats; ++c)
        r.NbLignes[static_cast<size_t>(c)] = 0;

    // Columns without order statistics keep nothing from an earlier function.
    for (int c = std::clamp(m.NbColStat, 0, ColonnesResultats - 1) + 1; c < p.Colonnes(); ++c)
        for (int l = 8; l <= 11; ++l) p.FixeTexte(l, c, "");
    for (int c = 1; c <= m.NbColStat && DansResultats(c) && c < p.Colonnes(); ++c) {
        Cdecile(m, r, c);
        const auto i = static_cast<size_t>(c);
        p.FixeTexte(8, c, TexteNombre(r.NbLignes[i], ui.Sep()));
        // Deciles need eleven values: their cells stay empty below.
        const bool deciles = r.NbLignes[i] >= ValeursDeciles;
        p.FixeTexte(9, c, deciles ? TexteStatistique(m, prm, ui.Sep(), c, r.D1[i]) : "");
        p.FixeTexte(10, c, TexteStatistique(m, prm, ui.Sep(), c, r.Mediane[i]));
        p.FixeTexte(11, c, deciles ? TexteStatistique(m, prm, ui.Sep(), c, r.D9[i]) : "");
    }
}

double Dominante(const EtatMesure& m, int c) {
    return DominanteValeurs(ValeursOrdre(m, c));
}

void RecalculeTout(const Interface& ui, const EtatMesure& m, EtatResultats& r,
                   const Parametres& p) {
    StatColonnes(ui, m, r, p);
    TableDeciles(ui, m, r, p);
}

void RazStatistiques(EtatResultats& r) {
    auto& p = r.GrilleRefP;
    for (int l = 1; l < p.Lignes(); ++l)
        for (int c = 1; c < p.Colonnes(); ++c) p.FixeTexte(l, c, "");
    r.NbLignes.fill(0);
    r.D1.fill(0);
    r.Mediane.fill(0);
    r.D9.fill(0);
}

void BasculeCalculStatistiques(EtatResultats& r, bool coche) {
    r.calculAutomatique = coche;
    r.GrilleRefP.FixeCouleurFond(coche ? CouleurGrilles : CouleurStatArretees);
}

} // namespace orv
