// Base-lap and overlay clicks, slot growth and erasing, lap colours, the current lap and the lookups
// by path and lap-number text, on laps built in memory.
#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "core/LapNumberText.h"
#include "core/LapSelection.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace orvelo {
namespace {

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
    static std::u16string Text(int n)
    {
        std::u16string text = FormatLapNumber(n);
        while (text.size() < 3)
            text.insert(text.begin(), u' ');
        return text;
    }

    Lap& LapOf(const std::u16string& path, int n) { return *core.ResolveLap(FindLogLap(core, path, n)); }
    int Toggle(const std::u16string& path, int n) { return ToggleOverlayLap(core, path, Text(n)); }
    void Base(const std::u16string& path, int n) { SetBaseLap(core, path, Text(n)); }
    const SelectedLap& Slot(std::size_t i) const { return core.SelectedLaps.at(i); }

    std::minstd_rand m_engine{7};
    LapDataCore core;
};

// ---- overlay clicks -------------------------------------------------------------------------------

TEST_F(LapSelectionTest, OverlayClickWithoutBaseLapChangesNothing)
{
    EXPECT_EQ(Toggle(kPathA, 2), 1);
    EXPECT_EQ(LapOf(kPathA, 2).overlayMark, 0);
    EXPECT_EQ(Slot(1).activeFlag, 0);
}

TEST_F(LapSelectionTest, OverlayClickOnAMissingLapReturnsOne)
{
    Base(kPathA, 1);
    EXPECT_EQ(Toggle(kPathA, 6), 1);
    EXPECT_EQ(Toggle(u"/logs/none.dat", 1), 1);
    EXPECT_EQ(Toggle(u"/logs/A.dat", 1), 1); // paths compare exactly
}

TEST_F(LapSelectionTest, OverlayClickOnTheBaseLapChangesNothing)
{
    Base(kPathA, 3);
    const auto before = core.SelectedLaps.size();
    EXPECT_EQ(Toggle(kPathA, 3), 0);
    EXPECT_EQ(LapOf(kPathA, 3).overlayMark, 0);
    EXPECT_EQ(Slot(1).activeFlag, 0);
    EXPECT_EQ(core.SelectedLaps.size(), before);
}

TEST_F(LapSelectionTest, TogglingTwiceFreesTheSlotAndKeepsTheLength)
{
    Base(kPathA, 1);
    const COLORREF slotColour = Slot(1).colour;
    EXPECT_EQ(Toggle(kPathB, 4), 0);
    EXPECT_EQ(LapOf(kPathB, 4).overlayMark, 1);
    EXPECT_EQ(LapOf(kPathB, 4).displayColour, slotColour);
    EXPECT_EQ(Slot(1).activeFlag, 1);
    EXPECT_EQ(Slot(1).lapNumber, 4);
    EXPECT_EQ(Slot(1).fullPath, kPathB);
    EXPECT_EQ(Slot(1).lap, FindLogLap(core, kPathB, 4));

    EXPECT_EQ(Toggle(kPathB, 4), -1);
    EXPECT_EQ(LapOf(kPathB, 4).overlayMark, 0);
    EXPECT_EQ(LapOf(kPathB, 4).displayColour, slotColour); // the lap keeps its colour
    ASSERT_EQ(core.SelectedLaps.size(), kSelectedLapSlotCount);
    EXPECT_EQ(Slot(1).activeFlag, 0);
    const SelectedLap& appended = core.SelectedLaps.back();
    EXPECT_EQ(appended.activeFlag, 0);
    EXPECT_EQ(appended.lapNumber, 0);
    EXPECT_TRUE(appended.fullPath.empty());
    EXPECT_EQ(appended.lap, LapRef{});
    EXPECT_NE(RedOf(appended.colour), 0);
}

// ---- slot growth and erasing ----------------------------------------------------------------------

TEST_F(LapSelectionTest, SevenOverlayLapsUseSlotsOneToSevenWithoutGrowth)
{
    Base(kPathA, 1);
    for (int n = 1; n <= 7; ++n)
        ASSERT_EQ(Toggle(kPathB, n), 0);
    ASSERT_EQ(core.SelectedLaps.size(), kSelectedLapSlotCount);
    for (int n = 1; n <= 7; ++n) {
        EXPECT_EQ(Slot(n).lapNumber, n);
        EXPECT_EQ(LapOf(kPathB, n).displayColour, Slot(n).colour);
    }
    EXPECT_EQ(Slot(8).activeFlag, 0);
}

