// File-list edits, the load drivers on generated sessions, purge and discard, closing files in every
// order while their laps are compared, and the start-up and shut-down of the core.
#include "core/FileLists.h"

#include "core/CourseBuilder.h"
#include "core/LapColour.h"
#include "core/LapDataCore.h"
#include "core/LapSelection.h"
#include "core/LogBytes.h"
#include "core/PathSplit.h"
#include "core/Utf8Text.h"
#include "tools/SampleSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace orvelo {
namespace {

constexpr std::int64_t kClock = 1'700'000'000;

// What a core holds, in comparable form (texts as UTF-8 so that failures print readably).
struct CoreSnapshot {
    std::vector<std::tuple<std::string, std::size_t>> logFiles;
    std::vector<std::tuple<std::string, std::size_t>> mapFiles;
    std::vector<std::tuple<std::string, int, int, int>> readLogList;
    std::vector<std::tuple<std::string, int, int, int>> readMapList;
    std::vector<std::tuple<int, std::uint32_t, int, COLORREF, int, int, std::string>> slots;
    std::vector<std::tuple<std::string, int, std::uint32_t>> baseLapFiles;
    std::size_t baseLapWork = 0;
    std::tuple<int, std::uint32_t, int> baseLap;
    std::array<std::uint32_t, 5> counts{};
    std::array<std::size_t, 5> scratch{};
    std::array<std::uint8_t, 3> decodeState{};
    std::array<unsigned char, sizeof(GraphScaleWords)> graphScale{};

    bool operator==(const CoreSnapshot&) const = default;
};

std::tuple<int, std::uint32_t, int> RefTuple(const LapRef& ref)
{
    return {static_cast<int>(ref.set), ref.fileId, ref.lapIndex};
}

CoreSnapshot Snapshot(const LapDataCore& core)
{
    CoreSnapshot s;
    for (const LogFile& file : core.LogFiles)
        s.logFiles.emplace_back(ToUtf8(file.fullPath), file.laps.size());
    for (const LogFile& file : core.MapFiles)
        s.mapFiles.emplace_back(ToUtf8(file.fullPath), file.laps.size());
    for (const FileListEntry& e : core.ReadLogFileList)
        s.readLogList.emplace_back(ToUtf8(e.fullPath), e.loadedFlag, e.closeMark, e.loadError);
    for (const FileListEntry& e : core.ReadMapFileList)
        s.readMapList.emplace_back(ToUtf8(e.fullPath), e.loadedFlag, e.closeMark, e.loadError);
    for (const SelectedLap& slot : core.SelectedLaps) {
        s.slots.emplace_back(static_cast<int>(slot.lap.set), slot.lap.fileId, slot.lap.lapIndex, slot.colour,
                             slot.activeFlag, slot.lapNumber, ToUtf8(slot.fullPath));
    }
    for (const BaseLapFileRef& ref : core.BaseLapFiles)
        s.baseLapFiles.emplace_back(ToUtf8(ref.fullPath), static_cast<int>(ref.set), ref.fileId);
    s.baseLapWork = core.BaseLapWork.size();
    s.baseLap = RefTuple(core.BaseLap);
    s.counts = {core.BaseLapLength, static_cast<std::uint32_t>(core.MarkedLapCount), core.LoadedFileCount,
                core.LoadedMapFileCount, static_cast<std::uint32_t>(core.LapTemplate.records.size())};
    s.scratch = {core.ScratchRecords.size(), core.ScratchSamples.size(), core.ScratchPositions.size(),
                 core.LogFileTemplate.laps.size(), core.LogFileTemplate.fullPath.size()};
    s.decodeState = {core.Press1RangeCode, core.Press2RangeCode, core.LastSampleFlag};
    std::memcpy(s.graphScale.data(), &core.GraphScaleDefaults, sizeof(GraphScaleWords));
    return s;
}

class FileListsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = std::make_unique<test::ScratchFolder>();
        for (int i = 0; i < 3; ++i) {
            samplegen::SessionOptions options;
            options.seed = 11 + static_cast<std::uint64_t>(i);
            options.laps = 3;
            options.circuitLength = 600.0 + 150.0 * i; // laps of different times and distances per file
            s_logs[i] = s_folder->Write("run" + std::to_string(i) + ".dat", samplegen::GenerateSession(options).bytes);
        }
        samplegen::SessionOptions course;
        course.laps = 2;
        course.circuitLength = 600.0;
        s_map = s_folder->Write("course.dat", samplegen::GenerateMapFile(course, 1, true).bytes);
        s_missing = test::WidePath(s_folder->Path("missing.dat"));
    }
    static void TearDownTestSuite() { s_folder.reset(); }

    void SetUp() override
    {
        core.nowSeconds = [] { return kClock; };
        InitDataCore(core);
    }

    static FileListEntry Entry(const std::u16string& path)
    {
        FileListEntry entry;
        entry.fullPath = path;
        entry.listText = GetFolderPart(path);
        entry.removalKey = path.substr(FindFileNamePart(path));
        return entry;
    }

    int LoadLogs(const std::vector<std::u16string>& paths)
    {
        for (const std::u16string& path : paths)
            EditLogFileList(core, kFileListAdd, Entry(path));
        ::testing::internal::CaptureStdout(); // a missing file says so on the standard output
        const int result = LoadPendingLogFiles(core, kMapDrawOffsetOff);
        ::testing::internal::GetCapturedStdout();
        return result;
    }

    void MarkForClosing(const std::u16string& path)
    {
        for (FileListEntry& entry : core.ReadLogFileList)
            entry.closeMark = entry.fullPath == path ? 1 : entry.closeMark;
    }

    static inline std::unique_ptr<test::ScratchFolder> s_folder;
    static inline std::array<std::u16string, 3> s_logs;
    static inline std::u16string s_map;
    static inline std::u16string s_missing;

    LapDataCore core;
};

