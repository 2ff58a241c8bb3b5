#include "gui/ZoneImage.h"
#include "gui/Liaisons.h"

#include "app/CommandesImages.h"
#include "app/Orvelle.h"
#include "gui/DessinMarques.h"
#include "gui/DessinVue.h"
#include "gui/Loupe.h"
#include "gui/Vignette.h"
#include "interface/Messages.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QTextEdit>

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

constexpr double Pantographe = 0.25; // share of the hand's motion with Shift held
// How far left of a strip drawn after a pan a mark's text may start and
// still reach into it, in pixels.
constexpr double MargeTexte = 400;

} // namespace

ZoneImage::ZoneImage(Orvelle& o, QWidget* parent) : QWidget(parent), o_(o) {
    setObjectName(NomObjet(Controle::ZoneImage));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent); // every pixel comes from the cached view
    setMinimumSize(200, 150);
    chargeur_.surApercu = [this](std::uint64_t n, std::shared_ptr<const ApercuImage> a) {
        RecoitApercu(n, std::move(a));
    };
    chargeur_.surProgres = [this](std::uint64_t n, std::shared_ptr<const PyramideImage> p,
                                  int lignes) { RecoitProgres(n, std::move(p), lignes); };
    chargeur_.surComplet = [this](std::uint64_t n, std::shared_ptr<const PyramideImage> p,
                                  bool incomplete) { RecoitImage(n, std::move(p), incomplete); };
    chargeur_.surEchec = [this](std::uint64_t n, const std::string& raison) {
        RecoitEchec(n, raison);
    };
}

ZoneImage::~ZoneImage() = default;

QColor ZoneImage::Fond() {
    return {0x3a, 0x3a, 0x3a};
}

PointTwips ZoneImage::DernierPointeur() const {
    if (pointeurVu_) return pointeur_;
    return {width() * TwipsParPixelEcran / 2, height() * TwipsParPixelEcran / 2};
}

void ZoneImage::AssocieVignette(Vignette* v) {
    vignette_ = v;
}

void ZoneImage::AssocieLoupe(Loupe* l) {
    loupe_ = l;
}

std::string ZoneImage::CheminImageDefaut() const {
    return CheminImageParDefaut(o_);
}

bool ZoneImage::ImageComplete() const {
    return pyramide_ && lignesPretes_ >= pyramide_->Hauteur();
}

QSize ZoneImage::TailleImage() const {
    if (pyramide_) return {pyramide_->Largeur(), pyramide_->Hauteur()};
    if (apercu_) return {apercu_->largeurComplete, apercu_->hauteurComplete};
    return {};
}

std::shared_ptr<const PyramideImage> ZoneImage::ImageDecodee(const std::string& chemin) const {
    if (!ImageComplete() || cheminCharge_.empty() || cheminCharge_ != chemin) return nullptr;
    return pyramide_;
}

SourceImage ZoneImage::SourcePour(double echelle) const {
    SourceImage s;
    if (pyramide_ && pyramide_->NombreNiveaux() > 0 && (ImageComplete() || !apercu_)) {
        const int k = pyramide_->NiveauPour(echelle);
        s.image = &pyramide_->Niveau(k);
        s.facteurX = s.facteurY = std::ldexp(1.0, k);
        s.lignes = pyramide_->LignesPretes(k, lignesPretes_);
    } else if (apercu_ && !apercu_->image.isNull()) {
        s.image = &apercu_->image;
        s.facteurX = double(apercu_->largeurComplete) / apercu_->image.width();
        s.facteurY = double(apercu_->hauteurComplete) / apercu_->image.height();
        s.lignes = apercu_->image.height();
    }
    return s;
}

bool ZoneImage::CacheVoulu() const {
    return !o_.mesure.marques.provisoires.empty() || !etendueProvisoire_.isNull();
}

void ZoneImage::Invalide() {
    cacheValide_ = false;
    vueALEcran_ = false;
    if (!CacheVoulu()) cache_ = QImage(); // its memory goes until it is needed again
    update();
    if (vignette_) vignette_->Actualise();
    if (loupe_ && loupe_->isVisible()) loupe_->update();
}

