#include "core/LogFileReader.h"

#include "core/LapDataCore.h"
#include "core/LapFileReader.h"
#include "core/Utf8Text.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvelo {
namespace {

// A thousand records a system call keep the calls negligible; a quarter of that still does, and keeps
// the block of a file of a few hundred kilobytes a small part of what its load holds. Multiples of the
// record size.
constexpr std::size_t kReadBlockSize = std::size_t{64} << 10;
constexpr std::size_t kSmallReadBlockSize = std::size_t{16} << 10;
static_assert(kReadBlockSize % kRecordSize == 0 && kSmallReadBlockSize % kRecordSize == 0);

// A read-only descriptor of a regular file, or -1. Never creates anything; O_NONBLOCK keeps a
// named pipe from blocking the open and changes nothing for regular files.
int OpenForReading(std::u16string_view path, struct stat* info)
{
    const int fd = ::open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return -1;
    if (::fstat(fd, info) != 0 || !S_ISREG(info->st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Closes the descriptor however the read ends (running out of memory included).
class OpenFile {
public:
    explicit OpenFile(int fd) : m_fd(fd) {}
    ~OpenFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int Descriptor() const { return m_fd; }

private:
    int m_fd;
};

enum class ReadEnd { Complete, Stopped, PartialRecord, Failed };

// Hands every complete record to takeRecord until it returns false; how the data ended, and the bytes
// of a record cut off.
template <class TakeRecord>
ReadEnd ReadRecords(int fd, std::size_t blockSize, TakeRecord&& takeRecord, std::size_t& partialBytes)
{
    const std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[blockSize]);
    std::size_t filled = 0;
    for (;;) {
        const ssize_t got = ::read(fd, buffer.get() + filled, blockSize - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return ReadEnd::Failed;
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
        const std::size_t whole = filled - filled % kRecordSize;
        for (std::size_t offset = 0; offset < whole; offset += kRecordSize) {
            if (!takeRecord(buffer.get() + offset))
                return ReadEnd::Stopped;
        }
        std::memmove(buffer.get(), buffer.get() + whole, filled - whole);
        filled -= whole;
    }
    partialBytes = filled;
    return filled == 0 ? ReadEnd::Complete : ReadEnd::PartialRecord;
}

std::size_t BlockSizeFor(const struct stat& info)
{
    return ReadBlockSizeFor(static_cast<std::uint64_t>(std::max<off_t>(info.st_size, 0)));
}

int ReadFile(LapDataCore& core, LogFile& file, std::u16string_view path, LapFileReader::Kind kind)
{
    struct stat info {};
    const OpenFile opened(OpenForReading(path, &info));
    if (opened.Descriptor() < 0) {
        file.openFailed = 1;
        return -1;
    }
    ::posix_fadvise(opened.Descriptor(), 0, 0, POSIX_FADV_SEQUENTIAL);
    if (kind == LapFileReader::Kind::Map) {
        ResetLapTemplate(core);
        core.ScratchRecords.clear();
        core.ScratchSamples.clear();
        core.ScratchPositions.clear();
    }
    LapFileReader reader(core, file, kind);
    std::size_t partialBytes = 0;
    const ReadEnd end = ReadRecords(
        opened.Descriptor(), BlockSizeFor(info),
        [&reader](const std::uint8_t* record) {
            reader.ReadRecord(record);
            return true;
        },
        partialBytes);
    file.partialRecordBytes = static_cast<std::uint32_t>(partialBytes);
    // A log file cut off in its last record (a logger losing power) keeps everything before it, as if
    // it ended there; the result still says the file was not whole.
    if (end == ReadEnd::Complete || (end == ReadEnd::PartialRecord && kind == LapFileReader::Kind::Log))
        reader.Finish();
    const int result = end == ReadEnd::Complete ? 0 : -1;
    if (result != 0 && kind == LapFileReader::Kind::Map) {
        // The laps closed so far stay; the unfinished lap is dropped.
        core.ScratchRecords.clear();
        core.ScratchSamples.clear();
        core.ScratchPositions.clear();
        ResetLapTemplate(core);
    }
    return result;
}

int AddFile(LapDataCore& core, LogFile& fileTemplate, std::deque<LogFile>& files, std::u16string_view path)
{
    fileTemplate.dateText.clear();
    fileTemplate.totalTime = 0;
    fileTemplate.totalDistance = 0;
    fileTemplate.lapCount = 0;
    fileTemplate.lowestLapNumber = 0;
    fileTemplate.highestLapNumber = 0;
    fileTemplate.listState = 0;
    fileTemplate.currentCourseFlag = 0;
    fileTemplate.laps.clear();
    fileTemplate.trailingLaps.clear();
    std::u16string title;
    std::u16string dateText;
    ReadFileDateAndTitle(path, title, dateText);
    fileTemplate.dateText = dateText;
    fileTemplate.title = title;
    fileTemplate.fullPath = std::u16string(path);
    fileTemplate.folder = GetFolderPart(path);
    LogFile& file = files.emplace_back(fileTemplate);
    file.fileId = core.TakeNextFileId();
    return 0;
}

} // namespace

std::size_t ReadBlockSizeFor(std::uint64_t fileSize)
{
    const std::uint64_t records = fileSize / kRecordSize + 1;
    if (records < kSmallReadBlockSize / kRecordSize)
        return static_cast<std::size_t>(records) * kRecordSize;
    // A sixteenth of the file, whole records, between the two block sizes.
    const std::uint64_t share = fileSize / 16 / kRecordSize * kRecordSize;
    return static_cast<std::size_t>(std::clamp<std::uint64_t>(share, kSmallReadBlockSize, kReadBlockSize));
}

void ResetLapTemplate(LapDataCore& core)
{
    core.LapTemplate = Lap{};
}

int AddLogFile(LapDataCore& core, std::u16string_view path)
{
    return AddFile(core, core.LogFileTemplate, core.LogFiles, path);
}

int AddMapFile(LapDataCore& core, std::u16string_view path)
{
    return AddFile(core, core.MapFileTemplate, core.MapFiles, path);
}

int ReadLogFile(LapDataCore& core, std::u16string_view path)
{
    AddLogFile(core, path);
    LogFile& file = core.LogFiles.back();
    file.laps.clear();
    file.trailingLaps.clear();
    ResetLapTemplate(core);
    file.laps.push_back(core.LapTemplate);
    return ReadFile(core, file, path, LapFileReader::Kind::Log);
}

int ReadMapFile(LapDataCore& core, std::u16string_view path)
{
    AddMapFile(core, path);
    return ReadFile(core, core.MapFiles.back(), path, LapFileReader::Kind::Map);
}

int FindLapEndRecord(std::u16string_view path)
{
    struct stat info {};
    const OpenFile opened(OpenForReading(path, &info));
    if (opened.Descriptor() < 0)
        return -1;
    ::posix_fadvise(opened.Descriptor(), 0, 0, POSIX_FADV_SEQUENTIAL);
    std::size_t partialBytes = 0;
    const ReadEnd end = ReadRecords(
        opened.Descriptor(), BlockSizeFor(info),
        [](const std::uint8_t* record) { return KindOfRecord(record) != RecordKind::LapEnd; }, partialBytes);
    if (end == ReadEnd::Failed)
        return -1;
    return end == ReadEnd::Stopped ? 1 : 0;
}

int ReadFileDateAndTitle(std::u16string_view path, std::u16string& title, std::u16string& dateText)
{
    title = GetFileTitleFromPath(path);
    dateText.clear();
    struct stat info {};
    const int fd = OpenForReading(path, &info);
    if (fd < 0)
        return -1;
    ::close(fd);
    const std::time_t written = info.st_mtim.tv_sec;
    std::tm utc {};
    if (::gmtime_r(&written, &utc) == nullptr)
        return 0;
    dateText = FormatFileDate(utc);
    return 0;
}

std::u16string FormatFileDate(const std::tm& time)
{
    static const char* const kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const char* weekday = (time.tm_wday >= 0 && time.tm_wday < 7) ? kWeekdays[time.tm_wday] : "";
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%d/%d/%d(%s) %d:%d", time.tm_year + 1900,
                                     time.tm_mon + 1, time.tm_mday, weekday, time.tm_hour, time.tm_min);
    return std::u16string(text, text + (length > 0 ? length : 0));
}

std::int64_t GetSecondsSince2008(const LapDataCore& core)
{
    std::tm start {};
    start.tm_year = 2008 - 1900;
    start.tm_mon = 0;
    start.tm_mday = 1;
    start.tm_isdst = -1;
    std::time_t epoch = std::mktime(&start);
    if (epoch == static_cast<std::time_t>(-1)) {
        // No local time for that date: count from UTC instead of failing.
        std::tm utc {};
        utc.tm_year = 2008 - 1900;
        utc.tm_mday = 1;
        epoch = ::timegm(&utc);
    }
    return core.nowSeconds() - static_cast<std::int64_t>(epoch);
}

} // namespace orvelo
