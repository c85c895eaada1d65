// Base-lap and overlay clicks, slot growth and erasing, lap colours, the current lap and the lookups
// by path and lap-number text, on laps built in memory.
#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "LogBytes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>

namespace orvelo {
namespace {

using test::Ints;

const std::u16string kPathA = u"/logs/a.dat";
const std::u16string kPathB = u"/logs/b.dat";

class LapSelectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        core.nowSeconds = [] { return std::int64_t{1'700'000'000}; };
        core.randomNumber = [this] { return static_cast<int>(m_engine() & 0x7FFFFFFF); };
        InitDataCore(core);
        AddFile(kPathA, 5);
        AddFile(kPathB, 30);
    }

    // A loaded log file with laps numbered 1..count and sample counts 100 + number.
    void AddFile(const std::u16string& path, int count)
    {
        LogFile& file = core.LogFiles.emplace_back();
        file.fullPath = path;
        file.fileId = core.TakeNextFileId();
        for (int n = 1; n <= count; ++n) {
            Lap& lap = file.laps.emplace_back();
            lap.lapNumber = static_cast<std::uint32_t>(n);
            lap.sampleCount = 100 + n;
        }
    }

    // Lap numbers as the lap list passes them ("%3d").
    static std::u16string Text(int n) { return std::u16string(n < 10 ? 2 : 1, u' ') + FormatLapNumber(n); }

    Lap& LapOf(const std::u16string& path, int n) { return *core.ResolveLap(FindLogLap(core, path, n)); }
    int Toggle(const std::u16string& path, int n) { return ToggleOverlayLap(core, path, Text(n)); }
    void Base(const std::u16string& path, int n) { SetBaseLap(core, path, Text(n)); }
    const SelectedLap& Slot(std::size_t i) const { return core.SelectedLaps.at(i); }

