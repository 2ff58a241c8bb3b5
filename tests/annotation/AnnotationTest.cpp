// The annotation: a scale bar of L micrometres measures L at every view and on
// the full-size copy; the prompt sequences; the copy's drawings accumulating
// until "Ferme" and saved as the picture's "_Ref" file.
#include "annotation/Annotation.h"
#include "app/CommandesAnnotation.h"
#include "app/CommandesImages.h"
#include "app/Fenetre.h"
#include "base/Nombres.h"
#include "images/Chargeur.h"
#include "interface/Messages.h"
#include "measure/OutilsPointage.h"
#include "support/DossierEssai.h"
#include "support/PlateformeFactice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>

namespace orv {
namespace {

namespace fs = std::filesystem;
using C = Controle;

struct Session {
    test::PlateformeFactice p;
    Controles controles;
    TablesTextes textes;
    CadresPartages cadres;
    Interface ui{p, controles, textes, cadres};
    EtatAnnotation a;
    Vue vue;
    double coef = 1, fr = 1;
    Session() {
        textes.RemplitMessages();
        p.separateur = '.';
        vue.FixeImage(2000, 1500);
        vue.FixeBoite(12000, 9000);
        vue.VueInitiale();
    }
    ContexteAnnotation Contexte() const { return {vue, coef, fr, 12, 0x0000FF}; }
    PointTwips Twips(double xImage, double yImage) const {
        return {Arrondi32(vue.VersBoiteX(xImage)), Arrondi32(vue.VersBoiteY(yImage))};
    }
    // The bar: the mark drawn with the bar's pen.
    const Marque* Barre() const {
        for (const Marque& m : a.marques)
            if (m.genre == GenreMarque::Ligne && m.epaisseur == 3) return &m;
        return nullptr;
    }
    const Marque* Etiquette() const {
        for (const Marque& m : a.marques)
            if (m.genre == GenreMarque::Texte) return &m;
        return nullptr;
    }
};

// Invariant: whatever the calibration, zoom, origin, box and resolution mode,
// the bar of L micrometres, horizontal or dragged, measures L to one pixel
// unit, on the view and on the copy.
TEST(Annotation, BarreMesureSaLongueur) {
    std::mt19937 gen(20261207);
    auto u = [&](double a, double b) { return std::uniform_real_distribution<>(a, b)(gen); };
    for (int cas = 0; cas < 400; ++cas) {
        Session s;
        const int largeur = static_cast<int>(u(500, 9000)),
                  hauteur = static_cast<int>(u(400, 6000));
        s.vue.FixeImage(largeur, hauteur);
        s.vue.FixeBoite(static_cast<int>(u(3000, 30000)), static_cast<int>(u(3000, 20000)));
        s.vue.FixeExposant(static_cast<int>(u(-8, 5)));
        const double W = s.vue.LargeurImage(), H = s.vue.HauteurImage();
        s.vue.FixeOrigine(Arrondi32(u(0, W / 2)), Arrondi32(u(0, H / 2)));
        s.coef = u(0.02, 3);
        s.fr = cas % 2 ? 1.0 : largeur * 0.001;
        s.a.ReferenceSurImage = true;
        s.a.TailleTrace = cas % 3 == 0 ? 5 : 1;
        const double L = std::round(u(1, 200) * 10) / 10;
        const bool oriente = cas % 4 >= 2;
        const PointTwips depart = s.Twips(u(0, W), u(0, H));
        const auto c = s.Contexte();
        if (oriente) {
            s.a.ModeOrienteeTrace = true;
            ASSERT_TRUE(AppuiAnnotation(s.ui, s.a, c, depart));
            ASSERT_TRUE(RelacheAnnotation(
                s.ui, s.a, c,
                {depart.x + Arrondi32(u(-900, 900)), depart.y + Arrondi32(u(-900, 900))}));
        } else {
            s.a.ModeReferenceSimple = true;
            ASSERT_TRUE(AppuiAnnotation(s.ui, s.a, c, depart));
        }
        ASSERT_TRUE(ValideAnnotation(s.ui, s.a, c, TexteNombre(L, '.')));
        ASSERT_TRUE(ValideAnnotation(s.ui, s.a, c, " µm"));
        const Marque* barre = s.Barre();
        ASSERT_NE(barre, nullptr);
        const auto trace = [&] { return ::testing::Message() << "cas " << cas << " L " << L; };
        EXPECT_NEAR(Longueur(s.vue, barre->a, barre->b, s.coef, s.fr), L, s.coef) << trace();
        // On the copy: the line from the start, taken back into picture units.
        const auto q = PointCopie(s.vue, barre->a);
        ASSERT_TRUE(q);
        const DessinImage* plus = nullptr;
        for (const DessinImage& d : s.a.dessinsCopie)
            if (d.genre == DessinImage::Genre::Ligne && d.x0 == q->first && d.y0 == q->second)
                plus = &d;
        ASSERT_NE(plus, nullptr) << trace();
        const auto unites = [](double x) { return Arrondi32(x * UnitesImageParPixel); };
        EXPECT_NEAR(Longueur(s.vue, {unites(plus->x0), unites(plus->y0)},
                             {unites(plus->x1), unites(plus->y1)}, s.coef, s.fr),
                    L, s.coef)
            << trace();
    }
}

// The prompts: each row presses (and drags), answers the prompts in turn
// ("" cancels, "µ" is the unit button then OK) and checks what was drawn:
// the label (nullptr: nothing), the bar's length in micrometres, its way
// along x (0: vertical), the label's angle and whether it starts at the far end.
TEST(Annotation, SuitesDeSaisie) {
    const Controle S = C::ReferenceSimple, O = C::ReferenceOrientee, T = C::IllustrerTexte;
    const struct Cas {
        const char* nom;
        Controle menu;
        int ax, ay, rx, ry;
        std::vector<std::string> reponses;
        const char* etiquette;
        double longueur;
        int sens, angle;
        bool etiquetteAuBout;
        int refus = 0; // lengths refused with a message, the prompt left open
    } cas[] = {
        {"defauts", S, 4000, 3000, 0, 0, {"10", "microns"}, " 10microns", 10, 1, 0, false},
        {"virgule", S, 4000, 3000, 0, 0, {"12,5", "µ"}, " 12.5 µm", 12.5, 1, 0, false},
        // No bar of no length; "1,000" may be a thousand where the decimal point is ".".
        {"refus",
         S,
         4000,
         3000,
         0,
         0,
         {"abc", "0", "1,000", "2 5", "7,5", "µ"},
         " 7.5 µm",
         7.5,
         1,
         0,
         false,
         4},
        {"point", S, 4000, 3000, 0, 0, {"2.5", "µ"}, " 2.5 µm", 2.5, 1, 0, false},
        {"annule", S, 4000, 3000, 0, 0, {"10", ""}, nullptr, 0, 0, 0, false},
        // atan(1/2) is 26.6 degrees.
        {"vers la gauche", O, 20000, 20000, 10000, 15000, {"50", "µm"}, " 50 µm", 50, -1, 27, true},
        {"vertical", O, 20000, 10000, 20000, 30000, {"30", "µm"}, " 30 µm", 30, 0, 90, false},
        {"orientee annulee", O, 20000, 10000, 25000, 10000, {""}, nullptr, 0, 0, 0, false},
        {"texte", T, 4000, 3000, 0, 0, {"Russula"}, " Russula", 0, 0, 0, false},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.nom);
        Session s;
        s.coef = 0.25;
        const auto c = s.Contexte();
        ASSERT_TRUE(ClicMenuAnnotation(s.ui, s.a, s.vue, k.menu));
        // The prompt says where to click for a bar, or for a text.
        EXPECT_EQ(s.controles.Texte(C::BarreEtat),
                  k.menu == T ? "cliquer où le texte commence"
                              : "placer le curseur au début du segment de référence");
        ASSERT_TRUE(AppuiAnnotation(s.ui, s.a, c, s.Twips(k.ax, k.ay)));
        if (k.menu == C::ReferenceOrientee) {
            ASSERT_TRUE(RelacheAnnotation(s.ui, s.a, c, s.Twips(k.rx, k.ry)));
        }
        for (const std::string& r : k.reponses) {
            EXPECT_TRUE(s.controles(C::CadreSaisie).visible);
            if (r.empty()) {
                ASSERT_TRUE(AnnuleAnnotation(s.ui, s.a));
            } else if (r == "µ") {
                EXPECT_TRUE(s.controles(C::SymboleMicron).visible);
                ClicMenuAnnotation(s.ui, s.a, s.vue, C::SymboleMicron);
                ASSERT_TRUE(ValideAnnotation(s.ui, s.a, c, s.controles.Texte(C::TexteSaisie)));
            } else {
                ASSERT_TRUE(ValideAnnotation(s.ui, s.a, c, r));
            }
        }
        EXPECT_EQ(s.p.Compte("message"), k.refus);
        // Every way out ends the mode and closes the prompt: the next press measures.
        EXPECT_FALSE(AnnotationEnCours(s.a));
        EXPECT_FALSE(s.controles(C::CadreSaisie).visible);
        EXPECT_FALSE(AppuiAnnotation(s.ui, s.a, c, s.Twips(100, 100)));
        if (!k.etiquette) {
            EXPECT_TRUE(s.a.marques.empty());
            continue;
        }
        const PointImage appui = s.vue.VersImage(s.Twips(k.ax, k.ay));
        const Marque* t = s.Etiquette();
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->texte, k.etiquette);
        EXPECT_EQ(t->angle, k.angle);
        if (k.menu == C::IllustrerTexte) {
            EXPECT_EQ(t->a, appui);
            continue;
        }
        const Marque* b = s.Barre();
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->a, appui);
        EXPECT_NEAR(Longueur(s.vue, b->a, b->b, s.coef, s.fr), k.longueur, s.coef);
        EXPECT_EQ(b->b.x > b->a.x ? 1 : b->b.x < b->a.x ? -1 : 0, k.sens);
        if (k.sens == 0) {
            EXPECT_GT(b->b.y, b->a.y);
        }
        EXPECT_EQ(t->a, k.etiquetteAuBout ? b->b : b->a);
    }
    // A press during the prompts starts the bar again from there: the first
    // start cross goes.
    {
        Session s;
        const auto c = s.Contexte();
        ClicMenuAnnotation(s.ui, s.a, s.vue, C::ReferenceSimple);
        AppuiAnnotation(s.ui, s.a, c, s.Twips(4000, 3000));
        AppuiAnnotation(s.ui, s.a, c, s.Twips(9000, 6000));
        ValideAnnotation(s.ui, s.a, c, "10");
        ValideAnnotation(s.ui, s.a, c, "µm");
        std::vector<PointImage> croix;
        for (const Marque& m : s.a.marques)
            if (m.genre == GenreMarque::Croix) croix.push_back(m.a);
        EXPECT_EQ(croix, (std::vector{s.Barre()->a, s.Barre()->b}));
        EXPECT_EQ(s.Barre()->a, s.vue.VersImage(s.Twips(9000, 6000)));
    }
    // The length and unit typed stay offered for the next bar.
    Session s;
    ClicMenuAnnotation(s.ui, s.a, s.vue, C::ReferenceSimple);
    AppuiAnnotation(s.ui, s.a, s.Contexte(), {100, 100});
    ValideAnnotation(s.ui, s.a, s.Contexte(), "25");
    ValideAnnotation(s.ui, s.a, s.Contexte(), " µm");
    ClicMenuAnnotation(s.ui, s.a, s.vue, C::ReferenceSimple);
    AppuiAnnotation(s.ui, s.a, s.Contexte(), {100, 100});
    EXPECT_EQ(s.controles.Texte(C::TexteSaisie), "25");
    ValideAnnotation(s.ui, s.a, s.Contexte(), "25");
    EXPECT_EQ(s.controles.Texte(C::TexteSaisie), " µm");
}

