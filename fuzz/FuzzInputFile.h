// The file a fuzz target hands to a reader that takes a path: one per process, rewritten for every
// input, in $TMPDIR when set (scripts/fuzz.sh sets a folder of its run, in memory), else in /dev/shm
// when there is one so that no disk is involved; removed when the process ends.
#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvelo::fuzzing {

// Where the fuzz targets keep their scratch files.
inline std::string ScratchParent()
{
    struct stat info {};
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp                                              ? tmp
           : ::stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode) ? "/dev/shm"
                                                                     : "/tmp";
}

class FuzzInputFile {
public:
    explicit FuzzInputFile(const char* name)
        : m_path(ScratchParent() + "/orvelo-fuzz-" + name + "-" + std::to_string(::getpid()))
    {
    }
    ~FuzzInputFile() { ::unlink(m_path.c_str()); }
    FuzzInputFile(const FuzzInputFile&) = delete;
    FuzzInputFile& operator=(const FuzzInputFile&) = delete;

    // Replaces the file's content by the bytes; a failure ends the run, since nothing after it would
    // test what the input says.
    void Write(const std::uint8_t* data, std::size_t size)
    {
        const int fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0)
            Fail();
        std::size_t done = 0;
        while (done < size) {
            const ssize_t wrote = ::write(fd, data + done, size - done);
            if (wrote < 0 && errno == EINTR)
                continue;
            if (wrote <= 0)
                Fail();
            done += static_cast<std::size_t>(wrote);
        }
        ::close(fd);
    }

    const std::string& Path() const { return m_path; }

private:
    [[noreturn]] void Fail() const
    {
        std::perror(m_path.c_str());
        std::abort();
    }

    std::string m_path;
};

} // namespace orvelo::fuzzing
