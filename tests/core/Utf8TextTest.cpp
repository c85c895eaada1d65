#include "core/Utf8Text.h"

#include <gtest/gtest.h>

namespace orvelo {
namespace {

TEST(Utf8TextTest, RoundTripsEveryPlaneAndReplacesBrokenInput)
{
    const std::u16string text = u"/Läufe/走行/\U0001F3CE.dat";
    EXPECT_EQ(ToUtf8(text), "/L\xC3\xA4ufe/\xE8\xB5\xB0\xE8\xA1\x8C/\xF0\x9F\x8F\x8E.dat");
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(FromUtf8("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(FromUtf8("\xE8\xB5"), u"\uFFFD");     // cut sequence
    EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD");     // overlong
    EXPECT_EQ(FromUtf8("\xED\xA0\x80"), u"\uFFFD"); // encoded surrogate
}

} // namespace
} // namespace orvelo
