// The scale of a channel in a band: pixels per unit by channel, overrides,
// pressure range codes, divisors of 0, and the scale ticks.
#include "graphs/ChannelScale.h"

#include "GraphTestHost.h"

#include "settings/ChannelSettings.h"

#include <gtest/gtest.h>

using graphs::ChannelRange;
using graphs::ScaleTick;

namespace graphs {
void PrintTo(const ScaleTick& tick, std::ostream* os) {
    *os << "{y " << tick.y << ", value " << tick.value << (tick.major ? ", major}" : "}");
}
} // namespace graphs

namespace {

class ChannelScaleTest : public ::testing::Test {
protected:
    // The scale of channel n in a band of the height; range is updated.
    double Scale(int n, int height, ChannelRange range = {}) {
        scale.SetChannel(n);
        scale.SetBand(QRect(0, 0, 40, height));
        range.channel = n;
        last = range;
        return scale.ComputeScale(last);
    }
    ChannelValueRec& Limits(int n) { return host.Settings().Channels().ChannelValueTable()[n - 1]; }
    // The values of the ticks of the last scale, all or the major ones.
    std::vector<int> Ticks(int n, int lower, int upper, bool majorOnly, bool wide = false) {
        std::vector<ScaleTick> ticks{{1, 1, true}};
        scale.BuildScaleTicks(n, lower, upper, spacing, ticks, wide);
        std::vector<int> values;
        for (const ScaleTick& tick : ticks) {
            if (tick.major || !majorOnly)
                values.push_back(tick.value);
        }
        return values;
    }

