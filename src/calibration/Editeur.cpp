#include "calibration/Editeur.h"

namespace orv {

namespace {

std::vector<std::string> Mots(const std::string& s) {
    std::vector<std::string> mots;
    std::string mot;
    bool dansMot = false;
    char guillemet = 0;
    for (char c : s) {
        if (guillemet) {
            if (c == guillemet)
                guillemet = 0;
            else
                mot += c;
        } else if (c == '"' || c == '\'') {
            guillemet = c;
            dansMot = true;
        } else if (c == ' ' || c == '\t') {
            if (dansMot) mots.push_back(mot);
            mot.clear();
            dansMot = false;
        } else {
            mot += c;
            dansMot = true;
        }
    }
    if (dansMot) mots.push_back(mot);
    return mots;
}

void AjouteVariable(std::vector<CommandeEditeur>& v, const std::string& valeur) {
    auto mots = Mots(valeur);
    if (mots.empty() || mots.front().empty()) return;
    CommandeEditeur c;
    c.programme = mots.front();
    c.arguments.assign(mots.begin() + 1, mots.end());
    v.push_back(std::move(c));
}

} // namespace

std::vector<CommandeEditeur> CommandesEditeur(const std::string& visual,
                                              const std::string& editor) {
    std::vector<CommandeEditeur> v;
    AjouteVariable(v, visual);
    AjouteVariable(v, editor);
    v.push_back({"xdg-open", {}});
    return v;
}

} // namespace orv