// ---- list edits -----------------------------------------------------------------------------------

TEST_F(FileListsTest, AddingTheSamePathTwiceKeepsOneUnloadedEntry)
{
    FileListEntry entry = Entry(u"/logs/a.dat");
    entry.loadedFlag = 1;
    EXPECT_EQ(EditLogFileList(core, kFileListAdd, entry), 0);
    EXPECT_EQ(EditLogFileList(core, kFileListAdd, Entry(u"/logs/a.dat")), -1);
    ASSERT_EQ(core.ReadLogFileList.size(), 1u);
    EXPECT_EQ(core.ReadLogFileList[0].loadedFlag, 0);
    EXPECT_EQ(EditLogFileList(core, kFileListAdd, Entry(u"/logs/A.dat")), 0); // exact comparison
    EXPECT_EQ(EditMapFileList(core, kFileListAdd, Entry(u"/logs/a.dat")), 0); // the twins are separate
}

TEST_F(FileListsTest, RemovingFindsTheEntryByItsFullPath)
{
    EditLogFileList(core, kFileListAdd, Entry(u"/day1/run.dat"));
    EditLogFileList(core, kFileListAdd, Entry(u"/day2/run.dat")); // same file name, same removal key
    EXPECT_EQ(EditLogFileList(core, kFileListRemove, Entry(u"/day2/run.dat")), 0);
    ASSERT_EQ(core.ReadLogFileList.size(), 1u);
    EXPECT_EQ(core.ReadLogFileList[0].fullPath, u"/day1/run.dat");

    EXPECT_EQ(EditLogFileList(core, kFileListRemove, Entry(u"/day3/run.dat")), 0);
    EXPECT_EQ(core.ReadLogFileList.size(), 1u);
    EXPECT_EQ(EditLogFileList(core, 7, Entry(u"/day1/run.dat")), 0);
    EXPECT_EQ(core.ReadLogFileList.size(), 1u);
    EXPECT_EQ(EditLogFileList(core, kFileListRemove, Entry(u"/day1/run.dat")), 1);
    EXPECT_EQ(EditLogFileList(core, kFileListRemove, Entry(u"/day1/run.dat")), 1); // still empty
    EXPECT_EQ(EditMapFileList(core, kFileListRemove, Entry(u"/x.dat")), 1);
}

TEST_F(FileListsTest, ALoadedFileKeepsItsEntry)
{
    ASSERT_EQ(LoadLogs({s_logs[0]}), 0);
    EXPECT_EQ(EditLogFileList(core, kFileListRemove, Entry(s_logs[0])), 0);
    ASSERT_EQ(core.ReadLogFileList.size(), 1u);
    EXPECT_EQ(core.ReadLogFileList[0].loadedFlag, 1);
}

// ---- load drivers, purge and discard --------------------------------------------------------------

TEST_F(FileListsTest, LoadingAnEmptyListReturnsMinusOne)
{
    EXPECT_EQ(LoadPendingLogFiles(core, kMapDrawOffsetOff), -1);
    EXPECT_EQ(LoadPendingMapFiles(core, kMapDrawOffsetOff), -1);
    EXPECT_EQ(DiscardUnloadedLogFiles(core), -1);
    EXPECT_EQ(DiscardUnloadedMapFiles(core), -1);
}