    graphtest::TestGraphHost host;
    ChannelScale scale{host.Settings(), host.Core()};
    ChannelRange last;
    int spacing = -1;
};

TEST_F(ChannelScaleTest, PixelsPerUnitFollowTheChannelsRule) {
    EXPECT_DOUBLE_EQ(Scale(13, 180), 1.0); // "Angl": maximum 90 both ways in 180 px
    EXPECT_DOUBLE_EQ(Scale(3, 100), 10.0); // "G Horiz." 5 both ways
    EXPECT_DOUBLE_EQ(Scale(9, 200), 1.0);  // "Handle" 100 both ways
    EXPECT_DOUBLE_EQ(Scale(16, 250), 2.5); // "ANA3" 0 to 100
    EXPECT_DOUBLE_EQ(Scale(1, 200, {10, 0, 30, 0, 1000, 200, 0, 0.0f}), 0.2); // overrides, 200 - 30 - 10 px
    EXPECT_EQ(std::make_tuple(last.bandHeight, last.pixelsPerUnit, last.pressureFlag), std::make_tuple(160u, 0.2f, 0));
    EXPECT_DOUBLE_EQ(Scale(13, 180, {0, 0, 0, 0, 45, 0, 0, 0.0f}), 2.0);   // "Angl" takes the maximum override
    EXPECT_DOUBLE_EQ(Scale(13, 180, {0, 0, 0, 0, 0, -30, 0, 0.0f}), 1.0); // an override needs a maximum >= 1
}

// A divisor of 0 or less gives 0 pixels per unit, as does a channel outside 1 to 18.
TEST_F(ChannelScaleTest, NoDivisorGivesNoScale) {
    EXPECT_EQ(Scale(0, 120), 0.0);
    EXPECT_EQ(last.bandHeight, 120u);
    EXPECT_EQ(Scale(19, 120), 0.0);
    EXPECT_EQ(Scale(1, 120, {0, 0, 0, 0, 5, 9, 0, 0.0f}), 0.0);
    Limits(2).currentMax = Limits(2).currentMin = 50;
    EXPECT_EQ(Scale(2, 120), 0.0);
    Limits(13).currentMax = 0;
    EXPECT_EQ(Scale(13, 120), 0.0);
}

TEST_F(ChannelScaleTest, PressureFollowsItsSensorsRangeCode) {
    const std::tuple<int, int, double> expected[] = {{100, 1, 20}, {200, 2, 20}, {500, 5, 20}, {1000, 10, 20}, {0, 0, 0}};
    for (std::uint8_t code = 0; code <= 4; ++code) {
        host.Core().Press1RangeCode = code;
        host.Core().Press2RangeCode = static_cast<std::uint8_t>(4 - code);
        const double ppu = Scale(5, 200);
        EXPECT_EQ(std::make_tuple(scale.PressureFullScale(1), scale.PressureStep(1), ppu), expected[code]);
        EXPECT_EQ(last.pressureFlag, 1);
        EXPECT_EQ(Scale(6, 200), std::get<2>(expected[4 - code]));
    }
    EXPECT_EQ(host.Core().GraphScaleDefaults.press1Span, 10); // the span S
}

TEST_F(ChannelScaleTest, TicksTakeTheFirstStepWiderThanNinePixels) {
    Scale(1, 9, {0, 0, 0, 0, 1, 0, 0, 0.0f}); // 10 rpm would be 90 px, but the band is below 10 px
    EXPECT_TRUE(Ticks(1, 0, 20, false).empty());
    EXPECT_EQ(spacing, 0);
    Limits(1).currentMax = 1000;
    Scale(1, 500); // 10 is 5 px, 20 is 10 px: minor 20, major five times it
    EXPECT_EQ(Ticks(1, 0, 400, false).size(), 21u);
    EXPECT_EQ(Ticks(1, 0, 400, true), (std::vector<int>{0, 100, 200, 300, 400}));
    EXPECT_EQ(spacing, 50);
    Scale(2, 360); // "Speed": 10 is exactly 9 px
    EXPECT_EQ(Ticks(2, 0, 200, false).at(1), 20);
}

TEST_F(ChannelScaleTest, MajorStepsAndLabelSpacing) {
    Scale(10, 150); // "Accel" 1.5 px a unit: 10 has no major rule; first over 19 px 20, over 30 px 50
    EXPECT_EQ(Ticks(10, 0, 100, true), (std::vector<int>{0, 20, 40, 60, 80, 100}));
    EXPECT_EQ(Ticks(10, 0, 100, true, true), (std::vector<int>{0, 50, 100}));
    EXPECT_EQ(spacing, 75);
    Scale(9, 200); // "Handle" 1 px a unit: 10, major 50
    EXPECT_EQ(Ticks(9, 0, 200, true), (std::vector<int>{0, 50, 100, 150, 200}));
    Scale(13, 180); // "Angl" 1 px a degree: 10, major 20
    EXPECT_EQ(Ticks(13, -90, 90, true), (std::vector<int>{-80, -60, -40, -20, 0, 20, 40, 60, 80}));
    Scale(13, 540); // 3 px a degree: 5 (15 px), major 10
    EXPECT_EQ(Ticks(13, 0, 30, true), (std::vector<int>{0, 10, 20, 30}));
    Scale(12, 180, {20, 0, 0, 0, 0, 0, 0, 0.0f}); // "Gear" 20 px: every tick labelled, on the traces' rows
    std::vector<ScaleTick> ticks;
    scale.BuildScaleTicks(12, 0, 8, spacing, ticks, false);
    EXPECT_EQ(ticks.at(3), (ScaleTick{180 - 20 - 60, 3, true}));
}

TEST_F(ChannelScaleTest, GTicksAreInTenths) {
    Scale(3, 400); // 40 px a unit: tenths 5 (20 px), major 10
    std::vector<ScaleTick> ticks;
    scale.BuildScaleTicks(3, -5, 5, spacing, ticks, false);
    ASSERT_EQ(ticks.size(), 21u);
    EXPECT_EQ(std::make_tuple(ticks[0], ticks[1], ticks[20]),
              std::make_tuple(ScaleTick{400, -50, true}, ScaleTick{380, -45, false}, ScaleTick{0, 50, true}));
    EXPECT_EQ(spacing, 40);
    Scale(4, 100); // 10 px a unit: steps of 4 units; 4 does not divide 5, the major step is the range
    EXPECT_EQ(Ticks(4, -5, 5, false), (std::vector<int>{-40, 0, 40}));
    EXPECT_EQ(Ticks(4, -5, 5, true), (std::vector<int>{0}));
    Scale(3, 18); // 2 x 5 x ppu of 18 px or less
    EXPECT_TRUE(Ticks(3, -5, 5, false).empty());
}

} // namespace
