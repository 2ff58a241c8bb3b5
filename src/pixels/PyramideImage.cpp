#include "pixels/PyramideImage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

#include <QPainter>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace orv {

namespace {

constexpr std::size_t Alignement = std::size_t{1} << 21; // one huge page
constexpr std::size_t Page = 4096;
constexpr int TailleMini = 128; // the last level is at most this wide and high

std::size_t Arrondit(std::size_t n, std::size_t a) {
    return (n + a - 1) / a * a;
}

// Average of four RGB32 pixels, per channel, rounded; alpha stays 0xFF.
inline std::uint32_t Moyenne4(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    constexpr std::uint32_t m = 0x00FF00FFu;
    const std::uint32_t rb = (a & m) + (b & m) + (c & m) + (d & m) + 0x00020002u;
    const std::uint32_t ag =
        ((a >> 8) & m) + ((b >> 8) & m) + ((c >> 8) & m) + ((d >> 8) & m) + 0x00020002u;
    return ((rb >> 2) & m) | (((ag >> 2) & m) << 8);
}

void Dimensions(int largeur, int hauteur, std::vector<int>& ls, std::vector<int>& hs) {
    ls.assign(1, std::max(largeur, 0));
    hs.assign(1, std::max(hauteur, 0));
    while (ls.back() > TailleMini || hs.back() > TailleMini) {
        ls.push_back((ls.back() + 1) / 2);
        hs.push_back((hs.back() + 1) / 2);
    }
}

std::size_t PasLigne(int largeur) {
    return Arrondit(static_cast<std::size_t>(largeur) * 4, 64);
}

} // namespace

void TamponImage::Libere::operator()(unsigned char* p) const {
#ifdef __linux__
    munmap(p, longueur);
#else
    std::free(p);
#endif
}

TamponImage::TamponImage(std::size_t octets) : donnees_(nullptr, Libere{}) {
#ifdef __linux__
    // Exactly the pages asked for, starting on a huge page's boundary: the
    // tail of the last huge page is not taken (nor counted) for nothing.
    capacite_ = Arrondit(std::max<std::size_t>(octets, 1), Page);
    const std::size_t large = capacite_ + Alignement;
    void* m = mmap(nullptr, large, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m == MAP_FAILED) throw std::bad_alloc();
    auto* brut = static_cast<unsigned char*>(m);
    // The aligned start as an offset into the mapping, not a pointer made
    // from an integer.
    const std::uintptr_t adresse = reinterpret_cast<std::uintptr_t>(brut);
    unsigned char* debut = brut + (Arrondit(adresse, Alignement) - adresse);
    if (debut > brut) munmap(brut, static_cast<std::size_t>(debut - brut));
    if (const std::size_t apres = static_cast<std::size_t>(brut + large - (debut + capacite_)))
        munmap(debut + capacite_, apres);
    donnees_ = std::unique_ptr<unsigned char, Libere>(debut, Libere{capacite_});
#ifdef MADV_HUGEPAGE
    madvise(debut, capacite_, MADV_HUGEPAGE);
#endif
#else
    capacite_ = Arrondit(std::max<std::size_t>(octets, 1), Alignement);
    donnees_.reset(static_cast<unsigned char*>(std::aligned_alloc(Alignement, capacite_)));
    if (!donnees_) throw std::bad_alloc();
#endif
}

void TamponImage::Relache(std::size_t garde) {
#if defined(__linux__) && defined(MADV_DONTNEED)
    garde = Arrondit(garde, Page);
    if (garde < capacite_) madvise(donnees_.get() + garde, capacite_ - garde, MADV_DONTNEED);
#else
    (void)garde;
#endif
}

void TamponImage::Prepare(std::size_t debut, std::size_t fin) {
    fin = std::min(fin, capacite_);
    debut = std::min(debut / Page * Page, fin);
    if (debut >= fin) return;
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    if (madvise(donnees_.get() + debut, fin - debut, MADV_POPULATE_WRITE) == 0) return;
#endif
    // An older system: one write a page (the pixels are written over later).
    for (std::size_t i = debut; i < fin; i += Page)
        reinterpret_cast<volatile unsigned char*>(donnees_.get())[i] = 0;
}

std::size_t PyramideImage::TailleNecessaire(int largeur, int hauteur) {
    std::vector<int> ls, hs;
    Dimensions(largeur, hauteur, ls, hs);
    std::size_t total = 0;
    for (std::size_t k = 0; k < ls.size(); ++k)
        total += PasLigne(ls[k]) * static_cast<std::size_t>(hs[k]);
    return total;
}

