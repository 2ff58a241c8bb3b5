#include "gui/TravailRecherche.h"

#include "app/MesureAuto.h"

#include <QMetaObject>

namespace orv {

TravailRecherche::TravailRecherche(Orvelle& o, std::function<void()> actualise, QObject* parent)
    : QObject(parent), o_(o), actualise_(std::move(actualise)) {}

TravailRecherche::~TravailRecherche() {
    if (arret_) *arret_ = true;
    if (fil_.joinable()) fil_.join();
}

void TravailRecherche::Lance() {
    auto tache = PrendTacheRecherche(o_);
    if (!tache) return;
    // The core starts no search before the last one said it ended: that
    // thread is done, or about to be.
    if (fil_.joinable()) fil_.join();
    arret_ = tache->arret;
    fil_ = std::jthread([this, t = std::move(*tache)] {
        const std::uint64_t n = t.numero;
        auto r = std::make_shared<contour::ResultatRecherche>(t.Execute([this, n](int p) {
            QMetaObject::invokeMethod(
                this,
                [this, n, p] {
                    ProgressionRecherche(o_, n, p);
                    actualise_();
                },
                Qt::QueuedConnection);
        }));
        QMetaObject::invokeMethod(
            this,
            [this, n, r] {
                FinRecherche(o_, n, std::move(*r));
                actualise_();
            },
            Qt::QueuedConnection);
    });
}

} // namespace orv
