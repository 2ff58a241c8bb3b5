// The grid file's format on strings, where the reference files and the round
// trip property do not reach: extremes, the UTF-8 fallback, malformed files.
#include "app/FichierTrame.h"
#include "base/Cp1252.h"
#include "base/FichierTexte.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <sstream>

namespace orv {
namespace {

Trame Exemple() {
    Trame t;
    t.indPres = false;
    t.nbLgMax = 256;
    t.fonction = 2;
    t.resh = 1280;
    t.pctsw = 12000;
    t.images = {{"/photos/a.jpg", 0.5, {960, 720}}, {"/photos/été b.jpg", 1.25, {1600, 1200}}};
    LigneTrame l1;
    l1.zoom = 0;
    l1.image = 1;
    l1.segments = {{10, 20, 110, 20}, {50, 5, 50, 40}};
    l1.commentaire = "spore; très mûre";
    l1.cellules = {"12,00", "3,50", "3,43", "77,0", "1"};
    LigneTrame l2 = l1;
    l2.zoom = -3;
    l2.image = 2;
    l2.segments = {{std::numeric_limits<std::int32_t>::min(), 0, 40000, -70000},
                   {std::numeric_limits<std::int32_t>::max(), 1, 2, 3}};
    l2.commentaire = "  blancs gardés ; µm  ";
    l2.ligneBrisee = true;
    t.lignes = {l1, l2};
    return t;
}

size_t Position(const std::vector<std::string>& l, const std::string& texte) {
    return static_cast<size_t>(std::find(l.begin(), l.end(), texte) - l.begin());
}

TEST(FichierTrameTest, ExtremesAndEmptyGridReadBack) {
    const auto l = FichierTrame::Lignes(Exemple(), ',');
    const size_t p = Position(l, "TRAME= ");
    ASSERT_EQ(p + 3, l.size());
    EXPECT_EQ(l[p + 2], "-3;2;-2147483648;0;40000;-70000;2147483647;1;2;3;");
    const auto lu = FichierTrame::Lit(l);
    ASSERT_TRUE(lu);
    const auto& l2 = lu.trame->lignes[1];
    EXPECT_EQ(l2.segments[0].x1, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(l2.segments[1].x1, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(l2.commentaire, "  blancs gardés ; µm  ");
    EXPECT_TRUE(l2.ligneBrisee);
    EXPECT_EQ(l2.cellules, Exemple().lignes[1].cellules);

    Trame vide;
    vide.indPres = true;
    const auto v = FichierTrame::Lit(FichierTrame::Lignes(vide, '.'));
    ASSERT_TRUE(v);
    EXPECT_TRUE(v.trame->lignes.empty());
    EXPECT_TRUE(v.trame->images.empty());
    EXPECT_EQ(v.trame->indPres, true);
}

// A path Windows-1252 cannot spell: the whole file in UTF-8, read back as written.
TEST(FichierTrameTest, Utf8WhenWindows1252CannotSpellAPath) {
    EXPECT_FALSE(EstUtf8Valide(FichierTrame::Octets(Exemple(), ',')));
    Trame t = Exemple();
    t.images[0].chemin = "/photos/\xE6\xBC\xA2.jpg"; // a CJK character
    const std::string utf8 = FichierTrame::Octets(t, ',');
    EXPECT_TRUE(EstUtf8Valide(utf8));
    std::istringstream in(utf8);
    const auto lu = FichierTrame::Lit(in);
    ASSERT_TRUE(lu);
    EXPECT_EQ(lu.trame->images[0].chemin, t.images[0].chemin);
    EXPECT_EQ(lu.trame->lignes[0].commentaire, "spore; très mûre");

    // Names a line cannot hold (a line break, Latin-1 bytes) come back to the
    // same files; IMAGES= shows them readably for other readers.
    t.images[0].chemin = "/photos/deux\nlignes.jpg";
    t.images[1].chemin = "/photos/caf\xE9.jpg";
    const auto l = FichierTrame::Lignes(t, ',');
    EXPECT_EQ(l[Position(l, "IMAGES= ") + 2], "/photos/caf\xEF\xBF\xBD.jpg");
    std::istringstream in2(TexteFichier(l));
    const auto relu = FichierTrame::Lit(in2);
    ASSERT_TRUE(relu);
    EXPECT_EQ(relu.trame->images, t.images);
}

TEST(FichierTrameTest, LineBreaksOfACommentBecomeBlanks) {
    Trame t = Exemple();
    t.lignes[0].commentaire = "deux\r\nlignes\nou\rtrois";
    t.lignes[0].cellules[0] = "12;5\n";
    const auto l = FichierTrame::Lignes(t, ',');
    EXPECT_EQ(l[Position(l, "COMMENT= ") + 1], "1;deux lignes ou trois");
    const auto lu = FichierTrame::Lit(l);
    ASSERT_TRUE(lu);
    EXPECT_EQ(lu.trame->lignes[0].commentaire, "deux lignes ou trois");
    EXPECT_EQ(lu.trame->lignes[1].commentaire, t.lignes[1].commentaire); // still aligned
    EXPECT_EQ(lu.trame->lignes[0].cellules[0], "12 5");
}

TEST(FichierTrameTest, ReaderIsTolerantWhereItCanBe) {
    const std::vector<std::string> l = {"  indpres = true ",
                                        "",
                                        "NBIMAGES= 1",
                                        "nblignes=1",
                                        "NBLGMAX =64",
                                        "FONCTION= 15",
                                        "AUTRE= ignoré",
                                        "CALIBRAGE= ",
                                        "0.25",
                                        "RESH = 1",
                                        "PCTSW = 12000,0",
                                        "IMAGES= ",
                                        " /a.jpg ",
                                        "COMMENT= ",
                                        "1;",
                                        "FIN",
                                        "TRAME= ",
                                        " 0;1;1;2;3;4;1;2;5;6 "};
    const auto lu = FichierTrame::Lit(l);
    ASSERT_TRUE(lu) << static_cast<int>(lu.erreur.defaut) << " " << lu.erreur.ligne;
    const Trame& t = *lu.trame;
    EXPECT_EQ(t.indPres, true);
    EXPECT_EQ(t.nbLgMax, 64);
    EXPECT_EQ(t.fonction, 15);
    EXPECT_EQ(t.images[0].coefficient, 0.25);
    EXPECT_EQ(t.images[0].chemin, "/a.jpg");
    EXPECT_EQ(t.images[0].taille.largeur, 0);            // an older file: no sizes,
    EXPECT_EQ(t.images[0].repere, RepereImage::Fichier); // points on the picture as stored
    ASSERT_EQ(t.lignes.size(), 1u);
    EXPECT_TRUE(t.lignes[0].cellules.empty());
    ASSERT_EQ(t.lignes[0].segments.size(), 2u);
    EXPECT_EQ(t.lignes[0].segments[1].y2, 6);
    for (const char* v : {"0", "FAUX", "false", "Faux"}) {
        auto m = l;
        m[0] = std::string("INDPRES=") + v;
        EXPECT_EQ(FichierTrame::Lit(m).trame->indPres, false) << v;
    }
    // A width of 0 is no width known, never a factor of 0.
    auto m = l;
    m[10] = "PCTSW = 0";
    EXPECT_FALSE(FichierTrame::Lit(m).trame->pctsw.has_value());
    m[6] = "repere = redresse";
    EXPECT_EQ(FichierTrame::Lit(m).trame->images[0].repere, RepereImage::Redresse);
}

TEST(FichierTrameTest, MalformedFilesAreRefusedWithTheLineAtFault) {
    const auto bon = FichierTrame::Lignes(Exemple(), ',');
    ASSERT_TRUE(FichierTrame::Lit(bon));
    const size_t p = Position(bon, "TRAME= ") + 1; // first point line
    const size_t cal = Position(bon, "CALIBRAGE= ") + 1;
    struct Cas {
        size_t ligne;
        std::string texte; // replaces that line; "" with efface removes it
        DefautTrame defaut;
        std::string fautif;
        bool efface = false;
    };
    const std::vector<Cas> cas = {
        {p, "0;1;10;2x;110;20;50;5;50;40;", DefautTrame::NombreInvalide, "2x"},
        {p, "0;1;10;20;110;20;50;5;50;2147483648;", DefautTrame::NombreInvalide, "2147483648"},
        {p, "0;1;10;20;110;20;50;5;50;", DefautTrame::ChampsManquants, "0;1;10;20;110;20;50;5;50;"},
        {p, "0;1;10;20;110;20;50;5;", DefautTrame::ChampsManquants, "0;1;10;20;110;20;50;5;"},
        {p, "70000;1;10;20;110;20;50;5;50;40;", DefautTrame::NombreInvalide, "70000"},
        {p, "0;-1;10;20;110;20;50;5;50;40;", DefautTrame::ImageHorsListe, "-1"},
        {p, "0;51;10;20;110;20;50;5;50;40;", DefautTrame::ImageHorsListe, "51"},
        {3, "NBIMAGES= 2", DefautTrame::CompteRepete, "NBIMAGES="},
        {p, "0;1;10;20;110;20;50;5;50;4,5;", DefautTrame::NombreInvalide, "4,5"},
        {cal, " 0,5x ", DefautTrame::NombreInvalide, "0,5x"},
        {4, "FONCTION= 7", DefautTrame::FonctionInconnue, "7"},
        {0, "INDPRES=peut-être", DefautTrame::NombreInvalide, "peut-être"},
        {Position(bon, "COMMENT= ") + 1, "1 sans point-virgule", DefautTrame::ChampsManquants,
         "1 sans point-virgule"},
        {Position(bon, "VALEURS= ") + 1, "1;2;12,00;", DefautTrame::NombreInvalide, "2"},
        {Position(bon, "TAILLES= ") + 1, "960;-5", DefautTrame::NombreInvalide, "-5"},
        {Position(bon, "REPERE= REDRESSE"), "REPERE= PENCHE", DefautTrame::NombreInvalide,
         "PENCHE"},
        // One frame for every picture, or one each.
        {Position(bon, "REPERE= REDRESSE"), "REPERE= FICHIER;FICHIER;FICHIER",
         DefautTrame::NombreInvalide, "REPERE= "},
        // An empty path would shift every image number after it.
        {Position(bon, "/photos/a.jpg"), "  ", DefautTrame::SectionManquante, "IMAGES= "},
    };
    for (const auto& c : cas) {
        auto l = bon;
        l[c.ligne] = c.texte;
        const auto lu = FichierTrame::Lit(l);
        ASSERT_FALSE(lu) << c.texte;
        EXPECT_EQ(lu.erreur.defaut, c.defaut) << c.texte;
        EXPECT_EQ(lu.erreur.ligne, static_cast<int>(c.ligne) + 1) << c.texte;
        EXPECT_EQ(lu.erreur.texte, c.fautif) << c.texte;
    }
    // The most negative coordinate is a sound 32-bit one.
    auto l = bon;
    l[p] = "0;1;-2147483648;20;110;20;50;5;50;40;";
    EXPECT_TRUE(FichierTrame::Lit(l));

    // Cut short: the last point line missing.
    l = bon;
    l.pop_back();
    auto lu = FichierTrame::Lit(l);
    ASSERT_FALSE(lu);
    EXPECT_EQ(lu.erreur.defaut, DefautTrame::Tronque);
    EXPECT_EQ(lu.erreur.ligne, static_cast<int>(bon.size()));
    // Cut before its points, empty, or not a grid file at all.
    for (const auto& f : {std::vector<std::string>(bon.begin(), bon.begin() + p - 1),
                          std::vector<std::string>{}, std::vector<std::string>{"a=b", "x"}}) {
        lu = FichierTrame::Lit(f);
        ASSERT_FALSE(lu);
        EXPECT_EQ(lu.erreur.defaut, DefautTrame::PasUneTrame);
    }
    // Sections before the counts that size them, or missing.
    l = bon;
    std::swap(l[1], l[cal - 1]);
    EXPECT_EQ(FichierTrame::Lit(l).erreur.defaut, DefautTrame::SectionManquante);
    l = bon;
    l.erase(l.begin() + static_cast<long>(Position(l, "IMAGES= ")));
    l.erase(l.begin() + static_cast<long>(Position(l, "/photos/a.jpg")));
    l.erase(l.begin() + static_cast<long>(Position(l, "/photos/été b.jpg")));
    lu = FichierTrame::Lit(l);
    ASSERT_FALSE(lu);
    EXPECT_EQ(lu.erreur.defaut, DefautTrame::SectionManquante);
    EXPECT_EQ(lu.erreur.texte, "IMAGES=");
}

} // namespace
} // namespace orv
