#include "pixels/Reechantillonnage.h"

#include <algorithm>
#include <cmath>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define ORV_AVX2 1
#endif

namespace orv {

namespace {

constexpr std::int64_t Unite = GrilleEchantillons::Unite;

// Floor division of a position by the unit: the pixel whose centre is at or
// before it, and the weight (0..256) of the next one.
inline void Coupe(std::int64_t s, std::int64_t& i, int& poids) {
    i = s >= 0 ? s / Unite : -((-s + Unite - 1) / Unite);
    poids = static_cast<int>((s - i * Unite) >> 8);
}

// Where one pixel of the view samples along an axis of `n` level pixels: the
// first of two neighbours, always both inside, and the weight of the second.
// At the edges the pair is moved inwards with the weight on the edge pixel, so
// that the edge repeats outwards.
inline void Paire(std::int64_t s, int n, int& premier, int& poids) {
    std::int64_t i = 0;
    Coupe(s, i, poids);
    if (i < 0) {
        premier = 0;
        poids = 0;
    } else if (i >= n - 1) {
        premier = n - 2;
        poids = 256;
    } else {
        premier = static_cast<int>(i);
    }
}

// (a * (256 - w) + b * w + 128) >> 8 on each byte of two RGB32 pixels.
inline std::uint32_t Mele(std::uint32_t a, std::uint32_t b, std::uint32_t w) {
    constexpr std::uint32_t m = 0x00FF00FFu;
    const std::uint32_t v = 256 - w;
    const std::uint32_t rb = ((a & m) * v + (b & m) * w + 0x00800080u) >> 8;
    const std::uint32_t ag = (((a >> 8) & m) * v + ((b >> 8) & m) * w + 0x00800080u) >> 8;
    return (rb & m) | ((ag & m) << 8);
}

// One row blended from two: (a * (256 - w) + b * w + 128) >> 8 on each byte.
void MelangeSse2(const std::uint32_t* a, const std::uint32_t* b, int n, std::uint32_t w,
                 std::uint32_t* sortie) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i arrondi = _mm_set1_epi16(0x80);
    const __m128i pa = _mm_set1_epi16(static_cast<short>(256 - w));
    const __m128i pb = _mm_set1_epi16(static_cast<short>(w));
    for (; x + 4 <= n; x += 4) {
        const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + x));
        const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + x));
        const __m128i bas = _mm_srli_epi16(
            _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(va, zero), pa),
                                        _mm_mullo_epi16(_mm_unpacklo_epi8(vb, zero), pb)),
                          arrondi),
            8);
        const __m128i haut = _mm_srli_epi16(
            _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(va, zero), pa),
                                        _mm_mullo_epi16(_mm_unpackhi_epi8(vb, zero), pb)),
                          arrondi),
            8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(sortie + x), _mm_packus_epi16(bas, haut));
    }
#endif
    for (; x < n; ++x) sortie[x] = Mele(a[x], b[x], w);
}

// A row of the view from a blended row: pixel k from the pair at premiers[k],
// weighed by poids[k] (`paires` holds the same weights as the vector code
// takes them).
void TraversSse2(const std::uint32_t* ligne, const int* premiers, const std::uint16_t* paires,
                 const int* poids, std::uint32_t* sortie, int n) {
    int k = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i arrondi = _mm_set1_epi16(0x80);
    for (; k + 2 <= n; k += 2) {
        // Two pixels at once: their pairs side by side, widened to 16 bits.
        const __m128i p = _mm_unpacklo_epi64(
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(ligne + premiers[k])),
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(ligne + premiers[k + 1])));
        const __m128i a =
            _mm_mullo_epi16(_mm_unpacklo_epi8(p, zero),
                            _mm_loadu_si128(reinterpret_cast<const __m128i*>(paires + k * 8)));
        const __m128i b =
            _mm_mullo_epi16(_mm_unpackhi_epi8(p, zero),
                            _mm_loadu_si128(reinterpret_cast<const __m128i*>(paires + k * 8 + 8)));
        // First with second of each pair.
        const __m128i somme = _mm_add_epi16(
            _mm_add_epi16(_mm_unpacklo_epi64(a, b), _mm_unpackhi_epi64(a, b)), arrondi);
        const __m128i v = _mm_srli_epi16(somme, 8);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(sortie + k), _mm_packus_epi16(v, v));
    }
#else
    (void)paires;
#endif
    for (; k < n; ++k)
        sortie[k] =
            Mele(ligne[premiers[k]], ligne[premiers[k] + 1], static_cast<std::uint32_t>(poids[k]));
}

