// The folder browser (FraRep): choosing the image folder, listing its pictures
// to add a block of them to the loader, and listing the unused images to
// remove them. Its own rules: the three views, the drive and folder lists, the
// pictures a folder holds. What adding or removing does to the loader's slots
// and their factors is the work of the program's image commands, above.
#pragma once

#include "images/EtatRepertoire.h"
#include "interface/Interface.h"

#include <string>
#include <vector>

namespace orv {

// A file name the browser lists: JPG, JPEG, BMP, GIF, ICO, DIB, PNG, TIF or
// TIFF after the last ".", in any case (WMF pictures are not read).
bool EstFichierImage(const std::string& nom);
// The pictures of `dossier`, sorted by name; empty when it cannot be read.
std::vector<std::string> FichiersImages(Plateforme& p, const std::string& dossier);

// MontreVueRepertoire: shows the browser in one of its views. `repImage` is the image
// folder (REPIMAGE); `inutilisees` and `noms` are the unused slots and the
// loader's paths (removal view only).
void MontreVueRepertoire(Interface& ui, EtatRepertoire& r, VueRepertoire vue,
                         const std::string& repImage, const std::vector<int>& inutilisees = {},
                         const std::vector<std::string>& noms = {});
void FermeRepertoire(Interface& ui, EtatRepertoire& r);
// The full paths of the pictures selected in the file list.
std::vector<std::string> CheminsChoisis(const EtatRepertoire& r, const std::string& repImage);
// The slots of the unused images selected in the removal view, increasing.
std::vector<int> EmplacementsChoisis(const EtatRepertoire& r);

// RepDrive changed: the folder list moves to drive `index`. A drive that cannot
// be read says "lecteur inconnu", and the lists stay where they were.
void ChangeLecteur(Interface& ui, EtatRepertoire& r, int index);
// RepDir: a click chooses a folder (shown in repText1); a double click opens
// it. `index` is a row of sousDossiers; -1 is the parent folder.
void ClicDossier(Interface& ui, EtatRepertoire& r, int index);
void OuvreDossier(Interface& ui, EtatRepertoire& r, int index);
// ListRep: the rows selected, and the one clicked last (its path in repText1).
void SelectionneFichiers(Interface& ui, EtatRepertoire& r, const std::string& repImage, int clique,
                         std::vector<int> lignes);

} // namespace orv
