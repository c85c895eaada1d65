// Log and course-map files the fuzzers found faults with, replayed through the same load as the fuzz
// targets (read, courses in every drawing mode, lap statistics); each must load without a fault.
#include "core/LogRecord.h"
#include "core/LapDataCore.h"
#include "core/LogFileReader.h"
#include "fuzz/FileLoadHarness.h"
#include "tests/core/LogBytes.h"
#include "tools/SampleSession.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvelo {
namespace {

using fuzzing::LoadedKind;

class FuzzRegressionTest : public ::testing::Test {
protected:
    void Load(const std::vector<std::uint8_t>& bytes, LoadedKind kind)
    {
        const std::u16string path = m_folder.Write("input", bytes);
        fuzzing::LoadInEveryDrawMode(path, bytes.data(), bytes.size(), kind);
    }
    void LoadBoth(const std::vector<std::uint8_t>& bytes)
    {
        Load(bytes, LoadedKind::Log);
        Load(bytes, LoadedKind::Map);
    }

    test::ScratchFolder m_folder;
};

// The fuzz load itself: a generated session of every shape loads in both readers.
TEST_F(FuzzRegressionTest, GeneratedSessionsOfEveryShapeLoad)
{
    for (const samplegen::Variant variant : samplegen::AllVariants()) {
        samplegen::SessionOptions options;
        options.variant = variant;
        options.laps = 2;
        options.circuitLength = 300.0;
        options.samplesPerSecond = 4;
        SCOPED_TRACE(std::string(samplegen::VariantName(variant)));
        LoadBoth(samplegen::GenerateSession(options).bytes);
        LoadBoth(samplegen::GenerateMapFile(options, 1, true).bytes);
    }
}

// The read block follows the file's size: every size around a few records reads whole records and
// fails exactly on a partial one (the load checks both).
TEST_F(FuzzRegressionTest, FilesOfEverySizeAroundTheBlockRead)
{
    const std::vector<std::uint8_t> records = samplegen::GenerateRandomRecords(3, 4);
    for (std::size_t size = 0; size <= records.size(); ++size)
        LoadBoth(std::vector<std::uint8_t>(records.begin(), records.begin() + static_cast<long>(size)));
}

// Files that hold the most for each byte, as log and course-map files: the harness holds every load
// to 8 times the file's size (a lap of one record once cost 2.5 KB, and course-map lap lines copied
// the records of the lap before them).
TEST_F(FuzzRegressionTest, HostileFilesStayWithinEightTimesTheirSize)
{
    for (const samplegen::HostileShape shape : samplegen::AllHostileShapes()) {
        SCOPED_TRACE(std::string(samplegen::HostileShapeName(shape)));
        LoadBoth(samplegen::GenerateHostileRecords(shape, 4096));
    }
}

TEST_F(FuzzRegressionTest, LargeFileReadsInBlocks)
{
    const std::vector<std::uint8_t> records = samplegen::GenerateRandomRecords(5, 70000);
    LapDataCore core;
    const std::u16string path = m_folder.Write("large", records);
    EXPECT_EQ(ReadLogFile(core, path), 0);
    std::size_t read = 0;
    for (const Lap& lap : core.LogFiles.back().laps)
        read += lap.records.size();
    for (const Lap& lap : core.LogFiles.back().trailingLaps)
        read += lap.records.size();
    EXPECT_EQ(read, 70000u);
}

} // namespace
} // namespace orvelo
