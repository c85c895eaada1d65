#include "core/LogBytes.h"

#include "core/Utf8Text.h"

#include <cstring>
#include <fstream>
#include <stdexcept>

#include <stdlib.h>

namespace orvelo::test {

LogBytes& LogBytes::SampleRecord(bool lapEnd, std::uint16_t lapNumber, std::uint16_t timeStep,
                                 std::uint16_t distanceStep)
{
    samplegen::SampleFields fields;
    fields.lapEnd = lapEnd;
    fields.lapNumber = lapNumber;
    fields.timeStep = timeStep;
    fields.distanceStep = distanceStep;
    bytes.resize(bytes.size() + samplegen::kRecordSize);
    samplegen::WriteSampleRecord(bytes.data() + bytes.size() - samplegen::kRecordSize, fields);
    return *this;
}

LogBytes& LogBytes::PositionRecord(char letter, bool validFix, std::uint16_t word, std::uint16_t timeField,
                                   std::uint16_t distanceOffset)
{
    samplegen::PositionFields fields;
    fields.letter = letter;
    fields.speed = 100;
    fields.fixQuality = '1';
    fields.word = word;
    fields.timeField = timeField;
    fields.distanceOffset = distanceOffset;
    if (validFix) {
        fields.latitude = samplegen::EncodeLatitude(35.5);
        fields.longitude = samplegen::EncodeLongitude(139.25);
    }
    bytes.resize(bytes.size() + samplegen::kRecordSize);
    samplegen::WritePositionRecord(bytes.data() + bytes.size() - samplegen::kRecordSize, fields);
    return *this;
}

ScratchFolder::ScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "orvelo-core-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a scratch folder");
    m_folder = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::permissions(m_folder, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(m_folder, ignored);
}

std::u16string ScratchFolder::Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const
{
    std::ofstream out(Path(name), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + Path(name).string());
    return WidePath(Path(name));
}

bool HoldsRecords(const Lap& lap, const std::vector<std::uint8_t>& bytes, std::pair<std::size_t, std::size_t> range)
{
    bool same = lap.records.size() == range.second - range.first;
    for (std::size_t k = range.first; same && k < range.second; ++k) {
        const auto& record = lap.records[k - range.first].bytes;
        same = std::memcmp(record.data(), &bytes.at(k * 64), 64) == 0 && !record[64] && !record[65] && !record[66] &&
               !record[67];
    }
    return same;
}

std::u16string WidePath(const std::filesystem::path& path)
{
    return FromUtf8(path.string());
}

} // namespace orvelo::test
