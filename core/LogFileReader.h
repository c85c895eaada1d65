// Reading log files into LogFiles and course-map files into MapFiles, with the file date and title.
// Files are opened read-only and never created by a read.
#pragma once

#include "core/PathSplit.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace orvelo {

class LapDataCore;

// The bytes a read takes from a file of that size at a time: the whole file and one record more for a
// small file (so that its end is seen at once), a block of a sixteenth of the file for a larger one,
// at least 16 KiB and at most 64 KiB.
std::size_t ReadBlockSizeFor(std::uint64_t fileSize);

// Every scalar of LapTemplate to 0, its texts empty and its four lists emptied.
void ResetLapTemplate(LapDataCore& core);

// Append a new LogFile for the path (date, title, folder, a fresh file id). Return 0.
int AddLogFile(LapDataCore& core, std::u16string_view path);
int AddMapFile(LapDataCore& core, std::u16string_view path);

// Read the file into the new last element of LogFiles / MapFiles.
// 0 when the whole file was read; -1 when it cannot be opened, is not a regular file,
// a read fails or it ends in a partial record (what was read stays). A log file that ends in a
// partial record is finished as if it ended before it (laps, marks and totals), and its
// partialRecordBytes say how many bytes were left over; one that cannot be opened gets openFailed.
int ReadLogFile(LapDataCore& core, std::u16string_view path);
int ReadMapFile(LapDataCore& core, std::u16string_view path);

// 1 when the file holds a complete lap-end record, 0 when it holds none, -1 when it cannot be read.
// Reads only up to the first one and keeps nothing.
int FindLapEndRecord(std::u16string_view path);

// Title of the path and the file's last-write time (UTC) as text; -1 when the file cannot be opened
// (the date text is then empty). The caller tells the user.
int ReadFileDateAndTitle(std::u16string_view path, std::u16string& title, std::u16string& dateText);

// "%d/%d/%d(%s) %d:%d": year, month, day, weekday name, hour, minute.
std::u16string FormatFileDate(const std::tm& time);

// Seconds from 2008-01-01 00:00:00 local time to the core's clock.
std::int64_t GetSecondsSince2008(const LapDataCore& core);

} // namespace orvelo
