// The .reg text form: every value reads back byte for byte, strings use the
// quoted form only where it is exact, and a damaged file is refused whole.
#include "platform/RegFileFormat.h"

#include <gtest/gtest.h>

using platform::RegFileFormat;
using platform::RegistryTree;
using platform::RegistryValue;

namespace {

const QString kKey = QStringLiteral("Software\\Varnek_Orvelo\\AppData\\ver1.0\\Item_Color_Info");
const QByteArray kHeader = "Windows Registry Editor Version 5.00\n\n";

QByteArray Utf16(const QString& text) {
    QByteArray bytes;
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

TEST(RegFileFormatTest, EveryKindOfValueRoundTrips) {
    RegistryTree tree;
    tree.CreateKey(kKey);
    tree.CreateKey(QStringLiteral("Software\\Empty Key"));
    QByteArray allBytes;
    for (int i = 0; i < 256; ++i)
        allBytes.append(static_cast<char>(i));
    const QString awkward = QStringLiteral("C:\\dir \"quoted\" \u00e9\u00df \u6e2c \U0001F3C1 ;[x]=");
    tree.SetValue(kKey, QStringLiteral("Binary"), {platform::kRegBinary, allBytes});
    tree.SetValue(kKey, QStringLiteral("Empty"), {platform::kRegBinary, {}});
    tree.SetValue(kKey, QStringLiteral("Dword"), {platform::kRegDword, QByteArray("\x78\x56\x34\x12", 4)});
    tree.SetValue(kKey, QStringLiteral("ShortDword"), {platform::kRegDword, QByteArray("\x01\x02\x03", 3)});
    tree.SetValue(kKey, QStringLiteral("WithNul"), {platform::kRegSz, Utf16(awkward + QChar(u'\0'))});
    tree.SetValue(kKey, QStringLiteral("NoNul"), {platform::kRegSz, Utf16(QStringLiteral("101"))});
    tree.SetValue(kKey, QStringLiteral("TwoNuls"), {platform::kRegSz, Utf16(QString::fromUtf16(u"a\0b\0", 4))});
    tree.SetValue(kKey, QStringLiteral("OddString"), {platform::kRegSz, QByteArray("abc")});
    tree.SetValue(kKey, QStringLiteral("LoneSurrogate"), {platform::kRegSz, Utf16(QString(QChar(0xD800)) + QChar(u'\0'))});
    tree.SetValue(kKey, QStringLiteral("Line\tbreak?"), {platform::kRegSz, Utf16(QStringLiteral("a\nb") + QChar(u'\0'))});
    tree.SetValue(kKey, awkward, {0x1234ABCD, QByteArray("\xff", 1)});
    tree.SetValue(kKey, QString(), {platform::kRegBinary, QByteArray("@")});

    RegistryTree back;
    QString error;
    EXPECT_TRUE(RegFileFormat::Parse(RegFileFormat::Write(tree), &back, &error)) << error.toStdString();
    EXPECT_EQ(back, tree);
}

// A key with only sub-keys ("Software") is left to their sections, which create it again.
TEST(RegFileFormatTest, WritesTheRegistryEditorsForms) {
    RegistryTree tree;
    const QString key = QStringLiteral("Software\\A");
    tree.CreateKey(key);
    tree.SetValue(key, QStringLiteral("Path \"q\""), {platform::kRegSz, Utf16(QStringLiteral("C:\\a\\\"b\"") + QChar(u'\0'))});
    tree.SetValue(key, QStringLiteral("Mode"), {platform::kRegDword, QByteArray("\x0a\0\0\0", 4)});
    tree.SetValue(key, QStringLiteral("Bytes"), {platform::kRegBinary, QByteArray("\x00\xff\x10", 3)});
    // A string stored without its NUL is not what "..." means: kept as bytes.
    tree.SetValue(key, QStringLiteral("Stat"), {platform::kRegSz, Utf16(QStringLiteral("10"))});
    tree.SetValue(key, QString(), {platform::kRegDword, QByteArray("\1\0\0\0", 4)});
    EXPECT_EQ(RegFileFormat::Write(tree).toStdString(),
              (kHeader + "[HKEY_CURRENT_USER\\Software\\A]\n@=dword:00000001\n"
                        "\"Bytes\"=hex:00,ff,10\n\"Mode\"=dword:0000000a\n\"Path \\\"q\\\"\"=\"C:\\\\a\\\\\\\"b\\\"\"\n"
                        "\"Stat\"=hex(1):31,00,30,00\n\n").toStdString());
}

TEST(RegFileFormatTest, ReadsOtherEncodingsLineEndingsAndComments) {
    const QString text = QStringLiteral(
        "Windows Registry Editor Version 5.00\r\n\r\n; a comment\r\n"
        "[HKEY_CURRENT_USER\\Software\\A]\r\n\"N\u00e4me\"=\"v\u00e4lue\"\r\n"
        "\"Hex\"=hex:01,\\\r\n  02,03\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\"Second\"=dword:2\r\n");
    QByteArray utf16("\xFF\xFE", 2);
    utf16 += Utf16(text);
    QByteArray utf8Bom("\xEF\xBB\xBF");
    utf8Bom += text.toUtf8();
    for (const QByteArray& bytes : {utf16, utf8Bom, text.toUtf8()}) {
        RegistryTree tree;
        QString error;
        ASSERT_TRUE(RegFileFormat::Parse(bytes, &tree, &error)) << error.toStdString();
        const QString key = QStringLiteral("Software\\A");
        EXPECT_EQ(tree.Value(key, QStringLiteral("N\u00e4me"))->data, Utf16(QStringLiteral("v\u00e4lue") + QChar(u'\0')));
        EXPECT_EQ(tree.Value(key, QStringLiteral("Hex"))->data, QByteArray("\1\2\3"));
        EXPECT_EQ(tree.Value(key, QStringLiteral("Second"))->data, QByteArray("\2\0\0\0", 4));
        EXPECT_EQ(tree.ValueCount(key), 3);
    }
}

TEST(RegFileFormatTest, RefusesDamagedOrForeignFilesWholeWithTheLine) {
    const QByteArray key = "[HKEY_CURRENT_USER\\Software\\A]\n";
    const char withNul[] = "[HKEY_CURRENT_USER\\A]\n\0\n";
    struct Case {
        QByteArray text;
        int line;  // 0: not about one line
    };
    const Case cases[] = {
        {"", 0},
        {"REGEDIT4\n\n" + key, 1},
        {kHeader + "\"v\"=dword:1\n", 3},
        {kHeader + "[HKEY_LOCAL_MACHINE\\Software\\A]\n", 3},
        {kHeader + "[-HKEY_CURRENT_USER\\Software\\A]\n", 3},
        {kHeader + "[HKEY_CURRENT_USER\\Software\\\\A]\n", 3},
        {kHeader + key + "\"v\"=hex:0g\n", 4},
        {kHeader + key + "\"v\"=hex:100\n", 4},
        {kHeader + key + "\"v\"=hex:01,\\\n", 5},
        {kHeader + key + "\"v\"=dword:123456789\n", 4},
        {kHeader + key + "\"v\"=dword:\n", 4},
        {kHeader + key + "\"v\"=\"open\n", 4},
        {kHeader + key + "\"v\"=\"a\\nb\"\n", 4},
        {kHeader + key + "\"v\"=\"a\" junk\n", 4},
        {kHeader + key + "\"v\"=-\n", 4},
        {kHeader + key + "\"v\"=hex(zz):00\n", 4},
        {kHeader + key + "\"v\" = dword:1\n", 4},
        {kHeader + key + "garbage\n", 4},
        {kHeader + QByteArray(withNul, sizeof withNul - 1), 0},
        {kHeader + "\"\xC3\x28\"=dword:1\n", 0},  // not UTF-8
        {QByteArray("\xFF\xFE\x41", 3), 0},        // odd UTF-16
        {kHeader + key + "\"" + QByteArray(RegistryTree::kMaxValueNameChars + 1, 'n') + "\"=dword:1\n", 4},
        {kHeader + key + QByteArray(RegFileFormat::kMaxTextBytes, ';'), 0},
    };
    for (const Case& c : cases) {
        RegistryTree tree;
        tree.CreateKey(kKey);
        const RegistryTree before = tree;
        QString error;
        EXPECT_FALSE(RegFileFormat::Parse(c.text, &tree, &error)) << c.text.toStdString();
        EXPECT_EQ(tree, before) << "a failed parse leaves the tree alone: " << c.text.toStdString();
        EXPECT_TRUE(c.line == 0 || error.startsWith(QStringLiteral("line %1:").arg(c.line))) << error.toStdString();
    }
}

// As deep and as long as the registry allows: written once, not once for each parent, and read
// back the same; one component more, or one character more in one, is a damaged file.
TEST(RegFileFormatTest, KeyPathsUpToTheRegistrysLimitsCostTheirOwnLength) {
    const QString name(RegistryTree::kMaxKeyNameChars, QChar('k'));
    const QString deepest = QStringList(RegistryTree::kMaxKeyDepth, name).join(QChar('\\'));
    RegistryTree tree;
    ASSERT_EQ(tree.CreateKey(deepest), RegistryTree::kMaxKeyDepth);
    ASSERT_TRUE(tree.SetValue(deepest.toUpper(), QStringLiteral("v"), {platform::kRegDword, QByteArray(4, '\1')}));
    ASSERT_EQ(tree.CreateKey(name.toUpper() + QStringLiteral("\\Other")), 1);
    const QByteArray text = RegFileFormat::Write(tree);
    EXPECT_LT(text.size(), deepest.size() + name.size() + 200);
    EXPECT_TRUE(text.contains("[HKEY_CURRENT_USER\\" + name.toUtf8() + "\\Other]")) << "the parent's spelling";
    RegistryTree back;
    QString error;
    ASSERT_TRUE(RegFileFormat::Parse(text, &back, &error)) << error.toStdString();
    EXPECT_EQ(back, tree);
    EXPECT_EQ(back.KeyCount(), RegistryTree::kMaxKeyDepth + 1);

    for (const QString& path : {deepest + QStringLiteral("\\k"), name + QChar('\\') + name + QChar('k')}) {
        EXPECT_EQ(tree.CreateKey(path), 0);
        EXPECT_FALSE(RegFileFormat::Parse(kHeader + "[HKEY_CURRENT_USER\\" + path.toUtf8() + "]\n", &back, &error));
        EXPECT_TRUE(error.startsWith(QStringLiteral("line 3:"))) << error.toStdString();
    }
}

}  // namespace
