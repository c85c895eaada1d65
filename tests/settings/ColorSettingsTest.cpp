// Lap colours, channel colour records, overview and map colours: the built-in
// values, what a read changes, and the channel tags in the value names.
#include "settings/SettingsTestStore.h"

#include "core/LapColour.h"

#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

using namespace settings;

using LapColors = ColorSettings::LapColors;
const LapColors kDefaultLaps = {0x0000FF, 0x00FF00, 0x000080, 0xFFFF00, 0xFF00FF, 0x800080, 0x808000};
const LapColors kOtherLaps = {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112, 0x131415};
const char* const kTags[18] = {"RPM",   "Speed", "GX",    "GY",    "Press1", "Press2",
                               "Temp1", "Temp2", "Handle", "Accel", "Volt",   "Gear",
                               "Angl",  "ANA1",  "ANA2",  "ANA3",  "ANA4",   "ANA5"};

// The core's selected laps take their colours from this table as it is.
static_assert(std::is_same_v<ColorSettings::LapColors, orvelo::LapColorArray>);

class ColorSettingsTest : public ::testing::Test {
protected:
    ColorSettings& Colors() { return m_test.Settings().Colors(); }
    void PutChannelColors(int channel, const ChannelColorProperty& block) {
        m_test.PutRecord(kItemColorInfo, QStringLiteral("Channel_Color_Prop_") + QLatin1String(kTags[channel - 1]),
                         block);
    }
    SettingsTestStore m_test;
};

TEST_F(ColorSettingsTest, LapColoursAreTakenAndPassedOnOnlyWhenTheCallSucceeds) {
    std::vector<LapColors> told;
    Colors().SetLapColorsTaken([&told](const LapColors& colors) { told.push_back(colors); });
    LapColors colors = kOtherLaps;
    EXPECT_EQ(Colors().LapColorSetting(0, colors.data()), 1);  // nothing stored yet
    EXPECT_EQ(Colors().LapColorSetting(1, nullptr), 1);
    m_test.Put(kItemColorInfo, QStringLiteral("Lap_Color_Prop"), QByteArray(27, '\1'));
    EXPECT_EQ(Colors().LapColorSetting(0, colors.data()), 1);  // one byte short
    m_test.Backend().SetFailSaves(true);
    EXPECT_EQ(Colors().LapColorSetting(1, colors.data()), 1);
    EXPECT_EQ(colors, kOtherLaps);
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(Colors().LapColorTable(), kDefaultLaps);

    m_test.Backend().SetFailSaves(false);
    ASSERT_EQ(Colors().LapColorSetting(1, colors.data()), 0);
    ColorSettings fresh(m_test.Store(), [] { return 0u; });
    LapColors read{};
    ASSERT_EQ(fresh.LapColorSetting(0, read.data()), 0);
    EXPECT_EQ(read, kOtherLaps);
    EXPECT_EQ(fresh.LapColorTable(), kOtherLaps);
    Colors().UseBuiltInLapColors();
    EXPECT_EQ(told, (std::vector<LapColors>{kOtherLaps, kDefaultLaps}));
}

TEST_F(ColorSettingsTest, ChannelColourRecordsFromAnEmptyStoreAndAfterAReset) {
    Colors().InitChannelColorTables();
    Colors().ChannelColorRecords()[4].lapColors.push_back(0x123456);
    Colors().InitChannelColorTables();  // a reload empties the grown lists
    int n = 1;
    for (const ChannelColorRecord& r : Colors().ChannelColorRecords()) {
        EXPECT_EQ(
            (std::vector<std::int64_t>{r.background, r.text, r.analysisLine, r.checkFlag, r.channelNumber, r.readFlag}),
            (std::vector<std::int64_t>{0xFFFFFF, 0x808080, 0, 0, n++, 1}));
        EXPECT_EQ(r.lapColors, std::vector<platform::ColorRef>(kDefaultLaps.begin(), kDefaultLaps.end()));
    }
    ChannelColorProperty block;
    block.channelNumber = 12;
    block.checkFlag = 1;
    block.readFlag = 4;
    ColorSettings::CopyDefaultChannelColor(&block);
    ChannelColorProperty expected{kDefaultLaps, 0xFFFFFF, 0x808080, 0, 0, 12, 1};
    EXPECT_EQ(block, expected);  // the channel number stays
}

