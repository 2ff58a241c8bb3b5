#include "gui/PanneauxCalibrage.h"

#include "calibration/GroupeImages.h"
#include "gui/FabriqueControles.h"

#include "app/CommandesCalibrage.h"
#include "app/CommandesImages.h"
#include "calibration/PanneauCalibrage.h"
#include "images/Vue.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
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

QGroupBox* PanneauxCalibrage::Cadre(QWidget* parent, Controle c) {
    auto* cadre = new QGroupBox(parent);
    cadre->setObjectName(NomObjet(c));
    cadre->setAutoFillBackground(true);
    cadre->installEventFilter(this);
    return cadre;
}

FabriqueControles PanneauxCalibrage::Fabrique() {
    return {liaisons_, o_.controles, [this](Controle c) { clique_(c); }};
}

QAbstractButton* PanneauxCalibrage::Bouton(QBoxLayout* l, Controle c) {
    auto* b = Fabrique().Bouton(l->parentWidget(), c);
    l->addWidget(b);
    connect(b, &QAbstractButton::clicked, this, [this, c] {
        // Command 4 asks for the comment in the panel's field; a pointing
        // calibration started from the panel waits for the image.
        if (c == Controle::CalibrageSauvegarde && valeur_->isEnabled()) valeur_->setFocus();
        if ((c == Controle::CalibragePortion || c == Controle::CalibrageObjectif) &&
            CalibrageEnAttente(o_.calibrage) && zone_)
            zone_->setFocus();
    });
    return b;
}

QAbstractButton* PanneauxCalibrage::Case(QBoxLayout* l, Controle c) {
    auto* k = Fabrique().Case(l->parentWidget(), c);
    l->addWidget(k);
    return k;
}

QAbstractButton* PanneauxCalibrage::Option(QBoxLayout* l, Controle c) {
    auto* r = Fabrique().Option(l->parentWidget(), c);
    l->addWidget(r);
    return r;
}

QLineEdit* PanneauxCalibrage::Champ(QBoxLayout* l, Controle c) {
    Q_ASSERT(l->parentWidget());
    auto* t = new QLineEdit(l->parentWidget());
    t->setObjectName(NomObjet(c));
    l->addWidget(t);
    liaisons_.Lie(c, t);
    connect(t, &QLineEdit::textEdited, this,
            [this, c](const QString& s) { o_.controles.Texte(c, s.toStdString()); });
    return t;
}

QListWidget* PanneauxCalibrage::Liste(QWidget* parent, Controle c) {
    auto* l = new QListWidget(parent);
    l->setObjectName(NomObjet(c));
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setTextElideMode(Qt::ElideLeft); // a path keeps its file name in sight
    return l;
}

