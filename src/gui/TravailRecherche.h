// The window's side of the search for every spore of a region: the search
// the core prepared runs on a thread of its own while the window's events go
// on; its progress and its end come back to the core on the window's thread.
#pragma once

#include "app/Orvelle.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace orv {

class TravailRecherche : public QObject {
    Q_OBJECT
public:
    // `actualise` shows the core's state once it changed.
    TravailRecherche(Orvelle& o, std::function<void()> actualise, QObject* parent = nullptr);
    // A search still running is stopped and waited for.
    ~TravailRecherche() override;

    // Starts the search waiting in the core, if there is one.
    void Lance();

private:
    Orvelle& o_;
    std::function<void()> actualise_;
    std::shared_ptr<std::atomic<bool>> arret_;
    std::jthread fil_; // last: joined before the rest goes
};

} // namespace orv
