#include "app/Fenetre.h"

#include "app/CommandesTrame.h"
#include "app/Langue.h"
#include "app/MenuOptions.h"
#include "app/SessionParametres.h"
#include "base/FichierTexte.h"
#include "base/Nombres.h"
#include "base/Texte.h"
#include "calibration/Calibrage.h"
#include "calibration/ClicCalibrage.h"
#include "calibration/PanneauCalibrage.h"
#include "colour/Palette.h"
#include "images/Chargeur.h"
#include "images/CommandesVue.h"
#include "images/CopieReferencee.h"
#include "measure/ChangementFonction.h"
#include "measure/Fonctions.h"
#include "measure/Grille.h"
#include "measure/Marques.h"
#include "measure/Pointage.h"
#include "results/ExportCSV.h"
#include "results/Statistiques.h"
#include "results/TexteResultats.h"

#include <optional>
#include <set>

namespace orv {

namespace {

using Cle = Controles::Cle;

constexpr const char* kSeparateurTitre = " – ";

// Work that is not in the program yet, and entries the program gives no
// action: they exist with their captions and stay disabled.
const std::set<std::string> kFamillesNonDisponibles = {"MnuTwain", "Mn_Copie_Ecran", "MnuChrt",
                                                       "Illus",    "IllusSrc",       "CalSrc",
                                                       "TTrace",   "cmdRep",         "Command4"};
// clang-format off
const std::set<Cle> kNonDisponibles = {
    {"MnuFIC", 5},  {"MnuFIC", 6},  {"MnuFIC", 11}, {"MnuEDit", 3}, {"MnuEDit", 6},
    {"Mntool", 1},  {"Mntool", 2},  {"Mntool", 5},  {"Mntool", 7},  {"Mntool", 8},
    {"Mntool", 9},  {"Mntool", 10}, {"Mntool", 11}, {"Mntool", 12},
    {"Mnuaide", 2}, {"Mnuaide", 3}, {"Mnuaide", 4}, {"Mnuaide", 5}, {"MnApropos", SansIndex},
    {"bout", 7},    {"bout", 9},    {"bout", 41},
    {"cmdTest", SansIndex}, {"copie", SansIndex}};
// clang-format on

void Desactive(Orvelle& o) {
    for (const auto& fam : kFamillesNonDisponibles)
        for (int i : o.controles.Indexes(fam)) o.controles.Indisponible(fam, i);
    for (const auto& [nom, i] : kNonDisponibles)
        if (o.controles.Existe(nom, i)) o.controles.Indisponible(nom, i);
}

// "Couleur1" (bout 12) and "Couleur2" (bout 13): a colour of the 16-colour
// palette for the marks; the marks drawn take it at once.
void ChoisitCouleurMarque(Orvelle& o, int bouton) {
    int& couleur = bouton == 12 ? o.couleur1 : o.couleur2;
    const auto choix =
        o.plateforme.ChoisitCouleurPalette(o.controles.Texte("bout", bouton), couleur);
    if (!choix || *choix < 0 || *choix > 15) return;
    couleur = *choix;
    o.controles.Couleur("bout", bouton, CouleurPalette(couleur));
    if (!o.marques.fixes.empty()) Retrace(o);
}

// The warning text of the current language: the program folder first, then
// the files shipped with the program.
std::optional<std::vector<std::string>> TexteAvertissement(const Orvelle& o) {
    const std::string nom = "avert_" + o.parametres.langue + ".txt";
    for (const auto& dossier : {o.REPPROG, o.dossierDonnees}) {
        if (dossier.empty()) continue;
        if (auto l = LitLignesFichier(dossier + "/" + nom)) return l;
    }
    return std::nullopt;
}

// A failed write is reported by the writer itself.
void EcritParametresMaintenant(Orvelle& o) {
    SauveParametres(o);
}

} // namespace

bool NonDisponible(const std::string& nom, int index) {
    return kFamillesNonDisponibles.count(nom) != 0 || kNonDisponibles.count({nom, index}) != 0;
}

void AfficheBienvenue(Orvelle& o) {
    o.bienvenueAffichee = true;
    o.controles.Texte("Frame", 9, "Bienvenue sur Orvelle");
    if (o.controles("Check", 4).coche) {
        o.bienvenueAffichee = false;
        o.controles.Visible("Frame", 9, false);
    } else {
        o.controles.Visible("Frame", 9, true);
    }
    std::string texte;
    if (auto lignes = TexteAvertissement(o))
        for (const auto& l : *lignes) texte += l + std::string(FinDeLigne);
    o.controles.Texte("TBox", 7, texte);
}

void Demarrage(Orvelle& o) {
    Controles& c = o.controles;
    // 1-2. Folders; the panels hidden at start.
    o.REPPROG = o.dossierProgramme;
    o.parametres.repImage = o.dossierProgramme;
    o.parametres.repData = o.dossierProgramme;
    c.Visible("FraMC", 0, false);
    c.Visible("FraZelk", SansIndex, false);

    // 3. Interface defaults.
    o.textes.RemplitMessages();
    o.FicTrame.clear();
    o.extensionExport = "csv";
    c.Coche("Check", 3, true);
    o.couleur1 = 12;
    o.couleur2 = 10;
    c.Couleur("bout", 12, CouleurPalette(o.couleur1));
    c.Couleur("bout", 13, CouleurPalette(o.couleur2));
    o.CoefCalibrage = 1.0;
    c.CocheSeul("Optn", 1);
    SelectionneModePointage(o, o.parametres.modePointage);
    // Only the formats the program writes are offered for annotated copies.
    ActiveFormatsImage(o);
    c.Coche("MnuOpt", 18, o.machineRapide);
    c.CocheSeul("Mn_Copie_Ecran", 1);

    // 4. The image view; the magnifier's button shows that it is on.
    VueInitiale(o);
    MontreEtatLoupe(o);

    // 5. Settings, then the language when it is not French.
    o.REPPROG = o.dossierProgramme;
    LitParametres(o);
    if (o.parametres.langue != "fr") {
        o.diagnosticLangue = o.diagnosticLangueDemande;
        AppliqueLangue(o);
    }
    CocheMenusOptions(o);
    c.Coche("Check", 2, o.parametres.autoRetrace);

    // 6-9. Calibration caption, functions, first step, start-up function.
    AfficheCalibrage(o);
    ConstruitTableFonctions(o);
    c.Visible("Frame", 6, false);
    o.mesure.Etape = 1;
    AppliqueFonctionDemarrage(o);

    // The statistics follow every change of the grid.
    o.recalculeStatistiques = [](Orvelle& e) { RecalculeTout(e); };
    o.razStatistiques = [](Orvelle& e) { RazStatistiques(e); };

    Desactive(o);
    BrancheChargeur(o);
    InstalleCalibrage(o);
    InstalleFichierTrame(o);
    AfficheImageParDefaut(o);
    // 10. Welcome panel.
    AfficheBienvenue(o);
    MontreFonctionActive(o);
}

void Activation(Orvelle& o) {
    if (!o.premiereActivationFaite) {
        RAZ_Grille_total(o);
        o.plateforme.LaisseEvenements();
        o.premiereActivationFaite = true;
    }
    o.controles.Coche("Check", 2, o.parametres.autoRetrace);
    o.diagnosticLangue = false;
    o.controles.Texte("StatusBar1", SansIndex,
                      o.mesure.NumFonction == 20 ? o.textes.Msg(70) : o.textes.Msg(169));
    // The resolution factor follows the resolution mode and the picture shown
    // (forcing it to 1 here would change every length in "Ind. Dim." mode).
    AppliqueResolution(o);
}

bool DemandeQuitter(Orvelle& o) {
    const bool oui = ConfirmeQuitter(o);
    if (oui) o.fermeture = true;
    return oui;
}

namespace {

void ClicControle(Orvelle& o, const std::string& nom, int index) {
    if (o.controles.Existe(nom, index) && !o.controles(nom, index).actif) return;
    if (nom == "PopOrg" || nom == "PopExt") {
        ChoixMenuContextuel(o, nom, index);
        return;
    }
    if (ClicChargeur(o, nom, index)) return;
    if (ClicTrame(o, nom, index)) return;
    if (nom == "MnuFIC") {
        if (index == 8) EcritParametresMaintenant(o);
        if (index == 12) DemandeQuitter(o);
        return;
    }
    if (nom == "MnLang") o.diagnosticLangue = o.diagnosticLangueDemande;
    if (ClicMenuOptions(o, nom, index)) {
        if (nom == "MnLang") AfficheCalibrage(o);
        return;
    }
    if (ClicMenuFonction(o, nom, index)) return;
    if (nom == "bout" && index == 33) {
        o.controles.Visible("Frame", 9, false);
        o.bienvenueAffichee = false;
        EcritParametresMaintenant(o);
        return;
    }
    if (nom == "bout" && index == 2) {
        EffaceDerniereValeur(o);
        return;
    }
    if (nom == "bout" && ClicBoutonGrille(o, index)) return;
    if (ClicResultats(o, nom, index)) return;
    if (ClicExport(o, nom, index)) return;
    if (ClicCalibrage(o, nom, index)) return;
    if ((nom == "bout" && index == 1) || (nom == "MnuEDit" && index == 5)) {
        Retrace(o);
        return;
    }
    if (nom == "bout" && index == 4) {
        BasculeLoupe(o);
        return;
    }
    if (nom == "bout" && (index == 12 || index == 13)) {
        ChoisitCouleurMarque(o, index);
        return;
    }
    if (nom == "Czoom") {
        ClicZoom(o, index);
        return;
    }
    if (nom == "Mnuaide" && index == 1) {
        AfficheBienvenue(o);
        return;
    }
    if (nom == "Check" && index == 2) {
        // The box is the setting: the next activation keeps what the user ticked.
        o.parametres.autoRetrace = o.controles("Check", 2).coche;
        return;
    }
    if (nom == "Optn" && index >= 1 && index <= 4) {
        ClicOption(o, index);
        return;
    }
    if (nom == "Optn" && (index == 5 || index == 6)) {
        SelectionneModePointage(o, index == 5 ? 2 : 1);
        return;
    }
    if (nom == "Bout_dial") {
        o.commentaire.Clic(o, index);
        return;
    }
    if (nom == "VScroll2") {
        o.commentaire.Defile(o, static_cast<int>(LitDecimal(o.controles.Texte("VScroll2"))));
        return;
    }
    if (nom == "Text4") o.commentaire.NumeroSaisi(o, o.controles.Texte("Text4"));
}

// The entry of the Fonction menu of function n: its family and index, and the
// head of its submenu when the entry's own caption does not name the function.
struct EntreeFonction {
    const char* famille;
    int index;
    int tete; // MnuFonc index of the submenu head, 0 for none
};

std::optional<EntreeFonction> EntreeDe(const Orvelle& o) {
    switch (o.mesure.NumFonction) {
    case 1:
    case 2:
    case 3:
    case 20:
        return EntreeFonction{"MnuFonc", o.mesure.NumFonction, 0};
    case 4:
    case 5:
    case 6:
        return EntreeFonction{"Cyst", o.mesure.NumFonction - 3, 4};
    case 10:
    case 11:
        return EntreeFonction{"Mncp", o.mesure.NumFonction - 9, 6};
    case 13:
    case 14:
        return EntreeFonction{"MnDens", o.mesure.NumFonction - 12, 7};
    case 15:
        return EntreeFonction{"Mnusurf", 1, 0};
    case 16:
        return EntreeFonction{"Mnusurf", o.mesure.PolygoneAuto ? 2 : 3, 0};
    default:
        return std::nullopt;
    }
}

// A menu caption as a name: without the trailing marks some captions carry ("***").
std::string NomMenu(const Orvelle& o, const std::string& famille, int index) {
    if (!o.controles.Existe(famille, index)) return {};
    std::string t = o.controles.Texte(famille, index);
    while (!t.empty() && (t.back() == '*' || t.back() == ' ')) t.pop_back();
    return t;
}

} // namespace

void MontreFonctionActive(Orvelle& o) {
    auto& c = o.controles;
    for (const char* famille : {"MnuFonc", "Cyst", "Mncp", "MnDens", "Mnusurf"})
        for (int i : c.Indexes(famille)) c.Coche(famille, i, false);
    std::string titre = o.textes.Msg(152);
    if (const auto e = EntreeDe(o)) {
        if (c.Existe(e->famille, e->index)) c.Coche(e->famille, e->index, true);
        std::string nom = NomMenu(o, e->famille, e->index);
        if (e->tete) nom = NomMenu(o, "MnuFonc", e->tete) + " " + nom;
        titre += kSeparateurTitre + nom;
    }
    if (!o.FicTrame.empty()) titre += kSeparateurTitre + o.FicTrame;
    if (!o.parametres.utilisateur.empty()) titre += "  /  " + o.parametres.utilisateur;
    if (c.Existe("frmMesure")) c.Texte("frmMesure", SansIndex, titre);
}

void Clic(Orvelle& o, const std::string& nom, int index) {
    ClicControle(o, nom, index);
    // A function change, a grid file read or written, an import: the title
    // and the menu follow.
    MontreFonctionActive(o);
}

void SelectionneCellule(Orvelle& o, int ligne, int colonne) {
    o.GrilleRef.Selectionne(ligne, colonne);
    MontreImageLigne(o, ligne);
    if (colonne == o.GrilleRef.Colonnes() - 1) {
        QuitteModeExport(o);
        o.commentaire.Ouvre(o, ligne);
    }
}

} // namespace orv
