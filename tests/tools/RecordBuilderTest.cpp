#include "tools/RecordBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "RecordReading.h"

namespace {

using namespace samplegen;
using recordtest::Bytes;

// A record from hex pairs (spaces ignored), zero to its 64th byte.
Bytes Hex(std::string_view text) {
  Bytes bytes;
  for (std::size_t i = 0; i < text.size(); i += text[i] == ' ' ? 1 : 2) {
    if (text[i] != ' ') {
      bytes.push_back(static_cast<std::uint8_t>(std::stoi(std::string(text.substr(i, 2)), nullptr, 16)));
    }
  }
  bytes.resize(kRecordSize);
  return bytes;
}

// Written over 0xAA bytes, so a byte the writer leaves alone shows.
template <class Fields, class Writer>
Bytes Build(const Fields& fields, Writer write) {
  Bytes bytes(kRecordSize, 0xAA);
  write(bytes.data(), fields);
  return bytes;
}
Bytes Build(const SampleFields& f) { return Build(f, WriteSampleRecord); }
Bytes Build(const PositionFields& f) { return Build(f, WritePositionRecord); }

TEST(RecordBuilderTest, SampleAndLapEndRecordsPutEveryFieldAtItsOffset) {
  SampleFields f{.lapNumber = 0x1234, .sampleFlag = 1, .code = 5, .rateMode = 3, .twoDigitValue = 47,
                 .timeStep = 0xBEEF,
                 .words = {0x0102, 0x8204, 0x0306, 0x8408, 0x050A, 0x860C, 0x070E, 0x8810, 0x0912, 0x8A14, 0x0B16,
                           0x8C18},
                 .valueA = -10, .valueB = 127, .distanceStep = 0xA1B2};
  const std::string rest = "3B 2F BEEF 0102 8204 0306 8408 050A 860C 070E 8810 0912 8A14 0B16 8C18 F6 7F A1B2";
  EXPECT_EQ(Build(f), Hex("EEEE 0000 " + rest)) << "a sample record carries no lap number";
  f.lapEnd = true;
  EXPECT_EQ(Build(f), Hex("FFFF 1234 " + rest));
}

TEST(RecordBuilderTest, PositionRecordPutsEveryFieldAtItsOffset) {
  const PositionFields f{.code = 6, .press1Range = 2, .press2Range = 3, .word = 0x4321, .gHoriz = -128, .gVert = 12,
                         .press1 = 0x1357, .press2 = 0x2468, .handle = 201, .accelRaw = 151, .temp1 = 0x03FF,
                         .temp2 = 0x0123, .rpm = 13999, .speed = 321, .distanceOffset = 0x0F0E, .gear = 5,
                         .highNibble = 0xA, .volt = 14, .angl = -90, .ana = {1, 2, 3, 4, 255}, .timeField = 0xCAFE,
                         .longWord = 143015, .latitude = {'S', 3540, 12345}, .longitude = {'W', 13855, 99999},
                         .fixQuality = '7'};
  EXPECT_EQ(Build(f), Hex("47 E6 4321 80 0C 1357 2468 C9 97 03FF 0123 36AF 0141 0F0E A5 0E A6 01020304FF CAFE "
                          "00022EA7 00 53 00000DD4 00003039 57 00 0000361F 0001869F 000000 37"));
}

TEST(RecordBuilderTest, BitFieldsDoNotSpillIntoEachOther) {
  EXPECT_EQ(Build(SampleFields{.sampleFlag = 0xFF, .code = 0xFF, .rateMode = 0xFF})[4], 0x3F);
  const Bytes b = Build(PositionFields{.code = 0xFF, .press1Range = 7, .gear = 0x1F, .latitude = {}, .longitude = {}});
  EXPECT_EQ(b[22], 0x0F) << "gear stays in the low nibble";
  EXPECT_EQ(b[1], 0x37) << "bit 3 and the second range stay clear";
}

TEST(RecordBuilderTest, CoordinatesEncodeDegreesAndMinutesWithCarry) {
  struct Case {
    EncodedCoordinate got;
    EncodedCoordinate expected;
  };
  const Case cases[] = {
      {EncodeLatitude(35.0 + 40.12345 / 60.0), {'N', 3540, 12345}},
      {EncodeLongitude(-(138.0 + 5.5 / 60.0)), {'W', 13805, 50000}},
      {EncodeLatitude(-0.5), {'S', 30, 0}},
      // Minute fractions that round up carry into minutes and degrees.
      {EncodeLatitude(10.0 + 59.999999 / 60.0), {'N', 1100, 0}},
      {EncodeLongitude(7.0 + 12.999996 / 60.0), {'E', 713, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.got.hemisphere, c.expected.hemisphere) << c.expected.whole;
    EXPECT_EQ(c.got.whole, c.expected.whole);
    EXPECT_EQ(c.got.fraction, c.expected.fraction) << c.expected.whole;
  }
  for (double degrees : {0.00001, 1.5, 35.371262, 51.477911, 89.9, 179.99999}) {
    const EncodedCoordinate c = EncodeLongitude(degrees);
    EXPECT_NEAR(recordtest::ReaderRadians(c.whole, c.fraction) / recordtest::kRadiansPerDegree, degrees, 1e-7);
  }
}

}  // namespace