#ifdef ORV_AVX2
// The same two passes, eight and four pixels at a time, for the processors
// that have AVX2 (asked once); the results are those of the code above.
__attribute__((target("avx2"))) void MelangeAvx2(const std::uint32_t* a, const std::uint32_t* b,
                                                 int n, std::uint32_t w, std::uint32_t* sortie) {
    int x = 0;
    if (w < 256) {
        // a + ((b - a) * w + 128) >> 8, the same to the bit: the difference
        // times 128 and the weight through the rounding high product
        // ((d * 128 * w + 2^14) >> 15).
        const __m256i zero = _mm256_setzero_si256();
        const __m256i pw = _mm256_set1_epi16(static_cast<short>(w));
        for (; x + 8 <= n; x += 8) {
            const __m256i va = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + x));
            const __m256i vb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + x));
            const __m256i alo = _mm256_unpacklo_epi8(va, zero),
                          ahi = _mm256_unpackhi_epi8(va, zero);
            const __m256i dlo =
                _mm256_slli_epi16(_mm256_sub_epi16(_mm256_unpacklo_epi8(vb, zero), alo), 7);
            const __m256i dhi =
                _mm256_slli_epi16(_mm256_sub_epi16(_mm256_unpackhi_epi8(vb, zero), ahi), 7);
            const __m256i bas = _mm256_add_epi16(alo, _mm256_mulhrs_epi16(dlo, pw));
            const __m256i haut = _mm256_add_epi16(ahi, _mm256_mulhrs_epi16(dhi, pw));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(sortie + x),
                                _mm256_packus_epi16(bas, haut));
        }
    }
    for (; x < n; ++x) sortie[x] = Mele(a[x], b[x], w);
}

__attribute__((target("avx2"))) void TraversAvx2(const std::uint32_t* ligne, const int* premiers,
                                                 const std::uint16_t* paires, const int* poids,
                                                 std::uint32_t* sortie, int n) {
    int k = 0;
    const __m256i zero = _mm256_setzero_si256();
    auto paire = [&](int i) {
        return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(ligne + premiers[i]));
    };
    // The second pixel's weight, four times: a + ((b - a) * w + 128) >> 8 as
    // in the blend down.
    auto poidsDe = [&](int i) {
        return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(paires + i * 8 + 4));
    };
    for (; k + 4 <= n; k += 4) {
        // Pairs 0 and 1 in the low lane, 2 and 3 in the high one.
        const __m256i p = _mm256_set_m128i(_mm_unpacklo_epi64(paire(k + 2), paire(k + 3)),
                                           _mm_unpacklo_epi64(paire(k), paire(k + 1)));
        const __m256i x = _mm256_unpacklo_epi8(p, zero), y = _mm256_unpackhi_epi8(p, zero);
        const __m256i a = _mm256_unpacklo_epi64(x, y), b = _mm256_unpackhi_epi64(x, y);
        const __m256i poidsB = _mm256_set_m128i(_mm_unpacklo_epi64(poidsDe(k + 2), poidsDe(k + 3)),
                                                _mm_unpacklo_epi64(poidsDe(k), poidsDe(k + 1)));
        const __m256i v = _mm256_add_epi16(
            a, _mm256_mulhrs_epi16(_mm256_slli_epi16(_mm256_sub_epi16(b, a), 7), poidsB));
        const __m256i q = _mm256_permute4x64_epi64(_mm256_packus_epi16(v, v), 0x08);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(sortie + k), _mm256_castsi256_si128(q));
    }
    for (; k < n; ++k)
        sortie[k] =
            Mele(ligne[premiers[k]], ligne[premiers[k] + 1], static_cast<std::uint32_t>(poids[k]));
}

bool AvecAvx2() {
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2;
}
#endif

void Melange(const std::uint32_t* a, const std::uint32_t* b, int n, std::uint32_t w,
             std::uint32_t* sortie, bool avx2) {
#ifdef ORV_AVX2
    if (avx2) return MelangeAvx2(a, b, n, w, sortie);
#endif
    (void)avx2;
    MelangeSse2(a, b, n, w, sortie);
}

void Travers(const std::uint32_t* ligne, const int* premiers, const std::uint16_t* paires,
             const int* poids, std::uint32_t* sortie, int n, bool avx2) {
#ifdef ORV_AVX2
    if (avx2) return TraversAvx2(ligne, premiers, paires, poids, sortie, n);
#endif
    (void)avx2;
    TraversSse2(ligne, premiers, paires, poids, sortie, n);
}

} // namespace

GrilleEchantillons GrilleEchantillons::Depuis(double gauche, double haut, double pasX,
                                              double pasY) {
    // The centre of the view's first pixel, measured from the centre of the
    // level's first pixel.
    auto fixe = [](double v) { return static_cast<std::int64_t>(std::llround(v * Unite)); };
    return {fixe(gauche + pasX / 2 - 0.5), fixe(haut + pasY / 2 - 0.5), fixe(pasX), fixe(pasY)};
}

