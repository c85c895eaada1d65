// Splitting whole paths into folder, file name and title; paths separate at '/' only.
// Nothing here writes into the caller's path.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvelo {

inline constexpr char16_t kPathSeparator = u'/';

// Position just after the last separator; 0 when there is none.
std::size_t FindFileNamePart(std::u16string_view path);

// The path up to, not including, its last separator; empty when there is none.
std::u16string GetFolderPart(std::u16string_view path);

// The file name cut at its first '.': "/log/run3.dat.bak" gives "run3".
std::u16string GetFileTitleFromPath(std::u16string_view path);

} // namespace orvelo
