// Table model over one of the core's text grids: row 0 of the grid is the
// header, rows 1.. are the lines; cell colours come from the grid.
#pragma once

#include "measure/GrilleTexte.h"

#include <QAbstractTableModel>

namespace orv {

class ModeleGrille : public QAbstractTableModel {
    Q_OBJECT
public:
    ModeleGrille(GrilleTexte& grille, QObject* parent = nullptr);
    ~ModeleGrille() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    GrilleTexte& Grille() const { return grille_; }

signals:
    // Rows, columns or widths changed: the view re-applies the widths.
    void structureChangee();

private:
    GrilleTexte& grille_;
};

} // namespace orv
