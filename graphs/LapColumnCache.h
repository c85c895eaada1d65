// The columns of the laps a pane draws, made from each lap's position records
// once and kept across redraws: the x value of every sample over time and
// over distance, how many samples come before the lap-end sample, and the
// values of the channels asked for so far. A redraw then walks a few small
// arrays instead of every position record.
#pragma once

#include "graphs/GraphChannelTable.h"

#include "core/LapData.h"

#include <array>
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

namespace orvelo {
class LapDataCore;
}

struct LapColumns {
    std::size_t positionCount = 0;
    std::size_t drawable = 0; // samples before the first one with the lap-end mark
    std::vector<std::uint32_t> time;
    std::vector<std::uint32_t> distance;
    std::array<std::vector<std::int32_t>, graphs::kChannelCount> values; // by channel number - 1

    const std::vector<std::uint32_t>& X(bool overTime) const { return overTime ? time : distance; }
};

class LapColumnCache {
public:
    // The lap's columns with the values of channel 1 to 18; nullptr when the
    // lap is gone. Columns of laps whose file is gone are dropped meanwhile.
    const LapColumns* Columns(const orvelo::LapDataCore& core, const orvelo::LapRef& lap, int channel);

private:
    using Key = std::tuple<int, std::uint32_t, std::int32_t>;
    void DropLapsThatAreGone(const orvelo::LapDataCore& core);

    std::map<Key, LapColumns> m_laps;
};
