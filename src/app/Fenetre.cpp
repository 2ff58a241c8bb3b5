#include "app/Fenetre.h"
#include "measure/Fonctions.h"
#include "measure/Grille.h"

#include "app/CommandesAcquisition.h"
#include "app/CommandesAnnotation.h"
#include "app/CommandesCalibrage.h"
#include "app/CommandesCouleur.h"
#include "app/CommandesDistribution.h"
#include "app/CommandesImages.h"
#include "app/CommandesMesure.h"
#include "app/CommandesResultats.h"
#include "app/CommandesTrame.h"
#include "app/Documentation.h"
#include "app/Historique.h"
#include "app/Langue.h"
#include "app/MenuOptions.h"
#include "app/MesureAuto.h"
#include "app/SessionParametres.h"
#include "app/TableCommandes.h"
#include "app/TravailRecent.h"
#include "base/FichierTexte.h"
#include "base/Nombres.h"
#include "base/Texte.h"
#include "calibration/PanneauCalibrage.h"
#include "colour/Palette.h"
#include "images/Chargeur.h"
#include "images/CommandesVue.h"
#include "images/CopieReferencee.h"
#include "interface/Messages.h"
#include "interface/TableControles.h"
#include "measure/CommentaireLigne.h"
#include "measure/Marques.h"
#include "measure/Pointage.h"

#include <algorithm>
#include <optional>

