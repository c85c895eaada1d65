#include "core/LapTimeText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace orvelo {
namespace {

TEST(LapTimeTextTest, MinutesSecondsHundredthsBelowTenMinutesElseHex)
{
    const std::pair<std::uint32_t, const char*> rows[] = {
        {6543, "1:05.43"}, {59999, "9:59.99"}, {0, "0:00.00"},   {600, "0:06.00"},    {6000, "1:00.00"},
        {5999, "0:59.99"}, {1005, "0:10.05"},  {60000, "ea60"}, {0xFFFFFFFF, "ffffffff"}};
    for (const auto& [time, expected] : rows) {
        char text[16];
        std::fill(std::begin(text), std::end(text), 'Z');
        EXPECT_EQ(FormatLapTimeA(time, text), time < 60000 ? 0 : -1) << time;
        EXPECT_STREQ(text, expected);
        std::u16string wide = u"kept";
        EXPECT_EQ(FormatLapTimeW(time, wide), time < 60000 ? 0 : -1) << time;
        EXPECT_EQ(wide, time < 60000 ? std::u16string(expected, expected + std::strlen(expected)) : u"kept");
    }
}

} // namespace
} // namespace orvelo
