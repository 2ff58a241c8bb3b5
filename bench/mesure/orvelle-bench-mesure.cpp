// orvelle-bench-mesure [--rapide | --ecrit DIR]: measuring from the picture as the window
// does it. One figure a line, "name value unit":
//  - the snap against the hand, on made fields (tests/synthese): drags along
//    each lone spore's axes whose ends the hand put off the outline by a
//    Gaussian error of sigma 0.5 to 3 pixels, the length's error without and
//    with the snap; and drags whose ends lie in the plain medium, how often
//    the snap moved one;
//  - the window's own path (a real main window, offscreen): the time from a
//    mouse release to the view painted again, for a snapped drag and for one
//    click, and the time from the click that starts a search to its review
//    shown, on the sample spores and on a 12-megapixel made field
//    (ORVELLE_BENCH_FENETRE=1: these alone; ORVELLE_BENCH_DETAIL=1: every
//    click's time too).
// Figures, never verdicts.
#include "SyntheseSpores.h"

#include "app/CommandesImages.h"
#include "app/Fenetre.h"
#include "app/MesureAuto.h"
#include "contour/Accroche.h"
#include "gui/FenetrePrincipale.h"
#include "gui/PlateformeQt.h"
#include "gui/ZoneImage.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <random>
#include <string>
#include <vector>

using namespace orv;
using Horloge = std::chrono::steady_clock;

namespace {

void Affiche(const std::string& nom, double valeur, const char* unite) {
    std::printf("%s %.3f %s\n", nom.c_str(), valeur, unite);
    std::fflush(stdout);
}

double Ms(Horloge::time_point debut) {
    return std::chrono::duration<double, std::milli>(Horloge::now() - debut).count();
}

double Quantile(std::vector<double> v, double q) {
    if (v.empty()) return NAN;
    for (double& x : v) x = std::abs(x);
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(q * static_cast<double>(v.size())))];
}

contour::VuePixels Vue(const synthese::ImageRVB& im) {
    return {im.pixels.data(), im.largeur, im.hauteur, im.largeur};
}

// The snap against the hand. For each lone spore and each axis, the hand's
// ends lie off the outline seen by N(0, sigma) along the axis.
void AccrocheContreMain(bool rapide, int jpeg, double portee) {
    const std::vector<double> sigmas = {0.5, 1, 2, 3, 5};
    contour::OptionsAccroche opt;
    opt.portee = portee;
    std::vector<std::vector<double>> main(sigmas.size()), accroche(sigmas.size());
    std::vector<int> bougent(sigmas.size()), bouts(sigmas.size()), pires(sigmas.size());
    const unsigned graines = rapide ? 2 : 6;
    for (unsigned g = 1; g <= graines; ++g) {
        synthese::ParametresChamp p;
        p.graine = g;
        p.qualiteJpeg = jpeg;
        const synthese::Champ c = synthese::GenereChamp(p);
        if (g == 1)
            std::printf("# field: %s (x%u seeds)\n", synthese::DecritChamp(c.parametres).c_str(),
                        graines);
        std::mt19937 alea(g);
        for (const auto& s : c.spores) {
            if (!s.Seule()) continue;
            for (int axe = 0; axe < 2; ++axe) {
                const double t = (s.angle + 90.0 * axe) * std::numbers::pi / 180;
                const double ux = std::cos(t), uy = std::sin(t);
                const double demi = (axe == 0 ? s.longueur : s.largeur) / 2;
                for (std::size_t k = 0; k < sigmas.size(); ++k) {
                    std::normal_distribution<double> e(0, sigmas[k]);
                    const double e0 = e(alea), e1 = e(alea);
                    const contour::Point a{s.x - (demi + e0) * ux, s.y - (demi + e0) * uy};
                    const contour::Point b{s.x + (demi + e1) * ux, s.y + (demi + e1) * uy};
                    const auto r = contour::AccrocheBord(Vue(c.image), a, b, opt);
                    const double vrai = 2 * demi;
                    const double mainErr = std::hypot(b.x - a.x, b.y - a.y) - vrai;
                    const double accErr = std::hypot(r.p1.x - r.p0.x, r.p1.y - r.p0.y) - vrai;
                    main[k].push_back(mainErr);
                    accroche[k].push_back(accErr);
                    bougent[k] += r.p0Deplace + r.p1Deplace;
                    bouts[k] += 2;
                    pires[k] += std::abs(accErr) > std::abs(mainErr) + 0.5;
                }
            }
        }
    }
    const std::string n = (jpeg ? "snap_jpeg" + std::to_string(jpeg) : std::string("snap")) +
                          "_reach" + std::to_string(static_cast<int>(portee));
    for (std::size_t k = 0; k < sigmas.size(); ++k) {
        char s[32];
        std::snprintf(s, sizeof s, "_sigma%.1f", sigmas[k]);
        Affiche(n + s + "_hand_error_median", Quantile(main[k], 0.5), "px");
        Affiche(n + s + "_hand_error_p90", Quantile(main[k], 0.9), "px");
        Affiche(n + s + "_snapped_error_median", Quantile(accroche[k], 0.5), "px");
        Affiche(n + s + "_snapped_error_p90", Quantile(accroche[k], 0.9), "px");
        Affiche(n + s + "_ends_moved", static_cast<double>(bougent[k]) / bouts[k], "");
        Affiche(n + s + "_worse_by_half_a_pixel",
                static_cast<double>(pires[k]) / static_cast<double>(main[k].size()), "");
    }
}

