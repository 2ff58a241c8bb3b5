#include "calibration/PanneauCalibrage.h"

#include "app/CommandesMesure.h"
#include "app/Orvelle.h"
#include "base/Nombres.h"
#include "base/Texte.h"
#include "calibration/Calibrage.h"
#include "calibration/FichierCalibrage.h"
#include "interface/Messages.h"

#include <cmath>
#include <cstdint>

namespace orv {

namespace {

constexpr std::uint32_t kBlanc = 0xFFFFFF;
constexpr std::uint32_t kJaune = 0x00FFFF;

// Message numbers of the text table.
constexpr int kMsgCalibrageActuel = 110;
constexpr int kMsgChargement = 112;
constexpr int kMsgCoefficientCorrection = 113;
constexpr int kMsgCreation = 114;
constexpr int kMsgEntrerCommentaire = 121;
constexpr int kMsgCommentaireEgal = 135;
constexpr int kMsgFichierAbsent = 137;
constexpr int kMsgErreurFichier = 144;
constexpr int kMsgChoisirCalibrage = 183;
constexpr int kMsgValiderCoefficient = 184;
constexpr int kMsgErreurDonnee = 208;
constexpr int kMnuEnteteCalibrage = 14;

void ActiveCommandes(Orvelle& o, bool actif) {
    for (Controle c : {Controle::CalibrageCoefficient, Controle::CalibrageBalanceBlancs,
                       Controle::CalibragePortion, Controle::CalibrageCharger,
                       Controle::CalibrageSauvegarde, Controle::CalibrageResolution})
        o.controles.Actif(c, actif);
}

// Command 2: a pointing calibration with the option chosen in the panel.
void CalibrageSurPortion(Orvelle& o) {
    auto& k = o.controles;
    int type = -1;
    if (k(Controle::OptionCalibrageLongueur).coche) type = CalibrageLongueur;
    if (k(Controle::OptionCalibrageGraduations).coche) type = CalibrageGraduations;
    if (type < 0) return; // no option chosen: nothing to point
    DemarreCalibrage(o, type);
    // The magnifier is off while the calibration segment is pointed.
    if (k(Controle::Loupe).actif) {
        k.Actif(Controle::Loupe, false);
        o.calibrage.loupeCoupee = true;
    }
    k.Visible(Controle::CadreCalibrage, false);
}

void OuvreCorrection(Orvelle& o) {
    auto& k = o.controles;
    const bool visible = !k(Controle::CadreCorrection).visible;
    k.Visible(Controle::CadreCorrection, visible);
    k.Texte(Controle::CalibrageCorrection, o.textes.Mnu(mnu::CorrectionCalibrage));
    k.Actif(Controle::TexteCalibrage, false);
    if (!visible) return;
    k.Texte(Controle::CadreCorrection, "");
    k.Actif(Controle::TexteCalibrage, true);
    k.Actif(Controle::CadreCorrection, true);
    o.calibrage.copieCorrection = o.CoefCalibrage;
    k.Texte(Controle::CalibrageCorrection, o.textes.Mnu(mnu::FermerCorrection));
}

// Mode 3: the chosen stored line becomes the factor.
void ValideCalibrageCharge(Orvelle& o) {
    auto& c = o.calibrage;
    if (c.selectionCalib < 0 || c.selectionCalib >= static_cast<int>(c.ListCalib.size())) return;
    const std::string& ligne = c.ListCalib[static_cast<size_t>(c.selectionCalib)];
    o.controles.Texte(Controle::TexteCalibrage, FichierCalibrage::TexteValeur(ligne));
    // A hand-edited line whose value is not a positive number would make
    // every length 0: it is refused and the factor stays.
    const auto v = FichierCalibrage::Valeur(ligne);
    if (!v || !std::isfinite(*v) || *v <= 0) {
        o.plateforme.Message(o.textes.Msg(kMsgErreurDonnee));
        return;
    }
    FixeCalibrage(o, *v);
    o.controles.Visible(Controle::CadreCalibrage, false);
}

} // namespace

std::string CheminCalibrage(const Orvelle& o) {
    return o.dossierProgramme + "/" + FichierCalibrage::Nom;
}

void Calibrage_Ouvre(Orvelle& o) {
    auto& k = o.controles;
    ActiveCommandes(o, true);
    k.Actif(Controle::EditerCalibrage, true);
    k.Actif(Controle::ValiderCalibrage, false);
    k.Couleur(Controle::TexteCalibrage, kBlanc);
    k.Texte(Controle::TexteCalibrage, TexteNombre(o.CoefCalibrage, o.Sep()));
    k.Actif(Controle::TexteCalibrage, false);
    k.Texte(Controle::InviteCalibrage, o.textes.Msg(kMsgCalibrageActuel));
    k.Visible(Controle::CadreCalibrage, true);
    k.Visible(Controle::CadreCorrection, false);
    k.Texte(Controle::CalibrageCorrection, o.textes.Mnu(mnu::CorrectionCalibrage));
}

void Calibrage_Ferme(Orvelle& o) {
    o.controles.Visible(Controle::CadreCalibrage, false);
}

void EtapeCadreCalibrage(Orvelle& o, int commande) {
    auto& k = o.controles;
    k.Actif(Controle::OptionCalibrageLongueur, true);
    k.Actif(Controle::OptionCalibrageGraduations, true);
    k.Actif(Controle::CadreCorrection, true);
    o.calibrage.ModeCalibrage = commande;
    k.Actif(Controle::ValiderCalibrage, false);
    switch (commande) {
    case 2:
        CalibrageSurPortion(o);
        return;
    case 3:
        k.Texte(Controle::InviteCommande, o.textes.Msg(kMsgChargement));
        k.Visible(Controle::ListeCalibrages, true);
        Calibrage_Charge(o);
        k.Actif(Controle::ValiderCalibrage, false); // a row must be chosen first
        break;
    case 4:
        k.Texte(Controle::InviteCalibrage, o.textes.Msg(kMsgEntrerCommentaire));
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
        k.Texte(Controle::InviteCommande, o.textes.Msg(kMsgCoefficientCorrection));
        break;
    case 6:
        DemarreCalibrage(o, CalibrageObjectif);
        k.Visible(Controle::CadreCalibrage, false);
        break;
    case CommandeCorrection:
        OuvreCorrection(o);
        break;
    default:
        break;
    }
    k.Actif(Controle::CalibragePortion, false);
}

void ValideCadreCalibrage(Orvelle& o) {
    auto& k = o.controles;
    k.Actif(Controle::TexteCalibrage, true);
    k.Actif(Controle::Loupe, false);
    switch (o.calibrage.ModeCalibrage) {
    case 3:
        ValideCalibrageCharge(o);
        break;
    case 4:
        if (k.Texte(Controle::TexteCalibrage).find('=') == std::string::npos) {
            Calibrage_Sauve(o);
            k.Visible(Controle::CadreCalibrage, false);
        } else {
            o.plateforme.Message(o.textes.Msg(kMsgCommentaireEgal));
        }
        k.Couleur(Controle::TexteCalibrage, kBlanc);
        break;
    default:
        ActiveCommandes(o, true);
        k.Actif(Controle::ValiderCalibrage, false); // nothing left to validate
        k.Couleur(Controle::TexteCalibrage, kBlanc);
        break;
    }
}

void Calibrage_Sauve(Orvelle& o) {
    const std::string chemin = CheminCalibrage(o);
    const std::string commentaire = o.controles.Texte(Controle::TexteCalibrage);
    // The first "=" of a line separates the comment from the number.
    if (commentaire.find('=') != std::string::npos) {
        o.plateforme.Message(o.textes.Msg(kMsgCommentaireEgal));
        return;
    }
    const bool existe = FichierExiste(chemin);
    if (!existe) o.plateforme.Message(o.textes.Msg(kMsgCreation) + " " + chemin);
    bool cree = false;
    const auto e = FichierCalibrage::Ajoute(
        chemin, FichierCalibrage::Ligne(commentaire, o.CoefCalibrage, o.Sep()),
        o.textes.Mnu(kMnuEnteteCalibrage), cree);
    if (!e) {
        o.plateforme.Message(o.textes.Msg(kMsgErreurFichier) + std::string(FinDeLigne) + e.erreur);
        return;
    }
    o.calibrage.ListCalib.push_back(commentaire + " = " + TexteNombre(o.CoefCalibrage, o.Sep()));
}

void Calibrage_Charge(Orvelle& o) {
    auto& k = o.controles;
    if (auto entrees = FichierCalibrage::LitEntrees(CheminCalibrage(o))) {
        o.calibrage.ListCalib = std::move(*entrees);
        o.calibrage.selectionCalib = -1;
        k.Visible(Controle::ListeCalibrages, true);
    } else {
        o.plateforme.Message(o.textes.Msg(kMsgFichierAbsent));
    }
    k.Actif(Controle::ValiderCalibrage, true);
    k.Texte(Controle::BarreEtat, o.textes.Msg(kMsgChoisirCalibrage));
}

void ListCalib_Click(Orvelle& o, int ligne) {
    auto& c = o.calibrage;
    if (ligne < 0 || ligne >= static_cast<int>(c.ListCalib.size())) return;
    c.selectionCalib = ligne;
    auto& k = o.controles;
    k.Texte(Controle::TexteCalibrage,
            FichierCalibrage::TexteValeur(c.ListCalib[static_cast<size_t>(ligne)]));
    k.Actif(Controle::ValiderCalibrage, true);
    k.Actif(Controle::CalibrageCharger, false);
    k.Texte(Controle::InviteCalibrage, o.textes.Msg(kMsgValiderCoefficient));
}

void Command1_Click(Orvelle& o, int index) {
    auto& k = o.controles;
    auto& c = o.calibrage;
    std::optional<double> candidat;
    if (index == 0) {
        // A text that is not a number is refused like a factor of 0.
        const auto coefficient = LitNombreStrict(k.Texte(Controle::TexteCorrection));
        const auto facteur = LitNombreStrict(k.Texte(Controle::TexteCalibrage));
        if (coefficient && facteur) candidat = *coefficient * *facteur;
        k.Texte(Controle::InviteCalibrage, o.textes.Msg(kMsgCalibrageActuel));
    } else if (index == 1) {
        candidat = c.copieCorrection;
        k.Texte(Controle::TexteCalibrage, TexteNombre(o.CoefCalibrage, o.Sep()));
    } else {
        return;
    }
    if (!candidat || !std::isfinite(*candidat) || *candidat <= 0) {
        FixeCalibrage(o, c.copieCorrection);
        o.plateforme.Message(o.textes.Msg(kMsgErreurDonnee));
    } else {
        FixeCalibrage(o, *candidat);
    }
    k.Texte(Controle::TexteCalibrage, TexteNombre(o.CoefCalibrage, o.Sep()));
}

bool ClicOption(Orvelle& o, Controle c) {
    auto& k = o.controles;
    using C = Controle;
    switch (c) {
    case C::OptionIndDim:
    case C::OptionIndRes: {
        const bool indPres = c == C::OptionIndRes;
        // Lines in the grid measure otherwise in the other mode: the change is
        // asked first, and then every line is recomputed, so that the grid
        // never holds values of both modes (declining changes nothing).
        const bool lignes = o.mesure.LigneCourante > 1 || o.mesure.Etape >= 2;
        if (indPres != o.parametres.indPres && o.mesure.Etape >= 2)
            o.plateforme.Flash(0xC0C0FF, o.textes.Msg(178), 2); // " mesure inachevée"
        if (indPres != o.parametres.indPres && lignes &&
            (o.mesure.Etape >= 2 ||
             !o.plateforme.QuestionOuiNon(o.textes.Mnu(mnu::QuestionModeResolution)))) {
            k.Coche(C::OptionIndDim, !o.parametres.indPres);
            k.Coche(C::OptionIndRes, o.parametres.indPres);
            return true;
        }
        k.Coche(C::OptionIndDim, !indPres);
        k.Coche(C::OptionIndRes, indPres);
        const bool change = indPres != o.parametres.indPres;
        o.parametres.indPres = indPres;
        AppliqueResolution(o);
        if (change && lignes && o.recalculeGrille) o.recalculeGrille(o);
        return true;
    }
    case C::OptionCalibrageLongueur:
    case C::OptionCalibrageGraduations: {
        const bool graduations = c == C::OptionCalibrageGraduations;
        k.Coche(C::OptionCalibrageLongueur, !graduations);
        k.Coche(C::OptionCalibrageGraduations, graduations);
        k.Actif(C::TexteObjectif, graduations);
        k.Actif(C::CalibrageObjectif, !graduations);
        return true;
    }
    default:
        return false;
    }
}

void Editeur(Orvelle& o) {
    const std::string chemin = CheminCalibrage(o);
    if (!FichierExiste(chemin)) {
        o.plateforme.Message(o.textes.Mnu(mnu::SansFichierCalibrage));
        return;
    }
    if (!o.plateforme.OuvreEditeurTexte(chemin))
        o.plateforme.Message(o.textes.Msg(kMsgErreurFichier) + std::string(FinDeLigne) + chemin);
}

} // namespace orv