void Reechantillonne(const QImage& niveau, int lignes, const GrilleEchantillons& g, QImage& vue,
                     QRect zone, std::optional<QRgb> fond) {
    zone = zone.intersected(vue.rect());
    const int w = niveau.width(), h = niveau.height();
    if (zone.isEmpty() || niveau.isNull() || vue.isNull() || g.pasX <= 0 || g.pasY <= 0) return;
    lignes = std::clamp(lignes, 0, h);
    // The columns of the zone inside the level, and where each samples it.
    const std::int64_t debut = -Unite / 2, fin = w * Unite - Unite / 2;
    std::vector<int> premiers(static_cast<std::size_t>(zone.width()));
    std::vector<int> poids(static_cast<std::size_t>(zone.width()));
    // The weights of each column's pair, as the vector code takes them: four
    // times the first's, four times the second's.
    std::vector<std::uint16_t> paires(static_cast<std::size_t>(zone.width()) * 8);
    int xa = zone.right() + 1, xb = zone.left(); // inside: [xa, xb)
    for (int x = zone.left(); x <= zone.right(); ++x) {
        const std::int64_t s = g.x0 + x * g.pasX;
        if (s < debut || s >= fin) continue;
        xa = std::min(xa, x);
        xb = x + 1;
        const auto k = static_cast<std::size_t>(x - zone.left());
        if (w == 1) {
            premiers[k] = 0;
            poids[k] = 0;
        } else {
            Paire(s, w, premiers[k], poids[k]);
        }
        for (int c = 0; c < 4; ++c) {
            paires[k * 8 + static_cast<std::size_t>(c)] =
                static_cast<std::uint16_t>(256 - poids[k]);
            paires[k * 8 + 4 + static_cast<std::size_t>(c)] = static_cast<std::uint16_t>(poids[k]);
        }
    }
    if (xa >= xb) { // the zone shows none of the level
        for (int y = zone.top(); y <= zone.bottom(); ++y)
            if (fond)
                std::fill_n(reinterpret_cast<std::uint32_t*>(vue.scanLine(y)) + zone.left(),
                            zone.width(), *fond);
        return;
    }
    // The span of level columns the zone reads; the pairs counted from it.
    const auto ka = static_cast<std::size_t>(xa - zone.left());
    const int i0 = premiers[ka];
    const int i1 = premiers[static_cast<std::size_t>(xb - 1 - zone.left())] + 2;
    for (std::size_t k = ka; k < static_cast<std::size_t>(xb - zone.left()); ++k) premiers[k] -= i0;
    std::vector<std::uint32_t> melangee(static_cast<std::size_t>(i1 - i0));
#ifdef ORV_AVX2
    const bool avx2 = AvecAvx2();
#else
    const bool avx2 = false;
#endif
    const auto remplit = [&](std::uint32_t* ligne, int de, int a) {
        if (fond)
            for (int x = de; x < a; ++x) ligne[x] = *fond;
    };
    for (int y = zone.top(); y <= zone.bottom(); ++y) {
        auto* sortie = reinterpret_cast<std::uint32_t*>(vue.scanLine(y));
        const std::int64_t t = g.y0 + y * g.pasY;
        if (t < debut || t >= h * Unite - Unite / 2) {
            remplit(sortie, zone.left(), zone.right() + 1);
            continue;
        }
        int j = 0, pj = 0;
        if (h == 1)
            j = 0;
        else
            Paire(t, h, j, pj);
        const int j1 = h == 1 ? 0 : j + 1;
        if (j1 >= lignes) { // not decoded yet
            remplit(sortie, zone.left(), zone.right() + 1);
            continue;
        }
        remplit(sortie, zone.left(), xa);
        remplit(sortie, xb, zone.right() + 1);
        const auto* l0 = reinterpret_cast<const std::uint32_t*>(niveau.constScanLine(j));
        const auto* l1 = reinterpret_cast<const std::uint32_t*>(niveau.constScanLine(j1));
        if (w == 1) {
            const std::uint32_t p = Mele(l0[0], l1[0], static_cast<std::uint32_t>(pj));
            for (int x = xa; x < xb; ++x) sortie[x] = p;
            continue;
        }
        // Down first: the span of the row the zone needs, blended once.
        const std::uint32_t* melee = l0 + i0;
        if (pj == 256) {
            melee = l1 + i0;
        } else if (pj != 0) {
            Melange(l0 + i0, l1 + i0, i1 - i0, static_cast<std::uint32_t>(pj), melangee.data(),
                    avx2);
            melee = melangee.data();
        }
        // Then across, each pixel of the view from its pair.
        Travers(melee, premiers.data() + ka, paires.data() + ka * 8, poids.data() + ka, sortie + xa,
                xb - xa, avx2);
    }
}

} // namespace orv