void ZoneImage::Actualise() {
    bool vueChangee = false, imageChangee = false;
    if (premiere_ || o_.images.versionImage != vuImage_) {
        vuImage_ = o_.images.versionImage;
        DemarreChargement();
        vueChangee = imageChangee = true;
    }
    if (premiere_ || o_.images.versionVue != vuVue_ || o_.mesure.marques.version != vuMarques_ ||
        o_.annotation.version != vuAnnotation_) {
        vuVue_ = o_.images.versionVue;
        vuMarques_ = o_.mesure.marques.version;
        vuAnnotation_ = o_.annotation.version;
        vueChangee = true;
    }
    premiere_ = false;
    if (vueChangee) {
        vuProvisoire_ = o_.mesure.marques.versionProvisoire;
        etendueProvisoire_ =
            EtendueMarques(o_.mesure.marques.provisoires, o_.images.vue, QFontMetricsF(font()));
        if (imageChangee || !DefileVue()) Invalide();
    } else if (o_.mesure.marques.versionProvisoire != vuProvisoire_) {
        vuProvisoire_ = o_.mesure.marques.versionProvisoire;
        // Only what the old and the new marks cover is painted again.
        const QRectF boite(rect());
        const QRectF nouvelle =
            EtendueMarques(o_.mesure.marques.provisoires, o_.images.vue, QFontMetricsF(font()));
        QRegion r;
        if (!etendueProvisoire_.isNull())
            r += etendueProvisoire_.intersected(boite).toAlignedRect();
        if (!nouvelle.isNull()) r += nouvelle.intersected(boite).toAlignedRect();
        etendueProvisoire_ = nouvelle;
        if (!r.isEmpty()) update(r);
        if (loupe_ && loupe_->isVisible()) loupe_->update();
    }
    // An open hand while every drag moves the picture.
    const Qt::CursorShape forme =
        o_.mesure.pointage.GlisseImage ? Qt::OpenHandCursor : Qt::CrossCursor;
    if (cursor().shape() != forme) setCursor(forme);
    if (o_.images.loupe.champ != vuChamp_) {
        vuChamp_ = o_.images.loupe.champ;
        if (loupe_ && loupe_->isVisible()) loupe_->update();
    }
}

bool ZoneImage::DefileVue() {
    // A pan of a view drawn and shown whole: the view is moved at once, and
    // the screen too when it holds nothing but the view (no mark under way).
    const qreal dpr = devicePixelRatioF();
    std::optional<QPoint> d;
    if (cacheValide_ && cache_.size() == size() * dpr)
        d = DeplaceVue();
    else if (vueALEcran_)
        // Only the window's buffer holds the view: it alone is moved, and the
        // strips it uncovers are drawn at the moved grid.
        if (const auto g = GrilleDeplacee()) {
            d = g->second;
            dessinCache_->grille = g->first;
        }
    if (!d) return false;
    const QPoint ecran(static_cast<int>(std::lround(d->x() / dpr)),
                       static_cast<int>(std::lround(d->y() / dpr)));
    // A frame shown over the box would move with the pixels: drawn again then.
    const auto cadres = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    const bool cadre =
        std::any_of(cadres.begin(), cadres.end(), [](const QWidget* w) { return w->isVisible(); });
    if (o_.mesure.marques.provisoires.empty() && QPointF(ecran) * dpr == QPointF(*d) && !cadre)
        scroll(-ecran.x(), -ecran.y(), rect());
    else
        update();
    if (vignette_) vignette_->Actualise();
    if (loupe_ && loupe_->isVisible()) loupe_->update();
    return true;
}

void ZoneImage::DemarreChargement() {
    dessinCache_.reset();
    // The old picture goes at once: its memory serves the new one.
    chargeur_.Recycle(std::move(pyramide_));
    chargeur_.Recycle(std::move(apercu_));
    pyramide_.reset();
    apercu_.reset();
    lignesPretes_ = 0;
    cheminCharge_ = o_.images.cheminImage.empty() ? CheminImageDefaut() : o_.images.cheminImage;
    if (cheminCharge_.empty()) return;
    // How far down the picture the view reaches, in the picture's rows.
    const Vue& v = o_.images.vue;
    int lignesUtiles = 0;
    if (v.ImageChargee()) {
        const double bas =
            (v.OrigineY() + v.HauteurBoite() * v.ImageParTwip()) / UnitesImageParPixel;
        if (std::isfinite(bas))
            lignesUtiles = static_cast<int>(std::clamp(std::ceil(bas) + 2, 1.0, 1e9));
    }
    chargeur_.Charge(cheminCharge_, lignesUtiles, o_.parametres.memoireImageMo,
                     o_.textes.Mnu(mnu::ImageTropGrande));
}

