#include "gui/FenetrePrincipale.h"

#include "app/ControlesDesign.h"
#include "app/Fenetre.h"
#include "gui/ModeleGrille.h"
#include "gui/PlateformeQt.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <map>
#include <set>

namespace orv {

namespace {

constexpr int kTwipsParPixel = 15;

int Pixels(int twips) {
    return (twips + kTwipsParPixel / 2) / kTwipsParPixel;
}

// Menu families whose items carry a check mark.
const std::set<std::string> kMenusCoches = {
    "Fdemarrage", "mnFormat", "TgrilleMax",     "Pclic", "Mndecim", "MnLang", "statdef",
    "MNSav",      "NoTexp",   "Mn_Copie_Ecran", "F_Img", "Lrg",     "TTrace", "CalSrc"};

} // namespace

FenetrePrincipale::FenetrePrincipale(Orvelle& orvelle, PlateformeQt& plateforme, QWidget* parent)
    : QMainWindow(parent), o_(orvelle), plateforme_(plateforme), liaisons_(orvelle.controles) {
    setObjectName("frmMesure");
    plateforme_.FixeFenetre(this);
    liaisons_.Lie("frmMesure", SansIndex, this);

    ConstruitMenus();

    // Commands on the left, the image in the middle, the grid on the right; the
    // user may widen the grid at the image's expense.
    auto* centre = new QWidget(this);
    auto* rangee = new QHBoxLayout(centre);
    rangee->setContentsMargins(2, 2, 2, 2);
    rangee->addWidget(ConstruitPanneauCommandes());
    auto* separateur = new QSplitter(Qt::Horizontal, centre);
    separateur->addWidget(ConstruitZoneCentrale());
    separateur->addWidget(ConstruitZoneGrille());
    separateur->setStretchFactor(0, 1);
    separateur->setStretchFactor(1, 0);
    separateur->setCollapsible(0, false);
    rangee->addWidget(separateur, 1);
    setCentralWidget(centre);

    statusBar()->setObjectName("StatusBar1");
    liaisons_.Lie("StatusBar1", SansIndex, statusBar());

    resize(1400, 900);
    liaisons_.AppliqueTout();
}

FenetrePrincipale::~FenetrePrincipale() {
    plateforme_.FixeFenetre(nullptr);
}

void FenetrePrincipale::Clique(const std::string& nom, int index) {
    Clic(o_, nom, index);
    // The core decides check marks; a checkable widget that toggled itself is
    // put back to the registry's state.
    liaisons_.Applique({nom, index});
    if (o_.fermeture && !fermetureConfirmee_) {
        fermetureConfirmee_ = true;
        close();
    }
}

void FenetrePrincipale::ConstruitMenus() {
    const auto& arbre = ArbreMenus();
    std::set<Controles::Cle> parents;
    for (const auto& e : arbre)
        if (!e.parent.empty()) parents.insert({e.parent, e.indexParent});

    std::map<Controles::Cle, QMenu*> menus;
    for (const auto& e : arbre) {
        const Controles::Cle cle{e.nom, e.index};
        if (e.parent.empty()) {
            auto* m = e.contextuel ? new QMenu(this) : menuBar()->addMenu(Legende(e.texte));
            m->setObjectName(QString::fromStdString(e.nom));
            menus[cle] = m;
            liaisons_.Lie(e.nom, e.index, m);
            if (!parents.count(cle) && !e.contextuel) {
                // A bar entry without items acts on its own ("A propos ...").
                menuBar()->removeAction(m->menuAction());
                auto* a = menuBar()->addAction(Legende(e.texte));
                liaisons_.Lie(e.nom, e.index, a);
                connect(a, &QAction::triggered, this, [this, e] { Clique(e.nom, e.index); });
            }
            continue;
        }
        QMenu* parent = menus.at({e.parent, e.indexParent});
        if (parents.count(cle)) {
            QMenu* sous = parent->addMenu(Legende(e.texte));
            menus[cle] = sous;
            liaisons_.Lie(e.nom, e.index, sous);
            continue;
        }
        QAction* a = e.separateur ? parent->addSeparator() : parent->addAction(Legende(e.texte));
        a->setObjectName(QString::fromStdString(e.nom + "_" + std::to_string(e.index)));
        if (kMenusCoches.count(e.nom) || (e.nom == "MnuOpt" && e.index == 18))
            a->setCheckable(true);
        liaisons_.Lie(e.nom, e.index, a);
        connect(a, &QAction::triggered, this, [this, e] { Clique(e.nom, e.index); });
    }
}

QAbstractButton* FenetrePrincipale::Bouton(QVBoxLayout* l, const std::string& nom, int index,
                                           const QString& aide) {
    auto* b = new QPushButton(l->parentWidget());
    b->setObjectName(QString::fromStdString(nom + "_" + std::to_string(index)));
    b->setFocusPolicy(Qt::NoFocus);
    if (!aide.isEmpty()) b->setToolTip(aide);
    l->addWidget(b);
    liaisons_.Lie(nom, index, b);
    connect(b, &QPushButton::clicked, this, [this, nom, index] { Clique(nom, index); });
    return b;
}

QAbstractButton* FenetrePrincipale::Case(QVBoxLayout* l, const std::string& nom, int index) {
    auto* c = new QCheckBox(l->parentWidget());
    c->setObjectName(QString::fromStdString(nom + "_" + std::to_string(index)));
    c->setFocusPolicy(Qt::NoFocus);
    l->addWidget(c);
    liaisons_.Lie(nom, index, c);
    connect(c, &QCheckBox::clicked, this, [this, nom, index](bool coche) {
        o_.controles.Coche(nom, index, coche);
        Clique(nom, index);
    });
    return c;
}

QAbstractButton* FenetrePrincipale::Option(QVBoxLayout* l, const std::string& nom, int index) {
    auto* r = new QRadioButton(l->parentWidget());
    r->setObjectName(QString::fromStdString(nom + "_" + std::to_string(index)));
    r->setAutoExclusive(false); // the core keeps each group's single choice
    r->setFocusPolicy(Qt::NoFocus);
    l->addWidget(r);
    liaisons_.Lie(nom, index, r);
    connect(r, &QRadioButton::clicked, this, [this, nom, index] {
        o_.controles.Coche(nom, index, true);
        Clique(nom, index);
    });
    return r;
}

QWidget* FenetrePrincipale::ConstruitPanneauCommandes() {
    auto* defile = new QScrollArea;
    defile->setWidgetResizable(true);
    defile->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* panneau = new QWidget;
    auto* l = new QVBoxLayout(panneau);
    l->setContentsMargins(4, 4, 4, 4);
    l->setSpacing(3);

    auto* cal = new QLabel(panneau);
    cal->setObjectName("label_5");
    cal->setStyleSheet("font-weight: bold;");
    l->addWidget(cal);
    liaisons_.Lie("label", 5, cal);
    Bouton(l, "bout", 10);
    Bouton(l, "bout", 4);

    auto* zoom = new QWidget(panneau);
    auto* lz = new QHBoxLayout(zoom);
    lz->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(zoom);
        b->setObjectName(QString("Czoom_%1").arg(i));
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumWidth(30);
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        lz->addWidget(b);
        liaisons_.Lie("Czoom", i, b);
        connect(b, &QPushButton::clicked, this, [this, i] { Clique("Czoom", i); });
    }
    l->addWidget(zoom);
    auto* lzoom = new QLabel(panneau);
    l->addWidget(lzoom);
    liaisons_.Lie("label", 2, lzoom);

