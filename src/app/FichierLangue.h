// Language files ("Zelk2_it.lng"...): header lines "KEY;text", sections of
// entry lines "<marker><index>;text" closed by a "*" line. Reading gives the
// entries in file order; applying them replaces table entries and captions.
#pragma once

#include "base/FichierTexte.h"

#include "interface/Controles.h"
#include "interface/TablesTextes.h"

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace orv {

struct EntreeLangue {
    std::string cle;          // upper-cased key of the section or of the header-only line
    bool enTete = false;      // a header-only key (MNEDIT, MNUAIDE...): no index
    std::optional<int> index; // nothing when the index part is not an integer
    std::string texte;        // trimmed text after the first ";"
    int numeroLigne = 0;      // count of lines read up to this one, blank lines included
    std::string ligne;        // the whole trimmed line, for diagnostics
};

struct FichierLangue {
    std::vector<EntreeLangue> entrees;

    // Reads CP1252 (or UTF-8) text. Never fails: what cannot be understood is
    // left out, or kept without an index so that it can be reported.
    static FichierLangue Lit(std::istream& in);
    // Same from a file; nothing when it cannot be opened.
    // Nothing when the file is missing, not a regular file or too big
    // (`defaut` says which).
    static std::optional<FichierLangue> LitFichier(const std::string& chemin,
                                                   DefautLecture* defaut = nullptr);
};

// Applies the entries in order to the tables and the control captions. An
// entry whose index is not an integer, lies outside its table or names a
// control that does not exist changes nothing; those entries are returned.
std::vector<EntreeLangue> AppliqueEntrees(const FichierLangue& fichier, TablesTextes& textes,
                                          Controles& controles);

} // namespace orv