PyramideImage::PyramideImage(int largeur, int hauteur, std::shared_ptr<TamponImage> tampon) {
    Dimensions(largeur, hauteur, largeurs_, hauteurs_);
    const std::size_t besoin = TailleNecessaire(largeur, hauteur);
    if (!tampon || tampon->Capacite() < besoin) {
        tampon.reset(); // give the old block back before taking a larger one
        tampon = std::make_shared<TamponImage>(besoin);
    }
    tampon_ = std::move(tampon);
    std::size_t debut = 0;
    for (std::size_t k = 0; k < largeurs_.size(); ++k) {
        debuts_.push_back(debut);
        pas_.push_back(PasLigne(largeurs_[k]));
        lignesCalculees_.push_back(0);
        niveaux_.emplace_back(tampon_->Donnees() + debut, largeurs_[k], hauteurs_[k],
                              static_cast<qsizetype>(pas_[k]), QImage::Format_RGB32);
        debut += pas_[k] * static_cast<std::size_t>(hauteurs_[k]);
    }
}

void CopieRedressee(const std::uint32_t* ligne, int y, int largeur, const Redressement& m,
                    std::uint32_t* base, qsizetype pas) {
    // A stored row runs along a row or a column of the upright picture.
    const qsizetype suivant = m.vx * pas + m.ux;
    qsizetype i = qsizetype{m.vy * y + m.v0} * pas + (m.uy * y + m.u0);
    for (int x = 0; x < largeur; ++x, i += suivant) base[i] = ligne[x];
}

std::uint32_t* PyramideImage::Pixels0() {
    return reinterpret_cast<std::uint32_t*>(tampon_->Donnees() + debuts_[0]);
}

qsizetype PyramideImage::PasPixels0() const {
    return static_cast<qsizetype>(pas_[0] / 4);
}

std::unique_ptr<PyramideImage>
PyramideImage::Depuis(const QImage& image, std::shared_ptr<TamponImage> tampon, int orientation) {
    if (image.isNull()) return nullptr;
    const TailleImage droite = TailleRedressee({image.width(), image.height()}, orientation);
    auto p = std::make_unique<PyramideImage>(droite.largeur, droite.hauteur, std::move(tampon));
    const bool redresse = OrientationValide(orientation) != OrientationNormale;
    const Redressement m = RedressementPixels(orientation, {image.width(), image.height()});
    const std::size_t octets = static_cast<std::size_t>(image.width()) * 4;
    // Converted a band at a time, so that a 16-bit picture never sits in
    // memory a third time as a whole RGB32 copy.
    constexpr int Bande = 64;
    for (int y0 = 0; y0 < image.height(); y0 += Bande) {
        const int n = std::min(Bande, image.height() - y0);
        QImage bande =
            image.format() == QImage::Format_RGB32
                ? image
                : image.copy(0, y0, image.width(), n).convertToFormat(QImage::Format_RGB32);
        if (bande.isNull()) return nullptr;
        const int decalage = image.format() == QImage::Format_RGB32 ? y0 : 0;
        for (int i = 0; i < n; ++i) {
            const uchar* ligne = bande.constScanLine(decalage + i);
            if (redresse)
                CopieRedressee(reinterpret_cast<const std::uint32_t*>(ligne), y0 + i, image.width(),
                               m, p->Pixels0(), p->PasPixels0());
            else
                std::memcpy(p->Ligne(y0 + i), ligne, octets);
        }
        // Turned, the rows are only whole once every stored row is in.
        if (!redresse) p->AvanceNiveaux(y0 + n);
    }
    if (redresse) p->AvanceNiveaux(p->Hauteur());
    return p;
}

int PyramideImage::NiveauPour(double echelle) const {
    if (niveaux_.empty() || !(echelle > 0) || !std::isfinite(echelle)) return 0;
    // 2^-k >= echelle, with a small allowance so an exact half takes the half.
    const int k = static_cast<int>(std::floor(std::log2(1.0 / echelle) + 1e-9));
    return std::clamp(k, 0, NombreNiveaux() - 1);
}

unsigned char* PyramideImage::Ligne(int y) {
    return tampon_->Donnees() + debuts_[0] + pas_[0] * static_cast<std::size_t>(y);
}

