// The eighteen logger channels as the graph windows see them, in one table:
// channel number (bit number - 1 of a ChannelMask), name, tag, the PositionRec
// field plotted, cursor message, trace list, range slot, and the rules for y,
// scale, grid and ticks. Each order (channel, message, slot) is written out
// here; none is derived from another.
#pragma once

#include "graphs/GraphRecords.h"

#include "core/LapDataCore.h"
#include "core/LogRecord.h"
#include "platform/UserMessages.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <type_traits>

namespace graphs {

inline constexpr int kChannelCount = 18;   // channels 1 to 18
inline constexpr int kRangeSlotCount = 14; // ANA1 to ANA5 share the last slot

// How a value becomes a pixel row.
enum class YRule {
    Linear,       // H - ppu (v - min) - off, rounded
    CentredTenth, // about the band's middle; raw tenths, v / 10 (G Horiz., G Vert.)
    CentredHandle,// about the middle of the whole pane, 100 on the centre line
    Centred,      // about the band's middle (Angl)
};

// Pixels per unit of a band of height H for a span S.
enum class ScaleRule {
    Span,       // H / S
    DoubleSpan, // H / (2 S)
    DoubleMax,  // H / (2 M), M the maximum
    Pressure,   // H / S while the sensor's full scale is known, else 0
};

// The vertical grid of a pane whose primary channel this is.
enum class GridRule {
    Rpm,      // steps 2000 / 1000 / 500 / 200 by span
    Speed,    // 10 up to 160, else 20
    Pressure, // span = maximum / 10, the sensor range's step
    Temp,     // 100 below 1025, else 200
    Plain,    // the span, a fixed step
    Doubled,  // twice the span, a fixed step
};

// A scale step candidate; a non-zero factor gives its major step.
struct TickStep {
    int step = 0;
    int majorFactor = 0;
};
inline constexpr int kTickStepCount = 10;

struct GraphChannel {
    int number;
    const char16_t* name;
    const char* tag;
    std::int32_t (*value)(const orvelo::PositionRec&);
    bool floatValue; // the cursor record also carries the value as f32
    std::uint32_t message;
    int traceIndex;
    int rangeSlot;
    YRule yRule;
    ScaleRule scaleRule;
    int pressureSensor; // 1 or 2 for the pressures, else 0
    GridRule gridRule;
    double gridStep; // for Plain and Doubled
    std::int32_t orvelo::GraphScaleWords::*intWord;
    float orvelo::GraphScaleWords::*floatWord;
    bool tenthTicks; // G: ticks by its own rule, in tenths
    std::array<TickStep, kTickStepCount> ticks; // ends at the first step 0
};

using orvelo::GraphScaleWords;
using orvelo::PositionRec;

inline constexpr std::array<GraphChannel, kChannelCount> kGraphChannels = {{
    {1, u"RPM", "RPM", [](const PositionRec& p) { return static_cast<std::int32_t>(p.rpm); }, false,
     platform::UM_SET_RPM_DATA_VALUE, 0, 0, YRule::Linear, ScaleRule::Span, 0, GridRule::Rpm, 0.0,
     &GraphScaleWords::rpmSpan, nullptr, false,
     {{{10, 0}, {20, 5}, {50, 2}, {100, 0}, {200, 5}, {500, 2}, {1000, 0}, {2000, 5}, {5000, 2}, {10000, 0}}}},
    {2, u"Speed", "Speed", [](const PositionRec& p) { return static_cast<std::int32_t>(p.speed); }, false,
     platform::UM_SET_SPEED_DATA_VALUE, 1, 1, YRule::Linear, ScaleRule::Span, 0, GridRule::Speed, 0.0,
     &GraphScaleWords::speedSpan, nullptr, false, {{{10, 0}, {20, 5}, {50, 2}, {100, 0}, {200, 5}}}},
    {3, u"G Horiz.", "GX", [](const PositionRec& p) { return p.gHorizRaw; }, true, platform::UM_SET_G_HORIZ_DATA_VALUE, 2, 2,
     YRule::CentredTenth, ScaleRule::DoubleSpan, 0, GridRule::Doubled, 1.0, nullptr, &GraphScaleWords::gSpan, true,
     {}},
    {4, u"G Vert.", "GY", [](const PositionRec& p) { return p.gVertRaw; }, true, platform::UM_SET_G_VERT_DATA_VALUE, 3, 3,
     YRule::CentredTenth, ScaleRule::DoubleSpan, 0, GridRule::Doubled, 1.0, nullptr, &GraphScaleWords::gSpan, true,
     {}},
    {5, u"Press.1", "Press1", [](const PositionRec& p) { return static_cast<std::int32_t>(p.press1); }, false,
     platform::UM_SET_PRESS1_DATA_VALUE, 6, 8, YRule::Linear, ScaleRule::Pressure, 1, GridRule::Pressure, 0.0,
     &GraphScaleWords::press1Span, nullptr, false, {{{1, 0}, {2, 5}, {5, 2}}}},
    {6, u"Press.2", "Press2", [](const PositionRec& p) { return static_cast<std::int32_t>(p.press2); }, false,
     platform::UM_SET_PRESS2_DATA_VALUE, 7, 9, YRule::Linear, ScaleRule::Pressure, 2, GridRule::Pressure, 0.0,
     &GraphScaleWords::press2Span, nullptr, false, {{{1, 0}, {2, 5}, {5, 2}}}},
    {7, u"Temp.1", "Temp1", [](const PositionRec& p) { return static_cast<std::int32_t>(p.temp1); }, false,
     platform::UM_SET_TEMP1_DATA_VALUE, 4, 6, YRule::Linear, ScaleRule::Span, 0, GridRule::Temp, 0.0,
     &GraphScaleWords::tempSpan, nullptr, false,
     {{{5, 2}, {10, 0}, {20, 5}, {50, 2}, {100, 0}, {200, 5}, {500, 2}}}},
    {8, u"Temp.2", "Temp2", [](const PositionRec& p) { return static_cast<std::int32_t>(p.temp2); }, false,
     platform::UM_SET_TEMP2_DATA_VALUE, 5, 7, YRule::Linear, ScaleRule::Span, 0, GridRule::Temp, 0.0,
     &GraphScaleWords::tempSpan, nullptr, false,
     {{{5, 2}, {10, 0}, {20, 5}, {50, 2}, {100, 0}, {200, 5}, {500, 2}}}},
    {9, u"Handle", "Handle", [](const PositionRec& p) { return static_cast<std::int32_t>(p.handle); }, false,
     platform::UM_SET_HANDLE_DATA_VALUE, 8, 4, YRule::CentredHandle, ScaleRule::DoubleSpan, 0, GridRule::Doubled, 10.0,
     &GraphScaleWords::handleSpan, nullptr, false, {{{5, 2}, {10, 5}, {20, 5}, {50, 2}}}},
    {10, u"Accel", "Accel", [](const PositionRec& p) { return static_cast<std::int32_t>(p.accel); }, false,
     platform::UM_SET_ACCEL_DATA_VALUE, 9, 5, YRule::Linear, ScaleRule::Span, 0, GridRule::Plain, 10.0,
     &GraphScaleWords::accelSpan, nullptr, false, {{{5, 2}, {10, 0}, {20, 5}, {50, 2}}}},
    {11, u"Volt", "Volt", [](const PositionRec& p) { return static_cast<std::int32_t>(p.volt); }, false,
     platform::UM_SET_VOLT_DATA_VALUE, 11, 11, YRule::Linear, ScaleRule::Span, 0, GridRule::Plain, 5.0, nullptr,
     &GraphScaleWords::voltSpan, false, {{{1, 0}, {2, 5}, {5, 2}, {10, 0}}}},
    {12, u"Gear", "Gear", [](const PositionRec& p) { return static_cast<std::int32_t>(p.gear); }, false,
     platform::UM_SET_GEAR_DATA_VALUE, 10, 12, YRule::Linear, ScaleRule::Span, 0, GridRule::Plain, 1.0,
     &GraphScaleWords::gearSpan, nullptr, false, {{{1, 0}, {2, 5}}}},
    {13, u"Angl", "Angl", [](const PositionRec& p) { return p.angl; }, true, platform::UM_SET_ANGL_DATA_VALUE, 12, 10,
     YRule::Centred, ScaleRule::DoubleMax, 0, GridRule::Doubled, 15.0, &GraphScaleWords::anglSpan, nullptr, false,
     {{{1, 5}, {5, 2}, {10, 2}, {30, 2}, {45, 2}}}},
    {14, u"ANA1", "ANA1", [](const PositionRec& p) { return static_cast<std::int32_t>(p.ana[0]); }, false,
     platform::UM_SET_ANALOG1_VALUE, 13, 13, YRule::Linear, ScaleRule::Span, 0, GridRule::Plain, 10.0, nullptr,
     &GraphScaleWords::anaSpan, false, {{{5, 2}, {10, 0}, {20, 5}, {50, 2}}}},
    {15, u"ANA2", "ANA2", [](const PositionRec& p) { return static_cast<std::int32_t>(p.ana[1]); }, false,
     platform::UM_SET_ANALOG2_VALUE, 14, 13, YRule::Linear, ScaleRule::Span, 0, GridRule::Plain, 10.0, nullptr,
     &GraphScaleWords::anaSpan, false, {{{5, 2}, {10, 0}, {20, 5}, {50, 2}}}},
    {16, u"ANA3", "ANA3", [](const PositionRec& p) { return static_cast<std::int32_t>(p.ana[2]); }, false,
     platform::UM_SET_ANALOG3_VALUE, 15, 13, YRule::Linear, ScaleRule::Span, 0, GridRule::Plain, 10.0, nullptr,
     &GraphScaleWords::anaSpan, false, {{{5, 2}, {10, 0}, {20, 5}, {50, 2}}}},
    {17, u"ANA4", "ANA4", [](const PositionRec& p) { return static_cast<std::int32_t>(p.ana[3]); }, false,
     platform::UM_SET_ANALOG4_VALUE, 16, 13, YRule::Linear, ScaleRule::Span, 0, GridRule::Plain, 10.0, nullptr,
     &GraphScaleWords::anaSpan, false, {{{5, 2}, {10, 0}, {20, 5}, {50, 2}}}},
    {18, u"ANA5", "ANA5", [](const PositionRec& p) { return static_cast<std::int32_t>(p.ana[4]); }, false,
     platform::UM_SET_ANALOG5_VALUE, 17, 13, YRule::Linear, ScaleRule::Span, 0, GridRule::Plain, 10.0, nullptr,
     &GraphScaleWords::anaSpan, false, {{{5, 2}, {10, 0}, {20, 5}, {50, 2}}}},
}};

// The row of channel 1 to 18; nullptr for any other number.
const GraphChannel* GraphChannelOf(int number);
// The channel of a mask's lowest set bit (the primary channel); 0 for mask 0.
int PrimaryChannelOf(std::uint32_t mask);
// A pixel coordinate from a double, rounded half away from zero; far-off
// values are held to a range an int keeps.
inline int RoundPixel(double value) {
    constexpr double kLimit = 1.0e9;
    const double held = std::min(std::max(value, -kLimit), kLimit);
    return static_cast<int>(held + std::copysign(0.5, held));
}

// The centre line rounded, then a whole number of pixels up for a positive
// product and down otherwise.
inline int AboutCentre(double centre, double product) {
    const int deviation = static_cast<int>(std::min(std::fabs(product), 1.0e9));
    return product > 0.0 ? RoundPixel(centre) - deviation : RoundPixel(centre) + deviation;
}

// The pixel row of value v of the channel in a band of a pane H pixels high
// (range: the trace's band, ppu its pixels per unit, minimum the channel's
// current minimum).
template <YRule Rule>
inline int ValueToYBy(std::int32_t v, int clientHeight, const ChannelRange& range, double ppu, std::int32_t minimum) {
    const double height = clientHeight;
    if constexpr (Rule == YRule::Linear)
        return RoundPixel(height - ppu * (static_cast<double>(v) - minimum) - range.bottomOffset);
    else if constexpr (Rule == YRule::CentredTenth)
        return AboutCentre(height - range.bottomOffset - range.bandHeight / 2.0, (v / 10.0) * ppu);
    else if constexpr (Rule == YRule::CentredHandle)
        return AboutCentre(height / 2.0, (static_cast<double>(v) - 100.0) * ppu);
    else
        return AboutCentre(height - range.bottomOffset - range.bandHeight / 2.0, static_cast<double>(v) * ppu);
}
inline int ValueToY(const GraphChannel& channel, std::int32_t v, int clientHeight, const ChannelRange& range,
                    double ppu, std::int32_t minimum) {
    switch (channel.yRule) {
    case YRule::Linear:
        return ValueToYBy<YRule::Linear>(v, clientHeight, range, ppu, minimum);
    case YRule::CentredTenth:
        return ValueToYBy<YRule::CentredTenth>(v, clientHeight, range, ppu, minimum);
    case YRule::CentredHandle:
        return ValueToYBy<YRule::CentredHandle>(v, clientHeight, range, ppu, minimum);
    case YRule::Centred:
        return ValueToYBy<YRule::Centred>(v, clientHeight, range, ppu, minimum);
    }
    return 0;
}

// Calls walk with the channel's y rule as a compile-time constant, so a loop
// over many values chooses the rule once.
template <class Walk>
inline void WithYRule(YRule rule, Walk&& walk) {
    switch (rule) {
    case YRule::Linear:
        return walk(std::integral_constant<YRule, YRule::Linear>{});
    case YRule::CentredTenth:
        return walk(std::integral_constant<YRule, YRule::CentredTenth>{});
    case YRule::CentredHandle:
        return walk(std::integral_constant<YRule, YRule::CentredHandle>{});
    case YRule::Centred:
        return walk(std::integral_constant<YRule, YRule::Centred>{});
    }
}
// Writes a grid span into the channel's word of GraphScaleDefaults.
void StoreScaleSpan(const GraphChannel& channel, orvelo::GraphScaleWords& words, double span);

} // namespace graphs
