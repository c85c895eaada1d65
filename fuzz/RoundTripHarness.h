// A log file loaded as the program loads it, each of its laps written back as a course-map file as
// "regist course map" does, and that file opened again as a course map, with what must hold whatever
// the log file holds. Shared by the fuzz target and the tests that replay it.
#pragma once

#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "core/LogFileReader.h"
#include "core/MapFileWriter.h"
#include "core/Utf8Text.h"
#include "fuzz/FileLoadHarness.h"
#include "fuzz/HeapMeter.h"
#include "fuzz/ReaderAgreement.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

namespace orvelo::fuzzing {

class RoundTrip {
public:
    // Laps written back for one input, so that a file of many laps stays quick.
    static constexpr std::size_t kMaxLapsWritten = 4;

    // logPath holds the bytes; folder is where the course maps are written, one of this process's own.
    RoundTrip(const std::string& logPath, const std::string& folder) : m_logPath(FromUtf8(logPath)), m_folder(folder)
    {
    }

    void Run()
    {
        LapDataCore core = StartedCore();
        FileListEntry entry;
        entry.fullPath = m_logPath;
        EditLogFileList(core, kFileListAdd, entry);
        // In the GPS drawing mode, so that laps with GPS are written with the export mark.
        if (LoadPendingLogFiles(core, kMapDrawGps) != 0)
            return; // what fails and what it may hold is the log target's to check
        const LogFile& file = core.LogFiles.front();
        std::size_t written = 0;
        for (std::size_t i = 0; i < file.laps.size() && written < kMaxLapsWritten; ++i) {
            if (FirstWithItsNumber(file, i))
                written += WriteBackAndReadAgain(core, file, i);
        }
        ClearAllLogData(core);
    }

private:
    // A lap is written by its number: the first lap with it.
    static bool FirstWithItsNumber(const LogFile& file, std::size_t index)
    {
        for (std::size_t i = 0; i < index; ++i) {
            if (file.laps[i].lapNumber == file.laps[index].lapNumber)
                return false;
        }
        return true;
    }

    static std::vector<std::uint8_t> BytesOf(const Lap& lap)
    {
        std::vector<std::uint8_t> bytes;
        for (const LogRecord& record : lap.records)
            bytes.insert(bytes.end(), record.bytes.begin(), record.bytes.begin() + kRecordSize);
        return bytes;
    }

