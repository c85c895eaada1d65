#include "core/AtomicFileWriter.h"

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvelo {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkDepth = 40;
constexpr int kMaxAttempts = 100;
constexpr std::string_view kTemporaryMark = ".tmp-";

bool AllDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The process id in a temporary file name this writer makes for a name isOurName accepts.
std::optional<pid_t> WriterOf(std::string_view name, const std::function<bool(std::string_view)>& isOurName)
{
    const std::size_t mark = name.rfind(kTemporaryMark);
    if (mark == std::string_view::npos || mark == 0)
        return std::nullopt;
    const std::string_view numbers = name.substr(mark + kTemporaryMark.size());
    const std::size_t dash = numbers.find('-');
    if (dash == std::string_view::npos)
        return std::nullopt;
    const std::string_view pid = numbers.substr(0, dash);
    const std::string_view attempt = numbers.substr(dash + 1);
    // Written as to_string writes them: no leading zeros, attempts below kMaxAttempts.
    if (!AllDigits(pid) || pid.front() == '0' || pid.size() > 9 || !AllDigits(attempt) || attempt.size() > 2 ||
        (attempt.size() == 2 && attempt.front() == '0'))
        return std::nullopt;
    if (!isOurName(name.substr(0, mark)))
        return std::nullopt;
    pid_t value = 0;
    std::from_chars(pid.data(), pid.data() + pid.size(), value);
    return value;
}

// Only a writer that no longer runs at all has left its file for good.
bool WriterGone(pid_t pid)
{
    return pid > 0 && pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH;
}

} // namespace

AtomicFileWriter::AtomicFileWriter(std::string path) : m_path(std::move(path)) {}

AtomicFileWriter::~AtomicFileWriter()
{
    if (!m_committed)
        Abandon();
}

std::optional<std::string> AtomicFileWriter::FollowLinks(const std::string& path)
{
    fs::path current(path);
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        std::error_code error;
        if (!fs::is_symlink(current, error))
            return current.string();
        const fs::path target = fs::read_symlink(current, error);
        if (error)
            return std::nullopt;
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return std::nullopt;
}

// Keeps the error of the first step that failed.
bool AtomicFileWriter::Fail()
{
    if (m_error == 0)
        m_error = errno != 0 ? errno : EIO;
    return false;
}

bool AtomicFileWriter::Open()
{
    const std::optional<std::string> target = FollowLinks(m_path);
    if (m_fd >= 0 || m_committed)
        return false;
    if (!target) {
        m_error = ELOOP;
        return false;
    }
    m_target = *target;
    struct stat existing {};
    const bool exists = ::stat(m_target.c_str(), &existing) == 0;
    // A file the user may not write is not replaced behind its back.
    if (exists && ::access(m_target.c_str(), W_OK) != 0)
        return Fail();
    for (int attempt = 0; attempt < kMaxAttempts && m_fd < 0; ++attempt) {
        m_temporary =
            m_target + std::string(kTemporaryMark) + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        m_fd = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0) {
        Fail();
        m_temporary.clear();
        return false;
    }
    // Best effort: some file systems keep no modes.
    if (exists)
        (void)::fchmod(m_fd, existing.st_mode & 07777);
    return true;
}

bool AtomicFileWriter::Write(const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    while (m_fd >= 0 && size > 0) {
        const ssize_t written = ::write(m_fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0)
            errno = ENOSPC;
        if (written <= 0)
            return Fail();
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return m_fd >= 0;
}

bool AtomicFileWriter::Commit()
{
    if (m_fd < 0)
        return false;
    // Renamed only once its data is known to be on disk: a failed sync may have lost some of it.
    bool ok = (m_sync ? m_sync(m_fd) : ::fsync(m_fd)) == 0 || Fail();
    ok = (::close(m_fd) == 0 || Fail()) && ok;
    m_fd = -1;
    if (!ok || ::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        Fail();
        Abandon();
        return false;
    }
    m_committed = true;
    SyncFolder();
    return true;
}

// Best effort: the file has been replaced already, and some file systems cannot sync a folder.
void AtomicFileWriter::SyncFolder()
{
    const std::string folder = fs::path(m_target).parent_path().string();
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)(m_sync ? m_sync(fd) : ::fsync(fd));
    ::close(fd);
}

void AtomicFileWriter::Abandon()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.empty())
        ::unlink(m_temporary.c_str());
    m_temporary.clear();
}

int AtomicFileWriter::RemoveLeftovers(const std::string& folder, const std::function<bool(std::string_view)>& isOurName)
{
    std::vector<std::string> leftovers;
    std::error_code error;
    for (fs::directory_iterator entry(folder.empty() ? "." : folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::optional<pid_t> writer = WriterOf(entry->path().filename().string(), isOurName);
        struct stat file {};
        const std::string path = entry->path().string();
        if (writer && ::lstat(path.c_str(), &file) == 0 && S_ISREG(file.st_mode) && file.st_uid == ::geteuid() &&
            WriterGone(*writer))
            leftovers.push_back(path);
    }
    int removed = 0;
    for (const std::string& path : leftovers)
        removed += ::unlink(path.c_str()) == 0 ? 1 : 0;
    return removed;
}

} // namespace orvelo
