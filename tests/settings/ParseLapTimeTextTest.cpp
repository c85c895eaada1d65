// Lap-time texts read back into hundredths, with bounds checks on every piece.
#include "settings/ParseLapTimeText.h"

#include "core/LapTimeText.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

TEST(ParseLapTimeTextTest, ClockFormsReadAsHundredthsAndMissingPiecesAsZero) {
    const struct {
        const char* text;
        std::int32_t hundredths;
    } rows[] = {{"1:05.43", 6543}, {"0:59.99", 5999}, {"12:00.00", 72000}, {"05.43", 543}, {"5.43", 543},
                {"", 0},           {"5", 500},        {"5.", 500},          {"abcdef", 0}, {"1:x5.43", 6043}};
    for (const auto& row : rows)
        EXPECT_EQ(ParseLapTimeText(QString::fromLatin1(row.text)), row.hundredths) << row.text;
}

TEST(ParseLapTimeTextTest, FormattedLapTimesUnderTenMinutesRoundTripLongerOnesAreNotClockTexts) {
    char text[16];
    for (std::uint32_t time : {0u, 1u, 99u, 100u, 5999u, 6000u, 6543u, 59999u}) {
        ASSERT_EQ(orvelo::FormatLapTimeA(time, text), 0);
        EXPECT_TRUE(IsClockLapTimeText(QString::fromLatin1(text))) << text;
        EXPECT_EQ(ParseLapTimeText(QString::fromLatin1(text)), static_cast<std::int32_t>(time)) << text;
    }
    ASSERT_EQ(orvelo::FormatLapTimeA(60000, text), -1);
    EXPECT_FALSE(IsClockLapTimeText(QString::fromLatin1(text)));
    EXPECT_FALSE(IsClockLapTimeText(u"fffff"));
    EXPECT_FALSE(IsClockLapTimeText(u""));
}

}  // namespace