    // Writes lap `index`; true when it was written (and then read again).
    bool WriteBackAndReadAgain(LapDataCore& core, const LogFile& file, std::size_t index)
    {
        const Lap& lap = file.laps[index];
        const std::vector<std::uint8_t> before = BytesOf(lap);
        const std::string out = m_folder + "/course.dat";
        std::filesystem::remove(out);
        const bool hasCourse = !lap.analysisItems.empty() && lap.noAnalysisFlag == 0;
        const int result = SaveLapAsMapFile(core, FromUtf8(out), m_logPath, lap.lapNumber);
        if (result != (hasCourse ? 0 : 1))
            Fail("a save gave %d", result);
        if (BytesOf(lap) != before)
            Fail("a save changed the lap's records (%d)", result);
        if (std::distance(std::filesystem::directory_iterator(m_folder), {}) != (hasCourse ? 1 : 0))
            Fail("a save (%d) left other files than the course map", result);
        if (!hasCourse)
            return false;
        std::ifstream in(out, std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        // The same records; a lap drawn from GPS marks the time of its first lap line.
        std::vector<std::uint8_t> expected = before;
        const bool marked = lap.analysisItems.front().gpsDrawFlag != 0;
        std::size_t markAt = expected.size();
        for (std::size_t at = 0; marked && at < expected.size(); at += kRecordSize) {
            if (expected[at] == kLapLineLetter) {
                expected[at + 30] = 0xFF;
                markAt = at / kRecordSize;
                break;
            }
        }
        if (bytes != expected)
            Fail("the course map does not hold the lap's records (%d)", 0);
        ReadAgain(core, file, index, bytes, markAt);
        return true;
    }

    // Opens the written file as the program opens a course map, checks it, and closes it again.
    void ReadAgain(LapDataCore& core, const LogFile& file, std::size_t index, const std::vector<std::uint8_t>& bytes,
                   std::size_t markAt)
    {
        const std::u16string out = FromUtf8(m_folder + "/course.dat");
        FileListEntry entry;
        entry.fullPath = out;
        EditMapFileList(core, kFileListAdd, entry);
        const std::size_t heldBefore = CurrentHeapUse().current;
        RestartHeapPeak();
        if (LoadPendingMapFiles(core, kMapDrawGps) != 0)
            Fail("the course map written does not load (%d)", 0);
        CheckPeakHeap(heldBefore, bytes.size());
        const LogFile& map = core.MapFiles.back();
        CheckHeld(map, bytes.size());
        {
            LapDataCore other;
            if (ReadLogFile(other, out) != 0)
                Fail("the course map does not read as a log file (%d)", 0);
            CheckReadersAgree(map, other.LogFiles.back(), bytes.data(), bytes.size());
        }
        if (StartsAfterALapLine(file, index))
            CheckSameLap(file.laps[index], map, bytes, markAt);
        core.ReadMapFileList.back().closeMark = 1;
        CloseMarkedMapFiles(core);
    }

    // A lap that starts the file or follows a lap closed by a lap line starts from the state a read
    // starts from, so its records read alone give the lap again.
    static bool StartsAfterALapLine(const LogFile& file, std::size_t index)
    {
        return index == 0 || (!file.laps[index - 1].records.empty() &&
                              file.laps[index - 1].records.back().bytes[0] == kLapLineLetter);
    }

    // The course map's one lap is the lap written: its number, counts, samples, positions (but the
    // time of the marked lap line) and course, and its lap time unless the marked lap line closes it.
    static void CheckSameLap(const Lap& lap, const LogFile& map, const std::vector<std::uint8_t>& bytes,
                             std::size_t markAt)
    {
        if (map.laps.size() != 1)
            Fail("the course map holds %d laps", static_cast<int>(map.laps.size()));
        const Lap& read = map.laps.front();
        if (std::tie(read.lapNumber, read.distance, read.sampleCount, read.positionCount, read.gpsSign) !=
            std::tie(lap.lapNumber, lap.distance, lap.sampleCount, lap.positionCount, lap.gpsSign))
            Fail("the course map's lap has another number or other counts (%d)", 0);
        const std::size_t records = bytes.size() / kRecordSize;
        const bool closedByMark = markAt + 1 == records;
        if (read.lapTime != (closedByMark ? 0xFF00u | (lap.lapTime & 0xFF) : lap.lapTime))
            Fail("the course map's lap has another lap time (%d)", static_cast<int>(read.lapTime));
        if (read.samples.size() != lap.samples.size() || read.positions.size() != lap.positions.size())
            Fail("the course map's lap has other samples or positions (%d)", 0);
        for (std::size_t k = 0; k < lap.samples.size(); ++k) {
            SampleRec expected = lap.samples[k];
            expected.runningLapTime = read.samples[k].runningLapTime; // the log's statistics sum them again
            if (ReadFields(read.samples[k]) != ReadFields(expected))
                Fail("the course map's lap has another sample %d", static_cast<int>(k));
        }
        // The positions come in record order: the marked lap line is the one after those before it,
        // unless it closed an out lap, whose positions and line the lap does not hold.
        std::size_t marked = 0;
        std::size_t outLap = 0; // positions up to the last lap line before the first lap end
        std::size_t seen = 0;
        bool lapEnd = false;
        for (std::size_t k = 0; k < records; ++k) {
            const std::uint8_t* record = bytes.data() + k * kRecordSize;
            lapEnd = lapEnd || KindOfRecord(record) == RecordKind::LapEnd;
            if (KindOfRecord(record) != RecordKind::Position)
                continue;
            ++seen;
            marked += k < markAt;
            if (!lapEnd && record[0] == kLapLineLetter)
                outLap = seen;
        }
        const bool markHeld = markAt < records && marked >= outLap;
        for (std::size_t k = 0; k < lap.positions.size(); ++k) {
            PositionRec expected = lap.positions[k];
            if (markHeld && k == marked - outLap)
                expected.time = read.positions[k].time;
            if (ReadFields(read.positions[k]) != ReadFields(expected))
                Fail("the course map's lap has another position %d", static_cast<int>(k));
        }
        if (read.analysisItems.empty() || read.noAnalysisFlag != 0)
            Fail("the course map's lap has no course (%d)", 0);
        const LapAnalysisItem& course = read.analysisItems.front();
        const LapAnalysisItem& written = lap.analysisItems.front();
        if (course.gpsDrawFlag != written.gpsDrawFlag)
            return; // an export mark in the lap's own bytes makes a course drawn from GPS
        if (course.projectedPoints.size() != written.projectedPoints.size())
            Fail("the course map's course has %d points", static_cast<int>(course.projectedPoints.size()));
        for (std::size_t k = 0; k < course.projectedPoints.size(); ++k) {
            const ProjectedPoint& a = course.projectedPoints[k];
            const ProjectedPoint& b = written.projectedPoints[k];
            if (a.x != b.x || a.y != b.y || a.skipFlag != b.skipFlag)
                Fail("the course map's course differs at point %d", static_cast<int>(k));
        }
    }

    [[noreturn]] static void Fail(const char* format, int value)
    {
        std::fprintf(stderr, "round trip: ");
        std::fprintf(stderr, format, value);
        std::fputc('\n', stderr);
        std::abort();
    }

    std::u16string m_logPath;
    std::string m_folder;
};

} // namespace orvelo::fuzzing
