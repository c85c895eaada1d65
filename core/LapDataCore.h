// The one object that holds everything the lap data core has loaded, and its accessor for the windows.
// Tests build their own instances; the clock and the random source can be replaced.
#pragma once

#include "core/LapData.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace orvelo {

// The twelve scale words of the graph windows: the span each channel group's
// vertical grid was last drawn with (a scale pane copies them when it is made).
// Temp.1 and Temp.2, G Horiz. and G Vert., and ANA1 to ANA5 share a word.
struct GraphScaleWords {
    std::int32_t handleSpan = 0;
    std::int32_t anglSpan = 0;
    std::int32_t gearSpan = 0;
    float anaSpan = 0.0f;
    float gSpan = 0.0f;
    std::int32_t accelSpan = 0;
    std::int32_t press1Span = 0;
    std::int32_t press2Span = 0;
    std::int32_t rpmSpan = 0;
    std::int32_t tempSpan = 0;
    float voltSpan = 0.0f;
    std::int32_t speedSpan = 0;
};
static_assert(sizeof(GraphScaleWords) == 48);

class LapDataCore {
public:
    LapDataCore();

    // Stable references: nullptr when the file or the lap is gone.
    Lap* ResolveLap(const LapRef& ref);
    const Lap* ResolveLap(const LapRef& ref) const;
    LogFile* FindFile(FileSet set, std::uint32_t fileId);
    const LogFile* FindFile(FileSet set, std::uint32_t fileId) const;
    std::deque<LogFile>* FilesOf(FileSet set);
    const std::deque<LogFile>* FilesOf(FileSet set) const;
    std::uint32_t TakeNextFileId() { return m_nextFileId++; }

    std::deque<LogFile> LogFiles;
    std::deque<LogFile> MapFiles;
    std::deque<FileListEntry> ReadLogFileList;
    std::deque<FileListEntry> ReadMapFileList;
    std::vector<SelectedLap> SelectedLaps;
    std::vector<BaseLapFileRef> BaseLapFiles;
    std::deque<Lap> BaseLapWork;
    LapRef BaseLap;
    std::uint32_t BaseLapLength = 0;
    std::int32_t MarkedLapCount = 0;
    // Counts the redraws asked of the graph windows after the compared laps, their colours or the
    // loaded files changed; a window of a work area out of view compares it with the count it
    // last drew for when its area is shown.
    std::uint32_t ComparedLapsRedraws = 0;
    std::uint32_t LoadedFileCount = 0;
    std::uint32_t LoadedMapFileCount = 0;
    Lap LapTemplate;
    LogFile LogFileTemplate;
    LogFile MapFileTemplate;
    ChunkedList<LogRecord> ScratchRecords;
    ChunkedList<SampleRec> ScratchSamples;
    ChunkedList<PositionRec> ScratchPositions;
    double SamplePeriod = 0.0;
    double SpeedFactor = 0.0;
    double TurnPeriod = 0.0; // seconds a lateral G turns the heading for, per step
    std::uint8_t Press1RangeCode = 0;
    std::uint8_t Press2RangeCode = 0;
    std::uint8_t LastSampleFlag = 0;
    GraphScaleWords GraphScaleDefaults;

    // Wall-clock time in seconds since 1970-01-01 UTC.
    std::function<std::int64_t()> nowSeconds;
    // Non-negative pseudo-random numbers, like the C runtime's rand().
    std::function<int()> randomNumber;

private:
    std::uint32_t m_nextFileId = 1;
};

// The core the windows share.
LapDataCore& TheLapDataCore();

} // namespace orvelo
