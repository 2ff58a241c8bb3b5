#include "results/TexteResultats.h"

#include "base/Nombres.h"
#include "base/Texte.h"
#include "interface/Messages.h"
#include "results/Deciles.h"
#include "results/FormeSpores.h"
#include "results/Notation.h"
#include "results/Statistiques.h"

#include <algorithm>

namespace orv {

namespace {

// Cells of the statistics table are padded to this many characters.
constexpr size_t kLargeurCellule = 9;
// The header line of an 8-column grid with nothing but "N°": the headers are missing.
constexpr const char* kEnteteVide = "N°; ; ; ; ; ; ; ";

std::string SansDossier(const std::string& chemin) {
    const size_t p = chemin.find_last_of("/\\");
    return p == std::string::npos ? chemin : chemin.substr(p + 1);
}

// Characters of a UTF-8 text.
size_t Caracteres(const std::string& t) {
    return static_cast<size_t>(std::count_if(t.begin(), t.end(), [](char ch) {
        return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    }));
}

// A cell shown in its column's format when it holds a number (the user's
// decimals, one for the volume, three significant digits for densities);
// labels, headers and the "index" texts stay as they are.
std::string CelluleFormatee(const SourceNotation& o, int ligne, int c) {
    const std::string& t = o.resultats.GrilleRefP.Texte(ligne, c);
    const auto v = LitNombreStrict(t);
    if (!v) return t;
    return TexteStatistique(o.mesure, o.parametres, o.ui.Sep(), c, *v);
}

std::string LigneTableau(const SourceNotation& o, int ligne) {
    std::string texte, controle;
    for (int c = 0; c < o.resultats.GrilleRefP.Colonnes(); ++c) {
        std::string cellule = CelluleFormatee(o, ligne, c);
        controle += cellule + "; ";
        const size_t n = Caracteres(cellule);
        if (n < kLargeurCellule) cellule.append(kLargeurCellule - n, ' ');
        texte += cellule + "\t";
    }
    if (controle == kEnteteVide) o.ui.plateforme.Bip();
    return texte + std::string(FinDeLigne);
}

std::string Plain(const SourceNotation& o, double v) {
    return TexteNombre(v, o.ui.Sep());
}

} // namespace

std::string ConstruitTexteResultats(const Interface& ui, const EtatMesure& m, EtatResultats& r,
                                    const Parametres& prm, const std::string& cheminImage) {
    RecalculeTout(ui, m, r, prm);
    const SourceNotation o{ui, m, r, prm};
    const std::string fin(FinDeLigne);
    const auto& p = r.GrilleRefP;

    std::string t = ui.Msg(msg::ImageEnCours) + SansDossier(cheminImage) + fin;
    if (!r.FichierCSVImporte.empty())
        t += ui.Mnu(mnu::CSVImporte) + SansDossier(r.FichierCSVImporte) + fin;

    for (int c = 1; c <= m.NbColStat && c < ColonnesResultats && c < p.Colonnes(); ++c) {
        const auto i = static_cast<size_t>(c);
        t += p.Texte(0, c) + " : \tN =" + Plain(o, r.NbLignes[i]);
        if (r.NbLignes[i] >= ValeursDeciles) {
            t += " ; dMd ; (" + p.Texte(2, c) + ")" + Plain(o, r.D1[i]) + " - " +
                 Plain(o, Dominante(m, c)) + " - " + Plain(o, r.D9[i]);
        } else {
            // No deciles below eleven values: the mean give or take sigma, as
            // the notation then says.
            const auto [bas, haut] = BornesMoyenneSigma(o, c);
            t += " ; m ± sigma ; (" + p.Texte(2, c) + ")" + bas + " - " + haut;
        }
        t += "(" + p.Texte(3, c) + ")" + fin;
    }

    for (int ligne = 0; ligne <= 7; ++ligne) t += LigneTableau(o, ligne);
    if (m.LigneCourante >= 11) t += LigneTableau(o, 10);
    t += TexteFormes(ui, m);
    // Too few spores for a description: said beside the results, never inside
    // the notation that is pasted into a description or exported.
    if (const std::string a = AvertissementEffectif(ui, m, r); !a.empty()) t += a + fin;

    if (m.NumFonction == fonction::Spores3D) {
        const auto fmt = [&](double v) { return FormatNombre(v, prm.fDecimal, ui.Sep()); };
        if (r.VolApprox > 0)
            t += "Vol. Approx.3D = " + fmt(r.VolApprox) + "  Sigma_Vol = " + fmt(r.SigmaVol);
        else
            t += "Vol. Approx.3D = NC ";
    }
    return t + fin + Notation(ui, m, r, prm);
}

std::string AfficheResultats(Interface& ui, const EtatMesure& m, EtatResultats& r,
                             const Parametres& p, const std::string& cheminImage) {
    std::string t = ConstruitTexteResultats(ui, m, r, p, cheminImage);
    ui.controles.Texte(Controle::TexteResultats, t);
    ui.controles.Visible(Controle::CadreResultats, true);
    return t;
}

} // namespace orv
