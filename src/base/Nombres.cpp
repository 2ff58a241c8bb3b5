#include "base/Nombres.h"

#include "base/Texte.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace orv {
namespace {

// The 15 significant decimal digits of |v| and the power of ten of the first.
struct Decimal {
    std::vector<int> chiffres; // most significant first
    int exposant = 0;          // value = 0.d1d2... x 10^(exposant + 1)
};

Decimal Decompose(double v) {
    Decimal d;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    // buf: "d.dddddddddddddde+XX"
    std::string_view s(buf);
    for (char c : s.substr(0, s.find('e')))
        if (c >= '0' && c <= '9') d.chiffres.push_back(c - '0');
    d.exposant = std::atoi(buf + s.find('e') + 1);
    return d;
}

std::string Chiffres(const std::vector<int>& v, size_t debut, size_t fin) {
    std::string s;
    for (size_t i = debut; i < fin; ++i) s += static_cast<char>('0' + v[i]);
    return s;
}

} // namespace

std::string FormatNombre(double valeur, std::string_view motif, char separateur) {
    const size_t point = motif.find('.');
    const std::string_view partEnt = motif.substr(0, point);
    int minEnt = 0;
    for (char c : partEnt)
        if (c == '0') ++minEnt;
    int decimales = 0;
    if (point != std::string_view::npos)
        for (char c : motif.substr(point + 1))
            if (c == '0' || c == '#') ++decimales;
    if (!std::isfinite(valeur)) return valeur != valeur ? "NaN" : (valeur < 0 ? "-Inf" : "Inf");

    // Digits of the integer and decimal parts after rounding, as a digit list
    // whose last `decimales` entries are the decimals.
    std::vector<int> res;
    if (valeur != 0.0) {
        const Decimal d = Decompose(valeur);
        const int nEnt = d.exposant + 1; // digits before the point (may be <= 0)
        const int garde = nEnt + decimales;
        // Digits of the value positioned from 10^(nEnt-1) down to 10^-decimales.
        std::vector<int> tous;
        for (int i = 0; i < -nEnt; ++i) tous.push_back(0); // zeros after the point
        for (int c : d.chiffres) tous.push_back(c);
        const int nGarde = garde < 0 ? 0 : (nEnt < 0 ? decimales : garde);
        // Rounding digit.
        int suivant = 0;
        if (nGarde < static_cast<int>(tous.size())) suivant = tous[static_cast<size_t>(nGarde)];
        tous.resize(static_cast<size_t>(nGarde), 0);
        if (garde < 0) suivant = 0;
        res.assign(tous.begin(), tous.end());
        if (suivant >= 5) {
            int i = static_cast<int>(res.size()) - 1;
            while (i >= 0 && res[static_cast<size_t>(i)] == 9) res[static_cast<size_t>(i--)] = 0;
            if (i >= 0)
                ++res[static_cast<size_t>(i)];
            else
                res.insert(res.begin(), 1);
        }
    }
    // Make sure the decimals are all there.
    while (static_cast<int>(res.size()) < decimales) res.insert(res.begin(), 0);
    const size_t nEntiers = res.size() - static_cast<size_t>(decimales);
    std::string ent = Chiffres(res, 0, nEntiers);
    // Strip leading zeros, then pad to the minimum.
    size_t z = 0;
    while (z < ent.size() && ent[z] == '0') ++z;
    ent = ent.substr(z);
    while (static_cast<int>(ent.size()) < minEnt) ent.insert(ent.begin(), '0');
    const std::string dec = Chiffres(res, nEntiers, res.size());
    bool nul = true;
    for (int c : res)
        if (c != 0) nul = false;
    std::string out;
    if (valeur < 0 && !nul) out += '-';
    out += ent;
    if (decimales > 0) {
        out += separateur;
        out += dec;
    }
    if (out.empty() || out == "-") out += '0';
    return out;
}

std::string TexteNombre(double valeur, char separateur) {
    if (valeur == 0.0) return "0";
    if (!std::isfinite(valeur)) return valeur != valeur ? "NaN" : (valeur < 0 ? "-Inf" : "Inf");
    Decimal d = Decompose(valeur);
    // Drop trailing zeros of the 15 digits.
    while (d.chiffres.size() > 1 && d.chiffres.back() == 0) d.chiffres.pop_back();
    std::string out = valeur < 0 ? "-" : "";
    const int n = static_cast<int>(d.chiffres.size());
    if (d.exposant >= 15 || d.exposant < -5) {
        out += static_cast<char>('0' + d.chiffres[0]);
        if (n > 1) {
            out += separateur;
            out += Chiffres(d.chiffres, 1, static_cast<size_t>(n));
        }
        char buf[24];
        std::snprintf(buf, sizeof buf, "E%c%02d", d.exposant < 0 ? '-' : '+', std::abs(d.exposant));
        return out + buf;
    }
    if (d.exposant < 0) {
        out += '0';
        out += separateur;
        out += std::string(static_cast<size_t>(-d.exposant - 1), '0');
        out += Chiffres(d.chiffres, 0, static_cast<size_t>(n));
        return out;
    }
    const int nEnt = d.exposant + 1;
    for (int i = 0; i < nEnt; ++i)
        out += static_cast<char>('0' + (i < n ? d.chiffres[static_cast<size_t>(i)] : 0));
    if (n > nEnt) {
        out += separateur;
        out += Chiffres(d.chiffres, static_cast<size_t>(nEnt), static_cast<size_t>(n));
    }
    return out;
}