QGroupBox* PanneauxCalibrage::ConstruitPanneau(QWidget* parent) {
    auto* cadre = Cadre(parent, Controle::CadreCalibrage);
    auto* l = new QVBoxLayout(cadre);
    l->setSizeConstraint(QLayout::SetFixedSize);

    auto* invite = new QLabel(cadre);
    invite->setObjectName(NomObjet(Controle::InviteCalibrage));
    Gras(invite);
    l->addWidget(invite);
    liaisons_.Lie(Controle::InviteCalibrage, invite);
    auto* rangeeValeur = new QHBoxLayout;
    l->addLayout(rangeeValeur);
    valeur_ = Champ(rangeeValeur, Controle::TexteCalibrage);
    valeur_->setMinimumWidth(280);
    connect(valeur_, &QLineEdit::returnPressed, this, [this] {
        ValideCadreCalibrage(o_);
        ApresEvenement();
    });
    Bouton(rangeeValeur, Controle::ValiderCalibrage);

    auto* colonnes = new QHBoxLayout;
    l->addLayout(colonnes);
    auto* commandes = new QVBoxLayout;
    colonnes->addLayout(commandes);
    commandes->setSpacing(2);
    for (Controle c :
         {Controle::CalibrageCoefficient, Controle::CalibrageBalanceBlancs,
          Controle::CalibragePortion, Controle::CalibrageCharger, Controle::CalibrageSauvegarde,
          Controle::CalibrageResolution, Controle::CalibrageObjectif})
        Bouton(commandes, c);
    Bouton(commandes, Controle::CalibrageCorrection);
    commandes->addStretch(1);

    auto* options = new QVBoxLayout;
    colonnes->addLayout(options);
    auto* mode = new QGroupBox(cadre);
    mode->setObjectName(NomObjet(Controle::CadreModeCalibrage));
    auto* lm = new QVBoxLayout(mode);
    Option(lm, Controle::OptionIndDim);
    Option(lm, Controle::OptionIndRes);
    liaisons_.Lie(Controle::CadreModeCalibrage, mode);
    options->addWidget(mode);
    Option(options, Controle::OptionCalibrageLongueur);
    Option(options, Controle::OptionCalibrageGraduations);
    Option(options, Controle::OptionCalibragePeriode);
    auto* objectif = new QHBoxLayout;
    options->addLayout(objectif);
    auto* x = new QLabel(cadre);
    x->setObjectName(NomObjet(Controle::LegendeObjectif));
    objectif->addWidget(x);
    liaisons_.Lie(Controle::LegendeObjectif, x);
    Champ(objectif, Controle::TexteObjectif)->setMaximumWidth(80);
    objectif->addStretch(1);
    options->addStretch(1);
    Bouton(options, Controle::EditerCalibrage);

    auto* etape = new QLabel(cadre);
    etape->setObjectName(NomObjet(Controle::InviteCommande));
    l->addWidget(etape);
    liaisons_.Lie(Controle::InviteCommande, etape);
    listeCalib_ = Liste(cadre, Controle::ListeCalibrages);
    listeCalib_->setFixedHeight(HauteurLignes(listeCalib_, kLignesCalib));
    l->addWidget(listeCalib_);
    liaisons_.Lie(Controle::ListeCalibrages, listeCalib_);
    // The mouse and the arrow keys choose a row; a click on the current row
    // chooses it again.
    auto choisit = [this](int ligne) {
        if (ligne < 0) return;
        ChoisitCalibrageListe(o_.ui, o_.calibrage, ligne);
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
    Bouton(fin, Controle::QuitterCalibrage);

    liaisons_.Lie(Controle::CadreCalibrage, cadre);
    return cadre;
}

QGroupBox* PanneauxCalibrage::ConstruitCorrection(QWidget* parent) {
    auto* cadre = new QGroupBox(parent);
    cadre->setObjectName(NomObjet(Controle::CadreCorrection));
    auto* l = new QHBoxLayout(cadre);
    Champ(l, Controle::TexteCorrection);
    // The correction's "apply" button has no caption of its own: an icon and a tip say what it
    // does.
    auto* applique = Bouton(l, Controle::CorrectionAppliquer);
    applique->setIcon(applique->style()->standardIcon(QStyle::SP_DialogApplyButton));
    Bouton(l, Controle::CorrectionAnnuler);
    liaisons_.Lie(Controle::CadreCorrection, cadre);
    return cadre;
}

QGroupBox* PanneauxCalibrage::ConstruitDialogue(QWidget* parent) {
    auto* cadre = Cadre(parent, Controle::CadreSaisie);
    auto* l = new QVBoxLayout(cadre);
    l->setSizeConstraint(QLayout::SetFixedSize);
    auto* invite = new QLabel(cadre);
    invite->setObjectName(NomObjet(Controle::InviteSaisie));
    Gras(invite);
    l->addWidget(invite);
    liaisons_.Lie(Controle::InviteSaisie, invite);

    auto* rangee = new QHBoxLayout;
    l->addLayout(rangee);
    saisie_ = Champ(rangee, Controle::TexteSaisie);
    saisie_->setMinimumWidth(220);
    QFont grande = saisie_->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.3);
    saisie_->setFont(grande);
    // Enter validates the entry like "OK"; Esc gives it up like "Annule".
    connect(saisie_, &QLineEdit::returnPressed, this, [this] { clique_(Controle::SaisieOK); });
    saisie_->installEventFilter(this);
    // The unit of the number typed, and the segment pointed in picture pixels.
    for (Controle c : {Controle::UniteSaisie, Controle::PixelsSaisie}) {
        auto* etiquette = new QLabel(cadre);
        etiquette->setObjectName(NomObjet(c));
        if (c == Controle::UniteSaisie) {
            etiquette->setFont(grande);
            etiquette->setBuddy(saisie_);
        }
        rangee->addWidget(etiquette);
        liaisons_.Lie(c, etiquette);
    }
    Bouton(rangee, Controle::SymboleMicron);

    auto* boutons = new QHBoxLayout;
    l->addLayout(boutons);
    boutons->addStretch(1);
    Bouton(boutons, Controle::SaisieOK);
    Bouton(boutons, Controle::SaisieAnnule);
    liaisons_.Lie(Controle::CadreSaisie, cadre);
    return cadre;
}

