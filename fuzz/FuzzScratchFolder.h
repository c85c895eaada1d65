// A folder a fuzz target writes its files into: one per process, where FuzzInputFile keeps its file;
// removed with what it holds when the process ends.
#pragma once

#include "fuzz/FuzzInputFile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace orvelo::fuzzing {

class FuzzScratchFolder {
public:
    explicit FuzzScratchFolder(const char* name)
    {
        std::string pattern = ScratchParent() + "/orvelo-fuzz-" + name + "-XXXXXX";
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