std::string NombreFichier(double valeur, char separateur) {
    std::string s = TexteNombre(valeur, separateur);
    if (s.empty() || s[0] != '-') s.insert(s.begin(), ' ');
    return s + ' ';
}

std::string NombreFichierExact(double valeur, char separateur) {
    if (!std::isfinite(valeur)) return NombreFichier(valeur, separateur);
    const double a = std::fabs(valeur);
    const bool scientifique = a != 0 && (a < 1e-5 || a >= 1e15);
    char buf[64];
    const auto r =
        std::to_chars(buf, buf + sizeof buf, valeur,
                      scientifique ? std::chars_format::scientific : std::chars_format::fixed);
    std::string s(buf, r.ptr);
    for (char& c : s) {
        if (c == '.') c = separateur;
        if (c == 'e') c = 'E';
    }
    return (valeur < 0 ? "" : " ") + s + " ";
}

namespace {

// Power of ten of the first significant digit of a number text such as
// "-0.00012e-3" (saturated far beyond any double's range); 0 without one.
long Magnitude(std::string_view n) {
    const size_t e = n.find_first_of("eE");
    const std::string_view mantisse = n.substr(0, e);
    const size_t point = std::min(mantisse.find('.'), mantisse.size());
    long m = 0;
    bool trouve = false;
    for (size_t i = 0; i < mantisse.size() && !trouve; ++i) {
        if (mantisse[i] < '1' || mantisse[i] > '9') continue;
        trouve = true;
        m = i < point ? static_cast<long>(point - i) : -static_cast<long>(i - point);
    }
    if (!trouve) return 0;
    long exposant = 0;
    if (e != std::string_view::npos) {
        size_t j = e + 1;
        const bool negatif = j < n.size() && n[j] == '-';
        if (j < n.size() && (n[j] == '-' || n[j] == '+')) ++j;
        for (; j < n.size(); ++j) exposant = std::min(exposant * 10 + (n[j] - '0'), 100000L);
        if (negatif) exposant = -exposant;
    }
    return m + exposant;
}

// Longest prefix of s that reads as a number with '.' as separator; returns
// its length (0 when none) and the value.
size_t LitPrefixe(std::string_view s, double& valeur) {
    size_t i = 0;
    std::string n;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) n += s[i++];
    size_t chiffres = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') n += s[i++], ++chiffres;
    if (i < s.size() && s[i] == '.') {
        n += s[i++];
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') n += s[i++], ++chiffres;
    }
    if (chiffres == 0) return 0;
    // Exponent only when complete.
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        std::string e = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) e += s[j++];
        size_t ce = 0;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') e += s[j++], ++ce;
        if (ce > 0) {
            n += e;
            i = j;
        }
    }
    const char* debut = n.data();
    if (*debut == '+') ++debut;
    double v = 0;
    const auto r = std::from_chars(debut, n.data() + n.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        // Below the smallest double it is zero for any purpose of ours; above
        // the largest it is no number at all (an infinity would end as "Inf"
        // in every value computed from it).
        if (Magnitude(n) > 0) return 0;
        v = 0;
    } else if (r.ec != std::errc()) {
        return 0;
    }
    valeur = v;
    return i;
}

std::string Points(std::string_view s) {
    std::string t(s);
    for (char& c : t)
        if (c == ',') c = '.';
    return t;
}

} // namespace

double LitDecimal(std::string_view texte) {
    const std::string t = Points(texte);
    size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
    double v = 0;
    if (LitPrefixe(std::string_view(t).substr(i), v) == 0) return 0;
    return v;
}

std::optional<double> LitNombreStrict(std::string_view texte) {
    const std::string t = Points(Trim(texte));
    if (t.empty()) return std::nullopt;
    double v = 0;
    if (LitPrefixe(t, v) != t.size()) return std::nullopt;
    return v;
}

std::optional<long> LitEntierStrict(std::string_view texte) {
    const std::string t = Trim(texte);
    if (t.empty()) return std::nullopt;
    const char* debut = t.data();
    if (*debut == '+') ++debut;
    long v = 0;
    const auto r = std::from_chars(debut, t.data() + t.size(), v);
    if (r.ec != std::errc() || r.ptr != t.data() + t.size()) return std::nullopt;
    return v;
}

std::int32_t Arrondi32(double v) {
    if (std::isnan(v)) return 0;
    constexpr double bas = std::numeric_limits<std::int32_t>::min();
    constexpr double haut = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::lround(std::clamp(v, bas, haut)));
}

} // namespace orv
