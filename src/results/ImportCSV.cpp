#include "results/ImportCSV.h"

#include "base/FichierTexte.h"
#include "base/Nombres.h"
#include "base/Texte.h"
#include "images/Chargeur.h"
#include "interface/Messages.h"
#include "interface/TableControles.h"
#include "measure/Fonctions.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

constexpr const char* kMarqueFonction = "Fonction :";

// The functions an export names through messages 56-62, in the order they are
// tested, with the last column that must hold numbers.
struct NomSpecifique {
    int message;
    int numero;
    int k;
};
constexpr NomSpecifique kNoms[] = {{56, 1, 1}, {57, 2, 3}, {58, 3, 4}, {59, 4, 3},
                                   {60, 5, 4}, {61, 6, 5}, {62, 20, 6}};

// Columns of the grid of function n, as its widths descriptor gives them.
int ColonnesFonction(const EtatMesure& m, int n) {
    const std::string& d = TableLargeurs(m, n);
    const auto cols = LitEntierStrict(Trim(d.substr(0, d.find('$'))));
    return cols ? static_cast<int>(*cols) : 0;
}

// The colour function has no image column: its last two are "S" and "comment".
bool AColonneImage(int n) {
    return n != 20;
}

// A line "LISTE=" (a spreadsheet may add separators after it).
bool EstLigneListe(const std::string& t) {
    if (t.rfind("LISTE", 0) != 0) return false;
    return t.find_first_not_of("=; \t", 5) == std::string::npos;
}

// "N mesures", the line before "LISTE=".
std::optional<int> LitCompte(const std::string& t) {
    const auto blanc = t.find(' ');
    if (blanc == std::string::npos || Trim(t.substr(blanc)) != "mesures") return std::nullopt;
    const auto n = LitEntierStrict(t.substr(0, blanc));
    if (!n || *n < 0 || *n > 100000) return std::nullopt;
    return static_cast<int>(*n);
}

// The cells of a table line. The first cells hold numbers and headers, never a
// ";": they end at the next ";" and are trimmed. The last cell, the comment,
// is all the rest but the closing separator, so a comment keeps its ";" and
// its blanks. In the "; " form the blank after each ";" belongs to the separator.
std::vector<std::string> Cellules(const std::string& ligne, int colonnes, bool formeTxt) {
    std::vector<std::string> cellules(static_cast<size_t>(colonnes));
    size_t pos = 0;
    for (int c = 0; c + 1 < colonnes; ++c) {
        const auto fin = ligne.find(';', pos);
        if (fin == std::string::npos) {
            cellules[static_cast<size_t>(c)] = Trim(ligne.substr(pos));
            return cellules;
        }
        cellules[static_cast<size_t>(c)] = Trim(ligne.substr(pos, fin - pos));
        pos = fin + 1;
        if (!formeTxt && pos < ligne.size() && ligne[pos] == ' ') ++pos;
    }
    std::string reste = ligne.substr(std::min(pos, ligne.size()));
    const std::string sep = formeTxt ? "\t;" : "; ";
    if (reste.size() >= 2 && reste.compare(reste.size() - 2, 2, sep) == 0)
        reste.resize(reste.size() - 2);
    else if (!reste.empty() && reste.back() == ';')
        reste.pop_back();
    cellules.back() = reste;
    return cellules;
}

bool ToutesVides(const std::vector<std::string>& cellules) {
    return std::all_of(cellules.begin(), cellules.end(),
                       [](const std::string& c) { return Trim(c).empty(); });
}

// How many measure lines the grid holds.
int Capacite(const Parametres& p) {
    return std::clamp(p.tGrille, 1, LignesMax);
}

ErreurCSV Erreur(DefautCSV d, int ligne = 0, std::string texte = {}) {
    return {d, ligne, std::move(texte)};
}

// A cell the table must hold as a number, or leave empty. Beyond a
// thousand kilometres (or its square or cube) a value cannot be a measure:
// the statistics would overflow on it.
bool CelluleValide(const std::string& c, bool entier) {
    if (c.empty()) return true;
    if (!entier) {
        const auto v = LitNombreStrict(c);
        return v && std::fabs(*v) <= ValeurMaxCSV;
    }
    const auto n = LitEntierStrict(c);
    return n && *n >= 0 && *n <= ImagesMax;
}

} // namespace

int DerniereColonneLue(const EtatMesure& m, int n) {
    for (const auto& s : kNoms)
        if (s.numero == n) return s.k;
    return std::max(ColonnesFonction(m, n) - 3, 0);
}