void ZoneImage::RecoitProgres(std::uint64_t n, std::shared_ptr<const PyramideImage> p, int lignes) {
    if (n != chargeur_.Numero() || ImageComplete()) return;
    dessinCache_.reset();
    pyramide_ = std::move(p);
    lignesPretes_ = lignes;
    Invalide();
}

void ZoneImage::RecoitApercu(std::uint64_t n, std::shared_ptr<const ApercuImage> a) {
    // A late picture's memory goes back to the system: the load under way
    // took its own already.
    if (n != chargeur_.Numero() || ImageComplete()) return;
    apercu_ = std::move(a);
    Invalide();
}

void ZoneImage::RecoitImage(std::uint64_t n, std::shared_ptr<const PyramideImage> p,
                            bool incomplete) {
    if (n != chargeur_.Numero()) return;
    dessinCache_.reset();
    pyramide_ = std::move(p);
    lignesPretes_ = pyramide_ ? pyramide_->Hauteur() : 0;
    apercu_.reset(); // its memory goes: no picture needs it until the next opens
    Invalide();
    if (incomplete && surImageIncomplete) surImageIncomplete(cheminCharge_);
}

void ZoneImage::RecoitEchec(std::uint64_t n, const std::string& raison) {
    if (n != chargeur_.Numero()) return;
    Invalide();
    if (surEchecDecodage) surEchecDecodage(cheminCharge_, raison);
}

ZoneImage::Qualite ZoneImage::DessineImage(QImage& cible, const std::function<QPainter&()>& peintre,
                                           const QRegion& zone,
                                           const std::function<void(QRect)>& surBande,
                                           QPoint origine) {
    const QSize taille = TailleImage();
    const auto plan = Plan(o_.images.vue, taille, QSizeF(size()), cible.devicePixelRatio());
    std::vector<CoucheVue> couches;
    auto couche = [&](const SourceImage& s) { couches.push_back({s, GrillePour(*plan, s)}); };
    Qualite q = taille.isEmpty() ? Qualite::Aucune : Qualite::Partielle;
    const auto precedent = dessinCache_;
    dessinCache_.reset();
    if (ImageComplete()) {
        if (plan) {
            const SourceImage s = SourcePour(plan->echelle);
            const int niveau = pyramide_->NiveauPour(plan->echelle);
            GrilleEchantillons g = GrillePour(*plan, s);
            // Where the view last drew the picture, moved by whole pixels,
            // when that is within an eighth of a pixel of this place: a view
            // drawn again whole is then the view a pan would have moved.
            if (precedent && precedent->pyramide == pyramide_.get() && precedent->niveau == niveau)
                if (const auto d = DecalageEntier(precedent->grille, g))
                    g = precedent->grille.Decalee(d->x(), d->y());
            couches.push_back({s, g});
            dessinCache_ = DessinCache{pyramide_.get(), niveau, g, o_.mesure.marques.version,
                                       o_.annotation.version};
        }
        q = Qualite::Complete;
    } else {
        // While decoding: the preview, then the rows already decoded over it.
        if (apercu_ && !apercu_->image.isNull() && plan) {
            SourceImage a;
            a.image = &apercu_->image;
            a.facteurX = double(apercu_->largeurComplete) / apercu_->image.width();
            a.facteurY = double(apercu_->hauteurComplete) / apercu_->image.height();
            a.lignes = apercu_->image.height();
            couche(a);
        }
        if (apercu_ && !apercu_->image.isNull()) q = Qualite::Apercu;
        if (pyramide_ && lignesPretes_ > 0 && plan) {
            const int niveau = pyramide_->NiveauPour(plan->echelle);
            SourceImage s;
            s.image = &pyramide_->Niveau(niveau);
            s.facteurX = s.facteurY = std::ldexp(1.0, niveau);
            s.lignes = pyramide_->LignesPretes(niveau, lignesPretes_);
            couche(s);
            if (s.lignes * s.facteurY >= std::min<double>(plan->source.bottom(), taille.height()))
                q = Qualite::Apercu;
        }
        if (pyramide_ && !plan) q = Qualite::Apercu; // nothing of the picture in view
    }
    for (CoucheVue& c : couches) c.grille = c.grille.Decalee(origine.x(), origine.y());
    // The committed marks over each band as soon as it is drawn.
    auto marques = [&](QRect r) {
        DessineMarquesSur(peintre(), r.translated(origine), cible.devicePixelRatio());
        if (surBande) surBande(r);
    };
    if (zone.isEmpty())
        DessineVue(cible, couches, Fond().rgb(), {}, 0, marques);
    else
        for (const QRect& r : zone) DessineVue(cible, couches, Fond().rgb(), r, 0, marques);
    return q;
}

