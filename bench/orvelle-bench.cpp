// orvelle-bench IMAGE [--repetitions N] [--processus N]: how fast the image
// box shows a photograph and follows the mouse, off screen, and what the
// picture costs. Prints one figure per line, "name value unit" (README.md,
// "Benchmarks", says what each one is): the time from the open command to the
// first painted view (a preview counts) and to the view painted from the full
// picture, a zoom step, a pan, one pointer move while measuring (rubber band,
// then with the magnifier shown) with 255 measures' marks on the view, the
// annotation drawn on the full-size copy, a colour sample, a 255-line grid
// read back and exported; then, over fresh processes, the first open of the
// day against djpeg, the window's start and memory, the annotated copy.
// Opens in this process are timed after one warm-up open of the same file (the
// picture memory is then reused, as when the user goes from photograph to
// photograph); the warm-up's own figures are printed with "_cold".
// orvelle-bench --photo WIDTH HEIGHT FILE writes a made photograph.
#include "Mesures.h"
#include "Photo.h"
#include "Processus.h"
#include "Travaux.h"

#include "app/CommandesImages.h"
#include "app/Orvelle.h"
#include "gui/Loupe.h"
#include "gui/PlateformeQt.h"
#include "gui/Vignette.h"
#include "gui/ZoneImage.h"
#include "images/CommandesVue.h"
#include "interface/TableControles.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace orv;
using namespace orv::banc;

