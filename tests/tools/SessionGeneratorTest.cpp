// Generated sessions at every sampling-rate mode: the records a reader sums,
// the offsets it trusts, the fixes it projects and the turns it integrates
// must all agree with the driven circuit and with the session's truth.
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

void PrintTo(const RateCase& c, std::ostream* os) {
  *os << "mode " << c.rateMode << ", " << c.samplesPerSecond << "/s";
}

class SessionGeneratorTest : public ::testing::TestWithParam<RateCase> {
 protected:
  void SetUp() override {
    m_session = GenerateSession({.seed = 7, .laps = 3, .rateMode = GetParam().rateMode,
                                 .samplesPerSecond = GetParam().samplesPerSecond, .press1Range = 1, .press2Range = 3});
  }
  const Bytes& B() const { return m_session.bytes; }
  bool Dense() const { return GetParam().samplesPerSecond == 400; }
  // The first sample or lap-end record after record r (Records() when none).
  std::size_t NextSample(std::size_t r) const {
    while (++r < Records(B()) && IsPosition(B(), r)) {
    }
    return r;
  }

  Session m_session;
};

TEST_P(SessionGeneratorTest, RecordsHoldTheOptionsRatesClockAndOffsets) {
  std::size_t samples = 0, zeroSteps = 0, positions = 0, offsetsChecked = 0;
  unsigned long lastClock = 0;
  unsigned lastWord = 0;
  for (std::size_t r = 0; r < Records(B()); ++r) {
    if (!IsPosition(B(), r)) {
      ++samples;
      zeroSteps += Word(B(), r, 6) == 0;
      ASSERT_EQ(B()[r * 64 + 4], GetParam().rateMode << 4) << r;
      ASSERT_TRUE(IsLapEnd(B(), r) || Word(B(), r, 2) == 0) << r;
      ASSERT_TRUE(!Dense() || Word(B(), r, 6) <= 1) << "steps of 2.5 ms are carried as 0 or 1, record " << r;
      for (std::size_t k = 8; k < 32; k += 4) {
        ASSERT_LE(Word(B(), r, k), Word(B(), r, k + 2)) << "min/max pair of record " << r << " offset " << k;
      }
      continue;
    }
    ++positions;
    ASSERT_EQ(B()[r * 64 + 1], (3 << 6) | (1 << 4)) << "range codes of the options, record " << r;
    ASSERT_LE(Word(B(), r, 6), 200u) << "Press.1 within its range's full scale, record " << r;
    const unsigned long clock = U32(B(), r * 64 + 32);
    ASSERT_EQ(clock, lastClock == 0 ? 143000u : std::max(clock, lastClock)) << "from 14:30:00 up, record " << r;
    ASSERT_TRUE(clock % 100 < 60 && clock / 100 % 100 < 60) << clock;
    lastClock = clock;
    const std::size_t next = NextSample(r);
    if (Letter(B(), r) == 'G' && next < Records(B())) {
      ASSERT_EQ(Word(B(), r, 2), ++lastWord) << "record word of " << r;
      ASSERT_LE(Word(B(), r, 20), Word(B(), next, 34)) << "distance offset of record " << r;
      // At 400 samples a second a fix may share its sample's 1/100 s.
      ASSERT_LE(Word(B(), r, 30) + (Dense() ? 0 : 1), Word(B(), next, 6)) << "time offset of record " << r;
      ++offsetsChecked;
    }
  }
  static constexpr int kDefaults[4] = {100, 25, 4, 100};
  const int perSecond = Dense() ? 400 : kDefaults[GetParam().rateMode];
  const double seconds = m_session.drivenSeconds;
  EXPECT_NEAR(samples / seconds, perSecond, perSecond * 0.02 + 0.1);
  EXPECT_NEAR(positions / seconds, GetParam().rateMode == 3 ? 20.0 : 10.0, 0.2);
  EXPECT_EQ(m_session.positions.size(), positions);
  EXPECT_GT(Word(B(), 0, 6), 0u) << "the first step is never 0";
  EXPECT_EQ(zeroSteps > 0, Dense()) << "only 400 samples a second leave steps of 0";
  EXPECT_GT(offsetsChecked, 300u);
  EXPECT_GT(lastClock, 143100u) << "more than a minute driven";
}

TEST_P(SessionGeneratorTest, GpsFixesProjectOntoTheDrivenPositions) {
  for (const DrivenPoint& p : m_session.positions) {
    ASSERT_EQ(Letter(B(), p.recordIndex), p.letter) << p.recordIndex;
  }
  EXPECT_LT(WorstProjectionError(m_session), 0.05);
}

