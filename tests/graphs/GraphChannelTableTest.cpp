// The pixel row of a value by each channel's rule.
#include "graphs/GraphChannelTable.h"

#include <gtest/gtest.h>

using namespace graphs;

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
        YCase{"G centre of an odd band rounds", 3, 0, 100, {0, 99, 0, 3}, 10.0, 0, 51},
        YCase{"G centre of a raised band", 3, 10, 100, {20, 40, 0, 3}, 4.0, 0, 56},
        YCase{"Handle 100 on the pane's middle whatever the band", 9, 100, 101, {30, 20, 0, 9}, 0.5, 0, 51},
        YCase{"Handle above 100 up", 9, 110, 101, {30, 20, 0, 9}, 0.5, 0, 46},
        YCase{"Handle below 100 down", 9, 90, 101, {30, 20, 0, 9}, 0.5, 0, 56},
        YCase{"Angl up", 13, 10, 180, {0, 180, 0, 13}, 0.5, 0, 85},
        YCase{"Angl down", 13, -11, 180, {0, 180, 0, 13}, 0.5, 0, 95}));
