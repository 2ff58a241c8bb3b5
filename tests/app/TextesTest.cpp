#include "interface/TablesTextes.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

int NonVides(const TablesTextes& t, Table table) {
    int n = 0;
    for (int i = 0; i <= TablesTextes::IndexMax(table); ++i)
        if (!t.Lit(table, i).empty()) ++n;
    return n;
}

TEST(TextesFrancais, RemplissageFidele) {
    TablesTextes t;
    t.RemplitMessages();
    // Blanks and stars at either end are the texts' own.
    EXPECT_EQ(t.Msg(185), "  La table actuelle contient des données");
    EXPECT_EQ(t.Msg(175), "existe *** ");
    // Entry counts of the built-in lists, so that no entry is lost on the way.
    EXPECT_EQ(NonVides(t, Table::MSG), 160);
    EXPECT_EQ(NonVides(t, Table::MNU), 107);
    EXPECT_EQ(NonVides(t, Table::MSTAT), 37);
    EXPECT_EQ(NonVides(t, Table::MNUSTAT), 60);
    EXPECT_EQ(NonVides(t, Table::TINTAVAL), 28);
    // The composed descriptors are built from what 56-61 hold at fill time.
    EXPECT_EQ(t.Msg(146), "mesure Segment$4$Longueur$img $comment$");
    t.Fixe(Table::MSG, 56, "misura Segmento");
    EXPECT_EQ(t.Msg(146), "mesure Segment$4$Longueur$img $comment$");
}

TEST(TablesTextes, Bornes) {
    TablesTextes t;
    EXPECT_TRUE(t.Fixe(Table::MSG, 255, "dernier"));
    EXPECT_TRUE(t.Fixe(Table::TINTAVAL, 0, "premier"));
    EXPECT_TRUE(t.Fixe(Table::MNUSTAT, 120, "dernier"));
    EXPECT_FALSE(t.Fixe(Table::MSG, 256, "x"));
    EXPECT_FALSE(t.Fixe(Table::MNUSTAT, 121, "x"));
    EXPECT_FALSE(t.Fixe(Table::MNU, -1, "x"));
    EXPECT_EQ(t.Msg(255), "dernier");
    EXPECT_EQ(t.Tintaval(0), "premier");
    EXPECT_EQ(t.MnuStat(120), "dernier");
    EXPECT_EQ(t.MnuStat(121), "");
    EXPECT_EQ(t.Msg(-1), "");
    EXPECT_EQ(t.Msg(256), "");
}

} // namespace
} // namespace orv
