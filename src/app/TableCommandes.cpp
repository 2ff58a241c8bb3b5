#include "app/TableCommandes.h"

#include "app/Aide.h"
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
#include "app/Fenetre.h"
#include "app/Historique.h"
#include "app/Langue.h"
#include "app/MenuOptions.h"
#include "app/MesureAuto.h"
#include "app/SessionParametres.h"
#include "base/Nombres.h"
#include "colour/FichierCouleur.h"
#include "colour/Palette.h"
#include "images/CommandesVue.h"
#include "interface/TableControles.h"
#include "measure/CommentaireLigne.h"
#include "results/ExportCSV.h"

#include <algorithm>
#include <array>

namespace orv {

namespace {

using C = Controle;
using P = ProprietaireCadre;

// The window's own commands, too small for a file of their own.

// "Couleur1" and "Couleur2": a colour of the 16-colour palette for the marks;
// the marks drawn take it at once.
void ChoisitCouleurMarque(Orvelle& o, Controle bouton) {
    int& couleur = bouton == Controle::Couleur1 ? o.mesure.couleur1 : o.mesure.couleur2;
    const auto choix = o.plateforme.ChoisitCouleurPalette(o.controles.Texte(bouton), couleur);
    if (!choix || *choix < 0 || *choix > 15) return;
    couleur = *choix;
    o.controles.Couleur(bouton, CouleurPalette(couleur));
    if (!o.mesure.marques.fixes.empty()) RetraceImageMontree(o);
}

void SauveLesParametres(Orvelle& o, Controle) {
    // A failed write is reported by the writer itself.
    SauveParametres(o);
}

void Quitte(Orvelle& o, Controle) {
    DemandeQuitter(o);
}

void FermeBienvenue(Orvelle& o, Controle) {
    o.controles.Visible(C::CadreBienvenue, false);
    o.aide.bienvenueAffichee = false;
    SauveParametres(o);
}

void AnnuleOuRefait(Orvelle& o, Controle c) {
    if (c == C::AnnulerGrille)
        AnnuleGrille(o);
    else
        RefaitGrille(o);
}

void CommandeMarques(Orvelle& o, Controle c) {
    if (c == C::EffaceArriere)
        EffaceDerniereValeur(o);
    else if (c == C::Couleur1 || c == C::Couleur2)
        ChoisitCouleurMarque(o, c);
    else
        RetraceImageMontree(o);
}

void BasculeLaLoupe(Orvelle& o, Controle) {
    BasculeLoupe(o.ui, o.images);
}

void OuvreLeGuide(Orvelle& o, Controle c) {
    OuvreGuide(o, c == C::Documentation ? Guide::Utilisateur : Guide::Etendu);
    AfficheBienvenue(o);
}

void CocheAutoRetrace(Orvelle& o, Controle) {
    // The box is the setting: the next activation keeps what the user ticked.
    o.parametres.autoRetrace = o.controles(C::CaseAutoRetrace).coche;
}

void ChoisitModePointage(Orvelle& o, Controle c) {
    SelectionneModePointage(o, c == C::OptionPalmer ? 2 : 1);
}

void ChoisitCommentaire(Orvelle& o, Controle c) {
    if (c == C::DefilementCommentaire)
        ChargeCommentaire(
            o.ui, o.mesure,
            static_cast<int>(LitDecimal(o.controles.Texte(C::DefilementCommentaire))));
    else
        NumeroCommentaireSaisi(o.ui, o.mesure, o.controles.Texte(C::NumeroCommentaire));
}

void ChoisitLangue(Orvelle& o, Controle c) {
    // The language-file report is for whoever asked it at start.
    o.langue.diagnostic = o.langue.diagnosticDemande;
    CommandeOptions(o, c);
    AfficheCalibrage(o);
}

void CommandeZoom(Orvelle& o, Controle c) {
    ClicZoom(o, c);
}

// The shared input line: its "OK" and "Annule" answer whoever opened it.
void CommandeLigneSaisie(Orvelle& o, Controle c) {
    const bool ok = c == C::SaisieOK;
    switch (o.cadres.saisie) {
    case P::Annotation:
        ok ? ValideSaisieAnnotation(o) : AnnuleSaisieAnnotation(o);
        break;
    case P::Calibrage:
        ok ? ValideSaisieCalibrage(o) : AnnuleSaisieCalibrage(o);
        break;
    default:
        break;
    }
}

// The shared comment frame: "Raz" empties its text, "Valider" and "annuler"
// answer whoever opened it.
void CommandeCadreCommentaire(Orvelle& o, Controle c) {
    if (c == C::CommentaireRaz) {
        o.controles.Texte(C::TexteCommentaire, "");
        return;
    }
    const bool valide = c == C::CommentaireValider;
    switch (o.cadres.commentaire) {
    case P::CommentaireLigne:
        if (valide)
            ValideCommentaire(o.ui, o.mesure, o.controles.Texte(C::TexteCommentaire));
        else
            FermeCommentaire(o.ui, o.mesure);
        break;
    case P::Export:
        if (valide)
            ValideExport(o);
        else
            QuitteModeExport(o.ui, o.resultats);
        break;
    case P::NotesCouleur:
        if (valide)
            ValideNotesCouleur(o);
        else
            FermeNotes(o.ui, o.couleur);
        break;
    default:
        break;
    }
}

// clang-format off
constexpr LigneCommande kTable[] = {
    // File menu.
    {C::OuvrirImage, CommandeChargeur},
    {C::AcquisitionSource},
    {C::AcquisitionImage},
    {C::AcquisitionSauverImage},
    {C::AcquisitionSauverVue},
    {C::ChargeurAjouter, CommandeRepertoire},
    {C::ChargeurSupprimer, CommandeRepertoire},
    {C::ChargeurEffacerListe, CommandeChargeur},
    {C::ImagePressePapier, CommandeChargeur},
    {C::SauverParametres, SauveLesParametres},
    {C::SauverTrame, CommandeTrame},
    {C::SauverTrameSous, CommandeTrame},
    {C::ChargerTrame, CommandeTrame},
    {C::RepertoireImage, CommandeRepertoire},
    {C::Quitter, Quitte},
    // Edit menu.
    {C::ExportGrilleSous, CommandeExport},
    {C::ExportGrille, CommandeExport},
    {C::EtalonnageResolution, CommandeCalibrage},
    {C::MenuRetrace, CommandeMarques},
    {C::Histogrammes, CommandeDistribution},
    {C::CopieResultats, CommandeResultats},
    {C::ImportCSV, CommandeChargeur},
    {C::AnnulerGrille, AnnuleOuRefait},
    {C::RefaireGrille, AnnuleOuRefait},
    // Function menu, its submenus' heads included (they do nothing).
    {C::FonctionSegment, CommandeFonction},
    {C::FonctionSpores2D, CommandeFonction},
    {C::FonctionSpores3D, CommandeFonction},
    {C::MenuCystides, CommandeFonction},
    {C::FonctionCystides3, CommandeFonction},
    {C::FonctionCystides4, CommandeFonction},
    {C::FonctionCystides5, CommandeFonction},
    {C::MenuPerso, CommandeFonction},
    {C::Perso1, CommandeFonction},
    {C::Perso2, CommandeFonction},
    {C::MenuComptage, CommandeFonction},
    {C::FonctionComptage1, CommandeFonction},
    {C::FonctionComptage2, CommandeFonction},
    {C::MenuDensite, CommandeFonction},
    {C::FonctionDensiteEllipse, CommandeFonction},
    {C::FonctionDensiteRectangle, CommandeFonction},
    {C::FonctionTintaval, CommandeFonction},
    {C::MenuSurface, CommandeFonction},
    {C::FonctionTriangle, CommandeFonction},
    {C::FonctionPolygoneAuto, CommandeFonction},
    {C::FonctionPolygoneOuvert, CommandeFonction},
    {C::FonctionUnClic, CommandeMesureAuto},
    {C::TrouveSpores, CommandeMesureAuto},
    {C::AccepteSpores, CommandeMesureAuto},
    {C::AbandonneRecherche, CommandeMesureAuto},
    // Options menu: each submenu's entries.
    {C::DemarrageSegments, CommandeOptions, true},
    {C::FormatExportCSV, CommandeOptions, true},
    {C::TailleGrille63, CommandeOptions, true},
    {C::ToleranceClic1, CommandeOptions, true},
    {C::DecimalesAuto, CommandeOptions, true},
    {C::LangueFr, ChoisitLangue, true},
    {C::StatsNuage, CommandeOptions, true},
    {C::SauvegardeAutoNon, CommandeOptions, true},
    {C::NotationD19, CommandeOptions, true},
    {C::CopieEcranEcran, CommandeCopieEcran, true},
    {C::FormatImageBMP, CommandeOptions, true},
    {C::MachineRapide, CommandeOptions},
    {C::SauverNuancier, CommandeCouleur},
    {C::ZoneCouleur1, CommandeOptions, true},
    {C::ChargerFichierScanner, CommandeCouleur},
    {C::ValiderCalibrageScanner, CommandeCouleur},
    // Tools menu.
    {C::OutilCopieEcran},
    {C::ReferenceSimple, CommandeAnnotation},
    {C::ReferenceOrientee, CommandeAnnotation},
    {C::IllustrerTexte, CommandeAnnotation},
    {C::ChoixPolice, CommandeAnnotation},
    {C::ReferenceSurImage, CommandeAnnotation},
    {C::TailleTrace1, CommandeAnnotation, true},
    {C::GroupageMC, CommandeCalibrage},
    {C::MajGrille, CommandeTrame},
    {C::CalibrageGroupe, CommandeCalibrage},
    // Help menu.
    {C::Aide, CommandeAide},
    {C::ListeCles, CommandeAide},
    {C::Documentation, OuvreLeGuide},
    {C::DocPlus, OuvreLeGuide},
    {C::PasAPas, CommandeAide},
    {C::APropos, CommandeAide},
    // The image box's context menus.
    {C::SegmentLongueur, CommandeMenuContextuel, true},
    {C::Choix3DLargeur, CommandeMenuContextuel, true},
    // The command panel.
    {C::Retrace, CommandeMarques},
    {C::EffaceArriere, CommandeMarques},
    {C::Couleur1, CommandeMarques},
    {C::Couleur2, CommandeMarques},
    {C::Loupe, BasculeLaLoupe},
    {C::EditerCalibrage, CommandeCalibrage},
    {C::VoirOptions, CommandeAide},
    {C::Etalonner, CommandeCalibrage},
    {C::Cherche, CommandeChargeur},
    {C::EffaceLigne, CommandeBoutonGrille},
    {C::RazGrille, CommandeBoutonGrille},
    {C::RazTout, CommandeChargeur},
    {C::CaseAutoRetrace, CocheAutoRetrace},
    {C::CaseCalculStat, CommandeResultats},
    {C::CaseLigneBrisee, CommandeOptionPointage},
    {C::CaseInsereDim, CommandeOptionPointage},
    {C::CaseAccroche, CommandeMesureAuto},
    {C::OptionPalmer, ChoisitModePointage},
    {C::OptionBipoint, ChoisitModePointage},
    {C::ZoomPlus, CommandeZoom},
    {C::ZoomMoins, CommandeZoom},
    {C::Zoom1, CommandeZoom},
    {C::ZoomPas, CommandeZoom},
    {C::BoutonAcquisition},
    {C::BoutonCopieEcran},
    // The results and statistics buttons.
    {C::ResultatsBascule, CommandeResultats},
    {C::CopieNotation, CommandeResultats},
    {C::ResultatsAfficher, CommandeResultats},
    {C::StatistiquesOrdre, CommandeResultats},
    // The calibration panel, its correction box and its options.
    {C::QuitterCalibrage, CommandeCalibrage},
    {C::ValiderCalibrage, CommandeCalibrage},
    {C::CalibrageCoefficient, CommandeCalibrage},
    {C::CalibrageBalanceBlancs, CommandeCalibrage},
    {C::CalibragePortion, CommandeCalibrage},
    {C::CalibrageCharger, CommandeCalibrage},
    {C::CalibrageSauvegarde, CommandeCalibrage},
    {C::CalibrageResolution, CommandeCalibrage},
    {C::CalibrageObjectif, CommandeCalibrage},
    {C::CalibrageCorrection, CommandeCalibrage},
    {C::CorrectionAppliquer, CommandeCalibrage},
    {C::CorrectionAnnuler, CommandeCalibrage},
    {C::OptionIndDim, CommandeOptionCalibrage},
    {C::OptionIndRes, CommandeOptionCalibrage},
    {C::OptionCalibrageLongueur, CommandeOptionCalibrage},
    {C::OptionCalibrageGraduations, CommandeOptionCalibrage},
    {C::OptionCalibragePeriode, CommandeOptionCalibrage},
    {C::TexteObjectif, CommandeOptionCalibrage},
    // The image group's panel.
    {C::GroupeAjoute, CommandeGroupe},
    {C::GroupeRetire, CommandeGroupe},
    {C::GroupeAjouteTout, CommandeGroupe},
    {C::GroupeRetireTout, CommandeGroupe},
    {C::GroupeOK, CommandeGroupe},
    {C::CaseModeMC, CommandeGroupe},
    {C::CaseImgMC, CommandeGroupe},
    {C::GroupeChargeMC, CommandeCalibrage},
    // The shared input line and comment frame.
    {C::SaisieOK, CommandeLigneSaisie},
    {C::SaisieAnnule, CommandeLigneSaisie},
    {C::SymboleMicron, CommandeAnnotation},
    {C::CommentaireValider, CommandeCadreCommentaire},
    {C::CommentaireAnnuler, CommandeCadreCommentaire},
    {C::CommentaireRaz, CommandeCadreCommentaire},
    {C::NumeroCommentaire, ChoisitCommentaire},
    {C::DefilementCommentaire, ChoisitCommentaire},
    // The help, welcome and about frames.
    {C::BienvenueOK, FermeBienvenue},
    {C::AideFermer, CommandeAide},
    {C::AProposFermer, CommandeAide},
    // The annotated copy's frame.
    {C::CopieEnregistre, CommandeChargeur},
    {C::CopieFerme, CommandeChargeur},
    // The folder browser.
    {C::RepertoireCharger, CommandeRepertoire},
    {C::RepertoireChoisir, CommandeRepertoire},
    {C::RepertoireFermer, CommandeRepertoire},
    // The colour function's panel.
    {C::DefilementZoneCouleur, CommandeCouleur},
    {C::CaseCalibre, CommandeCouleur},
};
// clang-format on

// Every control's row, the families spread out.
struct Index {
    std::array<std::optional<LigneCommande>, NombreControles> lignes;
    Index() {
        for (const LigneCommande& l : kTable) {
            if (!l.famille) {
                lignes[static_cast<std::size_t>(l.controle)] = l;
                continue;
            }
            for (Controle c : MemeFamille(l.controle))
                lignes[static_cast<std::size_t>(c)] = LigneCommande{c, l.commande, false};
        }
    }
};

const Index& Lignes() {
    static const Index i;
    return i;
}

} // namespace

std::span<const LigneCommande> TableCommandes() {
    return kTable;
}

bool FenetreSeule(Controle c) {
    const auto& l = Lignes().lignes[static_cast<std::size_t>(c)];
    return l && !l->commande;
}

std::optional<Commande> CommandeDe(Controle c) {
    const auto& l = Lignes().lignes[static_cast<std::size_t>(c)];
    if (!l || !l->commande) return std::nullopt;
    return l->commande;
}

void ExecuteCommande(Orvelle& o, Controle c) {
    if (!o.controles(c).actif) return;
    // Drawings made on a picture no longer shown are forgotten first.
    SuitImageAnnotation(o);
    if (const auto commande = CommandeDe(c)) (*commande)(o, c);
}

} // namespace orv
