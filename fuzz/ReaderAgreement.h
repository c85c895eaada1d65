// What a course-map read of some bytes must share with a log-file read of the same bytes: the two
// readers follow one set of record rules and differ only in how they gather a lap's records and what
// a lap closed again by a lap line holds. Shared by the fuzz targets and the tests that replay them.
#pragma once

#include "core/LapData.h"
#include "core/LogRecord.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <tuple>

namespace orvelo::fuzzing {

[[noreturn]] inline void ReadersDisagree(const char* what, std::size_t lap)
{
    std::fprintf(stderr, "course-map and log reads of the same bytes differ: %s (lap %zu)\n", what, lap);
    std::abort();
}

// The fields the readers set (course building sets the others).
inline auto ReadFields(const PositionRec& p)
{
    return std::tie(p.time, p.recordWord, p.lapLineWord, p.lapEndMark, p.otherKindFlag, p.distanceOffset,
                    p.fixTimeOffset, p.runningDistance, p.speed, p.rpm);
}
inline auto ReadFields(const SampleRec& s)
{
    return std::tie(s.timeStep, s.runningLapTime, s.positionIndex, s.distanceStep, s.rateMode);
}
template <class List>
bool SameReadFields(const List& a, const List& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ReadFields(a[i]) != ReadFields(b[i]))
            return false;
    }
    return true;
}

inline auto LapEndFields(const Lap& lap)
{
    return std::tie(lap.lapNumber, lap.distance, lap.sampleCount, lap.recordCount, lap.positionCount);
}

// A course-map lap with a lap-end record of its own holds the records after the lap-end record before
// it, up to and including its own, the last one the lap's recordCount names.
inline bool HoldsRecordsUpToItsLapEnd(const Lap& lap, const std::uint8_t* data, std::size_t size)
{
    const std::size_t end = static_cast<std::size_t>(lap.recordCount);
    const std::size_t count = lap.records.size();
    if (count == 0 || count > end || end * kRecordSize > size)
        return false;
    const std::uint8_t* first = data + (end - count) * kRecordSize;
    for (std::size_t k = 0; k < count; ++k) {
        if (std::memcmp(lap.records[k].bytes.data(), first + k * kRecordSize, kRecordSize) != 0)
            return false;
    }
    const std::uint8_t* last = lap.records.back().bytes.data();
    return KindOfRecord(last) == RecordKind::LapEnd && ReadBe16(last + 2) == lap.lapNumber;
}

// map and log: the bytes, complete records only, read by each reader from its start.
inline void CheckReadersAgree(const LogFile& map, const LogFile& log, const std::uint8_t* data, std::size_t size)
{
    if (std::tie(map.lapCount, map.totalTime, map.totalDistance, map.lowestLapNumber, map.highestLapNumber) !=
        std::tie(log.lapCount, log.totalTime, log.totalDistance, log.lowestLapNumber, log.highestLapNumber))
        ReadersDisagree("totals", 0);
    // The log reader keeps an unclosed lap without positions as its last lap; the course-map reader
    // keeps only closed laps.
    const std::size_t closed = map.laps.size();
    if (log.laps.size() != closed && !(log.laps.size() == closed + 1 && log.laps.back().positions.empty()))
        ReadersDisagree("number of closed laps", closed);
    if (map.trailingLaps.size() != log.trailingLaps.size() ||
        (!map.trailingLaps.empty() && (!SameReadFields(map.trailingLaps[0].positions, log.trailingLaps[0].positions) ||
                                       !SameReadFields(map.trailingLaps[0].samples, log.trailingLaps[0].samples))))
        ReadersDisagree("trailing lap", closed);
    for (std::size_t i = 0; i < closed; ++i) {
        const Lap& m = map.laps[i];
        const Lap& l = log.laps[i];
        if (m.lapTime != l.lapTime || std::strcmp(m.lapTimeText, l.lapTimeText) != 0 || m.gpsSign != l.gpsSign)
            ReadersDisagree("lap time or GPS sign", i);
        if (!SameReadFields(m.positions, l.positions) || !SameReadFields(m.samples, l.samples))
            ReadersDisagree("positions or samples", i);
        if (l.sampleCount > 0) {
            // Closed after a lap-end record of its own.
            if (LapEndFields(m) != LapEndFields(l) || !HoldsRecordsUpToItsLapEnd(m, data, size))
                ReadersDisagree("lap-end fields or records", i);
        } else if (i == 0 || LapEndFields(m) != LapEndFields(map.laps[i - 1]) ||
                   !m.records.SharesWith(map.laps[i - 1].records)) {
            // Closed again by a lap line: the lap before it's number, counts, distance and records.
            ReadersDisagree("a lap closed again does not hold the lap before it", i);
        }
    }
}

} // namespace orvelo::fuzzing
