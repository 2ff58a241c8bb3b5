// Draws the sample pictures shipped in data/exemples: spores of known sizes, a
// stage micrometer at the same scale, and the default picture shown while no
// image is loaded. Shapes are drawn by 4 x 4 supersampling at exact positions,
// then softened by a small Gaussian blur; texts are drawn by Qt afterwards.
// Scale of both photographs: 0.1 micrometre per image pixel (10 px per um).
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kLargeur = 1600;
constexpr int kHauteur = 1200;
constexpr double kPixelsParMicron = 10.0;
constexpr double kPi = 3.14159265358979323846;

struct Rvb {
    double r = 0, g = 0, b = 0;
};

class Toile {
public:
    Toile(int l, int h) : l_(l), h_(h), px_(static_cast<size_t>(l) * h) {}
    Rvb& At(int x, int y) { return px_[static_cast<size_t>(y) * l_ + x]; }
    int L() const { return l_; }
    int H() const { return h_; }

    // Fills every pixel whose samples fall inside a shape: `couleur(x, y)`
    // gives the colour of a sample point, or nothing outside the shape.
    void Forme(double x0, double y0, double x1, double y1,
               const std::function<bool(double, double, Rvb&)>& couleur) {
        constexpr int n = 4;
        for (int y = std::max(0, int(std::floor(y0))); y < std::min(h_, int(std::ceil(y1)) + 1);
             ++y)
            for (int x = std::max(0, int(std::floor(x0))); x < std::min(l_, int(std::ceil(x1)) + 1);
                 ++x) {
                Rvb somme;
                int dedans = 0;
                for (int j = 0; j < n; ++j)
                    for (int i = 0; i < n; ++i) {
                        Rvb c;
                        if (couleur(x + (i + 0.5) / n, y + (j + 0.5) / n, c)) {
                            somme.r += c.r, somme.g += c.g, somme.b += c.b;
                            ++dedans;
                        }
                    }
                if (!dedans) continue;
                Rvb& p = At(x, y);
                const double f = double(dedans) / (n * n);
                p.r = p.r * (1 - f) + somme.r / (n * n);
                p.g = p.g * (1 - f) + somme.g / (n * n);
                p.b = p.b * (1 - f) + somme.b / (n * n);
            }
    }

    // A rectangle with exact edges, in one colour.
    void Rectangle(double x0, double y0, double x1, double y1, Rvb c) {
        Forme(x0, y0, x1, y1, [&](double x, double y, Rvb& s) {
            if (x < x0 || x > x1 || y < y0 || y > y1) return false;
            s = c;
            return true;
        });
    }

    // Separable Gaussian blur.
    void Flou(double sigma) {
        const int r = int(std::ceil(3 * sigma));
        std::vector<double> k(2 * r + 1);
        double total = 0;
        for (int i = -r; i <= r; ++i) total += k[i + r] = std::exp(-i * i / (2 * sigma * sigma));
        for (auto& v : k) v /= total;
        std::vector<Rvb> tmp(px_.size());
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < l_; ++x) {
                Rvb s;
                for (int i = -r; i <= r; ++i) {
                    const Rvb& p = px_[size_t(y) * l_ + std::clamp(x + i, 0, l_ - 1)];
                    s.r += p.r * k[i + r], s.g += p.g * k[i + r], s.b += p.b * k[i + r];
                }
                tmp[size_t(y) * l_ + x] = s;
            }
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < l_; ++x) {
                Rvb s;
                for (int i = -r; i <= r; ++i) {
                    const Rvb& p = tmp[size_t(std::clamp(y + i, 0, h_ - 1)) * l_ + x];
                    s.r += p.r * k[i + r], s.g += p.g * k[i + r], s.b += p.b * k[i + r];
                }
                px_[size_t(y) * l_ + x] = s;
            }
    }

    QImage Image() const {
        QImage im(l_, h_, QImage::Format_RGB32);
        auto octet = [](double v) { return int(std::lround(std::clamp(v, 0.0, 255.0))); };
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < l_; ++x) {
                const Rvb& p = px_[size_t(y) * l_ + x];
                im.setPixel(x, y, qRgb(octet(p.r), octet(p.g), octet(p.b)));
            }
        return im;
    }

