// The registry emulation over a memory backend: keys only when created,
// values kept as typed bytes, every change saved, failed saves undone.
#include "platform/Registry.h"
#include "platform/RegistryMemoryBackend.h"

#include <gtest/gtest.h>

using platform::Registry;
using platform::RegistryMemoryBackend;
using platform::RegistryTree;
using platform::RegistryValue;

namespace {

const QString kKey = QStringLiteral("Software\\Test\\Key");

RegistryValue Binary(const QByteArray& bytes) { return {platform::kRegBinary, bytes}; }

class RegistryTest : public ::testing::Test {
protected:
    RegistryTest() {
        auto backend = std::make_unique<RegistryMemoryBackend>();
        m_backend = backend.get();
        m_registry = std::make_unique<Registry>(std::move(backend));
    }

    RegistryMemoryBackend* m_backend = nullptr;
    std::unique_ptr<Registry> m_registry;
};

TEST_F(RegistryTest, CreateKeyMakesParentsAndSaves) {
    ASSERT_TRUE(m_registry->CreateKey(kKey));
    EXPECT_TRUE(m_registry->KeyExists(QStringLiteral("Software")));
    EXPECT_TRUE(m_registry->KeyExists(QStringLiteral("Software\\Test")));
    EXPECT_TRUE(m_backend->Saved().HasKey(kKey));
    EXPECT_EQ(m_registry->ValueCount(kKey), 0);
    // Creating it again changes nothing and saves nothing.
    const int saves = m_backend->SaveCount();
    EXPECT_TRUE(m_registry->CreateKey(kKey));
    EXPECT_EQ(m_backend->SaveCount(), saves);
}

TEST_F(RegistryTest, RefusesUnusablePaths) {
    for (const QString& path : {QString(), QStringLiteral("a\\\\b"), QStringLiteral("\\a"),
                                QStringLiteral("a\\"), QStringLiteral("a\nb")})
        EXPECT_FALSE(m_registry->CreateKey(path)) << path.toStdString();
    ASSERT_TRUE(m_registry->CreateKey(kKey));
    EXPECT_FALSE(m_registry->SetValue(kKey, QStringLiteral("line\nbreak"), Binary("x")));
}

TEST_F(RegistryTest, KeysAndNamesIgnoreCaseButKeepTheirSpelling) {
    ASSERT_TRUE(m_registry->CreateKey(kKey));
    ASSERT_TRUE(m_registry->SetValue(kKey, QStringLiteral("Value"), Binary("1")));
    ASSERT_TRUE(m_registry->SetValue(kKey.toUpper(), QStringLiteral("VALUE"), Binary("2")));
    EXPECT_EQ(m_registry->ValueCount(kKey), 1);
    EXPECT_EQ(m_registry->ValueNameAt(kKey, 0), QStringLiteral("Value"));
    EXPECT_EQ(m_registry->QueryValue(kKey.toLower(), QStringLiteral("value"))->data, QByteArray("2"));
}

TEST_F(RegistryTest, ValuesKeepTypeAndBytes) {
    ASSERT_TRUE(m_registry->CreateKey(kKey));
    const RegistryValue odd{0x1234, QByteArray("\0\xff\x80", 3)};
    ASSERT_TRUE(m_registry->SetValue(kKey, QStringLiteral("odd"), odd));
    EXPECT_EQ(*m_registry->QueryValue(kKey, QStringLiteral("odd")), odd);
    EXPECT_EQ(*m_backend->Saved().Value(kKey, QStringLiteral("odd")), odd);
}

TEST_F(RegistryTest, FailedSaveUndoesTheChange) {
    ASSERT_TRUE(m_registry->CreateKey(kKey));
    ASSERT_TRUE(m_registry->SetValue(kKey, QStringLiteral("kept"), Binary("old")));
    m_backend->SetFailSaves(true);

    EXPECT_FALSE(m_registry->SetValue(kKey, QStringLiteral("kept"), Binary("new")));
    EXPECT_FALSE(m_registry->SetValue(kKey, QStringLiteral("added"), Binary("new")));
    EXPECT_FALSE(m_registry->DeleteValue(kKey, QStringLiteral("KEPT")));
    EXPECT_FALSE(m_registry->CreateKey(kKey + QStringLiteral("\\Sub\\Deeper")));

    EXPECT_EQ(m_registry->QueryValue(kKey, QStringLiteral("kept"))->data, QByteArray("old"));
    EXPECT_EQ(m_registry->ValueNameAt(kKey, 0), QStringLiteral("kept"));
    EXPECT_FALSE(m_registry->QueryValue(kKey, QStringLiteral("added")));
    EXPECT_FALSE(m_registry->KeyExists(kKey + QStringLiteral("\\Sub")));
    EXPECT_EQ(m_registry->Tree(), m_backend->Saved());
}

TEST_F(RegistryTest, LoadsWhatTheBackendHolds) {
    RegistryTree stored;
    stored.CreateKey(kKey);
    stored.SetValue(kKey, QString(), Binary("default value"));
    Registry registry(std::make_unique<RegistryMemoryBackend>(stored));
    EXPECT_EQ(registry.QueryValue(kKey, QString())->data, QByteArray("default value"));
}

}  // namespace