TEST_F(FileListsTest, AMissingFileIsCountedAndTheOthersGetCourseAndStatistics)
{
    EXPECT_EQ(LoadLogs({s_logs[0], s_missing, s_logs[2]}), 1);
    EXPECT_EQ(core.LoadedFileCount, 2u);
    ASSERT_EQ(core.LogFiles.size(), 3u);
    const auto& list = core.ReadLogFileList;
    EXPECT_EQ(std::make_tuple(list[0].loadedFlag, list[1].loadedFlag, list[2].loadedFlag), std::make_tuple(1, 0, 1));
    EXPECT_EQ(std::make_tuple(list[0].loadError, list[1].loadError, list[2].loadError), std::make_tuple(0, 1, 0));
    for (std::size_t i : {0u, 2u}) {
        const LogFile& file = core.LogFiles[i];
        ASSERT_EQ(file.lapCount, 3);
        for (int k = 0; k < file.lapCount; ++k) {
            EXPECT_FALSE(file.laps[k].analysisItems.empty()) << "file " << i << " lap " << k;
            EXPECT_NE(file.laps[k].sampleTimeSum, 0u);
            EXPECT_NE(file.laps[k].sampleTimeText[0], '\0');
        }
        EXPECT_NE(file.fastestLapNumber, 0);
    }
    EXPECT_EQ(core.LogFiles[1].fullPath, s_missing); // the failed read stays until discarded
    EXPECT_EQ(core.LogFiles[1].laps.size(), 1u);

    EXPECT_EQ(DiscardUnloadedLogFiles(core), 0);
    ASSERT_EQ(core.LogFiles.size(), 2u);
    EXPECT_EQ(core.LogFiles[0].fullPath, s_logs[0]);
    EXPECT_EQ(core.LogFiles[1].fullPath, s_logs[2]);
    ASSERT_EQ(core.ReadLogFileList.size(), 2u);
    EXPECT_EQ(core.ReadLogFileList[1].fullPath, s_logs[2]);
    EXPECT_EQ(DiscardUnloadedLogFiles(core), 0);
    EXPECT_EQ(core.LogFiles.size(), 2u);
}

TEST_F(FileListsTest, LoadingAgainReadsOnlyThePendingFiles)
{
    ASSERT_EQ(LoadLogs({s_logs[0], s_logs[1]}), 0);
    const std::uint32_t firstId = core.LogFiles[0].fileId;
    EXPECT_EQ(LoadLogs({s_logs[2]}), 0);
    EXPECT_EQ(core.LoadedFileCount, 3u);
    ASSERT_EQ(core.LogFiles.size(), 3u);
    EXPECT_EQ(core.LogFiles[0].fileId, firstId);
    EXPECT_EQ(core.LogFiles[2].fullPath, s_logs[2]);
}

TEST_F(FileListsTest, RetryingAFailedEntryKeepsOneFileForIt)
{
    const std::u16string late = test::WidePath(s_folder->Path("late.dat"));
    std::filesystem::remove(s_folder->Path("late.dat"));
    EXPECT_EQ(LoadLogs({late}), 1);
    EXPECT_EQ(core.LogFiles.size(), 1u);
    samplegen::SessionOptions options;
    options.laps = 2;
    s_folder->Write("late.dat", samplegen::GenerateSession(options).bytes);
    EXPECT_EQ(LoadLogs({}), 0);
    ASSERT_EQ(core.LogFiles.size(), 1u);
    EXPECT_EQ(core.LogFiles[0].lapCount, 2);
    EXPECT_EQ(core.ReadLogFileList[0].loadError, 0);
}

TEST_F(FileListsTest, PurgeAfterACancelLeavesLoadedFilesAlone)
{
    ASSERT_EQ(LoadLogs({s_logs[0], s_logs[1]}), 0);
    const CoreSnapshot loaded = Snapshot(core);
    EditLogFileList(core, kFileListAdd, Entry(s_logs[2]));
    EditLogFileList(core, kFileListAdd, Entry(s_missing));
    EXPECT_EQ(PurgeLogFileList(core), 2);
    EXPECT_EQ(Snapshot(core), loaded);
    EXPECT_EQ(PurgeLogFileList(core), 0);
    EXPECT_EQ(PurgeMapFileList(core), 0);
}

