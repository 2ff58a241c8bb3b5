#include "gui/PlateformeQt.h"

#include "gui/Liaisons.h"
#include "pixels/EncodeurJpeg.h"
#include "pixels/LectureZone.h"

#include "base/FichierTexte.h"
#include "calibration/Editeur.h"
#include "colour/Palette.h"
#include "gui/Couleurs.h"
#include "gui/DessinCopie.h"
#include "images/EnteteImage.h"
#include "images/Orientation.h"

#include <QApplication>
#include <QBuffer>
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
#include <QScreen>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QUrl>

#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace orv {

namespace {

constexpr int QualiteJpeg = 92; // of the copies written as JPEG

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
    return QFile::encodeName(f).toStdString();
}

std::optional<std::string> PlateformeQt::ChoisitFichierAEnregistrer(const std::string& titre,
                                                                    const std::string& filtre,
                                                                    const std::string& propose) {
    const QString f = QFileDialog::getSaveFileName(fenetre_, Q(titre), Q(propose), FiltreQt(filtre),
                                                   nullptr, QFileDialog::DontConfirmOverwrite);
    if (f.isEmpty()) return std::nullopt;
    return QFile::encodeName(f).toStdString();
}

void PlateformeQt::CopieTextePressePapier(const std::string& texte) {
    QApplication::clipboard()->setText(Q(texte));
}

std::optional<TailleImage> PlateformeQt::LitTailleImage(const std::string& chemin) {
    // The formats the core reads give the very size orvelle-cli reads; Qt
    // answers for the others (shown as stored: see LitOrientationImage).
    if (const auto e = LitEnteteImageFichier(chemin))
        return TailleRedressee({e->largeur, e->hauteur}, e->orientation);
    const auto f = OuvreFichierLecture(chemin);
    if (!f) return std::nullopt;
    QImageReader lecteur(f.get());
    const QSize t = lecteur.size();
    if (!lecteur.canRead() || !t.isValid() || t.isEmpty()) return std::nullopt;
    return TailleImage{t.width(), t.height()};
}

int PlateformeQt::LitOrientationImage(const std::string& chemin) {
    const auto e = LitEnteteImageFichier(chemin);
    return e ? e->orientation : OrientationNormale;
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
    // Each pixel written once (no zeros first: a copy of 100 megapixels).
    p.pixels.reserve(static_cast<size_t>(p.largeur) * static_cast<size_t>(p.hauteur));
    for (int y = 0; y < p.hauteur; ++y) {
        const auto* ligne = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        p.pixels.insert(p.pixels.end(), ligne, ligne + p.largeur);
    }
    return p;
}

std::optional<PixelsImage> PlateformeQt::ImagePressePapier() {
    const QImage image = QApplication::clipboard()->image();
    if (image.isNull()) return std::nullopt;
    return VersPixels(image);
}

std::optional<PixelsImage> PlateformeQt::LitPixelsImage(const std::string& chemin) {
    // Upright as the view shows it: the copies drawn on and saved from it
    // match what the user pointed.
    if (imageAffichee_)
        if (const auto p = imageAffichee_(chemin)) return VersPixels(p->Niveau(0));
    const auto image = LitImageStockee(chemin, budgetMo_);
    if (!image) return std::nullopt;
    return VersPixels(Redresse(image->image, image->orientation));
}

std::optional<VuePixelsImage> PlateformeQt::PixelsAffiches(const std::string& chemin) {
    if (!imageAffichee_) return std::nullopt;
    const auto p = imageAffichee_(chemin);
    if (!p || p->NombreNiveaux() == 0) return std::nullopt;
    const QImage& n = p->Niveau(0);
    if (n.isNull() || n.depth() != 32) return std::nullopt;
    return VuePixelsImage{reinterpret_cast<const std::uint32_t*>(n.constBits()), n.width(),
                          n.height(), static_cast<std::ptrdiff_t>(n.bytesPerLine() / 4), p};
}