// Drags in the plain medium of a field without specks or hypha: ends at
// least the reach and 4 pixels from every spore's outline.
void AccrocheDansLeVide(double portee) {
    synthese::ParametresChamp p;
    p.debris = 0;
    p.hyphe = false;
    const synthese::Champ c = synthese::GenereChamp(p);
    std::mt19937 alea(11);
    std::uniform_real_distribution<double> x(0, p.largeur), y(0, p.hauteur), l(30, 120), t(0, 6.3);
    auto libre = [&](contour::Point q) {
        const double m = portee + 4;
        if (q.x < m || q.y < m || q.x > p.largeur - m || q.y > p.hauteur - m) return false;
        for (const auto& s : c.spores)
            if (std::hypot(q.x - s.x, q.y - s.y) < s.longueur / 2 + portee + 4) return false;
        return true;
    };
    int bouts = 0, bougent = 0;
    while (bouts < 2000) {
        const contour::Point a{x(alea), y(alea)};
        const double lg = l(alea), an = t(alea);
        const contour::Point b{a.x + lg * std::cos(an), a.y + lg * std::sin(an)};
        if (!libre(a) || !libre(b)) continue;
        contour::OptionsAccroche opt;
        opt.portee = portee;
        const auto r = contour::AccrocheBord(Vue(c.image), a, b, opt);
        bouts += 2;
        bougent += r.p0Deplace + r.p1Deplace;
    }
    Affiche("snap_reach" + std::to_string(static_cast<int>(portee)) + "_plain_medium_ends_moved",
            static_cast<double>(bougent) / bouts, "");
}