    auto* dims = new QGroupBox(panneau);
    auto* ld = new QVBoxLayout(dims);
    auto* lw = new QLabel(dims);
    auto* lh = new QLabel(dims);
    ld->addWidget(lw);
    ld->addWidget(lh);
    l->addWidget(dims);
    liaisons_.Lie("Frame", 2, dims);
    liaisons_.Lie("lblWidth", SansIndex, lw);
    liaisons_.Lie("lblHeight", SansIndex, lh);

    auto* mesure = new QGroupBox(panneau);
    auto* lm = new QVBoxLayout(mesure);
    Option(lm, "Optn", 5);
    Option(lm, "Optn", 6);
    Case(lm, "Check2", SansIndex);
    Case(lm, "Affmesure", SansIndex);
    auto* lecture = new QLabel(mesure);
    lecture->setStyleSheet("font-size: 14pt; font-weight: bold;");
    lm->addWidget(lecture);
    liaisons_.Lie("label", 9, lecture);
    auto* compte = new QLineEdit(mesure);
    compte->setReadOnly(true);
    compte->setToolTip(tr("Comptage"));
    lm->addWidget(compte);
    liaisons_.Lie("TBox", 6, compte);
    Bouton(lm, "bout", 9);
    l->addWidget(mesure);

    Bouton(l, "bout", 1);
    Bouton(l, "bout", 2);
    Bouton(l, "bout", 15);
    Bouton(l, "bout", 16);
    Bouton(l, "bout", 17);
    Bouton(l, "bout", 41);
    Bouton(l, "bout", 14);
    Bouton(l, "bout", 12);
    Bouton(l, "bout", 13);
    Case(l, "Check", 2);
    Case(l, "Check", 3);
    // These buttons have no caption of their own: an icon and a tip say what they do.
    Bouton(l, "cmdStat", SansIndex, tr("Statistiques d'ordre"))
        ->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    Bouton(l, "bout", 43, tr("Résultats"))
        ->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    Bouton(l, "bout", 39, tr("Afficher / masquer les résultats"))
        ->setIcon(style()->standardIcon(QStyle::SP_TitleBarShadeButton));
    Bouton(l, "bout", 42, tr("Copier la notation"))
        ->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    Bouton(l, "bout", 7);
    l->addStretch(1);

