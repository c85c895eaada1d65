#include "graphs/GraphChannelTable.h"

#include <bit>

namespace graphs {

const GraphChannel* GraphChannelOf(int number) {
    if (number < 1 || number > kChannelCount)
        return nullptr;
    return &kGraphChannels[static_cast<std::size_t>(number - 1)];
}

int PrimaryChannelOf(std::uint32_t mask) {
    return mask == 0 ? 0 : std::countr_zero(mask) + 1;
}

void StoreScaleSpan(const GraphChannel& channel, orvelo::GraphScaleWords& words, double span) {
    if (channel.intWord)
        words.*channel.intWord = static_cast<std::int32_t>(span);
    else if (channel.floatWord)
        words.*channel.floatWord = static_cast<float>(span);
}

} // namespace graphs
