#include "pixels/EncodeurJpeg.h"

#include "pixels/BibliothequeJpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdlib>

namespace orv {

#ifdef ORV_LIBJPEG

namespace {

struct ErreurCompression {
    jpeg_error_mgr pub;
    std::jmp_buf saut;
};

extern "C" void SortieCompression(j_common_ptr c) {
    std::longjmp(reinterpret_cast<ErreurCompression*>(c->err)->saut, 1);
}
extern "C" void MessageCompressionMuet(j_common_ptr) {}

constexpr int Lot = 16;

// Only plain data lives here, so that a longjmp skips no destructor.
struct Compression {
    jpeg_compress_struct info;
    ErreurCompression erreur;
    unsigned char* sortie;
    unsigned long taille;
};

bool Comprime(Compression& c, int largeur, int hauteur,
              const std::function<const std::uint32_t*(int)>& ligne, int qualite) {
    const BibliothequeJpeg& L = Lib();
    JSAMPROW lignes[Lot];
    volatile bool fait = false;
    if (setjmp(c.erreur.saut) == 0) {
        L.mem_dest(&c.info, &c.sortie, &c.taille);
        c.info.image_width = static_cast<JDIMENSION>(largeur);
        c.info.image_height = static_cast<JDIMENSION>(hauteur);
        c.info.input_components = 4;
        c.info.in_color_space = JCS_EXT_BGRX; // the byte order of 0xFFRRGGBB here
        L.set_defaults(&c.info);
        L.set_quality(&c.info, qualite, TRUE);
        L.start_compress(&c.info, TRUE);
        while (static_cast<int>(c.info.next_scanline) < hauteur) {
            const int debut = static_cast<int>(c.info.next_scanline);
            const int n = std::min(Lot, hauteur - debut);
            for (int i = 0; i < n; ++i)
                // The library only reads the rows it is given.
                lignes[i] =
                    reinterpret_cast<JSAMPROW>(const_cast<std::uint32_t*>(ligne(debut + i)));
            if (L.write_scanlines(&c.info, lignes, static_cast<JDIMENSION>(n)) == 0) break;
        }
        if (static_cast<int>(c.info.next_scanline) == hauteur) {
            L.finish_compress(&c.info);
            fait = true;
        }
    }
    return fait;
}

} // namespace

std::optional<std::string> EncodeJpeg(int largeur, int hauteur,
                                      const std::function<const std::uint32_t*(int)>& ligne,
                                      int qualite) {
    const BibliothequeJpeg& L = Lib();
    if (!L.okCompression || largeur <= 0 || hauteur <= 0 || largeur > JPEG_MAX_DIMENSION ||
        hauteur > JPEG_MAX_DIMENSION)
        return std::nullopt;
    Compression c{};
    c.info.err = L.std_error(&c.erreur.pub);
    c.erreur.pub.error_exit = SortieCompression;
    c.erreur.pub.output_message = MessageCompressionMuet;
    L.createCompress(&c.info, JPEG_LIB_VERSION, sizeof(jpeg_compress_struct));
    const bool fait = Comprime(c, largeur, hauteur, ligne, qualite);
    L.destroyCompress(&c.info);
    std::optional<std::string> r;
    if (fait && c.sortie) r.emplace(reinterpret_cast<const char*>(c.sortie), c.taille);
    std::free(c.sortie); // the library's own buffer
    return r;
}

#else

std::optional<std::string> EncodeJpeg(int, int, const std::function<const std::uint32_t*(int)>&,
                                      int) {
    return std::nullopt;
}

#endif

} // namespace orv
