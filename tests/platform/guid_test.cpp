#include "guid.h"

#include <gtest/gtest.h>

TEST(Guid, TextRoundTripAndRejectsMalformed)
{
    const auto g = GuidFromString("{44ba63d7-A24A-4CAB-a968-E3145152F265}");
    ASSERT_TRUE(g.has_value());
    EXPECT_EQ(g->Data1, 0x44BA63D7u);
    EXPECT_EQ(g->Data4[7], 0x65);
    EXPECT_EQ(GuidToString(*g), "{44BA63D7-A24A-4CAB-A968-E3145152F265}");
    EXPECT_EQ(GuidFromString(GuidToString(*g)), g);

    EXPECT_FALSE(GuidFromString("44BA63D7-A24A-4CAB-A968-E3145152F265"));
    EXPECT_FALSE(GuidFromString("{44BA63D7-A24A-4CAB-A968-E3145152F26G}"));
    EXPECT_FALSE(GuidFromString("{44BA63D7A-24A-4CAB-A968-E3145152F265}"));
    EXPECT_FALSE(GuidFromString(""));
}
