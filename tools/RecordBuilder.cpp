// Big-endian record writers for the sample generator and hand-built test records.
#include "tools/RecordBuilder.h"

#include <cmath>
#include <cstring>

namespace samplegen {

void PutU8(std::uint8_t* out, std::uint8_t value) { out[0] = value; }

void PutI8(std::uint8_t* out, std::int8_t value) { out[0] = static_cast<std::uint8_t>(value); }

void PutU16(std::uint8_t* out, std::uint16_t value) {
  out[0] = static_cast<std::uint8_t>(value >> 8);
  out[1] = static_cast<std::uint8_t>(value);
}

void PutU32(std::uint8_t* out, std::uint32_t value) {
  out[0] = static_cast<std::uint8_t>(value >> 24);
  out[1] = static_cast<std::uint8_t>(value >> 16);
  out[2] = static_cast<std::uint8_t>(value >> 8);
  out[3] = static_cast<std::uint8_t>(value);
}

void WriteSampleRecord(std::uint8_t* out, const SampleFields& fields) {
  std::memset(out, 0, kRecordSize);
  PutU16(out + 0, fields.lapEnd ? kLapEndMarker : kSampleMarker);
  PutU16(out + 2, fields.lapEnd ? fields.lapNumber : std::uint16_t{0});
  PutU8(out + 4, static_cast<std::uint8_t>(((fields.rateMode & 0x3) << 4) | ((fields.code & 0x7) << 1) |
                                           (fields.sampleFlag & 0x1)));
  PutU8(out + 5, fields.twoDigitValue);
  PutU16(out + 6, fields.timeStep);
  for (std::size_t k = 0; k < fields.words.size(); ++k) {
    PutU16(out + 8 + 2 * k, fields.words[k]);
  }
  PutI8(out + 32, fields.valueA);
  PutI8(out + 33, fields.valueB);
  PutU16(out + 34, fields.distanceStep);
}

namespace {

void PutCoordinate(std::uint8_t* letter, std::uint8_t* numbers, const EncodedCoordinate& c) {
  PutU8(letter, static_cast<std::uint8_t>(c.hemisphere));
  PutU32(numbers, c.whole);
  PutU32(numbers + 4, c.fraction);
}

EncodedCoordinate EncodeCoordinate(double degrees, char positive, char negative) {
  EncodedCoordinate c;
  c.hemisphere = degrees < 0.0 ? negative : positive;
  const double magnitude = std::fabs(degrees);
  auto wholeDegrees = static_cast<std::uint32_t>(magnitude);
  double minutes = (magnitude - wholeDegrees) * 60.0;
  auto wholeMinutes = static_cast<std::uint32_t>(minutes);
  auto fraction = static_cast<std::uint32_t>(std::llround((minutes - wholeMinutes) * 100000.0));
  if (fraction >= 100000) {
    fraction -= 100000;
    ++wholeMinutes;
  }
  if (wholeMinutes >= 60) {
    wholeMinutes -= 60;
    ++wholeDegrees;
  }
  c.whole = wholeDegrees * 100 + wholeMinutes;
  c.fraction = fraction;
  return c;
}

}  // namespace

void WritePositionRecord(std::uint8_t* out, const PositionFields& fields) {
  std::memset(out, 0, kRecordSize);
  PutU8(out + 0, static_cast<std::uint8_t>(fields.letter));
  PutU8(out + 1, static_cast<std::uint8_t>(((fields.press2Range & 0x3) << 6) |
                                           ((fields.press1Range & 0x3) << 4) | (fields.code & 0x7)));
  PutU16(out + 2, fields.word);
  PutI8(out + 4, fields.gHoriz);
  PutI8(out + 5, fields.gVert);
  PutU16(out + 6, fields.press1);
  PutU16(out + 8, fields.press2);
  PutU8(out + 10, fields.handle);
  PutU8(out + 11, fields.accelRaw);
  PutU16(out + 12, fields.temp1);
  PutU16(out + 14, fields.temp2);
  PutU16(out + 16, fields.rpm);
  PutU16(out + 18, fields.speed);
  PutU16(out + 20, fields.distanceOffset);
  PutU8(out + 22, static_cast<std::uint8_t>((fields.highNibble << 4) | (fields.gear & 0xF)));
  PutU8(out + 23, fields.volt);
  PutI8(out + 24, fields.angl);
  for (std::size_t k = 0; k < fields.ana.size(); ++k) {
    PutU8(out + 25 + k, fields.ana[k]);
  }
  PutU16(out + 30, fields.timeField);
  PutU32(out + 32, fields.longWord);
  PutCoordinate(out + 37, out + 38, fields.latitude);
  PutCoordinate(out + 46, out + 48, fields.longitude);
  PutU8(out + 59, static_cast<std::uint8_t>(fields.fixQuality));
}

EncodedCoordinate EncodeLatitude(double degrees) { return EncodeCoordinate(degrees, 'N', 'S'); }

EncodedCoordinate EncodeLongitude(double degrees) { return EncodeCoordinate(degrees, 'E', 'W'); }

}  // namespace samplegen
