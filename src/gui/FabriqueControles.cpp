#include "gui/FabriqueControles.h"

#include "gui/Liaisons.h"
#include "interface/Controles.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

namespace orv {

namespace {

template <class W> W* Nouveau(QWidget* parent, Controle c, Liaisons& liaisons) {
    Q_ASSERT(parent); // a widget bound without parent would show as a window
    auto* w = new W(parent);
    w->setObjectName(NomObjet(c));
    w->setFocusPolicy(Qt::NoFocus);
    liaisons.Lie(c, w);
    return w;
}

} // namespace

QAbstractButton* FabriqueControles::Bouton(QWidget* parent, Controle c) const {
    auto* b = Nouveau<QPushButton>(parent, c, liaisons);
    QObject::connect(b, &QPushButton::clicked, b, [f = clique, c] { f(c); });
    return b;
}

QAbstractButton* FabriqueControles::Case(QWidget* parent, Controle c) const {
    auto* k = Nouveau<QCheckBox>(parent, c, liaisons);
    QObject::connect(k, &QCheckBox::clicked, k, [f = clique, &r = controles, c](bool coche) {
        r.Coche(c, coche);
        f(c);
    });
    return k;
}

QAbstractButton* FabriqueControles::Option(QWidget* parent, Controle c) const {
    auto* o = Nouveau<QRadioButton>(parent, c, liaisons);
    o->setAutoExclusive(false); // the core keeps each group's single choice
    QObject::connect(o, &QRadioButton::clicked, o, [f = clique, &r = controles, c] {
        r.Coche(c, true);
        f(c);
    });
    return o;
}

} // namespace orv
