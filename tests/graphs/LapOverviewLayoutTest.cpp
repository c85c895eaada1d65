// Where a lap overview window goes and how it is divided, what a saved
// layout gives back, and the X axis's ranges and labels.
#include "graphs/LapOverviewLayout.h"
#include "graphs/XAxisScale.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace graphs;

TEST(LapOverviewLayoutTest, FirstPlacementShrinksWithWiderViews) {
    EXPECT_EQ(FirstPlacement(800, 1), QRect(10, 20, 760, 479));
    EXPECT_EQ(FirstPlacement(1600, 2), QRect(20, 40, 1280, 804));
    // 1000 px: d = 16 - 12 = 4 is held at 5.
    EXPECT_EQ(FirstPlacement(1000, 0).size(), QSize(800, 504));
    // 832 px: d = 16 - max(1, 2) = 14.
    EXPECT_EQ(FirstPlacement(832, 0).size(), QSize(767, 479));
}

TEST(LapOverviewLayoutTest, AreasLineTheXScaleUpWithTheGraphColumnInEveryBranch) {
    const FrameMetrics metrics{20, 4, 4};
    struct Case {
        int width, height;
        QRect channels, axis, segments;
    };
    const std::vector<Case> cases = {
        // 760 x 479: a = 47, b = 45; axis height 409..435 = 26, no branch.
        {760, 479, QRect(QPoint(23, 42), QPoint(712, 408)), QRect(QPoint(69, 409), QPoint(712, 444)),
         QRect(QPoint(69, 5), QPoint(712, 41))},
        // Tall: the axis would be over 46 px, so it starts 56 px above the bottom frame.
        {760, 900, QRect(QPoint(23, 64), QPoint(712, 819)), QRect(QPoint(69, 820), QPoint(712, 865)),
         QRect(QPoint(69, 5), QPoint(712, 63))},
        // Flat: under 26 px, the axis runs down to the bottom frame.
        {400, 200, QRect(QPoint(12, 29), QPoint(374, 183)), QRect(QPoint(37, 184), QPoint(374, 175)),
         QRect(QPoint(37, 5), QPoint(374, 28))},
    };
    for (const Case& c : cases) {
        const LapOverviewAreas areas = ComputeAreas(c.width, c.height, metrics);
        EXPECT_EQ(areas.channels, c.channels) << c.width << "x" << c.height;
        EXPECT_EQ(areas.xAxis, c.axis) << c.width << "x" << c.height;
        EXPECT_EQ(areas.segments, c.segments) << c.width << "x" << c.height;
        // The graph column starts a scale column and a gap right of the channel area.
        EXPECT_EQ(areas.xAxis.left(), areas.channels.left() + ScaleColumnWidth(areas.channels.width()) + kColumnGap);
        EXPECT_EQ(areas.xAxis.right(), areas.channels.right());
    }
    EXPECT_EQ(std::make_pair(RowMinimumHeight(60), RowMinimumHeight(366)), std::make_pair(5, 18));

    // The room the labels need: a flat axis is raised into the rows, a narrow column widened; where
    // there is room already, nothing moves.
    const LabelRoom room{40, 12};
    const LapOverviewAreas flat = ComputeAreas(400, 200, metrics, room);
    EXPECT_EQ(flat.xAxis, QRect(QPoint(55, 164), QPoint(374, 175)));
    EXPECT_EQ(flat.channels, QRect(QPoint(12, 29), QPoint(374, 163)));
    EXPECT_EQ(flat.segments.left(), flat.xAxis.left());
    const LapOverviewAreas roomy = ComputeAreas(760, 479, metrics, {20, 12});
    EXPECT_EQ(std::make_tuple(roomy.channels, roomy.xAxis, roomy.segments),
              std::make_tuple(cases[0].channels, cases[0].axis, cases[0].segments));
    EXPECT_TRUE(HoldsRows({400, 200}, 3, metrics, room));
}

