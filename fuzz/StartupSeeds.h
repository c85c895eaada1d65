// Seed settings files for the start-up fuzz target: what the program itself saves at close.
#pragma once

#include <QByteArray>

#include <string>

namespace orvelo::fuzzing {

// The settings file the program saves at close after a session with workAreas work areas, each with
// a lap overview and a file overview window, and the logging-time window shown when asked.
QByteArray SavedAfterSession(int workAreas, bool loggingTime);

// Runs the program on empty settings a few times, each with more work areas and windows open at
// close, and writes each saved file into dir. The number of seeds written.
int WriteStartupSeeds(const std::string& dir);

} // namespace orvelo::fuzzing
