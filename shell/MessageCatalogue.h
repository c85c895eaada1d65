// The catalogue of the private window messages: each number's constant name
// and its one-line description, for logs and diagnostics. Nothing reads the
// descriptions to decide anything.
#pragma once

#include <cstdint>

namespace shell {

// The constant's name ("UM_ANALYSIS_LINE"), or nullptr for a number without one.
const char* MessageName(std::uint32_t id);
// The description, or nullptr where the message has none (2003 to 2019).
const char* MessageDescription(std::uint32_t id);
// How many numbers have a constant.
int MessageCount();

}  // namespace shell
