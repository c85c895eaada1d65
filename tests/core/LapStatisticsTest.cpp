#include "core/LapStatistics.h"

#include "core/LapDataCore.h"
#include "core/LapTimeText.h"
#include "core/LogFileReader.h"
#include "LogBytes.h"
#include "tools/SampleSession.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <string>
#include <vector>

namespace orvelo {
namespace {

// A sample with the time step, channel word k = words[k] (0 beyond), signed bytes 32 and 33 = a and b.
SampleRec Sample(std::uint32_t timeStep, std::vector<std::uint16_t> words = {}, std::int8_t a = 0, std::int8_t b = 0)
{
    samplegen::SampleFields fields;
    fields.timeStep = static_cast<std::uint16_t>(timeStep);
    std::copy(words.begin(), words.end(), fields.words.begin());
    fields.valueA = a;
    fields.valueB = b;
    std::uint8_t record[samplegen::kRecordSize]{};
    samplegen::WriteSampleRecord(record, fields);
    LapDataCore core;
    SampleRec sample;
    DecodeSampleRecord(core, record, sample);
    return sample;
}

Lap LapOf(std::uint32_t number, std::vector<SampleRec> samples)
{
    Lap lap;
    lap.lapNumber = number;
    lap.sampleCount = static_cast<std::int32_t>(samples.size());
    lap.samples.assign(samples.begin(), samples.end());
    return lap;
}

// A lap whose sample time steps sum to `total`, in steps of at most 60000.
Lap LapSumming(std::uint32_t number, std::uint32_t total)
{
    std::vector<SampleRec> samples;
    for (; total > 60000; total -= 60000)
        samples.push_back(Sample(60000));
    samples.push_back(Sample(total));
    return LapOf(number, samples);
}

LogFile FileOf(std::vector<Lap> laps)
{
    LogFile file;
    file.laps.assign(laps.begin(), laps.end());
    return file;
}

TEST(LapStatisticsTest, SampleTimesSumUpToTheFirstZeroStep)
{
    Lap lap = LapOf(1, {Sample(10), Sample(60000), Sample(25), Sample(0), Sample(30)});
    lap.samples[4].runningLapTime = 999;
    EXPECT_EQ(RecomputeSampleTimes(lap), 60035u);
    const char* texts[] = {"0:00.10", "ea60", "0:00.25", "", ""};
    for (int i = 0; i < 5; ++i)
        EXPECT_STREQ(lap.samples[i].stepText, texts[i]) << i;
    EXPECT_EQ(lap.samples[1].runningLapTime, 60010u);
    EXPECT_EQ(lap.samples[4].runningLapTime, 999u); // after the zero step nothing is touched
    Lap empty;
    EXPECT_EQ(RecomputeSampleTimes(empty), 0u);
}

TEST(LapStatisticsTest, FastestLapHasTheSmallestSumBelowTenMinutes)
{
    // Lap numbers and sample time sums; lap 0 holds the samples after the last lap line.
    using Laps = std::vector<std::pair<std::uint32_t, std::uint32_t>>;
    const std::pair<Laps, int> rows[] = {{{{4, 9000}, {5, 7000}, {6, 65000}}, 5}, {{{4, 60000}, {5, 70000}}, 0},
                                         {{{4, 8000}, {5, 8000}}, 4}, {{{4, 9000}, {5, 8500}, {0, 40}}, 5}};
    for (const auto& [laps, fastest] : rows) {
        LogFile file;
        std::uint32_t total = 0;
        for (const auto& [number, sum] : laps) {
            file.laps.push_back(LapSumming(number, sum));
            total += sum;
        }
        ComputeLapStatistics(file);
        EXPECT_EQ(file.fastestLapNumber, fastest) << laps.size() << " laps, the first " << laps[0].second;
        EXPECT_EQ(file.sampleTimeTotal, total);
    }
}

TEST(LapStatisticsTest, LapsWithoutSampleTimeAreVoid)
{
    Lap zeroFirst = LapOf(2, {Sample(0, {50}), Sample(10, {50})});
    std::strcpy(zeroFirst.sampleTimeText, "stale text");
    zeroFirst.channelExtremes[0] = 77;
    LogFile file = FileOf({LapOf(1, {}), zeroFirst});
    ComputeLapStatistics(file);
    for (const Lap& lap : file.laps)
        EXPECT_EQ(std::string(lap.sampleTimeText, 16), std::string("void") + std::string(12, '\0'));
    EXPECT_EQ(file.laps[1].channelExtremes[0], 77); // not computed
    EXPECT_EQ(file.fastestLapNumber, 0);
}

TEST(LapStatisticsTest, ExtremesLookAtTheLapsOwnSamplesButTheLastFourAtEvery)
{
    // The pairing of extremes and words is checked on generated laps below.
    const std::vector<std::uint16_t> low(12, 100), high(12, 200), beyond(12, 1000);
    Lap lap = LapOf(1, {Sample(10, low, 12, -128), Sample(10, high, -31, 25), Sample(10, beyond, -90, 127)});
    lap.sampleCount = 2; // the last sample is not the lap's own
    ComputeChannelExtremes(lap);
    EXPECT_EQ(lap.channelExtremes[0], 200);  // maximum of word 1
    EXPECT_EQ(lap.channelExtremes[1], 100);  // minimum of word 0
    EXPECT_EQ(lap.channelExtremes[9], 1000); // maximum of word 9 over every sample
    EXPECT_EQ(lap.signedValuePeaks[0], 128); // B, the magnitude of the most negative byte
    EXPECT_EQ(lap.signedValuePeaks[1], 31);  // A
    EXPECT_FLOAT_EQ(lap.signedValuePeaksScaled[1], 3.1f);

    lap.sampleCount = 0;
    ComputeChannelExtremes(lap);
    for (int e : {1, 3, 4, 6})
        EXPECT_EQ(lap.channelExtremes[e], -1) << "minimum " << e + 1 << " without samples";
    lap.sampleCount = 40;
    ComputeChannelExtremes(lap);
    EXPECT_EQ(lap.channelExtremes[0], 1000); // a count beyond the samples takes them all
}

TEST(LapStatisticsTest, LongestMarkedLapOverBaseAndOverlayLapsOfTheLogFiles)
{
    // Lap time, distance, base-lap mark, overlay mark; course maps are not compared.
    const std::tuple<std::uint32_t, std::uint32_t, std::uint8_t, std::uint8_t> laps[] = {
        {7000, 900, 0xFF, 0}, {9999, 5000, 0, 0}, {6500, 1200, 0, 0xFF}, {6000, 800, 0, 0xFF}, {50000, 90000, 1, 1}};
    LapDataCore core;
    core.LogFiles.resize(2);
    core.MapFiles.resize(1);
    for (std::size_t k = 0; k < 5; ++k) {
        Lap& lap = (k < 2 ? core.LogFiles[0] : k < 4 ? core.LogFiles[1] : core.MapFiles[0]).laps.emplace_back();
        std::tie(lap.lapTime, lap.distance, lap.baseLapMark, lap.overlayMark) = laps[k];
    }
    EXPECT_EQ(FindLongestMarkedLap(core, 1), 7000u);
    EXPECT_EQ(FindLongestMarkedLap(core, 0), 1200u);
    EXPECT_EQ(core.MarkedLapCount, 3);
    for (LogFile& file : core.LogFiles)
        for (Lap& lap : file.laps)
            lap.baseLapMark = lap.overlayMark = 0;
    EXPECT_EQ(FindLongestMarkedLap(core, 1), 0u);
    EXPECT_EQ(core.MarkedLapCount, 0);
}

TEST(LapStatisticsTest, StatisticsMatchTheGeneratedRecords)
{
    for (int rateMode : {1, 3}) {
        samplegen::SessionOptions options;
        options.laps = 4;
        options.rateMode = rateMode;
        options.seed = 11 + static_cast<std::uint64_t>(rateMode);
        const samplegen::Session session = samplegen::GenerateSession(options);
        test::ScratchFolder scratch;
        LapDataCore core;
        ASSERT_EQ(ReadLogFile(core, scratch.Write("laps.dat", session.bytes)), 0);
        LogFile& file = core.LogFiles.back();
        ComputeLapStatistics(file);

        std::uint32_t best = kFastestLapLimit;
        int fastest = 0;
        for (std::size_t k = 0; k < session.laps.size(); ++k) {
            const samplegen::ExpectedLap& expected = session.laps[k];
            const samplegen::ChannelTruth& truth = expected.channels;
            const Lap& lap = file.laps[k];
            SCOPED_TRACE("rate mode " + std::to_string(rateMode) + " lap " + std::to_string(expected.number));
            // Every sample of a generated lap has a time step, so the sum is the lap time.
            char text[16];
            FormatLapTimeA(expected.lapTime, text);
            EXPECT_STREQ(lap.sampleTimeText, text);
            // Where each word's maximum (odd words) or minimum (even words) lands among the extremes.
            const int extremeOf[] = {1, 0, 3, 2, 4, 5, 6, 7, 8, 9, 10, 11};
            for (int word = 0; word < 12; ++word) {
                EXPECT_EQ(lap.channelExtremes[extremeOf[word]], word % 2 ? truth.wordMax[word] : truth.wordMin[word])
                    << "word " << word;
            }
            EXPECT_EQ(lap.signedValuePeaks[0], truth.peakB);
            EXPECT_EQ(lap.signedValuePeaks[1], truth.peakA);
            if (expected.lapTime < best) {
                best = expected.lapTime;
                fastest = expected.number;
            }
        }
        EXPECT_EQ(file.fastestLapNumber, fastest);
        EXPECT_EQ(file.sampleTimeTotal, session.totalTime);
    }
}

} // namespace
} // namespace orvelo
