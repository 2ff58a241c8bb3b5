// The window's buttons, check boxes and option buttons, made one way for the
// main window and its panels: each named for its control, bound in the
// registry's mirror, its click handed to the core (a box's or an option's new
// state first set in the registry, the core keeping each group's one choice).
#pragma once

#include "interface/Controle.h"

#include <QAbstractButton>
#include <QWidget>

#include <functional>

namespace orv {

class Controles;
class Liaisons;

struct FabriqueControles {
    Liaisons& liaisons;
    Controles& controles;
    std::function<void(Controle)> clique;

    QAbstractButton* Bouton(QWidget* parent, Controle c) const;
    QAbstractButton* Case(QWidget* parent, Controle c) const;
    QAbstractButton* Option(QWidget* parent, Controle c) const;
};

} // namespace orv
