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
    // The scale of channel n in a band of the height, from the range.
    double Scale(int n, int height, ChannelRange& range) {
        ChannelScale scale(host.Settings(), host.Core());
        scale.SetChannel(n);
        scale.SetBand(QRect(0, 0, 300, height));
        range.channel = n;
        return scale.ComputeScale(range);
    }
    double Scale(int n, int height, ChannelRange&& range = {}) { return Scale(n, height, range); }
    ChannelValueRec& Limits(int n) { return host.Settings().Channels().ChannelValueTable()[n - 1]; }

    graphtest::TestGraphHost host;
};

TEST_F(ChannelScaleTest, PixelsPerUnitFollowTheChannelsRule) {
    EXPECT_DOUBLE_EQ(Scale(13, 180), 1.0);    // "Angl": maximum 90 in 180 pixels, both ways
    EXPECT_DOUBLE_EQ(Scale(1, 200), 0.01);    // "RPM" 0 to 20000
    EXPECT_DOUBLE_EQ(Scale(3, 100), 10.0);    // "G Horiz." 5 both ways
    EXPECT_DOUBLE_EQ(Scale(9, 200), 1.0);     // "Handle" 100 both ways
    EXPECT_DOUBLE_EQ(Scale(16, 250), 2.5);    // "ANA3" 0 to 100
    ChannelRange range{10, 0, 30, 0, 1000, 200, 0, 0.0f};
    EXPECT_DOUBLE_EQ(Scale(1, 200, range), 0.2); // overrides, band 200 - 30 - 10
    EXPECT_EQ(range.bandHeight, 160u);
    EXPECT_FLOAT_EQ(range.pixelsPerUnit, 0.2f);
    EXPECT_EQ(range.pressureFlag, 0);
    EXPECT_DOUBLE_EQ(Scale(13, 180, {0, 0, 0, 0, 45, 0, 0, 0.0f}), 2.0); // "Angl" takes the maximum override
    EXPECT_DOUBLE_EQ(Scale(13, 180, {0, 0, 0, 0, 0, -30, 0, 0.0f}), 1.0); // an override needs a maximum of 1 or more
}

TEST_F(ChannelScaleTest, PressureFollowsItsSensorsRangeCode) {
    struct Case {
        std::uint8_t code;
        std::int32_t fullScale, step;
        double ppu;
    };
    const Case cases[] = {{0, 100, 1, 20.0}, {1, 200, 2, 20.0}, {2, 500, 5, 20.0}, {3, 1000, 10, 20.0}, {4, 0, 0, 0.0}};
    for (const Case& c : cases) {
        for (int sensor = 1; sensor <= 2; ++sensor) {
            host.Core().Press1RangeCode = sensor == 1 ? c.code : 0;
            host.Core().Press2RangeCode = sensor == 2 ? c.code : 7;
            ChannelScale scale(host.Settings(), host.Core());
            scale.SetChannel(4 + sensor);
            scale.SetBand(QRect(0, 0, 50, 200));
            ChannelRange range{0, 0, 0, 4 + sensor, 0, 0, 0, 0.0f};
            EXPECT_DOUBLE_EQ(scale.ComputeScale(range), c.ppu) << int(c.code) << " " << sensor;
            EXPECT_EQ(range.pressureFlag, 1);
            EXPECT_EQ(scale.PressureFullScale(sensor), c.fullScale);
            EXPECT_EQ(scale.PressureStep(sensor), c.step);
        }
    }
    const orvelo::GraphScaleWords& words = host.Core().GraphScaleDefaults;
    EXPECT_EQ(std::make_pair(words.press1Span, words.press2Span), std::make_pair(10, 10)); // the span S
}

// A divisor of 0 or less gives 0 pixels per unit, as does a channel outside 1 to 18.
TEST_F(ChannelScaleTest, NoDivisorGivesNoScale) {
    ChannelRange outside;
    EXPECT_EQ(Scale(0, 120, outside), 0.0);
    EXPECT_EQ(outside.bandHeight, 120u);
    EXPECT_EQ(Scale(19, 120), 0.0);
    Limits(2).currentMax = Limits(2).currentMin = 50;
    EXPECT_EQ(Scale(2, 120), 0.0);
    Limits(4).currentMax = Limits(4).currentMin;
    EXPECT_EQ(Scale(4, 120), 0.0);
    Limits(13).currentMax = 0;
    EXPECT_EQ(Scale(13, 120), 0.0);
    EXPECT_EQ(Scale(1, 120, {0, 0, 0, 0, 5, 9, 0, 0.0f}), 0.0);
    EXPECT_EQ(Scale(1, 20, {15, 0, 15, 0, 0, 0, 0, 0.0f}), 0.0); // margins above the band
}

class ScaleTicksTest : public ChannelScaleTest {
protected:
    // Ticks of channel n over lower..upper for a band whose height gives ppu.
    std::vector<ScaleTick> Ticks(int n, int height, int lower, int upper, bool wide = false,
                                 ChannelRange range = {}) {
        ChannelScale scale(host.Settings(), host.Core());
        scale.SetChannel(n);
        scale.SetBand(QRect(0, 0, 40, height));
        range.channel = n;
        scale.ComputeScale(range);
        std::vector<ScaleTick> ticks{{1, 1, true}};
        scale.BuildScaleTicks(n, lower, upper, spacing, ticks, wide);
        return ticks;
    }
    static std::vector<int> Values(const std::vector<ScaleTick>& ticks, bool majorOnly) {
        std::vector<int> values;
        for (const ScaleTick& tick : ticks) {
            if (tick.major || !majorOnly)
                values.push_back(tick.value);
        }
        return values;
    }
    int spacing = -1;
};

