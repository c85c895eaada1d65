#include "core/LapStatistics.h"

#include "core/LapDataCore.h"
#include "core/LapTimeText.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace orvelo {

namespace {

constexpr char kVoidText[] = "void";
constexpr std::int32_t kNoMinimum = -1;

// Which channel word each extreme takes, and how.
struct ExtremeRule {
    int word;
    bool minimum;
};
// Extremes 1 to 8 scan the lap's own samples (up to its sample count), 9 to 12 every sample.
constexpr ExtremeRule kOwnSampleRules[8] = {{1, false}, {0, true}, {3, false}, {2, true},
                                            {4, true},  {5, false}, {6, true}, {7, false}};
constexpr ExtremeRule kAllSampleRules[4] = {{8, true}, {9, false}, {10, true}, {11, false}};

struct ExtremeScan {
    void Take(const SampleRec& sample)
    {
        const auto value = static_cast<std::int32_t>(sample.channelWords[rule.word]);
        if (rule.minimum)
            m_value = seen ? std::min(m_value, value) : value;
        else
            m_value = std::max(m_value, value);
        seen = true;
    }

    std::int32_t Result() const { return rule.minimum && !seen ? kNoMinimum : m_value; }

    ExtremeRule rule{};
    bool seen = false;
    std::int32_t m_value = 0;
};

// The magnitude in tenths of a signed value held as tenths / 10: multiplied back in float, so that
// every signed byte gives exactly its own magnitude.
std::int32_t TenthsMagnitude(float value)
{
    return std::abs(static_cast<std::int32_t>(value * 10.0f));
}

} // namespace

std::uint32_t RecomputeSampleTimes(Lap& lap)
{
    std::uint32_t running = 0;
    std::uint32_t textStep = 0;
    const char* text = nullptr; // the step text last formatted; steps mostly repeat
    for (SampleRec& sample : lap.samples) {
        if (sample.timeStep == 0)
            break;
        if (text == nullptr || sample.timeStep != textStep) {
            FormatLapTimeA(sample.timeStep, sample.stepText);
            text = sample.stepText;
            textStep = sample.timeStep;
        } else {
            std::memcpy(sample.stepText, text, sizeof sample.stepText);
        }
        running += sample.timeStep;
        sample.runningLapTime = running;
    }
    return running;
}

void ComputeChannelExtremes(Lap& lap)
{
    ExtremeScan own[8];
    ExtremeScan all[4];
    for (int i = 0; i < 8; ++i)
        own[i].rule = kOwnSampleRules[i];
    for (int i = 0; i < 4; ++i)
        all[i].rule = kAllSampleRules[i];
    const std::size_t ownCount =
        std::min(lap.samples.size(), static_cast<std::size_t>(std::max(lap.sampleCount, 0)));
    std::int32_t peakB = 0;
    std::int32_t peakA = 0;
    std::size_t index = 0;
    for (const SampleRec& sample : lap.samples) {
        if (index < ownCount) {
            for (ExtremeScan& scan : own)
                scan.Take(sample);
            peakB = std::max(peakB, TenthsMagnitude(sample.signedValueB));
            peakA = std::max(peakA, TenthsMagnitude(sample.signedValueA));
        }
        for (ExtremeScan& scan : all)
            scan.Take(sample);
        ++index;
    }
    for (int i = 0; i < 8; ++i)
        lap.channelExtremes[i] = own[i].Result();
    for (int i = 0; i < 4; ++i)
        lap.channelExtremes[8 + i] = all[i].Result();
    lap.signedValuePeaks[0] = peakB;
    lap.signedValuePeaks[1] = peakA;
    lap.signedValuePeaksScaled[0] = static_cast<float>(peakB / 10.0);
    lap.signedValuePeaksScaled[1] = static_cast<float>(peakA / 10.0);
}

void ComputeLapStatistics(LogFile& file)
{
    std::uint32_t best = kFastestLapLimit;
    std::int32_t fastest = 0;
    std::uint32_t total = 0;
    for (Lap& lap : file.laps) {
        const std::uint32_t sum = RecomputeSampleTimes(lap);
        if (sum == 0) {
            std::memset(lap.sampleTimeText, 0, sizeof lap.sampleTimeText);
            std::memcpy(lap.sampleTimeText, kVoidText, sizeof kVoidText);
            continue;
        }
        total += sum;
        lap.sampleTimeSum = sum;
        FormatLapTimeA(sum, lap.sampleTimeText);
        // A lap without a lap-end record (samples after the last lap line) is no candidate.
        if (sum < best && lap.lapNumber != 0) {
            best = sum;
            fastest = static_cast<std::int32_t>(lap.lapNumber);
        }
        ComputeChannelExtremes(lap);
    }
    file.fastestLapNumber = fastest;
    file.sampleTimeTotal = total;
}

std::uint32_t FindLongestMarkedLap(LapDataCore& core, int byTime)
{
    std::int32_t marked = 0;
    std::uint32_t longest = 0;
    for (const LogFile& file : core.LogFiles) {
        for (const Lap& lap : file.laps) {
            if (lap.baseLapMark == 0 && lap.overlayMark == 0)
                continue;
            ++marked;
            longest = std::max(longest, byTime != 0 ? lap.lapTime : lap.distance);
        }
    }
    core.MarkedLapCount = marked;
    return longest;
}

} // namespace orvelo
