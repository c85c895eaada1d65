// Lap-number texts: parse with the wide text-to-integer rule, format with "%d".
#include "core/LapNumberText.h"

#include <limits>
#include <string>

namespace orvelo {

namespace {

bool IsWideSpace(char16_t c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

} // namespace

std::int32_t ParseLapNumber(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsWideSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Accumulate in 64 bits and stop growing once past the int range, so long digit runs cannot overflow.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (value <= kLimit)
            value = value * 10 + (text[i] - u'0');
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::u16string FormatLapNumber(std::int64_t number)
{
    const std::string narrow = std::to_string(number);
    return std::u16string(narrow.begin(), narrow.end());
}

} // namespace orvelo
