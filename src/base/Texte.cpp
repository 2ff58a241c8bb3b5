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

std::string Lisible(std::string_view texte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string r;
    for (size_t i = 0; i < texte.size(); ++i) {
        auto b = static_cast<unsigned char>(texte[i]);
        unsigned code = b;
        // C1 controls arrive as the two UTF-8 bytes C2 80 .. C2 9F.
        const bool c1 = b == 0xC2 && i + 1 < texte.size() &&
                        static_cast<unsigned char>(texte[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(texte[i + 1]) <= 0x9F;
        if (c1) code = static_cast<unsigned char>(texte[++i]);
        if (code < 0x20 || code == 0x7F || c1) {
            r += "\\x";
            r += kHex[code >> 4];
            r += kHex[code & 15];
        } else {
            r += texte[i];
        }
    }
    return r;
}

std::string VraiFaux(bool valeur) {
    return valeur ? "VRAI" : "FAUX";
}

} // namespace orv
