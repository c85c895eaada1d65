// The store's calls: one value each, 0 or 1, never a key created, never a
// byte written past the caller's buffer.
#include "settings/SettingsTestStore.h"

#include "settings/SettingsBatch.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using namespace settings;

const QString kValue = QStringLiteral("Value");

QString Key() { return SubKeyPath(kWindowViewInfo); }

class SettingsStoreTest : public ::testing::Test {
protected:
    SettingsStore& Store() { return m_test.Store(); }
    SettingsTestStore m_test;
};

TEST(SettingsStoreKeysTest, OnlyStartUpCreatesKeysAndEveryCallOnAMissingKeyFails) {
    SettingsTestStore test(false);
    SettingsStore& store = test.Store();
    const QString other = kSettingsKeyPath + QStringLiteral("\\Other_Info");
    const std::uint32_t word = 7;
    std::array<char, 8> buffer;
    buffer.fill('#');
    std::uint32_t read = 99;
    std::uint32_t counted = 99;
    QString text = QStringLiteral("unchanged");
    for (const QString& key : {Key(), other}) {
        const std::vector<int> results = {store.RegWriteBinary(key, kValue, "abc", 3),
                                          store.RegWriteDword(key, kValue, &word),
                                          store.RegWriteString(key, kValue, QStringLiteral("1")),
                                          store.RegReadValue(key, kValue, buffer.data(), 8, &read),
                                          store.RegReadString(key, kValue, &text),
                                          store.RegCountValues(key, &counted),
                                          store.RegDeleteValues(key, QString()),
                                          store.RegDeleteValues(key, kValue)};
        EXPECT_EQ(results, std::vector<int>(8, 1));
        EXPECT_EQ(read + counted, 0u);
    }
    EXPECT_EQ(text, QStringLiteral("unchanged"));
    EXPECT_EQ(std::string(buffer.data(), 8), "########");
    EXPECT_EQ(test.Registry().Tree().KeyCount(), 0);
    EXPECT_EQ(test.Backend().SaveCount(), 0);

    EXPECT_EQ(store.CreateSettingsKeys(), 0);
    const QString root = QStringLiteral("Software\\Varnek_Orvelo\\AppData\\ver1.0\\");
    for (const char* subKey : {"Map_Seg_Info", "Item_Color_Info", "Channel_NameScale_Info", "Window_View_Info"})
        EXPECT_TRUE(test.Registry().KeyExists(root + QLatin1String(subKey))) << subKey;
    EXPECT_EQ(test.Registry().Tree().KeyCount(), 4 + 4);  // with the parents
    EXPECT_EQ(store.RegWriteDword(other, kValue, &word), 1);
    EXPECT_FALSE(test.Registry().KeyExists(other));
}

TEST_F(SettingsStoreTest, BinaryAndDwordKeepTypeAndLittleEndianBytes) {
    const std::uint32_t word = 0x01020304;
    const std::int32_t negative = -2;
    ASSERT_EQ(Store().RegWriteDword(Key(), QStringLiteral("D"), &word), 0);
    ASSERT_EQ(Store().RegWriteDword(Key(), QStringLiteral("N"), &negative), 0);
    ASSERT_EQ(Store().RegWriteBinary(Key(), QStringLiteral("B"), "\0\1\2", 3), 0);
    EXPECT_EQ(m_test.TypeOf(kWindowViewInfo, QStringLiteral("D")), platform::kRegDword);
    EXPECT_EQ(m_test.Get(kWindowViewInfo, QStringLiteral("D")), QByteArray("\4\3\2\1"));
    EXPECT_EQ(m_test.Get(kWindowViewInfo, QStringLiteral("N")), QByteArray("\xfe\xff\xff\xff"));
    EXPECT_EQ(m_test.TypeOf(kWindowViewInfo, QStringLiteral("B")), platform::kRegBinary);
    EXPECT_EQ(Store().RegWriteDword(Key(), QStringLiteral("D"), static_cast<const std::uint32_t*>(nullptr)), 1);
    EXPECT_EQ(Store().RegWriteBinary(Key(), QStringLiteral("B"), nullptr, 3), 1);
}

TEST_F(SettingsStoreTest, ReadsNeverPassTheCallersCapacityOrTakeAnotherSize) {
    ASSERT_EQ(Store().RegWriteBinary(Key(), kValue, QByteArray(36, '\x11').constData(), 36), 0);
    std::array<char, 40> buffer;
    buffer.fill('#');
    std::uint32_t count = 5;
    EXPECT_EQ(Store().RegReadValue(Key(), kValue, buffer.data(), 35, &count), 1);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(QByteArray(buffer.data(), 40), QByteArray(40, '#'));
    EXPECT_EQ(Store().RegReadValue(Key(), kValue, buffer.data(), 40, &count), 0);
    EXPECT_EQ(count, 36u);
    EXPECT_EQ(QByteArray(buffer.data(), 40), QByteArray(36, '\x11') + QByteArray(4, '#'));
    EXPECT_EQ(Store().RegReadValue(Key(), QStringLiteral("Missing"), buffer.data(), 40, &count), 1);

    m_test.Put(kWindowViewInfo, QStringLiteral("Short"), QByteArray(35, '\1'));
    m_test.Put(kWindowViewInfo, QStringLiteral("Long"), QByteArray(37, '\1'));
    m_test.Put(kWindowViewInfo, QStringLiteral("Dword36"), QByteArray(36, '\1'), platform::kRegDword);
    std::array<char, 36> exact{};
    for (const char* name : {"Short", "Long", "Dword36", "Missing"})
        EXPECT_EQ(Store().ReadExact(Key(), QLatin1String(name), platform::kRegBinary, exact.data(), 36), 1) << name;
    EXPECT_EQ(exact, (std::array<char, 36>{}));
    EXPECT_EQ(Store().ReadExact(Key(), kValue, platform::kRegBinary, exact.data(), 36), 0);
}