// On the copy, at its scale e: a cross of half size 100 twips per pen size
// at each end of a horizontal bar, a tick as long across each end of an
// oriented one, and the label at its size on the screen; nothing else.
TEST(Annotation, DessinsDeLaCopie) {
    for (const Controle menu : {C::ReferenceSimple, C::ReferenceOrientee}) {
        SCOPED_TRACE(menu == C::ReferenceSimple ? "horizontal" : "oriented");
        Session s;
        s.a.ReferenceSurImage = true;
        s.a.TailleTrace = 2;
        s.a.police.taille = 14;
        const auto c = s.Contexte();
        ClicMenuAnnotation(s.ui, s.a, s.vue, menu);
        AppuiAnnotation(s.ui, s.a, c, s.Twips(400, 300));
        if (menu == C::ReferenceOrientee) RelacheAnnotation(s.ui, s.a, c, s.Twips(1200, 900));
        ValideAnnotation(s.ui, s.a, c, "50");
        ValideAnnotation(s.ui, s.a, c, "µm");
        const double e = EchelleCopie(s.vue), h = 100.0 * 2 / TwipsParPixelEcran * e;
        ASSERT_NE(e, 1);
        std::vector<DessinImage> textes, traits;
        for (const DessinImage& d : s.a.dessinsCopie)
            (d.genre == DessinImage::Genre::Texte ? textes : traits).push_back(d);
        ASSERT_EQ(textes.size(), 1u);
        const double points = menu == C::ReferenceSimple ? 14 : 10;
        EXPECT_NEAR(textes[0].taillePixels, points * 96 / 72 * e, 1e-9);
        // The bar: the widest line.
        const auto barre = std::max_element(traits.begin(), traits.end(), [](auto& a, auto& b) {
            return a.epaisseur < b.epaisseur;
        });
        ASSERT_NE(barre, traits.end());
        const double bx = barre->x1 - barre->x0, by = barre->y1 - barre->y0;
        int bouts[2] = {0, 0};
        for (const DessinImage& d : traits) {
            if (&d == &*barre) continue;
            const double mx = (d.x0 + d.x1) / 2, my = (d.y0 + d.y1) / 2;
            const double dx = d.x1 - d.x0, dy = d.y1 - d.y0;
            EXPECT_NEAR(std::hypot(dx, dy), 2 * h, 1e-9);
            if (std::hypot(mx - barre->x0, my - barre->y0) < 1e-9) ++bouts[0];
            if (std::hypot(mx - barre->x1, my - barre->y1) < 1e-9) ++bouts[1];
            // A tick is across the bar (drawn aslant here).
            if (menu == C::ReferenceOrientee) {
                EXPECT_NEAR(dx * bx + dy * by, 0, 1e-6);
            }
        }
        const int parBout = menu == C::ReferenceSimple ? 2 : 1;
        EXPECT_EQ(bouts[0], parBout);
        EXPECT_EQ(bouts[1], parBout);
        EXPECT_EQ(traits.size(), 1u + 2 * parBout);
    }
}

