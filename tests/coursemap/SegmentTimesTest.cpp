// Segment times measured on a lap's positions against a segment group, and the logger's own.
#include "coursemap/SegmentTimes.h"

#include "core/LapDataCore.h"
#include "core/LogFileReader.h"
#include "tools/SampleSession.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

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

// Lap 1 of a session whose logger started before the first lap line: its segment times are
// those it drove, measured from the line.
TEST(SegmentTimesTest, LapOneAfterAnOutLapMatchesTheDrivenTimes) {
    samplegen::SessionOptions options;
    options.laps = 3;
    options.variant = samplegen::Variant::OutLap;
    const samplegen::Session session = samplegen::GenerateSession(options);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.log"));
    ASSERT_TRUE(samplegen::WriteBytes(path.toStdString(), session.bytes));
    orvelo::LapDataCore core;
    ASSERT_EQ(orvelo::ReadLogFile(core, path.toStdU16String()), 0);
    const orvelo::Lap& lap = core.LogFiles.back().laps.at(0);

    // When the driven path passed a metre of lap 1, in seconds after the first lap line.
    const auto& points = session.positions;
    const auto line = std::find_if(points.begin(), points.end(), [](const auto& p) { return p.letter == 'L'; });
    ASSERT_NE(line, points.end());
    const auto drivenAt = [&](double metres) {
        const auto after = std::find_if(line, points.end(), [&](const auto& p) { return p.circuitMetres >= metres; });
        const auto before = after - 1;
        const double share = (metres - before->circuitMetres) / (after->circuitMetres - before->circuitMetres);
        return before->seconds + share * (after->seconds - before->seconds) - line->seconds;
    };
    const orvelo::SegmentGroup group = Group(3, {400, 800, static_cast<std::int32_t>(lap.distance)});
    const Times times = segtimes::MapTimes(lap, group);
    ASSERT_EQ(times.size(), 3u);
    const double truth[] = {drivenAt(400), drivenAt(800), drivenAt(session.circuitLength)};
    std::int64_t sum = 0;
    for (std::size_t k = 0; k < 3; ++k) {
        sum += times[k].value_or(0);
        EXPECT_NEAR(static_cast<double>(sum), truth[k] * 100.0, 20.0) << "segment " << k + 1; // two fixes apart
    }
}

}  // namespace
