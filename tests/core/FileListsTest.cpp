// File-list edits, the load drivers on generated sessions, purge and discard, closing files in every
// order while their laps are compared, and the start-up and shut-down of the core.
#include "core/FileLists.h"

#include "core/CourseBuilder.h"
#include "core/LapDataCore.h"
#include "core/LapSelection.h"
#include "core/LogBytes.h"
#include "core/PathSplit.h"
#include "core/Utf8Text.h"
#include "fuzz/HeapMeter.h"
#include "tools/SampleSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace orvelo {
namespace {

using test::Ints;

constexpr std::int64_t kClock = 1'700'000'000;

// What a core holds, as one comparable text (UTF-8, so that failures print readably).
std::string Snapshot(const LapDataCore& core)
{
    std::string s;
    const auto add = [&s](auto... values) { ((s += std::to_string(values) + ' '), ...); s += '\n'; };
    for (const auto* files : {&core.LogFiles, &core.MapFiles})
        for (const LogFile& file : *files)
            s += "file " + ToUtf8(file.fullPath) + ' ' + std::to_string(file.laps.size()) + '\n';
    for (const auto* list : {&core.ReadLogFileList, &core.ReadMapFileList})
        for (const FileListEntry& e : *list)
            s += "entry " + ToUtf8(e.fullPath), add(e.loadedFlag, e.closeMark, e.loadError);
    for (const SelectedLap& slot : core.SelectedLaps)
        s += "slot " + ToUtf8(slot.fullPath), add(int(slot.lap.set), slot.lap.fileId, slot.lap.lapIndex,
                                                  slot.colour, slot.activeFlag, slot.lapNumber);
    for (const BaseLapFileRef& ref : core.BaseLapFiles)
        s += "base file " + ToUtf8(ref.fullPath), add(int(ref.set), ref.fileId);
    add(int(core.BaseLap.set), core.BaseLap.fileId, core.BaseLap.lapIndex, core.BaseLapWork.size(),
        core.BaseLapLength, core.MarkedLapCount, core.LoadedFileCount, core.LoadedMapFileCount);
    add(core.LapTemplate.records.size(), core.ScratchRecords.size(), core.ScratchSamples.size(),
        core.ScratchPositions.size(), core.LogFileTemplate.laps.size(), core.LogFileTemplate.fullPath.size());
    add(core.Press1RangeCode, core.Press2RangeCode, core.LastSampleFlag);
    const GraphScaleWords& g = core.GraphScaleDefaults;
    add(g.handleSpan, g.anglSpan, g.gearSpan, g.anaSpan, g.gSpan, g.accelSpan, g.press1Span, g.press2Span,
        g.rpmSpan, g.tempSpan, g.voltSpan, g.speedSpan);
    return s;
}

class FileListsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = std::make_unique<test::ScratchFolder>();
        for (int i = 0; i < 3; ++i) {
            // Laps of different times and distances in each file.
            const samplegen::SessionOptions options{.seed = 11 + static_cast<std::uint64_t>(i), .laps = 3,
                                                    .circuitLength = 600.0 + 150.0 * i};
            s_logs[i] = s_folder->Write("run" + std::to_string(i) + ".dat", samplegen::GenerateSession(options).bytes);
        }
        const samplegen::Session course = samplegen::GenerateMapFile({.laps = 2, .circuitLength = 600.0}, 1, true);
        s_map = s_folder->Write("course.dat", course.bytes);
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
    int Add(const std::u16string& path) { return EditLogFileList(core, kFileListAdd, Entry(path)); }
    int Remove(const std::u16string& path) { return EditLogFileList(core, kFileListRemove, Entry(path)); }