TEST_F(FileListsTest, CourseMapsGetCoursesButNoStatistics)
{
    EditMapFileList(core, kFileListAdd, Entry(s_missing));
    EditMapFileList(core, kFileListAdd, Entry(s_map));
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(LoadPendingMapFiles(core, kMapDrawGps), 1);
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(core.LoadedMapFileCount, 1u);
    EXPECT_TRUE(core.LogFiles.empty());
    ASSERT_EQ(core.MapFiles.size(), 2u);
    const LogFile& course = core.MapFiles[1];
    ASSERT_FALSE(course.laps.empty());
    EXPECT_FALSE(course.laps[0].analysisItems.empty());
    EXPECT_EQ(course.laps[0].sampleTimeText[0], '\0');

    EXPECT_EQ(DiscardUnloadedMapFiles(core), 0);
    ASSERT_EQ(core.MapFiles.size(), 1u);
    EXPECT_EQ(core.MapFiles[0].fullPath, s_map);

    core.ReadMapFileList[0].closeMark = 1;
    EXPECT_EQ(CloseMarkedMapFiles(core), 1);
    EXPECT_TRUE(core.MapFiles.empty());
    EXPECT_TRUE(core.ReadMapFileList.empty());
}

// ---- closing --------------------------------------------------------------------------------------

TEST_F(FileListsTest, ClosingTheBaseLapsFileLeavesNoReferenceToIt)
{
    ASSERT_EQ(LoadLogs({s_logs[0], s_logs[1], s_logs[2]}), 0);
    SetBaseLap(core, s_logs[1], u"  2");
    ASSERT_EQ(ToggleOverlayLap(core, s_logs[1], u"  1"), 0);
    ASSERT_EQ(ToggleOverlayLap(core, s_logs[2], u"  3"), 0);
    const COLORREF baseColour = core.SelectedLaps[0].colour;

    MarkForClosing(s_logs[1]);
    EXPECT_EQ(CloseMarkedLogFiles(core), 1);
    ASSERT_EQ(core.LogFiles.size(), 2u);
    const SelectedLap& slot0 = core.SelectedLaps[0];
    EXPECT_EQ(std::make_tuple(slot0.activeFlag, slot0.lapNumber), std::make_tuple(0, 0));
    EXPECT_TRUE(slot0.fullPath.empty());
    EXPECT_EQ(slot0.colour, baseColour);
    EXPECT_EQ(slot0.lap, LapRef{});
    EXPECT_EQ(core.SelectedLaps[1].activeFlag, 0);
    EXPECT_EQ(core.BaseLap.set, FileSet::BaseLapWork);
    ASSERT_NE(core.ResolveLap(core.BaseLap), nullptr);
    EXPECT_TRUE(core.ResolveLap(core.BaseLap)->samples.empty());
    EXPECT_TRUE(core.BaseLapFiles.empty());
    EXPECT_EQ(core.BaseLapLength, 0u);
    EXPECT_EQ(UpdateBaseLap(core), 0);

    // The overlay of the third file survives, on its own lap.
    const Lap* overlay = core.ResolveLap(core.SelectedLaps[2].lap);
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay, core.ResolveLap(FindLogLap(core, s_logs[2], 3)));
    EXPECT_EQ(ToggleOverlayLap(core, s_logs[2], u"  1"), 1); // no base lap any more
    EXPECT_EQ(CloseMarkedLogFiles(core), 0);
}

TEST_F(FileListsTest, ClosingOtherFilesKeepsTheBaseLapLengthAndSlots)
{
    ASSERT_EQ(LoadLogs({s_logs[0], s_logs[1]}), 0);
    SetBaseLap(core, s_logs[1], u"  3");
    const std::uint32_t length = core.BaseLapLength;
    MarkForClosing(s_logs[0]);
    EXPECT_EQ(CloseMarkedLogFiles(core), 1);
    EXPECT_EQ(UpdateBaseLap(core), 1);
    EXPECT_EQ(core.BaseLapLength, length);
    EXPECT_EQ(core.SelectedLaps[0].activeFlag, 1);
    EXPECT_EQ(core.BaseLapFiles.size(), 1u);
}

// One lap being compared, as it looked before any file was closed.
struct ComparedLap {
    std::size_t slot;
    std::u16string path;
    std::int32_t number;
    std::uint32_t lapTime;
    std::uint32_t distance;
};

