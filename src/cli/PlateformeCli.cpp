#include "cli/PlateformeCli.h"

#include <cstdio>

namespace orv::cli {

std::string SurUneLigne(const std::string& texte) {
    std::string r;
    for (char c : texte) {
        if (c == '\r') continue;
        r += c == '\n' ? ' ' : c;
    }
    return r;
}

void PlateformeCli::Message(const std::string& texte, const std::string&, Icone) {
    std::fprintf(stderr, "orvelle-cli: %s\n", SurUneLigne(texte).c_str());
}

bool PlateformeCli::QuestionOuiNon(const std::string& texte, const std::string&, Icone) {
    std::fprintf(stderr, "orvelle-cli: %s: no\n", SurUneLigne(texte).c_str());
    return false;
}

bool PlateformeCli::QuestionOKAnnuler(const std::string& texte, const std::string&, Icone) {
    std::fprintf(stderr, "orvelle-cli: %s: cancel\n", SurUneLigne(texte).c_str());
    return false;
}

} // namespace orv::cli
