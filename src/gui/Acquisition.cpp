#include "gui/Acquisition.h"

#include "acquisition/ListeSources.h"
#include "app/CommandesImages.h"

#include "gui/Camera.h"
#include "gui/PlateformeQt.h"
#include "images/Chargeur.h"
#include "interface/Messages.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QProgressDialog>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

namespace orv {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// Runs `travail` on another thread while the window's events keep running.
template <typename F> auto SansBloquer(F travail) {
    decltype(travail()) resultat{};
    QEventLoop boucle;
    std::thread t([&] {
        resultat = travail();
        QMetaObject::invokeMethod(&boucle, &QEventLoop::quit, Qt::QueuedConnection);
    });
    boucle.exec();
    t.join();
    return resultat;
}

// What the core is told of an acquisition; the frame is written here, on the
// thread that read it (a large picture's file is no work for the window).
std::pair<IssueAcquisition, std::string> Issue(const ResultatAcquisition& r,
                                               const std::string& chemin) {
    switch (r.echec) {
    case EchecAcquisition::Aucun:
        if (const auto e = EcritImageAcquise(r.image, chemin); !e)
            return {IssueAcquisition::EcritureImpossible, e.erreur};
        return {IssueAcquisition::Reussie, {}};
    case EchecAcquisition::AucuneSource:
        return {IssueAcquisition::AucuneSource, {}};
    case EchecAcquisition::Annulee:
        return {IssueAcquisition::Annulee, {}};
    case EchecAcquisition::Appareil:
        break;
    }
    return {IssueAcquisition::Echec, r.erreur};
}

constexpr int DelaiRecherche = 60000; // ms a search may take; network scanners take seconds

} // namespace

AcquisitionQt::AcquisitionQt(Orvelle& o, QWidget* fenetre, QWidget* zoneImage,
                             std::function<void()> actualise, std::unique_ptr<Scanner> scanner,
                             QString assistant)
    : QObject(fenetre), o_(o), fenetre_(fenetre), zoneImage_(zoneImage),
      actualise_(std::move(actualise)), scanner_(std::move(scanner)),
      assistant_(std::move(assistant)) {
    ChercheSources();
    // A camera plugged in or out while the program runs: its device comes or
    // goes in /dev, and the sources are listed again.
    auto* dev = new QFileSystemWatcher({"/dev"}, this);
    auto* attente = new QTimer(this);
    attente->setSingleShot(true);
    attente->setInterval(1000); // the system names the device in steps
    connect(dev, &QFileSystemWatcher::directoryChanged, attente, qOverload<>(&QTimer::start));
    connect(attente, &QTimer::timeout, this, [this] {
        if (rechercheFinie_) LanceRecherche();
    });
}

AcquisitionQt::~AcquisitionQt() {
    annule_ = true;
    ferme_ = true;
    if (travail_.joinable()) travail_.join();
    if (recherche_.joinable()) recherche_.join();
}

QString AcquisitionQt::AssistantSources() {
    const QString dossier = QCoreApplication::applicationDirPath();
    for (const QString& c : {dossier + "/../" ORVELLE_LIBEXEC "/orvelle/orvelle-sources",
                             dossier + "/orvelle-sources", QString(ORVELLE_SOURCES_CONSTRUIT)})
        if (QFileInfo(c).isExecutable()) return QFileInfo(c).canonicalFilePath();
    return {};
}

// Listing SANE's devices can take seconds (network scanners): it runs beside
// the window, and the entries wait for its answer.
void AcquisitionQt::ChercheSources() {
    rechercheFinie_ = false;
    AppliqueDisponibilite();
    LanceRecherche();
}

void AcquisitionQt::LanceRecherche() {
    if (recherche_.joinable()) return; // one search at a time
    recherche_ = std::thread([this] {
        QMetaObject::invokeMethod(
            this, [this, t = Cherche()]() mutable { FinRecherche(std::move(t)); },
            Qt::QueuedConnection);
    });
}

