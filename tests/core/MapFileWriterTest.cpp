// Writing a lap as a course-map file and reading it back; failures leave no file behind.
#include "core/LapDataCore.h"
#include "core/LogBytes.h"
#include "core/LogFileReader.h"
#include "core/MapFileWriter.h"

#include "EndedProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include <sys/resource.h>
#include <unistd.h>

namespace orvelo {
namespace {

namespace fs = std::filesystem;
using test::Ints;
using test::LogBytes;
using Bytes = std::vector<std::uint8_t>;

class MapFileWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        log.Sample(100, 10).Gps(5).Gps(7).LapEnd(1, 50, 4).LapLine(150);              // records 0-4
        log.Sample(200, 20).Gps(5).Other('X').Gps(6).LapEnd(2, 10, 1).LapLine(2100); // records 5-10
        logPath = folder.Write("session.dat", log.bytes);
        ASSERT_EQ(ReadLogFile(core, logPath), 0);
    }
    // Gives lap k of the last log file a course, drawn from GPS or not.
    Lap& WithCourse(std::size_t k, bool gpsDraw)
    {
        Lap& lap = core.LogFiles.back().laps[k];
        lap.analysisItems.emplace_back().gpsDrawFlag = gpsDraw ? 1 : 0;
        return lap;
    }
    int Save(const std::string& name, std::uint32_t lap) { return SaveLapAsMapFile(core, Out(name), logPath, lap); }
    std::u16string Out(const std::string& name) const { return test::WidePath(folder.Path(name)); }
    Bytes Written(const std::string& name) const
    {
        std::ifstream in(folder.Path(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    Bytes Records(std::size_t first, std::size_t end) const { return Bytes(log.Record(first), log.Record(end)); }
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
    Lap& lap = WithCourse(1, true);
    ASSERT_EQ(Save("course.dat", 2), 0);
    Bytes expected = Records(5, 11);
    expected[5 * 64 + 30] = 0xFF; // the lap line's time now starts with the export mark
    EXPECT_EQ(Written("course.dat"), expected);
    EXPECT_EQ(lap.records.back().bytes[30], 2100 >> 8); // the loaded lap keeps its own bytes

    ASSERT_EQ(ReadMapFile(core, Out("course.dat")), 0);
    const Lap& course = core.MapFiles.back().laps.at(0);
    EXPECT_EQ(Ints(course.savedCourseMark, course.lapNumber, course.lapTime, course.positions.size()),
              Ints(1, 2, 0xFF00 | (2100 & 0xFF), 4));

    lap.analysisItems.front().gpsDrawFlag = 0; // saved again without GPS: no mark carried over
    ASSERT_EQ(Save("second.dat", 2), 0);
    EXPECT_EQ(Written("second.dat"), Records(5, 11));
}

TEST_F(MapFileWriterTest, ReplacesAnExistingFileWithTheFirstLoadedLap)
{
    const LogBytes other = LogBytes().Sample(10, 1).Gps(1).LapEnd(1, 10, 1).LapLine(20);
    ASSERT_EQ(ReadLogFile(core, folder.Write("other.dat", other.bytes)), 0);
    ASSERT_EQ(ReadLogFile(core, logPath), 0); // the same file loaded again
    core.LogFiles[0].laps[0].analysisItems.emplace_back();
    WithCourse(0, true);
    folder.Write("old.dat", Bytes(1000, 0xAB));
    ASSERT_EQ(Save("old.dat", 1), 0);
    EXPECT_EQ(Written("old.dat"), Records(0, 5));
    EXPECT_EQ(FilesInFolder(), 3u);
}

TEST_F(MapFileWriterTest, NothingToWriteGivesOneAndNoFile)
{
    EXPECT_EQ(Ints(SaveLapAsMapFile(core, u"", logPath, 1), Save("a.dat", 1)), Ints(1, 1)); // no course yet
    WithCourse(0, true).noAnalysisFlag = 1;
    EXPECT_EQ(Save("a.dat", 1), 1);
    EXPECT_EQ(Save("a.dat", 7), 1);                                       // no such lap
    EXPECT_EQ(SaveLapAsMapFile(core, Out("a.dat"), logPath + u"x", 2), 1); // path must match exactly
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(MapFileWriterTest, FailedWritesLeaveNothingBehind)
{
    WithCourse(1, true);
    fs::create_directory(folder.Path("taken.dat"));
    EXPECT_EQ(Ints(Save("no-such-folder/a.dat", 2), Save("taken.dat", 2)), Ints(-1, -1));
    EXPECT_TRUE(fs::is_directory(folder.Path("taken.dat")));

    // A file size limit makes the writes fail as on a full disk.
    folder.Write("keep.dat", {1, 2, 3});
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const int result = Save("keep.dat", 2);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(Written("keep.dat"), (Bytes{1, 2, 3}));
    EXPECT_EQ(FilesInFolder(), 3u); // the log file, the folder and the kept file
}

TEST_F(MapFileWriterTest, AnExistingFileKeepsItsModeAndALinkItsTarget)
{
    WithCourse(1, true);
    folder.Write("kept.dat", {1});
    fs::permissions(folder.Path("kept.dat"), fs::perms(0604));
    fs::create_directory(folder.Path("real"));
    folder.Write("real/target.dat", {1});
    fs::create_symlink("real/target.dat", folder.Path("link.dat"));
    fs::create_symlink(folder.Path("real/new.dat"), folder.Path("new.dat")); // leads to no file yet
    for (const char* name : {"kept.dat", "link.dat", "new.dat"})
        ASSERT_EQ(Save(name, 2), 0) << name;

    EXPECT_EQ(fs::status(folder.Path("kept.dat")).permissions(), fs::perms(0604));
    EXPECT_TRUE(fs::is_symlink(folder.Path("link.dat")));
    EXPECT_TRUE(fs::is_symlink(folder.Path("new.dat")));
    EXPECT_EQ(Written("real/target.dat").size(), 6u * 64);
    EXPECT_EQ(Written("real/new.dat").size(), 6u * 64);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path("real")), {}), 2) << "no temporary file left";
}

TEST_F(MapFileWriterTest, LeftoversOfKilledSavesGoAndNothingElse)
{
    const std::string ended = std::to_string(EndedProcessId());
    const std::string own = std::to_string(::getpid());
    const std::set<std::string> leftovers = {"a.dat.tmp-" + ended + "-0", "b.DAT.tmp-" + ended + "-12"};
    // A save still running, a running process whoever's it is, names we do not write, files not course maps.
    const std::set<std::string> others = {"c.dat.tmp-" + own + "-0",        "d.dat.tmp-1-0",
                                          "e.dat.tmp-" + ended + "-012",    "f.dat.tmp-0" + ended + "-1",
                                          "g.dat.tmp-" + ended,             "h.dat.tmp-" + ended + "-1x",
                                          "i.txt.tmp-" + ended + "-0",      ".dat.tmp-" + ended + "-0",
                                          "j.dat"};
    for (const std::string& name : leftovers)
        folder.Write(name, {1});
    for (const std::string& name : others)
        folder.Write(name, {1});
    fs::create_directory(folder.Path("k.dat.tmp-" + ended + "-0"));
    fs::create_symlink("j.dat", folder.Path("l.dat.tmp-" + ended + "-0"));
    if (::geteuid() == 0) {
        folder.Write("m.dat.tmp-" + ended + "-0", {1}); // another user's file
        ASSERT_EQ(::chown(folder.Path("m.dat.tmp-" + ended + "-0").c_str(), 4321, 4321), 0);
    }
    const std::size_t before = FilesInFolder();

    EXPECT_EQ(RemoveMapFileLeftovers(test::WidePath(folder.Folder())), 2);
    EXPECT_EQ(FilesInFolder(), before - 2);
    for (const std::string& name : leftovers)
        EXPECT_FALSE(fs::exists(folder.Path(name))) << name;
    for (const std::string& name : others)
        EXPECT_TRUE(fs::exists(folder.Path(name))) << name;

    folder.Write("n.dat.tmp-" + ended + "-0", {1}); // the folder a save writes into is cleared too
    WithCourse(1, false);
    ASSERT_EQ(Save("course.dat", 2), 0);
    EXPECT_EQ(FilesInFolder(), before - 1);
    EXPECT_FALSE(fs::exists(folder.Path("n.dat.tmp-" + ended + "-0")));
}

} // namespace
} // namespace orvelo
