#include "core/MapFileWriter.h"

#include "core/LapDataCore.h"
#include "core/Utf8Text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvelo {
namespace {

constexpr std::size_t kWriteBlockSize = std::size_t{1} << 20;
constexpr std::uint8_t kExportMark = 0xFF;
constexpr std::size_t kLapTimeOffset = 30;

const Lap* FindLapToSave(const LapDataCore& core, std::u16string_view logFilePath, std::uint32_t lapNumber)
{
    for (const LogFile& file : core.LogFiles) {
        if (file.fullPath != logFilePath)
            continue;
        for (const Lap& lap : file.laps) {
            if (lap.lapNumber == lapNumber)
                return &lap;
        }
    }
    return nullptr;
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool WriteRecords(int fd, const Lap& lap, bool exportMark)
{
    std::vector<std::uint8_t> block;
    block.reserve(kWriteBlockSize);
    bool marked = false;
    for (const LogRecord& record : lap.records) {
        const std::size_t at = block.size();
        block.insert(block.end(), record.bytes.begin(), record.bytes.begin() + kRecordSize);
        if (exportMark && !marked && record.bytes[0] == kLapLineLetter) {
            block[at + kLapTimeOffset] = kExportMark;
            marked = true;
        }
        if (block.size() + kRecordSize > kWriteBlockSize) {
            if (!WriteAll(fd, block.data(), block.size()))
                return false;
            block.clear();
        }
    }
    return WriteAll(fd, block.data(), block.size());
}

// A new file next to the target, so that the final rename stays on one file system.
int CreateTemporaryFile(const std::string& target, std::string& temporaryPath)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

int SaveLapAsMapFile(LapDataCore& core, std::u16string_view outputPath, std::u16string_view logFilePath,
                     std::uint32_t lapNumber)
{
    if (outputPath.empty() || core.LogFiles.empty())
        return 1;
    const Lap* lap = FindLapToSave(core, logFilePath, lapNumber);
    if (!lap || lap->analysisItems.empty() || lap->noAnalysisFlag != 0)
        return 1;
    const bool exportMark = lap->analysisItems.front().gpsDrawFlag != 0;

    const std::string target = ToUtf8(outputPath);
    std::string temporaryPath;
    const int fd = CreateTemporaryFile(target, temporaryPath);
    if (fd < 0)
        return -1;
    bool ok = WriteRecords(fd, *lap, exportMark) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(temporaryPath.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporaryPath.c_str());
        return -1;
    }
    return 0;
}

} // namespace orvelo
