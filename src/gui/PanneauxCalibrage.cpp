#include "gui/PanneauxCalibrage.h"

#include "calibration/Calibrage.h"
#include "calibration/GroupeImages.h"
#include "calibration/PanneauCalibrage.h"
#include "images/Vue.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace orv {

namespace {

constexpr int kMarge = 8; // pixels between a frame and the edge of the image area
// The group panel sits at the image area's left + 100 twips, top + 5000 twips.
const QPoint kPlaceGroupe(100 / TwipsParPixelEcran, 5000 / TwipsParPixelEcran);
constexpr int kLignesCalib = 6;
constexpr int kLignesGroupe = 8;
constexpr int kLargeurGroupe = 380;

QString Nom(const std::string& nom, int index) {
    return index == SansIndex ? QString::fromStdString(nom)
                              : QString("%1_%2").arg(QString::fromStdString(nom)).arg(index);
}

// Shows `textes` in the list (left alone when it already shows them) with
// row `choisie` current; no signal reaches the core meanwhile.
void Remplit(QListWidget* l, const std::vector<std::string>& textes, int choisie) {
    const QSignalBlocker bloque(l);
    bool memes = l->count() == static_cast<int>(textes.size());
    for (int i = 0; memes && i < l->count(); ++i)
        memes = l->item(i)->text().toStdString() == textes[static_cast<size_t>(i)];
    if (!memes) {
        l->clear();
        for (const auto& t : textes) {
            auto* item = new QListWidgetItem(QString::fromStdString(t), l);
            item->setToolTip(item->text());
        }
    }
    if (choisie >= 0 && choisie < l->count())
        l->setCurrentRow(choisie);
    else
        l->setCurrentRow(-1);
}

// Through the font: the bound widgets' style sheets belong to the registry's colours.
void Gras(QWidget* w) {
    QFont f = w->font();
    f.setBold(true);
    w->setFont(f);
}

int HauteurLignes(const QListWidget* l, int lignes) {
    return lignes * l->fontMetrics().height() + 2 * l->frameWidth() + 6;
}

} // namespace

PanneauxCalibrage::PanneauxCalibrage(Orvelle& o, Liaisons& liaisons, Clique clique, QWidget* parent,
                                     std::function<void()> apres)
    : QObject(parent), o_(o), liaisons_(liaisons), clique_(std::move(clique)),
      apres_(std::move(apres)), zone_(parent) {
    panneau_ = ConstruitPanneau(parent);
    dialogue_ = ConstruitDialogue(parent);
    groupe_ = ConstruitGroupe(parent);
    if (zone_) zone_->installEventFilter(this);
    Actualise();
    for (QWidget* cadre : {panneau_, dialogue_, groupe_}) Place(cadre);
}

QGroupBox* PanneauxCalibrage::Cadre(QWidget* parent, const std::string& nom, int index) {
    auto* cadre = new QGroupBox(parent);
    cadre->setObjectName(Nom(nom, index));
    cadre->setAutoFillBackground(true);
    cadre->installEventFilter(this);
    return cadre;
}

QAbstractButton* PanneauxCalibrage::Bouton(QBoxLayout* l, const std::string& nom, int index) {
    Q_ASSERT(l->parentWidget()); // a widget bound without parent would show as a window
    auto* b = new QPushButton(l->parentWidget());
    b->setObjectName(Nom(nom, index));
    b->setFocusPolicy(Qt::NoFocus);
    l->addWidget(b);
    liaisons_.Lie(nom, index, b);
    connect(b, &QPushButton::clicked, this, [this, nom, index] {
        clique_(nom, index);
        if (nom != "bout") return;
        // Command 4 asks for the comment in the panel's field; a pointing
        // calibration started from the panel waits for the image.
        if (index == 25 && valeur_->isEnabled()) valeur_->setFocus();
        if ((index == 23 || index == 27) && CalibrageEnAttente(o_) && zone_) zone_->setFocus();
    });
    return b;
}

