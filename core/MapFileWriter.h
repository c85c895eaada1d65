// Writing one lap of a loaded log file as a course-map file.
#pragma once

#include <cstdint>
#include <string_view>

namespace orvelo {

class LapDataCore;

// The first lap with the number in the first log file with exactly that path, written record by record.
// A GPS-drawn lap's first lap-line record carries the export mark in the written file (not in memory).
// The file is written under a temporary name in the same folder and renamed only when complete; an
// existing file keeps its mode, and a symbolic link its target. Temporary files that earlier saves left
// in that folder when killed are removed first.
// 0 written; -1 the file could not be created or written (nothing is left behind);
// 1 nothing written: empty output path, no such lap, or the lap has no course.
int SaveLapAsMapFile(LapDataCore& core, std::u16string_view outputPath, std::u16string_view logFilePath,
                     std::uint32_t lapNumber);

// Removes the temporary files of course-map saves killed before they finished ("<name>.dat.tmp-<pid>-<n>"
// of a process that no longer runs) from the folder; returns how many.
int RemoveMapFileLeftovers(std::u16string_view folder);

} // namespace orvelo
