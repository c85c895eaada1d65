#include "core/LapStatistics.h"

#include "core/LapDataCore.h"
#include "core/LapTimeText.h"
#include "core/LogFileReader.h"
#include "core/LogRecord.h"
#include "LogBytes.h"
#include "tools/RecordBuilder.h"
#include "tools/SampleSession.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace orvelo {
namespace {

// A sample with the time step and every channel word set to `word`.
SampleRec Sample(std::uint32_t timeStep, std::uint32_t word = 0)
{
    SampleRec sample;
    sample.timeStep = timeStep;
    for (std::uint32_t& value : sample.channelWords)
        value = word;
    return sample;
}

// A sample decoded from a record whose signed bytes 32 and 33 are a and b.
SampleRec DecodedSample(std::int8_t a, std::int8_t b)
{
    samplegen::SampleFields fields;
    fields.timeStep = 10;
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
    for (SampleRec& sample : samples)
        lap.samples.push_back(sample);
    return lap;
}

// A lap whose sample time steps sum to `total`, in steps of at most 1000.
Lap LapSumming(std::uint32_t number, std::uint32_t total)
{
    std::vector<SampleRec> samples;
    for (; total > 1000; total -= 1000)
        samples.push_back(Sample(1000));
    samples.push_back(Sample(total));
    return LapOf(number, std::move(samples));
}

LogFile FileOf(std::vector<Lap> laps)
{
    LogFile file;
    for (Lap& lap : laps)
        file.laps.push_back(std::move(lap));
    return file;
}

// ---- Sample times --------------------------------------------------------------------------------

TEST(RecomputeSampleTimesTest, SumsStepsUpToTheFirstZeroStep)
{
    Lap lap = LapOf(1, {Sample(10), Sample(6543), Sample(0), Sample(30)});
    lap.samples[3].runningLapTime = 999;
    EXPECT_EQ(RecomputeSampleTimes(lap), 6553u);
    EXPECT_STREQ(lap.samples[0].stepText, "0:00.10");
    EXPECT_STREQ(lap.samples[1].stepText, "1:05.43");
    EXPECT_EQ(lap.samples[0].runningLapTime, 10u);
    EXPECT_EQ(lap.samples[1].runningLapTime, 6553u);
    EXPECT_STREQ(lap.samples[3].stepText, ""); // after the zero step nothing is touched
    EXPECT_EQ(lap.samples[3].runningLapTime, 999u);
}

TEST(RecomputeSampleTimesTest, EachSampleGetsTheTextOfItsOwnStep)
{
    Lap lap = LapOf(1, {Sample(10), Sample(10), Sample(25), Sample(10), Sample(60000), Sample(25)});
    RecomputeSampleTimes(lap);
    const char* expected[] = {"0:00.10", "0:00.10", "0:00.25", "0:00.10", "ea60", "0:00.25"};
    for (int i = 0; i < 6; ++i)
        EXPECT_STREQ(lap.samples[i].stepText, expected[i]) << i;
}

TEST(RecomputeSampleTimesTest, LapWithoutSamplesSumsToZero)
{
    Lap lap;
    EXPECT_EQ(RecomputeSampleTimes(lap), 0u);
}

// ---- Lap statistics of a file --------------------------------------------------------------------

TEST(ComputeLapStatisticsTest, LapsWithoutSampleTimeAreVoid)
{
    Lap empty = LapOf(1, {});
    Lap zeroFirst = LapOf(2, {Sample(0, 50), Sample(10, 50)});
    std::strcpy(zeroFirst.sampleTimeText, "stale text");
    zeroFirst.channelExtremes[0] = 77;
    LogFile file = FileOf({std::move(empty), std::move(zeroFirst)});
    ComputeLapStatistics(file);
    for (const Lap& lap : file.laps) {
        EXPECT_STREQ(lap.sampleTimeText, "void");
        EXPECT_EQ(lap.sampleTimeSum, 0u);
    }
    EXPECT_EQ(std::string(file.laps[1].sampleTimeText, 16), std::string("void", 4) + std::string(12, '\0'));
    EXPECT_EQ(file.laps[1].channelExtremes[0], 77); // not computed
    EXPECT_EQ(file.fastestLapNumber, 0);
    EXPECT_EQ(file.sampleTimeTotal, 0u);
}

TEST(ComputeLapStatisticsTest, FastestLapHasTheSmallestSumBelowTenMinutes)
{
    LogFile file = FileOf({LapSumming(4, 9000), LapSumming(5, 7000), LapSumming(6, 65000)});
    ComputeLapStatistics(file);
    EXPECT_EQ(file.fastestLapNumber, 5);
    EXPECT_EQ(file.sampleTimeTotal, 81000u);
    EXPECT_EQ(file.laps[1].sampleTimeSum, 7000u);
    EXPECT_STREQ(file.laps[1].sampleTimeText, "1:10.00");
    EXPECT_STREQ(file.laps[2].sampleTimeText, "fde8");
}

TEST(ComputeLapStatisticsTest, NoFastestLapWhenEveryLapTakesTenMinutesOrMore)
{
    LogFile file = FileOf({LapSumming(1, 60000), LapSumming(2, 70000)});
    ComputeLapStatistics(file);
    EXPECT_EQ(file.fastestLapNumber, 0);
    EXPECT_EQ(file.sampleTimeTotal, 130000u);
}

TEST(ComputeLapStatisticsTest, FirstOfEqualLapsIsTheFastest)
{
    LogFile file = FileOf({LapSumming(3, 8000), LapSumming(7, 8000)});
    ComputeLapStatistics(file);
    EXPECT_EQ(file.fastestLapNumber, 3);
}

TEST(ComputeLapStatisticsTest, SamplesAfterTheLastLapLineAreNoFastestLap)
{
    // The lap without lap-end record that ends a file holds only a few trailing samples.
    LogFile file = FileOf({LapSumming(1, 9000), LapSumming(2, 8500), LapSumming(0, 40)});
    ComputeLapStatistics(file);
    EXPECT_EQ(file.fastestLapNumber, 2);
    EXPECT_EQ(file.sampleTimeTotal, 17540u);
    EXPECT_STREQ(file.laps[2].sampleTimeText, "0:00.40");
}

// ---- Channel extremes ----------------------------------------------------------------------------

class ChannelExtremesTest : public ::testing::Test {
protected:
    // Two samples; word k is 100 + k in the first and 200 - k in the second, a third beyond the
    // sample count holds 1000 and 1 alternately.
    void SetUp() override
    {
        SampleRec first = Sample(10);
        SampleRec second = Sample(10);
        SampleRec beyond = Sample(10);
        for (int k = 0; k < 12; ++k) {
            first.channelWords[k] = 100 + k;
            second.channelWords[k] = 200 - k;
            beyond.channelWords[k] = k % 2 == 0 ? 1 : 1000;
        }
        lap = LapOf(1, {first, second, beyond});
        lap.sampleCount = 2;
    }

