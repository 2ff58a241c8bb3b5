#include "base/ListeRecente.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

using Chemins = std::vector<std::string>;

TEST(ListeRecente, PlusRecentDabordSansDoubleHuitAuPlus) {
    ListeRecente l;
    for (int k = 1; k <= 9; ++k) l.Ajoute("/f" + std::to_string(k));
    EXPECT_EQ(l.Chemins(), (Chemins{"/f9", "/f8", "/f7", "/f6", "/f5", "/f4", "/f3", "/f2"}));
    l.Ajoute("/f4");
    l.Ajoute("");
    EXPECT_EQ(l.Chemins(), (Chemins{"/f4", "/f9", "/f8", "/f7", "/f6", "/f5", "/f3", "/f2"}));
    EXPECT_TRUE(l.Retire("/f8"));
    EXPECT_FALSE(l.Retire("/f8"));
    EXPECT_EQ(l.Chemins().size(), 7u);

    // As the settings file gives them: in order, a repeated one or a ninth left out.
    ListeRecente lue;
    for (const char* c : {"/a", "/b", "/a", "", "/c", "/d", "/e", "/f", "/g", "/h", "/i"})
        lue.Complete(c);
    EXPECT_EQ(lue.Chemins(), (Chemins{"/a", "/b", "/c", "/d", "/e", "/f", "/g", "/h"}));
}

} // namespace
} // namespace orv
