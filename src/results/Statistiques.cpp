#include "results/Statistiques.h"

#include "app/CommandesMesure.h"
#include "app/Orvelle.h"
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
int DerniereLigne(const Orvelle& o, int ligne) {
    return std::min(ligne, o.mesure.GrilleRef.Lignes() - 1);
}

std::vector<double> Valeurs(const Orvelle& o, int c, int derniere, bool videsComprises) {
    std::vector<double> v;
    const auto& g = o.mesure.GrilleRef;
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

// The values the order statistics and the dominante count.
std::vector<double> ValeursOrdre(const Orvelle& o, int c) {
    std::vector<double> v = Valeurs(o, c, DerniereLigne(o, o.mesure.LigneCourante - 1), false);
    std::erase_if(v, [](double x) { return !(x > SeuilOrdre); });
    return v;
}

} // namespace

std::string LibelleStatistique(const Orvelle& o, int k) {
    const auto& t = o.textes;
    switch (k) {
    case 0:
        return t.Msg(151); // "Moy"
    case 2:
        return t.Msg(140); // "Max"
    case 4:
        return t.Msg(115); // "Diss"
    case 5:
        return t.Msg(133); // "Kurt"
    case 9:
        return t.Mnu(mnu::Mediane);
    default:
        return LibellesStatistiques[k];
    }
}

std::string TexteStatistique(const Orvelle& o, int c, double valeur) {
    if (GenreDeColonne(o.mesure.NumFonction, c) == GenreColonne::Entier)
        return FormatNombre(valeur, o.parametres.fDecimal, o.Sep());
    return TexteColonne(o, c, valeur);
}

bool StatistiquesAutomatiques(const Orvelle& o) {
    return o.controles(Controle::CaseCalculStat).coche;
}

void StatColonnes(Orvelle& o) {
    if (!StatistiquesAutomatiques(o)) return;
    auto& g = o.mesure.GrilleRef;
    auto& p = o.GrilleRefP;
    AssureLignes(p);
    const int cols = std::min(g.Colonnes(), p.Colonnes());
    for (int col = 0; col <= cols - 3; ++col) p.FixeTexte(0, col, g.Texte(0, col));
    // Columns without statistics keep nothing from an earlier function.
    for (int col = std::max(cols - 2, 1); col < p.Colonnes() - 1; ++col)
        for (int l = 0; l <= 7; ++l) p.FixeTexte(l, col, "");
    p.FixeTexte(0, p.Colonnes() - 1, o.textes.Msg(132)); // "index"
    g.FixeCouleurFond(CouleurGrilles);

    // The line under way takes part: its values are already in the grid.
    const int derniere = DerniereLigne(o, o.mesure.LigneCourante);
    std::string minima, maxima;
    for (int c = 1; c <= cols - 3; ++c) {
        for (int r = 1; r <= derniere; ++r) g.FixeCouleurCellule(r, c, CouleurGrilles);
        const MomentsColonne m = CalculeMoments(Valeurs(o, c, derniere, true));

        const double lignes[] = {m.moyenne, m.minimum,     m.maximum,
                                 m.sigma,   m.dissymetrie, m.kurtosis};
        for (int k = 0; k < 6; ++k) p.FixeTexte(k + 1, c, TexteStatistique(o, c, lignes[k]));

        // A column without a value above zero has no extreme to point at.
        maxima += (m.ligneMax > 0 ? std::to_string(m.ligneMax) : std::string()) + " / ";
        minima += (m.ligneMin > 0 ? std::to_string(m.ligneMin) : std::string()) + " / ";
        if (m.ligneMin > 0) g.FixeCouleurCellule(m.ligneMin, c, CouleurMinimum);
        if (m.ligneMax > 0) g.FixeCouleurCellule(m.ligneMax, c, CouleurMaximum);
        g.FixeCouleurCellule(0, c, CouleurGrilles);

        if (m.sigma >= SigmaMinimal) p.FixeTexte(7, c, TexteStatistique(o, c, m.moyenne / m.sigma));
    }

    if (o.mesure.NumFonction == 3 && cols - 3 >= 3) {
        // Read back as shown, with the rounding of the displayed format.
        auto lu = [&p](int l, int c) { return LitDecimal(p.Texte(l, c)); };
        const VolumeSpore v =
            CalculeVolumeSpore(lu(1, 1), lu(1, 2), lu(1, 3), lu(4, 1), lu(4, 2), lu(4, 3));
        o.resultats.VolApprox = v.volume;
        o.resultats.SigmaVol = v.sigma;
    }

    for (int k = 0; k < 7; ++k) p.FixeTexte(k + 1, 0, LibelleStatistique(o, k));
    p.FixeTexte(2, p.Colonnes() - 1, minima);
    p.FixeTexte(3, p.Colonnes() - 1, maxima);
    p.FixeCouleurFond(CouleurGrilles);
}

void Cdecile(Orvelle& o, int c) {
    if (!DansResultats(c) || c > o.mesure.NbColStat) return;
    const StatistiquesOrdre s = CalculeOrdre(ValeursOrdre(o, c));
    auto& r = o.resultats;
    const auto i = static_cast<size_t>(c);
    r.NbLignes[i] = s.n;
    r.Mediane[i] = s.mediane;
    r.D1[i] = s.d1;
    r.D9[i] = s.d9;
}

void TableDeciles(Orvelle& o) {
    auto& p = o.GrilleRefP;
    AssureLignes(p);
    for (int k = 7; k < 11; ++k) p.FixeTexte(k + 1, 0, LibelleStatistique(o, k));
    auto& r = o.resultats;
    for (int c = 1; c <= o.mesure.NbSegments && c < ColonnesResultats; ++c)
        r.NbLignes[static_cast<size_t>(c)] = 0;

    // Columns without order statistics keep nothing from an earlier function.
    for (int c = std::clamp(o.mesure.NbColStat, 0, ColonnesResultats - 1) + 1; c < p.Colonnes();
         ++c)
        for (int l = 8; l <= 11; ++l) p.FixeTexte(l, c, "");
    for (int c = 1; c <= o.mesure.NbColStat && DansResultats(c) && c < p.Colonnes(); ++c) {
        Cdecile(o, c);
        const auto i = static_cast<size_t>(c);
        p.FixeTexte(8, c, TexteNombre(r.NbLignes[i], o.Sep()));
        p.FixeTexte(9, c, TexteStatistique(o, c, r.D1[i]));
        p.FixeTexte(10, c, TexteStatistique(o, c, r.Mediane[i]));
        p.FixeTexte(11, c, TexteStatistique(o, c, r.D9[i]));
    }
}

double Dominante(const Orvelle& o, int c) {
    return DominanteValeurs(ValeursOrdre(o, c));
}

void RecalculeTout(Orvelle& o) {
    StatColonnes(o);
    TableDeciles(o);
}

void RazStatistiques(Orvelle& o) {
    auto& r = o.resultats;
    r.NbLignes.fill(0);
    r.D1.fill(0);
    r.Mediane.fill(0);
    r.D9.fill(0);
}

void ClicCalculStatistiques(Orvelle& o) {
    o.GrilleRefP.FixeCouleurFond(CouleurGrilles);
    if (!StatistiquesAutomatiques(o)) o.GrilleRefP.FixeCouleurFond(CouleurStatArretees);
    StatColonnes(o);
}

void ClicCmdStat(Orvelle& o) {
    TableDeciles(o);
}

} // namespace orv