TEST_F(ScaleTicksTest, ABandBelowTenPixelsHasNoTicks) {
    // "RPM" limited to 0..1: 10 would be 90 pixels.
    EXPECT_TRUE(Ticks(1, 9, 0, 20, false, {0, 0, 0, 0, 1, 0, 0, 0.0f}).empty());
    EXPECT_EQ(spacing, 0);
    EXPECT_EQ(Ticks(1, 10, 0, 20, false, {0, 0, 0, 0, 1, 0, 0, 0.0f}).size(), 3u);
}

TEST_F(ScaleTicksTest, MinorStepIsTheFirstWiderThanNinePixels) {
    // "RPM" 0..1000 in 500 pixels: 10 is 5 px, 20 is 10 px; 20 px is no label
    // spacing, so 20 takes five times itself as major step.
    Limits(1).currentMax = 1000;
    const std::vector<ScaleTick> ticks = Ticks(1, 500, 0, 400);
    ASSERT_EQ(ticks.size(), 21u);
    EXPECT_EQ(ticks.front(), (ScaleTick{500, 0, true}));
    EXPECT_EQ(ticks[1], (ScaleTick{490, 20, false}));
    EXPECT_EQ(Values(ticks, true), (std::vector<int>{0, 100, 200, 300, 400}));
    EXPECT_EQ(spacing, 50);
    // "Speed" 0..400 in 360 px: 10 is exactly 9 px, so 20 (18 px) is the minor step.
    Limits(2).currentMax = 400;
    EXPECT_EQ(Values(Ticks(2, 360, 0, 200), false).at(1), 20);
    EXPECT_EQ(Values(Ticks(2, 360, 0, 200), true), (std::vector<int>{0, 100, 200}));
}

TEST_F(ScaleTicksTest, LabelSpacingIsNineteenOrThirtyWide) {
    // "Accel" 0..100 in 150 px: 10 (15 px) has no major rule; the first step
    // over 19 px is 20, over 30 px 50.
    EXPECT_EQ(Values(Ticks(10, 150, 0, 100), true), (std::vector<int>{0, 20, 40, 60, 80, 100}));
    EXPECT_EQ(Values(Ticks(10, 150, 0, 100, true), true), (std::vector<int>{0, 50, 100}));
    EXPECT_EQ(spacing, 75);
    // 0..20 in 80 px: 5 is 20 px, wide enough to label every tick, but not
    // with the wide spacing: 5 then takes twice itself.
    Limits(10).currentMax = 20;
    EXPECT_EQ(Values(Ticks(10, 80, 0, 20), true), (std::vector<int>{0, 5, 10, 15, 20}));
    EXPECT_EQ(Values(Ticks(10, 80, 0, 20, true), true), (std::vector<int>{0, 10, 20}));
    // "Volt" 0..20 in 18 px: no step is wider than 9 px.
    EXPECT_TRUE(Ticks(11, 18, 0, 20).empty());
}

// "Handle" and "Angl" take a major step of five or two times the minor one.
TEST_F(ScaleTicksTest, HandleAndAnglMajorSteps) {
    // "Handle" 2 x 100 in 200 px: 1 px per unit, minor 10, major 50.
    EXPECT_EQ(Values(Ticks(9, 200, 0, 200), true), (std::vector<int>{0, 50, 100, 150, 200}));
    // "Angl" 2 x 90 in 180 px: minor 10, major 20.
    EXPECT_EQ(Values(Ticks(13, 180, -90, 90), true),
              (std::vector<int>{-80, -60, -40, -20, 0, 20, 40, 60, 80}));
    // "Angl" in 540 px: 3 px per degree, minor 5 (15 px), major 10.
    EXPECT_EQ(Values(Ticks(13, 540, 0, 30), true), (std::vector<int>{0, 10, 20, 30}));
    EXPECT_EQ(Values(Ticks(13, 540, 0, 30), false).size(), 7u);
}

TEST_F(ScaleTicksTest, TicksSitOnTheTracesRows) {
    // A raised "Gear" band: value v lies at H - bottom - (v - lower) ppu, like
    // its trace; 20 px a gear labels every one.
    const std::vector<ScaleTick> ticks = Ticks(12, 180, 0, 8, false, {20, 0, 0, 0, 0, 0, 0, 0.0f});
    ASSERT_EQ(ticks.size(), 9u);
    EXPECT_EQ(ticks[3], (ScaleTick{180 - 20 - 60, 3, true}));
}

TEST_F(ScaleTicksTest, GWorksInTenths) {
    // 400 px for 2 x 5 g: 40 px a unit; tenths 5 (20 px) minor, 10 (40 px) major.
    std::vector<ScaleTick> ticks = Ticks(3, 400, -5, 5);
    ASSERT_EQ(ticks.size(), 21u);
    EXPECT_EQ(ticks.front(), (ScaleTick{400, -50, true}));
    EXPECT_EQ(ticks[1], (ScaleTick{380, -45, false}));
    EXPECT_EQ(ticks.back(), (ScaleTick{0, 50, true}));
    EXPECT_EQ(spacing, 40);
    // 100 px: 10 px a unit, so steps of 4 units; 4 does not divide 5, the major step is the range.
    ticks = Ticks(4, 100, -5, 5);
    EXPECT_EQ(Values(ticks, false), (std::vector<int>{-40, 0, 40}));
    EXPECT_EQ(Values(ticks, true), (std::vector<int>{0}));
    // 2 x 5 x ppu of 18 px or less: no ticks.
    EXPECT_TRUE(Ticks(3, 18, -5, 5).empty());
}

} // namespace
