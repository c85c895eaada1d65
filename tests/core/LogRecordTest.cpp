#include "core/LapDataCore.h"
#include "core/LogBytes.h"
#include "core/LogRecord.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace orvelo {
namespace {

using Bytes = std::array<std::uint8_t, 64>;

void PutBe32(Bytes& r, std::size_t at, std::uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        r[at + k] = static_cast<std::uint8_t>(v >> (24 - 8 * k));
}

using test::Ints;
constexpr double kDegree = 0.017453292522222223;
constexpr double kMinute = 0.00029088820870370373;

class DecodeTest : public ::testing::Test {
protected:
    SampleRec Sample(const Bytes& r) { return Decoded<SampleRec>(DecodeSampleRecord, r); }
    PositionRec Position(const Bytes& r) { return Decoded<PositionRec>(DecodePositionRecord, r); }
    template <class Rec, class Decoder>
    Rec Decoded(Decoder decode, const Bytes& r)
    {
        Rec rec;
        decode(core, r.data(), rec);
        return rec;
    }
    // A 'G' record with latitude 3540.12345 and longitude 13945.67890 and the given letters.
    static Bytes FixBytes(std::uint8_t latitudeLetter, std::uint8_t longitudeLetter)
    {
        Bytes r{'G'};
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

TEST(RecordKindTest, WholeFirstWordDecidesBeforeTheLetterAndReadsBigEndian)
{
    const std::pair<std::array<std::uint8_t, 2>, RecordKind> rows[] = {
        {{0xFF, 0xFF}, RecordKind::LapEnd},   {{0xEE, 0xEE}, RecordKind::Sample},
        {{0xFF, 0xFE}, RecordKind::Position}, {{0xEE, 0xFF}, RecordKind::Position},
        {{'G', 0xFF}, RecordKind::Position}};
    for (const auto& [word, kind] : rows)
        EXPECT_EQ(KindOfRecord(word.data()), kind) << int(word[0]) << ' ' << int(word[1]);
    const std::uint8_t bytes[] = {0x12, 0x34, 0x56, 0x78, 0x80};
    EXPECT_EQ(Ints(ReadBe16(bytes), ReadBe32(bytes + 1), ReadSigned8(bytes + 4)), Ints(0x1234, 0x34567880, -128));
}

// ---- sample records ---------------------------------------------------------------------------

TEST_F(DecodeTest, SampleRecordFieldsComeFromTheirOffsets)
{
    // Flags 0xFF (flag 1, code 7, rate mode 3, bits 6-7 ignored), 47, time step, twelve words 0xF000 + k,
    // signed tenths -10 and 127, distance step; byte 36 is not read.
    Bytes r{0xEE, 0xEE, 0,    0,    0xFF, 47,   0x12, 0x34, 0xF0, 0,    0xF0, 1,    0xF0, 2,    0xF0, 3,
            0xF0, 4,    0xF0, 5,    0xF0, 6,    0xF0, 7,    0xF0, 8,    0xF0, 9,    0xF0, 10,   0xF0, 11,
            0xF6, 0x7F, 0xAB, 0xCD, 0x99};
    const SampleRec s = Sample(r);
    const auto& w = s.channelWords;
    EXPECT_EQ(Ints(s.sampleFlag, s.code, s.rateMode, s.tens, s.units, s.timeStep, w[0], w[5], w[11], s.distanceStep,
                   core.LastSampleFlag),
              Ints(1, 7, 3, 4, 7, 0x1234, 0xF000, 0xF005, 0xF00B, 43981, 1));
    EXPECT_FLOAT_EQ(s.signedValueA, -1.0f);
    EXPECT_FLOAT_EQ(s.signedValueB, 12.7f);

    // The bit fields are separate; the last sample decoded sets the core's flag.
    r[4] = 0x2A; // 0b0010'1010: flag 0, code 5, rate mode 2
    r[32] = 0x80;
    r[33] = 0x01;
    const SampleRec t = Sample(r);
    EXPECT_EQ(Ints(t.sampleFlag, t.code, t.rateMode, core.LastSampleFlag), Ints(0, 5, 2, 0));
    EXPECT_FLOAT_EQ(t.signedValueA, -12.8f);
    EXPECT_FLOAT_EQ(t.signedValueB, 0.1f);
    r[4] = 0xC1; // bits 6-7 never reach the rate mode
    EXPECT_EQ(Sample(r).rateMode, 0);
}

// ---- position records ------------------------------------------------------------------------

TEST_F(DecodeTest, PositionRecordFieldsComeFromTheirOffsets)
{
    // 'G', code 5 (bit 3 ignored) with ranges 2 and 3, word, g -10 and 10, press 0x1111 and 0x2222, handle,
    // accel 150, temps, rpm 12345, speed 321, distance 77, gear 3 with nibble 5, volt, angl -90, ana,
    // time field, long word 143015.
    Bytes r{'G',  0xE5, 0x01, 0x02, 0xF6, 0x0A, 0x11, 0x11, 0x22, 0x22, 200,  150,  0x33, 0x33, 0x44, 0x44,
            0x30, 0x39, 0x01, 0x41, 0x00, 77,   0x53, 14,   0xA6, 250,  251,  252,  253,  254,  0x55, 0x55,
            0x00, 0x02, 0x2E, 0xA7};
    const PositionRec p = Position(r);
    EXPECT_EQ(Ints(p.code, p.rangeCode1, p.rangeCode2, p.gHorizRaw, p.gVertRaw, p.press1, p.press2, p.handle,
                   p.accel, p.temp1, p.temp2, p.rpm, p.speed, p.distanceOffset, p.gear, p.highNibble, p.volt),
              Ints(5, 2, 3, -10, 10, 0x1111, 0x2222, 200, 75, 0x3333, 0x4444, 12345, 321, 77, 3, 5, 14));
    EXPECT_EQ(Ints(p.angl, p.ana[0], p.ana[4], p.longWord), Ints(-90, 250, 254, 143015));
    EXPECT_EQ(p.time + p.recordWord + p.fixTimeOffset + p.runningDistance, 0u); // the reader sets these
    EXPECT_EQ(Ints(core.Press1RangeCode, core.Press2RangeCode), Ints(2, 3));
    r[1] = 0x40;
    Position(r);
    EXPECT_EQ(Ints(core.Press1RangeCode, core.Press2RangeCode), Ints(0, 1));
    // Accel is halved, odd values rounding up only below one hundred.
    for (const auto& [raw, halved] : {std::pair{0, 0}, {1, 1}, {7, 4}, {8, 4}, {99, 50}, {100, 50}, {101, 50},
                                      {150, 75}, {151, 75}, {255, 127}}) {
        r[11] = static_cast<std::uint8_t>(raw);
        EXPECT_EQ(Position(r).accel, static_cast<std::uint32_t>(halved)) << raw;
    }
}

// ---- GPS fix ---------------------------------------------------------------------------------

TEST_F(DecodeTest, FixDecodesDegreesAndMinutesNegativeInTheSouthAndWest)
{
    PositionRec north;
    EXPECT_EQ(DecodeGpsFix(FixBytes('N', 'E').data(), north), 0);
    EXPECT_DOUBLE_EQ(north.latitude, 35 * kDegree + 40.12345 * kMinute);
    EXPECT_DOUBLE_EQ(north.longitude, 139 * kDegree + 45.6789 * kMinute);
    // The parallel's radius uses the whole degrees alone.
    EXPECT_DOUBLE_EQ(north.parallelRadius, std::cos(35 * kDegree) * 6378000.0);
    EXPECT_EQ(Ints(north.latitudeHemisphere, north.longitudeHemisphere, north.fixQuality), Ints('N', 'E', 3));
    PositionRec south;
    EXPECT_EQ(DecodeGpsFix(FixBytes('S', 'W').data(), south), 0);
    EXPECT_DOUBLE_EQ(south.latitude, -north.latitude);
    EXPECT_DOUBLE_EQ(south.longitude, -north.longitude);
    EXPECT_DOUBLE_EQ(south.parallelRadius, north.parallelRadius);

    // Either side of the prime meridian the fixes stay close.
    for (auto [letter, fix] : {std::pair{'E', &north}, {'W', &south}}) {
        Bytes r = FixBytes('N', letter);
        PutBe32(r, 48, 0);
        PutBe32(r, 52, 6000); // 0.06 minutes
        DecodeGpsFix(r.data(), *fix);
    }
    EXPECT_NEAR(north.longitude - south.longitude, 0.12 * kMinute, 1e-12);
}

TEST_F(DecodeTest, InvalidLettersLeaveTheirCoordinatesZero)
{
    PositionRec p;
    EXPECT_EQ(DecodeGpsFix(FixBytes('X', 'E').data(), p), 1);
    EXPECT_EQ(p.latitude + p.longitude + p.parallelRadius, 0.0);
    EXPECT_EQ(p.fixQuality, 3); // stored before the letters are checked
    EXPECT_EQ(DecodeGpsFix(FixBytes('N', 0).data(), p), 1);
    EXPECT_EQ(std::make_pair(p.latitude > 0, p.longitude), std::make_pair(true, 0.0));
    PositionRec lower;
    EXPECT_EQ(DecodeGpsFix(FixBytes('n', 'e').data(), lower), 1); // letters are case-sensitive
    EXPECT_EQ(lower.latitude, 0.0);

    Bytes r = FixBytes('N', 'E');
    r[59] = 0xFF; // the fix quality is the signed digit byte
    DecodeGpsFix(r.data(), p);
    EXPECT_EQ(p.fixQuality, -49);
}

} // namespace
} // namespace orvelo