    // Lists the paths and loads what is pending; a missing file says so on the standard output.
    int LoadLogs(const std::vector<std::u16string>& paths)
    {
        for (const std::u16string& path : paths)
            Add(path);
        return Quietly([this] { return LoadPendingLogFiles(core, kMapDrawOffsetOff); });
    }
    int LoadMap(const std::u16string& path)
    {
        EditMapFileList(core, kFileListAdd, Entry(path));
        return Quietly([this] { return LoadPendingMapFiles(core, kMapDrawGps); });
    }
    static int Quietly(const std::function<int()>& load)
    {
        ::testing::internal::CaptureStdout();
        const int result = load();
        return ::testing::internal::GetCapturedStdout(), result;
    }
    // Loads three logs and a course map, with a base lap and an overlay lap.
    void LoadAndCompare()
    {
        ASSERT_EQ(LoadLogs({s_logs[0], s_logs[1], s_missing}), 1);
        ASSERT_EQ(LoadMap(s_map), 0);
        SetBaseLap(core, s_logs[1], u"  1");
        ASSERT_EQ(ToggleOverlayLap(core, s_logs[0], u"  2"), 0);
        CountMarkedLaps(core);
    }

    static inline std::unique_ptr<test::ScratchFolder> s_folder;
    static inline std::array<std::u16string, 3> s_logs;
    static inline std::u16string s_map;
    static inline std::u16string s_missing;

    LapDataCore core;
};

// ---- list edits -----------------------------------------------------------------------------------

TEST_F(FileListsTest, EntriesAreAddedOnceAndRemovedByFullPathWhileNotLoaded)
{
    EXPECT_EQ(Add(u"/day1/run.dat"), 0);
    EXPECT_EQ(Add(u"/day1/run.dat"), -1);
    // Compared exactly; a twin with the same file name and removal key.
    EXPECT_EQ(Add(u"/day1/RUN.dat") + Add(u"/day2/run.dat"), 0);
    EXPECT_EQ(EditMapFileList(core, kFileListAdd, Entry(u"/day1/run.dat")), 0); // the twins are separate
    EXPECT_EQ(Remove(u"/day2/run.dat") + Remove(u"/day1/RUN.dat") + Remove(u"/day3/run.dat"), 0);
    EXPECT_EQ(core.ReadLogFileList.at(0).fullPath, u"/day1/run.dat");
    EXPECT_EQ(Remove(u"/day1/run.dat"), 1); // now empty
    ASSERT_EQ(LoadLogs({s_logs[0]}), 0);
    EXPECT_EQ(Remove(s_logs[0]), 0);
    EXPECT_EQ(core.ReadLogFileList.at(0).loadedFlag, 1); // a loaded file keeps its entry
}

// ---- load drivers, purge and discard --------------------------------------------------------------

TEST_F(FileListsTest, FailedFilesAreCountedRetriedAndDiscarded)
{
    EXPECT_EQ(Ints(LoadPendingLogFiles(core, kMapDrawOffsetOff), DiscardUnloadedLogFiles(core)), Ints(-1, -1));
    const std::u16string late = test::WidePath(s_folder->Path("late.dat"));
    std::filesystem::remove(s_folder->Path("late.dat"));
    EXPECT_EQ(LoadLogs({s_logs[0], late, s_logs[2]}), 1);
    const auto& list = core.ReadLogFileList; // the failed read stays until discarded
    EXPECT_EQ(Ints(core.LoadedFileCount, core.LogFiles.size(), list[0].loadedFlag, list[1].loadedFlag,
                   list[1].loadError),
              Ints(2, 3, 1, 0, 1));
    for (std::size_t i : {0u, 2u}) {
        for (const Lap& lap : core.LogFiles[i].laps)
            EXPECT_TRUE(lap.lapNumber == 0 || (!lap.analysisItems.empty() && lap.sampleTimeSum != 0)) << i;
        EXPECT_NE(core.LogFiles[i].fastestLapNumber, 0);
    }
    const std::uint32_t firstId = core.LogFiles[0].fileId;
    s_folder->Write("late.dat", samplegen::GenerateSession({.laps = 2}).bytes);
    EXPECT_EQ(LoadLogs({}), 0); // one file for the retried entry
    EXPECT_EQ(Ints(core.LoadedFileCount, core.LogFiles.size(), core.LogFiles[0].fileId, core.LogFiles.back().lapCount,
                   list[1].loadError),
              Ints(3, 3, firstId, 2, 0));
    EXPECT_EQ(LoadLogs({s_missing}), 1);
    EXPECT_EQ(DiscardUnloadedLogFiles(core), 0);
    EXPECT_EQ(Ints(core.LogFiles.size(), list.size()), Ints(3, 3));
    EXPECT_EQ(core.LogFiles.back().fullPath, late);
}

