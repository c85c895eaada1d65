// Laps built field by field for the course and statistics tests. GPS positions are written with the
// sample generator's record builders and decoded by the core's decoders, so fixes take the real path.
#pragma once

#include "core/LapData.h"
#include "core/LapDataCore.h"
#include "core/LogRecord.h"
#include "tools/RecordBuilder.h"
#include "tools/SampleSession.h"

#include <cmath>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

namespace orvelo::testlaps {

inline constexpr double kPi = 3.141592653589793;

// A position of a dead-reckoned lap: speed in km/h and lateral acceleration in tenths of g.
inline PositionRec Position(std::uint32_t speed, std::int32_t gHoriz, std::uint32_t runningDistance = 0)
{
    PositionRec position;
    position.speed = speed;
    position.gHorizRaw = gHoriz;
    position.runningDistance = runningDistance;
    return position;
}

// A GPS fix at (east, north) metres from the origin in signed degrees, decoded from a written record.
inline PositionRec GpsPosition(LapDataCore& core, double latitude0, double longitude0, double east,
                               double north, std::uint16_t speed = 60)
{
    const samplegen::GeoPoint point = samplegen::OffsetToLatLon(latitude0, longitude0, east, north);
    samplegen::PositionFields fields;
    fields.speed = speed;
    fields.latitude = samplegen::EncodeLatitude(point.latitude);
    fields.longitude = samplegen::EncodeLongitude(point.longitude);
    std::uint8_t record[samplegen::kRecordSize]{};
    samplegen::WritePositionRecord(record, fields);
    PositionRec position;
    DecodePositionRecord(core, record, position);
    DecodeGpsFix(record, position);
    return position;
}

// A closed lap of the positions: lap number 1, one sample of the rate mode, the last position marked as
// the lap's end, running distances 0, 10, 20, ... unless the positions carry their own.
inline Lap MakeLap(std::deque<PositionRec> positions, int rateMode = 1, std::uint32_t distance = 1000)
{
    Lap lap;
    lap.lapNumber = 1;
    lap.distance = distance;
    SampleRec sample;
    sample.rateMode = static_cast<std::uint8_t>(rateMode);
    sample.timeStep = 10;
    lap.samples.push_back(sample);
    lap.sampleCount = 1;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (positions[i].runningDistance == 0)
            positions[i].runningDistance = static_cast<std::uint32_t>(i * 10);
    }
    if (!positions.empty())
        positions.back().lapEndMark = kLapEndMark;
    lap.positionCount = static_cast<std::int32_t>(positions.size());
    lap.positions = std::move(positions);
    return lap;
}

// Constant speed and lateral acceleration: a dead-reckoned loop.
inline Lap CircleLap(int count, std::uint32_t speed = 100, std::int32_t gHoriz = 10, int rateMode = 1)
{
    std::deque<PositionRec> positions;
    for (int i = 0; i < count; ++i)
        positions.push_back(Position(speed, gHoriz));
    return MakeLap(std::move(positions), rateMode);
}

// The (east, north) points of a circle of the radius through the origin, counter-clockwise from it.
inline std::vector<std::pair<double, double>> CirclePoints(int count, double radius)
{
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < count; ++i) {
        const double angle = 2.0 * kPi * i / count;
        points.emplace_back(radius * std::sin(angle), radius - radius * std::cos(angle));
    }
    return points;
}

// A lap whose positions are GPS fixes at the (east, north) points, with the GPS sign.
inline Lap GpsLap(LapDataCore& core, double latitude0, double longitude0,
                  const std::vector<std::pair<double, double>>& points)
{
    std::deque<PositionRec> positions;
    for (const auto& [east, north] : points)
        positions.push_back(GpsPosition(core, latitude0, longitude0, east, north));
    Lap lap = MakeLap(std::move(positions));
    lap.gpsSign = 1;
    return lap;
}

// A log file holding the laps, the last one carrying the last-lap mark.
inline LogFile FileOf(std::vector<Lap> laps)
{
    LogFile file;
    file.lapCount = static_cast<std::int32_t>(laps.size());
    for (Lap& lap : laps)
        file.laps.push_back(std::move(lap));
    if (!file.laps.empty())
        file.laps.back().lastLapMark = 0xFF;
    return file;
}

} // namespace orvelo::testlaps
