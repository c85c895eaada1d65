// File lists, load drivers, closing, and the start-up and shut-down of the data core.
#include "core/FileLists.h"

#include "core/CourseBuilder.h"
#include "core/LapColour.h"
#include "core/LapDataCore.h"
#include "core/LapSelection.h"
#include "core/LapStatistics.h"
#include "core/LogFileReader.h"
#include "core/VectorState.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace orvelo {

namespace {

// One of the two twins: a read list and the container its files are loaded into.
struct FileSide {
    std::deque<FileListEntry>& list;
    std::deque<LogFile>& files;
    FileSet set;
};

FileSide LogSide(LapDataCore& core)
{
    return {core.ReadLogFileList, core.LogFiles, FileSet::Log};
}

FileSide MapSide(LapDataCore& core)
{
    return {core.ReadMapFileList, core.MapFiles, FileSet::Map};
}

int EditFileList(std::deque<FileListEntry>& list, int mode, const FileListEntry& entry)
{
    if (mode == kFileListAdd) {
        const bool listed = std::any_of(list.begin(), list.end(),
                                        [&](const FileListEntry& e) { return e.fullPath == entry.fullPath; });
        if (listed)
            return -1;
        FileListEntry added = entry;
        added.loadedFlag = 0;
        added.closeMark = 0;
        added.loadError = 0;
        list.push_back(added);
        return 0;
    }
    if (mode == kFileListRemove) {
        // A loaded file keeps its entry: it is what closing the file finds it by.
        const auto found = std::find_if(list.begin(), list.end(), [&](const FileListEntry& e) {
            return !e.loadedFlag && e.fullPath == entry.fullPath;
        });
        if (found != list.end())
            list.erase(found);
        return list.empty() ? 1 : 0;
    }
    return 0;
}

void EraseFileByPath(std::deque<LogFile>& files, std::u16string_view path)
{
    const auto found =
        std::find_if(files.begin(), files.end(), [&](const LogFile& file) { return file.fullPath == path; });
    if (found != files.end())
        files.erase(found);
    if (files.empty())
        files.shrink_to_fit();
}

// Slots and the base lap that referred to laps of erased log files refer to nothing any more.
void DropReferencesToErasedFiles(LapDataCore& core)
{
    for (SelectedLap& slot : core.SelectedLaps) {
        if (slot.lap.set != FileSet::Log || core.FindFile(FileSet::Log, slot.lap.fileId))
            continue;
        slot.lap = LapRef{};
        slot.activeFlag = 0;
        slot.lapNumber = 0;
        slot.fullPath.clear();
    }
    if (core.BaseLap.set == FileSet::Log && !core.FindFile(FileSet::Log, core.BaseLap.fileId))
        UpdateBaseLap(core);
}

void ClearScratchLists(LapDataCore& core)
{
    core.ScratchRecords.clear();
    core.ScratchSamples.clear();
    core.ScratchPositions.clear();
}

// Reads the entry's file into a new last file of the side and builds its courses (and, for a log file,
// its lap statistics). False when it failed: a file that could not be read stays until it is discarded;
// a log file in which no lap was closed, or one that did not fit in memory, is released at once. The
// files loaded before are never touched.
bool LoadOne(LapDataCore& core, const FileSide& side, FileListEntry& entry, int mapDrawMode)
{
    const bool isLog = side.set == FileSet::Log;
    // A log file without a lap-end record closes no lap: it fails before anything of it is held.
    if (isLog && FindLapEndRecord(entry.fullPath) == 0)
        return false;
    const std::size_t filesBefore = side.files.size();
    ClearUpperVectorState(); // the load's cosines run at full speed inside the program too
    try {
        const int result = isLog ? ReadLogFile(core, entry.fullPath) : ReadMapFile(core, entry.fullPath);
        LogFile& file = side.files.back();
        entry.cannotOpen = file.openFailed;
        // A log file cut off in its last record keeps its complete records and is loaded all the same.
        const bool cutOff = isLog && result != 0 && file.partialRecordBytes != 0;
        if (result != 0 && !cutOff)
            return false;
        if (isLog && file.lapCount < 1) {
            side.files.pop_back(); // nothing to list
            return false;
        }
        BuildLapAnalysis(core, file, mapDrawMode);
        if (isLog)
            ComputeLapStatistics(file);
        entry.lastRecordCutOff = cutOff ? 1 : 0;
        return true;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    // Out of memory: the file goes with everything read of it.
    if (side.files.size() > filesBefore)
        side.files.pop_back();
    ClearScratchLists(core);
    ResetLapTemplate(core);
    return false;
}

int LoadPending(LapDataCore& core, const FileSide& side, std::uint32_t& loadedCount, int mapDrawMode)
{
    if (side.list.empty())
        return -1;
    loadedCount = 0;
    ClearScratchLists(core);
    int failures = 0;
    for (FileListEntry& entry : side.list) {
        entry.lastRecordCutOff = 0; // says what this load found
        entry.cannotOpen = 0;
        if (entry.loadedFlag) {
            ++loadedCount;
            continue;
        }
        // A partly read file left by an earlier failed load of this entry would otherwise stay twice.
        EraseFileByPath(side.files, entry.fullPath);
        if (!LoadOne(core, side, entry, mapDrawMode)) {
            entry.loadError = 1;
            ++failures;
            continue;
        }
        ++loadedCount;
        entry.loadedFlag = 1;
        entry.loadError = 0;
    }
    if (side.set == FileSet::Log)
        DropReferencesToErasedFiles(core);
    return failures;
}

int PurgeFileList(std::deque<FileListEntry>& list)
{
    const auto loaded = static_cast<std::size_t>(
        std::count_if(list.begin(), list.end(), [](const FileListEntry& e) { return e.loadedFlag != 0; }));
    int erased = 0;
    while (list.size() > loaded) {
        const auto unloaded =
            std::find_if(list.begin(), list.end(), [](const FileListEntry& e) { return e.loadedFlag == 0; });
        list.erase(unloaded);
        ++erased;
    }
    return erased;
}

int DiscardUnloaded(LapDataCore& core, const FileSide& side)
{
    if (side.list.empty())
        return -1;
    for (auto it = side.list.begin(); it != side.list.end();) {
        if (it->loadedFlag) {
            ++it;
            continue;
        }
        EraseFileByPath(side.files, it->fullPath);
        it = side.list.erase(it);
    }
    if (side.set == FileSet::Log)
        DropReferencesToErasedFiles(core);
    return 0;
}

// The readers' templates keep what the last read left in them.
void ResetTemplates(LapDataCore& core)
{
    ResetLapTemplate(core);
    core.LogFileTemplate = LogFile{};
    core.MapFileTemplate = LogFile{};
}

int CloseMarked(LapDataCore& core, const FileSide& side)
{
    int closed = 0;
    for (auto it = side.list.begin(); it != side.list.end();) {
        if (!it->closeMark) {
            ++it;
            continue;
        }
        EraseFileByPath(side.files, it->fullPath);
        if (side.set == FileSet::Log)
            ClearSelectedLapsByPath(core, it->fullPath);
        ++closed;
        it = side.list.erase(it);
    }
    if (side.set == FileSet::Log)
        DropReferencesToErasedFiles(core);
    return closed;
}

} // namespace

int EditLogFileList(LapDataCore& core, int mode, const FileListEntry& entry)
{
    return EditFileList(core.ReadLogFileList, mode, entry);
}

int EditMapFileList(LapDataCore& core, int mode, const FileListEntry& entry)
{
    return EditFileList(core.ReadMapFileList, mode, entry);
}

int LoadPendingLogFiles(LapDataCore& core, int mapDrawMode)
{
    return LoadPending(core, LogSide(core), core.LoadedFileCount, mapDrawMode);
}

int LoadPendingMapFiles(LapDataCore& core, int mapDrawMode)
{
    return LoadPending(core, MapSide(core), core.LoadedMapFileCount, mapDrawMode);
}

int PurgeLogFileList(LapDataCore& core)
{
    return PurgeFileList(core.ReadLogFileList);
}

int PurgeMapFileList(LapDataCore& core)
{
    return PurgeFileList(core.ReadMapFileList);
}

int DiscardUnloadedLogFiles(LapDataCore& core)
{
    return DiscardUnloaded(core, LogSide(core));
}

int DiscardUnloadedMapFiles(LapDataCore& core)
{
    return DiscardUnloaded(core, MapSide(core));
}

int CloseMarkedLogFiles(LapDataCore& core)
{
    return CloseMarked(core, LogSide(core));
}

int CloseMarkedMapFiles(LapDataCore& core)
{
    return CloseMarked(core, MapSide(core));
}

void EraseLogFileByPath(LapDataCore& core, std::u16string_view path)
{
    EraseFileByPath(core.LogFiles, path);
}

void EraseMapFileByPath(LapDataCore& core, std::u16string_view path)
{
    EraseFileByPath(core.MapFiles, path);
}

void ClearSelectedLapsByPath(LapDataCore& core, std::u16string_view path)
{
    auto& slots = core.SelectedLaps;
    if (!slots.empty() && slots[0].activeFlag && slots[0].fullPath == path) {
        slots[0].lapNumber = 0;
        slots[0].activeFlag = 0;
        slots[0].fullPath.clear();
        slots[0].lap = LapRef{}; // its file is gone
    }
    // The overlay laps that stay close up, as when their squares are cleared one by one: every view
    // numbers the compared laps by their slots, and a hole would give a lap two colours.
    for (std::size_t i = 1; i < slots.size();) {
        if (slots[i].activeFlag && slots[i].fullPath == path)
            EraseOverlaySlot(core, i);
        else
            ++i;
    }
}

void InitDataCore(LapDataCore& core)
{
    core.Press1RangeCode = 0;
    core.Press2RangeCode = 0;
    core.LastSampleFlag = 0;
    core.MarkedLapCount = 0;
    core.BaseLapLength = 0;
    core.LoadedFileCount = 0;
    core.LoadedMapFileCount = 0;

    core.LogFiles.clear();
    core.ReadLogFileList.clear();
    core.MapFiles.clear();
    core.ReadMapFileList.clear();
    core.BaseLapFiles.clear();
    core.ScratchRecords.clear();
    core.ScratchSamples.clear();
    core.ScratchPositions.clear();
    ResetTemplates(core);
    core.BaseLapWork.clear();
    core.BaseLapWork.emplace_back();
    core.BaseLap = LapRef{FileSet::BaseLapWork, 0, 0};

    core.SelectedLaps.assign(kSelectedLapSlotCount, SelectedLap{});
    core.SelectedLaps[0].colour = kBaseSlotColour;
    core.SelectedLaps[1].colour = kFirstOverlaySlotColour;
    for (std::size_t i = 2; i < core.SelectedLaps.size(); ++i)
        core.SelectedLaps[i].colour = MakeRandomColour(core, core.SelectedLaps[i - 1].colour);

    core.GraphScaleDefaults = GraphScaleWords{200, 90, 8, 100.0f, 10.0f, 100, 200, 40, 20000, 1023, 5.0f, 400};
}

void ClearAllLogData(LapDataCore& core)
{
    core.LogFiles.clear();
    core.LogFiles.shrink_to_fit();
    core.ReadLogFileList.clear();
    core.ScratchRecords.clear();
    core.ScratchSamples.clear();
    core.ScratchPositions.clear();
    core.SelectedLaps.clear();
    core.ReadMapFileList.clear();
    // Nothing may keep referring to the laps just released.
    core.BaseLapFiles.clear();
    core.BaseLapWork.clear();
    core.BaseLap = LapRef{};
    core.BaseLapLength = 0;
    core.MarkedLapCount = 0;
    core.LoadedFileCount = 0;
    core.Press1RangeCode = 0;
    core.Press2RangeCode = 0;
    core.LastSampleFlag = 0;
    ResetTemplates(core);
}

} // namespace orvelo
