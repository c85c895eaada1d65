// Channel limits, names and the map drawing mode: the built-in tables on an
// empty store, the corrections of stored Handle and Accel limits, and what a
// foreign or truncated stored value leads to.
#include "settings/SettingsTestStore.h"

#include <gtest/gtest.h>

namespace {

using namespace settings;

// The built-in limits, written out again so that a slip in the table shows.
const ChannelValueRec kExpected[18] = {
    {0, 0, 20000, 20000, 8000, 0, 0, 1000, 1000}, {0, 0, 400, 400, 200, 0, 0, 20, 50},
    {1, 1, 5, 5, 2, 0, 0, 1, 1},                  {1, 1, 5, 5, 2, 0, 0, 1, 1},
    {1, 0, 10, 10, 5, 0, 0, 1, 1},                {1, 0, 10, 10, 5, 0, 0, 1, 1},
    {0, 0, 1023, 1023, 500, 0, 0, 100, 100},      {0, 0, 1023, 1023, 500, 0, 0, 100, 100},
    {0, 1, 100, 100, 20, 0, 0, 20, 10},           {0, 0, 100, 100, 50, 0, 0, 10, 10},
    {0, 0, 20, 20, 10, 0, 0, 2, 2},               {0, 0, 8, 8, 5, 0, 0, 1, 1},
    {0, 1, 90, 90, 50, 0, 0, 10, 10},             {0, 0, 100, 100, 50, 0, 0, 10, 10},
    {0, 0, 100, 100, 50, 0, 0, 10, 10},           {0, 0, 100, 100, 50, 0, 0, 10, 10},
    {0, 0, 100, 100, 50, 0, 0, 10, 10},           {0, 0, 100, 100, 50, 0, 0, 10, 10},
};
const char* const kExpectedNames[20] = {"RPM",    "Speed", "G Horiz.", "G Vert.", "Press.1",
                                        "Press.2", "Temp.1", "Temp.2", "Handle",  "Accel",
                                        "Volt",   "Gear",  "Angl",     "ANA1",    "ANA2",
                                        "ANA3",   "ANA4",  "ANA5",     "Lap time", "Distance"};

class ChannelSettingsTest : public ::testing::Test {
protected:
    ChannelSettings& Channels() { return m_test.Settings().Channels(); }
    void PutLimits(int channel, const ChannelValueRec& rec) {
        m_test.PutRecord(kChannelNameScaleInfo, NumberedName(kChannelMaxValue, channel), rec);
    }
    void PutName(int channel, const QString& name, int number) {
        ChannelNameRec rec;
        ChannelNameRec::SetText(&rec.defaultName, name);
        ChannelNameRec::SetText(&rec.currentName, name);
        rec.channelNumber = number;
        m_test.PutRecord(kChannelNameScaleInfo, NumberedName(kChannelNameProp, channel), rec);
    }
    ChannelValueRec Limits(int channel) { return Channels().ChannelValueTable()[channel - 1]; }

