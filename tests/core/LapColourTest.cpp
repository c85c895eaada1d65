// The colour generator: the offset table, wrap-around, no black channel and negative draws.
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

    // Two offsets, then the choice, are drawn (in that order: a slot's colour checks it, LapSelectionTest);
    // negative draws still give offsets and a choice of the table: o1 = o2 = 254, k = 5.
    LapDataCore core;
    std::vector<int> draws{-1, -256, -7};
    core.randomNumber = [&draws, next = std::size_t{0}]() mutable { return draws.at(next++); };
    EXPECT_EQ(MakeRandomColour(core, Rgb(10, 10, 10)), Rgb(8, 8, 8));
}

} // namespace
} // namespace orvelo
