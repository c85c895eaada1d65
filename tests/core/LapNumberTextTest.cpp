// Lap-number texts read like the C runtime's wide text-to-integer conversion.
#include "core/LapNumberText.h"

#include <gtest/gtest.h>

#include <climits>

namespace orvelo {
namespace {

TEST(LapNumberTextTest, ReadsTheListsPaddedTexts)
{
    EXPECT_EQ(ParseLapNumber(u"  3"), 3);
    EXPECT_EQ(ParseLapNumber(u"\t\n 12"), 12);
    EXPECT_EQ(ParseLapNumber(u"1000"), 1000);
    EXPECT_EQ(ParseLapNumber(u"65535"), 65535);
}

TEST(LapNumberTextTest, StopsAtTheFirstNonDigit)
{
    EXPECT_EQ(ParseLapNumber(u"12ab"), 12);
    EXPECT_EQ(ParseLapNumber(u"7 8"), 7);
    EXPECT_EQ(ParseLapNumber(u"x"), 0);
    EXPECT_EQ(ParseLapNumber(u""), 0);
    EXPECT_EQ(ParseLapNumber(u"   "), 0);
    EXPECT_EQ(ParseLapNumber(u"- 5"), 0);
}

TEST(LapNumberTextTest, TakesOneSign)
{
    EXPECT_EQ(ParseLapNumber(u"-2"), -2);
    EXPECT_EQ(ParseLapNumber(u" +7"), 7);
    EXPECT_EQ(ParseLapNumber(u"--7"), 0);
}

TEST(LapNumberTextTest, LongDigitRunsStopAtTheIntRange)
{
    EXPECT_EQ(ParseLapNumber(u"2147483647"), INT_MAX);
    EXPECT_EQ(ParseLapNumber(u"99999999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseLapNumber(u"-2147483648"), INT_MIN);
    EXPECT_EQ(ParseLapNumber(u"-99999999999999999999999"), INT_MIN);
}

TEST(LapNumberTextTest, NegativeRequestsMatchNoLap)
{
    EXPECT_TRUE(LapNumberMatches(3, 3));
    EXPECT_FALSE(LapNumberMatches(0xFFFFFFFFu, -1));
    EXPECT_EQ(FormatLapNumber(1234), u"1234");
    EXPECT_EQ(FormatLapNumber(0), u"0");
}

} // namespace
} // namespace orvelo
