#include "images/EnteteImage.h"

#include "base/FichierTexte.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <istream>

namespace orv {

namespace {

// Reading at given offsets of a stream whose size is known.
class Source {
public:
    explicit Source(std::istream& in) : in_(in) {
        in_.clear();
        in_.seekg(0, std::ios::end);
        const auto fin = in_.tellg();
        taille_ = fin > 0 ? static_cast<std::uint64_t>(fin) : 0;
        in_.seekg(0);
    }
    std::uint64_t Taille() const { return taille_; }
    // n bytes at `pos`; false when the file holds fewer.
    bool Lit(std::uint64_t pos, void* dest, std::size_t n) {
        if (pos > taille_ || n > taille_ - pos) return false;
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(pos));
        in_.read(static_cast<char*>(dest), static_cast<std::streamsize>(n));
        return static_cast<std::size_t>(in_.gcount()) == n;
    }
    std::optional<std::uint8_t> Octet(std::uint64_t pos) {
        std::uint8_t b = 0;
        if (!Lit(pos, &b, 1)) return std::nullopt;
        return b;
    }

private:
    std::istream& in_;
    std::uint64_t taille_ = 0;
};

std::uint32_t Be16(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0] << 8 | p[1]);
}
std::uint32_t Be32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}
std::uint32_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[1] << 8 | p[0]);
}
std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[3]) << 24 | static_cast<std::uint32_t>(p[2]) << 16 |
           static_cast<std::uint32_t>(p[1]) << 8 | p[0];
}

// Sides beyond this are no picture of ours, whatever a header says (and they
// keep every product of sides within 64 bits).
constexpr std::int64_t kCoteMax = 1 << 30;

std::optional<EnteteImage> Taille(FormatImage f, std::int64_t l, std::int64_t h) {
    if (l < 1 || h < 1 || l > kCoteMax || h > kCoteMax) return std::nullopt;
    return EnteteImage{.format = f, .largeur = static_cast<int>(l), .hauteur = static_cast<int>(h)};
}

// The orientation tag (0x0112) of the TIFF structure that starts at `debut`
// (a TIFF file, or the EXIF block of a JPEG): its first directory only, as
// viewers read it. 1 when it has none or it is malformed.
int OrientationTiff(Source& s, std::uint64_t debut) {
    std::uint8_t h[8];
    if (!s.Lit(debut, h, sizeof h)) return 1;
    const bool le = h[0] == 'I' && h[1] == 'I';
    if (!le && !(h[0] == 'M' && h[1] == 'M')) return 1;
    auto u16 = [le](const std::uint8_t* p) { return le ? Le16(p) : Be16(p); };
    auto u32 = [le](const std::uint8_t* p) { return le ? Le32(p) : Be32(p); };
    if (u16(h + 2) != 42) return 1;
    const std::uint64_t ifd = debut + u32(h + 4);
    std::uint8_t n[2];
    if (!s.Lit(ifd, n, 2)) return 1;
    for (std::uint32_t k = 0; k < u16(n); ++k) {
        std::uint8_t en[12];
        if (!s.Lit(ifd + 2 + 12u * k, en, sizeof en)) return 1;
        // One SHORT, held in the entry itself.
        if (u16(en) == 0x0112 && u16(en + 2) == 3 && u32(en + 4) == 1) {
            const std::uint32_t o = u16(en + 8);
            return o >= 1 && o <= 8 ? static_cast<int>(o) : 1;
        }
    }
    return 1;
}

std::optional<EnteteImage> Jpeg(Source& s) {
    std::uint64_t pos = 2;
    int orientation = 1; // from the EXIF block, which comes before the frame
    // Segments until a frame header; a picture never needs thousands of them.
    for (int n = 0; n < 100000; ++n) {
        auto b = s.Octet(pos);
        if (!b || *b != 0xFF) return std::nullopt;
        // Fill bytes before a marker.
        std::uint8_t marqueur = 0xFF;
        while (marqueur == 0xFF) {
            const auto m = s.Octet(++pos);
            if (!m) return std::nullopt;
            marqueur = *m;
        }
        ++pos;
        if (marqueur == 0xD8 || marqueur == 0x01 || (marqueur >= 0xD0 && marqueur <= 0xD7))
            continue;                                                  // markers without a length
        if (marqueur == 0xD9 || marqueur == 0xDA) return std::nullopt; // no frame before the data
        std::uint8_t l[2];
        if (!s.Lit(pos, l, 2) || Be16(l) < 2) return std::nullopt;
        const bool sof = marqueur >= 0xC0 && marqueur <= 0xCF && marqueur != 0xC4 &&
                         marqueur != 0xC8 && marqueur != 0xCC;
        if (sof) {
            std::uint8_t f[5];
            if (Be16(l) < 7 || !s.Lit(pos + 2, f, 5)) return std::nullopt;
            // A height of 0 is given later by a DNL marker: not a size we can use.
            auto e = Taille(FormatImage::Jpeg, Be16(f + 3), Be16(f + 1));
            if (e) e->orientation = orientation;
            return e;
        }
        std::uint8_t exif[6];
        if (marqueur == 0xE1 && orientation == 1 && Be16(l) >= 8 + 6 && s.Lit(pos + 2, exif, 6) &&
            std::memcmp(exif, "Exif\0\0", 6) == 0)
            orientation = OrientationTiff(s, pos + 8);
        pos += Be16(l);
    }
    return std::nullopt;
}