namespace {

// The function an export's "Fonction :" line names in one language: its
// tables, and the captions of the two polygon entries ("auto", "ouvert").
std::optional<FonctionCSV> NommeeDans(const EtatMesure& m, const TablesTextes& t,
                                      const std::string (&polygones)[2], const std::string& ligne) {
    std::optional<FonctionCSV> f;
    for (const auto& s : kNoms) {
        const std::string& nom = t.Msg(s.message);
        if (!nom.empty() && ligne.find(nom) != std::string::npos)
            f = FonctionCSV{s.numero, true, s.k};
    }
    if (f) return f;
    // A function's own name, written exactly: the names of the cystidia, the
    // counts, densities and surfaces.
    const auto p = ligne.find(kMarqueFonction);
    const std::string nom = Trim(
        p == std::string::npos ? ligne : ligne.substr(p + std::string(kMarqueFonction).size()));
    if (nom.empty()) return std::nullopt;
    for (int n = 1; n <= FonctionsMax; ++n) {
        if (!FonctionExiste(n)) continue;
        const std::string d = DescripteurFonction(t, n);
        if (Trim(d.substr(0, d.find('$'))) == nom)
            return FonctionCSV{n, true, DerniereColonneLue(m, n)};
    }
    for (int i : {0, 1})
        if (!polygones[i].empty() && Trim(polygones[i]) == nom)
            return FonctionCSV{16, i == 0, DerniereColonneLue(m, 16)};
    return std::nullopt;
}

} // namespace

std::optional<FonctionCSV> FonctionNommee(const Interface& ui, const EtatMesure& m,
                                          const std::string& ligne,
                                          const std::vector<NomsLangue>& langues) {
    const std::string polygones[2] = {ui.controles.Texte(Controle::FonctionPolygoneAuto),
                                      ui.controles.Texte(Controle::FonctionPolygoneOuvert)};
    if (auto f = NommeeDans(m, ui.textes, polygones, ligne)) return f;
    // Exports written in French, the built-in language, are read in every
    // language: colleagues exchange them.
    TablesTextes francais;
    francais.RemplitMessages();
    const std::string polygonesFrancais[2] = {Description(Controle::FonctionPolygoneAuto).texte,
                                              Description(Controle::FonctionPolygoneOuvert).texte};
    if (auto f = NommeeDans(m, francais, polygonesFrancais, ligne)) return f;
    for (const NomsLangue& l : langues)
        if (auto f = NommeeDans(m, l.textes, l.polygones, ligne)) return f;
    return std::nullopt;
}

LectureCSV AnalyseCSV(const Interface& ui, const EtatMesure& m, const Parametres& p,
                      const std::vector<std::string>& lignes,
                      const std::vector<NomsLangue>& langues) {
    const int n = static_cast<int>(lignes.size());
    auto ligne = [&lignes](int i) -> const std::string& { return lignes[static_cast<size_t>(i)]; };

    // The header block: the first "Fonction :" line (a comment further down may
    // quote one), the count line, then "LISTE=". The table starts at the first
    // "LISTE=" right after a count line, so that a comment reading "LISTE="
    // (which the export writes before the count) is not taken for it; a file
    // without count lines starts at its first "LISTE=".
    std::optional<FonctionCSV> fonction;
    bool fonctionVue = false;
    std::optional<int> compte;
    int liste = -1, premiere = -1;
    std::optional<int> comptePremiere;
    for (int i = 0; i < n; ++i) {
        const std::string t = Trim(ligne(i));
        if (t.empty()) continue;
        if (EstLigneListe(t)) {
            if (premiere < 0) {
                premiere = i;
                comptePremiere = compte;
            }
            if (compte) {
                liste = i;
                break;
            }
            continue;
        }
        if (!fonctionVue && ligne(i).find(kMarqueFonction) != std::string::npos) {
            fonctionVue = true;
            fonction = FonctionNommee(ui, m, ligne(i), langues);
            if (!fonction) return {std::nullopt, Erreur(DefautCSV::FonctionInconnue, i + 1, t)};
        }
        compte = LitCompte(t); // only the line just before "LISTE=" counts
    }
    if (liste < 0) {
        liste = premiere;
        compte = comptePremiere;
    }
    if (!fonctionVue) return {std::nullopt, Erreur(DefautCSV::SansFonction)};
    if (liste < 0) return {std::nullopt, Erreur(DefautCSV::SansListe)};

    TableCSV table;
    table.fonction = *fonction;
    table.colonnes = ColonnesFonction(m, fonction->numero);
    // Line number, a value, the comment at least.
    if (table.colonnes < 3) return {std::nullopt, Erreur(DefautCSV::FonctionInconnue)};
    const int k = std::min(fonction->k, table.colonnes - 1);
    const int colImage = AColonneImage(fonction->numero) ? table.colonnes - 2 : -1;
    const int derniereValeur = (colImage >= 0 ? colImage : table.colonnes - 1) - 1;

    int i = liste + 1;
    while (i < n && Trim(ligne(i)).empty()) ++i;
    if (i >= n) return {std::nullopt, Erreur(DefautCSV::Tronque, i + 1)};
    // The header line tells the form: "txt" exports close each cell with a tab and ";".
    const bool formeTxt = ligne(i).find("\t;") != std::string::npos;
    const auto entete = Cellules(ligne(i), table.colonnes, formeTxt);
    if (ToutesVides(entete)) return {std::nullopt, Erreur(DefautCSV::Tronque, i + 1)};
    table.entetes.assign(entete.begin(), entete.begin() + k + 1);

    // The measure lines end at the first line without any cell (the empty next
    // line of an export, whatever its separator), and never run past the count:
    // what follows is the statistics table.
    const int capacite = Capacite(p);
    int lues = 0;
    for (++i; i < n && !(compte && lues == *compte); ++i) {
        auto cellules = Cellules(ligne(i), table.colonnes, formeTxt);
        if (ToutesVides(cellules)) break;
        for (int c = 1; c <= derniereValeur; ++c) {
            const std::string& v = cellules[static_cast<size_t>(c)];
            // Derived columns are read as written, but never as a number too large.
            if (c <= k ? !CelluleValide(v, false) : !CelluleValide(v, false) && LitNombreStrict(v))
                return {std::nullopt, Erreur(DefautCSV::ValeurInvalide, i + 1, v)};
        }
        if (colImage >= 0 && !CelluleValide(cellules[static_cast<size_t>(colImage)], true))
            return {std::nullopt, Erreur(DefautCSV::ImageHorsListe, i + 1,
                                         cellules[static_cast<size_t>(colImage)])};
        ++lues;
        if (static_cast<int>(table.lignes.size()) >= capacite) {
            ++table.ignorees;
            continue;
        }
        table.lignes.push_back(std::move(cellules));
    }
    if (compte && lues < *compte) return {std::nullopt, Erreur(DefautCSV::Tronque, i + 1)};
    return {std::move(table), {}};
}

