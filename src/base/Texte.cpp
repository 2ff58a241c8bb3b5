#include "base/Texte.h"

namespace orv {

std::string Trim(std::string_view s) {
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
    return std::string(s.substr(a, b - a));
}

std::string Majuscules(std::string_view s) {
    std::string t(s);
    for (char& c : t)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return t;
}

std::vector<std::string> Decoupe(std::string_view s, char separateur) {
    std::vector<std::string> champs;
    size_t debut = 0;
    for (;;) {
        const size_t p = s.find(separateur, debut);
        if (p == std::string_view::npos) {
            champs.emplace_back(s.substr(debut));
            return champs;
        }
        champs.emplace_back(s.substr(debut, p - debut));
        debut = p + 1;
    }
}

std::string SurUneLigne(std::string_view texte) {
    std::string r;
    for (size_t i = 0; i < texte.size(); ++i) {
        const char c = texte[i];
        if (c == '\r' || c == '\n') {
            r += ' ';
            if (c == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') ++i;
        } else {
            r += c;
        }
    }
    return r;
}

std::string VraiFaux(bool valeur) {
    return valeur ? "VRAI" : "FAUX";
}

} // namespace orv
