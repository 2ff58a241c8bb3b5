#include "gui/FenetrePrincipale.h"

#include "gui/FabriqueControles.h"

#include "acquisition/ScannerSane.h"
#include "app/CommandesAnnotation.h"
#include "app/CommandesImages.h"
#include "app/CommandesMesure.h"
#include "app/Fenetre.h"
#include "app/MesureAuto.h"
#include "app/TableCommandes.h"
#include "gui/Acquisition.h"
#include "gui/Loupe.h"
#include "gui/MenusRecents.h"
#include "gui/ModeleGrille.h"
#include "gui/PanneauChargeur.h"
#include "gui/PanneauDistribution.h"
#include "gui/PanneauRepertoire.h"
#include "gui/PanneauxCalibrage.h"
#include "gui/PlateformeQt.h"
#include "gui/TravailRecherche.h"
#include "gui/Vignette.h"
#include "gui/ZoneImage.h"
#include "images/Chargeur.h"
#include "interface/Messages.h"
#include "interface/TableControles.h"
#include "measure/Fonctions.h"
#include "measure/Pointage.h"
#include "results/Statistiques.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTranslator>
#include <QVBoxLayout>

#include <map>
#include <set>

namespace orv {

namespace {

constexpr int kTwipsParPixel = 15;
// The widest the grid's side asks to be, in pixels.
constexpr int kLargeurGrilleMax = 520;
// Room kept between a frame laid over the image and the image's edges.
constexpr int kMargeCadre = 20;
constexpr int kLargeurBienvenue = 560, kHauteurBienvenue = 360;
constexpr int kLargeurRepertoire = 440, kHauteurRepertoire = 480;
constexpr int kLargeurParametres = 420, kHauteurParametres = 520;
// Below this width the three columns would leave the image less than 600
// pixels: the commands and the grids go into tabs of one column this wide.
constexpr int kLargeurCompacte = 1280;
constexpr int kLargeurOnglets = 388;

int Pixels(int twips) {
    return (twips + kTwipsParPixel / 2) / kTwipsParPixel;
}

// Menu items that carry a check mark: every item of these items' groups, and
// "Machine rapide".
bool Cochable(Controle c) {
    using C = Controle;
    static const std::set<Controle> cochables = [] {
        std::set<Controle> s{C::MachineRapide, C::Histogrammes, C::FonctionUnClic};
        for (Controle groupe :
             {C::DemarrageSegments, C::FormatExportCSV, C::TailleGrille63, C::ToleranceClic1,
              C::DecimalesAuto, C::LangueFr, C::StatsNuage, C::SauvegardeAutoNon, C::NotationD19,
              C::FormatImageBMP, C::ZoneCouleur1, C::TailleTrace1, C::CopieEcranEcran,
              C::ReferenceSurImage, C::FonctionSegment, C::FonctionCystides3, C::FonctionComptage1,
              C::FonctionDensiteEllipse, C::FonctionTriangle})
            for (Controle x : MemeFamille(groupe)) s.insert(x);
        return s;
    }();
    return cochables.count(c) != 0;
}

} // namespace

FenetrePrincipale::FenetrePrincipale(Orvelle& orvelle, PlateformeQt& plateforme, QWidget* parent)
    : QMainWindow(parent), o_(orvelle), plateforme_(plateforme), liaisons_(orvelle.controles) {
    setObjectName(NomObjet(Controle::Fenetre));
    plateforme_.FixeFenetre(this);
    liaisons_.Lie(Controle::Fenetre, this);

    ConstruitMenus();
    if (auto* memo = liaisons_.Objet<QAction>(Controle::ListeCles))
        memo->setShortcut(QKeySequence(Qt::Key_F1));
    if (auto* a = liaisons_.Objet<QAction>(Controle::AnnulerGrille))
        a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    if (auto* a = liaisons_.Objet<QAction>(Controle::RefaireGrille))
        a->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    if (auto* a = liaisons_.Objet<QAction>(Controle::SauverTrame))
        a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    if (auto* a = liaisons_.Objet<QAction>(Controle::SauverTrameSous))
        a->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    AjouteMenusRecents(liaisons_.Objet<QMenu>(Controle::MenuFichiers),
                       liaisons_.Objet<QAction>(Controle::RepertoireImage), o_,
                       [this](GenreRecent genre, std::size_t index) {
                           OuvreRecent(o_, genre, index);
                           Actualise();
                       });
    zoneImage_ = new ZoneImage(o_);
    zoneImage_->setObjectName(NomObjet(Controle::ZoneImage));
    BrancheZoneImage();
    // Samples and copies of the picture shown come from what the box decoded.
    plateforme_.FixeImageAffichee(
        [this](const std::string& chemin) { return zoneImage_->ImageDecodee(chemin); });
    acquisition_ = new AcquisitionQt(
        o_, this, zoneImage_, [this] { Actualise(); }, std::make_unique<ScannerSane>(),
        AcquisitionQt::AssistantSources());
    recherche_ = new TravailRecherche(
        o_, [this] { Actualise(); }, this);

    // Commands on the left, the image in the middle, the grid on the right; the
    // user may widen the grid at the image's expense. A window too narrow for
    // the three (a screen of 1024 pixels) puts the commands and the grid in
    // tabs of one column, and leaves the image the rest (AppliqueDisposition).
    auto* centre = new QWidget(this);
    rangee_ = new QHBoxLayout(centre);
    rangee_->setContentsMargins(2, 2, 2, 2);
    onglets_ = new QTabWidget(centre);
    onglets_->setObjectName("OngletsCote");
    onglets_->setFixedWidth(kLargeurOnglets);
    onglets_->setDocumentMode(true);
    onglets_->hide();
    rangee_->addWidget(onglets_);
    rangee_->addWidget(ConstruitPanneauCommandes());
    separateur_ = new QSplitter(Qt::Horizontal, centre);
    zoneGrille_ = ConstruitZoneGrille();
    separateur_->addWidget(ConstruitZoneCentrale());
    separateur_->addWidget(zoneGrille_);
    separateur_->setStretchFactor(0, 1);
    separateur_->setStretchFactor(1, 0);
    separateur_->setCollapsible(0, false);
    rangee_->addWidget(separateur_, 1);
    setCentralWidget(centre);

    // The distribution panel docks beside the grid; the menu entry shows and hides it.
    distribution_ = new PanneauDistribution(o_);
    dockDistribution_ = new QDockWidget(this);
    dockDistribution_->setObjectName("DockDistribution");
    dockDistribution_->setFeatures(QDockWidget::DockWidgetMovable |
                                   QDockWidget::DockWidgetFloatable);
    dockDistribution_->setWidget(distribution_);
    distribution_->setMinimumWidth(360);
    addDockWidget(Qt::RightDockWidgetArea, dockDistribution_);
    dockDistribution_->hide();

    statusBar()->setObjectName(NomObjet(Controle::BarreEtat));
    liaisons_.Lie(Controle::BarreEtat, statusBar());

    // 1400 x 900 where the screen has room; on a smaller screen the window
    // takes the free area (its frame and title bar included) instead of
    // running off the edge with the grid's comment column.
    QSize taille(1400, 900);
    if (const QScreen* ecran = QGuiApplication::primaryScreen()) {
        const QRect libre = ecran->availableGeometry();
        taille = taille.boundedTo(QSize(libre.width() - 16, libre.height() - 48));
    }
    // Laid out for that width first: the three columns would not let the
    // window be narrower than they are.
    AppliqueDisposition(taille.width());
    resize(taille);
    liaisons_.AppliqueTout();
}

FenetrePrincipale::~FenetrePrincipale() {
    // A search still running stops before the window it reports to goes.
    delete recherche_;
    recherche_ = nullptr;
    plateforme_.FixeFenetre(nullptr);
    plateforme_.FixeImageAffichee(nullptr);
    // The image box outlives this part of the window by a moment (it loses the
    // focus while its parent is taken down): it calls nothing here any more.
    zoneImage_->surAppui = nullptr;
    zoneImage_->surDeplacement = nullptr;
    zoneImage_->surRelache = nullptr;
    zoneImage_->surTouche = nullptr;
    zoneImage_->surPerteFocus = nullptr;
    zoneImage_->surEchecDecodage = nullptr;
}

void FenetrePrincipale::AppliqueLangueQt() {
    const std::string langue = o_.parametres.langue.empty() ? "fr" : o_.parametres.langue;
    if (langue == langueQt_) return;
    langueQt_ = langue;
    if (traducteurQt_) {
        QCoreApplication::removeTranslator(traducteurQt_);
        delete traducteurQt_;
        traducteurQt_ = nullptr;
    }
    // Qt's catalogues as the system installs them (Debian: qt6-translations-l10n).
    auto* t = new QTranslator(this);
    if (t->load(QString::fromStdString("qtbase_" + langue),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(t);
        traducteurQt_ = t;
    } else {
        delete t;
    }
}

void FenetrePrincipale::Clique(Controle c) {
    // Acquisition and screen copy need the window (a worker thread, pictures
    // of the screen): the table says so, they run here, their rules in the core.
    if (FenetreSeule(c)) {
        if (acquisition_ && o_.controles(c).actif) acquisition_->Clic(c);
        Actualise();
        return;
    }
    Clic(o_, c);
    const auto langues = MemeFamille(Controle::LangueFr);
    if (std::find(langues.begin(), langues.end(), c) != langues.end()) AppliqueLangueQt();
    // The core decides check marks; a checkable widget that toggled itself is
    // put back to the registry's state.
    liaisons_.Applique(c);
    Actualise();
    if (o_.fenetre.fermeture && !fermetureConfirmee_) {
        fermetureConfirmee_ = true;
        close();
    }
}

void FenetrePrincipale::Actualise() {
    plateforme_.FixeBudgetImage(o_.parametres.memoireImageMo);
    PlaceGrille();
    SuitImageAnnotation(o_);
    // Another picture ends a search or its review; a search asked for starts.
    VeilleMesureAuto(o_);
    if (recherche_) recherche_->Lance();
    if (zoneImage_) zoneImage_->Actualise();
    if (chargeur_) chargeur_->Rafraichit();
    if (repertoire_) repertoire_->Rafraichit();
    if (longueurAide_) {
        longueurAide_->setText(QString::fromStdString(o_.controles.Texte(Controle::TexteSaisie)));
        if (auto* ok = bienvenue_->findChild<QPushButton*>(NomObjet(Controle::BienvenueOK)))
            ok->setVisible(o_.controles(Controle::BienvenueOK).visible);
    }
    if (copie_) copie_->Rafraichit();
    if (calibrage_) calibrage_->Actualise();
    // The colour function's own rows take the place of the caliper options,
    // which it does not use, so the command panel keeps its height.
    if (cadreMesure_) cadreMesure_->setVisible(!o_.controles(Controle::CadreCharte).visible);
    // In the tabs, the grids come forward when a comment to type or the
    // statistics appear there.
    const bool commentaire = o_.controles(Controle::CadreCommentaire).visible;
    const bool statistiques = o_.controles(Controle::CadreStatistiques).visible;
    if (compacte_ && ((commentaire && !commentaireVu_) || (statistiques && !statistiquesVues_)))
        onglets_->setCurrentWidget(zoneGrille_);
    commentaireVu_ = commentaire;
    statistiquesVues_ = statistiques;
    LegendeOnglets();
    // Other captions, other widths: the panel is laid out again.
    if (panneau_ && o_.parametres.langue != langueDisposee_) DisposePanneau(compacte_);
    PlaceDistribution();
    for (auto [b, entree] : aides_)
        b->setToolTip(QString::fromStdString(o_.controles.Texte(entree)));
    PlaceCadres();
}

void FenetrePrincipale::PlaceDistribution() {
    if (!dockDistribution_ || !onglets_) return;
    const bool affichee = o_.resultats.distributionAffichee;
    const QString titre = QString::fromStdString(o_.controles.Texte(Controle::Histogrammes));
    dockDistribution_->setWindowTitle(titre);
    // In the tabs, the distribution panel is a third tab rather than a dock
    // that would take the image's room.
    const int onglet = onglets_->indexOf(distribution_);
    if (compacte_ && affichee && onglet < 0) {
        onglets_->setCurrentIndex(onglets_->addTab(distribution_, titre));
    } else if (onglet >= 0 && (!compacte_ || !affichee)) {
        onglets_->removeTab(onglet);
        dockDistribution_->setWidget(distribution_);
    }
    if (const int i = onglets_->indexOf(distribution_); i >= 0) onglets_->setTabText(i, titre);
    dockDistribution_->setVisible(affichee && !compacte_);
    if (affichee) distribution_->Actualise();
}

void FenetrePrincipale::PlaceCadres() {
    if (!zoneImage_) return;
    const QRect dedans =
        zoneImage_->rect().adjusted(kMargeCadre, kMargeCadre, -kMargeCadre, -kMargeCadre);
    // The results text fits the image box it is laid over; the welcome panel
    // keeps its size while the box has room for it.
    if (resultats_ && resultats_->isVisible()) resultats_->setGeometry(dedans);
    if (bienvenue_)
        bienvenue_->setGeometry(QRect(dedans.topLeft(), QSize(kLargeurBienvenue, kHauteurBienvenue))
                                    .intersected(dedans));
    if (repertoire_)
        repertoire_->setGeometry(
            QRect(dedans.topLeft(), QSize(kLargeurRepertoire, kHauteurRepertoire))
                .intersected(dedans));
    // The listing at a fixed size, over the image's top right corner.
    if (parametres_)
        parametres_->setGeometry(QRect(QPoint(dedans.right() - kLargeurParametres, dedans.top()),
                                       QSize(kLargeurParametres, kHauteurParametres))
                                     .intersected(dedans));
    if (aPropos_) {
        aPropos_->adjustSize();
        QRect r(QPoint(), aPropos_->size());
        r.moveCenter(dedans.center());
        aPropos_->setGeometry(r.intersected(dedans));
    }
}

bool FenetrePrincipale::eventFilter(QObject* objet, QEvent* e) {
    if (objet == zoneImage_ && e->type() == QEvent::Resize) PlaceCadres();
    return QMainWindow::eventFilter(objet, e);
}

void FenetrePrincipale::PlaceGrille() {
    const int position = o_.mesure.pointage.PositionGrille;
    if (!separateur_ || position == positionGrille_) return;
    if (compacte_) {
        // In the tabs, G brings the grids forward, or the commands back.
        if (positionGrille_ >= 0) onglets_->setCurrentIndex(1 - onglets_->currentIndex());
        positionGrille_ = position;
        return;
    }
    positionGrille_ = position;
    // The G key moves the grids round the image: right, below, left, above.
    separateur_->setOrientation(position % 2 == 0 ? Qt::Horizontal : Qt::Vertical);
    const int image = position < 2 ? 0 : 1;
    separateur_->insertWidget(1 - image, zoneGrille_);
    separateur_->setStretchFactor(image, 1);
    separateur_->setStretchFactor(1 - image, 0);
    separateur_->setCollapsible(image, false);
}

namespace {

Bouton BoutonDe(Qt::MouseButtons b) {
    int v = 0;
    if (b & Qt::LeftButton) v |= static_cast<int>(Bouton::Gauche);
    if (b & Qt::RightButton) v |= static_cast<int>(Bouton::Droit);
    if (b & Qt::MiddleButton) v |= static_cast<int>(Bouton::Milieu);
    return static_cast<Bouton>(v);
}

Modificateurs ModificateursDe(Qt::KeyboardModifiers m) {
    return {m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier),
            m.testFlag(Qt::AltModifier)};
}

Touche ToucheDe(int cle) {
    switch (cle) {
    case Qt::Key_Backspace:
        return Touche::Retour;
    case Qt::Key_Space:
        return Touche::Espace;
    case Qt::Key_Escape:
        return Touche::Echap;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Touche::Entree;
    case Qt::Key_Z:
        return Touche::Z;
    case Qt::Key_C:
        return Touche::C;
    case Qt::Key_PageDown:
        return Touche::PageSuivante;
    case Qt::Key_E:
        return Touche::E;
    case Qt::Key_G:
        return Touche::G;
    case Qt::Key_V:
        return Touche::V;
    case Qt::Key_W:
        return Touche::W;
    case Qt::Key_L:
        return Touche::L;
    case Qt::Key_Less:
    case Qt::Key_Greater:
    case Qt::Key_brokenbar:
        return Touche::Chevrons;
    case Qt::Key_Control:
        return Touche::Ctrl;
    case Qt::Key_Shift:
        return Touche::Maj;
    case Qt::Key_Alt:
        return Touche::Alt;
    default:
        return Touche::Autre;
    }
}

} // namespace

void FenetrePrincipale::BrancheZoneImage() {
    zoneImage_->surAppui = [this](Qt::MouseButton b, Qt::KeyboardModifiers m, PointTwips p) {
        zoneImage_->setFocus();
        if (!AppuiAnnotation(o_, BoutonDe(b), p)) ClicImage(o_, BoutonDe(b), ModificateursDe(m), p);
        ApresPointage();
    };
    zoneImage_->surDeplacement = [this](Qt::MouseButtons b, Qt::KeyboardModifiers m, PointTwips p) {
        if (!SuitAnnotation(o_, p)) SuitSouris(o_, BoutonDe(b), ModificateursDe(m), p);
        zoneImage_->Actualise();
    };
    zoneImage_->surRelache = [this](Qt::MouseButton b, Qt::KeyboardModifiers m, PointTwips p) {
        if (!RelacheAnnotation(o_, BoutonDe(b), p))
            RelacheImage(o_, BoutonDe(b), ModificateursDe(m), p);
        ApresPointage();
    };
    zoneImage_->surTouche = [this](int cle, Qt::KeyboardModifiers m, bool enfoncee) {
        if (enfoncee)
            ToucheEnfoncee(o_, ToucheDe(cle), ModificateursDe(m));
        else
            ToucheRelachee(o_.ui, o_.mesure.pointage, ToucheDe(cle), ModificateursDe(m));
        ApresPointage();
    };
    zoneImage_->surPerteFocus = [this] {
        ToucheOubliees(o_.mesure.pointage);
        Actualise();
    };
    zoneImage_->surEchecDecodage = [this](const std::string& chemin, const std::string& raison) {
        EchecChargementImage(o_, chemin, raison);
        Actualise();
    };
    zoneImage_->surImageIncomplete = [this](const std::string& chemin) {
        ImageIncompleteAffichee(o_.ui, chemin);
    };
}

void FenetrePrincipale::ApresPointage() {
    Actualise();
    if (!o_.mesure.pointage.menuContextuel) return;
    // The pointing asks for a context menu at a point of the box.
    const MenuContextuel demande = *o_.mesure.pointage.menuContextuel;
    auto* menu = liaisons_.Objet<QMenu>(demande.menu);
    QAction* choisie = nullptr;
    if (menu) {
        const QPoint ici(demande.position.x / kTwipsParPixel, demande.position.y / kTwipsParPixel);
        choisie = menu->exec(zoneImage_->mapToGlobal(ici));
    }
    // A chosen entry already went through its click; a closed menu answers 0.
    if (!choisie && o_.mesure.pointage.menuContextuel) FermeMenuContextuel(o_);
    Actualise();
}

void FenetrePrincipale::ConstruitMenus() {
    std::set<Controle> parents;
    for (const auto& d : TableControles())
        if (d.parent != Controle::Aucun) parents.insert(d.parent);

    std::map<Controle, QMenu*> menus;
    for (const auto& d : TableControles()) {
        const Controle c = d.controle;
        if (d.genre == Genre::Autre) continue;
        if (d.parent == Controle::Aucun) {
            const bool contextuel = d.genre == Genre::Contextuel;
            auto* m = contextuel ? new QMenu(this) : menuBar()->addMenu(Legende(d.texte));
            m->setObjectName(NomObjet(c));
            m->setToolTipsVisible(true); // entries without behaviour say why
            menus[c] = m;
            liaisons_.Lie(c, m);
            if (!parents.count(c) && !contextuel) {
                // A bar entry without items acts on its own ("A propos ...").
                menuBar()->removeAction(m->menuAction());
                auto* a = menuBar()->addAction(Legende(d.texte));
                liaisons_.Lie(c, a);
                connect(a, &QAction::triggered, this, [this, c] { Clique(c); });
            }
            continue;
        }
        QMenu* parent = menus.at(d.parent);
        if (parents.count(c)) {
            QMenu* sous = parent->addMenu(Legende(d.texte));
            sous->setToolTipsVisible(true);
            menus[c] = sous;
            liaisons_.Lie(c, sous);
            continue;
        }
        const bool separateur = d.genre == Genre::Separateur;
        QAction* a = separateur ? parent->addSeparator() : parent->addAction(Legende(d.texte));
        a->setObjectName(NomObjet(c));
        if (Cochable(c)) a->setCheckable(true);
        liaisons_.Lie(c, a);
        connect(a, &QAction::triggered, this, [this, c] { Clique(c); });
    }
}

FabriqueControles FenetrePrincipale::Fabrique() {
    return {liaisons_, o_.controles, [this](Controle c) { Clique(c); }};
}

QAbstractButton* FenetrePrincipale::Bouton(QWidget* parent, Controle c) {
    return Fabrique().Bouton(parent, c);
}

QAbstractButton* FenetrePrincipale::Case(QBoxLayout* l, Controle c) {
    auto* k = Case(l->parentWidget(), c);
    l->addWidget(k);
    return k;
}

QAbstractButton* FenetrePrincipale::Case(QWidget* parent, Controle c) {
    return Fabrique().Case(parent, c);
}

QAbstractButton* FenetrePrincipale::Option(QWidget* parent, Controle c) {
    return Fabrique().Option(parent, c);
}

QWidget* FenetrePrincipale::ConstruitPanneauCommandes() {
    auto* defile = new QScrollArea;
    defile->setObjectName("PanneauCommandes");
    defile->setWidgetResizable(true);
    defile->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    defile->setFrameShape(QFrame::NoFrame);
    defile_ = defile;
    auto* panneau = new QWidget;
    panneau_ = panneau;
    // The widgets first; DisposePanneau lays them out for the window's width.
    auto& c = commandes_;
    auto* cal = new QLabel(panneau);
    cal->setObjectName(NomObjet(Controle::LegendeCalibrage));
    cal->setStyleSheet("font-weight: bold;");
    liaisons_.Lie(Controle::LegendeCalibrage, cal);
    c.calibrage = cal;
    c.outils = {Bouton(panneau, Controle::Etalonner), Bouton(panneau, Controle::Loupe)};
    // Acquisition and screen copy, as their menu entries.
    for (auto [controle, entree, icone] :
         {std::tuple{Controle::BoutonAcquisition, Controle::AcquisitionImage,
                     QStyle::SP_DialogOpenButton},
          std::tuple{Controle::BoutonCopieEcran, Controle::OutilCopieEcran,
                     QStyle::SP_ComputerIcon}}) {
        auto* b = Bouton(panneau, controle);
        aides_.emplace_back(b, entree);
        b->setIcon(style()->standardIcon(icone));
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        c.outils.push_back(b);
    }
    for (Controle z :
         {Controle::ZoomPlus, Controle::ZoomMoins, Controle::Zoom1, Controle::ZoomPas}) {
        auto* b = Bouton(panneau, z);
        b->setMinimumWidth(30);
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        c.zoom.push_back(b);
    }
    c.lectureZoom = new QLabel(panneau);
    // As wide as its longest reading, so that its neighbours stay put.
    c.lectureZoom->setMinimumWidth(c.lectureZoom->fontMetrics().horizontalAdvance("Z= 00,000"));
    liaisons_.Lie(Controle::LectureZoom, c.lectureZoom);

    auto* dims = new QGroupBox(panneau);
    auto* ld = new QHBoxLayout(dims);
    ld->setContentsMargins(6, 2, 6, 2);
    auto* lw = new QLabel(dims);
    auto* lh = new QLabel(dims);
    ld->addWidget(lw);
    auto* fois = new QLabel("x", dims);
    fois->setVisible(false);
    lw->setProperty("compagnon", QVariant::fromValue<QWidget*>(fois));
    ld->addWidget(fois);
    ld->addWidget(lh);
    ld->addStretch(1);
    liaisons_.Lie(Controle::CadreDimensions, dims);
    liaisons_.Lie(Controle::LargeurImage, lw);
    liaisons_.Lie(Controle::HauteurImage, lh);
    c.dimensions = dims;

    auto* vignette = new Vignette(*zoneImage_, panneau);
    vignette->setObjectName(NomObjet(Controle::Vignette));
    zoneImage_->AssocieVignette(vignette);
    liaisons_.Lie(Controle::Vignette, vignette);
    c.vignette = vignette;
    auto* loupe = new Loupe(*zoneImage_, panneau);
    loupe->setObjectName(NomObjet(Controle::ImageLoupe));
    zoneImage_->AssocieLoupe(loupe);
    liaisons_.Lie(Controle::ImageLoupe, loupe);
    c.loupe = loupe;

    auto* mesure = new QGroupBox(panneau);
    c.pointage = {Option(mesure, Controle::OptionPalmer), Option(mesure, Controle::OptionBipoint),
                  Case(mesure, Controle::CaseLigneBrisee), Case(mesure, Controle::CaseInsereDim),
                  Case(mesure, Controle::CaseAccroche)};
    auto* lecture = new QLabel(mesure);
    lecture->setStyleSheet("font-size: 14pt; font-weight: bold;");
    liaisons_.Lie(Controle::LectureMesure, lecture);
    c.lectureMesure = lecture;
    auto* compte = new QLineEdit(mesure);
    compte->setReadOnly(true);
    liaisons_.Lie(Controle::TexteComptage, compte);
    c.comptage = {compte, Bouton(mesure, Controle::BoutonComptage)};
    cadreMesure_ = mesure;

    // The colour function's panel: sample zone size, calibrated mode, scanner file.
    auto* charte = new QGroupBox(panneau);
    charte->setObjectName(NomObjet(Controle::CadreCharte));
    auto* lch = new QVBoxLayout(charte);
    lch->setContentsMargins(4, 2, 4, 2);
    lch->setSpacing(2);
    auto* r = new QHBoxLayout;
    r->setSpacing(3);
    lch->addLayout(r);
    auto* taille = new QLabel(charte);
    taille->setMinimumWidth(50);
    r->addWidget(taille);
    liaisons_.Lie(Controle::LegendeZoneCouleur, taille);
    auto* zone = new QScrollBar(Qt::Horizontal, charte);
    zone->setObjectName(NomObjet(Controle::DefilementZoneCouleur));
    zone->setRange(1, 6);
    zone->setPageStep(1);
    r->addWidget(zone, 1);
    liaisons_.Lie(Controle::DefilementZoneCouleur, zone);
    connect(zone, &QScrollBar::valueChanged, this, [this](int v) {
        o_.controles.Texte(Controle::DefilementZoneCouleur, std::to_string(v));
        Clique(Controle::DefilementZoneCouleur);
    });
    r = new QHBoxLayout;
    r->setSpacing(3);
    lch->addLayout(r);
    r->addWidget(Case(charte, Controle::CaseCalibre));
    auto* scanner = new QLabel(charte);
    lch->addWidget(scanner);
    liaisons_.Lie(Controle::LegendeScanner, scanner);
    liaisons_.Lie(Controle::CadreCharte, charte);
    c.charte = charte;

    using C = Controle;
    for (Controle b : {C::Retrace, C::EffaceArriere, C::EffaceLigne, C::RazGrille, C::RazTout,
                       C::StockN, C::Cherche, C::VoirOptions, C::Couleur1, C::Couleur2})
        c.grille.push_back(Bouton(panneau, b));
    c.cases = {Case(panneau, Controle::CaseAutoRetrace), Case(panneau, Controle::CaseCalculStat)};
    // These buttons have no caption of their own: an icon and a tip say what they do.
    // Their tips come from the text tables (app/Fenetre.cpp).
    for (auto [b, icone] :
         {std::pair{Controle::StatistiquesOrdre, QStyle::SP_BrowserReload},
          std::pair{Controle::ResultatsAfficher, QStyle::SP_FileDialogDetailedView},
          std::pair{Controle::ResultatsBascule, QStyle::SP_TitleBarShadeButton},
          std::pair{Controle::CopieNotation, QStyle::SP_DialogSaveButton}}) {
        auto* bouton = Bouton(panneau, b);
        bouton->setIcon(style()->standardIcon(icone));
        c.icones.push_back(bouton);
    }

    defile->setWidget(panneau);
    return defile;
}

namespace {

// The width a row of widgets asks for, 3 pixels apart.
int LargeurRangee(const std::vector<QWidget*>& widgets) {
    int l = 0;
    for (QWidget* w : widgets)
        l += w->sizePolicy().horizontalPolicy() == QSizePolicy::Ignored
                 ? w->minimumWidth()
                 : std::max(w->sizeHint().width(), w->minimumSizeHint().width());
    return l + 3 * std::max(0, static_cast<int>(widgets.size()) - 1);
}

} // namespace

void FenetrePrincipale::DisposePanneau(bool compacte) {
    auto& c = commandes_;
    // New layouts for the same widgets (a layout going leaves its widgets).
    delete panneau_->layout();
    delete cadreMesure_->layout();
    auto* l = new QVBoxLayout(panneau_);
    l->setContentsMargins(4, 4, 4, 4);
    l->setSpacing(3);
    // What the panel's rows may take: the tabs' width, or the wide panel's,
    // its scroll bar left out. Captions differ by language: a group goes on
    // one row when it fits there, on two otherwise, so that none is cut.
    const int largeur = (compacte ? kLargeurOnglets : Pixels(3360)) - 8;
    const int dansCadre = largeur - 10;
    langueDisposee_ = o_.parametres.langue;
    // Widgets that go together share a row.
    auto rangee = [](QBoxLayout* parent, const std::vector<QWidget*>& widgets) {
        auto* r = new QHBoxLayout;
        r->setSpacing(3);
        for (QWidget* w : widgets) r->addWidget(w);
        parent->addLayout(r);
        return r;
    };
    auto joint = [](std::vector<QWidget*> a, const std::vector<QWidget*>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    // One row when it fits, else the two halves on a row each.
    auto uneOuDeux = [&](QBoxLayout* parent, const std::vector<QWidget*>& a,
                         const std::vector<QWidget*>& b, int place) {
        if (LargeurRangee(joint(a, b)) <= place) {
            rangee(parent, joint(a, b));
        } else {
            rangee(parent, a);
            rangee(parent, b);
        }
    };
    l->addWidget(c.calibrage);
    if (compacte) {
        // Side by side what the wide panel stacks, so that the whole panel
        // fits the height of a small screen.
        uneOuDeux(l, c.outils, c.zoom, largeur);
        rangee(l, {c.lectureZoom, c.dimensions})->setStretch(1, 1);
        auto* r = rangee(l, {});
        r->addWidget(c.vignette, 0, Qt::AlignTop);
        r->addWidget(c.loupe, 0, Qt::AlignTop);
        r->addStretch(1);
    } else {
        rangee(l, c.outils);
        rangee(l, c.zoom);
        l->addWidget(c.lectureZoom);
        l->addWidget(c.dimensions);
        l->addWidget(c.vignette, 0, Qt::AlignHCenter);
        l->addWidget(c.loupe, 0, Qt::AlignHCenter);
    }

    auto* lm = new QVBoxLayout(cadreMesure_);
    lm->setContentsMargins(4, 2, 4, 2);
    lm->setSpacing(2);
    uneOuDeux(lm, {c.pointage[0], c.pointage[1]}, {c.pointage[2], c.pointage[3]}, dansCadre);
    lm->addWidget(c.pointage[4]);
    if (compacte && LargeurRangee(joint({c.lectureMesure}, c.comptage)) <= dansCadre) {
        rangee(lm, joint({c.lectureMesure}, c.comptage))->setStretch(1, 1);
    } else {
        lm->addWidget(c.lectureMesure);
        rangee(lm, c.comptage);
    }
    l->addWidget(cadreMesure_);
    l->addWidget(c.charte);

    // The grid's buttons by pairs: two pairs a row when they fit.
    int large = 0;
    for (QWidget* b : c.grille) large = std::max(large, LargeurRangee({b}));
    const int colonnes = compacte && 4 * large + 9 <= largeur ? 4 : 2;
    auto* g = new QGridLayout;
    g->setSpacing(3);
    for (int i = 0; i < static_cast<int>(c.grille.size()); ++i)
        g->addWidget(c.grille[static_cast<size_t>(i)], i / colonnes, i % colonnes);
    l->addLayout(g);
    if (compacte)
        uneOuDeux(l, c.cases, c.icones, largeur);
    else {
        rangee(l, c.cases);
        rangee(l, c.icones);
    }
    l->addStretch(1);
    // The wide panel as designed, or as wide as its longest row asks (room
    // kept for its scroll bar): no caption is cut.
    if (!compacte)
        defile_->setFixedWidth(std::max(Pixels(3360), panneau_->minimumSizeHint().width()) +
                               defile_->verticalScrollBar()->sizeHint().width());
}

void FenetrePrincipale::AppliqueDisposition(int largeur) {
    const bool compacte = largeur < kLargeurCompacte;
    if (defile_ && compacte == compacte_ && panneau_->layout()) return;
    compacte_ = compacte;
    DisposePanneau(compacte);
    if (vueGrille_) AppliqueLargeurs(vueGrille_, o_.mesure.GrilleRef);
    if (compacte) {
        // The commands and the grids share a column of tabs beside the image.
        onglets_->insertTab(0, defile_, {});
        onglets_->insertTab(1, zoneGrille_, {});
        defile_->setMinimumWidth(0);
        defile_->setMaximumWidth(QWIDGETSIZE_MAX);
        onglets_->show();
    } else {
        onglets_->removeTab(1);
        onglets_->removeTab(0);
        onglets_->hide();
        rangee_->insertWidget(0, defile_);
        defile_->show();
        zoneGrille_->show();
        positionGrille_ = -1; // the grid goes back beside the image where G put it
        PlaceGrille();
    }
    LegendeOnglets();
    PlaceDistribution();
}

void FenetrePrincipale::LegendeOnglets() {
    if (!onglets_ || onglets_->count() < 2) return;
    onglets_->setTabText(0, QString::fromStdString(o_.textes.Mnu(mnu::OngletCommandes)));
    onglets_->setTabText(1, QString::fromStdString(o_.textes.Mnu(mnu::OngletGrille)));
}

void FenetrePrincipale::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    AppliqueDisposition(width());
}

QWidget* FenetrePrincipale::ConstruitZoneCentrale() {
    auto* zone = new QWidget;
    auto* l = new QVBoxLayout(zone);
    l->setContentsMargins(0, 0, 0, 0);
    zoneImage_->setParent(zone);
    // Room for the grid beside it on a 1024-pixel screen.
    zoneImage_->setMinimumSize(300, 240);
    l->addWidget(zoneImage_, 1);
    liaisons_.Lie(Controle::ZoneImage, zoneImage_);
    ConstruitBienvenue(zoneImage_);
    ConstruitResultats(zoneImage_);
    ConstruitAide(zoneImage_);
    repertoire_ = new PanneauRepertoire(
        o_, liaisons_, [this](Controle c) { Clique(c); }, [this] { Actualise(); }, zoneImage_);
    zoneImage_->installEventFilter(this);
    copie_ = new CadreCopieReferencee(
        o_, liaisons_, [this](Controle c) { Clique(c); }, zoneImage_);
    copie_->move(30, 30);
    calibrage_ = new PanneauxCalibrage(
        o_, liaisons_, [this](Controle c) { Clique(c); }, zoneImage_, [this] { Actualise(); });

    modeleMini_ = new ModeleGrille(o_.mesure.MGrille, this);
    vueMini_ = VuePour(modeleMini_, 20);
    vueMini_->setObjectName(NomObjet(Controle::GrilleMiroir));
    vueMini_->setFixedHeight(4 * 20 + 4);
    l->addWidget(vueMini_);
    liaisons_.Lie(Controle::GrilleMiroir, vueMini_);
    return zone;
}

QWidget* FenetrePrincipale::ConstruitBienvenue(QWidget* parent) {
    auto* cadre = new QGroupBox(parent);
    cadre->setObjectName(NomObjet(Controle::CadreBienvenue));
    cadre->setAutoFillBackground(true);
    bienvenue_ = cadre;
    auto* l = new QVBoxLayout(cadre);
    auto* texte = new QPlainTextEdit(cadre);
    texte->setReadOnly(true);
    l->addWidget(texte, 1);
    liaisons_.Lie(Controle::TexteBienvenue, texte);
    Case(l, Controle::CaseIgnorerBienvenue);
    auto* rangee = new QHBoxLayout;
    // The help frame's copy of the input line: the pointed length.
    longueurAide_ = new QLineEdit(cadre);
    longueurAide_->setReadOnly(true);
    longueurAide_->setMaximumWidth(90);
    longueurAide_->setStyleSheet("background-color: #ffff00;");
    rangee->addWidget(longueurAide_);
    rangee->addStretch(1);
    auto* fermer = new QPushButton(cadre);
    fermer->setObjectName(NomObjet(Controle::BienvenueOK));
    fermer->setText(tr("OK"));
    rangee->addWidget(fermer);
    auto* fermerAide = new QPushButton(cadre);
    fermerAide->setObjectName(NomObjet(Controle::AideFermer));
    rangee->addWidget(fermerAide);
    liaisons_.Lie(Controle::AideFermer, fermerAide);
    l->addLayout(rangee);
    connect(fermer, &QPushButton::clicked, this, [this] { Clique(Controle::BienvenueOK); });
    connect(fermerAide, &QPushButton::clicked, this, [this] {
        Clique(Controle::AideFermer);
        zoneImage_->setFocus(); // back to the image, as after the other panels
    });
    // The help frame's button has no caption of its own: it keeps "OK" (the window follows its
    // visibility).
    liaisons_.Lie(Controle::CadreBienvenue, cadre);
    return cadre;
}

QWidget* FenetrePrincipale::ConstruitResultats(QWidget* parent) {
    auto* cadre = new QGroupBox(parent);
    cadre->setObjectName(NomObjet(Controle::CadreResultats));
    cadre->setAutoFillBackground(true);
    cadre->setGeometry(20, 20, 760, 520);
    auto* l = new QVBoxLayout(cadre);
    auto* texte = new QPlainTextEdit(cadre);
    texte->setReadOnly(true);
    texte->setLineWrapMode(QPlainTextEdit::NoWrap);
    texte->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    l->addWidget(texte);
    liaisons_.Lie(Controle::TexteResultats, texte);
    liaisons_.Lie(Controle::CadreResultats, cadre);
    resultats_ = cadre;
    return cadre;
}

void FenetrePrincipale::ConstruitAide(QWidget* parent) {
    parametres_ = new QPlainTextEdit(parent);
    parametres_->setObjectName(NomObjet(Controle::ListeParametres));
    parametres_->setReadOnly(true);
    parametres_->setLineWrapMode(QPlainTextEdit::NoWrap);
    liaisons_.Lie(Controle::ListeParametres, parametres_);

    auto* cadre = new QGroupBox(parent);
    cadre->setObjectName(NomObjet(Controle::CadreAPropos));
    cadre->setAutoFillBackground(true);
    auto* l = new QVBoxLayout(cadre);
    auto* texte = new QLabel(cadre);
    texte->setObjectName(NomObjet(Controle::LegendeAPropos));
    texte->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->addWidget(texte);
    auto* fermer = new QPushButton(cadre);
    fermer->setObjectName(NomObjet(Controle::AProposFermer));
    l->addWidget(fermer, 0, Qt::AlignRight);
    connect(fermer, &QPushButton::clicked, this, [this] { Clique(Controle::AProposFermer); });
    liaisons_.Lie(Controle::LegendeAPropos, texte);
    liaisons_.Lie(Controle::AProposFermer, fermer);
    liaisons_.Lie(Controle::CadreAPropos, cadre);
    aPropos_ = cadre;
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
    // The last column ("comment") takes what the window gives beyond the others.
    v->horizontalHeader()->setStretchLastSection(true);
    AppliqueLargeurs(v, m->Grille());
    connect(m, &ModeleGrille::structureChangee, v,
            [this, v, m] { AppliqueLargeurs(v, m->Grille()); });
    return v;
}

void FenetrePrincipale::AppliqueLargeurs(QTableView* vue, const GrilleTexte& g) {
    // The design widths were made for a smaller font: give each column room
    // for its header and for a value of the grid's usual size.
    const QFontMetrics fm(vue->font());
    const int valeur = fm.horizontalAdvance("0000,00") + 10;
    // Densities keep three significant digits: 0,0000123 with a factor of 1.
    const int densite = fm.horizontalAdvance("0,0000000") + 10;
    // Column 0 holds the statistics' row labels: every grid gives it their
    // width, so that the columns of the three grids stay aligned.
    int libelles = 0;
    for (int k = 0; k < 11; ++k)
        libelles = std::max(
            libelles,
            fm.horizontalAdvance(QString::fromStdString(LibelleStatistique(o_.textes, k))) + 12);
    const int derniere = g.Colonnes() - 1;
    // The image numbers (the statistics' "index" below them) need no room for a value.
    // The colour samples have none: their last value is there ("S").
    const int image =
        o_.mesure.NumFonction == fonction::Couleur ? -1 : o_.mesure.GrilleRef.Colonnes() - 2;
    auto contenu = [&](int c) {
        if (c == 0) return libelles;
        if (c == derniere || c == image) return 0; // the comment or "index" texts run on
        return GenreDeColonne(o_.mesure.NumFonction, c) == GenreColonne::Densite ? densite : valeur;
    };
    int largeur = 2 * vue->frameWidth() + vue->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c <= derniere; ++c) {
        const int entete = fm.horizontalAdvance(QString::fromStdString(g.Texte(0, c))) + 12;
        const int l = std::max({Pixels(g.Largeur(c)) + 6, entete, contenu(c)});
        vue->setColumnWidth(c, l);
        largeur += l;
    }
    if (vue != vueGrille_ || !zoneGrille_) return;
    // The grid's side is as wide as its columns (a grid of many columns
    // scrolls instead of pushing the window past a small screen); in the
    // tabs, as wide as the tabs.
    zoneGrille_->setMinimumWidth(compacte_ ? 0 : std::min(largeur, kLargeurGrilleMax));
}