TEST_F(LapSelectionTest, AnOverlayBeyondEveryFreeSlotAppendsASlotAndTakesItsColour)
{
    Base(kPathA, 1);
    for (int n = 1; n <= 17; ++n)
        ASSERT_EQ(Toggle(kPathB, n), 0);
    ASSERT_EQ(core.SelectedLaps.size(), 18u);
    const COLORREF last = Slot(17).colour;

    m_engine.seed(99);
    std::minstd_rand replay(99);
    const int o1 = static_cast<int>(replay() & 0x7FFFFFFF) % 255;
    const int o2 = static_cast<int>(replay() & 0x7FFFFFFF) % 255;
    const int k = static_cast<int>(replay() & 0x7FFFFFFF) % 6;

    ASSERT_EQ(Toggle(kPathB, 18), 0);
    ASSERT_EQ(core.SelectedLaps.size(), 19u);
    EXPECT_EQ(Slot(18).colour, MixColourOffsets(RedOf(last), GreenOf(last), BlueOf(last), o1, o2, k));
    EXPECT_EQ(Slot(18).activeFlag, 1);
    EXPECT_EQ(Slot(18).lapNumber, 18);
    EXPECT_EQ(LapOf(kPathB, 18).displayColour, Slot(18).colour);

    ASSERT_EQ(Toggle(kPathB, 19), 0);
    EXPECT_EQ(core.SelectedLaps.size(), 20u);
}

TEST_F(LapSelectionTest, RemovingAnOverlayMovesTheLaterOnesDownWithTheirColours)
{
    Base(kPathA, 1);
    for (int n = 1; n <= 4; ++n)
        ASSERT_EQ(Toggle(kPathB, n), 0);
    const COLORREF third = Slot(3).colour;
    const COLORREF fourth = Slot(4).colour;

    ASSERT_EQ(Toggle(kPathB, 2), -1);
    EXPECT_EQ(Slot(1).lapNumber, 1);
    EXPECT_EQ(Slot(2).lapNumber, 3);
    EXPECT_EQ(Slot(2).colour, third);
    EXPECT_EQ(Slot(3).lapNumber, 4);
    EXPECT_EQ(Slot(3).colour, fourth);
    EXPECT_EQ(Slot(4).activeFlag, 0);
    EXPECT_EQ(core.SelectedLaps.size(), kSelectedLapSlotCount);

    // The next overlay takes the first free slot.
    ASSERT_EQ(Toggle(kPathB, 9), 0);
    EXPECT_EQ(Slot(4).lapNumber, 9);
}

TEST_F(LapSelectionTest, OverlaysOfDifferentFilesWithTheSameNumberKeepTheirOwnSlots)
{
    Base(kPathA, 5);
    ASSERT_EQ(Toggle(kPathA, 2), 0);
    ASSERT_EQ(Toggle(kPathB, 2), 0);
    ASSERT_EQ(Toggle(kPathB, 2), -1);
    EXPECT_EQ(Slot(1).fullPath, kPathA);
    EXPECT_EQ(Slot(1).activeFlag, 1);
    EXPECT_EQ(Slot(2).activeFlag, 0);
    EXPECT_EQ(LapOf(kPathA, 2).overlayMark, 1);
}

// ---- base lap -------------------------------------------------------------------------------------

TEST_F(LapSelectionTest, SettingTheBaseLapFillsSlotZeroAndTheBaseLapFiles)
{
    Base(kPathB, 12);
    Lap& base = LapOf(kPathB, 12);
    EXPECT_EQ(base.baseLapMark, 1);
    EXPECT_EQ(base.displayColour, kBaseSlotColour);
    EXPECT_EQ(Slot(0).activeFlag, 1);
    EXPECT_EQ(Slot(0).lapNumber, 12);
    EXPECT_EQ(Slot(0).fullPath, kPathB);
    EXPECT_EQ(core.ResolveLap(core.BaseLap), &base);
    EXPECT_EQ(core.BaseLapLength, 112u);
    ASSERT_EQ(core.BaseLapFiles.size(), 1u);
    EXPECT_EQ(core.BaseLapFiles[0].fullPath, kPathB);
    EXPECT_EQ(core.FindFile(core.BaseLapFiles[0].set, core.BaseLapFiles[0].fileId), &core.LogFiles[1]);
}

