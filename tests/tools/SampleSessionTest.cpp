// The generator's entry points, its options, and the shape each variant promises.
#include "tools/SampleSession.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <numeric>
#include <set>
#include <string>

#include "RecordReading.h"

namespace {

using namespace samplegen;
using namespace recordtest;

Session Generate(Variant variant, int laps = 4) { return GenerateSession({.laps = laps, .variant = variant}); }

std::uint32_t SumOfLapTimes(const Session& s) {
  return std::accumulate(s.laps.begin(), s.laps.end(), 0u,
                         [](std::uint32_t t, const ExpectedLap& l) { return t + l.lapTime; });
}

// The time steps of the sample and lap-end records of the lap's range.
unsigned StepSum(const Session& s, const ExpectedLap& lap) {
  unsigned sum = 0;
  for (std::size_t r = lap.firstRecord; r < lap.endRecord; ++r) {
    sum += IsPosition(s.bytes, r) ? 0 : Word(s.bytes, r, 6);
  }
  return sum;
}

// The hemisphere letters at `offset` of the position records, '-' for none.
std::string Letters(const Session& s, std::size_t offset) {
  std::set<char> letters;
  for (const DrivenPoint& p : s.positions) {
    const char c = static_cast<char>(s.bytes[p.recordIndex * 64 + offset]);
    letters.insert(c == 0 ? '-' : c);
  }
  return std::string(letters.begin(), letters.end());
}

TEST(SampleSessionTest, OneSeedOneFileAndLapsOfDifferentTimes) {
  SessionOptions options;
  options.seed = 42;
  const Session s = GenerateSession(options);
  EXPECT_EQ(GenerateSession(options).bytes, s.bytes);
  options.seed = 43;
  EXPECT_NE(GenerateSession(options).laps[1].lapTime, s.laps[1].lapTime);
  ASSERT_EQ(s.laps.size(), 5u);
  std::set<std::uint32_t> times;
  for (const ExpectedLap& lap : s.laps) {
    EXPECT_TRUE(lap.lapTime > 3500u && lap.lapTime < 6000u) << lap.lapTime;
    times.insert(lap.lapTime);
  }
  EXPECT_GE(times.size(), 4u);
  EXPECT_EQ(s.bytes.size(), s.recordCount * 64);
  EXPECT_EQ(s.lowestLap, 1);
  EXPECT_EQ(s.highestLap, 5);
  EXPECT_EQ(s.totalTime, SumOfLapTimes(s));
}

TEST(SampleSessionTest, OptionsShapeTheSession) {
  const Session s = GenerateSession({.laps = 2, .otherKindEverySeconds = 5.0, .firstLapNumber = 12});
  ASSERT_EQ(s.laps.size(), 2u);
  EXPECT_EQ(s.laps[1].number, 13);
  EXPECT_EQ(Word(s.bytes, s.laps[1].endRecord - 2, 2), 13u) << "lap-end record of the second lap";
  std::size_t others = 0;
  for (const DrivenPoint& p : s.positions) {
    others += p.letter == 'X' && Letter(s.bytes, p.recordIndex) == 'X' && s.bytes[p.recordIndex * 64 + 37] == 'N';
  }
  EXPECT_NEAR(static_cast<double>(others), s.drivenSeconds / 5.0, 1.0) << "other kinds of record, with a fix";
  EXPECT_NEAR(GenerateSession({.durationSeconds = 600.0}).drivenSeconds, 600.0, 30.0);
  const Session circle = GenerateSession({.laps = 2, .circuit = CircuitShape::Circle});
  std::set<unsigned> speeds;
  for (const DrivenPoint& p : circle.positions) {
    speeds.insert(Word(circle.bytes, p.recordIndex, 18));
  }
  EXPECT_LE(*speeds.rbegin() - *speeds.begin(), 1u) << "a circle is driven at one speed";
}

// How each variant's file ends, and what every one of them keeps.
TEST(SampleSessionVariantTest, EachVariantEndsAsPromised) {
  struct Shape {
    Variant variant;
    char last;  // kind of the last whole record: 'E' lap end, 'L', 'G', '?' any
    LapClose lastClose;
    bool trailing, emptyLast;
    const char *latitudes, *longitudes;
  };
  const Shape shapes[] = {
      {Variant::Standard, 'L', LapClose::LapLine, false, true, "N", "E"},
      {Variant::NoGps, 'L', LapClose::LapLine, false, true, "-", "-"},
      {Variant::SouthernWestern, 'L', LapClose::LapLine, false, true, "S", "W"},
      {Variant::PrimeMeridian, 'L', LapClose::LapLine, false, true, "N", "EW"},
      {Variant::Equator, 'L', LapClose::LapLine, false, true, "NS", "E"},
      {Variant::OutLap, 'L', LapClose::LapLine, false, true, "N", "E"},
      {Variant::UnfinishedInLap, '?', LapClose::LapLine, true, false, "N", "E"},
      {Variant::EndsAfterLapEnd, 'E', LapClose::EndOfFile, false, false, "N", "E"},
      {Variant::LapClosedByGps, 'G', LapClose::GpsFix, true, false, "N", "E"},
      {Variant::PartialRecord, 'L', LapClose::LapLine, false, true, "N", "E"},
      {Variant::ZeroSpeedLap, 'L', LapClose::LapLine, false, true, "N", "E"},
      {Variant::NoPositionLap, 'L', LapClose::LapLine, false, true, "N", "E"},
      {Variant::NoPositionFinalLap, 'E', LapClose::EndOfFile, false, false, "N", "E"},
  };
  ASSERT_EQ(std::size(shapes), AllVariants().size());
  for (const Shape& shape : shapes) {
    SCOPED_TRACE(std::string(VariantName(shape.variant)));
    EXPECT_EQ(ParseVariant(VariantName(shape.variant)), shape.variant);
    const Session s = Generate(shape.variant);
    const std::size_t last = s.recordCount - 1;
    ASSERT_EQ(s.laps.size(), 4u);
    if (shape.last != '?') {
      EXPECT_EQ(IsLapEnd(s.bytes, last) ? 'E' : Letter(s.bytes, last), shape.last);
    }
    EXPECT_EQ(s.laps.back().closedBy, shape.lastClose);
    EXPECT_EQ(s.laps.back().lapTime, StepSum(s, s.laps.back())) << "the 'L' value or the running time";
    EXPECT_EQ(s.trailingLap.has_value(), shape.trailing);
    EXPECT_EQ(s.emptyLastLap.has_value(), shape.emptyLast);
    EXPECT_EQ(Letters(s, 37), shape.latitudes);
    EXPECT_EQ(Letters(s, 46), shape.longitudes);
    for (const ExpectedLap& lap : s.laps) {
      EXPECT_NEAR(lap.distance, 1200.0, 3.0) << "lap " << lap.number;
      EXPECT_TRUE(lap.gpsSign == s.hasGps || lap.positionRecords == 0) << "lap " << lap.number;
    }
    const bool partial = shape.variant == Variant::PartialRecord;
    EXPECT_EQ(s.bytes.size() - s.recordCount * 64, partial ? 37u : 0u) << "bytes of a cut record";
    EXPECT_EQ(s.expectedReadResult, partial ? -1 : 0);
    for (const DrivenPoint& p : s.positions) {
      ASSERT_TRUE(s.hasGps || U32(s.bytes, p.recordIndex * 64 + 38) + U32(s.bytes, p.recordIndex * 64 + 48) == 0);
    }
    if (s.hasGps) {
      EXPECT_LT(WorstProjectionError(s), 0.05);
    }
  }
  EXPECT_FALSE(ParseVariant("no-such-variant").has_value());
  const Session cut = GenerateSession({.variant = Variant::PartialRecord, .partialBytes = 100});
  EXPECT_EQ(cut.bytes.size() % 64, 63u) << "less than a record whatever the option says";
}

TEST(SampleSessionVariantTest, OutLapKeepsItsRecordsInLapOneAndItsLineAddsToTheFileTime) {
  const Session s = Generate(Variant::OutLap);
  std::size_t line = 0;
  while (!(IsPosition(s.bytes, line) && Letter(s.bytes, line) == 'L')) {
    ASSERT_FALSE(IsLapEnd(s.bytes, line++)) << "a lap end before the out-lap's line";
  }
  const ExpectedLap& first = s.laps[0];
  EXPECT_EQ(first.firstRecord, 0u) << "the out-lap records stay in lap 1";
  // Lap 1's samples and positions are those after the out-lap's line.
  unsigned samples = 0;
  unsigned positions = 0;
  for (std::size_t r = line + 1; r + 2 < first.endRecord; ++r) {
    (IsPosition(s.bytes, r) ? positions : samples) += 1;
  }
  EXPECT_EQ(first.sampleCount, samples + 1);
  EXPECT_EQ(first.positionCount, positions + 1);
  EXPECT_EQ(first.positionRecords, positions + 1);
  EXPECT_GT(Word(s.bytes, line, 30), 0u);
  EXPECT_EQ(s.totalTime, SumOfLapTimes(s) + Word(s.bytes, line, 30));
}

TEST(SampleSessionVariantTest, UnfinishedInLapAndLapClosedByAFix) {
  const Session in = Generate(Variant::UnfinishedInLap);
  EXPECT_EQ(*in.trailingLap, std::make_pair(in.laps.back().endRecord, in.recordCount));
  EXPECT_GT(in.positions.back().recordIndex - in.laps.back().endRecord, 100u) << "fixes after the last lap";

  const Session gps = Generate(Variant::LapClosedByGps);
  EXPECT_TRUE(IsLapEnd(gps.bytes, gps.recordCount - 2));
  EXPECT_EQ(Word(gps.bytes, gps.recordCount - 1, 30), 0u) << "the fix is taken on the lap end's tick";
  EXPECT_EQ(gps.laps.back().endRecord, gps.recordCount);
}

TEST(SampleSessionVariantTest, ZeroSpeedAndNoPositionLaps) {
  const Session zero = Generate(Variant::ZeroSpeedLap);
  for (std::size_t k = 0; k < zero.laps.size(); ++k) {
    EXPECT_EQ(zero.laps[k].zeroSpeed, k == 1) << "lap " << k + 1;
  }
  for (std::size_t r = zero.laps[1].firstRecord; r < zero.laps[1].endRecord; ++r) {
    ASSERT_EQ(Word(zero.bytes, r, IsPosition(zero.bytes, r) ? 18 : 14), 0u) << "Speed of record " << r;
  }

  const Session none = Generate(Variant::NoPositionLap);
  const ExpectedLap& lap = none.laps[1];
  EXPECT_EQ(lap.closedBy, LapClose::GpsFix) << "closed by the next lap's first fix";
  EXPECT_EQ(lap.positionCount, 1u);
  EXPECT_EQ(lap.positionRecords, 0u);
  EXPECT_EQ(Letter(none.bytes, lap.endRecord - 1), 'G');
  EXPECT_EQ(Generate(Variant::NoPositionFinalLap).laps.back().positionRecords, 0u);
}

TEST(SampleSessionMapTest, CourseMapHoldsOneLapWithTheMark) {
  SessionOptions options;
  const Session log = GenerateSession(options);
  const Session map = GenerateMapFile(options, 3, true);
  const ExpectedLap& source = log.laps[2];
  ASSERT_EQ(Records(map.bytes), source.endRecord - source.firstRecord);
  std::size_t line = 0;
  while (Letter(map.bytes, line) != 'L') {
    ++line;
  }
  for (std::size_t i = 0; i < map.bytes.size(); ++i) {
    ASSERT_EQ(map.bytes[i], i == line * 64 + 30 ? 0xFF : log.bytes[source.firstRecord * 64 + i]) << i;
  }
  ASSERT_EQ(map.laps.size(), 1u);
  EXPECT_TRUE(map.savedCourseMark);
  EXPECT_EQ(map.laps[0].number, 3);
  EXPECT_EQ(map.laps[0].endRecord, Records(map.bytes) - 1) << "records run through the lap end";
  EXPECT_EQ(map.laps[0].positionCount, source.positionCount);
  EXPECT_EQ(map.positions.back().recordIndex, Records(map.bytes) - 1);

  const Session unmarked = GenerateMapFile(options, 2, false);
  EXPECT_FALSE(unmarked.savedCourseMark);
  EXPECT_EQ(unmarked.laps.at(0).lapTime, log.laps[1].lapTime);
  EXPECT_TRUE(GenerateMapFile(options, 99, true).bytes.empty());
}

TEST(SampleSessionTest, RandomRecordsAreRepeatableAndMixed) {
  const Bytes a = GenerateRandomRecords(5, 500);
  EXPECT_EQ(a, GenerateRandomRecords(5, 500));
  EXPECT_NE(a, GenerateRandomRecords(6, 500));
  ASSERT_EQ(a.size(), 500u * 64);
  std::map<char, int> kinds;
  for (std::size_t r = 0; r < Records(a); ++r) {
    ++kinds[IsSample(a, r) ? 'S' : (IsLapEnd(a, r) ? 'E' : Letter(a, r))];
  }
  EXPECT_TRUE(kinds['S'] > 50 && kinds['E'] > 10 && kinds['L'] > 10) << "mostly records the reader knows";
}

TEST(SampleSessionTest, WriteBytesWritesExactlyAndReportsFailure) {
  const auto dir = std::filesystem::temp_directory_path() / "orvelo-samplegen-test";
  std::filesystem::create_directories(dir);
  const Bytes bytes = {1, 2, 3, 0, 255};
  ASSERT_TRUE(WriteBytes((dir / "session.dat").string(), bytes));
  std::ifstream in(dir / "session.dat", std::ios::binary);
  EXPECT_EQ(Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), bytes);
  EXPECT_FALSE(WriteBytes((dir / "missing" / "x.dat").string(), bytes));
  std::filesystem::remove_all(dir);
}

}  // namespace
