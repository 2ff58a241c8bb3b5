#include "gui/PanneauRepertoire.h"

#include "images/Repertoire.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace orv {

namespace {

constexpr const char* kParent = "..";

void Remplit(QListWidget* l, const QStringList& textes) {
    const QSignalBlocker b(l);
    l->clear();
    l->addItems(textes);
}

} // namespace

PanneauRepertoire::PanneauRepertoire(Orvelle& o, Liaisons& liaisons,
                                     const std::function<void(Controle)>& clique,
                                     std::function<void()> apres, QWidget* parent)
    : QGroupBox(parent), o_(o), apres_(std::move(apres)) {
    setObjectName(NomObjet(Controle::CadreRepertoire));
    setAutoFillBackground(true);
    auto* l = new QVBoxLayout(this);
    lecteurs_ = new QComboBox(this);
    lecteurs_->setObjectName(NomObjet(Controle::ListeLecteurs));
    dossiers_ = new QListWidget(this);
    dossiers_->setObjectName(NomObjet(Controle::ListeDossiers));
    auto* texte = new QLineEdit(this);
    texte->setObjectName(NomObjet(Controle::TexteRepertoire));
    texte->setReadOnly(true);
    fichiers_ = new QListWidget(this);
    fichiers_->setObjectName(NomObjet(Controle::ListeRepertoire));
    fichiers_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    l->addWidget(lecteurs_);
    l->addWidget(dossiers_);
    l->addWidget(fichiers_);
    l->addWidget(texte);
    RangeeBoutons(
        l, this, liaisons,
        {Controle::RepertoireCharger, Controle::RepertoireChoisir, Controle::RepertoireFermer},
        clique);
    liaisons.Lie(Controle::CadreRepertoire, this);
    liaisons.Lie(Controle::ListeLecteurs, lecteurs_);
    liaisons.Lie(Controle::ListeDossiers, dossiers_);
    liaisons.Lie(Controle::ListeRepertoire, fichiers_);
    liaisons.Lie(Controle::TexteRepertoire, texte);

    auto& r = o_.images.repertoire;
    connect(lecteurs_, &QComboBox::activated, this, [this, &r](int i) {
        ChangeLecteur(o_.ui, r, i);
        apres_();
    });
    // Row 0 of the folder list is the parent folder.
    connect(dossiers_, &QListWidget::itemClicked, this, [this, &r](QListWidgetItem* item) {
        ClicDossier(o_.ui, r, dossiers_->row(item) - 1);
        apres_();
    });
    connect(dossiers_, &QListWidget::itemDoubleClicked, this, [this, &r](QListWidgetItem* item) {
        OuvreDossier(o_.ui, r, dossiers_->row(item) - 1);
        apres_();
    });
    connect(fichiers_, &QListWidget::itemSelectionChanged, this, [this, &r] {
        std::vector<int> lignes;
        for (const auto& i : fichiers_->selectionModel()->selectedRows()) lignes.push_back(i.row());
        SelectionneFichiers(o_.ui, r, o_.parametres.repImage, fichiers_->currentRow(), lignes);
        apres_();
    });
    Rafraichit();
}

void PanneauRepertoire::Rafraichit() {
    const auto& r = o_.images.repertoire;
    if (r.version == version_) return;
    version_ = r.version;
    {
        const QSignalBlocker b(lecteurs_);
        lecteurs_->clear();
        for (const auto& d : r.lecteurs)
            lecteurs_->addItem(QString::fromStdString(d.nom), QString::fromStdString(d.chemin));
        lecteurs_->setCurrentIndex(r.lecteur);
    }
    QStringList dossiers{kParent};
    for (const auto& d : r.sousDossiers) dossiers << QString::fromStdString(d);
    Remplit(dossiers_, dossiers);
    QStringList fichiers;
    for (const auto& f : r.ListRep) fichiers << QString::fromStdString(f);
    Remplit(fichiers_, fichiers);
    const QSignalBlocker b(fichiers_);
    for (int i : r.selection)
        if (auto* item = fichiers_->item(i)) item->setSelected(true);
}

} // namespace orv
