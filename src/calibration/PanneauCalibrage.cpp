#include "calibration/PanneauCalibrage.h"

#include "base/Nombres.h"
#include "base/Texte.h"
#include "calibration/FichierCalibrage.h"
#include "interface/Messages.h"

#include <cmath>
#include <cstdint>

namespace orv {

namespace {

constexpr std::uint32_t kBlanc = 0xFFFFFF;
constexpr std::uint32_t kJaune = 0x00FFFF;

void ActiveCommandes(Interface& ui, bool actif) {
    for (Controle c : {Controle::CalibrageCoefficient, Controle::CalibrageBalanceBlancs,
                       Controle::CalibragePortion, Controle::CalibrageCharger,
                       Controle::CalibrageSauvegarde, Controle::CalibrageResolution})
        ui.controles.Actif(c, actif);
}

// Command 2: a pointing calibration with the option chosen in the panel.
void CalibrageSurPortion(Interface& ui, EtatCalibrage& c, const ContextePanneau& x) {
    auto& k = ui.controles;
    if (!c.optionPortion) return; // no option chosen: nothing to point
    DemarreCalibrage(ui, c, x.parametres, x.image, x.longueurPixels, *c.optionPortion);
    // The magnifier is off while the calibration segment is pointed.
    if (x.loupeActive) {
        k.Actif(Controle::Loupe, false);
        c.loupeCoupee = true;
    }
    k.Visible(Controle::CadreCalibrage, false);
}

void OuvreCorrection(Interface& ui, EtatCalibrage& c) {
    auto& k = ui.controles;
    const bool visible = !c.correctionOuverte;
    c.correctionOuverte = visible;
    k.Visible(Controle::CadreCorrection, visible);
    k.Texte(Controle::CalibrageCorrection, ui.Mnu(mnu::CorrectionCalibrage));
    k.Actif(Controle::TexteCalibrage, false);
    if (!visible) return;
    k.Texte(Controle::CadreCorrection, "");
    k.Actif(Controle::TexteCalibrage, true);
    k.Actif(Controle::CadreCorrection, true);
    c.copieCorrection = c.CoefCalibrage;
    k.Texte(Controle::CalibrageCorrection, ui.Mnu(mnu::FermerCorrection));
}

// Mode 3: the chosen stored line becomes the factor.
void ValideCalibrageCharge(Interface& ui, EtatCalibrage& c, const ContextePanneau& x) {
    if (c.selectionCalib < 0 || c.selectionCalib >= static_cast<int>(c.ListCalib.size())) return;
    const std::string& ligne = c.ListCalib[static_cast<size_t>(c.selectionCalib)];
    ui.controles.Texte(Controle::TexteCalibrage, FichierCalibrage::TexteValeur(ligne));
    // A hand-edited line whose value is not a positive number would make
    // every length 0: it is refused and the factor stays.
    const auto v = FichierCalibrage::Valeur(ligne);
    if (!v || !std::isfinite(*v) || *v <= 0) {
        ui.plateforme.Message(ui.Msg(msg::ErreurDonneeCalibrage));
        return;
    }
    FixeCalibrage(ui, c, x.parametres, x.image, *v);
    ui.controles.Visible(Controle::CadreCalibrage, false);
}

} // namespace

std::string CheminCalibrage(const std::string& dossierProgramme) {
    return dossierProgramme + "/" + FichierCalibrage::Nom;
}

void Calibrage_Ouvre(Interface& ui, EtatCalibrage& c) {
    auto& k = ui.controles;
    ActiveCommandes(ui, true);
    k.Actif(Controle::EditerCalibrage, true);
    k.Actif(Controle::ValiderCalibrage, false);
    k.Couleur(Controle::TexteCalibrage, kBlanc);
    k.Texte(Controle::TexteCalibrage, TexteNombre(c.CoefCalibrage, ui.Sep()));
    k.Actif(Controle::TexteCalibrage, false);
    k.Texte(Controle::InviteCalibrage, ui.Msg(msg::CalibrageActuel));
    k.Visible(Controle::CadreCalibrage, true);
    c.correctionOuverte = false;
    k.Visible(Controle::CadreCorrection, false);
    k.Texte(Controle::CalibrageCorrection, ui.Mnu(mnu::CorrectionCalibrage));
}

void Calibrage_Ferme(Interface& ui) {
    ui.controles.Visible(Controle::CadreCalibrage, false);
}

void EtapeCadreCalibrage(Interface& ui, EtatCalibrage& c, const ContextePanneau& x, int commande) {
    auto& k = ui.controles;
    k.Actif(Controle::OptionCalibrageLongueur, true);
    k.Actif(Controle::OptionCalibrageGraduations, true);
    k.Actif(Controle::OptionCalibragePeriode, true);
    k.Actif(Controle::CadreCorrection, true);
    c.ModeCalibrage = commande;
    k.Actif(Controle::ValiderCalibrage, false);
    switch (commande) {
    case 2:
        CalibrageSurPortion(ui, c, x);
        return;
    case 3:
        k.Texte(Controle::InviteCommande, ui.Msg(msg::ChargementCalibrage));
        k.Visible(Controle::ListeCalibrages, true);
        Calibrage_Charge(ui, c, x.fichier);
        k.Actif(Controle::ValiderCalibrage, false); // a row must be chosen first
        break;
    case 4:
        k.Texte(Controle::InviteCalibrage, ui.Msg(msg::EntrerCommentaireCalibrage));
        k.Texte(Controle::TexteCalibrage, "");
        k.Visible(Controle::TexteCalibrage, true);
        k.Actif(Controle::TexteCalibrage, true);
        k.Couleur(Controle::TexteCalibrage, kJaune);
        k.Actif(Controle::ValiderCalibrage, true);
        return;
    case 5:
        // Kept as a prompt only: nothing reads the coefficient it shows.
        k.Actif(Controle::EditerCalibrage, false);
        k.Texte(Controle::TexteCalibrage, "0");
        k.Actif(Controle::ValiderCalibrage, true);
        k.Texte(Controle::InviteCommande, ui.Msg(msg::CoefficientCorrection));
        break;
    case 6:
        DemarreCalibrage(ui, c, x.parametres, x.image, x.longueurPixels,
                         ProcedureCalibrage::Objectif);
        k.Visible(Controle::CadreCalibrage, false);
        break;
    case CommandeCorrection:
        OuvreCorrection(ui, c);
        break;
    default:
        break;
    }
    k.Actif(Controle::CalibragePortion, false);
}

void ValideCadreCalibrage(Interface& ui, EtatCalibrage& c, const ContextePanneau& x) {
    auto& k = ui.controles;
    k.Actif(Controle::TexteCalibrage, true);
    k.Actif(Controle::Loupe, false);
    switch (c.ModeCalibrage) {
    case 3:
        ValideCalibrageCharge(ui, c, x);
        break;
    case 4:
        if (x.texteCalibrage.find('=') == std::string::npos) {
            Calibrage_Sauve(ui, c, x);
            k.Visible(Controle::CadreCalibrage, false);
        } else {
            ui.plateforme.Message(ui.Msg(msg::CommentaireSansEgal));
        }
        k.Couleur(Controle::TexteCalibrage, kBlanc);
        break;
    default:
        ActiveCommandes(ui, true);
        k.Actif(Controle::ValiderCalibrage, false); // nothing left to validate
        k.Couleur(Controle::TexteCalibrage, kBlanc);
        break;
    }
}

void Calibrage_Sauve(Interface& ui, EtatCalibrage& c, const ContextePanneau& x) {
    const std::string& chemin = x.fichier;
    const std::string& commentaire = x.texteCalibrage;
    auto& p = ui.plateforme;
    // The first "=" of a line separates the comment from the number.
    if (commentaire.find('=') != std::string::npos) {
        p.Message(ui.Msg(msg::CommentaireSansEgal));
        return;
    }
    const bool existe = FichierExiste(chemin);
    if (!existe) p.Message(ui.Msg(msg::Creation) + " " + chemin);
    bool cree = false;
    const auto e = FichierCalibrage::Ajoute(
        chemin, FichierCalibrage::Ligne(commentaire, c.CoefCalibrage, ui.Sep()),
        ui.Mnu(mnu::EnteteCalibrage), cree);
    if (!e) {
        p.Message(ui.Msg(msg::ErreurFichier) + std::string(FinDeLigne) + e.erreur);
        return;
    }
    c.ListCalib.push_back(commentaire + " = " + TexteNombre(c.CoefCalibrage, ui.Sep()));
}

void Calibrage_Charge(Interface& ui, EtatCalibrage& c, const std::string& fichier) {
    auto& k = ui.controles;
    if (auto entrees = FichierCalibrage::LitEntrees(fichier)) {
        c.ListCalib = std::move(*entrees);
        c.selectionCalib = -1;
        k.Visible(Controle::ListeCalibrages, true);
    } else {
        ui.plateforme.Message(ui.Msg(msg::CalibrageAbsent));
    }
    k.Actif(Controle::ValiderCalibrage, true);
    ui.Statut(ui.Msg(msg::ChoisirCalibrage));
}

void ChoisitCalibrageListe(Interface& ui, EtatCalibrage& c, int ligne) {
    if (ligne < 0 || ligne >= static_cast<int>(c.ListCalib.size())) return;
    c.selectionCalib = ligne;
    auto& k = ui.controles;
    k.Texte(Controle::TexteCalibrage,
            FichierCalibrage::TexteValeur(c.ListCalib[static_cast<size_t>(ligne)]));
    k.Actif(Controle::ValiderCalibrage, true);
    k.Actif(Controle::CalibrageCharger, false);
    k.Texte(Controle::InviteCalibrage, ui.Msg(msg::ValiderCoefficient));
}

void FermeCorrection(Interface& ui, EtatCalibrage& c, const ContextePanneau& x, bool applique) {
    auto& k = ui.controles;
    std::optional<double> candidat;
    if (applique) {
        // A text that is not a number is refused like a factor of 0.
        const auto coefficient = LitNombreStrict(x.texteCorrection);
        const auto facteur = LitNombreStrict(x.texteCalibrage);
        if (coefficient && facteur) candidat = *coefficient * *facteur;
        k.Texte(Controle::InviteCalibrage, ui.Msg(msg::CalibrageActuel));
    } else {
        candidat = c.copieCorrection;
        k.Texte(Controle::TexteCalibrage, TexteNombre(c.CoefCalibrage, ui.Sep()));
    }
    if (!candidat || !std::isfinite(*candidat) || *candidat <= 0) {
        FixeCalibrage(ui, c, x.parametres, x.image, c.copieCorrection);
        ui.plateforme.Message(ui.Msg(msg::ErreurDonneeCalibrage));
    } else {
        FixeCalibrage(ui, c, x.parametres, x.image, *candidat);
    }
    k.Texte(Controle::TexteCalibrage, TexteNombre(c.CoefCalibrage, ui.Sep()));
}

bool ClicOption(Interface& ui, EtatCalibrage& c, Parametres& p, ImageMontree im, bool lignes,
                bool mesureInachevee, Controle option) {
    auto& k = ui.controles;
    using C = Controle;
    switch (option) {
    case C::OptionIndDim:
    case C::OptionIndRes: {
        const bool indPres = option == C::OptionIndRes;
        // Lines in the grid measure otherwise in the other mode: the change is
        // asked first (declining changes nothing); the caller then recomputes
        // every line, so that the grid never holds values of both modes.
        if (indPres != p.indPres && mesureInachevee)
            ui.plateforme.Flash(0xC0C0FF, ui.Msg(msg::MesureInachevee), 2);
        if (indPres != p.indPres && lignes &&
            (mesureInachevee ||
             !ui.plateforme.QuestionOuiNon(ui.Mnu(mnu::QuestionModeResolution)))) {
            k.Coche(C::OptionIndDim, !p.indPres);
            k.Coche(C::OptionIndRes, p.indPres);
            return true;
        }
        k.Coche(C::OptionIndDim, !indPres);
        k.Coche(C::OptionIndRes, indPres);
        p.indPres = indPres;
        AppliqueResolution(ui, c, p, im);
        return true;
    }
    case C::OptionCalibrageLongueur:
    case C::OptionCalibrageGraduations:
    case C::OptionCalibragePeriode: {
        const bool graduations = option == C::OptionCalibrageGraduations;
        c.optionPortion = graduations                           ? ProcedureCalibrage::Graduations
                          : option == C::OptionCalibragePeriode ? ProcedureCalibrage::Periode
                                                                : ProcedureCalibrage::Longueur;
        for (Controle r :
             {C::OptionCalibrageLongueur, C::OptionCalibrageGraduations, C::OptionCalibragePeriode})
            k.Coche(r, r == option);
        // Only the ocular graduations count against the objective.
        k.Actif(C::TexteObjectif, graduations);
        k.Actif(C::CalibrageObjectif, !graduations);
        return true;
    }
    default:
        return false;
    }
}

void Editeur(Interface& ui, const std::string& fichier) {
    if (!FichierExiste(fichier)) {
        ui.plateforme.Message(ui.Mnu(mnu::SansFichierCalibrage));
        return;
    }
    if (!ui.plateforme.OuvreEditeurTexte(fichier))
        ui.plateforme.Message(ui.Msg(msg::ErreurFichier) + std::string(FinDeLigne) + fichier);
}

} // namespace orv
