#include "core/LogBytes.h"

#include "core/Utf8Text.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include <stdlib.h>

namespace orvelo::test {

using samplegen::kRecordSize;

namespace {

std::uint8_t* NewRecord(std::vector<std::uint8_t>& bytes)
{
    bytes.resize(bytes.size() + kRecordSize);
    return bytes.data() + bytes.size() - kRecordSize;
}

samplegen::PositionFields FixFields(char letter, bool validFix)
{
    samplegen::PositionFields fields;
    fields.letter = letter;
    fields.speed = 100;
    fields.fixQuality = '1';
    if (validFix) {
        fields.latitude = samplegen::EncodeLatitude(35.5);
        fields.longitude = samplegen::EncodeLongitude(139.25);
    }
    return fields;
}

} // namespace

LogBytes& LogBytes::Sample(std::uint16_t timeStep, std::uint16_t distanceStep)
{
    samplegen::SampleFields fields;
    fields.timeStep = timeStep;
    fields.distanceStep = distanceStep;
    samplegen::WriteSampleRecord(NewRecord(bytes), fields);
    return *this;
}

LogBytes& LogBytes::LapEnd(std::uint16_t lapNumber, std::uint16_t timeStep, std::uint16_t distanceStep)
{
    samplegen::SampleFields fields;
    fields.lapEnd = true;
    fields.lapNumber = lapNumber;
    fields.timeStep = timeStep;
    fields.distanceStep = distanceStep;
    samplegen::WriteSampleRecord(NewRecord(bytes), fields);
    return *this;
}

LogBytes& LogBytes::Gps(std::uint16_t fixTimeOffset, std::uint16_t distanceOffset, bool validFix)
{
    samplegen::PositionFields fields = FixFields('G', validFix);
    fields.timeField = fixTimeOffset;
    fields.distanceOffset = distanceOffset;
    return Position(fields);
}

LogBytes& LogBytes::LapLine(std::uint16_t lapTime, std::uint16_t lapLineWord)
{
    samplegen::PositionFields fields = FixFields('L', true);
    fields.timeField = lapTime;
    fields.word = lapLineWord;
    return Position(fields);
}

LogBytes& LogBytes::Other(char letter, std::uint16_t recordWord)
{
    samplegen::PositionFields fields = FixFields(letter, true);
    fields.word = recordWord;
    return Position(fields);
}

LogBytes& LogBytes::Position(const samplegen::PositionFields& fields)
{
    samplegen::WritePositionRecord(NewRecord(bytes), fields);
    return *this;
}

LogBytes& LogBytes::Append(const std::vector<std::uint8_t>& more)
{
    bytes.insert(bytes.end(), more.begin(), more.end());
    return *this;
}

std::vector<std::uint8_t> LogBytes::Record(std::size_t k) const
{
    const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(k * kRecordSize);
    return std::vector<std::uint8_t>(begin, begin + static_cast<std::ptrdiff_t>(kRecordSize));
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
    std::filesystem::permissions(m_folder, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_folder, ignored);
}

std::u16string ScratchFolder::Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const
{
    const std::filesystem::path path = Path(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
    return WidePath(path);
}

std::u16string WidePath(const std::filesystem::path& path)
{
    return FromUtf8(path.string());
}

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace orvelo::test
