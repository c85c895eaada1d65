#include "graphs/VerticalGrid.h"

#include "graphs/GraphChannelTable.h"

#include <cmath>

namespace graphs {

namespace {

int LineCount(double span, double divisor) {
    if (divisor <= 0.0 || span < 0.0)
        return 1;
    return static_cast<int>(std::trunc(span / divisor)) + 1;
}

double RpmStep(double span) {
    if (span > 12000.0)
        return 2000.0;
    if (span > 8000.0)
        return 1000.0;
    if (span > 2000.0)
        return 500.0;
    return 200.0;
}

double PressureStep(std::uint8_t code) {
    switch (code) {
    case 0: return 1.0;
    case 1: return 2.0;
    case 2: return 5.0;
    case 3: return 10.0;
    default: return 0.0;
    }
}

// RPM and Speed count their lines by step - 1; above a minimum of 0 the span is
// cut to whole steps and the rest lifts the first line.
VerticalGrid StepMinusOneGrid(double span, double step, std::int32_t currentMin) {
    VerticalGrid grid{step, 0, 0.0, span};
    if (currentMin > 0) {
        grid.firstOffset = std::fmod(span, step);
        span -= grid.firstOffset;
    }
    grid.lines = LineCount(span, step - 1.0);
    return grid;
}

} // namespace

VerticalGrid VerticalGridFor(int channel, std::int32_t currentMax, std::int32_t currentMin,
                             std::uint8_t pressureRangeCode) {
    const GraphChannel* row = GraphChannelOf(channel);
    if (!row)
        return {};
    const double span = static_cast<double>(currentMax) - currentMin;
    switch (row->gridRule) {
    case GridRule::Rpm:
        return StepMinusOneGrid(span, RpmStep(span), currentMin);
    case GridRule::Speed:
        return StepMinusOneGrid(span, span <= 160.0 ? 10.0 : 20.0, currentMin);
    case GridRule::Pressure: {
        const double step = PressureStep(pressureRangeCode);
        return {step, LineCount(currentMax / 10.0, step), 0.0, static_cast<double>(currentMax)};
    }
    case GridRule::Temp: {
        const double step = span < 1025.0 ? 100.0 : 200.0;
        return {step, LineCount(span, step), 0.0, span};
    }
    case GridRule::Plain:
        return {row->gridStep, LineCount(span, row->gridStep), 0.0, span};
    case GridRule::Doubled:
        return {row->gridStep, LineCount(2.0 * span, row->gridStep), 0.0, 2.0 * span};
    }
    return {};
}

} // namespace graphs
