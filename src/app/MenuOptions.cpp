#include "app/MenuOptions.h"

#include "app/Langue.h"
#include "app/Orvelle.h"

#include <array>
#include <string_view>

namespace orv {

namespace {

constexpr std::array<std::string_view, 5> Langues{"fr", "it", "es", "de", "en"};
constexpr std::array<std::string_view, 4> FormatsDecimaux{"", "###0", "###0.0", "###0.00"};
constexpr std::string_view NonImplante = "** non implanté **!";

void CocheSi(Controles& c, const std::string& nom, int index, bool coche) {
    if (c.Existe(nom, index)) c.Coche(nom, index, coche);
}

void ActifSi(Controles& c, const std::string& nom, int index, bool actif) {
    if (c.Existe(nom, index)) c.Actif(nom, index, actif);
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
    o.controles.CocheSeul("Fdemarrage", i);
    o.parametres.fonctionDemarrage = i == 20 ? 20 : i + 1;
}

void ClicFormatExport(Orvelle& o, int i) {
    o.controles.CocheSeul("mnFormat", i);
    o.extensionExport = i == 1 ? "txt" : "csv";
}

bool ClicTailleGrille(Orvelle& o, int i) {
    if (i < 0 || i > 2) return false;
    const int taille = TailleGrille(i);
    // A smaller grid would drop the lines below its end.
    if (LignesOccupees(o) > taille) {
        o.plateforme.Message(o.textes.Msg(185), {}, Icone::Exclamation);
        return false;
    }
    o.controles.CocheSeul("TgrilleMax", i);
    o.parametres.tGrille = taille;
    o.GrilleRef.FixeLignes(taille + 1);
    return true;
}

void ClicToleranceClic(Orvelle& o, int i) {
    o.controles.CocheSeul("Pclic", i);
    o.parametres.clicDixiemes = i * 10;
}

void ClicDecimales(Orvelle& o, int i) {
    if (i < 0 || i >= static_cast<int>(FormatsDecimaux.size())) return;
    o.controles.CocheSeul("Mndecim", i);
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
    o.controles.CocheSeul("MnLang", i);
    o.parametres.langue = CodeLangue(i);
    AppliqueLangue(o);
}

void ClicStatDefaut(Orvelle& o, int i) {
    o.controles.CocheSeul("statdef", i);
    o.parametres.statDef = i;
}

void ClicSauvegardeAuto(Orvelle& o, int i) {
    o.controles.CocheSeul("MNSav", i);
    o.parametres.savAuto = i * 10;
}

void ClicNotationEclair(Orvelle& o, int i) {
    o.controles.CocheSeul("NoTexp", i);
    o.NotationEclair = i;
}

void ClicMachineRapide(Orvelle& o) {
    Controles& c = o.controles;
    const bool rapide = !c("MnuOpt", 18).coche;
    c.Coche("MnuOpt", 18, rapide);
    o.machineRapide = rapide;
    ActifSi(c, "Optn", 5, rapide);
    if (!rapide) {
        SelectionneModePointage(o, 1);
        CocheSi(c, "Check", 2, false);
        CocheSi(c, "Check", 3, false);
    }
}

void ClicImageParDefaut(Orvelle& o) {
    const std::string titre(NonImplante);
    if (o.plateforme.QuestionOuiNon("image actuelle comme image par défaut ? ", titre))
        o.plateforme.Message(titre);
}

bool ClicFormatImage(Orvelle& o, int i) {
    Controles& c = o.controles;
    if (!c.Existe("F_Img", i) || !c("F_Img", i).actif) return false;
    c.CocheSeul("F_Img", i);
    o.parametres.extImg = i;
    return true;
}

bool ClicZoneCouleur(Orvelle& o, int i) {
    if (i < 1 || i > 6) return false;
    o.controles.CocheSeul("Lrg", i);
    o.parametres.zoneCouleur = i;
    return true;
}

void SelectionneModePointage(Orvelle& o, int mode) {
    o.parametres.modePointage = mode == 2 ? 2 : 1;
    CocheSi(o.controles, "Optn", 5, mode == 2);
    CocheSi(o.controles, "Optn", 6, mode != 2);
}

void CocheMenusOptions(Orvelle& o) {
    const Parametres& p = o.parametres;
    Controles& c = o.controles;
    const int f = p.fonctionDemarrage;
    c.CocheSeul("Fdemarrage", f == 0 ? 1 : f == 20 ? 20 : f - 1);
    c.CocheSeul("mnFormat", o.extensionExport == "txt" ? 1 : 0);
    int grille = -1;
    for (int i = 0; i <= 2; ++i)
        if (TailleGrille(i) == p.tGrille) grille = i;
    c.CocheSeul("TgrilleMax", grille);
    c.CocheSeul("Pclic", p.clicDixiemes % 10 == 0 ? p.clicDixiemes / 10 : -1);
    int decimales = -1;
    for (size_t i = 1; i < FormatsDecimaux.size(); ++i)
        if (FormatsDecimaux[i] == p.fDecimal) decimales = static_cast<int>(i);
    c.CocheSeul("Mndecim", p.decimAuto ? 0 : decimales);
    int langue = -1;
    for (size_t i = 0; i < Langues.size(); ++i)
        if (Langues[i] == p.langue) langue = static_cast<int>(i) + 1;
    c.CocheSeul("MnLang", langue);
    c.CocheSeul("statdef", p.statDef);
    c.CocheSeul("MNSav", p.savAuto / 10);
    c.CocheSeul("F_Img", p.extImg);
    c.CocheSeul("Lrg", p.zoneCouleur);
    c.CocheSeul("NoTexp", o.NotationEclair);
}

bool ClicMenuOptions(Orvelle& o, const std::string& famille, int i) {
    if (!o.controles.Existe(famille, i)) return false;
    if (famille == "MnuOpt") {
        if (i == 15)
            ClicImageParDefaut(o);
        else if (i == 18)
            ClicMachineRapide(o);
        else
            return false;
        return true;
    }
    if (famille == "F_Img") return ClicFormatImage(o, i);
    if (famille == "Lrg") return ClicZoneCouleur(o, i);
    if (famille == "TgrilleMax") {
        if (i < 0 || i > 2) return false;
        ClicTailleGrille(o, i);
        return true;
    }
    if (famille == "Fdemarrage")
        ClicFonctionDemarrage(o, i);
    else if (famille == "mnFormat")
        ClicFormatExport(o, i);
    else if (famille == "Pclic")
        ClicToleranceClic(o, i);
    else if (famille == "Mndecim")
        ClicDecimales(o, i);
    else if (famille == "MnLang")
        ClicLangue(o, i);
    else if (famille == "statdef")
        ClicStatDefaut(o, i);
    else if (famille == "MNSav")
        ClicSauvegardeAuto(o, i);
    else if (famille == "NoTexp")
        ClicNotationEclair(o, i);
    else
        return false;
    return true;
}

} // namespace orv
