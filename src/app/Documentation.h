// The user guides shipped as PDF files: which file "Documentation" and
// "Doc Pus" open, and the opening itself through the desktop's viewer.
#pragma once

#include "app/Orvelle.h"

#include <optional>
#include <string>
#include <vector>

namespace orv {

enum class Guide {
    Utilisateur, // "Documentation": ZelkA_<langue>.pdf
    Etendu,      // "Doc Pus": the same guide with its reference chapters, Doc2_<langue>.pdf
};

// The file name of a guide in a language: "ZelkA_en.pdf", "Doc2_fr.pdf".
std::string NomGuide(Guide g, const std::string& langue);

// The guide of the language, else the French one, looked up in each folder in
// turn (the program folder first, then the files shipped with the program);
// nothing when neither is anywhere.
std::optional<std::string> CheminGuide(Guide g, const std::string& langue,
                                       const std::vector<std::string>& dossiers);

// Opens the guide with the desktop's viewer without waiting for it; a guide
// that is missing or that no viewer opens is said in the status bar.
void OuvreGuide(Orvelle& o, Guide g);

} // namespace orv
