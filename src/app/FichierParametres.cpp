#include "app/FichierParametres.h"

#include "base/Cp1252.h"
#include "base/Nombres.h"
#include "base/Texte.h"
#include "images/EnteteImage.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace orv {

namespace {

using Valeur = const std::string&;
using Ctx = const ContexteParametres&;

constexpr int Min16 = std::numeric_limits<std::int16_t>::min();
constexpr int Max16 = std::numeric_limits<std::int16_t>::max();

// Integers of the file are held in 16 bits; anything else is not a value of ours.
std::optional<int> Entier16(Valeur v) {
    const auto n = LitEntierStrict(v);
    if (!n || *n < Min16 || *n > Max16) return std::nullopt;
    return static_cast<int>(*n);
}

// A number of any form ("3", "3,0", "2.6") rounded to a 16-bit integer.
std::optional<int> Arrondi16(std::optional<double> x) {
    if (!x || !std::isfinite(*x)) return std::nullopt;
    const double r = std::round(*x);
    if (r < Min16 || r > Max16) return std::nullopt;
    return static_cast<int>(r);
}

bool EntierDans(Valeur v, int& cible, int min, int max) {
    const auto n = Entier16(v);
    if (!n || *n < min || *n > max) return false;
    cible = *n;
    return true;
}

bool EstVrai(Valeur v) {
    return Majuscules(v) == "VRAI";
}
bool SaufFaux(Valeur v) {
    return Majuscules(v) != "FAUX";
}

std::string Rogne(const std::string& s) {
    return Trim(SurUneLigne(s));
}
std::string Nombre(double x, Ctx ctx) {
    return NombreFichier(x, ctx.separateur);
}

constexpr int LignesGrilleMax = 256;
constexpr int FormatsImage = 7; // F_Img 0..6
constexpr int ZonesCouleur = 6; // Lrg 1..6

struct CleParametre {
    std::string_view cle;             // as compared on reading (upper case)
    std::string_view entete;          // start of the written line, blanks included
    bool (*lit)(Parametres&, Valeur); // false: the value is unusable, the setting keeps its value
    std::string (*ecrit)(const Parametres&, Ctx); // null: read but never written
};

// clang-format off
const CleParametre Cles[] = {
    {"UTILISATEUR", "UTILISATEUR = ",
     [](Parametres& p, Valeur v) { p.utilisateur = v; return true; },
     [](const Parametres& p, Ctx) { return SurUneLigne(p.utilisateur); }},
    {"LANGUE", "LANGUE = ",
     [](Parametres& p, Valeur v) { p.langue = v; return true; },
     [](const Parametres& p, Ctx) { return SurUneLigne(p.langue); }},
    {"INDPRES", "INDPRES= ",
     [](Parametres& p, Valeur v) { p.indPres = SaufFaux(v); return true; },
     [](const Parametres& p, Ctx) { return VraiFaux(p.indPres); }},
    {"REPIMAGE", "REPIMAGE= ",
     [](Parametres& p, Valeur v) { p.repImage = v; return true; },
     [](const Parametres& p, Ctx) { return SurUneLigne(p.repImage); }},
    {"REPDATA", "REPDATA= ",
     [](Parametres& p, Valeur v) { p.repData = v; return true; },
     [](const Parametres& p, Ctx) { return SurUneLigne(p.repData); }},
    // The program folder is where the program runs, whatever an old file says.
    {"REPPROG", "REPPROG= ",
     [](Parametres&, Valeur) { return true; },
     [](const Parametres&, Ctx ctx) { return SurUneLigne(ctx.dossierProgramme); }},
    // A coefficient of zero or less would turn every measure into nonsense.
    {"CALIBRAGE", "CALIBRAGE = ",
     [](Parametres& p, Valeur v) {
         const double x = LitDecimal(v);
         if (!std::isfinite(x) || x <= 0) return false;
         p.calibrage = x;
         return true;
     },
     // Every digit: the factor read back is the factor saved.
     [](const Parametres& p, Ctx ctx) { return NombreFichierExact(p.calibrage, ctx.separateur); }},
    {"AVERT", "AVERT =",
     [](Parametres& p, Valeur v) { p.avert = SaufFaux(v); return true; },
     [](const Parametres& p, Ctx) { return VraiFaux(p.avert); }},
    {"FONCTION_DEMARRAGE", "FONCTION_DEMARRAGE= ",
     [](Parametres& p, Valeur v) { return EntierDans(v, p.fonctionDemarrage, Min16, Max16); },
     [](const Parametres& p, Ctx ctx) { return Nombre(p.fonctionDemarrage, ctx); }},
    {"FDECIMAL", "FDECIMAL= ",
     [](Parametres& p, Valeur v) { p.fDecimal = v; return true; },
     [](const Parametres& p, Ctx) { return SurUneLigne(p.fDecimal); }},
    {"DECIMAUTO", "DECIMAUTO= ",
     [](Parametres& p, Valeur v) { p.decimAuto = EstVrai(v); return true; },
     [](const Parametres& p, Ctx) { return VraiFaux(p.decimAuto); }},
    {"AUTORETRACE", "AUTORETRACE=",
     [](Parametres& p, Valeur v) { p.autoRetrace = EstVrai(v); return true; },
     [](const Parametres& p, Ctx) { return VraiFaux(p.autoRetrace); }},
    {"PALMER", "PALMER=",
     [](Parametres& p, Valeur v) { p.modePointage = EstVrai(v) ? 2 : 1; return true; },
     [](const Parametres& p, Ctx) { return VraiFaux(p.modePointage == 2); }},
    {"STATDEF", "STATDEF=",
     [](Parametres& p, Valeur v) { return EntierDans(v, p.statDef, Min16, Max16); },
     [](const Parametres& p, Ctx ctx) { return Nombre(p.statDef, ctx); }},
    // Pixels in the file, tenths of a pixel in memory.
    {"CLIC", "CLIC=",
     [](Parametres& p, Valeur v) {
         const auto x = LitNombreStrict(v);
         const auto dixiemes = Arrondi16(x ? std::optional<double>(*x * 10) : std::nullopt);
         if (!dixiemes || *dixiemes < 0) return false;
         p.clicDixiemes = *dixiemes;
         return true;
     },
     [](const Parametres& p, Ctx ctx) { return Nombre(p.clicDixiemes / 10.0, ctx); }},
    // The marks of the lines are kept for 256 lines at most.
    {"TGRILLE", "TGRILLE=",
     [](Parametres& p, Valeur v) { return EntierDans(v, p.tGrille, 1, LignesGrilleMax); },
     [](const Parametres& p, Ctx ctx) { return Nombre(p.tGrille, ctx); }},
    {"SAVAUTO", "SAVAUTO=",
     [](Parametres& p, Valeur v) { return EntierDans(v, p.savAuto, 0, Max16); },
     [](const Parametres& p, Ctx ctx) { return Nombre(p.savAuto, ctx); }},
    {"EXT_IMG", "EXT_IMG=",
     [](Parametres& p, Valeur v) {
         const auto n = Arrondi16(LitNombreStrict(v));
         if (!n || *n < 0 || *n >= FormatsImage) return false;
         p.extImg = *n;
         return true;
     },
     [](const Parametres& p, Ctx ctx) { return Nombre(p.extImg, ctx); }},
    {"REFNUANCIER", "REFNUANCIER= ",
     [](Parametres& p, Valeur v) { p.refNuancier = v; return true; },
     [](const Parametres& p, Ctx) { return Rogne(p.refNuancier); }},
    {"ZONECOULEUR", "ZONECOULEUR= ",
     [](Parametres& p, Valeur v) { return EntierDans(v, p.zoneCouleur, 1, ZonesCouleur); },
     [](const Parametres& p, Ctx ctx) { return Nombre(p.zoneCouleur, ctx); }},
    {"FICETALON", "FICETALON= ",
     [](Parametres& p, Valeur v) { p.ficEtalon = v; return true; },
     [](const Parametres& p, Ctx) { return Rogne(p.ficEtalon); }},
    {"FETALONCOULEUR", "FETALONCOULEUR= ",
     [](Parametres& p, Valeur v) { p.fEtalonCouleur = EstVrai(v); return true; },
     [](const Parametres& p, Ctx) { return VraiFaux(p.fEtalonCouleur); }},
    {"FICSCANNER", "FICSCANNER= ",
     [](Parametres& p, Valeur v) { p.ficScanner = v; return true; },
     [](const Parametres& p, Ctx) { return Rogne(p.ficScanner); }},
    // The memory budget of one picture; below a few megabytes no picture would open.
    {"MEMOIREIMAGE", "MEMOIREIMAGE= ",
     [](Parametres& p, Valeur v) {
         return EntierDans(v, p.memoireImageMo, BudgetImageMoMini, Max16);
     },
     [](const Parametres& p, Ctx ctx) { return Nombre(p.memoireImageMo, ctx); }},
    {"ACCROCHE", "ACCROCHE= ",
     [](Parametres& p, Valeur v) { p.accrocheBord = SaufFaux(v); return true; },
     [](const Parametres& p, Ctx) { return VraiFaux(p.accrocheBord); }},
    // Older files only: all three values or none.
    {"CORRECTIONRVB", "",
     [](Parametres& p, Valeur v) {
         const auto champs = Decoupe(v, ';');
         std::array<int, 3> rvb{};
         for (size_t i = 0; i < rvb.size(); ++i) {
             const auto n = i < champs.size() ? Arrondi16(LitNombreStrict(champs[i]))
                                              : std::nullopt;
             if (!n) return false;
             rvb[i] = *n;
         }
         for (size_t i = 0; i < rvb.size(); ++i) p.correctionRvb[i + 1] = rvb[i];
         return true;
     },
     nullptr},
    {"COULREF", "",
     [](Parametres& p, Valeur v) { p.coulRef = v; return true; },
     nullptr},
};
// clang-format on

const CleParametre* Cherche(std::string_view cle) {
    for (const auto& c : Cles)
        if (c.cle == cle) return &c;
    return nullptr;
}

} // namespace

