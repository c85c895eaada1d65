// The record rules of both readers, on record sequences built by hand.
#include "core/LapDataCore.h"
#include "core/LogBytes.h"
#include "core/LogFileReader.h"

#include <gtest/gtest.h>

#include <string>

namespace orvelo {
namespace {

using test::HoldsRecords;
using test::Ints;
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
    // Samples (20 s, 5 m), a fix, (30, 7), lap end 3 (10, 2), then the closing record.
    static LogBytes WorkedExample() { return LogBytes().Sample(20, 5).Gps(4, 3).Sample(30, 7).LapEnd(3, 10, 2); }

    LapDataCore core;
    test::ScratchFolder folder;
};

// ---- the log reader --------------------------------------------------------------------------
// Counts, texts, totals and record ranges of every lap shape are checked on generated sessions
// (LogFileReaderTest); these cases hold the offsets and restarts that only hand-built records reach.

TEST_F(LapFileReaderTest, LapClosedByLapLine)
{
    const LogBytes log = WorkedExample().LapLine(6543, 3);
    const LogFile& file = ReadLog(log);
    const Lap& lap = file.laps.at(0);
    EXPECT_TRUE(HoldsRecords(lap, log.bytes, {0, 5})); // through the closing lap line
    // Running time and position index of the last samples; the fix at offsets 4 and 3 after T = 20, D = 5.
    EXPECT_EQ(Ints(file.laps.size(), lap.distance, lap.samples.at(1).runningLapTime, lap.samples.at(2).positionIndex,
                   lap.positions.at(0).time, lap.positions.at(0).runningDistance),
              Ints(2, 14, 50, 1, 24, 8));
    // The lap line: its time, the position records so far (itself included), its word, the distance.
    const PositionRec& line = lap.positions.at(1);
    EXPECT_EQ(Ints(line.time, line.recordWord, line.lapLineWord, line.runningDistance), Ints(6543, 2, 3, 14));
    EXPECT_EQ(file.laps[1].lastLapMark, 0xFF); // the empty lap after the last lap line
}

TEST_F(LapFileReaderTest, LapClosedByGpsFixOpensTheNextLap)
{
    const LogBytes log = WorkedExample().Gps(4, 6);
    const LogFile& file = ReadLog(log);
    EXPECT_EQ(Ints(file.laps.size(), file.laps.at(0).lapTime, file.trailingLaps.size()), Ints(1, 60, 1));
    EXPECT_TRUE(HoldsRecords(file.laps[0], log.bytes, {0, 5})); // the closing fix's bytes stay with this lap
    // The opening fix: its own offsets, not after T and D; no records of the next lap yet.
    const Lap& next = file.trailingLaps.at(0);
    EXPECT_EQ(Ints(next.positions.size(), next.positions.at(0).time, next.positions.at(0).runningDistance,
                   next.records.size()),
              Ints(1, 4, 6, 0));
}

TEST_F(LapFileReaderTest, GpsSignNeedsMoreValidThanInvalidFixes)
{
    LogBytes log;
    log.Sample(10, 1).Gps(1, 0, false).Gps(2).LapEnd(1, 10, 1).LapLine(20);     // -1 +1 +1
    log.Sample(10, 1).Gps(1, 0, false).LapEnd(2, 10, 1).LapLine(20);            // -1 +1
    log.Sample(10, 1).Gps(1, 0, false).Other('X').LapEnd(3, 10, 1).LapLine(20); // other kinds count too
    // A fix that closes a lap votes for the lap it opens: lap 4 keeps its one valid fix (+1, not +1 -1),
    // lap 5 opens with the invalid closing fix and has one valid fix (0, not +1 +1 with the fix closing it).
    log.Sample(10, 1).Gps(1).LapEnd(4, 10, 1).Gps(2, 0, false).Sample(10, 1).Gps(3).LapEnd(5, 10, 1).Gps(4);
    log.LapLine(40);
    const auto& laps = ReadLog(log).laps;
    EXPECT_EQ(Ints(laps.size(), laps.at(0).gpsSign, laps.at(1).gpsSign, laps.at(2).gpsSign, laps.at(3).gpsSign,
                   laps.at(4).gpsSign, laps.at(4).positions.size()),
              Ints(7, 1, 0, 1, 1, 0, 2));
}

TEST_F(LapFileReaderTest, LapLineBeforeAnyLapEndClosesTheOutLapWithoutMakingALap)
{
    // An out lap of invalid fixes, then lap 1 of one invalid and two valid fixes (the line included).
    const auto lapOne = [](std::uint16_t outLapLine) {
        return LogBytes().Sample(10, 3).Gps(2, 0, false).Gps(2, 0, false).Gps(2, 0, false).LapLine(outLapLine)
            .Sample(10, 2).Gps(1, 0, false).Gps(1).LapEnd(1, 10, 1).LapLine(700);
    };
    const LogBytes log = lapOne(500);
    const LogFile& file = ReadLog(log);
    const Lap& lap = file.laps.at(0);
    // Samples, positions and the GPS balance start after the out lap's line; its records stay.
    EXPECT_EQ(Ints(file.laps.size(), lap.distance, lap.positionCount, lap.sampleCount, lap.samples.size(),
                   lap.samples.at(0).positionIndex, lap.positions.size(), lap.positions.at(0).time,
                   lap.positions.at(2).recordWord, lap.gpsSign, lap.lapTime, file.totalTime),
              Ints(2, 3, 3, 2, 2, 0, 3, 11, 3, 1, 700, 1200));
    EXPECT_TRUE(HoldsRecords(lap, log.bytes, {0, 10}));

    // The course-map reader: the same lap, with the records through its lap end; a course mark on the
    // out lap's line (a lap written back from a GPS course) stays with the lap.
    const LogBytes marked = lapOne(0xFF05);
    const LogFile& map = ReadMap(marked);
    const Lap& read = map.laps.at(0);
    EXPECT_EQ(Ints(map.laps.size(), read.sampleCount, read.positionCount, read.samples.size(), read.positions.size(),
                   read.positions.at(0).time, read.gpsSign, read.lapTime, read.savedCourseMark),
              Ints(1, 2, 3, 2, 3, 11, 1, 700, 1));
    EXPECT_TRUE(HoldsRecords(read, marked.bytes, {0, 9}));
    EXPECT_TRUE(core.ScratchSamples.empty() && core.ScratchPositions.empty());
}

TEST_F(LapFileReaderTest, WhatFollowsTheLastLapLine)
{
    const LogBytes samplesOnly = WorkedExample().LapLine(6543).Sample(10, 4).Sample(10, 4);
    const LogFile& last = ReadLog(samplesOnly, "samples.dat"); // samples without positions stay as the last lap
    EXPECT_EQ(Ints(last.laps.size(), last.laps.at(1).samples.size(), last.laps.at(1).lastLapMark,
                   last.trailingLaps.size()),
              Ints(2, 2, 0xFF, 0));
    const LogBytes twoLines = WorkedExample().LapLine(6543).LapLine(80);
    const LogFile& lines = ReadLog(twoLines, "lines.dat"); // a second lap line closes a lap without number
    EXPECT_EQ(Ints(lines.laps.size(), lines.laps.at(1).lapNumber, lines.laps.at(1).lapTime, lines.totalTime),
              Ints(3, 0, 80, 6543 + 80));
    const LogFile& empty = ReadLog(LogBytes{}, "empty.dat");
    EXPECT_EQ(Ints(empty.laps.size(), empty.laps.at(0).lastLapMark, empty.lowestLapNumber, empty.highestLapNumber),
              Ints(1, 0xFF, 1000, 0));
}

TEST_F(LapFileReaderTest, OtherKindRecordsTakeTheRunningTimeOfThisRead)
{
    ReadLog(LogBytes().Sample(70, 1).Gps(1), "first.dat"); // leaves T = 70 behind
    const LogBytes log =
        LogBytes().Other('X', 0x1234).Sample(10, 1).Other('Q').LapEnd(1, 10, 1).LapLine(20).Other('Z');
    const LogFile& file = ReadLog(log, "second.dat");
    const auto& positions = file.laps.at(0).positions;
    // At the start of the file nothing comes from the earlier read; just after a close T is 0 again.
    EXPECT_EQ(Ints(positions.size(), positions.at(0).time, positions.at(0).otherKindFlag, positions.at(0).recordWord,
                   positions.at(1).time, file.trailingLaps.at(0).positions.at(0).time),
              Ints(3, 0, 1, 0x1234, 10, 0));
}

TEST_F(LapFileReaderTest, LapNumbersOutOfOrderAndCountersAcrossLaps)
{
    const LogBytes log = LogBytes()
                             .Sample(100, 10).Gps(5).LapEnd(5, 50, 4).LapLine(150)
                             .Sample(200, 20).Gps(5).Gps(6).LapEnd(2, 10, 1).LapLine(210)
                             .Sample(300, 30).Gps(5).LapEnd(9, 5, 5).LapLine(305);
    const LogFile& file = ReadLog(log);
    // R runs over the whole file; T and the record word restart with each lap.
    EXPECT_EQ(Ints(file.laps.size(), file.lowestLapNumber, file.highestLapNumber, file.laps.at(2).recordCount,
                   file.laps.at(1).positions.at(2).recordWord, file.laps.at(1).positions.at(0).time),
              Ints(4, 2, 9, 12, 3, 205));
}

// ---- the course-map reader --------------------------------------------------------------------

TEST_F(LapFileReaderTest, ExportMarkBecomesTheSavedCourseMark)
{
    const LogBytes marked = WorkedExample().LapLine(0xFF00 + 0x43);
    const Lap& lap = ReadMap(marked, "marked.dat").laps.at(0);
    EXPECT_EQ(Ints(lap.savedCourseMark, lap.lapTime), Ints(1, 0xFF43));
    EXPECT_STREQ(lap.lapTimeText, "ff43");

    // A long lap, but byte 30 is 0xEA.
    EXPECT_EQ(ReadMap(WorkedExample().LapLine(60000), "long.dat").laps.at(0).savedCourseMark, 0);
    EXPECT_EQ(ReadLog(marked, "marked.dat").laps[0].savedCourseMark, 0); // the log reader has no such mark
}

TEST_F(LapFileReaderTest, CourseMapLapClosedAgainTakesThePreviousLapsNumberAndRecords)
{
    const LogBytes log = WorkedExample().LapLine(6543).Sample(10, 1).Gps(3).LapLine(90).LapLine(80);
    const LogFile& file = ReadMap(log);
    ASSERT_EQ(file.laps.size(), 3u);
    const Lap& first = file.laps[0];
    EXPECT_TRUE(HoldsRecords(first, log.bytes, {0, 4}));
    // Closed again without a lap-end record: lap 3's number, counts, distance and records (the very
    // same, not a copy), but samples and positions of their own.
    for (std::size_t k = 1; k < 3; ++k) {
        const Lap& again = file.laps[k];
        EXPECT_EQ(Ints(again.lapNumber, again.distance, again.sampleCount, again.recordCount, again.positionCount),
                  Ints(3, 14, 3, 4, 2)) << k;
        EXPECT_TRUE(again.records.SharesWith(first.records)) << k;
    }
    EXPECT_EQ(Ints(file.laps[1].lapTime, file.laps[1].positions.size(), file.laps[1].samples.size(),
                   file.laps[2].lapTime, file.laps[2].positions.size(), file.laps[2].samples.size()),
              Ints(90, 2, 1, 80, 1, 0));
    EXPECT_EQ(Ints(file.laps[1].positions[0].time, file.laps[2].positions[0].lapEndMark), Ints(13, 0xFF));
}

TEST_F(LapFileReaderTest, CourseMapWithoutCompleteLap)
{
    const LogBytes noLapEnd = LogBytes().Sample(10, 1).Gps(3).Gps(4);
    const LogFile& open = ReadMap(noLapEnd, "open.dat");
    EXPECT_EQ(Ints(open.laps.size(), open.trailingLaps.size()), Ints(0, 1));
    EXPECT_TRUE(HoldsRecords(open.trailingLaps.at(0), noLapEnd.bytes, {0, 3}));

    const LogBytes bare = LogBytes().Sample(10, 1).LapEnd(1, 10, 1).Gps(0);
    const LogFile& noPositions = ReadMap(bare, "bare.dat");
    ASSERT_EQ(noPositions.laps.size(), 1u);
    EXPECT_TRUE(noPositions.laps[0].positions.empty());
    EXPECT_TRUE(core.ScratchRecords.empty());
}

} // namespace
} // namespace orvelo
