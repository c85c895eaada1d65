// The registry emulation over a memory backend: keys only when created,
// values kept as typed bytes, every change saved, failed saves undone.
#include "platform/Registry.h"
#include "platform/RegistryMemoryBackend.h"

#include <gtest/gtest.h>

using platform::Registry;
using platform::RegistryMemoryBackend;
using platform::RegistryValue;

namespace {

const QString kKey = QStringLiteral("Software\\Test\\Key");

RegistryValue Binary(const QByteArray& bytes) { return {platform::kRegBinary, bytes}; }

class RegistryTest : public ::testing::Test {
protected:
    RegistryMemoryBackend* m_backend = new RegistryMemoryBackend;
    Registry m_registry{std::unique_ptr<RegistryMemoryBackend>(m_backend)};
};

TEST_F(RegistryTest, KeysExistOnlyOnceCreatedWithTheirParents) {
    EXPECT_FALSE(m_registry.SetValue(kKey, QStringLiteral("v"), Binary("x")));
    EXPECT_FALSE(m_registry.KeyExists(kKey)) << "setting a value creates no key";
    EXPECT_FALSE(m_registry.ValueCount(kKey).has_value());
    for (const QString& path : {QString(), QStringLiteral("a\\\\b"), QStringLiteral("\\a"), QStringLiteral("a\\"),
                                QStringLiteral("a\nb")})
        EXPECT_FALSE(m_registry.CreateKey(path)) << path.toStdString();
    EXPECT_EQ(m_backend->SaveCount(), 0);

    ASSERT_TRUE(m_registry.CreateKey(kKey));
    EXPECT_TRUE(m_registry.KeyExists(QStringLiteral("Software\\Test")));
    EXPECT_TRUE(m_backend->Saved().HasKey(kKey));
    EXPECT_EQ(m_registry.ValueCount(kKey), 0);
    EXPECT_TRUE(m_registry.CreateKey(kKey));
    EXPECT_EQ(m_backend->SaveCount(), 1) << "creating it again saves nothing";
    EXPECT_FALSE(m_registry.SetValue(kKey, QStringLiteral("line\nbreak"), Binary("x")));
}

TEST_F(RegistryTest, ValuesKeepTypeAndBytesAndNamesIgnoreCase) {
    ASSERT_TRUE(m_registry.CreateKey(kKey));
    const RegistryValue odd{0x1234, QByteArray("\0\xff\x80", 3)};
    ASSERT_TRUE(m_registry.SetValue(kKey, QStringLiteral("Value"), Binary("1")));
    ASSERT_TRUE(m_registry.SetValue(kKey.toUpper(), QStringLiteral("VALUE"), odd));
    EXPECT_EQ(m_registry.ValueCount(kKey), 1);
    EXPECT_EQ(m_registry.ValueNameAt(kKey, 0), QStringLiteral("Value")) << "the first spelling stays";
    EXPECT_EQ(m_registry.QueryValue(kKey.toLower(), QStringLiteral("value")), odd);
    EXPECT_EQ(*m_backend->Saved().Value(kKey, QStringLiteral("Value")), odd);
}

TEST_F(RegistryTest, FailedSaveUndoesTheChange) {
    ASSERT_TRUE(m_registry.CreateKey(kKey));
    ASSERT_TRUE(m_registry.SetValue(kKey, QStringLiteral("kept"), Binary("old")));
    m_backend->SetFailSaves(true);

    EXPECT_FALSE(m_registry.SetValue(kKey, QStringLiteral("kept"), Binary("new")));
    EXPECT_FALSE(m_registry.SetValue(kKey, QStringLiteral("added"), Binary("new")));
    EXPECT_FALSE(m_registry.DeleteValue(kKey, QStringLiteral("KEPT")));
    EXPECT_FALSE(m_registry.CreateKey(kKey + QStringLiteral("\\Sub\\Deeper")));

    EXPECT_EQ(m_registry.QueryValue(kKey, QStringLiteral("kept"))->data, QByteArray("old"));
    EXPECT_EQ(m_registry.ValueNameAt(kKey, 0), QStringLiteral("kept"));
    EXPECT_FALSE(m_registry.QueryValue(kKey, QStringLiteral("added")));
    EXPECT_FALSE(m_registry.KeyExists(kKey + QStringLiteral("\\Sub")));
    EXPECT_EQ(m_registry.Tree(), m_backend->Saved());
}

}  // namespace