    defile->setWidget(panneau);
    defile->setFixedWidth(Pixels(3360) + 16);
    return defile;
}

QWidget* FenetrePrincipale::ConstruitZoneCentrale() {
    auto* zone = new QWidget;
    auto* l = new QVBoxLayout(zone);
    l->setContentsMargins(0, 0, 0, 0);
    auto* image = new QFrame(zone);
    image->setObjectName("Picture1");
    image->setFocusPolicy(Qt::StrongFocus);
    image->setFrameShape(QFrame::StyledPanel);
    image->setStyleSheet("QFrame#Picture1 { background-color: #3a3a3a; }");
    image->setMinimumSize(400, 300);
    l->addWidget(image, 1);
    liaisons_.Lie("Picture1", SansIndex, image);
    ConstruitBienvenue(image);
    ConstruitResultats(image);

    modeleMini_ = new ModeleGrille(o_.MGrille, this);
    vueMini_ = VuePour(modeleMini_, 20);
    vueMini_->setObjectName("MGrille");
    vueMini_->setFixedHeight(4 * 20 + 4);
    l->addWidget(vueMini_);
    liaisons_.Lie("MGrille", SansIndex, vueMini_);
    return zone;
}

QWidget* FenetrePrincipale::ConstruitBienvenue(QWidget* parent) {
    auto* cadre = new QGroupBox(parent);
    cadre->setObjectName("Frame_9");
    cadre->setAutoFillBackground(true);
    cadre->setGeometry(40, 40, 560, 360);
    auto* l = new QVBoxLayout(cadre);
    auto* texte = new QPlainTextEdit(cadre);
    texte->setReadOnly(true);
    l->addWidget(texte, 1);
    liaisons_.Lie("TBox", 7, texte);
    Case(l, "Check", 4);
    auto* rangee = new QHBoxLayout;
    auto* fermer = new QPushButton(cadre);
    fermer->setObjectName("bout_33");
    fermer->setText(tr("OK"));
    rangee->addStretch(1);
    rangee->addWidget(fermer);
    l->addLayout(rangee);
    connect(fermer, &QPushButton::clicked, this, [this] { Clique("bout", 33); });
    // bout(33) has no caption of its own: it keeps "OK" unless a language file sets one.
    liaisons_.Lie("Frame", 9, cadre);
    return cadre;
}

QWidget* FenetrePrincipale::ConstruitResultats(QWidget* parent) {
    auto* cadre = new QGroupBox(parent);
    cadre->setObjectName("FraResultats");
    cadre->setAutoFillBackground(true);
    cadre->setGeometry(20, 20, 760, 520);
    auto* l = new QVBoxLayout(cadre);
    auto* texte = new QPlainTextEdit(cadre);
    texte->setReadOnly(true);
    texte->setLineWrapMode(QPlainTextEdit::NoWrap);
    texte->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    l->addWidget(texte);
    liaisons_.Lie("TBox", 8, texte);
    liaisons_.Lie("FraResultats", SansIndex, cadre);
    return cadre;
}

