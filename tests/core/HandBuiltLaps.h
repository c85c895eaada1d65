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
#include <iterator>
#include <utility>
#include <vector>

namespace orvelo::testlaps {

inline constexpr double kPi = 3.141592653589793;

// A position of a dead-reckoned lap: speed in km/h and lateral acceleration in tenths of g.
inline PositionRec Position(std::uint32_t speed, std::int32_t gHoriz) { return {.speed = speed, .gHorizRaw = gHoriz}; }

// A closed lap of the positions: lap number 1, one sample of the rate mode, the last position marked as
// the lap's end, running distances 0, 10, 20, ...
inline Lap MakeLap(ChunkedList<PositionRec> positions, int rateMode = 1, std::uint32_t distance = 1000)
{
    Lap lap;
    lap.lapNumber = 1;
    lap.distance = distance;
    lap.samples.push_back(SampleRec{.timeStep = 10, .rateMode = static_cast<std::uint8_t>(rateMode)});
    lap.sampleCount = 1;
    for (std::size_t i = 0; i < positions.size(); ++i)
        positions[i].runningDistance = static_cast<std::uint32_t>(10 * i);
    if (!positions.empty())
        positions.back().lapEndMark = kLapEndMark;
    lap.positionCount = static_cast<std::int32_t>(positions.size());
    lap.positions = std::move(positions);
    return lap;
}

// Constant speed and lateral acceleration: a dead-reckoned loop.
inline Lap CircleLap(int count, std::uint32_t speed = 100, std::int32_t gHoriz = 10, int rateMode = 1)
{
    return MakeLap(ChunkedList<PositionRec>(count, Position(speed, gHoriz)), rateMode);
}

// The (east, north) points of a circle of the radius through the origin, counter-clockwise from it.
inline std::vector<std::pair<double, double>> CirclePoints(int count, double radius)
{
    std::vector<std::pair<double, double>> points;
    for (double angle = 0; points.size() < static_cast<std::size_t>(count); angle += 2.0 * kPi / count)
        points.emplace_back(radius * std::sin(angle), radius - radius * std::cos(angle));
    return points;
}

// A lap with the GPS sign whose positions are fixes at the (east, north) metres from the origin in
// signed degrees, each decoded from a written record.
inline Lap GpsLap(LapDataCore& core, double latitude0, double longitude0,
                  const std::vector<std::pair<double, double>>& points)
{
    ChunkedList<PositionRec> positions;
    for (const auto& [east, north] : points) {
        const samplegen::GeoPoint point = samplegen::OffsetToLatLon(latitude0, longitude0, east, north);
        samplegen::PositionFields fields;
        fields.speed = 60;
        fields.latitude = samplegen::EncodeLatitude(point.latitude);
        fields.longitude = samplegen::EncodeLongitude(point.longitude);
        std::uint8_t record[samplegen::kRecordSize]{};
        samplegen::WritePositionRecord(record, fields);
        DecodePositionRecord(core, record, positions.emplace_back());
        DecodeGpsFix(record, positions.back());
    }
    Lap lap = MakeLap(std::move(positions));
    lap.gpsSign = 1;
    return lap;
}

// A log file holding the laps (at least one), the last one carrying the last-lap mark.
inline LogFile FileOf(std::vector<Lap> laps)
{
    LogFile file;
    file.lapCount = static_cast<std::int32_t>(laps.size());
    file.laps.assign(std::make_move_iterator(laps.begin()), std::make_move_iterator(laps.end()));
    file.laps.back().lastLapMark = 0xFF;
    return file;
}

} // namespace orvelo::testlaps