namespace {

TEST_F(RegistryTest, ABatchSavesOnceAndNestedBatchesJoinIt) {
    m_registry.BeginBatch();
    ASSERT_TRUE(m_registry.CreateKey(kKey));
    m_registry.BeginBatch();
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(m_registry.SetValue(kKey, QStringLiteral("v%1").arg(i), Binary("x")));
    EXPECT_TRUE(m_registry.EndBatch());
    EXPECT_TRUE(m_registry.DeleteValue(kKey, QStringLiteral("v7")));
    EXPECT_EQ(m_backend->SaveCount(), 0);
    EXPECT_TRUE(m_registry.EndBatch());
    EXPECT_EQ(m_backend->SaveCount(), 1);
    EXPECT_EQ(m_registry.Tree(), m_backend->Saved());
    EXPECT_EQ(m_registry.ValueCount(kKey), 49);

    m_registry.BeginBatch();
    EXPECT_FALSE(m_registry.DeleteValue(kKey, QStringLiteral("v7")));
    EXPECT_TRUE(m_registry.EndBatch());
    EXPECT_EQ(m_backend->SaveCount(), 1) << "a batch that changed nothing saves nothing";
    EXPECT_TRUE(m_registry.SetValue(kKey, QStringLiteral("V8"), Binary("x")));
    m_registry.BeginBatch();
    EXPECT_TRUE(m_registry.SetValue(kKey, QStringLiteral("v9"), Binary("y")));
    EXPECT_TRUE(m_registry.SetValue(kKey, QStringLiteral("v9"), Binary("x")));
    EXPECT_TRUE(m_registry.EndBatch());
    EXPECT_EQ(m_backend->SaveCount(), 1) << "values written as they were change nothing";
    EXPECT_TRUE(m_registry.DeleteAllValues(kKey));
    EXPECT_EQ(m_backend->SaveCount(), 2) << "all values go in one save";
    EXPECT_EQ(m_backend->Saved().ValueCount(kKey), 0);
}

TEST_F(RegistryTest, ABatchWhoseSaveFailsLeavesMemoryAndStoreAsBefore) {
    QStringList reasons;
    m_registry.SetSaveFailedHandler([&](const QString& reason) {
        reasons << reason;
        EXPECT_FALSE(m_registry.InBatch());
    });
    ASSERT_TRUE(m_registry.CreateKey(kKey));
    ASSERT_TRUE(m_registry.SetValue(kKey, QStringLiteral("kept"), Binary("old")));
    ASSERT_TRUE(m_registry.SetValue(kKey, QStringLiteral("other"), Binary("old")));
    const platform::RegistryTree before = m_registry.Tree();
    m_backend->SetFailSaves(true);
    EXPECT_FALSE(m_registry.DeleteAllValues(kKey));
    EXPECT_EQ(m_registry.Tree(), before);

    m_registry.BeginBatch();
    EXPECT_TRUE(m_registry.DeleteAllValues(kKey));
    EXPECT_TRUE(m_registry.SetValue(kKey, QStringLiteral("added"), Binary("new")));
    EXPECT_TRUE(m_registry.CreateKey(kKey + QStringLiteral("\\Sub")));
    EXPECT_FALSE(m_registry.EndBatch());
    EXPECT_EQ(m_registry.Tree(), before);
    EXPECT_EQ(m_backend->Saved(), before);
    EXPECT_FALSE(m_registry.InBatch());
    EXPECT_EQ(reasons, QStringList(2, m_backend->SaveError())) << "once for each failed save";
}

// A backend that has told the user itself that nothing is saved leaves the handler out.
TEST(RegistryReportTest, SavesRefusedAndReportedByTheBackendAreNotReportedAgain) {
    struct ReportingBackend : RegistryMemoryBackend {
        bool SavesRefusedAndReported() const override { return true; }
    };
    auto backend = std::make_unique<ReportingBackend>();
    backend->SetFailSaves(true);
    Registry registry(std::move(backend));
    int reported = 0;
    registry.SetSaveFailedHandler([&](const QString&) { ++reported; });
    EXPECT_FALSE(registry.CreateKey(kKey));
    EXPECT_EQ(reported, 0);
}

}  // namespace
