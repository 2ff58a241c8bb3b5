#include "gui/ModeleGrille.h"

#include "gui/Couleurs.h"

#include <QBrush>

namespace orv {

ModeleGrille::ModeleGrille(GrilleTexte& grille, QObject* parent)
    : QAbstractTableModel(parent), grille_(grille) {
    grille_.surStructure = [this] {
        beginResetModel();
        endResetModel();
        emit structureChangee();
    };
    grille_.surCellule = [this](int l, int c) {
        if (l == 0)
            emit headerDataChanged(Qt::Horizontal, c, c);
        else
            emit dataChanged(index(l - 1, c), index(l - 1, c));
    };
}

ModeleGrille::~ModeleGrille() {
    grille_.surStructure = nullptr;
    grille_.surCellule = nullptr;
}

int ModeleGrille::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, grille_.Lignes() - 1);
}

int ModeleGrille::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grille_.Colonnes();
}

QVariant ModeleGrille::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int l = index.row() + 1;
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: // a value wider than its column is read in full by hovering it
        return QString::fromStdString(grille_.Texte(l, c));
    case Qt::BackgroundRole:
        return QBrush(CouleurQt(grille_.CouleurCellule(l, c)));
    case Qt::ForegroundRole:
        return QBrush(Qt::black);
    case Qt::TextAlignmentRole:
        return c == grille_.Colonnes() - 1 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                           : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ModeleGrille::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return QString::fromStdString(grille_.Texte(0, section));
    return section + 1;
}

} // namespace orv
