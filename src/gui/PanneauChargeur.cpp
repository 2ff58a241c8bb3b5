#include "gui/PanneauChargeur.h"
#include "gui/Liaisons.h"

#include "app/CommandesImages.h"
#include "gui/DessinCopie.h"
#include "images/Chargeur.h"
#include "images/EnteteImage.h"
#include "pixels/LectureZone.h"

#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace orv {

namespace {

constexpr int kCodeEchap = 27;
const QSize kTailleApercu(480, 360);

bool MemesTextes(const QListWidget* l, const std::vector<std::string>& textes) {
    if (l->count() != static_cast<int>(textes.size())) return false;
    for (int i = 0; i < l->count(); ++i)
        if (l->item(i)->text().toStdString() != textes[static_cast<size_t>(i)]) return false;
    return true;
}

void Remplit(QListWidget* l, const std::vector<std::string>& textes) {
    if (MemesTextes(l, textes)) return;
    l->clear();
    for (const auto& t : textes) l->addItem(QString::fromStdString(t));
}

} // namespace

void ListeChargeur::keyPressEvent(QKeyEvent* e) {
    QListWidget::keyPressEvent(e); // the selection moves first
    if (!e->isAutoRepeat()) emit toucheEnfoncee(e->key() == Qt::Key_Escape ? kCodeEchap : e->key());
}

void ListeChargeur::keyReleaseEvent(QKeyEvent* e) {
    QListWidget::keyReleaseEvent(e);
    if (!e->isAutoRepeat()) emit toucheRelachee();
}

PanneauChargeur::PanneauChargeur(Orvelle& o, Liaisons& liaisons, std::function<void()> apres,
                                 QWidget* parent)
    : QGroupBox(parent), o_(o), apres_(std::move(apres)) {
    setObjectName(NomObjet(Controle::CadreChargeur));
    auto* l = new QVBoxLayout(this);
    chemins_ = new ListeChargeur(this);
    chemins_->setObjectName(NomObjet(Controle::ListeChargeur));
    chemins_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    affichee_ = new QListWidget(this);
    affichee_->setObjectName(NomObjet(Controle::ListeAffichee));
    auto* chemin = new QLineEdit(this);
    chemin->setObjectName(NomObjet(Controle::CheminImage));
    chemin->setReadOnly(true);
    auto* fichier = new QLabel(this);
    fichier->setObjectName(NomObjet(Controle::CheminSelection));
    fichier->setStyleSheet("background-color: #ffffe0;");
    l->addWidget(affichee_, 2);
    l->addWidget(chemin);
    l->addWidget(chemins_, 1);
    l->addWidget(fichier);

    liaisons.Lie(Controle::CadreChargeur, this);
    liaisons.Lie(Controle::ListeChargeur, chemins_);
    liaisons.Lie(Controle::ListeAffichee, affichee_);
    liaisons.Lie(Controle::CheminImage, chemin);
    liaisons.Lie(Controle::CheminSelection, fichier);

    connect(chemins_, &QListWidget::itemSelectionChanged, this, [this] {
        if (miseAJour_) return;
        std::vector<int> lignes;
        for (const auto& index : chemins_->selectionModel()->selectedRows())
            lignes.push_back(index.row());
        SelectionneChargeur(o_.images.chargeur, chemins_->currentRow(), lignes);
        Apres();
    });
    connect(chemins_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        DoubleClicChargeur(o_, chemins_->row(item));
        Apres();
    });
    connect(affichee_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        ClicListeAffichee(o_, affichee_->row(item));
        Apres();
    });
    connect(chemins_, &ListeChargeur::toucheEnfoncee, this,
            [this](int code) { ToucheChargeur(o_.ui, o_.images.chargeur, code); });
    connect(chemins_, &ListeChargeur::toucheRelachee, this,
            [this] { RelacheToucheChargeur(o_.ui); });

    Rafraichit();
}

void PanneauChargeur::Apres() {
    if (apres_)
        apres_();
    else
        Rafraichit();
}

void PanneauChargeur::Rafraichit() {
    const auto& ch = o_.images.chargeur;
    if (ch.version == version_) return;
    version_ = ch.version;
    miseAJour_ = true;
    {
        const QSignalBlocker b1(chemins_), b2(affichee_);
        Remplit(chemins_, ch.ListIMGchar);
        Remplit(affichee_, ch.ListImgAff);
        chemins_->setCurrentRow(ch.selection);
        for (int i : ch.selectionMultiple)
            if (auto* item = chemins_->item(i)) item->setSelected(true);
        affichee_->setCurrentRow(o_.calibrage.ModeGroupe ? -1 : ch.selection);
    }
    miseAJour_ = false;
}

CadreCopieReferencee::CadreCopieReferencee(Orvelle& o, Liaisons& liaisons,
                                           const std::function<void(Controle)>& clique,
                                           QWidget* parent)
    : QGroupBox(parent), o_(o) {
    setObjectName(NomObjet(Controle::CadreCopie));
    setAutoFillBackground(true);
    auto* l = new QVBoxLayout(this);
    apercu_ = new QLabel(this);
    apercu_->setObjectName(
        NomObjet(Controle::ImageCopie)); // not bound: its caption would wipe the picture
    apercu_->setAlignment(Qt::AlignCenter);
    apercu_->setMinimumSize(kTailleApercu / 2);
    l->addWidget(apercu_, 1);
    auto* texte = new QLineEdit(this);
    texte->setObjectName(NomObjet(Controle::TexteCopie));
    l->addWidget(texte);
    RangeeBoutons(l, this, liaisons, {Controle::CopieEnregistre, Controle::CopieFerme}, clique);
    liaisons.Lie(Controle::TexteCopie, texte);
    liaisons.Lie(Controle::CadreCopie, this);

    Rafraichit();
}

void CadreCopieReferencee::showEvent(QShowEvent* e) {
    QGroupBox::showEvent(e);
    version_ = ~std::uint64_t{0}; // the plain picture is read only while shown
    Rafraichit();
}

void CadreCopieReferencee::Rafraichit() {
    const auto& ch = o_.images.chargeur;
    if (ch.version == version_ && o_.images.cheminImage == chemin_) return;
    version_ = ch.version;
    chemin_ = o_.images.cheminImage;
    QImage image;
    if (ch.apercu) {
        image = ReduitPixels(*ch.apercu, kTailleApercu);
    } else if (!chemin_.empty() && isVisible()) {
        // The plain picture, decoded at the preview's size only, upright.
        if (const auto f = OuvreFichierLecture(chemin_)) {
            QImageReader lecteur(f.get());
            lecteur.setAutoTransform(false);
            const QSize t = lecteur.size();
            if (t.isValid()) lecteur.setScaledSize(t.scaled(kTailleApercu, Qt::KeepAspectRatio));
            image = lecteur.read();
            if (const auto e = LitEnteteImageFichier(chemin_))
                image = Redresse(image, e->orientation);
        }
    }
    if (image.isNull()) {
        apercu_->clear();
        return;
    }
    apercu_->setPixmap(QPixmap::fromImage(
        image.scaled(kTailleApercu, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

} // namespace orv