class ClosingOrderTest : public FileListsTest, public ::testing::WithParamInterface<std::tuple<int, int>> {
protected:
    void ExpectSlotsStillRight(const std::vector<ComparedLap>& compared, const std::vector<std::u16string>& closed)
    {
        for (const ComparedLap& c : compared) {
            const SelectedLap& slot = core.SelectedLaps.at(c.slot);
            const Lap* lap = core.ResolveLap(slot.lap);
            if (std::find(closed.begin(), closed.end(), c.path) != closed.end()) {
                EXPECT_EQ(slot.activeFlag, 0) << "slot " << c.slot;
                EXPECT_EQ(lap, nullptr) << "slot " << c.slot;
                continue;
            }
            ASSERT_NE(lap, nullptr) << "slot " << c.slot;
            EXPECT_EQ(slot.activeFlag, 1);
            EXPECT_EQ(slot.fullPath, c.path);
            EXPECT_EQ(core.FindFile(FileSet::Log, slot.lap.fileId)->fullPath, c.path);
            EXPECT_EQ(static_cast<std::int32_t>(lap->lapNumber), c.number);
            EXPECT_EQ(lap->lapTime, c.lapTime);
            EXPECT_EQ(lap->distance, c.distance);
            EXPECT_EQ(lap->displayColour, slot.colour);
            EXPECT_TRUE(c.slot == 0 ? lap->baseLapMark : lap->overlayMark);
        }
    }
};

TEST_P(ClosingOrderTest, EveryReferenceStaysOnItsLapOrResolvesToNothing)
{
    const auto [baseFile, permutation] = GetParam();
    ASSERT_EQ(LoadLogs({s_logs[0], s_logs[1], s_logs[2]}), 0);
    SetBaseLap(core, s_logs[baseFile], u"  2");
    for (int f = 0; f < 3; ++f) {
        ASSERT_EQ(ToggleOverlayLap(core, s_logs[f], u"  1"), 0);
        if (f != baseFile) {
            ASSERT_EQ(ToggleOverlayLap(core, s_logs[f], u"  3"), 0);
        }
    }
    std::vector<ComparedLap> compared;
    for (std::size_t i = 0; i < core.SelectedLaps.size(); ++i) {
        const SelectedLap& slot = core.SelectedLaps[i];
        if (!slot.activeFlag)
            continue;
        const Lap* lap = core.ResolveLap(slot.lap);
        ASSERT_NE(lap, nullptr);
        compared.push_back({i, slot.fullPath, slot.lapNumber, lap->lapTime, lap->distance});
    }
    ASSERT_EQ(compared.size(), 6u);

    std::array<int, 3> order{0, 1, 2};
    for (int p = 0; p < permutation; ++p)
        std::next_permutation(order.begin(), order.end());

    std::vector<std::u16string> closed;
    for (int f : order) {
        MarkForClosing(s_logs[f]);
        ASSERT_EQ(CloseMarkedLogFiles(core), 1);
        closed.push_back(s_logs[f]);
        UpdateBaseLap(core); // what the main frame does next
        ExpectSlotsStillRight(compared, closed);

        const bool baseGone = std::find(closed.begin(), closed.end(), s_logs[baseFile]) != closed.end();
        const Lap* base = core.ResolveLap(core.BaseLap);
        ASSERT_NE(base, nullptr);
        if (baseGone) {
            EXPECT_EQ(core.BaseLap.set, FileSet::BaseLapWork);
            EXPECT_TRUE(core.BaseLapFiles.empty());
            EXPECT_EQ(core.BaseLapLength, 0u);
        } else {
            EXPECT_EQ(base, core.ResolveLap(FindLogLap(core, s_logs[baseFile], 2)));
            ASSERT_EQ(core.BaseLapFiles.size(), 1u);
            EXPECT_EQ(core.FindFile(FileSet::Log, core.BaseLapFiles[0].fileId)->fullPath, s_logs[baseFile]);
            EXPECT_EQ(core.BaseLapLength, static_cast<std::uint32_t>(base->sampleCount));
        }
        const auto alive = static_cast<int>(3 - closed.size());
        EXPECT_EQ(CountMarkedLaps(core), 2 * alive);
    }
    EXPECT_TRUE(core.LogFiles.empty());
    EXPECT_TRUE(core.ReadLogFileList.empty());
}

INSTANTIATE_TEST_SUITE_P(BaseFileAndOrder, ClosingOrderTest,
                         ::testing::Combine(::testing::Range(0, 3), ::testing::Range(0, 6)));