// The window, offscreen, on a picture file; its image box once the picture
// is wholly decoded.
struct Fenetre {
    QTemporaryDir dossier;
    PlateformeQt plateforme;
    Orvelle o{plateforme, dossier.path().toStdString()};
    FenetrePrincipale f{o, plateforme};
    explicit Fenetre(const std::string& image) {
        Demarrage(o);
        f.resize(1400, 900);
        f.show();
        Activation(o);
        f.Clique(Controle::BienvenueOK);
        OuvreCheminImage(o, image);
        f.Actualise();
        const auto t0 = Horloge::now();
        while (!plateforme.PixelsAffiches(o.images.cheminImage) && Ms(t0) < 60000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        QApplication::processEvents();
    }
    QPointF Ecran(double x, double y) const {
        const orv::Vue& v = o.images.vue;
        return {v.VersBoiteX(x * UnitesImageParPixel) / TwipsParPixelEcran,
                v.VersBoiteY(y * UnitesImageParPixel) / TwipsParPixelEcran};
    }
    void Souris(QEvent::Type genre, QPointF p, Qt::MouseButtons boutons) {
        ZoneImage* z = f.Image();
        QMouseEvent e(genre, p, z->mapToGlobal(p), Qt::LeftButton, boutons, Qt::NoModifier);
        QApplication::sendEvent(z, &e);
    }
    // From the release to the view painted again, milliseconds.
    double Glisse(QPointF a, QPointF b) {
        Souris(QEvent::MouseButtonPress, a, Qt::LeftButton);
        Souris(QEvent::MouseMove, (a + b) / 2, Qt::LeftButton);
        Souris(QEvent::MouseMove, b, Qt::LeftButton);
        QApplication::processEvents();
        const auto t0 = Horloge::now();
        Souris(QEvent::MouseButtonRelease, b, Qt::NoButton);
        f.Image()->repaint();
        return Ms(t0);
    }
    // From the click starting the search to the review drawn, milliseconds.
    double ChercheTout() {
        f.Clique(Controle::TrouveSpores);
        const QPointF p = Ecran(5, 5);
        Souris(QEvent::MouseButtonPress, p, Qt::LeftButton);
        const auto t0 = Horloge::now();
        Souris(QEvent::MouseButtonRelease, p, Qt::NoButton);
        while (o.mesureAuto.phase == EtatMesureAuto::Phase::Recherche && Ms(t0) < 120000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        f.Image()->repaint();
        const double t = Ms(t0);
        AbandonneMesureAuto(o);
        f.Actualise();
        return t;
    }
};

struct SporeExemple {
    double x, y, longueur, largeur, angle; // pixels, degrees
};

// data/exemples/spores.png, as LISEZMOI.txt gives it (micrometres x 10).
const SporeExemple kExemples[] = {
    {230, 220, 100, 50, 0},   {610, 220, 120, 60, 30},  {990, 220, 80, 40, -20},
    {1370, 220, 90, 60, 75},  {230, 580, 110, 55, -45}, {610, 580, 140, 70, 10},
    {990, 580, 70, 70, 0},    {1370, 580, 120, 50, 60}, {230, 940, 95, 50, -70},
    {610, 940, 130, 65, 100}, {990, 940, 100, 40, 135}, {1370, 940, 150, 80, -15}};

void Fenetres(const std::string& exemple, bool rapide) {
    {
        Fenetre w(exemple);
        std::vector<double> accroche, clic;
        for (int tour = 0; tour < (rapide ? 1 : 3); ++tour)
            for (const SporeExemple& s : kExemples) {
                const double t = s.angle * std::numbers::pi / 180;
                const double d = s.longueur / 2 + 2;
                accroche.push_back(w.Glisse(w.Ecran(s.x - d * std::cos(t), s.y - d * std::sin(t)),
                                            w.Ecran(s.x + d * std::cos(t), s.y + d * std::sin(t))));
            }
        w.f.Clique(Controle::FonctionUnClic);
        for (int tour = 0; tour < (rapide ? 1 : 3); ++tour)
            for (const SporeExemple& s : kExemples) {
                const QPointF p = w.Ecran(s.x + 3, s.y - 2);
                clic.push_back(w.Glisse(p, p));
            }
        Affiche("window_snapped_drag_median", Quantile(accroche, 0.5), "ms");
        Affiche("window_snapped_drag_p90", Quantile(accroche, 0.9), "ms");
        Affiche("window_snapped_drag_max", Quantile(accroche, 1), "ms");
        Affiche("window_one_click_median", Quantile(clic, 0.5), "ms");
        Affiche("window_one_click_p90", Quantile(clic, 0.9), "ms");
        Affiche("window_one_click_max", Quantile(clic, 1), "ms");
        if (std::getenv("ORVELLE_BENCH_DETAIL"))
            for (double t : clic) std::printf("# one click %.2f ms\n", t);
        std::vector<double> tout;
        for (int k = 0; k < 3; ++k) tout.push_back(w.ChercheTout());
        Affiche("window_find_all_sample_1600x1200", Quantile(tout, 0.5), "ms");
    }
    synthese::ParametresChamp p;
    p.largeur = 4000;
    p.hauteur = 3000;
    p.seules = 150;
    p.paires = 12;
    p.amas = 4;
    p.coupees = 8;
    p.floues = 6;
    p.debris = 40;
    const synthese::Champ c = synthese::GenereChamp(p);
    std::printf("# field: %s\n", synthese::DecritChamp(c.parametres).c_str());
    QTemporaryDir d;
    const std::string png = (d.path() + "/champ12mp.png").toStdString();
    QImage im(reinterpret_cast<const uchar*>(c.image.pixels.data()), c.image.largeur,
              c.image.hauteur, c.image.largeur * 4, QImage::Format_RGB32);
    im.save(QString::fromStdString(png));
    Fenetre w(png);
    std::vector<double> tout;
    for (int k = 0; k < (rapide ? 1 : 3); ++k) tout.push_back(w.ChercheTout());
    Affiche("window_find_all_12mp", Quantile(tout, 0.5), "ms");
}

// The machine's load, for reading the times (the window's are wall times).
void Charge() {
    if (FILE* f = std::fopen("/proc/loadavg", "r")) {
        char ligne[128] = {};
        if (std::fgets(ligne, sizeof ligne, f)) std::printf("# load average: %s", ligne);
        std::fclose(f);
    }
}

} // namespace

// --ecrit DIR: a made field of 2400 x 1800 pixels as PNG and as JPEG
// (quality 85) in DIR, to look at them in the window by hand.
int Ecrit(const std::string& dossier) {
    synthese::ParametresChamp p;
    p.largeur = 2400;
    p.hauteur = 1800;
    p.seules = 50;
    p.debris = 14;
    const synthese::Champ c = synthese::GenereChamp(p);
    std::printf("# field: %s\n", synthese::DecritChamp(c.parametres).c_str());
    const QImage im(reinterpret_cast<const uchar*>(c.image.pixels.data()), c.image.largeur,
                    c.image.hauteur, c.image.largeur * 4, QImage::Format_RGB32);
    const bool png = im.save(QString::fromStdString(dossier + "/champ.png"));
    const bool jpg =
        synthese::EcritOctets(synthese::EncodeJpeg(c.image, 85), dossier + "/champ.jpg");
    return png && jpg ? 0 : 1;
}

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 2 && std::strcmp(argv[1], "--ecrit") == 0) return Ecrit(argv[2]);
    const bool rapide = argc > 1 && std::strcmp(argv[1], "--rapide") == 0;
    if (!std::getenv("ORVELLE_BENCH_FENETRE")) {
        for (const double portee : {4.0, 8.0, 12.0}) {
            AccrocheContreMain(rapide, 0, portee);
            AccrocheContreMain(rapide, 85, portee);
            AccrocheDansLeVide(portee);
        }
    }
    Charge();
    Fenetres(ORVELLE_DATA_DIR "/exemples/spores.png", rapide);
    Charge();
    return 0;
}
