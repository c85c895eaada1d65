// The framework profile in the same registry: defaults while nothing is
// stored, whole paths, and its own section keys.
#include "settings/SettingsTestStore.h"

#include <gtest/gtest.h>

namespace {

using namespace settings;

class FrameworkProfileTest : public ::testing::Test {
protected:
    FrameworkProfile& Profile() { return m_test.Settings().Profile(); }
    SettingsTestStore m_test{false};
};

TEST_F(FrameworkProfileTest, DefaultsWhileNothingIsStoredOrTheTypeIsAnother) {
    EXPECT_EQ(Profile().GetProfileString(kLogFileSection, kLogFileEntry, kNothingPath), QStringLiteral("NothingPath"));
    EXPECT_EQ(Profile().GetProfileInt(kWorkspaceSection, kApplicationLookEntry, kApplicationLookDefault), 214);
    EXPECT_EQ(m_test.Registry().Tree().KeyCount(), 0);
    ASSERT_TRUE(Profile().WriteProfileInt(kLogFileSection, kLogFileEntry, 5));
    EXPECT_EQ(Profile().GetProfileString(kLogFileSection, kLogFileEntry, kNothingPath), kNothingPath);
    ASSERT_TRUE(Profile().WriteProfileString(kWorkspaceSection, kApplicationLookEntry, QStringLiteral("215")));
    EXPECT_EQ(Profile().GetProfileInt(kWorkspaceSection, kApplicationLookEntry, 214), 214);
}

TEST_F(FrameworkProfileTest, WritingCreatesTheSectionUnderTheProfileRootAndReadsBackWhole) {
    ASSERT_TRUE(Profile().WriteProfileString(kMapFileSection, kMapFileEntry, QStringLiteral("/data/maps")));
    const QString section = QStringLiteral("Software\\Varnek_Quendrix\\Varnek Quendrix\\Varnek_MapFile");
    const auto stored = m_test.Registry().QueryValue(section, QStringLiteral("Varnek_MapFile_search"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, platform::kRegSz);
    EXPECT_EQ(stored->data, platform::Utf16Bytes(QStringLiteral("/data/maps") + QChar(u'\0')));

    const QString path = QStringLiteral("/home/\u00e9quipe/") + QString(400, QChar('x')) + QStringLiteral("/a\\b:c");
    ASSERT_TRUE(Profile().WriteProfileString(kLogFileSection, kLogFileEntry, path));
    EXPECT_EQ(Profile().GetProfileString(kLogFileSection, kLogFileEntry, kNothingPath), path);
    ASSERT_TRUE(Profile().WriteProfileInt(kWorkspaceSection, kApplicationLookEntry, -3));
    EXPECT_EQ(Profile().GetProfileInt(kWorkspaceSection, kApplicationLookEntry, 0), -3);
}

TEST_F(FrameworkProfileTest, FailedWritesReportFalseAndLeaveNoKey) {
    m_test.Backend().SetFailSaves(true);
    EXPECT_FALSE(Profile().WriteProfileString(kLogFileSection, kLogFileEntry, QStringLiteral("/x")));
    EXPECT_FALSE(Profile().WriteProfileInt(kWorkspaceSection, kApplicationLookEntry, 1));
    EXPECT_EQ(m_test.Registry().Tree().KeyCount(), 0);
    m_test.Backend().SetFailSaves(false);
    EXPECT_FALSE(Profile().WriteProfileString(QString(), kLogFileEntry, QStringLiteral("/x")));
    EXPECT_FALSE(Profile().WriteProfileString(kLogFileSection, kLogFileEntry, QString::fromUtf16(u"a\0b", 3)));
}

}  // namespace