void ZoneImage::DessineMarquesSur(QPainter& p, QRect r, qreal dpr) {
    const QRectF bande(r.x() / dpr, r.y() / dpr, r.width() / dpr, r.height() / dpr);
    p.setClipRect(bande);
    p.setFont(font());
    // A text may start left of the band and reach into it.
    const QRectF autour = bande.adjusted(-MargeTexte, 0, 0, 0);
    DessineMarques(p, o_.mesure.marques.fixes, o_.images.vue, autour);
    DessineMarques(p, o_.mesure.marques.revue, o_.images.vue, autour);
    DessineMarques(p, o_.annotation.marques, o_.images.vue, autour);
}

std::optional<std::pair<GrilleEchantillons, QPoint>> ZoneImage::GrilleDeplacee() const {
    // Only a view drawn whole from the full picture, with the same marks, at
    // the same zoom, moved by whole pixels.
    if (!dessinCache_ || !ImageComplete() || pyramide_.get() != dessinCache_->pyramide ||
        o_.mesure.marques.version != dessinCache_->marques ||
        o_.annotation.version != dessinCache_->annotation)
        return std::nullopt;
    const auto plan = Plan(o_.images.vue, TailleImage(), QSizeF(size()), devicePixelRatioF());
    if (!plan || pyramide_->NiveauPour(plan->echelle) != dessinCache_->niveau) return std::nullopt;
    const auto d =
        DecalageEntier(dessinCache_->grille, GrillePour(*plan, SourcePour(plan->echelle)));
    if (!d) return std::nullopt;
    return std::pair{dessinCache_->grille.Decalee(d->x(), d->y()), *d};
}

std::optional<QPoint> ZoneImage::DeplaceVue() {
    const auto g = GrilleDeplacee();
    if (!g) return std::nullopt;
    const auto plan = Plan(o_.images.vue, TailleImage(), QSizeF(size()), devicePixelRatioF());
    const SourceImage s = SourcePour(plan->echelle);
    for (const QRect& r : Defile(cache_, g->second)) {
        DessineVue(cache_, {{s, g->first}}, Fond().rgb(), r, 1);
        QPainter p(&cache_);
        DessineMarquesSur(p, r, cache_.devicePixelRatio());
    }
    dessinCache_->grille = g->first;
    return g->second;
}

const QImage& ZoneImage::VueDessinee(const std::function<void(QRect)>& surBande) {
    const qreal dpr = devicePixelRatioF();
    const QSize taille = size() * dpr;
    if (cache_.size() != taille || cache_.devicePixelRatio() != dpr) {
        cache_ = QImage(taille, QImage::Format_RGB32);
        cache_.setDevicePixelRatio(dpr);
        cacheValide_ = false;
        dessinCache_.reset();
    }
    if (!cacheValide_ && !taille.isEmpty()) {
        if (vueALEcran_ || !DeplaceVue()) {
            std::optional<QPainter> p; // one for every band, opened with the first
            qualiteCache_ = DessineImage(
                cache_,
                [&]() -> QPainter& {
                    if (!p) p.emplace(&cache_);
                    return *p;
                },
                {}, surBande);
        }
        cacheValide_ = true;
        vueALEcran_ = false;
    }
    return cache_;
}

QImage ZoneImage::VueAutour(QRect r) {
    const qreal dpr = devicePixelRatioF();
    if (cacheValide_ && cache_.size() == size() * dpr && cache_.devicePixelRatio() == dpr)
        return cache_.copy(r);
    // Only the piece asked for, drawn as the view draws it there.
    QImage morceau(r.size(), QImage::Format_RGB32);
    if (morceau.isNull()) return morceau;
    morceau.setDevicePixelRatio(dpr);
    std::optional<QPainter> p;
    DessineImage(
        morceau,
        [&]() -> QPainter& {
            if (!p) {
                p.emplace(&morceau);
                p->translate(-QPointF(r.topLeft()) / dpr);
            }
            return *p;
        },
        {}, {}, r.topLeft());
    return morceau;
}

