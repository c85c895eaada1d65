#include "core/MapFileWriter.h"

#include "core/AtomicFileWriter.h"
#include "core/LapDataCore.h"
#include "core/Utf8Text.h"

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

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

bool WriteRecords(AtomicFileWriter& file, const Lap& lap, bool exportMark)
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
            if (!file.Write(block.data(), block.size()))
                return false;
            block.clear();
        }
    }
    return file.Write(block.data(), block.size());
}

bool IsMapFileName(std::string_view name)
{
    constexpr std::string_view kSuffix = ".dat";
    if (name.size() <= kSuffix.size())
        return false;
    const std::string_view suffix = name.substr(name.size() - kSuffix.size());
    for (std::size_t i = 0; i < kSuffix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(suffix[i])) != kSuffix[i])
            return false;
    }
    return true;
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

    AtomicFileWriter file(ToUtf8(outputPath));
    if (!file.Open())
        return -1;
    AtomicFileWriter::RemoveLeftovers(std::filesystem::path(file.TargetPath()).parent_path().string(), IsMapFileName);
    if (!WriteRecords(file, *lap, exportMark) || !file.Commit())
        return -1;
    return 0;
}

int RemoveMapFileLeftovers(std::u16string_view folder)
{
    return AtomicFileWriter::RemoveLeftovers(ToUtf8(folder), IsMapFileName);
}

} // namespace orvelo
