// Channel limits, names and the map drawing mode: the built-in tables on an
// empty store, the corrections of stored Handle and Accel limits, and what a
// foreign or truncated stored value leads to.
#include "SettingsTestStore.h"

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
        EXPECT_EQ(ChannelNameRec::Text(rec.currentName), n <= 18 ? QLatin1String(kExpectedNames[n - 1]) : QLatin1String(""));
        EXPECT_EQ(rec.channelNumber, n);
        EXPECT_EQ(rec.reserved, (std::array<std::int32_t, 3>{}));
    }
    EXPECT_EQ(Channels().MapDrawMode(), 1);
}

TEST_F(ChannelSettingsTest, StoredHandleLimitsAreCorrected) {
    PutLimits(9, {1, 0, 5, 150, 30, 9, 60, 7, 8});
    Channels().LoadChannelValueTable();
    EXPECT_EQ(Limits(9), (ChannelValueRec{1, 1, 100, 100, 0, 0, 0, 7, 8}));

    PutLimits(9, {0, 0, 100, 80, 20, 0, 49, 20, 10});
    Channels().LoadChannelValueTable();
    EXPECT_EQ(Limits(9), (ChannelValueRec{0, 1, 100, 80, 0, 0, 49, 20, 10}));
}

TEST_F(ChannelSettingsTest, StoredAccelLimitsAreCorrected) {
    PutLimits(10, {0, 0, 1, 130, 7, 0, 0, 3, 4});
    Channels().LoadChannelValueTable();
    EXPECT_EQ(Limits(10), (ChannelValueRec{0, 0, 100, 100, 50, 0, 0, 10, 4}));

    PutLimits(10, {0, 0, 1, 90, 7, 0, 0, 3, 4});
    Channels().LoadChannelValueTable();
    EXPECT_EQ(Limits(10).currentMax, 90);
}

TEST_F(ChannelSettingsTest, OtherStoredLimitsAreTakenAsTheyAre) {
    const ChannelValueRec stored{0, 0, 1023, 900, 500, 0, 50, 100, 100};
    PutLimits(7, stored);
    Channels().LoadChannelValueTable();
    EXPECT_EQ(Limits(7), stored);
    EXPECT_EQ(Limits(8), kExpected[7]);
}

TEST_F(ChannelSettingsTest, ForeignOrTruncatedLimitsFallBackToTheDefaults) {
    const auto bytes = settings_bytes::Encode(ChannelValueRec{0, 0, 1, 2, 0, 0, 0, 1, 1});
    const QByteArray full(reinterpret_cast<const char*>(bytes.data()), 36);
    m_test.Put(kChannelNameScaleInfo, NumberedName(kChannelMaxValue, 1), full.left(20));
    m_test.Put(kChannelNameScaleInfo, NumberedName(kChannelMaxValue, 2), full + '\0');
    m_test.Put(kChannelNameScaleInfo, NumberedName(kChannelMaxValue, 3), full, platform::kRegSz);
    Channels().LoadChannelValueTable();
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(Limits(n), kExpected[n - 1]) << "channel " << n;
}

TEST_F(ChannelSettingsTest, LimitsRoundTripThroughTheStore) {
    Channels().ChannelValueTable()[0].currentMax = 12000;
    Channels().ChannelValueTable()[17].currentMin = -5;
    ASSERT_EQ(Channels().SaveChannelValueTable(), 0);
    const QByteArray stored = m_test.Get(kChannelNameScaleInfo, QStringLiteral("Channel_Max_Value_1"));
    ASSERT_EQ(stored.size(), 36);
    EXPECT_EQ(WordAt(stored, 12), 12000u);
    EXPECT_EQ(WordAt(stored, 16), 8000u);

    ChannelSettings fresh(m_test.Store());
    fresh.ChannelValueTable().fill(ChannelValueRec{});
    fresh.LoadChannelValueTable();
    EXPECT_EQ(fresh.ChannelValueTable()[0].currentMax, 12000);
    EXPECT_EQ(fresh.ChannelValueTable()[17].currentMin, -5);
}

// A backend that takes a number of saves and then refuses every one.
class FailingAfter : public platform::RegistryBackend {
public:
    explicit FailingAfter(int saves) : m_left(saves) {}
    platform::RegistryTree Load() override { return {}; }
    bool Save(const platform::RegistryTree&) override { return m_left-- > 0; }

private:
    int m_left;
};