TEST_F(FileListsTest, ErasingAnUnknownPathChangesNothing)
{
    ASSERT_EQ(LoadLogs({s_logs[0]}), 0);
    const CoreSnapshot before = Snapshot(core);
    EraseLogFileByPath(core, u"/nowhere.dat");
    EraseMapFileByPath(core, s_logs[0]);
    ClearSelectedLapsByPath(core, u"");
    EXPECT_EQ(Snapshot(core), before);
}

// ---- start-up and shut-down -----------------------------------------------------------------------

TEST_F(FileListsTest, InitDataCoreGivesEighteenColouredSlotsAndTheScaleDefaults)
{
    LapDataCore fresh;
    std::vector<int> draws;
    int next = 0;
    fresh.randomNumber = [&] { draws.push_back(next); return next++ * 37; };
    InitDataCore(fresh);
    ASSERT_EQ(fresh.SelectedLaps.size(), 18u);
    EXPECT_EQ(fresh.SelectedLaps[0].colour, 0x0000FC7Cu);
    EXPECT_EQ(fresh.SelectedLaps[1].colour, 0x0000A5FFu);
    EXPECT_EQ(draws.size(), 16u * 3u);
    for (std::size_t i = 2; i < 18; ++i) {
        const COLORREF previous = fresh.SelectedLaps[i - 1].colour;
        const int d = static_cast<int>(3 * (i - 2)) * 37;
        EXPECT_EQ(fresh.SelectedLaps[i].colour,
                  MixColourOffsets(RedOf(previous), GreenOf(previous), BlueOf(previous), d % 255,
                                   (d + 37) % 255, (d + 74) % 6))
            << "slot " << i;
    }
    for (const SelectedLap& slot : fresh.SelectedLaps) {
        EXPECT_EQ(slot.activeFlag, 0);
        EXPECT_EQ(slot.lap, LapRef{});
    }
    const GraphScaleWords& g = fresh.GraphScaleDefaults;
    EXPECT_EQ(std::make_tuple(g.word1, g.word2, g.word3, g.word6, g.word7, g.word8, g.word9, g.word10, g.word12),
              std::make_tuple(200, 90, 8, 100, 200, 40, 20000, 1023, 400));
    EXPECT_EQ(std::make_tuple(g.word4, g.word5, g.word11), std::make_tuple(100.0f, 10.0f, 5.0f));
    EXPECT_EQ(fresh.BaseLapWork.size(), 1u);
    EXPECT_EQ(fresh.ResolveLap(fresh.BaseLap), &fresh.BaseLapWork[0]);
}

TEST_F(FileListsTest, InitDataCoreTwiceEqualsOnce)
{
    LapDataCore once;
    once.nowSeconds = [] { return kClock; };
    InitDataCore(once);

    ASSERT_EQ(LoadLogs({s_logs[0], s_logs[1]}), 0);
    EditMapFileList(core, kFileListAdd, Entry(s_map));
    ASSERT_EQ(LoadPendingMapFiles(core, kMapDrawOffsetOn), 0);
    SetBaseLap(core, s_logs[0], u"  1");
    ASSERT_EQ(ToggleOverlayLap(core, s_logs[1], u"  2"), 0);
    CountMarkedLaps(core);
    InitDataCore(core);
    InitDataCore(core);
    EXPECT_EQ(Snapshot(core), Snapshot(once));
}

TEST_F(FileListsTest, ClearAllLogDataLeavesAFreshCoreButTheCourseMaps)
{
    ASSERT_EQ(LoadLogs({s_logs[0], s_logs[1], s_missing}), 1);
    EditMapFileList(core, kFileListAdd, Entry(s_map));
    ASSERT_EQ(LoadPendingMapFiles(core, kMapDrawOffsetOn), 0);
    SetBaseLap(core, s_logs[1], u"  1");
    ASSERT_EQ(ToggleOverlayLap(core, s_logs[0], u"  2"), 0);
    CountMarkedLaps(core);

    ClearAllLogData(core);
    ASSERT_EQ(core.MapFiles.size(), 1u);
    EXPECT_FALSE(core.MapFiles[0].laps.empty());
    core.MapFiles.clear();
    core.LoadedMapFileCount = 0;
    LapDataCore fresh;
    fresh.GraphScaleDefaults = core.GraphScaleDefaults; // the graph panes' words, not loaded data
    EXPECT_EQ(Snapshot(core), Snapshot(fresh));
    EXPECT_EQ(ToggleOverlayLap(core, s_logs[0], u"  2"), 1);
}

} // namespace
} // namespace orvelo
