// The one text form of a lap time (1/100 s): "m:ss.hh", or lower-case hex from ten minutes on.
#pragma once

#include <cstdint>
#include <string>

namespace orvelo {

inline constexpr std::uint32_t kLongestLapTime = 59999;

// 0, or -1 when the time is above 59999 (the text is then the time in hex).
int FormatLapTimeA(std::uint32_t time, char (&out)[16]);

// The same in wide text; for a time above 59999 returns -1 and leaves the text as it was.
int FormatLapTimeW(std::uint32_t time, std::u16string& out);

} // namespace orvelo
