// The folder browser's widgets (FraRep): the drive list RepDrive, the folder
// list RepDir, the path box repText1, the picture list ListRep and the buttons
// three buttons. Every event goes to the core; the lists follow the core's
// browser state when the window refreshes them.
#pragma once

#include "app/Orvelle.h"
#include "gui/Liaisons.h"

#include <QGroupBox>

#include <functional>

class QComboBox;
class QListWidget;

namespace orv {

class PanneauRepertoire : public QGroupBox {
    Q_OBJECT
public:
    // `clique` runs a click of a control as the window does; `apres` refreshes
    // the window after an event of the lists.
    PanneauRepertoire(Orvelle& o, Liaisons& liaisons, const std::function<void(Controle)>& clique,
                      std::function<void()> apres, QWidget* parent = nullptr);

    QComboBox* Lecteurs() const { return lecteurs_; }
    QListWidget* Dossiers() const { return dossiers_; }
    QListWidget* Fichiers() const { return fichiers_; }
    void Rafraichit();

private:
    Orvelle& o_;
    std::function<void()> apres_;
    QComboBox* lecteurs_;
    QListWidget* dossiers_;
    QListWidget* fichiers_;
    std::uint64_t version_ = ~std::uint64_t{0};
};

} // namespace orv
