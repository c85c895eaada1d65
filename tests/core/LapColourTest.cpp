// The colour generator: the offset table, wrap-around, no black channel and the draw order.
#include "core/LapColour.h"
#include "core/LapDataCore.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvelo {
namespace {

TEST(LapColourTest, EachChoiceAddsItsOffsetsAndSumsWrapWithoutBlack)
{
    // o1 = 10, o2 = 20 on (100, 100, 100), by choice 0 to 5.
    const COLORREF mixed[] = {Rgb(120, 110, 110), Rgb(110, 110, 110), Rgb(110, 110, 120),
                              Rgb(120, 120, 110), Rgb(120, 120, 120), Rgb(120, 120, 110)};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(MixColourOffsets(100, 100, 100, 10, 20, k), mixed[k]) << "choice " << k;
    EXPECT_EQ(MixColourOffsets(246, 0, 250, 10, 0, 1), Rgb(255, 10, 4));
    EXPECT_EQ(MixColourOffsets(0, 0, 0, 0, 0, 4), Rgb(255, 255, 255)); // a zero channel becomes full
    EXPECT_EQ(MixColourOffsets(1, 2, 3, 254, 253, 4), Rgb(254, 255, 255));
}

TEST(LapColourTest, DrawsTwoOffsetsThenTheChoiceEvenFromNegativeDraws)
{
    LapDataCore core;
    std::vector<int> draws{255 + 10, 2 * 255 + 20, 6 + 3, -1, -256, -7};
    std::size_t next = 0;
    core.randomNumber = [&] { return draws[next++]; };
    EXPECT_EQ(MakeRandomColour(core, 100, 100, 100), Rgb(120, 120, 110));
    EXPECT_EQ(next, 3u);
    EXPECT_EQ(MakeRandomColour(core, Rgb(10, 10, 10)), Rgb(8, 8, 8)); // o1 = o2 = 254, k = 5
}

} // namespace
} // namespace orvelo
