#include "gui/DecodeurJpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <type_traits>

#if defined(__linux__) && __has_include(<jpeglib.h>) && __has_include(<dlfcn.h>)
#include <dlfcn.h>
#include <jpeglib.h>
#if defined(JCS_EXTENSIONS) && (JPEG_LIB_VERSION >= 80 || defined(MEM_SRCDST_SUPPORTED))
#define ORV_LIBJPEG 1
#endif
#endif

namespace orv {

bool DecodeurJpeg::EstJpeg(const unsigned char* donnees, std::size_t taille) {
    return taille >= 3 && donnees[0] == 0xFF && donnees[1] == 0xD8 && donnees[2] == 0xFF;
}

#ifdef ORV_LIBJPEG

namespace {

// The library's entry points, looked up once. The header's version must be the
// library's: the structures are shared.
struct Bibliotheque {
    decltype(&jpeg_std_error) std_error = nullptr;
    decltype(&jpeg_CreateDecompress) create = nullptr;
    decltype(&jpeg_destroy_decompress) destroy = nullptr;
    decltype(&jpeg_mem_src) mem_src = nullptr;
    decltype(&jpeg_read_header) read_header = nullptr;
    decltype(&jpeg_start_decompress) start = nullptr;
    decltype(&jpeg_read_scanlines) read_scanlines = nullptr;
    decltype(&jpeg_finish_decompress) finish = nullptr;
    decltype(&jpeg_abort_decompress) abandon = nullptr;
    decltype(&jpeg_has_multiple_scans) multiple_scans = nullptr;
    bool ok = false;

