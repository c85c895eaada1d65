// The records of the lap data core: files, laps, course geometry, file lists and lap references.
// Windows keep LapRef / (set, file id) references into them, never pointers or container indexes.
#pragma once

#include "core/ChunkedList.h"
#include "core/LogRecord.h"
#include "core/RecordList.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace orvelo {

// A colour as 0x00BBGGRR.
using COLORREF = std::uint32_t;

constexpr COLORREF Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return COLORREF{r} | (COLORREF{g} << 8) | (COLORREF{b} << 16);
}
constexpr std::uint8_t RedOf(COLORREF c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GreenOf(COLORREF c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(COLORREF c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }

// Which container a file belongs to; BaseLapWork is the spare work lap list.
enum class FileSet { None, Log, Map, BaseLapWork };

// A lap named by its file's never-reused id and its index in that file's laps.
struct LapRef {
    FileSet set = FileSet::None;
    std::uint32_t fileId = 0;
    std::int32_t lapIndex = -1;

    bool operator==(const LapRef&) const = default;
};

// x and y in metres from the lap's origin.
struct ProjectedPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t skipFlag = 0; // 1 for a record of another kind, -1 on the lap's last point
    std::int32_t runningDistance = 0;
};

// One point of a lap's course polyline.
struct CoursePoint {
    std::int32_t drawX = 0;
    std::int32_t drawY = 0;
    std::int32_t prevDrawX = 0;
    std::int32_t prevDrawY = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t prevX = 0;
    std::int32_t prevY = 0;
    std::int32_t skipFlag = 0;
    float slopeAlong = 0.0f;
    float slopeAcross = 0.0f;
    std::int32_t intercept = 0;
    std::int32_t lineCase = 0; // 0 general, 1 vertical, 2 horizontal
    std::int32_t cumulativeDistance = 0;
};

// End of one segment: cumulative distance in metres and the index of its end course point.
struct SegmentPair {
    std::int32_t cumulativeDistance = 0;
    std::int32_t endPointIndex = 0;
};

// A named set of segments on one course map (stored as in SegmentGroupCodec.h).
struct SegmentGroup {
    std::int32_t segmentCount = 0;
    std::int32_t groupId = 0; // low 32 bits of the seconds since 2008-01-01 local time at its creation
    std::u16string mapPath;   // empty for a group that was never saved
    std::u16string groupName;
    std::int32_t pairsStoredFlag = 0; // 1 once its segment ends were written
    std::vector<SegmentPair> pairs;   // the ends read or laid; fewer than segmentCount when not all were read
};

// The course of a lap; only the first item of a lap's list is used.
struct LapAnalysisItem {
    float gOffset = 0.0f;
    float totalTurn = 0.0f;
    float turnCorrection = 0.0f;
    float meanStepX = 0.0f;
    float meanStepY = 0.0f;
    float courseScale = 0.0f;
    std::int32_t positionsUsed = 0;
    std::int32_t directionFlag = 0;
    std::int32_t gpsDrawFlag = 0;
    double originLatitude = 0.0;
    double originLongitude = 0.0;
    std::int32_t offsetFlag = 0;
    std::int32_t mapDrawMode = 0; // 1 offset OFF, 2 offset ON, 3 GPS
    ChunkedList<ProjectedPoint> projectedPoints;
    ChunkedList<CoursePoint> coursePoints;
    ChunkedList<SegmentGroup> segmentGroups;
    std::int32_t rotation = 0; // whole degrees
    std::int32_t maxX = 0;
    std::int32_t minX = 32767;
    std::int32_t maxY = 0;
    std::int32_t minY = 32767;
    std::int32_t centreX = 0;
    std::int32_t centreY = 0;
    std::int32_t spanX = 0;
    std::int32_t spanY = 0;
};

struct Lap {
    std::uint32_t lapNumber = 0; // 0 for a lap without lap-end record
    std::uint32_t lapTime = 0;   // 1/100 s
    std::uint32_t sampleTimeSum = 0;
    char lapTimeText[16]{};
    char sampleTimeText[16]{};
    std::uint8_t lastLapMark = 0;
    std::uint8_t currentLapMark = 0;
    std::uint8_t baseLapMark = 0;
    std::uint8_t overlayMark = 0;
    std::uint8_t noAnalysisFlag = 0;
    std::uint8_t gpsSign = 0;
    std::uint8_t savedCourseMark = 0;
    std::uint8_t drawnMark = 0; // set by a graph pane on the laps it draws
    std::int32_t channelExtremes[12]{};
    std::int32_t signedValuePeaks[2]{};       // tenths: peak of B, then of A
    float signedValuePeaksScaled[2]{};        // the same divided by 10
    std::uint32_t distance = 0;               // metres
    float average = 0.0f;
    std::int32_t sampleCount = 0;
    std::int32_t recordCount = 0;
    std::int32_t positionCount = 0;
    COLORREF displayColour = 0;
    ChunkedList<LapAnalysisItem> analysisItems;
    RecordList records;
    ChunkedList<SampleRec> samples;
    ChunkedList<PositionRec> positions;
};

// One loaded log file or course-map file.
struct LogFile {
    std::u16string folder;
    std::u16string fullPath; // the key by which lists, closing and lookups find the file
    std::u16string title;
    std::u16string dateText;
    std::uint32_t totalTime = 0;
    std::uint32_t totalDistance = 0;
    std::int32_t lapCount = 0;
    std::int32_t lowestLapNumber = 0;
    std::int32_t highestLapNumber = 0;
    std::int32_t fastestLapNumber = 0;
    std::int32_t listState = 0;
    std::uint32_t sampleTimeTotal = 0;
    std::int32_t loadState = 0; // 2 read, 1 listed, 0 hidden
    std::uint8_t currentCourseFlag = 0;
    std::int32_t overviewMenuId = 0;
    // Chunks of 16 laps: a file of one-record laps holds at most 15 laps' worth unused.
    using LapList = ChunkedList<Lap, 4096>;
    LapList laps;
    LapList trailingLaps; // at most one: the unfinished lap at the end of the file
    std::uint32_t fileId = 0;     // never reused while the program runs
    std::uint32_t partialRecordBytes = 0; // bytes of a record cut off at the end of the file
    std::uint8_t openFailed = 0;          // the read could not open the file
    std::uint8_t drawnMark = 0;   // set by the file overview pane on the file it draws
};

struct FileListEntry {
    std::uint8_t loadedFlag = 0;
    std::uint8_t closeMark = 0; // marked for closing
    std::int32_t loadError = 0;
    std::int32_t pickNumber = 0;
    std::uint8_t lastRecordCutOff = 0; // the last load kept the file, whose last record was cut off
    std::uint8_t cannotOpen = 0;       // the last load failed because the file could not be opened
    std::u16string fullPath;
    std::u16string listText;
    std::u16string removalKey;
};

// One slot of the selected-lap list: slot 0 the base lap, the others overlay laps.
struct SelectedLap {
    LapRef lap;
    COLORREF colour = 0;
    std::int32_t activeFlag = 0;
    std::int32_t lapNumber = 0;
    std::u16string fullPath;
};

// The log file that holds the base lap.
struct BaseLapFileRef {
    std::u16string fullPath;
    FileSet set = FileSet::None;
    std::uint32_t fileId = 0;
};

} // namespace orvelo
