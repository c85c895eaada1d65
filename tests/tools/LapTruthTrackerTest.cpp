// Counting rules that generated sessions alone do not reach.
#include "tools/LapTruthTracker.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using namespace samplegen;

class LapTruthTrackerTest : public ::testing::Test {
 protected:
  void Sample(bool lapEnd = false, std::uint16_t lap = 0) {
    m_tracker.OnSample(lapEnd, lap, 10, 4, m_words.data(), 0, 0);
  }
  void Position(char letter, bool valid = true, std::uint16_t time = 15) {
    m_tracker.OnPosition(letter, time, valid, 50, 9000);
  }
  Session Finish(bool partial = false) {
    Session s;
    m_tracker.Finish(s, partial);
    return s;
  }

  LapTruthTracker m_tracker;
  std::array<std::uint16_t, 12> m_words{};
};

TEST_F(LapTruthTrackerTest, PartialRecordEndsALogFileButStopsACourseMapBeforeThePendingLapIsClosed) {
  LapTruthTracker map(true);
  for (LapTruthTracker* tracker : {&m_tracker, &map}) {
    tracker->OnSample(false, 0, 10, 4, m_words.data(), 0, 0);
    tracker->OnPosition('G', 15, true, 50, 9000);
    tracker->OnSample(true, 1, 10, 4, m_words.data(), 0, 0);
  }
  const Session log = Finish(true);
  Session course;
  map.Finish(course, true);
  EXPECT_EQ(log.expectedReadResult, -1);
  ASSERT_EQ(log.laps.size(), 1u);
  EXPECT_EQ(log.laps[0].closedBy, LapClose::EndOfFile);
  EXPECT_TRUE(course.laps.empty());
}

TEST_F(LapTruthTrackerTest, GpsSignNeedsMoreValidThanInvalidFixes) {
  Position('G', true);
  Sample(true, 1);
  Position('L', false);
  Position('G', false);
  Position('G', true);
  Sample(true, 2);
  Position('L', true);
  const Session s = Finish();
  ASSERT_EQ(s.laps.size(), 2u);
  EXPECT_FALSE(s.laps[0].gpsSign) << "as many valid as invalid";
  EXPECT_TRUE(s.laps[1].gpsSign);
}

TEST(LapTruthTrackerMapTest, OnlyALapTimeWithHighByte0xFFIsTheCourseMark) {
  for (const std::uint16_t time : {std::uint16_t{0xFF14}, std::uint16_t{0xFE14}}) {
    LapTruthTracker tracker(true);
    std::array<std::uint16_t, 12> words{};
    tracker.OnPosition('G', 0, true, 40, 8000);
    tracker.OnSample(true, 7, 10, 3, words.data(), 0, 0);
    tracker.OnPosition('L', time, true, 40, 8000);
    Session s;
    tracker.Finish(s, false);
    ASSERT_EQ(s.laps.size(), 1u);
    EXPECT_EQ(s.laps[0].savedCourseMark, time == 0xFF14) << time;
    EXPECT_EQ(s.savedCourseMark, time == 0xFF14) << time;
    EXPECT_EQ(s.laps[0].lapTime, time);
    EXPECT_EQ(s.laps[0].endRecord, 2u) << "a course-map lap ends at its lap-end record";
    EXPECT_FALSE(s.emptyLastLap.has_value()) << "the course-map reader keeps no empty lap";
  }
}

}  // namespace
