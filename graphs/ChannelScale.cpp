#include "graphs/ChannelScale.h"

#include "graphs/GraphChannelTable.h"

#include "core/LapDataCore.h"
#include "settings/AppSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

using graphs::ChannelRange;
using graphs::GraphChannel;
using graphs::ScaleTick;

namespace {

constexpr int kMinTickBandHeight = 10;
constexpr int kMinMinorPixels = 9;   // a minor step must be wider than this
constexpr int kLabelSpacing = 19;    // a major step must be wider than this
constexpr int kWideLabelSpacing = 30;
constexpr int kTenthUnitPixels = 30; // G: a whole-unit step must be wider than this
constexpr int kMinGBandPixels = 18;
constexpr int kTenthCandidates[] = {1, 2, 5, 10};
constexpr long long kMaxTicks = 100000;

double Divide(double numerator, double divisor) { return divisor <= 0.0 ? 0.0 : numerator / divisor; }

int StepPixels(double step, double pixelsPerValue) { return static_cast<int>(std::trunc(step * pixelsPerValue)); }

// The sensor's full scale and step for its range code.
std::pair<std::int32_t, std::int32_t> PressureRange(std::uint8_t code) {
    switch (code) {
    case 0: return {100, 1};
    case 1: return {200, 2};
    case 2: return {500, 5};
    case 3: return {1000, 10};
    default: return {0, 0};
    }
}

// The first multiple of step at or above value.
long long FirstMultipleAtOrAbove(long long value, long long step) {
    const long long quotient = value / step;
    const long long multiple = quotient * step;
    return multiple >= value ? multiple : multiple + step;
}

} // namespace

ChannelScale::ChannelScale(AppSettings& settings, orvelo::LapDataCore& core)
    : m_core(core), m_channel(settings.Channels()) {}

void ChannelScale::SetChannel(int n) {
    m_channel.SetChannel(n);
    m_currentMax = m_channel.Values().currentMax;
    m_currentMin = m_channel.Values().currentMin;
}

void ChannelScale::SetBand(const QRect& band) { m_band = band; }

double ChannelScale::ComputeScale(ChannelRange& range) {
    const long long margins = static_cast<long long>(range.topMargin) + range.bottomOffset;
    const double height = static_cast<double>(std::max(0LL, m_band.height() - margins));
    const double span = range.maxOverride >= 1 ? static_cast<double>(range.maxOverride) - range.minOverride
                                               : static_cast<double>(m_currentMax) - m_currentMin;
    range.bandHeight = static_cast<std::uint32_t>(height);
    range.pressureFlag = 0;
    double ppu = 0.0;
    if (const GraphChannel* channel = graphs::GraphChannelOf(m_channel.Number())) {
        switch (channel->scaleRule) {
        case graphs::ScaleRule::Span:
            ppu = Divide(height, span);
            break;
        case graphs::ScaleRule::DoubleSpan:
            ppu = Divide(height, 2.0 * span);
            break;
        case graphs::ScaleRule::DoubleMax:
            ppu = Divide(height, 2.0 * (range.maxOverride >= 1 ? range.maxOverride : m_currentMax));
            break;
        case graphs::ScaleRule::Pressure: {
            range.pressureFlag = 1;
            const bool first = channel->pressureSensor == 1;
            const auto [fullScale, step] = PressureRange(first ? m_core.Press1RangeCode : m_core.Press2RangeCode);
            (first ? m_press1FullScale : m_press2FullScale) = fullScale;
            (first ? m_press1Step : m_press2Step) = step;
            graphs::StoreScaleSpan(*channel, m_core.GraphScaleDefaults, span);
            ppu = fullScale != 0 ? Divide(height, span) : 0.0;
            break;
        }
        }
    }
    range.pixelsPerUnit = static_cast<float>(ppu);
    m_ppu = ppu;
    m_bottomMargin = static_cast<int>(std::min<std::uint32_t>(range.bottomOffset, 1u << 30));
    return ppu;
}

