// Consistency of generated sessions at every sampling-rate mode: the records a
// reader sums, the offsets it trusts, the fixes it projects and the turns it
// integrates must all agree with the driven circuit.
#include "tools/SessionGenerator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "RecordReading.h"

namespace {

using namespace samplegen;
using namespace recordtest;

struct RateCase {
  int rateMode;
  int samplesPerSecond;  // 0: the mode's default
};

void PrintTo(const RateCase& c, std::ostream* os) { *os << "mode " << c.rateMode << ", " << c.samplesPerSecond << "/s"; }

class SessionGeneratorTest : public ::testing::TestWithParam<RateCase> {
 protected:
  static SessionOptions Options() {
    SessionOptions options;
    options.rateMode = GetParam().rateMode;
    options.samplesPerSecond = GetParam().samplesPerSecond;
    options.laps = 3;
    options.seed = 7;
    options.press1Range = 1;
    options.press2Range = 3;
    return options;
  }
  void SetUp() override { m_session = GenerateSession(Options()); }
  const std::vector<std::uint8_t>& Bytes() const { return m_session.bytes; }
  bool Dense() const { return GetParam().samplesPerSecond == 400; }

  Session m_session;
};

TEST_P(SessionGeneratorTest, SampleRecordsHoldTheRateModeAndOrderedMinMaxPairs) {
  for (std::size_t r = 0; r < Records(Bytes()); ++r) {
    if (IsPosition(Bytes(), r)) {
      continue;
    }
    const std::size_t at = r * 64;
    ASSERT_EQ(Bytes()[at + 4], GetParam().rateMode << 4) << "record " << r;
    for (std::size_t k = 0; k < 12; k += 2) {
      ASSERT_LE(Word(Bytes(), r, 8 + 2 * k), Word(Bytes(), r, 10 + 2 * k)) << "record " << r << " pair " << k;
    }
    for (std::size_t i = 36; i < 64; ++i) {
      ASSERT_EQ(Bytes()[at + i], 0) << "record " << r << " byte " << i;
    }
    if (!IsLapEnd(Bytes(), r)) {
      ASSERT_EQ(Word(Bytes(), r, 2), 0u);
    }
  }
}

TEST_P(SessionGeneratorTest, PositionRecordsHoldPlausibleChannelsAndValidFixes) {
  for (std::size_t r = 0; r < Records(Bytes()); ++r) {
    if (!IsPosition(Bytes(), r)) {
      continue;
    }
    const std::size_t at = r * 64;
    ASSERT_TRUE(Letter(Bytes(), r) == 'G' || Letter(Bytes(), r) == 'L') << r;
    ASSERT_EQ(Bytes()[at + 1], (3 << 6) | (1 << 4)) << "range codes of the options";
    ASSERT_LE(Word(Bytes(), r, 6), 200u) << "Press.1 within its range code's full scale";
    ASSERT_LE(Word(Bytes(), r, 8), 1000u);
    ASSERT_LE(Bytes()[at + 10], 200);
    ASSERT_LE(Bytes()[at + 11], 200);
    ASSERT_LE(Word(Bytes(), r, 12), 1023u);
    ASSERT_LE(Word(Bytes(), r, 14), 1023u);
    ASSERT_GE(Word(Bytes(), r, 16), 2000u);
    ASSERT_LE(Word(Bytes(), r, 16), 14500u);
    ASSERT_LE(Word(Bytes(), r, 18), 130u);
    ASSERT_GE(Bytes()[at + 22], 1);
    ASSERT_LE(Bytes()[at + 22], 6);
    ASSERT_GE(Bytes()[at + 23], 12);
    ASSERT_LE(Bytes()[at + 23], 14);
    ASSERT_LE(std::abs(S8(Bytes(), at + 24)), 90);
    ASSERT_EQ(Bytes()[at + 37], 'N');
    ASSERT_EQ(Bytes()[at + 46], 'E');
    ASSERT_EQ(Bytes()[at + 59], '1');
    for (std::size_t i : {36, 47, 56, 57, 58, 60, 61, 62, 63}) {
      ASSERT_EQ(Bytes()[at + i], 0) << "record " << r << " byte " << i;
    }
  }
}

TEST_P(SessionGeneratorTest, EachLapLineFollowsItsLapEndAndCarriesTheSumOfSteps) {
  unsigned sum = 0;
  int lap = 0;
  for (std::size_t r = 0; r < Records(Bytes()); ++r) {
    if (!IsPosition(Bytes(), r)) {
      sum += Word(Bytes(), r, 6);
      if (IsLapEnd(Bytes(), r)) {
        EXPECT_EQ(Word(Bytes(), r, 2), static_cast<unsigned>(lap + 1));
        ASSERT_LT(r + 1, Records(Bytes()));
        EXPECT_EQ(Letter(Bytes(), r + 1), 'L') << "nothing between a lap end and its lap line";
      }
    } else if (Letter(Bytes(), r) == 'L') {
      ASSERT_TRUE(IsLapEnd(Bytes(), r - 1));
      EXPECT_EQ(Word(Bytes(), r, 30), sum) << "lap " << lap + 1;
      EXPECT_EQ(Word(Bytes(), r, 2), static_cast<unsigned>(lap + 1)) << "lap-line word";
      EXPECT_EQ(Word(Bytes(), r, 20), 0u) << "no distance since its lap end";
      ASSERT_LT(static_cast<std::size_t>(lap), m_session.laps.size());
      EXPECT_EQ(m_session.laps[lap].lapTime, sum);
      sum = 0;
      ++lap;
    }
  }
  EXPECT_EQ(lap, 3);
}

TEST_P(SessionGeneratorTest, OffsetsStayWithinTheNextSampleStep) {
  std::size_t checked = 0;
  for (std::size_t r = 0; r < Records(Bytes()); ++r) {
    if (!IsPosition(Bytes(), r) || Letter(Bytes(), r) != 'G') {
      continue;
    }
    std::size_t next = r + 1;
    while (next < Records(Bytes()) && IsPosition(Bytes(), next)) {
      ++next;
    }
    if (next == Records(Bytes())) {
      continue;
    }
    ASSERT_LE(Word(Bytes(), r, 20), Word(Bytes(), next, 34)) << "distance offset of record " << r;
    if (Dense()) {
      ASSERT_LE(Word(Bytes(), r, 30), Word(Bytes(), next, 6)) << "fix time offset of record " << r;
    } else {
      ASSERT_LT(Word(Bytes(), r, 30), Word(Bytes(), next, 6)) << "fix time offset of record " << r;
    }
    ++checked;
  }
  EXPECT_GT(checked, 300u);
}

TEST_P(SessionGeneratorTest, RecordRatesFollowTheRateMode) {
  std::size_t samples = 0;
  std::size_t positions = 0;
  for (std::size_t r = 0; r < Records(Bytes()); ++r) {
    (IsPosition(Bytes(), r) ? positions : samples) += 1;
  }
  static constexpr int kDefaults[4] = {100, 25, 4, 100};
  const int perSecond = Dense() ? 400 : kDefaults[GetParam().rateMode];
  const double seconds = m_session.drivenSeconds;
  EXPECT_NEAR(samples / seconds, perSecond, perSecond * 0.02 + 0.1);
  EXPECT_NEAR(positions / seconds, GetParam().rateMode == 3 ? 20.0 : 10.0, 0.2);
}

TEST_P(SessionGeneratorTest, GpsFixesProjectOntoTheDrivenPositions) {
  ASSERT_EQ(m_session.positions.size(), [&] {
    std::size_t n = 0;
    for (std::size_t r = 0; r < Records(Bytes()); ++r) {
      n += IsPosition(Bytes(), r) ? 1 : 0;
    }
    return n;
  }());
  for (const ExpectedLap& lap : m_session.laps) {
    const DrivenPoint* first = nullptr;
    Fix origin;
    for (const DrivenPoint& point : m_session.positions) {
      if (point.recordIndex < lap.firstRecord || point.recordIndex >= lap.endRecord) {
        continue;
      }
      ASSERT_TRUE(IsPosition(Bytes(), point.recordIndex));
      ASSERT_EQ(Letter(Bytes(), point.recordIndex), point.letter);
      const Fix fix = ReadFix(Bytes(), point.recordIndex);
      if (first == nullptr) {
        first = &point;
        origin = fix;
        continue;
      }
      double east = 0.0;
      double north = 0.0;
      Project(origin, fix, east, north);
      ASSERT_NEAR(east, point.east - first->east, 0.05) << "record " << point.recordIndex;
      ASSERT_NEAR(north, point.north - first->north, 0.05) << "record " << point.recordIndex;
    }
    ASSERT_NE(first, nullptr);
  }
}

TEST_P(SessionGeneratorTest, DeadReckoningFromSpeedAndLateralGClosesEachLap) {
  static constexpr float kPeriods[4] = {0.01f, 0.04f, 0.25f, 0.0025f};
  const float period = kPeriods[GetParam().rateMode];
  const float factor = GetParam().rateMode == 3 ? 0.013888f : 0.02777f;
  for (const ExpectedLap& lap : m_session.laps) {
    double heading = 0.0;
    double x = 0.0;
    double y = 0.0;
    double length = 0.0;
    for (std::size_t r = lap.firstRecord; r < lap.endRecord; ++r) {
      if (!IsPosition(Bytes(), r)) {
        continue;
      }
      const float step = factor * static_cast<float>(Word(Bytes(), r, 18));
      const float turn = static_cast<float>(S8(Bytes(), r * 64 + 4)) * 0.98f * period;
      if (step != 0.0f) {
        heading += turn / step;
      }
      x += std::cos(heading) * step;
      y += std::sin(heading) * step;
      length += step;
    }
    // Driven clockwise, with G Horiz. positive turning right: one full turn.
    EXPECT_NEAR(heading, 2.0 * 3.141592653589793, 0.15) << "lap " << lap.number;
    EXPECT_NEAR(length, m_session.circuitLength, 0.02 * m_session.circuitLength);
    EXPECT_LT(std::hypot(x, y), 15.0) << "lap " << lap.number;
  }
}

TEST_P(SessionGeneratorTest, SampleWordsBracketThePositionChannels) {
  std::size_t checked = 0;
  for (std::size_t r = 1; r < Records(Bytes()); ++r) {
    if (!IsPosition(Bytes(), r) || Letter(Bytes(), r) != 'G') {
      continue;
    }
    // A fix taken on the tick of the sample just before it belongs to that
    // sample's interval, otherwise to the next sample's.
    std::size_t sample = r - 1;
    if (!(!IsPosition(Bytes(), sample) && Word(Bytes(), r, 30) == 0)) {
      sample = r + 1;
      while (sample < Records(Bytes()) && IsPosition(Bytes(), sample)) {
        ++sample;
      }
      if (sample == Records(Bytes())) {
        continue;
      }
    }
    const std::pair<std::size_t, std::size_t> channels[] = {{16, 8}, {12, 16}, {14, 20}, {6, 24}, {8, 28}};
    for (const auto& [positionOffset, wordOffset] : channels) {
      const unsigned value = Word(Bytes(), r, positionOffset);
      ASSERT_GE(value, Word(Bytes(), sample, wordOffset)) << "record " << r << " offset " << positionOffset;
      ASSERT_LE(value, Word(Bytes(), sample, wordOffset + 2)) << "record " << r << " offset " << positionOffset;
    }
    ++checked;
  }
  EXPECT_GT(checked, 300u);
}

TEST_P(SessionGeneratorTest, ClockAndRecordWordsCountUp) {
  unsigned long lastClock = 0;
  unsigned lastWord = 0;
  for (std::size_t r = 0; r < Records(Bytes()); ++r) {
    if (!IsPosition(Bytes(), r)) {
      continue;
    }
    const unsigned long clock = U32(Bytes(), r * 64 + 32);
    if (lastClock == 0) {
      EXPECT_EQ(clock, 143000u);
    }
    ASSERT_GE(clock, lastClock);
    ASSERT_LT(clock % 100, 60u);
    ASSERT_LT(clock / 100 % 100, 60u);
    lastClock = clock;
    if (Letter(Bytes(), r) == 'G') {
      ASSERT_EQ(Word(Bytes(), r, 2), lastWord + 1);
      lastWord = Word(Bytes(), r, 2);
    }
  }
  EXPECT_GT(lastClock, 143000u + 100u) << "more than a minute driven";
}

TEST_P(SessionGeneratorTest, LapTruthMatchesAnIndependentCount) {
  std::size_t first = 0;
  std::size_t lap = 0;
  unsigned samples = 0;
  unsigned positions = 0;
  unsigned distance = 0;
  unsigned rpmMax = 0;
  for (std::size_t r = 0; r < Records(Bytes()); ++r) {
    if (IsSample(Bytes(), r)) {
      ++samples;
      distance += Word(Bytes(), r, 34);
      rpmMax = std::max(rpmMax, Word(Bytes(), r, 10));
    } else if (IsLapEnd(Bytes(), r)) {
      distance += Word(Bytes(), r, 34);
      rpmMax = std::max(rpmMax, Word(Bytes(), r, 10));
      ASSERT_LT(lap, m_session.laps.size());
      const ExpectedLap& truth = m_session.laps[lap];
      EXPECT_EQ(truth.sampleCount, samples + 1);
      EXPECT_EQ(truth.positionCount, positions + 1);
      EXPECT_EQ(truth.recordCount, r + 1);
      EXPECT_EQ(truth.distance, distance);
      EXPECT_EQ(truth.firstRecord, first);
      EXPECT_EQ(truth.endRecord, r + 2) << "through its lap line";
      EXPECT_EQ(truth.positionRecords, positions + 1);
      EXPECT_EQ(truth.channels.wordMax[1], rpmMax);
      EXPECT_TRUE(truth.gpsSign);
      EXPECT_EQ(truth.closedBy, LapClose::LapLine);
    } else {
      ++positions;
      if (Letter(Bytes(), r) == 'L') {
        first = r + 1;
        ++lap;
        samples = positions = distance = rpmMax = 0;
      }
    }
  }
  EXPECT_EQ(lap, 3u);
  EXPECT_EQ(m_session.lapCount, 3u);
  ASSERT_TRUE(m_session.emptyLastLap.has_value());
  EXPECT_EQ(m_session.emptyLastLap->first, Records(Bytes()));
}

INSTANTIATE_TEST_SUITE_P(RateModes, SessionGeneratorTest,
                         ::testing::Values(RateCase{0, 0}, RateCase{1, 0}, RateCase{2, 0}, RateCase{3, 0},
                                           RateCase{3, 400}),
                         [](const ::testing::TestParamInfo<RateCase>& info) {
                           return "Mode" + std::to_string(info.param.rateMode) +
                                  (info.param.samplesPerSecond == 400 ? "Dense" : "");
                         });

}  // namespace
