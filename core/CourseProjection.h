// Projection of a lap's positions into the course in metres (GPS fixes or dead-reckoned steps),
// its bounding box and the rotation of GPS-drawn courses. Used by course building (CourseBuilder.h).
#pragma once

#include "core/LapData.h"

#include <cstddef>
#include <cstdint>
#include "core/ChunkedList.h"

namespace orvelo {

// Metres per radian of latitude in the projection.
inline constexpr double kMetresPerRadianOfLatitude = 6357000.0;

// Truncates toward zero, saturating at the limits of int32 (NaN gives 0).
std::int32_t TruncateToInt32(double value);

// A position whose latitude and longitude were both decoded (valid hemisphere letters).
bool HasGpsFix(const PositionRec& position);

// The origin of a GPS-drawn course: the first position with a fix (the first position when none has).
void TakeGpsOrigin(LapAnalysisItem& item, const ChunkedList<PositionRec>& positions);

// Replaces the item's projected points by one per position from start to the lap-end position, then
// sets the box, the direction flag, rotates a GPS-drawn course and builds the course points.
// In a GPS-drawn course a position without a fix stays where the last fix was (the origin before any).
void ProjectCourse(LapAnalysisItem& item, const ChunkedList<PositionRec>& positions, std::size_t start);

// The bounding box, centre and spans of the item's projected points (all 0 when there are none).
void UpdateCourseBox(LapAnalysisItem& item);

// Turns the projected points by the item's rotation about the centre and updates the box.
void RotateCourse(LapAnalysisItem& item);

} // namespace orvelo
