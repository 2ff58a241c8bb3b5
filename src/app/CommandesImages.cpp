#include "app/CommandesImages.h"
#include "calibration/GroupeImages.h"
#include "measure/Grille.h"

#include "app/CommandesCalibrage.h"
#include "app/CommandesMesure.h"
#include "app/CommandesResultats.h"
#include "app/Dossiers.h"
#include "app/RepereTrame.h"
#include "app/TravailRecent.h"
#include "base/Nombres.h"
#include "base/Texte.h"
#include "images/Chargeur.h"
#include "images/CommandesVue.h"
#include "images/CopieReferencee.h"
#include "images/Repertoire.h"
#include "interface/Messages.h"

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {

namespace {

// The grid lines whose image number counts: 1 .. the current line.
int DerniereLigne(const Orvelle& o) {
    return std::min({o.mesure.LigneCourante, o.mesure.GrilleRef.Lignes() - 1, LignesMax + 1});
}

int ColonneImage(const Orvelle& o) {
    return o.mesure.GrilleRef.Colonnes() - 2;
}

bool SlotUtilise(const Orvelle& o, int k) {
    const int col = ColonneImage(o);
    for (int l = 1; l <= DerniereLigne(o); ++l) {
        if (o.mesure.TraceLignes[static_cast<std::size_t>(l)].image == k) return true;
        if (col >= 1) {
            const auto n = LitEntierStrict(o.mesure.GrilleRef.Texte(l, col));
            if (n && *n == k) return true;
        }
    }
    return false;
}

void MontreListe(Orvelle& o) {
    o.controles.Visible(Controle::CadreChargeur, true);
    AfficheListeImages(o);
}

// The commands that would change the picture under a half-entered measure
// wait for its end.
bool Refuse(Orvelle& o) {
    if (!MesureEnCours(o.mesure)) return false;
    RefuseMesureEnCours(o.ui);
    return true;
}

// Counting and density lines keep their point first; the others are centred
// between their first two points.
bool CentreSurPremierPoint(int fonction) {
    return fonction == fonction::Comptage1 || fonction == fonction::Comptage2 ||
           fonction == fonction::Polygone;
}

} // namespace

// A view command of the images rules bumps versionVue when it changed the view:
// the marks follow that new view.
void VueInitiale(Orvelle& o) {
    VueInitiale(o.ui, o.images);
    MarquesImageMontree(o);
}

bool ClicZoom(Orvelle& o, Controle c) {
    const auto vue = o.images.versionVue;
    if (!ClicZoom(o.ui, o.images, c)) return false;
    if (o.images.versionVue != vue)
        MarquesImageMontree(o);
    else if (c == Controle::ZoomPas && o.parametres.autoRetrace)
        RetraceImageMontree(o); // a new step redraws the marks with automatic redraw on
    return true;
}

void ClicVignette(Orvelle& o, double xVignette, double yVignette) {
    const auto vue = o.images.versionVue;
    ClicVignette(o.ui, o.images, xVignette, yVignette);
    if (o.images.versionVue != vue) MarquesImageMontree(o);
}

void RedimensionneBoite(Orvelle& o, int largeurTwips, int hauteurTwips) {
    RedimensionneBoite(o.ui, o.images, largeurTwips, hauteurTwips);
    MarquesImageMontree(o);
}

void AfficheNouvelleImage(Orvelle& o, const std::string& chemin, TailleImage taille) {
    // In image-group mode every picture of the group is seen at the same place.
    AfficheNouvelleImage(o.ui, o.images, chemin, taille, o.calibrage.ModeGroupe);
    MarquesImageMontree(o);
}

std::string CheminImageParDefaut(const Orvelle& o) {
    return CheminImageParDefaut(o.dossierProgramme, o.dossierDonnees, o.parametres.langue);
}

void AfficheImageParDefaut(Orvelle& o) {
    const TailleImage taille =
        TailleImageParDefaut(o.plateforme, CheminImageParDefaut(o), o.parametres.memoireImageMo);
    o.images.IndexImage = 0;
    AfficheNouvelleImage(o.ui, o.images, {}, taille, false); // at the origin, even in a group
    MarquesImageMontree(o);
}

bool MontreImageChargeur(Orvelle& o, const std::string& chemin) {
    const auto taille = TailleImageAcceptee(o.ui, chemin, o.parametres.memoireImageMo);
    if (!taille) return false;
    o.images.precedente =
        EtatImages::ImageMontree{o.images.cheminImage, o.images.IndexImage, o.images.vue};
    // The slot and its factor first: the new view draws the marks of that slot
    // (turned upright first when an older grid file left them as stored).
    RedresseLignesImage(o, chemin);
    o.images.IndexImage = o.images.chargeur.selection + 1;
    MontreCalibrageImage(o);
    AfficheNouvelleImage(o, chemin, *taille);
    LegendesImage(o.ui, chemin, *taille);
    AppliqueResolution(o);
    return true;
}

bool MontreEmplacement(Orvelle& o, int index) {
    auto& ch = o.images.chargeur;
    if (index < 0 || index >= static_cast<int>(ch.ListIMGchar.size())) return false;
    SelectionneChargeur(ch, index);
    return MontreImageChargeur(o, ch.ListIMGchar[static_cast<std::size_t>(index)]);
}

bool AjouteChemin(Orvelle& o, const std::string& chemin) {
    auto& ch = o.images.chargeur;
    // A picture that cannot be shown takes no slot.
    if (!TailleImageAcceptee(o.ui, chemin, o.parametres.memoireImageMo)) return false;
    if (const auto index = IndexChemin(ch, chemin)) return MontreEmplacement(o, *index);
    if (!AjouteEmplacement(o.ui, ch, chemin)) return false;
    const int slot = static_cast<int>(ch.ListIMGchar.size());
    CalibrageNouvelleImage(o.calibrage, slot);
    SelectionneChargeur(ch, slot - 1);
    const bool ok = MontreImageChargeur(o, chemin);
    MontreListe(o);
    return ok;
}

std::string CheminNouvelleAcquisition(const Orvelle& o) {
    // Beside the user's pictures, where the user can keep them; the program
    // folder only when no other can be written.
    std::string dossier = DossierImages(o);
    if (::access(dossier.c_str(), W_OK) != 0) {
        dossier = o.plateforme.DossierUtilisateur(GenreDossier::Images);
        if (dossier.empty() || ::access(dossier.c_str(), W_OK) != 0) dossier = o.dossierProgramme;
    }
    // "ImageTwain_001.bmp", "ImageTwain_002.bmp"...: the first name not taken.
    const std::string nom(FichierTwain);
    const std::string base = nom.substr(0, nom.find('.')), extension = nom.substr(nom.find('.'));
    for (int n = 1;; ++n) {
        std::string numero = std::to_string(n);
        if (numero.size() < 3) numero.insert(0, 3 - numero.size(), '0');
        const std::string chemin = dossier + "/" + base + "_" + numero + extension;
        struct stat st {};
        if (::lstat(chemin.c_str(), &st) != 0) return chemin;
    }
}

void AfficheListeImages(Orvelle& o) {
    auto& ch = o.images.chargeur;
    AfficheListeImages(ch, o.calibrage.ModeGroupe ? o.calibrage.groupe.ListImgMC : ch.ListIMGchar);
}

std::vector<int> EmplacementsInutilises(Orvelle& o) {
    return EmplacementsInutilises(o.images.chargeur, [&](int k) { return SlotUtilise(o, k); });
}

bool RepEffaceLigne(Orvelle& o, int k) {
    const int n = static_cast<int>(o.images.chargeur.ListIMGchar.size());
    if (k < 1 || k > n) return false;

    // The grid lines and their mark records follow the slots that move down.
    const int col = ColonneImage(o);
    for (int l = 1; l <= DerniereLigne(o); ++l) {
        if (col >= 1) {
            const auto num = LitEntierStrict(o.mesure.GrilleRef.Texte(l, col));
            if (num && *num > k) o.mesure.GrilleRef.FixeTexte(l, col, std::to_string(*num - 1));
        }
        auto& trace = o.mesure.TraceLignes[static_cast<std::size_t>(l)];
        if (trace.image > k) --trace.image;
    }
    // So do their factors; the image shown, when it leaves the loader, keeps
    // its factor in slot 0.
    auto& cal = o.calibrage.CalibrageImage;
    for (int s = k; s < n; ++s)
        cal[static_cast<std::size_t>(s)] = cal[static_cast<std::size_t>(s) + 1];
    if (o.images.IndexImage == k) cal[0] = o.calibrage.CoefCalibrage;
    RetireEmplacement(o.images, k);
    GroupeRetireImage(o.calibrage.groupe, k - 1);

    RafraichitMGrille(o.mesure, LigneMiroir(o.mesure));
    EmplacementsInutilises(o);
    AfficheListeImages(o);
    return true;
}

int AjouteCheminsBloc(Orvelle& o, const std::vector<std::string>& chemins) {
    auto& ch = o.images.chargeur;
    int ajoutes = 0, refuses = 0;
    for (const auto& chemin : chemins) {
        if (IndexChemin(ch, chemin)) continue;
        if (static_cast<int>(ch.ListIMGchar.size()) >= ImagesMax) {
            ++refuses;
            continue;
        }
        if (!TailleImageAcceptee(o.ui, chemin, o.parametres.memoireImageMo)) continue;
        ch.ListIMGchar.push_back(chemin);
        ++ch.version;
        CalibrageNouvelleImage(o.calibrage, static_cast<int>(ch.ListIMGchar.size()));
        ++ajoutes;
    }
    if (refuses > 0)
        o.plateforme.Message(o.ui.Mnu(mnu::ChargeurPlein) + std::string(FinDeLigne) +
                                 std::to_string(refuses) + o.ui.Mnu(mnu::ImagesNonAjoutees),
                             {}, Icone::Exclamation);
    MontreListe(o);
    return ajoutes;
}

void SupprimeEmplacements(Orvelle& o, std::vector<int> slots) {
    // From the last one down, so that the numbers still to remove do not move.
    std::sort(slots.begin(), slots.end());
    slots.erase(std::unique(slots.begin(), slots.end()), slots.end());
    for (auto it = slots.rbegin(); it != slots.rend(); ++it)
        if (!SlotUtilise(o, *it)) RepEffaceLigne(o, *it);
}

void VideChargeur(Orvelle& o) {
    VideListes(o.images);
    // The image shown is in no slot any more; its factor stays current.
    o.calibrage.CalibrageImage[0] = o.calibrage.CoefCalibrage;
    GroupeVide(o.calibrage.groupe);
    AfficheListeImages(o);
}

bool EffaceListeImages(Orvelle& o) {
    if (!o.plateforme.QuestionOuiNon(o.ui.Msg(msg::Effacer) + " " + o.ui.Msg(msg::LaListeImages) +
                                     " ? "))
        return false;
    VideChargeur(o);
    return true;
}

void EchecChargementImage(Orvelle& o, const std::string& chemin, const std::string& raison) {
    RefuseImage(o.ui, chemin, raison);
    auto precedente = o.images.precedente;
    o.images.precedente.reset();
    if (const auto index = IndexChemin(o.images.chargeur, chemin))
        if (!SlotUtilise(o, *index + 1)) {
            RepEffaceLigne(o, *index + 1);
            // The slots after it moved down by one.
            if (precedente && precedente->IndexImage > *index + 1) --precedente->IndexImage;
        }
    if (o.images.cheminImage != chemin) return;
    // The picture shown before comes back as it was: its slot (later measures
    // go to it), its factor, its captions, its view.
    if (!precedente || precedente->chemin == chemin || precedente->chemin.empty()) {
        AfficheImageParDefaut(o);
        return;
    }
    o.images.IndexImage = precedente->IndexImage;
    if (precedente->IndexImage > 0)
        SelectionneChargeur(o.images.chargeur, precedente->IndexImage - 1);
    MontreCalibrageImage(o);
    o.images.vue = precedente->vue;
    const TailleImage taille{precedente->vue.LargeurPixels(), precedente->vue.HauteurPixels()};
    AfficheNouvelleImage(o.ui, o.images, precedente->chemin, taille, true);
    MarquesImageMontree(o);
    LegendesImage(o.ui, precedente->chemin, taille);
    AppliqueResolution(o);
}

void OuvreImage(Orvelle& o) {
    if (Refuse(o)) return;
    auto& c = o.controles;
    if (c(Controle::CadreChargeur).visible) c.Visible(Controle::CadreChargeur, false);
    const auto chemin = o.plateforme.ChoisitFichierAOuvrir(c.Texte(Controle::OuvrirImage),
                                                           FiltreImages(o.ui), DossierImages(o));
    if (!chemin || chemin->empty()) return;
    NoteDossierImages(o, *chemin);
    OuvreCheminImage(o, *chemin);
}

bool OuvreCheminImage(Orvelle& o, const std::string& chemin) {
    if (Refuse(o)) return false;
    const auto taille = TailleImageAcceptee(o.ui, chemin, o.parametres.memoireImageMo);
    if (!taille) return false;
    if (!AjouteChemin(o, chemin)) return false;
    VueInitiale(o);
    MontreListe(o);
    VerifieDimension(o.ui, o.images.chargeur, *taille);
    NoteRecent(o, GenreRecent::Image, chemin);
    return true;
}

void ChargeImagePressePapier(Orvelle& o) {
    // Another picture under a half-entered measure would mix two images in one line.
    if (Refuse(o)) return;
    const std::string chemin = o.dossierProgramme + "/" + FichierPressePapier;
    const auto taille = EcritImagePressePapier(o.ui, chemin);
    if (!taille) return;
    // It takes a slot like any opened file, so that its lines keep their image.
    if (!AjouteChemin(o, chemin)) return;
    VerifieDimension(o.ui, o.images.chargeur, *taille);
}

void DoubleClicChargeur(Orvelle& o, int index) {
    if (Refuse(o)) return;
    MontreEmplacement(o, index);
}

void ClicListeAffichee(Orvelle& o, int ligne) {
    if (Refuse(o)) return;
    int index = ligne;
    if (o.calibrage.ModeGroupe) {
        const auto& idx = o.calibrage.groupe.ListImgIdx;
        if (ligne < 0 || ligne >= static_cast<int>(idx.size())) return;
        index = idx[static_cast<std::size_t>(ligne)];
    }
    if (MontreEmplacement(o, index)) RetraceImageMontree(o);
}

void DoubleClicGroupe(Orvelle& o, int ligne) {
    if (const auto index = MontreImageGroupe(o.ui, o.calibrage.groupe, o.mesure.Etape >= 2, ligne))
        MontreEmplacement(o, *index);
}

void Cherche_spore(Orvelle& o) {
    const auto& g = o.mesure.GrilleRef;
    const int ligne = g.LigneCourante();
    if (ligne < 1 || ligne >= g.Lignes() || ligne > LignesMax + 1) return;
    if (g.Texte(ligne, 1).empty()) return; // no measure on that line
    const TraceLigne& trace = o.mesure.TraceLignes[static_cast<std::size_t>(ligne)];

    // 1. The line's own image.
    const int image = trace.image;
    if (image != o.images.IndexImage) {
        const auto& chemins = o.images.chargeur.ListIMGchar;
        const bool present = image >= 1 && image <= static_cast<int>(chemins.size()) &&
                             !chemins[static_cast<std::size_t>(image - 1)].empty();
        if (present) {
            // A file gone since leaves the image shown as it is (said by the loader).
            if (MontreEmplacement(o, image - 1)) RetraceImageMontree(o);
        } else {
            AfficheImageParDefaut(o);
        }
    }
    // 2. The factor of the slot shown.
    MontreCalibrageImage(o);

    // 3-6. The measure at the centre of the box, at its zoom; thumbnail and view drawn again.
    const SegmentTrace& s = trace.segments[1];
    double cx = s.x1, cy = s.y1;
    if (!CentreSurPremierPoint(o.mesure.NumFonction)) {
        cx = (static_cast<double>(s.x1) + s.x2) / 2;
        cy = (static_cast<double>(s.y1) + s.y2) / 2;
    }
    CentreSur(o.ui, o.images, cx, cy, trace.zoom);
    MarquesImageMontree(o);
}

void CommandeChargeur(Orvelle& o, Controle c) {
    switch (c) {
    case Controle::OuvrirImage:
        OuvreImage(o);
        return;
    case Controle::ImagePressePapier:
        ChargeImagePressePapier(o);
        return;
    case Controle::ChargeurEffacerListe:
        EffaceListeImages(o);
        return;
    case Controle::CopieEnregistre:
        EnregistreCopieReferencee(o.ui, o.images, o.parametres.extImg);
        return;
    case Controle::CopieFerme:
        // "Ferme": the next drawing starts again from the plain picture.
        o.annotation.CopieImageChargee = false;
        o.annotation.dessinsCopie.clear();
        FermeCopieReferencee(o.ui, o.images.chargeur);
        return;
    case Controle::Cherche:
        Cherche_spore(o);
        return;
    case Controle::RazTout:
        if (o.plateforme.QuestionOuiNon(o.ui.Msg(msg::Effacer) + " " + o.ui.Msg(msg::LaGrille) +
                                        " & " + o.ui.Msg(msg::LaListeImages) + " ? ")) {
            RAZ_Grille_total(o);
            VideChargeur(o);
            o.trame.FicTrame.clear();
        }
        return;
    case Controle::ImportCSV:
        // The grid replaced by a file's: its image numbers name no loaded image.
        if (ImporteCSV(o)) VideChargeur(o);
        return;
    default:
        return;
    }
}

namespace {

void MontreRepertoire(Orvelle& o, VueRepertoire vue) {
    // The browser opens where pictures were last taken from, never in the
    // program's own folder.
    o.parametres.repImage = DossierImages(o);
    MontreVueRepertoire(o.ui, o.images.repertoire, vue, o.parametres.repImage,
                        EmplacementsInutilises(o), o.images.chargeur.ListIMGchar);
}

} // namespace

void CommandeRepertoire(Orvelle& o, Controle c) {
    auto& r = o.images.repertoire;
    auto& ui = o.ui;
    const bool dossiers = r.vue == VueRepertoire::Dossiers;
    switch (c) {
    case Controle::RepertoireImage:
        r.ModeRep = ModeRepertoire::ChoixDossier;
        ui.Statut(ui.Mnu(mnu::ChoisirLe) + ui.Mnu(mnu::Repertoire) + ui.Mnu(mnu::Image));
        MontreRepertoire(o, VueRepertoire::Dossiers);
        return;
    case Controle::ChargeurAjouter:
        r.ModeRep = ModeRepertoire::Ajout;
        ui.Statut(ui.Mnu(mnu::AjouterBloc));
        MontreRepertoire(o, VueRepertoire::Fichiers);
        return;
    case Controle::ChargeurSupprimer:
        r.ModeRep = ModeRepertoire::Suppression;
        ui.Statut(ui.Mnu(mnu::SupprimerInutiles));
        MontreRepertoire(o, VueRepertoire::Inutilisees);
        return;
    case Controle::RepertoireCharger:
        if (r.ModeRep == ModeRepertoire::Suppression) {
            SupprimeEmplacements(o, EmplacementsChoisis(r));
            MontreRepertoire(o, VueRepertoire::Inutilisees);
        } else if (dossiers) {
            if (!r.dossierChoisi.empty()) o.parametres.repImage = r.dossierChoisi;
            if (r.ModeRep == ModeRepertoire::Ajout)
                MontreRepertoire(o, VueRepertoire::Fichiers);
            else
                FermeRepertoire(ui, r);
        } else {
            AjouteCheminsBloc(o, CheminsChoisis(r, o.parametres.repImage));
        }
        return;
    case Controle::RepertoireChoisir:
        if (r.ModeRep == ModeRepertoire::Ajout) MontreRepertoire(o, VueRepertoire::Dossiers);
        return;
    case Controle::RepertoireFermer:
        if (r.ModeRep == ModeRepertoire::Ajout && dossiers) {
            MontreRepertoire(o, VueRepertoire::Fichiers);
            return;
        }
        if (r.ModeRep == ModeRepertoire::Ajout) o.controles.Visible(Controle::CadreChargeur, false);
        FermeRepertoire(ui, r);
        return;
    default:
        return;
    }
}

} // namespace orv
