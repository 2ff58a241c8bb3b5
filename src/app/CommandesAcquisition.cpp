#include "app/CommandesAcquisition.h"

#include "app/CommandesImages.h"
#include "app/Dossiers.h"
#include "base/FichierTexte.h"
#include "base/Texte.h"
#include "images/Chargeur.h"
#include "images/DIBSection.h"
#include "interface/Messages.h"

#include <filesystem>

namespace orv {

namespace {

namespace fs = std::filesystem;

constexpr const char* kExtension = ".bmp";

void Etat(Orvelle& o, const std::string& texte) {
    o.controles.Texte(Controle::BarreEtat, texte);
}

// The shared save dialog: the proposed name in the image folder, "*.bmp" and
// every file, ".bmp" added to a name without extension, and the OK/Cancel
// question before an existing file is replaced.
std::optional<std::string> ChoisitCheminBMP(Orvelle& o, Controle commande,
                                            const std::string& nomPropose) {
    const auto& t = o.textes;
    const std::string filtre =
        std::string("*") + kExtension + "|*" + kExtension + "|" + t.Msg(msg::TousFichiers);
    const std::string propose = (fs::path(DossierImages(o)) / nomPropose).string();
    const auto choisi =
        o.plateforme.ChoisitFichierAEnregistrer(o.controles.Texte(commande), filtre, propose);
    if (!choisi || choisi->empty()) return std::nullopt;
    std::string chemin = *choisi;
    if (fs::path(chemin).extension().empty()) chemin += kExtension;
    if (FichierExiste(chemin) &&
        !o.plateforme.QuestionOKAnnuler(t.Msg(msg::Ecraser), chemin, Icone::Question))
        return std::nullopt;
    return chemin;
}

bool EcritImage(Orvelle& o, const PixelsImage& image, const std::string& chemin) {
    const Ecriture e = EcritImageAcquise(image, chemin);
    if (!e)
        o.plateforme.Message(o.textes.Msg(msg::ErreurFichier) + " : " + e.erreur, {},
                             Icone::Exclamation);
    return static_cast<bool>(e);
}

} // namespace

Ecriture EcritImageAcquise(const PixelsImage& image, const std::string& chemin) {
    aDIBSection dib;
    if (!dib.CreateFromPicture(image)) return {false, chemin};
    return EcritBMP(dib, chemin);
}

bool AcquisitionPermise(Orvelle& o) {
    if (!MesureEnCours(o.mesure)) return true;
    RefuseMesureEnCours(o.ui);
    return false;
}

bool FinAcquisition(Orvelle& o, IssueAcquisition issue, const std::string& erreur,
                    const std::string& chemin) {
    switch (issue) {
    case IssueAcquisition::Reussie:
        return AjouteChemin(o, chemin);
    case IssueAcquisition::EcritureImpossible:
        o.plateforme.Message(o.textes.Mnu(mnu::AcquisitionNonEcrite) + std::string(FinDeLigne) +
                                 erreur,
                             {}, Icone::Exclamation);
        return false;
    case IssueAcquisition::AucuneSource:
        Etat(o, o.textes.Mnu(mnu::AucuneSource));
        return false;
    case IssueAcquisition::Annulee:
    case IssueAcquisition::Echec:
        if (!erreur.empty()) Etat(o, erreur);
        return false;
    }
    return false;
}

bool SauveImage(Orvelle& o, ImageASauver quoi, PrisesDeVue& prises) {
    const bool sansMarques = quoi == ImageASauver::Image;
    const Controle commande =
        sansMarques ? Controle::AcquisitionSauverImage : Controle::AcquisitionSauverVue;
    std::optional<PixelsImage> image;
    if (sansMarques) {
        const std::string source =
            o.images.cheminImage.empty() ? CheminImageParDefaut(o) : o.images.cheminImage;
        image = o.plateforme.LitPixelsImage(source);
        if (!image) {
            o.plateforme.Message(o.textes.Msg(msg::ChargementImage) + source, {},
                                 Icone::Exclamation);
            return false;
        }
    } else {
        image = prises.VueDessinee();
        if (!image) return false;
    }
    const std::string nom = std::string(FichierTwain);
    const auto chemin =
        ChoisitCheminBMP(o, commande, "Twain_" + nom.substr(0, nom.find('.')) + kExtension);
    return chemin && EcritImage(o, *image, *chemin);
}

bool CopieEcran(Orvelle& o, PrisesDeVue& prises, const std::string& base) {
    // The picture is taken before the dialog opens, so that the dialog is not
    // in it and a refused screen is said before a name is asked.
    std::optional<PixelsImage> image;
    if (o.fenetre.copieEcranEntier) {
        image = prises.Ecran();
        if (!image) {
            if (!o.plateforme.QuestionOuiNon(o.textes.Mnu(mnu::EcranRefuse))) return false;
            image = prises.VueDessinee();
        }
    } else {
        image = prises.VueDessinee();
    }
    if (!image) return false;
    std::string nom = base;
    if (nom.empty()) {
        nom = NomFichierImage(o.images.cheminImage);
        nom = nom.substr(0, nom.find('.'));
    } else {
        nom = nom.substr(0, nom.find('.'));
    }
    const auto chemin = ChoisitCheminBMP(o, Controle::OutilCopieEcran, "ecran_" + nom + kExtension);
    return chemin && EcritImage(o, *image, *chemin);
}

void CommandeCopieEcran(Orvelle& o, Controle c) {
    if (c != Controle::CopieEcranEcran && c != Controle::CopieEcranZoneTravail) return;
    o.fenetre.copieEcranEntier = c == Controle::CopieEcranEcran;
    o.controles.CocheSeul(c);
    return;
}

} // namespace orv
