// Binds each entry of the core's control registry to its real widget or menu
// action, and shows the entry's state (caption, visibility, enabled, checked,
// back colour) on it whenever the core changes it.
#pragma once

#include "interface/Controles.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <initializer_list>
#include <map>

class QBoxLayout;
class QWidget;

namespace orv {

class Liaisons {
public:
    explicit Liaisons(Controles& controles);
    ~Liaisons();

    void Lie(Controle c, QObject* objet);
    QObject* Objet(Controle c) const;
    template <class T> T* Objet(Controle c) const { return qobject_cast<T*>(Objet(c)); }

    // Shows the registry's state on one bound object, or on all of them.
    void Applique(Controle c);
    void AppliqueTout();

private:
    Controles& controles_;
    std::map<Controle, QPointer<QObject>> objets_;
};

// The object name of a control's widget: its family, and "_" + index for
// families of several controls ("bout_16", "StatusBar1").
QString NomObjet(Controle c);

// One push button per control, side by side in a new row of `l`, each bound
// to its control and running `clique` when pressed.
void RangeeBoutons(QBoxLayout* l, QWidget* parent, Liaisons& liaisons,
                   std::initializer_list<Controle> controles,
                   const std::function<void(Controle)>& clique);

// A caption as a Qt widget shows it ('&' is not a mnemonic here).
QString Legende(const std::string& texte);

} // namespace orv
