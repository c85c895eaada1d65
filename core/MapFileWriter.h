// Writing one lap of a loaded log file as a course-map file.
#pragma once

#include <cstdint>
#include <string_view>

namespace orvelo {

class LapDataCore;

// The first lap with the number in the first log file with exactly that path, written record by record.
// A GPS-drawn lap's first lap-line record carries the export mark in the written file (not in memory).
// The file is written under a temporary name in the same folder and renamed only when complete.
// 0 written; -1 the file could not be created or written (nothing is left behind);
// 1 nothing written: empty output path, no such lap, or the lap has no course.
int SaveLapAsMapFile(LapDataCore& core, std::u16string_view outputPath, std::u16string_view logFilePath,
                     std::uint32_t lapNumber);

} // namespace orvelo
