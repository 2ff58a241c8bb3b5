#include "gui/PanneauDistribution.h"

#include "app/CommandesDistribution.h"
#include "base/Nombres.h"
#include "interface/Messages.h"
#include "results/Distribution.h"
#include "results/Statistiques.h"

#include <QAreaSeries>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QScatterSeries>
#include <QScrollArea>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <functional>

namespace orv {

namespace {

// The figure: two charts a row, 180 mm wide (a printed page's text width);
// its unit is the typographic point, so that its fonts keep their size in print.
constexpr double kPointsParMm = 72 / 25.4;
constexpr double kLargeurFigureMm = 180;
constexpr double kHauteurGraphiqueMm = 70;
constexpr int kColonnes = 2;
constexpr int kDpi = 300;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// Statistics labels of the marks: "Moy", "D1", "médiane", "D9".
enum Repere { kMoyenne = 0, kD1 = 8, kMediane = 9, kD9 = 10 };

void Police(QChart* c, int titre, int etiquettes) {
    QFont f = c->titleFont();
    f.setPixelSize(titre);
    f.setBold(true);
    c->setTitleFont(f);
    f.setBold(false);
    f.setPixelSize(etiquettes);
    c->legend()->setFont(f);
    for (QAbstractAxis* a : c->axes()) {
        a->setLabelsFont(f);
        a->setTitleFont(f);
    }
}

// An axis over [bas, haut], attached to the chart and to every series.
QValueAxis* Axe(QChart* c, Qt::Alignment cote, double bas, double haut, const QString& titre) {
    auto* a = new QValueAxis;
    a->setRange(bas, haut);
    a->setTitleText(titre);
    a->setLabelFormat("%g");
    c->addAxis(a, cote);
    for (QAbstractSeries* s : c->series()) s->attachAxis(a);
    return a;
}

QLineSeries* Segment(QChart* c, QPointF a, QPointF b, const QString& nom, const QPen& crayon) {
    auto* s = new QLineSeries;
    s->append(a);
    s->append(b);
    s->setName(nom);
    s->setPen(crayon);
    c->addSeries(s);
    return s;
}

// Bars of the histogram, each drawn with its own edges, and the marks.
QChart* GrapheHistogramme(const Orvelle& o, const Histogramme& h, const QString& titre) {
    auto* c = new QChart;
    c->setTitle(titre + "   N = " + QString::number(h.n));
    auto* aire = new QAreaSeries;
    auto* contour = new QLineSeries(aire);
    int plus = 0;
    for (size_t i = 0; i < h.effectifs.size(); ++i) {
        const double x0 = h.debut + h.largeur * static_cast<double>(i), x1 = x0 + h.largeur;
        const int n = h.effectifs[i];
        *contour << QPointF(x0, 0) << QPointF(x0, n) << QPointF(x1, n) << QPointF(x1, 0);
        plus = std::max(plus, n);
    }
    aire->setUpperSeries(contour);
    aire->setBrush(QColor(150, 185, 225));
    aire->setPen(QPen(QColor(40, 70, 120), 1));
    c->addSeries(aire);

    // Counts on whole ticks of 1, 2, 5, 10... five or so up the axis, room above the highest.
    int pas = 1;
    for (int d = 1; pas * 5 < plus; d *= 10)
        for (int m : {1, 2, 5})
            if (pas * 5 < plus) pas = m * d;
    const int pasAuDessus = plus / pas + 1; // whole steps, room above the highest
    const double haut = pas * pasAuDessus;
    const auto libelle = [&](int k) { return Q(LibelleStatistique(o.textes, k)); };
    const struct {
        double x;
        int libelle;
        QPen crayon;
    } reperes[] = {{h.moyenne, kMoyenne, QPen(QColor(200, 30, 30), 2)},
                   {h.mediane, kMediane, QPen(QColor(20, 120, 20), 2, Qt::DashLine)},
                   {h.d1, kD1, QPen(QColor(90, 90, 90), 1.5, Qt::DotLine)},
                   {h.d9, kD9, QPen(QColor(90, 90, 90), 1.5, Qt::DotLine)}};
    double gauche = h.debut, droite = h.debut + h.largeur * static_cast<double>(h.effectifs.size());
    for (const auto& r : reperes) {
        // No deciles below 11 values: nothing to mark.
        if (h.n == 0 || r.x <= 0) continue;
        Segment(c, {r.x, 0}, {r.x, haut}, libelle(r.libelle), r.crayon);
        gauche = std::min(gauche, r.x);
        droite = std::max(droite, r.x);
    }
    if (droite <= gauche) droite = gauche + 1;
    Axe(c, Qt::AlignBottom, gauche, droite, titre)->applyNiceNumbers();
    auto* y = Axe(c, Qt::AlignLeft, 0, haut, Q(o.textes.Mnu(mnu::Effectif)));
    y->setLabelFormat("%d");
    y->setTickCount(static_cast<int>(haut) / pas + 1);
    c->legend()->markers(aire).first()->setVisible(false);
    c->legend()->setAlignment(Qt::AlignBottom);
    return c;
}

QChart* GrapheNuage(const Orvelle& o, const std::vector<std::pair<double, double>>& points) {
    const auto& g = o.mesure.GrilleRef;
    auto* c = new QChart;
    c->setTitle(Q(o.textes.Mnu(mnu::NuageLongueurLargeur)) +
                "   N = " + QString::number(points.size()));
    auto* nuage = new QScatterSeries;
    nuage->setMarkerSize(6);
    nuage->setColor(QColor(40, 70, 120));
    double x0 = 1e300, x1 = 0, y0 = 1e300, y1 = 0;
    for (auto [l, w] : points) {
        nuage->append(l, w);
        x0 = std::min(x0, l), x1 = std::max(x1, l), y0 = std::min(y0, w), y1 = std::max(y1, w);
    }
    if (points.empty()) x0 = y0 = 0, x1 = y1 = 1;
    // A margin round the points.
    const auto marge = [](double& bas, double& haut) {
        const double m = std::max((haut - bas) * 0.08, 0.05 * std::max(haut, 1.0));
        bas = std::max(0.0, bas - m), haut += m;
    };
    marge(x0, x1);
    marge(y0, y1);
    c->addSeries(nuage);
    // Round numbers on the axes; the lines run from one edge to the other.
    auto* ax = Axe(c, Qt::AlignBottom, x0, x1, Q(g.Texte(0, 1)));
    auto* ay = Axe(c, Qt::AlignLeft, y0, y1, Q(g.Texte(0, 2)));
    ax->applyNiceNumbers();
    ay->applyNiceNumbers();
    x0 = ax->min(), x1 = ax->max();
    const char sep = o.ui.Sep();
    const struct {
        double q;
        QColor couleur;
    } rapports[] = {{1, QColor(200, 30, 30)}, {1.5, QColor(20, 120, 20)}, {2, QColor(200, 120, 0)}};
    for (const auto& r : rapports) {
        QLineSeries* s =
            Segment(c, {x0, x0 / r.q}, {x1, x1 / r.q}, "Q = " + Q(TexteNombre(r.q, sep)),
                    QPen(r.couleur, 1.2, Qt::DashLine));
        s->attachAxis(ax);
        s->attachAxis(ay);
    }
    c->legend()->markers(nuage).first()->setVisible(false);
    c->legend()->setAlignment(Qt::AlignBottom);
    return c;
}

// Every chart of the function in use, newly made.
std::vector<QChart*> Graphes(const Orvelle& o) {
    std::vector<QChart*> v;
    for (int c : ColonnesDistribution(o.mesure))
        v.push_back(GrapheHistogramme(o, DistributionColonne(o.mesure, c),
                                      Q(o.mesure.GrilleRef.Texte(0, c))));
    if (o.mesure.NumFonction == fonction::Spores2D || o.mesure.NumFonction == fonction::Spores3D)
        v.push_back(GrapheNuage(o, PointsLongueurLargeur(o.mesure)));
    return v;
}

// The charts laid out on a page in points, drawn by `dessine` on a painter.
void Figure(const Orvelle& o, QSizeF& taille, const std::function<void(QGraphicsScene&)>& dessine) {
    QGraphicsScene scene;
    const std::vector<QChart*> graphes = Graphes(o);
    const double l = kLargeurFigureMm * kPointsParMm / kColonnes;
    const double h = kHauteurGraphiqueMm * kPointsParMm;
    const int lignes = std::max(1, (static_cast<int>(graphes.size()) + kColonnes - 1) / kColonnes);
    taille = QSizeF(l * kColonnes, h * lignes);
    for (size_t i = 0; i < graphes.size(); ++i) {
        QChart* c = graphes[i];
        Police(c, 10, 7);
        c->setMargins(QMargins(2, 2, 2, 2));
        c->setBackgroundRoundness(0);
        scene.addItem(c); // the scene owns it
        const auto k = static_cast<int>(i);
        const int rangee = k / kColonnes;
        c->setGeometry(QRectF((k % kColonnes) * l, rangee * h, l, h));
        if (c->layout()) c->layout()->activate();
    }
    scene.setSceneRect(QRectF(QPointF(0, 0), taille));
    scene.setBackgroundBrush(Qt::white);
    dessine(scene);
}

} // namespace

PanneauDistribution::PanneauDistribution(Orvelle& o, QWidget* parent) : QWidget(parent), o_(o) {
    setObjectName("PanneauDistribution");
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(2, 2, 2, 2);
    auto* boutons = new QHBoxLayout;
    png_ = new QPushButton(this);
    svg_ = new QPushButton(this);
    for (auto* b : {png_, svg_}) boutons->addWidget(b);
    boutons->addStretch(1);
    l->addLayout(boutons);
    connect(png_, &QPushButton::clicked, this, [this] { Exporte(true); });
    connect(svg_, &QPushButton::clicked, this, [this] { Exporte(false); });
    auto* defile = new QScrollArea(this);
    defile->setWidgetResizable(true);
    auto* contenu = new QWidget;
    grille_ = new QGridLayout(contenu);
    grille_->setContentsMargins(0, 0, 0, 0);
    defile->setWidget(contenu);
    l->addWidget(defile, 1);
    Legendes();
}

void PanneauDistribution::Legendes() {
    png_->setText(Q(o_.textes.Mnu(mnu::ExporterPNG)));
    svg_->setText(Q(o_.textes.Mnu(mnu::ExporterSVG)));
}

void PanneauDistribution::Actualise() {
    Legendes();
    // What the charts show: the function, the headers and the values.
    const auto& g = o_.mesure.GrilleRef;
    std::string s = std::to_string(o_.mesure.NumFonction) + ";" + o_.textes.Mnu(mnu::Effectif);
    const int derniere = std::min(o_.mesure.LigneCourante - 1, g.Lignes() - 1);
    for (int r = 0; r <= derniere; ++r)
        for (int c = 0; c <= o_.mesure.NbColStat && c < g.Colonnes(); ++c) s += g.Texte(r, c) + ";";
    if (s == signature_) return;
    signature_ = s;
    Reconstruit();
}

void PanneauDistribution::Reconstruit() {
    for (QWidget* v : vues_) delete v;
    vues_.clear();
    const std::vector<QChart*> graphes = Graphes(o_);
    for (size_t i = 0; i < graphes.size(); ++i) {
        graphes[i]->setMargins(QMargins(4, 4, 4, 4));
        graphes[i]->setBackgroundRoundness(0);
        auto* vue = new QChartView(graphes[i]); // the view owns its chart
        vue->setRenderHint(QPainter::Antialiasing);
        vue->setMinimumSize(320, 250);
        // One chart a row: the panel is narrow beside the grid.
        grille_->addWidget(vue, static_cast<int>(i), 0);
        vues_.push_back(vue);
    }
}

QByteArray PanneauDistribution::FigurePNG() const {
    QByteArray octets;
    QSizeF taille;
    Figure(o_, taille, [&](QGraphicsScene& scene) {
        const double echelle = kDpi / 72.0;
        QImage image((taille * echelle).toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setDotsPerMeterX(qRound(kDpi / 0.0254));
        image.setDotsPerMeterY(qRound(kDpi / 0.0254));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        scene.render(&p, QRectF(QPointF(0, 0), taille * echelle), scene.sceneRect());
        p.end();
        QBuffer tampon(&octets);
        tampon.open(QIODevice::WriteOnly);
        image.save(&tampon, "PNG");
    });
    return octets;
}

QByteArray PanneauDistribution::FigureSVG() const {
    QByteArray octets;
    QSizeF taille;
    Figure(o_, taille, [&](QGraphicsScene& scene) {
        QBuffer tampon(&octets);
        QSvgGenerator svg;
        svg.setOutputDevice(&tampon);
        // One unit a point: the width comes out in millimetres of print.
        svg.setResolution(72);
        svg.setSize(taille.toSize());
        svg.setViewBox(QRectF(QPointF(0, 0), taille));
        svg.setTitle(Q(o_.controles.Texte(Controle::Histogrammes)));
        QPainter p(&svg);
        scene.render(&p, QRectF(QPointF(0, 0), taille), scene.sceneRect());
    });
    return octets;
}

void PanneauDistribution::Exporte(bool png) {
    ExporteGraphique(o_, png ? FormatGraphique::PNG : FormatGraphique::SVG, [this, png] {
        const QByteArray b = png ? FigurePNG() : FigureSVG();
        return std::string(b.constData(), static_cast<size_t>(b.size()));
    });
}

} // namespace orv
