// The 64-byte record of log and course-map files, its decoded forms and the decoders.
// Every multi-byte number in a record is big-endian; fields are decoded one by one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvelo {

class LapDataCore;

inline constexpr std::size_t kRecordSize = 64;        // bytes of a record in a file
inline constexpr std::size_t kRecordElementSize = 68; // in memory: the 64 bytes and 4 zero bytes
inline constexpr std::uint16_t kLapEndWord = 0xFFFF;
inline constexpr std::uint16_t kSampleWord = 0xEEEE;
inline constexpr std::uint8_t kGpsFixLetter = 'G';
inline constexpr std::uint8_t kLapLineLetter = 'L';
inline constexpr std::uint8_t kLapEndMark = 0xFF;

// One record as held in a lap: the bytes as read, then 4 zero bytes.
struct LogRecord {
    std::array<std::uint8_t, kRecordElementSize> bytes{};
};
static_assert(sizeof(LogRecord) == kRecordElementSize);

inline std::uint16_t ReadBe16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

inline std::uint32_t ReadBe32(const std::uint8_t* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

inline std::int32_t ReadSigned8(const std::uint8_t* p)
{
    return static_cast<std::int8_t>(p[0]);
}

enum class RecordKind { LapEnd, Sample, Position };

// The kind is decided on the whole first word, before any letter is looked at.
inline RecordKind KindOfRecord(const std::uint8_t* record)
{
    const std::uint16_t word = ReadBe16(record);
    if (word == kLapEndWord)
        return RecordKind::LapEnd;
    if (word == kSampleWord)
        return RecordKind::Sample;
    return RecordKind::Position;
}

// Decoded sample or lap-end record.
struct SampleRec {
    char stepText[16]{};           // time step as lap-time text, filled by the lap statistics
    std::uint32_t timeStep = 0;
    std::uint32_t runningLapTime = 0; // set by the reader
    std::uint8_t sampleFlag = 0;
    std::uint8_t rateMode = 0;
    std::uint8_t code = 0;
    std::uint32_t channelWords[12]{};
    float signedValueA = 0.0f;
    float signedValueB = 0.0f;
    float distanceStep = 0.0f;
    std::uint32_t positionIndex = 0; // set by the reader
    std::uint32_t tens = 0;
    std::uint32_t units = 0;
};

// Decoded position record ('G' GPS fix, 'L' lap line or a record of another kind).
struct PositionRec {
    std::uint32_t time = 0;
    std::uint32_t recordWord = 0;
    std::uint32_t lapLineWord = 0;
    std::uint8_t lapEndMark = 0;
    std::uint8_t otherKindFlag = 0;
    std::uint8_t rangeCode1 = 0;
    std::uint8_t rangeCode2 = 0;
    std::uint8_t code = 0;
    std::uint32_t distanceOffset = 0;
    std::uint32_t fixTimeOffset = 0;
    std::uint32_t rpm = 0;
    std::uint32_t speed = 0;
    std::uint32_t temp1 = 0;
    std::uint32_t temp2 = 0;
    std::uint32_t runningDistance = 0;
    std::int32_t angl = 0;
    std::int32_t gHorizRaw = 0;
    std::int32_t gVertRaw = 0;
    std::uint16_t press1 = 0;
    std::uint16_t press2 = 0;
    std::uint32_t handle = 0;
    std::uint32_t accel = 0;
    std::uint32_t gear = 0;
    std::uint32_t highNibble = 0;
    float stepLength = 0.0f; // the four step values are set by course building
    float turn = 0.0f;
    float stepY = 0.0f;
    float stepX = 0.0f;
    std::uint32_t volt = 0;
    std::uint8_t ana[5]{};
    std::uint32_t longWord = 0;
    char latitudeHemisphere = 0;
    char longitudeHemisphere = 0;
    std::int32_t fixQuality = 0;
    double latitude = 0.0;       // radians, negative in the south
    double longitude = 0.0;      // radians, negative in the west
    double parallelRadius = 0.0; // metres
};

// Fills every field that comes from the record bytes; sets core.LastSampleFlag.
void DecodeSampleRecord(LapDataCore& core, const std::uint8_t* record, SampleRec& out);

// Fills the fields of bytes 1 to 35; sets core.Press1RangeCode and core.Press2RangeCode.
void DecodePositionRecord(LapDataCore& core, const std::uint8_t* record, PositionRec& out);

// Hemisphere letters, fix quality, latitude and longitude. 0 when both letters are valid, else 1.
int DecodeGpsFix(const std::uint8_t* record, PositionRec& inOut);

// Eight bytes (whole ddmm / dddmm, then the fraction of the minute); which: 0 latitude, 1 longitude.
void DecodeGpsCoordinate(const std::uint8_t* bytes, PositionRec& inOut, int which);

} // namespace orvelo