std::int32_t ChannelScale::PressureFullScale(int sensor) const {
    return sensor == 1 ? m_press1FullScale : sensor == 2 ? m_press2FullScale : 0;
}

std::int32_t ChannelScale::PressureStep(int sensor) const {
    return sensor == 1 ? m_press1Step : sensor == 2 ? m_press2Step : 0;
}

ChannelScale::Ticking ChannelScale::ChooseSteps(int channel, int upper, bool wide) const {
    const GraphChannel* row = graphs::GraphChannelOf(channel);
    if (!row)
        return {};
    if (row->tenthTicks)
        return ChooseTenthSteps(upper);
    const int spacing = wide ? kWideLabelSpacing : kLabelSpacing;
    const auto& steps = row->ticks;
    const auto end = std::find_if(steps.begin(), steps.end(), [](const graphs::TickStep& s) { return s.step == 0; });
    const auto minor = std::find_if(steps.begin(), end, [&](const graphs::TickStep& s) {
        return StepPixels(s.step, m_ppu) > kMinMinorPixels;
    });
    if (minor == end)
        return {};
    if (StepPixels(minor->step, m_ppu) > spacing)
        return {minor->step, minor->step, m_ppu};
    if (minor->majorFactor != 0)
        return {minor->step, minor->step * minor->majorFactor, m_ppu};
    const auto major =
        std::find_if(steps.begin(), end, [&](const graphs::TickStep& s) { return StepPixels(s.step, m_ppu) > spacing; });
    if (major == end)
        return {};
    return {minor->step, major->step, m_ppu};
}

// G works in tenths: a step of whole units when one unit is too narrow for a
// label, else the finer tenth steps.
ChannelScale::Ticking ChannelScale::ChooseTenthSteps(int upper) const {
    if (2.0 * upper * m_ppu <= kMinGBandPixels || m_ppu <= 0.0)
        return {};
    const double perTenth = m_ppu / 10.0;
    const int units = static_cast<int>(std::floor(kTenthUnitPixels / m_ppu)) + 1;
    if (units >= 2) {
        const int major = (upper % units == 0) ? 10 * units : 10 * upper;
        return {10 * units, major > 0 ? major : 10 * units, perTenth};
    }
    int minor = 10;
    int major = 10;
    for (int candidate : kTenthCandidates) {
        if (StepPixels(candidate, perTenth) > kMinMinorPixels) {
            minor = candidate;
            break;
        }
    }
    for (int candidate : kTenthCandidates) {
        if (StepPixels(candidate, perTenth) > kTenthUnitPixels) {
            major = candidate;
            break;
        }
    }
    return {minor, major, perTenth};
}

void ChannelScale::BuildScaleTicks(int channel, int lower, int upper, int& majorSpacing,
                                   std::vector<ScaleTick>& ticks, bool wide) const {
    ticks.clear();
    majorSpacing = 0;
    if (m_band.height() < kMinTickBandHeight)
        return;
    const Ticking steps = ChooseSteps(channel, upper, wide);
    if (steps.minor <= 0 || steps.major <= 0)
        return;
    const graphs::GraphChannel* row = graphs::GraphChannelOf(channel);
    const long long scale = row->tenthTicks ? 10 : 1;
    const long long low = lower * scale;
    const long long high = upper * scale;
    const long long first = FirstMultipleAtOrAbove(low, steps.minor);
    if (first > high || (high - first) / steps.minor >= kMaxTicks)
        return;
    const double bottom = static_cast<double>(m_band.height()) - m_bottomMargin;
    int firstMajorY = 0;
    int majors = 0;
    for (long long value = first; value <= high; value += steps.minor) {
        const int y = graphs::RoundPixel(bottom - static_cast<double>(value - low) * steps.pixelsPerValue);
        const bool major = value % steps.major == 0;
        ticks.push_back({y, static_cast<int>(value), major});
        if (major && ++majors == 1)
            firstMajorY = y;
        else if (major && majors == 2)
            majorSpacing = std::abs(y - firstMajorY);
    }
    if (majors < 2)
        majorSpacing = StepPixels(steps.major, steps.pixelsPerValue);
}