QWidget* FenetrePrincipale::ConstruitZoneGrille() {
    auto* zone = new QWidget;
    zoneGrille_ = zone;
    auto* l = new QVBoxLayout(zone);
    l->setContentsMargins(0, 0, 0, 0);

    chargeur_ = new PanneauChargeur(
        o_, liaisons_, [this] { Actualise(); }, zone);
    chargeur_->setMaximumHeight(190);
    l->addWidget(chargeur_);

    modeleGrille_ = new ModeleGrille(o_.mesure.GrilleRef, this);
    vueGrille_ = VuePour(modeleGrille_, 20);
    vueGrille_->setObjectName(NomObjet(Controle::Grille));
    l->addWidget(vueGrille_, 3);
    liaisons_.Lie(Controle::Grille, vueGrille_);
    connect(vueGrille_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& i) {
                if (i.isValid()) SelectionneCellule(o_, i.row() + 1, i.column());
            });

    // Comment editor of a line.
    auto* com = new QGroupBox(zone);
    auto* lc = new QVBoxLayout(com);
    auto* invite = new QLabel(com);
    lc->addWidget(invite);
    liaisons_.Lie(Controle::LegendeCommentaire, invite);
    auto* rangee = new QHBoxLayout;
    auto* num = new QLineEdit(com);
    num->setMaximumWidth(50);
    rangee->addWidget(num);
    liaisons_.Lie(Controle::NumeroCommentaire, num);
    connect(num, &QLineEdit::editingFinished, this, [this, num] {
        o_.controles.Texte(Controle::NumeroCommentaire, num->text().toStdString());
        Clique(Controle::NumeroCommentaire);
    });
    auto* defile = new QScrollBar(Qt::Horizontal, com);
    rangee->addWidget(defile, 1);
    liaisons_.Lie(Controle::DefilementCommentaire, defile);
    connect(defile, &QScrollBar::valueChanged, this, [this](int v) {
        o_.controles.Texte(Controle::DefilementCommentaire, std::to_string(v));
        Clique(Controle::DefilementCommentaire);
    });
    lc->addLayout(rangee);
    // Several lines: the notes of a colour file; a line comment keeps one.
    auto* texte = new QPlainTextEdit(com);
    texte->setObjectName(NomObjet(Controle::TexteCommentaire));
    texte->setTabChangesFocus(true);
    texte->setMaximumHeight(QFontMetrics(texte->font()).lineSpacing() * 12);
    lc->addWidget(texte);
    liaisons_.Lie(Controle::TexteCommentaire, texte);
    connect(texte, &QPlainTextEdit::textChanged, this, [this, texte] {
        o_.controles.Texte(Controle::TexteCommentaire, texte->toPlainText().toStdString());
    });
    auto* boutons = new QHBoxLayout;
    for (Controle c :
         {Controle::CommentaireValider, Controle::CommentaireAnnuler, Controle::CommentaireRaz}) {
        auto* b = new QPushButton(com);
        b->setObjectName(NomObjet(c));
        boutons->addWidget(b);
        liaisons_.Lie(c, b);
        connect(b, &QPushButton::clicked, this, [this, c] { Clique(c); });
    }
    lc->addLayout(boutons);
    l->addWidget(com);
    liaisons_.Lie(Controle::CadreCommentaire, com);

    // Statistics of the columns.
    auto* stats = new QGroupBox(zone);
    auto* ls = new QVBoxLayout(stats);
    ls->setContentsMargins(2, 2, 2, 2);
    modeleStats_ = new ModeleGrille(o_.resultats.GrilleRefP, this);
    vueStats_ = VuePour(modeleStats_, 18);
    vueStats_->setObjectName(NomObjet(Controle::GrilleStatistiques));
    ls->addWidget(vueStats_);
    l->addWidget(stats, 2);
    liaisons_.Lie(Controle::CadreStatistiques, stats);
    liaisons_.Lie(Controle::GrilleStatistiques, vueStats_);

    AppliqueLargeurs(vueGrille_, o_.mesure.GrilleRef);
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