private:
    int l_, h_;
    std::vector<Rvb> px_;
};

// A light microscope background: even in the middle, a little darker at the corners.
void Fond(Toile& t, Rvb centre, double assombrissement) {
    const double cx = t.L() / 2.0, cy = t.H() / 2.0, rmax = std::hypot(cx, cy);
    for (int y = 0; y < t.H(); ++y)
        for (int x = 0; x < t.L(); ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy) / rmax;
            const double f = 1 - assombrissement * d * d;
            t.At(x, y) = {centre.r * f, centre.g * f, centre.b * f};
        }
}

struct Spore {
    int numero;
    double longueur, largeur; // micrometres, outer edge of the wall
    double angle;             // degrees, long axis from the horizontal
    double cx, cy;            // pixels
};

// An ellipsoid spore: a dark wall whose outer edge is exactly the stated size,
// a pale body and an oil drop in the middle.
void DessineSpore(Toile& t, const Spore& s) {
    const double a = s.longueur * kPixelsParMicron / 2, b = s.largeur * kPixelsParMicron / 2;
    const double c = std::cos(s.angle * kPi / 180), si = std::sin(s.angle * kPi / 180);
    const double paroi = 0.6 * kPixelsParMicron; // 0.6 um wall
    const Rvb couleurParoi{88, 72, 52}, corps{204, 188, 140}, goutte{232, 224, 188};
    t.Forme(s.cx - a - 2, s.cy - a - 2, s.cx + a + 2, s.cy + a + 2,
            [&](double x, double y, Rvb& out) {
                const double dx = x - s.cx, dy = y - s.cy;
                const double u = dx * c + dy * si, v = -dx * si + dy * c;
                const double rho = std::hypot(u / a, v / b);
                if (rho > 1) return false;
                // Inner edge of the wall: the ellipse shrunk by the wall's thickness.
                const double rhoInterieur = std::hypot(u / (a - paroi), v / (b - paroi));
                if (rhoInterieur > 1) {
                    out = couleurParoi;
                } else if (std::hypot(u, v) < 0.35 * b) {
                    out = goutte;
                } else {
                    const double ombre = 0.85 + 0.15 * (1 - rhoInterieur);
                    out = {corps.r * ombre, corps.g * ombre, corps.b * ombre};
                }
                return true;
            });
}

QFont Police(int pixels, bool gras = false) {
    QFont f("DejaVu Sans");
    f.setPixelSize(pixels);
    f.setBold(gras);
    return f;
}

QImage Spores() {
    Toile t(kLargeur, kHauteur);
    Fond(t, {226, 229, 222}, 0.10);
    const std::array<Spore, 12> spores = {{{1, 10, 5, 0, 230, 220},
                                           {2, 12, 6, 30, 610, 220},
                                           {3, 8, 4, -20, 990, 220},
                                           {4, 9, 6, 75, 1370, 220},
                                           {5, 11, 5.5, -45, 230, 580},
                                           {6, 14, 7, 10, 610, 580},
                                           {7, 7, 7, 0, 990, 580},
                                           {8, 12, 5, 60, 1370, 580},
                                           {9, 9.5, 5, -70, 230, 940},
                                           {10, 13, 6.5, 100, 610, 940},
                                           {11, 10, 4, 135, 990, 940},
                                           {12, 15, 8, -15, 1370, 940}}};
    for (const auto& s : spores) DessineSpore(t, s);
    // Scale bar: 10 um = 100 pixels, 6 pixels thick.
    t.Rectangle(1400, 1130, 1500, 1136, {20, 20, 20});
    t.Flou(1.2);
    QImage im = t.Image();
    QPainter p(&im);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QColor(70, 70, 70));
    p.setFont(Police(22));
    for (const auto& s : spores)
        p.drawText(QPointF(s.cx - 165, s.cy - 125), QString::number(s.numero));
    p.setPen(QColor(20, 20, 20));
    p.setFont(Police(24, true));
    p.drawText(QRectF(1350, 1085, 200, 36), Qt::AlignCenter, QString::fromUtf8("10 µm"));
    return im;
}