LectureCSV AnalyseCSV(const Interface& ui, const EtatMesure& m, const Parametres& p,
                      std::istream& in, const std::vector<NomsLangue>& langues) {
    return AnalyseCSV(ui, m, p, LitLignes(in), langues);
}

LectureCSV AnalyseFichierCSV(const Interface& ui, const EtatMesure& m, const Parametres& p,
                             const std::string& chemin, const std::vector<NomsLangue>& langues) {
    const auto lignes = LitLignesFichier(chemin, LimiteFichierDonnees);
    if (!lignes) return {std::nullopt, Erreur(DefautCSV::Illisible)};
    return AnalyseCSV(ui, m, p, *lignes, langues);
}

std::string MessageErreurCSV(const TablesTextes& t, const std::string& chemin, const ErreurCSV& e) {
    std::string m = t.Msg(msg::ErreurFichier) + " :  " + chemin;
    const std::string fin(FinDeLigne);
    const std::string ligne = t.Mnu(mnu::Ligne) + " " + std::to_string(e.ligne);
    switch (e.defaut) {
    case DefautCSV::Illisible:
        break;
    case DefautCSV::SansFonction:
        m += fin + Trim(t.Msg(msg::Fonction)) + t.Msg(msg::Introuvable);
        break;
    case DefautCSV::FonctionInconnue:
        m += fin + Lisible(e.texte) + t.Msg(msg::Introuvable);
        break;
    case DefautCSV::SansListe:
        m += fin + "LISTE=" + t.Msg(msg::Introuvable);
        break;
    case DefautCSV::Tronque:
        m += fin + t.Msg(msg::DonneeIncorrecte) + " : " + ligne;
        break;
    case DefautCSV::ValeurInvalide:
        m += fin + t.Msg(msg::DonneeIncorrecte) + " : " + ligne + " : " + Lisible(e.texte);
        break;
    case DefautCSV::ImageHorsListe:
        m += fin + t.Msg(msg::DonneeIncorrecte) + " : " + ligne + " : image " + Lisible(e.texte) +
             t.Mnu(mnu::HorsChargeur);
        break;
    }
    return m;
}

std::string MessageLignesIgnorees(const TablesTextes& t, int lues, int ignorees) {
    return t.Msg(msg::GrillePleine) + " : " + std::to_string(lues) + " " + t.Msg(msg::Mesures) +
           " " + t.Mnu(mnu::Lues) + ", " + std::to_string(ignorees) + " " + t.Mnu(mnu::Ignorees);
}

} // namespace orv