TEST(ChannelSettingsSaveTest, SavingStopsAtTheFirstFailure) {
    AppSettings settings(std::make_unique<FailingAfter>(4 + 4));  // four keys, then channels 1 to 4
    ASSERT_EQ(settings.Store().CreateSettingsKeys(), 0);
    EXPECT_EQ(settings.Channels().SaveChannelValueTable(), 1);
    const QString key = SubKeyPath(kChannelNameScaleInfo);
    EXPECT_EQ(settings.UserRegistry().ValueCount(key), 4);
    EXPECT_TRUE(settings.UserRegistry().QueryValue(key, QStringLiteral("Channel_Max_Value_4")));
}

TEST_F(ChannelSettingsTest, ChannelNumbersOutOfRangeAreRefused) {
    for (int channel : {0, 19, -1})
        EXPECT_EQ(Channels().ChannelMaxValueSetting(1, channel), 1) << channel;
    for (int channel : {0, 21})
        EXPECT_EQ(Channels().ChannelNameSetting(1, channel), 1) << channel;
    EXPECT_EQ(m_test.Registry().ValueCount(SubKeyPath(kChannelNameScaleInfo)), 0);
}

TEST_F(ChannelSettingsTest, StoredNamesAreReadForChannelsOneTo18Only) {
    PutName(3, QStringLiteral("Lateral G \u00e9"), 99);
    PutName(19, QStringLiteral("Stored lap time"), 19);
    Channels().LoadChannelNameTable();
    const ChannelNameRec& lateral = Channels().ChannelNameTable()[2];
    EXPECT_EQ(ChannelNameRec::Text(lateral.currentName), QStringLiteral("Lateral G \u00e9"));
    EXPECT_EQ(lateral.channelNumber, 3);  // the table's index, not the stored number
    const ChannelNameRec& lapTime = Channels().ChannelNameTable()[18];
    EXPECT_EQ(ChannelNameRec::Text(lapTime.defaultName), QStringLiteral("Lap time"));
    EXPECT_TRUE(ChannelNameRec::Text(lapTime.currentName).isEmpty());
}

TEST_F(ChannelSettingsTest, NamesAreWrittenForAll20Channels) {
    ChannelNameRec::SetText(&Channels().ChannelNameTable()[19].currentName, QStringLiteral("km"));
    ASSERT_EQ(Channels().ChannelNameSetting(1, 20), 0);
    const QByteArray stored = m_test.Get(kChannelNameScaleInfo, QStringLiteral("Channel_Name_Prop_20"));
    ASSERT_EQ(stored.size(), 272);
    EXPECT_EQ(stored.mid(0, 4), QByteArray("D\0i\0", 4));
    EXPECT_EQ(stored.mid(128, 6), QByteArray("k\0m\0\0\0", 6));
    EXPECT_EQ(WordAt(stored, 268), 20u);
}

TEST_F(ChannelSettingsTest, MapDrawModeIsADwordFrom1To3) {
    std::int32_t mode = 2;
    ASSERT_EQ(Channels().MapDrawModeSetting(1, &mode), 0);
    EXPECT_EQ(m_test.TypeOf(kChannelNameScaleInfo, QStringLiteral("Map_DrawMode")), platform::kRegDword);
    EXPECT_EQ(m_test.Get(kChannelNameScaleInfo, QStringLiteral("Map_DrawMode")), QByteArray("\2\0\0\0", 4));
    Channels().LoadMapDrawMode();
    EXPECT_EQ(Channels().MapDrawMode(), 2);

    for (const QByteArray& stored : {QByteArray("\7\0\0\0", 4), QByteArray("\0\0\0\0", 4), QByteArray("\3\0", 2)}) {
        m_test.Put(kChannelNameScaleInfo, QStringLiteral("Map_DrawMode"), stored, platform::kRegDword);
        mode = 2;
        EXPECT_EQ(Channels().MapDrawModeSetting(0, &mode), 1);
        EXPECT_EQ(mode, 2);
        Channels().LoadMapDrawMode();
        EXPECT_EQ(Channels().MapDrawMode(), 1);
    }
    EXPECT_EQ(Channels().MapDrawModeSetting(0, nullptr), 1);
}

}  // namespace