    // Minimum or maximum of word k over the first `count` samples.
    std::int32_t Over(int count, int k, bool minimum) const
    {
        std::int32_t value = static_cast<std::int32_t>(lap.samples[0].channelWords[k]);
        for (int i = 1; i < count; ++i) {
            const auto next = static_cast<std::int32_t>(lap.samples[i].channelWords[k]);
            value = minimum ? std::min(value, next) : std::max(value, next);
        }
        return value;
    }

    Lap lap;
};

TEST_F(ChannelExtremesTest, EachExtremeTakesItsWordOverItsSamples)
{
    ComputeChannelExtremes(lap);
    const std::array<std::pair<int, bool>, 12> rules = {{{1, false}, {0, true}, {3, false}, {2, true},
                                                         {4, true}, {5, false}, {6, true}, {7, false},
                                                         {8, true}, {9, false}, {10, true}, {11, false}}};
    for (int e = 0; e < 12; ++e) {
        const int samples = e < 8 ? 2 : 3; // the last four look at every sample
        EXPECT_EQ(lap.channelExtremes[e], Over(samples, rules[e].first, rules[e].second)) << "extreme " << e + 1;
    }
}

TEST_F(ChannelExtremesTest, MinimaWithoutSamplesStayMinusOne)
{
    lap.sampleCount = 0;
    ComputeChannelExtremes(lap);
    const int minima[] = {1, 3, 4, 6};
    const int maxima[] = {0, 2, 5, 7};
    for (int e : minima)
        EXPECT_EQ(lap.channelExtremes[e], -1) << "extreme " << e + 1;
    for (int e : maxima)
        EXPECT_EQ(lap.channelExtremes[e], 0) << "extreme " << e + 1;
    EXPECT_EQ(lap.channelExtremes[8], 1);     // minimum of word 8 over all samples
    EXPECT_EQ(lap.channelExtremes[9], 1000);  // maximum of word 9
}

TEST_F(ChannelExtremesTest, SampleCountBeyondTheSamplesTakesThemAll)
{
    lap.sampleCount = 40;
    ComputeChannelExtremes(lap);
    EXPECT_EQ(lap.channelExtremes[0], 1000); // maximum of word 1 now sees the third sample
    EXPECT_EQ(lap.channelExtremes[1], 1);
}

// ---- Signed value peaks --------------------------------------------------------------------------

TEST(SignedValuePeaksTest, PeakIsTheMagnitudeOfEverySignedByte)
{
    for (int value = -128; value <= 127; ++value) {
        const auto byte = static_cast<std::int8_t>(value);
        Lap lap = LapOf(1, {DecodedSample(byte, 0), DecodedSample(0, byte)});
        ComputeChannelExtremes(lap);
        EXPECT_EQ(lap.signedValuePeaks[1], std::abs(value)) << "byte 32 = " << value;
        EXPECT_EQ(lap.signedValuePeaks[0], std::abs(value)) << "byte 33 = " << value;
        EXPECT_FLOAT_EQ(lap.signedValuePeaksScaled[1], static_cast<float>(std::abs(value) / 10.0));
    }
}

TEST(SignedValuePeaksTest, PeaksTakeTheLargestMagnitudeOfTheLapsOwnSamples)
{
    Lap lap = LapOf(1, {DecodedSample(12, -3), DecodedSample(-31, 25), DecodedSample(7, -40),
                        DecodedSample(-90, 90)});
    lap.sampleCount = 3; // the last sample is not the lap's own
    ComputeChannelExtremes(lap);
    EXPECT_EQ(lap.signedValuePeaks[0], 40); // B
    EXPECT_EQ(lap.signedValuePeaks[1], 31); // A
    EXPECT_FLOAT_EQ(lap.signedValuePeaksScaled[0], 4.0f);
    EXPECT_FLOAT_EQ(lap.signedValuePeaksScaled[1], 3.1f);
}

// ---- Longest marked lap --------------------------------------------------------------------------

class LongestMarkedLapTest : public ::testing::Test {
protected:
    static Lap Timed(std::uint32_t time, std::uint32_t distance, bool base, bool overlay)
    {
        Lap lap;
        lap.lapTime = time;
        lap.distance = distance;
        lap.baseLapMark = base ? 0xFF : 0;
        lap.overlayMark = overlay ? 0xFF : 0;
        return lap;
    }

