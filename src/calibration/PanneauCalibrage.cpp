#include "calibration/PanneauCalibrage.h"

#include "app/Orvelle.h"
#include "base/Nombres.h"
#include "base/Texte.h"
#include "calibration/Calibrage.h"
#include "calibration/FichierCalibrage.h"

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

constexpr const char* kCorrection = "Correction calibrage";
constexpr const char* kFermerCorrection = "fermer correction";
constexpr const char* kSansFichier = "Etalonner et sauver le calibrage préalablement";

void ActiveCommandes(Orvelle& o, bool actif) {
    for (int i = 21; i <= 26; ++i) o.controles.Actif("bout", i, actif);
}

// Command 2: a pointing calibration with the option chosen in the panel.
void CalibrageSurPortion(Orvelle& o) {
    auto& k = o.controles;
    int type = -1;
    if (k("Optn", 3).coche) type = CalibrageLongueur;
    if (k("Optn", 4).coche) type = CalibrageGraduations;
    if (type < 0) return; // no option chosen: nothing to point
    DemarreCalibrage(o, type);
    // The magnifier is off while the calibration segment is pointed.
    if (k("bout", 4).actif) {
        k.Actif("bout", 4, false);
        o.calibrage.loupeCoupee = true;
    }
    k.Visible("Frame", 7, false);
}

void OuvreCorrection(Orvelle& o) {
    auto& k = o.controles;
    const bool visible = !k("Frame", 14).visible;
    k.Visible("Frame", 14, visible);
    k.Texte("bout", 44, kCorrection);
    k.Actif("TBox", 0, false);
    if (!visible) return;
    k.Texte("Frame", 14, "");
    k.Actif("TBox", 0, true);
    k.Actif("Frame", 14, true);
    o.calibrage.copieCorrection = o.CoefCalibrage;
    k.Texte("bout", 44, kFermerCorrection);
}

// Mode 3: the chosen stored line becomes the factor.
void ValideCalibrageCharge(Orvelle& o) {
    auto& c = o.calibrage;
    if (c.selectionCalib < 0 || c.selectionCalib >= static_cast<int>(c.ListCalib.size())) return;
    const std::string& ligne = c.ListCalib[static_cast<size_t>(c.selectionCalib)];
    o.controles.Texte("TBox", 0, FichierCalibrage::TexteValeur(ligne));
    // A hand-edited line whose value is not a positive number would make
    // every length 0: it is refused and the factor stays.
    const auto v = FichierCalibrage::Valeur(ligne);
    if (!v || !std::isfinite(*v) || *v <= 0) {
        o.plateforme.Message(o.textes.Msg(kMsgErreurDonnee));
        return;
    }
    FixeCalibrage(o, *v);
    o.controles.Visible("Frame", 7, false);
}

} // namespace

std::string CheminCalibrage(const Orvelle& o) {
    return o.dossierProgramme + "/" + FichierCalibrage::Nom;
}

void Calibrage_Ouvre(Orvelle& o) {
    auto& k = o.controles;
    ActiveCommandes(o, true);
    k.Actif("bout", 6, true);
    k.Actif("bout", 20, false);
    k.Couleur("TBox", 0, kBlanc);
    k.Texte("TBox", 0, TexteNombre(o.CoefCalibrage, o.Sep()));
    k.Actif("TBox", 0, false);
    k.Texte("label", 7, o.textes.Msg(kMsgCalibrageActuel));
    k.Visible("Frame", 7, true);
    k.Visible("Frame", 14, false);
    k.Texte("bout", 44, kCorrection);
}

void Calibrage_Ferme(Orvelle& o) {
    o.controles.Visible("Frame", 7, false);
}

void EtapeCadreCalibrage(Orvelle& o, int commande) {
    auto& k = o.controles;
    k.Actif("Optn", 3, true);
    k.Actif("Optn", 4, true);
    k.Actif("Frame", 14, true);
    o.calibrage.ModeCalibrage = commande;
    k.Actif("bout", 20, false);
    switch (commande) {
    case 2:
        CalibrageSurPortion(o);
        return;
    case 3:
        k.Texte("label", 3, o.textes.Msg(kMsgChargement));
        k.Visible("ListCalib", SansIndex, true);
        Calibrage_Charge(o);
        k.Actif("bout", 20, false); // a row must be chosen first
        break;
    case 4:
        k.Texte("label", 7, o.textes.Msg(kMsgEntrerCommentaire));
        k.Texte("TBox", 0, "");
        k.Visible("TBox", 0, true);
        k.Actif("TBox", 0, true);
        k.Couleur("TBox", 0, kJaune);
        k.Actif("bout", 20, true);
        return;
    case 5:
        // Kept as a prompt only: nothing reads the coefficient it shows.
        k.Actif("bout", 6, false);
        k.Texte("TBox", 0, "0");
        k.Actif("bout", 20, true);
        k.Texte("label", 3, o.textes.Msg(kMsgCoefficientCorrection));
        break;
    case 6:
        DemarreCalibrage(o, CalibrageObjectif);
        k.Visible("Frame", 7, false);
        break;
    case CommandeCorrection:
        OuvreCorrection(o);
        break;
    default:
        break;
    }
    k.Actif("bout", 23, false);
}

