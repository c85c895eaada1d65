// Lap references stay right, or resolve to nothing, when files are closed around them.
#include "core/LapDataCore.h"

#include <gtest/gtest.h>

namespace orvelo {
namespace {

class LapDataCoreTest : public ::testing::Test {
protected:
    std::uint32_t AddFile(std::deque<LogFile>& files, int laps, std::uint32_t firstNumber)
    {
        LogFile& file = files.emplace_back();
        file.fileId = core.TakeNextFileId();
        for (int k = 0; k < laps; ++k)
            file.laps.emplace_back().lapNumber = firstNumber + static_cast<std::uint32_t>(k);
        return file.fileId;
    }

    LapDataCore core;
};

TEST_F(LapDataCoreTest, ReferencesSurviveClosingAnEarlierFile)
{
    const std::uint32_t first = AddFile(core.LogFiles, 2, 10);
    const std::uint32_t second = AddFile(core.LogFiles, 3, 20);
    const LapRef ref{FileSet::Log, second, 2};
    ASSERT_NE(core.ResolveLap(ref), nullptr);
    EXPECT_EQ(core.ResolveLap(ref)->lapNumber, 22u);

    core.LogFiles.pop_front(); // close the first file
    ASSERT_NE(core.ResolveLap(ref), nullptr);
    EXPECT_EQ(core.ResolveLap(ref)->lapNumber, 22u);
    EXPECT_EQ(core.ResolveLap(LapRef{FileSet::Log, first, 0}), nullptr);
    EXPECT_EQ(core.FindFile(FileSet::Log, first), nullptr);
}

TEST_F(LapDataCoreTest, IdsAreNeverReused)
{
    const std::uint32_t a = AddFile(core.LogFiles, 1, 1);
    core.LogFiles.clear();
    const std::uint32_t b = AddFile(core.LogFiles, 1, 1);
    EXPECT_NE(a, b);
    EXPECT_EQ(core.ResolveLap(LapRef{FileSet::Log, a, 0}), nullptr);
}

TEST_F(LapDataCoreTest, SetsAndIndexesAreChecked)
{
    const std::uint32_t log = AddFile(core.LogFiles, 2, 1);
    const std::uint32_t map = AddFile(core.MapFiles, 1, 5);
    EXPECT_EQ(core.ResolveLap(LapRef{FileSet::Map, log, 0}), nullptr);
    EXPECT_EQ(core.ResolveLap(LapRef{FileSet::Map, map, 0})->lapNumber, 5u);
    EXPECT_EQ(core.ResolveLap(LapRef{FileSet::Log, log, 2}), nullptr);
    EXPECT_EQ(core.ResolveLap(LapRef{FileSet::Log, log, -1}), nullptr);
    EXPECT_EQ(core.ResolveLap(LapRef{}), nullptr);
    EXPECT_EQ(core.FindFile(FileSet::BaseLapWork, log), nullptr);

    EXPECT_EQ(core.ResolveLap(LapRef{FileSet::BaseLapWork, 0, 0}), nullptr);
    core.BaseLapWork.emplace_back().lapNumber = 42;
    const LapDataCore& constCore = core;
    EXPECT_EQ(constCore.ResolveLap(LapRef{FileSet::BaseLapWork, 0, 0})->lapNumber, 42u);
}

} // namespace
} // namespace orvelo