    SettingsTestStore m_test;
};

TEST_F(ChannelSettingsTest, AnEmptyStoreGivesTheBuiltInTables) {
    Channels().ChannelValueTable().fill(ChannelValueRec{7, 7, 7, 7, 7, 7, 7, 7, 7});
    Channels().LoadChannelValueTable();
    Channels().LoadChannelNameTable();
    Channels().MapDrawMode() = 3;
    Channels().LoadMapDrawMode();
    for (int n = 1; n <= 18; ++n)
        EXPECT_EQ(Limits(n), kExpected[n - 1]) << "channel " << n;
    for (int n = 1; n <= 20; ++n) {
        const ChannelNameRec& rec = Channels().ChannelNameTable()[n - 1];
        EXPECT_EQ(ChannelNameRec::Text(rec.defaultName), QLatin1String(kExpectedNames[n - 1]));
        EXPECT_EQ(ChannelNameRec::Text(rec.currentName), QLatin1String(n <= 18 ? kExpectedNames[n - 1] : ""));
        EXPECT_EQ(rec.channelNumber, n);
        EXPECT_EQ(rec.reserved, (std::array<std::int32_t, 3>{}));
    }
    EXPECT_EQ(Channels().MapDrawMode(), 1);
}

TEST_F(ChannelSettingsTest, StoredLimitsAreTakenWithTheHandleAndAccelCorrections) {
    const auto bytes = [](const ChannelValueRec& rec) {
        const auto encoded = settings_bytes::Encode(rec);
        return QByteArray(reinterpret_cast<const char*>(encoded.data()), ChannelValueRec::kSize);
    };
    const ChannelValueRec other{0, 0, 1023, 900, 500, 0, 50, 100, 100};
    const struct {
        int channel;
        QByteArray stored;
        std::uint32_t type;
        ChannelValueRec expected;
    } rows[] = {
        {9, bytes({1, 0, 5, 150, 30, 9, 60, 7, 8}), platform::kRegBinary, {1, 1, 100, 100, 0, 0, 0, 7, 8}},
        {9, bytes({0, 0, 100, 80, 20, 0, 49, 20, 10}), platform::kRegBinary, {0, 1, 100, 80, 0, 0, 49, 20, 10}},
        {10, bytes({0, 0, 1, 130, 7, 0, 0, 3, 4}), platform::kRegBinary, {0, 0, 100, 100, 50, 0, 0, 10, 4}},
        {10, bytes({0, 0, 1, 90, 7, 0, 0, 3, 4}), platform::kRegBinary, {0, 0, 100, 90, 50, 0, 0, 10, 4}},
        {7, bytes(other), platform::kRegBinary, other},
        // foreign or truncated values: the built-in limits
        {1, bytes(other).left(20), platform::kRegBinary, kExpected[0]},
        {2, bytes(other) + '\0', platform::kRegBinary, kExpected[1]},
        {3, bytes(other), platform::kRegSz, kExpected[2]},
        // a maximum not above its minimum, or a span past 32 bits: the built-in limits
        {4, bytes({1, 1, 5, 3, 2, 0, 3, 1, 1}), platform::kRegBinary, kExpected[3]},
        {5, bytes({1, 0, 5, 5, 2, 6, 0, 1, 1}), platform::kRegBinary, kExpected[4]},
        {6, bytes({1, 0, INT32_MAX, 5, 2, -1, 0, 1, 1}), platform::kRegBinary, kExpected[5]},
        {10, bytes({0, 0, 1, 90, 7, 0, 95, 3, 4}), platform::kRegBinary, kExpected[9]},
        {9, bytes({1, 0, 5, 40, 30, 9, 45, 7, 8}), platform::kRegBinary, kExpected[8]},
    };
    for (const auto& row : rows) {
        m_test.Put(kChannelNameScaleInfo, NumberedName(kChannelMaxValue, row.channel), row.stored, row.type);
        Channels().LoadChannelValueTable();
        EXPECT_EQ(Limits(row.channel), row.expected) << "channel " << row.channel;
        EXPECT_EQ(Limits(8), kExpected[7]);
    }
}

TEST_F(ChannelSettingsTest, NamesAreReadForChannels1To18AndWrittenFor1To20) {
    PutName(3, QStringLiteral("Lateral G \u00e9"), 99);
    PutName(19, QStringLiteral("Stored lap time"), 19);
    Channels().LoadChannelNameTable();
    const ChannelNameRec& lateral = Channels().ChannelNameTable()[2];
    EXPECT_EQ(ChannelNameRec::Text(lateral.currentName), QStringLiteral("Lateral G \u00e9"));
    EXPECT_EQ(lateral.channelNumber, 3);  // the table's index, not the stored number
    EXPECT_TRUE(ChannelNameRec::Text(Channels().ChannelNameTable()[18].currentName).isEmpty());

    for (int channel : {0, 21})
        EXPECT_EQ(Channels().ChannelNameSetting(1, channel), 1) << channel;
    for (int channel : {0, 19, -1})
        EXPECT_EQ(Channels().ChannelMaxValueSetting(1, channel), 1) << channel;
    ASSERT_EQ(Channels().ChannelNameSetting(1, 20), 0);
    EXPECT_EQ(m_test.Get(kChannelNameScaleInfo, QStringLiteral("Channel_Name_Prop_20")).size(), 272);
}

TEST_F(ChannelSettingsTest, MapDrawModeIsADwordFrom1To3) {
    std::int32_t mode = 2;
    ASSERT_EQ(Channels().MapDrawModeSetting(1, &mode), 0);
    EXPECT_EQ(m_test.TypeOf(kChannelNameScaleInfo, QStringLiteral("Map_DrawMode")), platform::kRegDword);
    Channels().LoadMapDrawMode();
    EXPECT_EQ(Channels().MapDrawMode(), 2);
    for (const QByteArray& stored : {QByteArray("\7\0\0\0", 4), QByteArray("\0\0\0\0", 4), QByteArray("\3\0", 2)}) {
        m_test.Put(kChannelNameScaleInfo, QStringLiteral("Map_DrawMode"), stored, platform::kRegDword);
        EXPECT_EQ(Channels().MapDrawModeSetting(0, &mode), 1);
        Channels().LoadMapDrawMode();
        EXPECT_EQ(Channels().MapDrawMode(), 1);
    }
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(Channels().MapDrawModeSetting(0, nullptr), 1);
}

}  // namespace
