// The lap overview's zoom machine: levels, snapping, the way back to the full
// view in both modes, key zoom and the scrolls.
#include "graphs/LapOverviewZoom.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

using graphs::LapOverviewZoom;

struct State {
    int level, span, offset;
    bool operator==(const State&) const = default;
};
State Of(const LapOverviewZoom& z) { return {z.Level(), z.Span(), z.Offset()}; }

TEST(LapOverviewZoomTest, StepsZoomInWithSnappedShiftsAndComeBackToTheFullView) {
    struct Case {
        int mode;
        std::vector<std::tuple<int, bool>> clicks; // position, out
        State expected;
        bool lastChanged;
        int fullSpan = 2000;
    };
    const std::vector<Case> cases = {
        // Zoom-out at level 0 does nothing.
        {0, {{1000, true}}, {0, 0, 0}, false},
        // r = 1000, f = 400: k = 3; d = 1000, unit 200: shift 400. The first zoom-in leaves level 2.
        {0, {{1000, false}}, {2, 1000, 400}, true},
        // r = 100 below f: no shift.
        {0, {{100, false}}, {2, 1000, 0}, true},
        // Time: d = 1000, d / 5 = 200 snaps to 200; r = 3000, f = 400: k = 8, shift 1400.
        {1, {{3000, false}}, {2, 1000, 1400}, true},
        // Time: d / 5 = 40 is below the 100 grid.
        {1, {{0, false}, {0, false}, {0, false}}, {4, 250, 0}, true},
        // Five zoom-ins reach level 6; the sixth returns to the full view.
        {0, {{0, false}, {0, false}, {0, false}, {0, false}, {0, false}}, {6, 63, 0}, true},
        {0, {{0, false}, {0, false}, {0, false}, {0, false}, {0, false}, {0, false}}, {0, 0, 0}, true},
        // Distance zoom-out: d = trunc(1000 * 0.3) = 300 widens, the level drops by one;
        // r = 600, f = 200: k = 4, unit 60: the start moves back 180.
        {0, {{1000, false}, {1000, true}}, {1, 1300, 220}, true},
        // ... and from level 1 the zoom is cleared.
        {0, {{1000, false}, {1000, true}, {0, true}}, {0, 0, 0}, true},
        // Time zoom-out drops the level by two: from 2 it lands on 0, which clears the zoom.
        {1, {{0, false}, {0, true}}, {0, 0, 0}, true},
        {1, {{0, false}, {0, false}, {0, true}}, {1, 650, 0}, true},
        // An offset below 5 m after a zoom-out is 0.
        {0, {{500, false}, {1000, true}}, {1, 1300, 0}, true},
        // Spans below 5 zoom no further: 40 -> 20 -> 10 -> 5 -> 3, then nothing.
        {0, {{0, false}}, {0, 0, 0}, false, 4},
        {0, {{0, false}, {0, false}, {0, false}, {0, false}, {0, false}}, {5, 3, 0}, false, 40},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        LapOverviewZoom zoom;
        zoom.SetMode(cases[i].mode);
        bool changed = false;
        for (const auto& [position, out] : cases[i].clicks)
            changed = zoom.Step(position, out, cases[i].fullSpan);
        EXPECT_EQ(Of(zoom), cases[i].expected) << "case " << i;
        EXPECT_EQ(changed, cases[i].lastChanged) << "case " << i;
    }
}

TEST(LapOverviewZoomTest, KeyZoomKeepsTheRightEndAndStopsAtTheSmallestSpan) {
    LapOverviewZoom zoom;
    EXPECT_FALSE(zoom.KeyZoom(true, 2000));
    // From level 0 the first key zoom-in takes its step at once.
    EXPECT_TRUE(zoom.KeyZoom(false, 2000));
    EXPECT_EQ(Of(zoom), (State{1, 1995, 5}));
    EXPECT_TRUE(zoom.KeyZoom(true, 2000));
    EXPECT_EQ(Of(zoom), (State{1, 2000, 0}));
    // Out with the start already at 0 widens twice; the full span not above it stops at level 6.
    EXPECT_FALSE(zoom.KeyZoom(true, 2000));
    EXPECT_EQ(zoom.Level(), 6);

    LapOverviewZoom small;
    small.Step(0, false, 16); // level 2, span 8
    EXPECT_FALSE(small.KeyZoom(false, 16));
    EXPECT_EQ(Of(small), (State{6, 8, 0}));

    LapOverviewZoom time;
    time.SetMode(LapOverviewZoom::kTime);
    time.Step(0, false, 4000); // span 2000
    EXPECT_TRUE(time.KeyZoom(true, 4000));
    EXPECT_EQ(Of(time), (State{2, 2100, 0})); // start below 0: widened once more
}

TEST(LapOverviewZoomTest, ScrollsStepByTheSpanAndStopAtBothEnds) {
    struct Case {
        int mode, span, offset, key, visibleEnd;
        bool changed;
        int offsetAfter;
    };
    const std::vector<Case> cases = {
        {0, 1500, 0, 39, 1500, true, 100},    // 100 above 1000 m
        {0, 400, 0, 39, 400, true, 50},       // 50 above 300 m
        {0, 150, 0, 39, 150, true, 10},
        {0, 1500, 450, 39, 1950, true, 500},  // only up to the end: 2000 - 1950
        {0, 1500, 500, 39, 2000, false, 500}, // the end is shown
        {0, 1500, 105, 37, 1605, true, 0},    // 5 left is below 10
        {0, 1500, 0, 37, 1500, false, 0},
        {1, 12000, 0, 39, 12000, true, 1000}, // time: 1000 above 100 s
        {1, 2500, 0, 39, 2500, true, 200},
        {1, 1000, 0, 39, 1000, true, 100},
    };
    for (const Case& c : cases) {
        LapOverviewZoom zoom;
        zoom.SetMode(c.mode);
        zoom.SetFullSpan(c.mode == 1 ? 40000 : 2000);
        zoom.SetState(2, c.span, c.offset);
        EXPECT_EQ(zoom.KeyScroll(c.key, c.visibleEnd), c.changed) << c.span << " " << c.offset;
        EXPECT_EQ(zoom.Offset(), c.offsetAfter) << c.span << " " << c.offset;
    }
    // A drag scrolls by its own amount, forward as the right arrow does.
    LapOverviewZoom drag;
    drag.SetFullSpan(2000);
    drag.SetState(2, 1000, 300);
    EXPECT_TRUE(drag.DragScroll(true, 7, 1300));
    EXPECT_EQ(drag.Offset(), 307);
    EXPECT_TRUE(drag.DragScroll(false, 300, 1307));
    EXPECT_EQ(drag.Offset(), 0); // 7 is below 10
}

} // namespace
