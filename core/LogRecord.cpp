#include "core/LogRecord.h"

#include "core/LapDataCore.h"

#include <cmath>

namespace orvelo {
namespace {

constexpr double kRadiansPerDegree = 0.017453292522222223; // with pi = 3.141592654
constexpr double kRadiansPerMinute = 0.00029088820870370373;
constexpr double kEarthRadius = 6378000.0;

} // namespace

void DecodeSampleRecord(LapDataCore& core, const std::uint8_t* record, SampleRec& out)
{
    const std::uint8_t flags = record[4];
    out.sampleFlag = flags & 0x01;
    out.code = (flags >> 1) & 0x07;
    out.rateMode = (flags >> 4) & 0x03;
    out.tens = record[5] / 10;
    out.units = record[5] % 10;
    out.timeStep = ReadBe16(record + 6);
    for (int k = 0; k < 12; ++k)
        out.channelWords[k] = ReadBe16(record + 8 + 2 * k);
    out.signedValueA = static_cast<float>(ReadSigned8(record + 32) / 10.0);
    out.signedValueB = static_cast<float>(ReadSigned8(record + 33) / 10.0);
    out.distanceStep = static_cast<float>(ReadBe16(record + 34));
    core.LastSampleFlag = out.sampleFlag;
}

void DecodePositionRecord(LapDataCore& core, const std::uint8_t* record, PositionRec& out)
{
    const std::uint8_t codes = record[1];
    out.code = codes & 0x07;
    out.rangeCode1 = (codes >> 4) & 0x03;
    out.rangeCode2 = (codes >> 6) & 0x03;
    out.gHorizRaw = ReadSigned8(record + 4);
    out.gVertRaw = ReadSigned8(record + 5);
    out.press1 = ReadBe16(record + 6);
    out.press2 = ReadBe16(record + 8);
    out.handle = record[10];
    const std::uint32_t accel = record[11];
    // Odd values below 100 round up, odd values from 100 on round down.
    out.accel = accel / 2 + ((accel % 2 == 1 && accel < 100) ? 1 : 0);
    out.temp1 = ReadBe16(record + 12);
    out.temp2 = ReadBe16(record + 14);
    out.rpm = ReadBe16(record + 16);
    out.speed = ReadBe16(record + 18);
    out.distanceOffset = ReadBe16(record + 20);
    out.gear = record[22] & 0x0F;
    out.highNibble = record[22] >> 4;
    out.volt = record[23];
    out.angl = ReadSigned8(record + 24);
    for (int k = 0; k < 5; ++k)
        out.ana[k] = record[25 + k];
    out.longWord = ReadBe32(record + 32);
    core.Press1RangeCode = out.rangeCode1;
    core.Press2RangeCode = out.rangeCode2;
}

int DecodeGpsFix(const std::uint8_t* record, PositionRec& inOut)
{
    inOut.fixQuality = ReadSigned8(record + 59) - '0';
    inOut.latitudeHemisphere = static_cast<char>(record[37]);
    inOut.longitudeHemisphere = static_cast<char>(record[46]);
    if (record[37] != 'N' && record[37] != 'S')
        return 1;
    DecodeGpsCoordinate(record + 38, inOut, 0);
    if (record[46] != 'E' && record[46] != 'W')
        return 1;
    DecodeGpsCoordinate(record + 48, inOut, 1);
    return 0;
}

void DecodeGpsCoordinate(const std::uint8_t* bytes, PositionRec& inOut, int which)
{
    const double value = ReadBe32(bytes) + ReadBe32(bytes + 4) / 100000.0; // ddmm.mmmmm
    const double degrees = std::trunc(value / 100.0);
    const double minutes = value - degrees * 100.0;
    const double x = degrees * kRadiansPerDegree + minutes * kRadiansPerMinute;
    // South and west are negative so that a course across the equator or the
    // prime meridian stays continuous.
    if (which == 0) {
        inOut.parallelRadius = std::cos(degrees * kRadiansPerDegree) * kEarthRadius;
        inOut.latitude = inOut.latitudeHemisphere == 'S' ? -x : x;
    } else {
        inOut.longitude = inOut.longitudeHemisphere == 'W' ? -x : x;
    }
}

} // namespace orvelo
