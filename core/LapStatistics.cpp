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

constexpr int kWords = 12;
constexpr int kOwnSampleExtremes = 8; // extremes 1 to 8 scan the lap's own samples, 9 to 12 every sample

// Which channel word each extreme takes, and whether it is the minimum.
struct ExtremeRule {
    int word;
    bool minimum;
};
constexpr ExtremeRule kExtremeRules[kWords] = {{1, false}, {0, true},  {3, false}, {2, true},
                                               {4, true},  {5, false}, {6, true},  {7, false},
                                               {8, true},  {9, false}, {10, true}, {11, false}};

// Minimum and maximum of every channel word over a run of samples, compared as signed 32-bit values.
struct WordRange {
    void Take(const SampleRec& sample)
    {
        for (int k = 0; k < kWords; ++k) {
            const auto value = static_cast<std::int32_t>(sample.channelWords[k]);
            minimum[k] = seen ? std::min(minimum[k], value) : value;
            maximum[k] = std::max(maximum[k], value);
        }
        seen = true;
    }

    void Merge(const WordRange& other)
    {
        if (!other.seen)
            return;
        for (int k = 0; k < kWords; ++k) {
            minimum[k] = seen ? std::min(minimum[k], other.minimum[k]) : other.minimum[k];
            maximum[k] = std::max(maximum[k], other.maximum[k]);
        }
        seen = true;
    }

    // A maximum starts at 0; a minimum that saw no sample is -1.
    std::int32_t Extreme(const ExtremeRule& rule) const
    {
        if (!rule.minimum)
            return maximum[rule.word];
        return seen ? minimum[rule.word] : kNoMinimum;
    }

    bool seen = false;
    std::int32_t minimum[kWords]{};
    std::int32_t maximum[kWords]{};
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
    const std::size_t ownCount =
        std::min(lap.samples.size(), static_cast<std::size_t>(std::max(lap.sampleCount, 0)));
    WordRange own;
    WordRange rest;
    std::int32_t peakB = 0;
    std::int32_t peakA = 0;
    auto sample = lap.samples.cbegin();
    for (std::size_t i = 0; i < ownCount; ++i, ++sample) {
        own.Take(*sample);
        peakB = std::max(peakB, TenthsMagnitude(sample->signedValueB));
        peakA = std::max(peakA, TenthsMagnitude(sample->signedValueA));
    }
    for (; sample != lap.samples.cend(); ++sample)
        rest.Take(*sample);
    WordRange all = own;
    all.Merge(rest);
    for (int e = 0; e < kWords; ++e)
        lap.channelExtremes[e] = (e < kOwnSampleExtremes ? own : all).Extreme(kExtremeRules[e]);
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
        // At 400 samples a second most time steps are 0, so a lap without a sample time still has
        // its extremes; it only stays out of the fastest lap and the total.
        if (!lap.samples.empty())
            ComputeChannelExtremes(lap);
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