// On a worker thread. A helper that crashed or hung lists nothing; one that
// cannot be started leaves the search to this process.
AcquisitionQt::Trouvees AcquisitionQt::Cherche() const {
    if (!assistant_.isEmpty()) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(assistant_, {});
        if (p.waitForStarted(5000)) {
            QElapsedTimer t;
            t.start();
            while (p.state() != QProcess::NotRunning) {
                p.waitForFinished(100);
                if (p.state() != QProcess::NotRunning && (ferme_ || t.elapsed() > DelaiRecherche)) {
                    p.kill();
                    p.waitForFinished(1000);
                    return {{}, true};
                }
            }
            if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return {{}, true};
            return {LitSources(p.readAllStandardOutput().toStdString()), true};
        }
    }
    return {scanner_->Sources(), false};
}

void AcquisitionQt::FinRecherche(Trouvees t) {
    if (recherche_.joinable()) recherche_.join();
    sources_ = std::move(t.sources);
    if (!t.avecCameras)
        for (auto& c : Cameras()) sources_.push_back(std::move(c));
    rechercheFinie_ = true;
    AppliqueDisponibilite();
    if (actualise_) actualise_();
    emit SourcesTrouvees();
}

// The choice of a source is open once the search ended (it searches again);
// an acquisition needs a source; the whole screen needs a desktop that lets a
// program read it.
void AcquisitionQt::AppliqueDisponibilite() {
    auto& c = o_.controles;
    c.Actif(Controle::AcquisitionSource, rechercheFinie_);
    for (Controle a : {Controle::AcquisitionImage, Controle::BoutonAcquisition})
        c.Actif(a, rechercheFinie_ && !sources_.empty());
    c.Actif(Controle::CopieEcranEcran, EcranLisible());
}

bool AcquisitionQt::Clic(Controle c) {
    switch (c) {
    case Controle::AcquisitionSource:
        ChoisitSource();
        return true;
    case Controle::AcquisitionImage:
    case Controle::BoutonAcquisition:
        Acquiert();
        return true;
    case Controle::AcquisitionSauverImage:
        SauveImage(o_, ImageASauver::Image, *this);
        return true;
    case Controle::AcquisitionSauverVue:
        SauveImage(o_, ImageASauver::VueDessinee, *this);
        return true;
    case Controle::OutilCopieEcran:
    case Controle::BoutonCopieEcran:
        CopieEcranSansMenu();
        return true;
    default:
        return false;
    }
}

