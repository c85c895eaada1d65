// The read lists of log and course-map files and what turns them into loaded files and back:
// list edits, the load drivers, purge and discard after a cancelled or failed open, closing marked
// files, and the start-up and shut-down of the data core. Every operation has a log and a map twin.
#pragma once

#include "core/LapData.h"

#include <cstddef>
#include <string_view>

namespace orvelo {

class LapDataCore;

inline constexpr int kFileListRemove = 0;
inline constexpr int kFileListAdd = 1;
inline constexpr std::size_t kSelectedLapSlotCount = 18;

// Mode 1 (add): -1 when an entry with the same full path is listed (nothing changes), else the entry is
// appended unloaded and the result is 0. Mode 0 (remove): erases the first entry with the entry's full
// path that is not loaded; 1 when the list is then empty, else 0. Other modes: 0.
int EditLogFileList(LapDataCore& core, int mode, const FileListEntry& entry);
int EditMapFileList(LapDataCore& core, int mode, const FileListEntry& entry);

// Reads every listed file that is not loaded yet, then builds its courses for the drawing mode
// (1 offset OFF, 2 offset ON, 3 GPS) and, for log files, its lap statistics. LoadedFileCount /
// LoadedMapFileCount = the listed files loaded afterwards. Returns the number of files that failed
// (their entries get the load error and their partly read files stay until discarded), -1 when the
// list is empty. A log file that ends in a partial record is loaded from its complete records and
// its entry gets lastRecordCutOff; a log file in which no lap is closed fails (one without a lap-end
// record before it is read); a file that cannot be opened fails with cannotOpen on its entry. A file
// that runs out of memory fails and is released at once; the files loaded before it stay.
int LoadPendingLogFiles(LapDataCore& core, int mapDrawMode);
int LoadPendingMapFiles(LapDataCore& core, int mapDrawMode);

// After a cancelled open: erases the entries that are not loaded; the number erased.
int PurgeLogFileList(LapDataCore& core);
int PurgeMapFileList(LapDataCore& core);

// After a failed open: erases every entry that is not loaded with its partly read file; 0, -1 when
// the list is empty.
int DiscardUnloadedLogFiles(LapDataCore& core);
int DiscardUnloadedMapFiles(LapDataCore& core);

// Closes the files whose entries are marked for closing and erases those entries; the number closed.
// On the log side the slots of their laps are cleared and, when the base lap went with them, there is
// no base lap any more.
int CloseMarkedLogFiles(LapDataCore& core);
int CloseMarkedMapFiles(LapDataCore& core);

// Erases the first loaded file with that full path; nothing when there is none.
void EraseLogFileByPath(LapDataCore& core, std::u16string_view path);
void EraseMapFileByPath(LapDataCore& core, std::u16string_view path);

// The laps of that log file leave their slots: the base lap's slot 0 becomes inactive, with lap number
// 0, no path and no lap, keeping its colour; an overlay lap's slot is erased, the later ones move down
// one with their colours and a new inactive slot is appended. ApplyLapColors then gives the laps that
// moved the colours of their new slots.
void ClearSelectedLapsByPath(LapDataCore& core, std::u16string_view path);

// Start-up: empty file lists and files, a work lap as the base lap, the 18 slots with their colours,
// the graph scale defaults. The caller then loads the channel tables and the map drawing mode from the
// settings.
void InitDataCore(LapDataCore& core);

// Shut-down: releases every log file, the read lists, the slots and the base-lap references;
// course-map files stay until the program ends.
void ClearAllLogData(LapDataCore& core);

} // namespace orvelo
