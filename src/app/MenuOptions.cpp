#include "app/MenuOptions.h"

#include "app/Langue.h"
#include "app/Orvelle.h"
#include "colour/ZoneCouleur.h"
#include "interface/Messages.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace orv {

namespace {

constexpr std::array<std::string_view, 5> Langues{"fr", "it", "es", "de", "en"};
constexpr std::array<std::string_view, 4> FormatsDecimaux{"", "###0", "###0.0", "###0.00"};

// A submenu of one choice: its entries and the value each stands for.
struct Choix {
    Controle controle;
    int valeur;
};
using C = Controle;
constexpr Choix kDemarrage[] = {{C::DemarrageSegments, 0},  {C::DemarrageSpores2D, 1},
                                {C::DemarrageSpores3D, 2},  {C::DemarrageCystides3, 3},
                                {C::DemarrageCystides4, 4}, {C::DemarrageCystides5, 5},
                                {C::DemarrageTintaval, 20}};
constexpr Choix kFormatsExport[] = {{C::FormatExportCSV, 0}, {C::FormatExportTXT, 1}};
constexpr Choix kTaillesGrille[] = {
    {C::TailleGrille63, 0}, {C::TailleGrille127, 1}, {C::TailleGrille255, 2}};
constexpr Choix kTolerances[] = {
    {C::ToleranceClic1, 1}, {C::ToleranceClic2, 2}, {C::ToleranceClic3, 3}, {C::ToleranceClic4, 4}};
constexpr Choix kDecimales[] = {
    {C::DecimalesAuto, 0}, {C::Decimales0, 1}, {C::Decimales1, 2}, {C::Decimales2, 3}};
constexpr Choix kLangues[] = {
    {C::LangueFr, 1}, {C::LangueIt, 2}, {C::LangueEs, 3}, {C::LangueDe, 4}, {C::LangueEn, 5}};
constexpr Choix kStatsDefaut[] = {
    {C::StatsNuage, 1}, {C::StatsHistogramme, 2}, {C::StatsDiagramme, 3}, {C::StatsTests, 4}};
constexpr Choix kSauvegardesAuto[] = {
    {C::SauvegardeAutoNon, 0}, {C::SauvegardeAuto10, 1}, {C::SauvegardeAuto20, 2}};
constexpr Choix kNotations[] = {{C::NotationD19, 1},
                                {C::NotationD159, 2},
                                {C::NotationSigma, 3},
                                {C::NotationSigma196, 4},
                                {C::NotationDominante, 5}};
constexpr Choix kFormatsImage[] = {
    {C::FormatImageBMP, 0},  {C::FormatImageJPG, 1}, {C::FormatImageGIF, 2}, {C::FormatImagePNG, 3},
    {C::FormatImageTIFF, 4}, {C::FormatImagePCX, 5}, {C::FormatImageTGA, 6}};
constexpr Choix kZonesCouleur[] = {{C::ZoneCouleur1, 1}, {C::ZoneCouleur2, 2},
                                   {C::ZoneCouleur3, 3}, {C::ZoneCouleur4, 4},
                                   {C::ZoneCouleur5, 5}, {C::ZoneCouleur6, 6}};

std::optional<int> ValeurDe(std::span<const Choix> groupe, Controle c) {
    for (const auto& x : groupe)
        if (x.controle == c) return x.valeur;
    return std::nullopt;
}

// Ticks the entry of `valeur` alone; none when no entry has that value.
void CocheValeur(Controles& c, std::span<const Choix> groupe, int valeur) {
    for (const auto& x : groupe) c.Coche(x.controle, x.valeur == valeur);
}

int TailleGrille(int i) {
    return 64 << i;
}

// Lines that hold something: every completed line, and the one under way.
int LignesOccupees(const Orvelle& o) {
    return o.mesure.LigneCourante - 1 + (o.mesure.Etape > 1 ? 1 : 0);
}

} // namespace

std::string CodeLangue(int i) {
    if (i < 1 || i > static_cast<int>(Langues.size())) return {};
    return std::string(Langues[static_cast<size_t>(i - 1)]);
}

void ClicFonctionDemarrage(Orvelle& o, int i) {
    CocheValeur(o.controles, kDemarrage, i);
    o.parametres.fonctionDemarrage = i == 20 ? 20 : i + 1;
}

void ClicFormatExport(Orvelle& o, int i) {
    CocheValeur(o.controles, kFormatsExport, i);
    o.resultats.extensionExport = i == 1 ? "txt" : "csv";
}

bool ClicTailleGrille(Orvelle& o, int i) {
    if (i < 0 || i > 2) return false;
    const int taille = TailleGrille(i);
    // A smaller grid would drop the lines below its end.
    if (LignesOccupees(o) > taille) {
        o.plateforme.Message(o.textes.Msg(185), {}, Icone::Exclamation);
        return false;
    }
    CocheValeur(o.controles, kTaillesGrille, i);
    o.parametres.tGrille = taille;
    o.mesure.GrilleRef.FixeLignes(taille + 1);
    return true;
}

void ClicToleranceClic(Orvelle& o, int i) {
    CocheValeur(o.controles, kTolerances, i);
    o.parametres.clicDixiemes = i * 10;
}

void ClicDecimales(Orvelle& o, int i) {
    if (i < 0 || i >= static_cast<int>(FormatsDecimaux.size())) return;
    CocheValeur(o.controles, kDecimales, i);
    // The four entries are one choice: a fixed format ends the automatic one,
    // otherwise the next calibration would override the format just chosen.
    if (i == 0) {
        o.parametres.decimAuto = true;
    } else {
        o.parametres.decimAuto = false;
        o.parametres.fDecimal = std::string(FormatsDecimaux[static_cast<size_t>(i)]);
    }
}