QTableView* FenetrePrincipale::VuePour(ModeleGrille* m, int hauteurLignes) {
    auto* v = new QTableView;
    v->setModel(m);
    v->verticalHeader()->hide();
    v->verticalHeader()->setDefaultSectionSize(hauteurLignes);
    v->horizontalHeader()->setHighlightSections(false);
    v->setSelectionMode(QAbstractItemView::SingleSelection);
    v->setSelectionBehavior(QAbstractItemView::SelectItems);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setAlternatingRowColors(false);
    AppliqueLargeurs(v, m->Grille());
    connect(m, &ModeleGrille::structureChangee, v,
            [this, v, m] { AppliqueLargeurs(v, m->Grille()); });
    return v;
}

void FenetrePrincipale::AppliqueLargeurs(QTableView* vue, const GrilleTexte& g) {
    for (int c = 0; c < g.Colonnes(); ++c) vue->setColumnWidth(c, Pixels(g.Largeur(c)) + 6);
}

QWidget* FenetrePrincipale::ConstruitZoneGrille() {
    auto* zone = new QWidget;
    auto* l = new QVBoxLayout(zone);
    l->setContentsMargins(0, 0, 0, 0);

    modeleGrille_ = new ModeleGrille(o_.GrilleRef, this);
    vueGrille_ = VuePour(modeleGrille_, 20);
    vueGrille_->setObjectName("GrilleRef");
    l->addWidget(vueGrille_, 3);
    liaisons_.Lie("GrilleRef", SansIndex, vueGrille_);
    connect(vueGrille_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& i) {
                if (i.isValid()) SelectionneCellule(o_, i.row() + 1, i.column());
            });

    // Comment editor of a line.
    auto* com = new QGroupBox(zone);
    auto* lc = new QVBoxLayout(com);
    auto* invite = new QLabel(com);
    lc->addWidget(invite);
    liaisons_.Lie("lblCommentaire", SansIndex, invite);
    auto* rangee = new QHBoxLayout;
    auto* num = new QLineEdit(com);
    num->setMaximumWidth(50);
    rangee->addWidget(num);
    liaisons_.Lie("Text4", SansIndex, num);
    connect(num, &QLineEdit::editingFinished, this, [this, num] {
        o_.controles.Texte("Text4", SansIndex, num->text().toStdString());
        Clique("Text4", SansIndex);
    });
    auto* defile = new QScrollBar(Qt::Horizontal, com);
    rangee->addWidget(defile, 1);
    liaisons_.Lie("VScroll2", SansIndex, defile);
    connect(defile, &QScrollBar::valueChanged, this, [this](int v) {
        o_.controles.Texte("VScroll2", SansIndex, std::to_string(v));
        Clique("VScroll2", SansIndex);
    });
    lc->addLayout(rangee);
    auto* texte = new QLineEdit(com);
    lc->addWidget(texte);
    liaisons_.Lie("TBox", 3, texte);
    connect(texte, &QLineEdit::textEdited, this,
            [this](const QString& t) { o_.controles.Texte("TBox", 3, t.toStdString()); });
    auto* boutons = new QHBoxLayout;
    for (int i : {28, 29, 30}) {
        auto* b = new QPushButton(com);
        b->setObjectName(QString("Bout_dial_%1").arg(i));
        boutons->addWidget(b);
        liaisons_.Lie("Bout_dial", i, b);
        connect(b, &QPushButton::clicked, this, [this, i] { Clique("Bout_dial", i); });
    }
    lc->addLayout(boutons);
    l->addWidget(com);
    liaisons_.Lie("Frame", 10, com);

    // Statistics of the columns.
    auto* stats = new QGroupBox(zone);
    auto* ls = new QVBoxLayout(stats);
    ls->setContentsMargins(2, 2, 2, 2);
    modeleStats_ = new ModeleGrille(o_.GrilleRefP, this);
    vueStats_ = VuePour(modeleStats_, 18);
    vueStats_->setObjectName("GrilleRefP");
    ls->addWidget(vueStats_);
    l->addWidget(stats, 2);
    liaisons_.Lie("Frame", 6, stats);
    liaisons_.Lie("GrilleRefP", SansIndex, vueStats_);

    zone->setMinimumWidth(Pixels(350 + 550 + 550 + 350 + 500 + 220 + 1500) + 40);
    return zone;
}

void FenetrePrincipale::closeEvent(QCloseEvent* e) {
    if (fermetureConfirmee_ || DemandeQuitter(o_)) {
        fermetureConfirmee_ = true;
        e->accept();
    } else {
        e->ignore();
    }
}

bool FenetrePrincipale::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) Activation(o_);
    return QMainWindow::event(e);
}

} // namespace orv