TEST_F(LapSelectionTest, ADifferentBaseLapUnmarksTheOldOneUnlessItIsAnOverlay)
{
    Base(kPathA, 1);
    Base(kPathB, 3);
    EXPECT_EQ(LapOf(kPathA, 1).baseLapMark, 0);
    EXPECT_EQ(LapOf(kPathA, 1).displayColour, 0u);
    EXPECT_EQ(Slot(0).fullPath, kPathB);
    EXPECT_EQ(Slot(0).lapNumber, 3);
    EXPECT_EQ(core.BaseLapFiles.size(), 1u);

    // An overlay lap made the base lap stays an overlay lap and keeps a colour when the base moves on.
    ASSERT_EQ(Toggle(kPathA, 2), 0);
    Base(kPathA, 2);
    EXPECT_EQ(LapOf(kPathA, 2).overlayMark, 1);
    Base(kPathA, 4);
    EXPECT_EQ(LapOf(kPathA, 2).baseLapMark, 0);
    EXPECT_NE(LapOf(kPathA, 2).displayColour, 0u);
    EXPECT_EQ(CountMarkedLaps(core), 2);
}

TEST_F(LapSelectionTest, ABaseLapThatIsNotLoadedKeepsTheCurrentOne)
{
    Base(kPathA, 2);
    Base(kPathA, 9);
    Base(u"/logs/none.dat", 1);
    EXPECT_EQ(LapOf(kPathA, 2).baseLapMark, 1);
    EXPECT_EQ(core.ResolveLap(core.BaseLap), &LapOf(kPathA, 2));
    EXPECT_EQ(core.BaseLapFiles.size(), 1u);
    EXPECT_EQ(Slot(0).lapNumber, 2);
}

TEST_F(LapSelectionTest, LapNumberTextsFollowTheWideIntegerRule)
{
    LapOf(kPathA, 5).lapNumber = 0; // the closing lap of a file has number 0
    SetBaseLap(core, kPathA, u"x");
    EXPECT_EQ(core.LogFiles[0].laps[4].baseLapMark, 1);
    SetBaseLap(core, kPathA, u"  3");
    EXPECT_EQ(LapOf(kPathA, 3).baseLapMark, 1);
    SetBaseLap(core, kPathA, u"-3");
    EXPECT_EQ(LapOf(kPathA, 3).baseLapMark, 1);
}

TEST_F(LapSelectionTest, UpdateBaseLapFollowsTheMarkOrFallsBackToAWorkLap)
{
    Base(kPathB, 7);
    core.BaseLapLength = 0;
    EXPECT_EQ(UpdateBaseLap(core), 1);
    EXPECT_EQ(core.BaseLapLength, 107u);
    EXPECT_EQ(core.ResolveLap(core.BaseLap), &LapOf(kPathB, 7));

    LapOf(kPathB, 7).baseLapMark = 0;
    const auto workLaps = core.BaseLapWork.size();
    EXPECT_EQ(UpdateBaseLap(core), 0);
    EXPECT_EQ(core.BaseLapLength, 0u);
    EXPECT_TRUE(core.BaseLapFiles.empty());
    EXPECT_EQ(core.BaseLapWork.size(), workLaps + 1);
    EXPECT_EQ(core.ResolveLap(core.BaseLap), &core.BaseLapWork.back());
    EXPECT_EQ(Toggle(kPathB, 1), 1); // no base lap any more
}

// ---- selection reset and colours ------------------------------------------------------------------

TEST_F(LapSelectionTest, ClearLapSelectionKeepsTheBaseLap)
{
    Base(kPathA, 1);
    ASSERT_EQ(Toggle(kPathB, 1), 0);
    ASSERT_EQ(Toggle(kPathB, 2), 0);
    const COLORREF slotColour = Slot(2).colour;
    ClearLapSelection(core);
    EXPECT_EQ(LapOf(kPathB, 1).overlayMark, 0);
    EXPECT_EQ(LapOf(kPathB, 2).overlayMark, 0);
    EXPECT_EQ(Slot(0).activeFlag, 1);
    EXPECT_EQ(LapOf(kPathA, 1).baseLapMark, 1);
    EXPECT_EQ(Slot(2).activeFlag, 0);
    EXPECT_TRUE(Slot(2).fullPath.empty());
    EXPECT_EQ(Slot(2).colour, slotColour);
    EXPECT_EQ(CountMarkedLaps(core), 1);
    EXPECT_EQ(core.MarkedLapCount, 1);
}

