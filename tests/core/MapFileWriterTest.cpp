// Writing a lap as a course-map file and reading it back; failures leave no file behind.
#include "core/LapDataCore.h"
#include "core/LogBytes.h"
#include "core/LogFileReader.h"
#include "core/MapFileWriter.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <sys/resource.h>

namespace orvelo {
namespace {

namespace fs = std::filesystem;
using test::LogBytes;

class MapFileWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        log.Sample(100, 10).Gps(5).Gps(7).LapEnd(1, 50, 4).LapLine(150);              // records 0-4
        log.Sample(200, 20).Gps(5).Other('X').Gps(6).LapEnd(2, 10, 1).LapLine(2100); // records 5-10
        logPath = folder.Write("session.dat", log.bytes);
        ASSERT_EQ(ReadLogFile(core, logPath), 0);
    }
    // Gives lap k of the log file a course, drawn from GPS or not.
    Lap& WithCourse(std::size_t k, bool gpsDraw)
    {
        Lap& lap = core.LogFiles.back().laps[k];
        lap.analysisItems.emplace_back().gpsDrawFlag = gpsDraw ? 1 : 0;
        return lap;
    }
    std::u16string Out(const std::string& name) const { return test::WidePath(folder.Path(name)); }
    std::size_t FilesInFolder() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder.Folder()), {}));
    }

    LapDataCore core;
    test::ScratchFolder folder;
    LogBytes log;
    std::u16string logPath;
};

TEST_F(MapFileWriterTest, GpsLapRoundTripsWithTheSavedCourseMark)
{
    const Lap& lap = WithCourse(1, true);
    ASSERT_EQ(SaveLapAsMapFile(core, Out("course.dat"), logPath, 2), 0);

    const auto written = test::ReadWholeFile(folder.Path("course.dat"));
    std::vector<std::uint8_t> expected(log.bytes.begin() + 5 * 64, log.bytes.end());
    expected[5 * 64 + 30] = 0xFF; // the lap line's time now starts with the export mark
    EXPECT_EQ(written, expected);
    EXPECT_EQ(lap.records.back().bytes[30], 2100 >> 8); // the loaded lap keeps its own bytes

    ASSERT_EQ(ReadMapFile(core, Out("course.dat")), 0);
    const LogFile& map = core.MapFiles.back();
    ASSERT_EQ(map.laps.size(), 1u);
    const Lap& course = map.laps[0];
    EXPECT_EQ(course.savedCourseMark, 1);
    EXPECT_EQ(course.lapNumber, 2u);
    EXPECT_EQ(course.lapTime, 0xFF00u | (2100 & 0xFF));
    EXPECT_EQ(std::string(course.lapTimeText), "ff34");
    EXPECT_EQ(course.records.size(), 5u); // through the lap-end record
    EXPECT_EQ(course.positions.size(), 4u);
    EXPECT_EQ(course.distance, 21u);
    EXPECT_EQ(map.title, u"course");
}

TEST_F(MapFileWriterTest, LapNotDrawnFromGpsIsWrittenUnchanged)
{
    WithCourse(0, false);
    ASSERT_EQ(SaveLapAsMapFile(core, Out("plain.dat"), logPath, 1), 0);
    EXPECT_EQ(test::ReadWholeFile(folder.Path("plain.dat")),
              std::vector<std::uint8_t>(log.bytes.begin(), log.bytes.begin() + 5 * 64));
    ASSERT_EQ(ReadMapFile(core, Out("plain.dat")), 0);
    EXPECT_EQ(core.MapFiles.back().laps[0].savedCourseMark, 0);
    EXPECT_EQ(core.MapFiles.back().laps[0].lapTime, 150u);
}

TEST_F(MapFileWriterTest, SavingTwiceDoesNotCarryTheMarkOver)
{
    Lap& lap = WithCourse(1, true);
    ASSERT_EQ(SaveLapAsMapFile(core, Out("first.dat"), logPath, 2), 0);
    lap.analysisItems.front().gpsDrawFlag = 0;
    ASSERT_EQ(SaveLapAsMapFile(core, Out("second.dat"), logPath, 2), 0);
    EXPECT_EQ(test::ReadWholeFile(folder.Path("second.dat")),
              std::vector<std::uint8_t>(log.bytes.begin() + 5 * 64, log.bytes.end()));
}

TEST_F(MapFileWriterTest, ReplacesAnExistingFile)
{
    WithCourse(0, false);
    folder.Write("old.dat", std::vector<std::uint8_t>(1000, 0xAB));
    ASSERT_EQ(SaveLapAsMapFile(core, Out("old.dat"), logPath, 1), 0);
    EXPECT_EQ(test::ReadWholeFile(folder.Path("old.dat")).size(), 5u * 64);
    EXPECT_EQ(FilesInFolder(), 2u);
}

TEST_F(MapFileWriterTest, NothingToWriteGivesOneAndNoFile)
{
    EXPECT_EQ(SaveLapAsMapFile(core, u"", logPath, 1), 1);
    EXPECT_EQ(SaveLapAsMapFile(core, Out("a.dat"), logPath, 1), 1); // no course yet
    WithCourse(0, true).noAnalysisFlag = 1;
    EXPECT_EQ(SaveLapAsMapFile(core, Out("a.dat"), logPath, 1), 1);
    EXPECT_EQ(SaveLapAsMapFile(core, Out("a.dat"), logPath, 7), 1);      // no such lap
    EXPECT_EQ(SaveLapAsMapFile(core, Out("a.dat"), logPath + u"x", 2), 1); // path must match exactly
    LapDataCore empty;
    EXPECT_EQ(SaveLapAsMapFile(empty, Out("a.dat"), logPath, 1), 1);
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(MapFileWriterTest, FirstFileWithTheLapIsTaken)
{
    LogBytes other;
    other.Sample(10, 1).Gps(1).LapEnd(1, 10, 1).LapLine(20);
    const std::u16string otherPath = folder.Write("other.dat", other.bytes);
    ASSERT_EQ(ReadLogFile(core, otherPath), 0);
    ASSERT_EQ(ReadLogFile(core, logPath), 0); // the same file loaded again
    core.LogFiles[0].laps[0].analysisItems.emplace_back();
    core.LogFiles[2].laps[0].analysisItems.emplace_back().gpsDrawFlag = 1;
    ASSERT_EQ(SaveLapAsMapFile(core, Out("a.dat"), logPath, 1), 0);
    EXPECT_EQ(test::ReadWholeFile(folder.Path("a.dat"))[4 * 64 + 30], 150 >> 8);
}

TEST_F(MapFileWriterTest, UncreatableTargetFailsWithoutLeftovers)
{
    WithCourse(0, true);
    EXPECT_EQ(SaveLapAsMapFile(core, Out("no-such-folder/a.dat"), logPath, 1), -1);
    fs::create_directory(folder.Path("taken.dat"));
    EXPECT_EQ(SaveLapAsMapFile(core, Out("taken.dat"), logPath, 1), -1);
    EXPECT_TRUE(fs::is_directory(folder.Path("taken.dat")));
    EXPECT_EQ(FilesInFolder(), 2u); // the log file and the folder
}

TEST_F(MapFileWriterTest, FullDiskFailsWithoutLeftovers)
{
    WithCourse(1, true);
    folder.Write("keep.dat", {1, 2, 3});
    // A file size limit makes the writes fail as on a full disk.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const int result = SaveLapAsMapFile(core, Out("keep.dat"), logPath, 2);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(test::ReadWholeFile(folder.Path("keep.dat")), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(FilesInFolder(), 2u);
}

} // namespace
} // namespace orvelo
