// Stored record layouts: each field at its offset, little-endian, and the
// names bounded by their 64 characters.
#include "settings/SettingsRecords.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

template <class Rec>
std::vector<std::uint8_t> Bytes(const Rec& rec) {
    const auto bytes = settings_bytes::Encode(rec);
    return {bytes.begin(), bytes.end()};
}

std::uint32_t Word(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint32_t word = 0;
    settings_bytes::Get(bytes.data() + offset, &word);
    return word;
}

TEST(SettingsRecordsTest, ChannelValueRecWordsInOrder) {
    const ChannelValueRec rec{1, -1, 0x01020304, 4, 5, 6, 7, 8, 9};
    const auto bytes = Bytes(rec);
    ASSERT_EQ(bytes.size(), 36u);
    EXPECT_EQ(bytes[8], 0x04);  // little-endian
    EXPECT_EQ(bytes[11], 0x01);
    EXPECT_EQ(Word(bytes, 4), 0xFFFFFFFFu);
    for (std::size_t i = 3; i < 9; ++i)
        EXPECT_EQ(Word(bytes, 4 * i), i + 1) << "word " << i;
    EXPECT_EQ(settings_bytes::Decode<ChannelValueRec>(bytes.data()), rec);
}

TEST(SettingsRecordsTest, ChannelNameRecLayout) {
    ChannelNameRec rec;
    ASSERT_TRUE(ChannelNameRec::SetText(&rec.defaultName, QStringLiteral("G Horiz.")));
    ASSERT_TRUE(ChannelNameRec::SetText(&rec.currentName, QStringLiteral("\u6e2c")));
    rec.reserved = {0x11, 0x22, 0x33};
    rec.channelNumber = 20;
    const auto bytes = Bytes(rec);
    ASSERT_EQ(bytes.size(), 272u);
    EXPECT_EQ(Word(bytes, 0), 0x00200047u);  // 'G', ' ' in UTF-16LE
    EXPECT_EQ(bytes[16], 0);  // NUL-padded after the eight characters
    EXPECT_EQ(Word(bytes, 128), 0x6e2cu);
    EXPECT_EQ(Word(bytes, 264), 0x33u);
    EXPECT_EQ(Word(bytes, 268), 20u);
    EXPECT_EQ(settings_bytes::Decode<ChannelNameRec>(bytes.data()), rec);

    // Names stay within their 64 characters.
    ChannelNameRec::Name name;
    name.fill(u'A');  // no NUL at all, as a foreign value may hold
    EXPECT_EQ(ChannelNameRec::Text(name), QString(64, QChar('A')));
    EXPECT_TRUE(ChannelNameRec::SetText(&name, QString(63, QChar('b'))));
    EXPECT_EQ(name[63], u'\0');
    EXPECT_FALSE(ChannelNameRec::SetText(&name, QString(64, QChar('c'))));
    EXPECT_EQ(ChannelNameRec::Text(name), QString(63, QChar('b')));
}

TEST(SettingsRecordsTest, ColourRecordsAreLittleEndianWordsInOrder) {
    ChannelColorProperty channel{{0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x0000FF}, 0xFFFFFF, 0x808080, 0x123456, 1, 9, 3};
    auto bytes = Bytes(channel);
    ASSERT_EQ(bytes.size(), 52u);
    EXPECT_EQ(bytes[24], 0xFF);  // red in the low byte
    const std::uint32_t words[] = {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0xFF, 0xFFFFFF, 0x808080, 0x123456, 1, 9, 3};
    for (std::size_t i = 0; i < 13; ++i)
        EXPECT_EQ(Word(bytes, 4 * i), words[i]) << "word " << i;

    bytes = Bytes(OverviewWindowColors{1, 2, 3, 4, 5, 6});
    ASSERT_EQ(bytes.size(), 24u);
    EXPECT_EQ(Word(bytes, 20), 6u);  // the read flag last
    EXPECT_EQ(settings_bytes::Decode<ChannelColorProperty>(Bytes(channel).data()), channel);
}

}  // namespace
