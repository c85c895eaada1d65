// Settings files the settings fuzzer found faults with, replayed through the same cycle as the fuzz
// target (loaded through the file backend, every setting read, saved and loaded again); each must
// go through it without a fault.
#include "fuzz/SettingsLoadHarness.h"
#include "platform/RegFileFormat.h"
#include "platform/RegistryTree.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct FuzzCase {
    const char* name;
    const char* hex; // the file's bytes
    bool parses;     // whether the file is taken or set aside
};

// UTF-16 file whose key name holds a lone low surrogate (U+DC00): it parsed, but written back as
// UTF-8 the name became U+FFFD, so the first save renamed the key.
constexpr FuzzCase kLoneSurrogateKey{
    "LoneSurrogateInKeyName",
    "fffe570069006e0064006f0077007300200052006500670069007300740072007900200045006400690074006f00"
    "72002000560065007200730069006f006e00200035002e00300030000a000a005b0048004b00450059005f004300"
    "55005200520045004e0054005f0055005300450052005c0000dcdc305d00",
    false};

// UTF-16 file with a string value that holds carriage returns: "..." cannot carry it, so it is
// written as hex bytes, six characters for each character read; the first bound on the written
// text's growth (twice the file) was too tight for it.
constexpr FuzzCase kStringWrittenAsBytes{
    "StringWrittenAsBytes",
    "fffe570069006e0064006f0077007300200052006500670069007300740072007900200045006400690074006f007200"
    "2000560065007200730069006f006e00200035002e00300030000a005b0048004b00450059005f004300550052005200"
    "45004e0054005f0055005300450052005c006f005d000a0022004300680022003d0022004e0076656c536f6674655c56"
    "61726e656b5661726e656b5f4f7276656c6f5c41707044617461656d5252455345525c536f74006800670074000d0068"
    "0007000a00656c6f640077006f00720064003a003000305f4f7276656c6f5c417070446174615c766574656d52524553"
    "45525c536f740068efbbbf0d006800220048004b00450059005f00430055005200520045004e005400450052005c0053"
    "006fffffff63006500300030000a000a000a000a005c5661726e656b5f4f7276656c6f5c41707044617461656d525245"
    "5345525c536f74006800670074000d00680022000a00",
    true};

constexpr FuzzCase kCases[] = {kLoneSurrogateKey, kStringWrittenAsBytes};

void PrintTo(const FuzzCase& fuzzCase, std::ostream* out)
{
    *out << fuzzCase.name;
}

QByteArray Bytes(const FuzzCase& fuzzCase)
{
    return QByteArray::fromHex(fuzzCase.hex);
}

class SettingsFuzzRegressionTest : public ::testing::TestWithParam<FuzzCase> {};

TEST_P(SettingsFuzzRegressionTest, LoadsWithoutFault)
{
    const QByteArray bytes = Bytes(GetParam());
    platform::RegistryTree tree;
    QString error;
    EXPECT_EQ(platform::RegFileFormat::Parse(bytes, &tree, &error), GetParam().parses) << qPrintable(error);
    orvelo::fuzzing::SettingsFileCycle().Run(bytes);
}

INSTANTIATE_TEST_SUITE_P(Findings, SettingsFuzzRegressionTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Deep key paths of the reliability run (80 KB and 20 KB of "\a" components): beyond the registry's
// limits the file is kept aside; as deep as it allows it loads and saves in about its own size.
TEST(SettingsFuzzRegression, DeepKeyPathsAreKeptAsideOrSavedOnce)
{
    const struct {
        QByteArray component;
        int depth;
        bool parses;
    } cases[] = {{"a", 40000, false}, {"a", 10000, false}, {QByteArray(38, 'k'), 512, true}};
    for (const auto& c : cases) {
        const QByteArray bytes = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER" +
                                 ("\\" + c.component).repeated(c.depth) + "]\n\"v\"=dword:1\n";
        platform::RegistryTree tree;
        QString error;
        EXPECT_EQ(platform::RegFileFormat::Parse(bytes, &tree, &error), c.parses) << c.depth;
        orvelo::fuzzing::SettingsFileCycle().Run(bytes);
    }
}

TEST(SettingsFuzzRegression, LoneSurrogateFileIsRefusedAsText)
{
    platform::RegistryTree tree;
    QString error;
    ASSERT_FALSE(platform::RegFileFormat::Parse(Bytes(kLoneSurrogateKey), &tree, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("not UTF-16 text"))) << qPrintable(error);
}

TEST(SettingsFuzzRegression, NamesWithLoneSurrogatesAreNotUsable)
{
    const QString lone = QStringLiteral("Soft") + QChar(char16_t{0xDC00});
    EXPECT_FALSE(platform::RegistryTree::IsValidKeyPath(lone));
    EXPECT_FALSE(platform::RegistryTree::IsValidValueName(lone));
    platform::RegistryTree tree;
    EXPECT_EQ(tree.CreateKey(lone), 0);
    ASSERT_EQ(tree.CreateKey(QStringLiteral("Software")), 1);
    EXPECT_FALSE(tree.SetValue(QStringLiteral("Software"), lone, {platform::kRegDword, QByteArray(4, '\0')}));
    // A whole surrogate pair is a character like any other.
    const QString pair = QStringLiteral("Soft") + QChar(char16_t{0xD83D}) + QChar(char16_t{0xDE00});
    EXPECT_TRUE(platform::RegistryTree::IsValidKeyPath(pair));
}

} // namespace