std::optional<QImage> ZoneImage::TamponFenetre(QPainter& p, QRegion& permis) const {
    // The usual raster backing store: the painter draws into an image that
    // holds the whole window, this box at a whole-pixel place in it.
    QPaintEngine* moteur = p.paintEngine();
    if (!moteur || moteur->type() != QPaintEngine::Raster) return std::nullopt;
    QPaintDevice* d = moteur->paintDevice();
    if (!d || d->devType() != QInternal::Image) return std::nullopt;
    const QImage& image = *static_cast<const QImage*>(d);
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32 &&
        image.format() != QImage::Format_ARGB32_Premultiplied)
        return std::nullopt;
    const qreal dpr = devicePixelRatioF();
    const QTransform t = p.deviceTransform();
    if (t.type() > QTransform::TxScale || t.m11() != dpr || t.m22() != dpr) return std::nullopt;
    const QPoint origine(static_cast<int>(std::lround(t.dx())),
                         static_cast<int>(std::lround(t.dy())));
    const QSize taille = size() * dpr;
    if (QPointF(origine) != QPointF(t.dx(), t.dy()) || taille != QSizeF(size()) * dpr ||
        !image.rect().contains(QRect(origine, taille)))
        return std::nullopt;
    // Its pixels in place (the const access never copies the window's buffer).
    QImage ici(const_cast<uchar*>(image.constScanLine(origine.y())) + origine.x() * 4,
               taille.width(), taille.height(), image.bytesPerLine(), QImage::Format_RGB32);
    ici.setDevicePixelRatio(dpr);
    // Only the pixels this paint may change (never those of a frame shown
    // over the box), in the box's own device pixels.
    const QRegion clip = moteur->systemClip();
    permis = clip.isEmpty() ? QRegion(ici.rect()) : clip.translated(-origine) & ici.rect();
    return ici;
}

void ZoneImage::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    // A view to draw again is drawn straight into the window's buffer, which
    // then holds it: no copy of the view to copy after, nor its memory. A
    // mark under way needs the view without it at each move of the pointer:
    // while there is one, the view is kept whole.
    QRegion permis;
    if (auto ecran = cacheValide_ || CacheVoulu() ? std::nullopt : TamponFenetre(p, permis)) {
        // The region asked for (the whole box, a strip a pan uncovered), at
        // the grid of the view the buffer holds.
        const qreal dpr = ecran->devicePixelRatio();
        QRegion zone; // device pixels
        for (const QRect& r : e->region())
            zone +=
                QRectF(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr).toAlignedRect();
        zone &= permis;
        const bool entiere = zone == QRegion(ecran->rect()); // drawn in bands
        if (!zone.isEmpty())
            qualiteCache_ = DessineImage(*ecran, [&]() -> QPainter& { return p; },
                                         entiere ? QRegion() : zone, {});
        // The buffer holds the view wherever no frame covers it.
        QRegion ailleurs = QRegion(rect()) - e->region();
        for (const QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->isVisible()) ailleurs -= w->geometry();
        if (ailleurs.isEmpty()) vueALEcran_ = true;
        p.setClipping(false);
    } else {
        // The ratio the view is kept at (not the cache's own: it may not be
        // made yet, or made for another screen).
        const qreal dpr = devicePixelRatioF();
        auto copie = [&](const QRect& r) {
            p.drawImage(r, cache_,
                        QRectF(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr));
        };
        // A view drawn again is copied band by band while the helpers draw the
        // rest; what is left of the region after.
        QRegion reste = e->region();
        VueDessinee([&](QRect bande) {
            // The window's rows wholly inside the band (with a fractional scale
            // a row may straddle two bands: it waits for the end).
            const int haut = static_cast<int>(std::ceil(bande.top() / dpr));
            const int bas = static_cast<int>(std::floor((bande.bottom() + 1) / dpr));
            if (bas <= haut) return;
            const QRegion faite = reste.intersected(QRect(0, haut, width(), bas - haut));
            for (const QRect& r : faite) copie(r);
            reste -= faite;
        });
        for (const QRect& r : reste) copie(r);
    }
    DessineMarques(p, o_.mesure.marques.provisoires, o_.images.vue, QRectF(rect()));
    if (surVueDessinee) surVueDessinee(qualiteCache_);
}

void ZoneImage::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    RedimensionneBoite(o_, width() * TwipsParPixelEcran, height() * TwipsParPixelEcran);
    Actualise();
}

