#include "core/LapTimeText.h"

#include <cstdio>

namespace orvelo {
namespace {

// Minutes unpadded, seconds and hundredths with two digits.
int FormatMinutesSeconds(std::uint32_t time, char (&out)[16])
{
    const unsigned minutes = time / 6000;
    const unsigned seconds = (time % 6000) / 100;
    const unsigned hundredths = time % 100;
    return std::snprintf(out, sizeof out, "%u:%02u.%02u", minutes, seconds, hundredths);
}

} // namespace

int FormatLapTimeA(std::uint32_t time, char (&out)[16])
{
    if (time > kLongestLapTime) {
        std::snprintf(out, sizeof out, "%x", static_cast<unsigned>(time));
        return -1;
    }
    FormatMinutesSeconds(time, out);
    return 0;
}

int FormatLapTimeW(std::uint32_t time, std::u16string& out)
{
    if (time > kLongestLapTime)
        return -1;
    char text[16];
    const int length = FormatMinutesSeconds(time, text);
    out.assign(text, text + length);
    return 0;
}

} // namespace orvelo