TEST_F(FileListsTest, CutOffLogFilesLoadFilesWithoutALapOrMemoryFailAndGoAtOnce)
{
    // Cut off in its last record: loaded from its complete records. No lap closed (an empty file; samples,
    // a fix and a lap line before any lap-end record): failed, and nothing of it kept.
    const samplegen::Session cut =
        samplegen::GenerateSession({.laps = 2, .variant = samplegen::Variant::PartialRecord});
    const std::u16string cutPath = s_folder->Write("cut.dat", cut.bytes);
    const std::u16string empty = s_folder->Write("empty.dat", {});
    const std::u16string open = s_folder->Write("open.dat", test::LogBytes().Sample(10, 2).Gps(3).LapLine(50).bytes);
    EXPECT_EQ(LoadLogs({cutPath, empty, open}), 2);
    ASSERT_EQ(core.LogFiles.size(), 1u);
    const LogFile& file = core.LogFiles[0];
    EXPECT_EQ(Ints(file.lapCount, file.laps.back().lastLapMark, file.laps[1].analysisItems.size(),
                   file.laps[1].sampleTimeSum == cut.laps[1].lapTime, file.partialRecordBytes),
              Ints(2, 0xFF, 1, 1, 37));
    const auto& list = core.ReadLogFileList;
    EXPECT_EQ(Ints(list[0].loadedFlag, list[0].lastRecordCutOff, list[1].loadError, list[2].loadError),
              Ints(1, 1, 1, 1));
    EXPECT_EQ(LoadLogs({}), 2); // the next load says nothing more of the cut file
    EXPECT_EQ(Ints(core.LogFiles.size(), list[0].lastRecordCutOff), Ints(1, 0));
    EXPECT_EQ(LoadMap(cutPath), 1); // a course-map file must be whole

    // A file that does not fit in memory fails alone and is released; what was loaded before stays.
    DiscardUnloadedLogFiles(core);
    const std::size_t held = fuzzing::CurrentHeapUse().current;
    Add(s_logs[1]);
    fuzzing::SetHeapLimit(held + std::filesystem::file_size(s_folder->Path("run1.dat")));
    const int failures = LoadPendingLogFiles(core, kMapDrawOffsetOff);
    fuzzing::SetHeapLimit(0);
    EXPECT_EQ(Ints(failures, core.LogFiles.size(), list[1].loadError), Ints(1, 1, 1));
    EXPECT_EQ(core.LogFiles[0].fullPath, cutPath);
    EXPECT_EQ(LoadLogs({}), 0);
    EXPECT_EQ(core.LogFiles.size(), 2u);
}

TEST_F(FileListsTest, PurgeAfterACancelLeavesLoadedFilesAlone)
{
    ASSERT_EQ(LoadLogs({s_logs[0], s_logs[1]}), 0);
    const std::string loaded = Snapshot(core);
    Add(s_logs[2]);
    Add(s_missing);
    EXPECT_EQ(PurgeLogFileList(core), 2);
    EXPECT_EQ(PurgeLogFileList(core), 0);
    EraseLogFileByPath(core, u"/nowhere.dat"); // unknown paths change nothing either
    EraseMapFileByPath(core, s_logs[0]);
    ClearSelectedLapsByPath(core, u"");
    EXPECT_EQ(Snapshot(core), loaded);
}

TEST_F(FileListsTest, CourseMapsGetCoursesButNoStatistics)
{
    EditMapFileList(core, kFileListAdd, Entry(s_missing));
    EXPECT_EQ(LoadMap(s_map), 1);
    const Lap& course = core.MapFiles.at(1).laps.at(0);
    EXPECT_EQ(Ints(core.LoadedMapFileCount, core.LogFiles.size(), course.analysisItems.size(),
                   course.sampleTimeText[0]),
              Ints(1, 0, 1, 0));
    EXPECT_EQ(DiscardUnloadedMapFiles(core), 0);
    EXPECT_EQ(core.MapFiles.at(0).fullPath, s_map);
    core.ReadMapFileList.at(0).closeMark = 1;
    EXPECT_EQ(CloseMarkedMapFiles(core), 1);
    EXPECT_TRUE(core.MapFiles.empty() && core.ReadMapFileList.empty());
}

