// Loading one log or course-map file the way the program does, in every map drawing mode: shared by
// the fuzz targets and by the tests that replay what the fuzzers found.
#pragma once

#include "core/CourseBuilder.h"
#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "core/LapStatistics.h"
#include "core/LogFileReader.h"
#include "core/LogRecord.h"
#include "fuzz/HeapMeter.h"
#include "fuzz/ReaderAgreement.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace orvelo::fuzzing {

enum class LoadedKind { Log, Map };

// Heap a load may hold beyond 8 bytes for each byte of the file: its read block, its entries, and the
// unused part of its lap list's last chunk, which a small file of many one-record laps fills only partly.
inline constexpr std::size_t kFileEntryAllowance =
    (std::size_t{16} << 10) + LogFile::LapList::kChunkSize * sizeof(Lap);

// Whether a load of these bytes fails: a course-map file that ends in a partial record; a log file in
// which no lap is closed, that is with no lap-end record among its complete records.
inline bool LoadMustFail(const std::uint8_t* data, std::size_t size, LoadedKind kind)
{
    if (kind == LoadedKind::Map)
        return size % kRecordSize != 0;
    for (std::size_t offset = 0; offset + kRecordSize <= size; offset += kRecordSize) {
        if (KindOfRecord(data + offset) == RecordKind::LapEnd)
            return false;
    }
    return true;
}

// What a loaded file may hold: each record of the file once at most (laps that share their records
// count them once), each decoded once at most into a sample or a position, and no lap a course of more
// points than it has positions.
inline void CheckHeld(const LogFile& file, std::size_t fileSize)
{
    std::size_t records = 0;
    std::size_t decoded = 0;
    for (const auto* laps : {&file.laps, &file.trailingLaps}) {
        const void* previous = nullptr;
        for (const Lap& lap : *laps) {
            // Only laps next to each other share their records.
            if (lap.records.Storage() != previous)
                records += lap.records.size();
            previous = lap.records.Storage();
            decoded += lap.samples.size() + lap.positions.size();
            for (const LapAnalysisItem& item : lap.analysisItems) {
                if (item.projectedPoints.size() > lap.positions.size() ||
                    item.coursePoints.size() > item.projectedPoints.size()) {
                    std::fprintf(stderr, "lap %u: course of %zu points from %zu positions\n",
                                 static_cast<unsigned>(lap.lapNumber), item.projectedPoints.size(),
                                 lap.positions.size());
                    std::abort();
                }
            }
        }
    }
    const std::size_t inFile = fileSize / kRecordSize;
    if (records > inFile || decoded > inFile) {
        std::fprintf(stderr, "a file of %zu records holds %zu records, %zu samples and positions\n", inFile,
                     records, decoded);
        std::abort();
    }
}

// What a load may not do whatever the file holds: it fails exactly when LoadMustFail says so (a failed
// log file is released at once, a failed course-map file stays until discarded), and it holds no more
// than CheckHeld allows.
inline void CheckLoaded(const LapDataCore& core, LoadedKind kind, int failures, bool mustFail, std::size_t fileSize)
{
    if (failures != (mustFail ? 1 : 0)) {
        std::fprintf(stderr, "a load that %s fail reported %d failures\n", mustFail ? "must" : "must not", failures);
        std::abort();
    }
    const auto& files = kind == LoadedKind::Log ? core.LogFiles : core.MapFiles;
    const std::size_t expectedFiles = mustFail && kind == LoadedKind::Log ? 0 : 1;
    if (files.size() != expectedFiles) {
        std::fprintf(stderr, "%zu files after loading one\n", files.size());
        std::abort();
    }
    if (!files.empty())
        CheckHeld(files.front(), fileSize);
}

// Files from this size on are held to 8 times their size with no allowance.
inline constexpr std::size_t kNoAllowanceFileBytes = std::size_t{64} << 10;

// The heap a load held at its peak may not pass 8 times the file; a smaller file may also hold its
// read block and a fixed allowance.
inline void CheckPeakHeap(std::size_t heldBefore, std::size_t fileSize)
{
    const std::size_t peak = CurrentHeapUse().peak - heldBefore;
    const std::size_t allowance =
        fileSize < kNoAllowanceFileBytes ? ReadBlockSizeFor(fileSize) + kFileEntryAllowance : 0;
    if (peak > 8 * fileSize + allowance) {
        std::fprintf(stderr, "loading a %zu-byte file held %zu bytes of heap at its peak\n", fileSize, peak);
        std::abort();
    }
}

// A core as the program starts it, copied from one made once: start-up draws random slot colours,
// which is slow and not under test.
inline LapDataCore StartedCore()
{
    static const LapDataCore started = [] {
        LapDataCore core;
        core.nowSeconds = [] { return std::int64_t{0}; };
        core.randomNumber = [] { return 12345; };
        InitDataCore(core);
        return core;
    }();
    return started;
}

// Lists the file and loads it as the program does (read, courses for drawing mode 1, lap statistics
// for a log file), builds its courses and statistics again for drawing modes 2 and 3 as a load in
// those modes would (building reads only what the reader left, so one read serves every mode), then
// switches the drawing mode back as the setup page does, and closes everything; a course-map file is
// also read as a log file, and the two reads must agree. The file at the path holds the bytes.
inline void LoadInEveryDrawMode(const std::u16string& path, const std::uint8_t* data, std::size_t fileSize,
                                LoadedKind kind)
{
    LapDataCore core = StartedCore();
    FileListEntry entry;
    entry.fullPath = path;
    const std::size_t heldBefore = CurrentHeapUse().current;
    RestartHeapPeak();
    int failures = 0;
    if (kind == LoadedKind::Log) {
        EditLogFileList(core, kFileListAdd, entry);
        failures = LoadPendingLogFiles(core, kMapDrawOffsetOff);
    } else {
        EditMapFileList(core, kFileListAdd, entry);
        failures = LoadPendingMapFiles(core, kMapDrawOffsetOff);
    }
    const bool mustFail = LoadMustFail(data, fileSize, kind);
    CheckLoaded(core, kind, failures, mustFail, fileSize);
    CheckPeakHeap(heldBefore, fileSize);
    if (failures != 0) {
        // What the program does after a failed open.
        if (kind == LoadedKind::Log)
            DiscardUnloadedLogFiles(core);
        else
            DiscardUnloadedMapFiles(core);
        return;
    }
    LogFile& file = kind == LoadedKind::Log ? core.LogFiles.front() : core.MapFiles.front();
    for (const int mode : {kMapDrawOffsetOn, kMapDrawGps}) {
        BuildLapAnalysis(core, file, mode);
        if (kind == LoadedKind::Log)
            ComputeLapStatistics(file);
        CheckLoaded(core, kind, 0, false, fileSize);
    }
    RebuildAllAnalysis(core, kMapDrawOffsetOff);
    CheckPeakHeap(heldBefore, fileSize);
    if (kind == LoadedKind::Map) {
        LapDataCore other;
        if (ReadLogFile(other, path) != 0) {
            std::fputs("a course-map file that loads does not read as a log file\n", stderr);
            std::abort();
        }
        CheckReadersAgree(file, other.LogFiles.back(), data, fileSize);
    }
    ClearAllLogData(core);
}

} // namespace orvelo::fuzzing
