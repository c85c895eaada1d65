// The record rules of both readers, on record sequences built by hand.
#include "core/LapDataCore.h"
#include "core/LogBytes.h"
#include "core/LogFileReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

namespace orvelo {
namespace {

using test::LogBytes;

class LapFileReaderTest : public ::testing::Test {
protected:
    const LogFile& ReadLog(const LogBytes& log, const std::string& name = "run.dat")
    {
        EXPECT_EQ(ReadLogFile(core, folder.Write(name, log.bytes)), 0);
        return core.LogFiles.back();
    }
    const LogFile& ReadMap(const LogBytes& log, const std::string& name = "course.dat")
    {
        EXPECT_EQ(ReadMapFile(core, folder.Write(name, log.bytes)), 0);
        return core.MapFiles.back();
    }
    // True when the lap's raw records are records [first, end) of the bytes, each followed by 4 zeros.
    static bool HoldsRecords(const Lap& lap, const LogBytes& log, std::size_t first, std::size_t end)
    {
        if (lap.records.size() != end - first)
            return false;
        for (std::size_t k = first; k < end; ++k) {
            const auto& r = lap.records[k - first].bytes;
            if (std::memcmp(r.data(), log.Record(k), kRecordSize) != 0 || r[64] || r[65] || r[66] || r[67])
                return false;
        }
        return true;
    }
    // Samples (20 s, 5 m), a fix, (30, 7), lap end 3 (10, 2), then the closing record.
    static LogBytes WorkedExample()
    {
        LogBytes log;
        log.Sample(20, 5).Gps(4, 3).Sample(30, 7).LapEnd(3, 10, 2);
        return log;
    }

