// Conversion between the core's wide texts (UTF-16) and the UTF-8 byte strings the file system takes.
#pragma once

#include <string>
#include <string_view>

namespace orvelo {

// A lone surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

// Bytes that are not valid UTF-8 become U+FFFD.
std::u16string FromUtf8(std::string_view text);

} // namespace orvelo