QAbstractButton* PanneauxCalibrage::Case(QBoxLayout* l, const std::string& nom, int index) {
    auto* c = new QCheckBox(l->parentWidget());
    c->setObjectName(Nom(nom, index));
    c->setFocusPolicy(Qt::NoFocus);
    l->addWidget(c);
    liaisons_.Lie(nom, index, c);
    connect(c, &QCheckBox::clicked, this, [this, nom, index](bool coche) {
        o_.controles.Coche(nom, index, coche);
        clique_(nom, index);
    });
    return c;
}

QAbstractButton* PanneauxCalibrage::Option(QBoxLayout* l, const std::string& nom, int index) {
    auto* r = new QRadioButton(l->parentWidget());
    r->setObjectName(Nom(nom, index));
    r->setAutoExclusive(false); // the core keeps each pair's single choice
    r->setFocusPolicy(Qt::NoFocus);
    l->addWidget(r);
    liaisons_.Lie(nom, index, r);
    connect(r, &QRadioButton::clicked, this, [this, nom, index] {
        o_.controles.Coche(nom, index, true);
        clique_(nom, index);
    });
    return r;
}

// A text box: what the user types is in the registry before any click reads it.
QLineEdit* PanneauxCalibrage::Champ(QBoxLayout* l, int index) {
    Q_ASSERT(l->parentWidget());
    auto* t = new QLineEdit(l->parentWidget());
    t->setObjectName(Nom("TBox", index));
    l->addWidget(t);
    liaisons_.Lie("TBox", index, t);
    connect(t, &QLineEdit::textEdited, this, [this, index](const QString& s) {
        o_.controles.Texte("TBox", index, s.toStdString());
    });
    return t;
}

QListWidget* PanneauxCalibrage::Liste(QWidget* parent, const std::string& nom) {
    auto* l = new QListWidget(parent);
    l->setObjectName(QString::fromStdString(nom));
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setTextElideMode(Qt::ElideLeft); // a path keeps its file name in sight
    return l;
}

QGroupBox* PanneauxCalibrage::ConstruitPanneau(QWidget* parent) {
    auto* cadre = Cadre(parent, "Frame", 7);
    auto* l = new QVBoxLayout(cadre);
    l->setSizeConstraint(QLayout::SetFixedSize);

    auto* invite = new QLabel(cadre);
    invite->setObjectName("label_7");
    Gras(invite);
    l->addWidget(invite);
    liaisons_.Lie("label", 7, invite);
    auto* rangeeValeur = new QHBoxLayout;
    l->addLayout(rangeeValeur);
    valeur_ = Champ(rangeeValeur, 0);
    valeur_->setMinimumWidth(280);
    connect(valeur_, &QLineEdit::returnPressed, this, [this] {
        ValideCadreCalibrage(o_);
        ApresEvenement();
    });
    Bouton(rangeeValeur, "bout", 20);

    auto* colonnes = new QHBoxLayout;
    l->addLayout(colonnes);
    auto* commandes = new QVBoxLayout;
    colonnes->addLayout(commandes);
    commandes->setSpacing(2);
    for (int i = 21; i <= 27; ++i) Bouton(commandes, "bout", i);
    Bouton(commandes, "bout", 44);
    commandes->addStretch(1);

    auto* options = new QVBoxLayout;
    colonnes->addLayout(options);
    auto* mode = new QGroupBox(cadre);
    mode->setObjectName("Frame_11");
    auto* lm = new QVBoxLayout(mode);
    Option(lm, "Optn", 1);
    Option(lm, "Optn", 2);
    liaisons_.Lie("Frame", 11, mode);
    options->addWidget(mode);
    Option(options, "Optn", 3);
    Option(options, "Optn", 4);
    auto* objectif = new QHBoxLayout;
    options->addLayout(objectif);
    auto* x = new QLabel(cadre);
    x->setObjectName("label_11");
    objectif->addWidget(x);
    liaisons_.Lie("label", 11, x);
    Champ(objectif, 2)->setMaximumWidth(80);
    objectif->addStretch(1);
    options->addStretch(1);
    Bouton(options, "bout", 6);

    auto* etape = new QLabel(cadre);
    etape->setObjectName("label_3");
    l->addWidget(etape);
    liaisons_.Lie("label", 3, etape);
    listeCalib_ = Liste(cadre, "ListCalib");
    listeCalib_->setFixedHeight(HauteurLignes(listeCalib_, kLignesCalib));
    l->addWidget(listeCalib_);
    liaisons_.Lie("ListCalib", SansIndex, listeCalib_);
    // The mouse and the arrow keys choose a row; a click on the current row
    // chooses it again.
    auto choisit = [this](int ligne) {
        if (ligne < 0) return;
        ListCalib_Click(o_, ligne);
        ApresEvenement();
    };
    connect(listeCalib_, &QListWidget::currentRowChanged, this, choisit);
    connect(listeCalib_, &QListWidget::itemClicked, this,
            [this, choisit](QListWidgetItem* item) { choisit(listeCalib_->row(item)); });

    correction_ = ConstruitCorrection(cadre);
    l->addWidget(correction_);

    auto* fin = new QHBoxLayout;
    l->addLayout(fin);
    fin->addStretch(1);
    Bouton(fin, "bout", 19);

    liaisons_.Lie("Frame", 7, cadre);
    return cadre;
}

