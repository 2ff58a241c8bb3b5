// The calibration by the graduations' period, as a user goes through it: a
// segment dragged along a made micrometer, the divisions found shown and
// marked, the value of one division typed; the factor is the truth's to what
// a hundredth of a pixel of period allows, and the divisions measured
// afterwards read their length back, in both resolution modes. Refusals and
// "Annule" leave the factor as it was.
#include "SessionCalibrage.h"
#include "SyntheseMicrometre.h"
#include "base/Nombres.h"
#include "interface/Messages.h"

#include <algorithm>
#include <cmath>

namespace orv::test {
namespace {

struct Echelle {
    double periode, inclinaison, flou, bruit;
    bool indPres;
    double division; // micrometres
};

class CalibragePeriode : public SessionCalibrage {
protected:
    // The micrometer becomes the picture shown, its pixels what the
    // platform hands over.
    void Montre(const synthese::Micrometre& m) {
        const auto& i = m.image;
        micro = &m;
        p.pixelsImages[chemin] = PixelsImage{i.largeur, i.hauteur, i.pixels};
        o->images.cheminImage = chemin;
        o->images.vue.FixeImage(i.largeur, i.hauteur);
        o->images.IndexImage = 1;
        AppliqueResolution(*o);
    }
    // Picture units of the micrometer's point at graduation k, h pixels above its base.
    PointImage Point(double k, double h) const {
        return {static_cast<std::int32_t>(std::lround(micro->X(k, h) * UnitesImageParPixel)),
                static_cast<std::int32_t>(std::lround(micro->Y(k, h) * UnitesImageParPixel))};
    }
    // A segment dragged between two points, written as the segment pointing writes it.
    void Tire(PointImage a, PointImage b) {
        o->mesure.LongueurPixels =
            o->images.vue.LongueurPixels(a, b, o->calibrage.FacteurResolution);
        AjouteValeur(*o,
                     Longueur(o->images.vue, a, b, o->calibrage.CoefCalibrage,
                              o->calibrage.FacteurResolution),
                     SegmentTrace{a.x, a.y, b.x, b.y});
    }
    void Demarre() {
        Clic(Controle::EtalonnageResolution);
        Clic(Controle::OptionCalibragePeriode);
        Clic(Controle::CalibragePortion);
    }
    std::vector<PointImage> Graduations() const {
        std::vector<PointImage> g;
        for (const Marque& m : o->mesure.marques.fixes)
            if (m.genre == GenreMarque::Graduation) g.push_back(m.a);
        return g;
    }