namespace {

struct Ouverture {
    double premiere = -1, complete = -1;
    double processeurPremiere = -1; // CPU time of every thread until the first view
};

// The open command, then the event loop until the full picture is painted.
Ouverture Ouvre(Orvelle& o, ZoneImage& zone, const std::string& chemin, bool& echec) {
    Ouverture r;
    QElapsedTimer t;
    double cpu = 0;
    QEventLoop boucle; // sleeps between events: the decoding threads have the cores
    zone.surVueDessinee = [&](ZoneImage::Qualite q) {
        const double ms = t.nsecsElapsed() / 1e6;
        if ((q == ZoneImage::Qualite::Apercu || q == ZoneImage::Qualite::Complete) &&
            r.premiere < 0) {
            r.premiere = ms;
            r.processeurPremiere = TempsProcesseurMs() - cpu;
        }
        if (q == ZoneImage::Qualite::Complete && r.complete < 0) {
            r.complete = ms;
            boucle.quit();
        }
    };
    auto* surEchec = &zone.surEchecDecodage;
    const auto ancienEchec = *surEchec;
    *surEchec = [&](const std::string& c, const std::string& raison) {
        if (ancienEchec) ancienEchec(c, raison);
        boucle.quit();
    };
    QTimer::singleShot(60000, &boucle, &QEventLoop::quit);
    t.start();
    cpu = TempsProcesseurMs();
    const auto taille = o.plateforme.LitTailleImage(chemin);

    if (!taille) {
        echec = true;
        return r;
    }
    AfficheNouvelleImage(o, chemin, *taille);
    zone.Actualise();
    if (r.complete < 0 && !echec) boucle.exec();
    zone.surVueDessinee = nullptr;
    *surEchec = ancienEchec;
    return r;
}

// One pointer move, until the box has painted it (the window's update tick
// is made immediate for the measure: QT_QPA_UPDATE_IDLE_TIME=0).
void Deplace(ZoneImage& zone, QPointF p, const int& peintures) {
    const int avant = peintures;
    QMouseEvent e(QEvent::MouseMove, p, zone.mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(&zone, &e);
    for (int i = 0; i < 100000 && peintures == avant; ++i) QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    if (argc > 1 && std::strcmp(argv[1], "--enfant-fenetre") == 0) return EnfantFenetre(argc, argv);
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 5 && args[1] == "--photo")
        return EcritPhoto(args[2].toInt(), args[3].toInt(), args[4].toStdString()) ? 0 : 1;
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: orvelle-bench IMAGE [--repetitions N] [--processus N]\n"
                             "       orvelle-bench --photo WIDTH HEIGHT FILE\n");
        return 2;
    }
    const std::string chemin = args[1].toStdString();
    int repetitions = 5, processus = 5;
    if (const auto i = args.indexOf("--repetitions"); i > 0 && i + 1 < args.size())
        repetitions = std::max(1, args[i + 1].toInt());
    if (const auto i = args.indexOf("--processus"); i > 0 && i + 1 < args.size())
        processus = std::max(0, args[i + 1].toInt());
    // A fresh process that opens the picture once (MesuresFroides starts it).
    const bool enfant = args.contains("--enfant-ouverture");

    PlateformeQt plateforme;
    Orvelle o(plateforme, QDir::tempPath().toStdString());

    QWidget fenetre;
    auto* l = new QHBoxLayout(&fenetre);
    auto* zone = new ZoneImage(o);
    zone->setFixedSize(1400, 930);
    l->addWidget(zone);
    auto* cote = new QVBoxLayout;
    auto* vignette = new Vignette(*zone);
    auto* loupe = new Loupe(*zone);
    cote->addWidget(vignette);
    cote->addWidget(loupe);
    cote->addStretch(1);
    l->addLayout(cote);
    loupe->hide();
    fenetre.show();
    QCoreApplication::processEvents();
    VueInitiale(o);
    zone->Actualise();

    bool echec = false;
    zone->surEchecDecodage = [&](const std::string&, const std::string&) { echec = true; };

    // Opening.
    const double base = PicMemoireMo();
    const Ouverture froide = Ouvre(o, *zone, chemin, echec);
    if (echec || froide.complete < 0) {
        std::fprintf(stderr, "orvelle-bench: %s could not be shown\n", chemin.c_str());
        return 1;
    }
    if (enfant) {
        std::printf("premiere %.3f\ncomplete %.3f\nbase %.3f\npic %.3f\ncpu %.3f\n",
                    froide.premiere, froide.complete, base, PicMemoireMo(),
                    froide.processeurPremiere);
        return 0;
    }
    std::vector<double> premieres, completes;
    for (int i = 0; i < repetitions; ++i) {
        const Ouverture r = Ouvre(o, *zone, chemin, echec);
        premieres.push_back(r.premiere);
        completes.push_back(r.complete);
    }
    Affiche("picture_decoded_mb",
            double(zone->TailleImage().width()) * zone->TailleImage().height() * 4 / (1 << 20),
            "MB");
    Affiche("open_to_first_view_ms", Mediane(premieres), "ms");
    Affiche("open_to_full_view_ms", Mediane(completes), "ms");
    Affiche("open_to_first_view_cold_ms", froide.premiere, "ms");
    Affiche("open_to_full_view_cold_ms", froide.complete, "ms");

    // The same with the whole width in view (e = 0): the view reaches the
    // bottom of the picture, so a quarter-size preview is decoded beside it.
    ClicZoom(o, Controle::ZoomMoins);
    ClicZoom(o, Controle::ZoomMoins);
    premieres.clear();
    completes.clear();
    for (int i = 0; i < repetitions; ++i) {
        const Ouverture r = Ouvre(o, *zone, chemin, echec);
        premieres.push_back(r.premiere);
        completes.push_back(r.complete);
    }
    Affiche("open_whole_width_first_view_ms", Mediane(premieres), "ms");
    Affiche("open_whole_width_full_view_ms", Mediane(completes), "ms");
    ClicZoom(o, Controle::Zoom1);
    zone->Actualise();

    // 255 measures on the view: a segment, its two crosses and its number each.
    std::mt19937 hasard(3);
    const int w = static_cast<int>(o.images.vue.LargeurImage()),
              h = static_cast<int>(o.images.vue.HauteurImage());
    std::uniform_int_distribution<int> x(0, w / 2), y(0, h / 2), d(-3000, 3000);
    for (int i = 1; i <= 255; ++i) {
        const PointImage a{x(hasard), y(hasard)};
        const PointImage b{a.x + d(hasard), a.y + d(hasard)};
        o.mesure.marques.AjouteFixe({GenreMarque::Ligne, a, b, 12, {}});
        o.mesure.marques.AjouteFixe({GenreMarque::Croix, a, {}, 12, {}});
        o.mesure.marques.AjouteFixe({GenreMarque::Croix, b, {}, 12, {}});
        o.mesure.marques.AjouteFixe({GenreMarque::Texte, a, {}, 12, std::to_string(i)});
    }
    zone->Actualise();
    zone->repaint();

    // Zoom steps and pans: the view rebuilt with the marks kept, as automatic
    // redraw keeps them; each frame until the box has painted it, the
    // thumbnail with it, as the window's event loop runs them. Enough frames
    // that the 95th percentile is not the third slowest of a few dozen.
    constexpr int ImagesMesurees = 240;
    int peintures = 0;
    zone->surVueDessinee = [&](ZoneImage::Qualite) { ++peintures; };
    auto peint = [&] {
        const int avant = peintures;
        zone->Actualise();
        for (int i = 0; i < 100000 && peintures == avant; ++i) QCoreApplication::processEvents();
    };
    std::vector<double> zooms, pans, zoomsCpu, pansCpu;
    QElapsedTimer t;
    for (int i = 0; i < ImagesMesurees; ++i) {
        t.start();
        const double cpu = TempsProcesseurMs();
        o.images.vue.ZoomBouton(i % 6 < 3 ? 1 : 2);
        ++o.images.versionVue;
        AfficheZoom(o.ui, o.images.vue);
        peint();
        zooms.push_back(t.nsecsElapsed() / 1e6);
        zoomsCpu.push_back(TempsProcesseurMs() - cpu);
    }
    for (int i = 0; i < ImagesMesurees; ++i) {
        t.start();
        const double cpu = TempsProcesseurMs();
        const double k = o.images.vue.ImageParTwip();
        const int pas = (i % 8 < 4 ? 1 : -1) * 1500;
        o.images.vue.FixeOrigine(static_cast<std::int32_t>(o.images.vue.OrigineX() + pas * k),
                                 static_cast<std::int32_t>(o.images.vue.OrigineY() + pas * k));
        ++o.images.versionVue;
        peint();
        pans.push_back(t.nsecsElapsed() / 1e6);
        pansCpu.push_back(TempsProcesseurMs() - cpu);
    }
    Affiche("zoom_step_ms", Mediane(zooms), "ms");
    Affiche("zoom_step_p95_ms", Centile(zooms, 95), "ms");
    Affiche("zoom_step_cpu_ms", Mediane(zoomsCpu), "ms");
    Affiche("pan_frame_ms", Mediane(pans), "ms");
    Affiche("pan_frame_p95_ms", Centile(pans, 95), "ms");
    Affiche("pan_frame_cpu_ms", Mediane(pansCpu), "ms");

    // A segment under way: the pointing draws the rubber band at each move.
    const PointTwips depart{3000, 2500};
    zone->surDeplacement = [&](Qt::MouseButtons, Qt::KeyboardModifiers, PointTwips p) {
        o.mesure.marques.FixeProvisoires({{GenreMarque::Ligne,
                                           o.images.vue.VersImage(depart),
                                           o.images.vue.VersImage(p),
                                           12,
                                           {}}});
    };
    auto mouvements = [&](int n) {
        std::vector<double> v;
        peintures = 0;
        for (int i = 0; i < n; ++i) {
            const QPointF p(400 + (i * 7) % 600, 300 + (i * 5) % 400);
            t.start();
            Deplace(*zone, p, peintures);
            v.push_back(t.nsecsElapsed() / 1e6);
        }
        // Every move must have painted the box, or the figure means nothing.
        if (peintures < n)
            std::fprintf(stderr, "orvelle-bench: %d paints for %d moves\n", peintures, n);
        return Mediane(v);
    };
    Deplace(*zone, {400, 300}, peintures);
    Affiche("rubber_band_frame_ms", mouvements(200), "ms");
    loupe->show();
    QCoreApplication::processEvents();
    Deplace(*zone, {400, 300}, peintures);
    Affiche("magnifier_frame_ms", mouvements(200), "ms");

    const TailleImage taille{zone->TailleImage().width(), zone->TailleImage().height()};
    Affiche("annotate_draw_ms", DessinCopie(o, taille.largeur, taille.hauteur, repetitions), "ms");
    plateforme.FixeImageAffichee([zone](const std::string& c) { return zone->ImageDecodee(c); });
    Affiche("colour_sample_ms", EchantillonCouleur(o, chemin, taille, repetitions), "ms");
    GrilleRelueEtExportee(plateforme, repetitions);
    Affiche("peak_rss_mb", PicMemoireMo(), "MB");

    if (processus > 0) MesuresFroides(args[1], processus, true);
    return 0;
}
