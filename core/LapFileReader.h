// The running state of one read of a log file or a course-map file, fed one 64-byte record at a time.
// A log read appends straight into the file's current lap; a course-map read collects each lap in the
// core's scratch lists and the lap template.
#pragma once

#include "core/LapData.h"

#include <cstdint>

namespace orvelo {

class LapDataCore;

class LapFileReader {
public:
    enum class Kind { Log, Map };

    // The file must already be the last element of its container; it is not moved during the read.
    LapFileReader(LapDataCore& core, LogFile& file, Kind kind);

    void ReadRecord(const std::uint8_t* record);
    // End of data on a record boundary: the last lap, the trailing lap, marks and totals.
    void Finish();

private:
    void ReadSampleRecord(const std::uint8_t* record, bool lapEnd);
    void ReadLapEnd(const std::uint8_t* record);
    void ReadPositionRecord(const std::uint8_t* record);
    void ReadGpsFix(const std::uint8_t* record, PositionRec& position, int fixBalance);
    void ReadLapLine(const std::uint8_t* record, PositionRec& position);
    // A lap line before any lap-end record closes the out lap without making a lap of it.
    void DropOutLap();
    void CloseLap(std::uint32_t lapTime);
    void CloseLogLap(std::uint32_t lapTime);
    void CloseMapLap(std::uint32_t lapTime);
    void FinishLogFile();
    void FinishMapFile();
    void MarkLastPosition(ChunkedList<PositionRec>& positions);
    // A closed lap's lists give back what they hold no element for.
    static void TrimLists(Lap& lap);
    void StartLogLap();

    LapDataCore& m_core;
    LogFile& m_file;
    Kind m_kind;

    // Where the lap being read collects its lists: the current lap or the scratch lists.
    ChunkedList<LogRecord>* m_records = nullptr;
    ChunkedList<SampleRec>* m_samples = nullptr;
    ChunkedList<PositionRec>* m_positions = nullptr;

    std::uint32_t m_lapTime = 0;      // T
    std::uint32_t m_lapDistance = 0;  // D
    std::uint32_t m_positionCount = 0; // P
    std::uint32_t m_sampleCount = 0;  // S
    std::uint32_t m_recordCount = 0;  // R
    std::uint32_t m_lapEndCount = 0;  // E
    std::int32_t m_gpsBalance = 0;    // G
    bool m_pending = false;
    std::uint32_t m_fileTime = 0;
    std::uint32_t m_fileDistance = 0;
    std::int32_t m_lowestLap = 1000;
    std::int32_t m_highestLap = 0;
    bool m_courseMark = false;
};

} // namespace orvelo