    const std::string chemin = "/micrometre.png";
    const synthese::Micrometre* micro = nullptr;
};

synthese::Micrometre Fabrique(const Echelle& e) {
    auto p = synthese::DixDivisions(e.periode, e.inclinaison, e.flou, e.bruit);
    p.hauteur = 600;
    return synthese::GenereMicrometre(p);
}

TEST_F(CalibragePeriode, FactorFromThePeriodAndTheDivisionsReadBack) {
    const Echelle echelles[] = {{37.4, 4, 1.2, 3, false, 2.5}, {100.3, -3.5, 2, 4, true, 10}};
    std::string offerte = "10"; // a stage micrometer's division at first, then the last typed
    for (const Echelle& e : echelles) {
        SCOPED_TRACE(e.periode);
        const auto m = Fabrique(e);
        Montre(m);
        o->parametres.indPres = e.indPres;
        AppliqueResolution(*o);
        Demarre();
        // A drag a little off the scale's direction, past both end graduations.
        const double h = 0.5 * m.parametres.courte;
        Tire(Point(-0.4, h - 4), Point(10.3, h + 5));

        // What was found, in the dialogue: ten divisions and their period.
        ASSERT_TRUE(o->controles(Controle::CadreSaisie).visible);
        const std::string invite = Texte(Controle::InviteSaisie);
        ASSERT_EQ(invite.rfind("10 divisions, période ", 0), 0u) << invite;
        const std::string periode = invite.substr(invite.find("période ") + 9);
        EXPECT_NEAR(LitDecimal(periode.substr(0, periode.find(' '))), e.periode, 0.02) << invite;
        EXPECT_EQ(Texte(Controle::TexteSaisie), offerte);
        // Every graduation ticked, the ends where the drag crosses the end graduations.
        const auto g = Graduations();
        ASSERT_EQ(g.size(), 11u);
        for (const int k : {0, 10}) {
            const PointImage vrai = Point(k, h - 4 + 9 * (k + 0.4) / 10.7);
            const PointImage t = g[static_cast<std::size_t>(k)];
            EXPECT_LT(std::hypot(t.x - vrai.x, t.y - vrai.y), 0.3 * UnitesImageParPixel) << k;
        }

        offerte = TexteNombre(e.division, ',');
        Saisit(offerte);
        ASSERT_FALSE(CalibrageEnAttente(o->calibrage));
        // The truth: one division over the period in pixel units.
        const double unitesParPixel =
            LargeurReference * o->calibrage.FacteurResolution / m.image.largeur;
        const double vrai = e.division / (e.periode * unitesParPixel);
        EXPECT_NEAR(o->calibrage.CoefCalibrage, vrai, vrai * 0.02 / e.periode);
        // The ten divisions measured with the segment function read 10 divisions,
        // to one pixel unit beside what the period's hundredth of a pixel allows.
        const double mesure = Longueur(o->images.vue, Point(0, h), Point(10, h),
                                       o->calibrage.CoefCalibrage, o->calibrage.FacteurResolution);
        EXPECT_NEAR(mesure, 10 * e.division,
                    10 * e.division * 0.02 / e.periode + o->calibrage.CoefCalibrage);
    }
}

// Whatever ends it without a factor: said (the finder's refusals with their
// reason), the factor as it was, the segment's line and marks gone.
TEST_F(CalibragePeriode, RefusalsAndAnnuleKeepTheFactor) {
    const auto m = Fabrique({50.2, 1, 1.5, 3, false, 10});
    const double h = 0.5 * m.parametres.courte, dessus = 3 * m.parametres.longue;
    const std::string garde = "\r\n" + o->textes.Mnu(mnu::PeriodeFacteurGarde);
    Montre(m);
    const struct {
        PointImage a, b;
        int refus; // 0: found, then "Annule"
        bool illisible = false;
    } cas[] = {
        {Point(-0.3, h), Point(1.3, h), mnu::PeriodeLigneCourte},
        {Point(0, dessus), Point(8, dessus), mnu::PeriodeAbsente},
        {{-500, Point(0, h).y}, Point(6, h), mnu::PeriodeHorsImage},
        {Point(-0.3, h), Point(8.3, h), mnu::PeriodeSansImage, true},
        {Point(-0.3, h), Point(8.3, h), 0},
    };
    FixeCalibrage(*o, 0.5);
    for (const auto& c : cas) {
        SCOPED_TRACE(c.refus);
        Montre(m);
        if (c.illisible) p.pixelsImages.clear();
        p.Oublie();
        Demarre();
        Tire(c.a, c.b);
        if (c.refus) {
            EXPECT_EQ(p.Textes("message"),
                      std::vector<std::string>{o->textes.Mnu(c.refus) + garde});
            EXPECT_FALSE(o->controles(Controle::CadreSaisie).visible);
        } else {
            ASSERT_TRUE(o->controles(Controle::CadreSaisie).visible);
            Clic(Controle::SaisieAnnule);
            EXPECT_TRUE(p.Textes("message").empty());
        }
        EXPECT_FALSE(CalibrageEnAttente(o->calibrage));
        EXPECT_DOUBLE_EQ(o->calibrage.CoefCalibrage, 0.5);
        EXPECT_TRUE(Graduations().empty());
        EXPECT_EQ(Cellule(1, 1), "");
    }
}

} // namespace
} // namespace orv::test
