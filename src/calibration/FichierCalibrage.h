// The calibration file Zelk.Cal: a three-line header, then one stored factor a
// line as "comment = number". Read from a stream or a file, written whole and
// atomically (storing a factor rewrites the file with one more line).
#pragma once

#include "base/FichierTexte.h"

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace orv {

class FichierCalibrage {
public:
    static constexpr const char* Nom = "Zelk.Cal";
    // First header line; the second comes from the menu-text table, the third is empty.
    static constexpr const char* Avertissement = "ne pas modifier les données numériques !";

    // The three header lines.
    static std::vector<std::string> Entete(const std::string& ligne2);
    // A stored line: the comment, " = ", the factor as files write numbers,
    // with every digit it needs to read back the same.
    static std::string Ligne(const std::string& commentaire, double facteur, char separateur);

    // The stored calibrations in file order: every line that, trimmed, is not
    // empty and holds "=" (the header lines are thereby skipped).
    static std::vector<std::string> LitEntrees(std::istream& in);
    // Same from a file; nothing when it cannot be opened.
    static std::optional<std::vector<std::string>> LitEntrees(const std::string& chemin);

    // Text after the first "=" of a stored line, trimmed.
    static std::string TexteValeur(const std::string& ligne);
    // That text as a number (',' or '.'); nothing when it is not a number.
    static std::optional<double> Valeur(const std::string& ligne);

    // Writes lines as the file holds them: CP1252 (UTF-8 when a comment holds
    // a character that CP1252 lacks), CR LF.
    static void Ecrit(std::ostream& out, const std::vector<std::string>& lignes);

    // Adds one stored line to the file at `chemin`; a missing file is created
    // with the header first (`cree` tells which). The whole file is rewritten
    // atomically, so a failed write leaves the old file as it was.
    static Ecriture Ajoute(const std::string& chemin, const std::string& ligne,
                           const std::string& ligne2Entete, bool& cree);
};

} // namespace orv
