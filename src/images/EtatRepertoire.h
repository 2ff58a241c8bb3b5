// The state of the folder browser (FraRep). The operations are in images/Repertoire.h.
#pragma once

#include "platform/Plateforme.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// What the browser was opened for (ModeRep).
enum class ModeRepertoire { ChoixDossier = 0, Ajout = 1, Suppression = 2 };
// What it shows: the folder lists, the pictures of the image folder, the unused images.
enum class VueRepertoire { Dossiers = 0, Fichiers = 1, Inutilisees = 2 };

struct EtatRepertoire {
    ModeRepertoire ModeRep = ModeRepertoire::ChoixDossier;
    VueRepertoire vue = VueRepertoire::Dossiers;
    // RepDrive: the mounted file systems, and the one chosen (-1: none holds the folder).
    std::vector<LecteurMonte> lecteurs;
    int lecteur = -1;
    // RepDir: the folder shown, its subfolders (sorted), the folder chosen in it.
    std::string dossier;
    std::vector<std::string> sousDossiers;
    std::string dossierChoisi;
    // ListRep: picture names of the image folder, or "slot : name" of the unused
    // images; the rows selected, increasing.
    std::vector<std::string> ListRep;
    std::vector<int> inutilisees; // the slot of each row in the removal view
    std::vector<int> selection;
    // Bumped at every change of the lists; the window rebuilds its widgets then.
    std::uint64_t version = 0;
};

} // namespace orv
