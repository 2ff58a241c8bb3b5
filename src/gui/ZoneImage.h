// The image box: paints the part of the picture the view shows, the
// committed marks and the marks of the measure under way, and hands the
// mouse and the keys to the pointing, in twips. The picture and the committed
// marks are drawn once into a cached view; a pointer move only repaints the
// cached view under the marks that changed, and a pan moves the cached view
// and draws only the strip it uncovers.
#pragma once

#include "gui/ChargeurImage.h"
#include "images/Vue.h"
#include "pixels/PyramideImage.h"
#include "pixels/Reechantillonnage.h"

#include <QImage>
#include <QPointer>
#include <QRectF>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace orv {

class Orvelle;
class Vignette;
class Loupe;

class ZoneImage : public QWidget {
    Q_OBJECT
public:
    // What the view was last drawn from: nothing, a picture still missing
    // part of what the view shows, a preview or the decoded rows covering
    // the view, the full picture.
    enum class Qualite { Aucune, Partielle, Apercu, Complete };

    explicit ZoneImage(Orvelle& o, QWidget* parent = nullptr);
    ~ZoneImage() override;

    Orvelle& Etat() { return o_; }

    // Reads the state (picture shown, view, marks, magnifier) and repaints what
    // changed: call it after any core operation. The widget calls it itself
    // after each event it forwards.
    void Actualise();

    // Mouse and keys, positions in twips of the box. With Shift held the
    // pointer moves at a quarter of the hand's speed ("pantographe") and the
    // positions fall between pixels.
    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, PointTwips)> surAppui;
    std::function<void(Qt::MouseButtons, Qt::KeyboardModifiers, PointTwips)> surDeplacement;
    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, PointTwips)> surRelache;
    // Key presses and releases (auto-repeat left out), with Qt's key code;
    // only the keys typed while the box itself has the focus.
    std::function<void(int cleQt, Qt::KeyboardModifiers, bool enfoncee)> surTouche;
    // The box lost the keyboard focus.
    std::function<void()> surPerteFocus;
    // The picture file could not be decoded; the box shows no picture.
    // The picture could not be shown (`raison` for the user, empty when the
    // file is no picture that decodes), or was shown partly filled.
    std::function<void(const std::string& chemin, const std::string& raison)> surEchecDecodage;
    std::function<void(const std::string& chemin)> surImageIncomplete;
    // After each paint of the box: what the picture was drawn from.
    std::function<void(Qualite)> surVueDessinee;

    // The picture at the coarsest level still as fine as `echelle` (output
    // pixels per full-size pixel); no image while there is none.
    SourceImage SourcePour(double echelle) const;
    // Full size of the picture shown, in pixels (0 x 0 while none).
    QSize TailleImage() const;
    // The picture decoded from `chemin`, upright, once wholly decoded; nothing
    // while it is another picture or is still being decoded.
    std::shared_ptr<const PyramideImage> ImageDecodee(const std::string& chemin) const;
    // The drawn view (picture and committed marks), rebuilt when stale.
    // `surBande` hears of each band of a view drawn again, once drawn with its marks.
    const QImage& VueDessinee(const std::function<void(QRect)>& surBande = {});
    // The piece `r` (device pixels) of the drawn view; only that piece is
    // drawn when the view is not kept whole.
    QImage VueAutour(QRect r);
    // Last pointer position over the box, in twips; the centre of the box
    // until the pointer came over it.
    PointTwips DernierPointeur() const;
    // What the box shows where there is no picture.
    static QColor Fond();

    // The thumbnail and the magnifier follow this box.
    void AssocieVignette(Vignette* v);
    void AssocieLoupe(Loupe* l);

    // The built-in picture shown when no image is loaded.
    std::string CheminImageDefaut() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void DemarreChargement();
    void RecoitApercu(std::uint64_t n, std::shared_ptr<const ApercuImage> a);
    void RecoitProgres(std::uint64_t n, std::shared_ptr<const PyramideImage> p, int lignes);
    void RecoitImage(std::uint64_t n, std::shared_ptr<const PyramideImage> p, bool incomplete);
    void RecoitEchec(std::uint64_t n, const std::string& raison);
    void Invalide();
    // The view into `cible` (device pixels; all of it when `zone` is empty),
    // each band's committed marks drawn with `peintre()` as soon as it is drawn.
    // `origine`: where `cible`'s first pixel is in the view.
    Qualite DessineImage(QImage& cible, const std::function<QPainter&()>& peintre,
                         const QRegion& zone, const std::function<void(QRect)>& surBande,
                         QPoint origine = {});
    // The grid of the view last drawn, moved to where the view is now, and
    // by how many device pixels; nothing when the view must be drawn again.
    std::optional<std::pair<GrilleEchantillons, QPoint>> GrilleDeplacee() const;
    std::optional<QPoint> DeplaceVue();
    // The committed marks over `r` (device pixels of a view at `dpr`).
    void DessineMarquesSur(QPainter& p, QRect r, qreal dpr);
    // A mark under way reads the view without it at each move.
    bool CacheVoulu() const;
    // This box's pixels in the window's buffer that `p` paints, when they can
    // be written in place, and in `permis` those this paint may write;
    // nothing otherwise (the cached view is used then).
    std::optional<QImage> TamponFenetre(QPainter& p, QRegion& permis) const;
    bool DefileVue();
    bool ImageComplete() const;
    PointTwips Position(QMouseEvent* e);
    bool ToucheDUnEnfant(QKeyEvent* e) const;
    void PrendClavier();
    void SuitLoupe();

    Orvelle& o_;
    ChargeurImage chargeur_;
    std::shared_ptr<const PyramideImage> pyramide_;
    std::shared_ptr<const ApercuImage> apercu_;
    int lignesPretes_ = 0;     // rows of pyramide_ decoded so far
    std::string cheminCharge_; // bytes of the name

    QImage cache_; // the drawn view, in device pixels, made when asked for
    bool cacheValide_ = false;
    // The window's buffer holds the view last drawn straight into it.
    bool vueALEcran_ = false;
    // What the cached view was drawn from, while a pan may move it rather
    // than draw it again: the picture, its level, the grid, the marks' versions.
    struct DessinCache {
        const PyramideImage* pyramide = nullptr;
        int niveau = 0;
        GrilleEchantillons grille;
        std::uint64_t marques = 0, annotation = 0;
    };
    std::optional<DessinCache> dessinCache_;
    Qualite qualiteCache_ = Qualite::Aucune;
    QRectF etendueProvisoire_;

    // Versions of the state last shown.
    bool premiere_ = true;
    std::uint64_t vuImage_ = 0, vuVue_ = 0, vuMarques_ = 0, vuProvisoire_ = 0, vuAnnotation_ = 0;
    int vuChamp_ = 0;

    PointTwips pointeur_;
    bool pointeurVu_ = false;
    QPointF pointeurLent_; // the slowed pointer, in box pixels
    QPointF dernierReel_;  // where the real pointer was last seen
    bool lent_ = false;

    QPointer<Vignette> vignette_;
    QPointer<Loupe> loupe_;
};

} // namespace orv
