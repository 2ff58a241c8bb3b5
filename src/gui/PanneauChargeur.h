// The image loader's widgets: the frame "Images" (FraListeImg) with the loader
// list ListIMGchar, the displayed list ListImgAff, the path box listImgTxt and
// the key-held label lblFichier; and the save frame of the annotated copy
// (its preview, "Enregistre", "Ferme" and the file's name). Both hand
// every event to the core and show the core's loader state when the window
// refreshes them (Rafraichit, after each event).
#pragma once

#include "app/Orvelle.h"
#include "gui/Liaisons.h"

#include <QGroupBox>
#include <QListWidget>

#include <functional>
#include <string>

class QLabel;
class QLineEdit;

namespace orv {

// The loader list, which reports the keys held in it.
class ListeChargeur : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;
signals:
    void toucheEnfoncee(int code);
    void toucheRelachee();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
};

class PanneauChargeur : public QGroupBox {
    Q_OBJECT
public:
    // `apres` runs after each event handed to the core: the window refreshes
    // everything that follows the core (this panel too); without it, the panel
    // refreshes itself.
    PanneauChargeur(Orvelle& o, Liaisons& liaisons, std::function<void()> apres = {},
                    QWidget* parent = nullptr);

    QListWidget* ListeChemins() const { return chemins_; }
    QListWidget* ListeAffichee() const { return affichee_; }
    // Shows the core's lists when they changed.
    void Rafraichit();

private:
    void Apres();

    Orvelle& o_;
    std::function<void()> apres_;
    ListeChargeur* chemins_;
    QListWidget* affichee_;
    std::uint64_t version_ = ~std::uint64_t{0};
    bool miseAJour_ = false;
};

class CadreCopieReferencee : public QGroupBox {
    Q_OBJECT
public:
    // `clique` runs a click of a control as the window does ("Enregistre", "Ferme").
    CadreCopieReferencee(Orvelle& o, Liaisons& liaisons,
                         const std::function<void(Controle)>& clique, QWidget* parent = nullptr);

    QLabel* Apercu() const { return apercu_; }
    void Rafraichit();

protected:
    void showEvent(QShowEvent* e) override;

private:
    Orvelle& o_;
    QLabel* apercu_;
    std::uint64_t version_ = ~std::uint64_t{0};
    std::string chemin_;
};

} // namespace orv
