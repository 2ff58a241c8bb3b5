#include "measure/Marques.h"
#include "ScenarioPointage.h"
#include "app/CommandesImages.h"
#include "measure/Grille.h"

#include <algorithm>
#include <functional>

namespace orv::test {
namespace {

class MarquesTest : public ScenarioPointage {
protected:
    std::vector<std::string> Textes() const {
        std::vector<std::string> r;
        for (const auto& m : o.mesure.marques.fixes)
            if (m.genre == GenreMarque::Texte) r.push_back(m.texte);
        return r;
    }
};

TEST_F(MarquesTest, RetraceRebuildsTheSameMarksAtAnotherZoom) {
    Choisit(2);
    Glisse(1000, 1000, 6080, 1000);
    Glisse(3000, 0, 3000, 1270);
    Glisse(1000, 8000, 6080, 8000);
    const auto avant = o.mesure.marques.fixes;
    o.images.vue.FixeExposant(-5);
    o.images.vue.FixeOrigine(700, 300);
    RetraceImageMontree(o);
    ASSERT_EQ(o.mesure.marques.fixes.size(), avant.size());
    for (const auto& m : avant)
        EXPECT_TRUE(std::any_of(o.mesure.marques.fixes.begin(), o.mesure.marques.fixes.end(),
                                [&](const Marque& f) {
                                    return f.genre == m.genre && f.a == m.a && f.b == m.b &&
                                           f.couleur == m.couleur && f.texte == m.texte;
                                }));
}

TEST_F(MarquesTest, OtherImagesOnlyInGroupModeInColourTwo) {
    Glisse(1000, 1000, 3540, 1000); // image 1
    o.images.IndexImage = 2;
    Glisse(1000, 3000, 3540, 3000); // image 2
    RetraceImageMontree(o);
    EXPECT_EQ(Textes(), std::vector<std::string>{"2"});
    o.calibrage.ModeGroupe = true;
    RetraceImageMontree(o);
    EXPECT_EQ(Textes().size(), 2u);
    for (const auto& m : o.mesure.marques.fixes)
        EXPECT_EQ(m.couleur, m.a.y == 1000 ? o.mesure.couleur2 : o.mesure.couleur1);
}

// A record as the grid file gives it, segments only, is drawn from them.
TEST_F(MarquesTest, LinesReadFromAGridFileAreDrawnFromTheirSegments) {
    Choisit(2);
    o.mesure.GrilleRef.FixeTexte(1, 1, "10,00");
    o.mesure.GrilleRef.FixeTexte(1, 2, "5,00");
    auto& t = o.mesure.TraceLignes[1];
    t.image = 1;
    t.segments[1] = {100, 200, 900, 200};
    t.segments[2] = {500, 100, 500, 300};
    o.mesure.LigneCourante = 2;
    RetraceImageMontree(o);
    EXPECT_EQ(Compte(GenreMarque::Ligne), 2);
    EXPECT_TRUE(CroixFixeEn({900, 200}));
    EXPECT_TRUE(CroixFixeEn({500, 300}));
    EXPECT_EQ(Textes(), std::vector<std::string>{"1"});
}

// Two lines left, numbered 1 and 2, at the places of the former 2 and 3.
TEST_F(MarquesTest, ErasedValuesAndRenumberedLines) {
    for (int y : {1000, 3000, 5000}) Glisse(1000, y, 3540, y);
    Efface_ligne(o, 1);
    RetraceImageMontree(o);
    EXPECT_EQ(Compte(GenreMarque::Ligne), 2);
    EXPECT_FALSE(CroixFixeEn({3540, 1000}));
    EXPECT_EQ(Textes(), (std::vector<std::string>{"1", "2"}));
}

// A measured spore stays marked after any change of the view, with
// "AutoRetrace" unticked: otherwise it would look unmeasured, and be measured twice.
TEST_F(MarquesTest, MarksStayAfterEveryChangeOfTheView) {
    o.parametres.autoRetrace = false;
    Glisse(1000, 1000, 3540, 1000);
    const std::pair<const char*, std::function<void()>> changements[] = {
        {"Z+", [&] { ClicZoom(o, Controle::ZoomPlus); }},
        {"Z and a click",
         [&] {
             ToucheEnfoncee(o, Touche::Z, {});
             Clic(2000, 1500);
             ToucheRelachee(o.ui, o.mesure.pointage, Touche::Z, {});
         }},
        {"another layout", [&] { RedimensionneBoite(o, 9000, 6000); }},
    };
    for (const auto& [nom, change] : changements) {
        SCOPED_TRACE(nom);
        const auto version = o.images.versionVue;
        change();
        ASSERT_NE(o.images.versionVue, version);
        EXPECT_TRUE(CroixFixeEn({3540, 1000}));
        EXPECT_EQ(Textes(), std::vector<std::string>{"1"});
    }
}

TEST_F(MarquesTest, FigureUnderWaySurvivesARetrace) {
    Choisit(15);
    Clic(1000, 1000);
    Clic(3000, 1000);
    RetraceImageMontree(o);
    EXPECT_TRUE(CroixFixeEn({1000, 1000}));
    EXPECT_TRUE(CroixFixeEn({3000, 1000}));
    EXPECT_EQ(Compte(GenreMarque::Ligne), 1);
}

} // namespace
} // namespace orv::test
