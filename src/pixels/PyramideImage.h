// The decoded picture as the image box draws it: RGB32 at full size plus
// half-size copies down to a few hundred pixels, so that any view is drawn
// from a level at most twice as fine as the screen. The levels live in one
// block of memory that the loader recycles for the next picture.
#pragma once

#include "images/Orientation.h"

#include <QImage>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class QPainter;

namespace orv {

// A block of memory for pictures, allocated on a 2 MB boundary and marked for
// huge pages where the system offers them: touching a fresh 100 MB block page
// by page costs more than decoding a photograph. It holds exactly the pages
// asked for, whole pages.
class TamponImage {
public:
    explicit TamponImage(std::size_t octets);
    std::size_t Capacite() const { return capacite_; }
    unsigned char* Donnees() { return donnees_.get(); }
    // Gives the octets [debut, fin) their memory now (the system otherwise
    // does it page by page on first touch): a thread that does it ahead of
    // the decoder spares the decoder the wait.
    void Prepare(std::size_t debut, std::size_t fin);
    // Gives the system back the pages beyond the first `garde` octets (they
    // read as zeros when touched again).
    void Relache(std::size_t garde);

private:
    struct Libere {
        std::size_t longueur = 0;
        void operator()(unsigned char* p) const;
    };
    std::unique_ptr<unsigned char, Libere> donnees_;
    std::size_t capacite_ = 0;
};

class PyramideImage {
public:
    // Levels for a picture of the given size; `tampon` is reused when it is
    // large enough, otherwise a new one is made. The pixels are not set.
    PyramideImage(int largeur, int hauteur, std::shared_ptr<TamponImage> tampon = {});
    // A pyramid over a picture already decoded (any format; converted to
    // RGB32), as stored in its file: the pyramid holds it upright.
    static std::unique_ptr<PyramideImage> Depuis(const QImage& image,
                                                 std::shared_ptr<TamponImage> tampon = {},
                                                 int orientation = OrientationNormale);
    // Octets needed for a picture of that size, every level included.
    static std::size_t TailleNecessaire(int largeur, int hauteur);

    int Largeur() const { return largeurs_.empty() ? 0 : largeurs_[0]; }
    int Hauteur() const { return hauteurs_.empty() ? 0 : hauteurs_[0]; }
    int NombreNiveaux() const { return static_cast<int>(niveaux_.size()); }
    // Level k: 2^k full-size pixels per pixel, each way.
    const QImage& Niveau(int k) const { return niveaux_[static_cast<std::size_t>(k)]; }
    // The coarsest level still at least as fine as `echelle` (output pixels per
    // full-size pixel).
    int NiveauPour(double echelle) const;

    // Rows of level 0 for the decoder to fill.
    unsigned char* Ligne(int y);
    // Level 0's pixels and its row length in pixels, for a decoder that
    // fills it upright from rows stored otherwise (CopieRedressee).
    std::uint32_t* Pixels0();
    qsizetype PasPixels0() const;
    // Level 0 is filled down to row `lignesPretes` (excluded): the coarser
    // levels are computed as far as those rows allow.
    void AvanceNiveaux(int lignesPretes);
    // Rows of level k that AvanceNiveaux(lignes0) has computed.
    int LignesPretes(int niveau, int lignes0) const;
    // Every level complete.
    bool Complete() const;

    std::shared_ptr<TamponImage> Tampon() const { return tampon_; }

private:
    void CalculeLigne(int niveau, int y);

    std::shared_ptr<TamponImage> tampon_;
    std::vector<int> largeurs_, hauteurs_;
    std::vector<std::size_t> debuts_;  // offset of each level in the block
    std::vector<std::size_t> pas_;     // bytes per row of each level
    std::vector<int> lignesCalculees_; // rows done per level
    std::vector<QImage> niveaux_;      // views over the block, declared last
};

// Computes the coarser levels on a thread of its own while level 0 is being
// filled, so that the decoding thread only decodes. The filler calls
// Avance(rows of level 0 ready) after each batch; `progres` hears, on the
// levels' thread, how many rows of level 0 have all their levels. The
// destructor waits until the levels have caught up with the last Avance.
class SuiviNiveaux {
public:
    SuiviNiveaux(PyramideImage& p, std::function<void(int lignes0)> progres);
    ~SuiviNiveaux();
    SuiviNiveaux(const SuiviNiveaux&) = delete;
    SuiviNiveaux& operator=(const SuiviNiveaux&) = delete;

    void Avance(int lignes0);

private:
    static constexpr int Fin = 1 << 30; // set in lignes_ once the filler is done
    PyramideImage& p_;
    std::function<void(int)> progres_;
    std::atomic<int> lignes_{0};
    std::jthread fil_; // last: started once the rest is ready
};

// Writes the stored row `y` (`largeur` RGB32 pixels) of a picture into the
// upright one whose pixels start at `base`, `pas` pixels a row, by the rule `m`
// (images/Orientation.h).
void CopieRedressee(const std::uint32_t* ligne, int y, int largeur, const Redressement& m,
                    std::uint32_t* base, qsizetype pas);

// One picture to draw and how it maps to the full-size picture: `facteur`
// full-size pixels per pixel of `image` (a quarter-size preview has 4); only
// its first `lignes` rows may be read (the rest is still being decoded).
struct SourceImage {
    const QImage* image = nullptr;
    double facteurX = 1.0, facteurY = 1.0;
    int lignes = 0;
};

// Draws the part `source` (full-size pixels) of the picture into `cible`,
// smoothly scaled, leaving out the rows not decoded yet.
void DessineSource(QPainter& p, const SourceImage& s, const QRectF& cible, const QRectF& source);

} // namespace orv
