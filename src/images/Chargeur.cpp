#include "images/Chargeur.h"

#include "app/Orvelle.h"
#include "base/FichierTexte.h"
#include "base/Nombres.h"
#include "base/Texte.h"
#include "calibration/Calibrage.h"
#include "calibration/GroupeImages.h"
#include "images/ChercheSpore.h"
#include "images/CommandesVue.h"
#include "images/CopieReferencee.h"
#include "images/DIBSection.h"
#include "images/EnteteImage.h"
#include "interface/Messages.h"
#include "measure/Grille.h"
#include "measure/Marques.h"

#include <algorithm>

namespace orv {

namespace {

// Message numbers of the text table.
constexpr int kMsgDimension = 75;
constexpr int kMsgPressePapierVide = 76;
constexpr int kMsgFiltreImages = 128;
constexpr int kMsgErreurFichier = 144;
constexpr int kMsgChargement = 157;
constexpr int kMsgTousFichiers = 159;
constexpr int kMsgMesureInachevee = 178;
constexpr int kMsgListeImages = 189;
constexpr int kMsgEffacer = 190;
// Menu texts: the status line of the folder browser's two modes.
constexpr int kMnuAjouterBloc = 2;
constexpr int kMnuSupprimerInutiles = 25;

constexpr std::uint32_t kCouleurRefus = 0xC0C0FF;
constexpr std::uint32_t kCouleurAvis = 0x80FFFF;
constexpr int kDelaiFlash = 2;
constexpr int kToucheEchap = 27;

void Notifie(Orvelle& o) {
    ++o.chargeur.version;
    if (o.chargeur.surChangement) o.chargeur.surChangement();
}

int Nombre(const EtatChargeur& ch) {
    return static_cast<int>(ch.ListIMGchar.size());
}

std::string DossierProgramme(const Orvelle& o) {
    return o.REPPROG.empty() ? o.dossierProgramme : o.REPPROG;
}

void RefuseChargement(Orvelle& o, const std::string& chemin, const std::string& raison = {}) {
    o.plateforme.Message(o.textes.Msg(kMsgChargement) + chemin +
                             (raison.empty() ? std::string() : std::string(FinDeLigne) + raison),
                         {}, Icone::Exclamation);
}

// The grid lines whose image number counts: 1 .. the current line.
int DerniereLigne(const Orvelle& o) {
    return std::min({o.mesure.LigneCourante, o.GrilleRef.Lignes() - 1, LignesMax + 1});
}

int ColonneImage(const Orvelle& o) {
    return o.GrilleRef.Colonnes() - 2;
}

bool SlotUtilise(const Orvelle& o, int k) {
    const int col = ColonneImage(o);
    for (int l = 1; l <= DerniereLigne(o); ++l) {
        if (o.mesure.TraceLignes[static_cast<std::size_t>(l)].image == k) return true;
        if (col >= 1) {
            const auto n = LitEntierStrict(o.GrilleRef.Texte(l, col));
            if (n && *n == k) return true;
        }
    }
    return false;
}

void MontreListe(Orvelle& o) {
    o.controles.Visible(Controle::CadreChargeur, true);
    aff_liste_images(o);
}

} // namespace

std::string NomFichierImage(const std::string& chemin) {
    const auto p = chemin.find_last_of("/\\");
    return p == std::string::npos ? chemin : chemin.substr(p + 1);
}

bool MesureEnCours(const Orvelle& o) {
    return o.mesure.Etape >= 2;
}

void RefuseMesureEnCours(Orvelle& o) {
    o.plateforme.Flash(kCouleurRefus, o.textes.Msg(kMsgMesureInachevee), kDelaiFlash);
}

std::string FiltreImages(const Orvelle& o) {
    // The pictures the program reads beyond the classic list: PNG and TIFF.
    auto parties = Decoupe(o.textes.Msg(kMsgFiltreImages), '|');
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
    const std::string& tous = o.textes.Msg(kMsgTousFichiers);
    if (!tous.empty()) filtre += "|" + tous;
    return filtre;
}

std::string CheminImageParDefaut(const Orvelle& o) {
    // The picture's help is written in the current language when there is one.
    for (const std::string& nom :
         {"defaut_" + o.parametres.langue + ".png", std::string("defaut.png")})
        for (const auto& dossier : {DossierProgramme(o), o.dossierDonnees}) {
            if (dossier.empty()) continue;
            const std::string chemin = dossier + "/exemples/" + nom;
            if (FichierExiste(chemin)) return chemin;
        }
    return {};
}

std::optional<TailleImage> TailleImageAcceptee(Orvelle& o, const std::string& chemin) {
    const auto taille = o.plateforme.LitTailleImage(chemin);
    if (!taille) {
        RefuseChargement(o, chemin, o.textes.Mnu(mnu::PasUneImage));
        return std::nullopt;
    }
    if (auto refus =
            RefusBudgetImage(taille->largeur, taille->hauteur, o.parametres.memoireImageMo)) {
        RefuseChargement(o, chemin, *refus);
        return std::nullopt;
    }
    return taille;
}

void EchecChargementImage(Orvelle& o, const std::string& chemin, const std::string& raison) {
    RefuseChargement(o, chemin, raison.empty() ? o.textes.Mnu(mnu::PasUneImage) : raison);
    auto& ch = o.chargeur;
    const auto it = std::find(ch.ListIMGchar.begin(), ch.ListIMGchar.end(), chemin);
    if (it != ch.ListIMGchar.end()) {
        const int slot = static_cast<int>(it - ch.ListIMGchar.begin()) + 1;
        if (!SlotUtilise(o, slot)) RepEffaceLigne(o, slot);
    }
    if (o.cheminImage == chemin) AfficheImageParDefaut(o);
}

void ImageIncompleteAffichee(Orvelle& o, const std::string& chemin) {
    o.plateforme.Message(chemin + std::string(FinDeLigne) + o.textes.Mnu(mnu::ImageIncomplete), {},
                         Icone::Exclamation);
}

void AfficheImageParDefaut(Orvelle& o) {
    const std::string chemin = CheminImageParDefaut(o);
    TailleImage taille;
    if (!chemin.empty())
        if (auto t = o.plateforme.LitTailleImage(chemin);
            t && !RefusBudgetImage(t->largeur, t->hauteur, o.parametres.memoireImageMo))
            taille = *t;
    o.IndexImage = 0;
    AfficheNouvelleImage(o, {}, taille);
    o.vue.FixeOrigine(0, 0);
    AfficheVue(o);
}

bool appel_img_listchar(Orvelle& o, const std::string& chemin) {
    auto& c = o.controles;
    const auto taille = TailleImageAcceptee(o, chemin);
    if (!taille) return false;
    // The slot and its factor first: the new view draws the marks of that slot.
    o.IndexImage = o.chargeur.selection + 1;
    MontreCalibrageImage(o);
    AfficheNouvelleImage(o, chemin, *taille);
    c.Texte(Controle::NomFichierImage, chemin);
    c.Texte(Controle::CheminImage, chemin);
    c.Texte(Controle::LargeurImage, std::to_string(taille->largeur));
    c.Texte(Controle::HauteurImage, std::to_string(taille->hauteur));
    // The marks of the slot came back with the new view when automatic redraw is on.
    AppliqueResolution(o);
    return true;
}

bool MontreEmplacement(Orvelle& o, int index) {
    auto& ch = o.chargeur;
    if (index < 0 || index >= Nombre(ch)) return false;
    SelectionneChargeur(o, index);
    return appel_img_listchar(o, ch.ListIMGchar[static_cast<std::size_t>(index)]);
}

bool AjouteChemin(Orvelle& o, const std::string& chemin) {
    auto& ch = o.chargeur;
    // A picture that cannot be shown takes no slot.
    if (!TailleImageAcceptee(o, chemin)) return false;
    const auto it = std::find(ch.ListIMGchar.begin(), ch.ListIMGchar.end(), chemin);
    if (it != ch.ListIMGchar.end())
        return MontreEmplacement(o, static_cast<int>(it - ch.ListIMGchar.begin()));
    if (Nombre(ch) >= ImagesMax) {
        o.plateforme.Message(o.textes.Mnu(mnu::ChargeurPlein), {}, Icone::Exclamation);
        return false;
    }
    ch.ListIMGchar.push_back(chemin);
    const int slot = Nombre(ch);
    CalibrageNouvelleImage(o, slot);
    SelectionneChargeur(o, slot - 1);
    const bool ok = appel_img_listchar(o, chemin);
    MontreListe(o);
    return ok;
}

bool AjouteImageTwain(Orvelle& o) {
    return AjouteChemin(o, DossierProgramme(o) + "/" + FichierTwain);
}

void aff_liste_images(Orvelle& o) {
    auto& ch = o.chargeur;
    // Rebuilt even while the frame is hidden, so that it never shows a stale list.
    const auto& source = o.ModeGroupe ? o.groupe.ListImgMC : ch.ListIMGchar;
    ch.ListImgAff.clear();
    for (const auto& chemin : source) ch.ListImgAff.push_back(NomFichierImage(chemin));
    Notifie(o);
}

std::vector<int> AffListeImgUT(Orvelle& o) {
    auto& ch = o.chargeur;
    ch.inutilisees.clear();
    for (int k = 1; k <= Nombre(ch); ++k)
        if (!SlotUtilise(o, k)) ch.inutilisees.push_back(k);
    Notifie(o);
    return ch.inutilisees;
}

bool RepEffaceLigne(Orvelle& o, int k) {
    auto& ch = o.chargeur;
    const int n = Nombre(ch);
    if (k < 1 || k > n) return false;

    // The grid lines and their mark records follow the slots that move down.
    const int col = ColonneImage(o);
    for (int l = 1; l <= DerniereLigne(o); ++l) {
        if (col >= 1) {
            const auto num = LitEntierStrict(o.GrilleRef.Texte(l, col));
            if (num && *num > k) o.GrilleRef.FixeTexte(l, col, std::to_string(*num - 1));
        }
        auto& trace = o.mesure.TraceLignes[static_cast<std::size_t>(l)];
        if (trace.image > k) --trace.image;
    }
    // So do their factors, and the slot of the image shown.
    auto& cal = o.CalibrageImage;
    for (int s = k; s < n; ++s)
        cal[static_cast<std::size_t>(s)] = cal[static_cast<std::size_t>(s + 1)];
    if (o.IndexImage > k) {
        --o.IndexImage;
    } else if (o.IndexImage == k) {
        // The image shown has left the loader: it keeps its factor in slot 0.
        o.IndexImage = 0;
        cal[0] = o.CoefCalibrage;
    }

    ch.ListIMGchar.erase(ch.ListIMGchar.begin() + (k - 1));
    if (ch.selection == k - 1)
        ch.selection = -1;
    else if (ch.selection > k - 1)
        --ch.selection;
    ch.selectionMultiple.clear();
    GroupeRetireImage(o, k - 1);

    RafraichitMGrille(o, LigneMiroir(o));
    AffListeImgUT(o);
    aff_liste_images(o);
    return true;
}

int SupprimeImagesInutilisees(Orvelle& o) {
    const auto inutiles = AffListeImgUT(o);
    // From the last one down, so that the numbers still to remove do not move.
    for (auto it = inutiles.rbegin(); it != inutiles.rend(); ++it) RepEffaceLigne(o, *it);
    return static_cast<int>(inutiles.size());
}

void VideChargeur(Orvelle& o) {
    auto& ch = o.chargeur;
    ch.ListIMGchar.clear();
    ch.selection = -1;
    ch.selectionMultiple.clear();
    ch.inutilisees.clear();
    ch.ListImgAff.clear();
    // The image shown is in no slot any more; its factor stays current.
    o.IndexImage = 0;
    o.CalibrageImage[0] = o.CoefCalibrage;
    GroupeVide(o);
    aff_liste_images(o);
}

bool EffaceListeImages(Orvelle& o) {
    const auto& t = o.textes;
    if (!o.plateforme.QuestionOuiNon(t.Msg(kMsgEffacer) + " " + t.Msg(kMsgListeImages) + " ? "))
        return false;
    VideChargeur(o);
    return true;
}

void VerifieDimension(Orvelle& o, TailleImage taille) {
    auto& premiere = o.chargeur.premiereImage;
    if (!premiere) {
        premiere = taille;
        return;
    }
    // The width matters as much as the height: pixel units are a fraction of it.
    if (taille.largeur != premiere->largeur || taille.hauteur != premiere->hauteur)
        o.plateforme.Flash(kCouleurAvis, o.textes.Msg(kMsgDimension), kDelaiFlash);
}

void OuvreImage(Orvelle& o) {
    if (MesureEnCours(o)) {
        RefuseMesureEnCours(o);
        return;
    }
    auto& c = o.controles;
    if (c(Controle::CadreChargeur).visible) c.Visible(Controle::CadreChargeur, false);
    const auto chemin = o.plateforme.ChoisitFichierAOuvrir(c.Texte(Controle::OuvrirImage),
                                                           FiltreImages(o), o.parametres.repImage);
    if (chemin && !chemin->empty()) OuvreCheminImage(o, *chemin);
}

bool OuvreCheminImage(Orvelle& o, const std::string& chemin) {
    if (MesureEnCours(o)) {
        RefuseMesureEnCours(o);
        return false;
    }
    const auto taille = TailleImageAcceptee(o, chemin);
    if (!taille) return false;
    if (!AjouteChemin(o, chemin)) return false;
    VueInitiale(o);
    MontreListe(o);
    VerifieDimension(o, *taille);
    return true;
}

void ChargeImagePressePapier(Orvelle& o) {
    // Another picture under a half-entered measure would mix two images in one line.
    if (MesureEnCours(o)) {
        RefuseMesureEnCours(o);
        return;
    }
    auto& p = o.plateforme;
    const auto image = p.ImagePressePapier();
    aDIBSection dib;
    if (!image || !dib.CreateFromPicture(*image)) {
        p.Message(o.textes.Msg(kMsgPressePapierVide));
        return;
    }
    const std::string chemin = DossierProgramme(o) + "/" + FichierPressePapier;
    if (const auto e = EcritBMP(dib, chemin); !e) {
        p.Message(o.textes.Msg(kMsgErreurFichier) + " : " + chemin + std::string(FinDeLigne) +
                      e.erreur,
                  {}, Icone::Exclamation);
        return;
    }
    // It takes a slot like any opened file, so that its lines keep their image.
    if (!AjouteChemin(o, chemin)) return;
    VerifieDimension(o, {dib.Width(), dib.Height()});
}

void SelectionneChargeur(Orvelle& o, int index, std::vector<int> multiple) {
    auto& ch = o.chargeur;
    ch.selection = index >= 0 && index < Nombre(ch) ? index : -1;
    std::erase_if(multiple, [&](int i) { return i < 0 || i >= Nombre(ch); });
    std::sort(multiple.begin(), multiple.end());
    multiple.erase(std::unique(multiple.begin(), multiple.end()), multiple.end());
    ch.selectionMultiple = std::move(multiple);
    Notifie(o);
}

void DoubleClicChargeur(Orvelle& o, int index) {
    if (MesureEnCours(o)) {
        RefuseMesureEnCours(o);
        return;
    }
    MontreEmplacement(o, index);
}

void ClicListeAffichee(Orvelle& o, int ligne) {
    if (MesureEnCours(o)) {
        RefuseMesureEnCours(o);
        return;
    }
    int index = ligne;
    if (o.ModeGroupe) {
        const auto& idx = o.groupe.ListImgIdx;
        if (ligne < 0 || ligne >= static_cast<int>(idx.size())) return;
        index = idx[static_cast<std::size_t>(ligne)];
    }
    if (MontreEmplacement(o, index)) Retrace(o);
}

void ToucheChargeur(Orvelle& o, int codeTouche) {
    if (codeTouche == kToucheEchap) return;
    const auto& ch = o.chargeur;
    auto& c = o.controles;
    c.Texte(Controle::CheminSelection, ch.selection >= 0 && ch.selection < Nombre(ch)
                                           ? ch.ListIMGchar[static_cast<std::size_t>(ch.selection)]
                                           : std::string());
    c.Visible(Controle::CheminSelection, true);
}

void RelacheToucheChargeur(Orvelle& o) {
    o.controles.Visible(Controle::CheminSelection, false);
}

bool ClicChargeur(Orvelle& o, Controle c) {
    switch (c) {
    case Controle::OuvrirImage:
        OuvreImage(o);
        return true;
    case Controle::ImagePressePapier:
        ChargeImagePressePapier(o);
        return true;
    case Controle::ChargeurAjouter:
    case Controle::ChargeurSupprimer: {
        const int mode = c == Controle::ChargeurAjouter ? 1 : 2;
        o.controles.Texte(Controle::BarreEtat,
                          o.textes.Mnu(mode == 1 ? kMnuAjouterBloc : kMnuSupprimerInutiles));
        if (mode == 2) AffListeImgUT(o);
        if (o.chargeur.ouvreNavigateur) o.chargeur.ouvreNavigateur(o, mode);
        return true;
    }
    case Controle::ChargeurEffacerListe:
        EffaceListeImages(o);
        return true;
    case Controle::CopieEnregistre:
        EnregistreCopieReferencee(o);
        return true;
    case Controle::CopieFerme:
        FermeCopieReferencee(o);
        return true;
    case Controle::Cherche:
        Cherche_spore(o);
        return true;
    default:
        return false;
    }
}

void BrancheChargeur(Orvelle& o) {
    auto& acces = o.groupe.chargeur;
    acces.chemins = [](const Orvelle& x) { return x.chargeur.ListIMGchar; };
    acces.selection = [](const Orvelle& x) {
        const auto& ch = x.chargeur;
        if (!ch.selectionMultiple.empty()) return ch.selectionMultiple;
        return ch.selection >= 0 ? std::vector<int>{ch.selection} : std::vector<int>{};
    };
    acces.montre = [](Orvelle& x, int index) { MontreEmplacement(x, index); };
    acces.rafraichitListe = [](Orvelle& x) { aff_liste_images(x); };
    acces.fermeListe = [](Orvelle& x) { x.controles.Visible(Controle::CadreChargeur, false); };
}

} // namespace orv
