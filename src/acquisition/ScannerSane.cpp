#include "acquisition/ScannerSane.h"

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <mutex>

namespace orv {

namespace {

// A frame larger than this is refused rather than exhausting the memory.
constexpr std::int64_t kOctetsMax = std::int64_t{1} << 31;
constexpr int kCoteMax = 100'000; // pixels

ResultatAcquisition Echec(EchecAcquisition e, std::string texte = {}) {
    ResultatAcquisition r;
    r.echec = e;
    r.erreur = std::move(texte);
    return r;
}

ResultatAcquisition EchecSane(SANE_Status s) {
    if (s == SANE_STATUS_CANCELLED) return Echec(EchecAcquisition::Annulee);
    return Echec(EchecAcquisition::Appareil, sane_strstatus(s));
}

// Closes the device on every way out; a scan under way is cancelled first.
class Appareil {
public:
    explicit Appareil(SANE_Handle h) : h_(h) {}
    ~Appareil() {
        sane_cancel(h_);
        sane_close(h_);
    }
    Appareil(const Appareil&) = delete;
    Appareil& operator=(const Appareil&) = delete;
    SANE_Handle get() const { return h_; }

private:
    SANE_Handle h_;
};

// Sets the scan mode when the device has the option and offers the value;
// otherwise the device keeps its own.
void FixeMode(SANE_Handle h, ModeAcquisition mode) {
    if (mode == ModeAcquisition::Appareil) return;
    const char* voulu =
        mode == ModeAcquisition::Couleur ? SANE_VALUE_SCAN_MODE_COLOR : SANE_VALUE_SCAN_MODE_GRAY;
    for (SANE_Int i = 1;; ++i) {
        const SANE_Option_Descriptor* d = sane_get_option_descriptor(h, i);
        if (!d) return;
        if (!d->name || std::strcmp(d->name, SANE_NAME_SCAN_MODE) != 0) continue;
        if (d->type != SANE_TYPE_STRING || !SANE_OPTION_IS_SETTABLE(d->cap) ||
            d->constraint_type != SANE_CONSTRAINT_STRING_LIST)
            return;
        for (const SANE_String_Const* v = d->constraint.string_list; *v; ++v) {
            if (std::strcmp(*v, voulu) != 0) continue;
            std::vector<char> valeur(static_cast<std::size_t>(std::max<SANE_Int>(d->size, 1)));
            std::strncpy(valeur.data(), voulu, valeur.size() - 1);
            sane_control_option(h, i, SANE_ACTION_SET_VALUE, valeur.data(), nullptr);
            return;
        }
        return;
    }
}

// One sample of a row as 0..255. 1-bit grey: 1 is black; 1-bit colour: 1 is
// full intensity. 16 bits come in the machine's byte order.
std::uint8_t Echantillon(const std::uint8_t* ligne, int indice, int profondeur, bool gris) {
    switch (profondeur) {
    case 1: {
        const bool bit = (ligne[indice / 8] >> (7 - indice % 8)) & 1;
        return (bit != gris) ? 255 : 0;
    }
    case 16: {
        std::uint16_t v;
        std::memcpy(&v, ligne + 2 * indice, 2);
        return static_cast<std::uint8_t>(v >> 8);
    }
    default:
        return ligne[indice];
    }
}

struct Trame {
    SANE_Parameters p{};
    std::vector<std::uint8_t> octets;
};

// Reads one frame's bytes; `fait` and `total` (bytes) drive the progress.
SANE_Status LitTrame(SANE_Handle h, Trame& t, const std::atomic<bool>& annule,
                     const std::function<void(int)>& progres, std::int64_t& fait,
                     std::int64_t total) {
    std::array<SANE_Byte, 65536> tampon;
    if (t.p.lines > 0)
        t.octets.reserve(static_cast<std::size_t>(t.p.bytes_per_line) *
                         static_cast<std::size_t>(t.p.lines));
    for (;;) {
        if (annule) return SANE_STATUS_CANCELLED;
        SANE_Int lus = 0;
        const SANE_Status s = sane_read(h, tampon.data(), tampon.size(), &lus);
        if (s == SANE_STATUS_EOF) return SANE_STATUS_GOOD;
        if (s != SANE_STATUS_GOOD) return s;
        if (static_cast<std::int64_t>(t.octets.size()) + lus > kOctetsMax)
            return SANE_STATUS_NO_MEM;
        t.octets.insert(t.octets.end(), tampon.data(), tampon.data() + lus);
        fait += lus;
        if (progres && total > 0)
            progres(static_cast<int>(std::min<std::int64_t>(100, fait * 100 / total)));
    }
}

} // namespace

namespace {

// SANE is one per process and its backends are not thread-safe: every call,
// whichever ScannerSane makes it, holds this lock; SANE is started once and
// closed with the last ScannerSane.
std::mutex verrouSane;
int instances = 0;        // guarded by verrouSane
bool saneDemarre = false; // guarded by verrouSane

} // namespace

ScannerSane::ScannerSane() {
    std::lock_guard l(verrouSane);
    ++instances;
}

ScannerSane::~ScannerSane() {
    std::lock_guard l(verrouSane);
    if (--instances == 0 && saneDemarre) {
        sane_exit();
        saneDemarre = false;
    }
}

bool ScannerSane::Initialise() {
    if (!saneDemarre) saneDemarre = sane_init(nullptr, nullptr) == SANE_STATUS_GOOD;
    return saneDemarre;
}

std::vector<SourceAcquisition> ScannerSane::Sources() {
    std::lock_guard l(verrouSane);
    std::vector<SourceAcquisition> sources;
    const SANE_Device** liste = nullptr;
    if (!Initialise() || sane_get_devices(&liste, SANE_FALSE) != SANE_STATUS_GOOD || !liste)
        return sources;
    for (const SANE_Device** d = liste; *d; ++d) {
        const auto texte = [](const char* s) { return std::string(s ? s : ""); };
        std::string description = texte((*d)->vendor) + " " + texte((*d)->model);
        if ((*d)->type && *(*d)->type) description += " (" + texte((*d)->type) + ")";
        sources.push_back({texte((*d)->name), description});
    }
    // The backends go until an acquisition needs them: loaded for the
    // listing, they would hold some 16 MB for as long as the program runs
    // (the list holds copies; an acquisition starts SANE again).
    sane_exit();
    saneDemarre = false;
    return sources;
}

ResultatAcquisition ScannerSane::Acquiert(const std::string& source, ModeAcquisition mode,
                                          const std::atomic<bool>& annule,
                                          const std::function<void(int)>& progres) {
    std::string nom = source;
    if (nom.empty()) {
        const auto sources = Sources();
        if (sources.empty()) return Echec(EchecAcquisition::AucuneSource);
        nom = sources.front().nom;
    }
    std::lock_guard l(verrouSane);
    if (!Initialise()) return Echec(EchecAcquisition::AucuneSource);
    SANE_Handle h = nullptr;
    if (const SANE_Status s = sane_open(nom.c_str(), &h); s != SANE_STATUS_GOOD)
        return EchecSane(s);
    Appareil appareil(h);
    FixeMode(h, mode);

    // One frame, or the red, green and blue frames of a three-pass device.
    std::vector<Trame> trames;
    std::int64_t fait = 0;
    for (;;) {
        if (annule) return Echec(EchecAcquisition::Annulee);
        if (const SANE_Status s = sane_start(h); s != SANE_STATUS_GOOD) return EchecSane(s);
        Trame t;
        if (const SANE_Status s = sane_get_parameters(h, &t.p); s != SANE_STATUS_GOOD)
            return EchecSane(s);
        const auto& p = t.p;
        if (p.pixels_per_line <= 0 || p.pixels_per_line > kCoteMax || p.lines > kCoteMax ||
            p.bytes_per_line <= 0 || (p.depth != 1 && p.depth != 8 && p.depth != 16))
            return EchecSane(SANE_STATUS_UNSUPPORTED);
        const bool passe = p.format == SANE_FRAME_RED || p.format == SANE_FRAME_GREEN ||
                           p.format == SANE_FRAME_BLUE;
        const std::int64_t total =
            p.lines > 0 ? std::int64_t{p.bytes_per_line} * p.lines * (passe ? 3 : 1) : 0;
        if (const SANE_Status s = LitTrame(h, t, annule, progres, fait, total);
            s != SANE_STATUS_GOOD)
            return EchecSane(s);
        const bool derniere = t.p.last_frame;
        trames.push_back(std::move(t));
        if (derniere || trames.size() >= 3) break;
    }

    // The picture: the first frame gives the size; a device that does not
    // know its height beforehand (hand scanner) gives it by what it sent.
    const SANE_Parameters& p = trames.front().p;
    const int largeur = p.pixels_per_line;
    int hauteur =
        static_cast<int>(trames.front().octets.size() / static_cast<std::size_t>(p.bytes_per_line));
    if (p.lines > 0) hauteur = std::min(hauteur, p.lines);
    for (const auto& t : trames)
        hauteur =
            std::min<int>(hauteur, static_cast<int>(t.octets.size() /
                                                    static_cast<std::size_t>(t.p.bytes_per_line)));
    if (hauteur <= 0) return EchecSane(SANE_STATUS_EOF);

    ResultatAcquisition r;
    r.image.largeur = largeur;
    r.image.hauteur = hauteur;
    r.image.pixels.assign(static_cast<std::size_t>(largeur) * static_cast<std::size_t>(hauteur),
                          0xFF000000u);
    for (const auto& t : trames) {
        const auto& q = t.p;
        const bool gris = q.format == SANE_FRAME_GRAY;
        const bool rgb = q.format == SANE_FRAME_RGB;
        const int decalage = q.format == SANE_FRAME_RED ? 16 : q.format == SANE_FRAME_GREEN ? 8 : 0;
        const int largeurTrame = std::min(largeur, q.pixels_per_line);
        // Rows must hold the samples the parameters announce.
        const std::int64_t besoin = (std::int64_t{largeurTrame} * (rgb ? 3 : 1) * q.depth + 7) / 8;
        if (besoin > q.bytes_per_line) return EchecSane(SANE_STATUS_UNSUPPORTED);
        for (int y = 0; y < hauteur; ++y) {
            const std::uint8_t* ligne =
                t.octets.data() + static_cast<std::size_t>(y) * q.bytes_per_line;
            std::uint32_t* sortie = r.image.pixels.data() + static_cast<std::size_t>(y) * largeur;
            for (int x = 0; x < largeurTrame; ++x) {
                if (rgb) {
                    const std::uint32_t rouge = Echantillon(ligne, 3 * x, q.depth, false);
                    const std::uint32_t vert = Echantillon(ligne, 3 * x + 1, q.depth, false);
                    const std::uint32_t bleu = Echantillon(ligne, 3 * x + 2, q.depth, false);
                    sortie[x] = 0xFF000000u | rouge << 16 | vert << 8 | bleu;
                } else if (gris) {
                    const std::uint32_t v = Echantillon(ligne, x, q.depth, true);
                    sortie[x] = 0xFF000000u | v << 16 | v << 8 | v;
                } else {
                    sortie[x] |= std::uint32_t{Echantillon(ligne, x, q.depth, false)} << decalage;
                }
            }
        }
    }
    if (progres) progres(100);
    return r;
}

} // namespace orv