void ValideCadreCalibrage(Orvelle& o) {
    auto& k = o.controles;
    k.Actif("TBox", 0, true);
    k.Actif("bout", 4, false);
    switch (o.calibrage.ModeCalibrage) {
    case 3:
        ValideCalibrageCharge(o);
        break;
    case 4:
        if (k.Texte("TBox", 0).find('=') == std::string::npos) {
            Calibrage_Sauve(o);
            k.Visible("Frame", 7, false);
        } else {
            o.plateforme.Message(o.textes.Msg(kMsgCommentaireEgal));
        }
        k.Couleur("TBox", 0, kBlanc);
        break;
    default:
        ActiveCommandes(o, true);
        k.Actif("bout", 20, false); // nothing left to validate
        k.Couleur("TBox", 0, kBlanc);
        break;
    }
}

void Calibrage_Sauve(Orvelle& o) {
    const std::string chemin = CheminCalibrage(o);
    const std::string commentaire = o.controles.Texte("TBox", 0);
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
        k.Visible("ListCalib", SansIndex, true);
    } else {
        o.plateforme.Message(o.textes.Msg(kMsgFichierAbsent));
    }
    k.Actif("bout", 20, true);
    k.Texte("StatusBar1", SansIndex, o.textes.Msg(kMsgChoisirCalibrage));
}

void ListCalib_Click(Orvelle& o, int ligne) {
    auto& c = o.calibrage;
    if (ligne < 0 || ligne >= static_cast<int>(c.ListCalib.size())) return;
    c.selectionCalib = ligne;
    auto& k = o.controles;
    k.Texte("TBox", 0, FichierCalibrage::TexteValeur(c.ListCalib[static_cast<size_t>(ligne)]));
    k.Actif("bout", 20, true);
    k.Actif("bout", 24, false);
    k.Texte("label", 7, o.textes.Msg(kMsgValiderCoefficient));
}

void Command1_Click(Orvelle& o, int index) {
    auto& k = o.controles;
    auto& c = o.calibrage;
    std::optional<double> candidat;
    if (index == 0) {
        // A text that is not a number is refused like a factor of 0.
        const auto coefficient = LitNombreStrict(k.Texte("TBox", 1));
        const auto facteur = LitNombreStrict(k.Texte("TBox", 0));
        if (coefficient && facteur) candidat = *coefficient * *facteur;
        k.Texte("label", 7, o.textes.Msg(kMsgCalibrageActuel));
    } else if (index == 1) {
        candidat = c.copieCorrection;
        k.Texte("TBox", 0, TexteNombre(o.CoefCalibrage, o.Sep()));
    } else {
        return;
    }
    if (!candidat || !std::isfinite(*candidat) || *candidat <= 0) {
        FixeCalibrage(o, c.copieCorrection);
        o.plateforme.Message(o.textes.Msg(kMsgErreurDonnee));
    } else {
        FixeCalibrage(o, *candidat);
    }
    k.Texte("TBox", 0, TexteNombre(o.CoefCalibrage, o.Sep()));
}

bool ClicOption(Orvelle& o, int index) {
    auto& k = o.controles;
    switch (index) {
    case 1:
    case 2: {
        const bool indPres = index == 2;
        // Lines in the grid measure otherwise in the other mode: the change is
        // asked first, and then every line is recomputed, so that the grid
        // never holds values of both modes (declining changes nothing).
        const bool lignes = o.mesure.LigneCourante > 1 || o.mesure.Etape >= 2;
        if (indPres != o.parametres.indPres && o.mesure.Etape >= 2)
            o.plateforme.Flash(0xC0C0FF, o.textes.Msg(178), 2); // " mesure inachevée"
        if (indPres != o.parametres.indPres && lignes &&
            (o.mesure.Etape >= 2 || !o.plateforme.QuestionOuiNon(QuestionModeResolution))) {
            k.Coche("Optn", 1, !o.parametres.indPres);
            k.Coche("Optn", 2, o.parametres.indPres);
            return true;
        }
        k.Coche("Optn", 1, !indPres);
        k.Coche("Optn", 2, indPres);
        const bool change = indPres != o.parametres.indPres;
        o.parametres.indPres = indPres;
        AppliqueResolution(o);
        if (change && lignes && o.recalculeGrille) o.recalculeGrille(o);
        return true;
    }
    case 3:
    case 4:
        k.Coche("Optn", 3, index == 3);
        k.Coche("Optn", 4, index == 4);
        k.Actif("TBox", 2, index == 4);
        k.Actif("bout", 27, index == 3);
        return true;
    default:
        return false;
    }
}

void Editeur(Orvelle& o) {
    const std::string chemin = CheminCalibrage(o);
    if (!FichierExiste(chemin)) {
        o.plateforme.Message(kSansFichier);
        return;
    }
    if (!o.plateforme.OuvreEditeurTexte(chemin))
        o.plateforme.Message(o.textes.Msg(kMsgErreurFichier) + std::string(FinDeLigne) + chemin);
}

} // namespace orv
