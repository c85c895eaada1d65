// Seed settings files for the start-up fuzz target: what the program itself saves at close.
#pragma once

#include <string>

namespace orvelo::fuzzing {

// Runs the program on empty settings a few times, each with more work areas and windows open at
// close, and writes each saved file into dir. The number of seeds written.
int WriteStartupSeeds(const std::string& dir);

} // namespace orvelo::fuzzing
