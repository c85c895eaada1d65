// Stored lap colours reach the compared laps' slots and display colours, and only on success.
#include "SettingsTestStore.h"

#include "shell/LapColorPropagation.h"

#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "core/LapSelection.h"

#include <gtest/gtest.h>

namespace {

using LapColors = ColorSettings::LapColors;
const LapColors kChosen = {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112, 0x131415};
const std::u16string kPath = u"/logs/run.dat";

class LapColorPropagationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        core.nowSeconds = [] { return std::int64_t{1'700'000'000}; };
        orvelo::InitDataCore(core);
        orvelo::LogFile& file = core.LogFiles.emplace_back();
        file.fullPath = kPath;
        file.fileId = core.TakeNextFileId();
        for (std::uint32_t n = 1; n <= 9; ++n)
            file.laps.emplace_back().lapNumber = n;
        orvelo::SetBaseLap(core, kPath, u"  1");
        for (int n = 2; n <= 4; ++n)
            orvelo::ToggleOverlayLap(core, kPath, std::u16string(u"  ") + static_cast<char16_t>(u'0' + n));
    }

    orvelo::Lap& LapNumber(int n) { return core.LogFiles[0].laps[static_cast<std::size_t>(n - 1)]; }
    ColorSettings& Colors() { return m_test.Settings().Colors(); }

    SettingsTestStore m_test;
    orvelo::LapDataCore core;
};

TEST_F(LapColorPropagationTest, AWrittenTableColoursTheFirstSevenSlotsAndTheirLaps)
{
    const orvelo::COLORREF eighth = core.SelectedLaps[7].colour;
    LapColors colors = kChosen;
    ASSERT_EQ(LapColorSettingToCore(Colors(), core, 1, colors.data()), 0);
    for (std::size_t i = 0; i < kChosen.size(); ++i)
        EXPECT_EQ(core.SelectedLaps[i].colour, kChosen[i]) << "slot " << i;
    EXPECT_EQ(core.SelectedLaps[7].colour, eighth);
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(LapNumber(n).displayColour, kChosen[static_cast<std::size_t>(n - 1)]) << "lap " << n;
    EXPECT_EQ(LapNumber(5).displayColour, 0u);

    // A later read brings the same table back into a core that was reset meanwhile.
    orvelo::InitDataCore(core);
    LapColors read{};
    ASSERT_EQ(LapColorSettingToCore(Colors(), core, 0, read.data()), 0);
    EXPECT_EQ(read, kChosen);
    EXPECT_EQ(core.SelectedLaps[1].colour, kChosen[1]);
}

TEST_F(LapColorPropagationTest, AFailedReadChangesNoColour)
{
    const orvelo::COLORREF slotOne = core.SelectedLaps[1].colour;
    LapColors colors{};
    EXPECT_NE(LapColorSettingToCore(Colors(), core, 0, colors.data()), 0); // nothing stored yet
    EXPECT_NE(LapColorSettingToCore(Colors(), core, 1, nullptr), 0);
    EXPECT_EQ(core.SelectedLaps[1].colour, slotOne);
    EXPECT_EQ(LapNumber(2).displayColour, slotOne);
}

TEST_F(LapColorPropagationTest, ALapWhoseSlotWasFreedKeepsItsColour)
{
    orvelo::ResetOverlaySlots(core); // the slots keep their lap references
    const orvelo::COLORREF before = LapNumber(3).displayColour;
    LapColors colors = kChosen;
    ASSERT_EQ(LapColorSettingToCore(Colors(), core, 1, colors.data()), 0);
    EXPECT_EQ(LapNumber(3).displayColour, before);
    EXPECT_EQ(LapNumber(1).displayColour, kChosen[0]);
}

} // namespace