// The font dialog offers a size of a hundredth of the picture's height, never
// 0; a size of 0 or no family chosen keeps the former one.
TEST(Annotation, ChoixDePolice) {
    Session s;
    s.p.polices = {PoliceTexte{"Serif", 0, true}, PoliceTexte{"", 18, false}};
    ClicMenuAnnotation(s.ui, s.a, s.vue, C::ChoixPolice);
    EXPECT_EQ(s.a.police.nom, "Serif");
    EXPECT_EQ(s.a.police.taille, 10);
    s.vue.FixeImage(400, 40);
    ClicMenuAnnotation(s.ui, s.a, s.vue, C::ChoixPolice);
    EXPECT_EQ(s.a.police.nom, "Serif");
    EXPECT_EQ(s.a.police.taille, 18);
    EXPECT_EQ(s.p.Textes("police"), (std::vector<std::string>{"15", "1"}));
}

class CopieAnnotee : public ::testing::Test {
protected:
    void SetUp() override {
        o = std::make_unique<Orvelle>(p, dossier.string());
        o->textes.RemplitMessages();
        for (const char* nom : {"spore", "autre"}) {
            const std::string image = (dossier / (std::string(nom) + ".jpg")).string();
            p.images[image] = {400, 300};
            p.pixelsImages[image] =
                PixelsImage{400, 300, std::vector<std::uint32_t>(120000, 0xFF000000)};
        }
        ASSERT_TRUE(AjouteChemin(*o, Image("spore")));
        orv::Clic(*o, C::ReferenceSurImage);
    }
    std::string Image(const std::string& nom) const { return (dossier / (nom + ".jpg")).string(); }
    // A horizontal bar from picture pixel (x, y).
    void Barre(double x, double y) {
        orv::Clic(*o, C::ReferenceSimple);
        const Vue& v = o->images.vue;
        const PointTwips t{Arrondi32(v.VersBoiteX(x * UnitesImageParPixel)),
                           Arrondi32(v.VersBoiteY(y * UnitesImageParPixel))};
        ASSERT_TRUE(AppuiAnnotation(*o, Bouton::Gauche, t));
        orv::Clic(*o, C::SaisieOK);
        orv::Clic(*o, C::SaisieOK);
    }
    std::uint32_t Pixel(int x, int y) const {
        return o->images.chargeur.apercu->pixels[static_cast<std::size_t>(y) * 400 + x];
    }
    test::PlateformeFactice p;
    test::DossierEssai dossier{"annotation"};
    std::unique_ptr<Orvelle> o;
};

