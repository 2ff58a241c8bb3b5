#include "app/CommandesTrame.h"
#include "calibration/GroupeImages.h"

#include "app/CommandesCalibrage.h"
#include "app/CommandesImages.h"
#include "app/CommandesMesure.h"
#include "app/CommandesResultats.h"
#include "app/Dossiers.h"
#include "app/Orvelle.h"
#include "app/RepereTrame.h"
#include "app/TrameGrille.h"
#include "app/TravailRecent.h"
#include "base/Texte.h"
#include "images/Chargeur.h"
#include "interface/FichiersRefuses.h"
#include "interface/Messages.h"
#include "measure/Grille.h"
#include "measure/Marques.h"

#include <algorithm>
#include <filesystem>

namespace orv {

namespace fs = std::filesystem;

namespace {

constexpr int kMsgContinuer = 106;
constexpr int kMsgEcraser = 116;
constexpr int kMsgFonction = 129;
constexpr int kMsgErreurFichier = 144;
constexpr int kMsgTousFichiers = 159;
constexpr int kMsgResolution = 176;
constexpr int kMsgIntrouvable = 177;
constexpr int kMsgTableOccupee = 185;
constexpr int kMsgDonneeIncorrecte = 223;
constexpr int kMnuLigne = 13;
constexpr const char* kExtension = ".trm";
constexpr const char* kFichierParDefaut = "mesure.trm";

std::string Titre(const Orvelle& o, Controle c) {
    return o.controles.Texte(c);
}

std::string MessageEcriture(const Orvelle& o, const std::string& chemin, const Ecriture& e) {
    return o.textes.Msg(kMsgErreurFichier) + " :  " + chemin + std::string(FinDeLigne) + e.erreur;
}

Ecriture Ecrit(Orvelle& o, const std::string& chemin) {
    // The factor in use goes to entry 0 of the table, as every save does.
    o.calibrage.CalibrageImage[0] = o.calibrage.CoefCalibrage;
    return FichierTrame::EcritFichier(chemin, ConstruitTrame(o), o.Sep());
}

bool AUneExtension(const std::string& chemin) {
    return fs::path(chemin).has_extension();
}

// What a grid file keeps of the work and the window shows: the function and
// the texts of the grid's lines.
std::string Signature(const Orvelle& o) {
    const auto& g = o.mesure.GrilleRef;
    std::string s = std::to_string(o.mesure.NumFonction);
    const int fin = std::min(o.mesure.LigneCourante, g.Lignes() - 1);
    for (int l = 1; l <= fin; ++l)
        for (int c = 0; c < g.Colonnes(); ++c) s += '\x1f' + g.Texte(l, c);
    return s;
}

// The work is the file's from now on (saved to it, or read from it).
void TravailDuFichier(Orvelle& o, const std::string& chemin) {
    o.trame.FicTrame = NomFichierImage(chemin);
    o.trame.chemin = chemin;
    o.trame.travailSauve = Signature(o);
}

} // namespace

bool SauveTrame(Orvelle& o, const std::string& chemin) {
    const Ecriture e = Ecrit(o, chemin);
    if (!e) {
        o.plateforme.Message(MessageEcriture(o, chemin, e), {}, Icone::Exclamation);
        return false;
    }
    TravailDuFichier(o, chemin);
    return true;
}

bool SauveTrameAutomatique(Orvelle& o, const std::string& chemin) {
    // Never the current folder: it may be any folder the program was started from.
    const std::string cible =
        fs::path(chemin).is_relative()
            ? (fs::path(DossierExport(o.parametres, o.dossierProgramme)) / chemin).string()
            : chemin;
    const Ecriture e = Ecrit(o, cible);
    if (e) return true;
    o.plateforme.Message(MessageEcriture(o, cible, e), {}, Icone::Exclamation);
    return false;
}

bool TravailNonSauve(const Orvelle& o) {
    const bool mesures = o.mesure.LigneCourante > 1 || o.mesure.Etape > 1;
    return mesures && Signature(o) != o.trame.travailSauve;
}

bool ConfirmeQuitter(Orvelle& o) {
    const std::string titre = Titre(o, Controle::Fenetre);
    if (!TravailNonSauve(o))
        return o.plateforme.QuestionOuiNon(o.textes.Msg(161), titre, Icone::Question);
    // The grid holds measures not saved in a grid file; the question names the
    // file "Oui" writes, when the work has one.
    std::string question = o.textes.Mnu(mnu::MesuresNonSauvees) + std::string(FinDeLigne) +
                           o.textes.Mnu(mnu::SauverAvantDeQuitter);
    if (const auto fichier = FichierDuTravail(o))
        question +=
            std::string(FinDeLigne) + o.textes.Mnu(mnu::EcritesDans) + NomAffichable(*fichier);
    switch (o.plateforme.QuestionOuiNonAnnuler(question, titre, Icone::Question)) {
    case Reponse::Oui:
        // A cancelled dialog or a failed write keeps the program open.
        return SauverTrame(o);
    case Reponse::Non:
        return true;
    case Reponse::Annuler:
        break;
    }
    return false;
}

std::string MessageErreurTrame(const Orvelle& o, const std::string& chemin, const ErreurTrame& e) {
    const auto& t = o.textes;
    std::string m = t.Msg(kMsgErreurFichier) + " :  " + chemin;
    const std::string fin(FinDeLigne);
    const std::string ligne = t.Mnu(kMnuLigne) + " " + std::to_string(e.ligne);
    switch (e.defaut) {
    case DefautTrame::Illisible:
        break;
    case DefautTrame::PasOrdinaire:
        return TexteFichierNonLu(t, chemin, DefautLecture::PasOrdinaire, 0);
    case DefautTrame::TropGros:
        return TexteFichierNonLu(t, chemin, DefautLecture::TropGros, LimiteFichierDonnees);
    case DefautTrame::PasUneTrame:
    case DefautTrame::SectionManquante:
        m += fin + e.texte + t.Msg(kMsgIntrouvable);
        break;
    case DefautTrame::FonctionInconnue:
        m += fin + t.Msg(kMsgFonction) + Lisible(e.texte) + t.Msg(kMsgIntrouvable);
        break;
    case DefautTrame::Tronque:
        m += fin + t.Msg(kMsgDonneeIncorrecte) + " : " + ligne;
        break;
    case DefautTrame::NombreInvalide:
    case DefautTrame::ChampsManquants:
    case DefautTrame::ValeurInvalide:
        m += fin + t.Msg(kMsgDonneeIncorrecte) + " : " + ligne + " : " + Lisible(e.texte);
        break;
    case DefautTrame::CompteRepete:
        m += fin + t.Msg(kMsgDonneeIncorrecte) + " : " + ligne + " : " + e.texte +
             t.Mnu(mnu::EnDouble);
        break;
    case DefautTrame::TailleInconnue:
        m += fin + ligne + " : image " + Lisible(e.texte) + t.Msg(kMsgIntrouvable) +
             t.Mnu(mnu::TailleInconnue);
        break;
    case DefautTrame::ImageHorsListe:
        m += fin + t.Msg(kMsgDonneeIncorrecte) + " : " + ligne + " : image " + e.texte +
             t.Mnu(mnu::HorsChargeur);
        break;
    }
    return m;
}

std::string NoteModeAbsent(const Orvelle& o, const Trame& t) {
    if (t.indPres) return {};
    return o.textes.Mnu(mnu::ModeAbsent) +
           o.controles.Texte(ModeTrame(t) ? Controle::OptionIndRes : Controle::OptionIndDim);
}

ResultatChargement ChargeTrameLue(Orvelle& o, const Trame& lue, const std::string& chemin) {
    // A file that does not give its mode is read in the mode of new settings,
    // never in whatever mode the settings hold: the same points would give
    // other values. It says so.
    const std::string note = NoteModeAbsent(o, lue);
    if (ModeTrame(lue) != o.parametres.indPres) {
        o.plateforme.Message(o.textes.Msg(kMsgResolution) +
                                 (note.empty() ? "" : std::string(FinDeLigne) + note),
                             {}, Icone::Exclamation);
        return ResultatChargement::Refuse;
    }
    // Checked whole before anything changes; the window and orvelle-cli load
    // through here, so both give the same values for the same file and pictures.
    const ImagesTrame images = SitueImagesTrame(o, lue);
    // The points of an older file on the pictures standing upright.
    const Trame t = RedresseTrame(lue, images, o.parametres.indPres);
    if (const auto e = VerifieTrame(o, t, images)) {
        o.plateforme.Message(MessageErreurTrame(o, chemin, *e), {}, Icone::Exclamation);
        return ResultatChargement::Malforme;
    }
    const auto changees = TaillesChangees(t, images, o.textes);
    const bool taillesLues = changees.empty() || o.plateforme.QuestionOuiNon(
                                                     QuestionTaillesChangees(changees, o.textes),
                                                     o.textes.Mnu(mnu::Attention), Icone::Question);
    const BilanTrame b = RemplaceParTrame(o, t, images, taillesLues);
    TravailDuFichier(o, chemin);
    if (!note.empty()) o.plateforme.Message(note, {}, Icone::Information);
    AnnonceBilan(o, b);
    return ResultatChargement::Charge;
}

ResultatChargement ChargeTrame(Orvelle& o, const std::string& chemin) {
    const std::string fichier = chemin.empty() ? std::string(kFichierParDefaut) : chemin;
    const LectureTrame lu = FichierTrame::LitFichier(fichier);
    if (!lu) {
        o.plateforme.Message(MessageErreurTrame(o, fichier, lu.erreur), {}, Icone::Exclamation);
        return lu.erreur.defaut == DefautTrame::Illisible ? ResultatChargement::Absent
                                                          : ResultatChargement::Malforme;
    }
    return ChargeTrameLue(o, *lu.trame, fichier);
}

std::string NomProposeTrame(const Orvelle& o) {
    std::string nom = o.trame.FicTrame;
    if (nom.empty()) {
        const std::string image = o.images.cheminImage;
        nom = NomFichierImage(image);
    }
    if (nom.empty()) nom = "mesures.";
    return nom.substr(0, nom.find('.')) + kExtension;
}

std::optional<std::string> FichierDuTravail(const Orvelle& o) {
    if (o.trame.chemin.empty()) return std::nullopt;
    std::error_code e;
    // The work's file itself, where it still is (a folder gone asks again).
    if (!fs::is_directory(fs::path(o.trame.chemin).parent_path(), e)) return std::nullopt;
    return o.trame.chemin;
}

namespace {

// The file is written and becomes the work's; the status bar says where.
bool EcritTravail(Orvelle& o, const std::string& chemin) {
    if (!SauveTrame(o, chemin)) return false;
    NoteRecent(o, GenreRecent::Trame, chemin);
    o.ui.Statut(o.textes.Mnu(mnu::TrameEnregistree) + NomAffichable(chemin));
    return true;
}

} // namespace

bool SauverTrameSous(Orvelle& o) {
    const auto& t = o.textes;
    const std::string filtre =
        std::string("*") + kExtension + "|*" + kExtension + "|" + t.Msg(kMsgTousFichiers);
    // The work's own file is proposed (its folder and name); a new work, a
    // name in the folder last used for works.
    const std::string propose =
        FichierDuTravail(o).value_or((fs::path(DossierTravaux(o)) / NomProposeTrame(o)).string());
    const auto choisi =
        o.plateforme.ChoisitFichierAEnregistrer(Titre(o, Controle::SauverTrame), filtre, propose);
    if (!choisi || choisi->empty()) return false;
    std::string chemin = *choisi;
    if (!AUneExtension(chemin)) chemin += kExtension;
    NoteDossierTravaux(o, chemin);
    if (FichierExiste(chemin) &&
        !o.plateforme.QuestionOKAnnuler(t.Msg(kMsgEcraser), NomAffichable(chemin), Icone::Question))
        return false;
    return EcritTravail(o, chemin);
}

bool SauverTrame(Orvelle& o) {
    // A work read from or saved to a file goes back to that file.
    if (const auto fichier = FichierDuTravail(o)) return EcritTravail(o, *fichier);
    return SauverTrameSous(o);
}

bool RemplacementAccepte(Orvelle& o) {
    const auto& t = o.textes;
    const auto& m = o.mesure;
    return m.Etape + m.LigneCourante <= 2 ||
           o.plateforme.QuestionOuiNon(t.Msg(kMsgTableOccupee) + std::string(FinDeLigne) +
                                           t.Msg(kMsgContinuer),
                                       t.Mnu(mnu::Attention), Icone::Information);
}

void ChargerTrame(Orvelle& o) {
    if (!RemplacementAccepte(o)) return;
    // The grid is only replaced by a file read whole: a cancelled dialog or a
    // refused file leaves the work as it was.
    const std::string filtre = std::string("*") + kExtension + "|*" + kExtension;
    const auto choisi = o.plateforme.ChoisitFichierAOuvrir(Titre(o, Controle::ChargerTrame), filtre,
                                                           DossierTravaux(o));
    if (!choisi || choisi->empty()) return;
    NoteDossierTravaux(o, *choisi);
    OuvreTrame(o, *choisi);
}

bool OuvreTrame(Orvelle& o, const std::string& chemin) {
    if (ChargeTrame(o, chemin) != ResultatChargement::Charge) return false;
    NoteRecent(o, GenreRecent::Trame, chemin);
    GroupeVide(o.calibrage.groupe);
    AfficheListeImages(o);
    const auto& liste = o.images.chargeur.ListIMGchar;
    // A missing first image was said already: the default picture is shown
    // rather than the former image under the new work.
    if (!liste.empty() && FichierExiste(liste.front())) {
        // The picture as the measures were taken: with the marks of its lines.
        if (MontreEmplacement(o, 0)) RetraceImageMontree(o);
    } else {
        AfficheImageParDefaut(o);
    }
    return true;
}

void MajGrille(Orvelle& o) {
    if (MesureEnCours(o.mesure)) {
        RefuseMesureEnCours(o.ui);
        return;
    }
    // The work as a grid file holds it, replayed: every line recomputed from
    // its points with the factors and the mode in force now.
    o.calibrage.CalibrageImage[0] = o.calibrage.CoefCalibrage;
    const Trame travail = ConstruitTrame(o);
    // The lines stay the lines they were: they keep the marks they drew.
    std::vector<std::vector<MarqueTrace>> marques;
    for (const auto& t : o.mesure.TraceLignes) marques.push_back(t.marques);
    AnnonceBilan(o, RemplaceParTrame(o, travail));
    auto& traces = o.mesure.TraceLignes;
    for (size_t l = 1; l < traces.size() && static_cast<int>(l) < o.mesure.LigneCourante; ++l)
        traces[l].marques = std::move(marques[l]);
}

void CommandeTrame(Orvelle& o, Controle c) {
    switch (c) {
    case Controle::SauverTrame:
        SauverTrame(o);
        return;
    case Controle::SauverTrameSous:
        SauverTrameSous(o);
        return;
    case Controle::ChargerTrame:
        ChargerTrame(o);
        return;
    case Controle::MajGrille:
        MajGrille(o);
        return;
    default:
        return;
    }
}

} // namespace orv
