// The magnifier PLoupePic: the square of the drawn view around the pointer,
// loupe.champ twips a side, enlarged to 3000 twips (less on a short screen,
// where the panel gives it less room), with a cross through its centre that
// stays visible on any background.
#pragma once

#include <QWidget>

namespace orv {

class ZoneImage;

inline constexpr int TailleLoupe = 3000; // twips

class Loupe : public QWidget {
    Q_OBJECT
public:
    explicit Loupe(ZoneImage& zone, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    ZoneImage& zone_;
};

} // namespace orv
