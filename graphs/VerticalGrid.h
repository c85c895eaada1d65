// The horizontal grid lines of a lap-overlay pane, chosen by its primary
// channel from the channel's current limits: the step between lines in the
// channel's unit, how many, the offset of the first line above the minimum,
// and the span the scale panes are told (GraphScaleDefaults).
#pragma once

#include <cstdint>

namespace graphs {

struct VerticalGrid {
    double step = 0.0;
    int lines = 0;               // line i = 1 .. lines - 1 is drawn
    double firstOffset = 0.0;    // RPM and Speed above a minimum of 0: the first line's value above it
    double storedSpan = 0.0;     // for the channel's word of GraphScaleDefaults

    bool operator==(const VerticalGrid&) const = default;
};

// pressureRangeCode: the last decoded range code of the channel's sensor
// (read only for Press.1 and Press.2). Channels outside 1 to 18 have no grid.
VerticalGrid VerticalGridFor(int channel, std::int32_t currentMax, std::int32_t currentMin,
                             std::uint8_t pressureRangeCode);

} // namespace graphs
