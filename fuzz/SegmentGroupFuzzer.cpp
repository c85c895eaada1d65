// libFuzzer target: any stored segment groups ("Map_Seg_Info") read and used on a generated session.
#include "fuzz/SegmentGroupHarness.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Kept for the whole run, as a program's application lives until its end.
    new QCoreApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static orvelo::fuzzing::SegmentGroupCycle cycle;
    cycle.Run(data, size);
    return 0;
}
