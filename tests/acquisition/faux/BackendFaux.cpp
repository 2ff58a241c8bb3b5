// The fake scanner of ScannerFaux.h, a SANE backend: SANE's "dll" library
// finds it through dll.conf and LD_LIBRARY_PATH and calls it by the
// sane_orvfaux_ names. Reads come 7 bytes at a time, so that a 16-bit
// sample is cut between two reads.
#include "ScannerFaux.h"

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Appareil {
    std::string trames = "rgb";
    int profondeur = 8, largeur = 0, lignes = 0;
    int passe = -1; // the frame under way; -1: none started
    std::vector<SANE_Byte> octets;
    std::size_t lus = 0;
};

Appareil appareil;

const SANE_Device kAppareil{"0", "Orvelle", "fake", "flatbed scanner"};
const SANE_Device* kListe[] = {&kAppareil, nullptr};

const SANE_Option_Descriptor kNombreOptions{"",
                                            SANE_TITLE_NUM_OPTIONS,
                                            SANE_DESC_NUM_OPTIONS,
                                            SANE_TYPE_INT,
                                            SANE_UNIT_NONE,
                                            sizeof(SANE_Word),
                                            SANE_CAP_SOFT_DETECT,
                                            SANE_CONSTRAINT_NONE,
                                            {nullptr}};

bool Passes() {
    return appareil.trames == "passes";
}

SANE_Parameters Parametres() {
    SANE_Parameters p{};
    const bool rgb = appareil.trames == "rgb";
    p.format = rgb                   ? SANE_FRAME_RGB
               : !Passes()           ? SANE_FRAME_GRAY
               : appareil.passe == 0 ? SANE_FRAME_RED
               : appareil.passe == 1 ? SANE_FRAME_GREEN
                                     : SANE_FRAME_BLUE;
    p.last_frame = !Passes() || appareil.passe == 2;
    p.depth = appareil.profondeur;
    p.pixels_per_line = appareil.largeur;
    p.lines = appareil.lignes;
    p.bytes_per_line = appareil.largeur * (rgb ? 3 : 1) * appareil.profondeur / 8;
    return p;
}

} // namespace

extern "C" {

SANE_Status sane_orvfaux_init(SANE_Int* version, SANE_Auth_Callback) {
    if (version) *version = SANE_VERSION_CODE(1, 0, 0);
    return SANE_STATUS_GOOD;
}

void sane_orvfaux_exit() {}

SANE_Status sane_orvfaux_get_devices(const SANE_Device*** liste, SANE_Bool) {
    *liste = kListe;
    return SANE_STATUS_GOOD;
}

SANE_Status sane_orvfaux_open(SANE_String_Const nom, SANE_Handle* h) {
    if (nom[0] != '\0' && std::strcmp(nom, "0") != 0) return SANE_STATUS_INVAL;
    const char* dossier = std::getenv("SANE_CONFIG_DIR");
    std::ifstream conf(std::string(dossier ? dossier : ".") + "/orvfaux.conf");
    appareil = Appareil{};
    if (!(conf >> appareil.trames >> appareil.profondeur >> appareil.largeur >> appareil.lignes))
        return SANE_STATUS_IO_ERROR;
    *h = &appareil;
    return SANE_STATUS_GOOD;
}

void sane_orvfaux_close(SANE_Handle) {}

const SANE_Option_Descriptor* sane_orvfaux_get_option_descriptor(SANE_Handle, SANE_Int option) {
    return option == 0 ? &kNombreOptions : nullptr;
}

SANE_Status sane_orvfaux_control_option(SANE_Handle, SANE_Int option, SANE_Action action,
                                        void* valeur, SANE_Int*) {
    if (option != 0 || action != SANE_ACTION_GET_VALUE) return SANE_STATUS_INVAL;
    *static_cast<SANE_Word*>(valeur) = 1;
    return SANE_STATUS_GOOD;
}

SANE_Status sane_orvfaux_get_parameters(SANE_Handle, SANE_Parameters* p) {
    *p = Parametres();
    return SANE_STATUS_GOOD;
}

// The next frame's bytes, row by row.
SANE_Status sane_orvfaux_start(SANE_Handle) {
    if (appareil.passe >= (Passes() ? 2 : 0)) return SANE_STATUS_INVAL;
    ++appareil.passe;
    const SANE_Parameters p = Parametres();
    const int canaux = p.format == SANE_FRAME_RGB ? 3 : 1;
    appareil.octets.clear();
    appareil.lus = 0;
    for (int y = 0; y < p.lines; ++y)
        for (int x = 0; x < p.pixels_per_line; ++x)
            for (int k = 0; k < canaux; ++k) {
                const int canal = Passes() ? appareil.passe : k;
                const std::uint16_t v = orv::test::ValeurFaux(x, y, canal);
                SANE_Byte b[2];
                std::memcpy(b, &v, 2);
                if (p.depth == 16)
                    appareil.octets.insert(appareil.octets.end(), b, b + 2);
                else
                    appareil.octets.push_back(static_cast<SANE_Byte>(v >> 8));
            }
    return SANE_STATUS_GOOD;
}

SANE_Status sane_orvfaux_read(SANE_Handle, SANE_Byte* donnees, SANE_Int max, SANE_Int* n) {
    *n = 0;
    if (appareil.lus >= appareil.octets.size()) return SANE_STATUS_EOF;
    const std::size_t k =
        std::min({appareil.octets.size() - appareil.lus, std::size_t{7}, std::size_t(max)});
    std::memcpy(donnees, appareil.octets.data() + appareil.lus, k);
    appareil.lus += k;
    *n = static_cast<SANE_Int>(k);
    return SANE_STATUS_GOOD;
}

void sane_orvfaux_cancel(SANE_Handle) {
    appareil.passe = -1;
}

SANE_Status sane_orvfaux_set_io_mode(SANE_Handle, SANE_Bool non_bloquant) {
    return non_bloquant ? SANE_STATUS_UNSUPPORTED : SANE_STATUS_GOOD;
}

SANE_Status sane_orvfaux_get_select_fd(SANE_Handle, SANE_Int*) {
    return SANE_STATUS_UNSUPPORTED;
}

} // extern "C"
