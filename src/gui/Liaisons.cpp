#include "gui/Liaisons.h"

#include "gui/Couleurs.h"
#include "interface/TableControles.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>

namespace orv {

QString NomObjet(Controle c) {
    const auto& d = Description(c);
    return d.index == SansIndex ? QString(d.famille) : QString("%1_%2").arg(d.famille).arg(d.index);
}

void RangeeBoutons(QBoxLayout* l, QWidget* parent, Liaisons& liaisons,
                   std::initializer_list<Controle> controles,
                   const std::function<void(Controle)>& clique) {
    auto* rangee = new QHBoxLayout;
    for (Controle c : controles) {
        auto* b = new QPushButton(parent);
        b->setObjectName(NomObjet(c));
        rangee->addWidget(b);
        liaisons.Lie(c, b);
        QObject::connect(b, &QPushButton::clicked, parent, [clique, c] { clique(c); });
    }
    l->addLayout(rangee);
}

QString Legende(const std::string& texte) {
    return QString::fromStdString(texte).replace('&', "&&");
}

Liaisons::Liaisons(Controles& controles) : controles_(controles) {
    controles_.surChangement = [this](Controle c) { Applique(c); };
}

Liaisons::~Liaisons() {
    controles_.surChangement = nullptr;
}

void Liaisons::Lie(Controle c, QObject* objet) {
    objets_[c] = objet;
    Applique(c);
}

QObject* Liaisons::Objet(Controle c) const {
    auto it = objets_.find(c);
    return it == objets_.end() ? nullptr : it->second.data();
}

void Liaisons::Applique(Controle c) {
    auto it = objets_.find(c);
    if (it == objets_.end() || !it->second) return;
    const EtatControle& e = controles_(c);
    QObject* o = it->second.data();
    // A caption stays readable on any back colour: white on the dark ones.
    QString fond;
    if (e.couleur) {
        const QColor teinte = CouleurQt(*e.couleur);
        const bool sombre =
            0.299 * teinte.red() + 0.587 * teinte.green() + 0.114 * teinte.blue() < 128;
        fond = QString("background-color: %1; color: %2;")
                   .arg(teinte.name(), sombre ? "white" : "black");
    }

    if (auto* menu = qobject_cast<QMenu*>(o)) {
        menu->setTitle(Legende(e.texte));
        menu->menuAction()->setVisible(e.visible);
        menu->menuAction()->setEnabled(e.actif);
        return;
    }
    if (auto* a = qobject_cast<QAction*>(o)) {
        // "**" is no caption: the tables mark with it the menu entries that
        // only part a menu, drawn as the separators they are.
        const bool marque = QString::fromStdString(e.texte).trimmed() == "**";
        if (marque || a->property("marque").toBool()) {
            a->setSeparator(marque);
            a->setProperty("marque", marque);
        }
        if (!a->isSeparator()) a->setText(Legende(e.texte));
        a->setVisible(e.visible);
        a->setEnabled(e.actif);
        if (a->isCheckable()) a->setChecked(e.coche);
        a->setToolTip(QString::fromStdString(e.infobulle));
        return;
    }
    if (auto* fen = qobject_cast<QMainWindow*>(o)) {
        fen->setWindowTitle(QString::fromStdString(e.texte));
        return;
    }
    if (auto* barre = qobject_cast<QStatusBar*>(o)) {
        barre->showMessage(QString::fromStdString(e.texte));
        return;
    }
    auto* w = qobject_cast<QWidget*>(o);
    if (!w) return;
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(Legende(e.texte));
        if (b->isCheckable()) b->setChecked(e.coche);
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(QString::fromStdString(e.texte));
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(QString::fromStdString(e.texte));
        // A label's companion (the "x" between the picture's width and height)
        // shows only while the label has something to join.
        if (auto* compagnon = l->property("compagnon").value<QWidget*>())
            compagnon->setVisible(!l->text().isEmpty());
    } else if (auto* le = qobject_cast<QLineEdit*>(w)) {
        if (le->text().toStdString() != e.texte) le->setText(QString::fromStdString(e.texte));
    } else if (auto* pe = qobject_cast<QPlainTextEdit*>(w)) {
        // The box gives its lines back with LF alone: CR LF of the core is the same text.
        const QString texte = QString::fromStdString(e.texte).replace("\r\n", "\n");
        if (pe->toPlainText() != texte) pe->setPlainText(texte);
    } else if (auto* s = qobject_cast<QAbstractSlider*>(w)) {
        bool nombre = false;
        const int v = QString::fromStdString(e.texte).toInt(&nombre);
        if (nombre && v != s->value()) {
            const QSignalBlocker bloque(s); // the core set it: no click comes back
            s->setValue(v);
        }
    }
    if (!e.infobulle.empty()) w->setToolTip(QString::fromStdString(e.infobulle));
    w->setEnabled(e.actif);
    w->setStyleSheet(fond.isEmpty() ? QString()
                                    : QString("%1 { %2 }").arg(w->metaObject()->className(), fond));
    // A hidden parent keeps its children hidden; an explicit hide wins.
    w->setVisible(e.visible);
}

void Liaisons::AppliqueTout() {
    for (const auto& [c, o] : objets_) Applique(c);
}

} // namespace orv
