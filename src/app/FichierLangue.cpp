#include "app/FichierLangue.h"

#include "base/FichierTexte.h"
#include "base/Nombres.h"
#include "base/Texte.h"
#include "interface/TableControles.h"

#include <climits>
#include <sstream>
#include <string_view>

namespace orv {

namespace {

struct CleTable {
    std::string_view cle;
    Table table;
};
constexpr CleTable kTables[] = {{"MNU", Table::MNU},
                                {"MSG", Table::MSG},
                                {"MSTAT", Table::MSTAT},
                                {"MNUSTAT", Table::MNUSTAT},
                                {"TINTAVAL", Table::TINTAVAL}};

struct CleControle {
    std::string_view cle;
    std::string_view nom;
    int index = SansIndex; // the control a header-only key captions
};
// Sections whose entries caption a family of controls by index.
constexpr CleControle kFamilles[] = {
    {"MNUFONC", "MnuFonc"},
    {"MNUEDIT", "MnuEDit"},
    {"MNUFIC", "MnuFIC"},
    {"MNUOPT", "MnuOpt"},
    {"MNUTLS", "Mntool"},
    {"BOUTONS", "bout"},
    {"CHK", "Check"},
    {"OPTN", "Optn"},
    {"ETIQ", "label"},
    {"CADR", "Frame"},
    // The other captioned families of the window, so that a language file
    // leaves no French caption behind: named after the family.
    {"MNPERS", "MnPers"},
    {"MNPERS1", "MnPers1"},
    {"MNUSURF", "Mnusurf"},
    {"FDEMARRAGE", "Fdemarrage"},
    {"MNDECIM", "Mndecim"},
    {"MNSAV", "MNSav"},
    {"NOTEXP", "NoTexp"},
    {"ILLUSSRC", "IllusSrc"},
    {"CALSRC", "CalSrc"},
    {"AIDES", "Mnuaide"},
    {"POPORG", "PopOrg"},
    {"BOUTDIAL", "Bout_dial"},
    {"VALD", "Vald"},
    {"CMDREP", "cmdRep"},
    {"COMMAND1", "Command1"},
    {"COMMAND4", "Command4"},
    {"CHKMC", "chkMC"},
    {"FRAMC", "FraMC"}};
// Header lines that caption one control at once.
constexpr CleControle kEnTetes[] = {{"MNFONCTIONS", "Mnfonctions", SansIndex},
                                    {"MNEDIT", "MnEdit", SansIndex},
                                    {"MNFICHIERS", "Mnfichiers", SansIndex},
                                    {"MNOPTIONS", "MnOptions", SansIndex},
                                    {"MNOUTILS", "MnOutils", SansIndex},
                                    {"MNAIDE", "Mnaide", SansIndex},
                                    {"MNUAIDE", "Mnuaide", 1},
                                    {"FRALISTEIMG", "FraListeImg", SansIndex},
                                    {"LBLCOMMENTAIRE", "lblCommentaire", SansIndex},
                                    {"CHECK2", "Check2", SansIndex},
                                    {"AFFMESURE", "Affmesure", SansIndex}};

const CleTable* TrouveTable(std::string_view cle) {
    for (const auto& t : kTables)
        if (t.cle == cle) return &t;
    return nullptr;
}

template <size_t N> const CleControle* Trouve(const CleControle (&liste)[N], std::string_view cle) {
    for (const auto& c : liste)
        if (c.cle == cle) return &c;
    return nullptr;
}

bool EstCleSection(std::string_view cle) {
    return TrouveTable(cle) != nullptr || Trouve(kFamilles, cle) != nullptr;
}

// Bytes of the first character of a UTF-8 text (the marker may be an accented letter).
size_t LongueurPremierCaractere(std::string_view s) {
    if (s.empty()) return 0;
    const auto c = static_cast<unsigned char>(s[0]);
    size_t n = 1;
    if (c >= 0xF0)
        n = 4;
    else if (c >= 0xE0)
        n = 3;
    else if (c >= 0xC0)
        n = 2;
    return n <= s.size() ? n : s.size();
}

// A section ends on "*" as index part ("B*;") or as first field ("*", "*;").
bool EstFinSection(std::string_view ligne) {
    const size_t pv = ligne.find(';');
    if (Trim(ligne.substr(0, pv)) == "*") return true;
    const size_t m = LongueurPremierCaractere(ligne);
    const size_t fin = ligne.find(';', m);
    const size_t n = fin == std::string_view::npos ? std::string_view::npos : fin - m;
    return Trim(ligne.substr(m, n)) == "*";
}

std::optional<int> LitIndex(std::string_view texte) {
    const auto v = LitEntierStrict(texte);
    if (!v || *v < INT_MIN || *v > INT_MAX) return std::nullopt;
    return static_cast<int>(*v);
}

} // namespace

FichierLangue FichierLangue::Lit(std::istream& in) {
    FichierLangue f;
    std::vector<std::string> lignes = LitLignes(in);
    // A byte-order mark left by a UTF-8 editor is not part of the first key.
    if (!lignes.empty() && lignes[0].rfind("\xEF\xBB\xBF", 0) == 0) lignes[0].erase(0, 3);

    int compteur = 0;
    std::string section; // empty outside a section
    for (const std::string& brute : lignes) {
        ++compteur;
        const std::string ligne = Trim(brute);
        if (ligne.empty()) continue;

        if (section.empty()) {
            const size_t pv = ligne.find(';');
            if (pv == std::string::npos) continue;
            const std::string cle = Majuscules(Trim(std::string_view(ligne).substr(0, pv)));
            if (cle == "REM") continue;
            if (Trouve(kEnTetes, cle)) {
                f.entrees.push_back({cle, true, std::nullopt,
                                     Trim(std::string_view(ligne).substr(pv + 1)), compteur,
                                     ligne});
            } else if (EstCleSection(cle)) {
                section = cle;
            }
            continue;
        }

        // Inside a section every line is an entry until the end marker, later
        // headers included: a section left open swallows the rest of the file.
        if (EstFinSection(ligne)) {
            section.clear();
            continue;
        }
        const size_t marqueur = LongueurPremierCaractere(ligne);
        const size_t pv = ligne.find(';', marqueur);
        if (pv == std::string::npos) continue;
        if (Majuscules(Trim(std::string_view(ligne).substr(0, pv))) == "REM") continue;
        f.entrees.push_back({section, false,
                             LitIndex(std::string_view(ligne).substr(marqueur, pv - marqueur)),
                             Trim(std::string_view(ligne).substr(pv + 1)), compteur, ligne});
    }
    return f;
}

std::optional<FichierLangue> FichierLangue::LitFichier(const std::string& chemin,
                                                       DefautLecture* defaut) {
    const auto lu = orv::LitFichier(chemin, LimiteFichierTexte);
    if (defaut) *defaut = lu.defaut;
    if (!lu) return std::nullopt;
    std::istringstream in(*lu.octets);
    return Lit(in);
}

std::vector<EntreeLangue> AppliqueEntrees(const FichierLangue& fichier, TablesTextes& textes,
                                          Controles& controles) {
    std::vector<EntreeLangue> rejets;
    for (const EntreeLangue& e : fichier.entrees) {
        bool fait = false;
        if (e.enTete) {
            const CleControle* c = Trouve(kEnTetes, e.cle);
            if (const auto x = ControleDe(c->nom, c->index)) {
                controles.Texte(*x, e.texte);
                fait = true;
            }
        } else if (e.index) {
            if (const CleTable* t = TrouveTable(e.cle)) {
                fait = textes.Fixe(t->table, *e.index, e.texte);
            } else if (const CleControle* c = Trouve(kFamilles, e.cle)) {
                // Families are arrays: a negative index never names one of their controls.
                const auto x = *e.index >= 0 ? ControleDe(c->nom, *e.index) : std::nullopt;
                if (x) {
                    controles.Texte(*x, e.texte);
                    fait = true;
                }
            }
        }
        if (!fait) rejets.push_back(e);
    }
    return rejets;
}

} // namespace orv
