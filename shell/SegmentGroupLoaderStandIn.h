// Stand-in for the segment group loader until the segment groups are built:
// the list the application keeps stays as it is.
#pragma once

#include "core/LapData.h"

#include <deque>

class AppSettings;

void LoadSegmentGroupsInto(AppSettings& settings, std::deque<orvelo::SegmentGroup>& groups);
