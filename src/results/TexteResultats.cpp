#include "results/TexteResultats.h"

#include "app/Orvelle.h"
#include "base/Nombres.h"
#include "base/Texte.h"
#include "interface/Messages.h"
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

// A cell shown with the number format when it holds a number; labels, headers
// and the "index" texts stay as they are.
std::string CelluleFormatee(const Orvelle& o, int ligne, int c) {
    const std::string& t = o.GrilleRefP.Texte(ligne, c);
    const auto v = LitNombreStrict(t);
    if (!v) return t;
    const bool volume = o.mesure.NumFonction == 2 && c == 4;
    return FormatNombre(*v, volume ? "###0.0" : o.parametres.fDecimal, o.Sep());
}

std::string LigneTableau(Orvelle& o, int ligne) {
    std::string texte, controle;
    for (int c = 0; c < o.GrilleRefP.Colonnes(); ++c) {
        std::string cellule = CelluleFormatee(o, ligne, c);
        controle += cellule + "; ";
        const size_t n = Caracteres(cellule);
        if (n < kLargeurCellule) cellule.append(kLargeurCellule - n, ' ');
        texte += cellule + "\t";
    }
    if (controle == kEnteteVide) o.plateforme.Bip();
    return texte + std::string(FinDeLigne);
}

std::string Plain(const Orvelle& o, double v) {
    return TexteNombre(v, o.Sep());
}

} // namespace

std::string ConstruitTexteResultats(Orvelle& o) {
    RecalculeTout(o);
    const std::string fin(FinDeLigne);
    const auto& p = o.GrilleRefP;
    const auto& r = o.resultats;

    std::string t = o.textes.Msg(71) + SansDossier(o.images.cheminImage) + fin;
    if (!o.FichierCSVImporte.empty())
        t += o.textes.Mnu(mnu::CSVImporte) + SansDossier(o.FichierCSVImporte) + fin;

    for (int c = 1; c <= o.mesure.NbColStat && c < ColonnesResultats && c < p.Colonnes(); ++c) {
        const auto i = static_cast<size_t>(c);
        t += p.Texte(0, c) + " : \tN =" + Plain(o, r.NbLignes[i]) + " ; dMd ; (" + p.Texte(2, c) +
             ")" + Plain(o, r.D1[i]) + " - " + Plain(o, Dominante(o, c)) + " - " +
             Plain(o, r.D9[i]) + "(" + p.Texte(3, c) + ")" + fin;
    }

    for (int ligne = 0; ligne <= 7; ++ligne) t += LigneTableau(o, ligne);
    if (o.mesure.LigneCourante >= 11) t += LigneTableau(o, 10);

    if (o.mesure.NumFonction == 3) {
        const auto fmt = [&o](double v) { return FormatNombre(v, o.parametres.fDecimal, o.Sep()); };
        if (r.VolApprox > 0)
            t += "Vol. Approx.3D = " + fmt(r.VolApprox) + "  Sigma_Vol = " + fmt(r.SigmaVol);
        else
            t += "Vol. Approx.3D = NC ";
    }
    return t + fin + Notation(o);
}

namespace {

std::string AfficheResultats(Orvelle& o) {
    std::string t = ConstruitTexteResultats(o);
    o.controles.Texte(Controle::TexteResultats, t);
    o.controles.Visible(Controle::CadreResultats, true);
    return t;
}

} // namespace

void TexteResultats(Orvelle& o) {
    AfficheResultats(o);
}

void CopieResultats(Orvelle& o) {
    o.plateforme.CopieTextePressePapier(AfficheResultats(o));
}

bool ClicResultats(Orvelle& o, Controle c) {
    switch (c) {
    case Controle::ResultatsBascule:
        if (o.controles(Controle::CadreResultats).visible)
            o.controles.Visible(Controle::CadreResultats, false);
        else
            TexteResultats(o);
        return true;
    case Controle::CopieNotation:
        CopieNotation(o);
        return true;
    case Controle::ResultatsAfficher:
        TexteResultats(o);
        return true;
    case Controle::CopieResultats:
        CopieResultats(o);
        return true;
    case Controle::StatistiquesOrdre:
        ClicCmdStat(o);
        return true;
    case Controle::CaseCalculStat:
        ClicCalculStatistiques(o);
        return true;
    default:
        return false;
    }
}

} // namespace orv
