#include "base/Cp1252.h"

#include <array>
#include <cstdint>

namespace orv {
namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five unassigned bytes.
constexpr std::array<char32_t, 32> kHaut = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AjouteUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; returns its length, 0 when invalid.
size_t LitUtf8(std::string_view s, size_t i, char32_t& c) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    size_t n = 0;
    if (b0 < 0x80) {
        c = b0;
        return 1;
    }
    if ((b0 & 0xE0) == 0xC0) {
        n = 2;
        c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        n = 3;
        c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        n = 4;
        c = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (size_t k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        c = (c << 6) | (b & 0x3F);
    }
    // Overlong forms and surrogates are not valid.
    if ((n == 2 && c < 0x80) || (n == 3 && c < 0x800) || (n == 4 && c < 0x10000) ||
        (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        return 0;
    return n;
}

} // namespace

bool EstUtf8Valide(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        char32_t c = 0;
        const size_t n = LitUtf8(s, i, c);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string VersCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        size_t n = LitUtf8(utf8, i, c);
        if (n == 0) {
            // Not UTF-8: the byte is taken as already CP1252.
            out += utf8[i];
            ++i;
            continue;
        }
        i += n;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        char octet = '?';
        for (size_t k = 0; k < kHaut.size(); ++k)
            if (kHaut[k] == c || (kHaut[k] == 0 && c == 0x80 + k))
                octet = static_cast<char>(0x80 + k);
        out += octet;
    }
    return out;
}

std::string DepuisCp1252(std::string_view octets) {
    bool multi = false;
    for (char ch : octets)
        if (static_cast<unsigned char>(ch) >= 0x80) multi = true;
    if (!multi) return std::string(octets);
    if (EstUtf8Valide(octets)) return std::string(octets);
    std::string out;
    out.reserve(octets.size() + octets.size() / 4);
    for (char ch : octets) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out += ch;
        } else if (b < 0xA0) {
            const char32_t c = kHaut[b - 0x80];
            AjouteUtf8(out, c != 0 ? c : static_cast<char32_t>(b));
        } else {
            AjouteUtf8(out, b);
        }
    }
    return out;
}

} // namespace orv