QGroupBox* PanneauxCalibrage::ConstruitCorrection(QWidget* parent) {
    auto* cadre = new QGroupBox(parent);
    cadre->setObjectName("Frame_14");
    auto* l = new QHBoxLayout(cadre);
    Champ(l, 1);
    // Command1(0) has no caption of its own: an icon and a tip say what it does.
    auto* applique = Bouton(l, "Command1", 0);
    applique->setIcon(applique->style()->standardIcon(QStyle::SP_DialogApplyButton));
    applique->setToolTip(tr("Appliquer le coefficient de correction"));
    Bouton(l, "Command1", 1);
    liaisons_.Lie("Frame", 14, cadre);
    return cadre;
}

QGroupBox* PanneauxCalibrage::ConstruitDialogue(QWidget* parent) {
    auto* cadre = Cadre(parent, "Frame", 8);
    auto* l = new QVBoxLayout(cadre);
    l->setSizeConstraint(QLayout::SetFixedSize);
    auto* invite = new QLabel(cadre);
    invite->setObjectName("label_8");
    Gras(invite);
    l->addWidget(invite);
    liaisons_.Lie("label", 8, invite);

    auto* rangee = new QHBoxLayout;
    l->addLayout(rangee);
    saisie_ = Champ(rangee, 5);
    saisie_->setMinimumWidth(220);
    QFont grande = saisie_->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.3);
    saisie_->setFont(grande);
    // Enter validates the entry like "OK".
    connect(saisie_, &QLineEdit::returnPressed, this, [this] { clique_("bout", 31); });
    // The unit of the number typed, and the segment pointed in picture pixels.
    for (const char* nom : {"lblUniteCalib", "lblPixelsCalib"}) {
        auto* etiquette = new QLabel(cadre);
        etiquette->setObjectName(nom);
        if (std::string(nom) == "lblUniteCalib") {
            etiquette->setFont(grande);
            etiquette->setBuddy(saisie_);
        }
        rangee->addWidget(etiquette);
        liaisons_.Lie(nom, SansIndex, etiquette);
    }
    Bouton(rangee, "Bout_Symb", SansIndex);

    auto* boutons = new QHBoxLayout;
    l->addLayout(boutons);
    boutons->addStretch(1);
    Bouton(boutons, "bout", 31);
    Bouton(boutons, "bout", 32);
    liaisons_.Lie("Frame", 8, cadre);
    return cadre;
}

