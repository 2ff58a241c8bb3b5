// The figures of fresh processes: the first open of the day, the start of the
// window, its memory with a photograph open and the annotated copy as a user
// makes it. orvelle-bench starts itself again for each (children named by
// their first argument) and djpeg in turn with them, so that both meet the
// same load; each figure is the median over the processes.
#include "Processus.h"
#include "Mesures.h"

#include "app/CommandesImages.h"
#include "gui/FenetrePrincipale.h"
#include "gui/Lancement.h"
#include "gui/Liaisons.h"
#include "gui/ZoneImage.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <map>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace orv::banc {

namespace {

using Releves = std::map<std::string, std::vector<double>>;

constexpr int Apaisement = 2000;  // ms the window is left to settle before its memory is read
constexpr int AttenteMax = 20000; // ms the search for scanners may take at most

// Runs a child and gathers its "name value" lines; `premiereLigne` gets the
// time from the start to its first line (what a user waits for at launch).
// `plateforme`: the child's QT_QPA_PLATFORM, when not the bench's own.
bool LanceEnfant(const QStringList& arguments, Releves& r, double* premiereLigne = nullptr,
                 const QString& plateforme = {}) {
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    if (!plateforme.isEmpty()) {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("QT_QPA_PLATFORM", plateforme);
        p.setProcessEnvironment(e);
    }
    QElapsedTimer t;
    t.start();
    p.start(QCoreApplication::applicationFilePath(), arguments);
    if (!p.waitForStarted(10000)) return false;
    QByteArray sortie;
    if (premiereLigne) {
        while (!sortie.contains('\n') && p.waitForReadyRead(60000))
            sortie += p.readAllStandardOutput();
        *premiereLigne = t.nsecsElapsed() / 1e6;
    }
    if (!p.waitForFinished(180000)) {
        p.kill();
        p.waitForFinished();
        return false;
    }
    sortie += p.readAllStandardOutput();
    for (const QByteArray& l : sortie.split('\n')) {
        const QList<QByteArray> m = l.simplified().split(' ');
        if (m.size() >= 2) r[m[0].toStdString()].push_back(m[1].toDouble());
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// djpeg's time to decode the picture, and its CPU time (`processeur`).
double Djpeg(const QString& djpeg, const QString& image, double& processeur) {
    auto enfants = [] {
        rusage u{};
        getrusage(RUSAGE_CHILDREN, &u);
        return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
               (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
    };
    QElapsedTimer t;
    QProcess p;
    const double avant = enfants();
    t.start();
    p.start(djpeg, {"-outfile", "/dev/null", image});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return -1;
    const double ms = t.nsecsElapsed() / 1e6;
    processeur = enfants() - avant;
    return ms;
}

void Annonce(const Releves& r, const char* cle, const std::string& nom, const char* unite) {
    if (const auto i = r.find(cle); i != r.end() && !i->second.empty())
        Affiche(nom, Mediane(i->second), unite);
}

} // namespace

void MesuresFroides(const QString& image, int processus, bool copie) {
    QTemporaryDir home; // the window's program folder: settings written at the first start
    const QString djpeg = QStandardPaths::findExecutable("djpeg");
    const QString absolue = QFileInfo(image).absoluteFilePath();
    Releves ouverture, fenetre, depart, copies;
    std::vector<double> djpegs, djpegsCpu, demarrages;
    Releves poubelle;
    LanceEnfant({"--enfant-fenetre", home.path()}, poubelle); // the first start writes settings
    for (int i = 0; i < processus; ++i) {
        double processeur = 0;
        if (!djpeg.isEmpty())
            if (const double d = Djpeg(djpeg, absolue, processeur); d > 0) {
                djpegs.push_back(d);
                djpegsCpu.push_back(processeur);
            }
        LanceEnfant({absolue, "--enfant-ouverture"}, ouverture);
        double ms = 0;
        if (LanceEnfant({"--enfant-fenetre", home.path()}, depart, &ms)) demarrages.push_back(ms);
        if (LanceEnfant({"--enfant-fenetre", home.path(), absolue}, fenetre, &ms))
            demarrages.push_back(ms);
    }
    if (copie) LanceEnfant({"--enfant-fenetre", home.path(), absolue, "--copie"}, copies);
    // Offscreen, the screen is 800 x 600 unless told: the window once more on
    // a desktop's 1920 x 1080, its backing store and view cache at that size.
    Releves grandEcran;
    if (QGuiApplication::platformName() == "offscreen") {
        QFile ecran(home.filePath("ecran.json"));
        if (ecran.open(QIODevice::WriteOnly) &&
            ecran.write(R"({"screens":[{"name":"FullHD","x":0,"y":0,"width":1920,"height":1080,)"
                        R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})") > 0) {
            ecran.close();
            LanceEnfant({"--enfant-fenetre", home.path(), absolue}, grandEcran, nullptr,
                        "offscreen:configfile=" + ecran.fileName());
        }
    }

    if (!djpegs.empty()) Affiche("djpeg_ms", Mediane(djpegs), "ms");
    if (!djpegsCpu.empty()) Affiche("djpeg_cpu_ms", Mediane(djpegsCpu), "ms");
    Annonce(ouverture, "premiere", "open_cold_first_view_ms", "ms");
    Annonce(ouverture, "complete", "open_cold_full_view_ms", "ms");
    if (!djpegs.empty() && ouverture.count("premiere"))
        Affiche("open_cold_first_view_vs_djpeg", Mediane(ouverture["premiere"]) / Mediane(djpegs),
                "x");
    Annonce(ouverture, "cpu", "open_cold_first_view_cpu_ms", "ms");
    Annonce(ouverture, "base", "open_base_rss_mb", "MB");
    Annonce(ouverture, "pic", "open_peak_rss_mb", "MB");
    if (!demarrages.empty()) Affiche("startup_ms", Mediane(demarrages), "ms");
    Annonce(depart, "pic", "startup_peak_rss_mb", "MB");
    Annonce(fenetre, "ouverte", "window_open_ms", "ms");
    Annonce(fenetre, "pic", "window_peak_rss_mb", "MB");
    Annonce(grandEcran, "pic", "window_1920x1080_peak_rss_mb", "MB");
    Annonce(copies, "preparation", "annotate_prepare_ms", "ms");
    Annonce(copies, "enregistrement", "annotate_save_ms", "ms");
    Annonce(copies, "total", "annotate_copy_ms", "ms");
    Annonce(copies, "pic", "annotate_peak_rss_mb", "MB");
}

namespace {

QAction* Action(QWidget& f, Controle c) {
    return f.findChild<QAction*>(NomObjet(c));
}

void Clique(QWidget& f, Controle c) {
    if (auto* b = f.findChild<QAbstractButton*>(NomObjet(c))) b->click();
    QCoreApplication::processEvents();
}

// A 50 µm bar and its label on the picture shown, as the user makes it, then
// the copy saved as JPEG, `n` times from the plain picture.
void AnnoteDansFenetre(FenetrePrincipale& f, ZoneImage& zone, const QString& image, int n) {
    const QString ref =
        QFileInfo(image).path() + "/" + QFileInfo(image).completeBaseName() + "_Ref.JPG";
    if (auto* a = Action(f, Controle::FormatImageJPG)) a->trigger();
    if (auto* a = Action(f, Controle::ReferenceSurImage); a && !a->isChecked()) a->trigger();
    for (int i = 0; i < n; ++i) {
        QFile::remove(ref); // or the save would ask before replacing it
        Action(f, Controle::ReferenceSimple)->trigger();
        const QPointF p(300, 300);
        QMouseEvent appui(QEvent::MouseButtonPress, p, zone.mapToGlobal(p), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent relache(QEvent::MouseButtonRelease, p, zone.mapToGlobal(p), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&zone, &appui);
        QCoreApplication::sendEvent(&zone, &relache);
        Clique(f, Controle::SaisieOK); // the length
        QElapsedTimer t;
        t.start();
        Clique(f, Controle::SaisieOK); // the unit: the copy is drawn and offered
        QCoreApplication::processEvents();
        const double prepare = t.nsecsElapsed() / 1e6;
        Clique(f, Controle::CopieEnregistre);
        const double total = t.nsecsElapsed() / 1e6;
        if (!QFile::exists(ref)) {
            std::fprintf(stderr, "orvelle-bench: no annotated copy was written\n");
            return;
        }
        std::printf("preparation %.3f\nenregistrement %.3f\ntotal %.3f\n", prepare, total - prepare,
                    total);
        Clique(f, Controle::CopieFerme);
    }
    QFile::remove(ref);
    std::printf("pic %.3f\n", PicMemoireMo());
}

} // namespace

int EnfantFenetre(int argc, char** argv) {
    // orvelle-bench --enfant-fenetre HOME [IMAGE [--copie]]: the program as
    // orvelle starts it; once it shows its sample picture, IMAGE is opened as
    // the user opens a picture.
    if (argc < 3) return 2;
    const bool copie = argc > 4 && std::string(argv[4]) == "--copie";
    std::vector<std::string> arguments{argv[0], "--home", argv[2]};
    std::vector<char*> args;
    for (auto& a : arguments) args.push_back(a.data());
    args.push_back(nullptr);
    const std::string image = argc > 3 ? argv[3] : "";
    bool demarre = false, ouverte = false;
    QElapsedTimer ouverture;
    return Programme(static_cast<int>(arguments.size()), args.data(), [&](FenetrePrincipale& f) {
        ZoneImage* zone = f.findChild<ZoneImage*>();
        if (!zone) {
            QTimer::singleShot(0, [] { QCoreApplication::exit(1); });
            return;
        }
        // What the window holds, the picture shown and the work it started
        // in the background over.
        auto fin = [&, zone] {
            QTimer::singleShot(Apaisement, [&, zone] {
                std::printf("pic %.3f\n", PicMemoireMo());
                if (copie) AnnoteDansFenetre(f, *zone, QString::fromStdString(image), 5);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        };
        zone->surVueDessinee = [&, zone, fin](ZoneImage::Qualite q) {
            if (q != ZoneImage::Qualite::Complete) return;
            if (!demarre) {
                demarre = true;
                std::printf("vue 1\n");
                std::fflush(stdout);
                if (image.empty()) {
                    fin();
                    return;
                }
                // Opened once the start's work in the background (the search
                // for scanners and cameras, which enables their entry) is
                // over, as a user opens it.
                auto* attente = new QTimer(&f);
                QElapsedTimer depuis;
                depuis.start();
                QObject::connect(attente, &QTimer::timeout, &f, [&, zone, attente, depuis] {
                    if (!zone->Etat().controles(Controle::AcquisitionSource).actif &&
                        depuis.elapsed() < AttenteMax)
                        return;
                    attente->deleteLater();
                    QTimer::singleShot(Apaisement / 4, [&, zone] {
                        ouverture.start();
                        OuvreCheminImage(zone->Etat(), image);
                        f.Actualise();
                    });
                });
                attente->start(50);
            } else if (!ouverte && !image.empty() && zone->ImageDecodee(image)) {
                ouverte = true;
                std::printf("ouverte %.3f\n", ouverture.nsecsElapsed() / 1e6);
                fin();
            }
        };
        // The picture may have been painted already (the start lets events
        // run): one more paint says it.
        zone->update();
    });
}

} // namespace orv::banc
