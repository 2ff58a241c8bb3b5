// The list orvelle-sources hands the window: what a backend names with a tab
// or a line break cannot shift or split a source.
#include "acquisition/ListeSources.h"

#include <gtest/gtest.h>

using namespace orv;

TEST(ListeSources, NamesAndDescriptionsComeBackWhateverTheyHold) {
    const std::vector<SourceAcquisition> sources{
        {"epson2:libusb:001:004", "Epson\tGT-F700\n(flatbed scanner)"},
        {"camera:/dev/video0", ""},
        {"net:192.168.0.2:pixma", "Canon \xc3\xa9 MG"}};
    const auto relues = LitSources(EcritSources(sources) + "\n\tno name\n");
    ASSERT_EQ(relues.size(), 3u);
    EXPECT_EQ(relues[0].nom, "epson2:libusb:001:004");
    EXPECT_EQ(relues[0].description, "Epson GT-F700 (flatbed scanner)");
    EXPECT_EQ(relues[1].nom, "camera:/dev/video0");
    EXPECT_EQ(relues[1].description, "");
    EXPECT_EQ(relues[2].description, sources[2].description);
}