void PyramideImage::AvanceNiveaux(int lignesPretes) {
    if (lignesCalculees_.empty()) return;
    lignesCalculees_[0] = std::clamp(lignesPretes, lignesCalculees_[0], hauteurs_[0]);
    for (std::size_t k = 1; k < largeurs_.size(); ++k) {
        const int pretes = lignesCalculees_[k - 1];
        const int hPrec = hauteurs_[k - 1];
        int& faites = lignesCalculees_[k];
        while (faites < hauteurs_[k] && std::min(2 * faites + 1, hPrec - 1) < pretes) {
            CalculeLigne(static_cast<int>(k), faites);
            ++faites;
        }
    }
}

int PyramideImage::LignesPretes(int niveau, int lignes0) const {
    int r = std::clamp(lignes0, 0, Hauteur());
    for (int k = 1; k <= niveau && k < NombreNiveaux(); ++k) {
        const auto i = static_cast<std::size_t>(k);
        // Row y needs rows 2y and min(2y + 1, last) of the level above.
        r = r >= hauteurs_[i - 1] ? hauteurs_[i] : r / 2;
    }
    return r;
}

bool PyramideImage::Complete() const {
    for (std::size_t k = 0; k < hauteurs_.size(); ++k)
        if (lignesCalculees_[k] < hauteurs_[k]) return false;
    return true;
}

void PyramideImage::CalculeLigne(int niveau, int y) {
    const auto k = static_cast<std::size_t>(niveau);
    const int wPrec = largeurs_[k - 1];
    const int hPrec = hauteurs_[k - 1];
    unsigned char* base = tampon_->Donnees();
    const auto* l0 = reinterpret_cast<const std::uint32_t*>(
        base + debuts_[k - 1] + pas_[k - 1] * static_cast<std::size_t>(2 * y));
    const auto* l1 = reinterpret_cast<const std::uint32_t*>(
        base + debuts_[k - 1] +
        pas_[k - 1] * static_cast<std::size_t>(std::min(2 * y + 1, hPrec - 1)));
    auto* out =
        reinterpret_cast<std::uint32_t*>(base + debuts_[k] + pas_[k] * static_cast<std::size_t>(y));
    const int paires = wPrec / 2;
    for (int x = 0; x < paires; ++x)
        out[x] = Moyenne4(l0[2 * x], l0[2 * x + 1], l1[2 * x], l1[2 * x + 1]);
    if (wPrec % 2 != 0) { // the odd last column stands for its missing neighbour
        const int c = wPrec - 1;
        out[paires] = Moyenne4(l0[c], l0[c], l1[c], l1[c]);
    }
}

} // namespace orv

namespace orv {

SuiviNiveaux::SuiviNiveaux(PyramideImage& p, std::function<void(int)> progres)
    : p_(p), progres_(std::move(progres)), fil_([this] {
          int faites = 0;
          for (;;) {
              const int v = lignes_.load(std::memory_order_acquire);
              const int pretes = v & ~Fin;
              if (pretes > faites) {
                  p_.AvanceNiveaux(pretes);
                  faites = pretes;
                  try {
                      if (progres_) progres_(pretes);
                  } catch (const std::exception&) {
                      // A notice lost for want of memory only delays the first view.
                  }
              } else if (v & Fin) {
                  return;
              } else {
                  lignes_.wait(v, std::memory_order_acquire);
              }
          }
      }) {}

SuiviNiveaux::~SuiviNiveaux() {
    lignes_.fetch_or(Fin, std::memory_order_release);
    lignes_.notify_one();
    fil_.join();
}

void SuiviNiveaux::Avance(int lignes0) {
    lignes_.store(lignes0, std::memory_order_release);
    lignes_.notify_one();
}

void DessineSource(QPainter& p, const SourceImage& s, const QRectF& cible, const QRectF& source) {
    if (!s.image || s.image->isNull() || s.lignes <= 0 || source.isEmpty()) return;
    // The source in the image's own pixels, cut at the rows that are ready.
    QRectF src(source.x() / s.facteurX, source.y() / s.facteurY, source.width() / s.facteurX,
               source.height() / s.facteurY);
    QRectF dst = cible;
    if (src.bottom() > s.lignes) {
        if (src.top() >= s.lignes) return;
        const double garde = (s.lignes - src.top()) / src.height();
        src.setBottom(s.lignes);
        dst.setHeight(dst.height() * garde);
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (s.lignes >= s.image->height()) {
        p.drawImage(dst, *s.image, src);
    } else {
        // A view of the ready rows only, so that the filter never reads below.
        const QImage pretes(s.image->constBits(), s.image->width(), s.lignes,
                            s.image->bytesPerLine(), s.image->format());
        p.drawImage(dst, pretes, src);
    }
}

} // namespace orv
