#include "tools/LapTruthTracker.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using namespace samplegen;

class LapTruthTrackerTest : public ::testing::Test {
 protected:
  void Sample(std::uint16_t step, std::uint16_t distance, std::uint16_t rpmMax = 0) {
    m_words[1] = rpmMax;
    m_tracker.OnSample(false, 0, step, distance, m_words.data(), 0, 0);
  }
  void LapEnd(std::uint16_t lap, std::uint16_t step, std::uint16_t distance) {
    m_words[1] = 0;
    m_tracker.OnSample(true, lap, step, distance, m_words.data(), 0, 0);
  }
  void Fix(bool valid = true) { m_tracker.OnPosition('G', 3, valid, 50, 9000); }
  void Line(std::uint16_t lapTime, bool valid = true) { m_tracker.OnPosition('L', lapTime, valid, 50, 9000); }
  Session Finish(bool partial = false) {
    Session s;
    m_tracker.Finish(s, partial);
    return s;
  }

  LapTruthTracker m_tracker;
  std::array<std::uint16_t, 12> m_words{};
};

TEST_F(LapTruthTrackerTest, LapClosedByLapLine) {
  Sample(20, 5);
  Fix();
  Sample(30, 7);
  LapEnd(3, 10, 2);
  Line(6543);
  const Session s = Finish();
  ASSERT_EQ(s.laps.size(), 1u);
  const ExpectedLap& lap = s.laps[0];
  EXPECT_EQ(lap.number, 3);
  EXPECT_EQ(lap.lapTime, 6543u);
  EXPECT_EQ(lap.distance, 14u);
  EXPECT_EQ(lap.sampleCount, 3u);
  EXPECT_EQ(lap.positionCount, 2u);
  EXPECT_EQ(lap.recordCount, 4u);
  EXPECT_EQ(lap.firstRecord, 0u);
  EXPECT_EQ(lap.endRecord, 5u);
  EXPECT_EQ(lap.positionRecords, 2u);
  EXPECT_EQ(lap.closedBy, LapClose::LapLine);
  EXPECT_TRUE(lap.gpsSign);
  EXPECT_EQ(s.lapCount, 1u);
  EXPECT_EQ(s.lowestLap, 3);
  EXPECT_EQ(s.highestLap, 3);
  EXPECT_EQ(s.totalTime, 6543u);
  EXPECT_EQ(s.totalDistance, 14u);
  EXPECT_FALSE(s.trailingLap.has_value());
  ASSERT_TRUE(s.emptyLastLap.has_value());
  EXPECT_EQ(*s.emptyLastLap, std::make_pair(std::size_t{5}, std::size_t{5}));
}

TEST_F(LapTruthTrackerTest, FixAfterLapEndClosesWithRunningTime) {
  Sample(20, 5);
  Fix();
  Sample(30, 7);
  LapEnd(3, 10, 2);
  Fix();
  const Session s = Finish();
  ASSERT_EQ(s.laps.size(), 1u);
  EXPECT_EQ(s.laps[0].lapTime, 60u);
  EXPECT_EQ(s.laps[0].closedBy, LapClose::GpsFix);
  EXPECT_EQ(s.laps[0].endRecord, 5u) << "the closing fix stays among the lap's records";
  EXPECT_EQ(s.laps[0].positionRecords, 1u) << "the closing fix opens the next lap";
  EXPECT_EQ(s.totalTime, 60u);
  ASSERT_TRUE(s.trailingLap.has_value());
  EXPECT_EQ(*s.trailingLap, std::make_pair(std::size_t{5}, std::size_t{5}));
  EXPECT_FALSE(s.emptyLastLap.has_value());
}

TEST_F(LapTruthTrackerTest, LapLineBeforeAnyLapEndClosesNothing) {
  Sample(10, 4);
  Fix();
  Line(1000);
  Sample(25, 6);
  Fix();
  LapEnd(1, 5, 1);
  Line(30);
  const Session s = Finish();
  ASSERT_EQ(s.laps.size(), 1u);
  EXPECT_EQ(s.laps[0].lapTime, 30u);
  EXPECT_EQ(s.laps[0].distance, 7u) << "the first line restarts the distance";
  EXPECT_EQ(s.laps[0].sampleCount, 3u) << "but not the sample count";
  EXPECT_EQ(s.laps[0].positionCount, 4u);
  EXPECT_EQ(s.laps[0].firstRecord, 0u);
  EXPECT_EQ(s.totalTime, 1030u);
}

