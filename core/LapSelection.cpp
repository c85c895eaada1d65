// Keeps the lap marks, the SelectedLaps slots, BaseLap and the lap colours in step.
#include "core/LapSelection.h"

#include "core/LapDataCore.h"
#include "core/LapNumberText.h"

#include <algorithm>

namespace orvelo {

namespace {

bool IsActive(const SelectedLap& slot)
{
    return slot.activeFlag != 0;
}

// Slot 0 always exists once a lap is placed, even in a core that was never initialised.
void EnsureBaseSlot(LapDataCore& core)
{
    if (core.SelectedLaps.empty()) {
        SelectedLap slot;
        slot.colour = kBaseSlotColour;
        core.SelectedLaps.push_back(slot);
    }
}

void PlaceLapInSlot(SelectedLap& slot, std::u16string_view path, const LapRef& ref, Lap& lap)
{
    lap.displayColour = slot.colour;
    slot.activeFlag = 1;
    slot.lapNumber = static_cast<std::int32_t>(lap.lapNumber);
    slot.fullPath = std::u16string(path);
    slot.lap = ref;
}

void FreeOverlaySlot(LapDataCore& core, std::u16string_view path, const Lap& lap)
{
    auto& slots = core.SelectedLaps;
    for (std::size_t i = 1; i < slots.size(); ++i) {
        if (IsActive(slots[i]) && slots[i].fullPath == path && LapNumberMatches(lap.lapNumber, slots[i].lapNumber)) {
            EraseOverlaySlot(core, i);
            return;
        }
    }
}

void TakeOverlaySlot(LapDataCore& core, std::u16string_view path, const LapRef& ref, Lap& lap)
{
    auto& slots = core.SelectedLaps;
    for (std::size_t i = 1; i < slots.size(); ++i) {
        if (!IsActive(slots[i])) {
            PlaceLapInSlot(slots[i], path, ref, lap);
            return;
        }
    }
    // Every overlay slot is in use: the lap gets a new slot, and its colour, like a lap in a free slot.
    SelectedLap added;
    added.colour = MakeRandomColour(core, slots.back().colour);
    PlaceLapInSlot(added, path, ref, lap);
    slots.push_back(added);
}

const Lap* FindLogLapPtr(const LapDataCore& core, std::u16string_view path, std::u16string_view lapNumberText)
{
    return core.ResolveLap(FindLogLap(core, path, ParseLapNumber(lapNumberText)));
}

} // namespace

LapRef FindLogLap(const LapDataCore& core, std::u16string_view path, std::int32_t lapNumber)
{
    for (const LogFile& file : core.LogFiles) {
        if (file.fullPath != path)
            continue;
        for (std::size_t i = 0; i < file.laps.size(); ++i) {
            if (LapNumberMatches(file.laps[i].lapNumber, lapNumber))
                return LapRef{FileSet::Log, file.fileId, static_cast<std::int32_t>(i)};
        }
    }
    return LapRef{};
}

void SetBaseLap(LapDataCore& core, std::u16string_view path, std::u16string_view lapNumberText)
{
    // Looked up first: a request for a lap that is not loaded keeps the current base lap whole.
    const LapRef target = FindLogLap(core, path, ParseLapNumber(lapNumberText));
    Lap* base = core.ResolveLap(target);
    if (!base)
        return;
    core.BaseLapFiles.clear();
    for (LogFile& file : core.LogFiles) {
        for (Lap& lap : file.laps) {
            if (&lap == base)
                continue;
            lap.baseLapMark = 0;
            if (!lap.overlayMark)
                lap.displayColour = 0;
        }
    }
    base->baseLapMark = 1;
    SetBaseLapSlot(core, path, target);
    core.BaseLapLength = static_cast<std::uint32_t>(std::max(base->sampleCount, 0));
    core.BaseLap = target;
    const LogFile* file = core.FindFile(FileSet::Log, target.fileId);
    core.BaseLapFiles.push_back(BaseLapFileRef{file->fullPath, FileSet::Log, file->fileId});
}

void SetBaseLapSlot(LapDataCore& core, std::u16string_view path, const LapRef& lap)
{
    Lap* target = core.ResolveLap(lap);
    if (!target)
        return;
    EnsureBaseSlot(core);
    PlaceLapInSlot(core.SelectedLaps[0], path, lap, *target);
}

int ToggleOverlayLap(LapDataCore& core, std::u16string_view path, std::u16string_view lapNumberText)
{
    const LapRef ref = FindLogLap(core, path, ParseLapNumber(lapNumberText));
    Lap* lap = core.ResolveLap(ref);
    if (!lap || core.BaseLapFiles.empty())
        return 1;
    if (lap->baseLapMark)
        return 0;
    lap->overlayMark = lap->overlayMark ? 0 : 1;
    AddSelectedLap(core, path, ref);
    return lap->overlayMark ? 0 : -1;
}

void EraseOverlaySlot(LapDataCore& core, std::size_t index)
{
    auto& slots = core.SelectedLaps;
    if (index == 0 || index >= slots.size())
        return;
    const COLORREF erasedColour = slots[index].colour;
    slots.erase(slots.begin() + static_cast<std::ptrdiff_t>(index));
    SelectedLap fresh;
    fresh.colour = MakeRandomColour(core, erasedColour);
    slots.push_back(fresh);
}

void AddSelectedLap(LapDataCore& core, std::u16string_view path, const LapRef& lap)
{
    Lap* target = core.ResolveLap(lap);
    if (!target)
        return;
    EnsureBaseSlot(core);
    if (target->overlayMark)
        TakeOverlaySlot(core, path, lap, *target);
    else
        FreeOverlaySlot(core, path, *target);
}

void ResetOverlaySlots(LapDataCore& core)
{
    for (std::size_t i = 1; i < core.SelectedLaps.size(); ++i) {
        SelectedLap& slot = core.SelectedLaps[i];
        slot.activeFlag = 0;
        slot.lapNumber = 0;
        slot.fullPath.clear();
    }
}

void ClearLapSelection(LapDataCore& core)
{
    for (LogFile& file : core.LogFiles) {
        for (Lap& lap : file.laps)
            lap.overlayMark = 0;
    }
    ResetOverlaySlots(core);
}

void ApplyLapColors(LapDataCore& core, const LapColorArray& lapColors)
{
    const std::size_t count = std::min(lapColors.size(), core.SelectedLaps.size());
    for (std::size_t i = 0; i < count; ++i) {
        SelectedLap& slot = core.SelectedLaps[i];
        slot.colour = lapColors[i];
        if (!IsActive(slot))
            continue;
        if (Lap* lap = core.ResolveLap(slot.lap))
            lap->displayColour = slot.colour;
    }
}

const SelectedLap* ComparedLapSlot(const LapDataCore& core, std::size_t row)
{
    for (const SelectedLap& slot : core.SelectedLaps) {
        if (!IsActive(slot) || !core.ResolveLap(slot.lap))
            continue;
        if (row == 0)
            return &slot;
        --row;
    }
    return nullptr;
}

int UpdateBaseLap(LapDataCore& core)
{
    for (const LogFile& file : core.LogFiles) {
        for (const Lap& lap : file.laps) {
            if (lap.baseLapMark) {
                core.BaseLapLength = static_cast<std::uint32_t>(std::max(lap.sampleCount, 0));
                return 1;
            }
        }
    }
    core.BaseLapLength = 0;
    core.BaseLapFiles.clear();
    core.BaseLapWork.emplace_back();
    core.BaseLap = LapRef{FileSet::BaseLapWork, 0, static_cast<std::int32_t>(core.BaseLapWork.size() - 1)};
    return 0;
}

int CountMarkedLaps(LapDataCore& core)
{
    int count = 0;
    for (const LogFile& file : core.LogFiles) {
        for (const Lap& lap : file.laps) {
            if (lap.baseLapMark || lap.overlayMark)
                ++count;
        }
    }
    core.MarkedLapCount = count;
    return count;
}

int GetCurrentLap(const LapDataCore& core, std::u16string& path, std::u16string& lapNumberText)
{
    for (const LogFile& file : core.LogFiles) {
        for (const Lap& lap : file.laps) {
            if (lap.currentLapMark) {
                path = file.fullPath;
                lapNumberText = FormatLapNumber(lap.lapNumber);
                return 1;
            }
        }
    }
    return 0;
}

int SetCurrentLap(LapDataCore& core, std::u16string_view lapNumberText, std::u16string_view path)
{
    const Lap* current = FindLogLapPtr(core, path, lapNumberText);
    for (LogFile& file : core.LogFiles) {
        for (Lap& lap : file.laps)
            lap.currentLapMark = &lap == current ? 1 : 0;
    }
    const bool hasCourse = current && !current->analysisItems.empty() && !current->noAnalysisFlag;
    return hasCourse ? 0 : 1;
}

int GetLapMark(const LapDataCore& core, int kind, std::u16string_view path,
               std::u16string_view lapNumberText, COLORREF& colour)
{
    colour = 0;
    if (kind != kLapMarkBase && kind != kLapMarkOverlay)
        return 0;
    const Lap* lap = FindLogLapPtr(core, path, lapNumberText);
    if (!lap)
        return 0;
    colour = lap->displayColour;
    return kind == kLapMarkBase ? lap->baseLapMark : lap->overlayMark;
}

int FindSelectedLap(const LapDataCore& core, std::u16string_view lapNumberText, std::u16string_view path,
                    COLORREF& colour)
{
    const std::int32_t number = ParseLapNumber(lapNumberText);
    for (std::size_t i = 0; i < core.SelectedLaps.size(); ++i) {
        const SelectedLap& slot = core.SelectedLaps[i];
        if (slot.lapNumber == number && slot.fullPath == path) {
            colour = slot.colour;
            return static_cast<int>(i);
        }
    }
    colour = 0;
    return -1;
}

int SetActiveMapFile(LapDataCore& core, int position)
{
    if (core.MapFiles.empty())
        return 0;
    bool found = false;
    for (std::size_t i = 0; i < core.MapFiles.size(); ++i) {
        const bool active = position >= 0 && i == static_cast<std::size_t>(position);
        core.MapFiles[i].currentCourseFlag = active ? 1 : 0;
        found = found || active;
    }
    return found ? 1 : 0;
}

} // namespace orvelo