// ---- closing --------------------------------------------------------------------------------------

class ClosingOrderTest : public FileListsTest, public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(ClosingOrderTest, TheLapsLeftKeepTheirOrderFromSlotOneOnAndTakeTheirSlotsColours)
{
    const auto [baseFile, permutation] = GetParam();
    ASSERT_EQ(LoadLogs({s_logs[0], s_logs[1], s_logs[2]}), 0);
    SetBaseLap(core, s_logs[baseFile], u"  2");
    for (int f = 0; f < 3; ++f) {
        ASSERT_EQ(ToggleOverlayLap(core, s_logs[f], u"  1"), 0);
        ASSERT_TRUE(f == baseFile || ToggleOverlayLap(core, s_logs[f], u"  3") == 0); // base lap 2 and laps 1, 3
    }
    // Each compared lap as it looked before any file was closed: path, number, lap time, colour.
    std::vector<std::tuple<std::u16string, std::int32_t, std::uint32_t, COLORREF>> compared;
    for (const SelectedLap& slot : core.SelectedLaps) {
        if (slot.activeFlag)
            compared.emplace_back(slot.fullPath, slot.lapNumber, core.ResolveLap(slot.lap)->lapTime, slot.colour);
    }
    ASSERT_EQ(compared.size(), 6u);
    const LapColorArray table{0x0000FF, 0x00FF00, 0x000080, 0xFFFF00, 0xFF00FF, 0x800080, 0x808000};

    std::array<int, 3> order{0, 1, 2};
    for (int p = 0; p < permutation; ++p)
        std::next_permutation(order.begin(), order.end());
    std::vector<std::u16string> closed;
    const auto isClosed = [&closed](const std::u16string& path) {
        return std::find(closed.begin(), closed.end(), path) != closed.end();
    };
    for (int f : order) {
        for (FileListEntry& entry : core.ReadLogFileList)
            entry.closeMark |= entry.fullPath == s_logs[f] ? 1 : 0;
        ASSERT_EQ(CloseMarkedLogFiles(core), 1);
        EXPECT_EQ(CloseMarkedLogFiles(core), 0);
        closed.push_back(s_logs[f]);
        const bool baseGone = isClosed(s_logs[baseFile]);
        EXPECT_EQ(UpdateBaseLap(core), baseGone ? 0 : 1); // what the main frame does next
        ASSERT_EQ(core.SelectedLaps.size(), 18u);

        // A closed base lap leaves slot 0 empty in its colour; the overlay laps left close up from
        // slot 1 on in the order they were compared, each still on its lap and in its colour.
        std::vector<std::size_t> slotOf(compared.size(), 0);
        std::size_t next = 1;
        for (std::size_t k = 1; k < compared.size(); ++k)
            slotOf[k] = isClosed(std::get<0>(compared[k])) ? 0 : next++;
        for (std::size_t k = 0; k < compared.size(); ++k) {
            const auto& [path, number, lapTime, colour] = compared[k];
            SCOPED_TRACE("compared lap " + std::to_string(k));
            const SelectedLap& slot = core.SelectedLaps[slotOf[k]];
            const Lap* lap = core.ResolveLap(slot.lap);
            if (k == 0 && baseGone) {
                EXPECT_EQ(Ints(slot.colour, slot.activeFlag, slot.lapNumber, lap == nullptr), Ints(colour, 0, 0, 1));
                EXPECT_EQ(slot.fullPath, u"");
            } else if (k == 0 || slotOf[k] != 0) {
                ASSERT_NE(lap, nullptr);
                EXPECT_EQ(slot.fullPath, path);
                const int mark = k == 0 ? lap->baseLapMark : lap->overlayMark;
                EXPECT_EQ(Ints(slot.activeFlag, slot.colour, lap->lapNumber, lap->lapTime, lap->displayColour, mark),
                          Ints(1, colour, number, lapTime, colour, 1));
            }
        }
        for (std::size_t i = next; i < core.SelectedLaps.size(); ++i) {
            const SelectedLap& slot = core.SelectedLaps[i];
            EXPECT_EQ(Ints(slot.activeFlag, slot.lapNumber, core.ResolveLap(slot.lap) == nullptr), Ints(0, 0, 1)) << i;
        }
        // What the lap list does next: each lap left takes the colour of its slot.
        ApplyLapColors(core, table);
        for (std::size_t k = 0; k < compared.size(); ++k) {
            std::get<3>(compared[k]) = table[slotOf[k]];
            if (const Lap* lap = core.ResolveLap(core.SelectedLaps[slotOf[k]].lap); lap && (k == 0 || slotOf[k] != 0)) {
                EXPECT_EQ(lap->displayColour, table[slotOf[k]]) << k;
            }
        }

        // The base lap stays on its lap, or a fresh work lap without base-lap file or length takes over.
        const Lap* base = core.ResolveLap(core.BaseLap);
        ASSERT_NE(base, nullptr);
        EXPECT_EQ(base, baseGone ? &core.BaseLapWork.back() : core.ResolveLap(FindLogLap(core, s_logs[baseFile], 2)));
        EXPECT_EQ(Ints(core.BaseLapFiles.size(), core.BaseLapLength),
                  Ints(!baseGone, baseGone ? 0 : base->sampleCount));
        EXPECT_EQ(CountMarkedLaps(core), 2 * static_cast<int>(3 - closed.size()));
    }
    EXPECT_TRUE(core.LogFiles.empty() && core.ReadLogFileList.empty());
}