void ClicLangue(Orvelle& o, int i) {
    if (CodeLangue(i).empty()) return;
    CocheValeur(o.controles, kLangues, i);
    o.parametres.langue = CodeLangue(i);
    AppliqueLangue(o);
    SuitLangue(o);
}

void ClicStatDefaut(Orvelle& o, int i) {
    CocheValeur(o.controles, kStatsDefaut, i);
    o.parametres.statDef = i;
}

void ClicSauvegardeAuto(Orvelle& o, int i) {
    CocheValeur(o.controles, kSauvegardesAuto, i);
    o.parametres.savAuto = i * 10;
}

void ClicNotationEclair(Orvelle& o, int i) {
    CocheValeur(o.controles, kNotations, i);
    o.resultats.NotationEclair = i;
}

void ClicMachineRapide(Orvelle& o) {
    Controles& c = o.controles;
    const bool rapide = !c(Controle::MachineRapide).coche;
    c.Coche(Controle::MachineRapide, rapide);
    o.fenetre.machineRapide = rapide;
    c.Actif(Controle::OptionPalmer, rapide);
    if (!rapide) {
        SelectionneModePointage(o, 1);
        c.Coche(Controle::CaseAutoRetrace, false);
        o.parametres.autoRetrace = false;
        c.Coche(Controle::CaseCalculStat, false);
        o.resultats.calculAutomatique = false;
    }
}

bool ClicFormatImage(Orvelle& o, int i) {
    Controles& c = o.controles;
    const auto entree = std::find_if(std::begin(kFormatsImage), std::end(kFormatsImage),
                                     [i](const Choix& x) { return x.valeur == i; });
    if (entree == std::end(kFormatsImage) || !c(entree->controle).actif) return false;
    CocheValeur(c, kFormatsImage, i);
    o.parametres.extImg = i;
    return true;
}

bool ClicZoneCouleur(Orvelle& o, int i) {
    if (!ChoisitTailleZone(o.ui, o.couleur, i)) return false;
    o.parametres.zoneCouleur = i;
    return true;
}

void SelectionneModePointage(Orvelle& o, int mode) {
    o.parametres.modePointage = mode == 2 ? 2 : 1;
    o.controles.Coche(Controle::OptionPalmer, mode == 2);
    o.controles.Coche(Controle::OptionBipoint, mode != 2);
}

void CocheMenusOptions(Orvelle& o) {
    const Parametres& p = o.parametres;
    Controles& c = o.controles;
    const int f = p.fonctionDemarrage;
    CocheValeur(c, kDemarrage, f == 0 ? 1 : f == 20 ? 20 : f - 1);
    CocheValeur(c, kFormatsExport, o.resultats.extensionExport == "txt" ? 1 : 0);
    int grille = -1;
    for (int i = 0; i <= 2; ++i)
        if (TailleGrille(i) == p.tGrille) grille = i;
    CocheValeur(c, kTaillesGrille, grille);
    CocheValeur(c, kTolerances, p.clicDixiemes % 10 == 0 ? p.clicDixiemes / 10 : -1);
    int decimales = -1;
    for (size_t i = 1; i < FormatsDecimaux.size(); ++i)
        if (FormatsDecimaux[i] == p.fDecimal) decimales = static_cast<int>(i);
    CocheValeur(c, kDecimales, p.decimAuto ? 0 : decimales);
    int langue = -1;
    for (size_t i = 0; i < Langues.size(); ++i)
        if (Langues[i] == p.langue) langue = static_cast<int>(i) + 1;
    CocheValeur(c, kLangues, langue);
    CocheValeur(c, kStatsDefaut, p.statDef);
    CocheValeur(c, kSauvegardesAuto, p.savAuto / 10);
    CocheValeur(c, kFormatsImage, p.extImg);
    CocheValeur(c, kZonesCouleur, p.zoneCouleur);
    CocheValeur(c, kNotations, o.resultats.NotationEclair);
}

void CommandeOptions(Orvelle& o, Controle c) {
    if (c == Controle::MachineRapide) {
        ClicMachineRapide(o);
        return;
    }
    if (auto i = ValeurDe(kFormatsImage, c)) {
        ClicFormatImage(o, *i);
        return;
    }
    if (auto i = ValeurDe(kZonesCouleur, c)) {
        ClicZoneCouleur(o, *i);
        return;
    }
    if (auto i = ValeurDe(kTaillesGrille, c)) {
        ClicTailleGrille(o, *i);
        return;
    }
    struct Gestionnaire {
        std::span<const Choix> groupe;
        void (*clic)(Orvelle&, int);
    };
    const Gestionnaire gestionnaires[] = {{kDemarrage, ClicFonctionDemarrage},
                                          {kFormatsExport, ClicFormatExport},
                                          {kTolerances, ClicToleranceClic},
                                          {kDecimales, ClicDecimales},
                                          {kLangues, ClicLangue},
                                          {kStatsDefaut, ClicStatDefaut},
                                          {kSauvegardesAuto, ClicSauvegardeAuto},
                                          {kNotations, ClicNotationEclair}};
    for (const auto& g : gestionnaires)
        if (auto i = ValeurDe(g.groupe, c)) {
            g.clic(o, *i);
            return;
        }
    return;
}

} // namespace orv
