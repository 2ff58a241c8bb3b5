#include "gui/Acquisition.h"

#include "gui/PlateformeQt.h"
#include "images/Chargeur.h"
#include "interface/Messages.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QScreen>
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

} // namespace

AcquisitionQt::AcquisitionQt(Orvelle& o, QWidget* fenetre, QWidget* zoneImage,
                             std::function<void()> actualise, std::unique_ptr<Scanner> scanner)
    : QObject(fenetre), o_(o), fenetre_(fenetre), zoneImage_(zoneImage),
      actualise_(std::move(actualise)), scanner_(std::move(scanner)) {}

AcquisitionQt::~AcquisitionQt() {
    annule_ = true;
    if (travail_.joinable()) travail_.join();
}

bool AcquisitionQt::Clic(Controle c) {
    switch (c) {
    case Controle::TwainSelectionSource:
        ChoisitSource();
        return true;
    case Controle::TwainAcquisition:
    case Controle::AcquisitionTwain:
        Acquiert();
        return true;
    case Controle::TwainSauverImage:
        SauveImage(o_, 1, *this);
        return true;
    case Controle::TwainSauverCadre:
        SauveImage(o_, 2, *this);
        return true;
    case Controle::OutilCopieEcran:
    case Controle::BoutonCopieEcran:
        CopieEcran(o_, *this);
        return true;
    default:
        return false;
    }
}

void AcquisitionQt::ChoisitSource() {
    const auto sources = SansBloquer([this] { return scanner_->Sources(); });
    if (sources.empty()) {
        o_.plateforme.Message(o_.textes.Mnu(mnu::AucuneSource),
                              o_.controles.Texte(Controle::TwainSelectionSource),
                              Icone::Information);
        return;
    }
    QDialog d(fenetre_);
    d.setObjectName("DialogueSource");
    d.setWindowTitle(Q(o_.controles.Texte(Controle::TwainSelectionSource)));
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
    annule_ = false;
    progres_ = new QProgressDialog(fenetre_);
    progres_->setObjectName("ProgresAcquisition");
    progres_->setWindowTitle(Q(o_.controles.Texte(Controle::TwainAcquisition)));
    progres_->setLabelText(Q(o_.controles.Texte(Controle::TwainAcquisition)));
    progres_->setRange(0, 100);
    progres_->setWindowModality(Qt::WindowModal);
    progres_->setMinimumDuration(0);
    progres_->setAutoClose(false);
    progres_->setAutoReset(false);
    connect(progres_, &QProgressDialog::canceled, this, [this] { annule_ = true; });
    progres_->show();

    const std::string chemin = CheminImageTwain(o_);
    travail_ = std::thread([this, chemin, source = source_] {
        const auto progres = [this](int v) {
            QMetaObject::invokeMethod(
                this,
                [this, v] {
                    if (progres_) progres_->setValue(v);
                },
                Qt::QueuedConnection);
        };
        auto r = scanner_->Acquiert(source, ModeAcquisition::Couleur, annule_, progres);
        IssueAcquisition issue = IssueAcquisition::Reussie;
        std::string erreur = r.erreur;
        switch (r.echec) {
        case EchecAcquisition::Aucun:
            // Written here: a large picture's file is no work for the window.
            if (const auto e = EcritImageAcquise(r.image, chemin); !e) {
                issue = IssueAcquisition::Echec;
                erreur = e.erreur;
            }
            break;
        case EchecAcquisition::AucuneSource:
            issue = IssueAcquisition::AucuneSource;
            break;
        case EchecAcquisition::Annulee:
            issue = IssueAcquisition::Annulee;
            break;
        case EchecAcquisition::Appareil:
            issue = IssueAcquisition::Echec;
            break;
        }
        QMetaObject::invokeMethod(
            this, [this, issue, erreur] { Fin(issue, erreur); }, Qt::QueuedConnection);
    });
}

void AcquisitionQt::Fin(IssueAcquisition issue, const std::string& erreur) {
    if (travail_.joinable()) travail_.join();
    if (progres_) {
        progres_->hide();
        progres_->deleteLater();
    }
    // A cancel is the user's own doing: nothing to say.
    FinAcquisition(o_, issue, issue == IssueAcquisition::Annulee ? std::string() : erreur);
    if (actualise_) actualise_();
    emit Terminee();
}

std::optional<PixelsImage> AcquisitionQt::VueDessinee() {
    if (!zoneImage_) return std::nullopt;
    const QImage vue = zoneImage_->grab().toImage();
    if (vue.isNull()) return std::nullopt;
    return VersPixels(vue);
}

std::optional<PixelsImage> AcquisitionQt::Ecran() {
    // A Wayland desktop lets no program read the screen.
    if (QGuiApplication::platformName().startsWith("wayland")) return std::nullopt;
    QScreen* ecran = QGuiApplication::primaryScreen();
    if (!ecran) return std::nullopt;
    const QImage image = ecran->grabWindow(0).toImage();
    if (image.isNull()) return std::nullopt;
    return VersPixels(image);
}

} // namespace orv
