#include "images/Chargeur.h"

#include "base/FichierTexte.h"
#include "base/Texte.h"
#include "images/DIBSection.h"
#include "images/EnteteImage.h"
#include "interface/Messages.h"

#include <algorithm>

namespace orv {

namespace {

constexpr std::uint32_t kCouleurRefus = 0xC0C0FF;
constexpr std::uint32_t kCouleurAvis = 0x80FFFF;
constexpr int kDelaiFlash = 2;
constexpr int kToucheEchap = 27;

int Nombre(const EtatChargeur& ch) {
    return static_cast<int>(ch.ListIMGchar.size());
}

void RefuseChargement(Interface& ui, const std::string& chemin, const std::string& raison) {
    ui.plateforme.Message(ui.Msg(msg::ChargementImage) + NomAffichable(chemin) +
                              (raison.empty() ? std::string() : std::string(FinDeLigne) + raison),
                          {}, Icone::Exclamation);
}

} // namespace

std::string NomFichierImage(const std::string& chemin) {
    const auto p = chemin.find_last_of("/\\");
    return p == std::string::npos ? chemin : chemin.substr(p + 1);
}

void RefuseMesureEnCours(Interface& ui) {
    ui.plateforme.Flash(kCouleurRefus, ui.Msg(msg::MesureInachevee), kDelaiFlash);
}

std::string FiltreImages(const Interface& ui) {
    // The pictures the program reads beyond the classic list: PNG and TIFF.
    auto parties = Decoupe(ui.Msg(msg::FiltreImages), '|');
    if (parties.size() >= 2) {
        std::string& motifs = parties[1];
        for (const char* m : {"*.jpeg", "*.png", "*.tif", "*.tiff"}) {
            std::string liste = ";" + motifs + ";";
            std::replace(liste.begin(), liste.end(), ',', ';');
            if (liste.find(";" + std::string(m) + ";") == std::string::npos)
                motifs += ";" + std::string(m);
        }
    }
    std::string filtre;
    for (const auto& p : parties) filtre += (filtre.empty() ? "" : "|") + p;
    filtre += "|PNG (*.png)|*.png|TIFF (*.tif;*.tiff)|*.tif;*.tiff";
    const std::string& tous = ui.Msg(msg::TousFichiers);
    if (!tous.empty()) filtre += "|" + tous;
    return filtre;
}

std::string CheminImageParDefaut(const std::string& dossierProgramme,
                                 const std::string& dossierDonnees, const std::string& langue) {
    // The picture's help is written in the current language when there is one.
    for (const std::string& nom : {"defaut_" + langue + ".png", std::string("defaut.png")})
        for (const auto& dossier : {dossierProgramme, dossierDonnees}) {
            if (dossier.empty()) continue;
            const std::string chemin = dossier + "/exemples/" + nom;
            if (FichierExiste(chemin)) return chemin;
        }
    return {};
}

TailleImage TailleImageParDefaut(Plateforme& p, const std::string& chemin, int memoireImageMo) {
    if (chemin.empty()) return {};
    const auto t = p.LitTailleImage(chemin);
    if (!t || RefusBudgetImage(t->largeur, t->hauteur, memoireImageMo)) return {};
    return *t;
}

std::optional<TailleImage> TailleImageAcceptee(Interface& ui, const std::string& chemin,
                                               int memoireImageMo) {
    // A FIFO or a device named as a picture is never opened: reading it could
    // block for ever.
    if (PasFichierOrdinaire(chemin)) {
        RefuseChargement(ui, chemin,
                         NomFichierImage(NomAffichable(chemin)) + ui.Mnu(mnu::PasFichierOrdinaire));
        return std::nullopt;
    }
    const auto taille = ui.plateforme.LitTailleImage(chemin);
    if (!taille) {
        RefuseChargement(ui, chemin, ui.Mnu(mnu::PasUneImage));
        return std::nullopt;
    }
    if (auto refus = RefusBudgetImage(taille->largeur, taille->hauteur, memoireImageMo,
                                      ui.Mnu(mnu::ImageTropGrande))) {
        RefuseChargement(ui, chemin, *refus);
        return std::nullopt;
    }
    return taille;
}

void RefuseImage(Interface& ui, const std::string& chemin, const std::string& raison) {
    RefuseChargement(ui, chemin, raison.empty() ? ui.Mnu(mnu::PasUneImage) : raison);
}

void ImageIncompleteAffichee(Interface& ui, const std::string& chemin) {
    ui.plateforme.Message(chemin + std::string(FinDeLigne) + ui.Mnu(mnu::ImageIncomplete), {},
                          Icone::Exclamation);
}

void VerifieDimension(Interface& ui, EtatChargeur& ch, TailleImage taille) {
    auto& premiere = ch.premiereImage;
    if (!premiere) {
        premiere = taille;
        return;
    }
    // The width matters as much as the height: pixel units are a fraction of it.
    if (taille.largeur != premiere->largeur || taille.hauteur != premiere->hauteur)
        ui.plateforme.Flash(kCouleurAvis, ui.Msg(msg::DimensionDifferente), kDelaiFlash);
}

void LegendesImage(Interface& ui, const std::string& chemin, TailleImage taille) {
    auto& c = ui.controles;
    c.Texte(Controle::NomFichierImage, NomAffichable(chemin));
    c.Texte(Controle::CheminImage, NomAffichable(chemin));
    c.Texte(Controle::LargeurImage, std::to_string(taille.largeur));
    c.Texte(Controle::HauteurImage, std::to_string(taille.hauteur));
}

std::optional<int> IndexChemin(const EtatChargeur& ch, const std::string& chemin) {
    const auto it = std::find(ch.ListIMGchar.begin(), ch.ListIMGchar.end(), chemin);
    if (it == ch.ListIMGchar.end()) return std::nullopt;
    return static_cast<int>(it - ch.ListIMGchar.begin());
}

bool AjouteEmplacement(Interface& ui, EtatChargeur& ch, const std::string& chemin) {
    if (Nombre(ch) >= ImagesMax) {
        ui.plateforme.Message(ui.Mnu(mnu::ChargeurPlein), {}, Icone::Exclamation);
        return false;
    }
    ch.ListIMGchar.push_back(chemin);
    ++ch.version;
    return true;
}

void AfficheListeImages(EtatChargeur& ch, const std::vector<std::string>& chemins) {
    // Rebuilt even while the frame is hidden, so that it never shows a stale list.
    std::vector<std::string> noms;
    for (const auto& chemin : chemins) noms.push_back(NomFichierImage(chemin));
    ch.ListImgAff = std::move(noms);
    ++ch.version;
}

std::vector<int> EmplacementsInutilises(EtatChargeur& ch,
                                        const std::function<bool(int slot)>& utilise) {
    ch.inutilisees.clear();
    for (int k = 1; k <= Nombre(ch); ++k)
        if (!utilise(k)) ch.inutilisees.push_back(k);
    ++ch.version;
    return ch.inutilisees;
}

bool RetireEmplacement(EtatImages& im, int k) {
    auto& ch = im.chargeur;
    if (k < 1 || k > Nombre(ch)) return false;
    ch.ListIMGchar.erase(ch.ListIMGchar.begin() + (k - 1));
    if (ch.selection == k - 1)
        ch.selection = -1;
    else if (ch.selection > k - 1)
        --ch.selection;
    ch.selectionMultiple.clear();
    if (im.IndexImage > k)
        --im.IndexImage;
    else if (im.IndexImage == k)
        im.IndexImage = 0;
    ++ch.version;
    return true;
}

void VideListes(EtatImages& im) {
    auto& ch = im.chargeur;
    ch.ListIMGchar.clear();
    ch.selection = -1;
    ch.selectionMultiple.clear();
    ch.inutilisees.clear();
    ch.ListImgAff.clear();
    im.IndexImage = 0;
    ++ch.version;
}

std::optional<TailleImage> EcritImagePressePapier(Interface& ui, const std::string& chemin) {
    auto& p = ui.plateforme;
    const auto image = p.ImagePressePapier();
    aDIBSection dib;
    if (!image || !dib.CreateFromPicture(*image)) {
        p.Message(ui.Msg(msg::PressePapierVide));
        return std::nullopt;
    }
    if (const auto e = EcritBMP(dib, chemin); !e) {
        p.Message(ui.Msg(msg::ErreurFichier) + " : " + chemin + std::string(FinDeLigne) + e.erreur,
                  {}, Icone::Exclamation);
        return std::nullopt;
    }
    return TailleImage{dib.Width(), dib.Height()};
}

void SelectionneChargeur(EtatChargeur& ch, int index, std::vector<int> multiple) {
    ch.selection = index >= 0 && index < Nombre(ch) ? index : -1;
    std::erase_if(multiple, [&](int i) { return i < 0 || i >= Nombre(ch); });
    std::sort(multiple.begin(), multiple.end());
    multiple.erase(std::unique(multiple.begin(), multiple.end()), multiple.end());
    ch.selectionMultiple = std::move(multiple);
    ++ch.version;
}

void ToucheChargeur(Interface& ui, const EtatChargeur& ch, int codeTouche) {
    if (codeTouche == kToucheEchap) return;
    auto& c = ui.controles;
    c.Texte(Controle::CheminSelection, ch.selection >= 0 && ch.selection < Nombre(ch)
                                           ? ch.ListIMGchar[static_cast<std::size_t>(ch.selection)]
                                           : std::string());
    c.Visible(Controle::CheminSelection, true);
}

void RelacheToucheChargeur(Interface& ui) {
    ui.controles.Visible(Controle::CheminSelection, false);
}

} // namespace orv
