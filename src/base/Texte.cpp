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

namespace {

// Length of the valid UTF-8 sequence starting at `i` (0 when there is none).
std::size_t SequenceUtf8(std::string_view t, std::size_t i) {
    const auto b = static_cast<unsigned char>(t[i]);
    if (b < 0x80) return 1;
    std::size_t n = 0;
    unsigned min = 0;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
        min = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        min = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + n > t.size()) return 0;
    unsigned code = b & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        const auto c = static_cast<unsigned char>(t[i + k]);
        if ((c & 0xC0) != 0x80) return 0;
        code = (code << 6) | (c & 0x3F);
    }
    // Overlong forms, surrogates and code points beyond Unicode are not text.
    if (code < min || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
    return n;
}

bool Controle(unsigned char b) {
    return b < 0x20 || b == 0x7F;
}

constexpr char kHexa[] = "0123456789ABCDEF";

int ValeurHexa(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

} // namespace

std::string NomAffichable(std::string_view chemin) {
    std::string r;
    for (std::size_t i = 0; i < chemin.size();) {
        const std::size_t n = SequenceUtf8(chemin, i);
        if (n == 0 || (n == 1 && Controle(static_cast<unsigned char>(chemin[i])))) {
            r += "\xEF\xBF\xBD"; // U+FFFD
            ++i;
        } else {
            r.append(chemin.substr(i, n));
            i += n;
        }
    }
    return r;
}

bool CheminAEchapper(std::string_view chemin) {
    for (std::size_t i = 0; i < chemin.size();) {
        const std::size_t n = SequenceUtf8(chemin, i);
        if (n == 0 || (n == 1 && Controle(static_cast<unsigned char>(chemin[i])))) return true;
        i += n;
    }
    return false;
}

std::string EchappeChemin(std::string_view chemin) {
    std::string r;
    for (std::size_t i = 0; i < chemin.size();) {
        const std::size_t n = SequenceUtf8(chemin, i);
        const auto b = static_cast<unsigned char>(chemin[i]);
        if (n == 0 || (n == 1 && (Controle(b) || b == '%'))) {
            r += '%';
            r += kHexa[b >> 4];
            r += kHexa[b & 15];
            ++i;
        } else {
            r.append(chemin.substr(i, n));
            i += n;
        }
    }
    return r;
}

std::string RetrouveChemin(std::string_view texte) {
    std::string r;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] == '%' && i + 2 < texte.size()) {
            const int h = ValeurHexa(texte[i + 1]), l = ValeurHexa(texte[i + 2]);
            if (h >= 0 && l >= 0) {
                r += static_cast<char>(h * 16 + l);
                i += 2;
                continue;
            }
        }
        r += texte[i];
    }
    return r;
}

std::string VraiFaux(bool valeur) {
    return valeur ? "VRAI" : "FAUX";
}

} // namespace orv
