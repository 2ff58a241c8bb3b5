#include "pixels/DecodeurJpeg.h"

#include "base/FichierTexte.h"
#include "pixels/BibliothequeJpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace orv {

bool DecodeurJpeg::EstJpeg(const unsigned char* donnees, std::size_t taille) {
    return taille >= 3 && donnees[0] == 0xFF && donnees[1] == 0xD8 && donnees[2] == 0xFF;
}

#ifdef ORV_LIBJPEG

namespace {

struct Erreur {
    jpeg_error_mgr pub;
    std::jmp_buf saut;
    bool finPrematuree; // the data ended before the picture did
};

extern "C" void SortieErreur(j_common_ptr c) {
    std::longjmp(reinterpret_cast<Erreur*>(c->err)->saut, 1);
}
extern "C" void MessageMuet(j_common_ptr) {}
extern "C" void Avertissement(j_common_ptr c, int niveau) {
    auto* e = reinterpret_cast<Erreur*>(c->err);
    if (niveau >= 0) return; // trace messages
    ++e->pub.num_warnings;
    if (e->pub.msg_code == JWRN_JPEG_EOF) e->finPrematuree = true;
}

// A decompressor reading a file a piece at a time: the file is never held
// whole in memory, and one cut short while it is read only ends early. Only
// plain data lives in the functions that call setjmp, so that a longjmp
// skips no destructor.
struct Session {
    jpeg_decompress_struct info;
    Erreur erreur;
    std::FILE* fichier;
};

// Opens the file and prepares the decompressor; false when the file cannot
// be opened (nothing to destroy then).
bool Prepare(Session& s, const std::string& chemin) {
    // Only a regular file, opened without blocking, by its name's bytes.
    const int fd = OuvreDescripteurLecture(chemin);
    if (fd < 0) return false;
    s.fichier = ::fdopen(fd, "rb");
    if (!s.fichier) {
        ::close(fd);
        return false;
    }
    std::setvbuf(s.fichier, nullptr, _IOFBF, 1 << 18);
    const BibliothequeJpeg& L = Lib();
    s.info.err = L.std_error(&s.erreur.pub);
    s.erreur.pub.error_exit = SortieErreur;
    s.erreur.pub.output_message = MessageMuet;
    s.erreur.pub.emit_message = Avertissement;
    s.erreur.finPrematuree = false;
    L.create(&s.info, JPEG_LIB_VERSION, sizeof(jpeg_decompress_struct));
    return true;
}

bool LitEnTeteSession(Session& s) {
    const BibliothequeJpeg& L = Lib();
    L.stdio_src(&s.info, s.fichier);
    return L.read_header(&s.info, TRUE) == JPEG_HEADER_OK;
}

void Ferme(Session& s) {
    Lib().destroy(&s.info);
    std::fclose(s.fichier);
}

constexpr int LotLignes = 16;

} // namespace

bool DecodeurJpeg::Disponible() {
    return Lib().ok;
}

std::optional<DecodeurJpeg::EnTete> DecodeurJpeg::LitEnTete(const std::string& chemin) {
    if (!Disponible()) return std::nullopt;
    const BibliothequeJpeg& L = Lib();
    Session s{};
    if (!Prepare(s, chemin)) return std::nullopt;
    EnTete e;
    volatile bool lu = false;
    if (setjmp(s.erreur.saut) == 0) {
        if (LitEnTeteSession(s)) {
            e.largeur = static_cast<int>(s.info.image_width);
            e.hauteur = static_cast<int>(s.info.image_height);
            e.progressif = L.multiple_scans(&s.info) != 0;
            lu = e.largeur > 0 && e.hauteur > 0;
        }
    }
    Ferme(s);
    if (!lu) return std::nullopt;
    return e;
}

