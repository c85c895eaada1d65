// Course building: gives every lap of a loaded file its course (the first LapAnalysisItem) from its GPS
// fixes or by dead reckoning, and rebuilds it when the drawing mode changes or the course is rotated.
// The map drawing mode (1 offset OFF, 2 offset ON, 3 GPS) is the caller's setting, passed in.
#pragma once

#include "core/LapData.h"

namespace orvelo {

class LapDataCore;

inline constexpr int kMapDrawOffsetOff = 1;
inline constexpr int kMapDrawOffsetOn = 2;
inline constexpr int kMapDrawGps = 3;

// Every scalar of the item to 0 (the rotation included, the box too); its lists stay.
void ResetAnalysisItem(LapAnalysisItem& item);

// A lap that may be drawn from its GPS fixes: it has the GPS sign or the saved-course mark.
bool LapHasGps(const Lap& lap);

// Courses for the laps of a newly loaded file, up to the lap with the last-lap mark. A lap without
// positions, speed or distance gets the no-analysis flag. Returns the number of laps that got a course,
// -1 when the file has no lap-end record. The items' own drawing mode stays 0 (follows the setting).
int BuildLapAnalysis(LapDataCore& core, LogFile& file, int mapDrawMode);

// Rebuilds a lap's course after the caller set the GPS-draw flag, offset flag and drawing mode of its
// first item: 0 done; 1 GPS asked for a lap without GPS data (the GPS-draw flag is cleared, the course
// stays); -1 no course can be built (no item, position or speed; the lap gets the no-analysis flag).
int RebuildLapGeometry(LapDataCore& core, Lap& lap);

// Rebuilds the projected and course points of the first item from its stored values (rotation, turns):
// 0, or 1 when the lap has no item or GPS drawing is asked for a lap without GPS data (course unchanged).
int RebuildCoursePoints(Lap& lap);

// Rebuilds, for the given drawing mode, every lap of the log and course-map files whose course follows
// the setting (item drawing mode 0) and was built another way. Returns the number of laps rebuilt.
int RebuildAllAnalysis(LapDataCore& core, int mapDrawMode);

} // namespace orvelo
