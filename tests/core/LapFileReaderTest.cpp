// The record rules of both readers, on record sequences built by hand.
#include "core/LapDataCore.h"
#include "core/LogBytes.h"
#include "core/LogFileReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace orvelo {
namespace {

using test::LogBytes;

class LapFileReaderTest : public ::testing::Test {
protected:
    int ReadLog(const LogBytes& log, const std::string& name = "run.dat")
    {
        return ReadLogFile(core, folder.Write(name, log.bytes));
    }
    int ReadMap(const LogBytes& log, const std::string& name = "course.dat")
    {
        return ReadMapFile(core, folder.Write(name, log.bytes));
    }
    const LogFile& Log() const { return core.LogFiles.back(); }
    const LogFile& Map() const { return core.MapFiles.back(); }
    static std::string Text(const Lap& lap) { return lap.lapTimeText; }
    // True when the lap's raw records are records [first, end) of the bytes, each followed by 4 zeros.
    static bool HoldsRecords(const Lap& lap, const LogBytes& log, std::size_t first, std::size_t end)
    {
        if (lap.records.size() != end - first)
            return false;
        for (std::size_t k = first; k < end; ++k) {
            const LogRecord& r = lap.records[k - first];
            if (std::memcmp(r.bytes.data(), log.Record(k).data(), kRecordSize) != 0)
                return false;
            if (r.bytes[64] || r.bytes[65] || r.bytes[66] || r.bytes[67])
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

TEST_F(LapFileReaderTest, LapClosedByLapLine)
{
    LogBytes log = WorkedExample();
    log.LapLine(6543, 3);
    ASSERT_EQ(ReadLog(log), 0);
    const LogFile& file = Log();
    ASSERT_EQ(file.laps.size(), 2u);
    const Lap& lap = file.laps[0];
    EXPECT_EQ(lap.lapNumber, 3u);
    EXPECT_EQ(lap.lapTime, 6543u);
    EXPECT_EQ(Text(lap), "1:05.43");
    EXPECT_EQ(lap.distance, 14u);
    EXPECT_EQ(lap.sampleCount, 3);
    EXPECT_EQ(lap.positionCount, 2);
    EXPECT_EQ(lap.recordCount, 4);
    EXPECT_EQ(lap.gpsSign, 1);
    EXPECT_EQ(lap.lastLapMark, 0);
    EXPECT_TRUE(HoldsRecords(lap, log, 0, 5)); // through the closing lap line

    ASSERT_EQ(lap.samples.size(), 3u);
    EXPECT_EQ(lap.samples[0].runningLapTime, 20u);
    EXPECT_EQ(lap.samples[1].runningLapTime, 50u);
    EXPECT_EQ(lap.samples[2].runningLapTime, 60u);
    EXPECT_EQ(lap.samples[0].positionIndex, 0u);
    EXPECT_EQ(lap.samples[2].positionIndex, 1u);

    ASSERT_EQ(lap.positions.size(), 2u);
    const PositionRec& fix = lap.positions[0];
    EXPECT_EQ(fix.time, 24u);           // offset 4 after T = 20
    EXPECT_EQ(fix.runningDistance, 8u); // offset 3 after D = 5
    EXPECT_EQ(fix.fixTimeOffset, 4u);
    EXPECT_EQ(fix.lapEndMark, 0);
    const PositionRec& line = lap.positions[1];
    EXPECT_EQ(line.time, 6543u);
    EXPECT_EQ(line.lapEndMark, 0xFF);
    EXPECT_EQ(line.recordWord, 2u); // position records so far, this one included
    EXPECT_EQ(line.lapLineWord, 3u);
    EXPECT_EQ(line.runningDistance, 14u);

    const Lap& empty = file.laps[1];
    EXPECT_EQ(empty.lapNumber, 0u);
    EXPECT_EQ(empty.lastLapMark, 0xFF);
    EXPECT_TRUE(empty.records.empty());
    EXPECT_EQ(Text(empty), "");

    EXPECT_EQ(file.lapCount, 1);
    EXPECT_EQ(file.lowestLapNumber, 3);
    EXPECT_EQ(file.highestLapNumber, 3);
    EXPECT_EQ(file.totalTime, 6543u);
    EXPECT_EQ(file.totalDistance, 14u);
    EXPECT_TRUE(file.trailingLaps.empty());
    EXPECT_EQ(file.loadState, 2);
    EXPECT_EQ(file.listState, 0);
}

TEST_F(LapFileReaderTest, LapClosedByGpsFixOpensTheNextLap)
{
    LogBytes log = WorkedExample();
    log.Gps(4, 6);
    ASSERT_EQ(ReadLog(log), 0);
    const LogFile& file = Log();
    ASSERT_EQ(file.laps.size(), 1u);
    const Lap& lap = file.laps[0];
    EXPECT_EQ(lap.lapNumber, 3u);
    EXPECT_EQ(lap.lapTime, 60u);
    EXPECT_EQ(Text(lap), "0:00.60");
    EXPECT_EQ(lap.lastLapMark, 0xFF);
    ASSERT_EQ(lap.positions.size(), 1u);
    EXPECT_EQ(lap.positions[0].lapEndMark, 0xFF);
    EXPECT_EQ(lap.gpsSign, 1);
    EXPECT_TRUE(HoldsRecords(lap, log, 0, 5)); // the closing fix's bytes stay with the closed lap
    EXPECT_EQ(file.totalTime, 60u);

    ASSERT_EQ(file.trailingLaps.size(), 1u);
    const Lap& next = file.trailingLaps[0];
    ASSERT_EQ(next.positions.size(), 1u);
    EXPECT_EQ(next.positions[0].time, 4u);            // its own offset, not after T
    EXPECT_EQ(next.positions[0].runningDistance, 6u); // measured from the new lap's start
    EXPECT_EQ(next.positions[0].lapEndMark, 0);
    EXPECT_TRUE(next.records.empty());
    EXPECT_EQ(next.lapNumber, 0u);
}

TEST_F(LapFileReaderTest, FixThatOpensALapCountsForThatLapsGpsSign)
{
    // Lap 1: one invalid fix and the opening fix of lap 2 is valid; lap 2 adds one invalid fix.
    LogBytes log;
    log.Sample(10, 1).Gps(0, 0, false).LapEnd(1, 10, 1).Gps(1).Sample(10, 1).Gps(2).LapLine(40);
    ASSERT_EQ(ReadLog(log), 0);
    const LogFile& file = Log();
    ASSERT_EQ(file.laps.size(), 3u);
    EXPECT_EQ(file.laps[0].gpsSign, 0); // -1 alone
    EXPECT_EQ(file.laps[1].gpsSign, 1); // +3 (two fixes and the lap line)
    EXPECT_EQ(file.laps[1].positionCount, 0); // no lap-end record of its own
    EXPECT_EQ(file.laps[1].lapTime, 40u);
    EXPECT_EQ(file.laps[1].positions.size(), 3u);
}

TEST_F(LapFileReaderTest, LapLineBeforeAnyLapEndClosesNothing)
{
    LogBytes log;
    log.Sample(10, 3).Gps(2).LapLine(500).Sample(10, 2).Gps(1).LapEnd(1, 10, 1).LapLine(700);
    ASSERT_EQ(ReadLog(log), 0);
    const LogFile& file = Log();
    ASSERT_EQ(file.laps.size(), 2u);
    const Lap& lap = file.laps[0];
    EXPECT_EQ(lap.lapNumber, 1u);
    EXPECT_EQ(lap.lapTime, 700u);
    EXPECT_EQ(lap.distance, 3u);       // D restarted at the first lap line
    EXPECT_EQ(lap.positionCount, 4u);  // P was not restarted
    EXPECT_EQ(lap.sampleCount, 3);     // nor S
    ASSERT_EQ(lap.positions.size(), 4u);
    EXPECT_EQ(lap.positions[1].lapEndMark, 0);
    EXPECT_EQ(lap.positions[1].time, 500u);
    EXPECT_EQ(lap.positions[2].time, 11u); // T restarted at the lap line
    EXPECT_EQ(lap.positions[3].lapEndMark, 0xFF);
    EXPECT_EQ(file.totalTime, 1200u);
    EXPECT_EQ(file.totalDistance, 3u);
}

TEST_F(LapFileReaderTest, FileEndingAfterLapEndClosesTheLapWithItsRunningTime)
{
    LogBytes log;
    log.Sample(10, 1).Gps(3).Gps(5).LapEnd(7, 10, 1).Sample(5, 1);
    ASSERT_EQ(ReadLog(log), 0);
    const LogFile& file = Log();
    ASSERT_EQ(file.laps.size(), 1u);
    const Lap& lap = file.laps[0];
    EXPECT_EQ(lap.lapNumber, 7u);
    EXPECT_EQ(lap.lapTime, 25u);
    EXPECT_EQ(Text(lap), "0:00.25");
    EXPECT_EQ(lap.lastLapMark, 0xFF);
    EXPECT_EQ(lap.positions[0].lapEndMark, 0);
    EXPECT_EQ(lap.positions[1].lapEndMark, 0xFF);
    EXPECT_EQ(lap.samples.size(), 3u);
    EXPECT_EQ(file.totalTime, 25u);
    EXPECT_TRUE(file.trailingLaps.empty());
}

TEST_F(LapFileReaderTest, UnfinishedLapAtTheEndGoesToTheTrailingLaps)
{
    LogBytes log = WorkedExample();
    log.LapLine(6543).Sample(10, 4).Gps(2).Other('X');
    ASSERT_EQ(ReadLog(log), 0);
    const LogFile& file = Log();
    ASSERT_EQ(file.laps.size(), 1u);
    EXPECT_EQ(file.laps[0].lastLapMark, 0xFF);
    ASSERT_EQ(file.trailingLaps.size(), 1u);
    const Lap& trailing = file.trailingLaps[0];
    EXPECT_TRUE(HoldsRecords(trailing, log, 5, 8));
    EXPECT_EQ(trailing.samples.size(), 1u);
    EXPECT_EQ(trailing.positions.size(), 2u);
    EXPECT_EQ(trailing.lastLapMark, 0);
    EXPECT_EQ(file.lapCount, 1);
}

TEST_F(LapFileReaderTest, SamplesWithoutPositionsStayAsTheLastLap)
{
    LogBytes log = WorkedExample();
    log.LapLine(6543).Sample(10, 4).Sample(10, 4);
    ASSERT_EQ(ReadLog(log), 0);
    const LogFile& file = Log();
    ASSERT_EQ(file.laps.size(), 2u);
    EXPECT_EQ(file.laps[1].lapNumber, 0u);
    EXPECT_EQ(file.laps[1].samples.size(), 2u);
    EXPECT_EQ(file.laps[1].lastLapMark, 0xFF);
    EXPECT_TRUE(file.trailingLaps.empty());
}

TEST_F(LapFileReaderTest, LapsWithoutPositionRecordsDoNotBreakTheRead)
{
    LogBytes closedByFix;
    closedByFix.Sample(10, 1).LapEnd(1, 10, 1).Gps(2);
    ASSERT_EQ(ReadLog(closedByFix, "fix.dat"), 0);
    EXPECT_EQ(Log().laps.size(), 1u);
    EXPECT_TRUE(Log().laps[0].positions.empty());
    EXPECT_EQ(Log().laps[0].positionCount, 1);
    EXPECT_EQ(Log().laps[0].lapTime, 20u);

    LogBytes endsAfterLapEnd;
    endsAfterLapEnd.Sample(10, 1).LapEnd(1, 10, 1);
    ASSERT_EQ(ReadLog(endsAfterLapEnd, "end.dat"), 0);
    ASSERT_EQ(Log().laps.size(), 1u);
    EXPECT_TRUE(Log().laps[0].positions.empty());
    EXPECT_EQ(Log().laps[0].lastLapMark, 0xFF);

    LogBytes twoBareLaps;
    twoBareLaps.Sample(10, 1).LapEnd(1, 10, 1).LapLine(20).Sample(10, 1).LapEnd(2, 10, 1).Gps(0);
    ASSERT_EQ(ReadLog(twoBareLaps, "two.dat"), 0);
    ASSERT_EQ(Log().laps.size(), 2u);
    EXPECT_TRUE(Log().laps[1].positions.empty());
    EXPECT_EQ(Log().laps[1].lapNumber, 2u);
}

TEST_F(LapFileReaderTest, EmptyFileGivesOneEmptyMarkedLap)
{
    ASSERT_EQ(ReadLog(LogBytes{}), 0);
    const LogFile& file = Log();
    ASSERT_EQ(file.laps.size(), 1u);
    EXPECT_EQ(file.laps[0].lastLapMark, 0xFF);
    EXPECT_EQ(file.lapCount, 0);
    EXPECT_EQ(file.lowestLapNumber, 1000);
    EXPECT_EQ(file.highestLapNumber, 0);
    EXPECT_EQ(file.loadState, 2);
}

TEST_F(LapFileReaderTest, OtherKindRecordsTakeTheRunningTimeOfThisRead)
{
    LogBytes first;
    first.Sample(70, 1).Gps(1); // leaves T = 70 behind
    ASSERT_EQ(ReadLog(first, "first.dat"), 0);

    LogBytes log;
    log.Other('X', 0x1234).Sample(10, 1).Other('Q').LapEnd(1, 10, 1).LapLine(20).Other('Z');
    ASSERT_EQ(ReadLog(log, "second.dat"), 0);
    const LogFile& file = Log();
    const auto& positions = file.laps[0].positions;
    ASSERT_EQ(positions.size(), 3u);
    EXPECT_EQ(positions[0].time, 0u); // start of the file: nothing from the earlier read
    EXPECT_EQ(positions[0].otherKindFlag, 1);
    EXPECT_EQ(positions[0].recordWord, 0x1234u);
    EXPECT_EQ(positions[1].time, 10u);
    EXPECT_EQ(positions[1].lapEndMark, 0);
    ASSERT_EQ(file.trailingLaps.size(), 1u);
    EXPECT_EQ(file.trailingLaps[0].positions[0].time, 0u); // just after a close
}

TEST_F(LapFileReaderTest, LapNumbersTotalsAndRecordOwnership)
{
    LogBytes log;
    log.Sample(100, 10).Gps(5).LapEnd(5, 50, 4).LapLine(150);      // records 0-3
    log.Sample(200, 20).Gps(5).Gps(6).LapEnd(2, 10, 1).LapLine(210); // records 4-8
    log.Sample(300, 30).Gps(5).LapEnd(9, 5, 5).LapLine(305);        // records 9-12
    ASSERT_EQ(ReadLog(log), 0);
    const LogFile& file = Log();
    ASSERT_EQ(file.laps.size(), 4u);
    EXPECT_EQ(file.lapCount, 3);
    EXPECT_EQ(file.lowestLapNumber, 2);
    EXPECT_EQ(file.highestLapNumber, 9);
    EXPECT_EQ(file.totalTime, 150u + 210u + 305u);
    EXPECT_EQ(file.totalDistance, 14u + 21u + 35u);
    EXPECT_TRUE(HoldsRecords(file.laps[0], log, 0, 4));
    EXPECT_TRUE(HoldsRecords(file.laps[1], log, 4, 9));
    EXPECT_TRUE(HoldsRecords(file.laps[2], log, 9, 13));
    EXPECT_EQ(file.laps[1].recordCount, 8);
    EXPECT_EQ(file.laps[2].recordCount, 12);
    EXPECT_EQ(file.laps[1].positionCount, 3);
    EXPECT_EQ(file.laps[1].positions[2].recordWord, 3u);
    EXPECT_EQ(file.laps[1].positions[0].time, 205u); // T restarts with each lap
    EXPECT_EQ(file.laps[2].lastLapMark, 0);
    EXPECT_EQ(file.laps[3].lastLapMark, 0xFF);
}

TEST_F(LapFileReaderTest, GpsSignNeedsMoreValidThanInvalidFixes)
{
    LogBytes log;
    log.Sample(10, 1).Gps(1, 0, false).Gps(2).LapEnd(1, 10, 1).LapLine(20); // -1 +1 +1
    log.Sample(10, 1).Gps(1, 0, false).LapEnd(2, 10, 1).LapLine(20);        // -1 +1
    log.Sample(10, 1).Gps(1, 0, false).Other('X').LapEnd(3, 10, 1).LapLine(20);
    ASSERT_EQ(ReadLog(log), 0);
    const LogFile& file = Log();
    EXPECT_EQ(file.laps[0].gpsSign, 1);
    EXPECT_EQ(file.laps[1].gpsSign, 0);
    EXPECT_EQ(file.laps[2].gpsSign, 1); // the other-kind record carries valid letters
}

TEST_F(LapFileReaderTest, SecondLapLineClosesALapWithoutNumber)
{
    LogBytes log = WorkedExample();
    log.LapLine(6543).LapLine(80);
    ASSERT_EQ(ReadLog(log), 0);
    const LogFile& file = Log();
    ASSERT_EQ(file.laps.size(), 3u);
    EXPECT_EQ(file.laps[1].lapNumber, 0u);
    EXPECT_EQ(file.laps[1].lapTime, 80u);
    EXPECT_EQ(file.totalTime, 6543u + 80u);
}

// ---- the course-map reader --------------------------------------------------------------------

TEST_F(LapFileReaderTest, CourseMapLapEndsAtItsLapEndRecord)
{
    LogBytes log = WorkedExample();
    log.LapLine(6543);
    ASSERT_EQ(ReadMap(log), 0);
    const LogFile& file = Map();
    ASSERT_EQ(file.laps.size(), 1u); // no empty lap after the last lap line
    const Lap& lap = file.laps[0];
    EXPECT_EQ(lap.lapNumber, 3u);
    EXPECT_EQ(lap.lapTime, 6543u);
    EXPECT_EQ(lap.distance, 14u);
    EXPECT_EQ(lap.sampleCount, 3);
    EXPECT_EQ(lap.positionCount, 2);
    EXPECT_EQ(lap.lastLapMark, 0xFF);
    EXPECT_EQ(lap.savedCourseMark, 0);
    EXPECT_TRUE(HoldsRecords(lap, log, 0, 4)); // the lap line is not among them
    EXPECT_EQ(lap.samples.size(), 3u);
    ASSERT_EQ(lap.positions.size(), 2u);
    EXPECT_EQ(lap.positions[1].lapEndMark, 0xFF);
    EXPECT_TRUE(core.ScratchRecords.empty());
    EXPECT_TRUE(core.ScratchSamples.empty());
    EXPECT_TRUE(core.ScratchPositions.empty());
    EXPECT_TRUE(core.LogFiles.empty());
}

TEST_F(LapFileReaderTest, ExportMarkBecomesTheSavedCourseMark)
{
    LogBytes marked = WorkedExample();
    marked.LapLine(0xFF00 + 0x43);
    ASSERT_EQ(ReadMap(marked, "marked.dat"), 0);
    EXPECT_EQ(Map().laps[0].savedCourseMark, 1);
    EXPECT_EQ(Map().laps[0].lapTime, 0xFF43u);
    EXPECT_EQ(Text(Map().laps[0]), "ff43");

    LogBytes longLap = WorkedExample();
    longLap.LapLine(60000); // long, but byte 30 is 0xEA
    ASSERT_EQ(ReadMap(longLap, "long.dat"), 0);
    EXPECT_EQ(Map().laps[0].savedCourseMark, 0);

    ASSERT_EQ(ReadLog(marked, "marked.dat"), 0); // the log reader has no such mark
    EXPECT_EQ(Log().laps[0].savedCourseMark, 0);
}

TEST_F(LapFileReaderTest, CourseMapLapsOwnTheRecordsAfterThePreviousLapEnd)
{
    LogBytes log;
    log.Sample(100, 10).Gps(5).LapEnd(1, 50, 4).LapLine(150); // records 0-3
    log.Sample(200, 20).Gps(5).LapEnd(2, 10, 1).LapLine(210); // records 4-7
    ASSERT_EQ(ReadMap(log), 0);
    const LogFile& file = Map();
    ASSERT_EQ(file.laps.size(), 2u);
    EXPECT_TRUE(HoldsRecords(file.laps[0], log, 0, 3));
    EXPECT_TRUE(HoldsRecords(file.laps[1], log, 3, 7)); // starts with lap 1's lap line
    EXPECT_EQ(file.laps[0].positions.size(), 2u);
    EXPECT_EQ(file.laps[1].positions.size(), 2u);
    EXPECT_EQ(file.laps[0].lastLapMark, 0);
    EXPECT_EQ(file.laps[1].lastLapMark, 0xFF);
    EXPECT_EQ(file.totalTime, 360u);
}

TEST_F(LapFileReaderTest, CourseMapLapClosedTwiceRepeatsNumberAndRecords)
{
    LogBytes log = WorkedExample();
    log.LapLine(6543).Sample(10, 1).Gps(3).LapLine(90);
    ASSERT_EQ(ReadMap(log), 0);
    const LogFile& file = Map();
    ASSERT_EQ(file.laps.size(), 2u);
    EXPECT_EQ(file.laps[1].lapNumber, 3u);
    EXPECT_EQ(file.laps[1].lapTime, 90u);
    EXPECT_TRUE(HoldsRecords(file.laps[1], log, 0, 4));
    EXPECT_TRUE(HoldsRecords(file.laps[0], log, 0, 4));
    EXPECT_EQ(file.laps[1].positions.size(), 2u); // its own fix and lap line
    EXPECT_EQ(file.laps[1].samples.size(), 1u);
}

TEST_F(LapFileReaderTest, CourseMapEndingAfterLapEndClosesTheLap)
{
    LogBytes log;
    log.Sample(10, 1).Gps(3).LapEnd(4, 10, 1).Sample(5, 1);
    ASSERT_EQ(ReadMap(log), 0);
    const LogFile& file = Map();
    ASSERT_EQ(file.laps.size(), 1u);
    EXPECT_EQ(file.laps[0].lapTime, 25u);
    EXPECT_EQ(file.laps[0].positions.back().lapEndMark, 0xFF);
    EXPECT_EQ(file.laps[0].lastLapMark, 0xFF);
    EXPECT_EQ(file.laps[0].samples.size(), 3u);
    EXPECT_TRUE(HoldsRecords(file.laps[0], log, 0, 3));
    EXPECT_EQ(file.totalTime, 25u);
    EXPECT_TRUE(core.ScratchRecords.empty());
}

TEST_F(LapFileReaderTest, CourseMapWithoutCompleteLapHasOnlyATrailingLap)
{
    LogBytes log;
    log.Sample(10, 1).Gps(3).Gps(4);
    ASSERT_EQ(ReadMap(log), 0);
    const LogFile& file = Map();
    EXPECT_TRUE(file.laps.empty());
    ASSERT_EQ(file.trailingLaps.size(), 1u);
    EXPECT_TRUE(HoldsRecords(file.trailingLaps[0], log, 0, 3));
    EXPECT_EQ(file.trailingLaps[0].positions.size(), 2u);
    EXPECT_EQ(file.lapCount, 0);

    LogBytes bare;
    bare.Sample(10, 1).LapEnd(1, 10, 1).Gps(0);
    ASSERT_EQ(ReadMap(bare, "bare.dat"), 0);
    ASSERT_EQ(Map().laps.size(), 1u);
    EXPECT_TRUE(Map().laps[0].positions.empty());
}

TEST_F(LapFileReaderTest, SameFileAsLogAndCourseMapIsTwoIndependentFiles)
{
    LogBytes log = WorkedExample();
    log.LapLine(6543);
    const std::u16string path = folder.Write("both.dat", log.bytes);
    ASSERT_EQ(ReadLogFile(core, path), 0);
    ASSERT_EQ(ReadMapFile(core, path), 0);
    ASSERT_EQ(core.LogFiles.size(), 1u);
    ASSERT_EQ(core.MapFiles.size(), 1u);
    EXPECT_NE(core.LogFiles[0].fileId, core.MapFiles[0].fileId);
    EXPECT_EQ(core.LogFiles[0].laps.size(), 2u);
    EXPECT_EQ(core.MapFiles[0].laps.size(), 1u);
}

} // namespace
} // namespace orvelo
