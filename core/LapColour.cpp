// The colour generator of the compared laps.
#include "core/LapColour.h"

#include "core/LapDataCore.h"

#include <cstdlib>

namespace orvelo {

namespace {

// A draw reduced like rand() % divisor, kept non-negative whatever the source returns.
int DrawBelow(LapDataCore& core, int divisor)
{
    const int value = core.randomNumber ? core.randomNumber() : std::rand();
    const int rest = value % divisor;
    return rest < 0 ? rest + divisor : rest;
}

std::uint8_t AddOffset(std::uint8_t channel, int offset)
{
    const auto sum = static_cast<std::uint8_t>((channel + offset) & 0xFF);
    return sum == 0 ? 255 : sum;
}

} // namespace

COLORREF MixColourOffsets(std::uint8_t red, std::uint8_t green, std::uint8_t blue, int o1, int o2, int k)
{
    // Which offset each channel takes, by k: red, green, blue (1 = o1, 2 = o2).
    static constexpr int kPick[6][3] = {
        {2, 1, 1}, {1, 1, 1}, {1, 1, 2}, {2, 2, 1}, {2, 2, 2}, {2, 2, 1},
    };
    const int row = ((k % 6) + 6) % 6;
    const auto offset = [&](int channel) { return kPick[row][channel] == 1 ? o1 : o2; };
    return Rgb(AddOffset(red, offset(0)), AddOffset(green, offset(1)), AddOffset(blue, offset(2)));
}

COLORREF MakeRandomColour(LapDataCore& core, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    if (core.nowSeconds)
        std::srand(static_cast<unsigned>(core.nowSeconds()));
    const int o1 = DrawBelow(core, 255);
    const int o2 = DrawBelow(core, 255);
    const int k = DrawBelow(core, 6);
    return MixColourOffsets(red, green, blue, o1, o2, k);
}

COLORREF MakeRandomColour(LapDataCore& core, COLORREF base)
{
    return MakeRandomColour(core, RedOf(base), GreenOf(base), BlueOf(base));
}

} // namespace orvelo