TEST_F(LapTruthTrackerTest, LapEndAtEndOfFileClosesWithoutFreshLap) {
  Sample(10, 4);
  Fix();
  LapEnd(1, 5, 1);
  const Session s = Finish();
  ASSERT_EQ(s.laps.size(), 1u);
  EXPECT_EQ(s.laps[0].closedBy, LapClose::EndOfFile);
  EXPECT_EQ(s.laps[0].lapTime, 15u);
  EXPECT_EQ(s.totalTime, 15u);
  EXPECT_FALSE(s.emptyLastLap.has_value());
  EXPECT_FALSE(s.trailingLap.has_value());
}

TEST_F(LapTruthTrackerTest, UnfinishedLapGoesToTrailingLap) {
  Sample(10, 4);
  Fix();
  LapEnd(1, 5, 1);
  Line(15);
  Sample(10, 3);
  Fix();
  const Session s = Finish();
  ASSERT_EQ(s.laps.size(), 1u);
  ASSERT_TRUE(s.trailingLap.has_value());
  EXPECT_EQ(*s.trailingLap, std::make_pair(std::size_t{4}, std::size_t{6}));
}

TEST_F(LapTruthTrackerTest, PartialRecordStopsBeforeEndOfDataRules) {
  Sample(10, 4);
  Fix();
  LapEnd(1, 5, 1);
  const Session s = Finish(true);
  EXPECT_EQ(s.expectedReadResult, -1);
  EXPECT_TRUE(s.laps.empty()) << "the pending lap is not closed";
}

TEST_F(LapTruthTrackerTest, EmptyFile) {
  const Session s = Finish();
  EXPECT_TRUE(s.laps.empty());
  EXPECT_EQ(s.lowestLap, 1000);
  EXPECT_EQ(s.highestLap, 0);
  ASSERT_TRUE(s.emptyLastLap.has_value());
  EXPECT_EQ(s.expectedReadResult, 0);
}

TEST_F(LapTruthTrackerTest, GpsSignNeedsMoreValidThanInvalidFixes) {
  Sample(10, 4);
  Fix(true);
  Fix(false);
  LapEnd(1, 5, 1);
  Line(15, false);
  Sample(10, 4);
  Fix(true);
  LapEnd(2, 5, 1);
  Line(15, true);
  const Session s = Finish();
  ASSERT_EQ(s.laps.size(), 2u);
  EXPECT_FALSE(s.laps[0].gpsSign);
  EXPECT_TRUE(s.laps[1].gpsSign);
}

TEST_F(LapTruthTrackerTest, ChannelExtremesStartAfreshEachLap) {
  Sample(10, 4, 9000);
  Sample(10, 4, 12000);
  LapEnd(1, 5, 1);
  Line(25);
  Sample(10, 4, 8000);
  LapEnd(2, 5, 1);
  Line(15);
  const Session s = Finish();
  ASSERT_EQ(s.laps.size(), 2u);
  EXPECT_EQ(s.laps[0].channels.wordMax[1], 12000u);
  EXPECT_EQ(s.laps[0].channels.wordMin[1], 0u) << "the lap-end record's words count too";
  EXPECT_EQ(s.laps[1].channels.wordMax[1], 8000u);
}

TEST(LapTruthTrackerMapTest, CourseMapLapEndsAtItsLapEndRecordAndCarriesTheMark) {
  LapTruthTracker tracker(true);
  std::array<std::uint16_t, 12> words{};
  tracker.OnPosition('G', 0, true, 40, 8000);
  tracker.OnSample(false, 0, 10, 3, words.data(), 0, 0);
  tracker.OnSample(true, 7, 10, 3, words.data(), 0, 0);
  tracker.OnPosition('L', 0xFF14, true, 40, 8000);
  Session s;
  tracker.Finish(s, false);
  ASSERT_EQ(s.laps.size(), 1u);
  EXPECT_EQ(s.laps[0].number, 7);
  EXPECT_EQ(s.laps[0].firstRecord, 0u);
  EXPECT_EQ(s.laps[0].endRecord, 3u);
  EXPECT_EQ(s.laps[0].lapTime, 0xFF14u);
  EXPECT_TRUE(s.laps[0].savedCourseMark);
  EXPECT_TRUE(s.savedCourseMark);
  EXPECT_FALSE(s.emptyLastLap.has_value()) << "the course-map reader keeps no empty lap";
}

TEST(LapTruthTrackerMapTest, LargeLapTimeWithoutMarkByteIsNoCourse) {
  LapTruthTracker tracker(true);
  std::array<std::uint16_t, 12> words{};
  tracker.OnSample(true, 1, 10, 3, words.data(), 0, 0);
  tracker.OnPosition('L', 0xFE14, true, 40, 8000);
  Session s;
  tracker.Finish(s, false);
  ASSERT_EQ(s.laps.size(), 1u);
  EXPECT_FALSE(s.laps[0].savedCourseMark);
}

}  // namespace
