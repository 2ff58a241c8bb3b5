// The calibration's widgets, floating over the image area: the calibration
// panel with its correction box, the input line
// and the image-group panel FraMC(0). They follow the registry and hand every
// event to the core.
#pragma once

#include "app/Orvelle.h"
#include "gui/Liaisons.h"

#include <QObject>

#include <functional>
#include <string>

class QAbstractButton;
class QBoxLayout;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QWidget;

namespace orv {

class PanneauxCalibrage : public QObject {
    Q_OBJECT
public:
    using Clique = std::function<void(Controle)>;

    // The frames become children of `parent` (the image area), laid over it.
    // `clique` runs a click of a control as the window does. `apres` runs after
    // the events the panels hand to the core themselves (list rows, Enter in
    // the panel's field), so that the window can show what they changed.
    PanneauxCalibrage(Orvelle& o, Liaisons& liaisons, Clique clique, QWidget* parent,
                      std::function<void()> apres = {});

    QGroupBox* Panneau() const { return panneau_; }
    QGroupBox* Correction() const { return correction_; }
    QGroupBox* Dialogue() const { return dialogue_; }
    QGroupBox* Groupe() const { return groupe_; } // FraMC(0)
    QListWidget* ListeCalibrages() const { return listeCalib_; }
    QListWidget* ListeGroupe() const { return listeGroupe_; }

    // Shows the core's lists (ListCalib, ListImgMC) and their chosen rows.
    void Actualise();

protected:
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    QGroupBox* ConstruitPanneau(QWidget* parent);
    QGroupBox* ConstruitCorrection(QWidget* parent);
    QGroupBox* ConstruitDialogue(QWidget* parent);
    QGroupBox* ConstruitGroupe(QWidget* parent);
    QGroupBox* Cadre(QWidget* parent, Controle c);

    struct FabriqueControles Fabrique();
    QAbstractButton* Bouton(QBoxLayout* l, Controle c);
    QAbstractButton* Case(QBoxLayout* l, Controle c);
    QAbstractButton* Option(QBoxLayout* l, Controle c);
    QLineEdit* Champ(QBoxLayout* l, Controle c);
    QListWidget* Liste(QWidget* parent, Controle c);

    // Puts a frame at its place in the image area, inside the area.
    void Place(QWidget* cadre);
    void ApresEvenement();

    Orvelle& o_;
    Liaisons& liaisons_;
    Clique clique_;
    std::function<void()> apres_;
    QWidget* zone_;
    QGroupBox* panneau_ = nullptr;
    QGroupBox* correction_ = nullptr;
    QGroupBox* dialogue_ = nullptr;
    QGroupBox* groupe_ = nullptr;
    QListWidget* listeCalib_ = nullptr;
    QListWidget* listeGroupe_ = nullptr;
    QLineEdit* saisie_ = nullptr; // the input line
    QLineEdit* valeur_ = nullptr; // the panel's text box
    bool dialogueOuvert_ = false;
    std::string inviteVue_; // the prompt it showed
};

} // namespace orv
