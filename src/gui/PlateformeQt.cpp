#include "gui/PlateformeQt.h"

#include "gui/LectureZone.h"
#include "gui/Liaisons.h"

#include "calibration/Editeur.h"
#include "colour/Palette.h"
#include "gui/Couleurs.h"
#include "gui/DessinCopie.h"
#include "images/EnteteImage.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QImageReader>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPixmap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSaveFile>
#include <QScreen>
#include <QStorageInfo>
#include <QUrl>

#include <cstring>

namespace orv {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The program's texts end their lines with CR LF; a message box wants LF.
QString TexteBoite(const std::string& s) {
    return QString::fromStdString(s).replace("\r\n", "\n");
}

QMessageBox::Icon IconeQt(Icone i) {
    switch (i) {
    case Icone::Question:
        return QMessageBox::Question;
    case Icone::Information:
        return QMessageBox::Information;
    case Icone::Exclamation:
        return QMessageBox::Warning;
    case Icone::Critique:
        return QMessageBox::Critical;
    case Icone::Aucune:
        break;
    }
    return QMessageBox::NoIcon;
}

// The flash frame sits at a fixed place of the window, as the program has
// always shown it: left 5600, top 4300, 3600 by 800 twips.
constexpr int kTwipsParPixel = 15;

} // namespace

PlateformeQt::PlateformeQt(QWidget* fenetre) : fenetre_(fenetre) {
    minuterie_.setSingleShot(true);
    QObject::connect(&minuterie_, &QTimer::timeout, [this] {
        if (flash_) flash_->hide();
    });
}

void PlateformeQt::FixeFenetre(QWidget* fenetre) {
    fenetre_ = fenetre;
}

void PlateformeQt::Message(const std::string& texte, const std::string& titre, Icone icone) {
    QMessageBox box(IconeQt(icone), Q(titre.empty() ? std::string("Orvelle") : titre),
                    TexteBoite(texte), QMessageBox::Ok, fenetre_);
    box.exec();
}