std::optional<EchantillonsImage> PlateformeQt::LitZoneImage(const std::string& chemin,
                                                            ZonePixels zone) {
    // The picture shown is sampled as decoded for the box (no second decoding
    // of a photograph of 100 megapixels), unless its file holds more than 8
    // bits a channel, which the box's copy has lost.
    if (imageAffichee_)
        if (const auto p = imageAffichee_(chemin)) {
            const auto f = OuvreFichierLecture(chemin);
            const QImage::Format format =
                f ? QImageReader(f.get()).imageFormat() : QImage::Format_Invalid;
            if (format != QImage::Format_RGBX64 && format != QImage::Format_RGBA64 &&
                format != QImage::Format_RGBA64_Premultiplied &&
                format != QImage::Format_Grayscale16)
                return EchantillonsDe(p->Niveau(0), zone, OrientationNormale);
        }
    // The picture read last is kept while the file is the same (by its
    // bytes' name, its size and its time).
    struct stat st {};
    const bool lu = ::stat(chemin.c_str(), &st) == 0;
    const qint64 modifie =
        lu ? static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec : 0;
    if (!lu || zone_.chemin != chemin || zone_.modifie != modifie ||
        zone_.taille != static_cast<qint64>(st.st_size) || zone_.image.image.isNull()) {
        zone_.image = {};
        zone_.image = LitImageStockee(chemin, budgetMo_).value_or(ImageStockee{});
        zone_.chemin = chemin;
        zone_.modifie = modifie;
        zone_.taille = lu ? static_cast<qint64>(st.st_size) : -1;
    }
    return EchantillonsDe(zone_.image.image, zone, zone_.image.orientation);
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
    // Encoded in memory, then written by the program's one writer: a link
    // planted at the name is replaced, never followed (QSaveFile follows it).
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    if (!image.save(&tampon, formatQt, format == "JPG" ? QualiteJpeg : -1)) return false;
    return static_cast<bool>(
        EcritAtomique(chemin, std::string(octets.constData(), static_cast<size_t>(octets.size()))));
}

bool PlateformeQt::EcritPixels(const std::string& chemin, const std::string& format,
                               const PixelsImage& image) {
    const int l = image.largeur, h = image.hauteur;
    if (l <= 0 || h <= 0 || image.pixels.size() != static_cast<size_t>(l) * static_cast<size_t>(h))
        return false;
    // JPEG straight from the rows; the other formats by Qt's writers over the
    // pixels as they lie.
    std::optional<std::string> octets;
    if (format == "JPG")
        octets = EncodeJpeg(
            l, h, [&](int y) { return image.pixels.data() + static_cast<size_t>(y) * l; },
            QualiteJpeg);
    if (!octets) {
        const char* formatQt = format == "JPG"    ? "JPEG"
                               : format == "TIFF" ? "TIFF"
                               : format == "PNG"  ? "PNG"
                                                  : nullptr;
        if (!formatQt) return false;
        const QImage vue(reinterpret_cast<const uchar*>(image.pixels.data()), l, h,
                         static_cast<qsizetype>(l) * 4, QImage::Format_RGB32);
        QByteArray b;
        QBuffer tampon(&b);
        tampon.open(QIODevice::WriteOnly);
        if (!vue.save(&tampon, formatQt, format == "JPG" ? QualiteJpeg : -1)) return false;
        octets = std::string(b.constData(), static_cast<size_t>(b.size()));
    }
    return static_cast<bool>(EcritAtomique(chemin, *octets));
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
    // Read by bytes: a name that is not UTF-8 is listed as the file it is
    // (a QString would lose it).
    DIR* d = ::opendir(dossier.c_str());
    if (!d) return std::nullopt;
    std::vector<std::string> noms;
    while (const dirent* e = ::readdir(d)) {
        const std::string nom = e->d_name;
        // Hidden entries stay hidden, as the desktop's dialogs keep them.
        if (nom.starts_with('.')) continue;
        struct stat st {};
        // Links count as what they lead to, as the file dialogs show them.
        if (::fstatat(::dirfd(d), e->d_name, &st, 0) != 0) continue;
        if (dossiers ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode)) noms.push_back(nom);
    }
    ::closedir(d);
    return noms;
}

std::string PlateformeQt::DossierUtilisateur(GenreDossier genre) {
    const QString d = QStandardPaths::writableLocation(genre == GenreDossier::Images
                                                           ? QStandardPaths::PicturesLocation
                                                           : QStandardPaths::DocumentsLocation);
    const QString dossier = !d.isEmpty() && QDir(d).exists() ? d : QDir::homePath();
    return QFile::encodeName(dossier).toStdString();
}

TailleImage PlateformeQt::TailleEcran() {
    const QScreen* e = QGuiApplication::primaryScreen();
    if (!e) return {};
    const QSize t = e->size() * e->devicePixelRatio();
    return {t.width(), t.height()};
}

} // namespace orv
