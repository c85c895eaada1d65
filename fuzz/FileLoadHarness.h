// Loading one log or course-map file the way the program does, in every map drawing mode: shared by
// the fuzz targets and by the tests that replay what the fuzzers found.
#pragma once

#include "core/CourseBuilder.h"
#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "core/LapStatistics.h"
#include "core/LogRecord.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace orvelo::fuzzing {

enum class LoadedKind { Log, Map };

// What a load may not do whatever the file holds: it fails exactly when the file ends in a partial
// record, and each loaded lap's course has no more points than the lap has positions.
inline void CheckLoaded(const LapDataCore& core, LoadedKind kind, int failures, std::size_t fileSize)
{
    const int expected = fileSize % kRecordSize == 0 ? 0 : 1;
    if (failures != expected) {
        std::fprintf(stderr, "load of a %zu-byte file reported %d failures\n", fileSize, failures);
        std::abort();
    }
    const auto& files = kind == LoadedKind::Log ? core.LogFiles : core.MapFiles;
    if (files.size() != 1) {
        std::fprintf(stderr, "%zu files after loading one\n", files.size());
        std::abort();
    }
    for (const Lap& lap : files.front().laps) {
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

// Lists the file and loads it as the program does (read, courses for drawing mode 1, lap statistics
// for a log file), builds its courses and statistics again for drawing modes 2 and 3 as a load in
// those modes would (building reads only what the reader left, so one read serves every mode), then
// switches the drawing mode back as the setup page does, and closes everything.
inline void LoadInEveryDrawMode(const std::u16string& path, std::size_t fileSize, LoadedKind kind)
{
    // A started core, made once: start-up draws random slot colours, which is slow and not under test.
    static const LapDataCore started = [] {
        LapDataCore core;
        core.nowSeconds = [] { return std::int64_t{0}; };
        core.randomNumber = [] { return 12345; };
        InitDataCore(core);
        return core;
    }();
    LapDataCore core = started;
    FileListEntry entry;
    entry.fullPath = path;
    int failures = 0;
    if (kind == LoadedKind::Log) {
        EditLogFileList(core, kFileListAdd, entry);
        failures = LoadPendingLogFiles(core, kMapDrawOffsetOff);
    } else {
        EditMapFileList(core, kFileListAdd, entry);
        failures = LoadPendingMapFiles(core, kMapDrawOffsetOff);
    }
    CheckLoaded(core, kind, failures, fileSize);
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
        CheckLoaded(core, kind, 0, fileSize);
    }
    RebuildAllAnalysis(core, kMapDrawOffsetOff);
    ClearAllLogData(core);
}

} // namespace orvelo::fuzzing