namespace {

// Decodes at scale 1/denominateur into rows given by `ligne(y)`, calling
// `progres(lignesPretes)` after each batch. Returns the rows decoded, -1 on a
// fatal error before any row.
template <class Ligne, class Progres>
int DecodeLignes(const std::string& chemin, int denominateur, int largeurAttendue,
                 int hauteurAttendue, const std::atomic<bool>& annule, std::uint64_t budget,
                 bool* incomplet, Ligne&& ligne, Progres&& progres) {
    const BibliothequeJpeg& L = Lib();
    Session s{};
    if (!Prepare(s, chemin)) return -1;
    // What the library may take for itself (a progressive picture keeps all
    // its coefficients): beyond it the decoding fails rather than the program.
    if (budget > 0) s.info.mem->max_memory_to_use = static_cast<long>(budget);
    JSAMPROW lignes[LotLignes];
    volatile int faites = -1; // kept across a longjmp
    if (setjmp(s.erreur.saut) == 0) {
        if (LitEnTeteSession(s)) {
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
    if (incomplet) *incomplet = s.erreur.finPrematuree;
    Ferme(s);
    return faites;
}

} // namespace

bool DecodeurJpeg::DecodeReduit(const std::string& chemin, int denominateur, QImage& image,
                                std::shared_ptr<TamponImage>& tampon,
                                const std::atomic<bool>& annule, std::uint64_t budgetOctets) {
    const auto e = LitEnTete(chemin);
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
        chemin, denominateur, l, h, annule, budgetOctets, nullptr,
        [&](int y) { return base + pas * static_cast<std::size_t>(y); }, [](int) {});
    if (faites < h) return false;
    image = QImage(base, l, h, static_cast<qsizetype>(pas), QImage::Format_RGB32);
    return true;
}

bool DecodeurJpeg::Decode(const std::string& chemin, PyramideImage& pyramide,
                          const std::atomic<bool>& annule, const std::function<void(int)>& progres,
                          bool niveauxAPart, std::uint64_t budgetOctets, bool* incomplet,
                          int orientation) {
    const bool redresse = OrientationValide(orientation) != OrientationNormale;
    const TailleImage stockee =
        TailleRedressee({pyramide.Largeur(), pyramide.Hauteur()}, orientation);
    // This thread decodes; another one follows with the coarser levels, or
    // this one computes them as the rows come. Turned, the rows of level 0
    // are only whole once every stored row is in: the levels wait for it.
    std::optional<SuiviNiveaux> suivi;
    if (niveauxAPart && !redresse) suivi.emplace(pyramide, progres);
    auto avance = [&](int pretes) {
        if (suivi) {
            suivi->Avance(pretes);
        } else {
            pyramide.AvanceNiveaux(pretes);
            if (progres) progres(pretes);
        }
    };
    // Turned: the stored rows of a batch, then copied upright into level 0.
    const Redressement m = RedressementPixels(orientation, stockee);
    std::vector<std::uint32_t> bande;
    if (redresse) bande.resize(static_cast<std::size_t>(stockee.largeur) * LotLignes);
    auto ligneBande = [&](int y) {
        return bande.data() + static_cast<std::size_t>(y % LotLignes) * stockee.largeur;
    };
    int copiees = 0;
    auto copie = [&](int jusqua) {
        for (; copiees < jusqua; ++copiees)
            CopieRedressee(ligneBande(copiees), copiees, stockee.largeur, m, pyramide.Pixels0(),
                           pyramide.PasPixels0());
    };
    bool finPrematuree = false;
    const int faites = DecodeLignes(
        chemin, 1, stockee.largeur, stockee.hauteur, annule, budgetOctets, &finPrematuree,
        [&](int y) {
            return redresse ? reinterpret_cast<unsigned char*>(ligneBande(y)) : pyramide.Ligne(y);
        },
        [&](int pretes) {
            if (redresse)
                copie(pretes);
            else
                avance(pretes);
        });
    if (faites <= 0 || annule.load()) return false;
    if (incomplet) *incomplet = finPrematuree || faites < stockee.hauteur;
    if (faites < stockee.hauteur) {
        // A truncated file: the rows never written show mid-grey, as other
        // readers show them.
        for (int y = faites; y < stockee.hauteur; ++y) {
            if (redresse) {
                std::fill(ligneBande(y), ligneBande(y) + stockee.largeur, 0xFF808080u);
                copie(y + 1);
            } else {
                auto* l = reinterpret_cast<std::uint32_t*>(pyramide.Ligne(y));
                std::fill(l, l + stockee.largeur, 0xFF808080u);
            }
        }
        if (!redresse) avance(stockee.hauteur);
    }
    if (redresse) avance(pyramide.Hauteur());
    return true; // the levels are complete once `suivi` has gone
}

#else // no libjpeg-turbo at build time: Qt's reader does the work

bool DecodeurJpeg::Disponible() {
    return false;
}
std::optional<DecodeurJpeg::EnTete> DecodeurJpeg::LitEnTete(const std::string&) {
    return std::nullopt;
}
bool DecodeurJpeg::DecodeReduit(const std::string&, int, QImage&, std::shared_ptr<TamponImage>&,
                                const std::atomic<bool>&, std::uint64_t) {
    return false;
}
bool DecodeurJpeg::Decode(const std::string&, PyramideImage&, const std::atomic<bool>&,
                          const std::function<void(int)>&, bool, std::uint64_t, bool*, int) {
    return false;
}

#endif

} // namespace orv