QImage Micrometre() {
    Toile t(kLargeur, kHauteur);
    Fond(t, {236, 234, 220}, 0.12);
    const Rvb encre{25, 25, 30};
    constexpr double base = 640, debut = 150, pas = 10 * kPixelsParMicron; // 0.01 mm
    constexpr int divisions = 13;
    constexpr double epaisseur = 4;
    t.Rectangle(debut - epaisseur / 2, base - epaisseur / 2,
                debut + divisions * pas + epaisseur / 2, base + epaisseur / 2, encre);
    for (int i = 0; i <= divisions; ++i) {
        const double x = debut + i * pas;
        const double hauteur = i % 10 == 0 ? 150 : i % 5 == 0 ? 100 : 65;
        t.Rectangle(x - epaisseur / 2, base - hauteur, x + epaisseur / 2, base, encre);
    }
    t.Flou(1.2);
    QImage im = t.Image();
    QPainter p(&im);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QColor(25, 25, 30));
    p.setFont(Police(34, true));
    for (int i = 0; i <= divisions; i += 10)
        p.drawText(QRectF(debut + i * pas - 60, base - 210, 120, 44), Qt::AlignCenter,
                   QString::number(i));
    p.setFont(Police(26));
    p.drawText(QRectF(0, 780, kLargeur, 40), Qt::AlignCenter,
               QString::fromUtf8("Micromètre objet : 1 division = 0,01 mm (10 µm)"));
    return im;
}

// The picture shown while no image is loaded, with its three lines of help in
// one of the program's languages.
struct TextesDefaut {
    const char* suffixe; // "" for French, "_en"...
    const char* aucune;
    const char* menu;
    const char* exemples;
};
const TextesDefaut kTextesDefaut[] = {
    {"", "Aucune image chargée", "Menu fichiers > Ouvrir Image pour ouvrir une photo de microscope",
     "Exemples : spores.png et micrometre.png (0,1 µm par pixel)"},
    {"_en", "No image loaded", "File > Open image to open a microscope photograph",
     "Samples: spores.png and micrometre.png (0.1 µm per pixel)"},
    {"_de", "Kein Bild geladen", "Datei > Bild öffnen, um ein Mikroskopfoto zu öffnen",
     "Beispiele: spores.png und micrometre.png (0,1 µm pro Pixel)"},
    {"_it", "Nessuna immagine caricata", "File > Apri immagine per aprire una foto al microscopio",
     "Esempi: spores.png e micrometre.png (0,1 µm per pixel)"},
    {"_es", "Ninguna imagen cargada", "Archivo > Abrir imagen para abrir una foto de microscopio",
     "Ejemplos: spores.png y micrometre.png (0,1 µm por píxel)"},
};

QImage Defaut(const TextesDefaut& textes) {
    Toile t(kLargeur, kHauteur);
    Fond(t, {214, 220, 226}, 0.18);
    QImage im = t.Image();
    QPainter p(&im);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QColor(40, 50, 70));
    p.setFont(Police(96, true));
    p.drawText(QRectF(0, 380, kLargeur, 130), Qt::AlignCenter, "Orvelle");
    p.setFont(Police(36));
    p.drawText(QRectF(0, 560, kLargeur, 60), Qt::AlignCenter, QString::fromUtf8(textes.aucune));
    p.setFont(Police(30));
    p.drawText(QRectF(0, 650, kLargeur, 50), Qt::AlignCenter, QString::fromUtf8(textes.menu));
    p.drawText(QRectF(0, 710, kLargeur, 50), Qt::AlignCenter, QString::fromUtf8(textes.exemples));
    return im;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString dossier = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("data/exemples");
    bool ok = Spores().save(dossier + "/spores.png", "PNG", 9);
    ok = Micrometre().save(dossier + "/micrometre.png", "PNG", 9) && ok;
    for (const TextesDefaut& t : kTextesDefaut)
        ok = Defaut(t).save(dossier + "/defaut" + t.suffixe + ".png", "PNG", 9) && ok;
    if (!ok)
        std::fprintf(stderr, "GenereExemples: écriture impossible dans %s\n",
                     dossier.toLocal8Bit().constData());
    return ok ? 0 : 1;
}
