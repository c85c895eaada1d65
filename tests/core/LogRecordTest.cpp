#include "core/LapDataCore.h"
#include "core/LogRecord.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace orvelo {
namespace {

using Bytes = std::array<std::uint8_t, 64>;

void PutBe16(Bytes& r, std::size_t at, std::uint16_t v)
{
    r[at] = static_cast<std::uint8_t>(v >> 8);
    r[at + 1] = static_cast<std::uint8_t>(v);
}

void PutBe32(Bytes& r, std::size_t at, std::uint32_t v)
{
    PutBe16(r, at, static_cast<std::uint16_t>(v >> 16));
    PutBe16(r, at + 2, static_cast<std::uint16_t>(v));
}

constexpr double kDegree = 0.017453292522222223;
constexpr double kMinute = 0.00029088820870370373;

class DecodeTest : public ::testing::Test {
protected:
    SampleRec Sample(const Bytes& r)
    {
        SampleRec s;
        DecodeSampleRecord(core, r.data(), s);
        return s;
    }
    PositionRec Position(const Bytes& r)
    {
        PositionRec p;
        DecodePositionRecord(core, r.data(), p);
        return p;
    }
    Bytes SampleBytes()
    {
        Bytes r{};
        PutBe16(r, 0, 0xEEEE);
        return r;
    }
    Bytes PositionBytes(std::uint8_t letter = 'G')
    {
        Bytes r{};
        r[0] = letter;
        return r;
    }
    // A fix with latitude 3540.12345 and longitude 13945.67890 and the given letters.
    Bytes FixBytes(std::uint8_t latitudeLetter, std::uint8_t longitudeLetter)
    {
        Bytes r = PositionBytes();
        r[37] = latitudeLetter;
        PutBe32(r, 38, 3540);
        PutBe32(r, 42, 12345);
        r[46] = longitudeLetter;
        PutBe32(r, 48, 13945);
        PutBe32(r, 52, 67890);
        r[59] = '3';
        return r;
    }

    LapDataCore core;
};

// ---- kind of record -------------------------------------------------------------------------

TEST(RecordKindTest, WholeFirstWordDecidesBeforeTheLetter)
{
    Bytes r{};
    r[0] = 0xFF, r[1] = 0xFF;
    EXPECT_EQ(KindOfRecord(r.data()), RecordKind::LapEnd);
    r[0] = 0xEE, r[1] = 0xEE;
    EXPECT_EQ(KindOfRecord(r.data()), RecordKind::Sample);
    r[0] = 0xFF, r[1] = 0xFE;
    EXPECT_EQ(KindOfRecord(r.data()), RecordKind::Position);
    r[0] = 0xEE, r[1] = 0xFF;
    EXPECT_EQ(KindOfRecord(r.data()), RecordKind::Position);
    r[0] = 'G', r[1] = 0xFF;
    EXPECT_EQ(KindOfRecord(r.data()), RecordKind::Position);
}

TEST(BigEndianTest, HelpersReadMostSignificantByteFirst)
{
    const std::uint8_t bytes[] = {0x12, 0x34, 0x56, 0x78, 0x80};
    EXPECT_EQ(ReadBe16(bytes), 0x1234);
    EXPECT_EQ(ReadBe32(bytes), 0x12345678u);
    EXPECT_EQ(ReadBe32(bytes + 1), 0x34567880u);
    EXPECT_EQ(ReadSigned8(bytes + 4), -128);
}

// ---- sample records ---------------------------------------------------------------------------

TEST_F(DecodeTest, SampleRecordFieldsComeFromTheirOffsets)
{
    Bytes r = SampleBytes();
    r[4] = 0xFF; // every bit: flag 1, code 7, rate mode 3, bits 6-7 ignored
    r[5] = 47;
    PutBe16(r, 6, 0x1234);
    for (int k = 0; k < 12; ++k)
        PutBe16(r, 8 + 2 * k, static_cast<std::uint16_t>(0xF000 + k));
    r[32] = 0xF6;
    r[33] = 0x7F;
    PutBe16(r, 34, 0xABCD);
    r[36] = 0x99; // not read
    const SampleRec s = Sample(r);
    EXPECT_EQ(s.sampleFlag, 1);
    EXPECT_EQ(s.code, 7);
    EXPECT_EQ(s.rateMode, 3);
    EXPECT_EQ(s.tens, 4u);
    EXPECT_EQ(s.units, 7u);
    EXPECT_EQ(s.timeStep, 0x1234u);
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(s.channelWords[k], 0xF000u + k) << k;
    EXPECT_FLOAT_EQ(s.signedValueA, -1.0f);
    EXPECT_FLOAT_EQ(s.signedValueB, 12.7f);
    EXPECT_FLOAT_EQ(s.distanceStep, 43981.0f);
    EXPECT_EQ(s.runningLapTime, 0u);
    EXPECT_EQ(s.positionIndex, 0u);
    EXPECT_EQ(core.LastSampleFlag, 1);
}

TEST_F(DecodeTest, SampleBitFieldsAreSeparate)
{
    Bytes r = SampleBytes();
    r[4] = 0x2A; // 0b0010'1010: flag 0, code 5, rate mode 2
    SampleRec s = Sample(r);
    EXPECT_EQ(s.sampleFlag, 0);
    EXPECT_EQ(s.code, 5);
    EXPECT_EQ(s.rateMode, 2);
    r[4] = 0xC1; // bits 6-7 never reach the rate mode
    s = Sample(r);
    EXPECT_EQ(s.sampleFlag, 1);
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.rateMode, 0);
}