LectureParametres LitParametresDepuis(const std::vector<std::string>& lignes, Parametres& p) {
    LectureParametres res;
    for (const std::string& ligne : lignes) {
        const std::string t = Trim(ligne);
        const size_t egal = t.find('=');
        if (t.empty() || egal == std::string::npos) continue;
        const std::string cle = Majuscules(Trim(std::string_view(t).substr(0, egal)));
        const CleParametre* c = Cherche(cle);
        if (!c) continue;
        if (c->lit(p, Trim(std::string_view(t).substr(egal + 1))))
            res.cles.insert(cle);
        else
            res.rejetees.push_back(ligne);
    }
    return res;
}

LectureParametres LitParametresDepuis(std::istream& in, Parametres& p) {
    return LitParametresDepuis(LitLignes(in), p);
}

std::optional<LectureParametres> LitFichierParametres(const std::string& chemin, Parametres& p,
                                                      DefautLecture* defaut) {
    const LectureFichier lu = LitFichier(chemin, LimiteFichierTexte);
    if (defaut) *defaut = lu.defaut;
    if (!lu) return std::nullopt;
    return LitParametresDepuis(DecoupeLignes(DepuisCp1252(*lu.octets)), p);
}

std::vector<std::string> LignesParametres(const Parametres& p, const ContexteParametres& ctx) {
    std::vector<std::string> lignes{SurUneLigne(ctx.titre), "  Ne pas modifier ! "};
    for (const auto& c : Cles)
        if (c.ecrit) lignes.push_back(std::string(c.entete) + c.ecrit(p, ctx));
    return lignes;
}

void EcritParametres(std::ostream& out, const Parametres& p, const ContexteParametres& ctx) {
    out << TexteFichier(LignesParametres(p, ctx));
}

Ecriture EcritFichierParametres(const std::string& chemin, const Parametres& p,
                                const ContexteParametres& ctx) {
    return EcritAtomique(chemin, TexteFichier(LignesParametres(p, ctx)));
}

} // namespace orv
