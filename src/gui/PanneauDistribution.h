// The distribution panel: a histogram of each value column of the function
// in use, its mean, median and deciles marked, and for spores the length x
// width points with the lines Q = 1, 1.5 and 2. It draws what
// results/Distribution computes and exports the figure at publication size.
#pragma once

#include "app/Orvelle.h"

#include <QByteArray>
#include <QWidget>

#include <string>
#include <vector>

class QGridLayout;
class QPushButton;

namespace orv {

class PanneauDistribution : public QWidget {
    Q_OBJECT
public:
    explicit PanneauDistribution(Orvelle& o, QWidget* parent = nullptr);

    // Redraws when the grid's values, its headers or the function changed.
    void Actualise();
    int NombreGraphiques() const { return static_cast<int>(vues_.size()); }

    // The whole figure, 180 mm wide: a PNG at 300 dpi, an SVG.
    QByteArray FigurePNG() const;
    QByteArray FigureSVG() const;

private:
    // The buttons' captions in the interface language.
    void Legendes();
    void Reconstruit();
    void Exporte(bool png);

    Orvelle& o_;
    QGridLayout* grille_ = nullptr;
    QPushButton* png_ = nullptr;
    QPushButton* svg_ = nullptr;
    std::vector<QWidget*> vues_;
    std::string signature_;
};

} // namespace orv