TEST_P(SessionGeneratorTest, DeadReckoningFromSpeedAndLateralGClosesEachLap) {
  // Turned over the fixes' interval (0.1 s, or 0.05 s in mode 3), whatever the sample rate.
  const float period = GetParam().rateMode == 3 ? 0.0025f : 0.01f;
  const float factor = GetParam().rateMode == 3 ? 0.013888f : 0.02777f;
  for (const ExpectedLap& lap : m_session.laps) {
    double heading = 0.0;
    double x = 0.0;
    double y = 0.0;
    double length = 0.0;
    for (std::size_t r = lap.firstRecord; r < lap.endRecord; ++r) {
      if (!IsPosition(B(), r)) {
        continue;
      }
      const float step = factor * static_cast<float>(Word(B(), r, 18));
      if (step != 0.0f) {
        heading += static_cast<float>(S8(B(), r * 64 + 4)) * 0.98f * period / step;
      }
      x += std::cos(heading) * step;
      y += std::sin(heading) * step;
      length += step;
    }
    // Driven clockwise, with G Horiz. positive turning right: one full turn.
    EXPECT_NEAR(heading, 2.0 * 3.141592653589793, 0.15) << "lap " << lap.number;
    EXPECT_NEAR(length, m_session.circuitLength, 0.02 * m_session.circuitLength) << "lap " << lap.number;
    EXPECT_LT(std::hypot(x, y), 15.0) << "lap " << lap.number;
  }
}

TEST_P(SessionGeneratorTest, LapTruthMatchesAnIndependentCount) {
  // number, lap time, sample count, position count, record count, distance, record range, position
  // records, RPM max, valid GPS, closed by its 'L'
  using Row = std::vector<std::size_t>;
  std::vector<Row> counted;
  std::vector<Row> truth;
  for (const ExpectedLap& l : m_session.laps) {
    truth.push_back({static_cast<std::size_t>(l.number), l.lapTime, l.sampleCount, l.positionCount, l.recordCount,
                     l.distance, l.firstRecord, l.endRecord, l.positionRecords, l.channels.wordMax[1], l.gpsSign,
                     l.closedBy == LapClose::LapLine});
  }
  std::size_t first = 0;
  unsigned steps = 0, samples = 0, positions = 0, distance = 0, rpmMax = 0;
  for (std::size_t r = 0; r < Records(B()); ++r) {
    if (IsPosition(B(), r)) {
      ++positions;
      if (Letter(B(), r) == 'L') {
        // Right after its lap end, with the lap's number and time and no distance since.
        ASSERT_TRUE(IsLapEnd(B(), r - 1)) << r;
        EXPECT_EQ(Word(B(), r, 2), Word(B(), r - 1, 2)) << r;
        EXPECT_EQ(Word(B(), r, 30), steps) << r;
        EXPECT_EQ(Word(B(), r, 20), 0u) << r;
        first = r + 1;
        steps = samples = positions = distance = rpmMax = 0;
      }
      continue;
    }
    steps += Word(B(), r, 6);
    distance += Word(B(), r, 34);
    rpmMax = std::max(rpmMax, Word(B(), r, 10));  // the lap-end record's words count too
    if (IsLapEnd(B(), r)) {
      counted.push_back({Word(B(), r, 2), steps, samples + 1, positions + 1, r + 1, distance, first, r + 2,
                         positions + 1, rpmMax, 1, 1});
    }
    samples += IsSample(B(), r);
  }
  EXPECT_EQ(truth, counted);
  EXPECT_EQ(m_session.lapCount, 3u);
  EXPECT_EQ(m_session.emptyLastLap, std::make_pair(Records(B()), Records(B())));
}

TEST(LateralGTest, TheSameDrivingGivesTheSameGHorizAtEverySampleRate) {
  int largest[4] = {};
  for (int mode = 0; mode < 4; ++mode) {
    const Session session = GenerateSession({.seed = 7, .laps = 3, .rateMode = mode});
    for (std::size_t r = 0; r < Records(session.bytes); ++r) {
      if (IsPosition(session.bytes, r)) {
        largest[mode] = std::max(largest[mode], std::abs(S8(session.bytes, r * 64 + 4)));
      }
    }
  }
  EXPECT_GE(largest[0], 12) << "tenths of g on the tightest bend";
  for (int mode = 1; mode < 4; ++mode) {
    EXPECT_NEAR(largest[mode], largest[0], 1) << "rate mode " << mode;
  }
}

TEST(LongLapTest, LapsPastTheLapLinesTimeKeepTheirPositionsAndStopTheLineShortOfTheCourseMark) {
  const Session session = GenerateSession({.seed = 3, .laps = 2, .rateMode = 3, .samplesPerSecond = 20,
                                           .circuitLength = 20000.0});
  ASSERT_EQ(session.laps.size(), 2u);
  for (const ExpectedLap& lap : session.laps) {
    EXPECT_GT(lap.positionCount, 12000u) << lap.number;
    EXPECT_EQ(lap.lapTime, 0xFEFFu) << lap.number;
    EXPECT_EQ(Word(session.bytes, lap.endRecord - 1, 30), 0xFEFFu) << lap.number;
  }
}

INSTANTIATE_TEST_SUITE_P(RateModes, SessionGeneratorTest,
                         ::testing::Values(RateCase{0, 0}, RateCase{1, 0}, RateCase{2, 0}, RateCase{3, 0},
                                           RateCase{3, 400}),
                         [](const ::testing::TestParamInfo<RateCase>& info) {
                           return "Mode" + std::to_string(info.param.rateMode) +
                                  (info.param.samplesPerSecond == 400 ? "Dense" : "");
                         });

}  // namespace