QGroupBox* PanneauxCalibrage::ConstruitGroupe(QWidget* parent) {
    auto* cadre = Cadre(parent, "FraMC", 0);
    auto* l = new QVBoxLayout(cadre);
    l->setSizeConstraint(QLayout::SetFixedSize);

    auto* rangee = new QHBoxLayout;
    l->addLayout(rangee);
    listeGroupe_ = Liste(cadre, "ListImgMC");
    listeGroupe_->setFixedSize(kLargeurGroupe, HauteurLignes(listeGroupe_, kLignesGroupe));
    rangee->addWidget(listeGroupe_);
    liaisons_.Lie("ListImgMC", SansIndex, listeGroupe_);
    connect(listeGroupe_, &QListWidget::currentRowChanged, this, [this](int ligne) {
        if (ligne < 0) return;
        ListImgMC_Click(o_, ligne);
        ApresEvenement();
    });
    connect(listeGroupe_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        ListImgMC_DblClick(o_, listeGroupe_->row(item));
        ApresEvenement();
    });
    auto* boutons = new QVBoxLayout;
    rangee->addLayout(boutons);
    boutons->setSpacing(2);
    for (int i = 0; i <= 3; ++i) Bouton(boutons, "BoutMC", i)->setMaximumWidth(48);
    boutons->addStretch(1);

    auto* bas = new QHBoxLayout;
    l->addLayout(bas);
    Case(bas, "chkMC", 0);
    Case(bas, "chkMC", 1);
    bas->addStretch(1);
    // cmdChargeMC has no design caption: an icon and a tip say what it does.
    auto* bascule = Bouton(bas, "cmdChargeMC", SansIndex);
    bascule->setIcon(bascule->style()->standardIcon(QStyle::SP_TitleBarShadeButton));
    bascule->setToolTip(tr("Afficher / masquer le groupage"));
    Bouton(bas, "BoutMC", 4);
    liaisons_.Lie("FraMC", 0, cadre);
    return cadre;
}

void PanneauxCalibrage::Actualise() {
    Remplit(listeCalib_, o_.calibrage.ListCalib, o_.calibrage.selectionCalib);
    Remplit(listeGroupe_, o_.groupe.ListImgMC, o_.groupe.selection);
    // The dialogue just opened with its starting value: the user types over it.
    const bool ouvert = o_.controles("Frame", 8).visible;
    if (ouvert && !dialogueOuvert_ && saisie_->isEnabled()) {
        saisie_->setFocus();
        saisie_->selectAll();
    }
    dialogueOuvert_ = ouvert;
}

void PanneauxCalibrage::ApresEvenement() {
    Actualise();
    if (apres_) apres_();
}

void PanneauxCalibrage::Place(QWidget* cadre) {
    if (!zone_ || !cadre) return;
    const QSize z = zone_->size();
    const QSize t = cadre->size();
    QPoint p(kMarge, kMarge);
    if (cadre == dialogue_)
        p = {z.width() - t.width() - kMarge, z.height() - t.height() - kMarge};
    else if (cadre == groupe_)
        p = kPlaceGroupe;
    // Kept inside the area; a frame larger than the area keeps its top left corner in it.
    p.setX(std::max(0, std::min(p.x(), z.width() - t.width())));
    p.setY(std::max(0, std::min(p.y(), z.height() - t.height())));
    cadre->move(p);
}

bool PanneauxCalibrage::eventFilter(QObject* objet, QEvent* e) {
    if (objet == zone_) {
        if (e->type() == QEvent::Resize)
            for (QWidget* cadre : {panneau_, dialogue_, groupe_}) Place(cadre);
        return false;
    }
    auto* cadre = qobject_cast<QWidget*>(objet);
    if (cadre != panneau_ && cadre != dialogue_ && cadre != groupe_) return false;
    if (e->type() == QEvent::Resize) {
        Place(cadre);
    } else if (e->type() == QEvent::Show) {
        Place(cadre);
        cadre->raise();
        if (cadre == dialogue_ && saisie_->isEnabled()) saisie_->setFocus();
    }
    return false;
}

} // namespace orv