TEST_F(CopieAnnotee, SAccumuleJusquAFermeEtSEnregistre) {
    Barre(100, 50);
    EXPECT_TRUE(o->controles(C::CadreCopie).visible);
    Barre(200, 150);
    // A text on the copy prepared by the bars goes on the same copy.
    orv::Clic(*o, C::IllustrerTexte);
    ASSERT_TRUE(AppuiAnnotation(*o, Bouton::Gauche, {30, 30}));
    o->controles.Texte(C::TexteSaisie, "Russula");
    orv::Clic(*o, C::SaisieOK);
    EXPECT_EQ(p.Compte("pixels"), 1);
    EXPECT_EQ(p.Compte("dessin"), 3);
    ASSERT_TRUE(o->images.chargeur.apercu);
    EXPECT_EQ(Pixel(100, 50) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(Pixel(200, 150) & 0xFFFFFF, 0xFFFFFFu);

    // Saved as the picture's name + "_Ref", with every drawing.
    orv::Clic(*o, C::CopieEnregistre);
    EXPECT_TRUE(fs::exists(dossier / "spore_Ref.bmp"));

    // "Ferme": the next bar starts from the plain picture.
    orv::Clic(*o, C::CopieFerme);
    orv::Clic(*o, C::CopieFerme);
    Barre(300, 250);
    EXPECT_EQ(p.Compte("pixels"), 2);
    EXPECT_EQ(Pixel(100, 50) & 0xFFFFFF, 0u);

    // Another picture shown: the copy of the first one goes with its marks.
    ASSERT_TRUE(AjouteChemin(*o, Image("autre")));
    SuitImageAnnotation(*o);
    EXPECT_FALSE(o->images.chargeur.apercu);
    EXPECT_TRUE(o->annotation.marques.empty());
}

TEST_F(CopieAnnotee, PointHorsImageRefuse) {
    orv::Clic(*o, C::ReferenceSimple);
    const Vue& v = o->images.vue;
    ASSERT_TRUE(AppuiAnnotation(*o, Bouton::Gauche,
                                {Arrondi32(v.VersBoiteX(v.LargeurImage() + 500)), 1500}));
    orv::Clic(*o, C::SaisieOK);
    orv::Clic(*o, C::SaisieOK);
    EXPECT_EQ(p.Textes("message"), std::vector<std::string>{"dépassement de capacité"});
    EXPECT_EQ(p.Compte("dessin"), 0);
    EXPECT_FALSE(o->controles(C::CadreCopie).visible);
    EXPECT_EQ(o->annotation.marques.size(), 4u); // the view's bar stays
}

} // namespace
} // namespace orv