TEST_F(DecodeTest, SignedTenthsAtTheLimits)
{
    Bytes r = SampleBytes();
    r[32] = 0x80;
    r[33] = 0x01;
    const SampleRec s = Sample(r);
    EXPECT_FLOAT_EQ(s.signedValueA, -12.8f);
    EXPECT_FLOAT_EQ(s.signedValueB, 0.1f);
}

TEST_F(DecodeTest, LastSampleFlagFollowsTheMostRecentSample)
{
    Bytes r = SampleBytes();
    r[4] = 0x01;
    Sample(r);
    EXPECT_EQ(core.LastSampleFlag, 1);
    PutBe16(r, 0, 0xFFFF);
    r[4] = 0x00;
    Sample(r);
    EXPECT_EQ(core.LastSampleFlag, 0);
}

// ---- position records ------------------------------------------------------------------------

TEST_F(DecodeTest, PositionRecordFieldsComeFromTheirOffsets)
{
    Bytes r = PositionBytes();
    r[1] = 0xE5; // code 5, bit 3 ignored, range 1 = 2, range 2 = 3
    PutBe16(r, 2, 0x0102);
    r[4] = 0xF6;
    r[5] = 0x0A;
    PutBe16(r, 6, 0x1111);
    PutBe16(r, 8, 0x2222);
    r[10] = 200;
    r[11] = 150;
    PutBe16(r, 12, 0x3333);
    PutBe16(r, 14, 0x4444);
    PutBe16(r, 16, 12345);
    PutBe16(r, 18, 321);
    PutBe16(r, 20, 77);
    r[22] = 0x53;
    r[23] = 14;
    r[24] = 0xA6; // -90
    for (int k = 0; k < 5; ++k)
        r[25 + k] = static_cast<std::uint8_t>(250 + k);
    PutBe16(r, 30, 0x5555);
    PutBe32(r, 32, 143015);
    const PositionRec p = Position(r);
    EXPECT_EQ(p.code, 5);
    EXPECT_EQ(p.rangeCode1, 2);
    EXPECT_EQ(p.rangeCode2, 3);
    EXPECT_EQ(p.gHorizRaw, -10);
    EXPECT_EQ(p.gVertRaw, 10);
    EXPECT_EQ(p.press1, 0x1111);
    EXPECT_EQ(p.press2, 0x2222);
    EXPECT_EQ(p.handle, 200u);
    EXPECT_EQ(p.accel, 75u);
    EXPECT_EQ(p.temp1, 0x3333u);
    EXPECT_EQ(p.temp2, 0x4444u);
    EXPECT_EQ(p.rpm, 12345u);
    EXPECT_EQ(p.speed, 321u);
    EXPECT_EQ(p.distanceOffset, 77u);
    EXPECT_EQ(p.gear, 3u);
    EXPECT_EQ(p.highNibble, 5u);
    EXPECT_EQ(p.volt, 14u);
    EXPECT_EQ(p.angl, -90);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(p.ana[k], 250 + k);
    EXPECT_EQ(p.longWord, 143015u);
    // The reader sets these; the decoder leaves them 0.
    EXPECT_EQ(p.time, 0u);
    EXPECT_EQ(p.recordWord, 0u);
    EXPECT_EQ(p.fixTimeOffset, 0u);
    EXPECT_EQ(p.runningDistance, 0u);
    EXPECT_EQ(core.Press1RangeCode, 2);
    EXPECT_EQ(core.Press2RangeCode, 3);
}

TEST_F(DecodeTest, AccelIsHalvedRoundingOddValuesUpOnlyBelowOneHundred)
{
    const std::pair<std::uint8_t, std::uint32_t> cases[] = {
        {0, 0}, {1, 1}, {7, 4}, {8, 4}, {99, 50}, {100, 50}, {101, 50}, {150, 75}, {151, 75}, {255, 127}};
    for (const auto& [raw, halved] : cases) {
        Bytes r = PositionBytes();
        r[11] = raw;
        EXPECT_EQ(Position(r).accel, halved) << int(raw);
    }
}

TEST_F(DecodeTest, RangeCodesFollowTheMostRecentPosition)
{
    Bytes r = PositionBytes();
    r[1] = 0x30;
    Position(r);
    EXPECT_EQ(core.Press1RangeCode, 3);
    EXPECT_EQ(core.Press2RangeCode, 0);
    r[1] = 0x40;
    Position(r);
    EXPECT_EQ(core.Press1RangeCode, 0);
    EXPECT_EQ(core.Press2RangeCode, 1);
}

// ---- GPS fix ---------------------------------------------------------------------------------