INSTANTIATE_TEST_SUITE_P(BaseFileAndOrder, ClosingOrderTest,
                         ::testing::Combine(::testing::Range(0, 3), ::testing::Range(0, 6)));

// ---- start-up and shut-down -----------------------------------------------------------------------

TEST_F(FileListsTest, InitDataCoreGivesColouredSlotsAndScaleDefaultsAndTwiceEqualsOnce)
{
    LapDataCore once;
    once.nowSeconds = [] { return kClock; };
    InitDataCore(once);
    ASSERT_EQ(once.SelectedLaps.size(), 18u);
    EXPECT_EQ(std::make_pair(once.SelectedLaps[0].colour, once.SelectedLaps[1].colour),
              std::make_pair(COLORREF{0x0000FC7C}, COLORREF{0x0000A5FF}));
    const GraphScaleWords& g = once.GraphScaleDefaults;
    EXPECT_EQ(std::make_tuple(g.handleSpan, g.anglSpan, g.gearSpan, g.accelSpan, g.press1Span, g.press2Span,
                              g.rpmSpan, g.tempSpan, g.speedSpan),
              std::make_tuple(200, 90, 8, 100, 200, 40, 20000, 1023, 400));
    EXPECT_EQ(std::make_tuple(g.anaSpan, g.gSpan, g.voltSpan), std::make_tuple(100.0f, 10.0f, 5.0f));
    EXPECT_EQ(once.ResolveLap(once.BaseLap), &once.BaseLapWork.at(0));
    LoadAndCompare();
    InitDataCore(core);
    InitDataCore(core);
    EXPECT_EQ(Snapshot(core), Snapshot(once));

    // Slots 2 to 17 each draw o1 = 265 % 255, o2 = 501 % 255, choice 8 % 6 = 2 from the slot before:
    // red and green + 10, blue + 246, from slot 1's (255, 165, 0).
    LapDataCore scripted;
    scripted.randomNumber = [next = 0]() mutable { return std::array{265, 501, 8}[next++ % 3]; };
    InitDataCore(scripted);
    for (int slot = 2; slot < 18; ++slot) {
        const int steps = slot - 1;
        EXPECT_EQ(scripted.SelectedLaps[slot].colour,
                  Rgb((255 + 10 * steps) % 256, (165 + 10 * steps) % 256, (246 * steps) % 256))
            << slot;
    }
}

TEST_F(FileListsTest, ClearAllLogDataLeavesAFreshCoreButTheCourseMaps)
{
    LoadAndCompare();
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
