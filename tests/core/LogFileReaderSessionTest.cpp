// Both readers against every generated session shape and the truth the generator keeps.
#include "core/LapDataCore.h"
#include "core/LapTimeText.h"
#include "core/LogBytes.h"
#include "core/LogFileReader.h"

#include "tools/SampleSession.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace orvelo {
namespace {

using samplegen::ExpectedLap;
using samplegen::LapClose;
using samplegen::Session;
using samplegen::Variant;

constexpr double kDegree = 0.017453292522222223;

bool HoldsRange(const Lap& lap, const Session& session, std::pair<std::size_t, std::size_t> range)
{
    if (lap.records.size() != range.second - range.first)
        return false;
    for (std::size_t k = range.first; k < range.second; ++k) {
        if (std::memcmp(lap.records[k - range.first].bytes.data(), session.bytes.data() + k * kRecordSize,
                        kRecordSize) != 0)
            return false;
    }
    return true;
}

std::size_t SampleRecordsIn(const Session& session, std::size_t first, std::size_t end)
{
    std::size_t count = 0;
    for (std::size_t k = first; k < end; ++k)
        count += KindOfRecord(session.bytes.data() + k * kRecordSize) != RecordKind::Position ? 1 : 0;
    return count;
}

class LogFileReaderSessionTest : public ::testing::TestWithParam<Variant> {
protected:
    static samplegen::SessionOptions Options(Variant variant)
    {
        samplegen::SessionOptions options;
        options.variant = variant;
        options.laps = 4;
        options.seed = 11 + static_cast<std::uint64_t>(variant);
        options.rateMode = static_cast<int>(variant) % 4;
        options.otherKindEverySeconds = 7.0;
        options.circuitLength = 600.0;
        return options;
    }

    // The fields every reader takes from a complete lap.
    static void ExpectLap(const Lap& lap, const ExpectedLap& truth, const Session& session, bool mapFile)
    {
        SCOPED_TRACE("lap " + std::to_string(truth.number));
        EXPECT_EQ(lap.lapNumber, std::uint32_t(truth.number));
        EXPECT_EQ(lap.lapTime, truth.lapTime);
        char text[16];
        FormatLapTimeA(truth.lapTime, text);
        EXPECT_STREQ(lap.lapTimeText, text);
        EXPECT_EQ(lap.distance, truth.distance);
        EXPECT_EQ(lap.sampleCount, std::int32_t(truth.sampleCount));
        EXPECT_EQ(lap.positionCount, std::int32_t(truth.positionCount));
        EXPECT_EQ(lap.recordCount, std::int32_t(truth.recordCount));
        EXPECT_TRUE(HoldsRange(lap, session, {truth.firstRecord, truth.endRecord}));
        EXPECT_EQ(lap.positions.size(), truth.positionRecords);
        EXPECT_EQ(lap.savedCourseMark, mapFile && truth.savedCourseMark ? 1 : 0);
        // A fix that closes a lap counts for the lap it opens, so laps closed that way differ.
        if (truth.closedBy != LapClose::GpsFix)
            EXPECT_EQ(lap.gpsSign, truth.gpsSign ? 1 : 0);
        if (lap.positions.empty())
            EXPECT_EQ(lap.gpsSign, 0);
        for (std::size_t k = 0; k < lap.positions.size(); ++k) {
            const bool last = k + 1 == lap.positions.size();
            EXPECT_EQ(lap.positions[k].lapEndMark, last ? 0xFF : 0) << k;
        }
        if (!mapFile)
            EXPECT_EQ(lap.samples.size(), SampleRecordsIn(session, truth.firstRecord, truth.endRecord));
        if (!mapFile && truth.closedBy == LapClose::LapLine && !lap.samples.empty())
            EXPECT_EQ(lap.samples.back().runningLapTime, truth.lapTime);
    }