PointTwips ZoneImage::Position(QMouseEvent* e) {
    pointeurVu_ = true;
    const QPointF reel = e->position();
    if (e->modifiers() & Qt::ShiftModifier) {
        if (!lent_) {
            lent_ = true;
            pointeurLent_ = reel;
        } else {
            pointeurLent_ += (reel - dernierReel_) * Pantographe;
        }
        pointeurLent_.setX(std::clamp(pointeurLent_.x(), 0.0, double(width() - 1)));
        pointeurLent_.setY(std::clamp(pointeurLent_.y(), 0.0, double(height() - 1)));
        // The real pointer is brought back under the slowed one; where the
        // system does not move pointers, the hand's motion is taken as it is.
        const QPoint cible = pointeurLent_.toPoint();
        QCursor::setPos(mapToGlobal(cible));
        if (mapFromGlobal(QCursor::pos()) == cible) {
            dernierReel_ = cible;
        } else {
            pointeurLent_ = reel;
            dernierReel_ = reel;
        }
    } else {
        lent_ = false;
        pointeurLent_ = reel;
        dernierReel_ = reel;
    }
    return {static_cast<std::int32_t>(std::lround(pointeurLent_.x() * TwipsParPixelEcran)),
            static_cast<std::int32_t>(std::lround(pointeurLent_.y() * TwipsParPixelEcran))};
}

void ZoneImage::SuitLoupe() {
    if (loupe_ && loupe_->isVisible()) loupe_->update();
}

void ZoneImage::mousePressEvent(QMouseEvent* e) {
    setFocus(Qt::MouseFocusReason);
    pointeur_ = Position(e);
    if (surAppui) surAppui(e->button(), e->modifiers(), pointeur_);
    Actualise();
}

void ZoneImage::PrendClavier() {
    // The pointer over the picture takes the keyboard, so that Z or C held
    // before the click zooms or centres; a text being typed keeps it.
    if (hasFocus() || !isActiveWindow()) return;
    const QWidget* focus = QApplication::focusWidget();
    if (qobject_cast<const QLineEdit*>(focus) || qobject_cast<const QPlainTextEdit*>(focus) ||
        qobject_cast<const QTextEdit*>(focus) || qobject_cast<const QAbstractSpinBox*>(focus))
        return;
    setFocus(Qt::MouseFocusReason);
}

void ZoneImage::enterEvent(QEnterEvent* e) {
    QWidget::enterEvent(e);
    PrendClavier();
}

void ZoneImage::mouseMoveEvent(QMouseEvent* e) {
    PrendClavier();
    pointeur_ = Position(e);
    if (surDeplacement) surDeplacement(e->buttons(), e->modifiers(), pointeur_);
    Actualise();
    SuitLoupe();
}

void ZoneImage::mouseReleaseEvent(QMouseEvent* e) {
    pointeur_ = Position(e);
    if (surRelache) surRelache(e->button(), e->modifiers(), pointeur_);
    Actualise();
}

bool ZoneImage::ToucheDUnEnfant(QKeyEvent* e) const {
    // The frames laid over the box (text boxes, dialogues) are its children: a
    // key they leave unused comes up to the box, and must not act on the image.
    const QWidget* focus = QApplication::focusWidget();
    if (focus && focus != this && isAncestorOf(focus)) {
        e->ignore();
        return true;
    }
    return false;
}

void ZoneImage::keyPressEvent(QKeyEvent* e) {
    if (ToucheDUnEnfant(e) || e->isAutoRepeat()) return;
    if (surTouche) surTouche(e->key(), e->modifiers(), true);
    Actualise();
}

void ZoneImage::keyReleaseEvent(QKeyEvent* e) {
    if (ToucheDUnEnfant(e) || e->isAutoRepeat()) return;
    if (e->key() == Qt::Key_Shift) lent_ = false;
    if (surTouche) surTouche(e->key(), e->modifiers(), false);
    Actualise();
}

bool ZoneImage::event(QEvent* e) {
    // A key that a shortcut of the window takes (Ctrl+S) never comes to the
    // box as a press: it is told that some key went down, so that the Ctrl
    // held with it is not taken for a Ctrl pressed alone. (Every key is
    // checked for shortcuts before its press: Ctrl's own press, which comes
    // after, still counts as Ctrl alone.)
    if (e->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (!k->isAutoRepeat() && !ToucheDUnEnfant(k) && surTouche)
            surTouche(Qt::Key_unknown, k->modifiers(), true);
    }
    return QWidget::event(e);
}

void ZoneImage::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    lent_ = false;
    if (surPerteFocus) surPerteFocus();
    Actualise();
}

} // namespace orv
