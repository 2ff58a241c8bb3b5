// Binds each entry of the core's control registry to its real widget or menu
// action, and shows the entry's state (caption, visibility, enabled, checked,
// back colour) on it whenever the core changes it.
#pragma once

#include "app/Controles.h"

#include <QObject>
#include <QPointer>
#include <map>

namespace orv {

class Liaisons {
public:
    explicit Liaisons(Controles& controles);
    ~Liaisons();

    void Lie(const std::string& nom, int index, QObject* objet);
    QObject* Objet(const std::string& nom, int index = SansIndex) const;
    template <class T> T* Objet(const std::string& nom, int index = SansIndex) const {
        return qobject_cast<T*>(Objet(nom, index));
    }

    // Shows the registry's state on one bound object, or on all of them.
    void Applique(const Controles::Cle& cle);
    void AppliqueTout();

private:
    Controles& controles_;
    std::map<Controles::Cle, QPointer<QObject>> objets_;
};

// A caption as a Qt widget shows it ('&' is not a mnemonic here).
QString Legende(const std::string& texte);

} // namespace orv