    LapDataCore core;
    test::ScratchFolder folder;
};

// ---- the log reader --------------------------------------------------------------------------
// Counts, texts, totals and record ranges of every lap shape are checked on generated sessions
// (LogFileReaderTest); these cases hold the offsets and restarts that only hand-built records reach.

TEST_F(LapFileReaderTest, LapClosedByLapLine)
{
    LogBytes log = WorkedExample();
    log.LapLine(6543, 3);
    const LogFile& file = ReadLog(log);
    ASSERT_EQ(file.laps.size(), 2u);
    const Lap& lap = file.laps[0];
    EXPECT_EQ(lap.distance, 14u);
    EXPECT_TRUE(HoldsRecords(lap, log, 0, 5)); // through the closing lap line
    ASSERT_EQ(lap.samples.size(), 3u);
    EXPECT_EQ(lap.samples[1].runningLapTime, 50u);
    EXPECT_EQ(lap.samples[2].positionIndex, 1u);
    ASSERT_EQ(lap.positions.size(), 2u);
    EXPECT_EQ(lap.positions[0].time, 24u);           // offset 4 after T = 20
    EXPECT_EQ(lap.positions[0].runningDistance, 8u); // offset 3 after D = 5
    // The lap line: its time, the position records so far (itself included), its word, the distance.
    const PositionRec& line = lap.positions[1];
    EXPECT_EQ(std::make_tuple(line.time, line.recordWord, line.lapLineWord, line.runningDistance),
              std::make_tuple(6543u, 2u, 3u, 14u));
    EXPECT_EQ(file.laps[1].lastLapMark, 0xFF); // the empty lap after the last lap line
}

TEST_F(LapFileReaderTest, LapClosedByGpsFixOpensTheNextLap)
{
    LogBytes log = WorkedExample();
    log.Gps(4, 6);
    const LogFile& file = ReadLog(log);
    ASSERT_EQ(file.laps.size(), 1u);
    EXPECT_EQ(file.laps[0].lapTime, 60u);
    EXPECT_TRUE(HoldsRecords(file.laps[0], log, 0, 5)); // the closing fix's bytes stay with the closed lap
    ASSERT_EQ(file.trailingLaps.size(), 1u);
    const Lap& next = file.trailingLaps[0];
    ASSERT_EQ(next.positions.size(), 1u);
    EXPECT_EQ(next.positions[0].time, 4u);            // its own offset, not after T
    EXPECT_EQ(next.positions[0].runningDistance, 6u); // measured from the new lap's start
    EXPECT_TRUE(next.records.empty());
}

TEST_F(LapFileReaderTest, GpsSignNeedsMoreValidThanInvalidFixes)
{
    LogBytes log;
    log.Sample(10, 1).Gps(1, 0, false).Gps(2).LapEnd(1, 10, 1).LapLine(20);     // -1 +1 +1
    log.Sample(10, 1).Gps(1, 0, false).LapEnd(2, 10, 1).LapLine(20);            // -1 +1
    log.Sample(10, 1).Gps(1, 0, false).Other('X').LapEnd(3, 10, 1).LapLine(20); // other kinds count too
    // Lap 4: one invalid fix; the fix that closes it is valid but counts for lap 5.
    log.Sample(10, 1).Gps(0, 0, false).LapEnd(4, 10, 1).Gps(1).Sample(10, 1).Gps(2).LapLine(40);
    const LogFile& file = ReadLog(log);
    ASSERT_EQ(file.laps.size(), 6u);
    const int expected[] = {1, 0, 1, 0, 1};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(file.laps[k].gpsSign, expected[k]) << "lap " << k;
    EXPECT_EQ(file.laps[4].positions.size(), 3u);
}

TEST_F(LapFileReaderTest, LapLineBeforeAnyLapEndRestartsOnlyTimeAndDistance)
{
    LogBytes log;
    log.Sample(10, 3).Gps(2).LapLine(500).Sample(10, 2).Gps(1).LapEnd(1, 10, 1).LapLine(700);
    const LogFile& file = ReadLog(log);
    ASSERT_EQ(file.laps.size(), 2u);
    const Lap& lap = file.laps[0];
    EXPECT_EQ(lap.distance, 3u);      // D restarted at the first lap line
    EXPECT_EQ(lap.positionCount, 4u); // P was not restarted
    EXPECT_EQ(lap.sampleCount, 3);    // nor S
    ASSERT_EQ(lap.positions.size(), 4u);
    EXPECT_EQ(lap.positions[1].lapEndMark, 0);
    EXPECT_EQ(lap.positions[2].time, 11u); // T restarted at the lap line
    EXPECT_EQ(file.totalTime, 1200u);
}

TEST_F(LapFileReaderTest, WhatFollowsTheLastLapLine)
{
    LogBytes samplesOnly = WorkedExample();
    samplesOnly.LapLine(6543).Sample(10, 4).Sample(10, 4);
    const LogFile& last = ReadLog(samplesOnly, "samples.dat");
    ASSERT_EQ(last.laps.size(), 2u); // samples without positions stay as the last lap
    EXPECT_EQ(last.laps[1].samples.size(), 2u);
    EXPECT_EQ(last.laps[1].lastLapMark, 0xFF);
    EXPECT_TRUE(last.trailingLaps.empty());

    LogBytes twoLines = WorkedExample();
    twoLines.LapLine(6543).LapLine(80);
    const LogFile& lines = ReadLog(twoLines, "lines.dat");
    ASSERT_EQ(lines.laps.size(), 3u); // a second lap line closes a lap without number
    EXPECT_EQ(lines.laps[1].lapNumber, 0u);
    EXPECT_EQ(lines.laps[1].lapTime, 80u);
    EXPECT_EQ(lines.totalTime, 6543u + 80u);

    const LogFile& empty = ReadLog(LogBytes{}, "empty.dat");
    ASSERT_EQ(empty.laps.size(), 1u);
    EXPECT_EQ(empty.laps[0].lastLapMark, 0xFF);
    EXPECT_EQ(empty.lowestLapNumber, 1000);
    EXPECT_EQ(empty.highestLapNumber, 0);
}

TEST_F(LapFileReaderTest, OtherKindRecordsTakeTheRunningTimeOfThisRead)
{
    LogBytes first;
    first.Sample(70, 1).Gps(1); // leaves T = 70 behind
    ReadLog(first, "first.dat");

    LogBytes log;
    log.Other('X', 0x1234).Sample(10, 1).Other('Q').LapEnd(1, 10, 1).LapLine(20).Other('Z');
    const LogFile& file = ReadLog(log, "second.dat");
    const auto& positions = file.laps[0].positions;
    ASSERT_EQ(positions.size(), 3u);
    EXPECT_EQ(positions[0].time, 0u); // start of the file: nothing from the earlier read
    EXPECT_EQ(positions[0].otherKindFlag, 1);
    EXPECT_EQ(positions[0].recordWord, 0x1234u);
    EXPECT_EQ(positions[1].time, 10u);
    ASSERT_EQ(file.trailingLaps.size(), 1u);
    EXPECT_EQ(file.trailingLaps[0].positions[0].time, 0u); // just after a close
}

TEST_F(LapFileReaderTest, LapNumbersOutOfOrderAndCountersAcrossLaps)
{
    LogBytes log;
    log.Sample(100, 10).Gps(5).LapEnd(5, 50, 4).LapLine(150);
    log.Sample(200, 20).Gps(5).Gps(6).LapEnd(2, 10, 1).LapLine(210);
    log.Sample(300, 30).Gps(5).LapEnd(9, 5, 5).LapLine(305);
    const LogFile& file = ReadLog(log);
    ASSERT_EQ(file.laps.size(), 4u);
    EXPECT_EQ(file.lowestLapNumber, 2);
    EXPECT_EQ(file.highestLapNumber, 9);
    EXPECT_EQ(file.laps[2].recordCount, 12); // R runs over the whole file
    EXPECT_EQ(file.laps[1].positions[2].recordWord, 3u);
    EXPECT_EQ(file.laps[1].positions[0].time, 205u); // T restarts with each lap
}

// ---- the course-map reader --------------------------------------------------------------------

TEST_F(LapFileReaderTest, ExportMarkBecomesTheSavedCourseMark)
{
    LogBytes marked = WorkedExample();
    marked.LapLine(0xFF00 + 0x43);
    const Lap& lap = ReadMap(marked, "marked.dat").laps[0];
    EXPECT_EQ(lap.savedCourseMark, 1);
    EXPECT_EQ(lap.lapTime, 0xFF43u);
    EXPECT_STREQ(lap.lapTimeText, "ff43");

    LogBytes longLap = WorkedExample();
    longLap.LapLine(60000); // long, but byte 30 is 0xEA
    EXPECT_EQ(ReadMap(longLap, "long.dat").laps[0].savedCourseMark, 0);
    EXPECT_EQ(ReadLog(marked, "marked.dat").laps[0].savedCourseMark, 0); // the log reader has no such mark
}

TEST_F(LapFileReaderTest, CourseMapLapClosedTwiceRepeatsNumberAndRecords)
{
    LogBytes log = WorkedExample();
    log.LapLine(6543).Sample(10, 1).Gps(3).LapLine(90);
    const LogFile& file = ReadMap(log);
    ASSERT_EQ(file.laps.size(), 2u);
    EXPECT_EQ(file.laps[1].lapNumber, 3u);
    EXPECT_EQ(file.laps[1].lapTime, 90u);
    EXPECT_TRUE(HoldsRecords(file.laps[0], log, 0, 4));
    EXPECT_TRUE(HoldsRecords(file.laps[1], log, 0, 4));
    EXPECT_EQ(file.laps[1].positions.size(), 2u); // its own fix and lap line
    EXPECT_EQ(file.laps[1].samples.size(), 1u);
}

TEST_F(LapFileReaderTest, CourseMapWithoutCompleteLap)
{
    LogBytes noLapEnd;
    noLapEnd.Sample(10, 1).Gps(3).Gps(4);
    const LogFile& open = ReadMap(noLapEnd, "open.dat");
    EXPECT_TRUE(open.laps.empty());
    ASSERT_EQ(open.trailingLaps.size(), 1u);
    EXPECT_TRUE(HoldsRecords(open.trailingLaps[0], noLapEnd, 0, 3));

    LogBytes bare;
    bare.Sample(10, 1).LapEnd(1, 10, 1).Gps(0);
    const LogFile& noPositions = ReadMap(bare, "bare.dat");
    ASSERT_EQ(noPositions.laps.size(), 1u);
    EXPECT_TRUE(noPositions.laps[0].positions.empty());
    EXPECT_TRUE(core.ScratchRecords.empty());
}

} // namespace
} // namespace orvelo