TEST_F(LapSelectionTest, ApplyLapColorsRecoloursSlotsAndTheLapsOfActiveOnesOnly)
{
    Base(kPathA, 1);
    ASSERT_EQ(Toggle(kPathB, 1), 0);
    ASSERT_EQ(Toggle(kPathB, 2), 0);
    ClearLapSelection(core);          // the freed slots still name their laps
    ASSERT_EQ(Toggle(kPathB, 1), 0); // slot 1 again; slot 2 stays free
    const COLORREF lapTwoColour = LapOf(kPathB, 2).displayColour;
    const COLORREF eighth = Slot(7).colour;

    const LapColorArray table{0x0000FF, 0x00FF00, 0x000080, 0xFFFF00, 0xFF00FF, 0x800080, 0x808000};
    ApplyLapColors(core, table);
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(Slot(i).colour, table[i]);
    EXPECT_EQ(Slot(7).colour, eighth);
    EXPECT_EQ(LapOf(kPathA, 1).displayColour, 0x0000FFu);
    EXPECT_EQ(LapOf(kPathB, 1).displayColour, 0x00FF00u);
    EXPECT_EQ(LapOf(kPathB, 2).displayColour, lapTwoColour);

    ClearAllLogData(core);
    ApplyLapColors(core, table); // no slot at all
    EXPECT_TRUE(core.SelectedLaps.empty());
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
    EXPECT_EQ(path, kPathB);
    EXPECT_EQ(number, u"12");

    LapOf(kPathA, 3).analysisItems.emplace_back();
    EXPECT_EQ(SetCurrentLap(core, u"  3", kPathA), 0);
    EXPECT_EQ(LapOf(kPathB, 12).currentLapMark, 0); // only one current lap
    EXPECT_EQ(GetCurrentLap(core, path, number), 1);
    EXPECT_EQ(number, u"3");

    LapOf(kPathA, 3).noAnalysisFlag = 1;
    EXPECT_EQ(SetCurrentLap(core, u"  3", kPathA), 1);

    EXPECT_EQ(SetCurrentLap(core, u" 99", kPathA), 1);
    EXPECT_EQ(GetCurrentLap(core, path, number), 0);
}

TEST_F(LapSelectionTest, GetLapMarkReportsTheAskedMarkWithTheLapsColour)
{
    Base(kPathA, 1);
    ASSERT_EQ(Toggle(kPathB, 5), 0);
    COLORREF colour = 1;
    EXPECT_EQ(GetLapMark(core, kLapMarkBase, kPathA, u"  1", colour), 1);
    EXPECT_EQ(colour, kBaseSlotColour);
    EXPECT_EQ(GetLapMark(core, kLapMarkOverlay, kPathB, u"  5", colour), 1);
    EXPECT_EQ(colour, Slot(1).colour);
    EXPECT_EQ(GetLapMark(core, kLapMarkBase, kPathB, u"  5", colour), 0);
    EXPECT_EQ(colour, Slot(1).colour);
    EXPECT_EQ(GetLapMark(core, 3, kPathB, u"  5", colour), 0);
    EXPECT_EQ(colour, 0u);
    colour = 1;
    EXPECT_EQ(GetLapMark(core, kLapMarkBase, kPathB, u" 77", colour), 0);
    EXPECT_EQ(colour, 0u);
}

TEST_F(LapSelectionTest, FindSelectedLapGivesTheSlotIndexAndColour)
{
    Base(kPathA, 1);
    ASSERT_EQ(Toggle(kPathB, 5), 0);
    ASSERT_EQ(Toggle(kPathB, 6), 0);
    COLORREF colour = 0;
    EXPECT_EQ(FindSelectedLap(core, u"  6", kPathB, colour), 2);
    EXPECT_EQ(colour, Slot(2).colour);
    EXPECT_EQ(FindSelectedLap(core, u"  1", kPathA, colour), 0);
    EXPECT_EQ(FindSelectedLap(core, u"  6", kPathA, colour), -1);
    EXPECT_EQ(colour, 0u);
    core.SelectedLaps.clear();
    EXPECT_EQ(FindSelectedLap(core, u"  1", kPathA, colour), -1);
}

TEST_F(LapSelectionTest, SetActiveMapFileFlagsOneCourseOrNone)
{
    EXPECT_EQ(SetActiveMapFile(core, 0), 0);
    for (int i = 0; i < 3; ++i)
        core.MapFiles.emplace_back().fileId = core.TakeNextFileId();
    const auto flags = [this] {
        std::string text;
        for (const LogFile& file : core.MapFiles)
            text += static_cast<char>('0' + file.currentCourseFlag);
        return text;
    };
    EXPECT_EQ(SetActiveMapFile(core, 1), 1);
    EXPECT_EQ(flags(), "010");
    EXPECT_EQ(SetActiveMapFile(core, 2), 1);
    EXPECT_EQ(flags(), "001");
    EXPECT_EQ(SetActiveMapFile(core, 3), 0);
    EXPECT_EQ(flags(), "000");
    SetActiveMapFile(core, 0);
    EXPECT_EQ(SetActiveMapFile(core, -1), 0);
    EXPECT_EQ(flags(), "000");
}

} // namespace
} // namespace orvelo
