// Lap-number texts read like the C runtime's wide text-to-integer conversion.
#include "core/LapNumberText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace orvelo {
namespace {

TEST(LapNumberTextTest, ReadsLikeTheRuntimesConversion)
{
    const std::pair<std::u16string, int> rows[] = {
        {u"  3", 3},   {u"\t\n 12", 12}, {u"65535", 65535}, {u"12ab", 12},  {u"7 8", 7},  {u"x", 0},
        {u"", 0},      {u"   ", 0},      {u"- 5", 0},       {u"-2", -2},    {u" +7", 7},  {u"--7", 0},
        {u"2147483647", INT_MAX},        {u"99999999999999999999999", INT_MAX},
        {u"-2147483648", INT_MIN},       {u"-99999999999999999999999", INT_MIN}};
    for (const auto& [text, number] : rows)
        EXPECT_EQ(ParseLapNumber(text), number) << std::string(text.begin(), text.end());
    EXPECT_TRUE(LapNumberMatches(3, 3));
    EXPECT_FALSE(LapNumberMatches(0xFFFFFFFFu, -1)); // negative requests match no lap
    EXPECT_EQ(FormatLapNumber(1234), u"1234");
}

} // namespace
} // namespace orvelo
