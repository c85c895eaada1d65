#include "core/LapTimeText.h"

#include <gtest/gtest.h>

#include <string>

namespace orvelo {
namespace {

std::string TextA(std::uint32_t time, int* result = nullptr)
{
    char text[16];
    std::fill(std::begin(text), std::end(text), 'Z');
    const int r = FormatLapTimeA(time, text);
    if (result)
        *result = r;
    return std::string(text);
}

TEST(LapTimeTextTest, MinutesSecondsHundredths)
{
    EXPECT_EQ(TextA(6543), "1:05.43");
    EXPECT_EQ(TextA(59999), "9:59.99");
    EXPECT_EQ(TextA(0), "0:00.00");
    EXPECT_EQ(TextA(600), "0:06.00");
    EXPECT_EQ(TextA(6000), "1:00.00");
    EXPECT_EQ(TextA(5999), "0:59.99");
    EXPECT_EQ(TextA(1005), "0:10.05");
}

TEST(LapTimeTextTest, TenMinutesAndMoreAreHex)
{
    int result = 0;
    EXPECT_EQ(TextA(60000, &result), "ea60");
    EXPECT_EQ(result, -1);
    EXPECT_EQ(TextA(0xFF00, &result), "ff00");
    EXPECT_EQ(TextA(0xFFFFFFFF, &result), "ffffffff");
    EXPECT_EQ(result, -1);
    TextA(59999, &result);
    EXPECT_EQ(result, 0);
}

TEST(LapTimeTextTest, WideTextMatchesAndLeavesLongTimesUntouched)
{
    for (std::uint32_t t : {0u, 600u, 6543u, 59999u}) {
        std::u16string wide = u"old";
        EXPECT_EQ(FormatLapTimeW(t, wide), 0);
        const std::string narrow = TextA(t);
        EXPECT_EQ(wide, std::u16string(narrow.begin(), narrow.end()));
    }
    std::u16string kept = u"kept";
    EXPECT_EQ(FormatLapTimeW(60000, kept), -1);
    EXPECT_EQ(kept, u"kept");
}

} // namespace
} // namespace orvelo