    Bibliotheque() {
#if JPEG_LIB_VERSION >= 80
        const char* noms[] = {"libjpeg.so.8"};
#else
        const char* noms[] = {"libjpeg.so.62"};
#endif
        void* h = nullptr;
        for (const char* nom : noms)
            if ((h = dlopen(nom, RTLD_NOW | RTLD_LOCAL)) != nullptr) break;
        if (!h) return;
        auto prend = [h](auto& f, const char* nom) {
            f = reinterpret_cast<std::remove_reference_t<decltype(f)>>(dlsym(h, nom));
            return f != nullptr;
        };
        ok = prend(std_error, "jpeg_std_error") && prend(create, "jpeg_CreateDecompress") &&
             prend(destroy, "jpeg_destroy_decompress") && prend(mem_src, "jpeg_mem_src") &&
             prend(read_header, "jpeg_read_header") && prend(start, "jpeg_start_decompress") &&
             prend(read_scanlines, "jpeg_read_scanlines") &&
             prend(finish, "jpeg_finish_decompress") && prend(abandon, "jpeg_abort_decompress") &&
             prend(multiple_scans, "jpeg_has_multiple_scans");
        // The handle stays open for the life of the program.
    }
};

const Bibliotheque& Lib() {
    static const Bibliotheque b;
    return b;
}

struct Erreur {
    jpeg_error_mgr pub;
    std::jmp_buf saut;
};

extern "C" void SortieErreur(j_common_ptr c) {
    std::longjmp(reinterpret_cast<Erreur*>(c->err)->saut, 1);
}
extern "C" void MessageMuet(j_common_ptr) {}

// A decompressor on a memory buffer. Only plain data lives in the functions
// that call setjmp, so that a longjmp skips no destructor.
struct Session {
    jpeg_decompress_struct info;
    Erreur erreur;
};

bool Ouvre(Session& s, const unsigned char* donnees, std::size_t taille) {
    const Bibliotheque& L = Lib();
    s.info.err = L.std_error(&s.erreur.pub);
    s.erreur.pub.error_exit = SortieErreur;
    s.erreur.pub.output_message = MessageMuet;
    L.create(&s.info, JPEG_LIB_VERSION, sizeof(jpeg_decompress_struct));
    L.mem_src(&s.info, donnees, static_cast<unsigned long>(taille));
    return L.read_header(&s.info, TRUE) == JPEG_HEADER_OK;
}

constexpr int LotLignes = 16;

} // namespace

bool DecodeurJpeg::Disponible() {
    return Lib().ok;
}

std::optional<DecodeurJpeg::EnTete> DecodeurJpeg::LitEnTete(const unsigned char* donnees,
                                                            std::size_t taille) {
    if (!Disponible() || !EstJpeg(donnees, taille)) return std::nullopt;
    const Bibliotheque& L = Lib();
    Session s{};
    EnTete e;
    bool lu = false;
    if (setjmp(s.erreur.saut) == 0) {
        if (Ouvre(s, donnees, taille)) {
            e.largeur = static_cast<int>(s.info.image_width);
            e.hauteur = static_cast<int>(s.info.image_height);
            e.progressif = L.multiple_scans(&s.info) != 0;
            lu = e.largeur > 0 && e.hauteur > 0;
        }
    }
    L.destroy(&s.info);
    if (!lu) return std::nullopt;
    return e;
}

namespace {

// Decodes at scale 1/denominateur into rows given by `ligne(y)`, calling
// `progres(lignesPretes)` after each batch. Returns the rows decoded, -1 on a
// fatal error before any row.
template <class Ligne, class Progres>
int DecodeLignes(const unsigned char* donnees, std::size_t taille, int denominateur,
                 int largeurAttendue, int hauteurAttendue, const std::atomic<bool>& annule,
                 Ligne&& ligne, Progres&& progres) {
    const Bibliotheque& L = Lib();
    Session s{};
    JSAMPROW lignes[LotLignes];
    volatile int faites = -1; // kept across a longjmp
    if (setjmp(s.erreur.saut) == 0) {
        if (Ouvre(s, donnees, taille)) {
            s.info.out_color_space = JCS_EXT_BGRX; // the byte order of RGB32 here
            s.info.scale_num = 1;
            s.info.scale_denom = static_cast<unsigned>(denominateur);
            L.start(&s.info);
            if (static_cast<int>(s.info.output_width) == largeurAttendue &&
                static_cast<int>(s.info.output_height) == hauteurAttendue) {
                faites = 0;
                while (static_cast<int>(s.info.output_scanline) < hauteurAttendue) {
                    if (annule.load(std::memory_order_relaxed)) break;
                    const int debut = static_cast<int>(s.info.output_scanline);
                    const int n = std::min(LotLignes, hauteurAttendue - debut);
                    for (int i = 0; i < n; ++i) lignes[i] = ligne(debut + i);
                    const int lues = static_cast<int>(
                        L.read_scanlines(&s.info, lignes, static_cast<JDIMENSION>(n)));
                    if (lues <= 0) break;
                    faites = debut + lues;
                    progres(faites);
                }
                if (faites == hauteurAttendue)
                    L.finish(&s.info);
                else
                    L.abandon(&s.info);
            }
        }
    }
    L.destroy(&s.info);
    return faites;
}

} // namespace

bool DecodeurJpeg::DecodeReduit(const unsigned char* donnees, std::size_t taille, int denominateur,
                                QImage& image, std::shared_ptr<TamponImage>& tampon,
                                const std::atomic<bool>& annule) {
    const auto e = LitEnTete(donnees, taille);
    if (!e) return false;
    // The library rounds the reduced size up.
    const int l = (e->largeur + denominateur - 1) / denominateur;
    const int h = (e->hauteur + denominateur - 1) / denominateur;
    const auto pas = static_cast<std::size_t>(l) * 4;
    const std::size_t besoin = pas * static_cast<std::size_t>(h);
    if (!tampon || tampon->Capacite() < besoin) {
        tampon.reset();
        tampon = std::make_shared<TamponImage>(besoin);
    }
    unsigned char* base = tampon->Donnees();
    const int faites = DecodeLignes(
        donnees, taille, denominateur, l, h, annule,
        [&](int y) { return base + pas * static_cast<std::size_t>(y); }, [](int) {});
    if (faites < h) return false;
    image = QImage(base, l, h, static_cast<qsizetype>(pas), QImage::Format_RGB32);
    return true;
}

bool DecodeurJpeg::Decode(const unsigned char* donnees, std::size_t taille, PyramideImage& pyramide,
                          const std::atomic<bool>& annule,
                          const std::function<void(int)>& progres) {
    const int faites = DecodeLignes(
        donnees, taille, 1, pyramide.Largeur(), pyramide.Hauteur(), annule,
        [&](int y) { return pyramide.Ligne(y); },
        [&](int pretes) {
            pyramide.AvanceNiveaux(pretes);
            if (progres) progres(pretes);
        });
    if (faites <= 0 || annule.load()) return false;
    if (faites < pyramide.Hauteur()) {
        // A truncated file: the rows never written show mid-grey, as other
        // readers show them.
        for (int y = faites; y < pyramide.Hauteur(); ++y) {
            auto* l = reinterpret_cast<std::uint32_t*>(pyramide.Ligne(y));
            std::fill(l, l + pyramide.Largeur(), 0xFF808080u);
        }
        pyramide.AvanceNiveaux(pyramide.Hauteur());
    }
    return true;
}

#else // no libjpeg-turbo at build time: Qt's reader does the work

bool DecodeurJpeg::Disponible() {
    return false;
}
std::optional<DecodeurJpeg::EnTete> DecodeurJpeg::LitEnTete(const unsigned char*, std::size_t) {
    return std::nullopt;
}
bool DecodeurJpeg::DecodeReduit(const unsigned char*, std::size_t, int, QImage&,
                                std::shared_ptr<TamponImage>&, const std::atomic<bool>&) {
    return false;
}
bool DecodeurJpeg::Decode(const unsigned char*, std::size_t, PyramideImage&,
                          const std::atomic<bool>&, const std::function<void(int)>&) {
    return false;
}

#endif

} // namespace orv
