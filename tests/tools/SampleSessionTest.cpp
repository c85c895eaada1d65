// The generator's entry points and the shape each variant promises.
#include "tools/SampleSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "RecordReading.h"

namespace {

using namespace samplegen;
using namespace recordtest;

Session Generate(Variant variant, int laps = 4, int rateMode = 1) {
  SessionOptions options;
  options.variant = variant;
  options.laps = laps;
  options.rateMode = rateMode;
  return GenerateSession(options);
}

std::size_t LastRecord(const Session& s) { return Records(s.bytes) - 1; }

std::set<char> Hemispheres(const Session& s, std::size_t offset) {
  std::set<char> letters;
  for (std::size_t r = 0; r < Records(s.bytes); ++r) {
    if (IsPosition(s.bytes, r)) {
      letters.insert(static_cast<char>(s.bytes[r * 64 + offset]));
    }
  }
  return letters;
}

TEST(SampleSessionTest, SameSeedGivesSameBytesAndOtherSeedOtherBytes) {
  SessionOptions options;
  options.seed = 42;
  const Session a = GenerateSession(options);
  const Session b = GenerateSession(options);
  EXPECT_EQ(a.bytes, b.bytes);
  options.seed = 43;
  const Session c = GenerateSession(options);
  EXPECT_NE(a.bytes, c.bytes);
  EXPECT_NE(a.laps[1].lapTime, c.laps[1].lapTime);
}

TEST(SampleSessionTest, DefaultSessionIsAKartTrackWithLapsOfDifferentTimes) {
  const Session s = GenerateSession(SessionOptions{});
  ASSERT_EQ(s.laps.size(), 5u);
  std::set<std::uint32_t> times;
  for (const ExpectedLap& lap : s.laps) {
    EXPECT_NEAR(lap.distance, 1200.0, 3.0);
    EXPECT_GT(lap.lapTime, 3500u);
    EXPECT_LT(lap.lapTime, 6000u);
    times.insert(lap.lapTime);
  }
  EXPECT_GE(times.size(), 4u);
  EXPECT_EQ(s.bytes.size() % 64, 0u);
  EXPECT_EQ(s.recordCount, Records(s.bytes));
  EXPECT_EQ(s.lowestLap, 1);
  EXPECT_EQ(s.highestLap, 5);
  std::uint32_t total = 0;
  for (const ExpectedLap& lap : s.laps) {
    total += lap.lapTime;
  }
  EXPECT_EQ(s.totalTime, total);
}

TEST(SampleSessionTest, DurationDrivesAboutThatLong) {
  SessionOptions options;
  options.durationSeconds = 600.0;
  options.laps = 2;
  const Session s = GenerateSession(options);
  EXPECT_NEAR(s.drivenSeconds, 600.0, 30.0);
  EXPECT_GT(s.laps.size(), 10u);
}

TEST(SampleSessionTest, FirstLapNumberIsKept) {
  SessionOptions options;
  options.firstLapNumber = 12;
  options.laps = 2;
  const Session s = GenerateSession(options);
  ASSERT_EQ(s.laps.size(), 2u);
  EXPECT_EQ(s.laps[0].number, 12);
  EXPECT_EQ(s.laps[1].number, 13);
  EXPECT_EQ(Word(s.bytes, s.laps[1].endRecord - 2, 2), 13u);
}

TEST(SampleSessionTest, DenseModeThreeWritesEveryFourHundredthWithCarriedSteps) {
  SessionOptions options;
  options.rateMode = 3;
  options.samplesPerSecond = 400;
  options.laps = 1;
  const Session s = GenerateSession(options);
  std::size_t zeroSteps = 0;
  for (std::size_t r = 0; r < Records(s.bytes); ++r) {
    if (!IsPosition(s.bytes, r)) {
      ASSERT_LE(Word(s.bytes, r, 6), 1u);
      zeroSteps += Word(s.bytes, r, 6) == 0 ? 1 : 0;
    }
  }
  EXPECT_GT(zeroSteps, 0u);
  EXPECT_EQ(Word(s.bytes, 0, 6), 1u) << "the first step of a lap is never 0";
}

TEST(SampleSessionTest, CircleIsDrivenAtConstantSpeed) {
  SessionOptions options;
  options.circuit = CircuitShape::Circle;
  options.laps = 2;
  const Session s = GenerateSession(options);
  std::set<unsigned> speeds;
  for (std::size_t r = 0; r < Records(s.bytes); ++r) {
    if (IsPosition(s.bytes, r) && Letter(s.bytes, r) == 'G') {
      speeds.insert(Word(s.bytes, r, 18));
    }
  }
  EXPECT_LE(*speeds.rbegin() - *speeds.begin(), 1u);
}

TEST(SampleSessionTest, OtherKindRecordsReplaceSomeFixes) {
  SessionOptions options;
  options.laps = 2;
  options.otherKindEverySeconds = 5.0;
  const Session s = GenerateSession(options);
  std::size_t others = 0;
  for (const DrivenPoint& p : s.positions) {
    if (p.letter == 'X') {
      ++others;
      EXPECT_EQ(Letter(s.bytes, p.recordIndex), 'X');
      EXPECT_EQ(s.bytes[p.recordIndex * 64 + 37], 'N');
    }
  }
  EXPECT_NEAR(static_cast<double>(others), s.drivenSeconds / 5.0, 1.0);
}

TEST(SampleSessionVariantTest, NoGpsLeavesHemispheresAndCoordinatesZero) {
  const Session s = Generate(Variant::NoGps);
  EXPECT_FALSE(s.hasGps);
  for (std::size_t r = 0; r < Records(s.bytes); ++r) {
    if (IsPosition(s.bytes, r)) {
      ASSERT_EQ(s.bytes[r * 64 + 37], 0);
      ASSERT_EQ(s.bytes[r * 64 + 46], 0);
      ASSERT_EQ(U32(s.bytes, r * 64 + 38), 0u);
      ASSERT_EQ(U32(s.bytes, r * 64 + 48), 0u);
    }
  }
  for (const ExpectedLap& lap : s.laps) {
    EXPECT_FALSE(lap.gpsSign);
  }
}

TEST(SampleSessionVariantTest, SouthernWesternFixesUseSAndW) {
  const Session s = Generate(Variant::SouthernWestern);
  EXPECT_EQ(Hemispheres(s, 37), std::set<char>{'S'});
  EXPECT_EQ(Hemispheres(s, 46), std::set<char>{'W'});
  EXPECT_LT(s.originLatitude, 0.0);
  EXPECT_LT(s.originLongitude, 0.0);
  // Fixes in 'S' and 'W' still project onto the driven metres.
  const Fix origin = ReadFix(s.bytes, s.positions[0].recordIndex);
  const Fix far = ReadFix(s.bytes, s.positions[100].recordIndex);
  double east = 0.0;
  double north = 0.0;
  Project(origin, far, east, north);
  EXPECT_NEAR(east, s.positions[100].east - s.positions[0].east, 0.05);
  EXPECT_NEAR(north, s.positions[100].north - s.positions[0].north, 0.05);
}

TEST(SampleSessionVariantTest, PrimeMeridianAndEquatorCrossings) {
  const Session meridian = Generate(Variant::PrimeMeridian, 1);
  EXPECT_EQ(Hemispheres(meridian, 46), (std::set<char>{'E', 'W'}));
  EXPECT_EQ(Hemispheres(meridian, 37), std::set<char>{'N'});
  const Session equator = Generate(Variant::Equator, 1);
  EXPECT_EQ(Hemispheres(equator, 37), (std::set<char>{'N', 'S'}));
  for (const DrivenPoint& p : equator.positions) {
    EXPECT_EQ(p.latitude < 0.0, equator.bytes[p.recordIndex * 64 + 37] == 'S');
  }
}

TEST(SampleSessionVariantTest, OutLapLineComesBeforeAnyLapEndAndJoinsLapOne) {
  const Session s = Generate(Variant::OutLap);
  std::size_t firstLine = 0;
  while (!(IsPosition(s.bytes, firstLine) && Letter(s.bytes, firstLine) == 'L')) {
    ASSERT_FALSE(IsLapEnd(s.bytes, firstLine));
    ++firstLine;
  }
  const unsigned outLapTime = Word(s.bytes, firstLine, 30);
  EXPECT_GT(outLapTime, 0u);
  ASSERT_EQ(s.laps.size(), 4u);
  EXPECT_EQ(s.laps[0].firstRecord, 0u) << "the out-lap records stay in lap 1";
  unsigned samples = 0;
  for (std::size_t r = 0; r < s.laps[0].endRecord; ++r) {
    samples += IsSample(s.bytes, r) ? 1 : 0;
  }
  EXPECT_EQ(s.laps[0].sampleCount, samples + 1);
  std::uint32_t laps = 0;
  for (const ExpectedLap& lap : s.laps) {
    laps += lap.lapTime;
  }
  EXPECT_EQ(s.totalTime, laps + outLapTime) << "the out-lap line adds to the file time";
}

TEST(SampleSessionVariantTest, UnfinishedInLapHasFixesButNoLapEnd) {
  const Session s = Generate(Variant::UnfinishedInLap);
  ASSERT_EQ(s.laps.size(), 4u);
  ASSERT_TRUE(s.trailingLap.has_value());
  EXPECT_EQ(s.trailingLap->first, s.laps.back().endRecord);
  EXPECT_EQ(s.trailingLap->second, Records(s.bytes));
  std::size_t fixes = 0;
  for (std::size_t r = s.trailingLap->first; r < s.trailingLap->second; ++r) {
    ASSERT_FALSE(IsLapEnd(s.bytes, r));
    fixes += IsPosition(s.bytes, r) ? 1 : 0;
  }
  EXPECT_GT(fixes, 100u);
  EXPECT_FALSE(s.emptyLastLap.has_value());
}

TEST(SampleSessionVariantTest, EndsAfterLapEndHasNoFinalLapLine) {
  const Session s = Generate(Variant::EndsAfterLapEnd);
  EXPECT_TRUE(IsLapEnd(s.bytes, LastRecord(s)));
  ASSERT_EQ(s.laps.size(), 4u);
  const ExpectedLap& last = s.laps.back();
  EXPECT_EQ(last.closedBy, LapClose::EndOfFile);
  unsigned sum = 0;
  for (std::size_t r = last.firstRecord; r < last.endRecord; ++r) {
    sum += IsPosition(s.bytes, r) ? 0 : Word(s.bytes, r, 6);
  }
  EXPECT_EQ(last.lapTime, sum);
  EXPECT_FALSE(s.emptyLastLap.has_value());
  EXPECT_FALSE(s.trailingLap.has_value());
}

TEST(SampleSessionVariantTest, LapClosedByFixEndsWithAFixAfterTheLapEnd) {
  const Session s = Generate(Variant::LapClosedByGps);
  ASSERT_EQ(Letter(s.bytes, LastRecord(s)), 'G');
  EXPECT_TRUE(IsLapEnd(s.bytes, LastRecord(s) - 1));
  EXPECT_EQ(Word(s.bytes, LastRecord(s), 30), 0u) << "taken on the lap end's tick";
  const ExpectedLap& last = s.laps.back();
  EXPECT_EQ(last.closedBy, LapClose::GpsFix);
  EXPECT_EQ(last.endRecord, Records(s.bytes));
  ASSERT_TRUE(s.trailingLap.has_value()) << "the closing fix opens a lap of its own";
}

TEST(SampleSessionVariantTest, PartialRecordCutsTheLastRecord) {
  SessionOptions options;
  options.variant = Variant::PartialRecord;
  options.laps = 2;
  options.partialBytes = 100;  // more than a record: cut to 63
  const Session s = GenerateSession(options);
  EXPECT_EQ(s.bytes.size() % 64, 63u);
  EXPECT_EQ(s.expectedReadResult, -1);
  EXPECT_EQ(s.recordCount, s.bytes.size() / 64);
  options.partialBytes = 37;
  EXPECT_EQ(GenerateSession(options).bytes.size() % 64, 37u);
}

TEST(SampleSessionVariantTest, ZeroSpeedLapReadsZeroOnlyInLapTwo) {
  const Session s = Generate(Variant::ZeroSpeedLap);
  for (std::size_t k = 0; k < s.laps.size(); ++k) {
    const ExpectedLap& lap = s.laps[k];
    EXPECT_EQ(lap.zeroSpeed, k == 1) << "lap " << lap.number;
    for (std::size_t r = lap.firstRecord; r < lap.endRecord && k == 1; ++r) {
      ASSERT_EQ(Word(s.bytes, r, IsPosition(s.bytes, r) ? 18 : 14), 0u) << r;
    }
  }
}

TEST(SampleSessionVariantTest, NoPositionLapIsClosedByTheNextLapsFirstFix) {
  const Session s = Generate(Variant::NoPositionLap);
  ASSERT_EQ(s.laps.size(), 4u);
  const ExpectedLap& lap = s.laps[1];
  EXPECT_EQ(lap.closedBy, LapClose::GpsFix);
  EXPECT_EQ(lap.positionCount, 1u);
  EXPECT_EQ(lap.positionRecords, 0u);
  for (std::size_t r = lap.firstRecord; r + 1 < lap.endRecord; ++r) {
    ASSERT_FALSE(IsPosition(s.bytes, r)) << r;
  }
  EXPECT_EQ(Letter(s.bytes, lap.endRecord - 1), 'G');
  EXPECT_EQ(s.laps[2].closedBy, LapClose::LapLine);
}

TEST(SampleSessionVariantTest, NoPositionFinalLapEndsAfterItsLapEnd) {
  const Session s = Generate(Variant::NoPositionFinalLap);
  EXPECT_TRUE(IsLapEnd(s.bytes, LastRecord(s)));
  const ExpectedLap& last = s.laps.back();
  EXPECT_EQ(last.closedBy, LapClose::EndOfFile);
  EXPECT_EQ(last.positionRecords, 0u);
  for (std::size_t r = last.firstRecord; r < last.endRecord; ++r) {
    ASSERT_FALSE(IsPosition(s.bytes, r));
  }
}

TEST(SampleSessionVariantTest, EveryVariantHasANameThatParsesBack) {
  for (Variant v : AllVariants()) {
    EXPECT_EQ(ParseVariant(VariantName(v)), v);
  }
  EXPECT_FALSE(ParseVariant("no-such-variant").has_value());
}

TEST(SampleSessionMapTest, CourseMapHoldsOneLapWithTheMark) {
  SessionOptions options;
  options.laps = 4;
  const Session log = GenerateSession(options);
  const Session map = GenerateMapFile(options, 3, true);
  const ExpectedLap& source = log.laps[2];
  ASSERT_EQ(Records(map.bytes), source.endRecord - source.firstRecord);
  std::size_t firstLine = 0;
  while (Letter(map.bytes, firstLine) != 'L') {
    ++firstLine;
  }
  EXPECT_EQ(map.bytes[firstLine * 64 + 30], 0xFF);
  EXPECT_EQ(map.bytes[firstLine * 64 + 31], log.bytes[(source.firstRecord + firstLine) * 64 + 31]);
  for (std::size_t i = 0; i < map.bytes.size(); ++i) {
    if (i != firstLine * 64 + 30) {
      ASSERT_EQ(map.bytes[i], log.bytes[source.firstRecord * 64 + i]) << i;
    }
  }
  ASSERT_EQ(map.laps.size(), 1u);
  EXPECT_TRUE(map.savedCourseMark);
  EXPECT_TRUE(map.laps[0].savedCourseMark);
  EXPECT_GE(map.laps[0].lapTime, 0xFF00u);
  EXPECT_EQ(map.laps[0].number, 3);
  EXPECT_EQ(map.laps[0].endRecord, Records(map.bytes) - 1) << "records run through the lap end";
  EXPECT_EQ(map.laps[0].positionCount, source.positionCount);
  ASSERT_FALSE(map.positions.empty());
  EXPECT_EQ(map.positions.back().recordIndex, Records(map.bytes) - 1);
}

TEST(SampleSessionMapTest, UnmarkedCourseMapKeepsTheLapTime) {
  const Session map = GenerateMapFile(SessionOptions{}, 2, false);
  ASSERT_EQ(map.laps.size(), 1u);
  EXPECT_FALSE(map.savedCourseMark);
  EXPECT_LT(map.laps[0].lapTime, 60000u);
}

TEST(SampleSessionMapTest, MissingLapGivesNoBytes) {
  EXPECT_TRUE(GenerateMapFile(SessionOptions{}, 99, true).bytes.empty());
}

TEST(SampleSessionRandomTest, RandomRecordsAreRepeatableAndMixed) {
  const auto a = GenerateRandomRecords(5, 500);
  EXPECT_EQ(a.size(), 500u * 64);
  EXPECT_EQ(a, GenerateRandomRecords(5, 500));
  EXPECT_NE(a, GenerateRandomRecords(6, 500));
  std::size_t samples = 0;
  std::size_t lapEnds = 0;
  std::size_t lines = 0;
  for (std::size_t r = 0; r < Records(a); ++r) {
    samples += IsSample(a, r) ? 1 : 0;
    lapEnds += IsLapEnd(a, r) ? 1 : 0;
    lines += IsPosition(a, r) && Letter(a, r) == 'L' ? 1 : 0;
  }
  EXPECT_GT(samples, 50u);
  EXPECT_GT(lapEnds, 10u);
  EXPECT_GT(lines, 10u);
  EXPECT_TRUE(GenerateRandomRecords(1, 0).empty());
}

TEST(SampleSessionFileTest, WriteBytesWritesExactlyAndReportsFailure) {
  const auto dir = std::filesystem::temp_directory_path() / "orvelo-samplegen-test";
  std::filesystem::create_directories(dir);
  const auto path = (dir / "session.dat").string();
  const std::vector<std::uint8_t> bytes = {1, 2, 3, 0, 255};
  ASSERT_TRUE(WriteBytes(path, bytes));
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(back, bytes);
  EXPECT_FALSE(WriteBytes((dir / "missing" / "x.dat").string(), bytes));
  std::filesystem::remove_all(dir);
}

TEST(SampleSessionGeoTest, OffsetsRoundTripThroughTheReaderProjection) {
  for (const auto& [lat, lon] : {std::pair{35.37126, 138.92741}, std::pair{-23.70135, -46.69712},
                                 std::pair{64.999, 10.5}, std::pair{0.0015, -0.002}}) {
    const GeoPoint origin = OffsetToLatLon(lat, lon, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(origin.latitude, lat);
    for (const auto& [east, north] : {std::pair{250.0, -130.0}, std::pair{-400.0, 90.0}}) {
      const GeoPoint p = OffsetToLatLon(lat, lon, east, north);
      const double radius = 6378000.0 * std::cos(std::trunc(std::fabs(p.latitude)) * 0.017453292522222223);
      EXPECT_NEAR((p.longitude - lon) * 0.017453292522222223 * radius, east, 1e-6);
      EXPECT_NEAR((p.latitude - lat) * 0.017453292522222223 * 6357000.0, north, 1e-6);
    }
  }
}

}  // namespace
