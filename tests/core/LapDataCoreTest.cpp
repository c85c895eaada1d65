// Lap references stay right, or resolve to nothing, when files are closed around them.
#include "core/LapDataCore.h"

#include <gtest/gtest.h>

#include <utility>

namespace orvelo {
namespace {

TEST(LapDataCoreTest, ReferencesSurviveClosingOtherFilesAndAreChecked)
{
    LapDataCore core;
    const auto add = [&core](std::deque<LogFile>& files, int laps, std::uint32_t firstNumber) {
        LogFile& file = files.emplace_back();
        file.fileId = core.TakeNextFileId();
        for (int k = 0; k < laps; ++k)
            file.laps.emplace_back().lapNumber = firstNumber + static_cast<std::uint32_t>(k);
        return file.fileId;
    };
    const std::uint32_t first = add(core.LogFiles, 2, 10);
    const std::uint32_t second = add(core.LogFiles, 3, 20);
    const std::uint32_t map = add(core.MapFiles, 1, 5);
    const LapRef ref{FileSet::Log, second, 2};
    core.LogFiles.pop_front(); // close the first file
    EXPECT_EQ(core.ResolveLap(ref)->lapNumber, 22u);
    EXPECT_EQ(core.FindFile(FileSet::Log, first), nullptr);
    core.LogFiles.clear();
    EXPECT_NE(add(core.LogFiles, 1, 1), first); // ids are never reused
    EXPECT_EQ(core.ResolveLap(LapRef{FileSet::Map, map, 0})->lapNumber, 5u);
    core.BaseLapWork.emplace_back().lapNumber = 42;
    EXPECT_EQ(std::as_const(core).ResolveLap(LapRef{FileSet::BaseLapWork, 0, 0})->lapNumber, 42u);
    // Gone, in the wrong set or out of range: nothing.
    for (const LapRef& gone : {ref, LapRef{FileSet::Log, first, 0}, LapRef{FileSet::Log, map, 0},
                               LapRef{FileSet::Map, map, 1}, LapRef{FileSet::Map, map, -1}, LapRef{},
                               LapRef{FileSet::BaseLapWork, 0, 1}})
        EXPECT_EQ(core.ResolveLap(gone), nullptr) << int(gone.set) << ' ' << gone.fileId << ' ' << gone.lapIndex;
}

} // namespace
} // namespace orvelo