TEST_F(ColorSettingsTest, StoredChannelColoursAreFoundByTheirTagAndReadWithTheirFlagSet) {
    ChannelColorProperty block;
    EXPECT_EQ(Colors().LoadChannelColorRecord(9, &block), 1);
    EXPECT_EQ(block, ChannelColorProperty{});
    for (int channel = 1; channel <= 18; ++channel) {
        ChannelColorProperty stored{kOtherLaps, 0x202020, 0x303030, 0x404040, 1, channel + 100, 0};
        stored.lapColors[0] = static_cast<std::uint32_t>(channel);
        PutChannelColors(channel, stored);
    }
    Colors().InitChannelColorTables();
    for (int channel = 1; channel <= 18; ++channel) {
        const ChannelColorRecord& record = Colors().ChannelColorRecords()[channel - 1];
        ASSERT_EQ(record.lapColors.size(), 7u);
        EXPECT_EQ(record.lapColors[0], static_cast<std::uint32_t>(channel)) << kTags[channel - 1];
        EXPECT_EQ(record.lapColors[6], 0x131415u);
        EXPECT_EQ(record.channelNumber, channel) << "the stored number " << channel + 100 << " is not taken";
    }
    ASSERT_EQ(Colors().LoadChannelColorRecord(9, &block), 0);
    EXPECT_EQ(block.background, 0x202020u);
    EXPECT_EQ(block.channelNumber, 9);
    EXPECT_EQ(block.readFlag, 1);
    for (int channel : {0, 19})
        EXPECT_EQ(Colors().LoadChannelColorRecord(channel, &block), 1) << channel;
    EXPECT_EQ(Colors().LoadChannelColorRecord(9, nullptr), 1);
}

TEST_F(ColorSettingsTest, OverviewColoursAndTheirReadFlag) {
    OverviewWindowColors block{1, 2, 3, 4, 5, 6};
    EXPECT_EQ(Colors().LoadLapOverviewWndProp(&block), 1);
    EXPECT_EQ(block, (OverviewWindowColors{1, 2, 3, 4, 5, 0}));
    m_test.PutRecord(kItemColorInfo, QStringLiteral("LapOverView_WndProp"),
                     OverviewWindowColors{0x111111, 0x222222, 0x333333, 0x444444, 0, 0});
    ASSERT_EQ(Colors().LoadLapOverviewWndProp(&block), 0);
    EXPECT_EQ(block, (OverviewWindowColors{0x111111, 0x222222, 0x333333, 0x444444, 0, 1}));
    EXPECT_EQ(kOverviewWindowDefaults, (OverviewWindowColors{0xFFFFFF, 0x808080, 0x000000, 0xF0F0F0, 1, 1}));
}

TEST_F(ColorSettingsTest, MapDefaultsKeepWords3To5AndTakeTheBackgroundFromThePalette) {
    MapViewProperty block;
    block.words.fill(0xEEEEEE);
    Colors().SetDefaultMapViewProp(&block);
    const std::array<std::uint32_t, 13> expected = {0x787878, 0xFF4000, 0x8A8A8A, 0xEEEEEE, 0xEEEEEE,
                                                    0xEEEEEE, SettingsTestStore::kButtonFace,
                                                    0x566D34, 0x8000FF, 3, 0, 0, 1};
    EXPECT_EQ(block.words, expected);

    const QPalette saved = QApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(0x10, 0x20, 0x30));
    QApplication::setPalette(palette);
    ColorSettings(m_test.Store()).SetDefaultMapViewProp(&block);
    QApplication::setPalette(saved);
    EXPECT_EQ(block.words[6], 0x302010u);
}

}  // namespace
