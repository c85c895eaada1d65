#include "core/LapStatistics.h"

#include "core/LapDataCore.h"
#include "core/LogFileReader.h"
#include "LogBytes.h"
#include "tools/SampleSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>
#include <utility>
#include <string>
#include <vector>

namespace orvelo {
namespace {

using test::Ints;

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

TEST(LapStatisticsTest, SampleTimesSumUpToTheFirstZeroStep)
{
    Lap lap = LapOf(1, {Sample(10), Sample(60000), Sample(25), Sample(0), Sample(30)});
    lap.samples[4].runningLapTime = 999;
    EXPECT_EQ(RecomputeSampleTimes(lap), 60035u);
    std::string texts; // each sample's own step; after the zero step nothing is touched
    for (const SampleRec& sample : lap.samples)
        texts += std::string(sample.stepText) + '|';
    EXPECT_EQ(texts, "0:00.10|ea60|0:00.25|||");
    EXPECT_EQ(Ints(lap.samples[1].runningLapTime, lap.samples[4].runningLapTime), Ints(60010, 999));
    Lap empty;
    EXPECT_EQ(RecomputeSampleTimes(empty), 0u);
}

TEST(LapStatisticsTest, FastestLapHasTheSmallestSumBelowTenMinutes)
{
    // Lap numbers and sample time sums (one sample each); lap 0 holds the samples after the last lap line.
    using Laps = std::vector<std::pair<std::uint32_t, std::uint32_t>>;
    const std::pair<Laps, int> rows[] = {{{{4, 9000}, {5, 7000}, {6, 65000}}, 5}, {{{4, 60000}, {5, 65000}}, 0},
                                         {{{4, 8000}, {5, 8000}}, 4}, {{{4, 9000}, {5, 8500}, {0, 40}}, 5}};
    for (const auto& [laps, fastest] : rows) {
        LogFile file;
        std::uint32_t total = 0;
        for (const auto& [number, sum] : laps) {
            file.laps.push_back(LapOf(number, {Sample(sum)}));
            total += sum;
        }
        ComputeLapStatistics(file);
        EXPECT_EQ(file.fastestLapNumber, fastest) << laps.size() << " laps, the first " << laps[0].second;
        EXPECT_EQ(file.sampleTimeTotal, total);
    }
}

TEST(LapStatisticsTest, LapsWithoutSampleTimeAreVoidButKeepTheirExtremes)
{
    Lap zeroFirst = LapOf(2, {Sample(0, {50, 60}, -20), Sample(10, {40, 70})});
    std::strcpy(zeroFirst.sampleTimeText, "stale text");
    Lap empty = LapOf(1, {});
    empty.channelExtremes[0] = 77;
    LogFile file;
    file.laps = {empty, zeroFirst, LapOf(3, {Sample(900, {10, 20})})};
    ComputeLapStatistics(file);
    for (std::size_t k = 0; k < 2; ++k) {
        const Lap& lap = file.laps[k];
        EXPECT_EQ(std::string(lap.sampleTimeText, 16), std::string("void") + std::string(12, '\0')) << k;
        EXPECT_EQ(lap.sampleTimeSum, 0u) << k;
    }
    EXPECT_EQ(file.laps[0].channelExtremes[0], 77); // no samples, nothing to compute
    const Lap& voidLap = file.laps[1];
    EXPECT_EQ(Ints(voidLap.channelExtremes[0], voidLap.channelExtremes[1], voidLap.signedValuePeaks[1]),
              Ints(70, 40, 20));
    // Only the lap with a sample time counts.
    EXPECT_EQ(Ints(file.fastestLapNumber, file.sampleTimeTotal), Ints(3, 900));
}

TEST(LapStatisticsTest, ExtremesLookAtTheLapsOwnSamplesButTheLastFourAtEvery)
{
    // The pairing of extremes and words is checked on generated laps below.
    const std::vector<std::uint16_t> low(12, 100), high(12, 200), beyond(12, 1000);
    Lap lap = LapOf(1, {Sample(10, low, 12, -128), Sample(10, high, -31, 25), Sample(10, beyond, -90, 127)});
    lap.sampleCount = 2; // the last sample is not the lap's own
    ComputeChannelExtremes(lap);
    // Maximum of word 1, minimum of word 0, maximum of word 9 over every sample; peaks B (the magnitude of
    // the most negative byte) and A.
    EXPECT_EQ(Ints(lap.channelExtremes[0], lap.channelExtremes[1], lap.channelExtremes[9], lap.signedValuePeaks[0],
                   lap.signedValuePeaks[1]),
              Ints(200, 100, 1000, 128, 31));
    EXPECT_FLOAT_EQ(lap.signedValuePeaksScaled[1], 3.1f);

    lap.sampleCount = 0; // minima without samples stay -1
    ComputeChannelExtremes(lap);
    const auto& e = lap.channelExtremes;
    EXPECT_EQ(Ints(e[1], e[3], e[4], e[6]), Ints(-1, -1, -1, -1));
    lap.sampleCount = 40;
    ComputeChannelExtremes(lap);
    EXPECT_EQ(lap.channelExtremes[0], 1000); // a count beyond the samples takes them all
}

TEST(LapStatisticsTest, SignedPeaksAreTheMagnitudeOfEverySignedByte)
{
    for (int byte = 0; byte < 256; ++byte) {
        const auto value = static_cast<std::int8_t>(byte);
        Lap lap = LapOf(1, {Sample(10, {}, value, value)});
        ComputeChannelExtremes(lap);
        const int magnitude = value < 0 ? -value : value;
        EXPECT_EQ(Ints(lap.signedValuePeaks[0], lap.signedValuePeaks[1]), Ints(magnitude, magnitude)) << byte;
        EXPECT_EQ(lap.signedValuePeaksScaled[0], static_cast<float>(magnitude / 10.0)) << byte;
    }
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
    EXPECT_EQ(Ints(FindLongestMarkedLap(core, 1), FindLongestMarkedLap(core, 0)), Ints(7000, 1200));
    EXPECT_EQ(core.MarkedLapCount, 3);
    core.LogFiles.clear(); // nothing marked
    EXPECT_EQ(FindLongestMarkedLap(core, 1), 0u);
    EXPECT_EQ(core.MarkedLapCount, 0);
}

// Where each word's maximum (odd words) or minimum (even words) lands among the extremes.
void ExpectExtremesOf(const Lap& lap, const samplegen::ChannelTruth& truth)
{
    const int extremeOf[] = {1, 0, 3, 2, 4, 5, 6, 7, 8, 9, 10, 11};
    for (int word = 0; word < 12; ++word)
        EXPECT_EQ(lap.channelExtremes[extremeOf[word]], word % 2 ? truth.wordMax[word] : truth.wordMin[word])
            << "word " << word;
    EXPECT_EQ(Ints(lap.signedValuePeaks[0], lap.signedValuePeaks[1]), Ints(truth.peakB, truth.peakA));
}

TEST(LapStatisticsTest, StatisticsMatchTheGeneratedRecords)
{
    // An out lap's standing start is no part of lap 1's statistics.
    for (const auto& [rateMode, variant] : {std::pair{1, samplegen::Variant::Standard},
                                            std::pair{3, samplegen::Variant::Standard},
                                            std::pair{1, samplegen::Variant::OutLap}}) {
        const std::uint64_t seed = 11 + static_cast<std::uint64_t>(rateMode);
        const samplegen::Session session =
            samplegen::GenerateSession({.seed = seed, .laps = 4, .rateMode = rateMode, .variant = variant});
        test::ScratchFolder scratch;
        LapDataCore core;
        ASSERT_EQ(ReadLogFile(core, scratch.Write("laps.dat", session.bytes)), 0);
        LogFile& file = core.LogFiles.back();
        ComputeLapStatistics(file);

        for (std::size_t k = 0; k < session.laps.size(); ++k) {
            const samplegen::ExpectedLap& expected = session.laps[k];
            const samplegen::ChannelTruth& truth = expected.channels;
            const Lap& lap = file.laps.at(k);
            SCOPED_TRACE(std::string(samplegen::VariantName(variant)) + " rate mode " + std::to_string(rateMode) +
                         " lap " + std::to_string(expected.number));
            // Every sample of a generated lap has a time step, so the sum is the lap time.
            EXPECT_EQ(lap.sampleTimeSum, expected.lapTime);
            ExpectExtremesOf(lap, truth);
        }
        const auto fastest = std::min_element(session.laps.begin(), session.laps.end(),
                                              [](const auto& a, const auto& b) { return a.lapTime < b.lapTime; });
        EXPECT_EQ(file.fastestLapNumber, fastest->number);
        std::uint32_t lapTimes = 0;
        for (const samplegen::ExpectedLap& lap : session.laps)
            lapTimes += lap.lapTime;
        EXPECT_EQ(file.sampleTimeTotal, lapTimes); // an out lap's time is the file's, no lap's
    }
}

TEST(LapStatisticsTest, LapsRecordedAt400HzHaveTheirExtremesWithOrWithoutSampleTime)
{
    // Three time steps in four are 0 at 400 samples a second, so most laps start with one.
    const samplegen::Session session =
        samplegen::GenerateSession({.seed = 7, .laps = 8, .rateMode = 3, .samplesPerSecond = 400});
    test::ScratchFolder scratch;
    LapDataCore core;
    ASSERT_EQ(ReadLogFile(core, scratch.Write("dense.dat", session.bytes)), 0);
    LogFile& file = core.LogFiles.back();
    ComputeLapStatistics(file);

    std::vector<const Lap*> timed;
    std::uint32_t sums = 0;
    for (std::size_t k = 0; k < session.laps.size(); ++k) {
        const Lap& lap = file.laps.at(k);
        SCOPED_TRACE("lap " + std::to_string(session.laps[k].number));
        ASSERT_FALSE(lap.samples.empty());
        if (lap.samples.front().timeStep == 0) {
            EXPECT_STREQ(lap.sampleTimeText, "void");
            EXPECT_EQ(lap.sampleTimeSum, 0u);
        } else {
            EXPECT_GT(lap.sampleTimeSum, 0u);
            timed.push_back(&lap);
            sums += lap.sampleTimeSum;
        }
        EXPECT_GT(lap.channelExtremes[0], 0); // the lap's highest RPM
        ExpectExtremesOf(lap, session.laps[k].channels);
    }
    ASSERT_LT(timed.size(), session.laps.size()) << "no lap without a sample time: pick another seed";
    // The laps without a sample time take no part in the fastest lap or the total.
    ASSERT_FALSE(timed.empty()) << "no lap with a sample time: pick another seed";
    const Lap* fastest = *std::min_element(timed.begin(), timed.end(), [](const Lap* a, const Lap* b) {
        return a->sampleTimeSum < b->sampleTimeSum;
    });
    EXPECT_EQ(file.fastestLapNumber, static_cast<std::int32_t>(fastest->lapNumber));
    EXPECT_EQ(file.sampleTimeTotal, sums);
}

} // namespace
} // namespace orvelo