    static void ExpectFileTotals(const LogFile& file, const Session& session)
    {
        EXPECT_EQ(file.lapCount, std::int32_t(session.lapCount));
        EXPECT_EQ(file.totalTime, session.totalTime);
        EXPECT_EQ(file.totalDistance, session.totalDistance);
        EXPECT_EQ(file.lowestLapNumber, session.lowestLap);
        EXPECT_EQ(file.highestLapNumber, session.highestLap);
        EXPECT_EQ(file.loadState, 2);
        for (std::size_t k = 0; k < file.laps.size(); ++k)
            EXPECT_EQ(file.laps[k].lastLapMark, k + 1 == file.laps.size() ? 0xFF : 0) << k;
    }

    // Every decoded fix against the signed degrees the generator wrote.
    static void ExpectCoordinates(const LogFile& file, const Session& session)
    {
        std::vector<const PositionRec*> positions;
        for (const auto* laps : {&file.laps, &file.trailingLaps})
            for (const Lap& lap : *laps)
                for (const PositionRec& position : lap.positions)
                    positions.push_back(&position);
        ASSERT_EQ(positions.size(), session.positions.size());
        for (std::size_t k = 0; k < positions.size(); ++k) {
            EXPECT_NEAR(positions[k]->latitude, session.positions[k].latitude * kDegree, 1e-8) << k;
            EXPECT_NEAR(positions[k]->longitude, session.positions[k].longitude * kDegree, 1e-8) << k;
        }
    }

    LapDataCore core;
    test::ScratchFolder folder;
};

TEST_P(LogFileReaderSessionTest, LogReaderReproducesTheSession)
{
    const Session session = samplegen::GenerateSession(Options(GetParam()));
    ASSERT_FALSE(session.laps.empty());
    ASSERT_EQ(ReadLogFile(core, folder.Write("session.dat", session.bytes)), session.expectedReadResult);
    const LogFile& file = core.LogFiles.back();
    const std::size_t complete = session.laps.size();
    for (std::size_t k = 0; k < complete && k < file.laps.size(); ++k)
        ExpectLap(file.laps[k], session.laps[k], session, false);

    if (session.expectedReadResult != 0) {
        EXPECT_EQ(file.laps.size(), complete + 1); // the lap being read when the data broke off
        return;
    }
    ExpectFileTotals(file, session);
    EXPECT_EQ(file.laps.size(), complete + (session.emptyLastLap ? 1 : 0));
    if (session.emptyLastLap) {
        EXPECT_EQ(file.laps.back().lapNumber, 0u);
        EXPECT_TRUE(HoldsRange(file.laps.back(), session, *session.emptyLastLap));
    }
    ASSERT_EQ(file.trailingLaps.size(), session.trailingLap ? 1u : 0u);
    if (session.trailingLap)
        EXPECT_TRUE(HoldsRange(file.trailingLaps[0], session, *session.trailingLap));
    if (session.hasGps)
        ExpectCoordinates(file, session);
}

TEST_P(LogFileReaderSessionTest, CourseMapReaderReproducesOneLap)
{
    for (const bool mark : {false, true}) {
        const Session session = samplegen::GenerateMapFile(Options(GetParam()), 2, mark);
        ASSERT_EQ(ReadMapFile(core, folder.Write("course.dat", session.bytes)), session.expectedReadResult);
        const LogFile& file = core.MapFiles.back();
        ASSERT_EQ(file.laps.size(), session.laps.size());
        for (std::size_t k = 0; k < file.laps.size(); ++k)
            ExpectLap(file.laps[k], session.laps[k], session, true);
        if (session.expectedReadResult != 0)
            continue;
        ExpectFileTotals(file, session);
        ASSERT_EQ(file.trailingLaps.size(), session.trailingLap ? 1u : 0u);
        if (session.trailingLap)
            EXPECT_TRUE(HoldsRange(file.trailingLaps[0], session, *session.trailingLap));
        EXPECT_TRUE(core.ScratchRecords.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, LogFileReaderSessionTest, ::testing::ValuesIn(samplegen::AllVariants()),
                         [](const ::testing::TestParamInfo<Variant>& info) {
                             std::string name;
                             for (char c : samplegen::VariantName(info.param))
                                 if (std::isalnum(static_cast<unsigned char>(c)))
                                     name += c;
                             return name;
                         });

} // namespace
} // namespace orvelo
