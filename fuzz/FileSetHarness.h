// Several log and course-map files loaded together as the program loads them, then laps compared,
// made current and recoloured, files closed and opened again, courses redrawn, each step followed by
// what must hold whatever the files hold. Shared by the fuzz target and the tests that replay it.
//
// An input is read from both ends: its last bytes say how many files and which steps, its front
// holds the files' bytes, cut into one piece per file on record boundaries.
#pragma once

#include "core/CourseBuilder.h"
#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "core/Utf8Text.h"
#include "fuzz/FileLoadHarness.h"
#include "fuzz/HeapMeter.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace orvelo::fuzzing {

class FileSetRun {
public:
    static constexpr int kMaxFiles = 4;
    static constexpr int kMaxSteps = 48;
    // Heap a step may add for good: a slot for a further overlay lap, a spare work lap.
    static constexpr std::size_t kStepAllowance = 1024;

    struct Step {
        std::uint8_t kind; // a StepKind, modulo their number
        std::uint8_t file; // modulo the number of files
        std::uint16_t lap; // a lap of the file, modulo its laps
    };
    enum StepKind {
        kBase, kOverlay, kCurrent, kClearSelection, kColours, kClose, kOpenAgain, kActiveCourse, kDrawMode,
        kMarks, kCloseAll, kStepKinds
    };
    struct FileBytes {
        std::vector<std::uint8_t> bytes;
        bool map = false;
    };

    // folder: where the files are written, one of this process's own.
    FileSetRun(const std::vector<FileBytes>& files, std::vector<Step> steps, const std::string& folder)
        : m_steps(std::move(steps))
    {
        for (std::size_t k = 0; k < files.size(); ++k)
            Add(folder, k, files[k].map, files[k].bytes);
    }

    FileSetRun(const std::uint8_t* data, std::size_t size, const std::string& folder)
    {
        // Bytes taken from the end, 0 once there are none.
        const auto next = [&data, &size]() -> std::uint8_t { return size > 0 ? data[--size] : 0; };
        const int fileCount = 1 + next() % kMaxFiles;
        const int stepCount = next() % (kMaxSteps + 1);
        for (int k = 0; k < stepCount; ++k) {
            const std::uint8_t kind = next();
            const std::uint8_t file = next();
            const std::uint8_t low = next();
            m_steps.push_back({kind, file, static_cast<std::uint16_t>(low | next() << 8)});
        }
        std::vector<unsigned> shares;
        std::vector<bool> maps;
        for (int k = 0; k < fileCount; ++k) {
            const std::uint8_t byte = next();
            maps.push_back(byte & 1);
            shares.push_back(1 + (byte >> 1));
        }
        const std::vector<std::uint8_t> bytes(data, data + size);
        unsigned total = 0;
        for (const unsigned share : shares)
            total += share;
        std::size_t at = 0;
        for (std::size_t k = 0; k < maps.size(); ++k) {
            std::size_t length = bytes.size() - at;
            if (k + 1 < maps.size()) // whole records, the last file takes the rest
                length = std::min(length, bytes.size() * shares[k] / total / kRecordSize * kRecordSize);
            Add(folder, k, maps[k], {bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + length)});
            at += length;
        }
    }

    void Run()
    {
        LapDataCore core = StartedCore();
        m_heldBefore = CurrentHeapUse().current;
        RestartHeapPeak();
        for (std::size_t k = 0; k < m_files.size(); ++k)
            List(core, k);
        Load(core, true);
        Load(core, false);
        for (std::size_t k = 0; k < m_steps.size(); ++k) {
            Take(core, m_steps[k]);
            Check(core, k + 1);
        }
        ClearAllLogData(core);
    }

