#include "shell/SegmentGroupLoaderStandIn.h"

void LoadSegmentGroupsInto(AppSettings&, std::deque<orvelo::SegmentGroup>&) {}
