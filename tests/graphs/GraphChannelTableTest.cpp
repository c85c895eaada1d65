// The channel table: its orders against the settings and the cursor
// messages, the pixel row of a value per channel rule, and the scale words.
#include "graphs/GraphChannelTable.h"

#include "settings/SettingsDefaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

using namespace graphs;

TEST(GraphChannelTableTest, NamesAndTagsFollowTheChannelNumbers) {
    for (int n = 1; n <= kChannelCount; ++n) {
        const GraphChannel& channel = *GraphChannelOf(n);
        EXPECT_EQ(channel.number, n);
        EXPECT_EQ(std::u16string(channel.name), std::u16string(settings::kChannelNames[n - 1])) << n;
        EXPECT_EQ(std::string(channel.tag), std::string(settings::kChannelTags[n - 1])) << n;
    }
    EXPECT_EQ(GraphChannelOf(0), nullptr);
    EXPECT_EQ(GraphChannelOf(19), nullptr);
}

// The trace lists run in the order of the cursor messages, whatever the channel order.
TEST(GraphChannelTableTest, TraceListsRunInTheOrderOfTheCursorMessages) {
    std::vector<const GraphChannel*> byMessage;
    for (const GraphChannel& channel : kGraphChannels)
        byMessage.push_back(&channel);
    std::sort(byMessage.begin(), byMessage.end(),
              [](const GraphChannel* a, const GraphChannel* b) { return a->message < b->message; });
    for (int i = 0; i < kChannelCount; ++i)
        EXPECT_EQ(byMessage[static_cast<std::size_t>(i)]->traceIndex, i) << byMessage[static_cast<std::size_t>(i)]->tag;
    EXPECT_EQ(GraphChannelOf(7)->message, 2005u);  // "Temp.1"
    EXPECT_EQ(GraphChannelOf(11)->message, 2012u); // "Volt"
    EXPECT_EQ(GraphChannelOf(18)->message, 2082u); // "ANA5"
}

TEST(GraphChannelTableTest, PrimaryChannelIsTheLowestSetBit) {
    EXPECT_EQ(PrimaryChannelOf(0), 0);
    EXPECT_EQ(PrimaryChannelOf(0x1), 1);
    EXPECT_EQ(PrimaryChannelOf(0x6), 2);
    EXPECT_EQ(PrimaryChannelOf(1u << 17), 18);
}

struct YCase {
    const char* what;
    int channel;
    std::int32_t value;
    int height;
    ChannelRange range;
    double ppu;
    std::int32_t minimum;
    int y;
};

class ValueToYTest : public ::testing::TestWithParam<YCase> {};

TEST_P(ValueToYTest, GivesTheRow) {
    const YCase& c = GetParam();
    EXPECT_EQ(ValueToY(*GraphChannelOf(c.channel), c.value, c.height, c.range, c.ppu, c.minimum), c.y) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ValueToYTest,
    ::testing::Values(
        YCase{"linear from 0", 1, 200, 100, {}, 0.25, 0, 50},
        YCase{"linear above a minimum, with an offset", 1, 1200, 100, {10, 90, 0, 1}, 0.25, 1000, 40},
        YCase{"linear rounds half away from 0", 2, 1202, 100, {10, 90, 0, 2}, 0.25, 1000, 40},
        YCase{"the minimum lies one row below the pane", 12, 0, 100, {}, 16.0, 0, 100},
        YCase{"G up", 3, 15, 100, {0, 100, 0, 3}, 10.0, 0, 35},
        YCase{"G down", 3, -15, 100, {0, 100, 0, 3}, 10.0, 0, 65},
        YCase{"G truncates its deviation", 4, 13, 100, {0, 100, 0, 4}, 2.5, 0, 47},
        YCase{"G truncates downward too", 4, -13, 100, {0, 100, 0, 4}, 2.5, 0, 53},
        YCase{"G at 0 on the centre", 3, 0, 100, {0, 100, 0, 3}, 10.0, 0, 50},
        YCase{"G centre of an odd band rounds", 3, 0, 100, {0, 99, 0, 3}, 10.0, 0, 51},
        YCase{"G centre of a raised band", 3, 10, 100, {20, 40, 0, 3}, 4.0, 0, 56},
        YCase{"Handle 100 on the pane's middle whatever the band", 9, 100, 101, {30, 20, 0, 9}, 0.5, 0, 51},
        YCase{"Handle above 100 up", 9, 110, 101, {30, 20, 0, 9}, 0.5, 0, 46},
        YCase{"Handle below 100 down", 9, 90, 101, {30, 20, 0, 9}, 0.5, 0, 56},
        YCase{"Angl up", 13, 10, 180, {0, 180, 0, 13}, 0.5, 0, 85},
        YCase{"Angl down", 13, -11, 180, {0, 180, 0, 13}, 0.5, 0, 95}));

TEST(GraphChannelTableTest, EachChannelGroupStoresItsOwnScaleWord) {
    struct Case {
        int channel;
        double span;
        orvelo::GraphScaleWords expected;
    };
    const Case cases[] = {
        {1, 7700, {.rpmSpan = 7700}},    {2, 160, {.speedSpan = 160}},  {3, 10, {.gSpan = 10.0f}},
        {4, 4, {.gSpan = 4.0f}},         {5, 30, {.press1Span = 30}},   {6, 40, {.press2Span = 40}},
        {7, 1024, {.tempSpan = 1024}},   {8, 1000, {.tempSpan = 1000}}, {9, 200, {.handleSpan = 200}},
        {10, 100, {.accelSpan = 100}},   {11, 20, {.voltSpan = 20.0f}}, {12, 8, {.gearSpan = 8}},
        {13, 180, {.anglSpan = 180}},    {16, 50, {.anaSpan = 50.0f}},
    };
    for (const Case& c : cases) {
        orvelo::GraphScaleWords words;
        StoreScaleSpan(*GraphChannelOf(c.channel), words, c.span);
        EXPECT_EQ(std::memcmp(&words, &c.expected, sizeof words), 0) << c.channel;
    }
}