namespace orv {

namespace {

constexpr const char* kSeparateurTitre = " – ";

using C = Controle;

// Work that is not in the program yet, and entries the program gives no
// action: they exist with their captions and stay disabled.
constexpr Controle kNonDisponibles[] = {C::Couleurs1,
                                        C::ChargerNuancier,
                                        C::Couleurs4,
                                        C::ChargerEtalonCouleur,
                                        C::Illustrer3,
                                        C::IllustrerFichier,
                                        C::InsertionIllustration,
                                        C::StockageAuto,
                                        C::RappelEcran,
                                        C::ChargerRefCouleur,
                                        C::SauverRefCouleur,
                                        C::ChargerGrille,
                                        C::Numerelle,
                                        C::Outil7,
                                        C::Outil8,
                                        C::Outil9,
                                        C::CommenterGrille,
                                        C::Outil11,
                                        C::Chromatogrammes,
                                        C::BoutonComptage,
                                        C::StockN,
                                        C::ImageParDefaut};

// The colour-chart work (charts, standards, scanner files read back and their
// comparisons) is not in the program: its entries say so.
constexpr Controle kNuancierAVenir[] = {C::ChargerNuancier, C::ChargerEtalonCouleur,
                                        C::ChargerRefCouleur, C::SauverRefCouleur,
                                        C::Chromatogrammes};

void Desactive(Orvelle& o) {
    for (Controle c : kNonDisponibles) o.controles.Indisponible(c);
    // An entry of no use and no caption ("**"): not shown at all.
    o.controles.Visible(C::Illustrer3, false);
}

} // namespace

void Infobulles(Orvelle& o) {
    auto& c = o.controles;
    const auto& t = o.textes;
    for (Controle x : kNuancierAVenir) c.Infobulle(x, t.Mnu(mnu::PasDansCetteVersion));
    c.Infobulle(C::TexteComptage, c.Texte(C::MenuComptage));
    c.Infobulle(C::StatistiquesOrdre, t.Mnu(mnu::InfobulleStatistiquesOrdre));
    c.Infobulle(C::ResultatsAfficher, t.Mnu(mnu::InfobulleResultats));
    c.Infobulle(C::ResultatsBascule, t.Mnu(mnu::InfobulleBasculeResultats));
    c.Infobulle(C::CopieNotation, t.Mnu(mnu::InfobulleCopieNotation));
    c.Infobulle(C::CorrectionAppliquer, t.Mnu(mnu::InfobulleCorrection));
    c.Infobulle(C::GroupeChargeMC, t.Mnu(mnu::InfobulleGroupage));
    c.Infobulle(C::CaseAccroche, t.Mnu(mnu::InfobulleAccroche));
}

void Demarrage(Orvelle& o) {
    Controles& c = o.controles;
    // 1-2. Folders; the panels hidden at start.
    o.parametres.repImage = o.dossierProgramme;
    o.parametres.repData = o.dossierProgramme;
    c.Visible(Controle::CadreGroupe, false);
    c.Visible(Controle::CadreAPropos, false);

    // 3. Interface defaults.
    o.textes.RemplitMessages();
    o.trame.FicTrame.clear();
    o.resultats.extensionExport = "csv";
    o.resultats.calculAutomatique = true;
    c.Coche(Controle::CaseCalculStat, true);
    o.mesure.couleur1 = 12;
    o.mesure.couleur2 = 10;
    c.Couleur(Controle::Couleur1, CouleurPalette(o.mesure.couleur1));
    c.Couleur(Controle::Couleur2, CouleurPalette(o.mesure.couleur2));
    o.calibrage.CoefCalibrage = 1.0;
    c.CocheSeul(Controle::OptionIndDim);
    SelectionneModePointage(o, o.parametres.modePointage);
    // A settings file created at the first start holds the box as it is here.
    c.Coche(Controle::CaseAutoRetrace, o.parametres.autoRetrace);
    // Only the formats the program writes are offered for annotated copies.
    ActiveFormatsImage(o.ui);
    c.Coche(Controle::MachineRapide, o.fenetre.machineRapide);
    c.CocheSeul(Controle::CopieEcranEcran);
    // The copy's pen size until one is chosen.
    c.CocheSeul(Controle::TailleTrace1);
    o.fenetre.copieEcranEntier = true;

    // 4. The image view; the magnifier's button shows that it is on.
    VueInitiale(o);
    MontreEtatLoupe(o.ui, o.images);

    // 5. Settings, then the language when it is not French.
    LitParametres(o);
    LitRecents(o);
    if (!o.langue.demandee.empty()) o.parametres.langue = o.langue.demandee;
    if (o.parametres.langue != "fr") {
        o.langue.diagnostic = o.langue.diagnosticDemande;
        AppliqueLangue(o);
        RecomposeLegendes(o);
    }
    CocheMenusOptions(o);
    c.Coche(Controle::CaseAutoRetrace, o.parametres.autoRetrace);

    // 6-9. Calibration caption, functions, first step, start-up function.
    AfficheCalibrage(o);
    ConstruitTableFonctions(o.mesure, o.textes);
    MontreStatistiques(o, false);
    o.mesure.Etape = 1;
    AppliqueFonctionDemarrage(o);

    Desactive(o);
    Infobulles(o);
    InstalleCouleur(o);
    InstalleCalibrage(o);
    o.trame.sauvegardeAutomatique = true;
    AfficheImageParDefaut(o);
    // 10. Welcome panel.
    AfficheBienvenue(o);
    MontreFonctionActive(o);
    SuitHistorique(o);
}

void Activation(Orvelle& o) {
    if (!o.fenetre.premiereActivationFaite) {
        RAZ_Grille_total(o);
        o.plateforme.LaisseEvenements();
        o.fenetre.premiereActivationFaite = true;
    }
    o.controles.Coche(Controle::CaseAutoRetrace, o.parametres.autoRetrace);
    o.langue.diagnostic = false;
    o.controles.Texte(Controle::BarreEtat, o.mesure.NumFonction == fonction::Couleur
                                               ? o.textes.Msg(70)
                                               : o.textes.Msg(169));
    // The resolution factor follows the resolution mode and the picture shown
    // (forcing it to 1 here would change every length in "Ind. Dim." mode).
    AppliqueResolution(o);
    SuitHistorique(o);
}

void OuvreFichiersDeDemarrage(Orvelle& o, const std::vector<std::string>& chemins) {
    Activation(o);
    for (const std::string& chemin : chemins) {
        // A saved work (.trm) opens as "Charger la trame" opens it; anything else is a picture.
        if (chemin.size() > 4 && Majuscules(chemin.substr(chemin.size() - 4)) == ".TRM")
            OuvreTrame(o, chemin);
        else
            OuvreCheminImage(o, chemin);
    }
    // The title and the Function menu say the work just opened.
    MontreFonctionActive(o);
}

bool DemandeQuitter(Orvelle& o) {
    const bool oui = ConfirmeQuitter(o);
    if (oui) o.fenetre.fermeture = true;
    return oui;
}

namespace {

// The entry of the Fonction menu of function n, and the head of its submenu
// when the entry's own caption does not name the function.
struct EntreeFonction {
    Controle entree;
    std::optional<Controle> tete;
};

std::optional<EntreeFonction> EntreeDe(const Orvelle& o) {
    switch (o.mesure.NumFonction) {
    case fonction::Segment:
        return EntreeFonction{C::FonctionSegment, {}};
    case fonction::Spores2D:
        return EntreeFonction{C::FonctionSpores2D, {}};
    case fonction::Spores3D:
        return EntreeFonction{C::FonctionSpores3D, {}};
    case fonction::Couleur:
        return EntreeFonction{C::FonctionTintaval, {}};
    case fonction::Cystides3:
        return EntreeFonction{C::FonctionCystides3, C::MenuCystides};
    case fonction::Cystides4:
        return EntreeFonction{C::FonctionCystides4, C::MenuCystides};
    case fonction::Cystides5:
        return EntreeFonction{C::FonctionCystides5, C::MenuCystides};
    case fonction::Comptage1:
        return EntreeFonction{C::FonctionComptage1, C::MenuComptage};
    case fonction::Comptage2:
        return EntreeFonction{C::FonctionComptage2, C::MenuComptage};
    case fonction::DensiteEllipse:
        return EntreeFonction{C::FonctionDensiteEllipse, C::MenuDensite};
    case fonction::DensiteRectangle:
        return EntreeFonction{C::FonctionDensiteRectangle, C::MenuDensite};
    case fonction::Triangle:
        return EntreeFonction{C::FonctionTriangle, {}};
    case fonction::Polygone:
        return EntreeFonction{
            o.mesure.PolygoneAuto ? C::FonctionPolygoneAuto : C::FonctionPolygoneOuvert, {}};
    default:
        return std::nullopt;
    }
}

// A menu caption as a name: without the trailing marks some captions carry ("***").
std::string NomMenu(const Orvelle& o, Controle c) {
    std::string t = o.controles.Texte(c);
    while (!t.empty() && (t.back() == '*' || t.back() == ' ')) t.pop_back();
    return t;
}

// Every entry of the Fonction menu that names a function.
constexpr Controle kEntreesFonctions[] = {
    C::FonctionSegment,          C::FonctionSpores2D,      C::FonctionSpores3D,
    C::FonctionCystides3,        C::FonctionCystides4,     C::FonctionCystides5,
    C::FonctionComptage1,        C::FonctionComptage2,     C::FonctionDensiteEllipse,
    C::FonctionDensiteRectangle, C::FonctionTintaval,      C::FonctionTriangle,
    C::FonctionPolygoneAuto,     C::FonctionPolygoneOuvert};

} // namespace

void MontreFonctionActive(Orvelle& o) {
    auto& c = o.controles;
    const auto e = EntreeDe(o);
    for (Controle x : kEntreesFonctions) c.Coche(x, e && e->entree == x);
    std::string titre = o.textes.Msg(152);
    if (e) {
        std::string nom = NomMenu(o, e->entree);
        if (e->tete) nom = NomMenu(o, *e->tete) + " " + nom;
        titre += kSeparateurTitre + nom;
    }
    if (!o.trame.FicTrame.empty()) titre += kSeparateurTitre + o.trame.FicTrame;
    if (!o.parametres.utilisateur.empty()) titre += "  /  " + o.parametres.utilisateur;
    c.Texte(Controle::Fenetre, titre);
    MontreCouleur(o);
}

void Clic(Orvelle& o, Controle c) {
    // The step it may make is named after the command, as its caption reads now.
    std::string nom = NomMenu(o, c);
    for (auto p = nom.find("  "); p != std::string::npos; p = nom.find("  ")) nom.erase(p, 1);
    ExecuteCommande(o, c);
    SuitHistorique(o, Trim(nom));
    // Another picture or function ends a search or its review.
    VeilleMesureAuto(o);
    // A function change, a grid file read or written, an import: the title
    // and the menu follow.
    MontreFonctionActive(o);
}

void SelectionneCellule(Orvelle& o, int ligne, int colonne) {
    o.mesure.GrilleRef.Selectionne(ligne, colonne);
    MontreImageLigne(o.ui, o.mesure, o.images.chargeur.ListIMGchar, ligne);
    if (colonne == o.mesure.GrilleRef.Colonnes() - 1) {
        QuitteModeExport(o.ui, o.resultats);
        QuitteNotesCouleur(o);
        OuvreCommentaire(o.ui, o.mesure, ligne);
    }
}

} // namespace orv
