#include "images/Repertoire.h"

#include "base/Texte.h"
#include "images/Chargeur.h"
#include "interface/Messages.h"

#include <algorithm>

namespace orv {

namespace {

using C = Controle;

// The folder that holds `dossier` ("/" for a folder of the root).
std::string Parent(const std::string& dossier) {
    const auto p = dossier.find_last_of('/');
    if (p == std::string::npos || p == 0) return "/";
    return dossier.substr(0, p);
}

std::string Joint(const std::string& dossier, const std::string& nom) {
    return dossier.empty() || dossier.back() == '/' ? dossier + nom : dossier + "/" + nom;
}

// The drive whose path holds `dossier` most closely.
int LecteurDe(const EtatRepertoire& r, const std::string& dossier) {
    int choisi = -1;
    std::size_t longueur = 0;
    for (std::size_t i = 0; i < r.lecteurs.size(); ++i) {
        const std::string& c = r.lecteurs[i].chemin;
        const bool tient =
            dossier == c || c == "/" ||
            (dossier.starts_with(c) && dossier.size() > c.size() && dossier[c.size()] == '/');
        if (tient && c.size() >= longueur) {
            choisi = static_cast<int>(i);
            longueur = c.size();
        }
    }
    return choisi;
}

// Moves the folder list to `dossier`; false (nothing changed) when it cannot be read.
bool ListeDossier(Interface& ui, EtatRepertoire& r, const std::string& dossier) {
    auto sous = ui.plateforme.ContenuDossier(dossier, true);
    if (!sous) return false;
    std::erase_if(*sous, [](const std::string& n) { return n.starts_with("."); });
    std::sort(sous->begin(), sous->end());
    r.dossier = dossier;
    r.dossierChoisi = dossier;
    r.sousDossiers = std::move(*sous);
    r.lecteur = LecteurDe(r, dossier);
    ++r.version;
    ui.controles.Texte(C::TexteRepertoire, dossier);
    return true;
}

} // namespace

bool EstFichierImage(const std::string& nom) {
    const auto point = nom.find_last_of('.');
    if (point == std::string::npos) return false;
    const std::string ext = Majuscules(nom.substr(point + 1));
    for (const char* e : {"JPG", "JPEG", "BMP", "GIF", "ICO", "DIB", "PNG", "TIF", "TIFF"})
        if (ext == e) return true;
    return false;
}

std::vector<std::string> FichiersImages(Plateforme& p, const std::string& dossier) {
    auto noms = p.ContenuDossier(dossier, false);
    if (!noms) return {};
    std::erase_if(*noms, [](const std::string& n) { return !EstFichierImage(n); });
    std::sort(noms->begin(), noms->end());
    return *noms;
}

void MontreVueRepertoire(Interface& ui, EtatRepertoire& r, VueRepertoire vue,
                         const std::string& repImage, const std::vector<int>& inutilisees,
                         const std::vector<std::string>& noms) {
    auto& c = ui.controles;
    r.vue = vue;
    r.selection.clear();
    r.inutilisees.clear();
    r.ListRep.clear();
    const bool dossiers = vue == VueRepertoire::Dossiers;
    c.Visible(C::ListeDossiers, dossiers);
    c.Visible(C::ListeLecteurs, dossiers);
    c.Visible(C::ListeRepertoire, !dossiers);
    c.Texte(C::RepertoireFermer, ui.textes.MnuStat(mnustat::Fermer));
    switch (vue) {
    case VueRepertoire::Fichiers:
        c.Texte(C::CadreRepertoire, ui.Mnu(mnu::AjouterBloc));
        c.Texte(C::RepertoireCharger, ui.Mnu(mnu::Ajouter));
        c.Texte(C::RepertoireChoisir, ui.Mnu(mnu::Repertoire));
        c.Visible(C::RepertoireChoisir, true);
        r.ListRep = FichiersImages(ui.plateforme, repImage);
        c.Texte(C::TexteRepertoire, repImage);
        break;
    case VueRepertoire::Inutilisees:
        c.Texte(C::CadreRepertoire, ui.Mnu(mnu::ImagesInutilisees));
        c.Texte(C::RepertoireCharger, ui.Mnu(mnu::Effacer));
        c.Texte(C::RepertoireChoisir, "");
        c.Visible(C::RepertoireChoisir, false);
        for (int k : inutilisees)
            if (k >= 1 && k <= static_cast<int>(noms.size())) {
                r.inutilisees.push_back(k);
                r.ListRep.push_back(std::to_string(k) + " : " +
                                    NomFichierImage(noms[static_cast<std::size_t>(k - 1)]));
            }
        c.Texte(C::TexteRepertoire, "");
        break;
    case VueRepertoire::Dossiers:
        c.Texte(C::CadreRepertoire, ui.Mnu(mnu::Repertoire) + ui.Mnu(mnu::Image));
        c.Texte(C::RepertoireCharger, ui.Mnu(mnu::Valider));
        c.Visible(C::RepertoireChoisir, false);
        r.lecteurs = ui.plateforme.Lecteurs();
        // The image folder gone since: the list opens on the first drive.
        if (!ListeDossier(ui, r, repImage) &&
            (r.lecteurs.empty() || !ListeDossier(ui, r, r.lecteurs.front().chemin)))
            c.Texte(C::TexteRepertoire, repImage);
        break;
    }
    c.Visible(C::RepertoireCharger, true);
    c.Visible(C::CadreRepertoire, true);
    ++r.version;
}

void FermeRepertoire(Interface& ui, EtatRepertoire& r) {
    ui.controles.Visible(C::CadreRepertoire, false);
    r.selection.clear();
    ++r.version;
}

std::vector<std::string> CheminsChoisis(const EtatRepertoire& r, const std::string& repImage) {
    std::vector<std::string> chemins;
    if (r.vue != VueRepertoire::Fichiers) return chemins;
    for (int i : r.selection)
        if (i >= 0 && i < static_cast<int>(r.ListRep.size()))
            chemins.push_back(Joint(repImage, r.ListRep[static_cast<std::size_t>(i)]));
    return chemins;
}

std::vector<int> EmplacementsChoisis(const EtatRepertoire& r) {
    std::vector<int> slots;
    if (r.vue != VueRepertoire::Inutilisees) return slots;
    for (int i : r.selection)
        if (i >= 0 && i < static_cast<int>(r.inutilisees.size()))
            slots.push_back(r.inutilisees[static_cast<std::size_t>(i)]);
    return slots;
}

void ChangeLecteur(Interface& ui, EtatRepertoire& r, int index) {
    if (index < 0 || index >= static_cast<int>(r.lecteurs.size())) return;
    if (!ListeDossier(ui, r, r.lecteurs[static_cast<std::size_t>(index)].chemin)) {
        ui.plateforme.Message(ui.Mnu(mnu::LecteurInconnu) + " : " +
                                  r.lecteurs[static_cast<std::size_t>(index)].nom,
                              {}, Icone::Exclamation);
        ++r.version; // the drive list shows the drive of the folder list again
    }
}

void ClicDossier(Interface& ui, EtatRepertoire& r, int index) {
    if (index >= static_cast<int>(r.sousDossiers.size())) return;
    r.dossierChoisi = index < 0 ? Parent(r.dossier)
                                : Joint(r.dossier, r.sousDossiers[static_cast<size_t>(index)]);
    ui.controles.Texte(C::TexteRepertoire, r.dossierChoisi);
}

void OuvreDossier(Interface& ui, EtatRepertoire& r, int index) {
    ClicDossier(ui, r, index);
    const std::string choisi = r.dossierChoisi;
    if (!ListeDossier(ui, r, choisi))
        ui.plateforme.Message(ui.Msg(msg::ErreurFichier) + " : " + choisi, {}, Icone::Exclamation);
}

void SelectionneFichiers(Interface& ui, EtatRepertoire& r, const std::string& repImage, int clique,
                         std::vector<int> lignes) {
    const int n = static_cast<int>(r.ListRep.size());
    std::erase_if(lignes, [n](int i) { return i < 0 || i >= n; });
    std::sort(lignes.begin(), lignes.end());
    lignes.erase(std::unique(lignes.begin(), lignes.end()), lignes.end());
    r.selection = std::move(lignes);
    if (r.vue == VueRepertoire::Fichiers && clique >= 0 && clique < n)
        ui.controles.Texte(C::TexteRepertoire,
                           Joint(repImage, r.ListRep[static_cast<std::size_t>(clique)]));
}

} // namespace orv
