// Builders for the logger's 64-byte big-endian records, so tests and the sample
// generator can write sample, lap-end and position records field by field.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace samplegen {

inline constexpr std::size_t kRecordSize = 64;

inline constexpr std::uint16_t kSampleMarker = 0xEEEE;
inline constexpr std::uint16_t kLapEndMarker = 0xFFFF;
inline constexpr char kGpsFixLetter = 'G';
inline constexpr char kLapLineLetter = 'L';

// Big-endian stores; `out` must have room for the value.
void PutU8(std::uint8_t* out, std::uint8_t value);
void PutI8(std::uint8_t* out, std::int8_t value);
void PutU16(std::uint8_t* out, std::uint16_t value);
void PutU32(std::uint8_t* out, std::uint32_t value);

// Fields of a sample record (0xEEEE) or lap-end record (0xFFFF).
struct SampleFields {
  bool lapEnd = false;                 // true writes 0xFFFF, false 0xEEEE
  std::uint16_t lapNumber = 0;         // lap-end records only (bytes 2-3)
  std::uint8_t sampleFlag = 0;         // byte 4 bit 0
  std::uint8_t code = 0;               // byte 4 bits 1-3
  std::uint8_t rateMode = 0;           // byte 4 bits 4-5 (0..3)
  std::uint8_t twoDigitValue = 0;      // byte 5, 0..99
  std::uint16_t timeStep = 0;          // bytes 6-7, 1/100 s since the previous sample record
  std::array<std::uint16_t, 12> words{};  // bytes 8..31, min/max pairs
  std::int8_t valueA = 0;              // byte 32, tenths (lateral g)
  std::int8_t valueB = 0;              // byte 33, tenths (longitudinal g)
  std::uint16_t distanceStep = 0;      // bytes 34-35, metres since the previous sample record
};

// One coordinate as the logger writes it: ddmm (or dddmm) and the minute's
// fraction in 1/100000, with its hemisphere letter.
struct EncodedCoordinate {
  char hemisphere = 0;
  std::uint32_t whole = 0;
  std::uint32_t fraction = 0;
};

// Fields of a position record ('G' fix, 'L' lap line or another letter).
struct PositionFields {
  char letter = kGpsFixLetter;         // byte 0; must not make 0xEEEE or 0xFFFF with byte 1
  std::uint8_t code = 0;               // byte 1 bits 0-2
  std::uint8_t press1Range = 0;        // byte 1 bits 4-5
  std::uint8_t press2Range = 0;        // byte 1 bits 6-7
  std::uint16_t word = 0;              // bytes 2-3: record word, or lap-line word for 'L'
  std::int8_t gHoriz = 0;              // byte 4, tenths of g, positive turning right
  std::int8_t gVert = 0;               // byte 5, tenths of g, positive accelerating
  std::uint16_t press1 = 0;            // bytes 6-7
  std::uint16_t press2 = 0;            // bytes 8-9
  std::uint8_t handle = 0;             // byte 10
  std::uint8_t accelRaw = 0;           // byte 11 (halved by the reader)
  std::uint16_t temp1 = 0;             // bytes 12-13
  std::uint16_t temp2 = 0;             // bytes 14-15
  std::uint16_t rpm = 0;               // bytes 16-17
  std::uint16_t speed = 0;             // bytes 18-19, km/h
  std::uint16_t distanceOffset = 0;    // bytes 20-21, metres since the last sample record
  std::uint8_t gear = 0;               // byte 22 low nibble
  std::uint8_t highNibble = 0;         // byte 22 high nibble
  std::uint8_t volt = 0;               // byte 23
  std::int8_t angl = 0;                // byte 24
  std::array<std::uint8_t, 5> ana{};   // bytes 25-29
  std::uint16_t timeField = 0;         // bytes 30-31: fix time offset ('G') or lap time ('L')
  std::uint32_t longWord = 0;          // bytes 32-35: clock time hhmmss
  EncodedCoordinate latitude;          // bytes 37, 38-41, 42-45
  EncodedCoordinate longitude;         // bytes 46, 48-51, 52-55
  char fixQuality = '0';               // byte 59, an ASCII digit
};

// Writes the 64 bytes of one record at `out`; bytes not listed are zero.
void WriteSampleRecord(std::uint8_t* out, const SampleFields& fields);
void WritePositionRecord(std::uint8_t* out, const PositionFields& fields);

// Encodes a signed coordinate in degrees (negative = south / west) with the
// minute fraction rounded to 1/100000 and carried into the whole minutes.
EncodedCoordinate EncodeLatitude(double degrees);
EncodedCoordinate EncodeLongitude(double degrees);

}  // namespace samplegen
