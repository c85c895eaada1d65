// libFuzzer target: the program started on its own saved settings with any window records.
#include "fuzz/WindowRecordHarness.h"

#include "fuzz/OffscreenApplication.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    orvelo::fuzzing::StartOffscreenApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static orvelo::fuzzing::WindowRecordCycle cycle;
    cycle.Run(data, size);
    return 0;
}