std::optional<EnteteImage> Png(Source& s) {
    std::uint8_t h[24];
    if (!s.Lit(0, h, sizeof h) || Be32(h + 8) != 13 || std::memcmp(h + 12, "IHDR", 4) != 0)
        return std::nullopt;
    const std::uint32_t l = Be32(h + 16), ht = Be32(h + 20);
    // Sides are 31-bit numbers in this format.
    if (l > 0x7FFFFFFFu || ht > 0x7FFFFFFFu) return std::nullopt;
    auto e = Taille(FormatImage::Png, l, ht);
    if (!e) return e;
    static constexpr std::uint8_t kFin[12] = {0,   0,   0,    0,    'I',  'E',
                                              'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    std::uint8_t fin[12];
    e->tronque = s.Taille() < 8 + 25 + 12 || !s.Lit(s.Taille() - 12, fin, 12) ||
                 std::memcmp(fin, kFin, 12) != 0;
    return e;
}

// Skips a run of GIF data sub-blocks from `pos`; false when the file ends first.
bool SauteSousBlocs(Source& s, std::uint64_t& pos) {
    for (;;) {
        const auto n = s.Octet(pos);
        if (!n) return false;
        pos += 1u + *n;
        if (*n == 0) return true;
    }
}

std::optional<EnteteImage> Gif(Source& s) {
    std::uint8_t h[13];
    if (!s.Lit(0, h, sizeof h)) return std::nullopt;
    auto e = Taille(FormatImage::Gif, Le16(h + 6), Le16(h + 8));
    if (!e) return e;
    std::uint64_t pos = 13;
    if (h[10] & 0x80) pos += 3u << ((h[10] & 7) + 1);
    // Blocks up to the end of the first picture's data.
    for (;;) {
        const auto b = s.Octet(pos);
        if (!b || *b == 0x3B) {
            e->tronque = true; // no picture at all, or cut before it
            return e;
        }
        if (*b == 0x21) {
            pos += 2;
            if (!SauteSousBlocs(s, pos)) break;
        } else if (*b == 0x2C) {
            std::uint8_t d[10];
            if (!s.Lit(pos, d, sizeof d)) break;
            pos += 10;
            if (d[9] & 0x80) pos += 3u << ((d[9] & 7) + 1);
            pos += 1; // LZW code size
            if (!SauteSousBlocs(s, pos)) break;
            return e;
        } else {
            return std::nullopt; // not a block of this format
        }
    }
    e->tronque = true;
    return e;
}

std::optional<EnteteImage> Bmp(Source& s) {
    std::uint8_t h[30];
    if (!s.Lit(0, h, 18)) return std::nullopt;
    const std::uint32_t donnees = Le32(h + 10), entete = Le32(h + 14);
    std::int64_t l = 0, ht = 0;
    std::uint32_t bits = 0, compression = 0;
    if (entete == 12) {
        if (!s.Lit(18, h + 18, 8)) return std::nullopt;
        l = Le16(h + 18);
        ht = Le16(h + 20);
        bits = Le16(h + 24);
    } else if (entete >= 40 && entete <= 1024) {
        std::uint8_t i[18];
        if (!s.Lit(18, i, sizeof i)) return std::nullopt;
        l = static_cast<std::int32_t>(Le32(i));
        ht = static_cast<std::int32_t>(Le32(i + 4)); // negative: rows top-down
        if (ht < 0) ht = -ht;
        bits = Le16(i + 10);
        compression = Le32(i + 12);
    } else {
        return std::nullopt;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return std::nullopt;
    auto e = Taille(FormatImage::Bmp, l, ht);
    if (!e) return e;
    // Rows of whole 32-bit words when the pixels are stored plainly.
    if (compression == 0 || compression == 3) {
        const std::uint64_t pas = (static_cast<std::uint64_t>(l) * bits + 31) / 32 * 4;
        e->tronque =
            s.Taille() < donnees || (s.Taille() - donnees) / pas < static_cast<std::uint64_t>(ht);
    }
    return e;
}

std::optional<EnteteImage> Tiff(Source& s) {
    std::uint8_t h[8];
    if (!s.Lit(0, h, sizeof h)) return std::nullopt;
    const bool le = h[0] == 'I';
    auto u16 = [le](const std::uint8_t* p) { return le ? Le16(p) : Be16(p); };
    auto u32 = [le](const std::uint8_t* p) { return le ? Le32(p) : Be32(p); };
    if (u16(h + 2) != 42) return std::nullopt;
    const std::uint64_t ifd = u32(h + 4);
    std::uint8_t n[2];
    if (!s.Lit(ifd, n, 2)) return std::nullopt;
    std::int64_t l = -1, ht = -1;
    for (std::uint32_t k = 0; k < u16(n); ++k) {
        std::uint8_t en[12];
        if (!s.Lit(ifd + 2 + 12u * k, en, sizeof en)) return std::nullopt;
        const std::uint32_t tag = u16(en), type = u16(en + 2);
        // SHORT or LONG, one value, held in the entry itself.
        std::int64_t v = -1;
        if (type == 3) v = u16(en + 8);
        if (type == 4) v = u32(en + 8);
        if (tag == 256) l = v;
        if (tag == 257) ht = v;
    }
    auto e = Taille(FormatImage::Tiff, l, ht);
    if (e) e->orientation = OrientationTiff(s, 0);
    return e;
}

} // namespace

std::optional<EnteteImage> LitEnteteImage(std::istream& in) {
    Source s(in);
    std::uint8_t m[8] = {};
    if (!s.Lit(0, m, 4)) return std::nullopt;
    s.Lit(0, m, 8);
    if (m[0] == 0xFF && m[1] == 0xD8 && m[2] == 0xFF) return Jpeg(s);
    if (std::memcmp(m, "\x89PNG\r\n\x1A\n", 8) == 0) return Png(s);
    if (std::memcmp(m, "GIF8", 4) == 0) return Gif(s);
    if (m[0] == 'B' && m[1] == 'M') return Bmp(s);
    if ((m[0] == 'I' && m[1] == 'I') || (m[0] == 'M' && m[1] == 'M')) return Tiff(s);
    return std::nullopt;
}

std::optional<EnteteImage> LitEnteteImageFichier(const std::string& chemin) {
    // Never blocks on a FIFO named as a picture.
    const auto f = FluxFichier::Ouvre(chemin);
    if (!f) return std::nullopt;
    return LitEnteteImage(f->Flux());
}

std::uint64_t MemoireImage(std::int64_t largeur, std::int64_t hauteur) {
    if (largeur <= 0 || hauteur <= 0) return 0;
    const std::uint64_t pixels = static_cast<std::uint64_t>(std::min(largeur, kCoteMax)) *
                                 static_cast<std::uint64_t>(std::min(hauteur, kCoteMax));
    return pixels * 4 + pixels * 4 / 3;
}

std::optional<std::string> RefusBudgetImage(std::int64_t largeur, std::int64_t hauteur,
                                            int budgetMo, const std::string& modele) {
    const std::uint64_t budget = static_cast<std::uint64_t>(std::max(budgetMo, BudgetImageMoMini))
                                 << 20;
    const std::uint64_t besoin = MemoireImage(largeur, hauteur);
    if (besoin <= budget) return std::nullopt;
    const std::uint64_t mo = (besoin + (1u << 20) - 1) >> 20;
    const std::string valeurs[] = {std::to_string(largeur), std::to_string(hauteur),
                                   std::to_string(mo), std::to_string(budget >> 20)};
    if (modele.empty())
        return valeurs[0] + " x " + valeurs[1] + " : " + valeurs[2] + " > " + valeurs[3] + " Mo";
    std::string t = modele;
    for (int i = 0; i < 4; ++i) {
        const std::string marque = "%" + std::to_string(i + 1);
        if (const auto p = t.find(marque); p != std::string::npos)
            t.replace(p, marque.size(), valeurs[i]);
    }
    return t;
}

} // namespace orv
