// The vertical scale of one channel in a band of a pane: pixels per unit for
// the band (ComputeScale) and the ticks of a scale beside it
// (BuildScaleTicks). CChannelGraph is one; a graph pane keeps one for its
// primary channel, whose current limits and name it carries.
#pragma once

#include "graphs/CChannel.h"
#include "graphs/GraphRecords.h"

#include <QRect>

#include <vector>

class AppSettings;
namespace orvelo {
class LapDataCore;
}

class ChannelScale {
public:
    ChannelScale(AppSettings& settings, orvelo::LapDataCore& core);

    // Takes channel n with its current limits (a number outside 1 to 18 has none).
    void SetChannel(int n);
    // The band: the owner's client area.
    void SetBand(const QRect& band);

    // Band height H = band height - top margin - bottom margin; pixels per
    // unit by the channel's rule, 0 where its divisor is 0 or less. Sets
    // words 1, 6 and 7 of the range and returns the pixels per unit unrounded.
    // For the pressures also the sensor's full scale and step (from the last
    // decoded range code) and the span in the scale words.
    double ComputeScale(graphs::ChannelRange& range);

    // Ticks from the first multiple of the minor step at or above lower up to
    // upper (values in tenths for the G channels), for the scale last
    // computed; majorSpacing = the pixels between the first two major ticks.
    // No ticks below a band height of 10 or without a step that fits.
    void BuildScaleTicks(int channel, int lower, int upper, int& majorSpacing, std::vector<graphs::ScaleTick>& ticks,
                         bool wide) const;

    const CChannel& Channel() const { return m_channel; }
    int ChannelNumber() const { return m_channel.Number(); }
    std::int32_t CurrentMax() const { return m_currentMax; }
    std::int32_t CurrentMin() const { return m_currentMin; }
    double PixelsPerUnit() const { return m_ppu; }
    const QRect& Band() const { return m_band; }
    // Full scale and step of pressure sensor 1 or 2 at the last scale (0 and 0 when unknown).
    std::int32_t PressureFullScale(int sensor) const;
    std::int32_t PressureStep(int sensor) const;

private:
    struct Ticking {
        int minor = 0;
        int major = 0;
        double pixelsPerValue = 0.0;
    };
    Ticking ChooseSteps(int channel, int upper, bool wide) const;
    Ticking ChooseTenthSteps(int upper) const;

    orvelo::LapDataCore& m_core;
    QRect m_band;
    std::int32_t m_currentMax = 0;
    std::int32_t m_currentMin = 0;
    double m_ppu = 0.0;
    int m_bottomMargin = 0;
    CChannel m_channel;
    std::int32_t m_press1FullScale = 0;
    std::int32_t m_press1Step = 0;
    std::int32_t m_press2FullScale = 0;
    std::int32_t m_press2Step = 0;
};
