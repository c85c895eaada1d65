// Log and course-map files the fuzzers found faults with, replayed through the same load as the fuzz
// targets (read, courses in every drawing mode, lap statistics); each must load without a fault.
#include "core/LogRecord.h"
#include "core/LapDataCore.h"
#include "core/LogFileReader.h"
#include "fuzz/FileLoadHarness.h"
#include "fuzz/FileSetHarness.h"
#include "fuzz/RoundTripHarness.h"
#include "tests/core/LogBytes.h"
#include "tools/SampleSession.h"

#include <gtest/gtest.h>

#include <filesystem>
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

// The fuzz loads themselves: a generated session of every shape loads in both readers, and each of
// its laps written back as a course map reads again with the same records, and as the same lap where
// its records read alone give it.
TEST_F(FuzzRegressionTest, GeneratedSessionsOfEveryShapeLoadAndTheirLapsReadAgainAsCourseMaps)
{
    std::filesystem::create_directory(m_folder.Path("maps"));
    for (const samplegen::Variant variant : samplegen::AllVariants()) {
        samplegen::SessionOptions options;
        options.variant = variant;
        options.laps = 3;
        options.circuitLength = 300.0;
        options.samplesPerSecond = 4;
        SCOPED_TRACE(std::string(samplegen::VariantName(variant)));
        const std::vector<std::uint8_t> session = samplegen::GenerateSession(options).bytes;
        LoadBoth(session);
        LoadBoth(samplegen::GenerateMapFile(options, 1, true).bytes);
        m_folder.Write("session.dat", session);
        fuzzing::RoundTrip(m_folder.Path("session.dat").string(), m_folder.Path("maps").string()).Run();
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
// to 8 times the file's size, from 64 KB on with nothing added for the read block or the lap list's
// last chunk (a lap of one record once cost 2.5 KB, and course-map lap lines copied the records of the
// lap before them). At 64 KB, just past it (one lap into a new chunk of the lap list) and at 1 MB.
TEST_F(FuzzRegressionTest, HostileFilesStayWithinEightTimesTheirSize)
{
    for (const samplegen::HostileShape shape : samplegen::AllHostileShapes()) {
        SCOPED_TRACE(std::string(samplegen::HostileShapeName(shape)));
        for (const std::size_t records : {1024u, 1026u, 16384u})
            LoadBoth(samplegen::GenerateHostileRecords(shape, records));
    }
    // A small file whose laps just pass the lap list's first chunk, cut off in its last record: the
    // list's slack is not in proportion to the file.
    std::vector<std::uint8_t> lapLines = samplegen::GenerateHostileRecords(samplegen::HostileShape::LapLines, 136);
    lapLines.resize(lapLines.size() + 12);
    LoadBoth(lapLines);
}

// Generated sessions, a course map cut from one, a file without a lap end and random records loaded
// together; every kind of step on them, files closed and opened again.
TEST_F(FuzzRegressionTest, SeveralFilesComparedClosedAndOpenedAgain)
{
    using Run = fuzzing::FileSetRun;
    samplegen::SessionOptions options;
    options.laps = 3;
    options.circuitLength = 200.0;
    options.samplesPerSecond = 4;
    const std::vector<Run::FileBytes> files = {
        {samplegen::GenerateSession(options).bytes, false},
        {samplegen::GenerateMapFile(options, 2, true).bytes, true},
        {samplegen::GenerateRandomRecords(7, 300), false},
        {samplegen::GenerateHostileRecords(samplegen::HostileShape::Zeros, 20), false},
    };
    // Laps of file 0 and 2 compared, then the base lap's file closed and opened again.
    const std::vector<Run::Step> steps = {
        {Run::kOverlay, 0, 1},      {Run::kBase, 0, 1},        {Run::kOverlay, 0, 2},  {Run::kOverlay, 2, 3},
        {Run::kOverlay, 0, 1},      {Run::kMarks, 0, 1},       {Run::kCurrent, 2, 1},  {Run::kColours, 0, 9},
        {Run::kActiveCourse, 1, 1}, {Run::kDrawMode, 0, 2},    {Run::kClose, 0, 0},    {Run::kOverlay, 2, 3},
        {Run::kOpenAgain, 0, 0},    {Run::kBase, 2, 4},        {Run::kOverlay, 0, 2},  {Run::kClearSelection, 0, 0},
        {Run::kClose, 1, 0},        {Run::kOpenAgain, 3, 0},   {Run::kCloseAll, 0, 0}, {Run::kOpenAgain, 1, 0},
    };
    Run(files, steps, m_folder.Folder().string()).Run();
    // The same bytes taken apart as the fuzz target takes its input.
    for (std::uint64_t seed = 1; seed <= 4; ++seed) {
        const std::vector<std::uint8_t> input = samplegen::GenerateRandomRecords(seed, 200 * seed);
        Run(input.data(), input.size(), m_folder.Folder().string()).Run();
    }
}

// The invariants themselves: a course map whose laps closed again by a lap line held copies of the
// records of the lap before them, not the same records, fails both.
TEST_F(FuzzRegressionTest, LapsHoldingCopiedRecordsFailTheFuzzInvariants)
{
    const std::vector<std::uint8_t> bytes =
        samplegen::GenerateHostileRecords(samplegen::HostileShape::FixesThenLapLines, 64);
    const std::u16string path = m_folder.Write("copies.dat", bytes);
    LapDataCore map;
    LapDataCore log;
    ASSERT_EQ(ReadMapFile(map, path), 0);
    ASSERT_EQ(ReadLogFile(log, path), 0);
    LogFile& file = map.MapFiles.back();
    fuzzing::CheckHeld(file, bytes.size());
    fuzzing::CheckReadersAgree(file, log.LogFiles.back(), bytes.data(), bytes.size());
    for (Lap& lap : file.laps)
        lap.records.Edit(); // a lap that changes shared records copies them first
    EXPECT_DEATH(fuzzing::CheckHeld(file, bytes.size()), "holds [0-9]+ records");
    EXPECT_DEATH(fuzzing::CheckReadersAgree(file, log.LogFiles.back(), bytes.data(), bytes.size()),
                 "does not hold the lap before it");
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
