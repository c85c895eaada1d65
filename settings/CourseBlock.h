// A course as the windows pass it with 2022, 2041 and 2068: the 916-byte
// block of the course and the lap it names. The block's lap-number text holds
// three digits at most; the lap reference names any lap. Readers that want
// the block alone read it as a MapInfoBlock.
#pragma once

#include "core/LapData.h"
#include "platform/MessageRecords.h"

#include <cstddef>

struct CourseBlock {
    using LeadingBlock = platform::MapInfoBlock;

    platform::MapInfoBlock info;
    orvelo::LapRef lap;
};
static_assert(offsetof(CourseBlock, info) == 0, "the course block begins with its MapInfoBlock");
