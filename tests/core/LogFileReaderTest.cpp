// Opening and reading whole files: missing, read-only, truncated and hostile files, dates and titles,
// and both readers against every generated session shape.
#include "core/LapDataCore.h"
#include "core/LogBytes.h"
#include "core/LogFileReader.h"

#include "tools/SampleSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>

namespace orvelo {
namespace {

namespace fs = std::filesystem;
using test::HoldsRecords;
using test::Ints;
using test::LogBytes;

class LogFileReaderTest : public ::testing::Test {
protected:
    // Reads the path with both readers, which must write nothing; their results, and whether each
    // found that the file could not be opened.
    std::vector<long long> ReadBoth(const fs::path& path)
    {
        ::testing::internal::CaptureStdout();
        const int log = ReadLogFile(core, test::WidePath(path));
        const int map = ReadMapFile(core, test::WidePath(path));
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
        return Ints(log, map, core.LogFiles.back().openFailed, core.MapFiles.back().openFailed);
    }

    LapDataCore core;
    test::ScratchFolder folder;
};

std::size_t RecordsHeld(const LogFile& file)
{
    std::size_t count = 0;
    for (const auto* laps : {&file.laps, &file.trailingLaps})
        for (const Lap& lap : *laps)
            count += lap.records.size();
    return count;
}

TEST_F(LogFileReaderTest, FilesAreOpenedReadOnlyAndNeverCreated)
{
    const fs::path missing = folder.Path("missing.dat");
    EXPECT_EQ(ReadBoth(missing), Ints(-1, -1, 1, 1));
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_EQ(core.LogFiles.at(0).title, u"missing"); // the entry stays, with one empty lap
    EXPECT_EQ(Ints(core.LogFiles.size(), core.LogFiles.at(0).laps.size(), core.MapFiles.at(0).laps.size()),
              Ints(1, 1, 0));

    fs::create_directory(folder.Path("sub.dat"));
    EXPECT_EQ(ReadBoth(folder.Path("sub.dat")), Ints(-1, -1, 1, 1));
    ASSERT_EQ(::mkfifo(folder.Path("pipe.dat").c_str(), 0600), 0);
    EXPECT_EQ(ReadBoth(folder.Path("pipe.dat")), Ints(-1, -1, 1, 1)); // returns, never waits

    folder.Write("locked.dat", LogBytes().Sample(20, 5).Gps(3).LapEnd(1, 30, 5).LapLine(50).bytes);
    fs::permissions(folder.Path("locked.dat"), fs::perms::owner_read);
    EXPECT_EQ(ReadBoth(folder.Path("locked.dat")), Ints(0, 0, 0, 0));
    EXPECT_EQ(Ints(core.LogFiles.back().lapCount, core.MapFiles.back().laps.size()), Ints(1, 1));
    EXPECT_EQ(Ints(FindLapEndRecord(test::WidePath(folder.Path("locked.dat"))),
                   FindLapEndRecord(test::WidePath(missing)), FindLapEndRecord(test::WidePath(folder.Path("pipe.dat")))),
              Ints(1, -1, -1));
}

TEST_F(LogFileReaderTest, LapEndRecordsAreFoundOnlyWholeAndOnRecordBoundaries)
{
    const auto find = [this](const std::vector<std::uint8_t>& bytes) {
        return FindLapEndRecord(folder.Write("scan.dat", bytes));
    };
    const LogBytes lapEnd = LogBytes().LapEnd(1, 10, 1);
    std::vector<std::uint8_t> late = samplegen::GenerateHostileRecords(samplegen::HostileShape::Zeros, 3000);
    late.insert(late.end(), lapEnd.bytes.begin(), lapEnd.bytes.end()); // past the first read block
    std::vector<std::uint8_t> shifted(63, 0);                            // 0xFFFF at byte 63: no record's start
    shifted.insert(shifted.end(), lapEnd.bytes.begin(), lapEnd.bytes.end());
    std::vector<std::uint8_t> cut(lapEnd.bytes.begin(), lapEnd.bytes.begin() + 63); // a lap-end record cut off
    EXPECT_EQ(Ints(find(late), find(shifted), find(cut), find({}), find(LogBytes().Sample(1, 1).Gps(1).LapLine(5).bytes)),
              Ints(1, 0, 0, 0, 0));
}

TEST_F(LogFileReaderTest, RandomRecordsKeepTheInvariants)
{
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        const auto bytes = samplegen::GenerateRandomRecords(seed, 3000);
        const std::u16string path = folder.Write("random.dat", bytes);
        ASSERT_EQ(ReadLogFile(core, path), 0) << seed;
        ASSERT_EQ(ReadMapFile(core, path), 0) << seed;
        for (const LogFile* file : {&core.LogFiles.back(), &core.MapFiles.back()}) {
            EXPECT_LE(file->trailingLaps.size(), 1u);
            const auto marked = std::count_if(file->laps.begin(), file->laps.end(),
                                              [](const Lap& lap) { return lap.lastLapMark == 0xFF; });
            EXPECT_EQ(marked, file->laps.empty() ? 0 : 1) << seed;
        }
        EXPECT_EQ(RecordsHeld(core.LogFiles.back()), bytes.size() / 64) << seed;
    }
}

TEST_F(LogFileReaderTest, AddedFileTakesTitleFolderDateAndFreshId)
{
    const std::u16string path = folder.Write("run3.dat.bak", {});
    // 2008-05-03 09:07:30 UTC, a Saturday.
    const struct timespec times[2] = {{1209805650, 0}, {1209805650, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, folder.Path("run3.dat.bak").c_str(), times, 0), 0);
    EXPECT_EQ(AddLogFile(core, path), 0);
    EXPECT_EQ(AddLogFile(core, path), 0);
    EXPECT_EQ(AddMapFile(core, path), 0);
    const LogFile& file = core.LogFiles[0];
    EXPECT_EQ(file.title + u"|" + file.folder, u"run3|" + test::WidePath(folder.Folder()));
    EXPECT_EQ(file.dateText, u"2008/5/3(Sat) 9:7"); // the last write time in universal time
    EXPECT_TRUE(file.fileId < core.LogFiles[1].fileId && core.LogFiles[1].fileId < core.MapFiles[0].fileId);
}

TEST(FileDateTextTest, NoPaddingAndWeekdayNames)
{
    std::tm time{};
    time.tm_year = 2026 - 1900;
    time.tm_mon = 11;
    time.tm_mday = 31;
    time.tm_hour = 23;
    time.tm_min = 59;
    const std::u16string days = u"SunMonTueWedThuFriSat";
    for (time.tm_wday = 0; time.tm_wday < 7; ++time.tm_wday)
        EXPECT_EQ(FormatFileDate(time), u"2026/12/31(" + days.substr(3 * time.tm_wday, 3) + u") 23:59");
}

// Segment-group ids count from local midnight of 2008-01-01, not from midnight UTC.
TEST(SecondsSince2008Test, CountsFromLocalMidnight)
{
    const char* oldZone = std::getenv("TZ");
    const std::string saved = oldZone ? oldZone : "";
    ::setenv("TZ", "JST-9", 1); // nine hours east of UTC, no daylight saving
    ::tzset();
    LapDataCore core;
    core.nowSeconds = [] { return std::int64_t{1199113200} + 42; }; // 2007-12-31 15:00:42 UTC
    EXPECT_EQ(GetSecondsSince2008(core), 42);
    oldZone ? ::setenv("TZ", saved.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
}

// ---- generated sessions -----------------------------------------------------------------------

using samplegen::ExpectedLap;
using samplegen::LapClose;
using samplegen::Session;
using samplegen::Variant;

// What the lap list shows for a lap time: m:ss.hh below ten minutes, else hexadecimal.
std::string LapTimeShown(std::uint32_t time)
{
    char text[32];
    if (time > 59999)
        std::snprintf(text, sizeof text, "%x", time);
    else
        std::snprintf(text, sizeof text, "%u:%02u.%02u", time / 6000, time % 6000 / 100, time % 100);
    return text;
}

class LogFileReaderSessionTest : public ::testing::TestWithParam<Variant> {
protected:
    static samplegen::SessionOptions Options(Variant variant)
    {
        return {.seed = 11 + static_cast<std::uint64_t>(variant), .laps = 4, .rateMode = static_cast<int>(variant) % 4,
                .variant = variant, .circuitLength = 600.0, .otherKindEverySeconds = 7.0};
    }

    // The fields every reader takes from a complete lap.
    static void ExpectLap(const Lap& lap, const ExpectedLap& truth, const Session& session, bool mapFile)
    {
        SCOPED_TRACE("lap " + std::to_string(truth.number));
        EXPECT_EQ(Ints(lap.lapNumber, lap.lapTime, lap.distance, lap.sampleCount, lap.positionCount, lap.recordCount,
                       lap.positions.size(), lap.savedCourseMark),
                  Ints(truth.number, truth.lapTime, truth.distance, truth.sampleCount, truth.positionCount,
                       truth.recordCount, truth.positionRecords, mapFile && truth.savedCourseMark));
        EXPECT_TRUE(HoldsRecords(lap, session.bytes, {truth.firstRecord, truth.endRecord}));
        EXPECT_EQ(std::string(lap.lapTimeText), LapTimeShown(truth.lapTime)); // the lap list's main column
        // A fix that closes a lap counts for the lap it opens, so laps closed that way differ.
        EXPECT_TRUE((truth.closedBy == LapClose::GpsFix && !lap.positions.empty()) ||
                    lap.gpsSign == (truth.gpsSign && !lap.positions.empty() ? 1 : 0));
        for (std::size_t k = 0; k < lap.positions.size(); ++k)
            EXPECT_EQ(lap.positions[k].lapEndMark, k + 1 == lap.positions.size() ? 0xFF : 0) << k;
        EXPECT_TRUE(mapFile || truth.closedBy != LapClose::LapLine || lap.samples.empty() ||
                    lap.samples.back().runningLapTime == truth.lapTime);
    }

    static void ExpectFile(const LogFile& file, const Session& session)
    {
        EXPECT_EQ(Ints(file.lapCount, file.totalTime, file.totalDistance, file.lowestLapNumber, file.highestLapNumber,
                       file.loadState),
                  Ints(session.lapCount, session.totalTime, session.totalDistance, session.lowestLap,
                       session.highestLap, 2));
        for (std::size_t k = 0; k < file.laps.size(); ++k)
            EXPECT_EQ(file.laps[k].lastLapMark, k + 1 == file.laps.size() ? 0xFF : 0) << k;
        ASSERT_EQ(file.trailingLaps.size(), session.trailingLap ? 1u : 0u);
        EXPECT_TRUE(!session.trailingLap || HoldsRecords(file.trailingLaps[0], session.bytes, *session.trailingLap))
            << "trailing lap";
    }

    LapDataCore core;
    test::ScratchFolder folder;
};

TEST_P(LogFileReaderSessionTest, LogReaderReproducesTheSession)
{
    const Session session = samplegen::GenerateSession(Options(GetParam()));
    ASSERT_EQ(ReadLogFile(core, folder.Write("session.dat", session.bytes)), session.expectedReadResult);
    const LogFile& file = core.LogFiles.back();
    const std::size_t complete = session.laps.size();
    for (std::size_t k = 0; k < complete && k < file.laps.size(); ++k)
        ExpectLap(file.laps[k], session.laps[k], session, false);
    // A file cut off in its last record is finished as if it ended before it.
    EXPECT_EQ(file.partialRecordBytes, session.bytes.size() % 64);
    ExpectFile(file, session);
    EXPECT_EQ(file.laps.size(), complete + (session.emptyLastLap ? 1 : 0));
    EXPECT_TRUE(!session.emptyLastLap || HoldsRecords(file.laps.back(), session.bytes, *session.emptyLastLap));
    // The decoded fixes of each hemisphere are checked through the GPS courses (CourseBuilderTest).
}

TEST_P(LogFileReaderSessionTest, CourseMapReaderReproducesTheSession)
{
    for (const bool mark : {false, true}) {
        const Session session = samplegen::GenerateMapFile(Options(GetParam()), 2, mark);
        ASSERT_EQ(ReadMapFile(core, folder.Write("course.dat", session.bytes)), session.expectedReadResult);
        const LogFile& file = core.MapFiles.back();
        ASSERT_EQ(file.laps.size(), session.laps.size());
        for (std::size_t k = 0; k < file.laps.size(); ++k)
            ExpectLap(file.laps[k], session.laps[k], session, true);
        if (session.expectedReadResult == 0)
            ExpectFile(file, session);
        EXPECT_TRUE(core.ScratchRecords.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, LogFileReaderSessionTest, ::testing::ValuesIn(samplegen::AllVariants()),
                         [](const ::testing::TestParamInfo<Variant>& info) {
                             std::string name(samplegen::VariantName(info.param));
                             std::erase(name, '-');
                             return name;
                         });

} // namespace
} // namespace orvelo
