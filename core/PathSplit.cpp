#include "core/PathSplit.h"

namespace orvelo {

std::size_t FindFileNamePart(std::u16string_view path)
{
    const std::size_t separator = path.rfind(kPathSeparator);
    return separator == std::u16string_view::npos ? 0 : separator + 1;
}

std::u16string GetFolderPart(std::u16string_view path)
{
    const std::size_t separator = path.rfind(kPathSeparator);
    if (separator == std::u16string_view::npos)
        return {};
    return std::u16string(path.substr(0, separator));
}

std::u16string GetFileTitleFromPath(std::u16string_view path)
{
    const std::u16string_view name = path.substr(FindFileNamePart(path));
    return std::u16string(name.substr(0, name.find(u'.')));
}

} // namespace orvelo
