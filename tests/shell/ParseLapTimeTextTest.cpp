#include "shell/ParseLapTimeText.h"

#include "core/LapTimeText.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

std::int32_t Parse(const char* text) { return ParseLapTimeText(QString::fromLatin1(text)); }

TEST(ParseLapTimeTextTest, ClockFormsReadAsHundredths) {
    EXPECT_EQ(Parse("1:05.43"), 6543);
    EXPECT_EQ(Parse("0:59.99"), 5999);
    EXPECT_EQ(Parse("12:00.00"), 72000);
    EXPECT_EQ(Parse("05.43"), 543);
    EXPECT_EQ(Parse("5.43"), 543);
}

TEST(ParseLapTimeTextTest, ShortOrBrokenTextsReadMissingPiecesAsZero) {
    EXPECT_EQ(Parse(""), 0);
    EXPECT_EQ(Parse("5"), 500);
    EXPECT_EQ(Parse("5."), 500);
    EXPECT_EQ(Parse("abcdef"), 0);
    EXPECT_EQ(Parse("1:x5.43"), 6043);
}

TEST(ParseLapTimeTextTest, EveryFormattedLapTimeUpToTenMinutesRoundTrips) {
    for (std::uint32_t time : {0u, 1u, 99u, 100u, 5999u, 6000u, 6543u, 59999u}) {
        char text[16];
        ASSERT_EQ(orvelo::FormatLapTimeA(time, text), 0);
        EXPECT_TRUE(IsClockLapTimeText(QString::fromLatin1(text))) << text;
        EXPECT_EQ(ParseLapTimeText(QString::fromLatin1(text)), static_cast<std::int32_t>(time)) << text;
    }
}

TEST(ParseLapTimeTextTest, HexTimesOfTenMinutesAndMoreAreNotClockTexts) {
    char text[16];
    ASSERT_EQ(orvelo::FormatLapTimeA(60000, text), -1);
    EXPECT_FALSE(IsClockLapTimeText(QString::fromLatin1(text)));
    EXPECT_FALSE(IsClockLapTimeText(u"fffff"));
    EXPECT_FALSE(IsClockLapTimeText(u""));
}

}  // namespace
