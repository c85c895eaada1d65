// Lap-time texts of the lap lists read back as hundredths of a second, for sorting.
#pragma once

#include <QStringView>

#include <cstdint>

// The pieces of "m:ss.hh", "mm:ss.hh", "ss.hh" or "s.hh" cut at their fixed positions by the
// text's length; a piece that is missing or not a number reads as 0.
std::int32_t ParseLapTimeText(QStringView text);

// True for texts of the clock forms above with digits where digits belong; a lap time of ten
// minutes or more is written in hex and is not one of them.
bool IsClockLapTimeText(QStringView text);
