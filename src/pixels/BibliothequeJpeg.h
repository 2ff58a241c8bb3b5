// libjpeg-turbo, loaded when first needed so that the program builds and runs
// without it: its entry points, looked up once, for the decoder and the
// encoder of this folder (not for use elsewhere). ORV_LIBJPEG says whether
// the build saw the library's header.
#pragma once

#if defined(__linux__) && __has_include(<jpeglib.h>) && __has_include(<dlfcn.h>)
#include <cstdio> // jpeglib.h needs FILE and size_t first
#include <dlfcn.h>
#include <jerror.h>
#include <jpeglib.h>
#include <unistd.h>
#if defined(JCS_EXTENSIONS) && (JPEG_LIB_VERSION >= 80 || defined(MEM_SRCDST_SUPPORTED))
#define ORV_LIBJPEG 1
#endif
#endif

#ifdef ORV_LIBJPEG

#include <type_traits>

namespace orv {

// The header's version must be the library's: the structures are shared.
struct BibliothequeJpeg {
    decltype(&jpeg_std_error) std_error = nullptr;
    // Decoding.
    decltype(&jpeg_CreateDecompress) create = nullptr;
    decltype(&jpeg_destroy_decompress) destroy = nullptr;
    decltype(&jpeg_stdio_src) stdio_src = nullptr;
    decltype(&jpeg_read_header) read_header = nullptr;
    decltype(&jpeg_start_decompress) start = nullptr;
    decltype(&jpeg_read_scanlines) read_scanlines = nullptr;
    decltype(&jpeg_finish_decompress) finish = nullptr;
    decltype(&jpeg_abort_decompress) abandon = nullptr;
    decltype(&jpeg_has_multiple_scans) multiple_scans = nullptr;
    bool ok = false;
    // Encoding.
    decltype(&jpeg_CreateCompress) createCompress = nullptr;
    decltype(&jpeg_destroy_compress) destroyCompress = nullptr;
    decltype(&jpeg_mem_dest) mem_dest = nullptr;
    decltype(&jpeg_set_defaults) set_defaults = nullptr;
    decltype(&jpeg_set_quality) set_quality = nullptr;
    decltype(&jpeg_start_compress) start_compress = nullptr;
    decltype(&jpeg_write_scanlines) write_scanlines = nullptr;
    decltype(&jpeg_finish_compress) finish_compress = nullptr;
    bool okCompression = false;

    BibliothequeJpeg() {
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
             prend(destroy, "jpeg_destroy_decompress") && prend(stdio_src, "jpeg_stdio_src") &&
             prend(read_header, "jpeg_read_header") && prend(start, "jpeg_start_decompress") &&
             prend(read_scanlines, "jpeg_read_scanlines") &&
             prend(finish, "jpeg_finish_decompress") && prend(abandon, "jpeg_abort_decompress") &&
             prend(multiple_scans, "jpeg_has_multiple_scans");
        okCompression =
            ok && prend(createCompress, "jpeg_CreateCompress") &&
            prend(destroyCompress, "jpeg_destroy_compress") && prend(mem_dest, "jpeg_mem_dest") &&
            prend(set_defaults, "jpeg_set_defaults") && prend(set_quality, "jpeg_set_quality") &&
            prend(start_compress, "jpeg_start_compress") &&
            prend(write_scanlines, "jpeg_write_scanlines") &&
            prend(finish_compress, "jpeg_finish_compress");
        // The handle stays open for the life of the program.
    }
};

inline const BibliothequeJpeg& Lib() {
    static const BibliothequeJpeg b;
    return b;
}

} // namespace orv

#endif