    std::minstd_rand m_engine{7};
    LapDataCore core;
};

// ---- overlay clicks and slots ---------------------------------------------------------------------

TEST_F(LapSelectionTest, OverlayClicksThatChangeNothing)
{
    EXPECT_EQ(Toggle(kPathA, 2), 1); // no base lap yet
    Base(kPathA, 3);
    // No such lap, no such path (compared exactly), then the base lap itself.
    EXPECT_EQ(Ints(Toggle(kPathA, 6), Toggle(u"/logs/none.dat", 1), Toggle(u"/logs/A.dat", 1), Toggle(kPathA, 3)),
              Ints(1, 1, 1, 0));
    EXPECT_EQ(Ints(LapOf(kPathA, 2).overlayMark, LapOf(kPathA, 3).overlayMark, Slot(1).activeFlag,
                   core.SelectedLaps.size()),
              Ints(0, 0, 0, kSelectedLapSlotCount));
}

TEST_F(LapSelectionTest, TogglingTwiceFreesTheSlotAndKeepsTheLength)
{
    Base(kPathA, 1);
    const COLORREF slotColour = Slot(1).colour;
    EXPECT_EQ(Toggle(kPathB, 4), 0);
    EXPECT_EQ(Ints(LapOf(kPathB, 4).overlayMark, LapOf(kPathB, 4).displayColour, Slot(1).lapNumber),
              Ints(1, slotColour, 4));
    EXPECT_EQ(std::make_pair(Slot(1).fullPath, Slot(1).lap), std::make_pair(kPathB, FindLogLap(core, kPathB, 4)));

    EXPECT_EQ(Toggle(kPathB, 4), -1);
    // The lap keeps its colour; the slot is freed and an inactive one appended.
    EXPECT_EQ(Ints(LapOf(kPathB, 4).overlayMark, LapOf(kPathB, 4).displayColour, Slot(1).activeFlag),
              Ints(0, slotColour, 0));
    const SelectedLap& appended = core.SelectedLaps.back();
    EXPECT_EQ(Ints(core.SelectedLaps.size(), appended.activeFlag, appended.lapNumber, appended.lap == LapRef{},
                   RedOf(appended.colour) != 0),
              Ints(kSelectedLapSlotCount, 0, 0, 1, 1));
}

TEST_F(LapSelectionTest, AnOverlayBeyondEveryFreeSlotAppendsASlotMixedFromTheLast)
{
    Base(kPathA, 1);
    for (int n = 1; n <= 17; ++n)
        ASSERT_EQ(Toggle(kPathB, n), 0);
    ASSERT_EQ(core.SelectedLaps.size(), 18u);
    for (int n = 1; n <= 17; ++n)
        EXPECT_EQ(LapOf(kPathB, n).displayColour, Slot(n).colour) << n;
    const COLORREF last = Slot(17).colour;
    std::vector<int> draws{255 + 10, 2 * 255 + 20, 6 + 3}; // offsets 10 and 20, choice 3
    core.randomNumber = [&draws, next = std::size_t{0}]() mutable { return draws.at(next++); };
    ASSERT_EQ(Toggle(kPathB, 18), 0);
    const COLORREF mixed = MixColourOffsets(RedOf(last), GreenOf(last), BlueOf(last), 10, 20, 3);
    EXPECT_EQ(Ints(core.SelectedLaps.size(), Slot(18).colour, LapOf(kPathB, 18).displayColour), Ints(19, mixed, mixed));
}

TEST_F(LapSelectionTest, RemovingAnOverlayMovesTheLaterOnesDownWithTheirColours)
{
    Base(kPathA, 5);
    for (int n = 1; n <= 4; ++n)
        ASSERT_EQ(Toggle(kPathB, n), 0);
    ASSERT_EQ(Toggle(kPathA, 2), 0); // slot 5: the same number in another file
    const COLORREF third = Slot(3).colour;
    ASSERT_EQ(Toggle(kPathB, 2), -1);
    EXPECT_EQ(Ints(Slot(2).lapNumber, Slot(2).colour, Slot(5).activeFlag, LapOf(kPathA, 2).overlayMark,
                   core.SelectedLaps.size()),
              Ints(3, third, 0, 1, kSelectedLapSlotCount));
    EXPECT_EQ(Slot(4).fullPath, kPathA);
    ASSERT_EQ(Toggle(kPathB, 9), 0); // the next overlay takes the first free slot
    EXPECT_EQ(Slot(5).lapNumber, 9);
}

// ---- base lap -------------------------------------------------------------------------------------

TEST_F(LapSelectionTest, SettingTheBaseLapFillsSlotZeroAndTheBaseLapFiles)
{
    Base(kPathA, 1);
    Base(kPathB, 12);
    Base(u"/logs/none.dat", 1); // not loaded: the current one stays
    Base(kPathA, 9);
    Lap& base = LapOf(kPathB, 12);
    EXPECT_EQ(Ints(base.baseLapMark, base.displayColour, LapOf(kPathA, 1).baseLapMark, LapOf(kPathA, 1).displayColour),
              Ints(1, kBaseSlotColour, 0, 0));
    EXPECT_EQ(Ints(Slot(0).activeFlag, Slot(0).lapNumber, core.BaseLapLength, core.BaseLapFiles.size()),
              Ints(1, 12, 112, 1));
    EXPECT_EQ(Slot(0).fullPath, kPathB);
    EXPECT_EQ(core.ResolveLap(core.BaseLap), &base);
    EXPECT_EQ(core.FindFile(core.BaseLapFiles.at(0).set, core.BaseLapFiles[0].fileId), &core.LogFiles[1]);

    // An overlay lap made the base lap stays an overlay lap and keeps a colour when the base moves on.
    ASSERT_EQ(Toggle(kPathA, 2), 0);
    Base(kPathA, 2);
    Base(kPathA, 4);
    EXPECT_EQ(Ints(LapOf(kPathA, 2).overlayMark, LapOf(kPathA, 2).displayColour != 0, CountMarkedLaps(core)),
              Ints(1, 1, 2));

    LapDataCore bare; // never started: slot 0 is made for the base lap
    bare.LogFiles = core.LogFiles;
    SetBaseLap(bare, kPathB, u"  1");
    EXPECT_EQ(Ints(bare.SelectedLaps.size(), bare.SelectedLaps.at(0).activeFlag, bare.SelectedLaps.at(0).colour),
              Ints(1, 1, kBaseSlotColour));
}

TEST_F(LapSelectionTest, LapNumberTextsFollowTheWideIntegerRule)
{
    LapOf(kPathA, 5).lapNumber = 0; // the closing lap of a file has number 0
    SetBaseLap(core, kPathA, u"x");
    SetBaseLap(core, kPathA, u"-3"); // matches no lap
    EXPECT_EQ(core.LogFiles[0].laps[4].baseLapMark, 1);
    SetBaseLap(core, kPathA, u"  3");
    EXPECT_EQ(LapOf(kPathA, 3).baseLapMark, 1);
}

// ---- selection reset and colours ------------------------------------------------------------------

TEST_F(LapSelectionTest, ClearingTheSelectionKeepsTheBaseLapAndRecolouringOnlyActiveLaps)
{
    Base(kPathA, 1);
    ASSERT_EQ(Toggle(kPathB, 1), 0);
    ASSERT_EQ(Toggle(kPathB, 2), 0);
    const COLORREF slotColour = Slot(2).colour;
    ClearLapSelection(core);
    EXPECT_EQ(Ints(LapOf(kPathB, 2).overlayMark, LapOf(kPathA, 1).baseLapMark, Slot(2).activeFlag, Slot(2).colour),
              Ints(0, 1, 0, slotColour));
    EXPECT_EQ(CountMarkedLaps(core), 1);

    ASSERT_EQ(Toggle(kPathB, 1), 0); // slot 1 again; slot 2 stays free but still names lap 2
    const COLORREF eighth = Slot(7).colour;
    const LapColorArray table{0x0000FF, 0x00FF00, 0x000080, 0xFFFF00, 0xFF00FF, 0x800080, 0x808000};
    ApplyLapColors(core, table);
    EXPECT_EQ(Ints(Slot(0).colour, Slot(3).colour, Slot(6).colour, Slot(7).colour),
              Ints(table[0], table[3], table[6], eighth));
    EXPECT_EQ(Ints(LapOf(kPathA, 1).displayColour, LapOf(kPathB, 1).displayColour, LapOf(kPathB, 2).displayColour),
              Ints(0x0000FF, 0x00FF00, slotColour));
    core.SelectedLaps.clear();
    ApplyLapColors(core, table); // no slot at all
}

// ---- current lap, marks and lookups ---------------------------------------------------------------

TEST_F(LapSelectionTest, CurrentLapRoundTripAndItsCourseOutcome)
{
    std::u16string path = u"unchanged";
    std::u16string number = u"unchanged";
    EXPECT_EQ(GetCurrentLap(core, path, number), 0);
    EXPECT_EQ(path, u"unchanged");
    EXPECT_EQ(SetCurrentLap(core, u" 12", kPathB), 1); // no course built
    EXPECT_EQ(GetCurrentLap(core, path, number), 1);
    EXPECT_EQ(std::make_pair(path, number), std::make_pair(kPathB, std::u16string(u"12")));

    LapOf(kPathA, 3).analysisItems.emplace_back();
    EXPECT_EQ(SetCurrentLap(core, u"  3", kPathA), 0);
    EXPECT_EQ(LapOf(kPathB, 12).currentLapMark, 0); // only one current lap
    LapOf(kPathA, 3).noAnalysisFlag = 1;
    EXPECT_EQ(SetCurrentLap(core, u"  3", kPathA), 1);
    EXPECT_EQ(SetCurrentLap(core, u" 99", kPathA), 1);
    EXPECT_EQ(GetCurrentLap(core, path, number), 0);
}

TEST_F(LapSelectionTest, LapMarksAndSlotsAreFoundWithTheirColours)
{
    Base(kPathA, 1);
    ASSERT_EQ(Toggle(kPathB, 5), 0);
    ASSERT_EQ(Toggle(kPathB, 6), 0);
    // Kind, path, lap: the mark and the lap's colour, whatever the mark; 0 and no colour for other kinds.
    const std::tuple<int, std::u16string, const char16_t*, int, COLORREF> rows[] = {
        {kLapMarkBase, kPathA, u"  1", 1, kBaseSlotColour}, {kLapMarkOverlay, kPathB, u"  5", 1, Slot(1).colour},
        {kLapMarkBase, kPathB, u"  5", 0, Slot(1).colour},  {3, kPathB, u"  5", 0, 0},
        {kLapMarkBase, kPathB, u" 77", 0, 0}};
    for (const auto& [kind, path, lap, mark, expected] : rows) {
        COLORREF colour = 1;
        EXPECT_EQ(GetLapMark(core, kind, path, lap, colour), mark) << kind;
        EXPECT_EQ(colour, expected) << kind;
    }
    COLORREF colour = 1;
    EXPECT_EQ(FindSelectedLap(core, u"  6", kPathB, colour), 2);
    EXPECT_EQ(colour, Slot(2).colour);
    EXPECT_EQ(FindSelectedLap(core, u"  6", kPathA, colour), -1);
    EXPECT_EQ(colour, 0u);
}

TEST_F(LapSelectionTest, SetActiveMapFileFlagsOneCourseOrNone)
{
    EXPECT_EQ(SetActiveMapFile(core, 0), 0);
    core.MapFiles.resize(3);
    // Out of range, negative included: no active course at all.
    for (const auto& [position, result, flags] :
         {std::tuple{1, 1, "010"}, {2, 1, "001"}, {3, 0, "000"}, {0, 1, "100"}, {-1, 0, "000"}}) {
        EXPECT_EQ(SetActiveMapFile(core, position), result) << position;
        std::string text;
        for (const LogFile& file : core.MapFiles)
            text += static_cast<char>('0' + file.currentCourseFlag);
        EXPECT_EQ(text, flags) << position;
    }
}

} // namespace
} // namespace orvelo
