// Seed settings files for the settings fuzz target, written through the settings store.
#pragma once

#include <string>

namespace orvelo::fuzzing {

// Writes settings of several kinds through the store into scratch folders and copies each resulting
// file into dir, with a UTF-16 and a CRLF form of the last, which holds one setting of each kind. The number of seeds written.
int WriteSettingsSeeds(const std::string& dir);

} // namespace orvelo::fuzzing