void AcquisitionQt::ChoisitSource() {
    // A search still running (a camera plugged in) ends first.
    if (recherche_.joinable()) {
        QEventLoop boucle;
        connect(this, &AcquisitionQt::SourcesTrouvees, &boucle, &QEventLoop::quit);
        boucle.exec();
    }
    FinRecherche(SansBloquer([this] { return Cherche(); }));
    const auto& sources = sources_;
    if (sources.empty()) {
        o_.plateforme.Message(o_.textes.Mnu(mnu::AucuneSource),
                              o_.controles.Texte(Controle::AcquisitionSource), Icone::Information);
        return;
    }
    QDialog d(fenetre_);
    d.setObjectName("DialogueSource");
    d.setWindowTitle(Q(o_.controles.Texte(Controle::AcquisitionSource)));
    auto* l = new QVBoxLayout(&d);
    auto* liste = new QListWidget(&d);
    liste->setObjectName("ListeSources");
    for (const auto& s : sources) {
        auto* item = new QListWidgetItem(Q(s.description + " — " + s.nom), liste);
        item->setData(Qt::UserRole, Q(s.nom));
        if (s.nom == source_) liste->setCurrentItem(item);
    }
    if (!liste->currentItem()) liste->setCurrentRow(0);
    l->addWidget(liste);
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    connect(boutons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    connect(boutons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    connect(liste, &QListWidget::itemDoubleClicked, &d, &QDialog::accept);
    l->addWidget(boutons);
    d.resize(480, 260);
    if (d.exec() != QDialog::Accepted || !liste->currentItem()) return;
    source_ = liste->currentItem()->data(Qt::UserRole).toString().toStdString();
}

void AcquisitionQt::Acquiert() {
    if (EnCours() || !AcquisitionPermise(o_)) return;
    const std::string chemin = CheminNouvelleAcquisition(o_);
    // Without a choice, a camera first: microscopes mostly have one.
    std::string source = source_;
    if (source.empty())
        for (const auto& s : sources_)
            if (EstCamera(s.nom)) {
                source = s.nom;
                break;
            }
    if (EstCamera(source)) {
        const auto r =
            PhotoCamera(fenetre_, source, Q(o_.controles.Texte(Controle::AcquisitionImage)));
        const auto issue = Issue(r, chemin);
        Fin(issue.first, issue.second, chemin);
        return;
    }
    annule_ = false;
    progres_ = new QProgressDialog(fenetre_);
    progres_->setObjectName("ProgresAcquisition");
    progres_->setWindowTitle(Q(o_.controles.Texte(Controle::AcquisitionImage)));
    progres_->setLabelText(Q(o_.controles.Texte(Controle::AcquisitionImage)));
    progres_->setRange(0, 100);
    progres_->setWindowModality(Qt::WindowModal);
    progres_->setMinimumDuration(0);
    progres_->setAutoClose(false);
    progres_->setAutoReset(false);
    connect(progres_, &QProgressDialog::canceled, this, [this] { annule_ = true; });
    progres_->show();

    travail_ = std::thread([this, chemin, source] {
        const auto progres = [this](int v) {
            QMetaObject::invokeMethod(
                this,
                [this, v] {
                    if (progres_) progres_->setValue(v);
                },
                Qt::QueuedConnection);
        };
        const auto issue =
            Issue(scanner_->Acquiert(source, ModeAcquisition::Couleur, annule_, progres), chemin);
        QMetaObject::invokeMethod(
            this, [this, issue, chemin] { Fin(issue.first, issue.second, chemin); },
            Qt::QueuedConnection);
    });
}

void AcquisitionQt::Fin(IssueAcquisition issue, const std::string& erreur,
                        const std::string& chemin) {
    if (travail_.joinable()) travail_.join();
    if (progres_) {
        progres_->hide();
        progres_->deleteLater();
    }
    // A cancel is the user's own doing: nothing to say.
    FinAcquisition(o_, issue, issue == IssueAcquisition::Annulee ? std::string() : erreur, chemin);
    if (actualise_) actualise_();
    emit Terminee();
}

void AcquisitionQt::CopieEcranSansMenu() {
    // The drawn view is painted apart from the screen: nothing to wait for.
    if (!o_.fenetre.copieEcranEntier) {
        CopieEcran(o_, *this);
        return;
    }
    // A menu entry runs while its menu is still on the screen: the screen is
    // taken once the menu has closed and the window beneath is painted again.
    while (QWidget* menu = QApplication::activePopupWidget()) menu->close();
    QTimer::singleShot(0, this, [this] {
        QGuiApplication::sync();
        if (fenetre_) fenetre_->window()->repaint();
        QGuiApplication::sync();
        CopieEcran(o_, *this);
        if (actualise_) actualise_();
    });
}

std::optional<PixelsImage> AcquisitionQt::VueDessinee() {
    if (!zoneImage_) return std::nullopt;
    const QImage vue = zoneImage_->grab().toImage();
    if (vue.isNull()) return std::nullopt;
    return VersPixels(vue);
}

bool AcquisitionQt::EcranLisible() {
    // A Wayland desktop lets no program read the screen.
    return !QGuiApplication::platformName().startsWith("wayland") &&
           QGuiApplication::primaryScreen();
}

std::optional<PixelsImage> AcquisitionQt::Ecran() {
    if (!EcranLisible()) return std::nullopt;
    QScreen* ecran = QGuiApplication::primaryScreen();
    const QImage image = ecran->grabWindow(0).toImage();
    if (image.isNull()) return std::nullopt;
    return VersPixels(image);
}

} // namespace orv
