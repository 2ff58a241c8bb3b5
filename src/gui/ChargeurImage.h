// Decodes the picture to show away from the window's thread: for a large JPEG
// a quarter-size preview first, then the full picture with its half-size
// levels. Results come back on the window's thread through the callbacks,
// tagged with the number of the load; a newer load makes older results stale.
#pragma once

#include "images/EnteteImage.h"
#include "pixels/PyramideImage.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orv {

// A reduced picture shown while the full one is decoded.
struct ApercuImage {
    std::shared_ptr<TamponImage> tampon; // the pixels' memory, declared first
    QImage image;
    int largeurComplete = 0, hauteurComplete = 0;
};

class ChargeurImage : public QObject {
    Q_OBJECT
public:
    explicit ChargeurImage(QObject* parent = nullptr);
    ~ChargeurImage() override; // cancels and waits for the loads under way

    // Starts decoding a file; any load under way is cancelled. `lignesUtiles`
    // is how far down the view reaches, in full-size rows: once a JPEG is
    // decoded that far the picture is handed over, partly filled. A picture
    // whose header asks for more than `budgetMo` megabytes (its pixels and
    // levels) is refused before anything is allocated for it. Returns the
    // load's number.
    // `refus` is the text of that refusal (RefusBudgetImage).
    std::uint64_t Charge(const std::string& chemin, int lignesUtiles = 0,
                         int budgetMo = BudgetImageMoDefaut, const std::string& refus = {});
    std::uint64_t Numero() const { return numero_; }
    // Gives back the memory of a picture no longer shown, for the next one.
    void Recycle(std::shared_ptr<const PyramideImage> p);
    void Recycle(std::shared_ptr<const ApercuImage> a);

    std::function<void(std::uint64_t numero, std::shared_ptr<const ApercuImage>)> surApercu;
    // The picture decoded down to row `lignes` (excluded); it goes on filling.
    std::function<void(std::uint64_t numero, std::shared_ptr<const PyramideImage>, int lignes)>
        surProgres;
    // The whole picture; `incomplete` when the file ended before its pixels
    // did (the rows missing show grey or black).
    std::function<void(std::uint64_t numero, std::shared_ptr<const PyramideImage>, bool incomplete)>
        surComplet;
    // Nothing could be shown; `raison` says why for the user (empty: the file
    // is no picture that could be decoded).
    std::function<void(std::uint64_t numero, const std::string& raison)> surEchec;

    // Blocks of memory kept for reuse, shared with the decoding threads: the
    // blocks of the picture just left, until the next one has taken what it
    // could use of them (the rest is then given back to the system).
    class Reserve {
    public:
        std::shared_ptr<TamponImage> Prend(std::size_t octets);
        void Rend(std::shared_ptr<TamponImage> t);
        void Vide();

    private:
        std::mutex verrou_;
        std::vector<std::shared_ptr<TamponImage>> tampons_;
    };

private:
    struct Tache;
    void Travaille(const std::shared_ptr<Tache>& t);
    void Termine();

    std::uint64_t numero_ = 0;
    std::shared_ptr<Reserve> reserve_;
    std::shared_ptr<Tache> courante_;
    std::vector<std::pair<std::shared_ptr<Tache>, std::thread>> fils_;
};

} // namespace orv