bool PlateformeQt::QuestionOuiNon(const std::string& texte, const std::string& titre, Icone icone) {
    QMessageBox box(IconeQt(icone), Q(titre.empty() ? std::string("Orvelle") : titre),
                    TexteBoite(texte), QMessageBox::Yes | QMessageBox::No, fenetre_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool PlateformeQt::QuestionOKAnnuler(const std::string& texte, const std::string& titre,
                                     Icone icone) {
    QMessageBox box(IconeQt(icone), Q(titre.empty() ? std::string("Orvelle") : titre),
                    TexteBoite(texte), QMessageBox::Ok | QMessageBox::Cancel, fenetre_);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

Reponse PlateformeQt::QuestionOuiNonAnnuler(const std::string& texte, const std::string& titre,
                                            Icone icone) {
    QMessageBox box(IconeQt(icone), Q(titre.empty() ? std::string("Orvelle") : titre),
                    TexteBoite(texte), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    fenetre_);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Reponse::Oui;
    case QMessageBox::No:
        return Reponse::Non;
    default:
        return Reponse::Annuler;
    }
}

bool PlateformeQt::DessineImage(PixelsImage& image, const std::vector<DessinImage>& dessins) {
    return DessineSurPixels(image, dessins);
}

std::optional<PoliceTexte> PlateformeQt::ChoisitPolice(const PoliceTexte& proposee) {
    QFont f = fenetre_ ? fenetre_->font() : QFont();
    if (!proposee.nom.empty()) f.setFamily(Q(proposee.nom));
    if (proposee.taille > 0) f.setPointSizeF(proposee.taille);
    f.setBold(proposee.gras);
    bool ok = false;
    const QFont choisie = QFontDialog::getFont(&ok, f, fenetre_, {}, QFontDialog::ScalableFonts);
    if (!ok) return std::nullopt;
    return PoliceTexte{choisie.family().toStdString(), choisie.pointSizeF(), choisie.bold()};
}

std::optional<int> PlateformeQt::ChoisitCouleurPalette(const std::string& titre, int actuelle) {
    // A menu of the 16 colours at the pointer, the current one ticked.
    QMenu menu(fenetre_);
    menu.setObjectName("MenuPalette");
    menu.setTitle(Q(titre));
    for (int n = 0; n < 16; ++n) {
        QPixmap echantillon(32, 16);
        echantillon.fill(CouleurQt(CouleurPalette(n)));
        QAction* a = menu.addAction(QIcon(echantillon), QString::number(n));
        a->setData(n);
        a->setCheckable(true);
        a->setChecked(n == actuelle);
    }
    QAction* choisie = menu.exec(QCursor::pos());
    if (!choisie) return std::nullopt;
    return choisie->data().toInt();
}

QLabel* PlateformeQt::Cadre() {
    if (!flash_ && fenetre_) {
        flash_ = new QLabel(fenetre_); // owned by the window
        flash_->setObjectName(NomObjet(Controle::CadreFlash));
        flash_->setAlignment(Qt::AlignCenter);
        flash_->setWordWrap(true);
        flash_->setFrameShape(QFrame::Box);
        flash_->setGeometry(5600 / kTwipsParPixel, 4300 / kTwipsParPixel, 3600 / kTwipsParPixel,
                            800 / kTwipsParPixel);
        flash_->hide();
    }
    return flash_;
}

void PlateformeQt::Flash(std::uint32_t couleur, const std::string& texte, int delaiSecondes) {
    QLabel* l = Cadre();
    if (!l) return;
    l->setStyleSheet(QString("background-color: %1; color: black; font-weight: bold;")
                         .arg(CouleurQt(couleur).name()));
    FlashOuvre(texte);
    FlashFerme(delaiSecondes);
}

void PlateformeQt::FlashOuvre(const std::string& texte) {
    QLabel* l = Cadre();
    if (!l) return;
    l->setText(Q(texte));
    l->raise();
    l->show();
}

void PlateformeQt::FlashFerme(int delaiSecondes) {
    minuterie_.start(std::max(0, delaiSecondes) * 1000);
}

void PlateformeQt::Bip() {
    QApplication::beep();
}

char PlateformeQt::SeparateurDecimal() const {
    const QString p = QLocale().decimalPoint();
    return p.isEmpty() || p.at(0).unicode() > 127 ? '.' : static_cast<char>(p.at(0).unicode());
}

QString PlateformeQt::FiltreQt(const std::string& filtre) {
    const QStringList parties = Q(filtre).split('|');
    QStringList filtres;
    for (int i = 0; i + 1 < parties.size(); i += 2) {
        QString motifs = parties[i + 1];
        motifs.replace(';', ' ').replace(',', ' ');
        QString nom = parties[i];
        const int p = nom.indexOf('(');
        if (p >= 0) nom = nom.left(p).trimmed();
        filtres << QString("%1 (%2)").arg(nom, motifs.simplified());
    }
    return filtres.join(";;");
}

std::optional<std::string> PlateformeQt::ChoisitFichierAOuvrir(const std::string& titre,
                                                               const std::string& filtre,
                                                               const std::string& dossier) {
    const QString f =
        QFileDialog::getOpenFileName(fenetre_, Q(titre), Q(dossier), FiltreQt(filtre));
    if (f.isEmpty()) return std::nullopt;
    return f.toStdString();
}

std::optional<std::string> PlateformeQt::ChoisitFichierAEnregistrer(const std::string& titre,
                                                                    const std::string& filtre,
                                                                    const std::string& propose) {
    const QString f = QFileDialog::getSaveFileName(fenetre_, Q(titre), Q(propose), FiltreQt(filtre),
                                                   nullptr, QFileDialog::DontConfirmOverwrite);
    if (f.isEmpty()) return std::nullopt;
    return f.toStdString();
}

void PlateformeQt::CopieTextePressePapier(const std::string& texte) {
    QApplication::clipboard()->setText(Q(texte));
}

std::optional<TailleImage> PlateformeQt::LitTailleImage(const std::string& chemin) {
    // The formats the core reads give the very size orvelle-cli reads; Qt
    // answers for the others.
    if (const auto e = LitEnteteImageFichier(chemin)) return TailleImage{e->largeur, e->hauteur};
    QImageReader lecteur(QString::fromStdString(chemin));
    const QSize t = lecteur.size();
    if (!lecteur.canRead() || !t.isValid() || t.isEmpty()) return std::nullopt;
    return TailleImage{t.width(), t.height()};
}

void PlateformeQt::LaisseEvenements() {
    QApplication::processEvents();
}

bool PlateformeQt::OuvreEditeurTexte(const std::string& chemin) {
    const auto env = QProcessEnvironment::systemEnvironment();
    const auto candidats =
        CommandesEditeur(env.value("VISUAL").toStdString(), env.value("EDITOR").toStdString());
    // Started directly with an argument list: the path is never read by a shell.
    for (const auto& c : candidats) {
        QStringList arguments;
        for (const auto& a : c.arguments) arguments << Q(a);
        arguments << Q(chemin);
        if (QProcess::startDetached(Q(c.programme), arguments)) return true;
    }
    return false;
}

bool PlateformeQt::OuvreDocument(const std::string& chemin) {
    // xdg-open hands the file on and says nothing when no program takes its
    // type: ask the desktop first whether one does (no answer: try anyway).
    const QString type = QMimeDatabase().mimeTypeForFile(Q(chemin)).name();
    QProcess requete;
    requete.start("xdg-mime", {"query", "default", type});
    if (requete.waitForFinished(3000) && requete.exitStatus() == QProcess::NormalExit &&
        requete.exitCode() == 0 && requete.readAllStandardOutput().trimmed().isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(Q(chemin)));
}

PixelsImage VersPixels(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    PixelsImage p{image.width(), image.height(), {}};
    p.pixels.resize(static_cast<size_t>(p.largeur) * static_cast<size_t>(p.hauteur));
    for (int y = 0; y < p.hauteur; ++y) {
        const auto* ligne = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        std::copy(ligne, ligne + p.largeur, p.pixels.begin() + static_cast<long>(y) * p.largeur);
    }
    return p;
}

std::optional<PixelsImage> PlateformeQt::ImagePressePapier() {
    const QImage image = QApplication::clipboard()->image();
    if (image.isNull()) return std::nullopt;
    return VersPixels(image);
}

std::optional<PixelsImage> PlateformeQt::LitPixelsImage(const std::string& chemin) {
    // As the view shows it (no orientation tag applied): the copies drawn on
    // and saved from it match what the user pointed.
    const QImage image = LitImageTelleQuelle(Q(chemin));
    if (image.isNull()) return std::nullopt;
    return VersPixels(image);
}

std::optional<EchantillonsImage> PlateformeQt::LitZoneImage(const std::string& chemin,
                                                            ZonePixels zone) {
    const QFileInfo info(Q(chemin));
    if (zone_.chemin != info.absoluteFilePath() || zone_.modifie != info.lastModified() ||
        zone_.taille != info.size() || zone_.image.isNull()) {
        zone_.image = LitImageTelleQuelle(Q(chemin));
        zone_.chemin = info.absoluteFilePath();
        zone_.modifie = info.lastModified();
        zone_.taille = info.size();
    }
    return EchantillonsDe(zone_.image, zone);
}

bool PlateformeQt::EcritImage(const std::string& chemin, const std::string& format, int largeur,
                              int hauteur, int octetsParLigne, const std::uint8_t* pixels) {
    if (largeur <= 0 || hauteur <= 0 || !pixels || octetsParLigne < largeur * 3) return false;
    const char* formatQt = format == "JPG"    ? "JPEG"
                           : format == "TIFF" ? "TIFF"
                           : format == "PNG"  ? "PNG"
                                              : nullptr;
    if (!formatQt) return false;
    QImage image(largeur, hauteur, QImage::Format_BGR888);
    for (int y = 0; y < hauteur; ++y) // the buffer's rows run bottom-up
        std::memcpy(image.scanLine(y),
                    pixels + static_cast<std::ptrdiff_t>(hauteur - 1 - y) * octetsParLigne,
                    static_cast<size_t>(largeur) * 3);
    QSaveFile fichier(Q(chemin));
    if (!fichier.open(QIODevice::WriteOnly)) return false;
    if (!image.save(&fichier, formatQt, format == "JPG" ? 92 : -1)) {
        fichier.cancelWriting();
        return false;
    }
    return fichier.commit();
}

std::vector<LecteurMonte> PlateformeQt::Lecteurs() {
    std::vector<LecteurMonte> l{{"/", "/"}};
    const QString maison = QDir::homePath();
    l.push_back({QDir(maison).dirName().toStdString(), maison.toStdString()});
    // Removable media and other disks mounted where users mount them; a drive
    // with no medium stays listed, and says so when chosen.
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        const QString racine = v.rootPath();
        if (!racine.startsWith("/media/") && !racine.startsWith("/run/media/") &&
            !racine.startsWith("/mnt/"))
            continue;
        const QString nom = v.displayName().isEmpty() ? racine : v.displayName();
        l.push_back({nom.toStdString(), racine.toStdString()});
    }
    return l;
}

std::optional<std::vector<std::string>> PlateformeQt::ContenuDossier(const std::string& dossier,
                                                                     bool dossiers) {
    const QDir d(QString::fromStdString(dossier));
    if (!d.exists() || !d.isReadable()) return std::nullopt;
    const auto filtre = (dossiers ? QDir::Dirs : QDir::Files) | QDir::NoDotAndDotDot;
    std::vector<std::string> noms;
    for (const QString& n : d.entryList(filtre)) noms.push_back(n.toStdString());
    return noms;
}

TailleImage PlateformeQt::TailleEcran() {
    const QScreen* e = QGuiApplication::primaryScreen();
    if (!e) return {};
    const QSize t = e->size() * e->devicePixelRatio();
    return {t.width(), t.height()};
}

} // namespace orv