TEST_F(DecodeTest, NorthEastFixDecodesDegreesAndMinutes)
{
    PositionRec p;
    EXPECT_EQ(DecodeGpsFix(FixBytes('N', 'E').data(), p), 0);
    const double latitude = 35 * kDegree + 40.12345 * kMinute;
    const double longitude = 139 * kDegree + 45.6789 * kMinute;
    EXPECT_DOUBLE_EQ(p.latitude, latitude);
    EXPECT_DOUBLE_EQ(p.longitude, longitude);
    // The parallel's radius uses the whole degrees alone.
    EXPECT_DOUBLE_EQ(p.parallelRadius, std::cos(35 * kDegree) * 6378000.0);
    EXPECT_EQ(p.latitudeHemisphere, 'N');
    EXPECT_EQ(p.longitudeHemisphere, 'E');
    EXPECT_EQ(p.fixQuality, 3);
}

TEST_F(DecodeTest, SouthAndWestAreNegative)
{
    PositionRec north;
    PositionRec south;
    DecodeGpsFix(FixBytes('N', 'E').data(), north);
    EXPECT_EQ(DecodeGpsFix(FixBytes('S', 'W').data(), south), 0);
    EXPECT_DOUBLE_EQ(south.latitude, -north.latitude);
    EXPECT_DOUBLE_EQ(south.longitude, -north.longitude);
    EXPECT_DOUBLE_EQ(south.parallelRadius, north.parallelRadius);
}

TEST_F(DecodeTest, FixesEitherSideOfTheMeridianStayClose)
{
    Bytes east = FixBytes('N', 'E');
    Bytes west = FixBytes('N', 'W');
    PutBe32(east, 48, 0);
    PutBe32(east, 52, 6000); // 0.06 minutes east
    PutBe32(west, 48, 0);
    PutBe32(west, 52, 6000); // 0.06 minutes west
    PositionRec a;
    PositionRec b;
    DecodeGpsFix(east.data(), a);
    DecodeGpsFix(west.data(), b);
    EXPECT_NEAR(a.longitude - b.longitude, 0.12 * kMinute, 1e-12);
}

TEST_F(DecodeTest, InvalidLatitudeLetterLeavesEveryCoordinateZero)
{
    PositionRec p;
    EXPECT_EQ(DecodeGpsFix(FixBytes('X', 'E').data(), p), 1);
    EXPECT_EQ(p.latitude, 0.0);
    EXPECT_EQ(p.longitude, 0.0);
    EXPECT_EQ(p.parallelRadius, 0.0);
    EXPECT_EQ(p.latitudeHemisphere, 'X');
    EXPECT_EQ(p.longitudeHemisphere, 'E');
    EXPECT_EQ(p.fixQuality, 3); // stored before the letters are checked
}

TEST_F(DecodeTest, InvalidLongitudeLetterKeepsTheLatitude)
{
    PositionRec p;
    EXPECT_EQ(DecodeGpsFix(FixBytes('N', 0).data(), p), 1);
    EXPECT_DOUBLE_EQ(p.latitude, 35 * kDegree + 40.12345 * kMinute);
    EXPECT_GT(p.parallelRadius, 0.0);
    EXPECT_EQ(p.longitude, 0.0);
    PositionRec lower;
    EXPECT_EQ(DecodeGpsFix(FixBytes('n', 'e').data(), lower), 1); // letters are case-sensitive
    EXPECT_EQ(lower.latitude, 0.0);
}

TEST_F(DecodeTest, FixQualityIsTheSignedDigitByte)
{
    Bytes r = FixBytes('N', 'E');
    PositionRec p;
    r[59] = '7';
    DecodeGpsFix(r.data(), p);
    EXPECT_EQ(p.fixQuality, 7);
    r[59] = 0;
    DecodeGpsFix(r.data(), p);
    EXPECT_EQ(p.fixQuality, -48);
    r[59] = 0xFF;
    DecodeGpsFix(r.data(), p);
    EXPECT_EQ(p.fixQuality, -49);
}

TEST(DecodeGpsCoordinateTest, FractionCarriesIntoMinutesAndDegreesTruncate)
{
    Bytes r{};
    PutBe32(r, 0, 9959);
    PutBe32(r, 4, 99999);
    PositionRec p;
    p.latitudeHemisphere = 'N';
    DecodeGpsCoordinate(r.data(), p, 0);
    EXPECT_DOUBLE_EQ(p.latitude, 99 * kDegree + 59.99999 * kMinute);
    EXPECT_DOUBLE_EQ(p.parallelRadius, std::cos(99 * kDegree) * 6378000.0);
    p.longitudeHemisphere = 'W';
    PutBe32(r, 0, 17959);
    DecodeGpsCoordinate(r.data(), p, 1);
    EXPECT_DOUBLE_EQ(p.longitude, -(179 * kDegree + 59.99999 * kMinute));
    // A longitude leaves the latitude's radius alone.
    EXPECT_DOUBLE_EQ(p.parallelRadius, std::cos(99 * kDegree) * 6378000.0);
}

} // namespace
} // namespace orvelo
