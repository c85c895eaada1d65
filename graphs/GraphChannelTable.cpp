#include "graphs/GraphChannelTable.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace graphs {

const GraphChannel* GraphChannelOf(int number) {
    if (number < 1 || number > kChannelCount)
        return nullptr;
    return &kGraphChannels[static_cast<std::size_t>(number - 1)];
}

int PrimaryChannelOf(std::uint32_t mask) {
    return mask == 0 ? 0 : std::countr_zero(mask) + 1;
}

namespace {

constexpr double kPixelLimit = 1.0e9;

double Held(double value) { return std::clamp(value, -kPixelLimit, kPixelLimit); }

// The centre line rounded, then a whole number of pixels up for a positive
// product and down otherwise.
int AboutCentre(double centre, double product) {
    const int line = RoundPixel(centre);
    const int deviation = static_cast<int>(std::trunc(std::fabs(Held(product))));
    return product > 0.0 ? line - deviation : line + deviation;
}

} // namespace

int RoundPixel(double value) { return static_cast<int>(std::lround(Held(value))); }

int ValueToY(const GraphChannel& channel, std::int32_t v, int clientHeight, const ChannelRange& range, double ppu,
             std::int32_t minimum) {
    const double height = clientHeight;
    const double bandMiddle = height - range.bottomOffset - range.bandHeight / 2.0;
    switch (channel.yRule) {
    case YRule::Linear:
        return RoundPixel(height - ppu * (static_cast<double>(v) - minimum) - range.bottomOffset);
    case YRule::CentredTenth:
        return AboutCentre(bandMiddle, (v / 10.0) * ppu);
    case YRule::CentredHandle:
        return AboutCentre(height / 2.0, (static_cast<double>(v) - 100.0) * ppu);
    case YRule::Centred:
        return AboutCentre(bandMiddle, static_cast<double>(v) * ppu);
    }
    return 0;
}

void StoreScaleSpan(const GraphChannel& channel, orvelo::GraphScaleWords& words, double span) {
    if (channel.intWord)
        words.*channel.intWord = static_cast<std::int32_t>(span);
    else if (channel.floatWord)
        words.*channel.floatWord = static_cast<float>(span);
}

} // namespace graphs
