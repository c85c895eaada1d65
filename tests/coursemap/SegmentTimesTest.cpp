// Segment times measured on a lap's positions against a segment group, and the logger's own.
#include "coursemap/SegmentTimes.h"

#include <gtest/gtest.h>

namespace {

using Times = std::vector<std::optional<std::int64_t>>;

// Positions every 5 m from `from` metres to `to`, 0.36 s apart, timed from the lap's start.
orvelo::Lap FiveMetreLap(std::uint32_t from, std::uint32_t to, std::uint32_t lapTime) {
    orvelo::Lap lap;
    lap.lapTime = lapTime;
    for (std::uint32_t d = from; d <= to; d += 5)
        lap.positions.push_back({.time = 36 * d / 5, .runningDistance = d});
    return lap;
}

orvelo::SegmentGroup Group(int segments, std::vector<std::int32_t> ends) {
    orvelo::SegmentGroup group;
    group.segmentCount = segments;
    for (std::int32_t end : ends)
        group.pairs.push_back({end, 0});
    return group;
}

TEST(SegmentTimesTest, BoundariesAreCrossedOnOrJustBeforeThemAndTheLastSegmentEndsAtTheLapLine) {
    struct Case {
        const char* what;
        orvelo::Lap lap;
        orvelo::SegmentGroup group;
        Times times;
    };
    const Case cases[] = {
        // 1000 m lies on a position (7200); 2002 m does not, the one at 2000 m (14400) is taken.
        {"on and before", FiveMetreLap(0, 2500, 20000), Group(3, {1000, 2002, 2500}), {7200, 7200, 5600}},
        {"one segment", FiveMetreLap(0, 2500, 20000), Group(1, {2500}), {20000}},
        {"no segment", FiveMetreLap(0, 2500, 20000), Group(0, {}), {}},
        {"positions end early", FiveMetreLap(0, 1500, 20000), Group(3, {1000, 2002, 2500}), {7200, 12800, std::nullopt}},
        {"boundary before the first position", FiveMetreLap(1200, 2500, 20000), Group(2, {1000, 2500}),
         {8640, 11360}},
        {"fewer pairs than boundaries", FiveMetreLap(0, 2500, 20000), Group(3, {1000}), {7200, 12800, std::nullopt}},
    };
    for (const Case& c : cases) {
        const Times times = segtimes::MapTimes(c.lap, c.group);
        EXPECT_EQ(times, c.times) << c.what;
        std::int64_t sum = 0;
        for (const auto& t : times)
            sum += t.value_or(0);
        if (!times.empty()) {
            EXPECT_EQ(sum, c.lap.lapTime) << c.what;
        }
    }
}

}  // namespace
