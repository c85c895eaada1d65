// How a lap's course is drawn (offset ON, offset OFF or GPS), as the course map views show and
// change it from their "Drawing Map Mode " menu.
#pragma once

#include "core/LapData.h"

class QWidget;
namespace orvelo {
class LapDataCore;
}

namespace lapmode {

// The menu's commands: 1 "offset ON ", 2 "offset OFF", 3 "   GPS    ".
inline constexpr int kOffsetOn = 1;
inline constexpr int kOffsetOff = 2;
inline constexpr int kGps = 3;

// The drawing mode of the course: its stored one, else GPS, offset ON or offset OFF by its flags.
int DrawingMode(const orvelo::LapAnalysisItem& item);
// The menu command checked for the course: offset ON when its offset flag is set, else GPS when
// its GPS flag is, else offset OFF.
int CheckedCommand(const orvelo::LapAnalysisItem& item);

// The lap drawn by GPS (gps) or with offset (offset): its course is built again. A lap without GPS
// data keeps its offset flag and drawing mode, and the user is told (owner: the box's window);
// then 1. Otherwise the result of building (0, or -1 when no course could be built).
int ChangeDrawingMode(orvelo::LapDataCore& core, orvelo::Lap& lap, int gps, int offset, QWidget* owner);

}  // namespace lapmode
