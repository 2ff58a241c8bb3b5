// The thumbnail VignP: the whole picture, 2500 twips wide, with the rectangle
// of the part the view shows; a press there moves the view to that part.
#pragma once

#include <QWidget>

namespace orv {

class ZoneImage;

class Vignette : public QWidget {
    Q_OBJECT
public:
    explicit Vignette(ZoneImage& zone, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // Takes the size of the picture shown and repaints.
    void Actualise();
    // Height in pixels for the picture shown, at the thumbnail's width.
    int HauteurPixels() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    ZoneImage& zone_;
};

} // namespace orv
