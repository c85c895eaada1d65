#include "core/LapDataCore.h"

#include <chrono>
#include <cstdlib>

namespace orvelo {

LapDataCore::LapDataCore()
    : nowSeconds([] {
          return static_cast<std::int64_t>(std::chrono::duration_cast<std::chrono::seconds>(
                                               std::chrono::system_clock::now().time_since_epoch())
                                               .count());
      })
    , randomNumber([] { return std::rand(); })
{
}

std::deque<LogFile>* LapDataCore::FilesOf(FileSet set)
{
    switch (set) {
    case FileSet::Log:
        return &LogFiles;
    case FileSet::Map:
        return &MapFiles;
    default:
        return nullptr;
    }
}

const std::deque<LogFile>* LapDataCore::FilesOf(FileSet set) const
{
    return const_cast<LapDataCore*>(this)->FilesOf(set);
}

LogFile* LapDataCore::FindFile(FileSet set, std::uint32_t fileId)
{
    std::deque<LogFile>* files = FilesOf(set);
    if (!files)
        return nullptr;
    for (LogFile& file : *files) {
        if (file.fileId == fileId)
            return &file;
    }
    return nullptr;
}

const LogFile* LapDataCore::FindFile(FileSet set, std::uint32_t fileId) const
{
    return const_cast<LapDataCore*>(this)->FindFile(set, fileId);
}

Lap* LapDataCore::ResolveLap(const LapRef& ref)
{
    if (ref.lapIndex < 0)
        return nullptr;
    const auto index = static_cast<std::size_t>(ref.lapIndex);
    if (ref.set == FileSet::BaseLapWork)
        return index < BaseLapWork.size() ? &BaseLapWork[index] : nullptr;
    LogFile* file = FindFile(ref.set, ref.fileId);
    if (!file || index >= file->laps.size())
        return nullptr;
    return &file->laps[index];
}

const Lap* LapDataCore::ResolveLap(const LapRef& ref) const
{
    return const_cast<LapDataCore*>(this)->ResolveLap(ref);
}

LapDataCore& TheLapDataCore()
{
    static LapDataCore core;
    return core;
}

} // namespace orvelo
