#include "tools/RecordBuilder.h"

#include <gtest/gtest.h>

#include <vector>

#include "RecordReading.h"

namespace {

using namespace samplegen;
using recordtest::S8;
using recordtest::U16;
using recordtest::U32;

std::vector<std::uint8_t> Build(const SampleFields& fields) {
  std::vector<std::uint8_t> bytes(64, 0xAA);
  WriteSampleRecord(bytes.data(), fields);
  return bytes;
}

std::vector<std::uint8_t> Build(const PositionFields& fields) {
  std::vector<std::uint8_t> bytes(64, 0xAA);
  WritePositionRecord(bytes.data(), fields);
  return bytes;
}

SampleFields DistinctSample(bool lapEnd) {
  SampleFields f;
  f.lapEnd = lapEnd;
  f.lapNumber = 0x1234;
  f.sampleFlag = 1;
  f.code = 5;
  f.rateMode = 3;
  f.twoDigitValue = 47;
  f.timeStep = 0xBEEF;
  for (std::size_t k = 0; k < 12; ++k) {
    f.words[k] = static_cast<std::uint16_t>(0x0102 * (k + 1) + 0x8000 * (k % 2));
  }
  f.valueA = -10;
  f.valueB = 127;
  f.distanceStep = 0xA1B2;
  return f;
}

TEST(RecordBuilderTest, SampleRecordPutsEveryFieldAtItsOffset) {
  const auto b = Build(DistinctSample(false));
  EXPECT_EQ(U16(b, 0), 0xEEEEu);
  EXPECT_EQ(U16(b, 2), 0u) << "a sample record carries no lap number";
  EXPECT_EQ(b[4], (3 << 4) | (5 << 1) | 1);
  EXPECT_EQ(b[5], 47);
  EXPECT_EQ(U16(b, 6), 0xBEEFu);
  for (std::size_t k = 0; k < 12; ++k) {
    EXPECT_EQ(U16(b, 8 + 2 * k), 0x0102u * (k + 1) + 0x8000u * (k % 2)) << "word " << k;
  }
  EXPECT_EQ(S8(b, 32), -10);
  EXPECT_EQ(b[32], 0xF6);
  EXPECT_EQ(S8(b, 33), 127);
  EXPECT_EQ(U16(b, 34), 0xA1B2u);
  for (std::size_t i = 36; i < 64; ++i) {
    EXPECT_EQ(b[i], 0) << "byte " << i;
  }
}

TEST(RecordBuilderTest, LapEndRecordCarriesItsLapNumber) {
  const auto b = Build(DistinctSample(true));
  EXPECT_EQ(U16(b, 0), 0xFFFFu);
  EXPECT_EQ(U16(b, 2), 0x1234u);
  EXPECT_EQ(U16(b, 6), 0xBEEFu);
  EXPECT_EQ(U16(b, 34), 0xA1B2u);
}

TEST(RecordBuilderTest, SampleBitFieldsDoNotSpillIntoEachOther) {
  SampleFields f;
  f.rateMode = 0xFF;  // only two bits may reach the record
  f.code = 0xFF;
  f.sampleFlag = 0xFF;
  EXPECT_EQ(Build(f)[4], 0x3F);
  f = SampleFields{};
  f.rateMode = 2;
  EXPECT_EQ(Build(f)[4], 0x20);
}

PositionFields DistinctPosition() {
  PositionFields f;
  f.letter = 'G';
  f.code = 6;
  f.press1Range = 2;
  f.press2Range = 3;
  f.word = 0x4321;
  f.gHoriz = -128;
  f.gVert = 12;
  f.press1 = 0x1357;
  f.press2 = 0x2468;
  f.handle = 201;
  f.accelRaw = 151;
  f.temp1 = 0x03FF;
  f.temp2 = 0x0123;
  f.rpm = 13999;
  f.speed = 321;
  f.distanceOffset = 0x0F0E;
  f.gear = 5;
  f.highNibble = 0xA;
  f.volt = 14;
  f.angl = -90;
  f.ana = {1, 2, 3, 4, 255};
  f.timeField = 0xCAFE;
  f.longWord = 143015;
  f.latitude = {'S', 3540, 12345};
  f.longitude = {'W', 13855, 99999};
  f.fixQuality = '7';
  return f;
}

TEST(RecordBuilderTest, PositionRecordPutsEveryFieldAtItsOffset) {
  const auto b = Build(DistinctPosition());
  EXPECT_EQ(b[0], 'G');
  EXPECT_EQ(b[1], (3 << 6) | (2 << 4) | 6);
  EXPECT_EQ(U16(b, 2), 0x4321u);
  EXPECT_EQ(S8(b, 4), -128);
  EXPECT_EQ(S8(b, 5), 12);
  EXPECT_EQ(U16(b, 6), 0x1357u);
  EXPECT_EQ(U16(b, 8), 0x2468u);
  EXPECT_EQ(b[10], 201);
  EXPECT_EQ(b[11], 151);
  EXPECT_EQ(U16(b, 12), 0x03FFu);
  EXPECT_EQ(U16(b, 14), 0x0123u);
  EXPECT_EQ(U16(b, 16), 13999u);
  EXPECT_EQ(U16(b, 18), 321u);
  EXPECT_EQ(U16(b, 20), 0x0F0Eu);
  EXPECT_EQ(b[22], 0xA5);
  EXPECT_EQ(b[23], 14);
  EXPECT_EQ(S8(b, 24), -90);
  EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + 25, b.begin() + 30), (std::vector<std::uint8_t>{1, 2, 3, 4, 255}));
  EXPECT_EQ(U16(b, 30), 0xCAFEu);
  EXPECT_EQ(U32(b, 32), 143015u);
  EXPECT_EQ(b[37], 'S');
  EXPECT_EQ(U32(b, 38), 3540u);
  EXPECT_EQ(U32(b, 42), 12345u);
  EXPECT_EQ(b[46], 'W');
  EXPECT_EQ(U32(b, 48), 13855u);
  EXPECT_EQ(U32(b, 52), 99999u);
  EXPECT_EQ(b[59], '7');
  for (std::size_t i : {36, 47, 56, 57, 58, 60, 61, 62, 63}) {
    EXPECT_EQ(b[i], 0) << "byte " << i;
  }
}