    void SetUp() override
    {
        core.LogFiles.push_back(FileOf({Timed(7000, 900, true, false), Timed(9999, 5000, false, false)}));
        core.LogFiles.push_back(FileOf({Timed(6500, 1200, false, true), Timed(6000, 800, false, true)}));
        core.MapFiles.push_back(FileOf({Timed(50000, 90000, true, true)})); // course maps are not compared
    }

    LapDataCore core;
};

TEST_F(LongestMarkedLapTest, LongestTimeOverBaseAndOverlayLaps)
{
    EXPECT_EQ(FindLongestMarkedLap(core, 1), 7000u);
    EXPECT_EQ(core.MarkedLapCount, 3);
}

TEST_F(LongestMarkedLapTest, LongestDistanceOverBaseAndOverlayLaps)
{
    EXPECT_EQ(FindLongestMarkedLap(core, 0), 1200u);
    EXPECT_EQ(core.MarkedLapCount, 3);
}

TEST_F(LongestMarkedLapTest, NothingMarkedGivesZero)
{
    for (LogFile& file : core.LogFiles)
        for (Lap& lap : file.laps)
            lap.baseLapMark = lap.overlayMark = 0;
    core.MarkedLapCount = 5;
    EXPECT_EQ(FindLongestMarkedLap(core, 1), 0u);
    EXPECT_EQ(core.MarkedLapCount, 0);
}

// ---- Generated sessions --------------------------------------------------------------------------

TEST(GeneratedLapStatisticsTest, StatisticsMatchTheGeneratedRecords)
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
        std::uint32_t total = 0;
        for (std::size_t k = 0; k < session.laps.size(); ++k) {
            const samplegen::ExpectedLap& expected = session.laps[k];
            const samplegen::ChannelTruth& truth = expected.channels;
            const Lap& lap = file.laps[k];
            SCOPED_TRACE("rate mode " + std::to_string(rateMode) + " lap " + std::to_string(expected.number));
            // Every sample of a generated lap has a time step, so the sum is the lap time.
            EXPECT_EQ(lap.sampleTimeSum, expected.lapTime);
            char text[16];
            FormatLapTimeA(expected.lapTime, text);
            EXPECT_STREQ(lap.sampleTimeText, text);
            const int maxima[] = {1, 3, 5, 7, 9, 11};
            const int minima[] = {0, 2, 4, 6, 8, 10};
            const int maximumAt[] = {0, 2, 5, 7, 9, 11}; // lap field of each maximum word
            const int minimumAt[] = {1, 3, 4, 6, 8, 10};
            for (int i = 0; i < 6; ++i) {
                EXPECT_EQ(lap.channelExtremes[maximumAt[i]], truth.wordMax[maxima[i]]) << "word " << maxima[i];
                EXPECT_EQ(lap.channelExtremes[minimumAt[i]], truth.wordMin[minima[i]]) << "word " << minima[i];
            }
            EXPECT_EQ(lap.signedValuePeaks[0], truth.peakB);
            EXPECT_EQ(lap.signedValuePeaks[1], truth.peakA);
            total += expected.lapTime;
            if (expected.lapTime < best) {
                best = expected.lapTime;
                fastest = expected.number;
            }
        }
        EXPECT_EQ(file.fastestLapNumber, fastest);
        EXPECT_EQ(file.sampleTimeTotal, total);
    }
}

} // namespace
} // namespace orvelo