private:
    struct File {
        std::string path;
        bool map = false;
        std::vector<std::uint8_t> bytes;
        std::u16string Path() const { return FromUtf8(path); }
    };

    void Add(const std::string& folder, std::size_t k, bool map, std::vector<std::uint8_t> bytes)
    {
        File& file = m_files.emplace_back(File{folder + "/file" + std::to_string(k) + ".dat", map, std::move(bytes)});
        std::ofstream(file.path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(file.bytes.data()), static_cast<std::streamsize>(file.bytes.size()));
        m_fileBytes += file.bytes.size();
    }

    // Lists the file as the file selection dialog does; it may be listed already.
    void List(LapDataCore& core, std::size_t k)
    {
        FileListEntry entry;
        entry.fullPath = m_files[k].Path();
        m_files[k].map ? EditMapFileList(core, kFileListAdd, entry) : EditLogFileList(core, kFileListAdd, entry);
    }

    // Loads what is listed and not loaded, as the OK of the file selection dialog does, and what the
    // open command does after a failure; exactly the files that must fail fail.
    void Load(LapDataCore& core, bool maps)
    {
        int mustFail = 0;
        auto& list = maps ? core.ReadMapFileList : core.ReadLogFileList;
        for (const FileListEntry& entry : list) {
            for (const File& file : m_files) {
                if (!entry.loadedFlag && file.map == maps && entry.fullPath == file.Path())
                    mustFail += LoadMustFail(file.bytes.data(), file.bytes.size(),
                                             maps ? LoadedKind::Map : LoadedKind::Log);
            }
        }
        const int failures = maps ? LoadPendingMapFiles(core, m_drawMode) : LoadPendingLogFiles(core, m_drawMode);
        if (failures != (list.empty() ? -1 : mustFail)) {
            std::fprintf(stderr, "%d failures where %d files must fail\n", failures, mustFail);
            std::abort();
        }
        if (failures > 0)
            maps ? DiscardUnloadedMapFiles(core) : DiscardUnloadedLogFiles(core);
        Check(core, 0);
    }

    const File& FileOf(const Step& step) const { return m_files[step.file % m_files.size()]; }

    // The number of a lap of the step's file as the lap list passes it, or a number no lap has.
    std::u16string LapNumberOf(const LapDataCore& core, const Step& step) const
    {
        const std::u16string path = FileOf(step).Path();
        for (const LogFile& file : core.LogFiles) {
            if (file.fullPath == path && !file.laps.empty())
                return FormatLapNumber(file.laps[step.lap % file.laps.size()].lapNumber);
        }
        return FormatLapNumber(step.lap);
    }

    void Take(LapDataCore& core, const Step& step)
    {
        const std::u16string path = FileOf(step).Path();
        const std::u16string number = LapNumberOf(core, step);
        switch (step.kind % kStepKinds) {
        case kBase:
            SetBaseLap(core, path, number);
            break;
        case kOverlay:
            ToggleOverlayLap(core, path, number);
            break;
        case kCurrent:
            SetCurrentLap(core, number, path);
            break;
        case kClearSelection:
            ClearLapSelection(core);
            break;
        case kColours: {
            LapColorArray colours{};
            for (std::size_t i = 0; i < colours.size(); ++i)
                colours[i] = Rgb(static_cast<std::uint8_t>(step.lap + i), step.file, 7);
            ApplyLapColors(core, colours);
            break;
        }
        case kClose:
            Close(core, FileOf(step).map, &path);
            break;
        case kCloseAll:
            Close(core, false, nullptr);
            Close(core, true, nullptr);
            break;
        case kOpenAgain:
            List(core, step.file % m_files.size());
            Load(core, FileOf(step).map);
            break;
        case kActiveCourse:
            SetActiveMapFile(core, static_cast<int>(step.lap % 8) - 1);
            break;
        case kDrawMode:
            m_drawMode = kMapDrawOffsetOff + step.lap % 3;
            RebuildAllAnalysis(core, m_drawMode);
            break;
        case kMarks: {
            COLORREF colour = 0;
            const int base = GetLapMark(core, kLapMarkBase, path, number, colour);
            const int slot = FindSelectedLap(core, number, path, colour);
            if (base != 0 && slot != 0) { // the base lap is named by slot 0 and no slot before it
                std::fputs("the base lap is not found in slot 0\n", stderr);
                std::abort();
            }
            break;
        }
        }
    }

    // Closes the file with that path (every file when none) as the file closing dialog's OK does,
    // then what the main frame and the lap list do on being told.
    void Close(LapDataCore& core, bool maps, const std::u16string* path)
    {
        for (FileListEntry& entry : maps ? core.ReadMapFileList : core.ReadLogFileList)
            entry.closeMark = entry.loadedFlag && (!path || entry.fullPath == *path) ? 1 : 0;
        maps ? CloseMarkedMapFiles(core) : CloseMarkedLogFiles(core);
        ClearLapSelection(core);
        UpdateBaseLap(core);
    }

    // What holds after every step: each slot in use names a loaded lap that carries its mark, the laps
    // with a mark are named by slots, one base lap at most and the references to it agree, one current
    // lap at most, each file holds no more than it may, and the heap no more than 8 times the files.
    void Check(const LapDataCore& core, std::size_t stepsTaken) const
    {
        std::size_t overlays = 0;
        std::size_t bases = 0;
        std::size_t currents = 0;
        for (const LogFile& file : core.LogFiles) {
            for (const Lap& lap : file.laps) {
                overlays += lap.overlayMark != 0;
                bases += lap.baseLapMark != 0;
                currents += lap.currentLapMark != 0;
            }
        }
        std::size_t overlaySlots = 0;
        for (std::size_t i = 0; i < core.SelectedLaps.size(); ++i) {
            const SelectedLap& slot = core.SelectedLaps[i];
            if (!slot.activeFlag)
                continue;
            const Lap* lap = core.ResolveLap(slot.lap);
            const LogFile* file = core.FindFile(slot.lap.set, slot.lap.fileId);
            if (!lap || slot.lap.set != FileSet::Log || file->fullPath != slot.fullPath ||
                !LapNumberMatches(lap->lapNumber, slot.lapNumber) || !(i == 0 ? lap->baseLapMark : lap->overlayMark))
                Fail("a slot in use does not name its lap", stepsTaken);
            overlaySlots += i > 0;
        }
        const bool baseSlot = !core.SelectedLaps.empty() && core.SelectedLaps[0].activeFlag;
        if (overlays != overlaySlots || bases > 1 || (bases == 1) != baseSlot || currents > 1)
            Fail("marks and slots differ", stepsTaken);
        if (!core.ResolveLap(core.BaseLap) || core.BaseLapFiles.size() != bases ||
            (bases == 1 && !(core.BaseLap == core.SelectedLaps[0].lap)))
            Fail("the base lap's references differ", stepsTaken);
        for (const auto* files : {&core.LogFiles, &core.MapFiles}) {
            for (const LogFile& loaded : *files) {
                for (const File& file : m_files) {
                    if (loaded.fullPath == file.Path() && (files == &core.MapFiles) == file.map)
                        CheckHeld(loaded, file.bytes.size());
                }
            }
        }
        const std::size_t peak = CurrentHeapUse().peak - m_heldBefore;
        const std::size_t bound = 8 * m_fileBytes + ReadBlockSizeFor(m_fileBytes) +
                                  m_files.size() * kFileEntryAllowance + m_steps.size() * kStepAllowance;
        if (peak > bound) {
            std::fprintf(stderr, "%zu bytes of files held %zu bytes of heap at the peak\n", m_fileBytes, peak);
            std::abort();
        }
    }

    [[noreturn]] static void Fail(const char* what, std::size_t stepsTaken)
    {
        std::fprintf(stderr, "after %zu steps: %s\n", stepsTaken, what);
        std::abort();
    }

    std::vector<File> m_files;
    std::vector<Step> m_steps;
    std::size_t m_fileBytes = 0;
    std::size_t m_heldBefore = 0;
    int m_drawMode = kMapDrawOffsetOff;
};

} // namespace orvelo::fuzzing
