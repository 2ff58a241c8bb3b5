// What the user is told of a file the program would not read: not a regular
// file (a FIFO, a device, a folder), or larger than its kind of file can be.
#pragma once

#include "base/FichierTexte.h"
#include "interface/TablesTextes.h"

#include <cstddef>
#include <string>

namespace orv {

// "Fichier non lu : <path> n'est pas un fichier ordinaire", or "... est trop
// gros ; taille permise (Mo) : N"; empty for a missing file (each reader says
// that in its own words, or nothing).
std::string TexteFichierNonLu(const TablesTextes& t, const std::string& chemin, DefautLecture d,
                              std::size_t limite);

} // namespace orv