TEST_F(SettingsStoreTest, StringsUpToTheLimitRoundTripWithoutNulLongerOnesAreRefused) {
    const QString longest = QString(258, QChar(u'\u00e9')) + QChar('"');
    ASSERT_EQ(longest.size(), SettingsStore::kMaxStringChars);
    ASSERT_EQ(Store().RegWriteString(Key(), kWorkAreaStat, longest), 0);
    EXPECT_EQ(m_test.Get(kWindowViewInfo, kWorkAreaStat).size(), 2 * 259);
    QString read;
    ASSERT_EQ(Store().RegReadString(Key(), kWorkAreaStat, &read), 0);
    EXPECT_EQ(read, longest);
    ASSERT_EQ(Store().RegWriteString(Key(), kValue, QStringLiteral("101")), 0);
    EXPECT_EQ(m_test.Get(kWindowViewInfo, kValue), QByteArray("1\0" "0\0" "1\0", 6));
    EXPECT_EQ(m_test.TypeOf(kWindowViewInfo, kValue), platform::kRegSz);

    EXPECT_EQ(Store().RegWriteString(Key(), kValue, QString(260, QChar('1'))), 1);
    EXPECT_EQ(Store().RegWriteString(Key(), kValue, QString::fromUtf16(u"a\0b", 3)), 1);
    read = QStringLiteral("kept");
    m_test.Put(kWindowViewInfo, kValue, platform::Utf16Bytes(QString(260, QChar('1'))), platform::kRegSz);
    EXPECT_EQ(Store().RegReadString(Key(), kValue, &read), 1);
    m_test.Put(kWindowViewInfo, kValue, QByteArray("1\0" "0", 3), platform::kRegSz);  // odd length
    EXPECT_EQ(Store().RegReadString(Key(), kValue, &read), 1);
    EXPECT_EQ(read, QStringLiteral("kept"));
    // A string stored with its NUL (as the profile writes them) reads up to it.
    m_test.Put(kWindowViewInfo, kValue, platform::Utf16Bytes(QString(259, QChar('x')) + QChar(u'\0')),
               platform::kRegSz);
    EXPECT_EQ(Store().RegReadString(Key(), kValue, &read), 0);
    EXPECT_EQ(read, QString(259, QChar('x')));
}

TEST_F(SettingsStoreTest, DeletionTakesOneNameOrEveryValueOrNoneWhenItCannotBeSaved) {
    for (int i = 0; i < 11; ++i)
        ASSERT_EQ(Store().RegWriteBinary(Key(), NumberedName(QStringLiteral("WorkArea_Prop"), i), "x", 1), 0);
    EXPECT_EQ(Store().RegDeleteValues(Key(), QStringLiteral("WorkArea_Prop_1")), 0);
    EXPECT_EQ(Store().RegDeleteValues(Key(), QStringLiteral("WorkArea_Prop_1")), 1);
    std::uint32_t count = 0;
    m_test.Backend().SetFailSaves(true);
    EXPECT_EQ(Store().RegDeleteValues(Key(), QString()), 1);
    ASSERT_EQ(Store().RegCountValues(Key(), &count), 0);
    EXPECT_EQ(count, 10u);  // WorkArea_Prop_10 among them
    m_test.Backend().SetFailSaves(false);
    EXPECT_EQ(Store().RegDeleteValues(Key(), QString()), 0);
    EXPECT_EQ(Store().RegDeleteValues(Key(), QString()), 0);  // already empty
}

TEST_F(SettingsStoreTest, AWriteThatCannotBeSavedFailsAndChangesNothing) {
    ASSERT_EQ(Store().RegWriteBinary(Key(), kValue, "old", 3), 0);
    m_test.Backend().SetFailSaves(true);
    EXPECT_EQ(Store().RegWriteBinary(Key(), kValue, "new", 3), 1);
    EXPECT_EQ(Store().RegWriteString(Key(), QStringLiteral("S"), QStringLiteral("x")), 1);
    EXPECT_EQ(m_test.Get(kWindowViewInfo, kValue), QByteArray("old"));
    EXPECT_TRUE(m_test.Get(kWindowViewInfo, QStringLiteral("S")).isEmpty());
}

TEST_F(SettingsStoreTest, ABatchSavesItsWritesOnceOrNoneOfThem) {
    const std::uint32_t word = 5;
    const int saves = m_test.Backend().SaveCount();
    {
        SettingsBatch batch(Store());
        EXPECT_EQ(Store().RegWriteBinary(Key(), kValue, "new", 3), 0);
        SettingsBatch inner(Store());
        EXPECT_EQ(Store().RegWriteDword(Key(), QStringLiteral("D"), &word), 0);
        EXPECT_EQ(inner.End(), 0);
        EXPECT_EQ(m_test.Backend().SaveCount(), saves);
    }
    EXPECT_EQ(m_test.Backend().SaveCount(), saves + 1);
    const platform::RegistryTree before = m_test.Registry().Tree();
    m_test.Backend().SetFailSaves(true);
    SettingsBatch failing(Store());
    EXPECT_EQ(Store().RegDeleteValues(Key(), QString()), 0);
    EXPECT_EQ(Store().RegWriteString(Key(), QStringLiteral("S"), QStringLiteral("x")), 0);
    EXPECT_EQ(failing.End(), 1);
    EXPECT_EQ(failing.End(), 1);
    EXPECT_EQ(m_test.Registry().Tree(), before);
}

}  // namespace