QGroupBox* PanneauxCalibrage::ConstruitGroupe(QWidget* parent) {
    auto* cadre = Cadre(parent, Controle::CadreGroupe);
    auto* l = new QVBoxLayout(cadre);
    l->setSizeConstraint(QLayout::SetFixedSize);

    auto* rangee = new QHBoxLayout;
    l->addLayout(rangee);
    listeGroupe_ = Liste(cadre, Controle::ListeGroupe);
    listeGroupe_->setFixedSize(kLargeurGroupe, HauteurLignes(listeGroupe_, kLignesGroupe));
    rangee->addWidget(listeGroupe_);
    liaisons_.Lie(Controle::ListeGroupe, listeGroupe_);
    connect(listeGroupe_, &QListWidget::currentRowChanged, this, [this](int ligne) {
        if (ligne < 0) return;
        SelectionneLigneGroupe(o_.calibrage.groupe, ligne);
        ApresEvenement();
    });
    connect(listeGroupe_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        DoubleClicGroupe(o_, listeGroupe_->row(item));
        ApresEvenement();
    });
    auto* boutons = new QVBoxLayout;
    rangee->addLayout(boutons);
    boutons->setSpacing(2);
    for (Controle c : {Controle::GroupeAjoute, Controle::GroupeRetire, Controle::GroupeAjouteTout,
                       Controle::GroupeRetireTout})
        Bouton(boutons, c)->setMaximumWidth(48);
    boutons->addStretch(1);

    auto* bas = new QHBoxLayout;
    l->addLayout(bas);
    Case(bas, Controle::CaseModeMC);
    Case(bas, Controle::CaseImgMC);
    bas->addStretch(1);
    // The group button has no design caption: an icon and a tip say what it does.
    auto* bascule = Bouton(bas, Controle::GroupeChargeMC);
    bascule->setIcon(bascule->style()->standardIcon(QStyle::SP_TitleBarShadeButton));
    Bouton(bas, Controle::GroupeOK);
    liaisons_.Lie(Controle::CadreGroupe, cadre);
    return cadre;
}

void PanneauxCalibrage::Actualise() {
    Remplit(listeCalib_, o_.calibrage.ListCalib, o_.calibrage.selectionCalib);
    Remplit(listeGroupe_, o_.calibrage.groupe.ListImgMC, o_.calibrage.groupe.selection);
    // The dialogue just opened with its starting value: the user types over it.
    // So does each new prompt of a dialogue already open (the annotation's unit).
    const bool ouvert = o_.controles(Controle::CadreSaisie).visible;
    const std::string& invite = o_.controles.Texte(Controle::InviteSaisie);
    if (ouvert && (!dialogueOuvert_ || invite != inviteVue_) && saisie_->isEnabled()) {
        saisie_->setFocus();
        saisie_->selectAll();
    }
    dialogueOuvert_ = ouvert;
    inviteVue_ = invite;
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
    if (objet == saisie_) {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
            clique_(Controle::SaisieAnnule);
            return true;
        }
        return false;
    }
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
