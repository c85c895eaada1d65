// Test support for the lap data core: log-file bytes built record by record, and a scratch folder.
#pragma once

#include "core/LapData.h"
#include "tools/RecordBuilder.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace orvelo::test {

// A run of 64-byte records. Position records carry a valid 'N'/'E' fix unless told otherwise.
class LogBytes {
public:
    LogBytes& Sample(std::uint16_t time, std::uint16_t distance) { return SampleRecord(false, 0, time, distance); }
    LogBytes& LapEnd(std::uint16_t lapNumber, std::uint16_t time, std::uint16_t distance)
    {
        return SampleRecord(true, lapNumber, time, distance);
    }
    LogBytes& Gps(std::uint16_t fixTimeOffset, std::uint16_t distanceOffset = 0, bool validFix = true)
    {
        return PositionRecord('G', validFix, 0, fixTimeOffset, distanceOffset);
    }
    LogBytes& LapLine(std::uint16_t time, std::uint16_t word = 0) { return PositionRecord('L', true, word, time, 0); }
    LogBytes& Other(char letter = 'X', std::uint16_t word = 0) { return PositionRecord(letter, true, word, 0, 0); }

    // The 64 bytes of record k.
    const std::uint8_t* Record(std::size_t k) const { return bytes.data() + k * samplegen::kRecordSize; }

    std::vector<std::uint8_t> bytes;

private:
    LogBytes& SampleRecord(bool lapEnd, std::uint16_t lapNumber, std::uint16_t timeStep, std::uint16_t distanceStep);
    LogBytes& PositionRecord(char letter, bool validFix, std::uint16_t word, std::uint16_t timeField,
                             std::uint16_t distanceOffset);
};

// A fresh folder under the test's temporary folder, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path Path(const std::string& name) const { return m_folder / name; }
    // Writes the bytes to the named file and returns its whole path as the core takes it.
    std::u16string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    const std::filesystem::path& Folder() const { return m_folder; }

private:
    std::filesystem::path m_folder;
};

// True when the lap holds exactly the records [range.first, range.second) of the bytes, each followed by
// 4 zero bytes.
bool HoldsRecords(const Lap& lap, const std::vector<std::uint8_t>& bytes, std::pair<std::size_t, std::size_t> range);

// Integer fields of any width, compared as one list.
template <class... T>
std::vector<long long> Ints(T... values)
{
    return {static_cast<long long>(values)...};
}

std::u16string WidePath(const std::filesystem::path& path);

} // namespace orvelo::test
