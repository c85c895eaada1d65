// The laps being compared: base lap, overlay laps and their SelectedLaps slots, the current lap,
// their colours, and the lookups by log-file path and lap-number text that the lap lists use.
// Lap numbers arrive as wide text ("  3") and are read with ParseLapNumber.
#pragma once

#include "core/LapColour.h"
#include "core/LapData.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvelo {

class LapDataCore;

inline constexpr int kLapMarkBase = 1;
inline constexpr int kLapMarkOverlay = 2;

// The first lap with that number in a log file with that full path (exact comparison); a reference
// that resolves to nothing when there is none.
LapRef FindLogLap(const LapDataCore& core, std::u16string_view path, std::int32_t lapNumber);

// Makes the lap the base lap: its mark, slot 0, BaseLap, BaseLapLength and BaseLapFiles; every other
// lap loses the base-lap mark and, unless it is an overlay lap, its colour. Nothing changes when no
// such lap is loaded.
void SetBaseLap(LapDataCore& core, std::u16string_view path, std::u16string_view lapNumberText);

// Slot 0 takes the lap, the lap takes slot 0's colour.
void SetBaseLapSlot(LapDataCore& core, std::u16string_view path, const LapRef& lap);

// 1 no such lap or no base lap; 0 the lap is now an overlay lap, or it is the base lap (unchanged);
// -1 it is no longer an overlay lap.
int ToggleOverlayLap(LapDataCore& core, std::u16string_view path, std::u16string_view lapNumberText);

// After the lap's overlay mark was flipped: frees its slot (the later overlay laps move down one slot
// and a new inactive slot is appended) or gives it the first free slot from slot 1 on, appending a
// slot when all are in use.
void AddSelectedLap(LapDataCore& core, std::u16string_view path, const LapRef& lap);

// Takes the overlay slot out: the later slots move down one and a new inactive slot is appended, so
// the vector keeps its length. Slot 0 and positions past the end are left alone.
void EraseOverlaySlot(LapDataCore& core, std::size_t index);

// Every slot after slot 0 becomes inactive; colours and lap references stay.
void ResetOverlaySlots(LapDataCore& core);

// No lap is an overlay lap any more; the base lap stays.
void ClearLapSelection(LapDataCore& core);

// The first seven slots take the lap colours (base lap, overlay laps 1 to 6), and so do the laps of
// the active ones.
void ApplyLapColors(LapDataCore& core, const LapColorArray& lapColors);

// The slot of the compared lap in that row, counting the active slots whose lap is loaded as the lap
// windows list them; null past the last.
const SelectedLap* ComparedLapSlot(const LapDataCore& core, std::size_t row);

// After files were closed: 1 when a lap with the base-lap mark remains (BaseLapLength follows it);
// else 0, with no base lap left (BaseLapFiles empty, BaseLap on a new work lap).
int UpdateBaseLap(LapDataCore& core);

// Laps with the base-lap or overlay mark; also stored in MarkedLapCount.
int CountMarkedLaps(LapDataCore& core);

// The first lap with the current-lap mark: its file's full path and its number as "%d"; 1, or 0
// when no lap is current (the texts are then left alone).
int GetCurrentLap(const LapDataCore& core, std::u16string& path, std::u16string& lapNumberText);

// Makes the lap the only current lap (no lap is current when it is not found). 0 when the lap was
// found and has a course (an analysis item without the no-analysis flag), else 1.
int SetCurrentLap(LapDataCore& core, std::u16string_view lapNumberText, std::u16string_view path);

// kind 1: the lap's base-lap mark, kind 2: its overlay mark, with its display colour; any other kind
// or no such lap: 0 with colour 0.
int GetLapMark(const LapDataCore& core, int kind, std::u16string_view path,
               std::u16string_view lapNumberText, COLORREF& colour);

// Index of the first slot (active or not) with that lap number and path, with its colour; -1 when none.
int FindSelectedLap(const LapDataCore& core, std::u16string_view lapNumberText, std::u16string_view path,
                    COLORREF& colour);

// The course-map file at that position becomes the active course, every other one not: 1, or 0 when
// there is no file at that position (negative positions included; every flag is then cleared).
int SetActiveMapFile(LapDataCore& core, int position);

} // namespace orvelo