TEST(RecordBuilderTest, PositionRecordWithoutFixHasZeroHemispheres) {
  PositionFields f;
  f.letter = 'L';
  const auto b = Build(f);
  EXPECT_EQ(b[0], 'L');
  EXPECT_EQ(b[37], 0);
  EXPECT_EQ(b[46], 0);
  EXPECT_EQ(U32(b, 38), 0u);
  EXPECT_EQ(U32(b, 48), 0u);
}

TEST(RecordBuilderTest, GearAndRangeCodesAreMasked) {
  PositionFields f;
  f.gear = 0x1F;
  f.highNibble = 0;
  f.press1Range = 7;
  f.press2Range = 0;
  f.code = 0xFF;
  const auto b = Build(f);
  EXPECT_EQ(b[22], 0x0F);
  EXPECT_EQ(b[1], (3 << 4) | 7) << "bit 3 stays clear";
}

TEST(RecordBuilderTest, CoordinatesEncodeDegreesAndMinutes) {
  // 35 degrees 40.12345 minutes north
  const auto lat = EncodeLatitude(35.0 + 40.12345 / 60.0);
  EXPECT_EQ(lat.hemisphere, 'N');
  EXPECT_EQ(lat.whole, 3540u);
  EXPECT_EQ(lat.fraction, 12345u);
  const auto lon = EncodeLongitude(-(138.0 + 5.5 / 60.0));
  EXPECT_EQ(lon.hemisphere, 'W');
  EXPECT_EQ(lon.whole, 13805u);
  EXPECT_EQ(lon.fraction, 50000u);
  const auto south = EncodeLatitude(-0.5);
  EXPECT_EQ(south.hemisphere, 'S');
  EXPECT_EQ(south.whole, 30u);
  EXPECT_EQ(south.fraction, 0u);
}

TEST(RecordBuilderTest, MinuteFractionCarriesIntoMinutesAndDegrees) {
  // 59.999999 minutes rounds to a whole degree, never to fraction 100000 or minute 60.
  const auto c = EncodeLatitude(10.0 + 59.999999 / 60.0);
  EXPECT_EQ(c.whole, 1100u);
  EXPECT_EQ(c.fraction, 0u);
  const auto d = EncodeLongitude(7.0 + 12.999996 / 60.0);
  EXPECT_EQ(d.whole, 713u);
  EXPECT_EQ(d.fraction, 0u);
}

TEST(RecordBuilderTest, EncodedCoordinateRoundTripsThroughTheReaderFormula) {
  for (double degrees : {0.00001, 1.5, 35.371262, 51.477911, 89.9, 179.99999}) {
    const auto c = EncodeLongitude(degrees);
    const double radians = recordtest::ReaderRadians(c.whole, c.fraction);
    EXPECT_NEAR(radians / 0.017453292522222223, degrees, 1e-7) << degrees;
  }
}

TEST(RecordBuilderTest, BigEndianStores) {
  std::uint8_t b[4] = {};
  PutU32(b, 0x01020304u);
  EXPECT_EQ(b[0], 1);
  EXPECT_EQ(b[3], 4);
  PutU16(b, 0xFE01);
  EXPECT_EQ(b[0], 0xFE);
  EXPECT_EQ(b[1], 0x01);
  PutI8(b, -1);
  EXPECT_EQ(b[0], 0xFF);
}

}  // namespace
