// A folder a fuzz target writes its files into: one per process, in $TMPDIR when set, else in /dev/shm
// when there is one, so that no disk is involved; removed with what it holds when the process ends.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/stat.h>

namespace orvelo::fuzzing {

class FuzzScratchFolder {
public:
    explicit FuzzScratchFolder(const char* name)
    {
        struct stat info {};
        const char* tmp = std::getenv("TMPDIR");
        const std::string parent = tmp && *tmp                                            ? tmp
                                   : ::stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode) ? "/dev/shm"
                                                                                             : "/tmp";
        std::string pattern = parent + "/orvelo-fuzz-" + name + "-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror(pattern.c_str());
            std::abort();
        }
        m_path = pattern;
    }
    ~FuzzScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    FuzzScratchFolder(const FuzzScratchFolder&) = delete;
    FuzzScratchFolder& operator=(const FuzzScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace orvelo::fuzzing
