// Small records of the graph windows: a pane's band of one channel
// (ChannelRange), the word numbers of the cursor record (GraphPoint), a
// scale tick, and the stored record of a graph pane (ChannelViewProp).
#pragma once

#include "platform/MessageRecords.h"
#include "settings/SettingsBytes.h"

#include <bit>
#include <cstdint>

namespace graphs {

// One channel's band in a pane: where it sits, the limits that override the
// channel's, and the scale computed for it. 32 bytes, 8 words.
struct ChannelRange {
    std::uint32_t bottomOffset = 0; // 0: pixels from the bottom of the pane
    std::uint32_t bandHeight = 0;   // 1: result of the scale
    std::uint32_t topMargin = 0;    // 2
    std::int32_t channel = 0;       // 3: 1 to 18
    std::int32_t maxOverride = 0;   // 4: used with 5 when 1 or more
    std::int32_t minOverride = 0;   // 5
    std::int32_t pressureFlag = 0;  // 6: result, 1 for Press.1 and Press.2
    float pixelsPerUnit = 0.0f;     // 7: result
};
static_assert(sizeof(ChannelRange) == 32, "a channel range is 32 bytes");

// The fifteen words of a GraphPoint, one drawn sample of a pane.
enum GraphPointWord : int {
    kPointX = 0,
    kPointY = 1,
    kPointOtherKind = 2,   // the sample's other-kind flag, as a signed byte
    kPointValue = 3,       // the channel value as an integer
    kPointValueF32 = 4,    // G Horiz., G Vert. (raw tenths) and Angl: the value as f32 bits
    kPointUnused = 5,
    kPointRow = 6,         // row of the lap among the compared laps, 0 the base lap
    kPointIndex = 7,       // index of the point in its lap's point list
    kPointDistance = 8,    // running distance, metres
    kPointDistanceOffset = 9,
    kPointFixTimeOffset = 10,
    kPointLapNumber = 11,
    kPointCode = 12,       // the 3-bit code
    kPointTime = 13,       // 1/100 s since the start of the lap
    kPointLongWord = 14,
};

inline float PointValueF32(const platform::GraphPoint& point) {
    return std::bit_cast<float>(point.words[kPointValueF32]);
}

// One tick of a channel scale: its pixel row, its value (tenths for the G
// channels) and whether it is a labelled major tick.
struct ScaleTick {
    int y = 0;
    int value = 0;
    bool major = false;

    bool operator==(const ScaleTick&) const = default;
};

// A graph pane as stored under "ChanelView_Prop_<work area>_<window>_<pane>".
struct ChannelViewProp {
    static constexpr std::size_t kSize = 20;
    std::uint32_t channelMask = 0;
    std::int32_t workArea = 0;
    std::int32_t window = 0;
    std::int32_t paneId = 0;
    std::int32_t height = 0; // client height in pixels

    template <class R, class F>
    static constexpr void Fields(R& r, F&& f) {
        f(r.channelMask), f(r.workArea), f(r.window), f(r.paneId), f(r.height);
    }
    bool operator==(const ChannelViewProp&) const = default;
};
static_assert(settings_bytes::StoredSize<ChannelViewProp>() == ChannelViewProp::kSize);

} // namespace graphs