TEST(LapOverviewLayoutTest, SavedLayoutsGiveBackOnlyWhatHoldsTogether) {
    struct Case {
        WorkAreaWindowProp record;
        std::vector<std::int32_t> heights;
        std::uint32_t mask;
        int rows;
        bool placed;
        std::size_t heightsTaken;
    };
    const std::vector<Case> cases = {
        {{2, 1, 1, 10, 20, 770, 499, 0x13, 3, 1}, {100, 120, 90}, 0x13, 3, true, 3},
        {{2, 1, 1, 10, 20, 770, 499, 0x13, 0, 0}, {100, 120, 90}, 0x13, 3, true, 3}, // rows 0
        {{2, 1, 1, 10, 20, 770, 499, 0x3, 30, 0}, {1, 2, 3, 4}, 0x3, 2, true, 0},    // rows 30, odd heights
        {{2, 1, 1, 10, 20, 770, 499, 0, 2, 0}, {100, 100}, 0x3, 2, true, 2},        // mask 0
        {{2, 1, 1, 10, 20, 10, 499, 0x3FFFF, 18, 0}, {}, 0x3FFFF, 18, false, 0},      // no width
        {{2, 1, 1, 10, 20, 770, -5, 0xFFFFFFFF, 2, 7}, {}, 0x3FFFF, 18, false, 0},
    };
    for (const Case& c : cases) {
        const RestoredLayout layout = SaneLayout(c.record, c.heights);
        EXPECT_EQ(layout.mask, c.mask);
        EXPECT_EQ(layout.rows, c.rows);
        EXPECT_EQ(layout.placed, c.placed);
        EXPECT_EQ(layout.heights.size(), c.heightsTaken);
        EXPECT_EQ(static_cast<int>(ChannelsOf(layout.mask).size()), layout.rows);
    }
    EXPECT_EQ(SaneLayout({2, 1, 1, 10, 20, 770, 499, 3, 2, 1}, {}).place, QRect(10, 20, 760, 479));
    EXPECT_EQ(ChannelsOf(0x41), (std::vector<int>{1, 7}));
}

TEST(XAxisScaleTest, RangesChooseTheirStepsAndLabels) {
    XAxisRange range;
    // 200 s: a tick every 30 s, each labelled.
    ASSERT_TRUE(ComputeXAxisRange(range, 1, false, 20000, 700, 0));
    EXPECT_EQ(range.step, 3000);
    EXPECT_EQ(range.minorCount, 1);
    std::vector<QString> labels;
    for (const XAxisTick& tick : XAxisTicks(range, 20000, 0, 700)) {
        if (tick.labelled)
            labels.push_back(tick.label);
    }
    EXPECT_EQ(labels, (std::vector<QString>{"30", "1.00", "1.30", "2.00", "2.30", "3.00"}));
    // 1500 m in 700 px: the fine rule with 10, r = 4.
    ASSERT_TRUE(ComputeXAxisRange(range, 0, false, 1500, 700, 0));
    EXPECT_EQ(range.step, 50);
    EXPECT_EQ(range.minorCount, 2);
    const auto ticks = XAxisTicks(range, 1500, 0, 700);
    ASSERT_GE(ticks.size(), 3u);
    EXPECT_EQ(ticks[1].x, 23); // 50 m at 0.4667 px/m
    EXPECT_TRUE(ticks[2].labelled);
    EXPECT_EQ(ticks[2].label, "100");
    // 4000 m counted in 1600-m units: 2.5 units, steps of 0.2.
    ASSERT_TRUE(ComputeXAxisRange(range, 0, true, 4000, 500, 0));
    EXPECT_DOUBLE_EQ(range.mileSpan, 2.5);
    EXPECT_DOUBLE_EQ(range.mileStep, 0.2);
    EXPECT_EQ(XAxisTicks(range, 4000, 0, 500)[5].label, "1.000000");
    // Over 5000 m: 10-m multiples spanning 5 px; 20000 m in 400 px need 250 m: step 500.
    ASSERT_TRUE(ComputeXAxisRange(range, 0, false, 20000, 400, 0));
    EXPECT_EQ(range.step, 500);
    ASSERT_TRUE(ComputeXAxisRange(range, 0, false, 3000, 1000, 0)); // n = 20 -> 100
    EXPECT_EQ(range.step, 100);
    ASSERT_TRUE(ComputeXAxisRange(range, 0, false, 80, 600, 0));    // k = 5, r = 37
    EXPECT_EQ(range.step, 5);
    EXPECT_EQ(range.minorCount, 2);
    // A zoom start: ticks begin at the first step boundary at or after it.
    ASSERT_TRUE(ComputeXAxisRange(range, 0, false, 1500, 700, 120));
    EXPECT_EQ(range.wholeSteps, 2);
    EXPECT_EQ(range.remainder, 20);
    EXPECT_EQ(XAxisTicks(range, 1500, 120, 700)[0].x, 14);
    EXPECT_EQ(TimeLabel(6500), "1.05");
}

TEST(XAxisScaleTest, StripsAndSpansTooSmallForAScaleChangeNothing) {
    XAxisRange range;
    ASSERT_TRUE(ComputeXAxisRange(range, 0, false, 1500, 700, 0));
    const XAxisRange before = range;
    for (auto [mode, span, width] : std::vector<std::tuple<int, int, int>>{
             {0, 20000, 0}, {0, 20000, -3}, {1, 9, 700}, {0, 0, 700}, {1, 20000, 0}, {0, 2000000000, 1}}) {
        EXPECT_FALSE(ComputeXAxisRange(range, mode, false, span, width, 0)) << mode << " " << span << " " << width;
        EXPECT_EQ(range.step, before.step);
        EXPECT_EQ(range.pixelsPerUnit, before.pixelsPerUnit);
    }
}

} // namespace
