#include "gui/ChargeurImage.h"

#include "pixels/DecodeurJpeg.h"
#include "pixels/LectureZone.h"

#include <QFile>
#include <QImageReader>
#include <QMetaObject>

#include <algorithm>

namespace orv {

namespace {

// Pictures smaller than this are decoded whole at once: a preview would not
// come much earlier.
constexpr qint64 PixelsSansApercu = 4'000'000;
constexpr int ReductionApercu = 8;
} // namespace

struct ChargeurImage::Tache {
    std::uint64_t numero = 0;
    std::string chemin; // the name's bytes: any name the system allows
    int lignesUtiles = 0;
    int budgetMo = BudgetImageMoDefaut;
    std::string refus;
    std::atomic<bool> annule{false};
    std::atomic<bool> finie{false};
};

std::shared_ptr<TamponImage> ChargeurImage::Reserve::Prend(std::size_t octets) {
    std::lock_guard<std::mutex> v(verrou_);
    auto meilleur = tampons_.end();
    for (auto it = tampons_.begin(); it != tampons_.end(); ++it)
        if ((*it)->Capacite() >= octets &&
            (meilleur == tampons_.end() || (*it)->Capacite() < (*meilleur)->Capacite()))
            meilleur = it;
    if (meilleur != tampons_.end()) {
        auto t = std::move(*meilleur);
        tampons_.erase(meilleur);
        t->Relache(octets); // what the new picture does not cover goes back
        return t;
    }
    // Nothing fits: blocks of a comparable size are let go before a new one is
    // taken, so that two big pictures never sit in memory at once.
    std::erase_if(tampons_, [octets](const auto& t) { return t->Capacite() >= octets / 8; });
    return nullptr;
}

void ChargeurImage::Reserve::Vide() {
    std::lock_guard<std::mutex> v(verrou_);
    tampons_.clear();
}

void ChargeurImage::Reserve::Rend(std::shared_ptr<TamponImage> t) {
    if (!t || t.use_count() != 1) return;
    std::lock_guard<std::mutex> v(verrou_);
    tampons_.push_back(std::move(t));
    // A big block for the picture and a small one for the preview.
    while (tampons_.size() > 2) tampons_.erase(tampons_.begin());
}

ChargeurImage::ChargeurImage(QObject* parent)
    : QObject(parent), reserve_(std::make_shared<Reserve>()) {}

ChargeurImage::~ChargeurImage() {
    for (auto& [t, f] : fils_) t->annule = true;
    for (auto& [t, f] : fils_)
        if (f.joinable()) f.join();
}

void ChargeurImage::Termine() {
    // Threads whose work is over are joined at once; cancelled ones that are
    // still reading go on in the background until they notice.
    for (auto it = fils_.begin(); it != fils_.end();) {
        if (it->first->finie) {
            if (it->second.joinable()) it->second.join();
            it = fils_.erase(it);
        } else {
            ++it;
        }
    }
}

std::uint64_t ChargeurImage::Charge(const std::string& chemin, int lignesUtiles, int budgetMo,
                                    const std::string& refus) {
    if (courante_) courante_->annule = true;
    Termine();
    // Qt's reader is held to the same budget wherever it decodes (previews,
    // copies), for formats whose header the program does not read itself.
    QImageReader::setAllocationLimit(std::max(budgetMo, BudgetImageMoMini));
    auto t = std::make_shared<Tache>();
    t->numero = ++numero_;
    t->chemin = chemin;
    t->lignesUtiles = lignesUtiles;
    t->budgetMo = budgetMo;
    t->refus = refus;
    courante_ = t;
    fils_.emplace_back(t, std::thread([this, t] {
                           try {
                               Travaille(t);
                           } catch (const std::exception&) {
                               // Out of memory or threads: the picture is refused, the program goes
                               // on.
                               if (!t->annule)
                                   QMetaObject::invokeMethod(
                                       this,
                                       [this, n = t->numero] {
                                           if (surEchec) surEchec(n, {});
                                       },
                                       Qt::QueuedConnection);
                           }
                           t->finie = true;
                       }));
    return t->numero;
}

void ChargeurImage::Recycle(std::shared_ptr<const PyramideImage> p) {
    if (!p || p.use_count() != 1) return;
    auto tampon = p->Tampon();
    p.reset();
    reserve_->Rend(std::move(tampon));
}

void ChargeurImage::Recycle(std::shared_ptr<const ApercuImage> a) {
    if (!a || a.use_count() != 1) return;
    auto tampon = a->tampon;
    a.reset();
    reserve_->Rend(std::move(tampon));
}

void ChargeurImage::Travaille(const std::shared_ptr<Tache>& t) {
    const std::uint64_t n = t->numero;
    auto reserve = reserve_;
    auto echec = [this, n](const std::string& raison = {}) {
        QMetaObject::invokeMethod(
            this,
            [this, n, raison] {
                if (surEchec) surEchec(n, raison);
            },
            Qt::QueuedConnection);
    };
    auto complet = [this, n](std::shared_ptr<const PyramideImage> p, bool incomplete) {
        QMetaObject::invokeMethod(
            this,
            [this, n, p, incomplete]() mutable {
                if (surComplet) surComplet(n, std::move(p), incomplete);
            },
            Qt::QueuedConnection);
    };
    const std::string& chemin = t->chemin;
    const std::uint64_t budget =
        static_cast<std::uint64_t>(std::max(t->budgetMo, BudgetImageMoMini)) << 20;

    // The header first: a picture over the budget is refused before any
    // decoder allocates a byte for it.
    const auto entete = LitEnteteImageFichier(chemin);
    if (entete) {
        if (auto refus =
                RefusBudgetImage(entete->largeur, entete->hauteur, t->budgetMo, t->refus)) {
            echec(*refus);
            return;
        }
    }
    const bool tronque = entete && entete->tronque;
    // Shown upright, as every viewer shows photographs.
    const int orientation = entete ? entete->orientation : OrientationNormale;
    const bool redresse = OrientationValide(orientation) != OrientationNormale;

    bool jpeg = false;
    if (DecodeurJpeg::Disponible()) {
        if (const auto fichier = OuvreFichierLecture(chemin)) {
            const QByteArray debut = fichier->peek(3);
            jpeg = DecodeurJpeg::EstJpeg(reinterpret_cast<const uchar*>(debut.constData()),
                                         static_cast<std::size_t>(debut.size()));
        }
    }
    // JPEG through libjpeg-turbo: the preview on a second thread while this one
    // decodes the full picture.
    if (jpeg) {
        if (const auto e = DecodeurJpeg::LitEnTete(chemin)) {
            if (auto refus = RefusBudgetImage(e->largeur, e->hauteur, t->budgetMo, t->refus)) {
                echec(*refus);
                return;
            }
            const TailleImage droite = TailleRedressee({e->largeur, e->hauteur}, orientation);
            // The rows decoded show the view's part first; a preview is worth
            // its cost only when the view reaches far down the picture (or
            // when the picture is turned: its rows only show once all are in).
            const int utiles = std::clamp(t->lignesUtiles, 1, droite.hauteur);
            const bool avecApercu = !e->progressif &&
                                    qint64{e->largeur} * e->hauteur >= PixelsSansApercu &&
                                    (redresse || utiles > droite.hauteur * 3 / 4);
            // The big block first, so that the preview never takes it.
            std::shared_ptr<PyramideImage> p;
            const std::size_t octets =
                PyramideImage::TailleNecessaire(droite.largeur, droite.hauteur);
            bool neuf = false;
            try {
                auto tampon = reserve->Prend(octets);
                neuf = !tampon;
                p = std::make_shared<PyramideImage>(droite.largeur, droite.hauteur,
                                                    std::move(tampon));
            } catch (const std::bad_alloc&) {
                p.reset();
            }
            // Fresh memory is given its pages ahead of the decoder, on the
            // other core, so that the decoder never waits for the system.
            std::atomic<bool> decode{true};
            std::jthread preparation;
            if (p && neuf)
                // Level 0 from the top, and the coarser levels (after it in
                // the block) as far down, as the decoder and the levels'
                // thread will want them. The pyramid may go before this
                // thread ends: only its block is shared with it.
                preparation = std::jthread([&, tampon = p->Tampon(),
                                            n0 = static_cast<std::size_t>(p->PasPixels0()) * 4 *
                                                 static_cast<std::size_t>(p->Hauteur())] {
                    constexpr std::size_t Morceau = std::size_t{8} << 20;
                    const std::size_t reste = octets - std::min(n0, octets);
                    for (std::size_t d = 0, r = 0; d < n0 && decode && !t->annule; d += Morceau) {
                        const std::size_t fin = std::min(n0, d + Morceau);
                        tampon->Prepare(d, fin);
                        const std::size_t r1 = static_cast<std::size_t>(static_cast<double>(reste) *
                                                                        static_cast<double>(fin) /
                                                                        static_cast<double>(n0));
                        tampon->Prepare(n0 + r, n0 + r1);
                        r = r1;
                    }
                });
            std::atomic<bool> apercuInutile{false};
            std::jthread apercu; // joined on every way out, before what it reads goes
            if (p && avecApercu) {
                auto a = std::make_shared<ApercuImage>();
                a->largeurComplete = droite.largeur;
                a->hauteurComplete = droite.hauteur;
                const int l = (e->largeur + ReductionApercu - 1) / ReductionApercu;
                const int h = (e->hauteur + ReductionApercu - 1) / ReductionApercu;
                a->tampon =
                    reserve->Prend(static_cast<std::size_t>(l) * 4 * static_cast<std::size_t>(h));
                apercu = std::jthread([&, a]() mutable {
                    try {
                        if (!DecodeurJpeg::DecodeReduit(chemin, ReductionApercu, a->image,
                                                        a->tampon, apercuInutile, budget))
                            return;
                        if (redresse) a->image = Redresse(a->image, orientation);
                    } catch (const std::bad_alloc&) {
                        return;
                    }
                    std::shared_ptr<const ApercuImage> pret = std::move(a);
                    QMetaObject::invokeMethod(
                        this,
                        [this, n, pret]() mutable {
                            if (surApercu) surApercu(n, std::move(pret));
                        },
                        Qt::QueuedConnection);
                });
            }
            // What the reserve still holds serves no picture now: it goes.
            if (!t->annule) reserve->Vide();
            // The levels get a thread of their own when a core is left for it.
            const bool niveauxAPart = !apercu.joinable() || std::thread::hardware_concurrency() > 2;
            bool signale = t->lignesUtiles <= 0 || utiles >= droite.hauteur || redresse;
            auto progres = [&](int lignes) {
                if (signale || lignes < utiles) return;
                signale = true;
                std::shared_ptr<const PyramideImage> partielle = p;
                QMetaObject::invokeMethod(
                    this,
                    [this, n, partielle, lignes]() mutable {
                        if (surProgres) surProgres(n, std::move(partielle), lignes);
                    },
                    Qt::QueuedConnection);
            };
            bool incomplete = false;
            const bool ok = p && DecodeurJpeg::Decode(chemin, *p, t->annule, progres, niveauxAPart,
                                                      budget, &incomplete, orientation);
            decode = false;
            apercuInutile = true; // a preview still under way is of no use now
            if (apercu.joinable()) apercu.join();
            if (ok) {
                complet(std::move(p), incomplete);
                return;
            }
            if (t->annule) return;
            // Otherwise Qt's reader has a go (CMYK pictures, for instance).
        }
    }

    // Opened by its bytes, and only a regular file: a FIFO never holds the thread.
    const auto fichier = OuvreFichierLecture(chemin);
    if (!fichier) {
        echec();
        return;
    }
    QImageReader lecteur(fichier.get());
    lecteur.setAutoTransform(false); // the orientation read above is the one applied
    // Formats whose header only Qt reads are held to the budget the same way.
    if (const QSize taille = lecteur.size(); taille.isValid())
        if (auto refus = RefusBudgetImage(taille.width(), taille.height(), t->budgetMo, t->refus)) {
            echec(*refus);
            return;
        }
    QImage image;
    if (!t->annule) image = lecteur.read();
    if (t->annule) return;
    std::shared_ptr<const PyramideImage> p;
    if (!image.isNull()) {
        try {
            p = PyramideImage::Depuis(
                image,
                reserve->Prend(PyramideImage::TailleNecessaire(image.width(), image.height())),
                orientation);
            if (!t->annule) reserve->Vide();
        } catch (const std::bad_alloc&) {
            p.reset();
        }
    }
    if (p)
        complet(std::move(p), tronque);
    else
        echec();
}

} // namespace orv
