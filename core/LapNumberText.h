// Lap numbers as the lap list and segment list pass them: wide texts such as "  3".
// Parsing follows the C runtime's wide text-to-integer rule, so every caller's text means the same lap.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvelo {

// Leading white space, an optional sign, then decimal digits up to the first other character;
// 0 when there are no digits. Values beyond the int range stop at INT_MAX / INT_MIN.
std::int32_t ParseLapNumber(std::u16string_view text);

// The lap number as "%d".
std::u16string FormatLapNumber(std::int64_t number);

// True when a lap's number is the number a caller asked for (a negative request matches no lap).
inline bool LapNumberMatches(std::uint32_t lapNumber, std::int32_t wanted)
{
    return static_cast<std::int64_t>(lapNumber) == wanted;
}

} // namespace orvelo
