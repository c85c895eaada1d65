// Loading inside a process whose vector registers were left with their upper halves in use.
#include "core/VectorState.h"

#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "LogBytes.h"
#include "tools/SampleSession.h"

#include <gtest/gtest.h>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <cpuid.h>

namespace orvelo {
namespace {

// Whether the processor reports which register states are in use (XGETBV with ECX = 1) and has AVX.
bool CanWatchUpperHalves()
{
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx") && __get_cpuid_count(0xD, 1, &eax, &ebx, &ecx, &edx) && (eax & 4) != 0;
}

bool UpperHalvesInUse()
{
    unsigned low = 0, high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
    return (low & 4) != 0; // the AVX state
}

// What libraries built for AVX can leave behind (in plain assembly: a function built for AVX would get
// the compiler's own clean-up at its end). Only called where the processor has AVX.
void DirtyUpperHalves()
{
    __asm__ volatile("vpcmpeqd %%ymm15, %%ymm15, %%ymm15" ::: "xmm15");
}

TEST(VectorStateTest, LoadingClearsTheUpperHalvesLeftInUse)
{
    if (!CanWatchUpperHalves())
        GTEST_SKIP() << "the processor does not report its vector state";
    DirtyUpperHalves();
    ASSERT_TRUE(UpperHalvesInUse());
    ClearUpperVectorState();
    EXPECT_FALSE(UpperHalvesInUse());

    test::ScratchFolder folder;
    LapDataCore core;
    FileListEntry entry;
    entry.fullPath = folder.Write("laps.dat", samplegen::GenerateSession({.laps = 1}).bytes);
    EditLogFileList(core, kFileListAdd, entry);
    DirtyUpperHalves();
    ASSERT_EQ(LoadPendingLogFiles(core, 1), 0);
    EXPECT_FALSE(UpperHalvesInUse());
}

} // namespace
} // namespace orvelo

#endif
